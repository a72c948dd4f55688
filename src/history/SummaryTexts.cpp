#include "history/SummaryTexts.h"

#include <algorithm>
#include <cstdlib>

namespace {

// When the newest session lost its boot record, the newest time the table holds stands in
// for it; counting from 1899-12-30 instead would show tens of thousands of days.
std::int64_t NewestUtc(const SessionTable& table) {
    if (HasTime(table.front().BootTime)) return table.front().BootUtc;
    std::int64_t newest = 0;
    for (const SessionRecord& rec : table) {
        if (HasTime(rec.BootTime)) newest = std::max<std::int64_t>(newest, rec.BootUtc);
        if (HasTime(rec.ShutdownTime)) newest = std::max<std::int64_t>(newest, rec.ShutdownUtc);
    }
    return newest;
}

}  // namespace

// Elapsed days in UTC seconds, so that a daylight-saving change does not add or take an hour.
std::int64_t DayCount(const SessionTable& table) {
    if (table.empty()) return 0;
    const SessionRecord& last = table.back();
    std::int64_t oldest = HasTime(last.BootTime) ? last.BootUtc : last.ShutdownUtc;
    return std::llabs(NewestUtc(table) - oldest) / 86400 + 1;
}
TSummaryTexts SummaryTexts(const SessionTable& table, std::int64_t totalSeconds) {
    const auto n = static_cast<std::int64_t>(table.size());
    TSummaryTexts texts;
    texts.RecordCount = "记录数:" + std::to_string(n);
    texts.DayCount = "天数:" + std::to_string(DayCount(table));
    texts.Total = "总计:" + std::to_string(totalSeconds / 3600) + "小时";
    std::int64_t average = n >= 1 ? totalSeconds / (n * 3600) : 0;
    texts.Average = "平均:" + std::to_string(average) + "(小时/次)";
    return texts;
}
