// Fixed-width bins over [minimum, maximum]. A value below the interval (or NaN)
// gives -1, a value above it -2; the maximum itself belongs to the last bin.
#pragma once

class CHistogramBins
{
public:
    enum
    {
        Below = -1,
        Above = -2,
    };

    void ResetBaseIndex() { m_nBaseIndex = 0; }
    void SetBinCount(int n) { m_dBinCount = n; }
    void SetRange(double minimum, double maximum)
    {
        m_dMinimum = minimum;
        m_dMaximum = maximum;
    }
    int BinIndex(double x) const;

private:
    int m_nBaseIndex = 0;      // added to every bin index
    double m_dBinCount = 0.0;
    double m_dMinimum = 0.0;
    double m_dMaximum = 0.0;
};
