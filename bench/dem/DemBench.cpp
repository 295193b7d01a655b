// The disk program's cost: a layer of disks in a box, settling under gravity
// for a fixed number of steps, at 1,000 and 10,000 disks. Prints steps
// per second and the time per listed contact and step; the latter should stay
// about the same as the disks grow tenfold (the search is linear, not square).
#include "dem/Disc.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

void WritePacking(const std::string& folder, int disks)
{
    std::mt19937 rng(190274);
    std::uniform_real_distribution<double> radius(0.45, 0.5);
    // A layer of equal depth at every size, so each disk meets the same loads
    // and the sizes differ in the count of disks alone.
    const int rows = 25, columns = (disks + rows - 1) / rows;
    const double spacing = 0.97, width = columns * spacing + 1;
    std::ofstream balls(std::filesystem::path(folder) / "packing.dsc");
    balls.precision(17);
    for (int i = 0; i < disks; ++i) {
        const double r = radius(rng), m = 2700 * 3.14159265358979 * r * r;
        const double x = 0.5 + spacing * (i % columns) + (i / columns % 2) * 0.2, y = 0.55 + spacing * (i / columns);
        balls << x << " " << y << " " << r << " 0 0 0 0 0 0 0 " << m << " " << 0.5 * m * r * r << " 0 0 0\n";
    }
    std::ofstream c(std::filesystem::path(folder) / "packing");
    c.precision(17);
    const double height = spacing * (disks / columns + 2) + 2;
    c << "packing\n0\n" << disks << "\npacking.dsc\n3\n";
    c << "0 0 0 0 0 0 0 " << width << " 1 0\n";                                   // floor
    c << "0 0 " << 3.14159265358979 / 2 << " 0 0 0 0 " << height << " -1 0\n";   // left side
    c << width << " 0 " << 3.14159265358979 / 2 << " 0 0 0 0 " << height << " 1 0\n";
    c << "0\n0\n";
    const char* props = "1e7\n6e6\n0.0003\n0.0003\n0\n0.5\n0\n";
    c << props << props << props << props;
    c << "0 0\n0.02 9.81\n0.001 0.001\n";
}

void Measure(int disks, int steps)
{
    const std::string folder = CreateDiscRunFolder();
    WritePacking(folder, disks);
    std::ostringstream sink;
    CDisc d;
    d.m_context.folder = folder;
    d.m_context.out = &sink;
    if (!d.ReadCase("packing")) {
        std::printf("%d disks: %s\n", disks, d.m_context.error.c_str());
        return;
    }
    const double dt = d.EstimateTimeStep(false);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = d.Analyse(dt, dt * (steps - 0.5));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    long long listed = 0;
    const disc::SlotLists& l = d.Search().Contacts();
    for (int i = 1; i <= d.Model().Nb(); ++i)
        for (int n = l.First(i); n; n = l.Next(n))
            listed += l.Body(n) < 0 || l.Body(n) > i;
    std::printf("%6d disks, %d steps%s: %8.1f steps/s, %7lld contacts listed, %6.1f ns per contact and step\n",
                disks, steps, ok ? "" : " (failed)", steps / seconds, listed,
                1e9 * seconds / (static_cast<double>(steps) * static_cast<double>(listed)));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        for (int k = 1; k < argc; ++k)
            Measure(std::atoi(argv[k]), 2000);
        return 0;
    }
    Measure(1000, 2000);
    Measure(10000, 2000);
    return 0;
}
