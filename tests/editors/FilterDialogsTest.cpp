// The rock-path filters as the user runs them: the document's Filter by Value
// and Filter by Impact commands with their dialogs answered from the message
// loop, checked against the paths and impacts of a computed document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "editors/FilterDialogs.h"
#include "model/ComputeTestSupport.h"
#include "model/DocumentFixture.h"
#include "model/FilterDialogServices.h"
#include "res/dialogs-filters.h"
#include "res/resource.h"
#include "tests/support/WhenShown.h"

namespace {

class FilterDialogsTest : public ComputeDocTest {
public:
    CFilterDialogServices* previous = nullptr;
    CTalusimBarrier* collector = nullptr;
    CTalusimBarrier* missed = nullptr;

    void SetUp() override {
        ComputeDocTest::SetUp();
        previous = InstallFilterDialogServices(nullptr);
        InstallFilterDialogs();
    }
    // A long, gentle run-out where the rocks come to rest at different places.
    void ComputeRunOut() {
        SetSlope({{0, 20}, {10, 14}, {30, 8}, {300, 0}});
        AddPointSeeder(1.0, 21.0);
        doc->m_nRocks = 20;
        doc->RunSimulation(FALSE);
        ASSERT_EQ(doc->GetRockPathCount(), 20);
    }
    // The talus under a cliff with a collector on it and one above every flight.
    void ComputeWithCollectors() {
        SetTalusSlope();
        AddPointSeeder(2.0, 42.0);
        collector = AddLine(40, 2, 40, 30, true);
        missed = AddLine(50, 60, 50, 80, true);
        missed->SetName("Missed");
        doc->m_nRocks = 20;
        doc->RunSimulation(FALSE);
        ASSERT_EQ(doc->GetRockPathCount(), 20);
        ASSERT_GE(collector->GetHitUpperBound(false), 3);
    }
    void TearDown() override {
        InstallFilterDialogServices(previous);
        ComputeDocTest::TearDown();
    }

    std::vector<CTalusimRockPath*> Paths() {
        return CollectAs<CTalusimRockPath>(*doc->GetDatabase(), ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP);
    }
    std::set<CTalusimRockPath*> Filtered() {
        std::set<CTalusimRockPath*> out;
        for (CTalusimRockPath* p : Paths())
            if (p->GetCategoryId() == CAT_PATH_PASSES)
                out.insert(p);
        return out;
    }
    std::set<CTalusimRockPath*> EndingBelow(double x) {
        std::set<CTalusimRockPath*> out;
        for (CTalusimRockPath* p : Paths())
            if (p->GetLastPoint().x < x)
                out.insert(p);
        return out;
    }
    static HWND Shown(const char* caption) { return ::FindWindowA(nullptr, caption); }
    static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
    static void Press(HWND dialog, int id) {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    static void Choose(HWND dialog, int radio) {
        for (int id : {IDC_FILTER_MODE_DISCARD, IDC_FILTER_MODE_NARROW, IDC_FILTER_MODE_ADD})
            ::CheckDlgButton(dialog, id, id == radio ? BST_CHECKED : BST_UNCHECKED);
    }

    // Runs Filter by Value with a criterion, X and a combination mode; with
    // refused, the dialog is expected to stay after OK and is cancelled.
    bool FilterByValue(int criterion, const char* x, int modeRadio, bool* modesEnabled = nullptr,
                       bool refused = false) {
        bool shown = false;
        WhenShown answer([&] {
            HWND dialog = Shown("Filter Rock Paths");
            if (dialog == nullptr)
                return;
            shown = true;
            if (modesEnabled != nullptr)
                *modesEnabled = Enabled(dialog, IDC_FILTER_MODE_NARROW);
            ::SendDlgItemMessageA(dialog, IDC_FILTER_CRITERION, CB_SETCURSEL, criterion, 0);
            ::SetDlgItemTextA(dialog, IDC_FILTER_X, x);
            Choose(dialog, modeRadio);
            Press(dialog, IDOK);
            if (refused)
                Press(dialog, IDCANCEL);
        });
        doc->OnFilterByValue();
        return shown;
    }
};

}  // namespace

TEST_F(FilterDialogsTest, FilterByValueSelectsNarrowsAndAdds) {
    ComputeRunOut();
    MessageBoxRecorder boxes;
    // X in the first gap between the rocks' end points.
    std::vector<double> ends;
    for (CTalusimRockPath* p : Paths())
        ends.push_back(p->GetLastPoint().x);
    std::sort(ends.begin(), ends.end());
    size_t below = 0;
    for (size_t i = 0; i + 1 < ends.size() && below == 0; ++i)
        if (ends[i] + 0.01 < ends[i + 1])
            below = i + 1;
    ASSERT_GT(below, 0u);
    char x[32];
    std::snprintf(x, sizeof x, "%.4f", (ends[below - 1] + ends[below]) / 2);
    const std::set<CTalusimRockPath*> short_ = EndingBelow(std::atof(x));
    ASSERT_EQ(short_.size(), below);

    // Nothing filtered yet: the combination is not offered, and the filter applies as it is.
    bool modesEnabled = true;
    ASSERT_TRUE(FilterByValue(0, x, IDC_FILTER_MODE_DISCARD, &modesEnabled));
    EXPECT_FALSE(modesEnabled);
    EXPECT_EQ(Filtered(), short_);

    // Narrowing by a criterion none of them meets leaves nothing filtered.
    ASSERT_TRUE(FilterByValue(1, "1000", IDC_FILTER_MODE_NARROW, &modesEnabled));
    EXPECT_TRUE(modesEnabled);
    EXPECT_TRUE(Filtered().empty());

    // Adding: the paths that end beyond the middle join those already filtered, so all are.
    ASSERT_TRUE(FilterByValue(0, x, IDC_FILTER_MODE_DISCARD));
    ASSERT_EQ(Filtered(), short_);
    ASSERT_TRUE(FilterByValue(1, x, IDC_FILTER_MODE_ADD));
    EXPECT_EQ(Filtered().size(), 20u);

    // An empty X is refused and the dialog stays until cancelled: nothing changes.
    boxes.messages.clear();
    ASSERT_TRUE(FilterByValue(0, "", IDC_FILTER_MODE_DISCARD, nullptr, true));
    EXPECT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(Filtered().size(), 20u);
}

TEST_F(FilterDialogsTest, FilterByImpactTakesAllPathsOrThoseOfTheHighestImpacts) {
    ComputeWithCollectors();
    MessageBoxRecorder boxes;
    std::vector<CBarrierHit> hits;
    for (CBarrierHit h = collector->GetFirstHit(); h.IsValid(); h = collector->GetNextHit())
        hits.push_back(h);
    std::set<CTalusimRockPath*> hitting;
    for (const CBarrierHit& h : hits)
        hitting.insert(h.GetRockPath());
    // The paths of the three fastest crossings, worked out here.
    std::vector<CBarrierHit> fastest = hits;
    std::sort(fastest.begin(), fastest.end(),
              [](const CBarrierHit& a, const CBarrierHit& b) { return a.GetVelocity() > b.GetVelocity(); });
    std::set<CTalusimRockPath*> topThree;
    for (size_t i = 0; i < 3; ++i)
        topThree.insert(fastest[i].GetRockPath());

    struct Run {
        bool highest;
        const char* count;
        std::set<CTalusimRockPath*> expected;
    };
    for (const Run& run : {Run{false, "1", hitting}, Run{true, "3", topThree}}) {
        SCOPED_TRACE(run.highest ? "highest" : "all");
        std::vector<std::string> listed;
        bool criterionEnabledAtFirst = true;
        WhenShown answer([&] {
            HWND dialog = Shown("Filter by Impact");
            ASSERT_NE(dialog, nullptr);
            HWND list = ::GetDlgItem(dialog, IDC_IMPACT_OBJECTS);
            for (int i = 0; i < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
                char text[128] = {};
                ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                listed.emplace_back(text);
            }
            criterionEnabledAtFirst = Enabled(dialog, IDC_IMPACT_CRITERION);
            if (run.highest) {
                ::CheckRadioButton(dialog, IDC_IMPACT_ALL, IDC_IMPACT_HIGHEST, IDC_IMPACT_HIGHEST);
                Press(dialog, IDC_IMPACT_HIGHEST);
                ::SendDlgItemMessageA(dialog, IDC_IMPACT_CRITERION, CB_SETCURSEL, 3, 0);  // translational velocity
                ::SetDlgItemTextA(dialog, IDC_IMPACT_MAX_PATHS, run.count);
            }
            Choose(dialog, IDC_FILTER_MODE_DISCARD);
            Press(dialog, IDOK);
        });
        doc->OnFilterByImpact(collector);
        // Only the collector that was hit is offered.
        EXPECT_EQ(listed, std::vector<std::string>{std::string(collector->GetName())});
        EXPECT_FALSE(criterionEnabledAtFirst);
        EXPECT_EQ(Filtered(), run.expected);
    }
    EXPECT_LE(topThree.size(), 3u);
    EXPECT_TRUE(boxes.messages.empty());
}
