#pragma once

#include <cstdint>
#include <functional>

#include "eventlog/EventLogSource.h"
#include "history/SessionRecord.h"
#include "history/SleepPeriods.h"

// The offset of local time from UTC, in seconds, in force at a moment given in Unix seconds.
using TUtcOffsetAt = std::function<std::int32_t(std::int64_t unixSeconds)>;

// Whole minutes of the offset in force now (seconds dropped, sign kept).
UtcOffsetMinutes ComputeUtcOffsetMinutes(const TUtcOffsetAt& offsetAt, std::int64_t nowUnixSeconds);

// The local time of an event in whole seconds, using the offset of the event's own moment.
DateTimeValue EventLocalTime(std::uint32_t timeGenerated, const TUtcOffsetAt& offsetAt);

// Empties the table and rebuilds it from the source, newest session first, and, when asked,
// the periods the machine slept. Failures of the source end the scan quietly with what was
// read.
void ScanEventLog(SessionTable& table, TEventLogSource& source, const TUtcOffsetAt& offsetAt,
                  TSleepPeriods* sleeps = nullptr);
