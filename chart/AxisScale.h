// Axis bounds and tick steps: round steps (1, 2 or 5 times a power of ten),
// tick values and their labels.
#pragma once

#include <string>
#include <vector>

namespace xrt {

// The smallest round step that divides `span` into at most `maxIntervals`
// intervals (at least one). Zero for a span that is not positive and finite.
double TickStep(double span, int maxIntervals);

// The multiples of `step` within [low, high], low to high; at most `limit`.
std::vector<double> TickValues(double low, double high, double step, int limit = 1000);

// The label of tick `value` on an axis with that step and largest magnitude:
// as many decimals as the step needs, exponent form for very large or small
// numbers, never "-0".
std::string TickLabel(double value, double step, double largestMagnitude);

struct AxisRange {
    double low = 0.0;
    double high = 1.0;
};

// The bounds an axis shows. A fixed bound is kept as given; an automatic one
// follows the data [dataLow, dataHigh] (or [0, 1] with no data), widened
// outwards to the next multiple of `roughStep`'s round step. Bounds that are
// not finite count as automatic, reversed ones are swapped, and an empty range
// is widened around its value so that the axis always has a positive span.
AxisRange ResolveRange(bool hasData, double dataLow, double dataHigh, bool lowFixed,
                       double fixedLow, bool highFixed, double fixedHigh, int maxIntervals);

}  // namespace xrt
