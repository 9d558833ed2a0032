#include "runtime/locale.h"

#include <array>

#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl {

namespace {

// The names a ja-JP user sees. Short month names in this locale are the bare numbers.
struct JapaneseNames {
  std::array<std::string, 7> shortDays;
  std::array<std::string, 7> longDays;
  std::array<std::string, 12> longMonths;
  std::string gregorianEra;
};

const JapaneseNames& Names() {
  static const JapaneseNames names = [] {
    JapaneseNames n;
    const char* days[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int i = 0; i < 7; ++i) {
      n.shortDays[i] = Cp932Literal(days[i]);
      n.longDays[i] = Cp932Literal(days[i]) + Cp932Literal("曜日");
    }
    for (int i = 0; i < 12; ++i) n.longMonths[i] = std::to_string(i + 1) + Cp932Literal("月");
    n.gregorianEra = Cp932Literal("西暦");
    return n;
  }();
  return names;
}

std::string Padded(int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// Length of the run of `letter` starting at p.
std::size_t RunLength(std::string_view picture, std::size_t p, char letter) {
  std::size_t n = 0;
  while (p + n < picture.size() && picture[p + n] == letter) ++n;
  return n;
}

// Copies a quoted literal starting at the opening quote; "''" inside or outside a literal is one
// quote. Returns the position after the closing quote (or the end of an unterminated literal).
std::size_t CopyQuoted(std::string_view picture, std::size_t p, std::string& out) {
  ++p;  // opening quote
  while (p < picture.size()) {
    if (picture[p] == '\'') {
      if (p + 1 < picture.size() && picture[p + 1] == '\'') {
        out += '\'';
        p += 2;
        continue;
      }
      return p + 1;
    }
    const int len = CharLengthAt(picture, p);
    out.append(picture.substr(p, len));
    p += len;
  }
  return p;
}

// Walks a picture: quoted text and other characters are copied, and each run of a letter in
// `letters` is handed to `token(letter, runLength)`. Double-byte characters are copied whole, so
// a trail byte that looks like a letter is never taken for one.
template <typename TokenFn>
std::string WalkPicture(std::string_view picture, std::string_view letters, TokenFn token) {
  std::string out;
  std::size_t p = 0;
  while (p < picture.size()) {
    const char c = picture[p];
    if (c == '\'') {
      if (p + 1 < picture.size() && picture[p + 1] == '\'') {
        out += '\'';
        p += 2;
      } else {
        p = CopyQuoted(picture, p, out);
      }
      continue;
    }
    if (letters.find(c) != std::string_view::npos) {
      const std::size_t run = RunLength(picture, p, c);
      out += token(c, run);
      p += run;
      continue;
    }
    const int len = CharLengthAt(picture, p);
    out.append(picture.substr(p, len));
    p += len;
  }
  return out;
}

}  // namespace

const LocaleInfo& UserLocale() {
  static const LocaleInfo info{
      "yyyy/MM/dd",
      Cp932Literal("yyyy'年'M'月'd'日'"),
      "H:mm:ss",
      Cp932Literal("午前"),
      Cp932Literal("午後"),
  };
  return info;
}

std::string FormatDatePicture(const DateTimeFields& fields, std::string_view picture) {
  const JapaneseNames& names = Names();
  return WalkPicture(picture, "dMyg", [&](char letter, std::size_t run) -> std::string {
    switch (letter) {
      case 'd':
        if (run == 1) return std::to_string(fields.day);
        if (run == 2) return Padded(fields.day, 2);
        if (fields.dayOfWeek < 0 || fields.dayOfWeek > 6) return {};
        return run == 3 ? names.shortDays[fields.dayOfWeek] : names.longDays[fields.dayOfWeek];
      case 'M':
        if (run == 1 || run == 3) return std::to_string(fields.month);  // short name is the number
        if (run == 2) return Padded(fields.month, 2);
        if (fields.month < 1 || fields.month > 12) return {};
        return names.longMonths[fields.month - 1];
      case 'y':
        if (run == 1) return std::to_string(fields.year % 100);
        if (run == 2) return Padded(fields.year % 100, 2);
        return Padded(fields.year, 4);
      default:  // 'g': the era of the Gregorian calendar
        return names.gregorianEra;
    }
  });
}

std::string FormatTimePicture(const DateTimeFields& fields, std::string_view picture) {
  const LocaleInfo& locale = UserLocale();
  return WalkPicture(picture, "hHmst", [&](char letter, std::size_t run) -> std::string {
    const int width = run >= 2 ? 2 : 1;
    switch (letter) {
      case 'h': {
        const int hour12 = fields.hour % 12 == 0 ? 12 : fields.hour % 12;
        return Padded(hour12, width);
      }
      case 'H': return Padded(fields.hour, width);
      case 'm': return Padded(fields.minute, width);
      case 's': return Padded(fields.second, width);
      default: {  // 't': the designator, or its first character for a single "t"
        const std::string& designator = fields.hour < 12 ? locale.am : locale.pm;
        if (run >= 2 || designator.empty()) return designator;
        return designator.substr(0, CharLengthAt(designator, 0));
      }
    }
  });
}

}  // namespace vl
