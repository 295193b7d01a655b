// The list handling of the model editors, driven through a small editor whose
// "controls" are a name and a validity flag: filling, choosing another row
// (storing the edits, moving a renamed row), refusing an invalid entry,
// adding and deleting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DocumentFixture.h"
#include "framework/AfxWin.h"
#include "geometry/Line.h"
#include "geometry/REGDatabase.h"
#include "editors/ListEditor.h"

namespace {

constexpr int kListedKind = 4711;

class CTestEditor : public CListEditor
{
public:
    CListBox list;
    // What the controls hold.
    std::string shownName;
    bool valid = true;
    bool enabled = false;
    std::vector<std::string> deleted;

    using CListEditor::m_pDatabase;

    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            rows.emplace_back(text);
        }
        return rows;
    }
    std::string SelectedRow()
    {
        const int row = list.GetCurSel();
        if (row < 0)
            return "";
        CString text;
        list.GetText(row, text);
        return std::string(text);
    }
    void Choose(const char* name)
    {
        list.SetCurSel(list.FindStringExact(-1, name));
        OnSelChange();
    }

protected:
    void ResetList() override { m_pDatabase->MarkKind(kListedKind, kListSet); }
    CListBox& GetListBox() override { return list; }
    void ApplyToObject(CEntity* object) override { object->SetName(shownName.c_str()); }
    void ShowObject(CEntity* object) override { shownName = std::string(object->GetName()); }
    BOOL ExchangeData(BOOL save) override { return save ? valid : TRUE; }
    void EnableControls(BOOL enable) override { enabled = enable != FALSE; }
    CEntity* CreateObject() override
    {
        auto* line = new CLine;
        line->SetKindId(kListedKind);
        line->SetName("New");
        m_pDatabase->AddEntity(line, false);
        return line;
    }
    void BeforeDelete(CEntity* object) override { deleted.emplace_back(object->GetName()); }
};

struct EditorFixture {
    CWnd host;
    CREGDatabase database;
    CTestEditor editor;
    std::vector<CEntity*> objects;
    explicit EditorFixture(std::vector<const char*> names)
    {
        EXPECT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr));
        EXPECT_TRUE(editor.list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_NOTIFY | WS_VSCROLL,
                                       CRect(0, 0, 150, 200), &host, 1));
        for (const char* name : names) {
            auto* line = new CLine;
            line->SetKindId(kListedKind);
            line->SetName(name);
            database.AddEntity(line, false);
            objects.push_back(line);
        }
        editor.SetObjectList(&database);
    }
    ~EditorFixture() { host.DestroyWindow(); }
};

}  // namespace

TEST(ListEditor, FillsSortedAndSelectsTheInitialObject)
{
    EditorFixture f({"Fence", "Ditch", "Wall"});
    f.editor.SetInitialObject(f.objects[2]);
    f.editor.InitList();
    EXPECT_EQ(f.editor.Rows(), (std::vector<std::string>{"Ditch", "Fence", "Wall"}));
    EXPECT_EQ(f.editor.SelectedRow(), "Wall");
    EXPECT_EQ(f.editor.shownName, "Wall");
    EXPECT_TRUE(f.editor.enabled);

    // An initial object that is not listed: the first of the set.
    EditorFixture g({"Fence", "Ditch"});
    CLine stranger;
    g.editor.SetInitialObject(&stranger);
    g.editor.InitList();
    EXPECT_EQ(g.editor.GetCurrentObject(), g.objects[0]);
    EXPECT_EQ(g.editor.SelectedRow(), "Fence");

    // Nothing to list: no rows and the controls off.
    EditorFixture empty({});
    empty.editor.InitList();
    EXPECT_TRUE(empty.editor.Rows().empty());
    EXPECT_FALSE(empty.editor.enabled);
    EXPECT_FALSE(empty.editor.OnSelChange());
}

TEST(ListEditor, ChoosingAnotherRowStoresTheEditsUnlessTheyAreInvalid)
{
    EditorFixture f({"Beta", "Delta", "Gamma"});
    f.editor.InitList();
    ASSERT_EQ(f.editor.SelectedRow(), "Beta");
    // Renamed in the controls, then another row chosen: the row moves to its sorted place.
    f.editor.shownName = "Zeta";
    f.editor.Choose("Gamma");
    EXPECT_EQ(std::string(f.objects[0]->GetName()), "Zeta");
    EXPECT_EQ(f.editor.Rows(), (std::vector<std::string>{"Delta", "Gamma", "Zeta"}));
    EXPECT_EQ(f.editor.SelectedRow(), "Gamma");
    EXPECT_EQ(f.editor.shownName, "Gamma");

    // An invalid entry keeps the row and the object as they were.
    f.editor.valid = false;
    f.editor.shownName = "Omega";
    f.editor.Choose("Delta");
    EXPECT_EQ(f.editor.SelectedRow(), "Gamma");
    EXPECT_EQ(std::string(f.objects[2]->GetName()), "Gamma");
    EXPECT_EQ(f.editor.GetCurrentObject(), f.objects[2]);
}

TEST(ListEditor, AddAndDelete)
{
    MessageBoxRecorder boxes;
    EditorFixture f({"A", "B", "C"});
    f.editor.InitList();
    f.editor.OnAdd();
    EXPECT_EQ(f.editor.SelectedRow(), "New");
    EXPECT_EQ(f.editor.shownName, "New");
    EXPECT_EQ(f.database.GetEntityCount(), 4);

    // Deleting the last row selects the new last row.
    f.editor.list.SetCurSel(f.editor.list.FindStringExact(-1, "New"));
    f.editor.OnDelete();
    EXPECT_EQ(f.editor.deleted, std::vector<std::string>{"New"});
    EXPECT_EQ(f.editor.SelectedRow(), "C");
    EXPECT_EQ(f.editor.shownName, "C");
    EXPECT_EQ(f.database.GetEntityCount(), 3);

    // Deleting everything turns the controls off and leaves no current object.
    for (int i = 0; i < 3; ++i) {
        f.editor.list.SetCurSel(0);
        f.editor.OnDelete();
    }
    EXPECT_TRUE(f.editor.Rows().empty());
    EXPECT_FALSE(f.editor.enabled);
    EXPECT_EQ(f.editor.GetCurrentObject(), nullptr);
    EXPECT_EQ(f.database.GetEntityCount(), 0);
    EXPECT_TRUE(boxes.messages.empty());
}
