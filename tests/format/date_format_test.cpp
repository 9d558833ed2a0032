#include "format/date_format.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {
namespace {

namespace df = date_family;

std::string U(std::string_view cp932) { return Cp932ToUtf8(cp932); }
std::string C(std::string_view utf8) { return Cp932Literal(utf8); }

double Serial(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  const auto serial = FieldsToSerial(y, m, d, h, mi, s);
  EXPECT_TRUE(serial.has_value()) << y << "-" << m << "-" << d;
  return serial.value_or(0.0);
}

// ---------------------------------------------------------------------------------------------
// Tokenizing

struct Tok {
  std::uint32_t family, variant;
  const char* after;  // UTF-8
};

struct ParseRow {
  const char* name;
  const char* pattern;  // UTF-8
  const char* leading;  // UTF-8
  std::vector<Tok> tokens;
};

void PrintTo(const ParseRow& row, std::ostream* os) { *os << row.name; }

class ParseDate : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseDate, Tokens) {
  const ParseRow& row = GetParam();
  DateFormatSpec expected;
  expected.leadingLiteral = C(row.leading);
  for (const Tok& t : row.tokens) expected.tokens.push_back({t.family, t.variant, C(t.after)});
  const DateFormatSpec spec = ParseDateFormat(C(row.pattern));
  EXPECT_EQ(U(spec.leadingLiteral), row.leading);
  ASSERT_EQ(spec.tokens.size(), expected.tokens.size());
  for (std::size_t i = 0; i < spec.tokens.size(); ++i) {
    EXPECT_EQ(spec.tokens[i].family, expected.tokens[i].family) << "token " << i;
    EXPECT_EQ(spec.tokens[i].variant, expected.tokens[i].variant) << "token " << i;
    EXPECT_EQ(U(spec.tokens[i].literalAfter), row.tokens[i].after) << "token " << i;
  }
  EXPECT_EQ(spec, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseDate,
    testing::Values(
        ParseRow{"Empty", "", "", {}},
        ParseRow{"FullDateTime",
                 "yyyy/mm/dd hh:nn:ss",
                 "",
                 {{df::kYear, 0, "/"},
                  {df::kMonth, 0, "/"},
                  {df::kDay, 0, " "},
                  {df::kHour, 0, ":"},
                  {df::kMinute, 0, ":"},
                  {df::kSecond, 0, ""}}},
        ParseRow{"ShortForms", "yy/m/d h:n:s", "",
                 {{df::kYear, 2, "/"}, {df::kMonth, 2, "/"}, {df::kDay, 2, " "}, {df::kHour, 2, ":"},
                  {df::kMinute, 2, ":"}, {df::kSecond, 2, ""}}},
        ParseRow{"ThreeYsAreTwoDigitYearThenDayOfYear", "yyy", "", {{df::kYear, 2, ""}, {df::kDayOfYear, 0, ""}}},
        ParseRow{"FiveYsAreFullYearThenDayOfYear", "yyyyy", "", {{df::kYear, 0, ""}, {df::kDayOfYear, 0, ""}}},
        ParseRow{"SevenDsAreLongDateThenDay", "ddddddd", "", {{df::kLocaleDate, 1, ""}, {df::kDay, 2, ""}}},
        ParseRow{"DayRuns", "d dd ddd dddd ddddd", "",
                 {{df::kDay, 2, " "}, {df::kDay, 0, " "}, {df::kWeekdayName, 2, " "}, {df::kWeekdayName, 1, " "},
                  {df::kLocaleDate, 2, ""}}},
        ParseRow{"MonthRuns", "m mm mmm mmmm mmmmm", "",
                 {{df::kMonth, 2, " "}, {df::kMonth, 0, " "}, {df::kMonthName, 2, " "}, {df::kMonthName, 1, " "},
                  {df::kMonthName, 1, ""}, {df::kMonth, 2, ""}}},
        ParseRow{"EraRuns", "g gg ggg gggg", "",
                 {{df::kEra, 0, " "}, {df::kEra, 2, " "}, {df::kEra, 1, " "}, {df::kEra, 1, ""}, {df::kEra, 0, ""}}},
        ParseRow{"EraYearRuns", "e ee eee", "",
                 {{df::kEraYear, 2, " "}, {df::kEraYear, 0, " "}, {df::kEraYear, 0, ""}, {df::kEraYear, 2, ""}}},
        ParseRow{"WeekRuns", "w ww www", "",
                 {{df::kWeekday, 0, " "}, {df::kWeekOfYear, 0, " "}, {df::kWeekOfYear, 0, ""}, {df::kWeekday, 0, ""}}},
        ParseRow{"EachCIsAToken", "cc", "", {{df::kDateTime, 0, ""}, {df::kDateTime, 0, ""}}},
        ParseRow{"EachQIsAToken", "qqq", "", {{df::kQuarter, 0, ""}, {df::kQuarter, 0, ""}, {df::kQuarter, 0, ""}}},
        ParseRow{"FiveTsAreTheTime", "ttttt", "", {{df::kLocaleTime, 0, ""}}},
        ParseRow{"FourTsAreLiteral", "tttt", "tttt", {}},
        ParseRow{"SixTsAreLiteral", "tttttt", "tttttt", {}},
        // The "t" rule measures the first run of "t" in the rest, so the later five are literal too.
        ParseRow{"ShortTRunMakesLaterTsLiteral", "ttt ttttt", "ttt ttttt", {}},
        ParseRow{"TRunAfterATokenIsMeasuredAfresh", "ttt d ttttt", "ttt ", {{df::kDay, 2, " "}, {df::kLocaleTime, 0, ""}}},
        ParseRow{"UpperCaseIsLiteral", "MM/DD/YYYY HH", "MM/DD/YYYY HH", {}},
        ParseRow{"JapaneseTextIsLiteral", "hh時nn分ss秒", "",
                 {{df::kHour, 0, "時"}, {df::kMinute, 0, "分"}, {df::kSecond, 0, "秒"}}},
        ParseRow{"EraPattern", "ggge年m月d日", "",
                 {{df::kEra, 1, ""}, {df::kEraYear, 2, "年"}, {df::kMonth, 2, "月"}, {df::kDay, 2, "日"}}},
        ParseRow{"LettersInsideWordsAreTokens", "Date: yyyy", "Dat", {{df::kEraYear, 2, ": "}, {df::kYear, 0, ""}}},
        ParseRow{"AmPmUpper", "hh:nn AM/PM", "", {{df::kHour, 0, ":"}, {df::kMinute, 0, " "}, {df::kAmPm, 0, ""}}},
        ParseRow{"AmPmLower", "hh am/pm", "", {{df::kHour, 0, " "}, {df::kAmPm, 2, ""}}},
        ParseRow{"APUpper", "h A/P", "", {{df::kHour, 2, " "}, {df::kAP, 0, ""}}},
        ParseRow{"APLower", "h a/p", "", {{df::kHour, 2, " "}, {df::kAP, 2, ""}}},
        ParseRow{"LocaleAmPmUpper", "AMPM h", "", {{df::kLocaleAmPm, 0, " "}, {df::kHour, 2, ""}}},
        ParseRow{"LocaleAmPmLower", "ampm h", "", {{df::kLocaleAmPm, 0, " "}, {df::kHour, 2, ""}}},
        // "aaaa" is searched for before "aaa", so the earlier «aaa » is literal.
        ParseRow{"LongWeekdaySearchedFirst", "aaa aaaa", "aaa ", {{df::kJapaneseWeekday, 1, ""}}},
        // The A/a search finds "aaa" first wherever it stands; «AM/PM » before it is literal.
        ParseRow{"AaaWinsOverEarlierAmPm", "hh:nn AM/PM aaa", "",
                 {{df::kHour, 0, ":"}, {df::kMinute, 0, " AM/PM "}, {df::kJapaneseWeekday, 2, ""}}},
        ParseRow{"SearchSkipsOverOtherLetters", "A hh aaa", "A hh ", {{df::kJapaneseWeekday, 2, ""}}},
        ParseRow{"LoneAIsLiteral", "A", "A", {}},
        ParseRow{"LoneLowerAIsLiteral", "a", "a", {}},
        ParseRow{"AWithoutMarkerThenToken", "Apple", "Appl", {{df::kEraYear, 2, ""}}},
        // Second bytes of 電 (0x93 0x64 "d"), ノ (0x83 0x6D "m"), 土 (0x93 0x79 "y"), ド (0x83 0x68
        // "h") must not be read as letters.
        ParseRow{"TrailByteDIsNotDay", "電", "電", {}},
        ParseRow{"TrailBytesAreNotLetters", "ノ土ド", "ノ土ド", {}},
        ParseRow{"TrailByteBeforeRealLetter", "電d", "電", {{df::kDay, 2, ""}}},
        ParseRow{"TrailByteNotCountedInRun", "土yy", "土", {{df::kYear, 2, ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseDate, DigitsAndPunctuationAreLiteral) {
  const DateFormatSpec spec = ParseDateFormat("0123456789 !#%&*()[]{}<>?\\\"'");
  EXPECT_EQ(spec.leadingLiteral, "0123456789 !#%&*()[]{}<>?\\\"'");
  EXPECT_TRUE(spec.tokens.empty());
}

TEST(ParseDate, LeadByteAtTheEndIsLiteral) {
  const DateFormatSpec spec = ParseDateFormat("d\x93");
  ASSERT_EQ(spec.tokens.size(), 1u);
  EXPECT_EQ(spec.tokens[0].literalAfter, "\x93");
  // A lead byte swallows the byte after it, even a letter, as its second byte.
  EXPECT_TRUE(ParseDateFormat("\x93y").tokens.empty());
}

struct TwelveRow {
  const char* name;
  const char* pattern;
  bool twelve;
};

void PrintTo(const TwelveRow& row, std::ostream* os) { *os << row.name; }

class TwelveHour : public testing::TestWithParam<TwelveRow> {};

TEST_P(TwelveHour, FromMarkers) {
  EXPECT_EQ(UsesTwelveHourClock(ParseDateFormat(GetParam().pattern)), GetParam().twelve);
}

INSTANTIATE_TEST_SUITE_P(Rows, TwelveHour,
                         testing::Values(TwelveRow{"NoMarker", "hh:nn:ss", false},
                                         TwelveRow{"AmPm", "hh AM/PM", true},
                                         TwelveRow{"LowerAmPm", "hh am/pm", true},
                                         TwelveRow{"AP", "hh A/P", true},
                                         TwelveRow{"LocaleDesignator", "AMPM hh", true},
                                         TwelveRow{"JapaneseWeekdayIsNoMarker", "hh aaa", false},
                                         TwelveRow{"MarkerHiddenByAaa", "hh AM/PM aaa", false},
                                         TwelveRow{"UpperCaseOnlyIsLiteral", "hh AMP", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Formatting

struct FormatRow {
  const char* name;
  const char* pattern;  // UTF-8
  double date;
  const char* expected;  // UTF-8
};

class FormatDate : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatDate, Text) {
  const FormatRow& row = GetParam();
  const DateFormatSpec spec = ParseDateFormat(C(row.pattern));
  const auto text = FormatDateTime(row.date, spec, UsesTwelveHourClock(spec), EraTable());
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(U(*text), row.expected);
}

void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.name; }

// 2000-01-02 03:04:05, a Sunday.
double Jan2() { return Serial(2000, 1, 2, 3, 4, 5); }
double Mar15() { return Serial(1999, 3, 15, 15, 4, 9); }

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatDate,
    testing::Values(
        FormatRow{"FullDateTime", "yyyy/mm/dd hh:nn:ss", Jan2(), "2000/01/02 03:04:05"},
        FormatRow{"ShortDate", "yy/m/d", Jan2(), "00/1/2"},
        FormatRow{"UnpaddedTime", "h:n:s", Jan2(), "3:4:5"},
        FormatRow{"TwentyFourHourWithoutMarker", "hh:nn", Serial(2000, 1, 1, 15, 4), "15:04"},
        FormatRow{"MidnightTwentyFourHour", "hh:nn", Serial(2000, 1, 1), "00:00"},
        FormatRow{"AmPmGivesTwelveHour", "yyyy/m/d hh:nn AM/PM", Serial(2000, 1, 2, 15, 4), "2000/1/2 03:04 PM"},
        FormatRow{"LowerAmPm", "hh:nn:ss am/pm", Serial(2000, 1, 2, 15, 4, 5), "03:04:05 pm"},
        FormatRow{"MidnightIsTwelveAm", "h AM/PM", Serial(2000, 1, 2, 0, 30), "12 AM"},
        FormatRow{"NoonIsTwelvePm", "h AM/PM", Serial(2000, 1, 2, 12, 0), "12 PM"},
        FormatRow{"ElevenFiftyNineIsAm", "h:nn a/p", Serial(2000, 1, 2, 11, 59), "11:59 a"},
        FormatRow{"APUpper", "h A/P", Serial(2000, 1, 2, 23, 0), "11 P"},
        FormatRow{"LocaleDesignatorMorning", "AMPMh時", Serial(2000, 1, 2, 9, 0), "午前9時"},
        FormatRow{"LocaleDesignatorAfternoon", "ampm h時", Serial(2000, 1, 2, 13, 0), "午後 1時"},
        FormatRow{"JapaneseLiteralsKept", "hh時nn分ss秒", Jan2(), "03時04分05秒"},
        FormatRow{"ShortMonthName", "mmm-yy", Mar15(), "Mar-99"},
        FormatRow{"FullMonthName", "mmmm-yy", Mar15(), "March-99"},
        FormatRow{"SeptemberName", "mmm mmmm", Serial(2000, 9, 1), "Sep September"},
        FormatRow{"EnglishWeekdays", "ddd dddd", Jan2(), "Sun Sunday"},
        FormatRow{"WednesdayName", "ddd dddd", Serial(2000, 1, 5), "Wed Wednesday"},
        FormatRow{"JapaneseWeekdayShort", "(aaa)", Serial(2000, 1, 8), "(土)"},
        FormatRow{"JapaneseWeekdayFull", "aaaa", Serial(2000, 1, 3), "月曜日"},
        FormatRow{"WeekdayNumberSunday", "w", Jan2(), "1"},
        FormatRow{"WeekdayNumberSaturday", "w", Serial(2000, 1, 8), "7"},
        // 2000-01-01 is a Saturday: the days before the first Monday are week 0, shown as 1.
        FormatRow{"WeekBeforeFirstMonday", "ww", Jan2(), "1"},
        FormatRow{"FirstMondayStartsWeekTwo", "ww", Serial(2000, 1, 3), "2"},
        FormatRow{"LastWeekOfLeapYear", "ww", Serial(2000, 12, 31), "53"},
        FormatRow{"YearStartingMonday", "ww", Serial(2001, 1, 1), "2"},
        FormatRow{"DayOfYear", "y", Serial(2000, 2, 1), "32"},
        FormatRow{"DayOfLeapYearEnd", "y", Serial(2000, 12, 31), "366"},
        FormatRow{"ThreeYs", "yyy", Serial(2000, 2, 1), "0032"},
        FormatRow{"QuarterOne", "q", Serial(2000, 3, 31), "1"},
        FormatRow{"QuarterTwo", "q", Serial(2000, 4, 1), "2"},
        FormatRow{"QuarterFour", "qq", Serial(2000, 12, 1), "44"},
        FormatRow{"YearBelowThousandUnpadded", "yyyy/mm/dd", Serial(100, 1, 1), "100/01/01"},
        FormatRow{"TwoDigitYearOfYear100", "yy", Serial(100, 1, 1), "00"},
        FormatRow{"LastValidDate", "yyyy/mm/dd hh:nn:ss", Serial(9999, 12, 31, 23, 59, 59), "9999/12/31 23:59:59"},
        FormatRow{"ShortDateTimeToken", "c", Jan2(), "2000/01/02 3:04:05"},
        FormatRow{"LocaleShortDate", "ddddd", Jan2(), "2000/01/02"},
        FormatRow{"LocaleLongDate", "dddddd", Jan2(), "2000年1月2日"},
        FormatRow{"LocaleTime", "ttttt", Serial(2000, 1, 2, 13, 4, 5), "13:04:05"},
        FormatRow{"FourTsStayLiteral", "tttt", Jan2(), "tttt"},
        FormatRow{"UpperCaseStaysLiteral", "YYYY/MM/DD HH", Jan2(), "YYYY/MM/DD HH"},
        FormatRow{"NoTokensUnchanged", "XYZ 123!", Jan2(), "XYZ 123!"},
        FormatRow{"LoneAStaysLiteral", "A", Jan2(), "A"},
        // Era tokens.
        FormatRow{"EraLetterYear", "gee年m月d日", Serial(2000, 1, 2), "H12年1月2日"},
        FormatRow{"EraShortNamePadded", "ggee年mm月dd日", Serial(2000, 1, 2), "平12年01月02日"},
        FormatRow{"EraFullName", "ggge年", Serial(2000, 1, 2), "平成12年"},
        FormatRow{"FirstEraYearIsOne", "ge年", Serial(1989, 1, 8), "H1年"},
        FormatRow{"FirstEraYearPadded", "gee", Serial(1989, 1, 8), "H01"},
        FormatRow{"ShowaSixtyFour", "ge", Serial(1989, 1, 7), "S64"},
        FormatRow{"HeiseiThirtyOne", "ggge年m月d日", Serial(2019, 4, 30), "平成31年4月30日"},
        FormatRow{"ReiwaOne", "ggge年m月d日", Serial(2019, 5, 1), "令和1年5月1日"},
        FormatRow{"ReiwaLetter", "ge", Serial(2019, 5, 1), "R1"},
        FormatRow{"ReiwaShort", "gge", Serial(2020, 1, 1), "令2"},
        FormatRow{"ReiwaTwoDigitEraYear", "gee年m月d日", Serial(2026, 12, 6), "R08年12月6日"},
        FormatRow{"MeijiLastDay", "ggge", Serial(1912, 7, 29), "明治45"},
        FormatRow{"TaishoFirstDay", "ggge", Serial(1912, 7, 30), "大正1"},
        FormatRow{"NoEraGivesGregorianYear", "gee年", Serial(1800, 1, 1), "A1800年"},
        FormatRow{"NoEraFullName", "ggge年", Serial(1867, 12, 31), "西暦1867年"},
        FormatRow{"NoEraShortName", "gge", Serial(1867, 12, 31), "西1867"},
        FormatRow{"ThreeDigitEraYearGivesGregorian", "ge", Serial(2118, 1, 1), "R2118"},
        FormatRow{"CenturyAfterEraHasNoEra", "ge", Serial(2119, 1, 1), "A2119"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatDate, TwelveHourFlagIsTheCallers) {
  const DateFormatSpec spec = ParseDateFormat("hh:nn");
  const double date = Serial(2000, 1, 2, 15, 4);
  EXPECT_EQ(FormatDateTime(date, spec, false, EraTable()).value(), "15:04");
  EXPECT_EQ(FormatDateTime(date, spec, true, EraTable()).value(), "03:04");
  EXPECT_EQ(FormatDateTime(Serial(2000, 1, 2), spec, true, EraTable()).value(), "12:00");
}

TEST(FormatDate, InvalidDateGivesNothing) {
  const DateFormatSpec spec = ParseDateFormat("yyyy/mm/dd");
  for (double bad : {kMaxDateSerial + 1.0, kMinDateSerial - 1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_FALSE(FormatDateTime(bad, spec, false, EraTable()).has_value());
    std::string out = "keep";
    EXPECT_FALSE(AppendDateTime(out, bad, spec, false, EraTable()));
    EXPECT_EQ(out, "keep");
  }
}

TEST(FormatDate, AppendAddsToWhatIsThere) {
  std::string out = "[";
  ASSERT_TRUE(AppendDateTime(out, Serial(2000, 1, 2), ParseDateFormat("yyyy]"), false, EraTable()));
  EXPECT_EQ(out, "[2000]");
}

TEST(FormatDate, ErasComeFromTheTableGiven) {
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfileLines({C("未来=未 F 2100/01/01")}, "memory"));
  const DateFormatSpec spec = ParseDateFormat(C("ggge年(ge)"));
  EXPECT_EQ(U(FormatDateTime(Serial(2101, 6, 1), spec, false, table).value()), "未来2年(F2)");
  EXPECT_EQ(U(FormatDateTime(Serial(2101, 6, 1), spec, false, EraTable()).value()), "令和83年(R83)");
}

TEST(FormatDate, HandBuiltSpecWithUnknownFamilyWritesOnlyLiterals) {
  DateFormatSpec spec;
  spec.leadingLiteral = "<";
  spec.tokens.push_back({99, 0, ">"});
  EXPECT_EQ(FormatDateTime(Serial(2000, 1, 2), spec, false, EraTable()).value(), "<>");
}

}  // namespace
}  // namespace vl
