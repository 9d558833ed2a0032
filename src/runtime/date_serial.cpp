#include "runtime/date_serial.h"

#include <chrono>
#include <cmath>

namespace vl {

namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr int kSecondsPerDay = 86400;

constexpr sys_days kSerialEpoch = sys_days{year{1899} / 12 / 30};

// Day numbers (integral parts) of the first and last valid days.
constexpr long kMinSerialDay = -657434;   // 100-01-01
constexpr long kMaxSerialDay = 2958465;   // 9999-12-31

static_assert((sys_days{year{100} / 1 / 1} - kSerialEpoch).count() == kMinSerialDay);
static_assert((sys_days{year{9999} / 12 / 31} - kSerialEpoch).count() == kMaxSerialDay);

}  // namespace

bool IsLeapYear(int y) { return year{y}.is_leap(); }

int DaysInMonth(int y, int m) {
  if (m < 1 || m > 12) return 0;
  const auto last = year{y} / month{static_cast<unsigned>(m)} / std::chrono::last;
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

// The integral part names the day and the fraction the time within it, whatever the sign, so
// every time of 100-01-01 lies in (-657435, -657434] and every time of 9999-12-31 in
// [2958465, 2958466). The last second of 9999 is the upper limit: a later fraction would round
// into the year 10000.
bool IsValidDateSerial(double serial) {
  if (!std::isfinite(serial)) return false;
  return serial > static_cast<double>(kMinSerialDay) - 1.0 && serial <= kMaxDateSerial;
}

std::optional<DateTimeFields> SerialToFields(double serial) {
  if (!IsValidDateSerial(serial)) return std::nullopt;

  const double wholeDays = std::trunc(serial);
  // Exact: subtracting the integral part of a double loses nothing.
  const double fraction = std::fabs(serial - wholeDays);
  auto dayNumber = static_cast<long>(wholeDays);
  auto seconds = static_cast<long>(std::round(fraction * kSecondsPerDay));
  if (seconds >= kSecondsPerDay) {
    // 23:59:59.6 is the next day's midnight; "next" is forward in time for negative days too.
    seconds -= kSecondsPerDay;
    ++dayNumber;
  }
  if (dayNumber > kMaxSerialDay) return std::nullopt;

  const sys_days date = kSerialEpoch + days{dayNumber};
  const year_month_day ymd{date};
  DateTimeFields f;
  f.year = static_cast<int>(ymd.year());
  f.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  f.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  f.hour = static_cast<int>(seconds / 3600);
  f.minute = static_cast<int>(seconds / 60 % 60);
  f.second = static_cast<int>(seconds % 60);
  f.dayOfWeek = static_cast<int>(weekday{date}.c_encoding());
  f.dayOfYear = static_cast<int>((date - sys_days{ymd.year() / 1 / 1}).count()) + 1;
  return f;
}

std::optional<double> FieldsToSerial(int y, int m, int d, int hour, int minute, int second) {
  if (y < kMinYear || y > kMaxYear) return std::nullopt;
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return std::nullopt;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
  const auto dayNumber = static_cast<double>((sys_days{ymd} - kSerialEpoch).count());
  const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  // Before the epoch the fraction still counts forward from the day's midnight: day -1 at 06:00
  // is -1.25.
  return dayNumber < 0 ? dayNumber - time : dayNumber + time;
}

}  // namespace vl
