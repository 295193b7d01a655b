// Normal random variables and uniform draws, all from the program's own
// generator (Random.h).
#pragma once

#include <cfloat>

// A uniform number in (0, 1]; zero is drawn again so that its logarithm exists.
double NonZeroUnitRandom();
// An integer in a .. b, each value possible.
int RandomIntInRange(int a, int b);
// A number in [lo, hi], both ends possible.
double RandomInInterval(double lo, double hi);

// A normal random variable drawn by Box-Muller with overlapping pairs: each
// draw uses the uniform number kept from the previous one and one fresh one.
// The bounds travel with the variable; Sample does not clip to them.
class CNormalVariable
{
public:
    // Both constructors draw the first uniform number, so constructing one
    // advances the sequence.
    CNormalVariable();
    CNormalVariable(double mean, double sd, double minimum, double maximum);

    // Replaces the parameters; the uniform number kept for the next draw stays.
    void Set(double mean, double sd, double minimum, double maximum);

    double Sample();

    double GetMean() const { return m_mean; }
    double GetStdDev() const { return m_sd; }
    double GetMinimum() const { return m_minimum; }
    double GetMaximum() const { return m_maximum; }
    double GetLastSample() const { return m_lastSample; }

    // The sample limited to [minimum, maximum], for callers that need the range.
    double Clamp(double value) const
    {
        return value < m_minimum ? m_minimum : (value > m_maximum ? m_maximum : value);
    }

private:
    double m_minimum = -DBL_MAX;
    double m_maximum = DBL_MAX;
    double m_lastSample = DBL_MAX;
    double m_mean = 0.0;
    double m_sd = 0.0;
    double m_twoPi = 6.28318530718;   // this literal, so that samples match earlier runs
    double m_u1 = 0.0;
    double m_u2 = 0.0;
};
