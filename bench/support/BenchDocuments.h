// What the benchmark programs share: clocks, the process's memory, temporary
// files, and a document like the ones engineers compute.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <string>
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
    return static_cast<double>(pmc.PrivateUsage) / (1024.0 * 1024.0);
}
inline double PeakMB()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<double>(pmc.PeakPagefileUsage) / (1024.0 * 1024.0);
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

// A twenty-segment slope (a cliff, benches, a talus and a run-out) with the
// default materials, one point seeder above its crest, a fixed random seed and
// the given number of rocks: its rock paths have about 45 pieces each.
inline CTalusimDoc* BuildTwentySegmentDocument(int rocks)
{
    auto* doc = new CTalusimDoc;
    if (!doc->OnNewDocument())
        return doc;
    std::vector<CTalusimSlopeType*> materials =
        CollectAs<CTalusimSlopeType>(*doc->GetDatabase(), 20, KIND_MATERIAL, 21);
    CTalusimSlope* slope = doc->GetSlope();
    const double v[][2] = {{0, 160},   {8, 158},   {12, 130},  {15, 100},  {22, 92},   {28, 70},   {40, 64},
                           {52, 50},   {70, 44},   {85, 36},   {100, 31},  {118, 26},  {135, 20},  {150, 17},
                           {170, 13},  {190, 10},  {215, 7},   {240, 5},   {270, 3},   {300, 2},   {340, 0}};
    for (size_t i = 0; i < std::size(v); ++i)
        slope->AddVertexWithMaterial(v[i][0], v[i][1], materials[i % materials.size()]);
    auto* seeder = new CTalusimRaker;
    seeder->AddPoint(3, 162);
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
} // namespace bench
