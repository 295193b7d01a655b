#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "framework/Afx.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "geometry/Line.h"
#include "geometry/PolyLine.h"
#include "geometry/REGDatabase.h"
#include "formats/DxfDatabaseExport.h"
#include "formats/DxfExportSelection.h"
#include "tests/support/FileDialogAnswer.h"

namespace {

std::vector<std::string> g_messages;

int RecordMessage(LPCSTR text, UINT)
{
    g_messages.emplace_back(text);
    return IDOK;
}

// Answers message boxes for one test and removes the file it names.
class ExportFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_messages.clear();
        m_previous = AfxSetMessageBoxHook(RecordMessage);
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        m_path = std::string(dir) + "clastor_export_test.dxf";
        DeleteFileA(m_path.c_str());
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(m_previous);
        DeleteFileA(m_path.c_str());
    }

    CPolyLine* AddPolyLine(std::initializer_list<CVector2D> points, COLORREF colour, bool inSet = true)
    {
        CPolyLine* p = new CPolyLine;
        for (const CVector2D& v : points)
            p->AddVertex(CPolyVertex(v.x, v.y));
        p->SetColour(colour);
        p->RecalcExtents();
        if (inSet)
            p->AddToSet(SET_WORK);
        m_db.AddEntity(p, false);
        return p;
    }

    CLine* AddLine(CVector2D a, CVector2D b, bool inSet = true)
    {
        CLine* l = new CLine;
        l->SetPoints(a, b);
        l->SetColour(RGB(255, 0, 0));
        l->RecalcExtents();
        if (inSet)
            l->AddToSet(SET_WORK);
        m_db.AddEntity(l, false);
        return l;
    }

    struct Read
    {
        std::vector<std::vector<CVector2D>> polylines;
        std::vector<std::string> layers;
        std::string error;
    };

    Read ReadBack()
    {
        CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
        CDxfFile dxf(&file);
        Read r;
        const CVector2D* points = nullptr;
        int n = 0;
        CString layer;
        bool closed = false;
        while (dxf.GetNextPolyline(points, n, layer, closed, true)) {
            r.polylines.emplace_back(points, points + n + 1);
            r.layers.emplace_back(layer);
        }
        r.error = static_cast<LPCSTR>(dxf.GetReadError());
        return r;
    }

    // The value lines that follow the line `after` in the written file.
    std::vector<std::string> LinesAfter(const char* after, int count)
    {
        CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
        CString line;
        while (file.ReadString(line) && line != after) {
        }
        std::vector<std::string> out;
        while (count-- > 0 && file.ReadString(line))
            out.emplace_back(line);
        return out;
    }

    CREGDatabase m_db;
    std::string m_path;
    AfxMessageBoxHook m_previous = nullptr;
};

} // namespace

TEST_F(ExportFixture, WritesTheSetsPartsWithinPaddedExtents)
{
    using V = CVector2D;
    AddPolyLine({V(0, 20), V(10, 12), V(20, 0)}, RGB(255, 255, 255));
    AddLine(V(12, 3), V(12, 6));
    AddPolyLine({V(5, 5)}, RGB(0, 0, 0));                           // one point: nothing
    AddPolyLine({V(1, 1), V(2, 2)}, RGB(0, 0, 0), /*inSet*/ false);  // not in the set

    CDxfDatabaseExport exporter(&m_db, SET_WORK);
    exporter.SetPathName(m_path.c_str());
    ASSERT_TRUE(exporter.Export());
    EXPECT_TRUE(g_messages.empty());

    EXPECT_EQ(LinesAfter("$EXTMIN", 4), (std::vector<std::string>{" 10", "-0.2", " 20", "-0.2"}));
    EXPECT_EQ(LinesAfter("$EXTMAX", 4), (std::vector<std::string>{" 10", "20.2", " 20", "20.2"}));
    const Read r = ReadBack();
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.polylines, (std::vector<std::vector<CVector2D>>{{V(0, 20), V(10, 12), V(20, 0)}, {V(12, 3), V(12, 6)}}));
    EXPECT_EQ(r.layers, (std::vector<std::string>{"Default Layer", "Default Layer"}));
    // White is colour 7, red colour 1.
    EXPECT_EQ(LinesAfter(" 62", 1), std::vector<std::string>{"     7"});
}

TEST_F(ExportFixture, ASetCodeOutsideTheMarkedSetsExportsTheWorkSet)
{
    AddLine(CVector2D(0, 0), CVector2D(1, 1));
    CDxfDatabaseExport exporter(&m_db, 7);
    EXPECT_EQ(exporter.GetSet(), SET_WORK);
    exporter.SetPathName(m_path.c_str());
    ASSERT_TRUE(exporter.Export());
    EXPECT_EQ(ReadBack().polylines.size(), 1u);
}

TEST_F(ExportFixture, ReplacesAnOldFileAndReportsAFolderThatDoesNotExist)
{
    {
        CStdioFile old(m_path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        old.WriteString("old contents\n");
        old.Close();
    }
    AddLine(CVector2D(0, 0), CVector2D(1, 1));
    CDxfDatabaseExport exporter(&m_db, SET_WORK);
    exporter.SetPathName(m_path.c_str());
    ASSERT_TRUE(exporter.Export());
    EXPECT_EQ(ReadBack().polylines.size(), 1u);

    const std::string missing = m_path + ".no_such_folder\\drawing.dxf";
    CDxfDatabaseExport failing(&m_db, SET_WORK);
    failing.SetPathName(missing.c_str());
    EXPECT_FALSE(failing.Export());
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_NE(g_messages[0].find("The DXF file could not be written"), std::string::npos);
    EXPECT_NE(g_messages[0].find(missing), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ExportFixture, WithoutADatabaseOrAMainWindowNothingHappens)
{
    CDxfDatabaseExport noDatabase(nullptr, SET_WORK);
    noDatabase.SetPathName(m_path.c_str());
    EXPECT_FALSE(noDatabase.Export());
    // No target and no main window to own the file dialog.
    ASSERT_EQ(AfxGetMainWnd(), nullptr);
    CDxfDatabaseExport noFile(&m_db, SET_WORK);
    EXPECT_FALSE(noFile.Export());
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(GetFileAttributesA(m_path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ExportFixture, RowsAreOfferedAndMarkedByTheObjectsIds)
{
    using V = CVector2D;
    struct Ids
    {
        int category, kind, group;
    };
    auto addWithIds = [&](Ids ids, double y) {
        CLine* l = AddLine(V(0, y), V(1, y), /*inSet*/ false);
        l->SetCategoryId(ids.category);
        l->SetKindId(ids.kind);
        l->SetGroupId(ids.group);
        return l;
    };
    // No barrier, no seeder yet: only the slope row is offered.
    BOOL offers[DXF_EXPORT_ROWS];
    GetDxfExportOffers(m_db, offers);
    EXPECT_EQ(std::vector<BOOL>(offers, offers + DXF_EXPORT_ROWS), (std::vector<BOOL>{1, 0, 0, 0, 0, 0}));

    CLine* slope = addWithIds({2133, 2103, 0}, 1);
    CLine* collector = addWithIds({2133, 2101, 2162}, 2);
    CLine* pendingBarrier = addWithIds({2132, 2101, 2161}, 3);  // not placed yet
    CLine* seeder = addWithIds({2133, 2151, 2169}, 4);
    CLine* selectedPath = addWithIds({2164, 2105, 0}, 5);
    CLine* otherPath = addWithIds({2165, 2105, 0}, 6);
    GetDxfExportOffers(m_db, offers);
    EXPECT_EQ(std::vector<BOOL>(offers, offers + DXF_EXPORT_ROWS), (std::vector<BOOL>{1, 0, 1, 1, 1, 1}));

    // A leftover member of the set is dropped; a path of both path rows is written once.
    pendingBarrier->AddToSet(SET_WORK);
    const BOOL checked[DXF_EXPORT_ROWS] = {1, 1, 0, 0, 1, 1};
    MarkDxfExportEntities(m_db, SET_WORK, checked);
    EXPECT_TRUE(slope->IsInSet(SET_WORK));
    EXPECT_FALSE(collector->IsInSet(SET_WORK));
    EXPECT_FALSE(pendingBarrier->IsInSet(SET_WORK));
    EXPECT_FALSE(seeder->IsInSet(SET_WORK));
    EXPECT_TRUE(selectedPath->IsInSet(SET_WORK));
    EXPECT_TRUE(otherPath->IsInSet(SET_WORK));

    CDxfDatabaseExport exporter(&m_db, SET_WORK);
    exporter.SetPathName(m_path.c_str());
    ASSERT_TRUE(exporter.Export());
    EXPECT_EQ(ReadBack().polylines, (std::vector<std::vector<CVector2D>>{{V(0, 1), V(1, 1)}, {V(0, 5), V(1, 5)}, {V(0, 6), V(1, 6)}}));
}

TEST_F(ExportFixture, WithoutATargetTheSaveDialogAsksOverTheMainWindow)
{
    CWinApp app("DXF export test");
    CWnd mainWnd;
    mainWnd.Attach(::CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr));
    app.m_pMainWnd = &mainWnd;
    AfxCommonDialogHook previous = AfxSetCommonDialogHook(&FileDialogAnswer::Answer);
    AddLine(CVector2D(0, 0), CVector2D(1, 1));

    FileDialogAnswer::shown = 0;
    FileDialogAnswer::pick.clear();  // Cancel
    CDxfDatabaseExport cancelled(&m_db, SET_WORK);
    EXPECT_FALSE(cancelled.Export());
    EXPECT_EQ(FileDialogAnswer::shown, 1);
    EXPECT_EQ(GetFileAttributesA(m_path.c_str()), INVALID_FILE_ATTRIBUTES);

    FileDialogAnswer::pick = m_path;
    CDxfDatabaseExport exporter(&m_db, SET_WORK);
    EXPECT_TRUE(exporter.Export());
    EXPECT_EQ(FileDialogAnswer::shown, 2);
    EXPECT_EQ(FileDialogAnswer::defaultExtension, "dxf");
    EXPECT_EQ(FileDialogAnswer::initialName, "*.dxf");
    EXPECT_EQ(FileDialogAnswer::filter, "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*|");
    EXPECT_EQ(FileDialogAnswer::flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(exporter.GetPathName(), m_path.c_str());
    EXPECT_EQ(ReadBack().polylines.size(), 1u);
    EXPECT_TRUE(g_messages.empty());

    AfxSetCommonDialogHook(previous);
    app.m_pMainWnd = nullptr;
    ::DestroyWindow(mainWnd.Detach());
}
