// What the whole-process benchmarks of documents share: the process's commit
// charge, its peak sampled while a piece of work runs, file sizes, and message
// boxes answered on the console.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <thread>

namespace bench
{
constexpr double MB = 1024.0 * 1024.0;

// Every message box prints its text and answers OK.
inline int AnswerEveryBox(LPCSTR text, UINT)
{
    std::printf("  (message: %s)\n", text);
    return IDOK;
}

// The commit charge: what the process took from the system for itself.
inline std::size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &c, sizeof c);
    return c.PagefileUsage;
}

// The largest private bytes seen while a piece of work runs, sampled every
// millisecond on a thread of its own: the process's own peak figure cannot be
// reset between the phases of one run.
class CPeakMemory
{
public:
    CPeakMemory() : m_before(PrivateBytes()), m_peak(m_before)
    {
        m_thread = std::thread([this] {
            while (!m_stop.load()) {
                const std::size_t now = PrivateBytes();
                if (now > m_peak.load())
                    m_peak.store(now);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~CPeakMemory() { Stop(); }
    CPeakMemory(const CPeakMemory&) = delete;
    CPeakMemory& operator=(const CPeakMemory&) = delete;
    void Stop()
    {
        if (m_thread.joinable()) {
            m_stop.store(true);
            m_thread.join();
            m_peak.store(std::max(m_peak.load(), PrivateBytes()));
        }
    }
    double PeakMB() const { return m_peak.load() / MB; }
    double BeforeMB() const { return m_before / MB; }
    double PeakAboveMB() const { return (m_peak.load() - m_before) / MB; }
    double AfterAboveMB() const { return (static_cast<double>(PrivateBytes()) - m_before) / MB; }

private:
    std::size_t m_before;
    std::atomic<std::size_t> m_peak;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

inline long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA a{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a))
        return 0;
    return (static_cast<long long>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
}
}  // namespace bench
