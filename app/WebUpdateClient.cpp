#include "app/WebUpdateClient.h"

#include <shellapi.h>

#include <atomic>
#include <cctype>
#include <mutex>

#include "app/MakerContact.h"
#include "app/PercentEncoding.h"
#include "app/UpdateAvailableDlg.h"
#include "framework/RegistryAccess.h"
#include "framework/Internet.h"
#include "framework/MessageBox.h"
#include "framework/OleDateTime.h"
#include "framework/WinApp.h"

CString CWebUpdateClient::s_strProduct;
CString CWebUpdateClient::s_strSettingsKey;
CString CWebUpdateClient::s_strQueryUrl;
CString CWebUpdateClient::s_strHistoryUrl;
CString CWebUpdateClient::s_strQueryBase = MakerContact::kUpdateQuery;
CString CWebUpdateClient::s_strDownloadHost = MakerContact::kUpdateHost;

namespace {

// The updater chosen for installing, waiting for the program to close.
std::mutex g_pendingMutex;
CString g_pendingProgram;
CString g_pendingParameters;

// One check at a time: taken on the thread that asks for a check, before the
// worker starts, and given back by the worker when it ends.
std::atomic<bool> g_checkRunning{false};

void ShellLaunch(LPCSTR program, LPCSTR parameters) {
    ::ShellExecuteA(nullptr, "open", program, parameters, nullptr, SW_SHOWNORMAL);
}
CWebUpdateClient::LaunchFn g_launch = ShellLaunch;

// Letters, digits and ".-_" as they are; anything else percent-encoded.
CString EncodeQueryText(const CString& text) { return PercentEncode(text, ".-_"); }

bool IsAddressPathCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == '~' || c == '/';
}

void DeleteBelow(const CString& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE h = ::FindFirstFileA(folder + "\\*.*", &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const CString name = found.cFileName;
        if (name == "." || name == "..") continue;
        const CString path = folder + "\\" + name;
        const DWORD attributes = found.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            // A junction or a linked folder: the link goes, never what it points to.
            ::RemoveDirectoryA(path);
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteBelow(path);
            ::RemoveDirectoryA(path);
        } else {
            ::DeleteFileA(path);
        }
    } while (::FindNextFileA(h, &found));
    ::FindClose(h);
}

const char kFirstRunQuestion[] =
    "Would you like to enable automatic updates feature?\n\nIf you choose YES, %s will connect to Brevantics\n"
    "website once a day to check if there is a free update or patch available.\n\nNo personal information will be "
    "transmitted - only program name and version number.\n\nYou can also enable or disable this feature at any "
    "time by going to\nHelp -> Product Updates menu option";

} // namespace

// ---- set-up ----

void CWebUpdateClient::SetService(LPCSTR queryBase, LPCSTR downloadHost) {
    s_strQueryBase = queryBase != nullptr ? queryBase : MakerContact::kUpdateQuery;
    s_strDownloadHost = downloadHost != nullptr ? downloadHost : MakerContact::kUpdateHost;
}

void CWebUpdateClient::Reset() {
    s_strProduct.Empty();
    s_strSettingsKey.Empty();
    s_strQueryUrl.Empty();
}

CWebUpdateClient::LaunchFn CWebUpdateClient::ReplaceLauncher(LaunchFn fn) {
    LaunchFn previous = g_launch;
    g_launch = fn != nullptr ? fn : ShellLaunch;
    return previous == ShellLaunch ? nullptr : previous;
}

int CWebUpdateClient::Init(LPCSTR product) {
    if (s_strProduct.IsEmpty()) s_strProduct = product;
    if (s_strSettingsKey.IsEmpty()) {
        s_strSettingsKey = CString("Software\\Brevantics\\") + product;
        const CString query = BuildQuery();
        s_strQueryUrl = query.IsEmpty() ? CString() : s_strQueryBase + query;
    }
    ClearTempFolder();
    if (!s_strSettingsKey.IsEmpty()) {
        CRegistryAccess registry;
        if (!registry.SetKey(s_strSettingsKey, FALSE, KEY_ALL_ACCESS) || !registry.ValueExists("CheckWebAutomatic")) {
            CString question;
            question.Format(kFirstRunQuestion, static_cast<LPCSTR>(s_strProduct));
            SetAutomatic(AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES);
        }
    }
    if (IsAutomatic() && IsCheckDue()) return StartCheck(FALSE);
    return 0;
}

CString CWebUpdateClient::BuildQuery() {
    CRegistryAccess registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (s_strSettingsKey.IsEmpty() || !registry.SetKey(s_strSettingsKey, FALSE, KEY_READ)) return CString();
    CString product = s_strProduct;
    product.Replace(' ', '-');
    return EncodeQueryText(product) + "_" + EncodeQueryText(registry.ReadString("Version", CString())) + "_";
}

// ---- the check ----

bool CWebUpdateClient::IsCheckRunning() { return g_checkRunning.load(); }

int CWebUpdateClient::StartCheck(BOOL bInteractive) {
    if (s_strSettingsKey.IsEmpty() || s_strQueryUrl.IsEmpty()) return 0;
    bool idle = false;
    if (!g_checkRunning.compare_exchange_strong(idle, true)) return 0;  // one is running: this request does nothing
    if (AfxBeginThread(CheckThread, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(bInteractive ? 1 : 0)),
                       THREAD_PRIORITY_NORMAL, 0, 0, nullptr) == nullptr) {
        g_checkRunning = false;
        return 0;
    }
    return 1;
}

UINT CWebUpdateClient::CheckThread(LPVOID pParam) {
    try {
        RunCheck(reinterpret_cast<INT_PTR>(pParam) == 1);
    } catch (...) {
        // Nothing of a failed check may reach the program; the next request tries again.
    }
    g_checkRunning = false;
    return 0;
}

void CWebUpdateClient::RunCheck(bool interactive) {
    if (s_strQueryUrl.IsEmpty() || s_strProduct.IsEmpty()) return;
    CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG);
    DWORD state = 0;
    session.QueryOption(INTERNET_OPTION_CONNECTED_STATE, state);
    if (!(state & INTERNET_STATE_CONNECTED)) {
        if (interactive) AfxMessageBox("You must activate your Internet connection, before using this feature");
        return;
    }
    CString line;
    bool read = false;
    try {
        CInternetFile* file = session.OpenURL(
            s_strQueryUrl, 1, INTERNET_FLAG_RELOAD | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_TRANSFER_BINARY);
        try {
            read = file->ReadString(line) != FALSE;
        } catch (...) {
            delete file;
            throw;
        }
        file->Close();
        delete file;
    } catch (CException* e) {
        if (interactive) e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return;
    }
    session.Close();
    if (!read) return;
    switch (ParseReply(line)) {
    case kUpdate: OnUpdateAvailable(line, interactive); break;
    case kNoUpdate:
        if (interactive)
            AfxMessageBox("This is the latest version available");
        else
            SetNextCheck(s_nRemindDays);
        break;
    case kNotFound:
        if (interactive)
            AfxMessageBox("Unable to determine update status\nPlease visit the Brevantics Website to determine\nif "
                          "updates are available");
        break;
    case kUnknown:
        if (interactive) AfxMessageBox("Error\nPlease contact technical support");
        break;
    }
}

void CWebUpdateClient::OnUpdateAvailable(const CString& line, bool interactive) {
    const CString address = ExtractDownloadAddress(line);
    if (address.IsEmpty()) {
        // A reply that names no trustworthy download is refused, whatever it claims.
        if (interactive)
            AfxMessageBox("The update service's answer could not be used.\nPlease visit the Brevantics Website to "
                          "determine\nif updates are available",
                          MB_ICONEXCLAMATION);
        return;
    }
    CUpdateAvailableDlg dialog;
    dialog.m_strHistoryUrl = s_strHistoryUrl;
    if (dialog.DoModal() != IDOK) return;
    switch (dialog.m_nChoice) {
    case CUpdateAvailableDlg::kInstall: {
        // The updater replaces the program's files, so it starts only once the
        // program has really closed: the program closes the normal way, asking to
        // save what is modified, and starts it on its way out. A close the user
        // cancels drops it.
        SetPendingUpdater(GetAppPath() + "UpdateBrevantics.exe", " -install \"" + address + "\"");
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd->GetSafeHwnd() != nullptr)
            ::PostMessageA(app->m_pMainWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
        else
            LaunchPendingUpdater();  // no window to close: nothing holds the program's files
        break;
    }
    case CUpdateAvailableDlg::kRemind: SetNextCheck(dialog.m_nDays); break;
    case CUpdateAvailableDlg::kNever: SetAutomatic(false); break;
    default: break;
    }
}

CWebUpdateClient::Reply CWebUpdateClient::ParseReply(const CString& line) {
    if (line.Find("YES_UPDATE") >= 0) return kUpdate;
    if (line.Find("NO_UPDATE") >= 0) return kNoUpdate;
    if (line.Find("NOT_FOUND") >= 0) return kNotFound;
    return kUnknown;
}

CString CWebUpdateClient::ExtractDownloadAddress(const CString& line) {
    const CString site = "https://" + s_strDownloadHost + "/";
    CString lower = line;
    lower.MakeLower();
    CString siteLower = site;
    siteLower.MakeLower();
    const int start = lower.Find(siteLower);
    // The address is a word of its own, not the tail of another address.
    if (start < 0 || (start > 0 && !std::isspace(static_cast<unsigned char>(line[start - 1])))) return CString();
    // The address runs to the next blank or the end of the line.
    int end = start;
    while (end < line.GetLength() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
    const CString address = line.Mid(start, end - start);
    const CString path = address.Mid(site.GetLength());
    if (path.GetLength() <= 4) return CString();
    for (int i = 0; i < path.GetLength(); ++i)
        if (!IsAddressPathCharacter(path[i])) return CString();
    CString tail = path.Right(4);
    tail.MakeLower();
    if (tail != ".exe") return CString();
    return address;
}

// ---- settings ----

int CWebUpdateClient::ReadAutomatic() {
    if (s_strSettingsKey.IsEmpty()) return 0;
    CRegistryAccess registry;
    if (!registry.SetKey(s_strSettingsKey, FALSE, KEY_ALL_ACCESS)) return 1;
    return registry.ReadBool("CheckWebAutomatic", 1);
}

bool CWebUpdateClient::IsAutomatic() { return !s_strSettingsKey.IsEmpty() && ReadAutomatic() > 0; }

void CWebUpdateClient::SetAutomatic(bool bAutomatic) {
    if (s_strSettingsKey.IsEmpty()) return;
    CRegistryAccess registry;
    if (!registry.SetKey(s_strSettingsKey, TRUE, KEY_ALL_ACCESS)) return;
    registry.WriteBool("CheckWebAutomatic", bAutomatic ? TRUE : FALSE);
    registry.DeleteValue("CheckWebDateTime");
}

void CWebUpdateClient::ToggleAutomatic() {
    if (!s_strSettingsKey.IsEmpty()) SetAutomatic(!IsAutomatic());
}

void CWebUpdateClient::SetNextCheck(int nDays) {
    if (s_strSettingsKey.IsEmpty()) return;
    CRegistryAccess registry;
    if (!registry.SetKey(s_strSettingsKey, TRUE, KEY_ALL_ACCESS)) return;
    registry.WriteDateTime("CheckWebDateTime",
                           COleDateTime::GetCurrentTime() + COleDateTimeSpan(static_cast<long>(nDays), 0, 0, 0));
}

bool CWebUpdateClient::IsCheckDue() {
    CRegistryAccess registry;
    if (s_strSettingsKey.IsEmpty() || !registry.SetKey(s_strSettingsKey, FALSE, KEY_ALL_ACCESS)) return true;
    const COleDateTime now = COleDateTime::GetCurrentTime();
    return now >= registry.ReadDateTime("CheckWebDateTime", now);
}

// ---- the updater and its download folder ----

void CWebUpdateClient::SetPendingUpdater(const CString& program, const CString& parameters) {
    std::lock_guard<std::mutex> lock(g_pendingMutex);
    g_pendingProgram = program;
    g_pendingParameters = parameters;
}

bool CWebUpdateClient::HasPendingUpdater() {
    std::lock_guard<std::mutex> lock(g_pendingMutex);
    return !g_pendingProgram.IsEmpty();
}

void CWebUpdateClient::DropPendingUpdater() { SetPendingUpdater(CString(), CString()); }

bool CWebUpdateClient::LaunchPendingUpdater() {
    CString program, parameters;
    {
        std::lock_guard<std::mutex> lock(g_pendingMutex);
        program = g_pendingProgram;
        parameters = g_pendingParameters;
        g_pendingProgram.Empty();
        g_pendingParameters.Empty();
    }
    if (program.IsEmpty()) return false;
    g_launch(program, parameters);
    return true;
}

void CWebUpdateClient::RunUpdater() { g_launch(GetAppPath() + "UpdateBrevantics.exe", nullptr); }

CString CWebUpdateClient::GetAppPath() {
    char path[MAX_PATH] = {};
    if (::GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) return CString();
    CString dir(path);
    const int slash = dir.ReverseFind('\\');
    return slash >= 0 ? dir.Left(slash + 1) : CString();
}

CString CWebUpdateClient::GetTempFolder() {
    char path[MAX_PATH] = {};
    if (::GetTempPathA(MAX_PATH, path) == 0) return CString();
    return CString(path) + "BrevanticsUpdateTemp";
}

void CWebUpdateClient::ClearTempFolder() {
    const CString folder = GetTempFolder();
    if (!folder.IsEmpty()) DeleteBelow(folder);
}
