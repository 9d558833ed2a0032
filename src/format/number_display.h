// The display text of a numeric box: the section chosen for the value, then the number through it.
//
// Which section serves a value:
//   Negative  the negative section when there is one, with the number's "-" removed (the section
//             brings its own marks: «"△"##,###» shows -1234 as «△1,234»); without one, the
//             positive section shows the "-" itself («-1,234»).
//   Zero      the zero section when there is one («0%» in «##0.00%;"("##0.00%")";0%;\%»).
//   Null      the Null section when there is one, fed an empty number so that only its literal
//             text shows («"null"» shows null, «\%» shows %); without one, the positive section
//             with the number text the caller gave (an empty text shows the section's literal
//             text alone).
//   Positive  the positive section.
// A chosen section that is empty shows the number text as it came.
#pragma once

#include <string>
#include <string_view>

#include "format/format_sections.h"
#include "format/number_format.h"

namespace vl {

// One-shot form: cuts nothing, parses the chosen section and formats.
std::string FormatNumberForDisplay(std::string_view numberText, SignClass signClass,
                                   const FormatSectionSet& sections);

// The class of a number text, for callers that hold the text rather than the typed value:
// Negative for a "-" with a non-zero digit, Zero when every digit is zero, Null for the empty
// text, Positive otherwise. «-0.00» is Zero; «abc» is Positive (it has no zero digit, the
// formatter will show the section's literal text).
SignClass SignClassOfNumberText(std::string_view numberText);

// A numeric `Format` parsed once, for a box that shows many values through the same format.
// Format() gives exactly what FormatNumberForDisplay gives for the same section set.
class NumberDisplayFormat {
 public:
  NumberDisplayFormat() = default;  // no format: every number shows as its number text
  explicit NumberDisplayFormat(FormatSectionSet sections);
  // Cuts and parses a whole `Format` string: «##,###;"△"##,###;;"null"».
  explicit NumberDisplayFormat(std::string_view format);

  std::string Format(std::string_view numberText, SignClass signClass) const;
  // A Single's or Double's display from the value itself: exactly Format of its number text
  // («%f» without trailing zeros) and class, without writing the text for a plain section.
  std::string FormatDouble(double x) const;

  const FormatSectionSet& Sections() const { return sections_; }
  const NumberSection& Positive() const { return positive_; }

 private:
  const NumberSection& Parsed(int index) const;

  FormatSectionSet sections_;
  NumberSection positive_;
  NumberSection negative_;
  NumberSection zero_;
  NumberSection null_;
};

}  // namespace vl
