#include "app/TalusimApp.h"

#include "app/PageSetupDlg.h"

#include <shellapi.h>

#include <vector>

#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/DocumentLink.h"
#include "app/MainFrame.h"
#include "app/MakerContact.h"
#include "app/ProgramMenu.h"
#include "app/SplashWnd.h"
#include "app/TechSupportDlg.h"
#include "app/WhatsNewDlg.h"
#include "app/WorkingDirectory.h"
#include "controls/GLEnabledView.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "framework/Ole.h"
#include "editors/ModelDialogs.h"
#include "model/TalusimDoc.h"
#include "report/InfoViewer.h"
#include "report/InfoViewerFrame.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CTalusimApp, CWinApp)

namespace {

void ReplaceSharedMenu(CDocTemplate* t, HMENU menu) {
    if (t->m_hMenuShared != nullptr && t->m_hMenuShared != menu) ::DestroyMenu(t->m_hMenuShared);
    t->m_hMenuShared = menu;
}

} // namespace

CTalusimApp::CTalusimApp() = default;
CTalusimApp::~CTalusimApp() = default;

BOOL CTalusimApp::PreTranslateMessage(MSG* pMsg) {
    if (CSplashWnd::FilterAppMessage(pMsg)) return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

int CTalusimApp::ExitInstance() {
    // The program's windows are gone: an updater chosen for installing may start now.
    CWebUpdateClient::LaunchPendingUpdater();
    return CWinApp::ExitInstance();
}

BOOL CTalusimApp::InitInstance() {
    {
        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        CSplashWnd::EnableSplash(cmdInfo.m_bShowSplash);
    }
    if (!AfxOleInit()) {
        AfxMessageBox("OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
        return FALSE;
    }
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Brevantics");
    CPageSetupDlg::s_strAutoFormatsKey = "Software\\Brevantics\\SharedSettings\\MarginsAutoFormats\\";
    LoadStdProfileSettings(4);

    // The document's settings dialogs (snap, grid, units, initial conditions,
    // project settings, display options), unless the program installed its
    // view's services, which include them.
    static CModelDialogServices s_modelDialogs;
    if (&SlopeViewServices() == &DefaultSlopeViewServices())
        InstallSlopeViewServices(&s_modelDialogs);

    // The slope and graph windows show the views the program handed over, or
    // the document's empty view in a program without them.
    CRuntimeClass* slopeView = ShellLink::SlopeView().viewClass;
    CRuntimeClass* graphView = ShellLink::GraphView().viewClass;
    m_pSlopeTemplate = new CMultiDocTemplate(IDR_SLOPE_TEMPLATE, RUNTIME_CLASS(CTalusimDoc), RUNTIME_CLASS(CChildFrame),
                                             slopeView != nullptr ? slopeView : RUNTIME_CLASS(CGLEnabledView));
    AddDocTemplate(m_pSlopeTemplate);
    m_pGraphTemplate = new CMultiDocTemplate(IDR_GRAPH_TEMPLATE, RUNTIME_CLASS(CTalusimDoc), RUNTIME_CLASS(CChildFrame),
                                             graphView != nullptr ? graphView : RUNTIME_CLASS(CGLEnabledView));
    m_pReportTemplate = new CMultiDocTemplate(IDR_REPORT_TEMPLATE, RUNTIME_CLASS(CTalusimDoc),
                                              RUNTIME_CLASS(CInfoViewerFrame), RUNTIME_CLASS(CInfoViewer));
    AddDocTemplate(m_pReportTemplate);
    m_p3DTemplate = new CMultiDocTemplate(IDR_REPORT_TEMPLATE, RUNTIME_CLASS(CTalusimDoc), RUNTIME_CLASS(CChildFrame),
                                          RUNTIME_CLASS(CGLEnabledView));
    AddDocTemplate(m_p3DTemplate);

    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        delete frame;
        return FALSE;
    }
    m_pMainWnd = frame;

    ReplaceSharedMenu(m_pSlopeTemplate, frame->BuildDocumentMenu());
    HMENU defaultMenu = frame->BuildDefaultMenu();
    HMENU oldDefault = frame->m_hMenuDefault;
    frame->m_hMenuDefault = defaultMenu;
    frame->OnUpdateFrameMenu(defaultMenu);
    if (oldDefault != nullptr && oldDefault != defaultMenu) ::DestroyMenu(oldDefault);

    ReplaceSharedMenu(m_pReportTemplate, BuildProgramMenu(m_menuReport, IDR_REPORT_TEMPLATE));
    ReplaceSharedMenu(m_pGraphTemplate, BuildProgramMenu(m_menuGraph, IDR_GRAPH_TEMPLATE));

    frame->DragAcceptFiles(TRUE);
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);
    AddDocTemplate(m_pGraphTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) return TRUE;
    if (!ProcessShellCommand(cmdInfo)) return FALSE;

    frame->SetForegroundWindow();
    m_nCmdShow = SW_SHOWMAXIMIZED;
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    frame->RearrangeToolbars();
    ReadSaveDirectory();
    m_updateClient.Init("Clastor");
    CWebUpdateClient::SetHistoryUrl(MakerContact::kUpdateHistoryPage);
    m_strVersion = FormatVersion(FALSE);
    return TRUE;
}

// ---- version ----

CString CTalusimApp::FormatVersionOf(const VS_FIXEDFILEINFO& info, BOOL bMarkBeta) {
    CString text;
    text.Format("%u.%u%u%u", HIWORD(info.dwProductVersionMS), LOWORD(info.dwProductVersionMS),
                HIWORD(info.dwProductVersionLS), LOWORD(info.dwProductVersionLS));
    if (bMarkBeta && (info.dwFileFlags & VS_FF_PRERELEASE)) text += " Beta";
    return text;
}

CString CTalusimApp::FormatVersion(BOOL bMarkBeta) {
    char path[MAX_PATH] = {};
    if (::GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) return CString();
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return CString();
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoA(path, 0, size, data.data())) return CString();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || info == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return CString();
    return FormatVersionOf(*info, bMarkBeta);
}

// ---- web pages and manuals ----

void CTalusimApp::OpenUrl(LPCSTR url) { ::ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL); }

CString CTalusimApp::GetAppPath() { return CWebUpdateClient::GetAppPath(); }

void CTalusimApp::OpenManual(LPCSTR relativePath) {
    CString path = GetAppPath() + relativePath;
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(CString("The document could not be found:\n") + path, MB_ICONEXCLAMATION);
        return;
    }
    ::ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void CTalusimApp::OnContact() { OpenUrl(MakerContact::kContactPage); }
void CTalusimApp::OnHomePage() { OpenUrl(MakerContact::kHomePage); }
void CTalusimApp::OnFreeUpdates() { OpenUrl(MakerContact::kDownloadPage); }
void CTalusimApp::OnFaq() { OpenUrl(MakerContact::kQuestionsPage); }
void CTalusimApp::OnTutorialManual() { OpenManual("Manuals\\tutorial.pdf"); }
void CTalusimApp::OnDeterminingInputParameters() { OpenManual("Manuals\\CL_adv_tutorial_1.pdf"); }

void CTalusimApp::OnVerification(UINT nID) {
    switch (nID) {
    case ID_HELP_VERIFY_ANGULAR_VELOCITY: OpenManual("Verification\\angular_verification.pdf"); break;
    case ID_HELP_VERIFY_ENVELOPES: OpenManual("Verification\\graph verification.pdf"); break;
    case ID_HELP_VERIFY_PROBABILITY: OpenManual("Verification\\random_verification.pdf"); break;
    case ID_HELP_VERIFY_PROJECTILE: OpenManual("Verification\\projectile verification.pdf"); break;
    case ID_HELP_VERIFY_SLIDING: OpenManual("Verification\\sliding_verification.pdf"); break;
    case ID_HELP_VERIFY_THEORY: OpenManual("Verification\\thesis_body.pdf"); break;
    default: break;
    }
}

// ---- the Help menu's information dialogs ----

void CTalusimApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.m_strTitle = "About Clastor";
    dlg.m_strBuildDate = CString("Build date: ") + MakerContact::BuildDate();
    dlg.m_strVersion = "Clastor Version " + m_strVersion;
    dlg.m_hIcon = LoadIcon(IDR_MAINFRAME);
    dlg.DoModal();
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) frame->FocusCommandLine();
}

void CTalusimApp::OnWhatsNew() {
    CWhatsNewDlg dlg;
    dlg.m_strTitle = "What's New in Clastor Version " + m_strVersion;
    dlg.m_strVersion = "Clastor Version " + m_strVersion;
    dlg.m_strText = CWhatsNewDlg::ReleaseNotes();
    dlg.m_hIcon = LoadIcon(IDR_MAINFRAME);
    dlg.DoModal();
}

void CTalusimApp::OnTechnicalSupport() {
    CTechSupportDlg dlg;
    dlg.m_strProgram = "Clastor";
    dlg.m_strVersion = m_strVersion;
    dlg.DoModal();
}

// ---- product updates ----

bool CTalusimApp::AnyDocumentModified() const {
    for (CMultiDocTemplate* t : {m_pSlopeTemplate, m_pGraphTemplate, m_pReportTemplate, m_p3DTemplate}) {
        if (t == nullptr) continue;
        for (POSITION pos = t->GetFirstDocPosition(); pos != nullptr;)
            if (CDocument* doc = t->GetNextDoc(pos); doc != nullptr && doc->IsModified()) return true;
    }
    return false;
}

void CTalusimApp::OnCheckProductUpdates() {
    if (AnyDocumentModified()) {
        AfxMessageBox("Please save your document\nbefore checking for updates");
        return;
    }
    CWebUpdateClient::StartCheck(TRUE);
}

void CTalusimApp::OnCheckMakerUpdates() { CWebUpdateClient::RunUpdater(); }
void CTalusimApp::OnToggleAutomaticUpdates() { CWebUpdateClient::ToggleAutomatic(); }
void CTalusimApp::OnUpdateAutomaticUpdates(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(CWebUpdateClient::IsAutomatic() ? 1 : 0);
}

BEGIN_MESSAGE_MAP(CTalusimApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_WHATS_NEW, OnWhatsNew)
    ON_COMMAND(ID_HELP_TECHNICAL_SUPPORT, OnTechnicalSupport)
    ON_COMMAND(ID_FILE_PAGE_SETUP, OnFilePageSetup)
    ON_COMMAND(ID_HELP_CHECK_PRODUCT_UPDATES, OnCheckProductUpdates)
    ON_COMMAND(ID_HELP_CHECK_MAKER_UPDATES, OnCheckMakerUpdates)
    ON_COMMAND(ID_HELP_CHECK_UPDATES_AUTOMATICALLY, OnToggleAutomaticUpdates)
    ON_UPDATE_COMMAND_UI(ID_HELP_CHECK_UPDATES_AUTOMATICALLY, OnUpdateAutomaticUpdates)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
    ON_COMMAND(ID_HELP_CONTACT, OnContact)
    ON_COMMAND(ID_HELP_HOME_PAGE, OnHomePage)
    ON_COMMAND(ID_HELP_FREE_UPDATES, OnFreeUpdates)
    ON_COMMAND(ID_HELP_FAQ, OnFaq)
    ON_COMMAND(ID_HELP_TUTORIAL_MANUAL, OnTutorialManual)
    ON_COMMAND(ID_HELP_DETERMINING_INPUT_PARAMETERS, OnDeterminingInputParameters)
    ON_COMMAND_RANGE(ID_HELP_VERIFY_ANGULAR_VELOCITY, ID_HELP_VERIFY_THEORY, OnVerification)
END_MESSAGE_MAP()
