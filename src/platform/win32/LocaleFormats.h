#pragma once

#include <string>
#include <string_view>

#include "base/FormatSettings.h"

// What the user's locale says of its formats (GetLocaleInfoEx), in UTF-8.
struct TWinLocaleFacts {
    std::string ShortDate;  // LOCALE_SSHORTDATE, such as "yyyy/M/d"
    std::string LongTime;   // LOCALE_STIMEFORMAT, such as "H:mm:ss" or "h:mm:ss tt"
    std::string Decimal;    // LOCALE_SDECIMAL
    std::string Thousand;   // LOCALE_STHOUSAND
    std::string Am;         // LOCALE_S1159
    std::string Pm;         // LOCALE_S2359
};

// Translates a Windows date or time picture into a date-time pattern; false when it uses a
// part the patterns cannot express (names of days and months, eras).
bool PatternFromWindowsPicture(std::string_view picture, std::string& pattern);

// Items that are missing or do not translate keep the defaults.
TFormatSettings FormatSettingsFromWinFacts(const TWinLocaleFacts& facts);

TWinLocaleFacts CurrentWinLocaleFacts();

// Fills the format settings from the user's locale.
void UseUserLocale();
