#include "engine/HistogramBins.h"

#include <cmath>

int CHistogramBins::BinIndex(double x) const
{
    if (!(x >= m_dMinimum))
        return Below;
    if (x > m_dMaximum)
        return Above;
    const int last = static_cast<int>(m_dBinCount) - 1;
    if (x == m_dMaximum)
        return last + m_nBaseIndex;
    int bin = static_cast<int>(std::trunc((x - m_dMinimum) / ((m_dMaximum - m_dMinimum) / m_dBinCount)));
    // Rounding in the division can put a value just below the maximum at n, one
    // past the last bin.
    if (bin > last)
        bin = last;
    return bin + m_nBaseIndex;
}
