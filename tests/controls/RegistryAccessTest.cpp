#include <gtest/gtest.h>
#include "framework/RegistryAccess.h"
#include "framework/Gdi.h"

namespace {

const char kTestKey[] = "Software\\ClastorTests\\RegistryAccess";

// Every test works under its own key below HKCU and removes it afterwards.
class RegistryAccessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        ASSERT_TRUE(reg.SetKey(kTestKey, TRUE, KEY_ALL_ACCESS));
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ClastorTests");
    }
    CRegistryAccess reg;
};

} // namespace

TEST_F(RegistryAccessTest, RootKeysAndKeySelection)
{
    EXPECT_FALSE(reg.SetRootKey(HKEY_CURRENT_CONFIG));
    EXPECT_FALSE(reg.SetRootKey(HKEY_PERFORMANCE_DATA));
    EXPECT_EQ(reg.m_hRootKey, HKEY_CURRENT_USER);
    EXPECT_TRUE(reg.SetRootKey(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(reg.m_hRootKey, HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reg.SetRootKey(HKEY_CURRENT_USER));

    // Opening a missing key fails and keeps the previous path.
    EXPECT_FALSE(reg.SetKey(CString(kTestKey) + "\\Missing", FALSE, KEY_ALL_ACCESS));
    EXPECT_NE(reg.m_lLastError, 0);
    EXPECT_EQ(CString(kTestKey), reg.m_strKeyPath);
    EXPECT_TRUE(reg.DeleteKey(CString(kTestKey) + "\\Missing"));

    EXPECT_TRUE(reg.CreateKey(CString(kTestKey) + "\\Sub"));
    EXPECT_TRUE(reg.KeyExists(CString(kTestKey) + "\\Sub"));
    EXPECT_TRUE(reg.SetKey(kTestKey, FALSE, KEY_ALL_ACCESS));
    EXPECT_EQ(reg.GetSubKeyCount(), 1);
    EXPECT_TRUE(reg.DeleteKey(CString(kTestKey) + "\\Sub"));
    EXPECT_FALSE(reg.KeyExists(CString(kTestKey) + "\\Sub"));
    EXPECT_EQ(reg.GetSubKeyCount(), 0);

    // An empty path is the root key itself.
    CRegistryAccess root;
    EXPECT_TRUE(root.SetKey("", FALSE, KEY_ALL_ACCESS));
    EXPECT_TRUE(root.m_strKeyPath.IsEmpty());
    EXPECT_TRUE(root.KeyExists("Software"));
}

TEST_F(RegistryAccessTest, TypedValuesRoundTripAsBinary)
{
    EXPECT_TRUE(reg.WriteInt("int", -17));
    EXPECT_TRUE(reg.WriteColour("colour", 0x00332211));
    EXPECT_TRUE(reg.WriteBool("bool", TRUE));
    EXPECT_TRUE(reg.WriteDouble("double", 2.5));
    EXPECT_TRUE(reg.WriteDword("dword", 0xDEADBEEF));
    EXPECT_EQ(reg.ReadInt("int", 0), -17);
    EXPECT_EQ(reg.ReadColour("colour", 0), 0x00332211u);
    EXPECT_EQ(reg.ReadBool("bool", FALSE), TRUE);
    EXPECT_EQ(reg.ReadDouble("double", 0), 2.5);
    EXPECT_EQ(reg.ReadDword("dword", 0), 0xDEADBEEFu);
    EXPECT_EQ(reg.GetValueType("int"), (DWORD)REG_BINARY);
    EXPECT_EQ(reg.GetValueSize("int"), 4);
    EXPECT_EQ(reg.GetValueSize("double"), 8);
    EXPECT_EQ(reg.GetValueCount(), 5);

    // Missing values, and values of the wrong size, give the default.
    EXPECT_EQ(reg.ReadInt("missing", 99), 99);
    const unsigned char twelve[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_ALL_ACCESS, &hKey), ERROR_SUCCESS);
    ::RegSetValueExA(hKey, "twelve", 0, REG_BINARY, twelve, sizeof twelve);
    ::RegCloseKey(hKey);
    EXPECT_EQ(reg.ReadDouble("twelve", -1.0), -1.0);

    const unsigned char in16[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
    unsigned char out16[16] = {};
    EXPECT_TRUE(reg.WriteRecord16("rec", in16));
    EXPECT_TRUE(reg.ReadRecord16("rec", out16));
    EXPECT_EQ(memcmp(in16, out16, 16), 0);
    unsigned char out8[8] = {};
    EXPECT_FALSE(reg.ReadRecord8("rec", out8));

    EXPECT_TRUE(reg.DeleteValue("rec"));
    EXPECT_FALSE(reg.ValueExists("rec"));
    EXPECT_FALSE(reg.DeleteValue("rec"));
}

TEST_F(RegistryAccessTest, StringsUpTo254Characters)
{
    const CString s254('x', 254), s255('y', 255);
    EXPECT_TRUE(reg.WriteString("s", s254));
    EXPECT_EQ(reg.ReadString("s", "default"), s254);
    EXPECT_EQ(reg.GetValueType("s"), (DWORD)REG_SZ);
    EXPECT_FALSE(reg.WriteString("t", s255));
    EXPECT_FALSE(reg.ValueExists("t"));
    EXPECT_TRUE(reg.WriteInt("bin", 5));
    EXPECT_EQ(reg.ReadString("bin", "default"), CString("default"));
    EXPECT_EQ(reg.ReadString("missing", "default"), CString("default"));

    // A longer text stored by someone else does not fit the reader's buffer.
    const CString s300('z', 300);
    HKEY hKey;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_ALL_ACCESS, &hKey), ERROR_SUCCESS);
    ::RegSetValueExA(hKey, "long", 0, REG_SZ, (const BYTE*)(LPCSTR)s300, 301);
    ::RegSetValueExA(hKey, "expand", 0, REG_EXPAND_SZ, (const BYTE*)"%TEMP%", 7);
    ::RegCloseKey(hKey);
    EXPECT_EQ(reg.ReadString("long", "default"), CString("default"));
    EXPECT_EQ(reg.ReadString("expand", "default"), CString("%TEMP%"));
}

TEST_F(RegistryAccessTest, WritesNeedAnExistingKey)
{
    CRegistryAccess other;
    other.m_strKeyPath = CString(kTestKey) + "\\NotThere";
    EXPECT_FALSE(other.WriteInt("x", 1));
    EXPECT_EQ(other.ReadInt("x", 7), 7);
    EXPECT_FALSE(reg.KeyExists(CString(kTestKey) + "\\NotThere"));
}

TEST_F(RegistryAccessTest, ExchangeServesBothDirections)
{
    bool flag = true;
    BOOL b = TRUE;
    int n = 42;
    double d = 0.25;
    COLORREF c = RGB(1, 2, 3);
    CString text = "hello";
    reg.SetStoring(true);
    EXPECT_TRUE(reg.ExchangeFlag("flag", &flag));
    EXPECT_TRUE(reg.ExchangeBool("b", &b));
    reg.ExchangeInt("n", &n);
    reg.ExchangeDouble("d", &d);
    reg.ExchangeColour("c", &c);
    reg.ExchangeString("text", &text);

    flag = false;
    b = FALSE;
    n = 0;
    d = 0;
    c = 0;
    text.Empty();
    bool missing = true;
    reg.SetStoring(false);
    EXPECT_TRUE(reg.ExchangeFlag("flag", &flag));
    EXPECT_TRUE(reg.ExchangeBool("b", &b));
    reg.ExchangeInt("n", &n);
    reg.ExchangeDouble("d", &d);
    reg.ExchangeColour("c", &c);
    reg.ExchangeString("text", &text);
    EXPECT_TRUE(reg.ExchangeFlag("missing", &missing));   // the default stays
    EXPECT_TRUE(flag);
    EXPECT_EQ(b, TRUE);
    EXPECT_EQ(n, 42);
    EXPECT_EQ(d, 0.25);
    EXPECT_EQ(c, RGB(1, 2, 3));
    EXPECT_EQ(text, CString("hello"));
    EXPECT_TRUE(missing);
}

TEST_F(RegistryAccessTest, FontsAsLogfont)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    EXPECT_TRUE(reg.WriteFont("font", &font));
    EXPECT_EQ(reg.GetValueSize("font"), (int)sizeof(LOGFONTA));

    CFont loaded;
    ASSERT_TRUE(loaded.CreateFont(-8, 0, 0, 0, FW_NORMAL, FALSE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ before = loaded.GetSafeHandle();
    EXPECT_FALSE(reg.ReadFont("nofont", &loaded));
    EXPECT_EQ(loaded.GetSafeHandle(), before);
    EXPECT_TRUE(reg.ReadFont("font", &loaded));
    LOGFONTA lf;
    loaded.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, TRUE);
}

TEST_F(RegistryAccessTest, DateTimesAsTwelveBytes)
{
    // 1 January 2000, 12:00 is day 36526.5 of the automation date scale.
    const COleDateTime noon(2000, 1, 1, 12, 0, 0);
    EXPECT_DOUBLE_EQ(noon.m_dt, 36526.5);
    EXPECT_TRUE(reg.WriteDateTime("when", noon));
    EXPECT_EQ(reg.GetValueSize("when"), 12);
    const COleDateTime back = reg.ReadDateTime("when", COleDateTime());
    EXPECT_EQ(back, noon);
    EXPECT_EQ(back.GetStatus(), COleDateTime::valid);

    // A missing value gives the default; so does one of another size.
    const COleDateTime fallback(1999, 12, 31, 0, 0, 0);
    EXPECT_EQ(reg.ReadDateTime("missing", fallback), fallback);
    EXPECT_TRUE(reg.WriteDouble("eight", 1.0));
    EXPECT_EQ(reg.ReadDateTime("eight", fallback), fallback);

    // A span of whole days moves the moment by that many days.
    EXPECT_DOUBLE_EQ((noon + COleDateTimeSpan(3, 0, 0, 0)).m_dt, 36529.5);
    EXPECT_DOUBLE_EQ((COleDateTime(2000, 1, 4, 12, 0, 0) - noon).GetTotalDays(), 3.0);
    EXPECT_TRUE(noon < COleDateTime::GetCurrentTime());
}
