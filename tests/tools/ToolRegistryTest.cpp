// Default styles of the tool kinds in the registry, under a key of the tests'
// own that is removed before and after each test.
#include <gtest/gtest.h>

#include <windows.h>
#include "framework/RegistryAccess.h"
#include "tools/ToolArrow.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"

namespace {

const char* const kBase = "Software\\Brevantics\\ClastorTests\\EditTools\\";

class ToolRegistry : public ::testing::Test
{
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brevantics\\ClastorTests"); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brevantics\\ClastorTests"); }

    // The registry helper on a kind's key, created.
    static CRegistryAccess KeyOf(const char* kind)
    {
        CRegistryAccess reg;
        reg.SetKey(CString(kBase) + kind, TRUE, KEY_ALL_ACCESS);
        return reg;
    }
    static bool KeyExists(const char* kind)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, CString(kBase) + kind, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
};

} // namespace

TEST_F(ToolRegistry, SavedStyleIsTheDefaultOfNewToolsOfTheKind)
{
    CToolRectangle styled;
    styled.SetRegistryBase(kBase);
    styled.SetLineWeight(6);
    styled.SetColour(RGB(1, 2, 3));
    styled.SetIsFilled(true);
    styled.SetFillColor(RGB(200, 100, 50));
    styled.SetHatchStyleIndex(5);
    styled.SetIsExteriorLine(false);
    styled.SetMoveLocked(true);
    styled.SetAxisSpacing(2.5, 0.5);
    styled.SetArcAngles(10, 20);
    styled.SetPenLineStyle(PS_DASH);
    styled.SaveStyleToRegistry();

    CToolRectangle fresh;
    fresh.SetRegistryBase(kBase);
    fresh.LoadStyleFromRegistry();
    EXPECT_EQ(fresh.GetLineWeight(), 6);
    EXPECT_EQ(fresh.GetColour(), RGB(1, 2, 3));
    EXPECT_TRUE(fresh.GetIsFilled());
    EXPECT_EQ(fresh.GetFillColor(), RGB(200, 100, 50));
    EXPECT_EQ(fresh.GetHatchStyleIndex(), 5);
    EXPECT_FALSE(fresh.GetIsExteriorLine());
    EXPECT_TRUE(fresh.GetMoveLocked());
    double x = 0, y = 0;
    fresh.GetAxisSpacing(x, y);
    EXPECT_EQ(x, 2.5);
    EXPECT_EQ(y, 0.5);
    EXPECT_EQ(fresh.GetPenLineStyle(), PS_DASH);
    // Another kind has its own key and keeps its constructor's style.
    CToolCircle circle;
    circle.SetRegistryBase(kBase);
    circle.LoadStyleFromRegistry();
    EXPECT_EQ(circle.GetLineWeight(), 1);
    EXPECT_FALSE(KeyExists("Circle"));
}

TEST_F(ToolRegistry, NoKeyNameOrBaseTouchesNothing)
{
    CMeasure unnamed;   // the base has no kind name
    unnamed.SetRegistryBase(kBase);
    unnamed.SaveStyleToRegistry();
    CToolLine line;     // a kind without a base path
    line.SaveStyleToRegistry();
    line.SetLineWeight(4);
    line.LoadStyleFromRegistry();
    EXPECT_EQ(line.GetLineWeight(), 4);
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brevantics\\ClastorTests", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

TEST_F(ToolRegistry, StoredValuesGoThroughTheCheckedSetters)
{
    {
        CRegistryAccess reg = KeyOf("Line");
        reg.WriteInt("line_weight", 0);
        reg.WriteInt("hatch_style_index", 9);
        reg.WriteInt("dim_text_flag", 5);
        reg.WriteInt("pen_line_style", 77);
        reg.WriteInt("num_decimal_places", -4);
        reg.WriteDouble("x_axis_spacing", 0.0);
        reg.WriteInt("is_filled", 1);
        reg.WriteInt("arrow_at_tail", 3);
    }
    CToolLine line;
    line.SetRegistryBase(kBase);
    line.LoadStyleFromRegistry();
    EXPECT_EQ(line.GetLineWeight(), 1);
    EXPECT_EQ(line.GetHatchStyleIndex(), 2);
    EXPECT_EQ(line.GetDimTextFlag(), 12231);
    EXPECT_EQ(line.GetPenLineStyle(), PS_SOLID);
    EXPECT_EQ(line.GetNumDecimalPlaces(), 0);
    double x = 0, y = 0;
    line.GetAxisSpacing(x, y);
    EXPECT_EQ(x, 0.001);
    EXPECT_FALSE(line.GetIsFilled()) << "a line cannot fill";
    EXPECT_TRUE(line.GetArrowAtTail()) << "any number above 0 is set";
}

TEST_F(ToolRegistry, AKeyWithOnlyTheWeightChangesOnlyTheWeight)
{
    KeyOf("Arrow").WriteInt("line_weight", 8);
    CToolArrow arrow, plain;
    arrow.SetRegistryBase(kBase);
    arrow.LoadStyleFromRegistry();
    EXPECT_EQ(arrow.GetLineWeight(), 8);
    EXPECT_EQ(arrow.GetColour(), plain.GetColour());
    EXPECT_EQ(arrow.GetArrowAtHead(), plain.GetArrowAtHead());
    EXPECT_EQ(arrow.GetFillColor(), plain.GetFillColor());
}

TEST_F(ToolRegistry, FontsAreStoredOnlyForTextKindsButAlwaysRead)
{
    CToolArrow arrow;
    arrow.SetRegistryBase(kBase);
    arrow.SetFontFrom(20, FW_BOLD, false, "Arial");
    arrow.SaveStyleToRegistry();
    CRegistryAccess reg = KeyOf("Arrow");
    EXPECT_FALSE(reg.ValueExists("font_pt_size"));
    EXPECT_FALSE(reg.ValueExists("arrow_head_font"));
    EXPECT_TRUE(reg.ValueExists("line_weight"));

    // A font found in the key is read, its point size through a point font.
    LOGFONTA stored{};
    stored.lfHeight = -30;
    stored.lfWeight = FW_BOLD;
    strcpy(stored.lfFaceName, "Courier New");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&stored));
    reg.WriteFont("arrow_head_font", &font);
    reg.WriteInt("font_pt_size", 14);
    CToolArrow reader;
    reader.SetRegistryBase(kBase);
    reader.LoadStyleFromRegistry();
    int size = 0;
    LOGFONTA read{};
    ASSERT_TRUE(reader.GetFont(size, read));
    EXPECT_EQ(size, 14);
    EXPECT_EQ(read.lfWeight, FW_BOLD);
    EXPECT_STREQ(read.lfFaceName, "Courier New");
    CFont expected;
    LOGFONTA tenths = stored;
    tenths.lfHeight = 140;
    ASSERT_TRUE(expected.CreatePointFontIndirect(&tenths));
    LOGFONTA expectedFont{};
    expected.GetLogFont(&expectedFont);
    EXPECT_EQ(read.lfHeight, expectedFont.lfHeight);
}
