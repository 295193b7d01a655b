#include "framework/WinApp.h"

#include <commctrl.h>
#include <process.h>
#include <shlwapi.h>

#include <cstdlib>
#include <memory>

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/ImageList.h"
#include "framework/Frame.h"
#include "framework/HandleMap.h"
#include "framework/HandlerFailure.h"
#include "framework/View.h"
#include "framework/MessageBox.h"
#include "framework/ResourceHandle.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* theApp = nullptr;
thread_local CWinThread* currentThread = nullptr;

// The program's name strings live as long as the application.
LPCSTR DuplicateString(LPCSTR s) {
    if (s == nullptr) return nullptr;
    size_t n = lstrlenA(s) + 1;
    char* copy = new char[n];
    memcpy(copy, s, n);
    return copy;
}

void FreeString(LPCSTR& s) {
    delete[] s;
    s = nullptr;
}

} // namespace

CWinApp* AfxGetApp() { return theApp; }

CWinThread* AfxGetThread() { return currentThread ? currentThread : theApp; }

CWnd* AfxGetMainWnd() {
    CWinThread* thread = currentThread;
    if (thread != nullptr && thread->m_pMainWnd != nullptr) return thread->GetMainWnd();
    // A worker thread shares the application's main window.
    return theApp ? theApp->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return theApp && theApp->m_hInstance ? theApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

LPCSTR AfxGetAppName() { return theApp && theApp->m_pszAppName ? theApp->m_pszAppName : ""; }

CString AfxLoadLibraryString(UINT nID) {
    CString s;
    if (s.LoadString(nID)) return s;
    switch (nID) {
    case AFX_IDS_UNTITLED: return "Untitled";
    case AFX_IDS_ALLFILTER: return "All Files (*.*)";
    case AFX_IDS_OPENFILE: return "Open";
    case AFX_IDS_SAVEFILE: return "Save As";
    case AFX_IDS_SAVEFILECOPY: return "Save As";
    case AFX_IDS_IDLEMESSAGE: return "Ready";
    case AFX_IDP_INVALID_FILENAME: return "Invalid filename.";
    case AFX_IDP_FAILED_TO_OPEN_DOC: return "Failed to open document.";
    case AFX_IDP_FAILED_TO_SAVE_DOC: return "Failed to save document.";
    case AFX_IDP_ASK_TO_SAVE: return "Save changes to %1?";
    case AFX_IDP_FAILED_TO_CREATE_DOC: return "Failed to create empty document.";
    case AFX_IDP_FILE_TOO_LARGE: return "The file is too large to open.";
    case AFX_IDP_FAILED_TO_START_PRINT: return "Could not start print job.";
    case AFX_IDP_INTERNAL_FAILURE: return "An unsupported operation was attempted.";
    case AFX_IDP_COMMAND_FAILURE: return "Command failed.";
    case AFX_IDP_FAILED_MEMORY_ALLOC: return "Insufficient memory to perform operation.";
    case AFX_IDP_PARSE_INT: return "Please enter an integer.";
    case AFX_IDP_PARSE_REAL: return "Please enter a number.";
    case AFX_IDP_PARSE_INT_RANGE: return "Please enter an integer between %1 and %2.";
    case AFX_IDP_PARSE_REAL_RANGE: return "Please enter a number between %1 and %2.";
    case AFX_IDP_PARSE_STRING_SIZE: return "Please enter no more than %1 characters.";
    case AFX_IDP_PARSE_RADIO_BUTTON: return "Please select a button.";
    case AFX_IDP_PARSE_BYTE: return "Please enter an integer between 0 and 255.";
    case AFX_IDP_PARSE_UINT: return "Please enter a positive integer.";
    case AFX_IDP_FAILED_INVALID_FORMAT: return "Unexpected file format.";
    case AFX_IDP_FAILED_INVALID_PATH: return "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
    case AFX_IDP_FAILED_DISK_FULL: return "Destination disk drive is full.";
    case AFX_IDP_FAILED_ACCESS_READ: return "Unable to read from %1, it is opened by someone else.";
    case AFX_IDP_FAILED_ACCESS_WRITE: return "Unable to write to %1, it is read-only or opened by someone else.";
    case AFX_IDP_FAILED_IO_ERROR_READ: return "An unexpected error occurred while reading %1.";
    case AFX_IDP_FAILED_IO_ERROR_WRITE: return "An unexpected error occurred while writing %1.";
    default: return CString();
    }
}

// ---- CWinThread ----

CWinThread::~CWinThread() {
    if (m_hThread != nullptr) ::CloseHandle(m_hThread);
    if (currentThread == this) currentThread = nullptr;
}

CWnd* CWinThread::GetMainWnd() {
    if (m_pActiveWnd != nullptr) return m_pActiveWnd;
    return m_pMainWnd;
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinThread::Run() {
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            try {
                if (!OnIdle(idleCount++)) idle = FALSE;
            } catch (...) {
                // Idle work that fails is reported and waits for the next message.
                AfxReportHandlerFailure();
                idle = FALSE;
            }
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
    BOOL filtered = FALSE;
    try {
        filtered = PreTranslateMessage(&m_msgCur);
    } catch (...) {
        // A filter that fails has the message dropped, not the program.
        AfxReportHandlerFailure();
        filtered = TRUE;
    }
    if (!filtered) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == nullptr) return FALSE; // thread messages have no window to filter them
    CWnd* main = AfxGetMainWnd();
    HWND stop = main ? main->GetSafeHwnd() : nullptr;
    if (CWnd::WalkPreTranslateTree(stop, pMsg)) return TRUE;
    // A message for a window outside the main window's tree (a modeless
    // dialog) still gets the main window's accelerators.
    if (main != nullptr && stop != nullptr) {
        HWND top = pMsg->hwnd;
        while (::GetParent(top) != nullptr && (::GetWindowLongPtrA(top, GWL_STYLE) & WS_CHILD)) top = ::GetParent(top);
        if (top != stop && main->PreTranslateMessage(pMsg)) return TRUE;
    }
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    // A mouse that did not move and the paint and caret-blink messages do not restart idle work.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWnd* main = m_pMainWnd;
        if (main != nullptr && main->GetSafeHwnd() != nullptr && main->IsWindowVisible() && !main->IsIconic()) {
            // The frame and its control bars run their update handlers.
            main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CImageList::DeleteTempMap();
    }
    return FALSE;
}

namespace {

// What a worker leaves behind: its temporary wrappers and, unless kept, its thread object.
void FinishThread(BOOL bDelete) {
    CWinThread* thread = currentThread;
    if (thread == nullptr || thread == theApp) return;
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CImageList::DeleteTempMap();
    AfxTermThreadMaps();
    currentThread = nullptr;
    if (bDelete && thread->m_bAutoDelete) delete thread;
}

unsigned __stdcall ThreadEntry(void* param) {
    auto* thread = static_cast<CWinThread*>(param);
    currentThread = thread;
    UINT result = thread->m_pfnThreadProc(thread->m_pThreadParams);
    // Returning (rather than ending the thread from inside) lets the run time tidy up the thread.
    FinishThread(TRUE);
    return result;
}

} // namespace

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    unsigned id = 0;
    uintptr_t h = _beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &id);
    if (h == 0) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0) ::ResumeThread(m_hThread);
    return TRUE;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    auto* thread = new CWinThread;
    thread->m_pfnThreadProc = pfnThreadProc;
    thread->m_pThreadParams = pParam;
    // Start suspended so the priority is set before the function runs.
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
    return thread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
    FinishThread(bDelete);
    _endthreadex(nExitCode);
}

// ---- CCommandLineInfo ----

void CCommandLineInfo::ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL) {
    if (bFlag) {
        if (lstrcmpiA(lpszParam, "pt") == 0) {
            m_nShellCommand = FilePrintTo;
            m_nPrintToArgs = 3;
        } else if (lstrcmpiA(lpszParam, "p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (lstrcmpiA(lpszParam, "dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (lstrcmpiA(lpszParam, "Unregister") == 0 || lstrcmpiA(lpszParam, "Unregserver") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (lstrcmpiA(lpszParam, "Embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (lstrcmpiA(lpszParam, "Automation") == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = lpszParam;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo && m_nPrintToArgs > 0) {
        CString* targets[3] = {&m_strPrinterName, &m_strDriverName, &m_strPortName};
        *targets[3 - m_nPrintToArgs] = lpszParam;
        --m_nPrintToArgs;
    }
}

// ---- CWinApp ----

CWinApp::CWinApp(LPCSTR lpszAppName) {
    theApp = this;
    currentThread = this;
    m_pszAppName = DuplicateString(lpszAppName);
    m_nThreadID = ::GetCurrentThreadId();
}

CWinApp::~CWinApp() {
    for (CDocTemplate* t : m_templates) delete t;
    m_templates.clear();
    delete m_pRecentFileList;
    if (m_hDevMode) ::GlobalFree(m_hDevMode);
    if (m_hDevNames) ::GlobalFree(m_hDevNames);
    FreeString(m_pszAppName);
    FreeString(m_pszRegistryKey);
    FreeString(m_pszProfileName);
    FreeString(m_pszExeName);
    FreeString(m_pszHelpFilePath);
    if (theApp == this) theApp = nullptr;
    if (currentThread == this) currentThread = nullptr;
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return FALSE;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    AfxSetResourceHandle(hInstance);

    char path[MAX_PATH];
    ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    char* name = ::PathFindFileNameA(path);
    ::PathRemoveExtensionA(name);
    if (app->m_pszExeName == nullptr) app->m_pszExeName = DuplicateString(name);
    if (app->m_pszAppName == nullptr) {
        // The title from the string table, else the executable's name.
        CString title;
        app->m_pszAppName = DuplicateString(title.LoadString(AFX_IDS_APP_TITLE) ? static_cast<LPCSTR>(title) : name);
    }
    if (app->m_pszProfileName == nullptr) {
        ::PathRemoveFileSpecA(path);
        CString ini = CString(path) + "\\" + app->m_pszExeName + ".INI";
        app->m_pszProfileName = DuplicateString(ini);
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                              ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return -1;
    if (!app->InitInstance()) {
        // Nothing started: close what may have been created and leave.
        if (app->m_pMainWnd != nullptr && app->m_pMainWnd->GetSafeHwnd() != nullptr)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
    if (m_pRecentFileList != nullptr) SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run() {
    if (m_pMainWnd == nullptr) {
        // Nothing to show: leave at once rather than wait for a quit that never comes.
        ::PostQuitMessage(0);
    }
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) { return CWinThread::PreTranslateMessage(pMsg); }

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}
HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const { return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName); }
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}
HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const {
    return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
    return AfxShowMessageBox(nullptr, lpszPrompt, m_pszAppName, nType, nIDPrompt);
}

void CWinApp::DoWaitCursor(int nCode) { AfxDoWaitCursor(nCode); }

// ---- Profile ----

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    FreeString(m_pszRegistryKey);
    m_pszRegistryKey = DuplicateString(lpszRegistryKey);
    // With a registry key the profile is named after the application.
    FreeString(m_pszProfileName);
    m_pszProfileName = DuplicateString(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) return nullptr;
    CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) {
    HKEY app = GetAppRegistryKey();
    if (app == nullptr) return nullptr;
    HKEY key = nullptr;
    LONG rc = ::RegCreateKeyExA(app, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                &key, nullptr);
    ::RegCloseKey(app);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return nDefault;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG rc = ::RegQueryValueExA(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) ? value : static_cast<UINT>(nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
    if (m_pszRegistryKey == nullptr) {
        char text[16];
        wsprintfA(text, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG rc = ::RegSetValueExA(key, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
    if (m_pszRegistryKey == nullptr) {
        char text[4096];
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", text, sizeof(text),
                                   m_pszProfileName);
        return text;
    }
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return lpszDefault;
    DWORD type = 0, size = 0;
    CString value = lpszDefault;
    if (::RegQueryValueExA(key, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        CString read;
        LPSTR buffer = read.GetBuffer(static_cast<int>(size) + 1);
        if (::RegQueryValueExA(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) == ERROR_SUCCESS) {
            buffer[size] = 0; // the stored value need not end in a zero
            read.ReleaseBuffer();
            value = read;
        } else {
            read.ReleaseBuffer(0);
        }
    }
    ::RegCloseKey(key);
    return value;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
    if (m_pszRegistryKey == nullptr) return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == nullptr) {
        // No entry: the whole section goes.
        HKEY app = GetAppRegistryKey();
        if (app == nullptr) return FALSE;
        LONG rc = ::RegDeleteKeyA(app, lpszSection);
        ::RegCloseKey(app);
        return rc == ERROR_SUCCESS;
    }
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    LONG rc;
    if (lpszValue == nullptr) {
        rc = ::RegDeleteValueA(key, lpszEntry);
    } else {
        rc = ::RegSetValueExA(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), lstrlenA(lpszValue) + 1);
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
    *ppData = nullptr;
    *pBytes = 0;
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    DWORD type = 0, size = 0;
    BOOL ok = FALSE;
    if (::RegQueryValueExA(key, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY) {
        auto data = std::make_unique<BYTE[]>(size ? size : 1);
        if (::RegQueryValueExA(key, lpszEntry, nullptr, &type, data.get(), &size) == ERROR_SUCCESS) {
            *ppData = data.release();
            *pBytes = size;
            ok = TRUE;
        }
    }
    ::RegCloseKey(key);
    return ok;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes) {
    HKEY key = GetSectionKey(lpszSection);
    if (key == nullptr) return FALSE;
    LONG rc = ::RegSetValueExA(key, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

namespace {
const char recentFileSection[] = "Recent File List";
const char recentFileEntry[] = "File%d";
const char settingsSection[] = "Settings";
} // namespace

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU != 0) {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, recentFileSection, recentFileEntry, static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList();
    }
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList();
    (void)settingsSection;
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
    if (m_pRecentFileList != nullptr) m_pRecentFileList->Add(lpszPathName);
}

// ---- Templates and documents ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    pTemplate->LoadTemplate();
    m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    auto index = reinterpret_cast<uintptr_t>(pos) - 1;
    CDocTemplate* t = index < m_templates.size() ? m_templates[index] : nullptr;
    pos = index + 1 < m_templates.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return t;
}

int CWinApp::GetOpenDocumentCount() const {
    int count = 0;
    for (CDocTemplate* t : m_templates) {
        for (POSITION pos = t->GetFirstDocPosition(); pos != nullptr;) {
            t->GetNextDoc(pos);
            ++count;
        }
    }
    return count;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
    if (m_templates.empty()) return nullptr;
    char full[MAX_PATH];
    if (!::GetFullPathNameA(lpszFileName, MAX_PATH, full, nullptr)) lstrcpynA(full, lpszFileName, MAX_PATH);

    // The template whose extension fits, and a document that has the file open already.
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* open = nullptr;
    for (CDocTemplate* t : m_templates) {
        CDocument* doc = nullptr;
        CDocTemplate::Confidence match = t->MatchDocType(full, doc);
        if (match > bestMatch) {
            bestMatch = match;
            best = t;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            open = doc;
            break;
        }
    }
    if (open != nullptr) {
        // Bring its first view's frame forward instead of opening it twice.
        POSITION pos = open->GetFirstViewPosition();
        if (pos != nullptr) {
            CView* view = open->GetNextView(pos);
            if (CFrameWnd* frame = view->GetParentFrame()) frame->ActivateFrame();
        }
        return open;
    }
    if (best == nullptr) best = m_templates.front();
    return best->OpenDocumentFile(full);
}

BOOL CWinApp::SaveAllModified() {
    for (CDocTemplate* t : m_templates)
        if (!t->SaveAllModified()) return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    for (CDocTemplate* t : m_templates) t->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
    CString filter, defaultExt;
    auto appendFilter = [&](CDocTemplate* t) {
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
            t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
            if (defaultExt.IsEmpty()) defaultExt = ext.Mid(1);
            filter += name + "|*" + ext + "|";
        }
    };
    if (pTemplate != nullptr) {
        appendFilter(pTemplate);
    } else {
        for (CDocTemplate* t : m_templates) appendFilter(t);
    }
    filter += AfxLoadLibraryString(AFX_IDS_ALLFILTER) + "|*.*||";
    CString title = AfxLoadLibraryString(nIDSTitle);
    CFileDialog dlg(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(defaultExt),
                    fileName.IsEmpty() ? nullptr : static_cast<LPCSTR>(fileName), lFlags | OFN_ENABLESIZING, filter,
                    AfxGetMainWnd());
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK) return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void CWinApp::EnableShellOpen() { m_bShellOpen = TRUE; }

namespace {

void SetClassKey(LPCSTR key, LPCSTR value) {
    CString path = CString("Software\\Classes\\") + key;
    HKEY h;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
        ::RegCloseKey(h);
    }
}

} // namespace

void CWinApp::RegisterShellFileTypes(BOOL bCompat) {
    // The user's own class keys: registering needs no administrator rights.
    char exe[MAX_PATH];
    ::GetModuleFileNameA(m_hInstance, exe, MAX_PATH);
    CString quotedExe = CString("\"") + exe + "\"";
    int iconIndex = 0;
    for (CDocTemplate* t : m_templates) {
        ++iconIndex;
        CString typeId, typeName, ext;
        if (!t->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty()) continue;
        t->GetDocString(typeName, CDocTemplate::regFileTypeName);
        SetClassKey(typeId, typeName);
        SetClassKey(typeId + "\\DefaultIcon", CString(exe) + "," + CString(iconIndex == 1 ? "0" : "1"));
        SetClassKey(typeId + "\\shell\\open\\command", quotedExe + " \"%1\"");
        if (bCompat) {
            SetClassKey(typeId + "\\shell\\print\\command", quotedExe + " /p \"%1\"");
            SetClassKey(typeId + "\\shell\\printto\\command", quotedExe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        if (t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) SetClassKey(ext, typeId);
    }
}

void CWinApp::UnregisterShellFileTypes() {
    for (CDocTemplate* t : m_templates) {
        CString typeId, ext;
        if (!t->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty()) continue;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\Classes\\") + typeId);
        if (t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
            ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\Classes\\") + ext);
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (int i = 1; i < __argc; ++i) {
        LPCSTR param = __argv[i];
        BOOL flag = FALSE;
        if (param[0] == '-' || param[0] == '/') {
            flag = TRUE;
            ++param;
        }
        rCmdInfo.ParseParam(param, flag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint: {
        // Print without showing the program, then end.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr) return FALSE;
        if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;
    }
    case CCommandLineInfo::FileDDE:
        m_nCmdShow = SW_HIDE;
        return TRUE;
    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        return FALSE;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    return TRUE;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg) {
    if (m_hDevNames == nullptr) {
        PRINTDLGA pd{};
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT;
        if (!::PrintDlgA(&pd)) return FALSE;
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return TRUE;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(pd);
    if (!GetPrinterDeviceDefaults(&pd)) return FALSE;
    auto* names = static_cast<DEVNAMES*>(::GlobalLock(m_hDevNames));
    auto* mode = m_hDevMode ? static_cast<DEVMODEA*>(::GlobalLock(m_hDevMode)) : nullptr;
    auto* base = reinterpret_cast<LPCSTR>(names);
    BOOL ok = dc.CreateDC(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode);
    ::GlobalUnlock(m_hDevNames);
    if (mode) ::GlobalUnlock(m_hDevMode);
    return ok;
}

// ---- Standard commands ----

void CWinApp::OnFileNew() {
    // The templates that offer a new document by name; the first is used.
    for (CDocTemplate* t : m_templates) {
        CString name;
        if (t->GetDocString(name, CDocTemplate::fileNewName) && !name.IsEmpty()) {
            t->OpenDocumentFile(nullptr);
            return;
        }
    }
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
    OpenDocumentFile(fileName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnFilePrintSetup() {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(pd);
    GetPrinterDeviceDefaults(&pd);
    pd.hwndOwner = AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : nullptr;
    pd.Flags = PD_PRINTSETUP;
    if (::PrintDlgA(&pd)) {
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr) return FALSE;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetCount()) return FALSE;
    CString path = (*m_pRecentFileList)[index];
    // A file that can no longer be opened leaves the list.
    if (OpenDocumentFile(path) == nullptr) m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

// ---- CRecentFileList ----

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nSize(nSize), m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen) {}

void CRecentFileList::Add(LPCSTR lpszPathName) {
    char full[MAX_PATH];
    if (!::GetFullPathNameA(lpszPathName, MAX_PATH, full, nullptr)) lstrcpynA(full, lpszPathName, MAX_PATH);
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i].CompareNoCase(full) == 0) {
            m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    m_names.insert(m_names.begin(), CString(full));
    if (static_cast<int>(m_names.size()) > m_nSize) m_names.resize(m_nSize);
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < GetCount()) m_names.erase(m_names.begin() + nIndex);
}

void CRecentFileList::ReadList() {
    CWinApp* app = AfxGetApp();
    m_names.clear();
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString name = app->GetProfileString(m_strSectionName, entry);
        if (!name.IsEmpty()) m_names.push_back(name);
    }
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    // Rewrite the section so that entries beyond the list do not linger.
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetCount(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_names[i]);
    }
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
    if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
    CString path = m_names[nIndex];
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir &&
        path.Left(nCurDir).CompareNoCase(lpszCurDir) == 0 && path[nCurDir] == '\\') {
        path = path.Mid(nCurDir + 1);
    }
    if (path.GetLength() > m_nMaxDisplayLength) {
        char shortened[MAX_PATH];
        lstrcpynA(shortened, path, MAX_PATH);
        ::PathCompactPathExA(shortened, path, static_cast<UINT>(m_nMaxDisplayLength + 1), 0);
        path = shortened;
        if (bAtLeastName && path.Find('\\') < 0) path = ::PathFindFileNameA(m_names[nIndex]);
    }
    strName = path;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    CMenu* menu = pCmdUI->m_pMenu;
    if (GetCount() == 0) {
        // An empty list keeps the placeholder item, disabled.
        pCmdUI->Enable(FALSE);
        return;
    }
    // Asked for a chosen item (no menu to fill): the entry is there to open.
    if (menu == nullptr) return;
    // Replace the placeholder and any items left from the last time by the list.
    for (int i = 0; i < m_nSize; ++i) menu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);
    char dir[MAX_PATH];
    int dirLength = static_cast<int>(::GetCurrentDirectoryA(MAX_PATH, dir));
    for (int i = 0; i < GetCount(); ++i) {
        CString name;
        if (!GetDisplayName(name, i, dir, dirLength)) break;
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", (i + 1) % 10, static_cast<LPCSTR>(name));
        menu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, text);
    }
    // The caller's loop continues after the inserted items.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
