#include "base/DateTime.h"

#include <cmath>

#include "base/Rounding.h"

namespace {

// 0001-01-01 is day -693593; before the base day the time runs toward -693594, exclusive.
constexpr DateTimeValue kMinDateTime = -693594.0;
constexpr DateTimeValue kMaxDateTime = 2958466.0;  // 10000-01-01, exclusive

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil-day algorithm).
std::int64_t DaysFromCivil(int year, int month, int day) {
    std::int64_t y = year - (month <= 2 ? 1 : 0);
    std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    std::int64_t yoe = y - era * 400;
    std::int64_t mp = (month + 9) % 12;
    std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    std::int64_t doe = z - era * 146097;
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// Day number and milliseconds into that day, the time rounded to the millisecond.
bool SplitValue(DateTimeValue value, std::int64_t& day, std::int64_t& msOfDay) {
    if (!(value > kMinDateTime && value < kMaxDateTime)) return false;
    day = Trunc(value);
    double frac = std::fabs(value - static_cast<double>(day));
    msOfDay = Round(frac * static_cast<double>(kMillisecondsPerDay));
    if (msOfDay >= kMillisecondsPerDay) {
        msOfDay -= kMillisecondsPerDay;
        ++day;
    }
    return static_cast<double>(day) < kMaxDateTime;
}

}  // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, DateTimeValue& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    if (day < 1 || day > DaysInMonth(year, month)) return false;
    result = static_cast<double>(DaysFromCivil(year, month, day)) + kUnixEpochDateTime;
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, DateTimeValue& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return false;
    std::int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000LL + millisecond;
    result = static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
    return true;
}

DateTimeValue EncodeDate(int year, int month, int day) {
    DateTimeValue v = 0;
    return TryEncodeDate(year, month, day, v) ? v : 0;
}

DateTimeValue EncodeTime(int hour, int minute, int second, int millisecond) {
    DateTimeValue v = 0;
    return TryEncodeTime(hour, minute, second, millisecond, v) ? v : 0;
}

DateTimeValue CombineDateTime(DateTimeValue date, DateTimeValue time) {
    double day = std::trunc(date);
    double frac = std::fabs(time - std::trunc(time));
    return day >= 0 ? day + frac : day - frac;
}

bool TryDecodeDateTime(DateTimeValue value, TDateTimeParts& parts) {
    std::int64_t day = 0, ms = 0;
    if (!SplitValue(value, day, ms)) return false;
    CivilFromDays(day - static_cast<std::int64_t>(kUnixEpochDateTime), parts.Year, parts.Month,
                  parts.Day);
    parts.Millisecond = static_cast<int>(ms % 1000);
    std::int64_t secs = ms / 1000;
    parts.Second = static_cast<int>(secs % 60);
    parts.Minute = static_cast<int>(secs / 60 % 60);
    parts.Hour = static_cast<int>(secs / 3600);
    return true;
}

void DecodeDate(DateTimeValue value, int& year, int& month, int& day) {
    TDateTimeParts p;
    if (!TryDecodeDateTime(value, p)) p = TDateTimeParts{};
    year = p.Year;
    month = p.Month;
    day = p.Day;
}

void DecodeTime(DateTimeValue value, int& hour, int& minute, int& second, int& millisecond) {
    TDateTimeParts p;
    if (!TryDecodeDateTime(value, p)) p = TDateTimeParts{};
    hour = p.Hour;
    minute = p.Minute;
    second = p.Second;
    millisecond = p.Millisecond;
}

DateTimeValue DateTimeFromSeconds(std::int64_t secondsSince1899) {
    std::int64_t day = secondsSince1899 / kSecondsPerDay;
    std::int64_t sod = secondsSince1899 % kSecondsPerDay;
    if (sod < 0) {
        sod += kSecondsPerDay;
        --day;
    }
    return CombineDateTime(static_cast<double>(day),
                           static_cast<double>(sod) / static_cast<double>(kSecondsPerDay));
}

DateTimeValue DateTimeFromUnixSeconds(std::int64_t unixSeconds) {
    constexpr std::int64_t kEpochSeconds = 25569 * kSecondsPerDay;
    return DateTimeFromSeconds(unixSeconds + kEpochSeconds);
}

std::int64_t WholeSeconds(DateTimeValue value) {
    if (std::isnan(value)) return 0;
    if (value <= kMinDateTime) value = kMinDateTime + 1;
    if (value > kMaxDateTime) value = kMaxDateTime;
    double day = std::trunc(value);
    double frac = std::fabs(value - day);
    return Trunc(day) * kSecondsPerDay + Round(frac * static_cast<double>(kSecondsPerDay));
}

DateTimeValue RoundToWholeSecond(DateTimeValue value) {
    return DateTimeFromSeconds(WholeSeconds(value));
}
