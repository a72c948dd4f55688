#include "history/SessionRows.h"

#include <algorithm>
#include <limits>

#include "base/DateTimeFormat.h"
#include "base/FormatSettings.h"
#include "history/DurationText.h"

namespace {

constexpr const char* kStatusRunning = "正常,运行中...";
constexpr const char* kStatusOrderly = "正常关机";
constexpr const char* kStatusAbnormal = "非正常关机";
constexpr const char* kStatusNoBoot = "无开机记录";

}  // namespace

// Counted in UTC seconds: a session across a daylight-saving change is an hour longer or
// shorter than the difference of its local times.
std::int32_t CompletedSessionSeconds(std::uint32_t bootUtc, std::uint32_t shutdownUtc) {
    if (shutdownUtc < bootUtc) return 0;
    constexpr std::uint32_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::min(shutdownUtc - bootUtc, kMax));
}

std::string DateTimeText(DateTimeValue t) {
    const TFormatSettings& fs = FormatSettings();
    TDateTimeParts p;
    if (!TryDecodeDateTime(t, p)) return {};
    std::string text = FormatDateTime(fs.ShortDateFormat, t);
    if (p.Hour != 0 || p.Minute != 0 || p.Second != 0 || p.Millisecond != 0)
        text += " " + FormatDateTime(fs.LongTimeFormat, t);
    return text;
}

void FinishTable(SessionTable& table) {
    if (!table.empty() && table.back().BootTime < 1.0 && table.back().ShutdownTime < 1.0)
        table.pop_back();
}

TSessionTotals FinishRecords(SessionTable& table) {
    TSessionTotals totals;
    for (std::size_t i = 0; i < table.size(); ++i) {
        SessionRecord& rec = table[i];
        rec.DurationSeconds = 0;
        bool hasBoot = HasTime(rec.BootTime);
        if (hasBoot && HasTime(rec.ShutdownTime)) {
            rec.StatusText = kStatusOrderly;
            rec.DurationSeconds = CompletedSessionSeconds(rec.BootUtc, rec.ShutdownUtc);
        } else if (i > 0) {
            rec.StatusText = hasBoot ? kStatusAbnormal : kStatusNoBoot;
        } else {
            // The newest session is the one still running, whatever its times are.
            rec.StatusText = kStatusRunning;
        }
        if (!rec.UserName.empty()) totals.AnyUser = true;
        totals.TotalSeconds += rec.DurationSeconds;
    }
    return totals;
}

int SessionStateImage(const SessionRecord& rec) {
    // From the status, which FinishRecords fixed by the record's place in the whole table.
    return rec.StatusText == kStatusAbnormal || rec.StatusText == kStatusNoBoot ? 1 : 0;
}

TSessionRow SessionRow(const SessionTable& table, std::size_t i) {
    const SessionRecord& rec = table[i];
    TSessionRow row;
    bool hasBoot = HasTime(rec.BootTime);
    bool hasShutdown = HasTime(rec.ShutdownTime);
    if (hasBoot) row.BootText = DateTimeText(rec.BootTime);
    if (hasShutdown) row.ShutdownText = DateTimeText(rec.ShutdownTime);
    row.StateImage = SessionStateImage(rec);
    if (rec.DurationSeconds > 0) row.DurationTextValue = DurationText(rec.DurationSeconds);
    row.UserText = rec.UserName;
    row.StatusText = rec.StatusText;
    return row;
}

TSessionRows BuildRows(SessionTable& table) {
    TSessionRows result;
    TSessionTotals totals = FinishRecords(table);
    result.AnyUser = totals.AnyUser;
    result.TotalSeconds = totals.TotalSeconds;
    result.Rows.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) result.Rows.push_back(SessionRow(table, i));
    return result;
}
