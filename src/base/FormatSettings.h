#pragma once

#include <string>

// The user's regional formats. Separators are strings because many locales use a
// multi-byte UTF-8 character (a narrow no-break space, for one) to group thousands.
struct TFormatSettings {
    std::string ShortDateFormat = "yyyy-mm-dd";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
};

// The process-wide settings; the C/POSIX values until the platform fills them at start-up.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
