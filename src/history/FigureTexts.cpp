#include "history/FigureTexts.h"

#include <cstdio>

#include "base/DateTime.h"
#include "base/DateTimeFormat.h"
#include "history/DurationText.h"

namespace {

constexpr const char* kNone = "—";

std::string Percent(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", value);
    return text;
}

std::string Duration(std::int64_t seconds) {
    // DurationText leaves a single second out; the one-second mark of a crash is still time.
    return seconds <= 1 ? std::to_string(seconds < 0 ? 0 : seconds) + " 秒"
                        : LongDurationText(seconds);
}

std::string Clock(int minute) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minute / 60 % 100, minute % 60);
    return text;
}

}  // namespace

std::string QuietHoursText(const TQuietHours& quiet) {
    return Clock(quiet.FromMinute) + "-" + Clock(quiet.ToMinute);
}

TFigureTexts FigureTexts(const TSessionFigures& f, bool anySession, const TQuietHours& quiet,
                         const std::function<std::int32_t(std::int64_t)>& offsetAt) {
    auto local = [&](std::int64_t utc) {
        return FormatDateTime("yyyy-mm-dd hh:nn",
                              DateTimeFromUnixSeconds(utc + (offsetAt ? offsetAt(utc) : 0)));
    };
    const bool anyCompleted = f.LongestSeconds > 0 || f.ShortestSeconds > 0;
    const std::string quietText = " (" + QuietHoursText(quiet) + ")";
    if (!anySession)
        return {{{"时段", kNone},
                 {"开机时间占比", "0"},
                 {"关机时间占比", "0"},
                 {"睡眠时长", "0"},
                 {"最长一次", kNone},
                 {"最短一次", kNone},
                 {"非正常关机", "0"},
                 {"夜间使用", "0 次" + quietText}}};
    return {{{"时段", local(f.PeriodStart) + " – " + local(f.PeriodEnd)},
             {"开机时间占比", Percent(f.UptimePercent)},
             {"关机时间占比", Percent(f.DowntimePercent)},
             {"睡眠时长", f.AsleepSeconds > 0 ? Duration(f.AsleepSeconds) : "0"},
             {"最长一次", anyCompleted ? Duration(f.LongestSeconds) : kNone},
             {"最短一次", anyCompleted ? Duration(f.ShortestSeconds) : kNone},
             {"非正常关机", std::to_string(f.AbnormalShutdowns) + " 次"},
             {"夜间使用", std::to_string(f.QuietSessions) + " 次" + quietText}}};
}
