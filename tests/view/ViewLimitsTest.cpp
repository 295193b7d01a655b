// The View Limits command: the dialog shows the view's world window, and what
// the user types there becomes it, within the dialog's limits.
#include "tests/view/SlopeViewTestSupport.h"

#include "res/dialogs-view.h"
#include "res/resource.h"
#include "support/WhenShown.h"
#include "view/ViewLimitsDlg.h"

namespace {

struct Limits {
    std::string minX, minY, maxX, maxY;
};

HWND ShownLimitsDialog()
{
    return ::FindWindowA(nullptr, "View Limits");
}

Limits ReadLimits(HWND dialog)
{
    char text[4][64] = {};
    ::GetDlgItemTextA(dialog, IDC_LIMITS_MIN_X, text[0], 64);
    ::GetDlgItemTextA(dialog, IDC_LIMITS_MIN_Y, text[1], 64);
    ::GetDlgItemTextA(dialog, IDC_LIMITS_MAX_X, text[2], 64);
    ::GetDlgItemTextA(dialog, IDC_LIMITS_MAX_Y, text[3], 64);
    return {text[0], text[1], text[2], text[3]};
}

void TypeLimits(HWND dialog, const Limits& limits)
{
    ::SetDlgItemTextA(dialog, IDC_LIMITS_MIN_X, limits.minX.c_str());
    ::SetDlgItemTextA(dialog, IDC_LIMITS_MIN_Y, limits.minY.c_str());
    ::SetDlgItemTextA(dialog, IDC_LIMITS_MAX_X, limits.maxX.c_str());
    ::SetDlgItemTextA(dialog, IDC_LIMITS_MAX_Y, limits.maxY.c_str());
}

}  // namespace

TEST(ViewLimitsDialog, SettersKeepWholeThousandthsTowardZero)
{
    CSet_Limits dialog;
    dialog.SetMinX(-1.23456);
    dialog.SetMaxX(1.23456);
    dialog.SetMinY(-0.0004);
    // Far beyond the dialog's range: kept (OK then refuses it), not wrapped round.
    dialog.SetMaxY(5e12);
    EXPECT_DOUBLE_EQ(dialog.GetMinX(), -1.234);
    EXPECT_DOUBLE_EQ(dialog.GetMaxX(), 1.234);
    EXPECT_EQ(dialog.GetMinY(), 0.0);
    EXPECT_EQ(dialog.GetMaxY(), 5e12);
}

TEST_F(SlopeViewTest, ViewLimitsShowAndSetTheWorldWindow)
{
    ViewMessageBoxes boxes;
    CViewContext* vc = view->GetViewContext();
    double left, bottom, right, top;
    vc->GetWorldWindow(left, bottom, right, top);
    ASSERT_GT(right, 40.0);
    ASSERT_GT(top, 30.0);

    // Shown as it is; the new window typed and taken.
    Limits shown;
    {
        WhenShown answer([&] {
            HWND dialog = ShownLimitsDialog();
            ASSERT_NE(dialog, nullptr);
            shown = ReadLimits(dialog);
            TypeLimits(dialog, {"10", "5", "60", "45.5"});
            ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        view->SendMessageA(WM_COMMAND, ID_VIEW_LIMITS, 0);
    }
    EXPECT_DOUBLE_EQ(std::stod(shown.minX), left);
    EXPECT_DOUBLE_EQ(std::stod(shown.minY), bottom);
    EXPECT_DOUBLE_EQ(std::stod(shown.maxX), right);
    EXPECT_DOUBLE_EQ(std::stod(shown.maxY), top);
    vc->GetWorldWindow(left, bottom, right, top);
    EXPECT_DOUBLE_EQ(left, 10.0);
    EXPECT_DOUBLE_EQ(bottom, 5.0);
    EXPECT_DOUBLE_EQ(right, 60.0);
    EXPECT_DOUBLE_EQ(top, 45.5);
    EXPECT_TRUE(boxes.texts.empty());

    // Values OK refuses keep the dialog open; Cancel then leaves the window alone.
    const Limits refused[] = {
        {"10", "5", "1000000000.5", "45"},   // beyond the range
        {"10", "5", "10", "45"},         // no width
        {"10", "50", "60", "45"},        // upside down
    };
    for (const Limits& typed : refused) {
        SCOPED_TRACE(typed.maxX + " " + typed.minY);
        boxes.texts.clear();
        bool stayed = false;
        {
            WhenShown answer([&] {
                HWND dialog = ShownLimitsDialog();
                ASSERT_NE(dialog, nullptr);
                TypeLimits(dialog, typed);
                ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                stayed = ::IsWindow(dialog) && ::IsWindowVisible(dialog);
                ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            });
            view->SendMessageA(WM_COMMAND, ID_VIEW_LIMITS, 0);
        }
        EXPECT_TRUE(stayed);
        EXPECT_EQ(boxes.texts.size(), 1u);
        vc->GetWorldWindow(left, bottom, right, top);
        EXPECT_DOUBLE_EQ(left, 10.0);
        EXPECT_DOUBLE_EQ(right, 60.0);
    }
}

// A window at survey coordinates is shown and taken as typed: eastings around
// 500,000 and northings in the millions.
TEST_F(SlopeViewTest, ViewLimitsTakeSurveyCoordinates)
{
    ViewMessageBoxes boxes;
    CViewContext* vc = view->GetViewContext();
    vc->SetWorldWindow(512000.25, 5000000.5, 512600.75, 5000400.125);
    Limits shown;
    {
        WhenShown answer([&] {
            HWND dialog = ShownLimitsDialog();
            ASSERT_NE(dialog, nullptr);
            shown = ReadLimits(dialog);
            TypeLimits(dialog, {"511900", "4999950.5", "512700.25", "5000450"});
            ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            if (!boxes.texts.empty())
                ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);   // refused
        });
        view->SendMessageA(WM_COMMAND, ID_VIEW_LIMITS, 0);
    }
    EXPECT_TRUE(boxes.texts.empty());
    double left, bottom, right, top;
    EXPECT_DOUBLE_EQ(std::stod(shown.minX), 512000.25);
    EXPECT_DOUBLE_EQ(std::stod(shown.minY), 5000000.5);
    vc->GetWorldWindow(left, bottom, right, top);
    EXPECT_DOUBLE_EQ(left, 511900.0);
    EXPECT_DOUBLE_EQ(bottom, 4999950.5);
    EXPECT_DOUBLE_EQ(right, 512700.25);
    EXPECT_DOUBLE_EQ(top, 5000450.0);
}
