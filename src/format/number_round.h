// Decimal rounding of number texts to a fixed count of fraction digits.
//
// The display of numbers never goes through a binary floating-point value: the digits the user
// sees are rounded on the decimal text itself, so «0.005» to two places is «0.01» (as a double,
// 0.005 is slightly less than a half-cent and would round down). The result does not depend on
// the process locale: "." is the decimal point, there are no group separators.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// The longest text the rounding gives; a longer result is a failure, so a display text stays
// bounded whatever number text comes in.
inline constexpr std::size_t kMaxRoundedTextLength = 511;

// Rounds `text` to exactly `fracDigits` fraction digits (a negative count is taken as 0).
//
// Input: an optional "-", decimal digits, at most one "." and more digits; either side of the
// point may be empty («.5», «5.», even «.» for zero). Anything else, an empty text or a lone "-"
// fails.
// Output: leading zeros removed but "0" kept before the point, "." only when fracDigits > 0,
// the fraction padded with zeros, halves rounded away from zero on the decimal digits, "-" in
// front of a negative result. A result that rounds to zero drops its "-" («-0.004» to two
// places is «0.00», not «-0.00»): a text with no digit above zero is not negative.
//   «1.23456», 3 -> «1.235»     «9.995», 2 -> «10.00»     «007», 2 -> «7.00»
//   «-2.5», 0    -> «-3»        «.5», 1    -> «0.5»       «», 2    -> fails
// Returns false, leaving `out` unspecified, on failure or when the result would be longer than
// kMaxRoundedTextLength.
bool RoundDecimalText(std::string_view text, std::int32_t fracDigits, std::string& out);

// The same into a caller's buffer of at least kMaxRoundedTextLength + 1 bytes (no terminator is
// written). Returns the length of the result, or 0 on failure.
std::size_t RoundDecimalTextTo(std::string_view text, std::int32_t fracDigits, char* out);

// The same on a text already taken apart at its point, for callers that hold the parts (the
// number formatter) and would otherwise glue them together first: `intPart` "." `fracPart`, the
// point present when `hasPoint`. An empty integer part without a point is the empty text.
std::size_t RoundDecimalPartsTo(bool negative, std::string_view intPart, bool hasPoint,
                                std::string_view fracPart, std::int32_t fracDigits, char* out);

}  // namespace vl
