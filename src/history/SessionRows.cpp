#include "history/SessionRows.h"

#include <cstdlib>
#include <limits>

#include "base/DateTimeFormat.h"
#include "base/FormatSettings.h"
#include "history/DurationText.h"

namespace {

constexpr const char* kStatusRunning = "正常,运行中...";
constexpr const char* kStatusOrderly = "正常关机";
constexpr const char* kStatusAbnormal = "非正常关机";
constexpr const char* kStatusNoBoot = "无开机记录";

// Both times are whole seconds, so their difference is counted in integers: a double
// difference can fall a hair below the true count and lose a second when truncated.
std::int32_t SecondsBetween(DateTimeValue from, DateTimeValue to) {
    std::int64_t diff = std::llabs(WholeSeconds(to) - WholeSeconds(from));
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(diff < kMax ? diff : kMax);
}

}  // namespace

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

TSessionRows BuildRows(SessionTable& table) {
    TSessionRows result;
    result.Rows.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        SessionRecord& rec = table[i];
        TSessionRow row;
        rec.DurationSeconds = 0;
        bool hasBoot = HasTime(rec.BootTime);
        bool hasShutdown = HasTime(rec.ShutdownTime);
        if (hasBoot) row.BootText = DateTimeText(rec.BootTime);
        if (hasShutdown) row.ShutdownText = DateTimeText(rec.ShutdownTime);
        if (hasBoot && hasShutdown) {
            rec.StatusText = kStatusOrderly;
            rec.DurationSeconds = SecondsBetween(rec.BootTime, rec.ShutdownTime);
        } else if (i > 0) {
            row.StateImage = 1;
            rec.StatusText = hasBoot ? kStatusAbnormal : kStatusNoBoot;
        } else {
            // The newest session is the one still running, whatever its times are.
            rec.StatusText = kStatusRunning;
        }
        if (rec.DurationSeconds > 0) row.DurationTextValue = DurationText(rec.DurationSeconds);
        row.UserText = rec.UserName;
        row.StatusText = rec.StatusText;
        if (!rec.UserName.empty()) result.AnyUser = true;
        result.TotalSeconds += rec.DurationSeconds;
        result.Rows.push_back(std::move(row));
    }
    return result;
}
