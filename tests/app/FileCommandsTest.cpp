// The File menu's commands on slope documents, as the user chooses them from
// the frame's menu (the file dialog answered by the test), the recent-file
// list, and a document named on the command line.
#include <cstdlib>
#include <string>

#include "ShellFixture.h"
#include "app/DocumentLink.h"
#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"
#include "view/TalusimView.h"

namespace {

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// The file dialog, answered with the file the user would choose.
struct ChosenFile {
    static inline std::string path;
    static inline int asked = 0;
    static inline BOOL open = FALSE;
    static INT_PTR Answer(CCommonDialog* dlg) {
        auto* file = dynamic_cast<CFileDialog*>(dlg);
        if (file == nullptr) return IDCANCEL;
        ++asked;
        open = file->m_bOpenFileDialog;
        file->SetPathName(path.c_str());
        return IDOK;
    }
    explicit ChosenFile(const std::string& chosen) {
        path = chosen;
        asked = 0;
        previous = AfxSetCommonDialogHook(&Answer);
    }
    ~ChosenFile() { AfxSetCommonDialogHook(previous); }
    AfxCommonDialogHook previous = nullptr;
};

} // namespace

class FileCommands : public ShellTest {
protected:
    void SetUp() override {
        MessageBoxRecorder boxes;
        app->CloseAllDocuments(FALSE);
        Idle();
    }

    static void Command(UINT id) {
        frame->SendMessage(WM_COMMAND, id);
        Idle();
    }

    static CTalusimDoc* ActiveSlopeDocument() {
        CView* view = ActiveChildView();
        return ShellLink::IsSlopeView(view) ? static_cast<CTalusimView*>(view)->GetDocument() : nullptr;
    }

    static int WindowCount() {
        int n = 0;
        for (HWND h = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
            if (::GetWindow(h, GW_OWNER) == nullptr) ++n;
        return n;
    }

    // A slope typed into the command line and ended, as the user draws one.
    static void TypeSlope(CTalusimDoc* doc) {
        auto* view = static_cast<CTalusimView*>(ActiveChildView());
        doc->BeginDefineSlope();
        for (const char* p : {"0,30", "20,15", "40,10"}) {
            frame->m_wndPromptBar.SetDlgItemText(IDC_COMMAND_LINE, p);
            view->SendDoneEvent();
        }
        view->SendDoneEvent();
    }

    static int SlopeVertexCount(CTalusimDoc* doc) { return doc->GetSlope() ? doc->GetSlope()->GetVertexCount() : 0; }
};

TEST_F(FileCommands, NewSaveCloseReopenOpenAndSaveAsFromTheMenu) {
    MessageBoxRecorder boxes;
    const std::string first = TempPath("shell-file-journey.cla");
    const std::string second = TempPath("shell-file-journey-2.cla");
    ::DeleteFileA(first.c_str());
    ::DeleteFileA(second.c_str());

    Command(ID_FILE_NEW);
    ASSERT_EQ(WindowCount(), 1);
    CTalusimDoc* doc = ActiveSlopeDocument();
    ASSERT_NE(doc, nullptr);
    TypeSlope(doc);
    ASSERT_EQ(SlopeVertexCount(doc), 3);
    EXPECT_TRUE(doc->IsModified());

    // Save of an untitled document asks for a name.
    {
        ChosenFile chosen(first);
        Command(ID_FILE_SAVE);
        EXPECT_EQ(ChosenFile::asked, 1);
        EXPECT_FALSE(ChosenFile::open);
    }
    EXPECT_NE(::GetFileAttributesA(first.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_STREQ(doc->GetTitle(), "shell-file-journey.cla");
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    EXPECT_EQ(lstrcmpiA((*app->m_pRecentFileList)[0], first.c_str()), 0);

    // Close of a saved document asks nothing; the recent file brings it back.
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(WindowCount(), 0);
    Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(WindowCount(), 1);
    doc = ActiveSlopeDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(SlopeVertexCount(doc), 3);

    // Close of a changed document asks; No closes it and leaves the file as saved.
    doc->SetModifiedFlag(TRUE);
    MessageBoxRecorder::answers.push_back(IDNO);
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(MessageBoxRecorder::texts.size(), 1u);
    EXPECT_NE(MessageBoxRecorder::texts[0].find("shell-file-journey.cla"), std::string::npos);
    EXPECT_EQ(WindowCount(), 0);

    // Open asks for the file; Save As writes a second one under the new name.
    {
        ChosenFile chosen(first);
        Command(ID_FILE_OPEN);
        EXPECT_TRUE(ChosenFile::open);
    }
    doc = ActiveSlopeDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(SlopeVertexCount(doc), 3);
    {
        ChosenFile chosen(second);
        Command(ID_FILE_SAVE_AS);
        EXPECT_EQ(ChosenFile::asked, 1);
    }
    EXPECT_STREQ(doc->GetTitle(), "shell-file-journey-2.cla");
    EXPECT_NE(::GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(lstrcmpiA((*app->m_pRecentFileList)[0], second.c_str()), 0);
    EXPECT_EQ(lstrcmpiA((*app->m_pRecentFileList)[1], first.c_str()), 0);
    EXPECT_EQ(MessageBoxRecorder::texts.size(), 1u);

    // The list is kept under the program's key for the next start.
    app->SaveStdProfileSettings();
    EXPECT_EQ(lstrcmpiA(app->GetProfileString("Recent File List", "File1"), second.c_str()), 0);
    EXPECT_EQ(lstrcmpiA(app->GetProfileString("Recent File List", "File2"), first.c_str()), 0);
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brevantics\\Clastor\\Recent File List", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    if (key != nullptr) ::RegCloseKey(key);

    app->CloseAllDocuments(FALSE);
    ::DeleteFileA(first.c_str());
    ::DeleteFileA(second.c_str());
}

TEST_F(FileCommands, ADocumentNamedOnTheCommandLineOpensInASlopeWindow) {
    MessageBoxRecorder boxes;
    const std::string path = TempPath("shell-command-line.cla");
    {
        Command(ID_FILE_NEW);
        CTalusimDoc* doc = ActiveSlopeDocument();
        ASSERT_NE(doc, nullptr);
        TypeSlope(doc);
        ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
        app->CloseAllDocuments(FALSE);
        Idle();
    }
    // The program started as "clastor.exe <path>".
    int savedArgc = __argc;
    char** savedArgv = __argv;
    std::string exe = "clastor.exe";
    char* args[] = {exe.data(), const_cast<char*>(path.c_str()), nullptr};
    __argc = 2;
    __argv = args;
    CCommandLineInfo info;
    app->ParseCommandLine(info);
    __argc = savedArgc;
    __argv = savedArgv;
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    ASSERT_TRUE(app->ProcessShellCommand(info));
    Idle();
    CTalusimDoc* doc = ActiveSlopeDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_STREQ(doc->GetTitle(), "shell-command-line.cla");
    EXPECT_EQ(SlopeVertexCount(doc), 3);
    EXPECT_TRUE(boxes.texts.empty());

    // A file that cannot be read ends the start with the document layer's message.
    app->CloseAllDocuments(FALSE);
    Idle();
    CCommandLineInfo missing;
    missing.m_nShellCommand = CCommandLineInfo::FileOpen;
    missing.m_strFileName = TempPath("no-such-document.cla").c_str();
    EXPECT_FALSE(app->ProcessShellCommand(missing));
    EXPECT_EQ(boxes.texts.size(), 1u);
    ::DeleteFileA(path.c_str());
}
