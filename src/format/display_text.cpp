#include "format/display_text.h"

#include <charconv>
#include <cmath>

#include "format/date_format.h"
#include "format/number_display.h"
#include "format/number_format.h"
#include "format/string_mask.h"
#include "runtime/currency.h"
#include "text/mbcs.h"

namespace vl {

namespace {

// "%f" of a double without the process locale: six decimals, then trailing zeros removed.
std::string FixedSixText(double x) {
  if (!std::isfinite(x)) return std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
  FixedSixNumber number;
  if (ToFixedSix(x, number)) {
    char buf[28];
    return std::string(buf, WriteFixedSixText(number, buf));
  }
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 6);
  std::string text(buf, r.ptr);
  TrimTrailingZeros(text);
  return text;
}

SignClass OfInteger(long long v) { return v < 0 ? SignClass::Negative : v == 0 ? SignClass::Zero : SignClass::Positive; }

bool IsDecimalKind(std::uint16_t type) {
  return type == VlTextSingle || type == VlTextDouble || type == VlTextCurrency;
}

}  // namespace

std::string NumberDisplayText(std::string number, SignClass sign, const FormatSectionSet& sections, bool decimalKind) {
  const bool chosenSectionEmpty = sections.positive.empty() && !(sign == SignClass::Negative && sections.hasNegative) &&
                                  !(sign == SignClass::Zero && sections.hasZero) &&
                                  !(sign == SignClass::Null && sections.hasNull);
  if (chosenSectionEmpty && decimalKind && !number.empty() && number.find('.') == std::string::npos) number += '.';
  return FormatNumberForDisplay(number, sign, sections);
}

std::string NumberTextOfValue(std::uint16_t type, const TypedValue& value, SignClass& signClass) {
  signClass = SignClass::Null;
  if (value.IsNullOrEmpty()) return "";
  switch (type) {
    case VlTextInteger:
      signClass = OfInteger(value.AsI2());
      return std::to_string(value.AsI2());
    case VlTextLong:
      signClass = OfInteger(value.AsI4());
      return std::to_string(value.AsI4());
    case VlTextByte:
      signClass = value.AsUI1() == 0 ? SignClass::Zero : SignClass::Positive;
      return std::to_string(value.AsUI1());
    case VlTextSingle:
    case VlTextDouble: {
      const double x = type == VlTextSingle ? static_cast<double>(value.AsR4()) : value.AsR8();
      signClass = (x < 0 || std::isnan(x)) ? SignClass::Negative : x == 0 ? SignClass::Zero : SignClass::Positive;
      return FixedSixText(x);
    }
    case VlTextCurrency:
      signClass = OfInteger(value.AsCy().value);
      return CurrencyToText(value.AsCy());
    default:
      return "";
  }
}

std::string DisplayTextForValue(std::uint16_t type, const TypedValue& value, std::string_view format,
                                const EraTable& eras) {
  switch (type) {
    case VlTextInteger: case VlTextLong: case VlTextSingle: case VlTextDouble: case VlTextCurrency:
    case VlTextByte: {
      SignClass sign;
      std::string number = NumberTextOfValue(type, value, sign);
      return NumberDisplayText(std::move(number), sign, MakeFormatSectionSet(format), IsDecimalKind(type));
    }
    case VlTextDate: {
      if (value.IsNullOrEmpty()) return "";
      const DateFormatSpec spec = ParseDateFormat(format);
      return FormatDateTime(value.AsDate(), spec, UsesTwelveHourClock(spec), eras).value_or(std::string());
    }
    case VlTextString: {
      const StringFormatParts parts = SplitStringFormat(format);
      if (value.IsNullOrEmpty()) return ShownNullText(parts.nullText);
      if (parts.mask.empty()) return value.AsBstr();
      return MaskDisplayText(value.AsBstr(), ParseStringMask(parts.mask), false);
    }
    case VlTextBoolean:
      return value.IsNullOrEmpty() ? "" : TypedValueToText(value);
    default:
      return "";
  }
}

}  // namespace vl
