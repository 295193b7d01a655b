#include "engine/RandomVariables.h"

#include <cmath>
#include <utility>

#include "engine/Random.h"

double NonZeroUnitRandom()
{
    double x;
    do
        x = NextRandom() / static_cast<double>(RANDOM_MAX);
    while (x == 0.0);
    return x;
}

int RandomIntInRange(int a, int b)
{
    double x;
    do
        x = NextRandom() / static_cast<double>(RANDOM_MAX);
    while (x == 1.0);
    return a + static_cast<int>((b - a + 1) * x);
}

double RandomInInterval(double lo, double hi)
{
    return lo + (hi - lo) * NextRandom() / static_cast<double>(RANDOM_MAX);
}

CNormalVariable::CNormalVariable() : m_u2(NonZeroUnitRandom()) {}

CNormalVariable::CNormalVariable(double mean, double sd, double minimum, double maximum)
    : m_minimum(minimum), m_maximum(maximum), m_mean(mean), m_sd(sd), m_u2(NonZeroUnitRandom())
{
}

void CNormalVariable::Set(double mean, double sd, double minimum, double maximum)
{
    m_mean = mean;
    m_sd = sd;
    m_minimum = minimum;
    m_maximum = maximum;
}

double CNormalVariable::Sample()
{
    if (m_maximum < m_minimum)
        std::swap(m_minimum, m_maximum);
    m_u1 = m_u2;
    m_u2 = NonZeroUnitRandom();
    const double z = std::sqrt(-2.0 * std::log(m_u1)) * m_sd * std::cos(m_twoPi * m_u2) + m_mean;
    m_lastSample = z;
    return z;
}
