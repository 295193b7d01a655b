// The DEM model against closed forms: free fall under gravity, a head-on
// collision of two disks on a linear spring, and the elements' own numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include "discs/DemModel.h"
#include "discs/DiscEnt.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string WriteGeometry(const char* name, const char* text)
{
    char buf[MAX_PATH];
    ::GetTempPathA(MAX_PATH, buf);
    std::string path = std::string(buf) + name;
    std::ofstream(path) << text;
    return path;
}

}  // namespace

// Semi-implicit Euler: after k steps v = -g k dt exactly and
// y = y0 - g dt^2 k (k + 1) / 2, which is the closed form y0 - g t^2 / 2 to
// within g dt t / 2. The fall does not depend on the mass.
TEST(DemModelTest, FreeFallFollowsTheClosedForm)
{
    for (double mass : {0.5, 2700.0}) {
        CDemModel model;
        CDiscEnt results;
        model.m_pResults = &results;
        model.AddDisk(3, 100, 0.5, mass, 0, 0, 0);
        model.SetTiming(0.01, 2.0);
        ASSERT_TRUE(model.Run());
        EXPECT_EQ(model.GetStepCount(), 200);
        // The start of every step, and the end.
        EXPECT_EQ(model.GetFrameCount(), 201);
        ASSERT_EQ(results.GetTrackCount(), 2);  // track 0 stays empty
        const auto& track = results.GetTrack(1);
        ASSERT_EQ(track.size(), 201u);
        EXPECT_DOUBLE_EQ(results.GetFrameTime(200), 2.0);
        const double g = 9.81, dt = 0.01;
        for (size_t k = 0; k < track.size(); ++k) {
            const double t = k * dt;
            EXPECT_EQ(track[k].step, static_cast<int>(k));
            EXPECT_NEAR(track[k].vy, -g * t, 1e-9);
            EXPECT_NEAR(track[k].y, 100 - g * dt * dt * k * (k + 1) / 2, 1e-9);
            EXPECT_LE(std::fabs(track[k].y - (100 - g * t * t / 2)), g * dt * t / 2 + 1e-9);
            EXPECT_DOUBLE_EQ(track[k].x, 3);
            EXPECT_DOUBLE_EQ(track[k].mass, mass);
        }
        EXPECT_NEAR(model.GetElement(0).GetY(), 100 - g * dt * dt * 200 * 201 / 2, 1e-9);
    }
}

// Two equal disks meet head on at speed v each. On a linear spring of the
// stiffness the model chose for the pair, the relative motion is a half
// oscillation of angular frequency sqrt(2 k / m):
// the contact lasts pi / omega, the deepest overlap is 2 v / omega, and the
// disks leave with their velocities reversed; momentum stays zero throughout
// whatever the order of the elements.
TEST(DemModelTest, TwoDisksCollideAsTheSpringClosedFormSays)
{
    const double m = 10, v = 1, dt = 0.0005;
    CDemModel model;
    CDiscEnt results;
    model.m_pResults = &results;
    model.SetGravity(false);
    model.AddDisk(-2, 5, 1, m, v, 0, 0);
    model.AddDisk(2, 5, 1, m, -v, 0, 0);
    model.SetTiming(dt, 2.0);
    ASSERT_TRUE(model.Run());
    auto& a = static_cast<CDemDisk&>(model.GetElement(0));
    auto& b = static_cast<CDemDisk&>(model.GetElement(1));
    const double k = CDemElement::PairStiffness(a, b);
    EXPECT_GE(k, CDemElement::kStiffness);
    EXPECT_EQ(k, CDemElement::PairStiffness(b, a));
    const double omega = std::sqrt(2 * k / m);
    EXPECT_EQ(model.GetSubsteps(), 1);
    EXPECT_NEAR(a.x.velocity, -v, 0.01 * v);
    EXPECT_NEAR(b.x.velocity, v, 0.01 * v);
    EXPECT_NEAR(a.x.velocity + b.x.velocity, 0.0, 1e-12);
    EXPECT_NEAR(a.GetY(), 5, 1e-12);
    double deepest = 0;
    for (size_t i = 0; i < results.GetTrack(1).size(); ++i) {
        const double gap = results.GetTrack(2)[i].x - results.GetTrack(1)[i].x - 2;
        deepest = std::min(deepest, gap);
        EXPECT_NEAR(results.GetTrack(1)[i].vx + results.GetTrack(2)[i].vx, 0.0, 1e-12);
    }
    EXPECT_NEAR(-deepest, 2 * v / omega, 0.01 * 2 * v / omega);
    // One contact record per stored step of the contact, in each list.
    ASSERT_EQ(results.GetContactListCount(), 2);
    const double duration = results.GetContacts(0).size() * dt;
    EXPECT_NEAR(duration, kPi / omega, 3 * dt);
    EXPECT_EQ(results.GetContacts(0).size(), results.GetContacts(1).size());
}

// However heavy and fast a disk, its contact gives way by a small part of its
// radius: it bounces off a wall or another disk instead of passing through,
// and a light disk on the default 0.01 s step stays stable (no energy is
// gained). The contact springs were once a fixed 1000 N/m, through which a
// tonne at 25 m/s passed as if there were nothing.
TEST(DemModelTest, HeavyFastAndLightDisksNeitherPassNorGainEnergy)
{
    struct Case {
        const char* what;
        double mass, radius, speed;
        bool gravity, wall;
    };
    const Case cases[] = {
        {"five tonnes at 25 m/s into a wall", 5000, 0.5, 25, false, true},
        {"a tonne falling 40 m onto a wall", 1000, 0.4, 0, true, true},
        {"ten grams falling onto a wall", 0.01, 0.05, 0, true, true},
        {"two tonnes into a resting gram", 2000, 0.5, 20, false, false},
    };
    for (const Case& c : cases) {
        CDemModel model;
        CDiscEnt results;
        model.m_pResults = &results;
        model.SetGravity(c.gravity);
        const double top = c.gravity ? 40.0 : 3.0;
        if (c.wall)
            model.AddWall(-10, 0, 10, 0);
        else
            model.AddDisk(0, 0.05, 0.05, 0.001, 0, 0, 0);   // a small disk resting in the way
        model.AddDisk(0, top, c.radius, c.mass, 0, -c.speed, 0);
        model.SetTiming(0.01, c.gravity ? 4.0 : 0.5);
        ASSERT_TRUE(model.Run()) << c.what;
        const int mover = model.GetElementCount() - 1;
        const auto& track = results.GetTrack(mover + 1);
        const double fallSpeed = std::sqrt(c.speed * c.speed + (c.gravity ? 2 * 9.81 * (top - c.radius) : 0.0));
        double lowest = top, fastest = 0;
        bool turned = false;
        for (const auto& s : track) {
            lowest = std::min(lowest, s.y);
            fastest = std::max(fastest, std::hypot(s.vx, s.vy));
            turned = turned || s.vy > 0;
        }
        if (c.wall) {
            EXPECT_TRUE(turned) << c.what;
            EXPECT_GT(lowest, 0.85 * c.radius) << c.what;
            // Nothing more than the fall and a step's worth of rounding.
            EXPECT_LT(fastest, 1.02 * fallSpeed + 0.1) << c.what;
        } else {
            // The heavy disk pushes the gram ahead of it, but never past it.
            const auto& small = results.GetTrack(1);
            for (size_t i = 0; i < track.size(); ++i)
                EXPECT_GT(track[i].y - small[i].y, 0.0) << c.what << " step " << i;
            EXPECT_LT(small.back().y, -1.0) << c.what;
        }
        for (int i = 0; i < model.GetElementCount(); ++i) {
            EXPECT_TRUE(std::isfinite(model.GetElement(i).GetX())) << c.what;
            EXPECT_TRUE(std::isfinite(model.GetElement(i).GetY())) << c.what;
        }
    }
}

TEST(DemModelTest, ElementNumbersGapsContactsAndInertia)
{
    CDemDisk a, b;
    a.x.Set(0, 0);
    a.y.Set(0, 0);
    a.rotation.Set(0, 0);
    a.SetMass(4);
    a.SetRadius(2);
    EXPECT_DOUBLE_EQ(a.GetInertia(), 0.5 * 4 * 2 * 2);
    a.SetRadius(1);
    b.x.Set(1.5, 0);
    b.y.Set(0, 0);
    b.rotation.Set(0, 0);
    b.SetMass(1);
    b.SetRadius(1);
    EXPECT_DOUBLE_EQ(a.GetGap(b), -0.5);
    DemForce f;
    const DemPoint p = a.Contact(f, b, a.GetGap(b));
    EXPECT_DOUBLE_EQ(f.fx, -500);
    EXPECT_DOUBLE_EQ(f.fy, 0);
    EXPECT_DOUBLE_EQ(p.x, 0.75);
    EXPECT_EQ(a.GetValue(1), kDemUnset);
    a.x.velocity = 3;
    a.y.velocity = 4;
    EXPECT_DOUBLE_EQ(a.GetValue(2), 5);
    EXPECT_DOUBLE_EQ(a.GetValue(0), 0.5 * 4 * 25);

    // A sphere's inertia is set, so torques turn it.
    CDemSphere s;
    s.SetMass(5);
    s.SetRadius(2);
    EXPECT_DOUBLE_EQ(s.GetInertia(), 0.4 * 5 * 4);

    // A disk resting exactly on a wall has gap 0 and no contact.
    CDemModel model;
    CDiscEnt results;
    model.m_pResults = &results;
    model.SetGravity(false);
    model.AddWall(-5, 0, 5, 0);
    model.AddDisk(0, 1, 1, 1, 0, 0, 0);
    model.SetTiming(0.01, 0.1);
    ASSERT_TRUE(model.Run());
    EXPECT_EQ(results.GetContactListCount(), 0);

    // An axis moving down keeps its whole travel pending and reads right.
    DemAxisState axis;
    axis.Set(10, -1);
    for (int i = 0; i < 100; ++i)
        axis.Step(0, 0.01);
    EXPECT_NEAR(axis.Position(), 9, 1e-12);
}

TEST(DemModelTest, CoincidentCentresAndACentreOnAWallStayFinite)
{
    CDemModel model;
    CDiscEnt results;
    model.m_pResults = &results;
    model.SetGravity(false);
    model.AddDisk(0, 0, 1, 1, 0, 0, 0);
    model.AddDisk(0, 0, 1, 1, 0, 0, 0);
    model.AddWall(-10, 5, 10, 5);
    model.AddDisk(0, 5, 0.5, 1, 0, 0, 0);
    model.SetTiming(0.001, 0.5);
    ASSERT_TRUE(model.Run());
    for (int i = 0; i < model.GetElementCount(); ++i) {
        EXPECT_TRUE(std::isfinite(model.GetElement(i).GetX())) << i;
        EXPECT_TRUE(std::isfinite(model.GetElement(i).GetY())) << i;
    }
    // The pair at one point pushed apart, opposite ways.
    EXPECT_LT(model.GetElement(0).GetX() * model.GetElement(1).GetX(), 0.0);
    EXPECT_NEAR(model.GetElement(0).GetX() + model.GetElement(1).GetX(), 0.0, 1e-9);
    // The disk centred on a wall drawn left to right is pushed up off it.
    EXPECT_GT(model.GetElement(3).GetY(), 5.4);
}

TEST(DemModelTest, NoStepsForNoTimeCancelStopsAndLongRunsStoreBoundedStates)
{
    {
        CDemModel model;
        CDiscEnt results;
        model.m_pResults = &results;
        model.AddDisk(0, 0, 1, 1, 0, 0, 0);
        model.SetTiming(0.01, 0);
        ASSERT_TRUE(model.Run());
        EXPECT_EQ(model.GetFrameCount(), 0);
        EXPECT_EQ(results.GetStateCount(), 0u);
    }
    {
        CDemModel model;
        model.AddDisk(0, 0, 1, 1, 0, 0, 0);
        model.SetTiming(0.01, 100);
        int calls = 0;
        model.SetProgress([&calls](int percent) {
            ++calls;
            return percent < 50;
        });
        EXPECT_FALSE(model.Run());
        EXPECT_EQ(model.GetStepCount(), 5000);
    }
    {
        // 3 disks for 200000 steps: 600000 states would be too many, so every
        // second step is kept, numbered as frames without gaps.
        CDemModel model;
        CDiscEnt results;
        model.m_pResults = &results;
        for (int i = 0; i < 3; ++i)
            model.AddDisk(10.0 * i, 0, 1, 1, 0, 0, 0);
        model.SetTiming(0.01, 2000);
        ASSERT_TRUE(model.Run());
        EXPECT_EQ(model.GetStepCount(), 200000);
        EXPECT_EQ(model.GetStoreEvery(), 2);
        EXPECT_EQ(model.GetFrameCount(), 100001);
        EXPECT_LE(results.GetStateCount(), CDemModel::kMaxStoredStates);
        const auto& track = results.GetTrack(1);
        EXPECT_EQ(track.back().step, 100000);
        EXPECT_NEAR(track[1].vy, -9.81 * 0.02, 1e-12);
        EXPECT_DOUBLE_EQ(results.GetFrameTime(1), 0.02);
        EXPECT_DOUBLE_EQ(results.GetFrameTime(100000), 2000);
    }
    {
        // One step more than a whole number of strides: the end is a frame of
        // its own, one step after the frame before it.
        CDemModel model;
        CDiscEnt results;
        model.m_pResults = &results;
        for (int i = 0; i < 3; ++i)
            model.AddDisk(10.0 * i, 0, 1, 1, 0, 0, 0);
        model.SetTiming(0.01, 2000.01);
        ASSERT_TRUE(model.Run());
        EXPECT_EQ(model.GetStepCount(), 200001);
        EXPECT_EQ(model.GetStoreEvery(), 2);
        EXPECT_EQ(model.GetFrameCount(), 100002);
        const auto& track = results.GetTrack(3);
        EXPECT_EQ(track.back().step, 100001);
        EXPECT_NEAR(track.back().vy, -9.81 * 2000.01, 1e-6);
        EXPECT_NEAR(track[track.size() - 2].vy, -9.81 * 2000, 1e-6);
        EXPECT_NEAR(results.GetFrameTime(100000), 2000, 1e-9);
        EXPECT_NEAR(results.GetFrameTime(100001), 2000.01, 1e-9);
    }
}

TEST(DemModelTest, GeometryFacesBecomeLoadedWallsOutsideTheRun)
{
    CDemModel model;
    const std::string path = WriteGeometry("dem-geometry.txt",
                                           "4 3 0\n0 0 0\n1 0 0\n1 1 0\n0 1 1\n3 0 1 2\n4 -1 0 1\n4 0 1 2\n");
    EXPECT_TRUE(model.ReadGeometry(path));
    EXPECT_EQ(model.GetLoadedWallCount(), 2);
    EXPECT_EQ(model.GetElementCount(), 0);

    CDemModel other;
    EXPECT_FALSE(other.ReadGeometry(WriteGeometry("dem-short.txt", "4 1 0\n0 0 0\n1 0 0\n")));
    EXPECT_FALSE(other.ReadGeometry(WriteGeometry("dem-bad-index.txt", "3 1 0\n0 0 0\n1 0 0\n1 1 0\n4 0 1 7\n")));
    EXPECT_FALSE(other.ReadGeometry("no such file.txt"));
    EXPECT_EQ(other.GetLoadedWallCount(), 0);
}

// A disk set down sliding on the ground comes to roll: the slip force keeps
// its angular momentum about the contact point, so it rolls on at
// v0 / (1 + I / (m r^2)) = 2 v0 / 3 with w = -v / r, and never gains energy.
// Two disks spinning against each other slow down. The contact's turn was
// once a term that fed on the spin itself, which drove a light disk to
// spin without bound.
TEST(DemModelTest, SlipBringsDisksToRollWithoutRunawaySpin)
{
    const double r = 0.5, v0 = 2.0, g = 9.81;
    for (double m : {0.05, 1.0, 500.0}) {
        CDemModel model;
        CDiscEnt results;
        model.m_pResults = &results;
        model.AddWall(-50, 0, 50, 0);
        model.AddDisk(0, r, r, m, v0, 0, 0);
        model.SetTiming(0.01, 3.0);
        ASSERT_TRUE(model.Run());
        const auto& d = static_cast<CDemDisk&>(model.GetElement(1));
        EXPECT_NEAR(d.x.velocity, 2 * v0 / 3, 0.01 * v0) << m;
        EXPECT_NEAR(d.rotation.velocity, -d.x.velocity / r, 0.01 * v0 / r) << m;
        const double start = 0.5 * m * v0 * v0 + m * g * r;
        for (const auto& s : results.GetTrack(2)) {
            const double kinetic = 0.5 * m * (s.vx * s.vx + s.vy * s.vy);
            EXPECT_LE(kinetic + m * g * s.y, start * 1.001) << m;
        }
    }

    CDemModel pair;
    pair.SetGravity(false);
    pair.AddDisk(0, 0, 1, 2, 0, 0, 4);
    pair.AddDisk(1.98, 0, 1, 2, 0, 0, 4);
    pair.SetTiming(0.001, 2.0);
    ASSERT_TRUE(pair.Run());
    for (int i = 0; i < 2; ++i) {
        const auto& d = static_cast<CDemDisk&>(pair.GetElement(i));
        EXPECT_LT(std::fabs(d.rotation.velocity), 4.0) << i;
        EXPECT_TRUE(std::isfinite(d.GetX()) && std::isfinite(d.GetY())) << i;
    }
}
