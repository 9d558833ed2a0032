#include "runtime/coerce.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <variant>

#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "runtime/locale.h"
#include "runtime/number_parse.h"

namespace vl {

namespace {

// A numeric source, kept the way it is exact: integers, Currency and numeric text as a decimal
// number, binary floating values as they are (with their width, for their shortest text).
struct Binary {
  double value;
  bool single;
};
using Number = std::variant<DecimalNumber, Binary>;

DecimalNumber DecimalFromInt(std::int64_t value, int exponent = 0) {
  DecimalNumber n;
  n.negative = value < 0;
  const std::uint64_t magnitude = n.negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  if (magnitude != 0) n.digits = std::to_string(magnitude);
  n.exponent = exponent;
  return n;
}

// The numeric meaning of a source that is not text; nothing for objects, errors and Null.
std::optional<Number> NumberOf(const Variant& in) {
  switch (in.Type()) {
    case VarType::Empty: return DecimalNumber{};
    case VarType::I2:
    case VarType::I4:
    case VarType::I8:
    case VarType::UI1: return DecimalFromInt(in.AsI8());
    case VarType::Bool: return DecimalFromInt(in.AsBool() ? -1 : 0);
    case VarType::Cy: return DecimalFromInt(in.AsCy().value, -4);
    case VarType::R4: return Binary{in.AsR4(), true};
    case VarType::R8: return Binary{in.AsR8(), false};
    case VarType::Date: return Binary{in.AsDate(), false};
    default: return std::nullopt;
  }
}

// Half to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
double RoundHalfEven(double x) {
  double r = std::floor(x);
  const double diff = x - r;  // exact
  if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return r;
}

CoerceStatus ToInteger(const Number& n, std::int64_t min, std::int64_t max, std::int64_t& out) {
  if (const auto* d = std::get_if<DecimalNumber>(&n)) {
    std::int64_t v = 0;
    if (ScaleToInt64(*d, 0, v) != ScaleStatus::Ok || v < min || v > max) return CoerceStatus::Overflow;
    out = v;
    return CoerceStatus::Ok;
  }
  const double x = std::get<Binary>(n).value;
  if (std::isnan(x)) return CoerceStatus::Overflow;
  const double r = RoundHalfEven(x);
  // max + 1 is a power of two (or fits a double exactly), so the comparison is exact.
  if (r < static_cast<double>(min) || r >= static_cast<double>(max) + 1.0) return CoerceStatus::Overflow;
  out = static_cast<std::int64_t>(r);
  return CoerceStatus::Ok;
}

// Shortest text that reads back as the same binary value, so that 0.1 is taken as 0.1 and not as
// 0.1000000000000000055511151231257827.
std::string ShortestText(const Binary& b) {
  char buffer[64];
  const auto result = b.single ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(b.value))
                               : std::to_chars(buffer, buffer + sizeof buffer, b.value);
  return std::string(buffer, result.ptr);
}

CoerceStatus ToCurrency(const Number& n, Currency& out) {
  std::optional<DecimalNumber> decimal;
  if (const auto* d = std::get_if<DecimalNumber>(&n)) {
    decimal = *d;
  } else {
    const Binary& b = std::get<Binary>(n);
    if (!std::isfinite(b.value)) return CoerceStatus::Overflow;
    decimal = ParseDecimalNumber(ShortestText(b));
    if (!decimal) return CoerceStatus::Overflow;
  }
  std::int64_t units = 0;
  if (ScaleToInt64(*decimal, 4, units) != ScaleStatus::Ok) return CoerceStatus::Overflow;
  out.value = units;
  return CoerceStatus::Ok;
}

CoerceStatus ToDouble(const Number& n, double& out) {
  if (const auto* d = std::get_if<DecimalNumber>(&n)) {
    return ToDouble(*d, out) == ScaleStatus::Ok ? CoerceStatus::Ok : CoerceStatus::Overflow;
  }
  out = std::get<Binary>(n).value;
  return CoerceStatus::Ok;
}

CoerceStatus ToSingle(const Number& n, float& out) {
  if (const auto* d = std::get_if<DecimalNumber>(&n)) {
    if (d->IsZero()) {
      out = 0.0f;
      return CoerceStatus::Ok;
    }
    // Straight from the digits, so the value is rounded once.
    const std::string text = d->digits + "e" + std::to_string(d->exponent);
    float value = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
      if (d->exponent + static_cast<long>(d->digits.size()) > 0) return CoerceStatus::Overflow;
      value = 0.0f;
    } else if (result.ec != std::errc{}) {
      return CoerceStatus::Overflow;
    }
    out = d->negative ? -value : value;
    return CoerceStatus::Ok;
  }
  const double x = std::get<Binary>(n).value;
  // NaN passes through; anything beyond the largest float, infinity included, overflows.
  if (std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max())) return CoerceStatus::Overflow;
  out = static_cast<float>(x);
  return CoerceStatus::Ok;
}

CoerceStatus ToDate(const Number& n, double& out) {
  double serial = 0;
  if (ToDouble(n, serial) != CoerceStatus::Ok || !IsValidDateSerial(serial)) return CoerceStatus::Overflow;
  out = serial;
  return CoerceStatus::Ok;
}

bool IsNonZero(const Number& n) {
  if (const auto* d = std::get_if<DecimalNumber>(&n)) return !d->IsZero();
  return std::get<Binary>(n).value != 0.0;  // NaN is nonzero
}

bool EqualsNoCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Date and time the way the locale's short date and time pictures write them; a serial on day
// zero is a time of day only ("3:04:05"), a midnight a date only.
std::optional<std::string> DateText(double serial) {
  const auto fields = SerialToFields(serial);
  if (!fields) return std::nullopt;
  const LocaleInfo& locale = UserLocale();
  const bool timeOnly = fields->year == 1899 && fields->month == 12 && fields->day == 30;
  const bool hasTime = fields->hour != 0 || fields->minute != 0 || fields->second != 0;
  if (timeOnly) return FormatTimePicture(*fields, locale.timeFormat);
  std::string text = FormatDatePicture(*fields, locale.shortDate);
  if (hasTime) {
    text += ' ';
    text += FormatTimePicture(*fields, locale.timeFormat);
  }
  return text;
}

// The %G rules of the C library with `precision` significant digits, spelled the way the run time
// spells them: "E+16" rather than "e+016", no trailing zeros, no point on integral values.
std::string RealToText(double value, int precision, bool single) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0.0) return "0";  // negative zero too

  char buffer[64];
  const auto result = single
      ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value), std::chars_format::scientific,
                      precision - 1)
      : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  // "-d.ddde+XX": split into sign, significant digits and the decimal exponent.
  const bool negative = scientific.front() == '-';
  const auto ePos = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, ePos)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(ePos + 1);
  std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string text = negative ? "-" : "";
  if (exponent < -4 || exponent >= precision) {
    text += digits[0];
    if (digits.size() > 1) {
      text += '.';
      text += digits.substr(1);
    }
    text += exponent < 0 ? "E-" : "E+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
  } else if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += digits;
  } else {
    const auto integralDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integralDigits) {
      text += digits;
      text.append(integralDigits - digits.size(), '0');
    } else {
      text += digits.substr(0, integralDigits);
      text += '.';
      text += digits.substr(integralDigits);
    }
  }
  return text;
}

CoerceStatus ToText(const Variant& in, std::string& out) {
  switch (in.Type()) {
    case VarType::Empty: out.clear(); return CoerceStatus::Ok;
    case VarType::I2:
    case VarType::I4:
    case VarType::I8:
    case VarType::UI1: out = std::to_string(in.AsI8()); return CoerceStatus::Ok;
    case VarType::R4: out = SingleToText(in.AsR4()); return CoerceStatus::Ok;
    case VarType::R8: out = DoubleToText(in.AsR8()); return CoerceStatus::Ok;
    case VarType::Cy: out = CurrencyToText(in.AsCy()); return CoerceStatus::Ok;
    case VarType::Bool: out = in.AsBool() ? "True" : "False"; return CoerceStatus::Ok;
    case VarType::Date: {
      auto text = DateText(in.AsDate());
      if (!text) return CoerceStatus::Overflow;
      out = std::move(*text);
      return CoerceStatus::Ok;
    }
    default: return CoerceStatus::BadVarType;  // no payload this code knows how to write
  }
}

bool IsSupportedTarget(VarType t) {
  switch (t) {
    case VarType::I2:
    case VarType::I4:
    case VarType::I8:
    case VarType::UI1:
    case VarType::R4:
    case VarType::R8:
    case VarType::Cy:
    case VarType::Date:
    case VarType::Bstr:
    case VarType::Bool: return true;
    default: return false;
  }
}

// Converts a number to a numeric, date or Boolean target.
CoerceStatus FromNumber(const Number& n, VarType target, Variant& out) {
  switch (target) {
    case VarType::I2:
    case VarType::I4:
    case VarType::I8:
    case VarType::UI1: {
      std::int64_t min = std::numeric_limits<std::int64_t>::min();
      std::int64_t max = std::numeric_limits<std::int64_t>::max();
      if (target == VarType::I2) { min = -32768; max = 32767; }
      if (target == VarType::I4) { min = std::numeric_limits<std::int32_t>::min(); max = std::numeric_limits<std::int32_t>::max(); }
      if (target == VarType::UI1) { min = 0; max = 255; }
      std::int64_t v = 0;
      const CoerceStatus s = ToInteger(n, min, max, v);
      if (s != CoerceStatus::Ok) return s;
      if (target == VarType::I2) out = Variant::I2(static_cast<std::int16_t>(v));
      if (target == VarType::I4) out = Variant::I4(static_cast<std::int32_t>(v));
      if (target == VarType::I8) out = Variant::I8(v);
      if (target == VarType::UI1) out = Variant::UI1(static_cast<std::uint8_t>(v));
      return CoerceStatus::Ok;
    }
    case VarType::R4: {
      float f = 0;
      const CoerceStatus s = ToSingle(n, f);
      if (s == CoerceStatus::Ok) out = Variant::R4(f);
      return s;
    }
    case VarType::R8: {
      double d = 0;
      const CoerceStatus s = ToDouble(n, d);
      if (s == CoerceStatus::Ok) out = Variant::R8(d);
      return s;
    }
    case VarType::Cy: {
      Currency c;
      const CoerceStatus s = ToCurrency(n, c);
      if (s == CoerceStatus::Ok) out = Variant::Cy(c);
      return s;
    }
    case VarType::Date: {
      double serial = 0;
      const CoerceStatus s = ToDate(n, serial);
      if (s == CoerceStatus::Ok) out = Variant::Date(serial);
      return s;
    }
    case VarType::Bool: out = Variant::Bool(IsNonZero(n)); return CoerceStatus::Ok;
    default: return CoerceStatus::BadVarType;
  }
}

CoerceStatus FromText(std::string_view text, VarType target, Variant& out) {
  if (target == VarType::Bool) {
    const std::string_view word = TrimSpaces(text);
    if (EqualsNoCase(word, "true")) { out = Variant::Bool(true); return CoerceStatus::Ok; }
    if (EqualsNoCase(word, "false")) { out = Variant::Bool(false); return CoerceStatus::Ok; }
  }
  if (target == VarType::Date) {
    const auto serial = ParseDateText(text);
    if (!serial) return CoerceStatus::TypeMismatch;
    out = Variant::Date(*serial);
    return CoerceStatus::Ok;
  }
  const auto number = ParseDecimalNumber(text);
  if (!number) return CoerceStatus::TypeMismatch;
  return FromNumber(*number, target, out);
}

}  // namespace

CoerceStatus ChangeType(const Variant& in, VarType target, Variant& out) {
  const VarType source = in.Type();
  if (source == target) {
    out = in;
    return CoerceStatus::Ok;
  }
  if (source == VarType::Null) return CoerceStatus::TypeMismatch;
  if (target == VarType::Empty) {
    out = Variant::Empty();
    return CoerceStatus::Ok;
  }
  if (target == VarType::Null) {
    if (source != VarType::Empty) return CoerceStatus::TypeMismatch;
    out = Variant::Null();
    return CoerceStatus::Ok;
  }
  if (!IsSupportedTarget(target)) return CoerceStatus::BadVarType;

  switch (source) {
    case VarType::Dispatch:
    case VarType::Error: return CoerceStatus::TypeMismatch;
    case VarType::Bstr: return FromText(in.AsBstr(), target, out);
    default: break;
  }
  if (target == VarType::Bstr) {
    std::string text;
    const CoerceStatus s = ToText(in, text);
    if (s == CoerceStatus::Ok) out = Variant::Bstr(std::move(text));
    return s;
  }
  const auto number = NumberOf(in);
  if (!number) return CoerceStatus::BadVarType;
  return FromNumber(*number, target, out);
}

std::string DoubleToText(double value) { return RealToText(value, 15, false); }

std::string SingleToText(float value) { return RealToText(value, 7, true); }

}  // namespace vl
