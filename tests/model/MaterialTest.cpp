#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include "model/ModelClasses.h"
#include "model/TalusimSlopeType.h"
#include "tests/model/ArchiveBytes.h"

using model_test::Bytes;

namespace {

// The stored CEntity part of an entity with the given pens, name and ids.
Bytes& EntityPart(Bytes& b, const std::string& name, int group, int category)
{
    b.Int(1).Int(2).Int(0).Int(3);                    // select width, line width, line style, select style
    b.Double(-1).Double(2).Double(3).Double(-4);      // xmin, ymax, xmax, ymin
    b.Str(name);
    b.Int(group).Int(category).Int(999).Int(77);      // kind and type are read past
    b.Rgb(0x11, 0x22, 0x33).Rgb(0, 0, 0).Rgb(255, 255, 255);
    b.Byte(0).Byte(1).Byte(0).Byte(0).Byte(0);        // visible, selectable, sets 24..26
    b.Int(0).Int(-1);                                 // context menu, submenu
    return b;
}

using Setter = bool (CTalusimSlopeType::*)(double);
using Getter = double (CTalusimSlopeType::*)() const;

}  // namespace

TEST(Material, NewMaterialDefaults)
{
    CTalusimSlopeType m;
    EXPECT_EQ(m.GetKindId(), 2104);
    EXPECT_FALSE(m.IsVisible());
    EXPECT_EQ(m.GetLineWidth(), 2);
    EXPECT_EQ(m.GetLineStyle(), PS_SOLID);
    EXPECT_EQ(m.GetSelectStyle(), 3);
    EXPECT_EQ(m.GetColour(), 0u);
    EXPECT_FALSE(m.HasDefaultValues());
    EXPECT_EQ(m.GetPathColour(), RGB(255, 0, 0));
    EXPECT_FALSE(m.GetSampleSlopeFlag());
    EXPECT_TRUE(m.IsOldSchema());
    EXPECT_EQ(m.GetFileId(), 0);
    EXPECT_EQ(m.GetRnMean(), 0.0);
    EXPECT_EQ(m.GetRoughnessStdDev(), 0.0);
}

TEST(Material, SettersCompareExactlyAndNeverMatchNaN)
{
    const struct {
        Setter set;
        Getter get;
    } fields[] = {
        {&CTalusimSlopeType::SetRnMean, &CTalusimSlopeType::GetRnMean},
        {&CTalusimSlopeType::SetRtMean, &CTalusimSlopeType::GetRtMean},
        {&CTalusimSlopeType::SetFrictionAngleMean, &CTalusimSlopeType::GetFrictionAngleMean},
        {&CTalusimSlopeType::SetRnStdDev, &CTalusimSlopeType::GetRnStdDev},
        {&CTalusimSlopeType::SetRtStdDev, &CTalusimSlopeType::GetRtStdDev},
        {&CTalusimSlopeType::SetFrictionAngleStdDev, &CTalusimSlopeType::GetFrictionAngleStdDev},
        {&CTalusimSlopeType::SetRoughnessStdDev, &CTalusimSlopeType::GetRoughnessStdDev},
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (size_t i = 0; i < std::size(fields); ++i) {
        CTalusimSlopeType m;
        auto set = [&](double v) { return (m.*fields[i].set)(v); };
        auto get = [&]() { return (m.*fields[i].get)(); };
        EXPECT_FALSE(set(0.0)) << i;           // equal to the default
        EXPECT_TRUE(set(0.35)) << i;
        EXPECT_FALSE(set(0.35)) << i;
        EXPECT_TRUE(set(0.35 + 1e-16)) << i;   // the next double differs
        // A NaN is stored, and is replaced by anything, NaN included.
        EXPECT_TRUE(set(nan)) << i;
        EXPECT_TRUE(std::isnan(get())) << i;
        EXPECT_TRUE(set(nan)) << i;
        EXPECT_TRUE(set(0.5)) << i;
        EXPECT_EQ(get(), 0.5) << i;
    }
}

TEST(Material, DefaultValuesComeBackButRoughnessStays)
{
    CTalusimSlopeType m;
    m.SetRnMean(0.3);
    m.SetRnStdDev(0.04);
    m.SetRtMean(0.8);
    m.SetRtStdDev(0.05);
    m.SetFrictionAngleMean(30);
    m.SetFrictionAngleStdDev(2);
    m.SetColour(RGB(0, 128, 0));
    m.StoreDefaultValues();
    EXPECT_TRUE(m.HasDefaultValues());

    m.SetRnMean(0.9);
    m.SetFrictionAngleStdDev(7);
    m.SetRoughnessStdDev(3);
    m.SetColour(RGB(1, 2, 3));
    m.RestoreDefaultValues();
    EXPECT_EQ(m.GetRnMean(), 0.3);
    EXPECT_EQ(m.GetFrictionAngleStdDev(), 2.0);
    EXPECT_EQ(m.GetRtMean(), 0.8);
    EXPECT_EQ(m.GetColour(), RGB(0, 128, 0));
    EXPECT_EQ(m.GetRoughnessStdDev(), 3.0);

    m.ClearDefaultValues();
    EXPECT_FALSE(m.HasDefaultValues());
}

TEST(Material, ArchiveRoundTripWritesSchemaFive)
{
    RegisterModelClasses();
    CTalusimSlopeType m;
    m.SetName("Bedrock");
    m.SetColour(RGB(10, 20, 30));
    m.SetRnMean(0.53);
    m.SetRnStdDev(0.04);
    m.SetRtMean(0.99);
    m.SetRtStdDev(0.04);
    m.SetFrictionAngleMean(30);
    m.SetFrictionAngleStdDev(2);
    m.SetRoughnessStdDev(1.5);
    m.StoreDefaultValues();
    m.SetPathColour(RGB(0, 0, 200));
    m.SetSampleSlopeFlag(true);

    const std::vector<BYTE> bytes = model_test::StoreObject(&m);
    // New class tag with the schema 5, then the name of the class.
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[2], 5);
    EXPECT_EQ(bytes[3], 0);
    // The tail: has-default flag, path colour bytes, sample flag, roughness.
    const size_t n = bytes.size();
    double roughness;
    memcpy(&roughness, &bytes[n - 8], 8);
    EXPECT_EQ(roughness, 1.5);
    EXPECT_EQ(bytes[n - 9], 1);   // sample-slope flag
    EXPECT_EQ(bytes[n - 12], 0);
    EXPECT_EQ(bytes[n - 11], 0);
    EXPECT_EQ(bytes[n - 10], 200);
    EXPECT_EQ(bytes[n - 13], 1);   // has-default-values flag

    std::unique_ptr<CTalusimSlopeType> back(model_test::LoadObject<CTalusimSlopeType>(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetName(), CString("Bedrock"));
    EXPECT_EQ(back->GetColour(), RGB(10, 20, 30));
    EXPECT_EQ(back->GetRnMean(), 0.53);
    EXPECT_EQ(back->GetRtStdDev(), 0.04);
    EXPECT_EQ(back->GetFrictionAngleMean(), 30.0);
    EXPECT_EQ(back->GetRoughnessStdDev(), 1.5);
    EXPECT_TRUE(back->HasDefaultValues());
    EXPECT_EQ(back->GetPathColour(), RGB(0, 0, 200));
    EXPECT_TRUE(back->GetSampleSlopeFlag());
    EXPECT_FALSE(back->IsOldSchema());
    EXPECT_EQ(back->GetKindId(), 2104);
    EXPECT_FALSE(back->IsVisible());

    // The defaults travelled too.
    back->SetRnMean(0.1);
    back->SetColour(0);
    back->RestoreDefaultValues();
    EXPECT_EQ(back->GetRnMean(), 0.53);
    EXPECT_EQ(back->GetColour(), RGB(10, 20, 30));
}

TEST(Material, SchemaTwoFixtureKeepsLegacyDefaults)
{
    RegisterModelClasses();
    Bytes b;
    b.NewClass("CTalusimSlopeType", 2);
    EntityPart(b, "Talus", 21, 20);
    for (double v : {0.32, 0.04, 0.82, 0.04, 32.0, 2.0})
        b.Double(v);
    for (double v : {0.1, 0.2, 0.3, 0.4, 5.0, 6.0})
        b.Double(v);
    b.Rgb(0x40, 0x50, 0x60).Byte(7);   // default colour, has-default flag (non-zero is true)

    std::unique_ptr<CTalusimSlopeType> m(model_test::LoadObject<CTalusimSlopeType>(b.data));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->GetName(), CString("Talus"));
    EXPECT_EQ(m->GetColour(), 0x332211u);
    EXPECT_EQ(m->GetKindId(), 2104);
    EXPECT_EQ(m->GetRnMean(), 0.32);
    EXPECT_EQ(m->GetFrictionAngleMean(), 32.0);
    EXPECT_TRUE(m->HasDefaultValues());
    EXPECT_EQ(m->GetPathColour(), 255u);
    EXPECT_FALSE(m->GetSampleSlopeFlag());
    EXPECT_EQ(m->GetRoughnessStdDev(), 0.0);
    EXPECT_TRUE(m->IsOldSchema());
    m->RestoreDefaultValues();
    EXPECT_EQ(m->GetRnMean(), 0.1);
    EXPECT_EQ(m->GetFrictionAngleStdDev(), 6.0);
    EXPECT_EQ(m->GetColour(), RGB(0x40, 0x50, 0x60));

    // Schema 4 adds the path colour, the flag and the roughness.
    Bytes b4;
    b4.NewClass("CTalusimSlopeType", 4);
    EntityPart(b4, "", 21, 20);
    for (int i = 0; i < 12; ++i)
        b4.Double(0);
    b4.Rgb(0, 0, 0).Byte(0).Rgb(1, 2, 3).Byte(1).Double(2.5);
    std::unique_ptr<CTalusimSlopeType> m4(model_test::LoadObject<CTalusimSlopeType>(b4.data));
    ASSERT_TRUE(m4);
    EXPECT_EQ(m4->GetPathColour(), RGB(1, 2, 3));
    EXPECT_TRUE(m4->GetSampleSlopeFlag());
    EXPECT_EQ(m4->GetRoughnessStdDev(), 2.5);
    EXPECT_TRUE(m4->IsOldSchema());

    // Cut short inside the defaults: the archive's end-of-file error.
    Bytes cut = b;
    cut.data.resize(cut.data.size() - 20);
    int cause = 0;
    EXPECT_EQ(model_test::LoadObject<CTalusimSlopeType>(cut.data, &cause), nullptr);
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}

TEST(ModelClasses, RegisteredByName)
{
    RegisterModelClasses();
    for (const char* name : {"CTalusimSlopeType", "CTalusimSlope", "CTalusimRaker", "CTalusimBarrier",
                             "CTalusimRockPath", "CTalusimPathSegment"})
        EXPECT_NE(CRuntimeClass::FromName(name), nullptr) << name;
}
