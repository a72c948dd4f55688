#pragma once

#include <array>
#include <cstdint>

#include "history/EventScan.h"
#include "history/SessionRecord.h"
#include "history/SleepPeriods.h"

// How the awake time of a period spreads over the hours of the week, in local time.
struct TUsageHours {
    static constexpr int kWeekdays = 7;  // Monday first
    static constexpr int kHours = 24;
    // Awake seconds that fell in each hour of each weekday.
    std::array<std::array<std::int64_t, kHours>, kWeekdays> Seconds{};
    // On how many calendar days each cell had any awake second.
    std::array<std::array<std::int32_t, kHours>, kWeekdays> Days{};

    std::int64_t Largest() const;
};

// The span the map covers and how the table's sessions end.
struct TUsageSpan {
    std::int64_t PeriodStart = 0;  // UTC seconds, the figures' period
    std::int64_t PeriodEnd = 0;
    std::int64_t RunningEnd = 0;  // where the running session ends (now, or the newest event)
};

// Awake time: a completed session from boot to shutdown and the running one up to its end,
// each less its sleep; a session that ended abnormally marks only the second of its boot, so
// that a crash never invents hours. Counted by elapsed UTC seconds: an hour that local time
// repeats counts twice, one it skips not at all.
TUsageHours ComputeUsageHours(const SessionTable& table, const TSleepPeriods& sleeps,
                              const TUsageSpan& span, const TUtcOffsetAt& offsetAt);
