#include "discs/DiscFrameSampler.h"

#include <cmath>
#include "dem/DiscRunContext.h"

namespace {

// A step that lands a hair before a frame's time, through the rounding of
// the time added up step by step, still counts as reaching it.
constexpr double kSlack = 1e-6;

CDiscStateRecord StateOf(int track, const DiscFrame& f)
{
    CDiscStateRecord s;
    s.element = track;
    s.x = f.x;
    s.y = f.y;
    s.angle = f.theta;
    s.radius = f.radius;
    s.vx = f.vx;
    s.vy = f.vy;
    s.ax = f.ax;
    s.ay = f.ay;
    s.mass = f.mass;
    return s;
}

}  // namespace

CDiscFrameSampler::CDiscFrameSampler(CDiscEnt& results, double finalTime, size_t maxStates)
    : m_results(results), m_finalTime(finalTime > 0.0 && std::isfinite(finalTime) ? finalTime : 0.0),
      m_maxStates(maxStates)
{
}

int CDiscFrameSampler::FrameAt(double time) const
{
    if (!(m_dFrameSeconds > 0.0))
        return 0;
    const double k = std::floor(time / m_dFrameSeconds + kSlack);
    return k <= 0.0 ? 0 : (k >= m_lastFrame ? m_lastFrame : static_cast<int>(k));
}

void CDiscFrameSampler::Store(int track, int frame, const DiscFrame& f)
{
    m_results.AddStateWithMotion(track, frame, f.x, f.y, f.theta, f.radius, f.vx, f.vy, f.ax, f.ay, f.mass);
}

void CDiscFrameSampler::Add(int track, const DiscFrame& f)
{
    if (track < 0)
        return;
    // The first throw's time step sets the spacing: at first every step of
    // that throw is a frame.
    if (!(m_dFrameSeconds > 0.0) && f.time > 0.0 && std::isfinite(f.time)) {
        m_dFrameSeconds = f.time;
        const double frames = std::ceil(m_finalTime / m_dFrameSeconds - kSlack);
        m_lastFrame = frames < 1.0 ? 1 : (frames > 1e9 ? 1000000000 : static_cast<int>(frames));
    }
    if (static_cast<size_t>(track) >= m_latest.size())
        m_latest.resize(static_cast<size_t>(track) + 1);
    m_latest[static_cast<size_t>(track)] = StateOf(track, f);
    const int reached = FrameAt(m_throwStart + f.time);
    const CDiscStateRecord* last = m_results.GetLastState(track);
    if (!last) {
        Store(track, reached, f);
    } else {
        for (int k = last->step + 1; k <= reached; ++k)
            Store(track, k, f);
    }
    ThinIfFull();
}

void CDiscFrameSampler::ThinIfFull()
{
    while (m_results.GetStateCount() > m_maxStates && m_lastFrame > 1) {
        m_results.HalveFrames(m_lastFrame);
        m_dFrameSeconds *= 2.0;
        m_lastFrame = (m_lastFrame + 1) / 2;
    }
}

void CDiscFrameSampler::Finish()
{
    for (size_t t = 0; t < m_latest.size(); ++t) {
        const CDiscStateRecord* last = m_results.GetLastState(static_cast<int>(t));
        if (!last)
            continue;
        CDiscStateRecord s = m_latest[t];
        s.step = m_lastFrame;
        if (last->step >= m_lastFrame)
            m_results.ReplaceLastState(s);
        else
            m_results.AddState(s);
    }
    m_results.SetFrameTiming(m_dFrameSeconds, m_finalTime);
}
