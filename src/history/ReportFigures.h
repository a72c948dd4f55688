#pragma once

#include <cstdint>
#include <limits>

#include "history/SessionRecord.h"

// Hours of the day at which use is worth pointing out, in local wall-clock minutes. From > To
// crosses midnight (the default, 23:00 to 06:00).
struct TQuietHours {
    int FromMinute = 23 * 60;
    int ToMinute = 6 * 60;
};

// A span of time in UTC seconds, both ends included; the defaults leave it open.
struct TPeriod {
    std::int64_t Since = std::numeric_limits<std::int64_t>::min();
    std::int64_t Until = std::numeric_limits<std::int64_t>::max();
};

// True when the local span [from, to] meets the quiet hours on any day it covers.
bool OverlapsQuietHours(DateTimeValue from, DateTimeValue to, const TQuietHours& quiet);

// A session of a finished table that ended without a shutdown, by its status.
bool EndedAbnormally(const SessionRecord& rec);

// The UTC span a session of a finished table covers: from its boot (or shutdown) to its
// shutdown; the running session runs to runningEnd, an abnormal one is known only at its boot.
void SessionSpan(const SessionRecord& rec, std::int64_t runningEnd, std::int64_t& start,
                 std::int64_t& end);

// The newest moment the table holds.
std::int64_t NewestEventUtc(const SessionTable& table);

// Drops the sessions that do not overlap the period; those it cuts are kept whole.
void KeepPeriod(SessionTable& table, const TPeriod& period, std::int64_t runningEnd);

struct TSessionFigures {
    std::int64_t PeriodStart = 0;  // UTC seconds
    std::int64_t PeriodEnd = 0;
    std::int64_t PeriodSeconds = 0;
    std::int64_t UptimeSeconds = 0;
    std::int64_t DowntimeSeconds = 0;
    double UptimePercent = 0;
    double DowntimePercent = 0;
    std::int64_t LongestSeconds = 0;  // of the completed sessions; 0 when there is none
    std::int64_t ShortestSeconds = 0;
    std::int64_t AbnormalShutdowns = 0;
    std::int64_t QuietSessions = 0;
    std::int64_t AsleepSeconds = 0;  // of the up time, the part the machine slept
};

// Over the period, or, where it is open, from the oldest session's start to runningEnd (now
// for a live log, else the newest event). Up is the time known to be running: completed
// sessions and the running one.
TSessionFigures ComputeFigures(const SessionTable& table, const TPeriod& period,
                               std::int64_t runningEnd);
