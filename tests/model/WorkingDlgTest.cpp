// The Working dialog as a computation uses it: a real modeless dialog from the
// program's resources, its bars painted into a memory DC, Cancel pressed as a
// user would, and the message pump fed with posted messages and a quit.
#include <gtest/gtest.h>

#include <string>

#include "framework/WinApp.h"
#include "controls/WorkingDlg.h"
#include "res/dialogs-compute.h"
#include "res/resource.h"
#include "WorkingTestSupport.h"

namespace {

std::string WindowText(HWND h) {
    char buffer[256] = {};
    ::GetWindowTextA(h, buffer, sizeof(buffer));
    return buffer;
}

// The bar's pixels as its erase handler paints them, in a memory DC.
struct BarPixels {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    int width = 0, height = 0;

    explicit BarPixels(CProgressBarsWnd& bar) {
        RECT r;
        ::GetClientRect(bar.m_hWnd, &r);
        width = r.right;
        height = r.bottom;
        HDC screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bitmap);
        RECT all{0, 0, width, height};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        bar.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    }
    ~BarPixels() {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    COLORREF At(int x) const { return ::GetPixel(dc, x, 1); }
};

constexpr COLORREF DARK_BLUE = RGB(0, 0, 128);
constexpr COLORREF LIGHT_GREY = RGB(192, 192, 192);

class WorkingDlgTest : public WorkingWindowsTest {};

TEST_F(WorkingDlgTest, ShowsItselfWithTitleAndTextAndDisablesTheProgramsWindows) {
    HWND disabledBefore = MakeTopLevelWindow("Already disabled");
    ::EnableWindow(disabledBefore, FALSE);
    int run = 1;
    {
        CWorkingDlg dlg(&run, "Calculating paths...", "");
        ASSERT_NE(dlg.m_hWnd, nullptr);
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(dlg.IsWindowEnabled());
        EXPECT_EQ(WindowText(dlg.m_hWnd), "Calculating paths...");
        EXPECT_EQ(WindowText(::GetDlgItem(dlg.m_hWnd, IDC_WORKING_MESSAGE)), "");
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, IDC_WORKING_PROGRESS)));
        EXPECT_TRUE(CWorkingDlg::IsAnyOpen());
        // The hidden main window and every other window the user could reach.
        EXPECT_FALSE(::IsWindowEnabled(MainWindow()));
        EXPECT_FALSE(::IsWindowEnabled(OtherWindow()));
        // Both bars sit where their placeholders are.
        RECT placeholder, bar;
        ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_WORKING_FIRST_BAR), &placeholder);
        ::GetWindowRect(dlg.GetFirstBar().m_hWnd, &bar);
        EXPECT_TRUE(::EqualRect(&placeholder, &bar));
        ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_WORKING_SECOND_BAR), &placeholder);
        ::GetWindowRect(dlg.GetSecondBar().m_hWnd, &bar);
        EXPECT_TRUE(::EqualRect(&placeholder, &bar));

        EXPECT_EQ(dlg.Close(), 1);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
        EXPECT_TRUE(::IsWindowEnabled(OtherWindow()));
        EXPECT_FALSE(::IsWindowEnabled(disabledBefore));
        EXPECT_FALSE(CWorkingDlg::IsAnyOpen());
        EXPECT_EQ(dlg.Close(), 0);
        EXPECT_EQ(dlg.SetProgress(50, 1, 2), 0);
    }
    EXPECT_EQ(run, 1);
    ::DestroyWindow(disabledBefore);
}

TEST_F(WorkingDlgTest, DefaultTitleAndText) {
    int run = 1;
    CWorkingDlg dlg(&run, nullptr, nullptr);
    EXPECT_EQ(WindowText(dlg.m_hWnd), "Working");
    EXPECT_EQ(WindowText(::GetDlgItem(dlg.m_hWnd, IDC_WORKING_MESSAGE)), "Click Cancel to cancel the operation");
}

TEST_F(WorkingDlgTest, DeletingTheDialogEnablesTheWindowsAgain) {
    int run = 1;
    auto* dlg = new CWorkingDlg(&run, "Working", nullptr);
    EXPECT_FALSE(::IsWindowEnabled(MainWindow()));
    delete dlg;
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
    EXPECT_TRUE(::IsWindowEnabled(OtherWindow()));
}

TEST_F(WorkingDlgTest, ProgressFillsTheBarAndLabelsIt) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    CProgressBarsWnd& bar = dlg.GetFirstBar();
    struct Case {
        int percent, current, total;
        int shownPercent;
        bool leftBlue, rightBlue;
    };
    const Case cases[] = {
        {50, 3, 10, 50, true, false},
        {150, 10, 10, 100, true, true},  // clamped to a full bar
        {-5, 0, 10, 0, false, false},    // clamped to an empty bar
        {1, 1, 10, 1, false, false},     // 1% of the width is less than a pixel or two
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        ASSERT_EQ(dlg.SetProgress(c.percent, c.current, c.total), 1);
        EXPECT_EQ(bar.GetPercent(), c.shownPercent);
        EXPECT_EQ(bar.GetCurrent(), c.current);
        EXPECT_EQ(bar.GetTotal(), c.total);
        BarPixels pixels(bar);
        EXPECT_EQ(pixels.At(2) == DARK_BLUE, c.leftBlue);
        EXPECT_EQ(pixels.At(2) == LIGHT_GREY, !c.leftBlue);
        EXPECT_EQ(pixels.At(pixels.width - 3) == DARK_BLUE, c.rightBlue);
        EXPECT_EQ(pixels.At(pixels.width - 3) == LIGHT_GREY, !c.rightBlue);
    }
    // Half a bar: the boundary lies in the middle.
    dlg.SetProgress(50, 5, 10);
    BarPixels half(bar);
    EXPECT_EQ(half.At(half.width / 2 - 2), DARK_BLUE);
    EXPECT_EQ(half.At(half.width / 2 + 2), LIGHT_GREY);
}

TEST_F(WorkingDlgTest, LabelForms) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    CProgressBarsWnd& bar = dlg.GetFirstBar();
    dlg.SetProgress(30, 3, 10);
    EXPECT_STREQ(bar.GetLabel(), "Rock 3 of 10");
    bar.SetDivisionLabel(TRUE);
    dlg.SetProgress(25, 1, 4);
    EXPECT_STREQ(bar.GetLabel(), "Division 1 of 4");
    bar.SetDivisionLabel(FALSE);
    bar.SetRockLabel(FALSE);
    dlg.SetProgress(50, 7, 14);
    EXPECT_STREQ(bar.GetLabel(), "Time step 7 of 14");
    // Without counts the erase handler shows the percent.
    dlg.SetProgress(40, 0, 0);
    BarPixels pixels(bar);
    EXPECT_STREQ(bar.GetLabel(), "40%");
    // A position that does not rise above what is drawn changes nothing on screen.
    bar.Reset();
    bar.SetPos(0, 100, 1, 10);
    EXPECT_STREQ(bar.GetLabel(), "40%");
    EXPECT_EQ(bar.GetCurrent(), 1);
}

TEST_F(WorkingDlgTest, ABarLowerThanALineLosesItsLabelOnResize) {
    CWnd parentWnd;
    HWND parent = MakeTopLevelWindow("Bar parent");
    parentWnd.Attach(parent);
    CProgressBarsWnd bar;
    ASSERT_EQ(bar.Create(&parentWnd, 0, 0, 200, 4, 0, 1, DARK_BLUE, LIGHT_GREY), 1);
    EXPECT_EQ(bar.Create(&parentWnd, 0, 0, 200, 4, 0, 1, DARK_BLUE, LIGHT_GREY), 0);
    EXPECT_TRUE(bar.IsTextShown());
    bar.MoveWindow(0, 0, 200, 3);
    EXPECT_FALSE(bar.IsTextShown());
    bar.MoveWindow(0, 0, 200, 40);
    EXPECT_TRUE(bar.IsTextShown());
    bar.DestroyWindow();
    parentWnd.Detach();
    ::DestroyWindow(parent);
}

TEST_F(WorkingDlgTest, CancelButtonClearsTheCallersFlagAndClosesTheDialog) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    HWND button = ::GetDlgItem(dlg.m_hWnd, IDCANCEL);
    ASSERT_NE(button, nullptr);
    // A click as the button reports it to the dialog (synthesised mouse messages
    // depend on capture, which other programs on the same display can take).
    ::PostMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    // Pumped until the click arrives: a busy machine can take a while to deliver it.
    for (int i = 0; i < 500 && run != 0; ++i) {
        dlg.PumpMessages();
        if (run != 0) ::Sleep(5);
    }
    EXPECT_EQ(run, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
    EXPECT_TRUE(::IsWindowEnabled(OtherWindow()));
    // The caller may go on calling until it sees its flag.
    run = 5;
    EXPECT_EQ(dlg.SetProgress(50, 1, 2), 0);
    EXPECT_EQ(dlg.SetSecondaryProgress(50, 1, 2), 0);
    EXPECT_EQ(dlg.PumpMessages(), 1);
    EXPECT_EQ(dlg.Close(), 0);
    EXPECT_EQ(run, 5);
}

TEST_F(WorkingDlgTest, EscapeCancelsToo) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    ::PostMessageA(::GetDlgItem(dlg.m_hWnd, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 1);
    dlg.PumpMessages();
    EXPECT_EQ(run, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(WorkingDlgTest, PumpRunsPendingMessagesThenIdleWork) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    PostToCounter(3);
    const int idleBefore = App().idleCalls;
    EXPECT_EQ(dlg.PumpMessages(), 1);
    EXPECT_EQ(CounterMessages(), 3);
    EXPECT_GT(App().idleCalls, idleBefore);
    EXPECT_EQ(run, 1);
}

// The command that runs the work was itself a message of the application's
// loop, which decides from it whether to run its idle work afterwards (the
// status bar's rock count follows then): pumping must leave it as it was.
TEST_F(WorkingDlgTest, PumpingLeavesTheLoopsCurrentMessage) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    MSG& current = App().m_msgCur;
    current = MSG{};
    current.message = WM_KEYDOWN;
    current.wParam = 'T';
    PostToCounter(2);
    ::InvalidateRect(dlg.m_hWnd, nullptr, TRUE);   // a paint among the pumped messages
    EXPECT_EQ(dlg.PumpMessages(), 1);
    EXPECT_EQ(CounterMessages(), 2);
    EXPECT_EQ(current.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(current.wParam, static_cast<WPARAM>('T'));
}

TEST_F(WorkingDlgTest, AQuitSeenWhilePumpingIsPostedAgain) {
    int run = 1;
    CWorkingDlg dlg(&run, "Working", nullptr);
    ::PostQuitMessage(7);
    EXPECT_EQ(dlg.PumpMessages(), 0);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(run, 1);
}

} // namespace
