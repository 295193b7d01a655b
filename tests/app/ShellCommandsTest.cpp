// Commands of the application and the frame: the profile under the maker's key,
// recent files in the owner-drawn File menu, tooltips and fly-by prompts of the
// toolbar buttons, and manuals that are not installed.
#include <cstdio>
#include <string>

#include "ShellFixture.h"
#include "app/DistributionStatsDlg.h"
#include "app/WebUpdateClient.h"
#include "framework/Document.h"
#include "res/resource.h"

TEST_F(ShellTest, SettingsLiveUnderTheMakersKey) {
    app->WriteProfileInt("Shell Test", "Value", 42);
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brevantics\\Clastor\\Shell Test", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD value = 0, size = sizeof(value);
    EXPECT_EQ(::RegQueryValueExA(key, "Value", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(value, 42u);
    ::RegCloseKey(key);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Brevantics\\Clastor\\Shell Test");
}

TEST_F(ShellTest, RecentFilesShowInTheOwnerDrawnFileMenu) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "recent-test.cla";
    if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
    app->AddToRecentFileList(path.c_str());
    if (frame->MDIGetActive() == nullptr) app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    // The File popup (a maximised document window puts its own menu first).
    HMENU bar = ::GetMenu(frame->m_hWnd);
    HMENU file = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(bar) && file == nullptr; ++i)
        if (HMENU sub = ::GetSubMenu(bar, i); ::GetMenuState(sub, ID_FILE_SAVE, MF_BYCOMMAND) != static_cast<UINT>(-1))
            file = sub;
    ASSERT_NE(file, nullptr);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    int pos = -1;
    for (int i = 0; i < ::GetMenuItemCount(file); ++i)
        if (::GetMenuItemID(file, i) == ID_FILE_MRU_FILE1) pos = i;
    ASSERT_GE(pos, 0);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ::GetMenuItemInfoA(file, pos, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_FALSE(info.fState & MFS_GRAYED);
    auto* menu = static_cast<KsMenu*>(CMenu::FromHandlePermanent(file));
    ASSERT_NE(menu, nullptr);
    CString text = menu->GetItemText(pos);
    EXPECT_NE(text.Find("recent-test.cla"), -1) << (LPCSTR)text;
    std::remove(path.c_str());
}

TEST_F(ShellTest, ToolbarButtonsExplainThemselves) {
    CToolBar& bar = frame->m_wndStandardBar;
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = bar.m_hWnd;
    info.hdr.idFrom = ID_FILE_NEW;
    info.hdr.code = TTN_GETDISPINFOA;
    bar.SendMessage(WM_NOTIFY, ID_FILE_NEW, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "New");
    // The hot button's prompt goes to the status bar while the pointer is on it.
    NMTBHOTITEM hot{};
    hot.hdr.hwndFrom = bar.m_hWnd;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_FILE_NEW;
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(0), "Create a new slope document");
    hot.dwFlags = HICF_LEAVING;
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_STREQ(frame->m_wndStatusBar.GetPaneText(0), "Ready");
}

TEST_F(ShellTest, AManualThatIsNotInstalledIsReported) {
    const struct {
        UINT command;
        const char* file;
    } manuals[] = {
        {ID_HELP_TUTORIAL_MANUAL, "Manuals\\tutorial.pdf"},
        {ID_HELP_DETERMINING_INPUT_PARAMETERS, "Manuals\\CL_adv_tutorial_1.pdf"},
        {ID_HELP_VERIFY_ANGULAR_VELOCITY, "Verification\\angular_verification.pdf"},
        {ID_HELP_VERIFY_ENVELOPES, "Verification\\graph verification.pdf"},
        {ID_HELP_VERIFY_PROBABILITY, "Verification\\random_verification.pdf"},
        {ID_HELP_VERIFY_PROJECTILE, "Verification\\projectile verification.pdf"},
        {ID_HELP_VERIFY_SLIDING, "Verification\\sliding_verification.pdf"},
        {ID_HELP_VERIFY_THEORY, "Verification\\thesis_body.pdf"},
    };
    const std::string folder = static_cast<LPCSTR>(CTalusimApp::GetAppPath());
    for (const auto& m : manuals) {
        MessageBoxRecorder boxes;
        frame->SendMessage(WM_COMMAND, m.command);
        ASSERT_EQ(MessageBoxRecorder::texts.size(), 1u) << m.file;
        EXPECT_NE(MessageBoxRecorder::texts[0].find(folder + m.file), std::string::npos) << MessageBoxRecorder::texts[0];
    }
}

TEST_F(ShellTest, SlopeDocumentsAreSavedAndOpenedInTheirWindows) {
    MessageBoxRecorder boxes;
    app->CloseAllDocuments(FALSE);
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    if (frame->MDIGetActive() == nullptr) frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CDocument* doc = child->GetActiveDocument();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "shell-open-test.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    app->CloseAllDocuments(FALSE);
    Idle();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    CDocument* opened = app->OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    Idle();
    ASSERT_NE(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(frame->MDIGetActive()->GetActiveDocument(), opened);
    EXPECT_STREQ(opened->GetTitle(), "shell-open-test.cla");
    EXPECT_EQ(::GetMenu(frame->m_hWnd), app->m_pSlopeTemplate->m_hMenuShared);
    EXPECT_TRUE(boxes.texts.empty());
    app->CloseAllDocuments(FALSE);
    std::remove(path.c_str());
}

TEST_F(ShellTest, ACancelledCloseKeepsTheProgramsWindowsAndDropsTheUpdaterChosenForInstalling) {
    if (frame->MDIGetActive() == nullptr) frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CDocument* document = child->GetActiveDocument();
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(TRUE);
    CWebUpdateClient::SetPendingUpdater("C:\\Clastor\\UpdateBrevantics.exe", " -install \"x\"");
    frame->ShowDistributionStatistics(nullptr);
    ASSERT_NE(frame->m_pDistStatsDlg, nullptr);
    {
        MessageBoxRecorder boxes;
        MessageBoxRecorder::answer = IDCANCEL;  // the save prompt's Cancel
        frame->SendMessage(WM_CLOSE);
        EXPECT_FALSE(MessageBoxRecorder::texts.empty());
    }
    EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));
    EXPECT_FALSE(CWebUpdateClient::HasPendingUpdater());
    // The windows the close would have taken stay open.
    ASSERT_NE(frame->m_pDistStatsDlg, nullptr);
    EXPECT_TRUE(::IsWindow(frame->m_pDistStatsDlg->GetSafeHwnd()));
    frame->m_pDistStatsDlg->DestroyWindow();
    document->SetModifiedFlag(FALSE);
}
