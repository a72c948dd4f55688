#include "history/SummaryTexts.h"

#include <algorithm>
#include <cmath>

#include "base/Rounding.h"

namespace {

// When the newest session lost its boot record, the newest time the table holds stands in
// for it; counting from 1899-12-30 instead would show tens of thousands of days.
DateTimeValue NewestTime(const SessionTable& table) {
    if (HasTime(table.front().BootTime)) return table.front().BootTime;
    DateTimeValue newest = 0;
    for (const SessionRecord& rec : table) {
        if (HasTime(rec.BootTime)) newest = std::max(newest, rec.BootTime);
        if (HasTime(rec.ShutdownTime)) newest = std::max(newest, rec.ShutdownTime);
    }
    return newest;
}

}  // namespace

std::int64_t DayCount(const SessionTable& table) {
    if (table.empty()) return 0;
    const SessionRecord& last = table.back();
    DateTimeValue oldest = HasTime(last.BootTime) ? last.BootTime : last.ShutdownTime;
    return Trunc(std::fabs(NewestTime(table) - oldest)) + 1;
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
