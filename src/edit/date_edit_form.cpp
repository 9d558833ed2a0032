#include "edit/date_edit_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "runtime/date_serial.h"
#include "text/mbcs.h"

namespace vl {
namespace {

namespace df = date_family;

constexpr std::string_view kDefaultEditPattern = "yyyy/mm/dd hh:nn:ss";

// The six fields a token asks for; the era pair is apart because the fallback trades it for a year.
enum class Slot { kEra, kEraYear, kYear, kMonth, kDay, kHour, kMinute, kSecond };

struct Piece {
  Slot slot;
  DateFieldKind kind;
  const char* separator;
};

class FormBuilder {
 public:
  FormBuilder(const EraTable& eras, bool noEra) : eras_(eras), noEra_(noEra) {}

  void Token(const DateToken& t) {
    using K = DateFieldKind;
    switch (t.family) {
      case df::kEra: {
        const K kind = t.variant == 0 ? K::kEraLetter : t.variant == 2 ? K::kEraShortName : K::kEraName;
        Single({Slot::kEra, kind, ""}, t.literalAfter);
        break;
      }
      case df::kEraYear: Single({Slot::kEraYear, K::kEraYear, ""}, t.literalAfter); break;
      case df::kYear: Single({Slot::kYear, t.variant == 2 ? K::kYear2 : K::kYear4, ""}, t.literalAfter); break;
      case df::kMonth:
      case df::kMonthName: Single({Slot::kMonth, K::kMonth, ""}, t.literalAfter); break;
      case df::kDay: Single({Slot::kDay, K::kDay, ""}, t.literalAfter); break;
      case df::kHour: Single({Slot::kHour, K::kHour, ""}, t.literalAfter); break;
      case df::kMinute: Single({Slot::kMinute, K::kMinute, ""}, t.literalAfter); break;
      case df::kSecond: Single({Slot::kSecond, K::kSecond, ""}, t.literalAfter); break;
      case df::kDateTime:
        Composite({kYearPiece, kMonthPiece, kDayPiece, kHourPiece, kMinutePiece, kSecondPiece}, t.literalAfter);
        break;
      case df::kLocaleDate: case df::kWeekdayName: case df::kJapaneseWeekday: case df::kWeekday:
      case df::kWeekOfYear: case df::kDayOfYear:
        Composite({kYearPiece, kMonthPiece, {Slot::kDay, K::kDay, " "}}, t.literalAfter);
        break;
      case df::kLocaleTime: Composite({kHourPiece, kMinutePiece, kSecondPiece}, t.literalAfter); break;
      case df::kQuarter: Composite({kYearPiece, {Slot::kMonth, K::kMonth, ""}}, t.literalAfter); break;
      case df::kAmPm: case df::kAP: case df::kLocaleAmPm:
        Composite({kHourPiece, {Slot::kMinute, K::kMinute, ""}}, t.literalAfter);
        break;
      default: break;
    }
  }

  DateEditForm Take(std::string prefix) {
    form_.prefix = std::move(prefix);
    return std::move(form_);
  }

 private:
  static constexpr Piece kYearPiece{Slot::kYear, DateFieldKind::kYear4, "/"};
  static constexpr Piece kMonthPiece{Slot::kMonth, DateFieldKind::kMonth, "/"};
  static constexpr Piece kDayPiece{Slot::kDay, DateFieldKind::kDay, " "};
  static constexpr Piece kHourPiece{Slot::kHour, DateFieldKind::kHour, ":"};
  static constexpr Piece kMinutePiece{Slot::kMinute, DateFieldKind::kMinute, ":"};
  static constexpr Piece kSecondPiece{Slot::kSecond, DateFieldKind::kSecond, ""};

  bool Has(Slot slot) const { return std::find(used_.begin(), used_.end(), slot) != used_.end(); }

  bool Present(Slot slot) const {
    // A composite's year is there when the era year stands for it.
    if (slot == Slot::kYear && Has(Slot::kEraYear)) return true;
    return Has(slot);
  }

  bool Add(const Piece& p) {
    if (noEra_ && (p.slot == Slot::kEra || p.slot == Slot::kEraYear)) {
      // No era can write the date: one Gregorian year takes the era pair's place and literals.
      if (eraYearIndex_ >= 0) return true;  // the literal joins the year made for the pair
      if (Has(Slot::kYear)) return false;
      used_.push_back(p.slot);
      used_.push_back(Slot::kYear);
      eraYearIndex_ = static_cast<int>(form_.fields.size());
      form_.fields.push_back({DateFieldKind::kYear4, 4, p.separator});
      return true;
    }
    // A lone year token makes its own field even beside an era year; a composite does not.
    const bool present = composite_ ? Present(p.slot) : Has(p.slot);
    if (present) return false;
    used_.push_back(p.slot);
    form_.fields.push_back({p.kind, Width(p.kind), p.separator});
    return true;
  }

  void AppendLiteral(const std::string& literal) {
    if (form_.fields.empty()) return;
    const bool toPairYear = noEra_ && pairLiteral_ && eraYearIndex_ >= 0;
    DateEditField& target = toPairYear ? form_.fields[static_cast<std::size_t>(eraYearIndex_)] : form_.fields.back();
    target.literal += literal;
  }

  void Single(const Piece& piece, const std::string& literal) {
    composite_ = false;
    pairLiteral_ = noEra_ && (piece.slot == Slot::kEra || piece.slot == Slot::kEraYear);
    if (Add(piece)) AppendLiteral(literal);
    pairLiteral_ = false;
  }

  void Composite(std::initializer_list<Piece> pieces, const std::string& literal) {
    composite_ = true;
    bool added = false;
    for (const Piece& p : pieces) added = Add(p) || added;
    composite_ = false;
    if (added) AppendLiteral(literal);
  }

  std::int32_t Width(DateFieldKind kind) const {
    switch (kind) {
      case DateFieldKind::kEraLetter:
      case DateFieldKind::kEraShortName:
      case DateFieldKind::kEraName: {
        std::int32_t w = 1;
        for (const EraEntry& e : eras_.eras()) w = std::max(w, MbcsCharCount(e.Text(EraFormOfField(kind))));
        return w;
      }
      case DateFieldKind::kYear4: return 4;
      default: return 2;
    }
  }

  const EraTable& eras_;
  bool noEra_;
  bool composite_ = false;
  bool pairLiteral_ = false;
  int eraYearIndex_ = -1;
  std::vector<Slot> used_;
  DateEditForm form_;
};

DateEditForm Walk(const DateFormatSpec& spec, const EraTable& eras, bool noEra) {
  FormBuilder builder(eras, noEra);
  for (const DateToken& t : spec.tokens) builder.Token(t);
  return builder.Take(spec.leadingLiteral);
}

int DigitsValue(std::string_view text) {
  // The leading digits; none gives 0.
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    v = v * 10 + (c - '0');
    if (v > 99999) break;
  }
  return v;
}

std::string Padded(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, std::clamp(value, 0, width >= 4 ? 9999 : 99));
  return buf;
}

std::string TrimBlanks(std::string_view text) {
  std::string out;
  for (std::size_t p = 0; p < text.size(); p += static_cast<std::size_t>(CharLengthAt(text, p))) {
    const std::uint16_t c = CharCodeAt(text, p);
    if (c == ' ' || c == kMarkerSingleByte || c == kFullWidthSpace || c == kMarkerDoubleByte) continue;
    AppendCharCode(out, c);
  }
  return out;
}

int DaysIn(int year, int month) { return DaysInMonth(year, month); }

// The era of the fields, looked up with the day cut to the month's length, so that 31 February
// still shows its era while it is being corrected.
EraParts EraOfParts(const EraTable& eras, const DateParts& p, EraForm form) {
  const int month = std::clamp(p.month, 1, 12);
  const int year = std::clamp(p.year, 100, 9999);
  return eras.EraPartsOfDate(year, month, std::clamp(p.day, 1, DaysInMonth(year, month)), form);
}

// A field plus a step, wrapped once into [low, high]. The sum is taken in 64 bits: a year of 2026
// stepped by 2147483520 is past the maximum, not a negative number.
int Wrap(int field, std::int64_t step, int low, int high) {
  const std::int64_t value = std::int64_t{field} + step;
  if (value > high) return low;
  if (value < low) return high;
  return static_cast<int>(value);
}

// The era `step` eras on (wrapping round the table) with the same era year and date; a date
// outside the new era is held to its first or last day, so the era field shows the era chosen.
DateParts StepEra(DateParts p, std::int64_t step, const EraTable& eras) {
  const std::vector<EraEntry>& list = eras.eras();
  if (list.empty() || step == 0) return p;
  const auto n = static_cast<int>(list.size());
  const std::optional<double> now = SerialOfDateParts(p);
  int index = now ? eras.EraIndexOfDate(*now) : -1;
  const int eraYear = index >= 0 ? p.year - eras.EraStartYear(index) + 1 : 1;
  if (index < 0) index = step > 0 ? n - 1 : 0;
  const int target = static_cast<int>(((index + step % n) % n + n) % n);
  p.year = eras.EraStartYear(target) + eraYear - 1;
  p.day = std::min(p.day, DaysIn(p.year, p.month));
  const double start = std::floor(list[static_cast<std::size_t>(target)].start.serial);
  const std::optional<double> at = SerialOfDateParts(p);
  std::optional<DateParts> held;
  if (at && *at < start) {
    held = DatePartsOfSerial(start);
  } else if (at && target + 1 < n) {
    const double nextStart = std::floor(list[static_cast<std::size_t>(target + 1)].start.serial);
    if (*at >= nextStart) held = DatePartsOfSerial(nextStart - 1);
  }
  if (held) p.year = held->year, p.month = held->month, p.day = held->day;
  return p;
}

}  // namespace

bool IsEraField(DateFieldKind kind) {
  return kind == DateFieldKind::kEraLetter || kind == DateFieldKind::kEraShortName || kind == DateFieldKind::kEraName;
}

EraForm EraFormOfField(DateFieldKind kind) {
  switch (kind) {
    case DateFieldKind::kEraLetter: return EraForm::Letter;
    case DateFieldKind::kEraShortName: return EraForm::ShortName;
    default: return EraForm::Name;
  }
}

std::optional<DateParts> DatePartsOfSerial(double serial) {
  const std::optional<DateTimeFields> f = SerialToFields(serial);
  if (!f) return std::nullopt;
  return DateParts{f->year, f->month, f->day, f->hour, f->minute, f->second};
}

std::optional<double> SerialOfDateParts(const DateParts& p) {
  return FieldsToSerial(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

int DateEditForm::Find(DateFieldKind kind) const {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].kind == kind) return static_cast<int>(i);
  }
  return -1;
}

bool DateEditForm::HasEraField() const {
  return std::any_of(fields.begin(), fields.end(), [](const DateEditField& f) { return IsEraField(f.kind); });
}

MaskEditLayout DateEditForm::Layout() const {
  MaskEditLayout layout;
  layout.prefix = prefix;
  for (const DateEditField& f : fields) {
    layout.runs.push_back(MaskLayoutRun{static_cast<std::uint16_t>(IsEraField(f.kind) ? ' ' : '0'), f.width, f.literal});
    layout.totalPositions += f.width;
  }
  return layout;
}

DateEditForm BuildDateEditForm(const DateFormatSpec& spec, const EraTable& eras, const DateParts& current) {
  DateEditForm form = Walk(spec, eras, false);
  if (form.fields.empty()) form = Walk(ParseDateFormat(kDefaultEditPattern), eras, false);
  const bool usesEra = std::any_of(form.fields.begin(), form.fields.end(), [](const DateEditField& f) {
    return IsEraField(f.kind) || f.kind == DateFieldKind::kEraYear;
  });
  if (usesEra && !EraOfParts(eras, current, EraForm::Letter).found) {
    form = Walk(spec, eras, true);
  }
  return form;
}

std::string RenderDateEditText(const DateEditForm& form, const DateParts& p, const EraTable& eras) {
  std::string out;
  for (const DateEditField& f : form.fields) {
    switch (f.kind) {
      case DateFieldKind::kEraLetter:
      case DateFieldKind::kEraShortName:
      case DateFieldKind::kEraName: {
        const EraParts era = EraOfParts(eras, p, EraFormOfField(f.kind));
        std::string text = era.found ? era.text : std::string();
        const std::int32_t count = MbcsCharCount(text);
        if (count > f.width) text = text.substr(0, static_cast<std::size_t>(MbcsByteIndexOfChar(text, f.width)));
        text.append(static_cast<std::size_t>(std::max(f.width - count, 0)), ' ');
        out += text;
        break;
      }
      case DateFieldKind::kEraYear: {
        const EraParts era = EraOfParts(eras, p, EraForm::Letter);
        out += Padded(era.found ? era.eraYear : 0, 2);
        break;
      }
      case DateFieldKind::kYear4: out += Padded(p.year, 4); break;
      case DateFieldKind::kYear2: out += Padded(((p.year % 100) + 100) % 100, 2); break;
      case DateFieldKind::kMonth: out += Padded(p.month, 2); break;
      case DateFieldKind::kDay: out += Padded(p.day, 2); break;
      case DateFieldKind::kHour: out += Padded(p.hour, 2); break;
      case DateFieldKind::kMinute: out += Padded(p.minute, 2); break;
      case DateFieldKind::kSecond: out += Padded(p.second, 2); break;
    }
  }
  return out;
}

std::vector<std::string> SplitDateEditText(const DateEditForm& form, std::string_view valueText) {
  std::vector<std::string> contents;
  std::size_t p = 0;
  for (const DateEditField& f : form.fields) {
    std::string content;
    for (std::int32_t n = 0; n < f.width && p < valueText.size(); ++n) {
      const int len = CharLengthAt(valueText, p);
      content.append(valueText.substr(p, static_cast<std::size_t>(len)));
      p += static_cast<std::size_t>(len);
    }
    contents.push_back(std::move(content));
  }
  return contents;
}

std::optional<double> ParseDateEditText(const DateEditForm& form, std::string_view valueText, const EraTable& eras,
                                        DateParts& parts) {
  const std::vector<std::string> contents = SplitDateEditText(form, valueText);
  DateParts next = parts;
  std::string eraText;
  EraForm eraForm = EraForm::Letter;
  bool eraRead = false;
  bool yearRead = false;
  int eraYear = 0;
  bool eraYearRead = false;
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    const std::string& c = contents[i];
    switch (form.fields[i].kind) {
      case DateFieldKind::kEraLetter:
      case DateFieldKind::kEraShortName:
      case DateFieldKind::kEraName:
        eraText = TrimBlanks(c);
        eraForm = EraFormOfField(form.fields[i].kind);
        eraRead = true;
        break;
      case DateFieldKind::kYear4: next.year = DigitsValue(c); yearRead = true; break;
      case DateFieldKind::kYear2: next.year = parts.year / 100 * 100 + DigitsValue(c); yearRead = true; break;
      case DateFieldKind::kEraYear: eraYear = std::max(DigitsValue(c), 1); eraYearRead = true; break;
      case DateFieldKind::kMonth: next.month = DigitsValue(c); break;
      case DateFieldKind::kDay: next.day = DigitsValue(c); break;
      case DateFieldKind::kHour: next.hour = DigitsValue(c); break;
      case DateFieldKind::kMinute: next.minute = DigitsValue(c); break;
      case DateFieldKind::kSecond: next.second = DigitsValue(c); break;
    }
  }
  if (!yearRead && (eraRead || eraYearRead)) {
    const EraParts held = EraOfParts(eras, parts, eraForm);
    if (!eraRead) eraText = held.text;
    if (!eraYearRead) eraYear = held.found ? held.eraYear : 1;
    const int year = eras.GregorianYearFromEra(eraForm, eraText, eraYear);
    if (year > 0) next.year = year;
  }
  if (next.year == 0) next.year = 100;
  if (next.month == 0) next.month = 1;
  if (next.day == 0) next.day = 1;
  parts = next;
  return SerialOfDateParts(parts);
}

DateDigitEdit ApplyDateDigit(DateFieldKind kind, std::string_view content, int offset, char digit, int month,
                             bool leapYear) {
  DateDigitEdit out;
  if (digit < '0' || digit > '9' || IsEraField(kind)) return out;
  std::string text(content);
  if (offset < 0 || offset >= static_cast<int>(text.size())) return out;
  const bool twoDigit = kind != DateFieldKind::kYear4 && kind != DateFieldKind::kEraYear && kind != DateFieldKind::kYear2;
  if (!twoDigit || text.size() != 2) {
    text[static_cast<std::size_t>(offset)] = digit;
    return {true, text, offset + 1};
  }
  const int d = digit - '0';
  const bool longMonth = month == 1 || month == 3 || month == 5 || month == 7 || month == 8 || month == 10 || month == 12;
  int highestFirst = 9;  // first digits up to this are typed as they are
  int maxValue = 99;
  switch (kind) {
    case DateFieldKind::kMonth: highestFirst = 1; maxValue = 12; break;
    case DateFieldKind::kDay:
      highestFirst = month == 2 ? 2 : 3;
      maxValue = month == 2 ? (leapYear ? 29 : 28) : longMonth ? 31 : 30;
      break;
    case DateFieldKind::kHour: highestFirst = 2; maxValue = 23; break;
    case DateFieldKind::kMinute:
    case DateFieldKind::kSecond: highestFirst = 5; maxValue = 59; break;
    default: break;
  }
  if (offset == 0) {
    if (d > highestFirst) return {true, std::string("0") + digit, 2};
    text[0] = digit;
    // The digit after it would take the field past its maximum: it starts again from 0.
    if (d * 10 + (text[1] - '0') > std::max(maxValue, 10 * d)) text[1] = '0';
    if (kind == DateFieldKind::kDay && d == 2 && month == 2 && text[1] == '9' && !leapYear) text[1] = '0';
    return {true, text, 1};
  }
  const int first = text[0] - '0';
  bool ok = true;
  if (first == 0 && d == 0 && (kind == DateFieldKind::kMonth || kind == DateFieldKind::kDay)) ok = false;
  if (kind == DateFieldKind::kMonth && first == 1 && d > 2) ok = false;
  if (kind == DateFieldKind::kDay) {
    if (first == 2 && d == 9 && month == 2 && !leapYear) ok = false;
    if (first == 3 && !(d == 0 || (d == 1 && longMonth))) ok = false;
    if (first == 3 && month == 2) ok = false;
  }
  if (kind == DateFieldKind::kHour && first == 2 && d > 3) ok = false;
  if (!ok) return out;
  text[1] = digit;
  return {true, text, 2};
}

std::int32_t CheckDateRange(double date, const DateRange& range) {
  // Compared as "%f" texts read back, so a bound typed to the second is not missed by a
  // fraction of a microsecond. The texts are made and read without the C library's locale.
  auto six = [](double v) {
    if (!std::isfinite(v)) return v;
    char buf[400];
    const auto written = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    double rounded = v;
    std::from_chars(buf, written.ptr, rounded);
    return rounded;
  };
  const double d = six(date);
  if (d > six(range.upper)) return 1;
  if (d < six(range.lower)) return 2;
  return 0;
}

DateParts StepDateField(DateFieldKind kind, DateParts p, std::int64_t step, const DateRange& range,
                        const EraTable& eras) {
  const DateParts low = DatePartsOfSerial(range.lower).value_or(DateParts{100, 1, 1, 0, 0, 0});
  const DateParts high = DatePartsOfSerial(range.upper).value_or(DateParts{9999, 12, 31, 23, 59, 59});
  switch (kind) {
    case DateFieldKind::kEraLetter:
    case DateFieldKind::kEraShortName:
    case DateFieldKind::kEraName:
      p = StepEra(p, step, eras);
      break;
    case DateFieldKind::kYear4:
    case DateFieldKind::kYear2:
    case DateFieldKind::kEraYear:
      p.year = Wrap(p.year, step, low.year, high.year);
      break;
    case DateFieldKind::kMonth: {
      const int lo = p.year == low.year ? low.month : 1;
      const int hi = p.year == high.year ? high.month : 12;
      p.month = Wrap(p.month, step, lo, std::max(lo, hi));
      break;
    }
    case DateFieldKind::kDay: {
      const int lo = (p.year == low.year && p.month == low.month) ? low.day : 1;
      const int days = DaysIn(p.year, p.month);
      const int hi = (p.year == high.year && p.month == high.month) ? std::min(high.day, days) : days;
      p.day = Wrap(std::min(p.day, days), step, lo, std::max(lo, hi));
      break;
    }
    case DateFieldKind::kHour: p.hour = Wrap(p.hour, step, 0, 23); break;
    case DateFieldKind::kMinute: p.minute = Wrap(p.minute, step, 0, 59); break;
    case DateFieldKind::kSecond: p.second = Wrap(p.second, step, 0, 59); break;
  }
  // Re-validation: a day past the new month's end does not survive, and the range holds.
  p.year = std::clamp(p.year, 100, 9999);
  p.month = std::clamp(p.month, 1, 12);
  p.day = std::clamp(p.day, 1, DaysIn(p.year, p.month));
  if (const std::optional<double> at = SerialOfDateParts(p)) {
    if (const std::int32_t r = CheckDateRange(*at, range)) p = r == 1 ? high : low;
  }
  return p;
}

}  // namespace vl
