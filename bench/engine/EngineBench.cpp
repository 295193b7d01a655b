// Rocks per second and impacts per second of the engine alone, on a 20-segment
// and a 200-segment slope with the default materials, then on the 20-segment
// slope with 51 and 1,000 analysis locations, and a check that a run
// allocates nothing once the engine is set up.
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "engine/Random.h"
#include "engine/TalusimEngine.h"

namespace
{
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace
{
// Rn mean, Rt mean of the six default materials; all with sd 0.04, phi 30 +- 2.
const double DEFAULT_MATERIALS[6][2] = {
    {0.53, 0.99}, {0.40, 0.90}, {0.35, 0.85}, {0.32, 0.82}, {0.32, 0.80}, {0.30, 0.80},
};

class CountingEngine : public CTalusimEngine
{
public:
    long flights = 0, slides = 0, impacts = 0;

protected:
    void OnFlightSegment(void*, double, double, double, double, double, double, double, double,
                         double) override
    {
        ++flights;
    }
    void OnSlidingSegment(void*, double, double, double, double, double, double, double, double,
                          double, double) override
    {
        ++slides;
    }
    void OnBarrierImpact(void*, double, double, double, double, double, int, CTalusimBarrier*,
                         double) override
    {
        ++impacts;
    }
};

// A concave mountainside 300 m high over 600 m with small deterministic bumps.
void BuildSlope(CTalusimEngine& engine, int segments)
{
    engine.ClearSlope();
    for (int i = 0; i <= segments; ++i)
    {
        const double f = static_cast<double>(i) / segments;
        const double x = 600.0 * f;
        const double y = 300.0 * std::pow(1.0 - f, 1.6) + 2.0 * std::sin(37.0 * f);
        const double* m = DEFAULT_MATERIALS[i % 6];
        engine.AddSlopeSegment(x, y, m[0], 0.04, m[1], 0.04, 30.0, 2.0, 0.0);
    }
}

// The locations as the document hands them over: vertical lines at even steps
// over the slope, the last at its right end, then the line below it.
void AddLocations(CTalusimEngine& engine, int locations)
{
    engine.ClearLocations();
    if (locations < 2)
        return;
    const double step = 600.0 / (locations - 1);
    for (int i = 0; i < locations; ++i)
    {
        const double x = i == locations - 1 ? 600.0 : i * step;
        engine.AddLocation(x, 402.0, x, -10.0, i);
    }
    engine.AddLocation(-1000.0, -10.0, 1600.0, -10.0, -1);
}

void Bench(int segments, int rocks, int locations = 0)
{
    SeedRandom(190274);
    CountingEngine engine;
    engine.SetMetricUnits();
    engine.SetMinimumVelocity(0.1);
    engine.SetSlidingVariant();
    engine.SetFrictionFromRt(false);
    engine.SetOptions(true, false, false, false, 9.144, 1000.0);
    BuildSlope(engine, segments);
    engine.ClearBarriers();
    AddLocations(engine, locations);

    CNormalVariable vx(1.0, 0.5, -DBL_MAX, DBL_MAX), vy(0.0, 0.5, -DBL_MAX, DBL_MAX);
    CNormalVariable mass(500.0, 100.0, -DBL_MAX, DBL_MAX);
    // Warm-up: the first run prepares the model.
    engine.SetRockStart(5.0, 310.0, 1.0, 0.0, 500.0, 0.0);
    engine.Run();
    engine.flights = engine.slides = 0;

    int timeouts = 0;
    const long allocationsBefore = g_allocations.load();
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < rocks; ++r)
    {
        engine.SetRockStart(5.0, 310.0, vx.Sample(), vy.Sample(), std::fabs(mass.Sample()) + 1.0, 0.0);
        if (engine.Run() == ENGINE_TIME_LIMIT)
            ++timeouts;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long allocations = g_allocations.load() - allocationsBefore;

    const long steps = engine.flights + engine.slides;
    std::printf("%3d segments, %4d locations: %8.0f rocks/s  %10.0f impacts/s  %6.1f steps/rock  %7.3f us/step"
                "  allocations during %d runs: %ld  time-outs: %d\n",
                segments, locations, rocks / seconds, engine.flights / seconds,
                static_cast<double>(steps) / rocks, 1e6 * seconds / steps, rocks, allocations, timeouts);
}
} // namespace

int main(int argc, char** argv)
{
    // Optional arguments: the number of rocks, then a single segment count.
    const int rocks = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (argc > 2)
        Bench(std::atoi(argv[2]), rocks);
    else
    {
        Bench(20, rocks);
        Bench(200, rocks);
        // The time a piece takes must not grow with the number of locations.
        Bench(20, rocks, 51);
        Bench(20, rocks, 1000);
    }
    return 0;
}
