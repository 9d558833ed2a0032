#include "format/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "format/number_round.h"
#include "text/mbcs.h"

namespace vl {

std::int32_t NumberFormatSpec::MinIntDigits() const {
  std::int32_t n = 0;
  for (const DigitRun& run : runs) {
    if (run.inInteger && run.kind == DigitKind::Required) n += run.count;
  }
  return n;
}

std::int32_t NumberFormatSpec::MinFracDigits() const {
  std::int32_t n = 0;
  for (const DigitRun& run : runs) {
    if (!run.inInteger && run.kind == DigitKind::Required) n += run.count;
  }
  return n;
}

namespace {

// The scan of one section, one character at a time; see ParseNumberFormat in the header for the
// rules it implements.
class SectionScanner {
 public:
  explicit SectionScanner(NumberFormatSpec& spec) : spec_(spec) {}

  bool Run(std::string_view section) {
    std::size_t p = 0;
    while (p < section.size()) {
      const std::size_t len = static_cast<std::size_t>(CharLengthAt(section, p));
      Step(section.substr(p, len));
      p += len;
    }
    CloseRun();
    return hasFormatChars_;
  }

 private:
  void Step(std::string_view ch) {
    if (escapeNext_) {
      escapeNext_ = false;
      Literal(ch);
      return;
    }
    const bool isQuote = ch.size() == 1 && ch[0] == '"';
    if (inQuotes_ && !isQuote) {
      Literal(ch);
      return;
    }
    if (ch.size() != 1) return;  // an unquoted double-byte character has no meaning here
    switch (ch[0]) {
      case '"':
        inQuotes_ = !inQuotes_;
        break;
      case '\\':
        escapeNext_ = true;
        break;
      case '#':
        Placeholder(DigitKind::Optional, '#');
        break;
      case '0':
        Placeholder(DigitKind::Required, '0');
        break;
      case '.':
        hasFormatChars_ = true;
        // Only a point after a placeholder is the decimal point; «.00» has no fraction.
        if (runOpen_) {
          CloseRun();
          spec_.hasDecimalPoint = true;
          inPrefix_ = false;
        }
        break;
      case ',':
        hasFormatChars_ = true;
        spec_.hasThousands = true;
        (spec_.hasDecimalPoint ? spec_.fracPattern : spec_.intPattern) += ',';
        break;
      case '%':
        hasFormatChars_ = true;
        spec_.style = NumberStyle::Percent;
        break;
      case 'E':
        hasFormatChars_ = true;
        spec_.style = NumberStyle::ScientificUpper;
        break;
      case 'e':
        hasFormatChars_ = true;
        spec_.style = NumberStyle::ScientificLower;
        break;
      case ' ':
      case '$':
      case '(':
      case ')':
      case '+':
      case '-':
        Literal(ch);
        break;
      default:
        break;  // letters, other digits, other punctuation: dropped
    }
  }

  void Placeholder(DigitKind kind, char c) {
    hasFormatChars_ = true;
    if (suffixStarted_) return;
    if (runOpen_ && run_.kind != kind) CloseRun();
    if (!runOpen_) {
      run_ = DigitRun{!spec_.hasDecimalPoint, kind, 0};
      runOpen_ = true;
    }
    ++run_.count;
    if (spec_.hasDecimalPoint) {
      ++spec_.fracDigits;
      spec_.fracPattern += c;
    } else {
      ++spec_.intDigits;
      spec_.intPattern += c;
    }
    inPrefix_ = false;
  }

  void Literal(std::string_view ch) {
    if (inPrefix_) {
      spec_.prefix += ch;
    } else {
      spec_.suffix += ch;
      suffixStarted_ = true;
    }
  }

  void CloseRun() {
    if (runOpen_) {
      spec_.runs.push_back(run_);
      runOpen_ = false;
    }
  }

  NumberFormatSpec& spec_;
  bool inQuotes_ = false;
  bool escapeNext_ = false;
  bool inPrefix_ = true;
  bool suffixStarted_ = false;
  bool runOpen_ = false;
  bool hasFormatChars_ = false;
  DigitRun run_;
};

std::size_t Length(std::int32_t n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

// Plain style, once the digits are rounded: `intStr` without leading zeros, `fracStr` without
// trailing zeros.
std::string LayOutPlain(std::string_view sign, std::string_view intStr, std::string_view fracStr,
                        const NumberSection& section) {
  const NumberFormatSpec& spec = section.spec;
  const bool bounded = !spec.hasThousands;
  // A carry from the rounding can make the integer longer than its placeholders again, and is
  // cut like any other digit: «0.00» shows 9.999 as «0.00».
  if (bounded && intStr.size() > Length(spec.intDigits)) {
    intStr.remove_prefix(intStr.size() - Length(spec.intDigits));
  }
  std::size_t padInt = 0;
  if (intStr.size() < Length(section.minIntDigits)) padInt = Length(section.minIntDigits) - intStr.size();
  std::size_t intLength = padInt + intStr.size();
  // «#.##» shows 0.5 as «.5» and «#,###» shows 0 as nothing.
  if (!spec.intPattern.empty() && spec.intPattern.back() == '#' && intLength == 1 &&
      (padInt == 1 || intStr[0] == '0')) {
    intLength = 0;
    padInt = 0;
    intStr = {};
  }

  if (fracStr.size() > Length(spec.fracDigits)) fracStr = fracStr.substr(0, Length(spec.fracDigits));
  std::size_t padFrac = 0;
  if (fracStr.size() < Length(section.minFracDigits)) padFrac = Length(section.minFracDigits) - fracStr.size();
  const bool showPoint = !fracStr.empty() || padFrac > 0 || spec.hasDecimalPoint;

  const std::size_t commas = (spec.hasThousands && intLength > 0) ? (intLength - 1) / 3 : 0;
  const std::size_t length = spec.prefix.size() + sign.size() + intLength + commas + (showPoint ? 1 : 0) +
                             fracStr.size() + padFrac + spec.suffix.size();
  std::string out(length, '0');
  char* p = out.data();
  const auto put = [&p](std::string_view s) {
    if (!s.empty()) std::memcpy(p, s.data(), s.size());
    p += s.size();
  };
  put(spec.prefix);
  put(sign);
  // Digits of the integer string, zero padding first, with "," before every group of three
  // counted from the right.
  std::size_t groupLeft = commas > 0 ? (intLength - 1) % 3 + 1 : intLength;
  for (std::size_t i = 0; i < intLength; ++i) {
    if (groupLeft == 0) {
      *p++ = ',';
      groupLeft = 3;
    }
    --groupLeft;
    *p++ = i < padInt ? '0' : intStr[i - padInt];
  }
  if (showPoint) *p++ = '.';
  put(fracStr);
  p += padFrac;  // already '0'
  put(spec.suffix);
  return out;
}

// Plain style: the number from its decimal digits.
std::string FormatPlain(std::string_view numberText, const NumberSection& section) {
  const NumberFormatSpec& spec = section.spec;
  NumberTextParts parts = SplitNumberText(numberText, true);

  // How many integer digits the section holds. Without grouping the placeholders are the limit
  // and high-order digits beyond them are cut off, not shown («###» shows 12345 as 345; the
  // editors refuse such input beforehand through GetNumberFormatCapacity). A grouped pattern
  // describes how the digits are grouped, not how many there are: «#,##0» shows 1234567 as
  // «1,234,567», never as a silently wrong «4,567».
  const bool bounded = !spec.hasThousands;
  if (bounded && spec.intDigits > 0 && parts.intDigits.size() > Length(spec.intDigits)) {
    parts.intDigits.remove_prefix(parts.intDigits.size() - Length(spec.intDigits));
  }
  // A fraction pattern ending in "#" truncates; one ending in "0" is left to the rounding.
  if (!spec.fracPattern.empty() && spec.fracPattern.back() == '#' && spec.fracDigits > 0 &&
      parts.fracDigits.size() > Length(spec.fracDigits)) {
    parts.fracDigits = parts.fracDigits.substr(0, Length(spec.fracDigits));
  }

  char rounded[kMaxRoundedTextLength + 1];
  const std::size_t roundedLength = RoundDecimalPartsTo(false, parts.intDigits, parts.hasPoint,
                                                        parts.fracDigits, spec.fracDigits, rounded);
  if (roundedLength == 0) return spec.prefix + spec.suffix;

  std::string_view digits(rounded, roundedLength);
  std::string_view intStr = digits;
  std::string_view fracStr;
  if (const std::size_t dot = digits.find('.'); dot != std::string_view::npos) {
    intStr = digits.substr(0, dot);
    fracStr = digits.substr(dot + 1);
  }
  while (intStr.size() > 1 && intStr[0] == '0') intStr.remove_prefix(1);
  while (!fracStr.empty() && fracStr.back() == '0') fracStr.remove_suffix(1);

  return LayOutPlain(parts.sign, intStr, fracStr, section);
}

// The value of a number text as a double, locale-free. False for a text without digits or with
// other characters. A text beyond the range of a double reads as infinity; one too small to
// represent reads as zero.
bool NumberTextToDouble(std::string_view numberText, double& value) {
  const NumberTextParts parts = SplitNumberText(numberText, true);
  if (parts.intDigits.empty() && parts.fracDigits.empty()) return false;
  for (std::string_view s : {parts.intDigits, parts.fracDigits}) {
    for (char c : s) {
      if (c < '0' || c > '9') return false;
    }
  }
  std::string clean;
  clean.reserve(parts.intDigits.size() + parts.fracDigits.size() + 2);
  clean += parts.intDigits.empty() ? std::string_view("0") : parts.intDigits;
  if (!parts.fracDigits.empty()) {
    clean += '.';
    clean += parts.fracDigits;
  }
  double v = 0.0;
  const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), v);
  if (ec == std::errc::result_out_of_range) {
    const bool hasWholeDigits = !parts.intDigits.empty() && parts.intDigits != "0";
    v = hasWholeDigits ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != clean.data() + clean.size()) {
    return false;
  }
  if (parts.sign == "-") v = -v;
  value = v == 0.0 ? 0.0 : v;  // no "-0"
  return true;
}

std::string FormatPercent(std::string_view numberText, const NumberFormatSpec& spec) {
  std::string out = spec.prefix;
  double v = 0.0;
  if (NumberTextToDouble(numberText, v)) {
    // "%f" of the scaled value: six fraction digits, then the decimal rounding. Going through
    // six digits first is what makes 0.12345 (12.344999... after scaling) show as 12.35.
    char fixed[400];
    const auto [end, ec] =
        std::to_chars(fixed, fixed + sizeof fixed, v * 100.0, std::chars_format::fixed, 6);
    if (ec == std::errc()) {
      char rounded[kMaxRoundedTextLength + 1];
      const std::size_t n = RoundDecimalTextTo(
          std::string_view(fixed, static_cast<std::size_t>(end - fixed)), spec.fracDigits, rounded);
      out.append(rounded, n);
    }
  }
  out += '%';
  out += spec.suffix;
  return out;
}

std::string FormatScientific(std::string_view numberText, const NumberFormatSpec& spec) {
  double v = 0.0;
  if (!NumberTextToDouble(numberText, v) || !std::isfinite(v)) return spec.prefix + spec.suffix;
  const int precision = spec.fracDigits > 0 ? spec.fracDigits : 0;
  // sign, digit, point, digits, "e", exponent sign, up to three exponent digits.
  std::string mantissa(static_cast<std::size_t>(precision) + 16, '\0');
  const auto [end, ec] = std::to_chars(mantissa.data(), mantissa.data() + mantissa.size(), v,
                                       std::chars_format::scientific, precision);
  if (ec != std::errc()) return spec.prefix + spec.suffix;
  mantissa.resize(static_cast<std::size_t>(end - mantissa.data()));
  // to_chars writes at least two exponent digits; the display has at least three.
  const std::size_t e = mantissa.find('e');
  if (e != std::string::npos) {
    if (spec.style == NumberStyle::ScientificUpper) mantissa[e] = 'E';
    const std::size_t expDigits = mantissa.size() - (e + 2);
    if (expDigits < 3) mantissa.insert(e + 2, 3 - expDigits, '0');
  }
  std::string out;
  out.reserve(spec.prefix.size() + mantissa.size() + spec.suffix.size());
  out += spec.prefix;
  out += mantissa;
  out += spec.suffix;
  return out;
}

}  // namespace

bool ParseNumberFormat(std::string_view section, NumberFormatSpec& spec) {
  spec = NumberFormatSpec{};
  return SectionScanner(spec).Run(section);
}

NumberSection ParseNumberSection(std::string_view section) {
  NumberSection parsed;
  parsed.isEmpty = section.empty();
  parsed.hasFormatChars = ParseNumberFormat(section, parsed.spec);
  parsed.minIntDigits = parsed.spec.MinIntDigits();
  parsed.minFracDigits = parsed.spec.MinFracDigits();
  return parsed;
}

std::string FormatNumberText(std::string_view numberText, const NumberSection& section) {
  if (section.isEmpty) return std::string(numberText);
  const NumberFormatSpec& spec = section.spec;
  if (!section.hasFormatChars) return spec.prefix + spec.suffix;
  switch (spec.style) {
    case NumberStyle::Plain:
      return FormatPlain(numberText, section);
    case NumberStyle::Percent:
      return FormatPercent(numberText, spec);
    case NumberStyle::ScientificUpper:
    case NumberStyle::ScientificLower:
      return FormatScientific(numberText, spec);
  }
  return std::string(numberText);
}

std::string FormatNumberText(std::string_view numberText, std::string_view section) {
  return FormatNumberText(numberText, ParseNumberSection(section));
}

NumberFormatCapacity GetNumberFormatCapacity(std::string_view section) {
  if (section.empty()) return {};
  NumberFormatSpec spec;
  ParseNumberFormat(section, spec);
  if (spec.style != NumberStyle::Plain) return {};
  return {spec.intDigits, spec.fracDigits};
}

bool ToFixedSix(double x, FixedSixNumber& out) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const int exponentField = static_cast<int>((bits >> 52) & 0x7ff);
  if (exponentField == 0x7ff) return false;  // infinity or NaN
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t m = exponentField == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int e = exponentField == 0 ? -1074 : exponentField - 1075;
  out = FixedSixNumber{(bits >> 63) != 0, 0, 0};
  if (e >= 0) {
    if (e > 10) return false;  // m < 2^53, so below 2^63
    out.whole = m << e;
    return true;
  }
  // Past 2^-80 the scaled fraction (below 2^73) is under half a unit: it rounds to zero.
  const int k = -e;
  if (k >= 80) return true;
  const std::uint64_t fractionBits = k < 64 ? m & ((std::uint64_t{1} << k) - 1) : m;
  out.whole = k < 64 ? m >> k : 0;
  const unsigned __int128 scaled = static_cast<unsigned __int128>(fractionBits) * 1000000u;
  std::uint64_t millionths = static_cast<std::uint64_t>(scaled >> k);
  const unsigned __int128 rest = scaled - (static_cast<unsigned __int128>(millionths) << k);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (k - 1);
  // Half to even; the parity of the whole quotient is that of its last six digits.
  if (rest > half || (rest == half && (millionths & 1) != 0)) ++millionths;
  if (millionths == 1000000) {
    millionths = 0;
    ++out.whole;
  }
  out.millionths = static_cast<std::uint32_t>(millionths);
  return true;
}

std::size_t WriteFixedSixText(const FixedSixNumber& number, char* out) {
  char* p = out;
  if (number.negative) *p++ = '-';
  p = std::to_chars(p, p + 20, number.whole).ptr;
  *p++ = '.';
  std::uint32_t digits = number.millionths;
  int count = 6;
  while (count > 0 && digits % 10 == 0) {
    digits /= 10;
    --count;
  }
  for (int i = count - 1; i >= 0; --i) {
    p[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  return static_cast<std::size_t>(p + count - out);
}

namespace {

std::uint64_t Pow10(std::int32_t n) {
  std::uint64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

}  // namespace

bool FormatFixedSix(const FixedSixNumber& number, const NumberSection& section, std::string& out) {
  const NumberFormatSpec& spec = section.spec;
  // Other styles, and fractions long enough for the rounding's length limit, take the text.
  if (section.isEmpty || !section.hasFormatChars || spec.style != NumberStyle::Plain || spec.fracDigits > 64) {
    return false;
  }
  std::uint64_t whole = number.whole;
  std::uint32_t millionths = number.millionths;
  // The same steps as the text's: high digits beyond the placeholders cut, a fraction ending in
  // "#" truncated, then half away from zero on the next digit.
  if (!spec.hasThousands && spec.intDigits > 0 && spec.intDigits < 19 && whole >= Pow10(spec.intDigits)) {
    whole %= Pow10(spec.intDigits);
  }
  const std::int32_t places = spec.fracDigits > 0 ? spec.fracDigits : 0;
  if (places < 6) {
    const auto unit = static_cast<std::uint32_t>(Pow10(6 - places));
    const std::uint32_t rest = millionths % unit;
    millionths -= rest;
    const bool truncates = !spec.fracPattern.empty() && spec.fracPattern.back() == '#';
    if (!truncates && rest >= unit / 2) millionths += unit;
    if (millionths >= 1000000) {
      millionths -= 1000000;
      ++whole;
    }
  }
  char intDigits[20];
  const std::string_view intStr(
      intDigits, static_cast<std::size_t>(std::to_chars(intDigits, intDigits + 20, whole).ptr - intDigits));
  char fracDigits[6];
  std::size_t fracLength = 6;
  for (std::size_t i = 6; i-- > 0;) {
    fracDigits[i] = static_cast<char>('0' + millionths % 10);
    millionths /= 10;
  }
  while (fracLength > 0 && fracDigits[fracLength - 1] == '0') --fracLength;
  out = LayOutPlain(number.negative ? "-" : "", intStr, std::string_view(fracDigits, fracLength), section);
  return true;
}

NumberTextParts SplitNumberText(std::string_view numberText, bool trim) {
  NumberTextParts parts;
  if (!numberText.empty() && (numberText[0] == '-' || numberText[0] == '+')) {
    parts.sign = numberText.substr(0, 1);
    numberText.remove_prefix(1);
  }
  parts.intDigits = numberText;
  if (const std::size_t dot = numberText.find('.'); dot != std::string_view::npos) {
    parts.intDigits = numberText.substr(0, dot);
    parts.fracDigits = numberText.substr(dot + 1);
    parts.hasPoint = true;
  }
  if (trim) {
    while (parts.intDigits.size() > 1 && parts.intDigits[0] == '0')
      parts.intDigits.remove_prefix(1);
    while (!parts.fracDigits.empty() && parts.fracDigits.back() == '0') {
      parts.fracDigits.remove_suffix(1);
    }
  }
  return parts;
}

}  // namespace vl
