// The largest stable time step: a rotational-period estimate and the
// stability limit of the damped three-step recurrence of the motion, both
// taken at the lightest ball and the stiffest contact class in use.
#include "dem/Disc.h"

#include <algorithm>
#include <cmath>

using namespace disc;

namespace {
constexpr double kPi = 3.14159265358979323846;

// Every contact class a ball can meet in this case, with the recurrence's
// factor s (2 for two balls moving against each other, 1 against a wall).
template <class F> void ForEachClass(const Model& m, F f)
{
    f(m.ballBall, 2.0);
    for (int w = 1; w <= m.Nw(); ++w)
        f(m.WallProps(w), 1.0);
}
}

bool CDisc::StepStable(double step, int /*entry*/) const
{
    double mass = 1e300;
    for (int i = 1; i <= m_model.Nb(); ++i)
        mass = std::min(mass, m_model.balls[i].mass);
    const double t = step * m_model.gdampu / (2 * mass);
    const double mu = mass * (1 + t);
    const double M = (1 - t) / (1 + t), N = M + 1, O = N + M * M, P = 2 * M + 1;
    if (M < 0)
        return false;
    bool stable = true;
    ForEachClass(m_model, [&](const ContactProps& p, double s) {
        const double c = p.kn * p.cn;
        const double E = s * step * c / mu, J = s * step * step * p.kn / mu;
        if (N - J - E < 0 || (J + E) * (J + E) + O - P * E - 2 * N * J < 0)
            stable = false;
    });
    return stable;
}

double CDisc::EstimateTimeStep(bool print)
{
    double mass = 1e300, spin = 1e300;   // lightest ball, least I / r^2
    for (int i = 1; i <= m_model.Nb(); ++i) {
        const Ball& b = m_model.balls[i];
        mass = std::min(mass, b.mass);
        spin = std::min(spin, b.inertia / (b.r * b.r));
    }
    double t1 = 1e20;
    ForEachClass(m_model, [&](const ContactProps& p, double) {
        if (p.kn > 0)
            t1 = std::min(t1, kPi / 5 * std::sqrt(mass / (3 * (p.kn + p.ks))));
        if (p.ks > 0)
            t1 = std::min(t1, kPi / 5 * std::sqrt(spin / (6 * p.ks)));
    });
    if (m_model.Nb() == 0)
        t1 = 0;

    // Down by tens from ten times the first estimate to a stable step, then
    // halve the bracket (in the exponent) to half a percent.
    double t2 = 0;
    if (t1 > 0) {
        double hi = 10 * t1;
        if (StepStable(hi, 1)) {
            t2 = hi;
        } else {
            double lo = hi / 10;
            for (int k = 0; k < 60 && !StepStable(lo, 1); ++k) {
                hi = lo;
                lo /= 10;
            }
            if (StepStable(lo, 1)) {
                while ((hi - lo) / hi > 0.005) {
                    const double mid = std::sqrt(lo * hi);
                    (StepStable(mid, 1) ? lo : hi) = mid;
                }
                t2 = lo;
            }
        }
    }
    if (print) {
        Con().Print("\nMaximum Time Increment (rot. period)      =%g", t1);
        Con().Print("\nMaximum Time Increment (3 time-step cnt.) =%g", t2);
        Con().Print("\n\nNOTE: It is recommended that the time-step is no greater");
        Con().Print("\n than the smaller of the above two time-steps");
    }
    m_context.timeStep = std::min(t1, t2);
    return m_context.timeStep;
}
