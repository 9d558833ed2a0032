// The Date box's edit form and its rules, without a window: the form a Format gives, reading the
// edit text back, the digit rules of each field and the spin step.
#include <gtest/gtest.h>

#include "edit/date_edit.h"
#include "edit/date_edit_form.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {
namespace {

std::string Sj(const char* utf8) { return Utf8ToCp932(utf8); }

// The edit text as shown: the form laid out with the fields of a date.
std::string EditTextOf(const DateEditForm& form, const std::string& value) {
  std::string out = form.prefix;
  const std::vector<std::string> contents = SplitDateEditText(form, value);
  for (std::size_t i = 0; i < form.fields.size(); ++i) out += contents[i] + form.fields[i].literal;
  return out;
}

std::string Shown(const char* format, DateParts date) {
  const EraTable eras;
  const DateEditForm form = BuildDateEditForm(ParseDateFormat(Sj(format)), eras, date);
  return EditTextOf(form, RenderDateEditText(form, date, eras));
}

struct FormRow {
  const char* name;
  const char* format;
  DateParts date;
  const char* editText;  // UTF-8
};

TEST(DateEditForm, FormatsGiveZeroPaddedFields) {
  const FormRow rows[] = {
      {"short forms edit padded", "yy/m/d", {2000, 1, 2}, "00/01/02"},
      {"separators and order kept", "dd.mm.yyyy", {2000, 1, 2}, "02.01.2000"},
      {"era letter and two-digit era year", "gee年m月d日", {2000, 1, 2}, "H12年01月02日"},
      {"full era name", "ggge年", {2019, 5, 1}, "令和01年"},
      {"no era before 明治: four-digit year with the pair's literals", "gee年m月d日", {1800, 1, 2}, "1800年01月02日"},
      {"short date and time expands", "c", {2000, 1, 2, 3, 4, 5}, "2000/01/02 03:04:05"},
      {"a second year token adds nothing", "yyyy/mm/dd (yy)", {2000, 1, 2}, "2000/01/02 ("},
      {"weekday adds only missing fields", "mm/dd aaa", {2000, 1, 2}, "01/02 2000/"},
      {"weekday beside an era year adds no Gregorian year", "gee年m月d日(aaa)", {2000, 1, 2}, "H12年01月02日("},
      {"month name edits as a number", "mmm-yy", {1999, 3, 1}, "03-99"},
      {"AM/PM edits a 24-hour hour", "hh:nn AM/PM", {2000, 1, 2, 15, 4}, "15:04 "},
      {"time token", "ttttt", {2000, 1, 2, 3, 4, 5}, "03:04:05"},
      {"quarter gives year and month", "q", {2000, 11, 2}, "2000/11"},
      {"a format without fields edits the full date", "XYZ", {2000, 1, 2, 3, 4, 5}, "2000/01/02 03:04:05"},
      {"leading literal is the prefix", "No. yyyy", {2000, 1, 2}, "No. 2000"},
  };
  for (const FormRow& row : rows) {
    EXPECT_EQ(Shown(row.format, row.date), Sj(row.editText)) << row.name;
  }
}

TEST(DateEditForm, FieldKindsAndWidths) {
  const EraTable eras;
  const DateEditForm form = BuildDateEditForm(ParseDateFormat(Sj("ggge年mm月dd日 hh:nn:ss")), eras, DateParts{});
  std::vector<DateFieldKind> kinds;
  std::vector<int> widths;
  for (const DateEditField& f : form.fields) {
    kinds.push_back(f.kind);
    widths.push_back(f.width);
  }
  using K = DateFieldKind;
  EXPECT_EQ(kinds, (std::vector<K>{K::kEraName, K::kEraYear, K::kMonth, K::kDay, K::kHour, K::kMinute, K::kSecond}));
  EXPECT_EQ(widths, (std::vector<int>{2, 2, 2, 2, 2, 2, 2}));
  const MaskEditLayout layout = form.Layout();
  EXPECT_EQ(layout.runs[0].marker, ' ');
  EXPECT_EQ(layout.runs[1].marker, '0');
}

struct ParseRow {
  const char* name;
  const char* format;
  DateParts held;
  const char* value;  // the field model's text, UTF-8
  DateParts expected;
  bool isDate;
};

TEST(DateEditForm, EditTextReadsBackIntoFields) {
  const ParseRow rows[] = {
      {"two-digit year takes the held century", "yy/mm/dd", {1998, 1, 1}, "050102", {1905, 1, 2}, true},
      {"same century kept", "yy/mm/dd", {1998, 1, 1}, "980102", {1998, 1, 2}, true},
      {"era and era year give the year", "gee年mm月dd日", {2000, 1, 1}, "S640107", {1989, 1, 7}, true},
      {"unknown era leaves the held year", "gee年mm月dd日", {2000, 1, 1}, "Q050107", {2000, 1, 7}, true},
      {"era year 0 counts as 1", "gee年mm月dd日", {2000, 1, 1}, "H000107", {1989, 1, 7}, true},
      {"era year without an era field uses the held era", "ee年mm月dd日", {2000, 1, 1}, "020304", {1990, 3, 4}, true},
      {"zero month and day become 1", "yyyy/mm/dd", {2000, 5, 5}, "20000000", {2000, 1, 1}, true},
      {"year 0 becomes 100", "yyyy/mm/dd", {2000, 5, 5}, "00000203", {100, 2, 3}, true},
      {"fields outside the form keep their values", "mm/dd", {2000, 5, 5, 6, 7, 8}, "0102", {2000, 1, 2, 6, 7, 8}, true},
      {"31 February is stored but is no date", "yyyy/mm/dd", {2000, 1, 1}, "20000231", {2000, 2, 31}, false},
      {"29 February 1500 is no date", "yyyy/mm/dd", {2000, 1, 1}, "15000229", {1500, 2, 29}, false},
      {"time fields", "hh:nn:ss", {2000, 1, 1}, "235958", {2000, 1, 1, 23, 59, 58}, true},
  };
  const EraTable eras;
  for (const ParseRow& row : rows) {
    const DateEditForm form = BuildDateEditForm(ParseDateFormat(Sj(row.format)), eras, row.held);
    DateParts parts = row.held;
    const std::optional<double> date = ParseDateEditText(form, Sj(row.value), eras, parts);
    EXPECT_EQ(parts, row.expected) << row.name;
    EXPECT_EQ(date.has_value(), row.isDate) << row.name;
  }
}

struct DigitRow {
  const char* name;
  DateFieldKind kind;
  const char* content;
  int offset;
  char digit;
  int month;
  bool leap;
  bool accepted;
  const char* result;
  int caret;
};

TEST(DateEditForm, DigitRulesPerField) {
  using K = DateFieldKind;
  const DigitRow rows[] = {
      {"month 3 first is 03", K::kMonth, "12", 0, '3', 1, false, true, "03", 2},
      {"month 1 first stays for the second digit", K::kMonth, "02", 0, '1', 1, false, true, "12", 1},
      {"month 1 before 5 lowers it to 10", K::kMonth, "05", 0, '1', 1, false, true, "10", 1},
      {"month after 1 takes 2", K::kMonth, "10", 1, '2', 1, false, true, "12", 2},
      {"month after 1 refuses 3", K::kMonth, "10", 1, '3', 1, false, false, "", 0},
      {"month after 0 refuses 0", K::kMonth, "01", 1, '0', 1, false, false, "", 0},
      {"day 3 first in March", K::kDay, "01", 0, '3', 3, false, true, "31", 1},
      {"day 3 first in February is 03", K::kDay, "01", 0, '3', 2, false, true, "03", 2},
      {"day 4 first is 04", K::kDay, "11", 0, '4', 5, false, true, "04", 2},
      {"day 3 before 5 lowers it to 30", K::kDay, "05", 0, '3', 4, false, true, "30", 1},
      {"day 31 in a 31-day month", K::kDay, "30", 1, '1', 1, false, true, "31", 2},
      {"day 31 refused in a 30-day month", K::kDay, "30", 1, '1', 4, false, false, "", 0},
      {"day after 3 refuses 2", K::kDay, "30", 1, '2', 1, false, false, "", 0},
      {"29 February in a leap year", K::kDay, "20", 1, '9', 2, true, true, "29", 2},
      {"29 February refused otherwise", K::kDay, "20", 1, '9', 2, false, false, "", 0},
      {"28 February always", K::kDay, "20", 1, '8', 2, false, true, "28", 2},
      {"day after 0 refuses 0", K::kDay, "01", 1, '0', 1, false, false, "", 0},
      {"hour 3 first is 03", K::kHour, "12", 0, '3', 1, false, true, "03", 2},
      {"hour 2 before 5 lowers it to 20", K::kHour, "05", 0, '2', 1, false, true, "20", 1},
      {"hour after 2 takes 3", K::kHour, "20", 1, '3', 1, false, true, "23", 2},
      {"hour after 2 refuses 4", K::kHour, "20", 1, '4', 1, false, false, "", 0},
      {"minute 6 first is 06", K::kMinute, "12", 0, '6', 1, false, true, "06", 2},
      {"minute 5 first as typed", K::kMinute, "12", 0, '5', 1, false, true, "52", 1},
      {"second takes any second digit", K::kSecond, "50", 1, '9', 1, false, true, "59", 2},
      {"four-digit year any digit", K::kYear4, "2000", 2, '9', 1, false, true, "2090", 3},
      {"era year any digit", K::kEraYear, "12", 0, '9', 1, false, true, "92", 1},
      {"letters are no digits", K::kDay, "12", 0, 'a', 1, false, false, "", 0},
  };
  for (const DigitRow& row : rows) {
    const DateDigitEdit edit = ApplyDateDigit(row.kind, row.content, row.offset, row.digit, row.month, row.leap);
    EXPECT_EQ(edit.accepted, row.accepted) << row.name;
    if (!row.accepted) continue;
    EXPECT_EQ(edit.content, row.result) << row.name;
    EXPECT_EQ(edit.caret, row.caret) << row.name;
  }
}

TEST(DateEditForm, LeapYearsOfTheDigitFilter) {
  const struct {
    int year;
    bool leap;
  } rows[] = {{-47, false}, {-45, true}, {-44, false}, {-9, true}, {-8, false}, {4, false},
              {8, true},    {100, true}, {1500, true}, {1582, false}, {1584, true}, {1700, false},
              {1900, false}, {2000, true}, {2024, true}, {2026, false}};
  for (const auto& row : rows) EXPECT_EQ(CVlDateEdit::IsLeapYear(row.year), row.leap) << row.year;
}

TEST(DateEditForm, RangeComparedToSixDecimals) {
  const DateRange range{FieldsToSerial(2000, 1, 1).value(), FieldsToSerial(2000, 12, 31, 23, 59, 59).value()};
  EXPECT_EQ(CheckDateRange(range.upper + 1e-9, range), 0) << "a fraction of a microsecond above is inside";
  EXPECT_EQ(CheckDateRange(range.upper + 1.0 / 86400, range), 1);
  EXPECT_EQ(CheckDateRange(range.lower - 1.0 / 86400, range), 2);
  EXPECT_EQ(CheckDateRange(range.lower, range), 0);
}

struct StepRow {
  const char* name;
  DateFieldKind kind;
  DateParts from;
  int step;
  DateParts to;
};

TEST(DateEditForm, SpinStepsWrapInsideTheField) {
  using K = DateFieldKind;
  const StepRow rows[] = {
      {"December up is January of the same year", K::kMonth, {2000, 12, 5}, 1, {2000, 1, 5}},
      {"October + 5 is the minimum, not March", K::kMonth, {2000, 10, 5}, 5, {2000, 1, 5}},
      {"January down is December", K::kMonth, {2000, 1, 5}, -1, {2000, 12, 5}},
      {"minute 59 up is 0, the hour stays", K::kMinute, {2000, 1, 1, 10, 59}, 1, {2000, 1, 1, 10, 0}},
      {"hour 0 down is 23", K::kHour, {2000, 1, 1, 0, 5}, -1, {2000, 1, 1, 23, 5}},
      {"second 59 up is 0", K::kSecond, {2000, 1, 1, 0, 0, 59}, 1, {2000, 1, 1, 0, 0, 0}},
      {"day wraps within February of a leap year", K::kDay, {2000, 2, 29}, 1, {2000, 2, 1}},
      {"day 1 down is the month's last day", K::kDay, {2001, 2, 1}, -1, {2001, 2, 28}},
      {"a day past the new month's end is cut", K::kMonth, {2001, 1, 31}, 1, {2001, 2, 28}},
      {"year steps", K::kYear4, {2000, 2, 29}, 1, {2001, 2, 28}},
      {"year 9999 up wraps to 100", K::kYear4, {9999, 1, 1}, 1, {100, 1, 1}},
      {"era year steps the year", K::kEraYear, {2018, 6, 1}, 1, {2019, 6, 1}},
      {"a step of 0 changes nothing", K::kMonth, {2000, 5, 5}, 0, {2000, 5, 5}},
  };
  const EraTable eras;
  for (const StepRow& row : rows) {
    EXPECT_EQ(StepDateField(row.kind, row.from, row.step, DateRange{}, eras), row.to) << row.name;
  }
}

TEST(DateEditForm, SpinStepsNarrowToTheRange) {
  using K = DateFieldKind;
  const EraTable eras;
  const DateRange range{FieldsToSerial(2000, 3, 15).value(), FieldsToSerial(2000, 6, 10).value()};
  EXPECT_EQ(StepDateField(K::kMonth, {2000, 6, 1}, 1, range, eras), (DateParts{2000, 3, 15}))
      << "June up wraps to March, then the day is held to the bound";
  EXPECT_EQ(StepDateField(K::kMonth, {2000, 3, 20}, -1, range, eras), (DateParts{2000, 6, 10}))
      << "March down wraps to June and is held to the upper bound";
  EXPECT_EQ(StepDateField(K::kDay, {2000, 3, 15}, -1, range, eras), (DateParts{2000, 3, 31}))
      << "the first day of the range down wraps to the month's last";
  EXPECT_EQ(StepDateField(K::kYear4, {2000, 4, 1}, 1, range, eras), (DateParts{2000, 4, 1}))
      << "a one-year range keeps its year";
}

TEST(DateEditForm, EraStepsMoveToTheNextEra) {
  using K = DateFieldKind;
  const EraTable eras;
  EXPECT_EQ(StepDateField(K::kEraLetter, {2000, 1, 2}, 1, DateRange{}, eras), (DateParts{2030, 1, 2}))
      << "平成12 up is 令和12";
  EXPECT_EQ(StepDateField(K::kEraLetter, {2000, 1, 2}, -1, DateRange{}, eras), (DateParts{1937, 1, 2}))
      << "平成12 down is 昭和12";
  EXPECT_EQ(StepDateField(K::kEraLetter, {1989, 3, 1}, 1, DateRange{}, eras), (DateParts{2019, 5, 1}))
      << "平成1 up is 令和1, held to the era's first day";
  EXPECT_EQ(StepDateField(K::kEraLetter, {1912, 7, 29}, 1, DateRange{}, eras), (DateParts{1926, 12, 24}))
      << "明治45 up is 大正, held to its last day";
}

}  // namespace
}  // namespace vl
