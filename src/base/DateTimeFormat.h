#pragma once

#include <string>
#include <string_view>

#include "base/DateTime.h"

// Date-time patterns, letters case-insensitive:
//   yy yyyy  year in two or four digits      m mm  month, without or with a leading zero
//   d dd     day                             h hh  hour (12-hour when an am/pm part is present)
//   n nn     minute (m right after an hour also means minute)
//   s ss     second                          z zzz millisecond
//   am/pm a/p ampm  the half of the day ("ampm" uses the settings' AM/PM strings)
//   "..." or '...'  literal text; any other character stands for itself.

// Empty for a value that is not a date (NaN, outside years 1-9999).
std::string FormatDateTime(std::string_view pattern, DateTimeValue value);

// Reads text written by FormatDateTime with the same pattern. Two-digit years 69-99 are
// 1969-1999 and 00-68 are 2000-2068. A pattern without date parts gives a time of day alone.
bool TryParseDateTime(std::string_view pattern, std::string_view text, DateTimeValue& result);
