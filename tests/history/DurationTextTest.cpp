#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "history/DurationText.h"

namespace {

TEST(DurationText, UnitsAppearOnlyAboveTheirSize) {
    EXPECT_EQ(DurationText(0), "");
    EXPECT_EQ(DurationText(1), "");
    EXPECT_EQ(DurationText(2), "2 秒");
    EXPECT_EQ(DurationText(60), "60 秒");
    EXPECT_EQ(DurationText(61), "1 分1 秒");
    EXPECT_EQ(DurationText(3600), "60 分");
    EXPECT_EQ(DurationText(3601), "1 时1 秒");
    EXPECT_EQ(DurationText(86400), "24 时");
    EXPECT_EQ(DurationText(86401), "1 天1 秒");
    EXPECT_EQ(DurationText(93784), "1 天2 时3 分4 秒");
    EXPECT_EQ(DurationText(2 * 86400 + 120), "2 天2 分");
}

TEST(DurationText, NegativeAndExtremeCounts) {
    EXPECT_EQ(DurationText(-5), "");
    EXPECT_EQ(DurationText(std::numeric_limits<std::int32_t>::min()), "");
    // 2147483647 s = 24855 days 3:14:07
    EXPECT_EQ(DurationText(std::numeric_limits<std::int32_t>::max()), "24855 天3 时14 分7 秒");
}

TEST(UptimeText, WholeSecondsOfTheBootClock) {
    EXPECT_EQ(UptimeText(0), "");
    EXPECT_EQ(UptimeText(1999), "");
    EXPECT_EQ(UptimeText(2000), "2 秒");
    EXPECT_EQ(UptimeText(93784999), "1 天2 时3 分4 秒");
}

TEST(UptimeText, DoesNotWrapAfterFortyNineDays) {
    // 2^32 ms is 49 days 17:02:47.296; a 32-bit tick count would restart from zero here.
    const std::uint64_t wrap = std::uint64_t{1} << 32;
    EXPECT_EQ(UptimeText(wrap), "49 天17 时2 分47 秒");
    EXPECT_EQ(UptimeText(wrap + 10000), "49 天17 时2 分57 秒");
    EXPECT_EQ(UptimeText(400ull * 86400000), "400 天");
    EXPECT_FALSE(UptimeText(std::numeric_limits<std::uint64_t>::max()).empty());
}

}  // namespace
