// CWebUpdateClient: asks the maker's update service whether a newer version of
// the program exists, offers to install it through the maker's updater
// program, and checks once a day at start-up when the user agreed to it. The
// query runs on a worker thread of its own; its settings live in the registry
// under HKEY_CURRENT_USER\Software\Brevantics\<product> ("CheckWebAutomatic",
// "CheckWebDateTime"); the installed version is the installer's
// HKEY_LOCAL_MACHINE\Software\Brevantics\<product> "Version".
//
// The service answers with one line that holds a marker: "YES_UPDATE" (with
// the download address), "NO_UPDATE" or "NOT_FOUND". A download address is
// taken only when it is exactly an https address on the maker's host ending
// in ".exe" made of plain address characters (no quotes, blanks or other
// command-line characters); it is handed to the updater quoted. Any other
// reply is refused.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CWebUpdateClient {
public:
    CWebUpdateClient() = default;
    virtual ~CWebUpdateClient() = default;

    // Start-up: remembers the product, builds the query address, empties the
    // download folder (links in it are removed, never followed), asks once whether to check automatically, and starts
    // the automatic check when it is due. Returns StartCheck's result or 0.
    int Init(LPCSTR product);
    // The query part: product (blanks as "-") + "_" + installed version + "_";
    // empty when the installer's key is missing.
    static CString BuildQuery();
    // Starts a check on the worker thread and returns at once; 1 when a check
    // was started, 0 when none could be (no query address, or one running).
    static int StartCheck(BOOL bInteractive);
    static UINT CheckThread(LPVOID pParam);
    static bool IsCheckRunning();

    static bool IsAutomatic();
    static int ReadAutomatic();
    static void SetAutomatic(bool bAutomatic);
    static void ToggleAutomatic();
    static void SetNextCheck(int nDays);
    static bool IsCheckDue();
    static void RunUpdater();
    // The updater that Install chose waits here until the program has closed:
    // the application starts it on its way out, and a cancelled close drops it.
    static void SetPendingUpdater(const CString& program, const CString& parameters);
    static bool HasPendingUpdater();
    static void DropPendingUpdater();
    // Starts the waiting updater, if any, and forgets it; true when one started.
    static bool LaunchPendingUpdater();
    static CString GetAppPath();
    static void ClearTempFolder();
    static CString GetTempFolder();

    // What to do with one reply line (the markers, first match wins).
    enum Reply { kUpdate, kNoUpdate, kNotFound, kUnknown };
    static Reply ParseReply(const CString& line);
    // The download address of a "YES_UPDATE" line, or empty when the line
    // holds no acceptable one.
    static CString ExtractDownloadAddress(const CString& line);

    static void SetHistoryUrl(LPCSTR url) { s_strHistoryUrl = url; }
    static const CString& GetHistoryUrl() { return s_strHistoryUrl; }
    static const CString& GetQueryUrl() { return s_strQueryUrl; }
    static const CString& GetSettingsKey() { return s_strSettingsKey; }

    // Where the query goes and which host may serve downloads. The program
    // uses the maker's service; a test points these at a server of its own
    // before Init. Reset forgets what Init set up.
    static void SetService(LPCSTR queryBase, LPCSTR downloadHost);
    static void Reset();
    // How the updater is started: ShellExecuteA(NULL, "open", program,
    // parameters, NULL, SW_SHOWNORMAL). A test watches it instead.
    using LaunchFn = void (*)(LPCSTR program, LPCSTR parameters);
    static LaunchFn ReplaceLauncher(LaunchFn fn);

    // Days until the next automatic check after a silent "no update".
    static constexpr int s_nRemindDays = 1;

private:
    static void RunCheck(bool interactive);
    static void OnUpdateAvailable(const CString& line, bool interactive);

    static CString s_strProduct;
    static CString s_strSettingsKey;
    static CString s_strQueryUrl;
    static CString s_strHistoryUrl;
    static CString s_strQueryBase;
    static CString s_strDownloadHost;
};
