// The product update check against a loopback HTTP server: the query it
// sends, what each reply does, the dialog's choices, the download addresses
// it refuses, one check at a time, and failures without a network.
#include "LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "app/UpdateAvailableDlg.h"
#include "app/WebUpdateClient.h"
#include "framework/RegistryAccess.h"
#include "framework/MessageBox.h"
#include "framework/OleDateTime.h"
#include "framework/WinApp.h"
#include "res/dialogs-update.h"

namespace {

const char kProduct[] = "Clastor Update Test";
const char kKey[] = "Software\\Brevantics\\Clastor Update Test";

// Message boxes of any thread, answered with `answer`.
struct Boxes {
    static inline std::mutex mutex;
    static inline std::vector<std::string> texts;
    static inline int answer = IDOK;
    static int Hook(LPCSTR text, UINT) {
        std::lock_guard<std::mutex> lock(mutex);
        texts.emplace_back(text != nullptr ? text : "");
        return answer;
    }
    Boxes() {
        texts.clear();
        answer = IDOK;
        previous = AfxSetMessageBoxHook(&Hook);
    }
    ~Boxes() { AfxSetMessageBoxHook(previous); }
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(mutex);
        return texts;
    }
    AfxMessageBoxHook previous = nullptr;
};

// The updater as it would be started.
struct Launches {
    static inline std::mutex mutex;
    static inline std::vector<std::pair<std::string, std::string>> seen;
    static void Record(LPCSTR program, LPCSTR parameters) {
        std::lock_guard<std::mutex> lock(mutex);
        seen.emplace_back(program != nullptr ? program : "", parameters != nullptr ? parameters : "");
    }
    Launches() {
        seen.clear();
        CWebUpdateClient::ReplaceLauncher(&Record);
    }
    ~Launches() { CWebUpdateClient::ReplaceLauncher(nullptr); }
};

void WriteVersion(const char* version) {
    CRegistryAccess machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.SetKey(kKey, TRUE, KEY_ALL_ACCESS));
    machine.WriteString("Version", version);
}

bool WaitForCheck() {
    for (int i = 0; i < 300 && CWebUpdateClient::IsCheckRunning(); ++i) ::Sleep(20);
    return !CWebUpdateClient::IsCheckRunning();
}

// The update dialog shown by the worker, once it shows (its controls filled).
HWND WaitForDialog() {
    for (int i = 0; i < 250; ++i) {
        HWND dialog = ::FindWindowA("#32770", "Free Update Available !");
        if (dialog != nullptr && ::IsWindowVisible(dialog)) return dialog;
        ::Sleep(20);
    }
    return nullptr;
}

// Ticks one of the dialog's three choices as a click would.
void Choose(HWND dialog, int id) {
    for (int choice : {IDC_UPDATE_INSTALL, IDC_UPDATE_REMIND, IDC_UPDATE_NEVER})
        ::SendDlgItemMessageA(dialog, choice, BM_SETCHECK, choice == id ? BST_CHECKED : BST_UNCHECKED, 0);
}

COleDateTime StoredNextCheck() {
    CRegistryAccess user;
    if (!user.SetKey(kKey, FALSE, KEY_ALL_ACCESS)) return COleDateTime();
    return user.ReadDateTime("CheckWebDateTime", COleDateTime());
}

class WebUpdateClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        CRegistryAccess user;
        user.DeleteKey(kKey);
        user.SetKey(kKey, TRUE, KEY_ALL_ACCESS);
        user.WriteBool("CheckWebAutomatic", FALSE);  // asked before; no automatic check at Init
        WriteVersion("4.037");
        CWebUpdateClient::Reset();
        CWebUpdateClient::SetService((server.Base() + "//IUpdate/IUpdate.dll?UpdateAvailable?").c_str(), nullptr);
        CWebUpdateClient client;
        client.Init(kProduct);
    }
    void TearDown() override {
        WaitForCheck();
        CWebUpdateClient::Reset();
        CWebUpdateClient::SetService(nullptr, nullptr);
    }
    // One interactive or silent check with the reply given; the boxes it showed.
    std::vector<std::string> Check(const std::string& reply, bool interactive, int status = 200) {
        server.SetReply(reply, status);
        Boxes boxes;
        EXPECT_EQ(CWebUpdateClient::StartCheck(interactive), 1);
        EXPECT_TRUE(WaitForCheck());
        return boxes.Texts();
    }

    LoopbackHttpServer server;
};

const char kGood[] = "https://www.brevantics.example/downloads/ClastorUpdate.exe";

}  // namespace

TEST_F(WebUpdateClientTest, AsksTheServiceForTheInstalledVersion)
{
    EXPECT_EQ(CWebUpdateClient::BuildQuery(), "Clastor-Update-Test_4.037_");
    Check("NO_UPDATE", true);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET //IUpdate/IUpdate.dll?UpdateAvailable?Clastor-Update-Test_4.037_ HTTP/1.", 0),
              0u)
        << requests[0];
    // The program's own address is https on the maker's host.
    CWebUpdateClient::SetService(nullptr, nullptr);
    CWebUpdateClient::Reset();
    CWebUpdateClient client;
    client.Init(kProduct);
    EXPECT_EQ(CWebUpdateClient::GetQueryUrl(),
              "https://www.brevantics.example//IUpdate/IUpdate.dll?UpdateAvailable?Clastor-Update-Test_4.037_");
}

TEST_F(WebUpdateClientTest, RepliesWithoutAnUpdate)
{
    const struct {
        const char* reply;
        int status;
        const char* box;  // shown in an interactive check; none in a silent one
    } cases[] = {
        {"NO_UPDATE", 200, "This is the latest version available"},
        {"NOT_FOUND", 200,
         "Unable to determine update status\nPlease visit the Brevantics Website to determine\nif updates are available"},
        {"<html>Service unavailable</html>", 200, "Error\nPlease contact technical support"},
        {"NO_UPDATE", 500, nullptr},  // an HTTP error: the system's own message
    };
    for (const auto& c : cases) {
        const auto interactive = Check(c.reply, true, c.status);
        ASSERT_EQ(interactive.size(), 1u) << c.reply;
        if (c.box != nullptr) EXPECT_EQ(interactive[0], c.box);
        EXPECT_TRUE(Check(c.reply, false, c.status).empty()) << c.reply;
    }
}

TEST_F(WebUpdateClientTest, SilentNoUpdateMovesTheNextCheckOneDayAhead)
{
    EXPECT_TRUE(CWebUpdateClient::IsCheckDue());
    Check("NO_UPDATE", true);
    EXPECT_TRUE(CWebUpdateClient::IsCheckDue());  // an interactive answer stores nothing
    Check("NO_UPDATE", false);
    const double days = (StoredNextCheck() - COleDateTime::GetCurrentTime()).GetTotalDays();
    EXPECT_GT(days, 0.99);
    EXPECT_LE(days, 1.0);
    EXPECT_FALSE(CWebUpdateClient::IsCheckDue());
}

TEST_F(WebUpdateClientTest, InstallingStartsTheUpdaterWithTheQuotedAddressOnly)
{
    Launches launches;
    // Without a main window there is nothing to close first: the updater starts at once.
    CWinApp* app = AfxGetApp();
    CWnd* const mainWnd = app != nullptr ? app->m_pMainWnd : nullptr;
    if (app != nullptr) app->m_pMainWnd = nullptr;
    struct Restore {
        CWinApp* app;
        CWnd* wnd;
        ~Restore() { if (app != nullptr) app->m_pMainWnd = wnd; }
    } restore{app, mainWnd};
    server.SetReply(std::string("exe YES_UPDATE NO_UPDATE ") + kGood);
    Boxes boxes;
    ASSERT_EQ(CWebUpdateClient::StartCheck(TRUE), 1);
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_UPDATE_INSTALL), BST_CHECKED);
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForCheck());
    ASSERT_EQ(Launches::seen.size(), 1u);
    const std::string program = Launches::seen[0].first;
    EXPECT_EQ(program.substr(program.size() - 20), "UpdateBrevantics.exe");
    EXPECT_EQ(Launches::seen[0].second, std::string(" -install \"") + kGood + "\"");
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(WebUpdateClientTest, RemindLaterAndNeverAgain)
{
    Launches launches;
    server.SetReply(std::string("YES_UPDATE ") + kGood);
    ASSERT_EQ(CWebUpdateClient::StartCheck(TRUE), 1);
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    // Days outside 1..60 are refused by the dialog; it stays open.
    {
        Boxes boxes;
        Choose(dialog, IDC_UPDATE_REMIND);
        ::SetDlgItemTextA(dialog, IDC_UPDATE_DAYS, "61");
        ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(boxes.Texts().size(), 1u);
        EXPECT_TRUE(::IsWindow(dialog));
    }
    ::SetDlgItemTextA(dialog, IDC_UPDATE_DAYS, "7");
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForCheck());
    const double days = (StoredNextCheck() - COleDateTime::GetCurrentTime()).GetTotalDays();
    EXPECT_GT(days, 6.99);
    EXPECT_LE(days, 7.0);
    EXPECT_TRUE(Launches::seen.empty());

    CWebUpdateClient::SetAutomatic(true);
    ASSERT_EQ(CWebUpdateClient::StartCheck(FALSE), 1);
    dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, IDC_UPDATE_NEVER);
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForCheck());
    EXPECT_FALSE(CWebUpdateClient::IsAutomatic());
    EXPECT_TRUE(Launches::seen.empty());
}

TEST_F(WebUpdateClientTest, RefusesDownloadAddressesItCannotTrust)
{
    Launches launches;
    const char* replies[] = {
        "YES_UPDATE http://www.brevantics.example/downloads/ClastorUpdate.exe",           // not https
        "YES_UPDATE https://www.brevantics.example.attacker.test/ClastorUpdate.exe",      // another host
        "YES_UPDATE https://attacker.test/https://www.brevantics.example/Update.exe",     // inside another address
        "YES_UPDATE https://www.brevantics.example@attacker.test/Update.exe",             // user info
        "YES_UPDATE https://www.brevantics.example/Update.exe\" -run \"C:\\evil.exe",    // quote and arguments
        "YES_UPDATE https://www.brevantics.example/a&calc.exe",                           // command characters
        "YES_UPDATE https://www.brevantics.example/Update.exe?x=1",                       // not ending in .exe
        "YES_UPDATE https://www.brevantics.example/Update.zip",
        "YES_UPDATE",                                                                      // no address at all
    };
    for (const char* reply : replies) {
        EXPECT_EQ(CWebUpdateClient::ExtractDownloadAddress(reply), "") << reply;
        const auto boxes = Check(reply, true);
        ASSERT_EQ(boxes.size(), 1u) << reply;
        EXPECT_NE(boxes[0].find("could not be used"), std::string::npos);
        EXPECT_EQ(::FindWindowA("#32770", "Free Update Available !"), nullptr);
        EXPECT_TRUE(Check(reply, false).empty()) << reply;
    }
    EXPECT_TRUE(Launches::seen.empty());
    EXPECT_EQ(CWebUpdateClient::ExtractDownloadAddress((std::string("exe YES_UPDATE ") + kGood + " trailing words").c_str()),
              kGood);
}

TEST_F(WebUpdateClientTest, TwoQuickRequestsStartOneCheck)
{
    server.SetReply("NO_UPDATE", 200, 300);
    Boxes boxes;
    EXPECT_EQ(CWebUpdateClient::StartCheck(FALSE), 1);
    EXPECT_EQ(CWebUpdateClient::StartCheck(TRUE), 0);
    ASSERT_TRUE(WaitForCheck());
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(boxes.Texts().empty());
    // Once it is over, the next request checks again.
    EXPECT_EQ(CWebUpdateClient::StartCheck(TRUE), 1);
    ASSERT_TRUE(WaitForCheck());
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(WebUpdateClientTest, NoServiceFailsWithAMessageOnlyWhenAsked)
{
    // Nothing listens on the port of a server that has gone.
    std::string gone;
    {
        LoopbackHttpServer other;
        gone = other.Base();
    }
    CWebUpdateClient::Reset();
    CWebUpdateClient::SetService((gone + "//IUpdate/IUpdate.dll?UpdateAvailable?").c_str(), nullptr);
    CWebUpdateClient client;
    client.Init(kProduct);
    Boxes boxes;
    ASSERT_EQ(CWebUpdateClient::StartCheck(TRUE), 1);
    ASSERT_TRUE(WaitForCheck());
    EXPECT_EQ(boxes.Texts().size(), 1u);
    ASSERT_EQ(CWebUpdateClient::StartCheck(FALSE), 1);
    ASSERT_TRUE(WaitForCheck());
    EXPECT_EQ(boxes.Texts().size(), 1u);

    // Without the installer's key there is no query address and no check.
    CRegistryAccess machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    machine.DeleteKey(kKey);
    CWebUpdateClient::Reset();
    client.Init(kProduct);
    EXPECT_EQ(CWebUpdateClient::GetQueryUrl(), "");
    EXPECT_EQ(CWebUpdateClient::StartCheck(TRUE), 0);
}

TEST_F(WebUpdateClientTest, FirstStartAsksOnceAndAutomaticChecksWhenDue)
{
    CRegistryAccess user;
    user.DeleteKey(kKey);
    CWebUpdateClient::Reset();
    Boxes boxes;
    Boxes::answer = IDYES;
    server.ClearRequests();
    CWebUpdateClient client;
    EXPECT_EQ(client.Init(kProduct), 1);  // agreed, and due at once: a silent check
    ASSERT_TRUE(WaitForCheck());
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0].rfind("Would you like to enable automatic updates feature?\n\nIf you choose YES, "
                                     "Clastor Update Test will connect to Brevantics\n",
                                     0),
              0u);
    EXPECT_TRUE(CWebUpdateClient::IsAutomatic());
    EXPECT_EQ(server.Requests().size(), 1u);
    // The silent "no update" put the next check a day ahead: the next start does not check or ask.
    CWebUpdateClient::Reset();
    EXPECT_EQ(client.Init(kProduct), 0);
    EXPECT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(server.Requests().size(), 1u);
    // Turning automatic checks off and on makes the next check due at once.
    CWebUpdateClient::ToggleAutomatic();
    EXPECT_FALSE(CWebUpdateClient::IsAutomatic());
    CWebUpdateClient::ToggleAutomatic();
    EXPECT_TRUE(CWebUpdateClient::IsCheckDue());
}

TEST_F(WebUpdateClientTest, TheChosenUpdaterWaitsForTheProgramToCloseAndStartsOnce)
{
    Launches launches;
    CWebUpdateClient::SetPendingUpdater("C:\\Clastor\\UpdateBrevantics.exe", " -install \"x\"");
    EXPECT_TRUE(Launches::seen.empty());
    EXPECT_TRUE(CWebUpdateClient::HasPendingUpdater());
    EXPECT_TRUE(CWebUpdateClient::LaunchPendingUpdater());
    EXPECT_FALSE(CWebUpdateClient::LaunchPendingUpdater());
    ASSERT_EQ(Launches::seen.size(), 1u);
    EXPECT_EQ(Launches::seen[0].second, " -install \"x\"");
    CWebUpdateClient::SetPendingUpdater("C:\\Clastor\\UpdateBrevantics.exe", "");
    CWebUpdateClient::DropPendingUpdater();
    EXPECT_FALSE(CWebUpdateClient::LaunchPendingUpdater());
    EXPECT_EQ(Launches::seen.size(), 1u);
}

namespace {

bool WriteFile(const CString& path, const char* text) {
    HANDLE h = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    ::WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    ::CloseHandle(h);
    return true;
}

bool Exists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// A symbolic link at `link` to the folder `target`, made the way a link on the
// disc under Wine is made: by the system's own ln. False where that cannot be
// done (not under Wine).
bool MakeFolderLink(const CString& link, const CString& target) {
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameFn>(
        ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
    if (unixName == nullptr) return false;
    auto unixPath = [&](const CString& path) {
        wchar_t wide[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
        const char* name = unixName(wide);
        return std::string(name != nullptr ? name : "");
    };
    const CString parent = link.Left(link.ReverseFind('\\'));
    const std::string from = unixPath(target), into = unixPath(parent);
    if (from.empty() || into.empty()) return false;
    std::string command =
        "/bin/ln -s \"" + from + "\" \"" + into + "/" + std::string(link.Mid(parent.GetLength() + 1)) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    // A program of the host system is not waited for through its handle: look for the link.
    for (int i = 0; i < 250 && !Exists(link); ++i) ::Sleep(20);
    return Exists(link);
}

}  // namespace

TEST(WebUpdateTempFolder, StartUpEmptiesTheDownloadFolderWithoutFollowingLinks)
{
    const CString folder = CWebUpdateClient::GetTempFolder();
    ASSERT_FALSE(folder.IsEmpty());
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const CString outside = CString(temp) + "ClastorUpdateLinkTarget";
    ::CreateDirectoryA(folder, nullptr);
    ::CreateDirectoryA(folder + "\\sub", nullptr);
    ::CreateDirectoryA(outside, nullptr);
    ASSERT_TRUE(WriteFile(folder + "\\ClastorUpdate.exe", "old download"));
    ASSERT_TRUE(WriteFile(folder + "\\sub\\part.bin", "part"));
    ASSERT_TRUE(WriteFile(outside + "\\keep.txt", "the user's file"));
    const bool linked = MakeFolderLink(folder + "\\link", outside) && Exists(folder + "\\link\\keep.txt");

    CWebUpdateClient::ClearTempFolder();

    EXPECT_FALSE(Exists(folder + "\\ClastorUpdate.exe"));
    EXPECT_FALSE(Exists(folder + "\\sub"));
    EXPECT_TRUE(Exists(outside + "\\keep.txt")) << "a link in the download folder was followed";
    // Windows removes the link itself as a folder; Wine cannot remove a link of
    // the host system that way, so only what it leads to is checked here.
    if (linked) ::DeleteFileA(folder + "\\link");
    ::DeleteFileA(outside + "\\keep.txt");
    ::RemoveDirectoryA(outside);
    if (!linked) GTEST_SKIP() << "no folder link could be made here; the plain clean-up was checked";
}
