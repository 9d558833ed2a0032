#include "format/era_table.h"

#include <algorithm>
#include <cmath>

#include "runtime/date_serial.h"
#include "runtime/profile.h"
#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl {
namespace {

struct BuiltInEra {
  int year, month, day;
  const char* name;
  const char* shortName;
  const char* letter;
};

// 令和 is built in: without it every date since May 2019 would show as 平成31 and later.
constexpr BuiltInEra kBuiltInEras[] = {
    {1868, 1, 1, "明治", "明", "M"},  {1912, 7, 30, "大正", "大", "T"}, {1926, 12, 25, "昭和", "昭", "S"},
    {1989, 1, 8, "平成", "平", "H"}, {2019, 5, 1, "令和", "令", "R"},
};

// The built-in table, built once; every table copies it.
struct BuiltIns {
  std::vector<EraEntry> eras;
  std::vector<int> startYears;
};

const BuiltIns& GetBuiltIns() {
  static const BuiltIns builtIns = [] {
    BuiltIns b;
    for (const BuiltInEra& e : kBuiltInEras) {
      EraEntry entry;
      entry.start = {FieldsToSerial(e.year, e.month, e.day).value_or(0.0), true};
      entry.name = Cp932Literal(e.name);
      entry.shortName = Cp932Literal(e.shortName);
      entry.letter = e.letter;
      b.eras.push_back(std::move(entry));
      b.startYears.push_back(e.year);
    }
    return b;
  }();
  return builtIns;
}

// Serials order days, but before 1899-12-30 the fraction still counts forward from the day's
// midnight (-1.25 is 06:00 of day -1, later than -1.0), so times are compared on this key.
double ChronologicalKey(double serial) {
  const double day = std::trunc(serial);
  return day + std::fabs(serial - day);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// Splits off the text up to the next blank (a whole number of characters; trail bytes are never
// blanks), leaving `s` at that blank.
std::string_view TakeWord(std::string_view& s) {
  std::size_t p = 0;
  while (p < s.size() && !IsBlank(s[p])) p += static_cast<std::size_t>(CharLengthAt(s, p));
  p = std::min(p, s.size());
  const std::string_view word = s.substr(0, p);
  s.remove_prefix(p);
  return word;
}

// Byte offset of the first "=" that is a character of its own, or npos.
std::size_t FindEquals(std::string_view s) {
  for (std::size_t p = 0; p < s.size(); p += static_cast<std::size_t>(CharLengthAt(s, p))) {
    if (s[p] == '=') return p;
  }
  return std::string_view::npos;
}

// Upper-cases ASCII letters only; the bytes of two-byte characters stay as they are.
std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (std::size_t p = 0; p < out.size();) {
    const int len = CharLengthAt(out, p);
    if (len == 1 && out[p] >= 'a' && out[p] <= 'z') out[p] = static_cast<char>(out[p] - 'a' + 'A');
    p += static_cast<std::size_t>(len);
  }
  return out;
}


}  // namespace

void AppendDecimal(std::string& out, int value) {
  char buf[12];
  int n = 0;
  unsigned v = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    buf[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  if (value < 0) out += '-';
  while (n > 0) out += buf[--n];
}

const std::string& EraEntry::Text(EraForm form) const {
  switch (form) {
    case EraForm::ShortName: return shortName;
    case EraForm::Letter: return letter;
    case EraForm::Name: break;
  }
  return name;
}

const std::string& EraTable::NoEraText(EraForm form) {
  static const std::string texts[3] = {Cp932Literal("西暦"), Cp932Literal("西"), "A"};
  return texts[static_cast<int>(form) % 3];
}

EraTable::EraTable() { ResetToBuiltIns(); }

void EraTable::ResetToBuiltIns() {
  eras_ = GetBuiltIns().eras;
  startYears_ = GetBuiltIns().startYears;
}

bool ParseEraProfileLine(std::string_view line, EraEntry& out) {
  const std::size_t eq = FindEquals(line);
  if (eq == std::string_view::npos || eq == 0) return false;
  std::string_view name = line.substr(0, eq);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  if (name.empty()) return false;

  std::string_view rest = SkipBlanks(line.substr(eq + 1));
  const std::string_view shortName = TakeWord(rest);
  // A short name or letter that runs to the end of the line leaves nothing for what follows.
  if (shortName.empty() || rest.empty()) return false;
  rest = SkipBlanks(rest);
  const std::string_view letter = TakeWord(rest);
  if (letter.empty() || rest.empty()) return false;
  rest = SkipBlanks(rest);
  const std::optional<double> start = ParseDateText(rest);
  if (!start) return false;

  out.start = {*start, true};
  out.name = std::string(name);
  out.shortName = std::string(shortName);
  out.letter = std::string(letter);
  return true;
}

void EraTable::Add(EraEntry entry) {
  // At most one era gives way per line: the first that shares any one of the four facts.
  const auto same = std::find_if(eras_.begin(), eras_.end(), [&](const EraEntry& e) {
    return e.start == entry.start || e.name == entry.name || e.shortName == entry.shortName ||
           e.letter == entry.letter;
  });
  if (same != eras_.end()) {
    startYears_.erase(startYears_.begin() + (same - eras_.begin()));
    eras_.erase(same);
  }
  const auto later = std::find_if(eras_.begin(), eras_.end(),
                                  [&](const EraEntry& e) {
    return ChronologicalKey(e.start.serial) > ChronologicalKey(entry.start.serial);
  });
  const auto fields = SerialToFields(entry.start.serial);
  startYears_.insert(startYears_.begin() + (later - eras_.begin()), fields ? fields->year : 0);
  eras_.insert(later, std::move(entry));
}

bool EraTable::LoadEraProfileLines(const std::vector<std::string>& lines, const std::string& path) {
  if (lines.empty()) return false;
  ResetToBuiltIns();
  for (const std::string& line : lines) {
    EraEntry entry;
    if (ParseEraProfileLine(line, entry)) Add(std::move(entry));
  }
  profileLoaded_ = true;
  profilePath_ = path;
  return true;
}

bool EraTable::LoadEraProfile(const std::string& path) {
  const auto lines = ReadProfileSection(path, kSectionName, kProfileSectionBufferSize);
  if (!lines) return false;
  return LoadEraProfileLines(*lines, path);
}

int EraTable::EraIndexOfDate(double date) const {
  if (!IsValidDateSerial(date)) return -1;
  // The first era that starts later than the date; the one before it applies.
  const double key = ChronologicalKey(date);
  const auto later = std::find_if(eras_.begin(), eras_.end(),
                                  [&](const EraEntry& e) { return ChronologicalKey(e.start.serial) > key; });
  return static_cast<int>(later - eras_.begin()) - 1;
}

EraText EraTable::EraTextOfDate(double date, EraForm form) const {
  const auto fields = SerialToFields(date);
  if (!fields) return {};
  return EraTextOfDate(date, fields->year, form);
}

EraText EraTable::EraTextOfDate(double date, int year, EraForm form) const {
  if (!IsValidDateSerial(date)) return {};
  const int index = EraIndexOfDate(date);
  if (index >= 0 && year - EraStartYear(index) <= 99) return {eras_[static_cast<std::size_t>(index)].Text(form), true};
  return {NoEraText(form), false};
}

EraText EraTable::EraYearOfDate(double date, bool twoDigits) const {
  const auto fields = SerialToFields(date);
  if (!fields) return {};
  return EraYearOfDate(date, fields->year, twoDigits);
}

EraText EraTable::EraYearOfDate(double date, int year, bool twoDigits) const {
  const int index = EraIndexOfDate(date);
  if (index < 0) return {};
  const int eraYear = year - EraStartYear(index) + 1;
  EraText result;
  if (twoDigits && eraYear >= 0 && eraYear <= 9) result.text += '0';
  AppendDecimal(result.text, eraYear);
  // Three digits cannot be an era year; the caller shows the Gregorian year.
  result.found = result.text.size() < 3;
  return result;
}

int EraTable::GregorianYearFromEra(EraForm form, std::string_view eraText, int eraYear) const {
  const int index = EraIndexByText(form, eraText);
  if (index < 0) return -1;
  return EraStartYear(index) + eraYear - 1;
}

EraParts EraTable::EraPartsOfDate(int year, int month, int day, EraForm form) const {
  const std::optional<double> date = FieldsToSerial(year, month, day);
  if (!date) return {};
  EraText text = EraTextOfDate(*date, year, form);
  if (!text.found) return {std::move(text.text), 0, false};
  const int index = EraIndexOfDate(*date);
  return {std::move(text.text), year - EraStartYear(index) + 1, true};
}

EraText EraTable::EraByLetter(EraForm form, std::string_view typedChar) const {
  if (typedChar.empty()) return {};
  const std::string wanted = AsciiUpper(typedChar);
  for (const EraEntry& e : eras_) {
    if (AsciiUpper(e.letter) == wanted) return {e.Text(form), true};
  }
  return {};
}

int EraTable::EraIndexByText(EraForm form, std::string_view text) const {
  for (std::size_t i = 0; i < eras_.size(); ++i) {
    if (eras_[i].Text(form) == text) return static_cast<int>(i);
  }
  return -1;
}

std::string EraTable::NextEraText(EraForm form, std::string_view current) const {
  if (eras_.empty()) return {};
  if (current.empty()) return eras_.front().Text(form);
  const int index = EraIndexByText(form, current);
  if (index < 0) return {};
  return eras_[(static_cast<std::size_t>(index) + 1) % eras_.size()].Text(form);
}

std::string EraTable::PreviousEraText(EraForm form, std::string_view current) const {
  if (eras_.empty()) return {};
  if (current.empty()) return eras_.front().Text(form);
  const int index = EraIndexByText(form, current);
  if (index < 0) return {};
  return eras_[(static_cast<std::size_t>(index) + eras_.size() - 1) % eras_.size()].Text(form);
}

}  // namespace vl
