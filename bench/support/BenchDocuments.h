// What the benchmark programs share: clocks, the process's memory, temporary
// files, and a document like the ones engineers compute.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/DocumentDependencies.h"

namespace bench
{
inline double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Private memory the process holds now, and the most it has held, in MB.
inline double PrivateMB()
{
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc));
    // Wine leaves the private bytes at 0: the working set stands in for them.
    const SIZE_T bytes = pmc.PrivateUsage != 0 ? pmc.PrivateUsage : pmc.WorkingSetSize;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}
// The process's commit charge in MB: what Windows counts against its commit
// limit for the process (PrivateUsage). Wine reports none, and charges
// nothing, though the program asks for the same pages: there the private
// pages the process has committed are added up region by region, which is
// what the system would charge.
inline double CommittedMB()
{
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc));
    SIZE_T bytes = pmc.PrivateUsage;
    if (bytes == 0)
    {
        SYSTEM_INFO si{};
        ::GetSystemInfo(&si);
        const char* at = static_cast<const char*>(si.lpMinimumApplicationAddress);
        const char* const end = static_cast<const char*>(si.lpMaximumApplicationAddress);
        MEMORY_BASIC_INFORMATION m{};
        while (at < end && ::VirtualQuery(at, &m, sizeof m) == sizeof m && m.RegionSize != 0)
        {
            if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE)
                bytes += m.RegionSize;
            at = static_cast<const char*>(m.BaseAddress) + m.RegionSize;
        }
    }
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

inline double PeakMB()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    const SIZE_T bytes = pmc.PeakPagefileUsage != 0 ? pmc.PeakPagefileUsage : pmc.PeakWorkingSetSize;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

inline std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

inline double FileMB(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0.0;
    return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / (1024.0 * 1024.0);
}

// A slope of some fifty segments (a cliff, benches and steps, a run-out) with the
// default materials, one point seeder above its crest, a fixed random seed and
// the given number of rocks: its rock paths have about 45 pieces each.
inline CTalusimDoc* BuildBenchedSlopeDocument(int rocks)
{
    auto* doc = new CTalusimDoc;
    if (!doc->OnNewDocument())
        return doc;
    std::vector<CTalusimSlopeType*> materials =
        CollectAs<CTalusimSlopeType>(*doc->GetDatabase(), 20, KIND_MATERIAL, 21);
    CTalusimSlope* slope = doc->GetSlope();
    // A cliff, then benches and steps down a long talus: rocks bounce from one
    // to the next.
    std::vector<std::pair<double, double>> v = {{0, 520}, {6, 518}, {10, 460}};
    for (int i = 0; i < 50; ++i)
    {
        const double x = v.back().first, y = v.back().second;
        v.push_back(i % 2 == 0 ? std::make_pair(x + 14.0, y - 12.0) : std::make_pair(x + 10.0, y - 3.0));
    }
    v.push_back({v.back().first + 60.0, v.back().second - 10.0});
    v.push_back({v.back().first + 120.0, v.back().second - 6.0});
    for (size_t i = 0; i < v.size(); ++i)
        slope->AddVertexWithMaterial(v[i].first, v[i].second, materials[i % materials.size()]);
    auto* seeder = new CTalusimRaker;
    seeder->AddPoint(3, 522);
    seeder->SetGroupId(GROUP_POINT_SEEDER);
    seeder->SetCategoryId(CAT_PLACED);
    seeder->SetMass(1000.0, 200.0);
    seeder->SetVelocity(1.0, 0.0, 0.5, 0.5);
    seeder->SetAngularVelocity(0.0, 0.5);
    doc->GetDatabase()->AddEntity(seeder, false);
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->m_bGenerateSlopeSamples = false;
    doc->SetRockCount(rocks);
    return doc;
}

// A talus slope of twenty segments: sixteen of 22 m at 46 and 32 degrees in
// turn, then a run-out of four segments of 175 m flattening from 3 to half a
// degree, with the default materials, one point seeder above the crest, a
// fixed random seed, the given number of rocks and of horizontal analysis
// locations. The rocks bounce down the talus (about 40 pieces each) and stop
// early on the run-out, so that most locations are passed by some rocks only.
inline CTalusimDoc* BuildTwentySegmentDocument(int rocks, int locations)
{
    auto* doc = new CTalusimDoc;
    if (!doc->OnNewDocument())
        return doc;
    std::vector<CTalusimSlopeType*> materials =
        CollectAs<CTalusimSlopeType>(*doc->GetDatabase(), 20, KIND_MATERIAL, 21);
    constexpr double kDegree = 3.14159265358979323846 / 180.0;
    const double runOut[] = {3.0, 2.0, 1.0, 0.5};
    double x = 0.0, y = 400.0;
    for (int i = 0; i <= 20; ++i)
    {
        doc->GetSlope()->AddVertexWithMaterial(x, y, materials[static_cast<size_t>(i / 4) % materials.size()]);
        const double length = i < 16 ? 22.0 : 175.0;
        const double angle = (i < 16 ? (i % 2 == 0 ? 46.0 : 32.0) : runOut[i < 20 ? i - 16 : 3]) * kDegree;
        x += length * std::cos(angle);
        y -= length * std::sin(angle);
    }
    auto* seeder = new CTalusimRaker;
    seeder->AddPoint(-1, 402);
    seeder->SetGroupId(GROUP_POINT_SEEDER);
    seeder->SetCategoryId(CAT_PLACED);
    seeder->SetMass(1000.0, 200.0);
    seeder->SetVelocity(1.0, 0.0, 0.5, 0.5);
    seeder->SetAngularVelocity(0.0, 0.5);
    doc->GetDatabase()->AddEntity(seeder, false);
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->m_bGenerateSlopeSamples = false;
    doc->SetRockCount(rocks);
    doc->SetLocations(locations);
    return doc;
}
} // namespace bench
