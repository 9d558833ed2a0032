// The user's locale as the date tokens and date texts see it: fixed ja-JP.
#pragma once

#include <string>
#include <string_view>

#include "runtime/date_serial.h"

namespace vl {

struct LocaleInfo {
  // Pictures in the platform's GetDateFormat/GetTimeFormat notation (CP932).
  std::string shortDate;  // "yyyy/MM/dd"
  std::string longDate;   // "yyyy'年'M'月'd'日'"
  std::string timeFormat; // "H:mm:ss"
  std::string am;         // "午前"
  std::string pm;         // "午後"
};

const LocaleInfo& UserLocale();

// Writes the date part of `fields` through a GetDateFormat picture (y, M, d, g, quoted text).
std::string FormatDatePicture(const DateTimeFields& fields, std::string_view picture);
// Writes the time part of `fields` through a GetTimeFormat picture (h, H, m, s, t, quoted text).
std::string FormatTimePicture(const DateTimeFields& fields, std::string_view picture);

}  // namespace vl
