#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "eventlog/EventLogSource.h"
#include "history/ReportFigures.h"
#include "history/SessionRecord.h"

// A time the machine slept, in UTC seconds. A sleep the log shows no end of runs to
// kSleepOpenEnd and is cut at the end of its session.
struct TSleepPeriod {
    std::int64_t From = 0;
    std::int64_t To = 0;
};
constexpr std::int64_t kSleepOpenEnd = std::numeric_limits<std::int64_t>::max();

// Oldest first, none overlapping another.
using TSleepPeriods = std::vector<TSleepPeriod>;

// Pairs the sleep and wake events of a log read newest first. A wake that names its own sleep
// time is a period by itself; a wake with no sleep before it adds nothing; a sleep with no wake
// after it lasts until the next event that shows what became of the machine (a boot, a
// shutdown, another sleep), or to the end of its session when there is none.
class TSleepPairing {
  public:
    // Any event of the log, in the order read; those other than sleep, wake, boot and
    // shutdown are of no interest here.
    void Add(const TLogEvent& event);
    // The periods found, sorted and merged.
    TSleepPeriods Finish();

  private:
    void FlushWake();

    TSleepPeriods periods_;
    bool wakePending_ = false;
    std::int64_t wakeUtc_ = 0;
    std::int64_t wakeSleptUtc_ = 0;
    std::int64_t newerUtc_ = kSleepOpenEnd;  // the newest event after the one being read
};

// The seconds of the periods that fall inside [start, end].
std::int64_t SleepWithin(const TSleepPeriods& periods, std::int64_t start, std::int64_t end);

// Stores each session's AsleepSeconds: its sleep cut to its span (SessionSpan).
void StoreAsleepSeconds(SessionTable& table, const TSleepPeriods& periods, std::int64_t runningEnd);

// The sleep of the sessions of the table that falls inside the figures' period.
std::int64_t AsleepInPeriod(const SessionTable& table, const TSleepPeriods& periods,
                            const TSessionFigures& figures, std::int64_t runningEnd);
