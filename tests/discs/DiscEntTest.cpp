// The disc results entity: its records, its archive layout (both schemas),
// damaged archives and its labels.
#include <gtest/gtest.h>

#include <cstring>
#include "discs/DiscEnt.h"
#include "tests/model/ArchiveBytes.h"

using model_test::Bytes;
using model_test::LoadObject;
using model_test::StoreObject;

namespace {

// The CEntity part as a default entity of this class stores it.
std::vector<BYTE> EntityPart()
{
    CDiscEnt empty;
    auto bytes = model_test::StoreWith([&](CArchive& ar) { empty.CEntity::Serialize(ar); });
    return bytes;
}

}  // namespace

TEST(DiscEntTest, StatesGrowTracksAndExtentsAndAreZeroedWithoutMotion)
{
    CDiscEnt e;
    EXPECT_EQ(e.GetKindId(), 2180);
    EXPECT_EQ(e.GetDisplayMode(), 2190);
    EXPECT_EQ(e.GetSkipCount(), 20);
    e.AddState(5, 0, 10, 20, 0.5, 1);
    ASSERT_EQ(e.GetTrackCount(), 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(e.GetTrack(i).empty());
    const CDiscStateRecord& s = e.GetTrack(5)[0];
    CDiscStateRecord zero;
    // Every byte but the set fields is zero: nothing undefined is kept.
    EXPECT_EQ(std::memcmp(s.reserved, zero.reserved, sizeof zero.reserved), 0);
    EXPECT_EQ(s.vx, 0.0);
    EXPECT_EQ(s.mass, 0.0);
    EXPECT_EQ(s.element, 5);
    EXPECT_DOUBLE_EQ(e.GetLeft(), 9);
    EXPECT_DOUBLE_EQ(e.GetTop(), 21);
    e.AddStateWithMotion(1, 0, -4, 0, 0, 2, 1, 2, 3, 4, 5);
    EXPECT_DOUBLE_EQ(e.GetLeft(), -6);
    EXPECT_DOUBLE_EQ(e.GetBottom(), -2);
    EXPECT_DOUBLE_EQ(e.GetRight(), 11);
    EXPECT_DOUBLE_EQ(e.GetTrack(1)[0].ay, 4);

    e.SetDisplayMode(2189);
    e.SetSkipCount(-1);
    EXPECT_EQ(e.GetDisplayMode(), 2190);
    EXPECT_EQ(e.GetSkipCount(), 20);
}

TEST(DiscEntTest, ArchiveRoundTripKeepsStatesAndTheWholeViewBlockButNoContacts)
{
    CDiscEnt e;
    e.AddStateWithMotion(1, 0, 1.5, 2.5, 0.25, 0.5, 1, -2, 0, -9.81, 12);
    e.AddStateWithMotion(1, 1, 1.6, 2.4, 0.3, 0.5, 1, -2.1, 0, -9.81, 12);
    e.AddStateWithMotion(3, 0, 512345.678, -7, 0, 1, 0, 0, 0, 0, 1);
    e.AddContact(1, 0, 1, 2);
    e.SetSkipCount(3);
    e.SetCurrentStep(1);
    e.SetDisplayMode(2192);
    CDiscParameters block;
    block.SetSkipCount(3);
    block.SetDisplayMode(2191);
    block.SetCurrentStep(7);
    block.SetFrameCount(40);
    block.SetEndTime(2.5);
    block.SetIndependent(false);
    block.Set2DSimulation(false);
    block.SetShowContacts(false);
    block.SetLabelMode(15);
    e.SetViewSettings(block);

    std::unique_ptr<CDiscEnt> back(LoadObject<CDiscEnt>(StoreObject(&e)));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->GetTrackCount(), 4);
    EXPECT_TRUE(back->GetTrack(0).empty());
    ASSERT_EQ(back->GetTrack(1).size(), 2u);
    EXPECT_EQ(std::memcmp(&back->GetTrack(1)[1], &e.GetTrack(1)[1], sizeof(CDiscStateRecord)), 0);
    EXPECT_DOUBLE_EQ(back->GetTrack(3)[0].x, 512345.678);
    EXPECT_EQ(back->GetContactListCount(), 0);
    EXPECT_EQ(back->GetSkipCount(), 3);
    EXPECT_EQ(back->GetCurrentStep(), 1);
    EXPECT_EQ(back->GetDisplayMode(), 2192);
    const CDiscParameters& v = back->GetViewSettings();
    EXPECT_EQ(v.GetSkipCount(), 3);
    EXPECT_EQ(v.GetDisplayMode(), 2191);
    EXPECT_EQ(v.GetCurrentStep(), 7);
    EXPECT_EQ(v.GetFrameCount(), 40);
    EXPECT_DOUBLE_EQ(v.GetEndTime(), 2.5);
    EXPECT_FALSE(v.IsIndependent());
    EXPECT_FALSE(v.Is2DSimulation());
    EXPECT_FALSE(v.GetShowContacts());
    EXPECT_EQ(v.GetLabelMode(), 15);
    EXPECT_DOUBLE_EQ(back->GetRight(), 512346.678);

    // Without tracks the upper bound is -1 and nothing follows for tracks.
    CDiscEnt none;
    std::unique_ptr<CDiscEnt> empty(LoadObject<CDiscEnt>(StoreObject(&none)));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetTrackCount(), 0);
}

// An entity of the older schema written field by field: one track of one
// state, display members, then the part of the view block it kept.
TEST(DiscEntTest, OlderSchemaIsReadAndDamagedArchivesAreRefused)
{
    auto fixture = [](int upper, WORD count, double x, int mode, int element = 0) {
        Bytes b;
        b.NewClass("CDiscEnt", 1);
        b.Raw(EntityPart().data(), EntityPart().size());
        b.Int(upper);
        if (upper >= 0) {
            b.Word(count);
            for (int i = 0; i < count; ++i) {
                for (int k = 0; k < 24; ++k)
                    b.Byte(0xEE);                          // reserved, whatever it held
                b.Double(x).Double(4).Double(0.5).Double(1).Int(i).Int(element);
                b.Double(1).Double(2).Double(3).Double(4).Double(5);
            }
        }
        b.Int(4).Int(0).Int(2).Int(mode);                  // skip, reserved, step, mode
        b.Int(4).Int(2191).Int(9).Int(2).Int(0);           // view block: 1st, 2nd, 5th, 3rd, 4th
        b.Double(0).Double(6.5).Byte(7);                   // two doubles, the first flag
        return b.data;
    };
    std::unique_ptr<CDiscEnt> e(LoadObject<CDiscEnt>(fixture(0, 2, 3, 2191)));
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(e->GetTrackCount(), 1);
    ASSERT_EQ(e->GetTrack(0).size(), 2u);
    EXPECT_DOUBLE_EQ(e->GetTrack(0)[1].x, 3);
    EXPECT_EQ(e->GetTrack(0)[1].step, 1);
    EXPECT_DOUBLE_EQ(e->GetTrack(0)[0].mass, 5);
    EXPECT_EQ(e->GetTrack(0)[0].reserved[0], 0);
    EXPECT_EQ(e->GetDisplayMode(), 2191);
    EXPECT_EQ(e->GetSkipCount(), 4);
    EXPECT_EQ(e->GetViewSettings().GetFrameCount(), 9);
    EXPECT_EQ(e->GetViewSettings().GetCurrentStep(), 2);
    EXPECT_DOUBLE_EQ(e->GetViewSettings().GetEndTime(), 6.5);
    EXPECT_TRUE(e->GetViewSettings().IsIndependent());

    // A state belongs to the track it is stored in, whatever element number
    // its bytes carry: a damaged number makes no tracks of its own.
    for (int element : {0x7FFFFFF0, -3, 1}) {
        std::unique_ptr<CDiscEnt> moved(LoadObject<CDiscEnt>(fixture(0, 2, 3, 2191, element)));
        ASSERT_NE(moved, nullptr) << element;
        ASSERT_EQ(moved->GetTrackCount(), 1) << element;
        ASSERT_EQ(moved->GetTrack(0).size(), 2u) << element;
        EXPECT_EQ(moved->GetTrack(0)[0].element, 0) << element;
    }

    // An unknown display mode keeps the default.
    std::unique_ptr<CDiscEnt> odd(LoadObject<CDiscEnt>(fixture(0, 1, 3, 77)));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->GetDisplayMode(), 2190);

    struct Bad { const char* what; std::vector<BYTE> bytes; };
    std::vector<BYTE> truncated = fixture(0, 2, 3, 2191);
    truncated.resize(truncated.size() - 150);
    const Bad bad[] = {
        {"track bound below -1", fixture(-2, 0, 0, 2190)},
        {"more tracks than bytes", fixture(100000, 0, 0, 2190)},
        {"a state that is no number", fixture(0, 1, std::numeric_limits<double>::quiet_NaN(), 2190)},
        {"truncated", truncated},
    };
    for (const Bad& b : bad) {
        int cause = -1;
        CObject* ob = nullptr;
        model_test::LoadWith(b.bytes, [&](CArchive& ar) { ar >> ob; }, &cause);
        EXPECT_EQ(ob, nullptr) << b.what;
        EXPECT_NE(cause, -1) << b.what;
        delete ob;
    }
}

TEST(DiscEntTest, LabelsJoinTheChosenPartsLineByLine)
{
    CDiscStateRecord s;
    s.x = 1;
    s.y = 2;
    s.vx = 3;
    s.vy = 4;
    s.ax = 0.5;
    s.ay = -9.81;
    s.mass = 2;
    EXPECT_EQ(std::string(CDiscEnt::FormatLabel(s, 15)),
              "p(1.000,2.000)\nv(3.000,4.000)\na(0.500,-9.810)\nte(25.000)");
    EXPECT_EQ(std::string(CDiscEnt::FormatLabel(s, 4)), "a(0.500,-9.810)");
    EXPECT_EQ(std::string(CDiscEnt::FormatLabel(s, 0)), "");
}

// Halving keeps the even frames, renumbered, and moves a track's odd first
// state down and its odd last state on the final frame up; an odd last state
// elsewhere (a disc still on its way) goes like any other odd frame.
TEST(DiscEntTest, HalvingFramesKeepsEvenFramesAndEveryFirstAndFinalState)
{
    struct Case {
        const char* what;
        std::vector<int> frames;
        std::vector<int> halved;
    };
    const Case cases[] = {
        {"from 0 to the final frame 7", {0, 1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 4}},
        {"from the odd frame 3 to the final frame 7", {3, 4, 5, 6, 7}, {1, 2, 3, 4}},
        {"from 0 to the odd frame 5, not the end", {0, 1, 2, 3, 4, 5}, {0, 1, 2}},
        {"one state on an odd frame", {5}, {2}},
        {"from the odd frame 5 to the final frame 6", {5, 6}, {2, 3}},
    };
    for (const Case& c : cases) {
        CDiscEnt e;
        for (int f : c.frames)
            e.AddStateWithMotion(1, f, 10.0 + f, 20, 0, 1, f, 0, 0, 0, 1);
        e.SetFrameTiming(0.25, 1.75);
        e.HalveFrames(7);
        EXPECT_DOUBLE_EQ(e.GetFrameSeconds(), 0.5) << c.what;
        EXPECT_EQ(e.GetStateCount(), c.halved.size()) << c.what;
        const auto& track = e.GetTrack(1);
        std::vector<int> frames;
        for (const auto& s : track)
            frames.push_back(s.step);
        EXPECT_EQ(frames, c.halved) << c.what;
        // The first and the last state are those added first and last.
        EXPECT_EQ(track.front().vx, c.frames.front()) << c.what;
        if (c.frames.back() % 2 == 0 || c.frames.back() == 7 || c.frames.size() == 1) {
            EXPECT_EQ(track.back().vx, c.frames.back()) << c.what;
        }
    }
    // The last frame's time is the final time, however the spacing rounds.
    CDiscEnt e;
    e.SetFrameTiming(0.5, 1.75);
    EXPECT_DOUBLE_EQ(e.GetFrameTime(3), 1.5);
    EXPECT_DOUBLE_EQ(e.GetFrameTime(4), 1.75);
}
