#include <gtest/gtest.h>

#include "base/DateTimeFormat.h"
#include "history/FakeEventLog.h"
#include "history/ReportFigures.h"
#include "history/SessionHistory.h"
#include "history/SessionRecords.h"
#include "history/SessionRows.h"

namespace {

DateTimeValue At(int day, int hour, int minute = 0) {
    return EncodeDate(2024, 5, day) + EncodeTime(hour, minute, 0);
}

TEST(ReportFigures, PercentagesLongestShortestAndAbnormal) {
    // Exactly two days from the oldest start to the newest event, twelve hours of it up.
    SessionTable t{Rec(At(3, 0), 0), Rec(At(2, 18), 0), Rec(At(2, 0), At(2, 8)),
                   Rec(At(1, 0), At(1, 4))};
    FinishRecords(t);
    TSessionFigures f = ComputeFigures(t, {}, NewestEventUtc(t));
    EXPECT_EQ(f.PeriodSeconds, 2 * 86400);
    EXPECT_EQ(f.UptimeSeconds, 12 * 3600);
    EXPECT_DOUBLE_EQ(f.UptimePercent, 25.0);
    EXPECT_EQ(f.DowntimeSeconds, 36 * 3600);
    EXPECT_DOUBLE_EQ(f.DowntimePercent, 75.0);
    EXPECT_EQ(f.LongestSeconds, 8 * 3600);
    EXPECT_EQ(f.ShortestSeconds, 4 * 3600);
    EXPECT_EQ(f.AbnormalShutdowns, 1);

    // A live log: the running session runs until now and counts as up.
    f = ComputeFigures(t, {}, UtcOf(At(3, 12)));
    EXPECT_EQ(f.PeriodSeconds, 2 * 86400 + 12 * 3600);
    EXPECT_EQ(f.UptimeSeconds, 24 * 3600);

    SessionTable empty;
    f = ComputeFigures(empty, {}, 0);
    EXPECT_EQ(f.PeriodSeconds, 0);
    EXPECT_EQ(f.UptimePercent, 0.0);
}

TEST(ReportFigures, APeriodKeepsTheSessionsItCutsWholeAndCountsOnlyItsPart) {
    SessionTable t{Rec(At(5, 8), At(5, 20)), Rec(At(3, 8), At(3, 20)), Rec(At(1, 8), At(1, 20))};
    FinishRecords(t);
    TPeriod period{UtcOf(At(3, 14)), UtcOf(At(5, 10))};
    KeepPeriod(t, period, NewestEventUtc(t));
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].DurationSeconds, 12 * 3600);  // kept whole
    TSessionFigures f = ComputeFigures(t, period, NewestEventUtc(t));
    EXPECT_EQ(f.PeriodSeconds, 2 * 86400 - 4 * 3600);
    EXPECT_EQ(f.UptimeSeconds, 6 * 3600 + 2 * 3600);
    // A period that touches no session leaves nothing.
    KeepPeriod(t, {UtcOf(At(10, 0)), UtcOf(At(11, 0))}, NewestEventUtc(t));
    EXPECT_TRUE(t.empty());
}

TEST(ReportFigures, QuietHoursOnAnyDayASessionSpans) {
    const TQuietHours night{23 * 60, 6 * 60}, lunch{12 * 60, 13 * 60};
    struct TCase {
        DateTimeValue From, To;
        TQuietHours Quiet;
        bool Overlaps;
    } cases[] = {
        {At(1, 8), At(1, 22, 59), night, false},  {At(1, 8), At(1, 23, 1), night, true},
        {At(1, 23, 30), At(2, 1), night, true},  // across midnight
        {At(2, 5, 59), At(2, 9), night, true},   // the tail of the night before
        {At(2, 6), At(2, 9), night, false},      // ends exactly when the night ends
        {At(2, 3), At(2, 3), night, true},       // a moment inside
        {At(1, 7), At(4, 7), lunch, true},       // several days
        {At(1, 13), At(2, 11, 59), lunch, false}, {At(1, 12, 30), At(1, 12, 31), lunch, true},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(OverlapsQuietHours(c.From, c.To, c.Quiet), c.Overlaps)
            << FormatDateTime("dd hh:nn", c.From) << " - " << FormatDateTime("dd hh:nn", c.To);
}

// Europe/Berlin, spring change on 2024-03-31 at 01:00 UTC: quiet hours are wall-clock hours.
TEST(ReportFigures, QuietHoursAcrossADaylightSavingChangeUseLocalTime) {
    auto berlin = [](std::int64_t t) { return t >= 1711846800 ? 7200 : 3600; };
    const std::uint32_t morning = 1711864200;  // 06:30 UTC: 08:30 local, two hours later
    struct TCase {
        std::uint32_t Boot, Shutdown;
        bool Quiet;
    } cases[] = {
        {morning, morning + 3600, false},           // 08:30-09:30 local
        {1711854000, 1711856700, true},             // 03:00-03:45 UTC: 05:00-05:45 local
        {1711857600, 1711859400, false},            // 04:00-04:30 UTC: 06:00-06:30 local
        {1711839600, 1711839600 + 4 * 3600, true},  // across midnight and the change
    };
    for (const TCase& c : cases) {
        TSessionHistory history(std::make_unique<TFakeEventLog>(std::vector<TFakeEventLog::TEvent>{
                                    Boot(c.Boot), Shutdown(c.Shutdown)}),
                                berlin);
        history.Refresh();
        ASSERT_EQ(history.Table().size(), 1u);
        EXPECT_EQ(history.Table()[0].Quiet, c.Quiet) << c.Boot;
        EXPECT_EQ(history.Figures().QuietSessions, c.Quiet ? 1 : 0);
    }
}

}  // namespace
