#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "base/Clock.h"
#include "platform/win32/Windows_p.h"

namespace {

// The offset now, as the time-zone information of the current year states it.
std::int32_t OffsetFromZoneInformation() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD which = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
    if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
    return -bias * 60;
}

TEST(WinClock, NowAgreesWithTheCLibraryAndTheZone) {
    const std::int64_t now = UnixTimeNow();
    const std::int64_t c = static_cast<std::int64_t>(std::time(nullptr));
    EXPECT_LE(std::llabs(now - c), 2);
    EXPECT_EQ(LocalUtcOffsetSeconds(now), OffsetFromZoneInformation());
}

// In a zone with daylight saving, a winter and a summer moment of the same year get offsets
// that differ by the saving, whatever the season is today.
TEST(WinClock, EachMomentGetsItsOwnSeasonsOffset) {
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN || zone.DaylightDate.wMonth == 0)
        GTEST_SKIP() << "the zone has no daylight saving";
    const std::int64_t january = 1704067200 + 14 * 86400;  // 2024-01-15 UTC
    const std::int64_t july = 1719792000 + 14 * 86400;     // 2024-07-15 UTC
    const std::int32_t winter = LocalUtcOffsetSeconds(january);
    const std::int32_t summer = LocalUtcOffsetSeconds(july);
    // Northern zones save in July, southern ones in January.
    EXPECT_EQ(std::abs(summer - winter), -zone.DaylightBias * 60);
    EXPECT_TRUE(winter == -(zone.Bias + zone.StandardBias) * 60 ||
                summer == -(zone.Bias + zone.StandardBias) * 60);
}

TEST(WinClock, MomentsOutsideTheSystemsRangeAreUtc) {
    for (std::int64_t t : {INT64_MIN, -20000000000LL, 1000000000000LL, INT64_MAX})
        EXPECT_EQ(LocalUtcOffsetSeconds(t), 0) << t;
}

TEST(WinClock, UptimeIsTheSystemsTickCount) {
    const std::uint64_t before = GetTickCount64();
    const std::uint64_t uptime = MillisecondsSinceBoot();
    const std::uint64_t after = GetTickCount64();
    EXPECT_GE(uptime, before);
    EXPECT_LE(uptime, after);
}

}  // namespace
