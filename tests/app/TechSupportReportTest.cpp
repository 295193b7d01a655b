// The parts of the technical-support report: the system's name by its
// version, the processor's key with values missing, memory and the mail
// link's encoding.
#include <gtest/gtest.h>

#include <string>

#include "app/TechSupportDlg.h"

TEST(TechSupportReport, NamesTheSystemByItsPlatformAndVersion) {
    const struct {
        DWORD platform, major, minor;
        const char* name;
    } cases[] = {
        {VER_PLATFORM_WIN32s, 3, 10, "Windows 3.1"},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, "Windows 95"},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, "Windows 98"},
        {VER_PLATFORM_WIN32_NT, 4, 0, "Windows NT"},
        {VER_PLATFORM_WIN32_NT, 5, 0, "Windows 2000"},
        {VER_PLATFORM_WIN32_NT, 5, 1, "Windows XP"},
        {VER_PLATFORM_WIN32_NT, 6, 0, "Windows Vista"},
        {VER_PLATFORM_WIN32_NT, 6, 1, "Windows 7"},
        {VER_PLATFORM_WIN32_NT, 6, 2, "Windows 8"},
        {VER_PLATFORM_WIN32_NT, 6, 3, "Windows 8.1"},
        {VER_PLATFORM_WIN32_NT, 10, 0, "Windows 10"},
        {VER_PLATFORM_WIN32_NT, 5, 2, "Windows NT"}, // a release without a name of its own
        {7, 1, 0, "Unable to determine OS"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(CTechSupportDlg::OsName(c.platform, c.major, c.minor), c.name)
            << c.platform << " " << c.major << "." << c.minor;
}

TEST(TechSupportReport, SystemLinesWithAndWithoutServicePack) {
    OSVERSIONINFOA nt{};
    nt.dwPlatformId = VER_PLATFORM_WIN32_NT;
    nt.dwMajorVersion = 6;
    nt.dwMinorVersion = 1;
    nt.dwBuildNumber = 7601;
    EXPECT_STREQ(CTechSupportDlg::FormatOs(nt), "OS: Windows 7\r\nOS Version (Major: 6  Minor: 1 Build: 7601)\r\n");
    strcpy(nt.szCSDVersion, "Service Pack 1");
    EXPECT_STREQ(CTechSupportDlg::FormatOs(nt),
                 "OS: Windows 7\r\nOS Version (Major: 6  Minor: 1 Build: 7601)\r\nService Pack 1\r\n");

    // The older family keeps its version in the build number's high word.
    OSVERSIONINFOA w98{};
    w98.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    w98.dwMajorVersion = 4;
    w98.dwMinorVersion = 10;
    w98.dwBuildNumber = MAKELONG(2222, 0x040A);
    EXPECT_STREQ(CTechSupportDlg::FormatOs(w98), "OS: Windows 98\r\nOS Version (Major: 4  Minor: 10 Build: 2222)\r\n");

    OSVERSIONINFOA real;
    ASSERT_TRUE(CTechSupportDlg::QueryOsVersion(&real));
    EXPECT_GE(real.dwMajorVersion, 5u);
}

TEST(TechSupportReport, ProcessorLinesFromWhatTheKeyHolds) {
    const char* kKey = "Software\\Brevantics\\ClastorTest\\Processor";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    EXPECT_STREQ(CTechSupportDlg::FormatProcessor(HKEY_CURRENT_USER, kKey), "");

    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char vendor[] = "GenuineTest";
    ::RegSetValueExA(key, "VendorIdentifier", 0, REG_SZ, reinterpret_cast<const BYTE*>(vendor), sizeof(vendor));
    EXPECT_STREQ(CTechSupportDlg::FormatProcessor(HKEY_CURRENT_USER, kKey), "CPU Vendor: GenuineTest\r\n");

    DWORD mhz = 2400;
    ::RegSetValueExA(key, "~MHz", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mhz), sizeof(mhz));
    EXPECT_STREQ(CTechSupportDlg::FormatProcessor(HKEY_CURRENT_USER, kKey),
                 "CPU Speed: 2400 Mhz CPU Vendor: GenuineTest\r\n");

    // A speed alone still ends its line.
    ::RegDeleteValueA(key, "VendorIdentifier");
    EXPECT_STREQ(CTechSupportDlg::FormatProcessor(HKEY_CURRENT_USER, kKey), "CPU Speed: 2400 Mhz \r\n");

    // A vendor text that fills the whole buffer without its end is cut, not overrun.
    const std::string longVendor(100, 'V');
    ::RegSetValueExA(key, "VendorIdentifier", 0, REG_BINARY, reinterpret_cast<const BYTE*>(longVendor.data()), 63);
    EXPECT_EQ(std::string(CTechSupportDlg::FormatProcessor(HKEY_CURRENT_USER, kKey)),
              "CPU Speed: 2400 Mhz CPU Vendor: " + std::string(63, 'V') + "\r\n");
    ::RegCloseKey(key);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brevantics\\ClastorTest");
}

TEST(TechSupportReport, MemoryInKilobytesAndScreen) {
    MEMORYSTATUS status{};
    status.dwTotalPhys = SIZE_T{8} * 1024 * 1024 * 1024; // beyond 32 bits
    status.dwAvailPhys = 1536 * 1024;
    status.dwTotalVirtual = SIZE_T{128} * 1024 * 1024 * 1024 * 1024;
    EXPECT_STREQ(CTechSupportDlg::FormatMemory(status), "Total Physical Memory:   8388608 KB\r\n"
                                                       "Available Physical Memory:      1536 KB\r\n"
                                                       "Total Virtual Memory: 137438953472 KB\r\n");
    EXPECT_STREQ(CTechSupportDlg::FormatScreen(1280, 1024, 32), "Screen resolution: 1280 by 1024, at 32 bits per pixel\r\n");
}

TEST(TechSupportReport, TheMailBodyIsEncodedWhole) {
    EXPECT_STREQ(CTechSupportDlg::PercentEncode("Program: Clastor\r\nA&B=C?D#E%F+G~h_i.j-k\xE9"),
                 "Program%3A%20Clastor%0D%0AA%26B%3DC%3FD%23E%25F%2BG~h_i.j-k%E9");
    EXPECT_STREQ(CTechSupportDlg::MailLink("a b"),
                 "mailto:support@brevantics.example?subject=Technical_Support&body=a%20b");
}
