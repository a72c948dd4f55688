#include "history/DurationText.h"

#include <limits>

namespace {

// Each unit appears only when the count is strictly above it, so 3600 reads "60 分".
std::string FormatDuration(std::int64_t n) {
    std::int64_t days = n > 86400 ? n / 86400 : 0;
    std::int64_t hours = n > 3600 ? (n - days * 86400) / 3600 : 0;
    std::int64_t minutes = n > 60 ? (n - days * 86400 - hours * 3600) / 60 : 0;
    std::int64_t seconds = n > 1 ? n - days * 86400 - hours * 3600 - minutes * 60 : 0;
    std::string text;
    if (days > 0) text += std::to_string(days) + " 天";
    if (hours > 0) text += std::to_string(hours) + " 时";
    if (minutes > 0) text += std::to_string(minutes) + " 分";
    if (seconds > 0) text += std::to_string(seconds) + " 秒";
    return text;
}

}  // namespace

std::string DurationText(std::int32_t seconds) {
    return FormatDuration(seconds);
}

std::string LongDurationText(std::int64_t seconds) {
    return FormatDuration(seconds);
}

std::string UptimeText(std::uint64_t millisecondsSinceBoot) {
    std::uint64_t seconds = millisecondsSinceBoot / 1000u;
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return FormatDuration(static_cast<std::int64_t>(seconds < kMax ? seconds : kMax));
}
