#include "runtime/number_parse.h"

#include <charconv>
#include <limits>

namespace vl {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// An exponent beyond this is far outside every type's range; clamping keeps the arithmetic
// below in int.
constexpr int kExponentClamp = 100000;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

DecimalNumber FromMagnitude(bool negative, unsigned long long magnitude) {
  DecimalNumber n;
  n.negative = negative;
  if (magnitude != 0) n.digits = std::to_string(magnitude);
  return n;
}

// "&H..." or "&O..." after the ampersand's letter.
std::optional<DecimalNumber> ParseRadixInteger(std::string_view body, unsigned radix) {
  if (body.empty()) return std::nullopt;
  unsigned __int128 value = 0;
  bool tooWide = false;
  for (char c : body) {
    unsigned digit;
    if (IsDigit(c)) {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    if (digit >= radix) return std::nullopt;
    value = value * radix + digit;
    if (value > std::numeric_limits<std::uint64_t>::max()) {
      tooWide = true;
      value = 0;  // keep scanning for bad digits only
    }
  }
  if (tooWide) {
    // More than 64 bits: a number no target holds.
    DecimalNumber huge;
    huge.digits = "1";
    huge.exponent = kExponentClamp;
    return huge;
  }
  const auto bits = static_cast<std::uint64_t>(value);
  std::int64_t signedValue;
  if (bits <= 0xFFFF) {
    signedValue = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
  } else if (bits <= 0xFFFFFFFF) {
    signedValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  } else {
    signedValue = static_cast<std::int64_t>(bits);
  }
  const bool negative = signedValue < 0;
  const auto magnitude = negative ? 0 - static_cast<std::uint64_t>(signedValue)
                                  : static_cast<std::uint64_t>(signedValue);
  return FromMagnitude(negative, magnitude);
}

}  // namespace

std::optional<DecimalNumber> ParseDecimalNumber(std::string_view text) {
  text = Trim(text);
  if (text.size() >= 2 && text[0] == '&') {
    const char kind = text[1];
    if (kind == 'H' || kind == 'h') return ParseRadixInteger(text.substr(2), 16);
    if (kind == 'O' || kind == 'o') return ParseRadixInteger(text.substr(2), 8);
    return std::nullopt;
  }

  DecimalNumber n;
  std::size_t p = 0;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    n.negative = text[p] == '-';
    ++p;
  }

  std::string mantissa;
  int fractionDigits = 0;
  bool sawPoint = false;
  bool sawDigit = false;
  for (; p < text.size(); ++p) {
    const char c = text[p];
    if (IsDigit(c)) {
      mantissa.push_back(c);
      sawDigit = true;
      if (sawPoint) ++fractionDigits;
    } else if (c == ',' && sawDigit && !sawPoint) {
      // A grouping separator: it carries no value.
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
  }
  if (!sawDigit) return std::nullopt;

  long exponent = 0;
  if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
      negativeExponent = text[p] == '-';
      ++p;
    }
    if (p >= text.size() || !IsDigit(text[p])) return std::nullopt;
    for (; p < text.size() && IsDigit(text[p]); ++p) {
      if (exponent < kExponentClamp) exponent = exponent * 10 + (text[p] - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (p != text.size()) return std::nullopt;

  // Normalise: no leading zeros, no trailing zeros (they move into the exponent).
  const auto first = mantissa.find_first_not_of('0');
  if (first == std::string::npos) {
    n.negative = false;  // "-0" is zero
    return n;
  }
  const auto last = mantissa.find_last_not_of('0');
  n.digits = mantissa.substr(first, last - first + 1);
  exponent += static_cast<long>(mantissa.size() - 1 - last) - fractionDigits;
  if (exponent > kExponentClamp) exponent = kExponentClamp;
  if (exponent < -kExponentClamp) exponent = -kExponentClamp;
  n.exponent = static_cast<int>(exponent);
  return n;
}

ScaleStatus ScaleToInt64(const DecimalNumber& number, int scale, std::int64_t& out) {
  if (number.IsZero()) {
    out = 0;
    return ScaleStatus::Ok;
  }
  // 2^63: the magnitude of the most negative value; positive values stop one below.
  constexpr unsigned __int128 kLimit = static_cast<unsigned __int128>(1) << 63;
  const unsigned __int128 limit = number.negative ? kLimit : kLimit - 1;

  const std::string& digits = number.digits;
  const long shift = static_cast<long>(number.exponent) + scale;  // power of ten after scaling
  const long length = static_cast<long>(digits.size());
  const long kept = shift >= 0 ? length : length + shift;  // digits left of the point
  if (kept + (shift > 0 ? shift : 0) > 20) return ScaleStatus::Overflow;

  unsigned __int128 magnitude = 0;
  for (long i = 0; i < kept; ++i) magnitude = magnitude * 10 + static_cast<unsigned>(digits[i] - '0');
  for (long i = 0; i < shift; ++i) magnitude *= 10;

  // Round half to even on the dropped digits. When even the first digit lies two or more places
  // right of the point (kept < 0) the number is below one half and rounds to zero.
  if (kept >= 0 && kept < length) {
    const char roundDigit = digits[kept];
    bool sticky = false;  // anything nonzero after the rounding digit
    for (long i = kept + 1; i < length && !sticky; ++i) sticky = digits[i] != '0';
    const bool up = roundDigit > '5' || (roundDigit == '5' && (sticky || (magnitude & 1) != 0));
    if (up) ++magnitude;
  }
  if (magnitude > limit) return ScaleStatus::Overflow;
  const auto bits = static_cast<std::uint64_t>(magnitude);
  out = number.negative ? static_cast<std::int64_t>(0 - bits) : static_cast<std::int64_t>(bits);
  return ScaleStatus::Ok;
}

ScaleStatus ToDouble(const DecimalNumber& number, double& out) {
  if (number.IsZero()) {
    out = 0.0;
    return ScaleStatus::Ok;
  }
  const std::string text = number.digits + "e" + std::to_string(number.exponent);
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large is an overflow; too small is as near to zero as a double gets.
    const long magnitudeExponent = static_cast<long>(number.exponent) + static_cast<long>(number.digits.size());
    if (magnitudeExponent > 0) return ScaleStatus::Overflow;
    value = 0.0;
  } else if (result.ec != std::errc{}) {
    return ScaleStatus::Overflow;
  }
  out = number.negative ? -value : value;
  return ScaleStatus::Ok;
}

}  // namespace vl
