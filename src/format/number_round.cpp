#include "format/number_round.h"

#include <cstring>

namespace vl {
namespace {

bool AllDigits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::size_t RoundDecimalTextTo(std::string_view text, std::int32_t fracDigits, char* out) {
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos)
    return RoundDecimalPartsTo(negative, text, false, {}, fracDigits, out);
  return RoundDecimalPartsTo(negative, text.substr(0, dot), true, text.substr(dot + 1), fracDigits,
                             out);
}

std::size_t RoundDecimalPartsTo(bool negative, std::string_view intPart, bool hasPoint,
                                std::string_view fracPart, std::int32_t fracDigits, char* out) {
  if (intPart.empty() && !hasPoint) return 0;
  if (!AllDigits(intPart) || !AllDigits(fracPart)) return 0;  // a second "." lands in fracPart
  while (intPart.size() > 1 && intPart[0] == '0') intPart.remove_prefix(1);
  if (intPart.empty()) intPart = "0";

  const std::size_t n = fracDigits > 0 ? static_cast<std::size_t>(fracDigits) : 0;
  // Digits are built from out[2] on, so that a carry out of the top digit and the sign can be
  // put in front without moving anything.
  const std::size_t bodyLength = intPart.size() + (n > 0 ? n + 1 : 0);
  if (bodyLength + (negative ? 1 : 0) > kMaxRoundedTextLength) return 0;

  char scratch[kMaxRoundedTextLength + 3];
  char* body = scratch + 2;
  // string_view data may be null for an empty part; memcpy must not see it.
  if (!intPart.empty()) std::memcpy(body, intPart.data(), intPart.size());
  if (n > 0) {
    char* frac = body + intPart.size();
    *frac++ = '.';
    const std::size_t kept = fracPart.size() < n ? fracPart.size() : n;
    if (kept > 0) std::memcpy(frac, fracPart.data(), kept);
    std::memset(frac + kept, '0', n - kept);
  }

  char* first = body;
  if (fracPart.size() > n && fracPart[n] >= '5') {
    std::size_t i = bodyLength;
    bool carry = true;
    while (carry && i > 0) {
      --i;
      if (body[i] == '.') continue;
      if (body[i] == '9') {
        body[i] = '0';
      } else {
        ++body[i];
        carry = false;
      }
    }
    if (carry) *--first = '1';
  }

  if (negative) {
    bool allZero = true;
    for (const char* c = first; c != body + bodyLength; ++c) {
      if (*c != '0' && *c != '.') {
        allZero = false;
        break;
      }
    }
    if (!allZero) *--first = '-';
  }
  const std::size_t length = static_cast<std::size_t>(body + bodyLength - first);
  if (length > kMaxRoundedTextLength) return 0;
  std::memcpy(out, first, length);
  return length;
}

bool RoundDecimalText(std::string_view text, std::int32_t fracDigits, std::string& out) {
  char buffer[kMaxRoundedTextLength + 1];
  const std::size_t length = RoundDecimalTextTo(text, fracDigits, buffer);
  if (length == 0) return false;
  out.assign(buffer, length);
  return true;
}

}  // namespace vl
