#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include "engine/Random.h"
#include "model/ModelClasses.h"
#include "model/TalusimRaker.h"
#include "tests/model/ArchiveBytes.h"
#include "tests/model/DrawingSupport.h"

using model_test::BoxMuller;
using model_test::MemoryCanvas;
using model_test::ReferenceRandom;

TEST(Seeder, NewSeederDefaults)
{
    CTalusimRaker r;
    EXPECT_EQ(r.GetKindId(), 2151);
    EXPECT_EQ(r.GetGroupId(), 2170);
    EXPECT_EQ(r.GetColour(), 0xFF0000u);
    EXPECT_EQ(r.GetContextMenuId(), 6002);
    EXPECT_EQ(r.GetContextSubmenu(), 4);
    double mean = -1, sd = -1, a = -1, b = -1;
    r.GetMass(mean, sd);
    EXPECT_EQ(mean, 10.0);
    EXPECT_EQ(sd, 0.0);
    r.GetVelocity(mean, sd, a, b);
    EXPECT_EQ(mean + sd + a + b, 0.0);
    r.GetRadius(mean, sd);
    EXPECT_EQ(mean + sd, 0.0);
    r.GetAngularVelocity(mean, sd);
    EXPECT_EQ(mean + sd, 0.0);
    SeedRandom(7);
    EXPECT_EQ(r.SampleMass(), 10.0);   // sd 0: exactly the mean

    // Without a vertex: no tip, start point at the origin, nothing to export.
    CString tip = "unchanged";
    r.get_data_tip_text(0, 0, 0, nullptr, tip);
    EXPECT_EQ(tip, CString("unchanged"));
    EXPECT_EQ(r.GetStartPoint(), CVector2D(0, 0));
    EXPECT_EQ(r.GetExportPartCount(), 0);
}

TEST(Seeder, SamplesFollowTheRandomSequence)
{
    CTalusimRaker r;
    r.SetMass(250, 40);
    r.SetVelocity(1.5, -0.5, 0.2, 0.3);
    r.SetAngularVelocity(2, 0.5);

    const unsigned seed = 190274;
    SeedRandom(seed);
    const double mass = r.SampleMass();
    const CVector2D v = r.SampleVelocity();
    const double w = r.SampleAngularVelocity();

    ReferenceRandom ref(seed);
    // Each variable takes one number when made and one per sample.
    const double m1 = ref.NonZeroUnit(), m2 = ref.NonZeroUnit();
    EXPECT_DOUBLE_EQ(mass, BoxMuller(m1, m2, 250, 40));
    // Both velocity variables are made before either samples.
    const double x1 = ref.NonZeroUnit(), y1 = ref.NonZeroUnit();
    const double x2 = ref.NonZeroUnit(), y2 = ref.NonZeroUnit();
    EXPECT_DOUBLE_EQ(v.x, BoxMuller(x1, x2, 1.5, 0.2));
    EXPECT_DOUBLE_EQ(v.y, BoxMuller(y1, y2, -0.5, 0.3));
    const double w1 = ref.NonZeroUnit(), w2 = ref.NonZeroUnit();
    EXPECT_DOUBLE_EQ(w, BoxMuller(w1, w2, 2, 0.5));
}

TEST(Seeder, StartPointsOnALineSeeder)
{
    // Segments of lengths 3 and 1.
    CTalusimRaker r;
    r.AddPoint(0, 0);
    r.AddPoint(3, 0);
    r.AddPoint(3, 1);
    EXPECT_DOUBLE_EQ(r.GetLength(), 4.0);

    SeedRandom(12345);
    ReferenceRandom ref(12345);
    for (int i = 0; i < 50; ++i) {
        const CVector2D p = r.GetStartPoint();
        // The distance along the seeder picks the segment; a second draw the place on it.
        const double d = 4.0 * ref.Next() / 32767.0;
        const double u = ref.Next() / 32767.0;
        const CVector2D expected = d > 3.0 ? CVector2D(3, u) : CVector2D(3 * u, 0);
        EXPECT_DOUBLE_EQ(p.x, expected.x) << i;
        EXPECT_DOUBLE_EQ(p.y, expected.y) << i;
    }

    // About three quarters of the starts lie on the first segment.
    SeedRandom(1);
    int first = 0;
    const int n = 4000;
    for (int i = 0; i < n; ++i)
        first += r.GetStartPoint().y == 0.0 ? 1 : 0;
    EXPECT_NEAR(first / double(n), 0.75, 0.03);

    CTalusimRaker point;
    point.AddPoint(4, 5);
    SeedRandom(3);
    EXPECT_EQ(point.GetStartPoint(), CVector2D(4, 5));
    EXPECT_EQ(NextRandom(), ReferenceRandom(3).Next());   // a point seeder draws nothing
    EXPECT_EQ(point.GetLength(), 0.0);
}

TEST(Seeder, RadiusWidensExtentsAndDraws)
{
    CTalusimRaker r;
    r.AddPoint(10, 10);
    r.SetGroupId(2169);
    EXPECT_EQ(r.GetLeft(), 10.0);
    r.SetRadius(1.175494e-38, 0);   // at the threshold: no radius
    EXPECT_EQ(r.GetTop(), 10.0);
    r.SetRadius(0.5, 0.1);
    EXPECT_EQ(r.GetRadiusMean(), 0.5);
    EXPECT_EQ(r.GetTop(), 10.5);
    EXPECT_EQ(r.GetLeft(), 9.5);
    EXPECT_EQ(r.GetRight(), 10.5);
    EXPECT_EQ(r.GetBottom(), 9.5);

    CViewContext view;
    model_test::SetUpView(view);
    CRect plain, wide;
    r.SetRadius(0, 0);
    r.GetDeviceRect(plain, &view, nullptr);
    r.SetRadius(0.5, 0);
    r.GetDeviceRect(wide, &view, nullptr);
    EXPECT_EQ(wide.left, plain.left - 5 - 5);   // extents and then the radius, 5 pixels each
    EXPECT_EQ(wide.right, plain.right + 5 + 5);

    // A cross of half size 7, a circle of radius 10 pixels and a radius line to the right.
    r.SetRadius(1.0, 0);
    MemoryCanvas canvas;
    r.Draw(&canvas.dc, &view);
    const CPoint c = view.WorldToDevice(10, 10);
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_EQ(canvas.At(c.x - 7, c.y), blue);
    EXPECT_EQ(canvas.At(c.x, c.y + 7), blue);
    EXPECT_EQ(canvas.At(c.x - 8, c.y), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(c.x - 10, c.y), blue);   // the circle's left edge
    EXPECT_EQ(canvas.At(c.x + 8, c.y), blue);    // the radius line
    EXPECT_EQ(canvas.At(c.x + 3, c.y - 3), RGB(255, 255, 255));

    MemoryCanvas bare;
    r.SetRadius(0, 0);
    r.Draw(&bare.dc, &view);
    EXPECT_EQ(bare.At(c.x - 7, c.y), blue);
    EXPECT_EQ(bare.At(c.x + 8, c.y), RGB(255, 255, 255));
}

TEST(Seeder, TipsExportAndRectangles)
{
    CTalusimRaker point;
    point.AddPoint(3, 4);
    point.SetVelocity(1.234, -2, 0.1, 0.2);
    point.SetMass(100, 5);
    point.SetAngularVelocity(0.5, 0.25);
    CString tip;
    point.get_data_tip_text(0, 0, 0, nullptr, tip);
    EXPECT_EQ(tip, CString("X velocity 1.23 0.10\nY velocity -2.00 0.20\nMass 100.00 5.00\nAngular 0.50 0.25"));

    EXPECT_EQ(point.GetExportPartCount(), 2);
    EXPECT_EQ(point.GetExportPartLayer(0), CString("SEEDER"));
    CVectorArray parts;
    EXPECT_TRUE(point.GetExportPartPoints(0, parts));
    EXPECT_TRUE(point.GetExportPartPoints(1, parts));
    EXPECT_FALSE(point.GetExportPartPoints(2, parts));
    ASSERT_EQ(parts.GetSize(), 4);
    EXPECT_EQ(parts[0], CVector2D(2.5, 4));
    EXPECT_EQ(parts[1], CVector2D(3.5, 4));
    EXPECT_EQ(parts[2], CVector2D(3, 3.5));
    EXPECT_EQ(parts[3], CVector2D(3, 4.5));

    CTalusimRaker line;
    line.AddPoint(0, 0);
    line.AddPoint(4, 4);
    EXPECT_EQ(line.GetExportPartCount(), 1);
    parts.RemoveAll();
    EXPECT_TRUE(line.GetExportPartPoints(0, parts));
    EXPECT_FALSE(line.GetExportPartPoints(1, parts));
    EXPECT_EQ(parts.GetSize(), 2);

    // top, left, bottom, right; bounds count as inside.
    EXPECT_TRUE(point.IntersectsRectOrPoint(false, 4, 3, 0, 10));
    EXPECT_FALSE(point.IntersectsRectOrPoint(false, 3.9, 0, 0, 10));
    EXPECT_TRUE(line.IntersectsRectOrPoint(false, 3, 1, 1, 3));
    EXPECT_FALSE(line.IntersectsRectOrPoint(false, 3, 3.5, 1, 4));

    CViewContext view;
    EXPECT_TRUE(point.QueryOption(nullptr, nullptr, 111));
    EXPECT_FALSE(point.QueryOption(nullptr, &view, 111));   // a view without owner window
}

TEST(Seeder, ArchiveSchemasThreeAndOne)
{
    RegisterModelClasses();
    CTalusimRaker r;
    r.AddPoint(1, 2);
    r.AddPoint(3, 1);
    r.SetVelocity(1, 2, 3, 4);
    r.SetMass(5, 6);
    r.SetRadius(7, 8);
    r.SetAngularVelocity(9, 10);
    std::vector<BYTE> bytes = model_test::StoreObject(&r);
    EXPECT_EQ(bytes[2], 3);
    // The ten doubles close the record.
    for (int i = 0; i < 10; ++i) {
        double v;
        memcpy(&v, &bytes[bytes.size() - 80 + 8 * i], 8);
        EXPECT_EQ(v, i + 1.0) << i;
    }
    std::unique_ptr<CTalusimRaker> back(model_test::LoadObject<CTalusimRaker>(bytes));
    ASSERT_TRUE(back);
    double a, b, c, d;
    back->GetVelocity(a, b, c, d);
    EXPECT_EQ(a + 10 * b + 100 * c + 1000 * d, 4321.0);
    back->GetRadius(a, b);
    EXPECT_EQ(a, 7.0);
    back->GetAngularVelocity(a, b);
    EXPECT_EQ(b, 10.0);
    EXPECT_EQ(back->GetVertexPoint(1), CVector2D(3, 1));
    EXPECT_EQ(back->GetKindId(), 2151);

    // Schema 1 stops after the mass: radius and angular velocity stay 0.
    bytes.resize(bytes.size() - 32);
    bytes[2] = 1;
    std::unique_ptr<CTalusimRaker> old(model_test::LoadObject<CTalusimRaker>(bytes));
    ASSERT_TRUE(old);
    old->GetMass(a, b);
    EXPECT_EQ(a, 5.0);
    EXPECT_EQ(b, 6.0);
    old->GetRadius(a, b);
    EXPECT_EQ(a + b, 0.0);
    old->GetAngularVelocity(a, b);
    EXPECT_EQ(a + b, 0.0);
}
