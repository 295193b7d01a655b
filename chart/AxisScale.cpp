#include "chart/AxisScale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace xrt {

double TickStep(double span, int maxIntervals) {
    if (!(span > 0.0) || !std::isfinite(span)) return 0.0;
    const double raw = span / std::max(1, maxIntervals);
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    // A tolerance keeps a span of exactly ten steps from losing a round step to rounding.
    const double wanted = raw * (1.0 - 1e-9);
    for (;;) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double step = m * magnitude;
            if (step >= wanted && std::isfinite(step)) return step;
        }
        magnitude *= 10.0;
        if (!std::isfinite(magnitude)) return span;
    }
}

std::vector<double> TickValues(double low, double high, double step, int limit) {
    std::vector<double> ticks;
    if (!(step > 0.0) || !std::isfinite(low) || !std::isfinite(high) || high < low) return ticks;
    const double tolerance = step * 1e-9;
    const double first = std::ceil((low - tolerance) / step);
    const double last = std::floor((high + tolerance) / step);
    for (double k = first; k <= last && static_cast<int>(ticks.size()) < limit; k += 1.0) {
        double v = k * step;
        if (std::fabs(v) < tolerance) v = 0.0;
        ticks.push_back(v);
        if (k + 1.0 == k) break;  // beyond the precision of the index
    }
    return ticks;
}

std::string TickLabel(double value, double step, double largestMagnitude) {
    char text[64];
    if (std::fabs(value) < step * 1e-9) value = 0.0;
    const int stepExponent = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    if (largestMagnitude < 1e7 && step >= 1e-6) {
        const int decimals = std::max(0, -stepExponent);
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
    } else {
        const int topExponent =
            largestMagnitude > 0.0 ? static_cast<int>(std::floor(std::log10(largestMagnitude))) : 0;
        const int digits = std::clamp(topExponent - stepExponent + 1, 1, 15);
        std::snprintf(text, sizeof text, "%.*g", digits, value);
    }
    return text;
}

AxisRange ResolveRange(bool hasData, double dataLow, double dataHigh, bool lowFixed,
                       double fixedLow, bool highFixed, double fixedHigh, int maxIntervals) {
    // The view marks a bound it does not know with the largest double.
    auto usable = [](double v) { return std::isfinite(v) && std::fabs(v) < DBL_MAX / 4; };
    lowFixed = lowFixed && usable(fixedLow);
    highFixed = highFixed && usable(fixedHigh);
    if (!hasData || !usable(dataLow) || !usable(dataHigh)) {
        dataLow = 0.0;
        dataHigh = 1.0;
    }
    double low = lowFixed ? fixedLow : std::min(dataLow, highFixed ? fixedHigh : dataLow);
    double high = highFixed ? fixedHigh : std::max(dataHigh, low);
    if (low > high) std::swap(low, high);
    if (!(high > low)) {
        const double centre = low;
        const double half = centre != 0.0 ? std::fabs(centre) * 0.5 : 0.5;
        low = centre - half;
        high = centre + half;
        if (lowFixed && !highFixed) low = centre, high = centre + 2 * half;
        if (highFixed && !lowFixed) low = centre - 2 * half, high = centre;
    }
    if (!std::isfinite(high - low)) return AxisRange{};
    const double step = TickStep(high - low, maxIntervals);
    if (step > 0.0) {
        if (!lowFixed) low = std::floor(low / step + 1e-9) * step;
        if (!highFixed) high = std::ceil(high / step - 1e-9) * step;
    }
    return AxisRange{low, high};
}

}  // namespace xrt
