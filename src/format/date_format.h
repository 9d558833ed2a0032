// Date and time patterns: the Format of a Date box.
//
// A pattern is tokenized once into a DateFormatSpec (a leading literal, then tokens each followed
// by the literal text up to the next token) and then formats any number of dates. Minutes are
// "n"; "m" is always the month. There is no quoting and no escape: every byte that starts no
// token is literal, so upper-case «MM», «DD», «YYYY», «HH» and Japanese text such as 年月日 stay
// as written.
//
//   "yyyy/mm/dd hh:nn:ss"  2000-01-02 03:04:05  → «2000/01/02 03:04:05»
//   "gee年m月d日"          2000-01-02           → «H12年1月2日»
//   "ggge年"               2019-05-01           → «令和1年»
//   "yyyy/m/d hh:nn AM/PM" 15:04                → «…03:04 PM» (an AM/PM token makes "h" 12-hour)
//
// Numbers are ASCII digits; month and weekday names are the English and Japanese ones whatever
// the user's locale; only the short/long date and time tokens ("c", "ddddd", "dddddd", "ttttt")
// and "AMPM" use the user's locale. All texts are CP932.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/era_table.h"

namespace vl {

// The token families. Each token letter's run length picks a family and a variant.
namespace date_family {
inline constexpr std::uint32_t kDateTime = 1;        // c       short date, space, time
inline constexpr std::uint32_t kLocaleDate = 2;      // ddddd (variant 2 short) dddddd (1 long)
inline constexpr std::uint32_t kLocaleTime = 3;      // ttttt
inline constexpr std::uint32_t kEra = 4;             // g (0 letter) gg (2 short) ggg (1 full)
inline constexpr std::uint32_t kYear = 5;            // yy (2) yyyy (0)
inline constexpr std::uint32_t kEraYear = 6;         // e (2) ee (0)
inline constexpr std::uint32_t kMonth = 7;           // m (2) mm (0)
inline constexpr std::uint32_t kMonthName = 8;       // mmm (2) mmmm (1)
inline constexpr std::uint32_t kDay = 9;             // d (2) dd (0)
inline constexpr std::uint32_t kWeekdayName = 10;    // ddd (2) dddd (1)
inline constexpr std::uint32_t kJapaneseWeekday = 11;  // aaa (2) aaaa (1)
inline constexpr std::uint32_t kWeekday = 12;        // w
inline constexpr std::uint32_t kWeekOfYear = 13;     // ww
inline constexpr std::uint32_t kDayOfYear = 14;      // y
inline constexpr std::uint32_t kQuarter = 15;        // q
inline constexpr std::uint32_t kHour = 16;           // h (2) hh (0)
inline constexpr std::uint32_t kMinute = 17;         // n (2) nn (0)
inline constexpr std::uint32_t kSecond = 18;         // s (2) ss (0)
inline constexpr std::uint32_t kAmPm = 19;           // AM/PM (0) am/pm (2)
inline constexpr std::uint32_t kAP = 20;             // A/P (0) a/p (2)
inline constexpr std::uint32_t kLocaleAmPm = 21;     // AMPM, ampm
}  // namespace date_family

// Variants: 0 the long or zero-padded form, 2 the short or unpadded form, 1 the other long form
// (full names, long date). Which applies is in the family table above.
struct DateToken {
  std::uint32_t family = 0;
  std::uint32_t variant = 0;
  std::string literalAfter;  // text up to the next token or the end of the pattern

  friend bool operator==(const DateToken&, const DateToken&) = default;
};

struct DateFormatSpec {
  std::string leadingLiteral;
  std::vector<DateToken> tokens;

  friend bool operator==(const DateFormatSpec&, const DateFormatSpec&) = default;
};

// Tokenizes a pattern. Scanning left to right, only "A a c d e g h m n q s t w y" can start a
// token; a letter's token is measured on the run of that letter at its first occurrence in the
// rest of the pattern, a run longer than the letter's longest form is cut to it and the rest of
// the run starts again («yyy» is "yy" then "y", «ddddddd» is "dddddd" then "d"). "t" makes a token
// only as a run of exactly five; since the measure is at the first "t" of the rest, a run of
// another length also leaves every later "t" literal. "A"/"a" instead search the whole rest for
// "aaaa", "aaa", "am/pm", "ampm", "a/p", "AM/PM", "AMPM", "A/P", in that order, and the first one
// found anywhere is the token, where it stands: in «hh:nn AM/PM aaa» the token is "aaa" and
// «AM/PM » is literal. The second byte of a two-byte character is never read as a letter.
DateFormatSpec ParseDateFormat(std::string_view pattern);

// True when the pattern holds an AM/PM marker (families 19, 20, 21): "h" and "hh" then count 1 to 12.
bool UsesTwelveHourClock(const DateFormatSpec& spec);

// The date serial written through the pattern: the leading literal, then each token's text and its
// literal. Nothing when the serial is not a valid date (its calendar fields cannot be obtained).
std::optional<std::string> FormatDateTime(double date, const DateFormatSpec& spec, bool twelveHour,
                                          const EraTable& eras);

// The same, appending to `out`; false (and `out` unchanged) for an invalid date.
bool AppendDateTime(std::string& out, double date, const DateFormatSpec& spec, bool twelveHour,
                    const EraTable& eras);

}  // namespace vl
