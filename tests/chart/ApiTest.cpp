#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <memory>

using namespace charttest;

namespace {

TEST(XrtProperties, TakeTheGraphWindowsSetUpAndLaterCalls) {
    XrtHandle chart = XrtCreate();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(ApplyGraphWindowSetUp(chart));
    // The later calls: chart type, bounds, titles, header, fonts, grayscale, Chart Properties.
    EXPECT_EQ(XrtSetValues(chart, 20736, 2, 0), 1);
    for (int id : {1814, 1811, 1815, 1812}) EXPECT_EQ(SetDouble(chart, id, 3.5), 1) << id;
    EXPECT_EQ(XrtSetPropString(chart, 3072, "Location [m]"), 1);
    EXPECT_EQ(XrtSetPropString(chart, 3073, "Number of Rocks"), 1);
    const char* header[] = {"Bounce Height Distribution at x=12.500", nullptr};
    EXPECT_EQ(XrtSetValues(chart, 3332, static_cast<const void*>(header), 0), 1);
    EXPECT_EQ(XrtSetPropString(chart, 2048, "Arial,6"), 1);
    for (int id : {17668, 514}) EXPECT_EQ(XrtSetValues(chart, id, 0, 0), 1);
    for (int id : {3626, 3623, 3584, 3627, 3624, 3585}) EXPECT_EQ(XrtSetValues(chart, id, 0, 0), 1) << id;

    int value = -1;
    EXPECT_EQ(XrtGetValues(chart, 1547, &value, 0), 1);
    EXPECT_EQ(value, 2);
    for (int id : {2816, 2825, 2826}) {
        EXPECT_EQ(XrtGetValues(chart, id, &value, 0), 1) << id;
        EXPECT_GE(value, 0);
    }
    XrtDestroy(chart);
}

TEST(XrtProperties, RefuseWhatTheChartDoesNotHave) {
    XrtHandle chart = XrtCreate();
    int value = 0;
    EXPECT_EQ(XrtSetValues(chart, 4242, 1, 0), 0);           // no such id
    EXPECT_EQ(XrtGetValues(chart, 4242, &value, 0), 0);
    EXPECT_EQ(XrtSetValues(chart, 2825, 10, 0), 0);          // measured, not set
    EXPECT_EQ(XrtSetValues(chart, 1814, 3, 0), 0);           // a double needs both halves
    EXPECT_EQ(SetDouble(chart, 20736, 2.0), 0);              // an integer is not a double
    EXPECT_EQ(XrtSetValues(chart, 3072, 5, 0), 0);           // a text cannot be a number
    EXPECT_EQ(XrtSetPropString(chart, 20736, "2"), 0);
    EXPECT_EQ(XrtGetValues(chart, 3072, &value, 0), 0);
    EXPECT_EQ(XrtGetValues(chart, 1547, nullptr, 0), 0);
    XrtDataHandle notData = reinterpret_cast<XrtDataHandle>(chart);
    EXPECT_EQ(XrtSetValues(chart, 768, static_cast<const void*>(notData), 0), 0);
    XrtDestroy(chart);
    // A destroyed handle fails everywhere instead of touching freed memory.
    EXPECT_EQ(XrtSetValues(chart, 20736, 2, 0), 0);
    EXPECT_EQ(XrtGetNthDataStyle(chart, 0), nullptr);
    XrtDestroy(chart);
    EXPECT_EQ(XrtSetValues(nullptr, 20736, 2, 0), 0);
}

TEST(XrtData, CopiesTheCallersValuesIntoRange) {
    EXPECT_EQ(XrtDataCreate(1, 2, 5), nullptr);  // one series only
    EXPECT_EQ(XrtDataCreate(2, 1, 5), nullptr);
    EXPECT_EQ(XrtDataCreate(1, 1, -1), nullptr);

    XrtDataHandle data = XrtDataCreate(1, 1, 4);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(XrtDataGetNPoints(data, 0), 4);
    EXPECT_EQ(XrtDataGetXData(data, 0), nullptr);  // nothing handed over yet

    double x[4] = {1, 2, 3, 4}, y[4] = {10, 20, 30, 40};
    EXPECT_EQ(XrtDataSetXData(data, 0, x, 4, 0), 1);
    EXPECT_EQ(XrtDataSetYData(data, 0, y, 4, 0), 1);
    x[0] = 99;  // the caller keeps its array; the set has its own copy
    EXPECT_EQ(XrtDataGetXData(data, 0)[0], 1);
    EXPECT_EQ(XrtDataGetYData(data, 0)[3], 40);

    const double two[2] = {7, 8};
    EXPECT_EQ(XrtDataSetYData(data, 0, two, 2, 2), 1);
    EXPECT_EQ(XrtDataGetYData(data, 0)[2], 7);
    EXPECT_EQ(XrtDataGetYData(data, 0)[1], 20);
    EXPECT_EQ(XrtDataSetYData(data, 0, two, 2, 3), 0);   // past the last point
    EXPECT_EQ(XrtDataSetYData(data, 0, two, -1, 0), 0);
    EXPECT_EQ(XrtDataSetYData(data, 0, two, 1, -1), 0);
    EXPECT_EQ(XrtDataSetYData(data, 1, two, 2, 0), 0);   // no second series
    EXPECT_EQ(XrtDataGetYData(data, 0)[3], 8);            // untouched by the refusals

    EXPECT_EQ(XrtDataSetXData(data, 0, nullptr, 0, 0), 1);  // detached
    EXPECT_EQ(XrtDataGetXData(data, 0), nullptr);
    XrtDataDestroy(data);
    EXPECT_EQ(XrtDataGetNPoints(data, 0), 0);
    XrtDataDestroy(data);  // twice is harmless
}

TEST(XrtDataStyle, ChangesOnlyWhenHandedBack) {
    XrtHandle chart = XrtCreate();
    XrtDataStyle* style = XrtGetNthDataStyle(chart, 0);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(XrtGetNthDataStyle(chart, 1), nullptr);
    style->color = RGB(255, 0, 255);
    style->pcolor = RGB(255, 0, 255);
    style->point = 4;
    EXPECT_NE(XrtGetNthDataStyle(chart, 0)->color, RGB(255, 0, 255));
    XrtDataStyle changed{RGB(255, 0, 255), 4, RGB(0, 0, 0)};
    EXPECT_EQ(XrtSetNthDataStyle(chart, 0, &changed), 1);
    const XrtDataStyle* now = XrtGetNthDataStyle(chart, 0);
    EXPECT_EQ(now->color, RGB(255, 0, 255));
    EXPECT_EQ(now->point, 4);
    EXPECT_EQ(now->pcolor, RGB(0, 0, 0));
    EXPECT_EQ(XrtSetNthDataStyle(chart, 0, nullptr), 0);
    XrtDestroy(chart);
}

TEST(XrtWindow, ForgetsADestroyedWindow) {
    auto window = std::make_unique<ChartWindow>(200, 150);
    ASSERT_TRUE(IsWindow(window->Handle()));
    XrtHandle chart = XrtCreate();
    EXPECT_EQ(XrtAttachWindow(chart, window->Handle()), 1);
    EXPECT_EQ(XrtAttachWindow(chart, reinterpret_cast<HWND>(0x12345)), 0);
    UpdateWindow(window->Handle());
    window.reset();
    // Without a window there is no size to write a file at.
    EXPECT_EQ(XrtDrawToFile(chart, "no-window.bmp", 1), 0);
    XrtDestroy(chart);
}

TEST(XrtWindow, PaintsTheChartAndRepaintsAfterEveryChange) {
    ChartWindow window(300, 200);
    XrtHandle chart = XrtCreate();
    ApplyGraphWindowSetUp(chart);
    XrtSetValues(chart, 17668, 0, 0);
    ASSERT_EQ(XrtAttachWindow(chart, window.Handle()), 1);
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.Handle());
    RECT dirty;
    EXPECT_FALSE(GetUpdateRect(window.Handle(), &dirty, FALSE));

    Canvas canvas(300, 200);
    HDC dc = GetDC(window.Handle());
    BitBlt(canvas.Dc(), 0, 0, 300, 200, dc, 0, 0, SRCCOPY);
    ReleaseDC(window.Handle(), dc);
    const PlotEdges edges = ReadPlotEdges(chart, 300);
    EXPECT_EQ(canvas.Pixel(edges.left, 100), COLORREF(0xF0CAA6));
    EXPECT_EQ(canvas.Pixel(edges.right, 100), COLORREF(0xF0CAA6));

    EXPECT_EQ(XrtSetPropString(chart, 3072, "Location [m]"), 1);
    EXPECT_TRUE(GetUpdateRect(window.Handle(), &dirty, FALSE));
    UpdateWindow(window.Handle());
    XrtDataStyle style{RGB(255, 0, 255), 4, RGB(255, 0, 255)};
    XrtSetNthDataStyle(chart, 0, &style);
    EXPECT_TRUE(GetUpdateRect(window.Handle(), &dirty, FALSE));
    XrtDestroy(chart);
}

}  // namespace
