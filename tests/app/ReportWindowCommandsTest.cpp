// The Info Viewer command opens the document's report in a window of its
// own, and the Help menu's update commands.
#include <functional>
#include <string>

#include "ShellFixture.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "report/InfoViewer.h"
#include "report/InfoViewerFrame.h"
#include "res/resource.h"

namespace {

struct ShellBoxes {
    static inline std::vector<std::string> texts;
    static int Hook(LPCSTR text, UINT) {
        texts.emplace_back(text != nullptr ? text : "");
        return IDOK;
    }
    ShellBoxes() {
        texts.clear();
        previous = AfxSetMessageBoxHook(&Hook);
    }
    ~ShellBoxes() { AfxSetMessageBoxHook(previous); }
    AfxMessageBoxHook previous = nullptr;
};

}  // namespace

TEST_F(ShellTest, InfoViewerOpensTheReportOfTheActiveDocument) {
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CMDIChildWnd* slope = frame->MDIGetActive();
    ASSERT_NE(slope, nullptr);
    CDocument* doc = slope->GetActiveDocument();
    frame->SendMessage(WM_COMMAND, ID_INFO_VIEWER, 0);
    Idle();
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, slope);
    ASSERT_TRUE(child->IsKindOf(RUNTIME_CLASS(CInfoViewerFrame)));
    auto* viewer = dynamic_cast<CInfoViewer*>(child->GetActiveView());
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->GetDocument(), doc);
    CString text;
    viewer->GetRichEdit().GetWindowText(text);
    EXPECT_NE(text.Find("Clastor Analysis Information"), -1);
    EXPECT_NE(text.Find("Project Settings"), -1);
    CString title;
    child->GetWindowText(title);
    EXPECT_NE(title.Find(" - InfoViewer"), -1) << static_cast<LPCSTR>(title);

    // The commands the report has no use for are grey.
    Idle();
    HMENU bar = ::GetMenu(frame->m_hWnd);
    HMENU results = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(bar) && results == nullptr; ++i)
        if (HMENU sub = ::GetSubMenu(bar, i);
            sub != nullptr && ::GetMenuState(sub, ID_MATERIAL_EDITOR, MF_BYCOMMAND) != static_cast<UINT>(-1))
            results = sub;
    ASSERT_NE(results, nullptr);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(results), 0);
    EXPECT_TRUE(::GetMenuState(results, ID_MATERIAL_EDITOR, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(results, ID_GRAPH_ENDPOINTS, MF_BYCOMMAND) & MF_GRAYED);  // no results yet
    child->MDIDestroy();
    Idle();
}

TEST_F(ShellTest, UpdateCheckWaitsForUnsavedDocuments) {
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CDocument* doc = frame->MDIGetActive()->GetActiveDocument();
    doc->SetModifiedFlag(TRUE);
    ShellBoxes boxes;
    frame->SendMessage(WM_COMMAND, ID_HELP_CHECK_PRODUCT_UPDATES, 0);
    ASSERT_EQ(ShellBoxes::texts.size(), 1u);
    EXPECT_EQ(ShellBoxes::texts[0], "Please save your document\nbefore checking for updates");
    EXPECT_FALSE(CWebUpdateClient::IsCheckRunning());
    doc->SetModifiedFlag(FALSE);
}

TEST_F(ShellTest, AutomaticUpdatesItemShowsAndTogglesTheSetting) {
    HMENU help = nullptr;
    HMENU bar = ::GetMenu(frame->m_hWnd);
    // The popup that holds the item itself (Help's Product Updates).
    std::function<void(HMENU)> find = [&](HMENU menu) {
        for (int i = 0; i < ::GetMenuItemCount(menu) && help == nullptr; ++i) {
            if (::GetMenuItemID(menu, i) == ID_HELP_CHECK_UPDATES_AUTOMATICALLY) help = menu;
            else if (HMENU sub = ::GetSubMenu(menu, i)) find(sub);
        }
    };
    find(bar);
    ASSERT_NE(help, nullptr);
    const bool before = CWebUpdateClient::IsAutomatic();
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help), 0);
    EXPECT_EQ((::GetMenuState(help, ID_HELP_CHECK_UPDATES_AUTOMATICALLY, MF_BYCOMMAND) & MF_CHECKED) != 0, before);
    EXPECT_FALSE(::GetMenuState(help, ID_HELP_CHECK_MAKER_UPDATES, MF_BYCOMMAND) & MF_GRAYED);
    frame->SendMessage(WM_COMMAND, ID_HELP_CHECK_UPDATES_AUTOMATICALLY, 0);
    EXPECT_EQ(CWebUpdateClient::IsAutomatic(), !before);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help), 0);
    EXPECT_EQ((::GetMenuState(help, ID_HELP_CHECK_UPDATES_AUTOMATICALLY, MF_BYCOMMAND) & MF_CHECKED) != 0, !before);
    frame->SendMessage(WM_COMMAND, ID_HELP_CHECK_UPDATES_AUTOMATICALLY, 0);
    EXPECT_EQ(CWebUpdateClient::IsAutomatic(), before);
}
