#include "history/UsageHours.h"

#include <algorithm>

#include "history/ReportFigures.h"

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kHour = 3600;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Adds awake time to the cells, in order of time, so that each cell counts its days by
// comparing with the last day it saw.
class TUsageAdder {
  public:
    TUsageAdder(TUsageHours& map, const TUtcOffsetAt& offsetAt) : map_(map), offsetAt_(offsetAt) {
        for (auto& row : lastDay_) row.fill(INT64_MIN);
    }

    void AddUtc(std::int64_t from, std::int64_t to) {
        while (from < to) {
            if (from < knownFrom_ || from >= knownTo_) {
                knownFrom_ = from;
                knownTo_ = from + 1;
                knownOffset_ = OffsetAt(from);
            }
            // The stretch of one offset grows a probe step at a time; the zone's offset is
            // asked a few times a week rather than at every session.
            while (knownTo_ < to) {
                const std::int64_t probe = knownTo_ - 1 + kProbeStep;
                if (OffsetAt(probe) == knownOffset_) {
                    knownTo_ = probe + 1;
                    continue;
                }
                knownTo_ = FirstChange(knownTo_ - 1, probe, knownOffset_);
                break;
            }
            const std::int64_t end = std::min(to, knownTo_);
            AddLocal(from + knownOffset_, end + knownOffset_);
            from = end;
        }
    }

  private:
    // No zone changes its offset twice within this many seconds, so two equal probes this far
    // apart mean no change between them.
    static constexpr std::int64_t kProbeStep = 3 * kDay;

    std::int32_t OffsetAt(std::int64_t utc) const { return offsetAt_ ? offsetAt_(utc) : 0; }

    // The first moment in (from, last] with an offset other than offset; last has one.
    std::int64_t FirstChange(std::int64_t from, std::int64_t last, std::int32_t offset) const {
        while (last - from > 1) {
            std::int64_t mid = from + (last - from) / 2;
            (OffsetAt(mid) == offset ? from : last) = mid;
        }
        return last;
    }

    void AddLocal(std::int64_t from, std::int64_t to) {
        while (from < to) {
            const std::int64_t day = FloorDiv(from, kDay);
            const int hour = static_cast<int>((from - day * kDay) / kHour);
            // 1970-01-01 was a Thursday, weekday 3 counted from Monday.
            const int weekday = static_cast<int>(((day + 3) % 7 + 7) % 7);
            const std::int64_t cellEnd = std::min(to, day * kDay + (hour + 1) * kHour);
            map_.Seconds[weekday][hour] += cellEnd - from;
            if (lastDay_[weekday][hour] != day) {
                lastDay_[weekday][hour] = day;
                ++map_.Days[weekday][hour];
            }
            from = cellEnd;
        }
    }

    TUsageHours& map_;
    const TUtcOffsetAt& offsetAt_;
    std::array<std::array<std::int64_t, TUsageHours::kHours>, TUsageHours::kWeekdays> lastDay_;
    // A stretch [knownFrom_, knownTo_) of UTC seconds known to share knownOffset_.
    std::int64_t knownFrom_ = 0;
    std::int64_t knownTo_ = 0;
    std::int32_t knownOffset_ = 0;
};

}  // namespace

std::int64_t TUsageHours::Largest() const {
    std::int64_t largest = 0;
    for (const auto& row : Seconds)
        for (std::int64_t s : row) largest = std::max(largest, s);
    return largest;
}

TUsageHours ComputeUsageHours(const SessionTable& table, const TSleepPeriods& sleeps,
                              const TUsageSpan& span, const TUtcOffsetAt& offsetAt) {
    TUsageHours map;
    TUsageAdder adder(map, offsetAt);
    auto addClipped = [&](std::int64_t from, std::int64_t to) {
        adder.AddUtc(std::max(from, span.PeriodStart), std::min(to, span.PeriodEnd));
    };
    // Oldest first: the table holds the newest session at index 0.
    for (auto rec = table.rbegin(); rec != table.rend(); ++rec) {
        if (!HasTime(rec->BootTime)) continue;
        std::int64_t start, end;
        if (EndedAbnormally(*rec)) {
            // Awake up to its last sign of life where the log knows it; otherwise only the
            // boot's own second, so a crash never invents hours.
            if (rec->LastSeenUtc <= rec->BootUtc) {
                addClipped(rec->BootUtc, std::int64_t{rec->BootUtc} + 1);
                continue;
            }
            start = rec->BootUtc;
            end = rec->LastSeenUtc;
        } else {
            SessionSpan(*rec, span.RunningEnd, start, end);
        }
        // The awake pieces between the sleeps that meet the session.
        auto sleep =
            std::lower_bound(sleeps.begin(), sleeps.end(), start,
                             [](const TSleepPeriod& p, std::int64_t t) { return p.To <= t; });
        std::int64_t awakeFrom = start;
        for (; sleep != sleeps.end() && sleep->From < end; ++sleep) {
            addClipped(awakeFrom, sleep->From);
            awakeFrom = std::max(awakeFrom, sleep->To);
        }
        addClipped(awakeFrom, end);
    }
    return map;
}
