#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vigil_detail {

// Converting NaN or an out-of-range double to an integer is undefined, so both
// helpers saturate instead; absurd inputs then give absurd but harmless results.
inline std::int64_t SaturateToInt64(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole >= 9223372036854775807.0) return std::numeric_limits<std::int64_t>::max();
    if (whole <= -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(whole);
}

}  // namespace vigil_detail

// Nearest integer, halves to the even neighbour (banker's rounding), whatever the FPU mode.
inline std::int64_t Round(double value) {
    double lower = std::floor(value);
    double diff = value - lower;
    double result = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0.0)) result = lower + 1.0;
    return vigil_detail::SaturateToInt64(result);
}

// Toward zero.
inline std::int64_t Trunc(double value) {
    return vigil_detail::SaturateToInt64(std::trunc(value));
}
