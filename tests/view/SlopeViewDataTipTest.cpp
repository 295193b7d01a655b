// The slope view's data tips as a user meets them: mouse messages pass the
// message loop's relay to the tooltip and then reach the view; the tip shows
// after its delay for what lies under the mouse, over the whole client area,
// and never outlives what it describes. And the focus clears the statistics
// window, which describes a graph.
#include "tests/view/SlopeViewTestSupport.h"

#include <commctrl.h>
#include <string>

namespace {

void PumpFor(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < milliseconds) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

class DataTipTest : public SlopeViewTest
{
protected:
    void SetUp() override
    {
        SlopeViewTest::SetUp();
        if (HasFatalFailure())
            return;
        frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        tip = view->GetToolTipWindow();
        ASSERT_NE(tip, nullptr);
    }

    // The mouse comes to rest at a client point: the cursor is there, the
    // move passes the view's relay as the message loop hands it over, then
    // reaches the view; the tooltip's delay goes by.
    void RestAt(int x, int y)
    {
        CPoint screen(x, y);
        view->ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        MSG msg{};
        msg.hwnd = view->GetSafeHwnd();
        msg.message = WM_MOUSEMOVE;
        msg.lParam = At(x, y);
        msg.pt = screen;
        if (!view->PreTranslateMessage(&msg))
            view->SendMessage(WM_MOUSEMOVE, 0, At(x, y));
        PumpFor(600);
    }

    // The tip on the screen: its text, or "" when none is shown.
    std::string ShownTip() const
    {
        if (!::IsWindowVisible(tip))
            return "";
        char text[512] = {};
        ::GetWindowTextA(tip, text, sizeof text);
        return text;
    }

    HWND tip = nullptr;
};

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST_F(DataTipTest, TipDescribesWhatIsUnderTheMouse)
{
    // A bench, a cliff from (300, 100) down to (310, 300), and talus.
    DrawSlope({{100, 100}, {300, 100}, {310, 300}, {600, 320}});
    const struct {
        int x, y;
        const char* tip;  // the start of the tip, or "" for none
    } path[] = {
        {305, 200, "Segment: 2"},       // on the cliff
        {200, 250, ""},                 // empty ground beside it
        {450, 310, "Segment: 3"},       // on the talus
        {310, 300, "Vertex: 3"},        // at the foot of the cliff
        {305, 200, "Segment: 2"},       // back on the cliff
        {700, 100, ""},                 // the open sky
    };
    for (const auto& step : path) {
        SCOPED_TRACE(std::to_string(step.x) + ", " + std::to_string(step.y));
        RestAt(step.x, step.y);
        const std::string shown = ShownTip();
        if (step.tip[0] == '\0')
            EXPECT_EQ(shown, "");
        else
            EXPECT_TRUE(StartsWith(shown, step.tip)) << shown;
    }
}

TEST_F(DataTipTest, TipsCoverTheClientAreaAfterAResize)
{
    // Smaller, then larger again: the tip's area follows each size.
    view->MoveWindow(0, 0, 400, 300);
    CRect client;
    view->GetClientRect(&client);
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = view->GetSafeHwnd();
    tool.uId = 0;
    ASSERT_TRUE(::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(CRect(tool.rect), client);

    frame->ShowWindow(SW_MAXIMIZE);
    view->GetClientRect(&client);
    ASSERT_GT(client.Width(), 1000);
    ASSERT_TRUE(::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(CRect(tool.rect), client);

    // A vertex near the far corner of the maximised window has its tip.
    SetMapping();
    const int x = client.right - 40, y = client.bottom - 40;
    DrawSlope({{100, 100}, {x, y}});
    RestAt(x, y);
    EXPECT_TRUE(StartsWith(ShownTip(), "Vertex: 2")) << ShownTip();
}

TEST_F(DataTipTest, TipAfterAnEditShowsTheNewValue)
{
    DrawSlope({{100, 100}, {300, 150}, {500, 300}});
    RestAt(300, 150);
    EXPECT_EQ(ShownTip(), "Vertex: 2\n(x,y)= (30.000, 25.000)");

    // The editor moves the vertex a little and, on OK, updates the views:
    // the tip for the old value goes at once.
    doc->GetSlope()->SetVertexPoint(1, 30.2, 25.1);
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(ShownTip(), "");

    // Back on the vertex, the tip reads the new value.
    RestAt(302, 149);
    EXPECT_EQ(ShownTip(), "Vertex: 2\n(x,y)= (30.200, 25.100)");
}

namespace {

// The main frame with its statistics window: whether it follows a view,
// and the reports put into it.
struct StatisticsWindow : CPromptLine {
    bool StatisticsFollowView(CView*) override { return follows; }
    void SetStatisticsReport(CTalusimDoc* owner, LPCSTR text) override
    {
        reports.emplace_back(text != nullptr ? text : "(null)");
        this->owner = owner;
    }
    bool follows = true;
    std::vector<std::string> reports;
    CTalusimDoc* owner = nullptr;
};

}  // namespace

TEST_F(SlopeViewTest, FocusClearsTheStatisticsWindow)
{
    StatisticsWindow window;
    struct Installed {
        explicit Installed(CMainFrameServices* services) : previous(InstallMainFrameServices(services)) {}
        ~Installed() { InstallMainFrameServices(previous); }
        CMainFrameServices* previous;
    } installed(&window);
    view->SendMessage(WM_SETFOCUS, 0, 0);
    ASSERT_EQ(window.reports.size(), 1u);
    EXPECT_EQ(window.reports[0], "");
    EXPECT_EQ(window.owner, doc);

    // A window that follows another view keeps its report.
    window.follows = false;
    view->SendMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(window.reports.size(), 1u);
}

