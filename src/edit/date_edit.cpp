#include "edit/date_edit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "edit/spin_button.h"
#include "runtime/coerce.h"
#include "runtime/date_serial.h"
#include "text/mbcs.h"

namespace vl {

namespace {

constexpr const char* kClipboardFormat = "VlCF_DATE";

std::string JoinContents(const std::vector<std::string>& contents) {
  std::string out;
  for (const std::string& c : contents) out += c;
  return out;
}

// An era text padded with blanks to the field's width.
std::string PadEraText(const std::string& text, std::int32_t width) {
  std::string out = text;
  out.append(static_cast<std::size_t>(std::max(width - MbcsCharCount(text), 0)), ' ');
  return out;
}

double AsDateSerial(const TypedValue& value) {
  if (value.Type() == VarType::Date) return value.AsDate();
  TypedValue converted;
  if (ChangeType(value, VarType::Date, converted) == CoerceStatus::Ok) return converted.AsDate();
  return 0;
}

}  // namespace

CVlDateEdit::CVlDateEdit() : CVlEditWnd(VlTextDate) {
  displaySpec_ = ParseDateFormat(formatText_);
  RebuildEditForm();
  lastError = kEditOk;
}

bool CVlDateEdit::IsLeapYear(int year) {
  if (year < -46) return false;
  if (year <= -9) return year % 3 == 0;
  if (year <= 7) return false;
  if (year <= 1582) return year % 4 == 0;
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// --- Edit form ---------------------------------------------------------------------------------

void CVlDateEdit::RebuildEditForm() {
  editForm_ = BuildDateEditForm(ParseDateFormat(formatText_), eraTable_, parts_);
  fieldModel.SetLayout(editForm_.Layout());
  fieldModel.SetText(RenderDateEditText(editForm_, parts_, eraTable_));
  editText = fieldModel.GetText();
}

void CVlDateEdit::RenderFields() {
  const FieldSelection sel = fieldModel.GetSelection();
  const std::int32_t selectedField = fieldModel.SelectedSegment();
  DateEditForm form = BuildDateEditForm(ParseDateFormat(formatText_), eraTable_, parts_);
  const bool sameForm = form == editForm_;
  if (!sameForm) {
    editForm_ = std::move(form);
    fieldModel.SetLayout(editForm_.Layout());
  }
  fieldModel.SetText(RenderDateEditText(editForm_, parts_, eraTable_));
  if (sameForm && selectedField >= 0) {
    fieldModel.SelectSegment(selectedField);  // a selected field stays selected without its separator
  } else {
    fieldModel.SetSelection(sel.start, sel.end);
  }
  editText = fieldModel.GetText();
}

std::optional<double> CVlDateEdit::ParseFields() {
  const std::optional<double> date = ParseDateEditText(editForm_, fieldModel.GetText(), eraTable_, parts_);
  invalid_ = (!date || valueCommit.Range().Check(TypedValue::Date(*date)) != 0);
  return date;
}

std::optional<double> CVlDateEdit::FieldsDate() {
  const std::optional<double> date = SerialOfDateParts(parts_);
  invalid_ = (!date || valueCommit.Range().Check(TypedValue::Date(*date)) != 0);
  return date;
}

void CVlDateEdit::PreFill() {
  if (valueCommit.Range().Checking()) {
    if (std::optional<DateParts> p = DatePartsOfSerial(GetDateRange().lower)) parts_ = *p;
    return;
  }
  if (const Clock* clock = CalendarClock()) {
    if (std::optional<DateParts> p = DatePartsOfSerial(std::floor(clock->Now()))) {
      parts_ = *p;
      parts_.hour = parts_.minute = parts_.second = 0;
    }
  }
}

double CVlDateEdit::SerialOfFields(double parsed) const {
  if (!loadedSerial_) return parsed;
  const std::optional<DateParts> loaded = DatePartsOfSerial(*loadedSerial_);
  return loaded && *loaded == parts_ ? *loadedSerial_ : parsed;
}

void CVlDateEdit::Normalise(std::int32_t caret) {
  ParseFields();
  RenderFields();
  fieldModel.SetSelection(caret, caret);
}

CVlDateEdit::FieldAt CVlDateEdit::FieldAtPosition(std::int32_t pos) const {
  const std::vector<FieldSegment>& segs = fieldModel.Segments();
  const std::string& text = fieldModel.EditText();
  for (std::size_t i = 0; i < segs.size() && i < editForm_.fields.size(); ++i) {
    if (pos >= segs[i].start && pos < segs[i].start + segs[i].byteLength) {
      const std::string_view content(text.data() + segs[i].start, static_cast<std::size_t>(pos - segs[i].start));
      return {static_cast<int>(i), MbcsCharCount(content)};
    }
  }
  return {};
}

CVlDateEdit::FieldAt CVlDateEdit::CaretField() const {
  // A loaded value puts the model's caret on the first field too, so the model always answers.
  return FieldAtPosition(fieldModel.GetSelection().Min());
}

std::int32_t CVlDateEdit::FieldPosition(int index, int offset) const {
  const std::vector<FieldSegment>& segs = fieldModel.Segments();
  if (index < 0 || segs.empty()) return static_cast<std::int32_t>(fieldModel.Prefix().size());
  const auto i = static_cast<std::size_t>(std::min<int>(index, static_cast<int>(segs.size()) - 1));
  if (offset >= editForm_.fields[i].width) {
    if (i + 1 < segs.size()) return segs[i + 1].start;
    return segs[i].start + segs[i].byteLength;
  }
  const std::string_view content =
      std::string_view(fieldModel.EditText()).substr(static_cast<std::size_t>(segs[i].start),
                                                      static_cast<std::size_t>(segs[i].byteLength));
  return segs[i].start + MbcsByteIndexOfChar(content, offset);
}

// --- Format, value, range ------------------------------------------------------------------------

void CVlDateEdit::GetFormat(std::string& out) { out = formatText_; }

bool CVlDateEdit::SetFormat(const std::string& format) {
  formatText_ = format;
  displaySpec_ = ParseDateFormat(format);
  RebuildEditForm();
  lastError = kEditOk;
  RefreshDisplay();
  return true;
}

void CVlDateEdit::SetEraProfile(const std::string& path) {
  // A profile that cannot be read leaves the eras as they were.
  if (!path.empty()) eraTable_.LoadEraProfile(path);
  RebuildEditForm();
  RefreshDisplay();
}

void CVlDateEdit::SetNull(bool on) {
  valueCommit.SetNullState(on);
  if (!on) return;
  ForgetUndo();
  loadedSerial_.reset();
  invalid_ = true;
  // Typing or stepping a Null date starts from a real one.
  PreFill();
  RenderFields();
  lastError = kEditOk;
  RefreshDisplay();
}

bool CVlDateEdit::PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) {
  const double serial = AsDateSerial(handed);
  produced = TypedValueToText(TypedValue::Date(serial));
  const std::optional<DateParts> parts = DatePartsOfSerial(serial);
  if (!parts) {
    lastError = kEditFormatMismatch;
    return false;
  }
  loadParts_ = *parts;
  load = TypedValue::Date(serial);
  return true;
}

void CVlDateEdit::ShowLoaded(std::string&) {
  parts_ = loadParts_;
  loadedSerial_ = valueCommit.Value().AsDate();
  invalid_ = false;
  // Loaded while the user edits (a paste), the caret is placed at once.
  caretUnplaced = HasFocus() ? 0 : 1;
  RenderFields();
  fieldModel.MoveCaret(CaretMove::kFirst);
  RefreshDisplay();
  ApplyFocusSelection();
}

bool CVlDateEdit::TextToValue(const std::string&, TypedValue& out) {
  const std::optional<double> date = ParseFields();
  if (!date) {
    lastError = kEditFormatMismatch;
    return false;
  }
  out = TypedValue::Date(SerialOfFields(*date));
  return true;
}

void CVlDateEdit::ShowCommitted() {
  loadedSerial_ = valueCommit.Value().AsDate();
  RenderFields();
}

DateRange CVlDateEdit::GetDateRange() const {
  const auto [lower, upper] = valueCommit.Range().Bounds();
  return DateRange{lower.AsDate(), upper.AsDate()};
}

std::string CVlDateEdit::GetText() { return fieldModel.EditText(); }

// --- Display -------------------------------------------------------------------------------------

bool CVlDateEdit::RefreshDisplay() {
  if (HasFocus()) return SetDisplayText(fieldModel.GetDisplayText());
  if (valueCommit.IsNull()) return SetDisplayText(nullText_);
  const std::optional<double> date = FieldsDate();
  if (!date) return SetDisplayText(fieldModel.EditText());  // no date to format: the fields as typed
  const std::optional<std::string> shown =
      FormatDateTime(*date, displaySpec_, UsesTwelveHourClock(displaySpec_), eraTable_);
  return SetDisplayText(shown.value_or(fieldModel.EditText()));
}

// --- Caret ---------------------------------------------------------------------------------------

void CVlDateEdit::GetSel(std::int32_t& start, std::int32_t& length) {
  if (caretUnplaced) {
    start = MbcsCharIndexOfByte(fieldModel.EditText(), FieldPosition(0, 0));
    length = 0;
    return;
  }
  CVlEditWnd::GetSel(start, length);
}

void CVlDateEdit::SetSel(std::int32_t start, std::int32_t length) {
  if (start < 0) {
    caretUnplaced = true;
    const std::int32_t at = FieldPosition(0, 0);
    fieldModel.SetSelection(at, at);
    if (created && (HasFocus() || !hideSelection)) ApplySelection();
    return;
  }
  CVlEditWnd::SetSel(start, length);
}

void CVlDateEdit::OnFocusGained() { caretUnplaced = false; }

void CVlDateEdit::OnFocusLost(win::HWND newFocus) {
  const bool failed = !valueCommit.IsNull() && !CommitText();
  RefreshDisplay();
  bool live = true;
  if (failed) {
    live = SendError(lastError, GetText());
  } else {
    const EditorValue v = GetValue();
    if (!v.isNull && !v.error) live = CommonCommit(valueCommit.ForUserCheck());
  }
  if (live) SendFocusLeft(newFocus);
}

win::LRESULT CVlDateEdit::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (destroying_) return CVlEditWnd::WndProc(msg, wParam, lParam);
  switch (msg) {
    case win::WM_SETFOCUS:
      // Each focus gain edits in the form the Format gives now; a Null box starts from today.
      if (valueCommit.IsNull()) PreFill();
      RebuildEditForm();
      if (caretUnplaced) fieldModel.SetSelection(FieldPosition(0, 0), FieldPosition(0, 0));
      break;
    case win::WM_KEYDOWN:
      if (wParam == static_cast<win::WPARAM>(win::VK_DELETE)) ArmDelete(false);
      break;
    case win::WM_CUT:
    case win::WM_CLEAR:
      ArmDelete(false);
      break;
    default:
      break;
  }
  const win::LRESULT result = CVlEditWnd::WndProc(msg, wParam, lParam);
  pendingDelete_.armed = false;
  return result;
}

// --- Typing --------------------------------------------------------------------------------------

bool CVlDateEdit::OnTypedChar(std::uint32_t ch) {
  if (ch == 8) {
    // The common Backspace rule: a character before the caret, or the selection.
    const FieldSelection sel = fieldModel.GetSelection();
    const bool single = MbcsCharCount(fieldModel.GetSelectedText()) <= 1 &&
                        (sel.Empty() || fieldModel.EditMode() == FieldEditMode::kOverwrite);
    ArmDelete(single);
  } else if (ch == 24) {
    ArmDelete(false);
  }
  return false;
}

bool CVlDateEdit::FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t&) {
  replacement.clear();
  reachedEnd = false;
  const FieldAt at = CaretField();
  if (at.index < 0) return false;
  const DateFieldKind kind = editForm_.fields[static_cast<std::size_t>(at.index)].kind;
  const bool digit = ch >= '0' && ch <= '9';
  bool accepted = false;
  if (IsEraField(kind) || (kind == DateFieldKind::kEraYear && !digit)) {
    accepted = TypeEra(ch, at);
  } else if (digit) {
    accepted = TypeDigit(static_cast<char>(ch), at);
  }
  if (!accepted) return false;
  // The edit is already in the field model: the window only has to show it.
  replacement = fieldModel.EditText();  // never empty: the form has a field
  return true;
}

bool CVlDateEdit::TypeDigit(char digit, FieldAt at) {
  std::vector<std::string> contents = SplitDateEditText(editForm_, fieldModel.GetText());
  const auto i = static_cast<std::size_t>(at.index);
  if (i >= contents.size()) return false;
  DateParts now = parts_;
  ParseDateEditText(editForm_, fieldModel.GetText(), eraTable_, now);
  const DateDigitEdit edit =
      ApplyDateDigit(editForm_.fields[i].kind, contents[i], at.offset, digit, now.month, IsLeapYear(now.year));
  if (!edit.accepted) return false;
  if (valueCommit.IsNull()) SetNull(false);
  caretUnplaced = false;
  contents[i] = edit.content;
  fieldModel.SetText(JoinContents(contents));
  reachedEnd = (i + 1 == contents.size() && edit.caret >= editForm_.fields[i].width);
  Normalise(FieldPosition(at.index, edit.caret));
  return true;
}

bool CVlDateEdit::TypeEra(std::uint32_t ch, const FieldAt& at) {
  std::string typed;
  AppendCharCode(typed, static_cast<std::uint16_t>(ch));
  const DateFieldKind kind = editForm_.fields[static_cast<std::size_t>(at.index)].kind;
  int eraField = IsEraField(kind) ? at.index : -1;
  for (std::size_t i = 0; eraField < 0 && i < editForm_.fields.size(); ++i) {
    if (IsEraField(editForm_.fields[i].kind)) eraField = static_cast<int>(i);
  }
  const EraForm form =
      eraField >= 0 ? EraFormOfField(editForm_.fields[static_cast<std::size_t>(eraField)].kind) : EraForm::Letter;
  // A letter in any case; in the era field itself also a short name or the first character of a
  // full name.
  int index = -1;
  const std::vector<EraEntry>& list = eraTable_.eras();
  if (const EraText letter = eraTable_.EraByLetter(EraForm::Letter, typed); letter.found) {
    index = eraTable_.EraIndexByText(EraForm::Letter, letter.text);
  }
  if (index < 0 && IsEraField(kind) && ch > 0xFF) {
    for (std::size_t e = 0; e < list.size() && index < 0; ++e) {
      if (list[e].shortName == typed || list[e].name.compare(0, typed.size(), typed) == 0) index = static_cast<int>(e);
    }
  }
  if (index < 0) return false;
  if (valueCommit.IsNull()) SetNull(false);
  caretUnplaced = false;
  const EraEntry& era = list[static_cast<std::size_t>(index)];
  if (eraField < 0) {
    // No era field to write into: the era year stays and the year moves to the typed era.
    DateParts now = parts_;
    ParseDateEditText(editForm_, fieldModel.GetText(), eraTable_, now);
    const int month = std::clamp(now.month, 1, 12);
    const int day = std::clamp(now.day, 1, DaysInMonth(now.year, month));
    const int eraYear = eraTable_.EraPartsOfDate(now.year, month, day, EraForm::Letter).eraYear;
    const int year = eraTable_.GregorianYearFromEra(EraForm::Letter, era.letter, std::max(eraYear, 1));
    if (year > 0) parts_.year = year;
    const std::int32_t caret = fieldModel.GetSelection().Min();
    RenderFields();
    fieldModel.SetSelection(caret, caret);
    return true;
  }
  std::vector<std::string> contents = SplitDateEditText(editForm_, fieldModel.GetText());
  const auto e = static_cast<std::size_t>(eraField);
  contents[e] = PadEraText(era.Text(form), editForm_.fields[e].width);
  const std::int32_t caret = IsEraField(kind) ? -1 : fieldModel.GetSelection().Min();
  fieldModel.SetText(JoinContents(contents));
  // Typed into the era field, the caret goes on to the next field; typed into the era year, it
  // stays where it was.
  Normalise(caret >= 0 ? caret : FieldPosition(eraField, editForm_.fields[e].width));
  return true;
}

bool CVlDateEdit::ValidateText(const std::string& text) {
  // A text of the edit form's shape (literals in their places), only the digits of a digit-only
  // form, or any date the date reader accepts.
  std::string value;
  bool ok = false;
  {
    std::size_t p = 0;
    bool shaped = text.compare(0, editForm_.prefix.size(), editForm_.prefix) == 0;
    if (shaped) p = editForm_.prefix.size();
    for (std::size_t i = 0; shaped && i < editForm_.fields.size(); ++i) {
      const DateEditField& f = editForm_.fields[i];
      std::string content;
      for (std::int32_t n = 0; n < f.width; ++n) {
        if (p >= text.size()) {
          shaped = false;
          break;
        }
        const int len = CharLengthAt(text, p);
        if (!IsEraField(f.kind) && (text[p] < '0' || text[p] > '9')) shaped = false;
        content.append(text, p, static_cast<std::size_t>(len));
        p += static_cast<std::size_t>(len);
      }
      if (!shaped || text.compare(p, f.literal.size(), f.literal) != 0) {
        shaped = false;
        break;
      }
      p += f.literal.size();
      value += content;
    }
    ok = shaped && p == text.size();
  }
  if (!ok) {
    std::int32_t positions = 0;
    bool digitsOnly = !editForm_.HasEraField();
    for (const DateEditField& f : editForm_.fields) positions += f.width;
    for (char c : text) digitsOnly = digitsOnly && c >= '0' && c <= '9';
    if (digitsOnly && static_cast<std::int32_t>(text.size()) == positions) {
      value = text;
      ok = true;
    }
  }
  if (!ok) {
    if (const std::optional<double> serial = ParseDateText(text)) {
      if (const std::optional<DateParts> parts = DatePartsOfSerial(*serial)) {
        value = RenderDateEditText(editForm_, *parts, eraTable_);
        ok = true;
      }
    }
  }
  if (!ok) return false;
  // The text must name a date: 2001/02/29 has the right shape but is refused.
  DateParts check = parts_;
  if (!ParseDateEditText(editForm_, value, eraTable_, check)) return false;
  validatedText_ = value;
  if (valueCommit.IsNull()) SetNull(false);
  return true;
}

bool CVlDateEdit::SetSelText(const std::string& text) {
  const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  std::int32_t positions = 0;
  for (const DateEditField& f : editForm_.fields) positions += f.width;
  if (digits && static_cast<std::int32_t>(text.size()) < positions) {
    const MaskFieldModel savedModel = fieldModel;
    const DateParts savedParts = parts_;
    const ValueCommit::NullState savedNull = valueCommit.SavedNull();
    const std::int32_t at = fieldModel.GetSelection().Min();
    fieldModel.SetSelection(at, at);
    for (char c : text) {
      const FieldAt field = CaretField();
      if (field.index < 0 || IsEraField(editForm_.fields[static_cast<std::size_t>(field.index)].kind) ||
          !TypeDigit(c, field)) {
        fieldModel = savedModel;
        parts_ = savedParts;
        valueCommit.RestoreNull(savedNull);
        return false;
      }
    }
  } else {
    if (!ValidateText(text)) return false;
    fieldModel.SetText(validatedText_);
    Normalise(FieldPosition(0, 0));
  }
  editText = fieldModel.GetText();
  RefreshDisplay();
  return true;
}

// --- Deleting ------------------------------------------------------------------------------------

void CVlDateEdit::ArmDelete(bool backward) {
  pendingDelete_.armed = true;
  pendingDelete_.backward = backward;
  pendingDelete_.selection = fieldModel.GetSelection();
  pendingDelete_.valueText = fieldModel.GetText();
  pendingDelete_.segments = fieldModel.Segments();
}

void CVlDateEdit::AfterDelete() {
  if (!pendingDelete_.armed) {
    Normalise(fieldModel.GetSelection().Min());
    return;
  }
  // The model let the following fields slide left; a date field keeps its place instead, and
  // the deleted digits become 0 (which the re-reading turns into the field's least value).
  const PendingDelete d = pendingDelete_;
  pendingDelete_.armed = false;
  auto toValue = [&](std::int32_t pos) {
    std::int32_t v = 0;
    for (const FieldSegment& seg : d.segments) {
      if (pos <= seg.start + seg.byteLength) return v + std::clamp(pos - seg.start, 0, seg.byteLength);
      v += seg.byteLength;
    }
    return v;
  };
  std::string text = d.valueText;
  std::int32_t from = toValue(d.selection.Min());
  std::int32_t to = toValue(d.selection.Max());
  const auto size = static_cast<std::int32_t>(text.size());
  if (d.backward) {
    to = from;
    std::int32_t prev = 0;
    for (std::int32_t p = 0; p < from; p += CharLengthAt(text, static_cast<std::size_t>(p))) prev = p;
    from = from > 0 ? prev : 0;
  } else if (from == to && from < size) {
    to = from + CharLengthAt(text, static_cast<std::size_t>(from));
  }
  std::int32_t caret = d.selection.Min();
  std::int32_t acc = 0;
  for (std::size_t i = 0; i < d.segments.size() && i < editForm_.fields.size(); ++i) {
    const FieldSegment& seg = d.segments[i];
    if (!IsEraField(editForm_.fields[i].kind)) {
      for (std::int32_t p = std::max(from, acc); p < std::min(to, acc + seg.byteLength); ++p) {
        text[static_cast<std::size_t>(p)] = '0';
      }
    }
    if (from >= acc && from < acc + seg.byteLength) caret = seg.start + (from - acc);
    acc += seg.byteLength;
  }
  fieldModel.SetText(text);
  Normalise(caret);
}

// --- Spin ----------------------------------------------------------------------------------------

bool CVlDateEdit::SpinDown() { return DateStep(-WholeSpinStep(spinIncrease)); }
bool CVlDateEdit::SpinUp() { return DateStep(WholeSpinStep(spinIncrease)); }

bool CVlDateEdit::DateStep(std::int64_t step) {
  if (valueCommit.IsNull()) SetNull(false);
  if (editForm_.fields.empty()) return false;
  FieldAt at = CaretField();
  if (at.index < 0) at.index = static_cast<int>(editForm_.fields.size()) - 1;
  const std::string before = fieldModel.GetText();
  const DateRange range = GetDateRange();
  // 1. A date outside the range first goes to the bound it crossed.
  if (const std::optional<double> date = SerialOfDateParts(parts_)) {
    if (const std::int32_t crossed = valueCommit.Range().Check(TypedValue::Date(*date))) {
      if (std::optional<DateParts> bound = DatePartsOfSerial(crossed == 1 ? range.upper : range.lower)) parts_ = *bound;
      lastError = kEditOk;
      RenderFields();
    }
  }
  // 2. The text must read as a date.
  if (!ParseFields()) {
    invalid_ = true;
    return false;
  }
  // 3. and 4. The field under the caret moves, wrapping inside its range; the rest follows.
  parts_ = StepDateField(editForm_.fields[static_cast<std::size_t>(at.index)].kind, parts_, step, range, eraTable_);
  invalid_ = false;
  lastError = kEditOk;
  caretUnplaced = false;
  RenderFields();
  // The stepped field is selected, without the separator after it.
  fieldModel.SelectSegment(at.index);
  if (created) {
    RefreshWindowText();
    ApplySelection();
  }
  return fieldModel.GetText() != before;
}

// --- Clipboard -----------------------------------------------------------------------------------

void CVlDateEdit::Copy() {
  if (passwordChar != 0 || !created) return;
  win::System& sys = *Sys();
  if (!sys.OpenClipboard(Handle())) return;
  sys.EmptyClipboard();
  sys.SetClipboardData(win::CF_TEXT, fieldModel.EditText() + '\0');
  if (const win::UINT format = sys.RegisterClipboardFormat(kClipboardFormat)) {
    DateParts fields = parts_;
    if (const std::optional<double> date = ParseDateEditText(editForm_, fieldModel.GetText(), eraTable_, fields)) {
      std::string raw(sizeof(double), '\0');
      std::memcpy(raw.data(), &*date, sizeof(double));
      sys.SetClipboardData(format, raw);
    }
  }
  sys.CloseClipboard();
}

bool CVlDateEdit::Paste() {
  if (locked) return true;
  if (!created) return false;
  win::System& sys = *Sys();
  const win::UINT format = sys.RegisterClipboardFormat(kClipboardFormat);
  if (format != 0 && sys.IsClipboardFormatAvailable(format)) {
    if (!sys.OpenClipboard(Handle())) return false;
    const std::string raw = sys.GetClipboardData(format).value_or(std::string());
    sys.CloseClipboard();
    double serial = 0;
    std::memcpy(&serial, raw.data(), std::min(raw.size(), sizeof serial));
    std::string produced;
    const bool ok = SetValue(TypedValue::Date(serial), produced);
    lastError = kEditOk;
    return ok;
  }
  const std::optional<std::string> data = TakeClipboardText();
  if (!data || !ValidateText(*data)) return false;
  // A pasted date replaces every field, not only the selection.
  fieldModel.SetText(validatedText_);
  Normalise(FieldPosition(0, 0));
  RefreshWindowText();
  fieldModel.MoveCaret(CaretMove::kFirst);
  ApplySelection();
  return true;
}

}  // namespace vl
