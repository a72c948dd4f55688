#include <gtest/gtest.h>

#include <memory>

#include "history/SessionHistory.h"
#include "history/TypedEventLog.h"
#include "history/UsageHours.h"

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kSunday20240310 = 1710028800;  // 00:00 UTC
constexpr int kMonday = 0, kSaturday = 5, kSunday = 6;

// Europe/Berlin in 2024: CEST from 31 March 01:00 UTC to 27 October 01:00 UTC.
std::int32_t Berlin2024(std::int64_t utc) {
    return utc >= 1711846800 && utc < 1729990800 ? 7200 : 3600;
}

TUsageHours MapOf(std::vector<TLogEvent> events, const TUtcOffsetAt& offsetAt, std::int64_t now = 0,
                  TPeriod period = {}) {
    TSessionHistory h(std::make_unique<TTypedEventLog>(std::move(events)), offsetAt);
    if (now) h.SetNow([now] { return now; });
    h.SetPeriod(period);
    h.Refresh();
    return h.UsageHours();
}

std::int64_t Sum(const TUsageHours& m) {
    std::int64_t total = 0;
    for (const auto& row : m.Seconds)
        for (std::int64_t s : row) total += s;
    return total;
}

TEST(UsageHours, SessionAcrossMidnightSplitsOverTheHoursOfBothWeekdays) {
    const std::int64_t boot = kSunday20240310 + 22 * kHour + 30 * 60;
    const TUsageHours m =
        MapOf({Typed(ekBoot, boot), Typed(ekShutdown, boot + 2 * kHour + 45 * 60)}, nullptr);
    EXPECT_EQ(m.Seconds[kSunday][22], 1800);
    EXPECT_EQ(m.Seconds[kSunday][23], 3600);
    EXPECT_EQ(m.Seconds[kMonday][0], 3600);
    EXPECT_EQ(m.Seconds[kMonday][1], 900);
    EXPECT_EQ(Sum(m), 2 * kHour + 45 * 60);
    EXPECT_EQ(m.Days[kSunday][22], 1);
    EXPECT_EQ(m.Days[kMonday][1], 1);
    EXPECT_EQ(m.Days[kMonday][2], 0);
    EXPECT_EQ(m.Largest(), 3600);
}

TEST(UsageHours, LocalTimeFollowsTheOffsetOfEachMoment) {
    // 22:30 UTC is 06:30 the next day in UTC+8.
    const std::int64_t boot = kSunday20240310 + 22 * kHour + 30 * 60;
    const TUsageHours m = MapOf({Typed(ekBoot, boot), Typed(ekShutdown, boot + 1800)},
                                [](std::int64_t) { return 8 * 3600; });
    EXPECT_EQ(m.Seconds[kMonday][6], 1800);
    EXPECT_EQ(Sum(m), 1800);
}

TEST(UsageHours, BerlinDaylightSavingNightsCountElapsedTime) {
    // Spring: 23:00 Saturday to 04:00 Sunday local is four real hours; 02:00 never happens.
    const std::int64_t spring = 1711836000;  // 2024-03-30 22:00 UTC, 23:00 CET
    TUsageHours m =
        MapOf({Typed(ekBoot, spring), Typed(ekShutdown, spring + 4 * kHour)}, Berlin2024);
    EXPECT_EQ(m.Seconds[kSaturday][23], 3600);
    EXPECT_EQ(m.Seconds[kSunday][0], 3600);
    EXPECT_EQ(m.Seconds[kSunday][1], 3600);
    EXPECT_EQ(m.Seconds[kSunday][2], 0);
    EXPECT_EQ(m.Seconds[kSunday][3], 3600);
    EXPECT_EQ(Sum(m), 4 * kHour);
    // Autumn: 23:00 Saturday to 04:00 Sunday local is six real hours; 02:00 happens twice,
    // on one day.
    const std::int64_t autumn = 1729976400;  // 2024-10-26 21:00 UTC, 23:00 CEST
    m = MapOf({Typed(ekBoot, autumn), Typed(ekShutdown, autumn + 6 * kHour)}, Berlin2024);
    EXPECT_EQ(m.Seconds[kSaturday][23], 3600);
    EXPECT_EQ(m.Seconds[kSunday][1], 3600);
    EXPECT_EQ(m.Seconds[kSunday][2], 7200);
    EXPECT_EQ(m.Days[kSunday][2], 1);
    EXPECT_EQ(m.Seconds[kSunday][3], 3600);
    EXPECT_EQ(Sum(m), 6 * kHour);
    // Sessions on either side of a change, days apart, each in the offset of its own day.
    m = MapOf({Typed(ekBoot, 1711702800), Typed(ekShutdown, 1711702800 + kHour),   // Fri 10:00 CET
               Typed(ekBoot, 1711958400), Typed(ekShutdown, 1711958400 + kHour),   // Mon 10:00 CEST
               Typed(ekBoot, 1712041200), Typed(ekShutdown, 1712041200 + kHour)},  // Tue 09:00
              Berlin2024);
    EXPECT_EQ(m.Seconds[4][10], 3600);
    EXPECT_EQ(m.Seconds[kMonday][10], 3600);
    EXPECT_EQ(m.Seconds[1][9], 3600);
    EXPECT_EQ(Sum(m), 3 * kHour);
}

TEST(UsageHours, SleepRemovesItsHoursAndACrashMarksOnlyItsBootSecond) {
    const std::int64_t monday = kSunday20240310 + kDay;
    const TUsageHours m = MapOf(
        {Typed(ekBoot, monday + 8 * kHour), Typed(ekSleep, monday + 12 * kHour),
         Typed(ekWake, monday + 14 * kHour), Typed(ekShutdown, monday + 18 * kHour),
         // a crash 20:10 with no sign of life after the boot
         Typed(ekBoot, monday + 20 * kHour + 600), Typed(ekUser, monday + 22 * kHour),
         Typed(ekBoot, monday + kDay + 9 * kHour), Typed(ekShutdown, monday + kDay + 10 * kHour)},
        nullptr);
    for (int h = 8; h < 18; ++h)
        EXPECT_EQ(m.Seconds[kMonday][h], h == 12 || h == 13 ? 0 : 3600) << "hour " << h;
    EXPECT_EQ(m.Seconds[kMonday][20], 1);
    EXPECT_EQ(m.Seconds[kMonday][21], 0);
    EXPECT_EQ(m.Seconds[kMonday][22], 0);
    EXPECT_EQ(m.Seconds[1][9], 3600);
    EXPECT_EQ(Sum(m), 8 * kHour + 1 + kHour);
}

TEST(UsageHours, ACrashWithALastSignOfLifeIsAwakeUpToItLessItsSleep) {
    const std::int64_t monday = kSunday20240310 + kDay;
    // Booted 20:10, asleep 21:00-21:30, last seen 22:45, then the next boot's day.
    const TUsageHours m = MapOf(
        {Typed(ekBoot, monday + 20 * kHour + 600), Typed(ekSleep, monday + 21 * kHour),
         Typed(ekWake, monday + 21 * kHour + 1800), Typed(ekLastSeen, monday + 22 * kHour + 2700),
         Typed(ekBoot, monday + kDay + 9 * kHour), Typed(ekShutdown, monday + kDay + 10 * kHour)},
        nullptr);
    EXPECT_EQ(m.Seconds[kMonday][20], 3000);
    EXPECT_EQ(m.Seconds[kMonday][21], 1800);
    EXPECT_EQ(m.Seconds[kMonday][22], 2700);
    EXPECT_EQ(m.Seconds[kMonday][23], 0);
    EXPECT_EQ(Sum(m), 3000 + 1800 + 2700 + kHour);
}

TEST(UsageHours, RunningSessionLongerThanAWeekCountsEveryDayOnce) {
    const std::int64_t boot = kSunday20240310 + kDay;  // Monday 00:00
    const TUsageHours m = MapOf({Typed(ekBoot, boot)}, nullptr, boot + 10 * kDay + 1800);
    EXPECT_EQ(m.Seconds[kMonday][0], 2 * 3600);
    EXPECT_EQ(m.Days[kMonday][0], 2);
    EXPECT_EQ(m.Seconds[2][0], 2 * 3600);     // Wednesday: days 2 and 9
    EXPECT_EQ(m.Seconds[3][0], 3600 + 1800);  // Thursday: day 3 and the last half hour
    EXPECT_EQ(m.Seconds[3][1], 3600);
    EXPECT_EQ(m.Days[kSunday][23], 1);
    EXPECT_EQ(Sum(m), 10 * kDay + 1800);
}

TEST(UsageHours, PeriodShorterThanADayCutsTheMapAndTwoSessionsOfOneDayCountOneDay) {
    const std::int64_t monday = kSunday20240310 + kDay;
    std::vector<TLogEvent> events = {
        Typed(ekBoot, monday + 9 * kHour), Typed(ekShutdown, monday + 9 * kHour + 600),
        Typed(ekBoot, monday + 9 * kHour + 1200), Typed(ekShutdown, monday + 13 * kHour)};
    TUsageHours m = MapOf(events, nullptr);
    EXPECT_EQ(m.Seconds[kMonday][9], 3000);
    EXPECT_EQ(m.Days[kMonday][9], 1);
    m = MapOf(events, nullptr, 0, {monday + 10 * kHour + 1800, monday + 11 * kHour + 600});
    EXPECT_EQ(m.Seconds[kMonday][9], 0);
    EXPECT_EQ(m.Seconds[kMonday][10], 1800);
    EXPECT_EQ(m.Seconds[kMonday][11], 600);
    EXPECT_EQ(Sum(m), 2400);
}

TEST(UsageHours, NoSessionsGiveAnEmptyMap) {
    const TUsageHours m = MapOf({}, nullptr);
    EXPECT_EQ(Sum(m), 0);
    EXPECT_EQ(m.Largest(), 0);
}

}  // namespace
