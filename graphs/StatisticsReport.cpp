#include "graphs/StatisticsReport.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

void AppendF(std::string& out, const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
void AppendF(std::string& out, const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0)
        out.append(line, static_cast<size_t>(n) < sizeof line ? static_cast<size_t>(n) : sizeof line - 1);
}

const char kRule[] = "***********************************************\r\n";    // 47 asterisks

const char* FitName(int type)
{
    switch (type) {
    case DistributionFit::None: return "Unable to determine a fitted Distribution!!!\r\n";
    case DistributionFit::Normal: return "Normal Distribution\r\n";
    case DistributionFit::Uniform: return "Uniform Distribution\r\n";
    case DistributionFit::Triangular: return "Triangular Distribution\r\n";
    case DistributionFit::Beta: return "Beta Distribution\r\n";
    case DistributionFit::Exponential: return "Exponential Distribution\r\n";
    // The fit may choose the lognormal too; its parameters are not to be
    // left without a name.
    case DistributionFit::Lognormal: return "Lognormal Distribution\r\n";
    default: return "";
    }
}

void AppendFit(std::string& out, const DistributionFit& fit)
{
    out += FitName(fit.m_nType);
    if (fit.m_nType == DistributionFit::None)
        return;
    const double a = fit.m_dMin, b = fit.m_dMax, m = fit.m_dMean;
    AppendF(out, "Minimum value:\t\t%g\r\n", a);
    AppendF(out, "Maximum value:\t\t%g\r\n", b);
    AppendF(out, "Mean value:\t\t%g\r\n", m);
    switch (fit.m_nType) {
    case DistributionFit::Normal:
    case DistributionFit::Lognormal:
        AppendF(out, "Standard Deviation:\t\t%g\r\n", fit.m_dStdDev);
        break;
    case DistributionFit::Triangular: {
        const double c = 3 * m - a - b;
        const double variance = (a * a + b * b + c * c - a * b - a * c - b * c) / 18;
        AppendF(out, "Mode value:\t\t%g\r\n", c);
        AppendF(out, "Variance value:\t\t%g\r\n", variance);
        AppendF(out, "Standard deviation:\t\t%g\r\n", std::sqrt(variance));
        break;
    }
    case DistributionFit::Uniform: {
        const double variance = (b - a) * (b - a) / 12;
        AppendF(out, "Variance value:\t\t%g\r\n", variance);
        AppendF(out, "Standard deviation:\t\t%g\r\n", std::sqrt(variance));
        break;
    }
    case DistributionFit::Beta: {
        double pa = 0.0, pb = 0.0;
        CSampleStatistics::BetaParametersFromMoments(m, fit.m_dStdDev, a, b, pa, pb);
        AppendF(out, "Standard Deviation:\t\t%g\r\n", fit.m_dStdDev);
        AppendF(out, "Beta Parameter a:\t\t%g\r\n", pa);
        AppendF(out, "Beta Parameter b:\t\t%g\r\n", pb);
        break;
    }
    default: break;
    }
}

} // namespace

CString BuildStatisticsReport(const CString& header, const CSampleStatistics& values, double capacity)
{
    const int n = values.GetCount();
    if (n == 0)
        return CString();
    std::string out = static_cast<LPCSTR>(header);
    out += "\r\n\r\nStatistics of Raw Data\r\n";
    out += kRule;
    AppendF(out, "Number of data points:\t%d\r\n", n);
    AppendF(out, "Minimum:\t\t\t%g\r\n", values.GetMinimum());
    AppendF(out, "Maximum:\t\t\t%g\r\n", values.GetMaximum());
    AppendF(out, "Mean:\t\t\t%g\r\n", values.GetMean());
    AppendF(out, "Standard deviation:\t\t%g\r\n", values.GetStdDev());
    out += "\r\n";
    AppendF(out, "Range:\t\t\t%g\r\n", values.GetRange());
    AppendF(out, "Median:\t\t\t%g\r\n", values.GetMedian());
    AppendF(out, "Variance:\t\t\t%g\r\n", values.GetVariance());

    DistributionFit fit;
    values.FitDistribution(fit);
    out += "\r\nBest Fitted Distribution\r\n(using Kolmogorov-Smirnov Test)\r\n";
    out += kRule;
    AppendFit(out, fit);

    if (n >= 2) {
        out += "\r\nTable of data:\r\nRank\tPercentile\t\tData\r\n";
        out += kRule;
        bool capacityShown = capacity == DBL_MAX;
        for (int i = 0; i < n; ++i) {
            const double v = values.GetSortedValue(i);
            if (!capacityShown && v > capacity) {
                AppendF(out, "Barrier Capacity ( %g ) Exceeded\r\n", capacity);
                capacityShown = true;
            }
            AppendF(out, "%d\t%.2f%%\t\t%g\r\n", i + 1, 100.0 * i / (n - 1), v);
        }
    }
    return CString(out.c_str());
}
