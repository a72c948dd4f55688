#pragma once

#include <cstdint>

// The offset of local time from UTC, in seconds, in force at that moment (daylight saving
// included), from the C library's time zone data.
std::int32_t LocalUtcOffsetSeconds(std::int64_t unixSeconds);

std::int64_t UnixTimeNow();
