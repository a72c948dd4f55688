#include <gtest/gtest.h>

#include "base/DateTimeFormat.h"
#include "platform/linux/LocaleFormats.h"

namespace {

std::string Translate(const char* format, const char* format12 = "%I:%M:%S %p") {
    std::string pattern;
    return PatternFromStrftime(format, format12, pattern) ? pattern : "<none>";
}

TEST(LocaleFormats, StrftimeTranslation) {
    EXPECT_EQ(Translate("%m/%d/%Y"), "mm/dd/yyyy");
    EXPECT_EQ(Translate("%d.%m.%Y"), "dd.mm.yyyy");
    EXPECT_EQ(Translate("%Y年%m月%d日"), "yyyy年mm月dd日");
    EXPECT_EQ(Translate("%H:%M:%S"), "hh:nn:ss");
    EXPECT_EQ(Translate("%T"), "hh:nn:ss");
    EXPECT_EQ(Translate("%r"), "hh:nn:ss ampm");
    EXPECT_EQ(Translate("%-d/%-m/%y"), "d/m/yy");
    EXPECT_EQ(Translate("%Hh%M"), "hh'h'nn");  // letters of the format stay literal
    EXPECT_EQ(Translate("%e %%"), "d %");
    EXPECT_EQ(Translate("%a %d %b %Y"), "<none>");
    EXPECT_EQ(Translate("%Ex"), "<none>");
    EXPECT_EQ(Translate("%"), "<none>");
    EXPECT_EQ(Translate("%r", "%r"), "<none>");  // no endless recursion
}

TEST(LocaleFormats, TranslatedPatternsFormatAndParseBack) {
    DateTimeValue v = EncodeDate(2024, 11, 3) + EncodeTime(0, 30, 5);
    for (const char* format : {"%m/%d/%Y %r", "%d.%m.%Y %H:%M:%S", "%Hh%M'%S %Y-%m-%d"}) {
        std::string pattern = Translate(format);
        DateTimeValue back = 0;
        ASSERT_TRUE(TryParseDateTime(pattern, FormatDateTime(pattern, v), back)) << format;
        EXPECT_EQ(WholeSeconds(back), WholeSeconds(v)) << format;
    }
    EXPECT_EQ(FormatDateTime(Translate("%Hh%M"), v), "00h30");
}

TLocaleFacts GermanFacts() {
    return {"de_DE.UTF-8", "de_DE.UTF-8", "UTF-8", "%d.%m.%Y", "%T", "", "", "", ",", "."};
}

TEST(LocaleFormats, SettingsFromTheLocale) {
    TFormatSettings de = FormatSettingsFromFacts(GermanFacts());
    EXPECT_EQ(de.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(de.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(de.DecimalSeparator, ",");
    EXPECT_EQ(de.ThousandSeparator, ".");
    EXPECT_EQ(de.TimeAMString, "AM");  // the locale has none; keep usable ones

    TLocaleFacts us{"en_US.UTF-8", "en_US.UTF-8", "UTF-8", "%m/%d/%Y", "%r",
                    "%I:%M:%S %p", "AM",          "PM",    ".",        ","};
    TFormatSettings en = FormatSettingsFromFacts(us);
    EXPECT_EQ(en.ShortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(en.LongTimeFormat, "hh:nn:ss ampm");
}

TEST(LocaleFormats, CLocaleAndUnusableItemsKeepTheDefaults) {
    const TFormatSettings defaults;
    for (const char* name : {"C", "POSIX", "C.UTF-8", "C.utf8"}) {
        TLocaleFacts c{
            name, name, "ANSI_X3.4-1968", "%m/%d/%y", "%H:%M:%S", "%I:%M:%S %p", "AM", "PM",
            ".",  ""};
        TFormatSettings s = FormatSettingsFromFacts(c);
        EXPECT_EQ(s.ShortDateFormat, defaults.ShortDateFormat) << name;
        EXPECT_EQ(s.LongTimeFormat, defaults.LongTimeFormat) << name;
        EXPECT_EQ(s.ThousandSeparator, ",") << name;
    }
    // A legacy character set: non-ASCII texts would not be UTF-8, so they are not taken.
    TLocaleFacts gbk{"zh_CN.GBK",
                     "zh_CN.GBK",
                     "GBK",
                     "%Y\xc4\xea%m\xd4\xc2%d\xc8\xd5",
                     "%H:%M:%S",
                     "",
                     "\xc9\xcf\xce\xe7",
                     "\xcf\xc2\xce\xe7",
                     ".",
                     ","};
    TFormatSettings s = FormatSettingsFromFacts(gbk);
    EXPECT_EQ(s.ShortDateFormat, defaults.ShortDateFormat);
    EXPECT_EQ(s.TimeAMString, "AM");
    TLocaleFacts odd = GermanFacts();
    odd.DateFormat = "%A, %d. %B %Y";
    EXPECT_EQ(FormatSettingsFromFacts(odd).ShortDateFormat, defaults.ShortDateFormat);
}

TEST(LocaleFormats, TheCurrentCLocaleGivesTheDefaults) {
    TFormatSettings s = FormatSettingsFromFacts(CurrentLocaleFacts());
    EXPECT_EQ(s.ShortDateFormat, "yyyy-mm-dd");
    EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(s.DecimalSeparator, ".");
    EXPECT_EQ(s.ThousandSeparator, ",");
}

}  // namespace
