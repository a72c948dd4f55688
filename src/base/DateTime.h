#pragma once

#include <cstdint>

// Whole days since 1899-12-30 plus the time of day as the fraction. Before that day the
// fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
using DateTimeValue = double;

constexpr DateTimeValue kUnixEpochDateTime = 25569.0;  // 1970-01-01 00:00:00
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kMillisecondsPerDay = 86400000;

struct TDateTimeParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Years 1 to 9999. The Try forms return false on an invalid date or time; the plain forms
// then return 0.
bool TryEncodeDate(int year, int month, int day, DateTimeValue& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, DateTimeValue& result);
DateTimeValue EncodeDate(int year, int month, int day);
DateTimeValue EncodeTime(int hour, int minute, int second, int millisecond = 0);
// Joins a date and a time of day the way the type counts (see above).
DateTimeValue CombineDateTime(DateTimeValue date, DateTimeValue time);

// Splits a value rounded to the millisecond; false for NaN and values outside years 1-9999.
bool TryDecodeDateTime(DateTimeValue value, TDateTimeParts& parts);
void DecodeDate(DateTimeValue value, int& year, int& month, int& day);
void DecodeTime(DateTimeValue value, int& hour, int& minute, int& second, int& millisecond);

// Seconds are counted as integers so that whole seconds come out whole, whatever double
// arithmetic was used to reach the value.
DateTimeValue DateTimeFromUnixSeconds(std::int64_t unixSeconds);
DateTimeValue DateTimeFromSeconds(std::int64_t secondsSince1899);
// The value rounded to the nearest whole second, as seconds since 1899-12-30 00:00:00.
std::int64_t WholeSeconds(DateTimeValue value);
DateTimeValue RoundToWholeSecond(DateTimeValue value);
