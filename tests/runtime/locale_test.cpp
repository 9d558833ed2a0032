#include "runtime/locale.h"

#include <gtest/gtest.h>

#include <ostream>

#include "text/encoding.h"

namespace vl {
namespace {

// 2000-01-02 (a Sunday) 15:04:05, and 2009-11-08 (a Sunday) 00:07:09.
DateTimeFields Afternoon() { return *SerialToFields(36527.0 + (15 * 3600 + 4 * 60 + 5) / 86400.0); }
DateTimeFields Midnight() { return *SerialToFields(40125.0 + (7 * 60 + 9) / 86400.0); }

TEST(UserLocale, IsJapanese) {
  const LocaleInfo& l = UserLocale();
  EXPECT_EQ(l.shortDate, "yyyy/MM/dd");
  EXPECT_EQ(l.longDate, Cp932Literal("yyyy'年'M'月'd'日'"));
  EXPECT_EQ(l.timeFormat, "H:mm:ss");
  EXPECT_EQ(l.am, "\x8C\xDF\x91\x4F");  // 午前
  EXPECT_EQ(l.pm, "\x8C\xDF\x8C\xE3");  // 午後
}

struct PictureRow {
  const char* name;
  const char* picture;  // UTF-8 source, compared in CP932
  const char* afternoon;
  const char* midnight;
};
void PrintTo(const PictureRow& r, std::ostream* os) { *os << r.name; }

const PictureRow kDateRows[] = {
    {"ShortDate", "yyyy/MM/dd", "2000/01/02", "2009/11/08"},
    {"LongDate", "yyyy'年'M'月'd'日'", "2000年1月2日", "2009年11月8日"},
    {"TwoDigitYear", "yy-M-d", "00-1-2", "09-11-8"},
    {"OneDigitYearDropsZero", "y", "0", "9"},
    {"JapaneseDayNames", "ddd dddd", "日 日曜日", "日 日曜日"},
    {"JapaneseMonthNames", "MMM MMMM", "1 1月", "11 11月"},
    {"QuotedLettersAreText", "'dMy' d", "dMy 2", "dMy 8"},
    {"DoubledQuoteIsAQuote", "d''M", "2'1", "8'11"},
    {"QuoteInsideLiteral", "'it''s' d", "it's 2", "it's 8"},
    {"UnterminatedQuoteRunsToEnd", "d 'abc", "2 abc", "8 abc"},
    {"GregorianEra", "gg yyyy", "西暦 2000", "西暦 2009"},
    // 嬰 窺 謁 end in the bytes of "d", "M" and "y" (0x89 0x64, 0x89 0x4D, 0x89 0x79).
    {"KanjiTrailBytesAreNotLetters", "嬰窺謁d", "嬰窺謁2", "嬰窺謁8"},
};

class DatePictureTable : public ::testing::TestWithParam<PictureRow> {};

TEST_P(DatePictureTable, Formats) {
  const auto& r = GetParam();
  const std::string picture = Cp932Literal(r.picture);
  EXPECT_EQ(FormatDatePicture(Afternoon(), picture), Cp932Literal(r.afternoon));
  EXPECT_EQ(FormatDatePicture(Midnight(), picture), Cp932Literal(r.midnight));
}

INSTANTIATE_TEST_SUITE_P(Rows, DatePictureTable, ::testing::ValuesIn(kDateRows),
                         [](const auto& info) { return std::string(info.param.name); });

const PictureRow kTimeRows[] = {
    {"UserTime", "H:mm:ss", "15:04:05", "0:07:09"},
    {"PaddedHours", "HH:mm:ss", "15:04:05", "00:07:09"},
    {"TwelveHour", "h:m:s", "3:4:5", "12:7:9"},
    {"TwelveHourPadded", "hh:mm", "03:04", "12:07"},
    {"Designator", "tt h:mm", "午後 3:04", "午前 12:07"},
    {"OneLetterDesignatorIsFirstCharacter", "t", "午", "午"},
    {"QuotedText", "H'時'm'分'", "15時4分", "0時7分"},
    {"OtherLettersAreText", "H x", "15 x", "0 x"},
};

class TimePictureTable : public ::testing::TestWithParam<PictureRow> {};

TEST_P(TimePictureTable, Formats) {
  const auto& r = GetParam();
  const std::string picture = Cp932Literal(r.picture);
  EXPECT_EQ(FormatTimePicture(Afternoon(), picture), Cp932Literal(r.afternoon));
  EXPECT_EQ(FormatTimePicture(Midnight(), picture), Cp932Literal(r.midnight));
}

INSTANTIATE_TEST_SUITE_P(Rows, TimePictureTable, ::testing::ValuesIn(kTimeRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DatePicture, FourDigitYearIsPadded) {
  EXPECT_EQ(FormatDatePicture(*SerialToFields(kMinDateSerial), "yyyy/MM/dd"), "0100/01/01");
}

TEST(TimePicture, KanjiTrailBytesAreNotLetters) {
  // 栄 盈 鋭 液 end in the bytes of "h", "m", "s" and "t".
  EXPECT_EQ(FormatTimePicture(Afternoon(), Cp932Literal("栄盈鋭液H")), Cp932Literal("栄盈鋭液15"));
}

}  // namespace
}  // namespace vl
