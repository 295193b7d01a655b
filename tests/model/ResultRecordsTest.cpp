#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <utility>
#include <vector>
#include "framework/Afx.h"
#include "model/ResultRecords.h"

namespace {

CTalusimRockPath* FakePath(int n)
{
    // The records never look through their path pointers; distinct addresses do.
    static char slots[8];
    return reinterpret_cast<CTalusimRockPath*>(&slots[n]);
}

std::vector<BYTE> Store(CDistributionSamples& s)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        s.Serialize(ar);
        ar.Close();
    }
    const auto n = static_cast<size_t>(file.GetLength());
    std::vector<BYTE> bytes(n);
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(n));
    return bytes;
}

}  // namespace

TEST(DistributionSamples, CountsValuesAndUnknownKinds)
{
    CDistributionSamples s;
    s.AddSample(0.5, 1.0, 2.0, 3.0, 4.0, FakePath(0));
    s.AddSample(1.5, 3.0, 0.5, 5.0, 6.0, FakePath(1));

    for (int kind = 2901; kind <= 2906; ++kind)
        EXPECT_EQ(s.GetCount(kind), 2) << kind;
    EXPECT_EQ(s.GetCount(2940), -1);
    EXPECT_EQ(s.GetValue(0, 2940), DBL_MAX);

    EXPECT_EQ(s.GetValue(1, DIST_BOUNCE_HEIGHT), 1.5);
    EXPECT_EQ(s.GetValue(1, DIST_TOTAL_ENERGY), 3.5);
    EXPECT_EQ(s.GetValue(1, DIST_TRANSLATIONAL_ENERGY), 3.0);
    EXPECT_EQ(s.GetValue(1, DIST_ROTATIONAL_ENERGY), 0.5);
    EXPECT_EQ(s.GetValue(1, DIST_VELOCITY), 5.0);
    EXPECT_EQ(s.GetValue(1, DIST_ANGULAR_VELOCITY), 6.0);
    EXPECT_EQ(s.GetRockPath(1), FakePath(1));

    // Totals (1 + 2) and (3 + 0.5).
    double lo = 0, hi = 0;
    s.GetRange(lo, hi, DIST_TOTAL_ENERGY);
    EXPECT_EQ(lo, 3.0);
    EXPECT_EQ(hi, 3.5);
    s.GetRange(lo, hi, 2940);
    EXPECT_EQ(lo, DBL_MAX);
    EXPECT_EQ(hi, DBL_MAX);

    CDistributionSamples copy(s);
    s.ClearAll();
    EXPECT_EQ(s.GetCount(DIST_VELOCITY), 0);
    s.GetRange(lo, hi, DIST_VELOCITY);
    EXPECT_EQ(lo, DBL_MAX);
    EXPECT_EQ(copy.GetValue(0, DIST_VELOCITY), 3.0);
    s = copy;
    EXPECT_EQ(s.GetCount(DIST_BOUNCE_HEIGHT), 2);
}

TEST(DistributionSamples, ArchiveKeepsValuesButNoPaths)
{
    CDistributionSamples s;
    s.AddSample(0.25, 1.0, 2.0, 3.0, 4.0, FakePath(0));
    const std::vector<BYTE> bytes = Store(s);
    // Five double arrays of one element (2-byte count + 8 bytes each), then the
    // path array of one 4-byte element.
    ASSERT_EQ(bytes.size(), 5u * 10u + 2u + 4u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 0);
    double first;
    memcpy(&first, &bytes[2], 8);
    EXPECT_EQ(first, 0.25);

    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CDistributionSamples back;
    back.Serialize(ar);
    EXPECT_EQ(back.GetValue(0, DIST_BOUNCE_HEIGHT), 0.25);
    EXPECT_EQ(back.GetValue(0, DIST_ANGULAR_VELOCITY), 4.0);
    EXPECT_EQ(back.GetValue(0, DIST_VELOCITY), 3.0);
    EXPECT_EQ(back.GetValue(0, DIST_ROTATIONAL_ENERGY), 2.0);
    EXPECT_EQ(back.GetValue(0, DIST_TRANSLATIONAL_ENERGY), 1.0);
    EXPECT_EQ(back.GetRockPath(0), nullptr);
}

TEST(DistributionSamples, ThousandsOfPassagesKeepTheirOrderAndTheirRoom)
{
    // More passages than fit one block of memory, through emptying and an archive.
    const auto height = [](int i) { return 0.5 * i; };
    CDistributionSamples s;
    for (int round = 0; round < 2; ++round) {
        const int n = round == 0 ? 2500 : 1300;
        for (int i = 0; i < n; ++i)
            s.AddSample(height(i), i + 0.25, 1.0, 2.0 * i, 3.0, FakePath(i % 8));
        ASSERT_EQ(s.GetCount(DIST_VELOCITY), n);
        for (int i : {0, 1023, 1024, n - 1}) {
            EXPECT_EQ(s.GetValue(i, DIST_BOUNCE_HEIGHT), height(i)) << i;
            EXPECT_EQ(s.GetValue(i, DIST_TOTAL_ENERGY), i + 1.25) << i;
            EXPECT_EQ(s.GetValue(i, DIST_VELOCITY), 2.0 * i) << i;
            EXPECT_EQ(s.GetRockPath(i), FakePath(i % 8)) << i;
        }
        EXPECT_EQ(s.GetRockPath(n), nullptr);
        double lo = 0, hi = 0;
        s.GetRange(lo, hi, DIST_BOUNCE_HEIGHT);
        EXPECT_EQ(lo, 0.0);
        EXPECT_EQ(hi, height(n - 1));

        if (round == 0) {
            const size_t room = s.GetCapacity();
            EXPECT_GE(room, 2500u);
            s.Empty();
            EXPECT_EQ(s.GetCount(DIST_BOUNCE_HEIGHT), 0);
            EXPECT_EQ(s.GetCapacity(), room);
        }
    }

    const std::vector<BYTE> bytes = Store(s);
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CDistributionSamples back;
    back.Serialize(ar);
    ASSERT_EQ(back.GetCount(DIST_ANGULAR_VELOCITY), 1300);
    EXPECT_EQ(back.GetValue(1299, DIST_BOUNCE_HEIGHT), height(1299));
    EXPECT_EQ(back.GetValue(1100, DIST_TRANSLATIONAL_ENERGY), 1100.25);
    EXPECT_EQ(back.GetRockPath(1100), nullptr);

    CDistributionSamples other;
    other.Swap(back);
    EXPECT_EQ(back.GetCount(DIST_VELOCITY), 0);
    EXPECT_EQ(other.GetValue(1024, DIST_VELOCITY), 2048.0);
}

TEST(DistributionSamples, RoomGrowsWithThePassagesAndKeepsThemInOrder)
{
    // A location few rocks pass takes a little room, one that many pass takes
    // block after block: never less than it holds, never more than twice as
    // much (a small chunk at least), every passage in its place across the
    // chunks and blocks.
    const size_t block = CDistributionSamples::kBlockPassages;
    const auto height = [](size_t i) { return 0.25 * static_cast<double>(i); };
    const auto path = [](size_t i) { return FakePath(static_cast<int>(i % 8)); };
    CDistributionSamples s;
    size_t n = 0;
    for (const size_t upTo : {size_t{1}, size_t{3}, size_t{100}, size_t{1000}, block - 1, block, block + 1,
                              2 * block + 700}) {
        for (; n < upTo; ++n)
            s.AddSample(height(n), 1.0, 2.0, static_cast<double>(n), 3.0, path(n));
        EXPECT_GE(s.GetCapacity(), n) << n;
        EXPECT_LE(s.GetCapacity(), std::max<size_t>(2 * n, 256)) << n;
    }
    const auto outOfPlace = [&](const CDistributionSamples& r) {
        size_t wrong = 0;
        for (size_t i = 0; i < n; ++i) {
            const int k = static_cast<int>(i);
            if (r.GetValue(k, DIST_BOUNCE_HEIGHT) != height(i) || r.GetValue(k, DIST_VELOCITY) != static_cast<double>(i) ||
                r.GetValue(k, DIST_TOTAL_ENERGY) != 3.0 || r.GetRockPath(k) != path(i))
                ++wrong;
        }
        return wrong;
    };
    ASSERT_EQ(s.GetCount(DIST_VELOCITY), static_cast<int>(n));
    EXPECT_EQ(outOfPlace(s), 0u);

    // A copy takes what its passages need; emptying keeps the room for the
    // next computation, which writes from the start again.
    const CDistributionSamples copy(s);
    EXPECT_EQ(outOfPlace(copy), 0u);
    EXPECT_LE(copy.GetCapacity(), 2 * n);
    const size_t room = s.GetCapacity();
    s.Empty();
    s.AddSample(-1.0, 1.0, 2.0, 3.0, 4.0, nullptr);
    EXPECT_EQ(s.GetCapacity(), room);
    EXPECT_EQ(s.GetValue(0, DIST_BOUNCE_HEIGHT), -1.0);
    s = copy;
    EXPECT_EQ(outOfPlace(s), 0u);

    CDistributionSamples moved(std::move(s));
    EXPECT_EQ(s.GetCount(DIST_VELOCITY), 0);
    EXPECT_EQ(moved.GetValue(static_cast<int>(n - 1), DIST_BOUNCE_HEIGHT), height(n - 1));
}

TEST(DistributionSamples, TruncatedPathArrayThrows)
{
    // Five empty double arrays, then a path count of 3 with only 4 bytes left.
    std::vector<BYTE> bytes(10, 0);
    bytes.insert(bytes.end(), {3, 0, 0, 0, 0, 0});
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CDistributionSamples back;
    bool threw = false;
    try {
        back.Serialize(ar);
    } catch (CArchiveException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
}

TEST(DistributionSamples, ArraysOfDifferentLengthsAreRefused)
{
    // Heights with one element, the other four arrays empty, no paths.
    std::vector<BYTE> bytes = {1, 0};
    bytes.resize(bytes.size() + 8, 0);
    bytes.resize(bytes.size() + 10, 0);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CDistributionSamples back;
    int cause = -1;
    try {
        back.Serialize(ar);
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CArchiveException::generic);
    EXPECT_EQ(back.GetCount(DIST_BOUNCE_HEIGHT), 0);
}

TEST(DistributionSamples, LegacyArraysAreReadAndDropped)
{
    // Three arrays: one double, none, two doubles.
    std::vector<BYTE> bytes = {1, 0};
    bytes.resize(bytes.size() + 8, 0);
    bytes.insert(bytes.end(), {0, 0, 2, 0});
    bytes.resize(bytes.size() + 16, 0);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CDistributionSamples s;
    s.AddSample(1, 1, 1, 1, 1, nullptr);
    s.SerializeLegacyArrays(ar);
    EXPECT_EQ(s.GetCount(DIST_BOUNCE_HEIGHT), 0);
    EXPECT_EQ(ar.GetBytesLeft(), 0u);
}

TEST(LocationEnvelope, DefaultsAndStrictMaxima)
{
    CLocationEnvelope e;
    EXPECT_FALSE(e.IsLocationSet());
    EXPECT_EQ(e.GetMaxHeight(), -DBL_MAX);
    EXPECT_EQ(e.GetSlopeHeight(), -DBL_MAX);
    EXPECT_EQ(e.GetLocation(), DBL_MAX);
    EXPECT_EQ(e.GetMaxVelocity(), 0.0);

    e.SetLocation(12.5);
    EXPECT_TRUE(e.IsLocationSet());
    EXPECT_EQ(e.GetLocation(), 12.5);

    e.UpdateMaxEnergies(2, 3);
    e.UpdateMaxEnergies(4, 0);
    EXPECT_EQ(e.GetMaxTotalEnergy(), 5.0);
    EXPECT_EQ(e.GetMaxTranslationalEnergy(), 4.0);
    EXPECT_EQ(e.GetMaxRotationalEnergy(), 3.0);

    e.UpdateMaxVelocities(3, -1);
    e.UpdateMaxVelocities(2, 0.5);
    EXPECT_EQ(e.GetMaxVelocity(), 3.0);
    EXPECT_EQ(e.GetMaxAngularVelocity(), 0.5);

    e.UpdateMaxHeight(-4);
    EXPECT_EQ(e.GetMaxHeight(), -4.0);
    e.UpdateMaxHeight(-5);
    EXPECT_EQ(e.GetMaxHeight(), -4.0);

    e.Set(1, 1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_FALSE(e.IsLocationSet());
    EXPECT_EQ(e.GetSlopeHeight(), 2.0);
    EXPECT_EQ(e.GetMaxTotalEnergy(), 8.0);
}

TEST(BarrierHit, EmptyMarkerSetAndCompareKinds)
{
    CBarrierHit a;
    EXPECT_FALSE(a.IsValid());
    EXPECT_EQ(a.GetCompareKind(), 2800);
    EXPECT_EQ(a.GetRockPath(), nullptr);

    // x, y, v, w, translational, rotational, mass, path, vx, vy, segment
    a.Set(1, 2, 3, 4, 5, 6, 7, FakePath(2), 8, 9, 10);
    EXPECT_TRUE(a.IsValid());
    EXPECT_EQ(a.GetTotalEnergy(), 11.0);
    EXPECT_EQ(a.GetVx(), 8.0);
    EXPECT_EQ(a.GetVy(), 9.0);
    EXPECT_EQ(a.GetMass(), 7.0);
    EXPECT_EQ(a.GetSegmentIndex(), 10);
    EXPECT_EQ(a.GetRockPath(), FakePath(2));
    a.SetEmpty();
    EXPECT_FALSE(a.IsValid());

    CBarrierHit lo, hi;
    lo.Set(0, 1, 1, 1, 1, 1, 1, nullptr, 0, 0, 0);
    hi.Set(0, 2, 2, 2, 2, 2, 1, nullptr, 0, 0, 0);
    for (int kind = 2800; kind <= 2805; ++kind) {
        lo.SetCompareKind(kind);
        hi.SetCompareKind(kind);
        EXPECT_TRUE(lo.IsLessThan(hi)) << kind;
        EXPECT_FALSE(hi.IsLessThan(lo)) << kind;
        EXPECT_FALSE(lo.IsLessThan(lo)) << kind;
    }
    lo.SetCompareKind(2799);
    EXPECT_FALSE(lo.IsLessThan(hi));
}

TEST(DiscParameters, DefaultsResetAndLabelModes)
{
    CDiscParameters p;
    EXPECT_EQ(p.m_code, 2190);
    EXPECT_EQ(p.m_integerB, -1);
    EXPECT_EQ(p.m_integerC, -1);
    EXPECT_EQ(p.m_realB, 4.0);
    EXPECT_EQ(p.m_flagA, 1);
    EXPECT_EQ(p.GetLabelMode(), 0);

    for (int mode : {1, 2, 4, 8, 15, 0}) {
        p.SetLabelMode(mode);
        EXPECT_EQ(p.GetLabelMode(), mode);
    }
    p.SetLabelMode(8);
    for (int bad : {3, 5, 16, -1})
        p.SetLabelMode(bad);
    EXPECT_EQ(p.GetLabelMode(), 8);

    p.m_realB = 7.0;
    p.m_flagA = 0;
    p.m_code = 1;
    p.m_flagB = 0;
    p.Reset();
    EXPECT_EQ(p.m_code, 2190);
    EXPECT_EQ(p.m_flagB, 1);
    EXPECT_EQ(p.GetLabelMode(), 0);
    EXPECT_EQ(p.m_realB, 7.0);   // kept
    EXPECT_EQ(p.m_flagA, 0);     // kept
}
