// What the Working dialog shows during a computation: the rock counts and
// percentages, the series of an outer loop, and how often it is updated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ComputeProgress.h"
#include "WorkingTestSupport.h"

namespace {

class ComputeProgressTest : public WorkingWindowsTest {
protected:
    void SetUp() override {
        WorkingWindowsTest::SetUp();
        saved = CComputeProgress::GetUpdateInterval();
    }
    void TearDown() override {
        CComputeProgress::SetUpdateInterval(saved);
        WorkingWindowsTest::TearDown();
    }
    std::chrono::milliseconds saved{};
};

TEST_F(ComputeProgressTest, PercentNeverShowsZero) {
    struct Case {
        unsigned long long k, n;
        int percent;
    } cases[] = {{0, 10, 1}, {1, 10, 10}, {9, 10, 90}, {0, 1, 1}, {2, 3, 66}, {0, 0, 1},
                 // 64-bit arithmetic: 100 * k does not overflow for big runs.
                 {4000000000ULL, 4000000001ULL, 99}};
    for (const Case& c : cases) EXPECT_EQ(CComputeProgress::Percent(c.k, c.n), c.percent) << c.k << " of " << c.n;
}

TEST_F(ComputeProgressTest, EveryRockIsShownWhenUpdatesAreNotThrottled) {
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", false, -1, -1);
    ASSERT_NE(progress.GetDialog(), nullptr);
    CProgressBarsWnd& bar = progress.GetDialog()->GetFirstBar();
    std::vector<std::string> labels;
    std::vector<int> percents;
    for (unsigned k = 0; k < 10; ++k) {
        const int idleBefore = App().idleCalls;
        EXPECT_TRUE(progress.BeforeRock(k, 10));
        EXPECT_GT(App().idleCalls, idleBefore);  // the messages were pumped
        labels.push_back(bar.GetLabel());
        percents.push_back(bar.GetPercent());
    }
    EXPECT_EQ(labels.front(), "Rock 1 of 10");
    EXPECT_EQ(labels.back(), "Rock 10 of 10");
    EXPECT_EQ(percents, (std::vector<int>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
    progress.Close();
    EXPECT_EQ(progress.GetDialog(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
}

TEST_F(ComputeProgressTest, ThrottledUpdatesShowTheFirstAndTheLastRock) {
    CComputeProgress::SetUpdateInterval(std::chrono::hours(1));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", false, -1, -1);
    CProgressBarsWnd& bar = progress.GetDialog()->GetFirstBar();
    int pumps = 0;
    for (unsigned k = 0; k < 1000; ++k) {
        const int idleBefore = App().idleCalls;
        progress.BeforeRock(k, 1000);
        if (App().idleCalls != idleBefore) ++pumps;
        if (k == 500) {
            EXPECT_STREQ(bar.GetLabel(), "Rock 1 of 1000");
        }
    }
    EXPECT_EQ(pumps, 2);
    EXPECT_STREQ(bar.GetLabel(), "Rock 1000 of 1000");
}

TEST_F(ComputeProgressTest, AnOuterSeriesIsShownInsteadOfTheRocks) {
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", true, 2, 8);
    CProgressBarsWnd& bar = progress.GetDialog()->GetFirstBar();
    EXPECT_TRUE(bar.IsDivisionLabel());
    EXPECT_STREQ(bar.GetLabel(), "Division 3 of 8");
    EXPECT_EQ(bar.GetPercent(), 25);
    progress.BeforeRock(4, 10);
    EXPECT_STREQ(bar.GetLabel(), "Division 3 of 8");
}

TEST_F(ComputeProgressTest, WithoutProgressNothingIsShownOrPumped) {
    int run = 1;
    CComputeProgress progress(false, &run, "Calculating paths...", false, -1, -1);
    EXPECT_EQ(progress.GetDialog(), nullptr);
    const int idleBefore = App().idleCalls;
    EXPECT_TRUE(progress.BeforeRock(0, 10));
    EXPECT_EQ(App().idleCalls, idleBefore);
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
}

TEST_F(ComputeProgressTest, AShortRunFinishesWithoutTheDialog) {
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    CComputeProgress::SetShowDelay(std::chrono::hours(1));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", false, -1, -1);
    const int idleBefore = App().idleCalls;
    for (unsigned k = 0; k < 10; ++k) EXPECT_TRUE(progress.BeforeRock(k, 10));
    EXPECT_EQ(progress.GetDialog(), nullptr);
    EXPECT_EQ(App().idleCalls, idleBefore);
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
}

TEST_F(ComputeProgressTest, ALongerRunShowsTheDialogOnceTheDelayHasPassed) {
    CComputeProgress::SetUpdateInterval(std::chrono::hours(1));
    CComputeProgress::SetShowDelay(std::chrono::milliseconds(30));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", false, -1, -1);
    EXPECT_TRUE(progress.BeforeRock(0, 100));
    EXPECT_EQ(progress.GetDialog(), nullptr);
    ::Sleep(60);
    const int idleBefore = App().idleCalls;
    EXPECT_TRUE(progress.BeforeRock(1, 100));
    ASSERT_NE(progress.GetDialog(), nullptr);
    // Shown with the rock it appeared at, the windows disabled, messages pumped.
    EXPECT_STREQ(progress.GetDialog()->GetFirstBar().GetLabel(), "Rock 2 of 100");
    EXPECT_GT(App().idleCalls, idleBefore);
    EXPECT_FALSE(::IsWindowEnabled(MainWindow()));
    progress.Close();
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
    // A closed run does not bring the dialog back.
    EXPECT_TRUE(progress.BeforeRock(2, 100));
    EXPECT_EQ(progress.GetDialog(), nullptr);
}

TEST_F(ComputeProgressTest, ARunNearlyDoneWhenTheDelayPassesFinishesWithoutTheDialog) {
    CComputeProgress::SetUpdateInterval(std::chrono::hours(1));
    CComputeProgress::SetShowDelay(std::chrono::milliseconds(30));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", false, -1, -1);
    EXPECT_TRUE(progress.BeforeRock(0, 100));
    ::Sleep(60);
    // 60 ms for 95 rocks: the last five take about 3 ms more.
    EXPECT_TRUE(progress.BeforeRock(95, 100));
    EXPECT_EQ(progress.GetDialog(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
    // Half the rocks still to go: about 60 ms more, and the dialog shows.
    EXPECT_TRUE(progress.BeforeRock(50, 100));
    EXPECT_NE(progress.GetDialog(), nullptr);
    progress.Close();
}

TEST_F(ComputeProgressTest, AnOuterSeriesShowsTheDialogAtOnce) {
    CComputeProgress::SetShowDelay(std::chrono::hours(1));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", true, 0, 4);
    EXPECT_NE(progress.GetDialog(), nullptr);
}

TEST_F(ComputeProgressTest, AQuitWhilePumpingIsReported) {
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    int run = 1;
    CComputeProgress progress(true, &run, "Calculating paths...", false, -1, -1);
    EXPECT_TRUE(progress.BeforeRock(0, 10));
    ::PostQuitMessage(0);
    EXPECT_FALSE(progress.BeforeRock(1, 10));
    EXPECT_TRUE(progress.IsQuitting());
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
