#include <gtest/gtest.h>

#include <cmath>

#include "base/DateTimeFormat.h"
#include "base/FormatSettings.h"

namespace {

DateTimeValue Make(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return CombineDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms));
}

TEST(DateTimeFormat, Tokens) {
    DateTimeValue v = Make(2007, 3, 4, 5, 6, 7, 89);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", v), "2007-03-04 05:06:07");
    EXPECT_EQ(FormatDateTime("yy/m/d h:n:s", v), "07/3/4 5:6:7");
    EXPECT_EQ(FormatDateTime("YYYY.MM.DD", v), "2007.03.04");
    EXPECT_EQ(FormatDateTime("hh:mm", v), "05:06");  // m right after an hour is the minute
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", v), "05:06:07.089");
    EXPECT_EQ(FormatDateTime("yyyy\"年\"m'月'd日", v), "2007年3月4日");
    EXPECT_EQ(FormatDateTime("\"yyyy\" yyyy", v), "yyyy 2007");
    EXPECT_EQ(FormatDateTime("yyyy", Make(33, 1, 1, 0, 0, 0)), "0033");
}

TEST(DateTimeFormat, TwelveHourClock) {
    EXPECT_EQ(FormatDateTime("h:nn am/pm", Make(2024, 1, 1, 0, 5, 0)), "12:05 am");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", Make(2024, 1, 1, 12, 5, 0)), "12:05 PM");
    EXPECT_EQ(FormatDateTime("hh a/p", Make(2024, 1, 1, 23, 0, 0)), "11 p");
    SetFormatSettings(TFormatSettings{"yyyy-mm-dd", "hh:nn:ss", ".", ",", "上午", "下午"});
    EXPECT_EQ(FormatDateTime("ampm h:nn", Make(2024, 1, 1, 13, 30, 0)), "下午 1:30");
    DateTimeValue parsed = 0;
    EXPECT_TRUE(TryParseDateTime("ampm h:nn", "上午 12:30", parsed));
    EXPECT_EQ(FormatDateTime("hh:nn", parsed), "00:30");
    SetFormatSettings(TFormatSettings{});
}

TEST(DateTimeFormat, NonDatesFormatAsEmpty) {
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", std::nan("")), "");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", 1e12), "");
    EXPECT_EQ(FormatDateTime("", 45000.5), "");
}

// Formatting and parsing with the same pattern give back the same whole seconds.
void ExpectRoundTrip(const char* pattern, DateTimeValue v) {
    std::string text = FormatDateTime(pattern, v);
    DateTimeValue back = -1;
    ASSERT_TRUE(TryParseDateTime(pattern, text, back)) << pattern << " " << text;
    EXPECT_EQ(WholeSeconds(back), WholeSeconds(v)) << pattern << " " << text;
}

TEST(DateTimeFormat, RoundTripsAtMidnightAndSecondBoundaries) {
    const char* patterns[] = {"yyyy-mm-dd hh:nn:ss", "dd.mm.yyyy h:nn:ss", "m/d/yyyy h:nn:ss am/pm",
                              "yyyy\"年\"m\"月\"d\"日\" hh:nn:ss", "yyyymmddhhnnss"};
    for (const char* pattern : patterns) {
        ExpectRoundTrip(pattern, Make(2024, 2, 29, 0, 0, 0));
        ExpectRoundTrip(pattern, Make(2024, 2, 29, 23, 59, 59));
        ExpectRoundTrip(pattern, Make(2000, 1, 1, 12, 0, 0));
        ExpectRoundTrip(pattern, Make(1999, 12, 31, 0, 0, 1));
        // A second reached by adding fractions lands a hair off the exact value.
        for (int s = 0; s < 3600; s += 7)
            ExpectRoundTrip(pattern, EncodeDate(2023, 6, 30) + s * (1.0 / 86400));
    }
}

TEST(DateTimeFormat, ParsingChecksTheText) {
    DateTimeValue v = 0;
    EXPECT_FALSE(TryParseDateTime("yyyy-mm-dd", "2024-13-01", v));
    EXPECT_FALSE(TryParseDateTime("yyyy-mm-dd", "2023-02-29", v));
    EXPECT_FALSE(TryParseDateTime("yyyy-mm-dd", "2024-01-01x", v));
    EXPECT_FALSE(TryParseDateTime("yyyy-mm-dd", "2024/01/01", v));
    EXPECT_FALSE(TryParseDateTime("yyyy-mm-dd", "", v));
    EXPECT_FALSE(TryParseDateTime("hh:nn:ss", "24:00:00", v));
    EXPECT_FALSE(TryParseDateTime("hh:nn:ss", "12:60:00", v));
    EXPECT_FALSE(TryParseDateTime("h:nn am/pm", "13:00 pm", v));
    EXPECT_FALSE(TryParseDateTime("h:nn am/pm", "1:00", v));
    EXPECT_TRUE(TryParseDateTime("yyyy-mm-dd", "2024-1-5", v));
    EXPECT_EQ(v, EncodeDate(2024, 1, 5));
}

TEST(DateTimeFormat, TwoDigitYearsAndTimeOnlyPatterns) {
    DateTimeValue v = 0;
    ASSERT_TRUE(TryParseDateTime("dd/mm/yy", "31/12/68", v));
    EXPECT_EQ(v, EncodeDate(2068, 12, 31));
    ASSERT_TRUE(TryParseDateTime("dd/mm/yy", "01/01/69", v));
    EXPECT_EQ(v, EncodeDate(1969, 1, 1));
    ASSERT_TRUE(TryParseDateTime("hh:nn", "18:00", v));
    EXPECT_EQ(v, 0.75);
    ASSERT_TRUE(TryParseDateTime("h:n:s.z", "1:2:3.456", v));
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", v), "01:02:03.456");
}

}  // namespace
