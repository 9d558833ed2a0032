#include "format/date_format.h"

#include <array>
#include <iterator>

#include "runtime/date_serial.h"
#include "runtime/locale.h"
#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl {
namespace {

namespace df = date_family;

// ---------------------------------------------------------------------------------------------
// Tokenizing

struct FoundToken {
  std::size_t pos = 0;  // offset in the rest of the pattern
  std::size_t length = 0;
  std::uint32_t family = 0;
  std::uint32_t variant = 0;
};

constexpr bool CanStartToken(char c) {
  switch (c) {
    case 'A': case 'a': case 'c': case 'd': case 'e': case 'g': case 'h':
    case 'm': case 'n': case 'q': case 's': case 't': case 'w': case 'y':
      return true;
    default:
      return false;
  }
}

// Offset of the first occurrence of `text` that starts on a character boundary, or npos. A match
// that would start on the second byte of a two-byte character does not count.
std::size_t FindAligned(std::string_view rest, std::string_view text) {
  for (std::size_t p = 0; p + text.size() <= rest.size(); p += static_cast<std::size_t>(CharLengthAt(rest, p))) {
    if (rest.compare(p, text.size(), text) == 0) return p;
  }
  return std::string_view::npos;
}

// Form of a run: the token length taken from a run of `run` equal letters, and its family and
// variant. Length 0 means no token.
struct RunForm {
  std::size_t length = 0;
  std::uint32_t family = 0;
  std::uint32_t variant = 0;
};

// Each letter's forms, longest first; the longest form not longer than the run is taken, so a
// longer run is cut and its remainder starts a new run.
RunForm FormOfRun(char letter, std::size_t run) {
  struct Form {
    std::size_t length;
    std::uint32_t family, variant;
  };
  auto pick = [run](std::initializer_list<Form> forms) -> RunForm {
    for (const Form& f : forms) {
      if (f.length <= run) return {f.length, f.family, f.variant};
    }
    return {};
  };
  switch (letter) {
    case 'c': return {1, df::kDateTime, 0};
    case 'q': return {1, df::kQuarter, 0};
    case 't': return run == 5 ? RunForm{5, df::kLocaleTime, 0} : RunForm{};
    case 'd':
      return pick({{6, df::kLocaleDate, 1}, {5, df::kLocaleDate, 2}, {4, df::kWeekdayName, 1},
                   {3, df::kWeekdayName, 2}, {2, df::kDay, 0}, {1, df::kDay, 2}});
    case 'g': return pick({{3, df::kEra, 1}, {2, df::kEra, 2}, {1, df::kEra, 0}});
    case 'y': return pick({{4, df::kYear, 0}, {2, df::kYear, 2}, {1, df::kDayOfYear, 0}});
    case 'e': return pick({{2, df::kEraYear, 0}, {1, df::kEraYear, 2}});
    case 'm':
      return pick({{4, df::kMonthName, 1}, {3, df::kMonthName, 2}, {2, df::kMonth, 0}, {1, df::kMonth, 2}});
    case 'w': return pick({{2, df::kWeekOfYear, 0}, {1, df::kWeekday, 0}});
    case 'h': return pick({{2, df::kHour, 0}, {1, df::kHour, 2}});
    case 'n': return pick({{2, df::kMinute, 0}, {1, df::kMinute, 2}});
    case 's': return pick({{2, df::kSecond, 0}, {1, df::kSecond, 2}});
    default: return {};
  }
}

// Every letter but "A"/"a": the run of that letter at its first occurrence in the rest.
std::optional<FoundToken> LetterRule(std::string_view rest, char letter) {
  const std::size_t pos = FindAligned(rest, std::string_view(&letter, 1));
  if (pos == std::string_view::npos) return std::nullopt;
  std::size_t run = 1;
  while (pos + run < rest.size() && rest[pos + run] == letter) ++run;
  const RunForm form = FormOfRun(letter, run);
  if (form.length == 0) return std::nullopt;
  return FoundToken{pos, form.length, form.family, form.variant};
}

// "A"/"a": the first of these texts found anywhere in the rest, in this order.
//
// A text missing from the rest is missing from every later rest too (each is a suffix of the
// one before), so `absent` remembers the misses across calls for one pattern; without it a
// pattern like «aaa aaa aaa …» would search its whole length again for "aaaa" at every token.
std::optional<FoundToken> AmPmRule(std::string_view rest, std::uint32_t& absent) {
  struct Marker {
    std::string_view text;
    std::uint32_t family, variant;
  };
  static constexpr Marker kMarkers[] = {
      {"aaaa", df::kJapaneseWeekday, 1}, {"aaa", df::kJapaneseWeekday, 2}, {"am/pm", df::kAmPm, 2},
      {"ampm", df::kLocaleAmPm, 0},      {"a/p", df::kAP, 2},              {"AM/PM", df::kAmPm, 0},
      {"AMPM", df::kLocaleAmPm, 0},      {"A/P", df::kAP, 0},
  };
  for (std::uint32_t i = 0; i < std::size(kMarkers); ++i) {
    if (absent & (1u << i)) continue;
    const Marker& m = kMarkers[i];
    const std::size_t pos = FindAligned(rest, m.text);
    if (pos != std::string_view::npos) return FoundToken{pos, m.text.size(), m.family, m.variant};
    absent |= 1u << i;
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Formatting


// At least two digits (the fields written this way are never negative).
void AppendTwoDigits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  AppendDecimal(out, value);
}

// Variant 0 is the padded form of the numeric families.
void AppendField(std::string& out, int value, std::uint32_t variant) {
  if (variant == 0) {
    AppendTwoDigits(out, value);
  } else {
    AppendDecimal(out, value);
  }
}

constexpr std::array<std::string_view, 12> kMonthNames = {"January", "February", "March",     "April",
                                                          "May",     "June",     "July",      "August",
                                                          "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                           "Thursday", "Friday", "Saturday"};

// The Japanese weekday names, CP932: {short, full} per day from Sunday.
const std::array<std::array<std::string, 2>, 7>& JapaneseWeekdays() {
  static const auto names = [] {
    constexpr const char* kUtf8[7][2] = {{"日", "日曜日"}, {"月", "月曜日"}, {"火", "火曜日"}, {"水", "水曜日"},
                                         {"木", "木曜日"}, {"金", "金曜日"}, {"土", "土曜日"}};
    std::array<std::array<std::string, 2>, 7> out;
    for (int d = 0; d < 7; ++d) {
      out[static_cast<std::size_t>(d)] = {Cp932Literal(kUtf8[d][0]), Cp932Literal(kUtf8[d][1])};
    }
    return out;
  }();
  return names;
}

// Week of the year with Monday as the first day of the week: days before the year's first Monday
// are week 0.
int MondayWeekOfYear(const DateTimeFields& f) {
  const int daysSinceMonday = (f.dayOfWeek + 6) % 7;
  return (f.dayOfYear - 1 + 7 - daysSinceMonday) / 7;
}

void AppendToken(std::string& out, const DateToken& token, const DateTimeFields& f, double date, bool twelveHour,
                 const EraTable& eras) {
  const bool morning = f.hour < 12;
  switch (token.family) {
    case df::kDateTime: {
      const LocaleInfo& locale = UserLocale();
      out += FormatDatePicture(f, locale.shortDate);
      out += ' ';
      out += FormatTimePicture(f, locale.timeFormat);
      break;
    }
    case df::kLocaleDate: {
      const LocaleInfo& locale = UserLocale();
      out += FormatDatePicture(f, token.variant == 1 ? locale.longDate : locale.shortDate);
      break;
    }
    case df::kLocaleTime: out += FormatTimePicture(f, UserLocale().timeFormat); break;
    case df::kEra: {
      const EraForm form = token.variant == 0 ? EraForm::Letter : token.variant == 2 ? EraForm::ShortName : EraForm::Name;
      // Without an era this is 西暦/西/A: «A1800年» for "gee年".
      out += eras.EraTextOfDate(date, f.year, form).text;
      break;
    }
    case df::kYear:
      // "yyyy" is the year in full: four digits from 1000 on, no zeros in front of earlier years.
      if (token.variant == 2) {
        AppendTwoDigits(out, f.year % 100);
      } else {
        AppendDecimal(out, f.year);
      }
      break;
    case df::kEraYear: {
      const EraText eraYear = eras.EraYearOfDate(date, f.year, token.variant == 0);
      if (eraYear.found) {
        out += eraYear.text;
      } else {
        AppendDecimal(out, f.year);
      }
      break;
    }
    case df::kMonth: AppendField(out, f.month, token.variant); break;
    case df::kMonthName: {
      const std::string_view name = kMonthNames[static_cast<std::size_t>(f.month - 1) % 12];
      out += token.variant == 2 ? name.substr(0, 3) : name;
      break;
    }
    case df::kDay: AppendField(out, f.day, token.variant); break;
    case df::kWeekdayName: {
      const std::string_view name = kWeekdayNames[static_cast<std::size_t>(f.dayOfWeek) % 7];
      out += token.variant == 2 ? name.substr(0, 3) : name;
      break;
    }
    case df::kJapaneseWeekday:
      out += JapaneseWeekdays()[static_cast<std::size_t>(f.dayOfWeek) % 7][token.variant == 2 ? 0 : 1];
      break;
    case df::kWeekday: AppendDecimal(out, f.dayOfWeek + 1); break;
    case df::kWeekOfYear: AppendDecimal(out, MondayWeekOfYear(f) + 1); break;
    case df::kDayOfYear: AppendDecimal(out, f.dayOfYear); break;
    case df::kQuarter: AppendDecimal(out, (f.month - 1) / 3 + 1); break;
    case df::kHour: {
      int hour = f.hour;
      if (twelveHour) {
        hour %= 12;
        if (hour == 0) hour = 12;
      }
      AppendField(out, hour, token.variant);
      break;
    }
    case df::kMinute: AppendField(out, f.minute, token.variant); break;
    case df::kSecond: AppendField(out, f.second, token.variant); break;
    case df::kAmPm:
      if (token.variant == 2) {
        out += morning ? "am" : "pm";
      } else {
        out += morning ? "AM" : "PM";
      }
      break;
    case df::kAP:
      if (token.variant == 2) {
        out += morning ? 'a' : 'p';
      } else {
        out += morning ? 'A' : 'P';
      }
      break;
    case df::kLocaleAmPm: out += morning ? UserLocale().am : UserLocale().pm; break;
    default: break;  // a spec built by hand with an unknown family writes only its literal
  }
}

}  // namespace

DateFormatSpec ParseDateFormat(std::string_view pattern) {
  DateFormatSpec spec;
  auto currentLiteral = [&spec]() -> std::string& {
    return spec.tokens.empty() ? spec.leadingLiteral : spec.tokens.back().literalAfter;
  };
  std::string_view rest = pattern;
  std::size_t scan = 0;
  // A rule's answer depends only on the rest, so once the "t" run has given no token, every
  // later "t" of the same rest gives none either; the "A"/"a" texts not found stay not found for
  // every later rest. Remembering both keeps a pattern full of such letters from being searched
  // again at each of them.
  std::uint32_t absentAmPm = 0;
  bool tFailed = false;
  while (scan < rest.size()) {
    const char c = rest[scan];
    // A lead byte is never a letter, and stepping a whole character keeps its second byte
    // (which may equal a token letter) from ever being read as one.
    const std::size_t step = static_cast<std::size_t>(CharLengthAt(rest, scan));
    const bool isAmPm = c == 'A' || c == 'a';
    if (step == 1 && CanStartToken(c) && !(c == 't' && tFailed)) {
      const std::optional<FoundToken> found = isAmPm ? AmPmRule(rest, absentAmPm) : LetterRule(rest, c);
      if (found) {
        currentLiteral().append(rest.substr(0, found->pos));
        spec.tokens.push_back({found->family, found->variant, {}});
        rest.remove_prefix(found->pos + found->length);
        scan = 0;
        tFailed = false;
        continue;
      }
      if (c == 't') tFailed = true;
    }
    scan += step;
  }
  currentLiteral().append(rest);
  return spec;
}

bool UsesTwelveHourClock(const DateFormatSpec& spec) {
  for (const DateToken& t : spec.tokens) {
    if (t.family == df::kAmPm || t.family == df::kAP || t.family == df::kLocaleAmPm) return true;
  }
  return false;
}

bool AppendDateTime(std::string& out, double date, const DateFormatSpec& spec, bool twelveHour,
                    const EraTable& eras) {
  const std::optional<DateTimeFields> fields = SerialToFields(date);
  if (!fields) return false;
  out += spec.leadingLiteral;
  for (const DateToken& token : spec.tokens) {
    AppendToken(out, token, *fields, date, twelveHour, eras);
    out += token.literalAfter;
  }
  return true;
}

std::optional<std::string> FormatDateTime(double date, const DateFormatSpec& spec, bool twelveHour,
                                          const EraTable& eras) {
  std::string out;
  if (!AppendDateTime(out, date, spec, twelveHour, eras)) return std::nullopt;
  return out;
}

}  // namespace vl
