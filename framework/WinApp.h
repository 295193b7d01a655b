// CWinThread (a thread with its message loop), CWinApp (the application
// object: start-up, the message loop with idle processing, the document
// templates, the profile in the registry, the recent-file list and the
// command line) and CCommandLineInfo.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/AfxRes.h"
#include "framework/CmdTarget.h"
#include "framework/String.h"

#include "framework/Position.h"

class CWnd;
class CDocTemplate;
class CDocument;
class CRecentFileList;

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(Command, WM_COMMAND, CN_COMMAND, id, idLast, nullptr, return _self->memberFxn(_call.nID);)

using AFX_THREADPROC = UINT(__cdecl*)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    virtual CWnd* GetMainWnd();

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop: idle processing while the queue is empty, then one message at a time.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; false when it was WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work in steps: 0 updates the main window's command UI, 1 drops
    // temporary wrappers. True while more idle steps are wanted.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);

    // For AfxBeginThread.
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

private:
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
};

// Starts a worker thread running pfn(pParam). The CWinThread deletes itself
// when the thread ends (unless m_bAutoDelete is cleared before resuming a
// suspended thread).
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
CWinThread* AfxGetThread();

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // Called for each argument; bFlag when it began with - or /, without that character.
    virtual void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    int m_nPrintToArgs = 0;  // arguments still expected after /pt
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;

    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Resources.
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
    void Enable3dControls() {}
    void Enable3dControlsStatic() {}
    void SetDialogBkColor(COLORREF = RGB(192, 192, 192), COLORREF = RGB(0, 0, 0)) {}

    // The profile: values under HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // The data is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // Loads the recent-file list (nMaxMRU entries) and the standard settings.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

    // Document templates and documents.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetOpenDocumentCount() const;
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // Asks for a file name with the templates' filters; true when one was chosen.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    // Shell integration.
    void EnableShellOpen();
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    void UnregisterShellFileTypes();

    // Command line.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Printing: the default printer's settings, and a DC for them.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    BOOL CreatePrinterDC(class CDC& dc);

    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void DoWaitCursor(int nCode);

    // Standard command handlers that a program maps to its menu items.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    afx_msg void OnFilePrintSetup();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

protected:
    std::vector<CDocTemplate*> m_templates;
    BOOL m_bShellOpen = FALSE;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
LPCSTR AfxGetAppName();

// Runs the application object: InitInstance, then the message loop. The
// program's WinMain calls this with its own arguments.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// The most recently used files, shown in the File menu in place of ID_FILE_MRU_FILE1.
class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_names.size()); }
    CString operator[](int nIndex) const { return nIndex < GetCount() ? m_names[nIndex] : CString(); }
    // Puts the file first, removing an earlier entry for the same file.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();
    // The menu text for entry nIndex: the name, shortened to fit, relative to lpszCurDir when inside it.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

protected:
    std::vector<CString> m_names;
    int m_nSize;
    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
};

// Loads a library string, or the library's own English text when the program's
// string table has none with that id.
CString AfxLoadLibraryString(UINT nID);
