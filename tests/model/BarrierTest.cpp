#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include "model/ModelClasses.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRockPath.h"
#include "tests/model/ArchiveBytes.h"

namespace {

// A path whose last segment index is n.
void GrowTo(CTalusimRockPath& path, int n)
{
    while (path.GetSegmentUpperBound() < n)
        path.AddStraightSegment(0, 0, 1, 1, 0, 9.81);
}

void Hit(CTalusimBarrier& b, double x, double y, CTalusimRockPath* path, double vx, double vy,
         double te = 1, double re = 0.5, double v = 2, double w = 3)
{
    b.AddHit(x, y, v, w, te, re, 100, path, vx, vy, true);
}

}  // namespace

TEST(Barrier, NewObjectIsACollector)
{
    CTalusimBarrier b;
    EXPECT_EQ(b.GetStartPoint(), CVector2D(2, 1));
    EXPECT_EQ(b.GetEndPoint(), CVector2D(20, 10));
    EXPECT_EQ(b.GetKindId(), 2101);
    EXPECT_EQ(b.GetGroupId(), 2162);
    EXPECT_EQ(b.GetCategoryId(), 2133);
    EXPECT_EQ(b.GetColour(), 128u);
    EXPECT_EQ(b.GetLineWidth(), 2);
    EXPECT_EQ(b.GetSelectStyle(), 1);
    EXPECT_TRUE(b.HasInfiniteCapacity());
    EXPECT_EQ(b.GetElasticity(), 2156);
    EXPECT_EQ(b.GetContextMenuId(), 6002);
    EXPECT_EQ(b.GetContextSubmenu(), 1);
    EXPECT_EQ(b.GetExportPartLayer(0), CString("COLLECTOR"));
    b.SetName("C1");
    CString tip;
    b.get_data_tip_text(0, 0, 0, nullptr, tip);
    EXPECT_EQ(tip, CString("Data Collector\nName: C1"));

    b.SetGroupId(2161);
    EXPECT_EQ(b.GetContextSubmenu(), 5);
    EXPECT_EQ(b.GetExportPartLayer(0), CString("BARRIER"));
    b.SetGroupId(7);
    EXPECT_EQ(b.GetContextSubmenu(), -1);
    EXPECT_EQ(b.GetExportPartLayer(0), CString("ERROR"));
}

TEST(Barrier, DataTipByElasticityAndCapacity)
{
    CTalusimBarrier b;
    b.SetGroupId(2161);
    b.SetName("Fence");
    const struct {
        int elasticity;
        bool infinite;
        const char* tip;
    } cases[] = {
        {2156, true, "Barrier\nInelastic\nCapacity: Infinite\nName: Fence"},
        {2157, false, "Barrier\nElastic\nCapacity: 1500\nName: Fence"},
        {2158, false, "Barrier\n(Rn,Rt)= 0.35, 0.85\nCapacity: 1500\nName: Fence"},
    };
    b.SetCustomCoefficients(0.35, 0.01, 0.85, 0.02);
    b.SetCapacity(1500);
    for (const auto& c : cases) {
        b.SetElasticity(c.elasticity);
        b.SetInfiniteCapacity(c.infinite);
        CString tip;
        b.get_data_tip_text(0, 0, 0, nullptr, tip);
        EXPECT_EQ(tip, CString(c.tip)) << c.elasticity;
    }
    EXPECT_EQ(b.GetRnStdDev(), 0.01);
    EXPECT_EQ(b.GetRtStdDev(), 0.02);

    // Not selectable: no tip at all.
    b.MakeUnselectable();
    CString tip = "unchanged";
    b.get_data_tip_text(0, 0, 0, nullptr, tip);
    EXPECT_EQ(tip, CString("unchanged"));
}

TEST(Barrier, RepeatedCrossingsAreDroppedOnce)
{
    CTalusimBarrier b;
    b.SetPoints(0, 0, 10, 10);   // tolerance 1e-4 * 10 = 1e-3
    CTalusimRockPath p, q;

    b.AddHit(5, 5, 1, 1, 1, 1, 1, nullptr, 1, 1, true);   // no path: nothing
    EXPECT_EQ(b.GetHitUpperBound(false), -1);

    GrowTo(p, 4);
    Hit(b, 5, 5, &p, 1, -1);
    GrowTo(p, 5);
    Hit(b, 5.0005, 5, &p, 2, -0.5);   // next segment, same point and direction: a repeat
    EXPECT_EQ(b.GetHitUpperBound(false), 0);
    Hit(b, 5.002, 5, &p, 2, -0.5);    // beyond the tolerance
    EXPECT_EQ(b.GetHitUpperBound(false), 1);
    Hit(b, 5.002, 5, &p, -2, -0.5);   // back the other way
    EXPECT_EQ(b.GetHitUpperBound(false), 2);
    GrowTo(p, 7);
    Hit(b, 5.002, 5, &p, -2, -0.5);   // two segments later
    EXPECT_EQ(b.GetHitUpperBound(false), 3);
    GrowTo(q, 7);
    Hit(b, 5.002, 5, &q, -2, -0.5);   // another rock
    EXPECT_EQ(b.GetHitUpperBound(false), 4);
    b.AddHit(5.002, 5, 1, 1, 1, 1, 1, &q, -2, -0.5, false);   // no check asked
    EXPECT_EQ(b.GetHitUpperBound(false), 5);
    CBarrierHit record;   // the same values handed over as one record
    record.Set(5.002, 5, 1, 1, 1, 1, 1, &q, -2, -0.5, 0);
    b.AddHit(record, true);
    EXPECT_EQ(b.GetHitUpperBound(false), 5);
    b.AddHit(record, false);
    EXPECT_EQ(b.GetHitUpperBound(false), 6);

    CBarrierHit h = b.GetFirstHit();
    ASSERT_TRUE(h.IsValid());
    EXPECT_EQ(h.GetSegmentIndex(), 4);
    EXPECT_EQ(h.GetRockPath(), &p);
    EXPECT_EQ(h.GetCompareKind(), 2800);
    int n = 1;
    while (b.GetNextHit().IsValid())
        ++n;
    EXPECT_EQ(n, 7);
    EXPECT_FALSE(b.GetNextHit().IsValid());

    // Filtered count: hits of paths the filter selected.
    q.SetCategoryId(2164);
    EXPECT_EQ(b.GetHitUpperBound(true), 2);

    CArray<CBarrierHit, const CBarrierHit&> copy;
    b.CopyHits(copy);
    EXPECT_EQ(copy.GetSize(), 7);
}

TEST(Barrier, GraphRanges)
{
    CTalusimBarrier b;
    CTalusimRockPath p;
    for (int kind = 3140; kind <= 3146; ++kind) {
        EXPECT_EQ(b.GetGraphMinimum(kind), DBL_MAX);
        EXPECT_EQ(b.GetGraphMaximum(kind), -DBL_MAX);
    }
    GrowTo(p, 0);
    Hit(b, 1, 1, &p, 1, 1, /*te*/ 4, /*re*/ 1, /*v*/ 3, /*w*/ -2);
    GrowTo(p, 3);
    Hit(b, 8, 8, &p, 1, 1, 2, 0.5, 5, 1);
    EXPECT_EQ(b.GetGraphMinimum(3140), 2.0);
    EXPECT_EQ(b.GetGraphMaximum(3140), 4.0);
    EXPECT_EQ(b.GetGraphMinimum(3141), 0.5);
    EXPECT_EQ(b.GetGraphMinimum(3142), 2.5);
    EXPECT_EQ(b.GetGraphMaximum(3142), 5.0);
    EXPECT_EQ(b.GetGraphMaximum(3143), 5.0);
    EXPECT_EQ(b.GetGraphMinimum(3144), -2.0);
    // The location slots are never updated by hits.
    EXPECT_EQ(b.GetGraphMaximum(3145), -DBL_MAX);
    EXPECT_EQ(b.GetGraphMaximum(3146), -DBL_MAX);

    b.ClearHits();
    EXPECT_EQ(b.GetHitUpperBound(false), -1);
    EXPECT_EQ(b.GetGraphMinimum(3140), DBL_MAX);
    EXPECT_EQ(b.GetGraphMaximum(3140), -DBL_MAX);
    EXPECT_FALSE(b.GetFirstHit().IsValid());

    EXPECT_EQ(b.SetGraphShown(3146, 1), 1);
    EXPECT_EQ(b.SetGraphShown(3142, 5), 4);
    EXPECT_EQ(b.SetGraphShown(9999, 1), 0);
    EXPECT_TRUE(b.IsGraphShown(3145));   // shares slot 0 with any other kind
    EXPECT_TRUE(b.IsGraphShown(3142));
    b.SetGraphShown(3142, 0);
    EXPECT_FALSE(b.IsGraphShown(3142));
}

TEST(Barrier, SavedStateForTheEditor)
{
    CTalusimBarrier b;
    b.SetName("Net");
    b.SetCapacity(100);
    b.SetInfiniteCapacity(false);
    b.SetElasticity(2158);
    b.SetCustomCoefficients(0.1, 0.2, 0.3, 0.4);
    b.RestoreState();   // nothing saved: nothing happens
    EXPECT_EQ(b.GetName(), CString("Net"));
    b.SaveState();
    b.SetName("Other");
    b.SetCapacity(5);
    b.SetInfiniteCapacity(true);
    b.SetElasticity(2157);
    b.SetCustomCoefficients(1, 1, 1, 1);
    b.SetSkipLengthCheck(true);
    b.RestoreState();
    EXPECT_EQ(b.GetName(), CString("Net"));
    EXPECT_EQ(b.GetCapacity(), 100.0);
    EXPECT_FALSE(b.HasInfiniteCapacity());
    EXPECT_EQ(b.GetElasticity(), 2158);
    EXPECT_EQ(b.GetRtStdDev(), 0.4);
    EXPECT_FALSE(b.IsLengthCheckSkipped());
    b.SetName("Again");
    b.RestoreState();   // the flag stays set
    EXPECT_EQ(b.GetName(), CString("Net"));
    b.DiscardSavedState();
    b.SetName("Kept");
    b.RestoreState();
    EXPECT_EQ(b.GetName(), CString("Kept"));
}

TEST(Barrier, Orientation)
{
    CTalusimBarrier b;
    b.SetPoints(0, 0, 1, 50);
    EXPECT_FALSE(b.IsNotVertical());   // 1 * 50 is not above 50
    EXPECT_TRUE(b.IsNotHorizontal());
    b.SetPoints(0, 0, 50, 1);
    EXPECT_TRUE(b.IsNotVertical());
    EXPECT_FALSE(b.IsNotHorizontal());   // 1 * 50 is not above 50
    b.SetPoints(0, 0, 49, 1);
    EXPECT_TRUE(b.IsNotHorizontal());
}

TEST(Barrier, ArchiveLayoutAndOldSchema)
{
    RegisterModelClasses();
    CTalusimBarrier b;
    b.SetGroupId(2161);
    b.SetPoints(1, 2, 3, 4);
    b.SetCapacity(250);
    b.SetCustomCoefficients(0.1, 0.2, 0.3, 0.4);
    b.SetElasticity(2158);
    b.SetSkipLengthCheck(true);
    b.SetInfiniteCapacity(false);

    std::vector<BYTE> bytes = model_test::StoreObject(&b);
    EXPECT_EQ(bytes[2], 2);
    // From the end: infinite flag, 4 copies of the skip flag, skip flag,
    // reserved flag, reserved number, hit index, four zero doubles,
    // elasticity, five doubles, the empty old-record array.
    const size_t n = bytes.size();
    model_test::Bytes tail;
    tail.Word(0);
    for (double d : {250.0, 0.1, 0.3, 0.2, 0.4})
        tail.Double(d);
    tail.Int(2158);
    for (int i = 0; i < 4; ++i)
        tail.Double(0);
    tail.Int(0).Int(10);
    tail.Byte(1).Byte(1).Byte(1).Byte(1).Byte(1).Byte(1).Byte(0);
    ASSERT_GT(n, tail.data.size());
    EXPECT_EQ(std::vector<BYTE>(bytes.end() - tail.data.size(), bytes.end()), tail.data);

    std::unique_ptr<CTalusimBarrier> back(model_test::LoadObject<CTalusimBarrier>(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetGroupId(), 2161);
    EXPECT_EQ(back->GetEndPoint(), CVector2D(3, 4));
    EXPECT_EQ(back->GetCapacity(), 250.0);
    EXPECT_EQ(back->GetRnStdDev(), 0.2);
    EXPECT_EQ(back->GetElasticity(), 2158);
    EXPECT_TRUE(back->IsLengthCheckSkipped());
    EXPECT_FALSE(back->HasInfiniteCapacity());

    // Schema 1 has no capacity flag: the object has infinite capacity.
    std::vector<BYTE> old = bytes;
    old[2] = 1;
    old.pop_back();
    std::unique_ptr<CTalusimBarrier> o(model_test::LoadObject<CTalusimBarrier>(old));
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->HasInfiniteCapacity());
    EXPECT_EQ(o->GetCapacity(), 250.0);

    // Old impact records are read past; a bad hit index never reads outside the list.
    std::vector<BYTE> withRecords(bytes.begin(), bytes.end() - tail.data.size());
    model_test::Bytes records;
    records.Word(2);
    for (int i = 0; i < 96; ++i)
        records.Byte(0xAB);
    withRecords.insert(withRecords.end(), records.data.begin(), records.data.end());
    withRecords.insert(withRecords.end(), tail.data.begin() + 2, tail.data.end());
    const size_t indexAt = withRecords.size() - 7 - 8;
    withRecords[indexAt] = 0xFF;   // hit index -1
    withRecords[indexAt + 1] = 0xFF;
    withRecords[indexAt + 2] = 0xFF;
    withRecords[indexAt + 3] = 0xFF;
    std::unique_ptr<CTalusimBarrier> r(model_test::LoadObject<CTalusimBarrier>(withRecords));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->GetCapacity(), 250.0);
    CTalusimRockPath p;
    r->AddHit(1, 1, 1, 1, 1, 1, 1, &p, 1, 1, true);
    EXPECT_FALSE(r->GetNextHit().IsValid());
    EXPECT_TRUE(r->GetFirstHit().IsValid());

    // A record count larger than the data is refused.
    std::vector<BYTE> huge(bytes.begin(), bytes.end() - tail.data.size());
    huge.push_back(0xFE);
    huge.push_back(0x7F);
    huge.insert(huge.end(), tail.data.begin() + 2, tail.data.end());
    int cause = 0;
    EXPECT_EQ(model_test::LoadObject<CTalusimBarrier>(huge, &cause), nullptr);
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}
