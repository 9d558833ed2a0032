// Reading a date and/or time the way a Japanese user types it.
//
// The text is cut into tokens first (numbers, separators, the kanji markers, the morning and
// afternoon designators), then read by a small grammar:
//
//   text  := date [time] | time
//   date  := N sep N sep N            sep one of "/", "-", "." (the same twice), year first
//          | N 年 N 月 N [日]
//   time  := [午前|午後|AM|PM] clock [午前|午後|AM|PM]     (at most one designator)
//   clock := N ":" N [":" N]  |  N 時 [N 分 [N 秒]]
//
// with spaces (ASCII or full-width) allowed between the parts. A year of one or two digits is
// read in the window 1930-2029 ("00/1/2" is 2000-01-02). Digits may be full-width.
#include <optional>
#include <string>
#include <vector>

#include "runtime/date_serial.h"
#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl {

namespace {

enum class TokenKind { Number, Slash, Dash, Dot, Colon, Year, Month, Day, Hour, Minute, Second, Am, Pm };

struct Token {
  TokenKind kind;
  int value = 0;   // Number
  int digits = 0;  // Number: how many digits were written
};

struct Markers {
  std::string year, month, day, hour, minute, second, am, pm, fullWidthSpace;
};

const Markers& JapaneseMarkers() {
  static const Markers markers{
      Cp932Literal("年"), Cp932Literal("月"), Cp932Literal("日"), Cp932Literal("時"),
      Cp932Literal("分"), Cp932Literal("秒"), Cp932Literal("午前"), Cp932Literal("午後"),
      Cp932Literal("　"),
  };
  return markers;
}

// A digit at p, ASCII or full-width ("０" is 0x82 0x4F); its value and byte length.
bool DigitAt(std::string_view text, std::size_t p, int& value, int& length) {
  const auto c = static_cast<unsigned char>(text[p]);
  if (c >= '0' && c <= '9') {
    value = c - '0';
    length = 1;
    return true;
  }
  if (c == 0x82 && p + 1 < text.size()) {
    const auto trail = static_cast<unsigned char>(text[p + 1]);
    if (trail >= 0x4F && trail <= 0x58) {
      value = trail - 0x4F;
      length = 2;
      return true;
    }
  }
  return false;
}

bool StartsWithNoCase(std::string_view text, std::size_t p, std::string_view word) {
  if (text.size() - p < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = text[p + i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[i]) return false;
  }
  return true;
}

// Spaces are dropped: the grammar allows them between any two parts and nowhere else matters.
std::optional<std::vector<Token>> Tokenize(std::string_view text) {
  const Markers& m = JapaneseMarkers();
  const std::pair<const std::string*, TokenKind> kanji[] = {
      {&m.year, TokenKind::Year},     {&m.month, TokenKind::Month},   {&m.day, TokenKind::Day},
      {&m.hour, TokenKind::Hour},     {&m.minute, TokenKind::Minute}, {&m.second, TokenKind::Second},
      {&m.am, TokenKind::Am},         {&m.pm, TokenKind::Pm},
  };

  std::vector<Token> tokens;
  std::size_t p = 0;
  while (p < text.size()) {
    int digit = 0;
    int length = 0;
    if (DigitAt(text, p, digit, length)) {
      Token t{TokenKind::Number};
      while (p < text.size() && DigitAt(text, p, digit, length)) {
        if (t.digits == 9) return std::nullopt;  // no date part has that many digits
        t.value = t.value * 10 + digit;
        ++t.digits;
        p += length;
      }
      tokens.push_back(t);
      continue;
    }
    const char c = text[p];
    if (c == ' ' || c == '\t') { ++p; continue; }
    if (c == '/') { tokens.push_back({TokenKind::Slash}); ++p; continue; }
    if (c == '-') { tokens.push_back({TokenKind::Dash}); ++p; continue; }
    if (c == '.') { tokens.push_back({TokenKind::Dot}); ++p; continue; }
    if (c == ':') { tokens.push_back({TokenKind::Colon}); ++p; continue; }
    if (StartsWithNoCase(text, p, "AM")) { tokens.push_back({TokenKind::Am}); p += 2; continue; }
    if (StartsWithNoCase(text, p, "PM")) { tokens.push_back({TokenKind::Pm}); p += 2; continue; }
    if (text.substr(p).starts_with(m.fullWidthSpace)) { p += m.fullWidthSpace.size(); continue; }
    bool matched = false;
    for (const auto& [marker, kind] : kanji) {
      if (text.substr(p).starts_with(*marker)) {
        tokens.push_back({kind});
        p += marker->size();
        matched = true;
        break;
      }
    }
    if (!matched) return std::nullopt;
  }
  return tokens;
}

class Reader {
 public:
  explicit Reader(const std::vector<Token>& tokens) : tokens_(tokens) {}

  bool AtEnd() const { return pos_ == tokens_.size(); }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

  bool Accept(TokenKind kind) {
    if (pos_ < tokens_.size() && tokens_[pos_].kind == kind) {
      ++pos_;
      return true;
    }
    return false;
  }
  const Token* AcceptNumber() {
    if (pos_ < tokens_.size() && tokens_[pos_].kind == TokenKind::Number) return &tokens_[pos_++];
    return nullptr;
  }
  // One of the kinds in the list; nothing when the next token is none of them.
  std::optional<TokenKind> AcceptAny(std::initializer_list<TokenKind> kinds) {
    for (TokenKind k : kinds) {
      if (Accept(k)) return k;
    }
    return std::nullopt;
  }

 private:
  const std::vector<Token>& tokens_;
  std::size_t pos_ = 0;
};

struct YearMonthDay {
  int year, month, day;
};

int WindowedYear(const Token& t) {
  if (t.digits > 2) return t.value;
  return t.value < 30 ? 2000 + t.value : 1900 + t.value;
}

std::optional<YearMonthDay> ReadDate(Reader& r) {
  const std::size_t start = r.Position();
  const Token* year = r.AcceptNumber();
  if (year) {
    if (auto sep = r.AcceptAny({TokenKind::Slash, TokenKind::Dash, TokenKind::Dot})) {
      const Token* month = r.AcceptNumber();
      if (month && r.Accept(*sep)) {
        if (const Token* day = r.AcceptNumber()) return YearMonthDay{WindowedYear(*year), month->value, day->value};
      }
    } else if (r.Accept(TokenKind::Year)) {
      const Token* month = r.AcceptNumber();
      if (month && r.Accept(TokenKind::Month)) {
        if (const Token* day = r.AcceptNumber()) {
          r.Accept(TokenKind::Day);
          return YearMonthDay{WindowedYear(*year), month->value, day->value};
        }
      }
    }
  }
  r.Rewind(start);
  return std::nullopt;
}

struct TimeOfDay {
  int hour, minute, second;
};

std::optional<TimeOfDay> ReadTime(Reader& r) {
  auto designator = r.AcceptAny({TokenKind::Am, TokenKind::Pm});
  const Token* hour = r.AcceptNumber();
  if (!hour) return std::nullopt;
  TimeOfDay t{hour->value, 0, 0};
  if (r.Accept(TokenKind::Colon)) {
    const Token* minute = r.AcceptNumber();
    if (!minute) return std::nullopt;
    t.minute = minute->value;
    if (r.Accept(TokenKind::Colon)) {
      const Token* second = r.AcceptNumber();
      if (!second) return std::nullopt;
      t.second = second->value;
    }
  } else if (r.Accept(TokenKind::Hour)) {
    if (const Token* minute = r.AcceptNumber()) {
      if (!r.Accept(TokenKind::Minute)) return std::nullopt;
      t.minute = minute->value;
      if (const Token* second = r.AcceptNumber()) {
        if (!r.Accept(TokenKind::Second)) return std::nullopt;
        t.second = second->value;
      }
    }
  } else {
    return std::nullopt;  // a lone number is not a time
  }
  if (auto after = r.AcceptAny({TokenKind::Am, TokenKind::Pm})) {
    if (designator) return std::nullopt;
    designator = after;
  }
  if (designator) {
    // Twelve-hour clock: 12 AM is midnight, 12 PM noon.
    if (t.hour > 12) return std::nullopt;
    if (t.hour == 12) t.hour = 0;
    if (*designator == TokenKind::Pm) t.hour += 12;
  }
  return t;
}

}  // namespace

std::optional<double> ParseDateText(std::string_view cp932) {
  const auto tokens = Tokenize(cp932);
  if (!tokens || tokens->empty()) return std::nullopt;
  Reader r(*tokens);
  const auto date = ReadDate(r);
  std::optional<TimeOfDay> time;
  if (!r.AtEnd()) {
    time = ReadTime(r);
    if (!time || !r.AtEnd()) return std::nullopt;
  }
  if (!date && !time) return std::nullopt;
  // A time alone lies on day zero, so its serial is the fraction of the day.
  const YearMonthDay day = date.value_or(YearMonthDay{1899, 12, 30});
  const TimeOfDay clock = time.value_or(TimeOfDay{0, 0, 0});
  return FieldsToSerial(day.year, day.month, day.day, clock.hour, clock.minute, clock.second);
}

}  // namespace vl
