#include "history/SleepPeriods.h"

#include <algorithm>

void TSleepPairing::FlushWake() {
    if (wakePending_ && wakeSleptUtc_ > 0) periods_.push_back({wakeSleptUtc_, wakeUtc_});
    wakePending_ = false;
}

void TSleepPairing::Add(const TLogEvent& event) {
    switch (event.Kind) {
        case ekWake:
            FlushWake();
            wakePending_ = true;
            wakeUtc_ = event.Utc;
            // A sleep time after the wake is no sleep time at all.
            wakeSleptUtc_ = event.SleptUtc > 0 && event.SleptUtc <= event.Utc ? event.SleptUtc : 0;
            return;
        case ekSleep:
            if (wakePending_) {
                // The wake's own record of when it slept is the better one.
                std::int64_t from = wakeSleptUtc_ > 0 ? wakeSleptUtc_ : event.Utc;
                if (from <= wakeUtc_) periods_.push_back({from, wakeUtc_});
                wakePending_ = false;
            } else {
                periods_.push_back({event.Utc, std::max(event.Utc, newerUtc_)});
            }
            newerUtc_ = event.Utc;
            return;
        case ekBoot:
        case ekShutdown:
            FlushWake();
            newerUtc_ = event.Utc;
            return;
        default:
            return;
    }
}

TSleepPeriods TSleepPairing::Finish() {
    FlushWake();
    TSleepPeriods periods = std::move(periods_);
    std::sort(periods.begin(), periods.end(),
              [](const TSleepPeriod& a, const TSleepPeriod& b) { return a.From < b.From; });
    // Overlaps come from a sleep logged twice; merged, no second counts twice.
    TSleepPeriods merged;
    for (const TSleepPeriod& p : periods) {
        if (!merged.empty() && p.From <= merged.back().To)
            merged.back().To = std::max(merged.back().To, p.To);
        else
            merged.push_back(p);
    }
    *this = TSleepPairing{};
    return merged;
}

std::int64_t SleepWithin(const TSleepPeriods& periods, std::int64_t start, std::int64_t end) {
    if (end <= start) return 0;
    auto it = std::lower_bound(periods.begin(), periods.end(), start,
                               [](const TSleepPeriod& p, std::int64_t t) { return p.To <= t; });
    std::int64_t total = 0;
    for (; it != periods.end() && it->From < end; ++it)
        total += std::min(it->To, end) - std::max(it->From, start);
    return total;
}

void StoreAsleepSeconds(SessionTable& table, const TSleepPeriods& periods,
                        std::int64_t runningEnd) {
    for (SessionRecord& rec : table) {
        std::int64_t start, end;
        SessionSpan(rec, runningEnd, start, end);
        rec.AsleepSeconds = SleepWithin(periods, start, end);
    }
}

std::int64_t AsleepInPeriod(const SessionTable& table, const TSleepPeriods& periods,
                            const TSessionFigures& figures, std::int64_t runningEnd) {
    std::int64_t total = 0;
    for (const SessionRecord& rec : table) {
        std::int64_t start, end;
        SessionSpan(rec, runningEnd, start, end);
        total += SleepWithin(periods, std::max(start, figures.PeriodStart),
                             std::min(end, figures.PeriodEnd));
    }
    return total;
}
