#pragma once

#include <cstdint>
#include <string>

// A count of seconds as days, hours, minutes and seconds ("1 天2 时3 分4 秒"), each unit only
// when the count is above it and its part is not zero; zero, one and negative counts are empty.
std::string DurationText(std::int32_t seconds);
// The same for counts past 32 bits: the time of a long period.
std::string LongDurationText(std::int64_t seconds);

// The running time of this session for the status line, from the boot clock.
std::string UptimeText(std::uint64_t millisecondsSinceBoot);
