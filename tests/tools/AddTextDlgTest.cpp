// The Add Text dialog as a user works it: typing, ticking auto-text in the
// tree (a tick carries down to everything below), inserting the ticked lines
// in tree order at the end of the text, when OK may be pressed, and Enter.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include "framework/Document.h"
#include "geometry/REGDatabase.h"
#include "res/dialogs-tools.h"
#include "support/WhenShown.h"
#include "tools/AddTextDlg.h"

namespace {

HWND Dialog() { return ::FindWindowA(nullptr, "Add Text"); }
HWND Item(int id) { return ::GetDlgItem(Dialog(), id); }
bool OkEnabled() { return ::IsWindowEnabled(Item(IDOK)) != FALSE; }
void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
// Replaces the whole text as typing over it does.
void Type(const char* text)
{
    ::SendMessageA(Item(IDC_AT_TEXT), EM_SETSEL, 0, -1);
    ::SendMessageA(Item(IDC_AT_TEXT), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
std::string Text()
{
    char buffer[1024] = "";
    ::GetWindowTextA(Item(IDC_AT_TEXT), buffer, sizeof(buffer));
    return buffer;
}

// A small report in the place of the analysis report:
//   Section A / a1 (with a1x below it), a2;  Section B / b1
void WriteSmallReport(CDocument*, CREGDatabase*, CTreeOptionsCtrl* tree)
{
    HTREEITEM a = tree->InsertCheckBox("Section A", nullptr, FALSE);
    HTREEITEM a1 = tree->InsertCheckBox("a1", a, FALSE);
    tree->InsertCheckBox("a1x", a1, FALSE);
    tree->InsertCheckBox("a2", a, FALSE);
    HTREEITEM b = tree->InsertCheckBox("Section B", nullptr, FALSE);
    tree->InsertCheckBox("b1", b, FALSE);
}

struct InstalledReport {
    InstalledReport() { previous = InstallAutoTextWriter(&WriteSmallReport); }
    ~InstalledReport() { InstallAutoTextWriter(previous); }
    AutoTextWriter previous = nullptr;
};

// The item of a path of texts from the root ("Section A", "a1").
HTREEITEM Find(CTreeCtrl& tree, std::initializer_list<const char*> path)
{
    HTREEITEM item = tree.GetRootItem();
    HTREEITEM found = nullptr;
    for (const char* name : path) {
        found = nullptr;
        for (; item != nullptr; item = tree.GetNextSiblingItem(item))
            if (tree.GetItemText(item) == name) {
                found = item;
                break;
            }
        if (found == nullptr)
            return nullptr;
        item = tree.GetChildItem(found);
    }
    return found;
}

bool Checked(CTreeOptionsCtrl& tree, HTREEITEM item)
{
    BOOL checked = FALSE;
    tree.GetCheckBox(item, checked);
    return checked != FALSE;
}

class AddTextDlgTest : public ::testing::Test
{
protected:
    InstalledReport report;
    CDocument document;
    CREGDatabase database;

    INT_PTR Run(CAddTextDlg& dialog, std::function<void()> action)
    {
        dialog.SetDocument(&document);
        dialog.SetDatabase(&database);
        WhenShown when(std::move(action));
        return dialog.DoModal();
    }
};

} // namespace

TEST_F(AddTextDlgTest, TickedAutoTextIsAppendedInTreeOrder)
{
    CAddTextDlg dialog;
    dialog.SetText("Note: ");
    bool seen = false;
    const INT_PTR result = Run(dialog, [&] {
        seen = Dialog() != nullptr;
        CAutoTextTree& tree = dialog.GetTree();
        if (Find(tree, {"Section B", "b1"}) == nullptr) {
            ADD_FAILURE() << "the tree is not built from the report";
            Click(IDCANCEL);
            return;
        }
        EXPECT_TRUE(OkEnabled()) << "a preset text may be taken at once";

        // Ticking a section ticks everything below it; clearing one line leaves the rest.
        tree.SetCheckBox(Find(tree, {"Section A"}), TRUE);
        EXPECT_TRUE(Checked(tree, Find(tree, {"Section A", "a1", "a1x"})));
        tree.SetCheckBox(Find(tree, {"Section A", "a2"}), FALSE);
        // A line under an unticked section still counts.
        tree.SetCheckBox(Find(tree, {"Section B", "b1"}), TRUE);
        EXPECT_FALSE(Checked(tree, Find(tree, {"Section B"})));

        Click(IDC_AT_INSERT);
        EXPECT_EQ(Text(), "Note: Section A\r\na1\r\na1x\r\nb1\r\n");
        // Clearing a section clears what lies below it too.
        tree.SetCheckBox(Find(tree, {"Section A"}), FALSE);
        EXPECT_FALSE(Checked(tree, Find(tree, {"Section A", "a1", "a1x"})));
        Click(IDC_AT_INSERT);
        EXPECT_EQ(Text(), "Note: Section A\r\na1\r\na1x\r\nb1\r\nb1\r\n") << "appended again at the end";
        Click(IDOK);
    });
    EXPECT_TRUE(seen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(std::string(dialog.GetText()), "Note: Section A\r\na1\r\na1x\r\nb1\r\nb1\r\n");
}

TEST_F(AddTextDlgTest, OkWaitsForText)
{
    struct CountedOk : CAddTextDlg {
        int oks = 0;
        void OnOK() override
        {
            ++oks;
            CAddTextDlg::OnOK();
        }
    } dialog;
    const INT_PTR result = Run(dialog, [&] {
        EXPECT_FALSE(OkEnabled()) << "nothing typed yet";
        EXPECT_EQ(::GetFocus(), Item(IDC_AT_TEXT));
        Click(IDC_AT_INSERT);   // nothing ticked, nothing typed
        EXPECT_EQ(Text(), "");
        EXPECT_FALSE(OkEnabled());
        Type("x");
        EXPECT_TRUE(OkEnabled());
        Type("");
        EXPECT_TRUE(OkEnabled()) << "any change enables OK";

        // Enter, in the text or elsewhere, never closes the dialog.
        for (int id : {IDC_AT_TEXT, IDC_AT_TREE}) {
            ::SetFocus(Item(id));
            MSG enter{Item(id), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
            ::IsDialogMessageA(Dialog(), &enter);
        }
        EXPECT_EQ(dialog.oks, 0) << "Enter pressed OK";
        Click(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(std::string(dialog.GetText()), "") << "Cancel takes nothing";
}

TEST_F(AddTextDlgTest, NoReportWithoutDocumentAndDatabase)
{
    CAddTextDlg dialog;
    WhenShown when([&] {
        EXPECT_EQ(dialog.GetTree().GetCount(), 0u);
        Click(IDCANCEL);
    });
    dialog.DoModal();
}
