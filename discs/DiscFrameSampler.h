// Puts the frames of the disc program on the player's frames. The disc
// program stores a frame at every one of its time steps, and each throw has
// a time step of its own; the player's frames are evenly spaced in time over
// the run, so that frame k shows every disc at one moment, and a run of any
// size keeps a bounded number of states: once the cap is passed, every second
// frame goes and the spacing doubles. End points and barrier and collector
// hits do not come from these frames and stay exact.
#pragma once

#include <cstddef>
#include <vector>
#include "discs/DiscEnt.h"

struct DiscFrame;

// About 100 MB of states, whatever the rock count.
constexpr size_t kMaxThrowStates = 1000000;

class CDiscFrameSampler
{
public:
    // `finalTime` is the length of the run's time line: one throw's end time
    // when the throws are independent (they all start at 0), the sum of the
    // throws when each throw follows the one before.
    CDiscFrameSampler(CDiscEnt& results, double finalTime, size_t maxStates);

    // Where the next throw starts on the time line.
    void BeginThrow(double start) { m_throwStart = start; }
    // One frame of one disc, `track` its track in the results. Frame k holds
    // the disc's state at the first time step at or after k x the spacing; a
    // disc's first state goes to the frame at or before its start.
    void Add(int track, const DiscFrame& frame);
    // After the last throw: every disc's last state stands on the last frame,
    // and the results learn the frames' spacing.
    void Finish();

    double GetFrameSeconds() const { return m_dFrameSeconds; }

private:
    int FrameAt(double time) const;
    void Store(int track, int frame, const DiscFrame& f);
    void ThinIfFull();

    CDiscEnt& m_results;
    const double m_finalTime;
    const size_t m_maxStates;
    double m_throwStart = 0.0;
    double m_dFrameSeconds = 0.0;   // 0 until the first time step is seen
    int m_lastFrame = 0;
    std::vector<CDiscStateRecord> m_latest;   // per track, its newest state
};
