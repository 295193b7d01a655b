// Disc results on the document: New DEM Simulation, the player's document
// operations, and an older archive document holding disc results.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "tests/model/ArchiveBytes.h"
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "model/DiscRunServices.h"
#include "model/ModelClasses.h"
#include "controls/WorkingDlg.h"

using model_test::Bytes;

namespace {

struct DiscDocumentTest : ::testing::Test {
    void SetUp() override
    {
        InstallDiscServices();
        doc = NewDocument();
    }
    CTalusimRaker* AddPointSeeder(double x, double y, double mass, double radius)
    {
        auto* s = new CTalusimRaker;
        s->AddPoint(x, y);
        s->SetGroupId(GROUP_POINT_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(mass, 100.0);
        s->SetRadius(radius, 0.25);
        s->SetVelocity(0.0, 0.0, 3.0, 4.0);
        s->SetAngularVelocity(0.0, 0.0);
        doc->GetDatabase()->AddEntity(s, false);
        return s;
    }
    CDiscEnt* Results() { return dynamic_cast<CDiscEnt*>(doc->GetDiscEntity()); }
    std::unique_ptr<CTalusimDoc> doc;
};

}  // namespace

TEST_F(DiscDocumentTest, NewDemSimulationWithoutSeedersSaysSoAndChangesNothing)
{
    MessageBoxRecorder boxes;
    RunDemSimulation(doc.get());
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "No elements added\n(add a point seeder, for example)");
    EXPECT_EQ(doc->GetDiscEntity(), nullptr);
    EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), -1);
}

// One seeder above a collector: the disk falls under m g (its radius is the
// seeder's radius, not the mass spread) and comes to rest on the wall.
TEST_F(DiscDocumentTest, NewDemSimulationDropsADiskOntoACollector)
{
    AddPointSeeder(5, 4, 1, 0.5);
    auto* wall = new CTalusimBarrier;
    wall->SetPoints(0, 2, 10, 2);
    wall->SetGroupId(GROUP_COLLECTOR);
    wall->SetCategoryId(CAT_PLACED);
    doc->GetDatabase()->AddEntity(wall, false);
    doc->GetDiscParameters().SetEndTime(3.0);
    MessageBoxRecorder boxes;
    RunDemSimulation(doc.get());
    EXPECT_TRUE(boxes.messages.empty());
    CDiscEnt* results = Results();
    ASSERT_NE(results, nullptr);
    // The start of every 0.01 s step, and the end.
    EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), 301);
    ASSERT_EQ(results->GetTrackCount(), 2);
    const auto& track = results->GetTrack(1);
    ASSERT_EQ(track.size(), 301u);
    EXPECT_DOUBLE_EQ(track[0].radius, 0.5);
    EXPECT_EQ(track[0].x, 5.0);
    EXPECT_EQ(track[0].y, 4.0);
    EXPECT_NEAR(track[10].vy, -9.81 * 0.1, 1e-9);
    // Bounces on the wall at y = 2: the spring gives a little, but the
    // centre never passes the wall.
    double lowest = track[0].y;
    for (const auto& s : track)
        lowest = std::min(lowest, s.y);
    EXPECT_GT(lowest, 2.0);
    EXPECT_LT(lowest, 2.5);
    EXPECT_GT(results->GetContactListCount(), 0);

    // The player's operations reach the entity. It offers every frame, from
    // the start to the end, whatever the discs' dependence setting, and each
    // step's time is its frame's.
    int first, current, mode;
    double end;
    for (bool independent : {false, true}) {
        doc->GetDiscParameters().SetIndependent(independent);
        EXPECT_EQ(doc->GetDiscPlayback(first, current, end, mode), 300);
        EXPECT_EQ(first, 0);
        EXPECT_DOUBLE_EQ(end, 3.0);
    }
    EXPECT_EQ(track.back().step, 300);
    EXPECT_DOUBLE_EQ(doc->GetDiscStepTime(0), 0.0);
    EXPECT_DOUBLE_EQ(doc->GetDiscStepTime(123), 1.23);
    EXPECT_DOUBLE_EQ(doc->GetDiscStepTime(300), 3.0);
    doc->SetDiscStep(42);
    EXPECT_EQ(results->GetCurrentStep(), 42);
    doc->SetDiscDisplayMode(2192);
    EXPECT_EQ(results->GetDisplayMode(), 2192);
    doc->SetDiscDisplayMode(5);
    EXPECT_EQ(results->GetDisplayMode(), 2192);
    doc->SetDiscSkip(-3);
    doc->SetDiscSkip(4);
    EXPECT_EQ(results->GetSkipCount(), 4);
    CDiscParameters block = doc->GetDiscViewSettings();
    block.SetLabelMode(8);
    doc->SetDiscViewSettings(block);
    EXPECT_EQ(results->GetViewSettings().GetLabelMode(), 8);

    // A second run replaces the first entity; Clear Rock Paths removes it.
    RunDemSimulation(doc.get());
    EXPECT_NE(Results(), nullptr);
    EXPECT_EQ(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP).size(), 1u);
    doc->ClearRockPaths();
    EXPECT_EQ(doc->GetDiscEntity(), nullptr);
    EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), -1);
}

namespace {
int* g_runFlagToCancel = nullptr;
}  // namespace

namespace {

// The labels the progress box's first bar shows when the run lets the window work.
std::vector<std::string> g_barLabels;

void CALLBACK SampleBarLabel(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = ::FindWindowA(nullptr, "Calculating paths...");
    auto* working = box != nullptr ? dynamic_cast<CWorkingDlg*>(CWnd::FromHandlePermanent(box)) : nullptr;
    if (working == nullptr)
        return;
    const std::string label = working->GetFirstBar().GetLabel();
    if (!label.empty() && (g_barLabels.empty() || g_barLabels.back() != label))
        g_barLabels.push_back(label);
}

}  // namespace

// A DEM run is one set of discs moving through time: its bar counts the time
// steps of the run, never rocks.
TEST_F(DiscDocumentTest, NewDemSimulationProgressCountsTimeSteps)
{
    AddPointSeeder(5, 10, 50, 0.5);
    // A long run of cheap steps; the timer is due from the run's first pump on.
    doc->GetDiscParameters().SetEndTime(6000.0);
    g_barLabels.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &SampleBarLabel);
    ::Sleep(2 * USER_TIMER_MINIMUM);
    RunDemSimulation(doc.get());
    ::KillTimer(nullptr, timer);
    ASSERT_FALSE(g_barLabels.empty());
    int last = 0;
    for (const std::string& label : g_barLabels) {
        int step = 0, total = 0;
        ASSERT_EQ(std::sscanf(label.c_str(), "Time step %d of %d", &step, &total), 2) << label;
        EXPECT_EQ(total, 600000) << label;   // 6000 s in steps of 0.01 s
        EXPECT_GE(step, last) << label;
        EXPECT_LE(step, total) << label;
        last = step;
    }
}

// Cancel ends a run without touching the results of the run before it.
TEST_F(DiscDocumentTest, ACancelledRunKeepsTheResultsBefore)
{
    AddPointSeeder(5, 10, 50, 0.5);
    doc->GetDiscParameters().SetEndTime(0.5);
    RunDemSimulation(doc.get());
    CDiscEnt* before = Results();
    ASSERT_NE(before, nullptr);
    const int frames = doc->GetDiscParameters().GetFrameCount();
    doc->SetModifiedFlag(FALSE);

    // The Cancel button clears the run flag; a timer does it here while the run pumps messages.
    doc->GetDiscParameters().SetEndTime(100000.0);
    g_runFlagToCancel = doc->GetDiscRunFlag();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { *g_runFlagToCancel = 0; });
    RunDemSimulation(doc.get());
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(Results(), before);
    EXPECT_EQ(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP).size(), 1u);
    EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), frames);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DiscDocumentTest, SpheresReadTheGeometryFileChosenAndStartAtZeroDepth)
{
    AddPointSeeder(5, 10, 50, 0.5);
    doc->GetDiscParameters().Set2DSimulation(false);
    doc->GetDiscParameters().SetEndTime(0.1);
    RunDemSimulation(doc.get(), "no geometry here.txt");
    ASSERT_NE(Results(), nullptr);
    EXPECT_EQ(Results()->GetTrack(1).size(), 11u);
}

namespace {

void Entity(Bytes& b, int group, int category)
{
    b.Int(1).Int(2).Int(PS_SOLID).Int(PS_DOT);
    b.Double(-1).Double(2).Double(3).Double(-4);
    b.Str("");
    b.Int(group).Int(category).Int(4711).Int(50);
    b.Rgb(0, 0, 0).Rgb(0, 0, 0).Rgb(255, 255, 255);
    b.Byte(1).Byte(1).Byte(0).Byte(0).Byte(0);
    b.Int(0).Int(-1);
}

// An older archive document: a material, a two-vertex slope and a disc
// results entity (its first schema) whose view block holds an end time of
// 7.5 s and dependent discs.
std::vector<BYTE> LegacyDocumentWithDiscs()
{
    Bytes b;
    b.Rgb(1, 2, 3).Double(5).Double(2.5).Int(GRID_DOTS).Byte(1);
    b.Word(3);
    b.NewClass("CTalusimSlopeType", 5);   // class 1, object 2
    Entity(b, 2117, ID_ANY_CATEGORY);
    for (double v : {0.5, 0.01, 0.9, 0.02, 31.0, 3.0})
        b.Double(v);
    for (double v : {0.5, 0.01, 0.9, 0.02, 31.0, 3.0})
        b.Double(v + 1);
    b.Rgb(7, 7, 7).Byte(1).Rgb(0, 0, 255).Byte(1).Double(0.75);
    b.NewClass("CTalusimSlope", 1);       // class 3, object 4
    Entity(b, ID_ANY_GROUP, ID_ANY_CATEGORY);
    b.Word(2);
    for (double x : {0.0, 30.0}) {
        b.Double(x).Double(30 - x).Double(0).Double(0);
        b.Double(0).Double(1).Double(0).Double(1).Double(0).Double(1);
        b.Byte(0).Byte(0).Byte(1).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0);
    }
    b.Int(2);
    b.Word(2).Word(2).Word(2);
    b.Rgb(0, 0, 0);
    b.NewClass("CDiscEnt", 1);            // class 5, object 6
    Entity(b, ID_ANY_GROUP, ID_ANY_CATEGORY);
    b.Int(1);
    b.Word(0);
    b.Word(1);
    for (int k = 0; k < 24; ++k)
        b.Byte(0x5A);
    b.Double(5).Double(20).Double(0).Double(0.4).Int(0).Int(1);
    for (int k = 0; k < 5; ++k)
        b.Double(0);
    b.Int(20).Int(0).Int(0).Int(2190);
    b.Int(6).Int(2191).Int(12).Int(3).Int(0);
    b.Double(0).Double(7.5).Byte(0);
    b.Int(30).Int(0);
    b.Double(-10).Double(40).Double(50).Double(-5);
    b.Int(6002).Int(3);
    b.Word(0);                            // end points
    b.Word(0);                            // location maxima
    b.Int(2149).Double(0.25).Int(10).Int(17);
    return b.data;
}

}  // namespace

TEST_F(DiscDocumentTest, ALegacyDocumentWithDiscResultsOpensAndCarriesTheDiscSettings)
{
    RegisterModelClasses();
    const auto bytes = LegacyDocumentWithDiscs();
    const std::string path = WriteTextFile("legacy-discs.cla", std::string(bytes.begin(), bytes.end()));
    CTalusimDoc opened;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    ASSERT_NE(opened.GetSlope(), nullptr);
    // Results of an older file never survive the open; the run settings do.
    EXPECT_EQ(opened.GetDiscEntity(), nullptr);
    EXPECT_DOUBLE_EQ(opened.GetDiscParameters().GetEndTime(), 7.5);
    EXPECT_FALSE(opened.GetDiscParameters().IsIndependent());
    EXPECT_EQ(opened.GetDiscParameters().GetFrameCount(), -1);

    // The entity itself, read straight from the archive, has its state.
    CTalusimDoc direct;
    int cause = 0;
    ASSERT_TRUE(model_test::LoadWith(bytes, [&](CArchive& ar) { direct.Serialize(ar); }, &cause)) << cause;
    auto discs = CollectEntities(*direct.GetDatabase(), ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP);
    ASSERT_EQ(discs.size(), 1u);
    auto* e = dynamic_cast<CDiscEnt*>(discs[0]);
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(e->GetTrackCount(), 2);
    ASSERT_EQ(e->GetTrack(1).size(), 1u);
    EXPECT_DOUBLE_EQ(e->GetTrack(1)[0].y, 20);
    EXPECT_EQ(direct.GetDiscParameters().GetFrameCount(), 12);
    EXPECT_EQ(direct.GetDiscParameters().GetSkipCount(), 6);
}

namespace {

bool SameStates(const CDiscEnt& a, const CDiscEnt& b)
{
    if (a.GetTrackCount() != b.GetTrackCount())
        return false;
    for (int t = 0; t < a.GetTrackCount(); ++t) {
        const auto& x = a.GetTrack(t);
        const auto& y = b.GetTrack(t);
        if (x.size() != y.size())
            return false;
        // The whole record, reserved bytes included (both zero).
        if (!x.empty() && std::memcmp(x.data(), y.data(), x.size() * sizeof x[0]) != 0)
            return false;
    }
    return true;
}

bool SameContacts(const CDiscEnt& a, const CDiscEnt& b)
{
    if (a.GetContactListCount() != b.GetContactListCount())
        return false;
    for (int i = 0; i < a.GetContactListCount(); ++i) {
        const auto& x = a.GetContacts(i);
        const auto& y = b.GetContacts(i);
        if (x.size() != y.size())
            return false;
        for (size_t k = 0; k < x.size(); ++k)
            if (x[k].x != y[k].x || x[k].y != y[k].y || x[k].step != y[k].step)
                return false;
    }
    return true;
}

}  // namespace

// A document with disc results, saved in the text format and opened again,
// keeps every state and contact, its display and its run settings; saving it
// again gives the same bytes.
TEST_F(DiscDocumentTest, DiscResultsSurviveTheTextFileByteForByte)
{
    AddPointSeeder(5, 4, 1.7, 0.45);
    AddPointSeeder(5.3, 6, 0.9, 0.3);
    auto* wall = new CTalusimBarrier;
    wall->SetPoints(0, 2, 10, 2.3);
    wall->SetGroupId(GROUP_COLLECTOR);
    wall->SetCategoryId(CAT_PLACED);
    doc->GetDatabase()->AddEntity(wall, false);
    doc->GetDiscParameters().SetEndTime(1.5);
    RunDemSimulation(doc.get());
    CDiscEnt* results = Results();
    ASSERT_NE(results, nullptr);
    ASSERT_GT(results->GetContactListCount(), 0);
    doc->SetDiscDisplayMode(2192);
    doc->SetDiscSkip(3);
    doc->SetDiscStep(17);
    CDiscParameters block = doc->GetDiscViewSettings();
    block.SetLabelMode(15);
    doc->SetDiscViewSettings(block);
    doc->GetDiscParameters().SetLabelMode(15);
    doc->GetDiscParameters().SetIndependent(false);

    const std::string first = TestFolder() + "disc-results.cla";
    const std::string second = TestFolder() + "disc-results-again.cla";
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc->WriteTextDocument(first.c_str()));
    CTalusimDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(first.c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    auto* back = dynamic_cast<CDiscEnt*>(opened.GetDiscEntity());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(SameStates(*results, *back));
    EXPECT_TRUE(SameContacts(*results, *back));
    EXPECT_EQ(back->GetDisplayMode(), 2192);
    EXPECT_EQ(back->GetSkipCount(), 3);
    EXPECT_EQ(back->GetCurrentStep(), 17);
    EXPECT_DOUBLE_EQ(back->GetLeft(), results->GetLeft());
    EXPECT_DOUBLE_EQ(back->GetBottom(), results->GetBottom());
    const CDiscParameters& p = opened.GetDiscParameters();
    EXPECT_EQ(p.GetFrameCount(), 151);
    EXPECT_DOUBLE_EQ(p.GetEndTime(), 1.5);
    EXPECT_FALSE(p.IsIndependent());
    EXPECT_EQ(p.GetLabelMode(), 15);
    EXPECT_EQ(back->GetViewSettings().GetLabelMode(), 15);
    // The player has something to show.
    int firstStep, current, mode;
    double end;
    EXPECT_EQ(opened.GetDiscPlayback(firstStep, current, end, mode), 150);
    EXPECT_DOUBLE_EQ(opened.GetDiscStepTime(42), 0.42);

    ASSERT_TRUE(opened.WriteTextDocument(second.c_str()));
    EXPECT_EQ(ReadTextFile(first), ReadTextFile(second));
}

// A file written before the frames' timing was kept (section version 1)
// still opens, with every state; its steps spread evenly over the end time.
TEST_F(DiscDocumentTest, DiscResultsOfTheFirstSectionVersionStillOpen)
{
    AddPointSeeder(5, 4, 1, 0.5);
    doc->GetDiscParameters().SetEndTime(0.5);
    RunDemSimulation(doc.get());
    CDiscEnt* results = Results();
    ASSERT_NE(results, nullptr);
    const std::string path = TestFolder() + "disc-results-v2.cla";
    ASSERT_TRUE(doc->WriteTextDocument(path.c_str()));
    std::string text = ReadTextFile(path);
    const size_t header = text.find("[START SECTION] 02 DISC_RESULTS");
    ASSERT_NE(header, std::string::npos);
    text.replace(header, std::strlen("[START SECTION] 02"), "[START SECTION] 01");
    const std::string timing = "* Seconds per Frame, Final Time\r\n";
    const size_t at = text.find(timing, header);
    ASSERT_NE(at, std::string::npos);
    text.erase(at, text.find("\r\n", at + timing.size()) + 2 - at);

    CTalusimDoc opened;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(opened.OnOpenDocument(WriteTextFile("disc-results-v1.cla", text).c_str()));
    EXPECT_TRUE(boxes.messages.empty());
    auto* back = dynamic_cast<CDiscEnt*>(opened.GetDiscEntity());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(SameStates(*results, *back));
    EXPECT_FALSE(back->HasFrameTiming());
    int first, current, mode;
    double end;
    EXPECT_EQ(opened.GetDiscPlayback(first, current, end, mode), 50);
    EXPECT_DOUBLE_EQ(end, 0.5);
    EXPECT_DOUBLE_EQ(opened.GetDiscStepTime(10), 0.1);
}

// Without disc results nothing of them is written, so such a document reads
// in any version of the program; the older text files open as before.
TEST_F(DiscDocumentTest, DocumentsWithoutDiscResultsKeepTheirFormat)
{
    const std::string path = TestFolder() + "no-disc-results.cla";
    ASSERT_TRUE(doc->WriteTextDocument(path.c_str()));
    EXPECT_EQ(ReadTextFile(path).find("DISC_RESULTS"), std::string::npos);

    for (const char* fixture : {"computed.cla", "hand-written.cla"}) {
        CTalusimDoc opened;
        MessageBoxRecorder boxes;
        EXPECT_TRUE(opened.OnOpenDocument(FixturePath(fixture).c_str())) << fixture;
        EXPECT_TRUE(boxes.messages.empty()) << fixture;
        EXPECT_EQ(opened.GetDiscEntity(), nullptr);
        EXPECT_EQ(opened.GetDiscParameters().GetFrameCount(), -1);
    }
}

// Damaged disc results refuse the file with the reader's message, whatever
// line is broken.
TEST_F(DiscDocumentTest, DamagedDiscResultsAreRefused)
{
    AddPointSeeder(5, 4, 1, 0.5);
    doc->GetDiscParameters().SetEndTime(0.05);
    RunDemSimulation(doc.get());
    ASSERT_NE(Results(), nullptr);
    const std::string path = TestFolder() + "disc-results-damaged.cla";
    ASSERT_TRUE(doc->WriteTextDocument(path.c_str()));
    const std::string text = ReadTextFile(path);
    const size_t section = text.find("[START SECTION] 02 DISC_RESULTS");
    ASSERT_NE(section, std::string::npos);
    const size_t states = text.find("* Number of States\r\n", section);
    ASSERT_NE(states, std::string::npos);
    const size_t count = states + std::strlen("* Number of States\r\n");
    const size_t firstState = text.find("\r\n", count) + 2;

    struct Case {
        const char* what;
        std::string text;
    };
    std::string notFinite = text;
    notFinite.replace(firstState, text.find(' ', firstState) - firstState, "nan");
    std::string hugeCount = text;
    hugeCount.replace(count, text.find("\r\n", count) - count, "99999999");
    const Case cases[] = {
        {"cut inside the states", text.substr(0, firstState + 10)},
        {"a state that is not finite", notFinite},
        {"a count beyond the file", hugeCount},
        {"the section twice", text + text.substr(section)},
    };
    for (const Case& c : cases) {
        const std::string damaged = WriteTextFile("disc-results-bad.cla", c.text);
        CTalusimDoc opened;
        MessageBoxRecorder boxes;
        EXPECT_FALSE(opened.OnOpenDocument(damaged.c_str())) << c.what;
        ASSERT_EQ(boxes.messages.size(), 1u) << c.what;
        EXPECT_EQ(boxes.messages[0].rfind("Unable to read file", 0), 0u) << c.what << ": " << boxes.messages[0];
    }
}
