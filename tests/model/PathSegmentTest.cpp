#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include "model/TalusimPathSegment.h"
#include "tests/model/ArchiveBytes.h"

using model_test::Bytes;

TEST(PathSegment, DefaultsAndParameters)
{
    CTalusimPathSegment s;
    EXPECT_TRUE(s.IsStraight());
    EXPECT_EQ(s.GetPixelStep(), 4);
    // The box is the piece's own: a default piece is a point at the origin.
    EXPECT_EQ(s.GetLeft(), 0.0);
    EXPECT_EQ(s.GetTop(), 0.0);

    s.SetFlight(1, 2, 3, 4, 5, 6, 7, 8);
    bool straight = true;
    double v[8];
    s.GetParameters(straight, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    EXPECT_FALSE(straight);
    // x0, y0, x1, y1, T, g, vx, vy
    const double expected[8] = {1, 2, 3, 4, 7, 8, 5, 6};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(v[i], expected[i]) << i;

    EXPECT_FALSE(s.SetPixelStep(4));
    EXPECT_TRUE(s.SetPixelStep(6));
    EXPECT_FALSE(s.SetPixelStep(0));   // would divide by zero when counting chords
    EXPECT_EQ(s.GetPixelStep(), 6);
}

TEST(PathSegment, BoundsIncludeTheApex)
{
    struct Case {
        double x0, y0, x1, y1, vx, vy, T, g;
        double xmin, ymax, xmax, ymin;
    } cases[] = {
        // Apex at t = 0.2 < T: ymax = y0 + vy^2 / (2 g) = 0.2.
        {0, 0, 2, -3, 2, 2, 1, 10, 0, 0.2, 2, -3},
        // Still rising at T (apex at 1 s, T = 0.5): the end is the top.
        {0, 0, 1, 3.75, 2, 10, 0.5, 10, 0, 3.75, 1, 0},
        // Falling from the start: the start is the top.
        {5, 1, 3, -4, -2, -1, 1, 10, 3, 1, 5, -4},
    };
    for (const Case& c : cases) {
        CTalusimPathSegment s;
        s.SetFlight(c.x0, c.y0, c.x1, c.y1, c.vx, c.vy, c.T, c.g);
        EXPECT_DOUBLE_EQ(s.GetLeft(), c.xmin);
        EXPECT_DOUBLE_EQ(s.GetTop(), c.ymax);
        EXPECT_DOUBLE_EQ(s.GetRight(), c.xmax);
        EXPECT_DOUBLE_EQ(s.GetBottom(), c.ymin);
    }
    CTalusimPathSegment line;
    line.SetStraight(4, 1, 2, 3, 0, 9.81);
    EXPECT_EQ(line.GetUpperLeft(), CVector2D(2, 3));
    EXPECT_EQ(line.GetLowerRight(), CVector2D(4, 1));
    EXPECT_EQ(line.GetEndPoint(), CVector2D(2, 3));
}

TEST(PathSegment, ExportPointsFollowTheParabola)
{
    CArray<CVector2D, const CVector2D&> pts;
    CTalusimPathSegment line;
    line.SetStraight(0, 0, 3, -1, 0, 9.81);
    line.AddExportPoints(pts);
    ASSERT_EQ(pts.GetSize(), 22);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(pts[i], CVector2D(0, 0)) << i;
    EXPECT_EQ(pts[21], CVector2D(3, -1));

    pts.RemoveAll();
    CTalusimPathSegment flight;
    flight.SetFlight(1, 2, 22, -20, 10, 5, 2.1, 10);
    flight.AddExportPoints(pts);
    ASSERT_EQ(pts.GetSize(), 22);
    EXPECT_EQ(pts[0], CVector2D(1, 2));
    for (int i = 1; i <= 20; ++i) {
        const double t = 0.1 * i;
        EXPECT_NEAR(pts[i].x, 1 + 10 * t, 1e-12) << i;
        EXPECT_NEAR(pts[i].y, 2 + 5 * t - 5 * t * t, 1e-12) << i;
    }
    EXPECT_EQ(pts[21], CVector2D(22, -20));
}

TEST(PathSegment, ArchiveLayoutByHand)
{
    CTalusimPathSegment s;
    s.SetFlight(1, 2, 3, -4, 5, 6, 0.5, 9.81);
    s.SetPixelStep(7);

    Bytes expected;
    expected.NewClass("CTalusimPathSegment", 1);
    for (double d : {1.0, 2.0, 3.0, -4.0, 0.5, 9.81, 5.0, 6.0})
        expected.Double(d);
    expected.Double(s.GetLeft()).Double(s.GetTop()).Double(s.GetRight()).Double(s.GetBottom());
    expected.Int(7).Byte(0);
    EXPECT_EQ(model_test::StoreObject(&s), expected.data);

    std::unique_ptr<CTalusimPathSegment> back(model_test::LoadObject<CTalusimPathSegment>(expected.data));
    ASSERT_TRUE(back);
    bool straight = true;
    double v[8];
    back->GetParameters(straight, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    EXPECT_FALSE(straight);
    EXPECT_EQ(v[4], 0.5);
    EXPECT_EQ(v[7], 6.0);
    EXPECT_EQ(back->GetPixelStep(), 7);
    EXPECT_EQ(back->GetTop(), s.GetTop());

    // A straight flag of 2 reads as straight; a zero pixel step falls back to 4.
    Bytes odd;
    odd.NewClass("CTalusimPathSegment", 1);
    for (int i = 0; i < 12; ++i)
        odd.Double(0);
    odd.Int(0).Byte(2);
    std::unique_ptr<CTalusimPathSegment> o(model_test::LoadObject<CTalusimPathSegment>(odd.data));
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->IsStraight());
    EXPECT_EQ(o->GetPixelStep(), 4);

    // Another schema is refused; a short record throws.
    Bytes wrong = expected;
    wrong.data[2] = 2;
    int cause = 0;
    EXPECT_EQ(model_test::LoadObject<CTalusimPathSegment>(wrong.data, &cause), nullptr);
    EXPECT_EQ(cause, CArchiveException::badSchema);
    Bytes shortRecord = expected;
    shortRecord.data.resize(shortRecord.data.size() - 3);
    EXPECT_EQ(model_test::LoadObject<CTalusimPathSegment>(shortRecord.data, &cause), nullptr);
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}
