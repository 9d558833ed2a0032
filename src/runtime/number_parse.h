// Reading numbers typed by a user of the ja-JP locale, exactly.
//
// The text is first taken apart into a sign, a digit string and a power of ten, without any
// arithmetic, so that the caller decides how to round and where it overflows: a Currency keeps
// four decimals exactly, an Integer rounds half to even, a Double rounds once, correctly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

// The value (negative ? -1 : 1) * digits * 10^exponent. `digits` holds ASCII digits without
// leading zeros; it is empty for zero.
struct DecimalNumber {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return digits.empty(); }
};

// Accepted spellings: surrounding spaces and tabs, a leading "+" or "-", decimal digits with ","
// thousands separators (anywhere after the first digit and before the decimal point, as the
// platform allows), one "." and decimals, an exponent "e"/"E" with an optional sign
// ("1.5e-3"). "&H1F" and "&O17" are hexadecimal and octal integers of up to 64 bits; like the
// platform, a value that fits 16 bits reads as a 16-bit two's complement number and one that fits
// 32 bits as a 32-bit one ("&HFFFF" is -1, "&H10000" is 65536). Nothing for any other text.
std::optional<DecimalNumber> ParseDecimalNumber(std::string_view text);

enum class ScaleStatus { Ok, Overflow };

// The number times 10^scale rounded to an integer, a half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Overflow when the result does not fit a signed 64-bit integer.
ScaleStatus ScaleToInt64(const DecimalNumber& number, int scale, std::int64_t& out);

// The nearest double (one correct rounding). Overflow for a magnitude beyond the largest double;
// a magnitude too small for a double reads as zero.
ScaleStatus ToDouble(const DecimalNumber& number, double& out);

}  // namespace vl
