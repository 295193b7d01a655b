#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "framework/Afx.h"
#include "framework/MessageBox.h"
#include "formats/DxfSlopeImporter.h"
#include "model/TalusimDoc.h"
#include "model/TalusimSlope.h"

namespace {

std::vector<std::string> g_importMessages;

int RecordImportMessage(LPCSTR text, UINT)
{
    g_importMessages.emplace_back(text);
    return IDOK;
}

class ImportFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_importMessages.clear();
        m_previous = AfxSetMessageBoxHook(RecordImportMessage);
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        m_path = std::string(dir) + "clastor_import_test.dxf";
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(m_previous);
        DeleteFileA(m_path.c_str());
    }

    void Write(const std::string& text)
    {
        CFile f(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write(text.data(), static_cast<UINT>(text.size()));
    }

    std::string m_path;
    AfxMessageBoxHook m_previous = nullptr;
};

const char* const kTwoChains =
    "  0\nLINE\n  8\nA\n 10\n0\n 20\n0\n 11\n1\n 21\n0\n"
    "  0\nLINE\n  8\nA\n 10\n5\n 20\n9\n 11\n7\n 21\n8\n"
    "  0\nLINE\n  8\nA\n 10\n7\n 20\n8\n 11\n9\n 21\n2.5\n"
    "  0\nEOF\n";

const char* const kCircleOnly = "  0\nCIRCLE\n 10\n0\n 20\n0\n 40\n1\n  0\nEOF\n";

} // namespace

TEST_F(ImportFixture, TheLastChainIsTheSlope)
{
    Write(kTwoChains);
    CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
    CDxfSlopeImporter importer(&file, nullptr);
    std::vector<CVector2D> points;
    CString why;
    ASSERT_TRUE(importer.ReadSlopePoints(points, why));
    EXPECT_EQ(points, (std::vector<CVector2D>{CVector2D(5, 9), CVector2D(7, 8), CVector2D(9, 2.5)}));
}

TEST_F(ImportFixture, AFileWrittenByAnotherLibraryGivesItsGround)
{
    const std::string path = std::string(CLASTOR_TEST_DATA) + "/dxf/library_slope.dxf";
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    CDxfSlopeImporter importer(&file, nullptr);
    std::vector<CVector2D> points;
    CString why;
    ASSERT_TRUE(importer.ReadSlopePoints(points, why));
    EXPECT_EQ(points, (std::vector<CVector2D>{CVector2D(0, 10), CVector2D(5.5, 8.25), CVector2D(12, 3.1),
                                              CVector2D(20, 0.1), CVector2D(30, 0)}));
}

TEST_F(ImportFixture, NothingToImportIsReportedAndChangesNothing)
{
    struct Case
    {
        const char* what;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"only a circle", kCircleOnly, "The DXF file holds no LINE, POLYLINE or LWPOLYLINE"},
        {"a truncated file", std::string(kTwoChains).substr(0, 60), "Line "},
        {"a coordinate that is no number", "  0\nLINE\n 10\nx\n  0\nEOF\n", "Line 4 of the DXF file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_importMessages.clear();
        Write(c.text);
        CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
        CDxfSlopeImporter importer(&file, nullptr);
        EXPECT_FALSE(importer.ReadPolylines());
        ASSERT_EQ(g_importMessages.size(), 1u);
        EXPECT_EQ(g_importMessages[0].rfind(c.message, 0), 0u) << g_importMessages[0];
    }
}

TEST_F(ImportFixture, ReplacesTheDocumentsSlopeOnlyWithSomethingToImport)
{
    auto doc = std::make_unique<CTalusimDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    doc->AppendSlopeVertex(0, 5);
    doc->AppendSlopeVertex(3, 1);
    doc->SetModifiedFlag(FALSE);

    Write(kCircleOnly);
    {
        CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
        CDxfSlopeImporter importer(&file, doc.get());
        EXPECT_FALSE(importer.ReadPolylines());
    }
    ASSERT_EQ(doc->GetSlope()->GetVertexCount(), 2);
    EXPECT_EQ(doc->GetSlope()->GetVertexPoint(1), CVector2D(3, 1));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(g_importMessages.size(), 1u);

    Write(kTwoChains);
    {
        CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
        CDxfSlopeImporter importer(&file, doc.get());
        EXPECT_TRUE(importer.ReadPolylines());
    }
    ASSERT_EQ(doc->GetSlope()->GetVertexCount(), 3);
    EXPECT_EQ(doc->GetSlope()->GetVertexPoint(0), CVector2D(5, 9));
    EXPECT_EQ(doc->GetSlope()->GetVertexPoint(2), CVector2D(9, 2.5));
    EXPECT_TRUE(doc->GetSlope()->IsVisible());
    EXPECT_EQ(g_importMessages.size(), 1u);
}
