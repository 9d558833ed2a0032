// Date serial numbers: days since 1899-12-30 00:00:00, the fraction being the time of day.
//
// Proleptic Gregorian calendar, valid from 100-01-01 00:00:00 to 9999-12-31 23:59:59. Before
// 1899-12-30 the serial is negative and its fraction still counts forward from that day's
// midnight: -1.25 is 1899-12-29 06:00 (day -1, a quarter day later), not 1899-12-28 18:00.
#pragma once

#include <optional>
#include <string_view>

namespace vl {

// 100-01-01 00:00:00. Later times of that day are -657434.x (the fraction counts forward), so
// the valid serials are those above kMinDateSerial - 1 up to kMaxDateSerial.
inline constexpr double kMinDateSerial = -657434.0;
inline constexpr double kMaxDateSerial = 2958465.0 + 86399.0 / 86400.0;  // 9999-12-31 23:59:59

struct DateTimeFields {
  int year = 0;
  int month = 0;   // 1-12
  int day = 0;     // 1-31
  int hour = 0;    // 0-23
  int minute = 0;
  int second = 0;
  int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
  int dayOfYear = 0;  // 1..366
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDateSerial(double serial);

// Calendar fields of a serial, the time rounded to the nearest second. Nothing for an invalid
// serial (outside the range, NaN, infinite).
std::optional<DateTimeFields> SerialToFields(double serial);

// Serial of a calendar date and time; nothing when a field is out of its range or the result
// lies outside the valid range.
std::optional<double> FieldsToSerial(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Reads a date and/or time written the way a Japanese user writes it: "2000/01/02", "2000-1-2",
// "2000.1.2", "2000年1月2日", "2000/01/02 03:04:05", "13:05", "午後1:05", "1:05 PM", "15時4分",
// with surrounding spaces; digits and spaces may be full-width. The year comes first; one or two
// year digits read in 1930-2029. A time alone gives a serial in [0, 1). Nothing when the text is
// not a valid date and time (2001/02/29, 24:00) or names no year ("1/2").
std::optional<double> ParseDateText(std::string_view cp932);

}  // namespace vl
