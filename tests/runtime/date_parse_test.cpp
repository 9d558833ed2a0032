#include <gtest/gtest.h>

#include <ostream>

#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {
namespace {

constexpr double kJan2 = 36527.0;  // 2000-01-02

constexpr double Time(int h, int m, int s = 0) { return (h * 3600 + m * 60 + s) / 86400.0; }

struct ParseRow {
  const char* name;
  const char* text;  // UTF-8 source, parsed as CP932
  bool ok;
  double serial;
};
void PrintTo(const ParseRow& r, std::ostream* os) { *os << r.name; }

const ParseRow kParseRows[] = {
    {"SlashDate", "2000/01/02", true, kJan2},
    {"DashDateWithoutZeros", "2000-1-2", true, kJan2},
    {"DotDate", "2000.1.2", true, kJan2},
    {"KanjiDate", "2000年1月2日", true, kJan2},
    {"KanjiDateWithoutDayMark", "2000年1月2", true, kJan2},
    {"FullWidthDigits", "２０００年１月２日", true, kJan2},
    {"SurroundingSpaces", "  2000/01/02 ", true, kJan2},
    {"FullWidthSpaces", "　2000/01/02　", true, kJan2},
    {"TwoDigitYearThisCentury", "00/1/2", true, kJan2},
    {"TwoDigitYearLastCentury", "99/12/31", true, 36525.0},
    {"ThreeDigitYear", "100/1/1", true, kMinDateSerial},
    {"DateAndTime", "2000/01/02 03:04:05", true, kJan2 + Time(3, 4, 5)},
    {"DateAndShortTime", "2000/01/02 03:04", true, kJan2 + Time(3, 4)},
    {"KanjiDateAndTime", "2000年1月2日 15時4分5秒", true, kJan2 + Time(15, 4, 5)},
    {"KanjiDateTimeNoSpace", "2000年1月2日3時", true, kJan2 + Time(3, 0)},
    {"AfternoonPrefix", "2000/01/02 午後1:05", true, kJan2 + Time(13, 5)},
    {"MorningPrefixTwelveIsMidnight", "午前12:30", true, Time(0, 30)},
    {"AfternoonTwelveIsNoon", "午後12:30", true, Time(12, 30)},
    {"PmSuffix", "1:05 PM", true, Time(13, 5)},
    {"AmSuffixLowerCase", "11:59:59am", true, Time(11, 59, 59)},
    {"TimeAlone", "13:05", true, Time(13, 5)},
    {"TimeAloneWithSeconds", " 03:04:05 ", true, Time(3, 4, 5)},
    {"Midnight", "0:00", true, 0.0},
    {"LastSecond", "9999/12/31 23:59:59", true, kMaxDateSerial},
    {"BeforeEpochTimeCountsForward", "1899/12/29 6:00", true, -1.25},
    {"LeapDay2000", "2000/02/29", true, 36585.0},
    {"NoLeapDay2001", "2001/02/29", false, 0},
    {"NoLeapDay1900", "1900/2/29", false, 0},
    {"NoThirteenthMonth", "2000/13/01", false, 0},
    {"NoHour24", "24:00", false, 0},
    {"NoMinute60", "12:60", false, 0},
    {"TwelveHourTooLarge", "午後13:00", false, 0},
    {"TwoDesignators", "午後1:00 PM", false, 0},
    {"MixedSeparators", "2000/01-02", false, 0},
    {"MonthAndDayOnly", "1/2", false, 0},
    {"LoneNumber", "2000", false, 0},
    {"BeforeFirstYear", "0099/12/31", false, 0},
    {"AfterLastYear", "10000/1/1", false, 0},
    {"Empty", "", false, 0},
    {"Spaces", "   ", false, 0},
    {"Letters", "abc", false, 0},
    {"TrailingJunk", "2000/01/02x", false, 0},
    {"TimeWithoutMinutes", "3:", false, 0},
    {"MinuteMarkWithoutHour", "3分", false, 0},
    {"TooManyDigits", "2000/01/0000000000002", false, 0},
};

class DateParseTable : public ::testing::TestWithParam<ParseRow> {};

TEST_P(DateParseTable, Reads) {
  const auto& r = GetParam();
  const auto serial = ParseDateText(Cp932Literal(r.text));
  ASSERT_EQ(serial.has_value(), r.ok);
  if (r.ok) {
    EXPECT_NEAR(*serial, r.serial, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, DateParseTable, ::testing::ValuesIn(kParseRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateParse, TimeAloneIsWithinDayZero) {
  for (const char* text : {"0:00", "12:00", "23:59:59", "午後11:59:59"}) {
    const auto serial = ParseDateText(Cp932Literal(text));
    ASSERT_TRUE(serial.has_value()) << text;
    EXPECT_GE(*serial, 0.0) << text;
    EXPECT_LT(*serial, 1.0) << text;
  }
}

}  // namespace
}  // namespace vl
