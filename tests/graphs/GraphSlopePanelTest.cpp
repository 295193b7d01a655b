// The slope panel under a split distribution graph: a click or a drag on the
// slope chooses the location whose distribution is shown, the wheel steps it,
// and the marker line stands at the chosen location.
#include "GraphWindowSupport.h"

#include <algorithm>

#include "graphs/GraphChart.h"
#include "res/resource.h"
#include "model/InteractionModes.h"
#include "model/MarkerLine.h"

namespace {

class SlopePanelTest : public GraphWindowTest
{
protected:
    void SetUp() override
    {
        GraphWindowTest::SetUp();
        MakeSlope();
        Compute();
        view = Open(2905);
        ASSERT_NE(view, nullptr);
        SizeClient(view, 600, 400);
        GetPlotAreaColumns(view->GetChart(), 600, left, right);
        ASSERT_LT(left + 100, right);
    }

    // The client column of a slope x (the slope runs from 0 to 60).
    int Column(double x) const { return left + static_cast<int>(x / 60.0 * (right - left) + 0.5); }
    void Send(UINT message, WPARAM keys, int x, int y)
    {
        view->SendMessage(message, keys, MAKELPARAM(x, y));
    }
    void Click(int x, int y)
    {
        Send(WM_MOUSEMOVE, 0, x, y);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(WM_LBUTTONUP, 0, x, y);
    }
    void Wheel(int delta) { view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(300, 300)); }
    int Location() const { return view->GetGraphState().location.index; }

    // The window painted into a bitmap of its client size: the pixels of its
    // lower half, row by row.
    std::vector<COLORREF> PaintLowerHalf(int width, int height)
    {
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        RECT all{0, 0, width, height};
        ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        CDC dc;
        dc.m_hDC = dc.m_hAttribDC = memory;
        view->OnDraw(&dc);
        dc.m_hDC = dc.m_hAttribDC = nullptr;
        std::vector<COLORREF> pixels;
        for (int y = height / 2; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(::GetPixel(memory, x, y));
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        return pixels;
    }

    CTalusimOlectraView* view = nullptr;
    int left = 0, right = 0;
};

} // namespace

TEST_F(SlopePanelTest, AClickOnTheSlopeChoosesTheNearestLocation)
{
    ASSERT_EQ(Location(), 2);
    Click(Column(44.0), 300);
    EXPECT_EQ(Location(), 3);
    EXPECT_EQ(view->GetGraphState().location.x, 45.0);
    EXPECT_EQ(WindowText(view), "Translational Velocity Distribution at x=45.000");
    // The histogram is the one of that location.
    double total = 0.0;
    for (int i = 0; i < view->GetGraphState().series.GetCount(); ++i)
        total += view->GetGraphState().series.GetY(i);
    EXPECT_EQ(total, doc->GetDistribution(3)->GetCount(2905));
    // The status bar shows where the mouse is on the slope, nothing over the chart.
    EXPECT_NEAR(mainFrame->m_dCursorX, 44.0, 60.0 / (right - left));
    Send(WM_MOUSEMOVE, 0, Column(20.0), 100);
    EXPECT_EQ(mainFrame->m_dCursorX, DBL_MAX);

    // Left of the slope: the first location; on the chart: nothing changes.
    Click(left - 3, 300);
    EXPECT_EQ(Location(), 0);
    Click(Column(60.0), 100);
    EXPECT_EQ(Location(), 0);
    // A click while a mode has the mouse is the mode's.
    doc->SetMode(MODE_DELETE_TOOLS);
    Click(Column(60.0), 300);
    doc->SetMode(MODE_IDLE);
    EXPECT_EQ(Location(), 0);
}

TEST_F(SlopePanelTest, DraggingRunsTheLocationAlongAndTheWheelStepsIt)
{
    Send(WM_MOUSEMOVE, 0, Column(15.0), 300);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Column(15.0), 300);
    EXPECT_EQ(Location(), 1);
    Send(WM_MOUSEMOVE, MK_LBUTTON, Column(40.0), 300);
    EXPECT_EQ(Location(), 3);
    Send(WM_MOUSEMOVE, MK_LBUTTON, Column(59.0), 300);
    EXPECT_EQ(Location(), 4);
    Send(WM_LBUTTONUP, 0, Column(59.0), 300);
    Send(WM_MOUSEMOVE, 0, Column(30.0), 300);
    EXPECT_EQ(Location(), 4);

    // Down goes on (not past the last location), up goes back (not before the first).
    Wheel(-120);
    EXPECT_EQ(Location(), 4);
    Wheel(120);
    EXPECT_EQ(Location(), 3);
    EXPECT_EQ(WindowText(view), "Translational Velocity Distribution at x=45.000");
    for (int i = 0; i < 5; ++i)
        Wheel(120);
    EXPECT_EQ(Location(), 0);
    view->SendMessage(WM_COMMAND, 44106);    // Pan Right
    EXPECT_EQ(Location(), 1);
    view->SendMessage(WM_COMMAND, 44105);    // Pan Left
    EXPECT_EQ(Location(), 0);

    // Without the slope panel the wheel leaves the location alone.
    view->SendMessage(WM_COMMAND, 44066);
    EXPECT_FALSE(view->IsSplit());
    Wheel(-120);
    EXPECT_EQ(Location(), 0);
}

TEST_F(SlopePanelTest, TheMarkerLineStandsAtTheChosenLocation)
{
    Click(Column(45.0), 300);
    ASSERT_EQ(Location(), 3);

    // Paint the window into a bitmap and find the column that is grey the most.
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 600, 400);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = memory;
    view->OnDraw(&dc);
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    int best = -1, bestCount = 0;
    for (int x = 0; x < 600; ++x) {
        int count = 0;
        for (int y = 200; y < 400; ++y)
            count += ::GetPixel(memory, x, y) == RGB(192, 192, 192) ? 1 : 0;
        if (count > bestCount) {
            bestCount = count;
            best = x;
        }
    }
    // Outside the painting the line is hidden again.
    EXPECT_FALSE(doc->GetMarkerLine()->IsVisible());
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    EXPECT_NEAR(best, Column(45.0), 2);
    EXPECT_GT(bestCount, 180);    // from the top of the panel to its bottom
}

TEST_F(SlopePanelTest, ThePanelIsBlackAndWhiteInGrayscaleAndBlankWhenTooLow)
{
    auto count = [](const std::vector<COLORREF>& pixels, COLORREF c) {
        return std::count(pixels.begin(), pixels.end(), c);
    };
    // The rock paths are red, in black and white they are black.
    const std::vector<COLORREF> colour = PaintLowerHalf(600, 400);
    EXPECT_GT(count(colour, RGB(255, 0, 0)), 100);
    view->SendMessage(WM_COMMAND, ID_VIEW_GRAYSCALE);
    ASSERT_TRUE(view->IsGrayscale());
    const std::vector<COLORREF> grey = PaintLowerHalf(600, 400);
    EXPECT_EQ(count(grey, RGB(255, 0, 0)), 0);
    EXPECT_GT(count(grey, RGB(0, 0, 0)), count(colour, RGB(0, 0, 0)) + 100);
    view->SendMessage(WM_COMMAND, ID_VIEW_GRAYSCALE);

    // A lower half of 7 pixels is too low for the slope: it is left white.
    SizeClient(view, 600, 14);
    const std::vector<COLORREF> low = PaintLowerHalf(600, 14);
    EXPECT_EQ(count(low, RGB(255, 255, 255)), static_cast<std::ptrdiff_t>(low.size()));
    SizeClient(view, 600, 16);
    const std::vector<COLORREF> higher = PaintLowerHalf(600, 16);
    EXPECT_GT(count(higher, RGB(255, 0, 0)), 0);
}

