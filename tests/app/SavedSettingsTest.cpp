// Settings the document saves, changed from the main frame: a change marks
// the document, so that closing asks, and it comes back on opening.
#include <cstdio>
#include <string>

#include "ShellFixture.h"
#include "app/DocumentLink.h"
#include "framework/Document.h"
#include "res/resource.h"

TEST_F(ShellTest, GridPaneClickMarksTheDocumentAndTheGridComesBack) {
    MessageBoxRecorder boxes;
    app->CloseAllDocuments(FALSE);
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CDocument* doc = ActiveChildDocument();
    ASSERT_TRUE(ShellLink::IsSlopeDocument(doc));
    ASSERT_FALSE(doc->IsModified());
    const int before = ShellLink::GetGridState(doc);

    CRect pane;
    frame->m_wndStatusBar.GetItemRect(frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_GRID), &pane);
    frame->m_wndStatusBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pane.left + 2, pane.top + 2));
    frame->m_wndStatusBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pane.left + 2, pane.top + 2));
    Idle();
    const int after = ShellLink::GetGridState(doc);
    ASSERT_NE(after, before);
    EXPECT_TRUE(doc->IsModified());

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "grid-pane-test.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    app->CloseAllDocuments(FALSE);
    Idle();
    CDocument* opened = app->OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    Idle();
    EXPECT_EQ(ShellLink::GetGridState(opened), after);
    EXPECT_FALSE(opened->IsModified());
    EXPECT_TRUE(boxes.texts.empty());
    app->CloseAllDocuments(FALSE);
    Idle();
    std::remove(path.c_str());
}
