// The edit form of a Date box: fixed-width fields derived from the Format's tokens, and the rules
// that turn typed digits, spin steps and the edit text into calendar fields.
//
// No windows here: CVlDateEdit lays the form into its MaskFieldModel and asks these functions
// what a keystroke or a step does. The edit form always writes every field zero-padded to its
// width («gee年m月d日» edits as «H12年01月02日»), so the field under the caret and the offset in it
// follow from the caret alone, and a typed digit replaces the digit under the caret instead of
// pushing the following fields along.
//
// Walk of the tokens. Each field (year, month, day, hour, minute, second, era, era year) is made
// by the first token that asks for it, followed by that token's literal; a later token asking for
// it adds nothing, not even its literal. Composite tokens expand with fixed separators after each
// field they add: "c" → year "/" month "/" day " " hour ":" minute ":" second; the date, weekday,
// week and day-of-year tokens → year "/" month "/" day " "; "ttttt" → hour ":" minute ":" second;
// "q" → year "/" month; the AM/PM tokens → hour ":" minute. A composite finds the year present
// when an era year field stands for it, so «gee年m月d日(aaa)» gains no Gregorian year.
// A Format that makes no field at all edits as "yyyy/mm/dd hh:nn:ss".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/date_format.h"
#include "format/era_table.h"
#include "format/string_mask.h"

namespace vl {

// The kinds of edit fields; the numbers are fixed (1-3 era forms, 4-11 the numeric fields).
enum class DateFieldKind : std::int32_t {
  kEraLetter = 1,
  kEraShortName = 2,
  kEraName = 3,
  kYear4 = 4,
  kYear2 = 5,
  kEraYear = 6,
  kMonth = 7,
  kDay = 8,
  kHour = 9,
  kMinute = 10,
  kSecond = 11,
};

bool IsEraField(DateFieldKind kind);
EraForm EraFormOfField(DateFieldKind kind);

// The six calendar fields the editor holds (24-hour clock). Defaults: 1899-12-30 00:00:00.
struct DateParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateParts&, const DateParts&) = default;
};

std::optional<DateParts> DatePartsOfSerial(double serial);
// Nothing when the six fields are no valid date (31 February, 29 February 1500) or lie outside
// 100-01-01 .. 9999-12-31.
std::optional<double> SerialOfDateParts(const DateParts& parts);

struct DateEditField {
  DateFieldKind kind = DateFieldKind::kYear4;
  std::int32_t width = 2;  // characters (an era field holds its longest era text)
  std::string literal;     // shown after the field

  friend bool operator==(const DateEditField&, const DateEditField&) = default;
};

struct DateEditForm {
  std::string prefix;
  std::vector<DateEditField> fields;

  // Index of the first field of a kind, or -1.
  int Find(DateFieldKind kind) const;
  bool HasEraField() const;
  // The layout for the field model: digit fields marked "0" (zero-padded), era fields " ".
  MaskEditLayout Layout() const;

  friend bool operator==(const DateEditForm&, const DateEditForm&) = default;
};

// The edit form of a Format. `current` decides the era fallback: when the era table has no era
// for that date (before 明治, or 100 years or more into an era), the era and era-year fields give
// way to one four-digit year field carrying their literals («1800年12月06日» for «gee年mm月dd日»).
DateEditForm BuildDateEditForm(const DateFormatSpec& spec, const EraTable& eras, const DateParts& current);

// The value text of the field model for the fields: each field's content padded to its width.
std::string RenderDateEditText(const DateEditForm& form, const DateParts& parts, const EraTable& eras);

// Splits a value text (as the field model holds it, one run per field) into the field contents.
std::vector<std::string> SplitDateEditText(const DateEditForm& form, std::string_view valueText);

// Reads a value text back into `parts`. Only the fields present in the form change:
//  - a two-digit year takes the century of the year held before («05» with 1998 held → 1905);
//  - an era with its era year (no Gregorian year field) gives the era's year; an era text the
//    table does not know, or a result of 0 or less, leaves the held year; an era year of 0 counts
//    as 1, and without an era field the era is that of the held date;
//  - a year of 0 becomes 100, a month, day or era year of 0 becomes 1.
// Returns the date serial, or nothing when the fields form no valid date.
std::optional<double> ParseDateEditText(const DateEditForm& form, std::string_view valueText, const EraTable& eras,
                                        DateParts& parts);

// A typed digit against the field under the caret. `content` is the field's current text and
// `offset` the caret's character offset in it.
struct DateDigitEdit {
  bool accepted = false;
  std::string content;  // the field's new text
  int caret = 0;        // character offset in the field after the edit (the width: next field)
};
// The digit rules: month 1-12 (3-9 first gives 0x; after 1 only 0-2), day by the month's length
// (February 29 only when `leapYear`; 3 first in February gives 03), hour 0-23, minute and second
// 0-59 (6-9 first gives 0x), years and era years any digit. A first digit that would make the
// field too large together with the digit after it lowers that digit to 0 (month «05», 1 typed
// first → «10»).
DateDigitEdit ApplyDateDigit(DateFieldKind kind, std::string_view content, int offset, char digit, int month,
                             bool leapYear);

// The range of a spin step and of the commit check, as date serials.
struct DateRange {
  double lower = -657434.0;                          // 0100-01-01 00:00:00
  double upper = 2958465.0 + 86399.0 / 86400.0;      // 9999-12-31 23:59:59
};

// 0 in range, 1 above, 2 below; each serial is compared rounded to six decimals of a day.
std::int32_t CheckDateRange(double date, const DateRange& range);

// One spin step of the field `kind` by `step` with wrap-around: a result past the field's maximum
// becomes its minimum and one below the minimum its maximum (month 12 + 1 → 1, 10 + 5 → 1; no
// carry into the year). Years wrap within the range's years; months, and days, narrow to the
// range in its first and last year (and month). An era field moves to the next or previous era,
// keeping the era year where the era has it. Afterwards the day is cut to the month's length and
// a date outside the range is set to the bound it crossed.
DateParts StepDateField(DateFieldKind kind, DateParts parts, std::int64_t step, const DateRange& range,
                        const EraTable& eras);

}  // namespace vl
