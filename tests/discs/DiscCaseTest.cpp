// The disc case written from a document: the fixture's every number where it
// matters, the faults refused with a message, and a Throw Discs run checked
// against the disc program run directly on the case it writes.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include "dem/Disc.h"
#include "discs/DiscCaseWriter.h"
#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "discs/ThrowDiscs.h"
#include "res/dialogs-compute.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<double> Numbers(const std::string& path, std::string* title = nullptr, std::string* ballName = nullptr)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    if (title)
        *title = line;
    std::vector<double> out;
    std::string word;
    while (in >> word) {
        if (word == "wr.dsc") {
            if (ballName)
                *ballName = word;
            continue;
        }
        out.push_back(std::stod(word));
    }
    return out;
}

struct DiscCaseTest : ::testing::Test {
    void SetUp() override
    {
        InstallDiscServices();
        doc = NewDocument();
        folder = TestFolder() + "disc-case";
        std::filesystem::create_directories(folder);
        rock = doc->GetFirstMaterial();
        soft = new CTalusimSlopeType;
        soft->SetRnMean(0.0);   // stops a disc dead
        doc->GetDatabase()->AddEntity(soft, false);
    }
    void Slope(std::initializer_list<std::pair<double, double>> points, std::vector<CTalusimSlopeType*> materials)
    {
        size_t i = 0;
        for (const auto& p : points)
            doc->GetSlope()->AddVertexWithMaterial(p.first, p.second, materials[std::min(i++, materials.size() - 1)]);
    }
    CTalusimRaker* Seeder(double x, double y, double mass, double massSd)
    {
        auto* s = new CTalusimRaker;
        s->AddPoint(x, y);
        s->SetGroupId(GROUP_POINT_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(mass, massSd);
        s->SetRadius(0.7, 0.1);
        s->SetVelocity(1.5, 0.0, 0.0, 0.0);
        s->SetAngularVelocity(0.0, 0.0);
        doc->GetDatabase()->AddEntity(s, false);
        return s;
    }
    void Barrier(double x1, double y1, double x2, double y2)
    {
        auto* b = new CTalusimBarrier;
        b->SetPoints(x1, y1, x2, y2);
        b->SetGroupId(GROUP_BARRIER);
        b->SetCategoryId(CAT_PLACED);
        doc->GetDatabase()->AddEntity(b, false);
    }
    std::unique_ptr<CTalusimDoc> doc;
    std::string folder;
    CTalusimSlopeType* rock = nullptr;
    CTalusimSlopeType* soft = nullptr;
};

}  // namespace

// A slope with an overhang (its second segment runs back to the left), two
// materials in order, a barrier and a seeder far from the origin.
TEST_F(DiscCaseTest, TheCaseHoldsTheSlopeBarriersAndSeedersSoundly)
{
    Slope({{512300.125, 130}, {512340.5, 100}, {512330.25, 90}, {512400, 80}}, {rock, rock, soft, rock});
    Barrier(512350, 82, 512352, 95);
    CTalusimRaker* seeder = Seeder(512310.375, 140.5, 1000, 0);
    const double mass = 1000, r = std::cbrt(3 * mass / (10800 * kPi));
    CDiscCaseWriter writer(*doc);
    CDiscCase written;
    ASSERT_TRUE(writer.Write(folder, written)) << writer.Error();
    EXPECT_EQ(written.walls, 3 + 2);
    ASSERT_EQ(written.seederRadii.size(), 1u);
    EXPECT_DOUBLE_EQ(written.seederRadii[0], r);
    // The seeder keeps what the user gave it.
    double rMean, rSd;
    seeder->GetRadius(rMean, rSd);
    EXPECT_EQ(rMean, 0.7);
    EXPECT_EQ(rSd, 0.1);

    std::string title, ballName;
    const std::vector<double> v = Numbers(folder + "/wr", &title, &ballName);
    EXPECT_EQ(title, "disc file");
    EXPECT_EQ(ballName, "wr.dsc");
    size_t k = 0;
    EXPECT_EQ(v[k++], 0);                      // start time
    EXPECT_EQ(v[k++], 1);                      // balls
    EXPECT_EQ(v[k++], 5);                      // walls
    const double xs[] = {512300.125, 512340.5, 512330.25, 512400}, ys[] = {130, 100, 90, 80};
    for (int w = 0; w < 3; ++w, k += 10) {
        EXPECT_EQ(v[k], xs[w]) << w;           // read back exactly
        EXPECT_EQ(v[k + 1], ys[w]);
        double angle = std::atan2(ys[w + 1] - ys[w], xs[w + 1] - xs[w]);
        if (angle < 0)
            angle += 2 * kPi;
        EXPECT_DOUBLE_EQ(v[k + 2], angle) << w;
        EXPECT_DOUBLE_EQ(v[k + 7], std::hypot(xs[w + 1] - xs[w], ys[w + 1] - ys[w]));
        EXPECT_EQ(v[k + 8], 1);                // the air is on the left
        EXPECT_EQ(v[k + 9], 0);
    }
    // The overhang's wall points back to the left, as drawn.
    EXPECT_GT(v[13 + 2], kPi / 2);
    EXPECT_LT(v[13 + 2], 3 * kPi / 2);
    // The barrier where the user drew it, once facing each way.
    for (int side : {1, -1}) {
        EXPECT_EQ(v[k], 512350);
        EXPECT_EQ(v[k + 1], 82);
        EXPECT_DOUBLE_EQ(v[k + 2], std::atan2(13, 2));
        EXPECT_EQ(v[k + 8], side);
        k += 10;
    }
    EXPECT_EQ(v[k++], 0);
    EXPECT_EQ(v[k++], 0);
    // Contact blocks: disc-disc, then one per wall; no value is NaN, and wall
    // 2 (the soft segment) damps hardest.
    const size_t blocks = k;
    for (size_t i = blocks; i < v.size(); ++i)
        EXPECT_TRUE(std::isfinite(v[i])) << i;
    ASSERT_EQ(v.size(), blocks + 7 * 6 + 6);
    // The disc falling from its height to the lowest point with its speed
    // presses in by a fifth of its radius.
    const double h = 140.5 - 80, kPE = 2 * mass * (9.81 * h + 1.5 * 1.5 / 2) / ((0.2 * r) * (0.2 * r));
    EXPECT_DOUBLE_EQ(v[blocks], kPE);
    auto beta = [&](int wall) { return v[blocks + 7 * wall + 2]; };
    const double e = rock->GetRnMean(), le = std::log(e);
    EXPECT_NEAR(beta(1), -2 * le * std::sqrt(kPE * mass) / std::sqrt(kPi * kPi + le * le) / kPE, 1e-12);
    EXPECT_GT(beta(2), beta(1));
    EXPECT_DOUBLE_EQ(beta(3), beta(1));
    EXPECT_DOUBLE_EQ(beta(4), beta(3));        // barriers: the lower end's block
    EXPECT_DOUBLE_EQ(beta(5), beta(3));
    EXPECT_DOUBLE_EQ(v[blocks + 7 + 5], 2.74748);

    // The ball: where the seeder is, with the one mass the contacts were tuned to.
    const std::vector<double> ball = Numbers(folder + "/wr.dsc");
    ASSERT_EQ(ball.size(), 15u);
    EXPECT_EQ(ball[0], 512310.375);
    EXPECT_EQ(ball[1], 140.5);
    EXPECT_DOUBLE_EQ(ball[2], r);
    EXPECT_EQ(ball[4], 1.5);
    EXPECT_EQ(ball[10], mass);
    EXPECT_DOUBLE_EQ(ball[11], 0.15 * mass * r * r);
}

TEST_F(DiscCaseTest, ASlopeDrawnRightToLeftKeepsEachSegmentsMaterialAndFacesUp)
{
    Slope({{100, 0}, {50, 20}, {0, 40}}, {rock, soft, rock});
    Seeder(5, 45, 500, 0);
    CDiscCaseWriter writer(*doc);
    CDiscCase written;
    ASSERT_TRUE(writer.Write(folder, written)) << writer.Error();
    const std::vector<double> v = Numbers(folder + "/wr");
    EXPECT_EQ(v[3 + 8], -1);
    EXPECT_EQ(v[13 + 8], -1);
    const size_t blocks = 3 + 20 + 2;
    // Segment 1 ends at vertex 1 (soft), segment 2 at vertex 2 (rock).
    EXPECT_GT(v[blocks + 7 * 1 + 2], v[blocks + 7 * 2 + 2]);
}

TEST_F(DiscCaseTest, CasesThatCantBeSoundAreRefusedWithAMessage)
{
    struct Case {
        const char* what;
        std::function<void()> build;
        CDiscCaseLimits limits;
    };
    const Case cases[] = {
        {"no seeder", [&] { Slope({{0, 10}, {10, 0}}, {rock}); }, {}},
        {"a mass that is never positive", [&] { Slope({{0, 10}, {10, 0}}, {rock}); Seeder(1, 12, -50, 1); }, {}},
        {"a seeder whose disc has no room between the slope and a barrier",
         [&] {
             Slope({{0, 10}, {10, 0}}, {rock});
             Seeder(5, 5.1, 50, 0);
             Barrier(4, 6.2, 6, 4.2);   // 0.14 off the slope, a disc is 0.32 wide
         },
         {}},
        {"more walls than the program takes",
         [&] {
             Slope({{0, 10}, {10, 5}, {20, 0}}, {rock});
             Seeder(1, 12, 50, 0);
             Barrier(15, 1, 15, 4);
         },
         CDiscCaseLimits{3, 100}},
    };
    for (const Case& c : cases) {
        doc = NewDocument();
        rock = doc->GetFirstMaterial();
        c.build();
        std::filesystem::remove(folder + "/wr");
        CDiscCaseWriter writer(*doc, c.limits);
        CDiscCase written;
        EXPECT_FALSE(writer.Write(folder, written)) << c.what;
        EXPECT_FALSE(writer.Error().empty()) << c.what;
        EXPECT_FALSE(std::filesystem::exists(folder + "/wr")) << c.what;
    }
}

namespace {

// The disk program's frames, straight from a run on the written case.
struct Recorder final : IDiscDocument {
    bool IsDiscRunActive() override { return true; }
    void AddDiscFrame(const DiscFrame& f) override { frames.push_back(f); }
    void RecordDiscStep(int, double, double, double, double, double, double, double, double, double, double) override {}
    void DiscFramesComplete() override {}
    void ClearSettledDiscs() override {}
    void AddSettledDisc(const double*) override {}
    void RecordEndPoint(int, double, double) override {}
    std::vector<DiscFrame> frames;
};

}  // namespace

TEST_F(DiscCaseTest, ThrowDiscsStoresWhatTheDiskProgramComputesOnTheWrittenCase)
{
    Slope({{0, 10}, {6, 6}, {14, 4}, {30, 3.5}}, {rock});
    Seeder(0.5, 10.6, 20, 0);
    doc->m_nRocks = 1;
    doc->GetDiscParameters().SetEndTime(0.5);
    MessageBoxRecorder boxes;
    std::string error;
    ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    // The disc is still rolling when the time is up, and only that is said.
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0].rfind("Discs still moving when the time to finish (0.5 s) was reached: 1 of 1.", 0), 0u);
    auto* results = dynamic_cast<CDiscEnt*>(doc->GetDiscEntity());
    ASSERT_NE(results, nullptr);
    ASSERT_EQ(results->GetTrackCount(), 2);
    const auto& track = results->GetTrack(1);
    ASSERT_GT(track.size(), 10u);
    EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), static_cast<int>(track.size()));
    EXPECT_EQ(doc->GetSettledDiscs().size(), 1u);

    // The same case run directly.
    CDiscCaseWriter writer(*doc);
    CDiscCase written;
    doc->GetSettledDiscs().clear();
    ASSERT_TRUE(writer.Write(folder, written));
    Recorder recorder;
    std::ostringstream console;
    CDisc disc;
    disc.m_context.interactive = 0;
    disc.m_context.endTime = 0.5;
    disc.m_context.plotInterval = 1;
    disc.m_context.folder = folder;
    disc.m_context.document = &recorder;
    disc.m_context.out = &console;
    ASSERT_TRUE(disc.Run()) << disc.m_context.error;
    ASSERT_EQ(recorder.frames.size(), track.size());
    for (size_t i = 0; i < track.size(); ++i) {
        EXPECT_EQ(track[i].x, recorder.frames[i].x) << i;
        EXPECT_EQ(track[i].y, recorder.frames[i].y) << i;
        EXPECT_EQ(track[i].vx, recorder.frames[i].vx) << i;
        EXPECT_EQ(track[i].step, recorder.frames[i].frame) << i;
    }
    // The disc rolled down the slope, not through it.
    EXPECT_GT(track.back().x, 0.6);
    EXPECT_GT(track.back().y, 3.0);
}

namespace {

// What the progress box's message line says when the run lets the window work.
// The timer is due from the run's first pump on.
struct ProgressMessages {
    static inline std::vector<std::string> seen;
    static void CALLBACK Sample(HWND, UINT, UINT_PTR, DWORD)
    {
        if (HWND box = ::FindWindowA(nullptr, "Calculating paths...")) {
            char text[64] = {};
            ::GetDlgItemTextA(box, IDC_WORKING_MESSAGE, text, sizeof text);
            if (seen.empty() || seen.back() != text)
                seen.emplace_back(text);
        }
    }
    ProgressMessages()
    {
        seen.clear();
        timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Sample);
        ::Sleep(2 * USER_TIMER_MINIMUM);
    }
    ~ProgressMessages() { ::KillTimer(nullptr, timer); }
    UINT_PTR timer = 0;
};

}  // namespace

// The progress box's message names the rock being thrown, as its bar does,
// rather than staying at the first rock.
TEST_F(DiscCaseTest, ThrowDiscsProgressNamesTheRockBeingThrown)
{
    Slope({{0, 10}, {6, 6}, {14, 4}, {30, 3.5}}, {rock});
    Seeder(0.5, 10.6, 20, 0);
    // Throws long enough for the box to be looked at during each of them.
    doc->m_nRocks = 4;
    doc->GetDiscParameters().SetEndTime(5.0);
    MessageBoxRecorder boxes;
    std::string error;
    {
        ProgressMessages messages;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    }
    // What the box shows counts up through the rocks, from the first.
    ASSERT_FALSE(ProgressMessages::seen.empty());
    EXPECT_EQ(ProgressMessages::seen.front(), "Rock 1 of 4");
    int last = 0;
    for (const std::string& text : ProgressMessages::seen) {
        int rock = 0, total = 0;
        ASSERT_EQ(std::sscanf(text.c_str(), "Rock %d of %d", &rock, &total), 2) << text;
        EXPECT_EQ(total, 4);
        EXPECT_GT(rock, last) << text;
        last = rock;
    }
    EXPECT_GT(last, 1);
}

// Every thrown disc is a rock of the document: one end point, where it came
// to be, filed under a rock path that follows the disc; discs carried into
// later throws are counted once. The end points go into the saved file.
TEST_F(DiscCaseTest, ThrowDiscsRecordsOneEndPointPerDiscUnderItsOwnPath)
{
    Slope({{0, 10}, {6, 6}, {14, 4}, {30, 3.5}}, {rock});
    Seeder(0.5, 10.6, 20, 0);
    Seeder(3.5, 9.5, 20, 0);
    // A collector that only the discs of the first seeder cross.
    auto* collector = new CTalusimBarrier;
    collector->SetPoints(0.9, 6, 0.9, 12);
    collector->SetGroupId(GROUP_COLLECTOR);
    collector->SetCategoryId(CAT_PLACED);
    doc->GetDatabase()->AddEntity(collector, false);
    doc->m_nRocks = 2;
    doc->GetDiscParameters().SetEndTime(0.4);
    for (const bool independent : {true, false}) {
        doc->GetDiscParameters().SetIndependent(independent);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        // Nothing but the report of discs still rolling when the time is up.
        for (const std::string& m : boxes.messages)
            EXPECT_EQ(m.rfind("Discs still moving", 0), 0u) << m;
        auto* results = dynamic_cast<CDiscEnt*>(doc->GetDiscEntity());
        ASSERT_NE(results, nullptr);
        // Two throws of two seeders: four discs either way.
        ASSERT_EQ(doc->GetEndPointCount(), 4) << independent;
        ASSERT_EQ(doc->GetRockPathCount(), 4);
        std::vector<CVector2D> expected;
        if (independent) {
            // Each throw's discs have tracks of their own: the last state of each.
            for (int track = 1; track <= 4; ++track)
                expected.emplace_back(results->GetTrack(track).back().x, results->GetTrack(track).back().y);
        } else {
            // The settled list holds the last throw's balls: its two new
            // discs, then the two carried from the first throw (position
            // and its increment).
            const auto& settled = doc->GetSettledDiscs();
            ASSERT_EQ(settled.size(), 4u);
            for (size_t k : {2u, 3u, 0u, 1u})
                expected.emplace_back(settled[k][1] + settled[k][13], settled[k][2] + settled[k][14]);
        }
        for (int i = 0; i < 4; ++i) {
            const CVector2D end = doc->GetEndPoint(i);
            EXPECT_EQ(end.x, expected[static_cast<size_t>(i)].x) << i;
            EXPECT_EQ(end.y, expected[static_cast<size_t>(i)].y) << i;
            CTalusimRockPath* path = doc->GetRockPath(i);
            ASSERT_NE(path, nullptr);
            ASSERT_GE(path->GetSegmentUpperBound(), 1) << i;
            EXPECT_EQ(path->GetLastPoint().x, end.x);
            EXPECT_EQ(path->GetLastPoint().y, end.y);
            for (int k = 1; k <= path->GetSegmentUpperBound(); ++k) {
                EXPECT_EQ(path->GetSegment(k)->GetStartPoint().x, path->GetSegment(k - 1)->GetEndPoint().x);
                EXPECT_EQ(path->GetSegment(k)->GetStartPoint().y, path->GetSegment(k - 1)->GetEndPoint().y);
            }
        }
        // The discs of the first throw start where its seeders stand.
        EXPECT_DOUBLE_EQ(doc->GetRockPath(0)->GetSegment(0)->GetStartPoint().x, 0.5);
        EXPECT_DOUBLE_EQ(doc->GetRockPath(1)->GetSegment(0)->GetStartPoint().x, 3.5);
        bool passes = true;
        EXPECT_EQ(doc->GetFirstEndPoint(passes).x, expected[0].x);
        // Its hits are filed under the paths of the discs that made them.
        ASSERT_EQ(collector->GetHitUpperBound(false), 1);
        for (CBarrierHit hit = collector->GetFirstHit(); hit.IsValid(); hit = collector->GetNextHit())
            EXPECT_TRUE(hit.GetRockPath() == doc->GetRockPath(0) || hit.GetRockPath() == doc->GetRockPath(2));

        const std::string path = TestFolder() + "thrown-discs.cla";
        ASSERT_TRUE(doc->WriteTextDocument(path.c_str()));
        CTalusimDoc opened;
        ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
        ASSERT_EQ(opened.GetEndPointCount(), 4);
        EXPECT_EQ(opened.GetEndPoint(3).x, expected[3].x);
        EXPECT_NE(opened.GetRockPath(3), nullptr);
        doc->ClearRockPaths();
    }
}
