#include "history/ReportFigures.h"

#include <algorithm>
#include <cmath>

#include "history/SessionRows.h"

namespace {

constexpr std::string_view kStatusAbnormal = "非正常关机";

bool IsRunning(const SessionRecord& rec) {
    return HasTime(rec.BootTime) && !HasTime(rec.ShutdownTime) && !EndedAbnormally(rec);
}

}  // namespace

bool EndedAbnormally(const SessionRecord& rec) {
    return rec.StatusText == kStatusAbnormal;
}

bool OverlapsQuietHours(DateTimeValue from, DateTimeValue to, const TQuietHours& quiet) {
    if (!(from <= to) || quiet.FromMinute == quiet.ToMinute) return false;
    // Each quiet window starts on a calendar day; the one of the day before the span may reach
    // into it when the hours cross midnight.
    const double begin = quiet.FromMinute / 1440.0;
    double length = (quiet.ToMinute - quiet.FromMinute) / 1440.0;
    if (length < 0) length += 1;
    const double lastDay = std::floor(to);
    if (lastDay - std::floor(from) > 400000) return true;  // longer than any day pattern
    for (double day = std::floor(from) - 1; day <= lastDay; day += 1) {
        double start = day + begin, end = start + length;
        if (start < to && end > from) return true;
    }
    return false;
}

void SessionSpan(const SessionRecord& rec, std::int64_t runningEnd, std::int64_t& start,
                 std::int64_t& end) {
    bool boot = HasTime(rec.BootTime), shutdown = HasTime(rec.ShutdownTime);
    start = boot ? rec.BootUtc : rec.ShutdownUtc;
    if (boot && shutdown) {
        end = start + CompletedSessionSeconds(rec.BootUtc, rec.ShutdownUtc);
    } else if (IsRunning(rec)) {
        end = std::max(runningEnd, start);
    } else {
        end = start;
    }
}

std::int64_t NewestEventUtc(const SessionTable& table) {
    std::int64_t newest = 0;
    for (const SessionRecord& rec : table) {
        if (HasTime(rec.BootTime)) newest = std::max<std::int64_t>(newest, rec.BootUtc);
        if (HasTime(rec.ShutdownTime)) newest = std::max<std::int64_t>(newest, rec.ShutdownUtc);
    }
    return newest;
}

void KeepPeriod(SessionTable& table, const TPeriod& period, std::int64_t runningEnd) {
    std::erase_if(table, [&](const SessionRecord& rec) {
        std::int64_t start, end;
        SessionSpan(rec, runningEnd, start, end);
        return end < period.Since || start > period.Until;
    });
}

TSessionFigures ComputeFigures(const SessionTable& table, const TPeriod& period,
                               std::int64_t runningEnd) {
    TSessionFigures f;
    if (table.empty()) return f;
    std::int64_t oldest = runningEnd;
    for (const SessionRecord& rec : table) {
        std::int64_t start, end;
        SessionSpan(rec, runningEnd, start, end);
        oldest = std::min(oldest, start);
    }
    f.PeriodStart = period.Since == TPeriod{}.Since ? oldest : period.Since;
    f.PeriodEnd = period.Until == TPeriod{}.Until ? runningEnd : period.Until;
    f.PeriodEnd = std::max(f.PeriodEnd, f.PeriodStart);
    f.PeriodSeconds = f.PeriodEnd - f.PeriodStart;
    bool anyCompleted = false;
    for (const SessionRecord& rec : table) {
        std::int64_t start, end;
        SessionSpan(rec, runningEnd, start, end);
        f.UptimeSeconds +=
            std::max<std::int64_t>(0, std::min(end, f.PeriodEnd) - std::max(start, f.PeriodStart));
        if (EndedAbnormally(rec)) ++f.AbnormalShutdowns;
        if (rec.Quiet) ++f.QuietSessions;
        if (HasTime(rec.BootTime) && HasTime(rec.ShutdownTime)) {
            std::int64_t d = rec.DurationSeconds;
            f.LongestSeconds = anyCompleted ? std::max(f.LongestSeconds, d) : d;
            f.ShortestSeconds = anyCompleted ? std::min(f.ShortestSeconds, d) : d;
            anyCompleted = true;
        }
    }
    f.DowntimeSeconds = f.PeriodSeconds - f.UptimeSeconds;
    if (f.PeriodSeconds > 0) {
        f.UptimePercent = 100.0 * static_cast<double>(f.UptimeSeconds) / f.PeriodSeconds;
        f.DowntimePercent = 100.0 - f.UptimePercent;
    }
    return f;
}
