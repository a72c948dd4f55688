#include <gtest/gtest.h>

#include "base/Clock.h"
#include "common/WtmpTestFile.h"
#include "eventlog/WtmpSource.h"
#include "history/SessionHistory.h"

namespace {

TEST(WtmpTimeZone, OffsetOfEachMomentFollowsDaylightSaving) {
    TScopedTimeZone berlin("Europe/Berlin");
    EXPECT_EQ(LocalUtcOffsetSeconds(UtcSeconds(2024, 1, 15, 12, 0, 0)), 3600);
    EXPECT_EQ(LocalUtcOffsetSeconds(UtcSeconds(2024, 7, 15, 12, 0, 0)), 7200);
    // The change on 2024-03-31 happens at 01:00 UTC.
    EXPECT_EQ(LocalUtcOffsetSeconds(UtcSeconds(2024, 3, 31, 0, 59, 59)), 3600);
    EXPECT_EQ(LocalUtcOffsetSeconds(UtcSeconds(2024, 3, 31, 1, 0, 0)), 7200);
    TScopedTimeZone kolkata("Asia/Kolkata");
    EXPECT_EQ(LocalUtcOffsetSeconds(UtcSeconds(2024, 1, 1, 0, 0, 0)), 19800);
}

TEST(WtmpTimeZone, WinterBootReadInSummerShowsItsOwnLocalTime) {
    TScopedTimeZone berlin("Europe/Berlin");
    TTempDir dir;
    std::string path =
        dir.WriteWtmp("wtmp", {BootEntry(UtcSeconds(2024, 1, 15, 7, 0, 0)),
                               ShutdownEntry(UtcSeconds(2024, 1, 15, 16, 30, 15)),
                               BootEntry(UtcSeconds(2024, 7, 15, 6, 0, 0)),
                               LoginEntry("anna", UtcSeconds(2024, 7, 15, 6, 1, 0))});
    TSessionHistory history(std::make_unique<TWtmpEventSource>(path), LocalUtcOffsetSeconds);
    history.Refresh();
    ASSERT_EQ(history.Rows().Rows.size(), 2u);
    EXPECT_EQ(history.Rows().Rows[0].BootText, "2024-07-15 08:00:00");
    EXPECT_EQ(history.Rows().Rows[1].BootText, "2024-01-15 08:00:00");
    EXPECT_EQ(history.Rows().Rows[1].ShutdownText, "2024-01-15 17:30:15");
    EXPECT_EQ(history.Rows().Rows[1].DurationTextValue, "9 时30 分15 秒");
}

TEST(WtmpTimeZone, BootClockCountsUpInMilliseconds) {
    std::uint64_t a = MillisecondsSinceBoot();
    usleep(20000);
    std::uint64_t b = MillisecondsSinceBoot();
    EXPECT_GT(a, 0u);
    EXPECT_GE(b - a, 15u);
    EXPECT_LT(b - a, 5000u);
}

}  // namespace
