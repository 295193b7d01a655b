// Start-up pieces of the application object: the version text and the
// working directory kept between runs.
#include <gtest/gtest.h>

#include <direct.h>

#include <string>

#include "app/TalusimApp.h"
#include "app/WhatsNewDlg.h"
#include "app/WorkingDirectory.h"

TEST(Version, ProductVersionPartsMakeTheText) {
    VS_FIXEDFILEINFO info{};
    info.dwProductVersionMS = MAKELONG(0, 4);
    info.dwProductVersionLS = MAKELONG(7, 3);
    EXPECT_STREQ(CTalusimApp::FormatVersionOf(info, FALSE), "4.037");
    info.dwProductVersionMS = MAKELONG(1, 4);
    info.dwProductVersionLS = 0;
    EXPECT_STREQ(CTalusimApp::FormatVersionOf(info, FALSE), "4.100");
    info.dwFileFlags = VS_FF_PRERELEASE;
    EXPECT_STREQ(CTalusimApp::FormatVersionOf(info, TRUE), "4.100 Beta");
    EXPECT_STREQ(CTalusimApp::FormatVersionOf(info, FALSE), "4.100");
    // The test program carries the program's resources: the product is the
    // version its newest release notes describe.
    EXPECT_STREQ(CTalusimApp::FormatVersion(FALSE), "4.037");
    const CString notes = CWhatsNewDlg::ReleaseNotes();
    EXPECT_EQ(notes.Find("New in version " + CTalusimApp::FormatVersion(FALSE) + "\r\n"), 0);
}

namespace {

std::string CurrentDir() {
    char dir[MAX_PATH] = {};
    _getcwd(dir, MAX_PATH);
    return dir;
}

const char kKey[] = "Software\\Brevantics\\Clastor\\SaveDir";

} // namespace

TEST(WorkingDirectory, StoredAtCloseAndRestoredAtStart) {
    std::string start = CurrentDir();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    ASSERT_EQ(_chdir(temp), 0);
    std::string stored = CurrentDir();
    StoreWorkingDirectory();
    // Only the text and its terminator are stored.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD size = 0, type = 0;
    ::RegQueryValueExA(key, "CurDir", nullptr, &type, nullptr, &size);
    ::RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, stored.size() + 1);

    ASSERT_EQ(_chdir(start.c_str()), 0);
    EXPECT_TRUE(ReadSaveDirectory());
    EXPECT_EQ(CurrentDir(), stored);
    ASSERT_EQ(_chdir(start.c_str()), 0);
}

TEST(WorkingDirectory, AValueWithoutTerminatorIsReadSafely) {
    std::string start = CurrentDir();
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string dir(temp);
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    // Written without its terminator, as another program might.
    ::RegSetValueExA(key, "CurDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.data()),
                     static_cast<DWORD>(dir.size()));
    ::RegCloseKey(key);
    EXPECT_TRUE(ReadSaveDirectory());
    char now[MAX_PATH] = {};
    _getcwd(now, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(now, dir.c_str()), 0);
    ASSERT_EQ(_chdir(start.c_str()), 0);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    EXPECT_FALSE(ReadSaveDirectory());
}
