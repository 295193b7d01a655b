// The disk program's mechanics against closed forms: free fall, the
// spring-dashpot rebound, an elastic collision, friction on an incline.
#include "DiscCase.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct DiscRun {
    explicit DiscRun(const DiscCaseBuilder& c) : loaded(c)
    {
        loaded.disc.m_context.document = &doc;
        loaded.disc.SetStorage(1, 1);
    }
    bool Go(double dt, double end) { return loaded.disc.Analyse(dt, end); }
    disc::Ball& Ball(int i) { return loaded.disc.Model().balls[i]; }
    LoadedDisc loaded;
    RecordingDiscDocument doc;
};

TEST(DiscPhysics, FreeFallFollowsTheParabolaToHalfAStep)
{
    DiscCaseBuilder c;
    c.gravity = 9.81;
    c.Ball(3, 100, 0.5, 2);
    DiscRun run(c);
    ASSERT_TRUE(run.loaded.loaded) << run.loaded.out.str();
    const double dt = 1e-3;
    ASSERT_TRUE(run.Go(dt, 1.0));
    ASSERT_GE(run.doc.frames.size(), 1000u);
    // Frame k is the state after k steps, the start being frame 0.
    for (size_t k = 0; k < run.doc.frames.size(); ++k) {
        const DiscFrame& f = run.doc.frames[k];
        const double n = static_cast<double>(k), t = n * dt;
        EXPECT_NEAR(f.time, t, 1e-12);
        // Centred differences: v at the half step, so y lags by g t dt / 2.
        EXPECT_NEAR(f.y, 100 - 9.81 * dt * dt * n * (n + 1) / 2, 1e-9);
        EXPECT_LE(std::fabs(f.y - (100 - 9.81 * t * t / 2)), 9.81 * t * dt / 2 + 1e-9);
        EXPECT_NEAR(f.vy, -9.81 * t, 1e-9);
        EXPECT_DOUBLE_EQ(f.x, 3);
    }
    EXPECT_EQ(run.doc.completes, 1);
    ASSERT_EQ(run.doc.endPoints.size(), 1u);
}

// Penetration of a linear spring-dashpot that never pulls: the contact ends
// when k x + c x' reaches zero. Returns (duration, rebound speed).
std::pair<double, double> ReboundReference(double k, double c, double m, double v0)
{
    const double w0 = std::sqrt(k / m), zeta = c / (2 * std::sqrt(k * m)), wd = w0 * std::sqrt(1 - zeta * zeta);
    auto x = [&](double t) { return v0 / wd * std::exp(-zeta * w0 * t) * std::sin(wd * t); };
    auto v = [&](double t) {
        return v0 * std::exp(-zeta * w0 * t) * (std::cos(wd * t) - zeta * w0 / wd * std::sin(wd * t));
    };
    double lo = 0.5 * kPi / wd * 0.5, hi = kPi / wd;   // force is positive early, negative at x = 0
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (k * x(mid) + c * v(mid) > 0 ? lo : hi) = mid;
    }
    return {lo, -v(lo)};
}

TEST(DiscPhysics, ReboundOnAWallMatchesTheSpringDashpotClosedForm)
{
    const double m = 10, r = 0.5, k = 1e6, v0 = 2;
    for (double e : {1.0, 0.8, 0.5, 0.2}) {
        const double le = std::log(e);
        const double c = -2 * le * std::sqrt(k * m) / std::sqrt(kPi * kPi + le * le);
        DiscCaseBuilder cb;
        cb.Ball(0, r + 1e-3, r, m, 0, -v0);
        cb.Wall(-10, 0, 10, 0);
        cb.wallProps = {k, 0, c / k, 0, 0, 0, 0};
        DiscRun run(cb);
        ASSERT_TRUE(run.loaded.loaded) << run.loaded.out.str();
        const double dt = 1e-6;
        ASSERT_TRUE(run.Go(dt, 0.03));
        int first = -1, last = -1;
        for (size_t n = 0; n < run.doc.frames.size(); ++n)
            if (run.doc.frames[n].y < r) {
                if (first < 0)
                    first = static_cast<int>(n);
                last = static_cast<int>(n);
            }
        ASSERT_GE(first, 0);
        const auto [duration, speed] = ReboundReference(k, c, m, v0);
        const double vOut = run.Ball(1).vy;
        SCOPED_TRACE(e);
        EXPECT_NEAR(vOut / v0, speed / v0, 2e-3);
        if (e == 1.0) {
            EXPECT_NEAR(vOut / v0, 1.0, 1e-3);
        }
        // Overlap lasts until the ball is back at the wall, a little after the force ends.
        EXPECT_GE((last - first + 1) * dt, duration - 2 * dt);
        if (e >= 0.8) {   // with light damping the restitution is close to e itself
            EXPECT_NEAR(vOut / v0, e, 0.05);
        }
    }
}

TEST(DiscPhysics, HeadOnElasticCollisionKeepsEnergyAndMomentum)
{
    DiscCaseBuilder c;
    c.Ball(0, 0, 0.5, 1, 1.5, 0);
    c.Ball(1.2, 0, 0.5, 3, -0.5, 0);
    c.ballBall = {1e5, 0, 0, 0, 0, 0, 0};
    DiscRun run(c);
    ASSERT_TRUE(run.loaded.loaded);
    const double energy0 = 0.5 * 1 * 1.5 * 1.5 + 0.5 * 3 * 0.5 * 0.5;
    ASSERT_TRUE(run.Go(1e-5, 0.3));
    const double v1 = run.Ball(1).vx, v2 = run.Ball(2).vx;
    EXPECT_NEAR(1 * v1 + 3 * v2, 1 * 1.5 + 3 * -0.5, 1e-12);
    EXPECT_NEAR(0.5 * v1 * v1 + 0.5 * 3 * v2 * v2, energy0, energy0 * 1e-4);
    // Closed form of a perfectly elastic collision of masses 1 and 3.
    EXPECT_NEAR(v1, -1.5, 2e-3);
    EXPECT_NEAR(v2, 0.5, 2e-3);
}

TEST(DiscPhysics, UndampedBounceStaysBoundedInTotalEnergy)
{
    DiscCaseBuilder c;
    c.gravity = 9.81;
    c.Ball(0, 1.0, 0.25, 1);
    c.Wall(-5, 0, 5, 0);
    c.wallProps = {1e5, 0, 0, 0, 0, 0, 0};
    DiscRun run(c);
    ASSERT_TRUE(run.loaded.loaded);
    ASSERT_TRUE(run.Go(1e-4, 2.0));
    // A frame's velocity is half a step behind its position: the mean of its
    // velocity and the next frame's belongs with its position.
    const double e0 = 9.81 * 1.0;
    const auto& f = run.doc.frames;
    int contacts = 0;
    for (size_t n = 0; n + 1 < f.size(); ++n) {
        const double vy = (f[n].vy + f[n + 1].vy) / 2;
        const double u = std::max(0.0, 0.25 - f[n].y);
        contacts += u > 0;
        const double energy = 0.5 * vy * vy + 9.81 * f[n].y + 0.5 * 1e5 * u * u;
        ASSERT_NEAR(energy, e0, e0 * 2e-3) << n;
    }
    EXPECT_GT(contacts, 100);
}

struct InclineCase {
    double angleDeg, friction, angularity, expectedAcceleration;   // along the slope, downwards
};

TEST(DiscPhysics, IncreasingInclineHoldsThenSlidesThenRolls)
{
    const double g = 9.81, m = 1, r = 0.1;
    auto rad = [](double d) { return d * kPi / 180; };
    const double mu = std::tan(rad(30));
    const InclineCase cases[] = {
        {25, mu, 10, 0},                                                         // below the friction angle: rest
        {35, mu, 10, g * (std::sin(rad(35)) - mu * std::cos(rad(35)))},          // above it: sliding
        {20, 1.0, 0, g * std::sin(rad(20)) / (1 + 0.5)},                         // free to roll: I = m r^2 / 2
    };
    for (const InclineCase& ic : cases) {
        SCOPED_TRACE(ic.angleDeg);
        const double th = rad(ic.angleDeg), k = 1e7;
        DiscCaseBuilder c;
        c.gravity = g;
        c.dntol = 0.002;
        const double delta = m * g * std::cos(th) / k;   // start at the resting overlap
        const double sx = 5 * std::cos(th), sy = 5 * std::sin(th);
        c.Ball(sx - (r - delta) * std::sin(th), sy + (r - delta) * std::cos(th), r, m);
        c.Wall(0, 0, 10 * std::cos(th), 10 * std::sin(th));
        const double crit = 2 * std::sqrt(k * m) / k;
        c.wallProps = {k, k, 0.5 * crit, 0.5 * crit, 0, ic.friction, ic.angularity};
        DiscRun run(c);
        ASSERT_TRUE(run.loaded.loaded) << run.loaded.out.str();
        const double t = 0.5;
        ASSERT_TRUE(run.Go(2e-5, t));
        const disc::Ball& b = run.Ball(1);
        const double along = -((b.X() - c.balls[0][0]) * std::cos(th) + (b.Y() - c.balls[0][1]) * std::sin(th));
        if (ic.expectedAcceleration == 0) {
            EXPECT_LT(std::fabs(along), 1e-5);
            EXPECT_NEAR(b.vtheta, 0, 1e-6);
        } else {
            EXPECT_NEAR(along, 0.5 * ic.expectedAcceleration * t * t, 0.02 * 0.5 * ic.expectedAcceleration * t * t);
        }
    }
}

TEST(DiscPhysics, ForceLawNeverPullsAndHoldsShearToTheCoulombLimit)
{
    disc::ContactProps p;
    p.kn = 1000;
    p.ks = 500;
    p.cn = 0.1;
    p.cs = 0.1;
    p.friction = 0.5;
    p.cohesion = 2;
    // Separating fast: the dashpot would pull; the normal force stops at 0.
    auto r = CDisc::ForceLaw(p, 0.001, -50, 0, 1e-3, 0);
    EXPECT_EQ(r.n, 0);
    // Approaching: spring plus dashpot.
    r = CDisc::ForceLaw(p, 0.01, 1, 0, 1e-3, 0);
    EXPECT_DOUBLE_EQ(r.n, 1000 * 0.01 + 0.1 * 1000 * 1);
    // Shear accumulates while it stays below mu N + c ...
    r = CDisc::ForceLaw(p, 0.01, 0, 2, 1e-3, 1.0);
    EXPECT_DOUBLE_EQ(r.fs, 1.0 + 500 * 2 * 1e-3);
    EXPECT_FALSE(r.sliding);
    // ... and is held to it beyond, in either direction.
    for (double vs : {400.0, -400.0}) {
        r = CDisc::ForceLaw(p, 0.01, 0, vs, 1e-3, 0);
        EXPECT_TRUE(r.sliding);
        EXPECT_DOUBLE_EQ(std::fabs(r.s), 0.5 * 10 + 2);
        EXPECT_EQ(std::signbit(r.s), std::signbit(vs));
    }
}

// Contact number of ball i with body b, 0 when not listed.
int ContactOf(CDisc& d, int i, int body)
{
    const disc::SlotLists& l = d.Search().Contacts();
    for (int n = l.First(i); n; n = l.Next(n))
        if (l.Body(n) == body)
            return l.Number(n);
    return 0;
}

TEST(DiscPhysics, TurningWallPushesOnTheSideThatMovesTowardsTheBall)
{
    // A wall turning anticlockwise about its centre rises at s > 0 and sinks at s < 0.
    DiscCaseBuilder c;
    c.Ball(-3, 0.49, 0.5, 1);
    c.Ball(3, 0.49, 0.5, 1);
    DiscWallSpec w;
    w.xc = 0;
    w.d1 = -5;
    w.d2 = 5;
    w.vtheta = 0.1;
    c.walls.push_back(w);
    c.wallProps = {1e4, 0, 0.01, 0, 0, 0, 0};
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded);
    ASSERT_TRUE(l.disc.Search().BuildAll(l.disc.Model()));
    l.disc.ContactPass();
    const disc::ContactState& left = l.disc.Search().State(ContactOf(l.disc, 1, -1));
    const disc::ContactState& right = l.disc.Search().State(ContactOf(l.disc, 2, -1));
    EXPECT_DOUBLE_EQ(left.fn, right.fn);
    EXPECT_LT(left.dn, 0);
    EXPECT_GT(right.dn, 0);
    EXPECT_DOUBLE_EQ(left.dn, -right.dn);
}

TEST(DiscPhysics, ConvexCornerGivesOneContactWhereverTheModelLies)
{
    for (double x0 : {0.0, 1e5, -3e4}) {
        SCOPED_TRACE(x0);
        DiscCaseBuilder c;
        c.Ball(x0 + 0.1, 0.45, 0.5, 1);
        c.Wall(x0 - 5, 0, x0, 0);
        c.Wall(x0, 0, x0 + 5, -5);
        c.wallProps = {1e4, 0, 0, 0, 0, 0, 0};
        LoadedDisc l(c);
        ASSERT_TRUE(l.loaded);
        ASSERT_TRUE(l.disc.Search().BuildAll(l.disc.Model()));
        l.disc.ContactPass();
        const double d = std::hypot(0.1, 0.45), u = 0.5 - d;
        const disc::Ball& b = l.disc.Model().balls[1];
        EXPECT_NEAR(b.ax, 1e4 * u * 0.1 / d, 1e-6);
        EXPECT_NEAR(b.ay, 1e4 * u * 0.45 / d, 1e-6);
    }
}

TEST(DiscPhysics, TimeStepThatIsNotPositiveIsRefused)
{
    DiscCaseBuilder c;
    c.Ball(0, 0, 0.5, 1);
    for (double dt : {0.0, -1e-3, std::nan(""), static_cast<double>(INFINITY)}) {
        LoadedDisc l(c);
        ASSERT_TRUE(l.loaded);
        EXPECT_FALSE(l.disc.Analyse(dt, 1.0));
        EXPECT_EQ(l.disc.m_context.error, "the time step must be a positive number");
    }
}

TEST(DiscPhysics, TimeStepEstimateTakesTheLightestBall)
{
    const double kn = 1e6;
    for (bool lightFirst : {true, false}) {
        DiscCaseBuilder c;
        c.ballBall = {kn, 0, 0, 0, 0, 0, 0};
        c.wallProps = {kn, 0, 0, 0, 0, 0, 0};
        c.Ball(0, 0, 0.5, lightFirst ? 0.01 : 100);
        c.Ball(5, 0, 0.5, lightFirst ? 100 : 0.01);
        LoadedDisc l(c);
        ASSERT_TRUE(l.loaded);
        const double t1 = kPi / 5 * std::sqrt(0.01 / (3 * kn));
        const double dt = l.disc.EstimateTimeStep(false);
        EXPECT_NEAR(dt, t1, t1 * 1e-9);
        // The recurrence's own limit for two balls: stable up to sqrt(m / (2 k)).
        EXPECT_TRUE(l.disc.StepStable(0.99 * std::sqrt(0.01 / (2 * kn)), 1));
        EXPECT_FALSE(l.disc.StepStable(1.01 * std::sqrt(0.01 / (2 * kn)), 1));
    }
}

} // namespace

// A barrier is two walls on one line, facing away from each other. A ball
// sliding along it, pressed on by gravity from either side, feels only the
// face on its own side: it stays where the spring holds it, a little under a
// radius off the line, however often it is boxed again on the way.
TEST(DiscPhysics, ABallSlidingAlongATwoFacedWallStaysOnItsSide)
{
    const double r = 0.25, m = 1, k = 1e5, g = 9.81;
    for (const double side : {1.0, -1.0}) {
        SCOPED_TRACE(side);
        DiscCaseBuilder c;
        c.gravity = side * g;
        c.dntol = 0.05;
        c.Wall(-5, 0, 5, 0, 1);
        c.Wall(-5, 0, 5, 0, -1);
        c.wallProps = {k, 0, 0.01, 0, 0, 0, 0};
        const double held = r - m * g / k;
        c.Ball(-4, side * held, r, m, 2.0);
        DiscRun run(c);
        ASSERT_TRUE(run.loaded.loaded) << run.loaded.out.str();
        ASSERT_TRUE(run.Go(1e-4, 3.0));
        ASSERT_FALSE(run.doc.frames.empty());
        for (const DiscFrame& f : run.doc.frames) {
            if (f.x > 4.5)
                break;
            ASSERT_NEAR(side * f.y, held, 0.01 * r) << f.x;
        }
        EXPECT_GT(run.doc.frames.back().x, 1.5);
    }
}

// A ball that strikes a wall harder than the spring can take within a
// radius is pressed past the wall's line, and the wall goes on pushing it
// back out: a contact that began on the wall's side lasts until the ball
// has left. A barrier's two faces do the same for the side the ball came
// from; the other face takes no part.
TEST(DiscPhysics, AWallPushesBackABallPressedPastItsLine)
{
    const double r = 0.25, m = 1, k = 1e4;
    // Undamped, the spring alone would let it in by 1.5 radii.
    const double v = 1.5 * r * std::sqrt(k / m);
    struct Case {
        const char* what;
        std::vector<double> sides;   // the walls on the line y = 0
        double from;                 // +1: the ball comes from above
    };
    const Case cases[] = {
        {"a lone wall", {1}, 1},
        {"a barrier struck from above", {1, -1}, 1},
        {"a barrier struck from below", {1, -1}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DiscCaseBuilder cb;
        cb.dntol = 0.05;
        for (double side : c.sides)
            cb.Wall(-5, 0, 5, 0, side);
        cb.wallProps = {k, 0, 0, 0, 0, 0, 0};
        cb.Ball(0, c.from * (r + 0.01), r, m, 0, -c.from * v);
        DiscRun run(cb);
        ASSERT_TRUE(run.loaded.loaded) << run.loaded.out.str();
        ASSERT_TRUE(run.Go(1e-5, 0.05));
        // Back on its own side, at the speed it came with.
        EXPECT_GT(c.from * run.Ball(1).Y(), r);
        EXPECT_NEAR(c.from * run.Ball(1).vy, v, 0.01 * v);
        double deepest = r;
        for (const DiscFrame& f : run.doc.frames)
            deepest = std::min(deepest, c.from * f.y);
        EXPECT_NEAR(deepest, r - 1.5 * r, 0.02 * r);
    }
}
