#pragma once

#include <string>
#include <string_view>

#include "base/FormatSettings.h"

// What the C library says of a locale's formats.
struct TLocaleFacts {
    std::string TimeName;      // of the LC_TIME category
    std::string NumericName;   // of the LC_NUMERIC category
    std::string Codeset;       // nl_langinfo(CODESET)
    std::string DateFormat;    // D_FMT
    std::string TimeFormat;    // T_FMT
    std::string TimeFormat12;  // T_FMT_AMPM, what %r stands for
    std::string AmText;
    std::string PmText;
    std::string DecimalPoint;  // localeconv()
    std::string ThousandsSep;
};

// Translates a strftime format into a date-time pattern; false when it uses a conversion
// the patterns cannot express (names of days and months, eras, week numbers, ...).
bool PatternFromStrftime(std::string_view format, std::string_view format12, std::string& pattern);

// The C and POSIX locales, and any item that does not translate, keep the defaults.
TFormatSettings FormatSettingsFromFacts(const TLocaleFacts& facts);

TLocaleFacts CurrentLocaleFacts();

// Switches the process to the user's locale and fills the format settings from it.
// Numbers stay in the C locale for the C library, so that its conversions read and write
// "." whatever the user's separators are.
void UseUserLocale();
