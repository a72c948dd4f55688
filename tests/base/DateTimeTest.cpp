#include <gtest/gtest.h>

#include <cmath>

#include "base/DateTime.h"

namespace {

TDateTimeParts Decode(DateTimeValue v) {
    TDateTimeParts p;
    EXPECT_TRUE(TryDecodeDateTime(v, p)) << v;
    return p;
}

TEST(DateTime, KnownDays) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1970, 1, 1), kUnixEpochDateTime);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeTime(18, 0, 0), 0.75);
}

TEST(DateTime, InvalidDatesAndTimesAreRefused) {
    DateTimeValue v = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, v));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));  // a century, not a leap year
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, v));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, v));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, v));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, v));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, v));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, v));
    EXPECT_EQ(EncodeDate(2024, 2, 30), 0.0);
}

TEST(DateTime, EveryDayOfSomeYearsRoundTrips) {
    for (int year : {1, 1600, 1899, 1900, 1970, 2000, 2024, 2100, 9999}) {
        DateTimeValue prev = EncodeDate(year, 1, 1) - 1;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                DateTimeValue v = EncodeDate(year, month, day);
                ASSERT_EQ(v, prev + 1) << year << "-" << month << "-" << day;
                int y, m, d;
                DecodeDate(CombineDateTime(v, 0.75), y, m, d);
                ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
                prev = v;
            }
        }
    }
}

TEST(DateTime, BeforeTheBaseDayTheFractionCountsForward) {
    DateTimeValue v = CombineDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0));
    EXPECT_EQ(v, -1.25);
    TDateTimeParts p = Decode(v);
    EXPECT_EQ(p.Day, 29);
    EXPECT_EQ(p.Hour, 6);
    EXPECT_EQ(DateTimeFromSeconds(-86400 + 6 * 3600), -1.25);
    EXPECT_EQ(WholeSeconds(-1.25), -86400 + 6 * 3600);
}

TEST(DateTime, UnixSecondsAndWholeSeconds) {
    TDateTimeParts p = Decode(DateTimeFromUnixSeconds(1700000000));
    EXPECT_EQ(p.Year, 2023);
    EXPECT_EQ(p.Month, 11);
    EXPECT_EQ(p.Day, 14);
    EXPECT_EQ(p.Hour * 10000 + p.Minute * 100 + p.Second, 221320);
    EXPECT_EQ(DateTimeFromUnixSeconds(4294967295), EncodeDate(2106, 2, 7) + EncodeTime(6, 28, 15));
    // Every second of a day comes back whole, with no millisecond left over.
    for (std::int64_t s = 0; s < 86400; ++s) {
        DateTimeValue v = DateTimeFromUnixSeconds(1700006400 + s);
        ASSERT_EQ(WholeSeconds(v) - WholeSeconds(DateTimeFromUnixSeconds(1700006400)), s);
        TDateTimeParts q = Decode(v);
        ASSERT_EQ(q.Millisecond, 0) << s;
        ASSERT_EQ(q.Hour * 3600 + q.Minute * 60 + q.Second, s);
    }
}

TEST(DateTime, MillisecondRoundingCarriesIntoTheNextDay) {
    DateTimeValue almost = EncodeDate(2024, 12, 31) + 86399.9999 / 86400;
    TDateTimeParts p = Decode(almost);
    EXPECT_EQ(p.Year, 2025);
    EXPECT_EQ(p.Month, 1);
    EXPECT_EQ(p.Day, 1);
    EXPECT_EQ(p.Hour + p.Minute + p.Second + p.Millisecond, 0);
    EXPECT_EQ(RoundToWholeSecond(EncodeDate(2024, 1, 1) + 0.6 / 86400),
              EncodeDate(2024, 1, 1) + 1.0 / 86400);
}

TEST(DateTime, NonDatesDecodeToFalse) {
    TDateTimeParts p;
    EXPECT_FALSE(TryDecodeDateTime(std::nan(""), p));
    EXPECT_FALSE(TryDecodeDateTime(INFINITY, p));
    EXPECT_FALSE(TryDecodeDateTime(3e6, p));
    EXPECT_FALSE(TryDecodeDateTime(-7e5, p));
    EXPECT_EQ(WholeSeconds(std::nan("")), 0);
    int y = 0, m = 0, d = 0;
    DecodeDate(1e300, y, m, d);  // falls back to the base day rather than garbage
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991230);
}

}  // namespace
