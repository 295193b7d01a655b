// The numeric spin control: the value's text in its buddy, the integer range
// it maps onto, and arrow steps clamped at the ends.
#include <gtest/gtest.h>

#include <string>

#include "controls/NumericSpinCtrl.h"
#include "framework/AfxWin.h"

namespace {

// A spin with its buddy edit in a host window, as a dialog has them. Made
// without the buddy-integer style, as the program's templates make it: the
// control takes the style off a window it subclasses, but Wine's up-down
// keeps the style it was created with.
struct SpinWithBuddy {
    CWnd host;
    CEdit edit;
    CNumericSpinCtrl spin;
    SpinWithBuddy()
    {
        EXPECT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
        EXPECT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 30), &host, 31));
        EXPECT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, CRect(110, 10, 130, 30),
                                &host, 32));
        spin.SetBuddy(&edit);
    }
    ~SpinWithBuddy() { host.DestroyWindow(); }
    std::string Text()
    {
        CString text;
        edit.GetWindowText(text);
        return std::string(text);
    }
    void Arrow(UINT key)
    {
        spin.SendMessage(WM_KEYDOWN, key, 0);
        spin.SendMessage(WM_KEYUP, key, 0);
    }
};

}  // namespace

TEST(NumericSpinCtrl, FormatsWithDecimalsAndTrimsZeros)
{
    CNumericSpinCtrl spin;
    struct Case {
        int decimals;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {-1, 0.25, "0.25"}, {-1, 1e-7, "1e-07"},
        {2, 1.5, "1.5"},    {2, 2.0, "2"},       {2, 1.5e-7, "1.5e-07"}, {2, 1.234, "1.23"},
        {0, 10.0, "10"},    {3, -0.5, "-0.5"},
    };
    for (const Case& c : cases) {
        spin.SetDecimals(c.decimals);
        EXPECT_EQ(std::string(spin.FormatValue(c.value)), c.text) << c.decimals << " " << c.value;
    }
}

TEST(NumericSpinCtrl, RangeValueAndArrows)
{
    SpinWithBuddy s;
    // The arrow keys step the value.
    EXPECT_TRUE(s.spin.GetStyle() & UDS_ARROWKEYS);

    s.spin.SetDecimals(2);
    s.spin.SetRange(0.5, 3.0, 0.25);
    int low = -1, high = -1;
    s.spin.GetRange32(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 10);
    s.spin.SetValue(1.5);
    EXPECT_EQ(s.Text(), "1.5");
    EXPECT_EQ(s.spin.GetPos32(), 4);
    EXPECT_DOUBLE_EQ(s.spin.GetValue(), 1.5);

    s.Arrow(VK_UP);
    EXPECT_EQ(s.Text(), "1.75");
    // Down below the minimum shows the minimum.
    s.spin.SetValue(0.6);
    s.Arrow(VK_DOWN);
    EXPECT_EQ(s.Text(), "0.5");
    // A typed value outside the range stays until the next click starts from it.
    s.edit.SetWindowText("9");
    EXPECT_DOUBLE_EQ(s.spin.GetValue(), 9.0);
    s.Arrow(VK_DOWN);
    EXPECT_EQ(s.Text(), "8.75");
    s.spin.SetValue(2.9);
    s.Arrow(VK_UP);
    EXPECT_EQ(s.Text(), "3");

    // A fine step over a wide range stops at the control's largest range; a
    // zero step leaves the range alone.
    s.spin.SetRange(0.0, 1000000.0, 0.01);
    s.spin.GetRange32(low, high);
    EXPECT_EQ(high, CNumericSpinCtrl::kMaxPositions);
    s.spin.SetRange(0.0, 5.0, 0.0);
    s.spin.GetRange32(low, high);
    EXPECT_EQ(high, CNumericSpinCtrl::kMaxPositions);
    double minimum, maximum, step;
    s.spin.GetRange(minimum, maximum, step);
    EXPECT_EQ(maximum, 5.0);
    EXPECT_EQ(step, 0.0);

    // A caller's format replaces the automatic one.
    s.spin.SetFormat("%.1f cm");
    s.spin.SetValue(2.0);
    EXPECT_EQ(s.Text(), "2.0 cm");
}
