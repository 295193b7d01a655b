#include <gtest/gtest.h>

#include "framework/Wnd.h"
#include "geometry/ViewContext.h"
#include "model/EntityOptions.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRaker.h"
#include "model/TalusimSlope.h"

namespace {

// Stands in for the slope view, which lives in a higher layer: a window whose
// run-time class carries the slope view's name.
class CSlopeViewStandIn : public CWnd
{
public:
    static CRuntimeClass classStandIn;
    CRuntimeClass* GetRuntimeClass() const override { return &classStandIn; }
};
CRuntimeClass CSlopeViewStandIn::classStandIn = {"CTalusimView", sizeof(CSlopeViewStandIn), 0xFFFF, nullptr,
                                                 RUNTIME_CLASS(CWnd), nullptr};

// A view class derived from the slope view.
class CDerivedSlopeView : public CSlopeViewStandIn
{
public:
    static CRuntimeClass classDerived;
    CRuntimeClass* GetRuntimeClass() const override { return &classDerived; }
};
CRuntimeClass CDerivedSlopeView::classDerived = {"CDerivedSlopeView", sizeof(CDerivedSlopeView), 0xFFFF,
                                                 nullptr, &CSlopeViewStandIn::classStandIn, nullptr};

}  // namespace

TEST(EntityOptions, OnlyTheSlopeViewPicksModelObjects)
{
    CWnd other;
    CSlopeViewStandIn slopeView;
    CDerivedSlopeView derived;
    EXPECT_FALSE(IsSlopeViewWindow(nullptr));
    EXPECT_FALSE(IsSlopeViewWindow(&other));
    EXPECT_TRUE(IsSlopeViewWindow(&slopeView));
    EXPECT_TRUE(IsSlopeViewWindow(&derived));

    CTalusimSlope slope;
    CTalusimRaker seeder;
    CTalusimBarrier barrier;
    CViewContext view;
    const struct {
        CWnd* owner;
        bool slopeAnswer, othersAnswer;
    } cases[] = {
        {nullptr, true, false},   // a view without owner window
        {&other, false, false},
        {&slopeView, true, true},
        {&derived, true, true},
    };
    for (const auto& c : cases) {
        view.SetOwnerView(c.owner);
        for (int code : {110, 111, 112}) {
            EXPECT_EQ(slope.QueryOption(nullptr, &view, code), c.slopeAnswer);
            EXPECT_EQ(seeder.QueryOption(nullptr, &view, code), c.othersAnswer);
            EXPECT_EQ(barrier.QueryOption(nullptr, &view, code), c.othersAnswer);
        }
    }
    // Without a view every one of them answers.
    EXPECT_TRUE(slope.QueryOption(nullptr, nullptr, 110));
    EXPECT_TRUE(seeder.QueryOption(nullptr, nullptr, 110));
    EXPECT_TRUE(barrier.QueryOption(nullptr, nullptr, 110));
}
