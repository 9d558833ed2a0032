// Numeric sections: how one number is shown.
//
// A numeric section is one section of a numeric `Format` (see format_sections.h): digit
// placeholders "#" (a digit when there is one) and "0" (always a digit), a decimal point ".",
// thousands grouping ",", "%" for percent and "E"/"e" for scientific notation, and literal text
// before and after the number. A section is parsed once into a `NumberFormatSpec`; a number comes
// in as its plain decimal text (a "number text": optional "-" or "+", ASCII digits, at most one
// "." and more digits) and is shown from those digits, never from a binary floating-point value,
// except in percent and scientific notation. Nothing here reads the process locale: the point is
// always ".", the group separator ",", groups are three digits.
//
// Worked results («section» with «number text» -> «display»):
//   «#,##0»      «1234567» -> «1,234,567»     «#,###»      «0»       -> «» (nothing)
//   «00,000»     «12»      -> «00,012»        «###»        «12345»   -> «345» (high digits cut)
//   «#,##0.000»  «1.23456» -> «1.235»         «#,###.###»  «1.23456» -> «1.234»
//   «#,###.###»  «2»       -> «2.»            «\\##,###»   «-1234»   -> «\-1,234»
// A fraction pattern that ends in "0" rounds (half away from zero, on the decimal digits); one
// that ends in "#" truncates, which is what a user who typed «1.23456» into «#,###.###» expects
// to see while the box shows three places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

enum class NumberStyle : std::uint16_t {
  Plain = 0,
  Percent = 1,          // a "%" was seen
  ScientificUpper = 2,  // an "E" was seen
  ScientificLower = 3,  // an "e" was seen
};

enum class DigitKind : std::uint16_t {
  Optional = 0,  // "#"
  Required = 1,  // "0"
};

// A stretch of placeholders of one kind on one side of the decimal point. A "," inside the
// stretch does not end it: «#,##0.00» is the runs #×3, 0×1 (integer) and 0×2 (fraction).
struct DigitRun {
  bool inInteger = true;
  DigitKind kind = DigitKind::Optional;
  std::int32_t count = 0;

  friend bool operator==(const DigitRun&, const DigitRun&) = default;
};

struct NumberFormatSpec {
  NumberStyle style = NumberStyle::Plain;  // the last of "%", "E", "e" in the section wins
  std::int32_t intDigits = 0;              // placeholders before the point
  std::int32_t fracDigits = 0;             // placeholders after the point
  bool hasDecimalPoint = false;            // a "." was accepted as the point
  bool hasThousands = false;               // a "," occurred anywhere among the placeholders
  std::string prefix;                      // literal text before the first placeholder
  std::string intPattern;                  // "#", "0" and "," before the point, in order
  std::string fracPattern;                 // "#", "0" and "," after the point, in order
  std::string suffix;                      // literal text after the first placeholder
  std::vector<DigitRun> runs;

  // Digits always shown before and after the point: the "0" placeholders of each side.
  // «#0#» has minIntDigits 1 and intDigits 3.
  std::int32_t MinIntDigits() const;
  std::int32_t MinFracDigits() const;

  friend bool operator==(const NumberFormatSpec&, const NumberFormatSpec&) = default;
};

// Parses a section into `spec` (reset first). Returns true when the section has at least one
// format character ("#", "0", ",", ".", "%", "E", "e") outside quotes and not escaped; false for
// literal text only, such as «"null"» or «\%».
//
// The scan's rules:
//  - "\" makes the next character literal; text between double quotes is literal and the quotes
//    are not shown. A backslash inside quotes is plain text.
//  - Literal text is kept: quoted or escaped characters and the bytes " ", "$", "(", ")", "+",
//    "-". Before the first placeholder (or the accepted point) it goes to `prefix`, after it to
//    `suffix`; once the suffix has started, later placeholders are ignored.
//  - A "." counts as the point only after a placeholder: «.00» is two integer placeholders.
//  - Every other unquoted character is dropped: «#,##0円» shows «1000» as «1,000». A double-byte
//    character is dropped whole, so its second byte is never read as "E", "e" or "\" (ソ is
//    0x83 0x5C): literal words and every double-byte character must be quoted, as in «"△"».
bool ParseNumberFormat(std::string_view section, NumberFormatSpec& spec);

// A section parsed once for repeated formatting: FormatNumberText(number, NumberSection) gives
// the same text as FormatNumberText(number, sectionText) without parsing again.
struct NumberSection {
  bool isEmpty = true;          // an empty section shows the number text unchanged
  bool hasFormatChars = false;  // without any, the section shows its literal text alone
  NumberFormatSpec spec;
  std::int32_t minIntDigits = 0;
  std::int32_t minFracDigits = 0;
};

NumberSection ParseNumberSection(std::string_view section);

// The display text of a number text through a section.
//
// Plain style: the fraction is rounded (or truncated, see above) to the placeholders, "0"
// placeholders pad with zeros, "," groups by three wherever it stands in the section, and an
// integer part of «0» under a pattern that ends in "#" is not shown («#.##» shows «0.5» as «.5»).
// A section without "," holds only as many integer digits as it has placeholders and cuts the
// rest from the left («###» shows «12345» as «345», «0.00» shows «9.999» as «0.00»); a grouped
// section shows every integer digit («#,##0» shows «1234567» as «1,234,567»). The sign stands
// after the prefix: «"$"#,##0» with «-5» is «$-5». A number text the rounding refuses (empty,
// with other characters, or longer than the rounding's limit) shows the prefix and suffix alone.
//
// Percent style: the value is multiplied by 100 and rounded to the fraction placeholders, no
// grouping, "%" after it, then the suffix: «##0.00%» with «0.12345» is «12.35%», and the section
// «"("##0.00%")"» with «0.5» is «(50.00%)». The placeholders do not cut digits before scaling
// («0%» shows «12» as «1200%»).
//
// Scientific style: one digit, the point and one digit per fraction placeholder, "E" or "e", the
// exponent's sign and at least three exponent digits, then the suffix: «0.00E» with «1.5» is
// «1.50E+000». A number text that is not a finite number shows the prefix and suffix alone.
std::string FormatNumberText(std::string_view numberText, const NumberSection& section);
std::string FormatNumberText(std::string_view numberText, std::string_view section);

// A binary floating-point value as its "%f" digits: whole units and six fraction digits, rounded
// half to even on the exact binary value, as printf rounds. `negative` follows the sign bit, so
// -0.0 and tiny negative values are «-0.000000» as in printf.
struct FixedSixNumber {
  bool negative = false;
  std::uint64_t whole = 0;
  std::uint32_t millionths = 0;  // 0 to 999999
};

// False for infinities, NaN and magnitudes of 2^63 or more (their text takes the general route).
bool ToFixedSix(double x, FixedSixNumber& number);

// «-12.500000» without its trailing zeros («-12.5», «3.»), into `out` of at least 28 bytes;
// returns the length.
std::size_t WriteFixedSixText(const FixedSixNumber& number, char* out);

// FormatNumberText of the number's text straight from its digits, without writing and reading the
// text back: the same display for a Plain section. False, leaving `out` alone, for the other
// styles and for empty or literal-only sections (the caller formats the text).
bool FormatFixedSix(const FixedSixNumber& number, const NumberSection& section, std::string& out);

// The digits a section holds, for the editors to refuse or adjust longer input. Plain sections
// only; -1 means no limit (an empty section, percent, scientific).
struct NumberFormatCapacity {
  std::int32_t intDigits = -1;
  std::int32_t fracDigits = -1;

  friend bool operator==(const NumberFormatCapacity&, const NumberFormatCapacity&) = default;
};

// «#,##0.000» holds (4, 3); «0.00E» and «##0.00%» hold (-1, -1).
NumberFormatCapacity GetNumberFormatCapacity(std::string_view section);

// A number text taken apart. `sign` is "-" or "+" when the text starts with one; the integer
// digits run to the first "."; the fraction digits follow it. Nothing is validated.
struct NumberTextParts {
  std::string_view sign;
  std::string_view intDigits;
  std::string_view fracDigits;
  bool hasPoint = false;
};

// With `trim`, leading zeros of the integer digits go but one character stays («007» -> «7»,
// «000» -> «0», «» stays «»), and trailing zeros of the fraction go, possibly all of them.
// The parts view into `numberText`.
NumberTextParts SplitNumberText(std::string_view numberText, bool trim);

}  // namespace vl
