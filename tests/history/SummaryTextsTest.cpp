#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "history/SessionRecords.h"
#include "history/SessionRows.h"
#include "history/SummaryTexts.h"

namespace {

DateTimeValue Day(int d, int h = 8) {
    return EncodeDate(2024, 5, d) + EncodeTime(h, 0, 0);
}

TSummaryTexts Summarise(SessionTable& t) {
    TSessionRows rows = BuildRows(t);
    return SummaryTexts(t, rows.TotalSeconds);
}

TEST(SummaryTexts, EmptyTable) {
    SessionTable t;
    TSummaryTexts s = Summarise(t);
    EXPECT_EQ(s.RecordCount, "记录数:0");
    EXPECT_EQ(s.DayCount, "天数:0");
    EXPECT_EQ(s.Total, "总计:0小时");
    EXPECT_EQ(s.Average, "平均:0(小时/次)");
}

TEST(SummaryTexts, OnlyTheRunningSession) {
    SessionTable t{Rec(Day(3), 0)};
    TSummaryTexts s = Summarise(t);
    EXPECT_EQ(s.RecordCount, "记录数:1");
    EXPECT_EQ(s.DayCount, "天数:1");
    EXPECT_EQ(s.Total, "总计:0小时");
    EXPECT_EQ(s.Average, "平均:0(小时/次)");
}

TEST(SummaryTexts, TotalsTruncateAndTheAverageCountsEveryRecord) {
    // 10 h 59 min, 5 h, an abnormal session of 0 and the running one: 15 h 59 min over 4.
    SessionTable t{Rec(Day(20), 0), Rec(Day(10), Day(10, 18) + EncodeTime(0, 59, 0)),
                   Rec(Day(9), 0), Rec(Day(5), Day(5, 13))};
    TSummaryTexts s = Summarise(t);
    EXPECT_EQ(s.RecordCount, "记录数:4");
    EXPECT_EQ(s.Total, "总计:15小时");
    EXPECT_EQ(s.Average, "平均:3(小时/次)");
    EXPECT_EQ(s.DayCount, "天数:16");  // May 5 08:00 to May 20 08:00: 15 elapsed days + 1
}

// One record: the average is its own whole hours (a divisor of n - 1 or n + 1 would show).
TEST(SummaryTexts, AverageOfASingleRecord) {
    struct TCase {
        int Hours, Minutes;
        const char* Average;
    } cases[] = {{5, 0, "平均:5(小时/次)"},
                 {5, 59, "平均:5(小时/次)"},
                 {0, 59, "平均:0(小时/次)"},
                 {23, 0, "平均:23(小时/次)"}};
    for (const TCase& c : cases) {
        SessionTable t{Rec(Day(3, 0), Day(3, c.Hours) + EncodeTime(0, c.Minutes, 0))};
        TSummaryTexts s = Summarise(t);
        EXPECT_EQ(s.Average, c.Average) << c.Hours << ":" << c.Minutes;
        EXPECT_EQ(s.Total, "总计:" + std::to_string(c.Hours) + "小时");
        EXPECT_EQ(s.RecordCount, "记录数:1");
    }
}

// Elapsed days are counted in UTC: a local-time difference that crosses a daylight-saving
// change is an hour off and can cross a whole-day boundary.
TEST(SummaryTexts, DayCountUsesUtcSeconds) {
    SessionRecord newest = Rec(Day(10, 8), 0), oldest = Rec(Day(3, 8), 0);
    newest.BootTime += 1.0 / 24;  // shown an hour later, as after the spring change
    SessionTable t{newest, oldest};
    EXPECT_EQ(DayCount(t), 8);
    newest.BootUtc -= 1;  // one second short of seven days in UTC
    SessionTable shorter{newest, oldest};
    EXPECT_EQ(DayCount(shorter), 7);
}

TEST(SummaryTexts, DayCountIsElapsedNotCalendarDays) {
    SessionTable t{Rec(Day(2, 7), 0), Rec(Day(1, 9), 0)};  // 22 h apart, two calendar days
    EXPECT_EQ(DayCount(t), 1);
    SessionTable shutdownOnly{Rec(Day(10), 0), Rec(0, Day(4))};
    EXPECT_EQ(DayCount(shutdownOnly), 7);
}

TEST(SummaryTexts, NewestSessionWithoutBootUsesTheNewestTimePresent) {
    SessionTable t{Rec(0, Day(12)), Rec(Day(11), Day(11, 9)), Rec(Day(2), 0)};
    EXPECT_EQ(DayCount(t), 11);  // May 2 08:00 to May 12 08:00
    SessionTable noTimes{Rec(0, 0), Rec(0, 0)};
    EXPECT_EQ(DayCount(noTimes), 1);
}

TEST(SummaryTexts, TotalsBeyondThirtyTwoBits) {
    SessionTable t;
    for (int i = 0; i < 30; ++i)  // 30 sessions of 2 years each: well past 2^31 seconds
        t.push_back(
            Rec(EncodeDate(1970 + 2 * i, 1, 1) + 0.5, EncodeDate(1972 + 2 * i, 1, 1) + 0.5));
    TSummaryTexts s = Summarise(t);
    std::int64_t hours = 0;
    for (const SessionRecord& r : t) hours += r.DurationSeconds;
    hours /= 3600;
    EXPECT_EQ(s.Total, "总计:" + std::to_string(hours) + "小时");
    EXPECT_GT(hours, 500000);
    EXPECT_EQ(s.Average, "平均:" + std::to_string(hours / 30) + "(小时/次)");
}

}  // namespace
