#include "format/number_display.h"

#include <cmath>
#include <utility>

#include "format/display_text.h"

namespace vl {
namespace {

// The section a value of `signClass` is shown through, and the number text it is given.
struct Choice {
  int section;  // 0 positive, 1 negative, 2 zero, 3 Null
  std::string_view numberText;
};

Choice ChooseSection(std::string_view numberText, SignClass signClass,
                     const FormatSectionSet& sections) {
  switch (signClass) {
    case SignClass::Negative:
      if (sections.hasNegative) {
        if (!numberText.empty() && numberText[0] == '-') numberText.remove_prefix(1);
        return {1, numberText};
      }
      break;
    case SignClass::Zero:
      if (sections.hasZero) return {2, numberText};
      break;
    case SignClass::Null:
      if (sections.hasNull) return {3, std::string_view()};
      break;
    case SignClass::Positive:
      break;
  }
  return {0, numberText};
}

const std::string& SectionText(const FormatSectionSet& sections, int index) {
  switch (index) {
    case 1:
      return sections.negative;
    case 2:
      return sections.zero;
    case 3:
      return sections.null;
    default:
      return sections.positive;
  }
}

}  // namespace

std::string FormatNumberForDisplay(std::string_view numberText, SignClass signClass,
                                   const FormatSectionSet& sections) {
  const Choice choice = ChooseSection(numberText, signClass, sections);
  const std::string& section = SectionText(sections, choice.section);
  if (section.empty()) return std::string(choice.numberText);
  return FormatNumberText(choice.numberText, std::string_view(section));
}

SignClass SignClassOfNumberText(std::string_view numberText) {
  if (numberText.empty()) return SignClass::Null;
  bool sawNonZero = false;
  bool sawZero = false;
  for (char c : numberText) {
    if (c >= '1' && c <= '9') sawNonZero = true;
    if (c == '0') sawZero = true;
  }
  if (sawNonZero) return numberText[0] == '-' ? SignClass::Negative : SignClass::Positive;
  return sawZero ? SignClass::Zero : SignClass::Positive;
}

NumberDisplayFormat::NumberDisplayFormat(FormatSectionSet sections)
    : sections_(std::move(sections)),
      positive_(ParseNumberSection(sections_.positive)),
      negative_(ParseNumberSection(sections_.negative)),
      zero_(ParseNumberSection(sections_.zero)),
      null_(ParseNumberSection(sections_.null)) {}

NumberDisplayFormat::NumberDisplayFormat(std::string_view format)
    : NumberDisplayFormat(MakeFormatSectionSet(format)) {}

const NumberSection& NumberDisplayFormat::Parsed(int index) const {
  switch (index) {
    case 1:
      return negative_;
    case 2:
      return zero_;
    case 3:
      return null_;
    default:
      return positive_;
  }
}

std::string NumberDisplayFormat::Format(std::string_view numberText, SignClass signClass) const {
  const Choice choice = ChooseSection(numberText, signClass, sections_);
  return FormatNumberText(choice.numberText, Parsed(choice.section));
}

std::string NumberDisplayFormat::FormatDouble(double x) const {
  const SignClass sign = (x < 0 || std::isnan(x)) ? SignClass::Negative
                         : x == 0                 ? SignClass::Zero
                                                  : SignClass::Positive;
  FixedSixNumber number;
  if (ToFixedSix(x, number)) {
    // The section as Format would choose it; the negative section brings its own marks.
    const int index = ChooseSection(number.negative ? "-" : "", sign, sections_).section;
    if (index == 1) number.negative = false;
    std::string out;
    if (FormatFixedSix(number, Parsed(index), out)) return out;
  }
  SignClass textSign;
  return Format(NumberTextOfValue(VlTextDouble, TypedValue::R8(x), textSign), sign);
}

}  // namespace vl
