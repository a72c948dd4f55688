#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/DateTime.h"
#include "history/ReportFigures.h"
#include "history/SessionRecords.h"
#include "history/SessionRows.h"

namespace {

DateTimeValue Local(int y, int mo, int d, int h, int mi, int s) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
}

TEST(FinishTable, RemovesOnlyAnOldestRecordWithoutTimes) {
    SessionTable t{Rec(0, 0, "newest"), Rec(Local(2024, 1, 1, 8, 0, 0), 0), Rec(0, 0, "orphan")};
    FinishTable(t);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].UserName, "newest");  // only the last record is examined
    FinishTable(t);
    EXPECT_EQ(t.size(), 2u);

    SessionTable shutdownOnly{Rec(0, Local(2024, 1, 1, 8, 0, 0))};
    FinishTable(shutdownOnly);
    EXPECT_EQ(shutdownOnly.size(), 1u);

    SessionTable empty;
    FinishTable(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(BuildRows, StatusImageAndDurationOfEachKindOfSession) {
    const DateTimeValue b0 = Local(2024, 3, 5, 8, 0, 0), s0 = Local(2024, 3, 5, 9, 1, 1);
    const DateTimeValue b1 = Local(2024, 3, 4, 7, 0, 0);
    const DateTimeValue s2 = Local(2024, 3, 3, 18, 0, 0);
    const DateTimeValue b3 = Local(2024, 3, 2, 8, 0, 0), s3 = Local(2024, 3, 2, 10, 0, 0);
    SessionTable t{Rec(b0, s0, "ann"), Rec(b1, 0), Rec(0, s2), Rec(b3, s3)};
    t[1].DurationSeconds = 77;  // stale values from an earlier fill must not survive
    TSessionRows rows = BuildRows(t);
    ASSERT_EQ(rows.Rows.size(), 4u);

    EXPECT_EQ(rows.Rows[0].StateImage, 0);
    EXPECT_EQ(rows.Rows[0].BootText, "2024-03-05 08:00:00");
    EXPECT_EQ(rows.Rows[0].ShutdownText, "2024-03-05 09:01:01");
    EXPECT_EQ(rows.Rows[0].DurationTextValue, "1 时1 分1 秒");
    EXPECT_EQ(rows.Rows[0].StatusText, "正常关机");
    EXPECT_EQ(rows.Rows[0].UserText, "ann");
    EXPECT_EQ(t[0].DurationSeconds, 3661);

    EXPECT_EQ(rows.Rows[1].StateImage, 1);
    EXPECT_EQ(rows.Rows[1].StatusText, "非正常关机");
    EXPECT_EQ(rows.Rows[1].ShutdownText, "");
    EXPECT_EQ(rows.Rows[1].DurationTextValue, "");
    EXPECT_EQ(t[1].DurationSeconds, 0);

    EXPECT_EQ(rows.Rows[2].StateImage, 1);
    EXPECT_EQ(rows.Rows[2].StatusText, "无开机记录");
    EXPECT_EQ(rows.Rows[2].BootText, "");
    EXPECT_EQ(rows.Rows[2].ShutdownText, "2024-03-03 18:00:00");

    EXPECT_EQ(rows.Rows[3].StatusText, "正常关机");
    EXPECT_EQ(t[3].StatusText, "正常关机");
    EXPECT_EQ(rows.TotalSeconds, 3661 + 7200);
    EXPECT_TRUE(rows.AnyUser);
}

TEST(BuildRows, NewestSessionIsRunningWhateverItsTimes) {
    for (const SessionRecord& r :
         {Rec(Local(2024, 1, 1, 9, 0, 0), 0), Rec(0, Local(2024, 1, 1, 9, 0, 0)), Rec(0, 0)}) {
        SessionTable t{r};
        TSessionRows rows = BuildRows(t);
        EXPECT_EQ(rows.Rows[0].StatusText, "正常,运行中...");
        EXPECT_EQ(rows.Rows[0].StateImage, 0);
        EXPECT_EQ(rows.Rows[0].DurationTextValue, "");
        EXPECT_FALSE(rows.AnyUser);
    }
}

// Local times jump at daylight-saving changes; the duration is the UTC difference.
TEST(BuildRows, DurationsComeFromUtcNotFromLocalTimes) {
    // Europe/Berlin, 2024-03-31: 23:00 UTC (00:00 CET) to 03:30:15 UTC (05:30:15 CEST).
    SessionRecord r;
    r.BootTime = Local(2024, 3, 31, 0, 0, 0);
    r.ShutdownTime = Local(2024, 3, 31, 5, 30, 15);
    r.BootUtc = UtcOf(Local(2024, 3, 30, 23, 0, 0));
    r.ShutdownUtc = UtcOf(Local(2024, 3, 31, 3, 30, 15));
    SessionTable t{r};
    TSessionRows rows = BuildRows(t);
    EXPECT_EQ(t[0].DurationSeconds, 4 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(rows.Rows[0].DurationTextValue, "4 时30 分15 秒");
    EXPECT_EQ(rows.Rows[0].BootText, "2024-03-31");
    EXPECT_EQ(rows.Rows[0].ShutdownText, "2024-03-31 05:30:15");
    EXPECT_EQ(rows.TotalSeconds, 16215);
}

// A shutdown logged before its boot (the clock was set back) ends an orderly session of
// unknown length; a span past 32 bits is cut to the largest duration. The figures count the
// same lengths as the rows.
TEST(BuildRows, ReversedAndHugeSpansFollowOneRuleInRowsAndFigures) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    SessionTable t{Rec(Local(2024, 1, 1, 10, 0, 0), Local(2024, 1, 1, 9, 0, 0)),
                   Rec(Local(1970, 1, 1, 0, 0, 1), Local(2106, 1, 1, 0, 0, 0))};
    TSessionRows rows = BuildRows(t);
    EXPECT_EQ(t[0].DurationSeconds, 0);
    EXPECT_EQ(t[0].StatusText, "正常关机");
    EXPECT_EQ(rows.Rows[0].DurationTextValue, "");
    EXPECT_EQ(t[1].DurationSeconds, kMax);
    EXPECT_EQ(rows.TotalSeconds, kMax);

    for (std::size_t i = 0; i < t.size(); ++i) {
        SessionTable one{t[i]};
        TSessionFigures f = ComputeFigures(one, {}, one[0].ShutdownUtc);
        EXPECT_EQ(f.UptimeSeconds, one[0].DurationSeconds) << i;
        EXPECT_EQ(f.LongestSeconds, one[0].DurationSeconds) << i;
    }
    EXPECT_EQ(CompletedSessionSeconds(100, 99), 0);
    EXPECT_EQ(CompletedSessionSeconds(100, 100), 0);
    EXPECT_EQ(CompletedSessionSeconds(0, kMax), kMax);
    EXPECT_EQ(CompletedSessionSeconds(0, std::uint32_t{kMax} + 1), kMax);
    EXPECT_EQ(CompletedSessionSeconds(0, UINT32_MAX), kMax);
}

TEST(DateTimeText, MidnightShowsTheDateAlone) {
    EXPECT_EQ(DateTimeText(Local(2024, 2, 29, 0, 0, 0)), "2024-02-29");
    EXPECT_EQ(DateTimeText(Local(2024, 2, 29, 0, 0, 1)), "2024-02-29 00:00:01");
    EXPECT_EQ(DateTimeText(Local(2024, 2, 29, 23, 59, 59)), "2024-02-29 23:59:59");
    EXPECT_EQ(DateTimeText(std::nan("")), "");
}

}  // namespace
