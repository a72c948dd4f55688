#pragma once

#include <cstdint>

// The system clock, implemented once per platform.

// Time since the machine started, including time spent suspended; 64 bits so it never wraps.
std::uint64_t MillisecondsSinceBoot();

// The offset of local time from UTC, in seconds, in force at that moment (daylight saving
// included), from the system's time zone rules.
std::int32_t LocalUtcOffsetSeconds(std::int64_t unixSeconds);

std::int64_t UnixTimeNow();
