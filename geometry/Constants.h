// Numeric constants shared by every source file. Each is the double-precision
// quotient as written (1.0 / 0.9, 180.0 / pi, ...), not a rounded decimal.
#pragma once

namespace clastor_detail {
inline constexpr double kPi = 3.14159265358979323846;
}

inline constexpr double ZOOM_STEP = 1.0 / 0.9;      // zoom in or out by one step
inline constexpr double INV_0_96 = 1.0 / 0.96;
inline constexpr double TWO_PI = 2.0 * clastor_detail::kPi;
inline constexpr double HALF_PI = clastor_detail::kPi / 2.0;
inline constexpr double QUARTER_PI = clastor_detail::kPi / 4.0;
inline constexpr double RAD_TO_DEG = 180.0 / clastor_detail::kPi;
inline constexpr double DEG_TO_RAD = clastor_detail::kPi / 180.0;
inline constexpr double MM_TO_INCH = 1.0 / 25.4;   // millimetres to inches
inline constexpr double GEOM_EPS = 1e-9;            // general geometric tolerance
inline constexpr double PI = clastor_detail::kPi;

// The density of the rock every computation assumes, in the document's units:
// kg/m^3, or lb/ft^3 for the imperial ones.
inline constexpr double RockDensity(bool metric) {
    constexpr double kKilogramsPerCubicMetre = 2100.0;
    constexpr double kLbPerFt3PerKgPerM3 = 0.0624254795837469;
    return metric ? kKilogramsPerCubicMetre : kKilogramsPerCubicMetre * kLbPerFt3PerKgPerM3;
}

// The largest coordinate, either way, that a point typed for the model may
// have: wide enough for survey coordinates (northings run to ten million),
// far inside what the view maps exactly. View Limits takes the same range.
inline constexpr double COORDINATE_LIMIT = 1e9;
