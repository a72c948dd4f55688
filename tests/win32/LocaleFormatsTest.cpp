#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "base/DateTimeFormat.h"
#include "platform/win32/LocaleFormats.h"

namespace {

// 2024-03-01 17:05:09, a moment whose parts are told apart by their values.
DateTimeValue Sample() {
    return CombineDateTime(EncodeDate(2024, 3, 1), EncodeTime(17, 5, 9));
}

// The pictures of common locales, and the text Windows shows for the sample with them.
TEST(WinLocaleFormats, PicturesFormatAsWindowsShowsThem) {
    struct TCase {
        const char* Picture;
        const char* Shown;
    } cases[] = {
        {"yyyy/M/d", "2024/3/1"},      // zh-CN short date
        {"M/d/yyyy", "3/1/2024"},      // en-US
        {"dd.MM.yyyy", "01.03.2024"},  // de-DE
        {"yyyy-MM-dd", "2024-03-01"},  // sv-SE
        {"d/MM/yy", "1/03/24"},        // two-digit year
        {"H:mm:ss", "17:05:09"},       // zh-CN long time
        {"HH:mm:ss", "17:05:09"},      // de-DE
        {"h:mm:ss tt", "5:05:09 PM"},  // en-US
        {"tt h:mm:ss", "PM 5:05:09"},  // ko-KR puts the half first
        {"HH' h 'mm", "17 h 05"},      // quoted letters stay text
        {"H'h'mm''", "17h05'"},        // a doubled quote inside is one quote
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Picture);
        std::string pattern;
        ASSERT_TRUE(PatternFromWindowsPicture(c.Picture, pattern));
        EXPECT_EQ(FormatDateTime(pattern, Sample()), c.Shown) << pattern;
    }
}

TEST(WinLocaleFormats, NamesAndErasDoNotTranslate) {
    for (const char* picture : {"dddd, MMMM d, yyyy", "d MMM yyyy", "ddd d", "gg yyyy", ""}) {
        std::string pattern = "kept?";
        EXPECT_FALSE(PatternFromWindowsPicture(picture, pattern)) << picture;
    }
}

TEST(WinLocaleFormats, SettingsTakeWhatTranslatesAndKeepTheRest) {
    TWinLocaleFacts zh{"yyyy/M/d", "H:mm:ss", ".", ",", "上午", "下午"};
    TFormatSettings s = FormatSettingsFromWinFacts(zh);
    EXPECT_EQ(FormatDateTime(s.ShortDateFormat, Sample()), "2024/3/1");
    EXPECT_EQ(FormatDateTime(s.LongTimeFormat, Sample()), "17:05:09");
    EXPECT_EQ(s.TimeAMString, "上午");
    EXPECT_EQ(s.TimePMString, "下午");

    TWinLocaleFacts de{"dd.MM.yyyy", "HH:mm:ss", ",", ".", "", ""};
    s = FormatSettingsFromWinFacts(de);
    EXPECT_EQ(s.DecimalSeparator, ",");
    EXPECT_EQ(s.ThousandSeparator, ".");
    EXPECT_EQ(s.TimeAMString, TFormatSettings{}.TimeAMString);

    // A date with month names keeps the default date; no grouping is a real choice.
    TWinLocaleFacts named{"d MMMM yyyy", "h:mm:ss tt", ".", "", "AM", "PM"};
    s = FormatSettingsFromWinFacts(named);
    EXPECT_EQ(s.ShortDateFormat, TFormatSettings{}.ShortDateFormat);
    EXPECT_EQ(FormatDateTime(s.LongTimeFormat, Sample()), "5:05:09 PM");
    EXPECT_EQ(s.ThousandSeparator, "");

    // Nothing read at all: every default stays.
    s = FormatSettingsFromWinFacts({});
    const TFormatSettings d;
    EXPECT_EQ(s.ShortDateFormat, d.ShortDateFormat);
    EXPECT_EQ(s.LongTimeFormat, d.LongTimeFormat);
    EXPECT_EQ(s.DecimalSeparator, d.DecimalSeparator);
    EXPECT_EQ(s.ThousandSeparator, d.ThousandSeparator);
}

// The user's own locale, whatever it is, gives formats that show the sample.
TEST(WinLocaleFormats, TheUsersLocaleIsRead) {
    const TWinLocaleFacts facts = CurrentWinLocaleFacts();
    EXPECT_FALSE(facts.ShortDate.empty());
    EXPECT_FALSE(facts.LongTime.empty());
    EXPECT_FALSE(facts.Decimal.empty());
    const TFormatSettings s = FormatSettingsFromWinFacts(facts);
    EXPECT_NE(FormatDateTime(s.ShortDateFormat, Sample()).find("24"), std::string::npos);
    EXPECT_NE(FormatDateTime(s.LongTimeFormat, Sample()).find("05"), std::string::npos);
}

}  // namespace
