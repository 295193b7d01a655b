// Compute on a small document: the rocks are what the engine reports for the
// same seed, the per-location results agree with the rock paths, Cancel and a
// quit leave a consistent document, and bad models are refused with their
// messages. That a fixed seed writes the same file twice is tested with the
// document's formats (tests/formats).
#include "model/DocumentDependencies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "ComputeTestSupport.h"
#include "res/resource.h"
#include "model/SlopeViewServices.h"
#include "../framework/WindowTestSupport.h"

namespace {

class ComputeTest : public ComputeDocTest {};

// The rocks of a compute as the engine alone reports them: the same hand-over
// of the model in the same order and the same seeder samples, from the same seed.
struct ReferenceRun {
    RecordingEngine engine;
    std::vector<std::vector<EngineEvent>> rocks;  // each rock's reports, its end point last
};

void ThrowReference(CTalusimDoc& doc, CTalusimRaker& seeder, const std::vector<CTalusimBarrier*>& lines,
                    ReferenceRun& ref) {
    RecordingEngine& e = ref.engine;
    SeedRandom(190274);
    e.SetMetricUnits();
    e.SetMinimumVelocity(doc.m_dMinimumVelocity);
    e.SetSlidingVariant();
    e.SetFrictionFromRt(false);
    e.SetOptions(true, false, false, false, 9.144, 1000.0);
    CTalusimSlope* slope = doc.GetSlope();
    const int m = slope->GetSlopeVertexCount();
    for (int i = 0; i < m; ++i) {
        CPolyVertex v;
        slope->GetSlopeVertex(v, i);
        if (i == 0) {
            e.AddSlopeSegment(v.x, v.y, 0, 0, 0, 0, 0, 0, 0);
            continue;
        }
        CTalusimSlopeType* t = slope->GetSegmentMaterial(i);
        e.AddSlopeSegment(v.x, v.y, t->GetRnMean(), t->GetRnStdDev(), t->GetRtMean(), t->GetRtStdDev(),
                          t->GetFrictionAngleMean(), t->GetFrictionAngleStdDev(), t->GetRoughnessStdDev());
    }
    for (CTalusimBarrier* b : lines)
        e.AddBarrier(b->GetX1(), b->GetY1(), b->GetX2(), b->GetY2(), b->GetCapacity(), b, b->IsLengthCheckSkipped(),
                     b->GetRnMean(), b->GetRnStdDev(), b->GetRtMean(), b->GetRtStdDev(), b->HasInfiniteCapacity());
    CPolyVertex first, last;
    slope->GetSlopeVertex(first, 0);
    slope->GetSlopeVertex(last, m - 1);
    double top = -DBL_MAX, bottom = DBL_MAX;
    for (int i = 0; i < m; ++i) {
        CPolyVertex v;
        slope->GetSlopeVertex(v, i);
        top = std::max(top, v.y);
        bottom = std::min(bottom, v.y);
    }
    const int n = doc.m_nLocations;
    for (int i = 0; i < n; ++i) {
        const double x = i == n - 1 ? last.x : first.x + i * (last.x - first.x) / (n - 1);
        e.AddLocation(x, top + 100, x, bottom - 10, i);
    }
    e.AddLocation(first.x - 1000, bottom - 10, last.x + 1000, bottom - 10, -1);
    for (int k = 0; k < doc.m_nRocks; ++k) {
        const double mass = seeder.SampleMass();
        const CVector2D v = seeder.SampleVelocity();
        const CVector2D p = seeder.GetStartPoint();
        const double w = seeder.SampleAngularVelocity();
        if (!(mass >= 0.001)) continue;
        e.events.clear();
        e.SetRockStart(p.x, p.y, v.x, v.y, mass, w);
        e.Run();
        ref.rocks.push_back(e.events);
    }
}

TEST_F(ComputeTest, RocksAreWhatTheEngineReportsForTheSameSeed) {
    SetTalusSlope();
    CTalusimRaker* seeder = AddPointSeeder(2.0, 42.0);
    CTalusimBarrier* collector = AddLine(40, 3, 40, 20, true);
    doc->m_nRocks = 6;
    doc->RunSimulation(FALSE);

    ReferenceRun ref;
    ThrowReference(*doc, *seeder, {collector}, ref);
    ASSERT_EQ(doc->GetRockPathCount(), static_cast<int>(ref.rocks.size()));
    std::vector<int> passages(static_cast<size_t>(doc->m_nLocations), 0);
    int collectorHits = 0;
    for (int r = 0; r < doc->GetRockPathCount(); ++r) {
        SCOPED_TRACE(r);
        CTalusimRockPath* path = doc->GetRockPath(r);
        int s = 0;
        for (const EngineEvent& e : ref.rocks[static_cast<size_t>(r)]) {
            if (e.kind == EngineEvent::Flight || e.kind == EngineEvent::Sliding) {
                ASSERT_LE(s, path->GetSegmentUpperBound());
                bool straight;
                double x0, y0, x1, y1, T, g, vx, vy;
                path->GetSegment(s++)->GetParameters(straight, x0, y0, x1, y1, T, g, vx, vy);
                EXPECT_EQ(straight, e.kind == EngineEvent::Sliding);
                EXPECT_EQ(x0, e.x0);
                EXPECT_EQ(y0, e.y0);
                EXPECT_EQ(x1, e.x1);
                EXPECT_EQ(y1, e.y1);
                EXPECT_EQ(g, e.g);
                if (!straight) {
                    EXPECT_EQ(T, e.t);
                    EXPECT_EQ(vx, e.vx0);
                    EXPECT_EQ(vy, e.vy0);
                }
            } else if (e.kind == EngineEvent::Location && e.id >= 0) {
                ++passages[static_cast<size_t>(e.id)];
            } else if (e.kind == EngineEvent::Barrier) {
                EXPECT_EQ(e.entity, collector);
                ++collectorHits;
            } else if (e.kind == EngineEvent::End) {
                EXPECT_EQ(doc->GetEndPoint(r).x, e.x0);
                EXPECT_EQ(doc->GetEndPoint(r).y, e.y0);
            }
        }
        EXPECT_EQ(s, path->GetSegmentUpperBound() + 1);
    }
    for (int i = 0; i < doc->m_nLocations; ++i)
        EXPECT_EQ(doc->GetDistribution(i)->GetCount(DIST_VELOCITY), passages[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(collector->GetHitUpperBound(false) + 1, collectorHits);
    EXPECT_GT(collectorHits, 0);
    ExpectConsistent();
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(ComputeTest, EnvelopesAndSamplesAtALocationAreThoseOfThePathsCrossingIt) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    doc->m_nRocks = 20;
    doc->m_nLocations = 7;
    doc->RunSimulation(FALSE);
    ASSERT_EQ(doc->GetEnvelopeCount(), 7);
    int checked = 0;
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const CLocationEnvelope& e = doc->GetLocationMaxima(i);
        const double X = e.GetLocation();
        EXPECT_DOUBLE_EQ(X, 60.0 * i / 6);
        EXPECT_DOUBLE_EQ(e.GetSlopeHeight(), doc->GetSlope()->GetHeightAt(X));
        std::vector<double> crossings;
        for (int r = 0; r < doc->GetRockPathCount(); ++r) {
            CTalusimRockPath* p = doc->GetRockPath(r);
            for (int s = 0; s <= p->GetSegmentUpperBound(); ++s) {
                const double y = PieceHeightAt(*p->GetSegment(s), X, s == 0);
                if (!std::isnan(y)) crossings.push_back(y);
            }
        }
        CDistributionSamples* d = doc->GetDistribution(i);
        std::vector<double> heights;
        for (int j = 0; j < d->GetCount(DIST_BOUNCE_HEIGHT); ++j) heights.push_back(d->GetValue(j, DIST_BOUNCE_HEIGHT));
        ASSERT_EQ(heights.size(), crossings.size());
        std::sort(heights.begin(), heights.end());
        std::sort(crossings.begin(), crossings.end());
        for (size_t j = 0; j < heights.size(); ++j) EXPECT_NEAR(heights[j], crossings[j], 1e-6);
        if (crossings.empty()) {
            EXPECT_EQ(e.GetMaxHeight(), -DBL_MAX);
            continue;
        }
        ++checked;
        EXPECT_NEAR(e.GetMaxHeight(), crossings.back(), 1e-6);
        // The maxima of the other values are those of the samples.
        double vMax = 0, eMax = 0;
        for (int j = 0; j < d->GetCount(DIST_VELOCITY); ++j) {
            vMax = std::max(vMax, d->GetValue(j, DIST_VELOCITY));
            eMax = std::max(eMax, d->GetValue(j, DIST_TOTAL_ENERGY));
        }
        EXPECT_DOUBLE_EQ(e.GetMaxVelocity(), vMax);
        EXPECT_DOUBLE_EQ(e.GetMaxTotalEnergy(), eMax);
    }
    EXPECT_GE(checked, 3);
}

// Runs a compute with its Working dialog, doing something at each pump.
struct DuringCompute {
    std::vector<bool> mainEnabled, otherEnabled;
    std::vector<int> shown;  // the rock number the bar showed at each pump

    static CWorkingDlg* Dialog() {
        HWND h = ::FindWindowA(nullptr, "Calculating paths...");
        return h ? dynamic_cast<CWorkingDlg*>(CWnd::FromHandlePermanent(h)) : nullptr;
    }
};

TEST_F(ComputeTest, CancelPartWayKeepsTheRocksThrownAndLeavesTheDocumentConsistent) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    doc->m_nRocks = 10;
    // Vertex deviations, so that the slope is sampled for every rock.
    for (int i = 1; i < 4; ++i) {
        CPolyVertex v;
        doc->GetSlope()->GetSlopeVertex(v, i);
        v.auxA = 0.2;
        v.auxB = 0.2;
        doc->GetSlope()->SetVertex(i, v);
    }
    doc->m_bGenerateSlopeSamples = true;
    const std::vector<CPolyVertex> before = SlopeVertices();
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    DuringCompute during;
    App().onIdle = [&] {
        CWorkingDlg* dlg = DuringCompute::Dialog();
        if (dlg == nullptr || dlg->m_hWnd == nullptr) return;
        during.mainEnabled.push_back(::IsWindowEnabled(MainWindow()));
        during.otherEnabled.push_back(::IsWindowEnabled(OtherWindow()));
        during.shown.push_back(dlg->GetFirstBar().GetCurrent());
        if (dlg->GetFirstBar().GetCurrent() == 3)
            ::SendMessageA(dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dlg->m_hWnd, IDCANCEL)));
    };
    MessageBoxRecorder boxes;
    doc->RunSimulation(TRUE);

    EXPECT_EQ(during.shown, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(during.mainEnabled, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(during.otherEnabled, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(::IsWindowEnabled(MainWindow()));
    EXPECT_TRUE(::IsWindowEnabled(OtherWindow()));
    EXPECT_EQ(DuringCompute::Dialog(), nullptr);
    EXPECT_EQ(doc->GetRockPathCount(), 3);
    ExpectConsistent();
    // The drawn slope is back, its deviations included.
    const std::vector<CPolyVertex> after = SlopeVertices();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].x, before[i].x);
        EXPECT_EQ(after[i].y, before[i].y);
        EXPECT_EQ(after[i].auxA, before[i].auxA);
        EXPECT_EQ(after[i].auxB, before[i].auxB);
    }
    EXPECT_TRUE(boxes.texts.empty());

    // A second compute adds its rocks to the ones kept.
    App().onIdle = nullptr;
    doc->RunSimulation(FALSE);
    EXPECT_EQ(doc->GetRockPathCount(), 13);
    ExpectConsistent();
}

TEST_F(ComputeTest, AQuitStopsTheRocksAndIsPostedAgain) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    doc->m_nRocks = 10;
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    bool posted = false;
    App().onIdle = [&] {
        CWorkingDlg* dlg = DuringCompute::Dialog();
        if (!posted && dlg != nullptr && dlg->GetFirstBar().GetCurrent() == 3) {
            ::PostQuitMessage(0);
            posted = true;
        }
    };
    MessageBoxRecorder boxes;
    doc->RunSimulation(TRUE);
    // The rock whose pump saw the quit is still thrown.
    EXPECT_EQ(doc->GetRockPathCount(), 4);
    ExpectConsistent();
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ComputeTest, ASecondComputeIsRefusedWhileOneRuns) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    doc->m_nRocks = 4;
    CComputeProgress::SetUpdateInterval(std::chrono::milliseconds(0));
    int attempts = 0;
    App().onIdle = [&] {
        // As if a command reached the document from a window while it computes.
        ++attempts;
        doc->OnCompute();
    };
    doc->RunSimulation(TRUE);
    EXPECT_GT(attempts, 0);
    EXPECT_EQ(doc->GetRockPathCount(), 4);
    ExpectConsistent();
}

// A slope that breaks one rule, and the message it gets.
struct BadSlope {
    const char* name;
    std::vector<std::pair<double, double>> vertices;
    std::string message;
};

std::string Loaded(UINT id) {
    CString s;
    s.LoadString(id);
    return static_cast<LPCSTR>(s);
}

TEST_F(ComputeTest, EachBadSlopeGetsItsMessageAndNothingIsComputed) {
    CString tooShort, endsClose;
    tooShort.Format(IDS_SEGMENT_TOO_SHORT, 0.001, 2);
    endsClose.Format(IDS_ENDS_TOO_CLOSE, 0.001);
    const BadSlope cases[] = {
        {"segment too short", {{0, 10}, {5, 5}, {5.0005, 5}, {10, 0}}, static_cast<LPCSTR>(tooShort)},
        {"ends too close in x", {{0, 10}, {5, 0}, {0.0005, -5}}, static_cast<LPCSTR>(endsClose)},
        {"last vertex under the slope", {{0, 10}, {5, 5}, {12, 4}, {9, 0}}, Loaded(IDS_END_BELOW_SLOPE)},
        {"segments cross", {{0, 10}, {10, 0}, {10, 10}, {5, -5}}, Loaded(IDS_SEGMENTS_CROSS)},
    };
    for (const BadSlope& c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument();
        for (const auto& v : c.vertices) doc->GetSlope()->AddVertexWithMaterial(v.first, v.second, material);
        AddPointSeeder(1.0, 20.0);
        MessageBoxRecorder boxes;
        doc->RunSimulation(FALSE);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], c.message);
        EXPECT_EQ(doc->GetRockPathCount(), 0);
        EXPECT_EQ(RockPathEntities(), 0);
        EXPECT_TRUE(doc->ValidateSlope(FALSE));
    }
}

// What the engine would refuse is refused before any rock, with a message
// that names the object and the value.
TEST_F(ComputeTest, ModelValuesTheEngineRefusesStopTheCompute) {
    struct Case {
        const char* name;
        std::function<void(ComputeTest&)> spoil;
        const char* expected;  // a part of the message
    };
    const Case cases[] = {
        {"segment without material",
         [](ComputeTest& t) { t.doc->GetSlope()->SetSegmentMaterial(2, nullptr); },
         "The slope segment that ends at vertex 2 has no material"},
        {"material Rn above 1",
         [](ComputeTest& t) { t.material->SetRnMean(1.5); },
         "Rn mean 1.5"},
        {"barrier with negative capacity",
         [](ComputeTest& t) {
             CTalusimBarrier* b = t.AddLine(40, 3, 40, 20, false);
             b->SetInfiniteCapacity(false);
             b->SetCapacity(-5.0);
         },
         "The barrier \"Barrier\" has an invalid capacity -5"},
        {"collector with Rt above 1",
         [](ComputeTest& t) { t.AddLine(40, 3, 40, 20, true)->SetCustomCoefficients(0.5, 0, 1.2, 0); },
         "The data collector \"Collector\" has an invalid Rt mean 1.2"},
        {"one analysis location", [](ComputeTest& t) { t.doc->m_nLocations = 1; }, "at least 2"},
        {"negative minimum velocity", [](ComputeTest& t) { t.doc->m_dMinimumVelocity = -1; },
         "minimum velocity -1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument();
        SetTalusSlope();
        AddPointSeeder(2.0, 42.0);
        c.spoil(*this);
        MessageBoxRecorder boxes;
        doc->RunSimulation(FALSE);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_NE(boxes.texts[0].find(c.expected), std::string::npos) << boxes.texts[0];
        EXPECT_EQ(doc->GetRockPathCount(), 0);
    }
}

// The Barrier Editor as the user leaves it: untouched, or with the barrier lengthened.
struct BarrierEditorStub : CSlopeViewServices {
    bool lengthen = false;
    int runs = 0;
    INT_PTR RunBarrierEditor(CTalusimDoc* doc, CTalusimBarrier*) override {
        ++runs;
        if (lengthen)
            for (auto* b : CollectAs<CTalusimBarrier>(*doc->GetDatabase(), 20, KIND_BARRIER, 21))
                b->SetPoints(b->GetX1(), b->GetY1(), b->GetX1(), b->GetY1() + 5.0);
        return IDOK;
    }
};

TEST_F(ComputeTest, AShortBarrierStopsTheComputeAndResultsGoOnlyWhenTheEditorChangedIt) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    doc->RunSimulation(FALSE);
    ASSERT_EQ(doc->GetRockPathCount(), 5);
    AddLine(40, 3, 40, 3.0005, false);
    AddLine(45, 3, 45, 3, true);  // a collector has no minimum length

    BarrierEditorStub editor;
    CSlopeViewServices* previous = InstallSlopeViewServices(&editor);
    CString question;
    question.Format(IDS_BARRIER_TOO_SHORT, 0.001);
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDNO};
        doc->RunSimulation(FALSE);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], static_cast<LPCSTR>(question));
        EXPECT_EQ(boxes.types[0] & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(editor.runs, 0);
        EXPECT_EQ(doc->GetRockPathCount(), 5);
    }
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDYES};
        doc->RunSimulation(FALSE);
        EXPECT_EQ(editor.runs, 1);
        EXPECT_EQ(doc->GetRockPathCount(), 5);  // nothing was edited: the results stay
        ExpectConsistent();
    }
    {
        MessageBoxRecorder boxes;
        boxes.answers = {IDYES};
        editor.lengthen = true;
        doc->RunSimulation(FALSE);
        EXPECT_EQ(editor.runs, 2);
        EXPECT_EQ(doc->GetRockPathCount(), 0);  // the edit made them stale
        EXPECT_EQ(RockPathEntities(), 0);
    }
    InstallSlopeViewServices(previous == &editor ? nullptr : previous);
    // The lengthened barrier now computes.
    MessageBoxRecorder boxes;
    doc->RunSimulation(FALSE);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(doc->GetRockPathCount(), 5);
}

TEST_F(ComputeTest, TimeOutsAreReportedOnceAfterTheRun) {
    // A frictionless open valley: a rock let go on one side slides to and fro
    // for ever, until the engine gives up on it.
    CTalusimSlopeType* ice = doc->GetFirstMaterial();
    ice->SetRnMean(0.0);
    ice->SetRnStdDev(0.0);
    ice->SetRtMean(1.0);
    ice->SetRtStdDev(0.0);
    ice->SetFrictionAngleMean(0.0);
    ice->SetFrictionAngleStdDev(0.0);
    SetSlope({{0, 5}, {10, 0}, {20, 5}}, ice);
    CTalusimRaker* seeder = AddPointSeeder(2.0, 4.01, 100.0, 0.0);
    seeder->SetVelocity(0, 0, 0, 0);
    seeder->SetAngularVelocity(0, 0);
    doc->m_dMinimumVelocity = 0.0;
    doc->m_nRocks = 2;
    doc->m_bConsiderAngularVelocity = false;
    MessageBoxRecorder boxes;
    doc->RunSimulation(FALSE);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], Loaded(IDS_TIME_OUT));
    // Each rock's path is kept with what it travelled.
    EXPECT_EQ(doc->GetRockPathCount(), 2);
    EXPECT_GT(doc->GetRockPath(0)->GetSegmentUpperBound(), 1000);
    ExpectConsistent();
}

TEST_F(ComputeTest, InvalidMassesAreSkippedAndCountedOnce) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0, 0.0005, 0.0);
    doc->m_nRocks = 4;
    MessageBoxRecorder boxes;
    doc->RunSimulation(FALSE);
    EXPECT_EQ(doc->GetRockPathCount(), 0);
    EXPECT_EQ(RockPathEntities(), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("4 invalid values for mass were created", 0), 0u) << boxes.texts[0];
}

TEST_F(ComputeTest, RocksTheEngineCannotFollowAreCountedOnceAndLeaveNoResult) {
    // Seeders whose samples leave the engine nothing it can follow: a spread
    // of 1e300 m/s, a speed too large for any flight to be computed, a mass
    // whose rotation overflows.
    struct Case {
        const char* what;
        double vx, vxSd, mass, omegaSd;
    } cases[] = {
        {"velocity spread 1e300", 2.0, 1e300, 1000.0, 0.1},
        {"velocity 1e150", 1e150, 0.0, 1000.0, 0.1},
        {"mass 1e200", 2.0, 0.5, 1e200, 0.1},
        {"angular velocity spread 1e300", 2.0, 0.5, 1000.0, 1e300},
    };
    for (const Case& c : cases) {
        NewDocument();
        SetTalusSlope();
        CTalusimRaker* seeder = AddPointSeeder(2.0, 42.0, c.mass, 0.0, c.vx, c.vxSd);
        seeder->SetAngularVelocity(0.5, c.omegaSd);
        doc->m_nRocks = 5;
        MessageBoxRecorder boxes;
        doc->RunSimulation(FALSE);
        // Not drawn, not filed, not sampled: one message says how many and why.
        EXPECT_EQ(doc->GetRockPathCount(), 0) << c.what;
        EXPECT_EQ(RockPathEntities(), 0) << c.what;
        EXPECT_EQ(doc->GetEndPointCount(), 0) << c.what;
        for (int i = 0; i <= doc->GetLastDistributionIndex(); ++i)
            EXPECT_EQ(doc->GetDistribution(i)->GetCount(DIST_VELOCITY), 0) << c.what;
        ASSERT_EQ(boxes.texts.size(), 1u) << c.what;
        EXPECT_EQ(boxes.texts[0].rfind("5 rocks could not be computed", 0), 0u) << boxes.texts[0];
    }
}

TEST_F(ComputeTest, InvalidSampledSlopesAreSkippedAndCountedOnce) {
    SetTalusSlope();
    AddPointSeeder(2.0, 42.0);
    // Deviations far wider than the vertex spacing: many samples cross themselves.
    for (int i = 1; i < 4; ++i) {
        CPolyVertex v;
        doc->GetSlope()->GetSlopeVertex(v, i);
        v.auxA = 30.0;
        v.auxB = 30.0;
        doc->GetSlope()->SetVertex(i, v);
    }
    doc->m_bGenerateSlopeSamples = true;
    doc->m_nRocks = 30;
    const std::vector<CPolyVertex> before = SlopeVertices();
    MessageBoxRecorder boxes;
    doc->RunSimulation(FALSE);
    ASSERT_EQ(boxes.texts.size(), 1u);
    int invalid = 0;
    ASSERT_EQ(std::sscanf(boxes.texts[0].c_str(), "%d invalid slopes were created", &invalid), 1) << boxes.texts[0];
    EXPECT_GT(invalid, 0);
    EXPECT_EQ(doc->GetRockPathCount() + invalid, 30);
    ExpectConsistent();
    const std::vector<CPolyVertex> after = SlopeVertices();
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].x, before[i].x);
        EXPECT_EQ(after[i].y, before[i].y);
        EXPECT_EQ(after[i].auxA, before[i].auxA);
    }
}

// The document's engine with its records open to the test.
struct InspectedEngine : CTalusimDocEngine {
    using CTalusimEngine::GetBarriers;
    using CTalusimEngine::GetVertices;
};

TEST_F(ComputeTest, ASlopeDrawnRightToLeftKeepsEachSegmentsMaterial) {
    // Two materials; the engine must see the slope from left to right with
    // the material of each segment still on that segment.
    CTalusimSlopeType* other = nullptr;
    for (auto* m : CollectAs<CTalusimSlopeType>(*doc->GetDatabase(), 20, KIND_MATERIAL, 21))
        if (m != material) other = m;
    ASSERT_NE(other, nullptr);
    CTalusimSlope* slope = doc->GetSlope();
    slope->AddVertexWithMaterial(60, 0, material);
    slope->AddVertexWithMaterial(30, 8, material);   // segment 1: 60 -> 30
    slope->AddVertexWithMaterial(0, 40, other);      // segment 2: 30 -> 0
    AddPointSeeder(2.0, 42.0);
    doc->m_nRocks = 1;
    doc->m_nFrictionAngleMode = 2;
    auto* engine = new InspectedEngine;
    delete doc->m_pEngine;
    doc->m_pEngine = engine;
    MessageBoxRecorder boxes;
    doc->RunSimulation(FALSE);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(doc->GetRockPathCount(), 1);

    const std::vector<CEngineVertex>& v = engine->GetVertices();
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].x, 0.0);
    EXPECT_EQ(v[1].x, 30.0);
    EXPECT_EQ(v[2].x, 60.0);
    EXPECT_EQ(v[0].Rn.GetMean(), 0.0);  // the start point carries no material
    EXPECT_EQ(v[1].Rn.GetMean(), other->GetRnMean());     // 0 -> 30 is drawn segment 2
    EXPECT_EQ(v[2].Rn.GetMean(), material->GetRnMean());  // 30 -> 60 is drawn segment 1
    EXPECT_EQ(v[1].Rt.GetMean(), other->GetRtMean());
    // Friction-angle mode 2: no friction on any segment.
    for (size_t i = 1; i < v.size(); ++i) {
        EXPECT_EQ(v[i].phi.GetMean(), 0.0);
        EXPECT_EQ(v[i].phi.GetStdDev(), 0.0);
    }
}


// What a computation produced, written out value by value so that two
// computations can be compared: every path's pieces, every end point, the
// envelope of every location, what passed each location (its count and a
// digest of every value's bits, in order) and every hit on the lines.
class ResultDigest {
public:
    void Add(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Add(bits);
    }
    void Add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            m_hash ^= (v >> (8 * i)) & 0xff;
            m_hash *= 1099511628211ull;
        }
    }
    std::string Hex() const {
        char text[20];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(m_hash));
        return text;
    }

private:
    std::uint64_t m_hash = 14695981039346656037ull;
};

std::string DescribeResults(CTalusimDoc& doc) {
    std::ostringstream out;
    out.precision(17);
    std::map<const CTalusimRockPath*, int> pathIndex;
    for (int i = 0; i < doc.GetRockPathCount(); ++i) {
        CTalusimRockPath* path = doc.GetRockPath(i);
        pathIndex[path] = i;
        ResultDigest pieces;
        for (int j = 0; j <= path->GetSegmentUpperBound(); ++j) {
            bool straight;
            double x0, y0, x1, y1, T, g, vx, vy;
            path->GetSegment(j)->GetParameters(straight, x0, y0, x1, y1, T, g, vx, vy);
            pieces.Add(static_cast<std::uint64_t>(straight));
            for (double v : {x0, y0, x1, y1, T, g, vx, vy}) pieces.Add(v);
        }
        out << "path " << i << " pieces " << path->GetSegmentUpperBound() + 1 << ' ' << pieces.Hex() << " end "
            << doc.GetEndPoint(i).x << ' ' << doc.GetEndPoint(i).y << '\n';
    }
    for (int i = 0; i < doc.GetEnvelopeCount(); ++i) {
        const CLocationEnvelope& e = doc.GetLocationMaxima(i);
        CDistributionSamples* d = doc.GetDistribution(i);
        ResultDigest passages;
        const int n = d->GetCount(DIST_BOUNCE_HEIGHT);
        for (int j = 0; j < n; ++j) {
            for (int kind : {DIST_BOUNCE_HEIGHT, DIST_TRANSLATIONAL_ENERGY, DIST_ROTATIONAL_ENERGY, DIST_VELOCITY,
                             DIST_ANGULAR_VELOCITY})
                passages.Add(d->GetValue(j, kind));
            passages.Add(static_cast<std::uint64_t>(pathIndex[d->GetRockPath(j)]));
        }
        out << "location " << i << " at " << e.GetLocation() << " max " << e.GetMaxHeight() << ' '
            << e.GetMaxVelocity() << ' ' << e.GetMaxAngularVelocity() << ' ' << e.GetMaxTotalEnergy()
            << " passages " << n << ' ' << passages.Hex() << '\n';
    }
    for (auto* b : CollectAs<CTalusimBarrier>(*doc.GetDatabase(), 20, KIND_BARRIER, 21))
        for (CBarrierHit h = b->GetFirstHit(); h.IsValid(); h = b->GetNextHit())
            out << "hit " << b->GetName() << ' ' << h.GetX() << ' ' << h.GetY() << ' ' << h.GetVx() << ' '
                << h.GetVy() << ' ' << h.GetTotalEnergy() << " path " << pathIndex[h.GetRockPath()] << '\n';
    return out.str();
}

// A fixed-seed computation with many locations, a collector and a barrier on
// the slope gives exactly the results it gave when every piece of path was
// tested against every location: the same passages in the same order, the
// same values to the last bit.
TEST_F(ComputeTest, ManyLocationsGiveTheResultsRecordedBefore) {
    SetSlope({{0, 40}, {8, 38}, {12, 15}, {30, 8}, {36, 9}, {60, 0}, {64, 0.5}});
    AddPointSeeder(2.0, 42.0, 1000.0, 300.0, 3.0, 1.5);
    AddLine(40, 3, 40, 20, true);
    AddLine(22.5, 11, 26, 25, true);
    AddLine(50, 3.75, 50.5, 7, false);
    doc->m_nLocations = 233;
    doc->m_nRocks = 30;
    MessageBoxRecorder boxes;
    doc->RunSimulation(FALSE);
    EXPECT_TRUE(boxes.texts.empty());
    // Each location takes room for what passed it (3 kB for a few rocks),
    // not a block of thousands of passages whether rocks passed or not.
    for (int i = 0; i < doc->GetEnvelopeCount(); ++i) {
        const CDistributionSamples* d = doc->GetDistribution(i);
        EXPECT_LE(d->GetCapacity(), std::max<size_t>(2 * d->GetCount(DIST_BOUNCE_HEIGHT), 256)) << i;
    }

    const std::string described = DescribeResults(*doc);
    const std::string fixture = std::string(CLASTOR_TEST_DATA) + "/documents/many-locations-results.txt";
    std::ifstream in(fixture, std::ios::binary);
    const std::string recorded((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (described != recorded) {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        std::ofstream(std::string(dir) + "many-locations-results.txt", std::ios::binary) << described;
    }
    EXPECT_EQ(described, recorded);
}

}  // namespace

