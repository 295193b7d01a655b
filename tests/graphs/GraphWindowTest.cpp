// Graph windows in the program's own frames: what they show before and after a
// fixed-seed compute of a small document, their titles by kind, and how they
// follow the document when it changes.
#include "GraphWindowSupport.h"

#include <algorithm>
#include <cmath>

#include "app/ChildFrame.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "tools/AddTextDlg.h"
#include "model/SlopeViewServices.h"
#include "view/TalusimView.h"

namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

double SeriesTotal(const CGraphSeries& s)
{
    double total = 0.0;
    for (int i = 0; i < s.GetCount(); ++i)
        total += s.GetY(i);
    return total;
}

} // namespace

TEST_F(GraphWindowTest, ShowsNoDataBeforeAComputeAndTheHistogramAfterIt)
{
    MakeSlope();
    CTalusimOlectraView* view = Open(2902);
    ASSERT_NE(view, nullptr);
    // The graph template's own frame, a child of the main frame's MDI client.
    auto* frame = dynamic_cast<CChildFrame*>(view->GetParentFrame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(mainFrame->MDIGetActive(), frame);
    EXPECT_TRUE(view->IsSplit());
    SizeClient(view, 600, 400);

    EXPECT_FALSE(view->HasData());
    EXPECT_TRUE(Contains(DrawnTexts(view), "No Data Available"));
    CRect chart;
    view->GetChart().GetClientRect(&chart);
    EXPECT_TRUE(chart.IsRectEmpty());

    Compute();
    ASSERT_GT(doc->GetRockPathCount(), 0);
    EXPECT_TRUE(view->HasData());
    EXPECT_FALSE(Contains(DrawnTexts(view), "No Data Available"));
    // Over the upper half in split view.
    view->GetChart().GetClientRect(&chart);
    EXPECT_EQ(chart.Size(), CSize(600, 200));

    // Five locations over [0, 60]: the middle one is at x = 30.
    EXPECT_EQ(WindowText(view), "Total Kinetic Energy Distribution at x=30.000");
    EXPECT_EQ(WindowText(frame), doc->GetTitle() + ":Total Kinetic Energy Distribution at x=30.000*");
    const GraphState& g = view->GetGraphState();
    ASSERT_EQ(g.location.index, 2);

    // The histogram, binned by hand over [0, the largest total energy of any location].
    double largest = 0.0;
    for (int i = 0; i <= doc->GetLastDistributionIndex(); ++i)
        for (int j = 0; j < doc->GetDistribution(i)->GetCount(2902); ++j)
            largest = std::max(largest, doc->GetDistribution(i)->GetValue(j, 2902));
    ASSERT_GT(largest, 0.0);
    std::vector<double> expected(20, 0.0);
    const CDistributionSamples* here = doc->GetDistribution(2);
    ASSERT_GT(here->GetCount(2902), 0);
    for (int j = 0; j < here->GetCount(2902); ++j) {
        const double v = here->GetValue(j, 2902);
        expected[static_cast<size_t>(std::min(19, static_cast<int>(std::floor(v / (largest / 20)))))] += 1.0;
    }
    ASSERT_EQ(g.series.GetCount(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(g.series.GetY(i), expected[static_cast<size_t>(i)]) << i;
        EXPECT_NEAR(g.series.GetX(i), (i + 0.5) * largest / 20, 1e-9 * largest) << i;
    }
    EXPECT_EQ(g.raw.GetCount(), here->GetCount(2902));
    int type = 0;
    XrtGetValues(view->GetChart().GetHandle(), XRT_CHART_TYPE, &type, 0);
    EXPECT_EQ(type, XRT_TYPE_BAR);
}

TEST_F(GraphWindowTest, TitlesAndSeriesFollowTheKind)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    ASSERT_GT(collector->GetHitUpperBound(false) + 1, 0);

    struct Case {
        int kind;
        CEntity* object;
        const char* title;
        const char* xTitle;
        const char* yTitle;
        int points;
        int chartType;
    };
    const Case cases[] = {
        {2901, nullptr, "Bounce Height Distribution at x=30.000", "Height Above Slope [m]", "Number of Rocks", 20,
         XRT_TYPE_BAR},
        {2940, nullptr, "Horizontal Location of Rock End-points", "Location [m]", "Number of Rocks", 4, XRT_TYPE_BAR},
        {2943, nullptr, "Translational Kinetic Energy Envelope", "Location [m]", "Translational Kinetic Energy [J]", 5,
         XRT_TYPE_LINE},
        {3142, collector, "Total Kinetic Energy on Collector", "Total Kinetic Energy [J]", "Number of Rocks", 20,
         XRT_TYPE_BAR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CTalusimOlectraView* view = Open(c.kind, c.object);
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->HasData());
        EXPECT_EQ(WindowText(view), c.title);
        EXPECT_EQ(view->GetChartSettings().XTitle(), c.xTitle);
        EXPECT_EQ(view->GetChartSettings().YTitle(), c.yTitle);
        EXPECT_EQ(view->GetGraphState().series.GetCount(), c.points);
        int type = 0;
        XrtGetValues(view->GetChart().GetHandle(), XRT_CHART_TYPE, &type, 0);
        EXPECT_EQ(type, c.chartType);
        // Impact graphs have no slope panel.
        EXPECT_EQ(view->IsSplit(), c.object == nullptr);
    }
    // End points count every rock once.
    EXPECT_EQ(SeriesTotal(Open(2940)->GetGraphState().series), doc->GetRockPathCount());
    // Each graph once: opening one again activates its window.
    const size_t open = GraphViews().size();
    EXPECT_EQ(Open(2943), Open(2943));
    EXPECT_EQ(GraphViews().size(), open);
}

TEST_F(GraphWindowTest, EachFamilyAgreesWithTheRunCountedByHand)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    doc->m_nRocks = 25;
    Compute();
    ASSERT_EQ(doc->GetEndPointCount(), 25);

    // End points: 4 bins over the slope's [0, 60], 15 m each.
    const CGraphSeries& ends = Open(2940)->GetGraphState().series;
    std::vector<double> endCounts(4, 0.0);
    for (int r = 0; r < doc->GetEndPointCount(); ++r) {
        const double x = doc->GetEndPoint(r).x;
        endCounts[static_cast<size_t>(std::clamp(static_cast<int>(std::floor(x / 15.0)), 0, 3))] += 1.0;
    }
    ASSERT_EQ(ends.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ends.GetX(i), 7.5 + 15.0 * i);
        EXPECT_EQ(ends.GetY(i), endCounts[static_cast<size_t>(i)]) << i;
    }

    // Translational energy envelope: at each location the largest energy of the rocks that passed it.
    const CGraphSeries& envelope = Open(2943)->GetGraphState().series;
    ASSERT_EQ(envelope.GetCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(envelope.GetX(i), 15.0 * i);
        const CDistributionSamples* d = doc->GetDistribution(i);
        double largest = 0.0;
        for (int j = 0; j < d->GetCount(2903); ++j)
            largest = std::max(largest, d->GetValue(j, 2903));
        EXPECT_DOUBLE_EQ(envelope.GetY(i), largest) << i;
    }

    // Total energy of the collector's hits: 20 bins from the smallest to the largest, at their centres.
    std::vector<double> energies;
    for (CBarrierHit h = collector->GetFirstHit(); h.IsValid(); h = collector->GetNextHit())
        energies.push_back(h.GetTotalEnergy());
    ASSERT_GT(energies.size(), 1u);
    const double low = *std::min_element(energies.begin(), energies.end());
    const double high = *std::max_element(energies.begin(), energies.end());
    ASSERT_LT(low, high);
    std::vector<double> hitCounts(20, 0.0);
    for (double e : energies)
        hitCounts[static_cast<size_t>(std::min(19, static_cast<int>(std::floor((e - low) / ((high - low) / 20)))))] += 1.0;
    const CGraphSeries& hits = Open(3142, collector)->GetGraphState().series;
    ASSERT_EQ(hits.GetCount(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(hits.GetX(i), low + (high - low) * (i + 0.5) / 20, 1e-9 * high) << i;
        EXPECT_EQ(hits.GetY(i), hitCounts[static_cast<size_t>(i)]) << i;
    }
}

TEST_F(GraphWindowTest, ChartsLowerThan198PixelsUseTheSmallFonts)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* hits = Open(3141, collector);
    ASSERT_NE(hits, nullptr);
    CRect chart;
    for (int height : {197, 198, 197}) {
        SizeClient(hits, 400, height);
        EXPECT_EQ(hits->UsesSmallFonts(), height <= 197) << height;
    }
    // An impact graph has no slope panel: its chart keeps the whole height.
    hits->SetSplitView(true);
    hits->GetChart().GetClientRect(&chart);
    EXPECT_EQ(chart.Height(), 197);

    // A split graph's chart is the upper half.
    CTalusimOlectraView* envelope = Open(2945);
    ASSERT_NE(envelope, nullptr);
    for (int height : {396, 394}) {
        SizeClient(envelope, 400, height);
        envelope->GetChart().GetClientRect(&chart);
        EXPECT_EQ(chart.Height(), height / 2);
        EXPECT_EQ(envelope->UsesSmallFonts(), height / 2 <= 197) << height;
    }
}

TEST_F(GraphWindowTest, RebuildsWhenTheDocumentChanges)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* endPoints = Open(2940);
    CTalusimOlectraView* hits = Open(3142, collector);
    ASSERT_NE(endPoints, nullptr);
    ASSERT_NE(hits, nullptr);
    EXPECT_EQ(SeriesTotal(endPoints->GetGraphState().series), 12.0);

    // More rocks (a compute adds to the paths there are): every window shows them.
    doc->m_nRocks = 30;
    Compute();
    EXPECT_EQ(doc->GetRockPathCount(), 42);
    EXPECT_EQ(SeriesTotal(endPoints->GetGraphState().series), 42.0);
    EXPECT_EQ(SeriesTotal(hits->GetGraphState().series), collector->GetHitUpperBound(false) + 1);

    // Feet: the titles follow the units, and the cleared results leave no data.
    struct Feet : CSlopeViewServices {
        INT_PTR RunUnits(bool& metric) override
        {
            metric = false;
            return IDOK;
        }
    } feet;
    CSlopeViewServices* previous = InstallSlopeViewServices(&feet);
    doc->OnUnits();
    InstallSlopeViewServices(previous);
    Idle();
    EXPECT_EQ(endPoints->GetChartSettings().XTitle(), "Location [ft]");
    EXPECT_FALSE(endPoints->HasData());
    EXPECT_TRUE(Contains(DrawnTexts(endPoints), "No Data Available"));
}

// A rebuild sets the window's title: a title put there by hand shows
// whether the graph was rebuilt since.
TEST_F(GraphWindowTest, MouseMovesInAPlacingModeDoNotRebuildTheGraphs)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* hits = Open(3142, collector);
    ASSERT_NE(hits, nullptr);
    const CString title = WindowText(hits);
    // The slope view the user moves the mouse in, in a frame of its own. A
    // slope view installs the services the document asks of slope views;
    // the other cases here run without them, as before.
    CSlopeViewServices* previousServices = &SlopeViewServices();
    const AutoTextWriter previousWriter = InstallAutoTextWriter(nullptr);
    InstallAutoTextWriter(previousWriter);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTalusimView);
    context.m_pCurrentDoc = doc;
    auto* slopeFrame = new CFrameWnd;
    ASSERT_TRUE(slopeFrame->Create(nullptr, "Slope", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr,
                                   0, &context));
    slopeFrame->InitialUpdateFrame(doc, TRUE);
    auto* slopeView = dynamic_cast<CTalusimView*>(slopeFrame->GetActiveView());
    struct Closer {
        CFrameWnd* frame;
        CSlopeViewServices* services;
        AutoTextWriter writer;
        ~Closer()
        {
            frame->DestroyWindow();
            InstallSlopeViewServices(services);
            InstallAutoTextWriter(writer);
        }
    } closer{slopeFrame, previousServices, previousWriter};
    ASSERT_NE(slopeView, nullptr);
    auto move = [&](int x, int y) { slopeView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };

    // A seeder's place follows the mouse.
    doc->SetMode(MODE_ADD_POINT_SEEDER);
    hits->SetWindowText("not rebuilt");
    for (int i = 0; i < 5; ++i)
        move(100 + 10 * i, 100);
    Idle();
    EXPECT_EQ(WindowText(hits), "not rebuilt");
    doc->SetMode(MODE_IDLE);
    // A collector's second end follows the mouse.
    doc->OnAddDataCollector();
    ASSERT_EQ(doc->GetMode(), MODE_ADD_COLLECTOR_FIRST);
    move(120, 120);
    slopeView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 120));
    slopeView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 120));
    ASSERT_EQ(doc->GetMode(), MODE_ADD_COLLECTOR_SECOND);
    hits->SetWindowText("not rebuilt");
    for (int i = 0; i < 5; ++i)
        move(150 + 10 * i, 160);
    Idle();
    EXPECT_EQ(WindowText(hits), "not rebuilt");
    slopeView->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);

    // A change the graph shows rebuilds it.
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(WindowText(hits), title);
}

TEST_F(GraphWindowTest, AnImpactGraphOfADeletedCollectorShowsNoData)
{
    MakeSlope();
    CTalusimBarrier* collector = AddCollector(40, 3, 40, 20);
    Compute();
    CTalusimOlectraView* hits = Open(3140, collector);
    ASSERT_NE(hits, nullptr);
    ASSERT_TRUE(hits->HasData());
    // Deleted behind the window's back (the document's own delete commands close
    // the window first): the window must never read the freed collector.
    doc->GetDatabase()->DeleteEntity(collector, true);
    doc->UpdateAllViews(nullptr);
    Idle();
    EXPECT_FALSE(hits->HasData());
    EXPECT_EQ(hits->GetObject(), nullptr);
    EXPECT_TRUE(Contains(DrawnTexts(hits), "No Data Available"));
}


TEST_F(GraphWindowTest, DeletingAllTheBarriersClosesTheirImpactGraphsAsDeletingOneDoes)
{
    MakeSlope();
    auto placeBarriers = [&] {
        for (double x : {20.0, 40.0}) {
            auto* b = new CTalusimBarrier;
            b->SetPoints(x, 30, x, 20);
            b->SetGroupId(GROUP_BARRIER);
            b->SetCategoryId(CAT_PLACED);
            b->SetName(x == 20.0 ? "Upper fence" : "Lower fence");
            doc->GetDatabase()->AddEntity(b, false);
            for (int kind : {3140, 3143})
                ASSERT_NE(Open(kind, b), nullptr);
        }
        ASSERT_EQ(GraphViews().size(), 4u);
    };
    // Define Slope's "This will delete all of the barriers" (the slope view's
    // command calls the document so), answered OK.
    placeBarriers();
    {
        MessageBoxRecorder boxes;
        doc->BeginDefineSlope();
        Idle();
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], "This will delete all of the barriers\nContinue?");
    }
    EXPECT_TRUE(CollectEntities(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).empty());
    EXPECT_TRUE(GraphViews().empty());
    doc->SetMode(MODE_IDLE);

    // Delete Entire Slope, answered OK.
    placeBarriers();
    {
        MessageBoxRecorder boxes;
        mainFrame->SendMessage(WM_COMMAND, ID_DELETE_ENTIRE_SLOPE);
        Idle();
        EXPECT_EQ(boxes.texts.size(), 1u);
    }
    EXPECT_TRUE(CollectEntities(*doc->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_BARRIER).empty());
    EXPECT_TRUE(GraphViews().empty());
}
