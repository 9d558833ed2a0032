#include "runtime/date_serial.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>

namespace vl {
namespace {

struct CalendarRow {
  const char* name;
  int year, month, day, hour, minute, second;
  double serial;
  int dayOfWeek;  // 0 Sunday
  int dayOfYear;
};
void PrintTo(const CalendarRow& r, std::ostream* os) { *os << r.name; }

// Serials and weekdays checked against an independent calendar (Python's datetime).
const CalendarRow kCalendarRows[] = {
    {"FirstValidDay", 100, 1, 1, 0, 0, 0, -657434.0, 5, 1},
    {"FirstValidDayNoon", 100, 1, 1, 12, 0, 0, -657434.5, 5, 1},
    {"LastValidSecond", 9999, 12, 31, 23, 59, 59, kMaxDateSerial, 5, 365},
    {"Epoch", 1899, 12, 30, 0, 0, 0, 0.0, 6, 364},
    {"DayBeforeEpochMorning", 1899, 12, 29, 6, 0, 0, -1.25, 5, 363},
    {"DayBeforeEpochEvening", 1899, 12, 29, 18, 0, 0, -1.75, 5, 363},
    {"DayAfterEpoch", 1899, 12, 31, 0, 0, 0, 1.0, 0, 365},
    {"NoFebruary29In1900", 1900, 3, 1, 0, 0, 0, 61.0, 4, 60},
    {"February29In2000", 2000, 2, 29, 0, 0, 0, 36585.0, 2, 60},
    {"Millennium", 2000, 1, 1, 0, 0, 0, 36526.0, 6, 1},
    {"LastDayOfLeapYear", 2000, 12, 31, 0, 0, 0, 36891.0, 0, 366},
    {"GregorianReformIsNotSpecial", 1582, 10, 15, 0, 0, 0, -115858.0, 5, 288},
    {"NoonIsAHalf", 2000, 1, 2, 12, 0, 0, 36527.5, 0, 2},
};

// The date and time fields of a row, field by field so that a failure names the one that differs.
template <class Fields, class Row>
void ExpectDateTime(const Fields& f, const Row& r) {
  EXPECT_EQ(f.year, r.year);
  EXPECT_EQ(f.month, r.month);
  EXPECT_EQ(f.day, r.day);
  EXPECT_EQ(f.hour, r.hour);
  EXPECT_EQ(f.minute, r.minute);
  EXPECT_EQ(f.second, r.second);
}

class CalendarTable : public ::testing::TestWithParam<CalendarRow> {};

TEST_P(CalendarTable, FieldsToSerial) {
  const auto& r = GetParam();
  auto serial = FieldsToSerial(r.year, r.month, r.day, r.hour, r.minute, r.second);
  ASSERT_TRUE(serial.has_value());
  EXPECT_DOUBLE_EQ(*serial, r.serial);
}

TEST_P(CalendarTable, SerialToFields) {
  const auto& r = GetParam();
  auto f = SerialToFields(r.serial);
  ASSERT_TRUE(f.has_value());
  ExpectDateTime(*f, r);
  EXPECT_EQ(f->dayOfWeek, r.dayOfWeek);
  EXPECT_EQ(f->dayOfYear, r.dayOfYear);
}

INSTANTIATE_TEST_SUITE_P(Rows, CalendarTable, ::testing::ValuesIn(kCalendarRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateSerial, EverySecondOfADayRoundTrips) {
  for (int day : {-657434, -1, 0, 36526, 2958465}) {
    auto base = SerialToFields(day);
    ASSERT_TRUE(base.has_value());
    for (int s = 0; s < 86400; s += 7) {
      auto serial = FieldsToSerial(base->year, base->month, base->day, s / 3600, s / 60 % 60, s % 60);
      ASSERT_TRUE(serial.has_value());
      auto f = SerialToFields(*serial);
      ASSERT_TRUE(f.has_value());
      EXPECT_EQ(f->day, base->day) << day << " " << s;
      EXPECT_EQ(f->hour * 3600 + f->minute * 60 + f->second, s) << day << " " << s;
    }
  }
}

struct RoundingRow {
  const char* name;
  double serial;
  int year, month, day, hour, minute, second;
};
void PrintTo(const RoundingRow& r, std::ostream* os) { *os << r.name; }

const RoundingRow kRoundingRows[] = {
    {"FractionOfASecondRoundsDown", 36526.0 + 0.4 / 86400, 2000, 1, 1, 0, 0, 0},
    {"FractionOfASecondRoundsUp", 36526.0 + 0.6 / 86400, 2000, 1, 1, 0, 0, 1},
    {"AlmostMidnightIsNextDay", 36526.0 + 86399.6 / 86400, 2000, 1, 2, 0, 0, 0},
    {"NegativeAlmostMidnightMovesForward", -1.0 - 86399.6 / 86400, 1899, 12, 30, 0, 0, 0},
    {"NegativeHalfIsEpochNoon", -0.5, 1899, 12, 30, 12, 0, 0},
    {"FirstDayAlmostMidnight", -657434.0 - 86399.6 / 86400, 100, 1, 2, 0, 0, 0},
    {"LastDayMinuteRoundsWithinYear", 2958465.0 + 86398.6 / 86400, 9999, 12, 31, 23, 59, 59},
};

class RoundingTable : public ::testing::TestWithParam<RoundingRow> {};

TEST_P(RoundingTable, RoundsToNearestSecond) {
  const auto& r = GetParam();
  auto f = SerialToFields(r.serial);
  ASSERT_TRUE(f.has_value());
  ExpectDateTime(*f, r);
}

INSTANTIATE_TEST_SUITE_P(Rows, RoundingTable, ::testing::ValuesIn(kRoundingRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateSerial, InvalidSerialsHaveNoFields) {
  const double rows[] = {
      std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      -657435.0,                          // 99-12-31
      2958466.0,                          // 10000-01-01
      2958465.0 + 86399.6 / 86400,        // would round into the year 10000
      1e300,
  };
  for (double serial : rows) {
    EXPECT_FALSE(IsValidDateSerial(serial)) << serial;
    EXPECT_FALSE(SerialToFields(serial).has_value()) << serial;
  }
  EXPECT_TRUE(IsValidDateSerial(-657434.999));
  EXPECT_TRUE(IsValidDateSerial(kMaxDateSerial));
}

struct BadFieldsRow {
  const char* name;
  int year, month, day, hour, minute, second;
};
void PrintTo(const BadFieldsRow& r, std::ostream* os) { *os << r.name; }

const BadFieldsRow kBadFieldsRows[] = {
    {"February29InCommonYear", 2001, 2, 29, 0, 0, 0},
    {"February29In1900", 1900, 2, 29, 0, 0, 0},
    {"April31", 2000, 4, 31, 0, 0, 0},
    {"DayZero", 2000, 1, 0, 0, 0, 0},
    {"MonthZero", 2000, 0, 1, 0, 0, 0},
    {"Month13", 2000, 13, 1, 0, 0, 0},
    {"YearBeforeRange", 99, 12, 31, 23, 59, 59},
    {"YearAfterRange", 10000, 1, 1, 0, 0, 0},
    {"Hour24", 2000, 1, 1, 24, 0, 0},
    {"Minute60", 2000, 1, 1, 0, 60, 0},
    {"Second60", 2000, 1, 1, 0, 0, 60},
    {"NegativeSecond", 2000, 1, 1, 0, 0, -1},
};

class BadFieldsTable : public ::testing::TestWithParam<BadFieldsRow> {};

TEST_P(BadFieldsTable, HaveNoSerial) {
  const auto& r = GetParam();
  EXPECT_FALSE(FieldsToSerial(r.year, r.month, r.day, r.hour, r.minute, r.second).has_value());
}

INSTANTIATE_TEST_SUITE_P(Rows, BadFieldsTable, ::testing::ValuesIn(kBadFieldsRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateSerial, LeapYears) {
  struct Row { int year; bool leap; };
  for (const auto& r : {Row{1900, false}, Row{2000, true}, Row{2004, true}, Row{2100, false},
                        Row{1600, true}, Row{2001, false}, Row{100, false}, Row{104, true}}) {
    EXPECT_EQ(IsLeapYear(r.year), r.leap) << r.year;
    EXPECT_EQ(DaysInMonth(r.year, 2), r.leap ? 29 : 28) << r.year;
  }
}

TEST(DateSerial, DaysInMonth) {
  const int expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(DaysInMonth(2001, m), expected[m - 1]) << m;
  EXPECT_EQ(DaysInMonth(2001, 0), 0);
  EXPECT_EQ(DaysInMonth(2001, 13), 0);
}

}  // namespace
}  // namespace vl
