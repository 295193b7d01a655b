#include "dem/DiscRunContext.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <system_error>

CDiscRunContext::CDiscRunContext()
{
    Reset();
}

void CDiscRunContext::Reset()
{
    frameTotal = 0;
    interactive = 1;
    wallsInPlot = 0;
    progress = nullptr;
    endTime = 0;
    timeStep = 0.01;
    plotInterval = 30;
    frameStart = 0;
    frameCounter = nullptr;
    document = nullptr;
    throwIndex = 0;
    timeStepDivisor = 1.0;
    folder.clear();
    in = &std::cin;
    out = &std::cout;
    error.clear();
}

std::string CreateDiscRunFolder()
{
    namespace fs = std::filesystem;
    static std::atomic<unsigned> serial{0};
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec)
        return {};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path dir = base / ("clastor-disc-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        if (fs::create_directory(dir, ec))
            return dir.string();
    }
    return {};
}
