#include "edit/number_edit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "edit/spin_button.h"
#include "format/display_text.h"
#include "format/number_display.h"
#include "format/number_format.h"
#include "format/number_round.h"
#include "runtime/coerce.h"
#include "runtime/currency.h"
#include "runtime/number_parse.h"
#include "text/mbcs.h"

namespace vl {

namespace {

std::int32_t Bytes(const std::string& s) { return static_cast<std::int32_t>(s.size()); }

// Digits with an optional leading or trailing sign, as the edit form holds them.
struct SignedDigits {
  bool negative = false;
  std::string body;  // without the sign
};

SignedDigits TakeSign(const std::string& text) {
  SignedDigits d;
  d.body = text;
  if (!d.body.empty() && (d.body.front() == '-' || d.body.front() == '+')) {
    d.negative = d.body.front() == '-';
    d.body.erase(0, 1);
  } else if (!d.body.empty() && (d.body.back() == '-' || d.body.back() == '+')) {
    d.negative = d.body.back() == '-';
    d.body.pop_back();
  }
  return d;
}

// The integer value of a digit text, saturating at the int64 range (which no box type reaches).
std::int64_t IntegerOf(const std::string& text) {
  SignedDigits d = TakeSign(text);
  std::int64_t v = 0;
  for (char c : d.body) {
    if (c < '0' || c > '9') break;
    if (v > (std::numeric_limits<std::int64_t>::max() - 9) / 10) {
      v = std::numeric_limits<std::int64_t>::max();
      break;
    }
    v = v * 10 + (c - '0');
  }
  return d.negative ? -v : v;
}

std::string WithLeadingSign(const std::string& text) {
  SignedDigits d = TakeSign(text);
  return (d.negative ? "-" : "") + d.body;
}

enum class NumberRead { kOk, kOverflow, kUnderflow };

// The double of an edit-form number text ("-12.5", "", "-"), read the same under every C library
// locale: the edit form's point is always ".", while strtod would stop at it under a locale whose
// decimal point is "," (12.5 would read 12). Overflow past the double range and a non-zero text
// too small for a double are reported, as a range error of the conversion.
NumberRead ReadNumberText(const std::string& text, double& out) {
  out = 0;
  const std::string plain = WithLeadingSign(text);
  if (plain.empty() || plain == "-") return NumberRead::kOk;
  const std::optional<DecimalNumber> number = ParseDecimalNumber(plain);
  if (!number) return NumberRead::kOk;
  if (ToDouble(*number, out) == ScaleStatus::Overflow) {
    out = number->negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return NumberRead::kOverflow;
  }
  return (out == 0 && !number->IsZero()) ? NumberRead::kUnderflow : NumberRead::kOk;
}


template <typename T>
std::string RawBytes(T v) {
  std::string out(sizeof v, '\0');
  std::memcpy(out.data(), &v, sizeof v);
  return out;
}

template <typename T>
T FromRaw(const std::string& raw) {
  T v{};
  std::memcpy(&v, raw.data(), std::min(raw.size(), sizeof v));
  return v;
}

}  // namespace

CVlNumberEdit::CVlNumberEdit(std::uint16_t dataType, NumberKind kind)
    : CVlEditWnd(dataType), numberKind_(kind), decimalAllowed_(kind == kDecimal) {
  fieldModel.SetNumericMode(true);
  // Null, with the type's zero held for the first step to start from.
  valueCommit.Store(TypeZeroValue(dataType, VirtualClock()));
  valueCommit.SetNullState(true);
  if (dataType == VlTextSingle) SetFormat("#######.#######");
  if (dataType == VlTextDouble) SetFormat("###############.###############");
  if (dataType != VlTextSingle && dataType != VlTextDouble) SetFormat("");
  lastError = kEditOk;
}

// --- Format ------------------------------------------------------------------------------------

void CVlNumberEdit::RebuildLayout() {
  fieldModel.SetLayout(MakeNumericLayout(fitsFormat_ ? intPlaces_ : 0, decimalAllowed_, fitsFormat_ ? fracPlaces_ : 0));
}

bool CVlNumberEdit::SetFormat(const std::string& format) {
  // While the user types, the text being edited is the current value: a Format written then
  // re-formats what was typed, instead of going back to the value last committed (or from Null
  // to 0). A text that reads as no number leaves the value as it was.
  if (HasFocus()) {
    TypedValue typed;
    if (const std::string text = ValueText(); !text.empty() && TextToValue(text, typed)) {
      valueCommit.Store(typed);
      valueCommit.SetNullState(false);
    }
  }
  lastError = kEditOk;
  formatText_ = format;
  sections_ = MakeFormatSectionSet(format);
  const NumberFormatCapacity cap = GetNumberFormatCapacity(sections_.positive);
  if (cap.intDigits >= 0 && cap.fracDigits >= 0 && cap.intDigits + cap.fracDigits > 0) {
    fitsFormat_ = true;
    intPlaces_ = cap.intDigits;
    fracPlaces_ = cap.fracDigits;
    if (numberKind_ == kDecimal) decimalAllowed_ = cap.fracDigits > 0;
    maxLength = intPlaces_ + fracPlaces_;
  } else {
    fitsFormat_ = false;
    intPlaces_ = fracPlaces_ = 0;
    decimalAllowed_ = numberKind_ == kDecimal;
    maxLength = 0;
  }
  // The model counts digits per part itself; the sign and the point never count.
  RebuildLayout();
  if (valueCommit.IsNull()) {
    RefreshDisplay();
    return true;
  }
  SignClass sign;
  std::string text = NumberToText(valueCommit.Value(), sign);
  const std::int32_t fit = FitToFormat(text);
  if (fit == kEditTooManyChars) {
    lastError = fit;
    ShowValue();
    return false;
  }
  if (fit == kEditAdjustedToFormat) {
    TypedValue adjusted;
    if (ParseText(text, adjusted)) valueCommit.Store(adjusted);
    lastError = fit;
    ShowValue();
    return false;
  }
  ShowValue();
  return true;
}

void CVlNumberEdit::GetFormat(std::string& out) { out = JoinFormatSectionSet(sections_); }

std::int32_t CVlNumberEdit::FitToFormat(std::string& text) const {
  if (!fitsFormat_) return kEditOk;
  const NumberTextParts parts = SplitNumberText(text, true);
  if (intPlaces_ > 0 && static_cast<std::int32_t>(parts.intDigits.size()) > intPlaces_) return kEditTooManyChars;
  if (static_cast<std::int32_t>(parts.fracDigits.size()) <= fracPlaces_) return kEditOk;
  std::string rounded;
  if (!RoundDecimalText(text, fracPlaces_, rounded)) return kEditTooManyChars;
  // A carry into an integer digit the section has no place for is refused, not cut: 9.995 in
  // «0.00» must not quietly become 0.00.
  const NumberTextParts after = SplitNumberText(rounded, true);
  if (intPlaces_ > 0 && static_cast<std::int32_t>(after.intDigits.size()) > intPlaces_) return kEditTooManyChars;
  text = rounded;
  return kEditAdjustedToFormat;
}

// --- Value -------------------------------------------------------------------------------------

std::string CVlNumberEdit::NumberToText(const TypedValue& value, SignClass& sign) const {
  return NumberTextOfValue(dataType_, value, sign);
}

bool CVlNumberEdit::ParseText(const std::string& text, TypedValue& out) {
  switch (dataType_) {
    case VlTextInteger:
    case VlTextByte: {
      // Digits beyond the type's own bounds give no value; the bounds the user set are the range
      // check's, which runs on the value afterwards.
      const std::int64_t v = IntegerOf(text);
      const std::int64_t lo = dataType_ == VlTextByte ? 0 : -32768;
      const std::int64_t hi = dataType_ == VlTextByte ? 255 : 32767;
      if (v > hi) {
        lastError = kEditAboveUpper;
        return false;
      }
      if (v < lo) {
        lastError = kEditBelowLower;
        return false;
      }
      out = dataType_ == VlTextByte ? TypedValue::UI1(static_cast<std::uint8_t>(v)) : TypedValue::I2(static_cast<std::int16_t>(v));
      return true;
    }
    case VlTextLong: {
      const std::int64_t v = IntegerOf(text);
      if (v > std::numeric_limits<std::int32_t>::max()) {
        lastError = kEditAboveUpper;
        return false;
      }
      if (v < std::numeric_limits<std::int32_t>::min()) {
        lastError = kEditBelowLower;
        return false;
      }
      out = TypedValue::I4(static_cast<std::int32_t>(v));
      return true;
    }
    case VlTextSingle:
    case VlTextDouble: {
      double x = 0;
      const NumberRead read = ReadNumberText(text, x);
      if (read != NumberRead::kOk) {
        lastError = (read == NumberRead::kOverflow && x > 0) ? kEditAboveUpper : kEditBelowLower;
        return false;
      }
      if (dataType_ == VlTextSingle) {
        if (std::fabs(x) > std::numeric_limits<float>::max()) {
          lastError = x > 0 ? kEditAboveUpper : kEditBelowLower;
          return false;
        }
        out = TypedValue::R4(static_cast<float>(x));
      } else {
        out = TypedValue::R8(x);
      }
      return true;
    }
    case VlTextCurrency: {
      Currency c;
      // A text the currency reader cannot take commits as 0.
      if (ParseCurrency(WithLeadingSign(text), c) != CurrencyParse::Ok) c = Currency{0};
      out = TypedValue::Cy(c);
      return true;
    }
    default:
      return false;
  }
}

void CVlNumberEdit::ShowValue() {
  SignClass sign;
  std::string text = NumberToText(valueCommit.Value(), sign);
  // The edit form holds the point only with fraction digits after it: 10.000000 edits as «10».
  if (!text.empty() && text.back() == '.') text.pop_back();
  signClass_ = sign;
  fieldModel.SetText(text);
  editText = fieldModel.GetText();
  shownText_ = editText;
  RefreshDisplay();
}

bool CVlNumberEdit::TextToValue(const std::string& text, TypedValue& out) {
  // The edit form of a Single or Double keeps six decimals ("%f"): read back, 0.1234567 would
  // become 0.123457 and 1e-7 would become 0 although the user typed nothing. A text the user has
  // not changed stands for the value it was shown from; a changed one is read as typed.
  if (shownText_ && text == *shownText_) {
    out = valueCommit.Value();
    return true;
  }
  return ParseText(text, out);
}

std::string CVlNumberEdit::ValueText() const { return RemoveMaskMarkers(fieldModel.GetText()); }

bool CVlNumberEdit::PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) {
  SignClass sign;
  loadText_ = NumberToText(handed, sign);
  produced = loadText_;
  const std::int32_t fit = FitToFormat(loadText_);
  if (fit == kEditTooManyChars) {
    lastError = fit;
    return false;
  }
  load = handed;
  if (fit == kEditAdjustedToFormat && !ParseText(loadText_, load)) return false;
  lastError = fit;
  return true;
}

void CVlNumberEdit::ShowLoaded(std::string& produced) {
  ShowValue();
  PlaceCaretAtPoint();
  ApplyFocusSelection();
  produced = loadText_;
}

void CVlNumberEdit::ShowCommitted() {
  ShowValue();
  ApplyFocusSelection();
}

// --- Display -------------------------------------------------------------------------------------

void CVlNumberEdit::SetNull(bool on) {
  if (on) {
    ForgetUndo();
    EnterNull();
  } else {
    valueCommit.SetNullState(false);
    lastError = kEditOk;
  }
}

void CVlNumberEdit::EnterNull() {
  signClass_ = SignClass::Null;
  shownText_.reset();
  fieldModel.DeleteAll();
  editText.clear();
  valueCommit.SetNullState(true);
  lastError = kEditOk;
  RefreshDisplay();
}

bool CVlNumberEdit::RefreshDisplay() {
  if (HasFocus()) return SetDisplayText(fieldModel.GetDisplayText());
  std::string number = valueCommit.IsNull() ? std::string() : RemoveMaskMarkers(fieldModel.GetText());
  SignClass sign = valueCommit.IsNull() ? SignClass::Null : SignClassOfNumberText(WithLeadingSign(number));
  if (dataType_ == VlTextByte && sign == SignClass::Negative) sign = SignClass::Positive;
  signClass_ = sign;
  return SetDisplayText(NumberDisplayText(WithLeadingSign(number), sign, sections_, numberKind_ == kDecimal));
}

void CVlNumberEdit::AfterDelete() {
  // Deleting every digit leaves nothing to commit: the box is Null again, and Undo can still
  // bring the digits back.
  const std::string text = RemoveMaskMarkers(fieldModel.GetText());
  if (text.empty()) EnterNull();
}

// --- Input -----------------------------------------------------------------------------------

bool CVlNumberEdit::FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t&) {
  replacement.clear();
  const bool digit = ch >= '0' && ch <= '9';
  const bool sign = (ch == '+' || ch == '-') && numberKind_ != kDigitsOnly;
  const bool point = ch == '.' && decimalAllowed_;
  if (!digit && !sign && !point) return false;
  if (valueCommit.IsNull()) SetNull(false);
  return true;
}

bool CVlNumberEdit::OnTypedChar(std::uint32_t ch) {
  if (ch != '.' || !singleLine || locked) return false;
  if (fieldModel.GetText().find('.') == std::string::npos) return false;
  fieldModel.MoveAfterDecimalPoint();
  ApplySelection();
  return true;
}

bool CVlNumberEdit::ValidateText(const std::string& text) {
  std::string allowed = "0123456789";
  if (numberKind_ != kDigitsOnly) allowed += "+-";
  if (numberKind_ == kDecimal) allowed += ".";
  int points = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (allowed.find(c) == std::string::npos) return false;
    if ((c == '+' || c == '-') && i != 0 && i + 1 != text.size()) return false;
    if (c == '.' && ++points > 1) return false;
  }
  if (valueCommit.IsNull()) SetNull(false);
  return true;
}

void CVlNumberEdit::PlaceCaretAtPoint() {
  // A value just loaded: the caret waits at the decimal point, or at the end. It is put there in
  // the model itself, so the selection the box reports is the one it draws and types at.
  caretUnplaced = true;
  const std::string& text = fieldModel.EditText();
  const std::size_t point = text.find('.');
  const std::int32_t at = point == std::string::npos ? Bytes(text) : static_cast<std::int32_t>(point);
  fieldModel.SetSelection(at, at);
}

void CVlNumberEdit::SetSel(std::int32_t start, std::int32_t length) {
  const std::string& text = fieldModel.EditText();
  if (start < 0) {
    PlaceCaretAtPoint();
    if (created && (HasFocus() || !hideSelection)) ApplySelection();
    return;
  }
  if (start == 0 && !text.empty() && (text.front() == '-' || text.front() == '+')) {
    start = 1;
    length = std::max(length - 1, 0);
  }
  CVlEditWnd::SetSel(start, length);
}

void CVlNumberEdit::OnFocusGained() {
  if (caretUnplaced && !selectByFocus) {
    PlaceCaretAtPoint();
    ApplySelection();
  }
  caretUnplaced = false;
}

void CVlNumberEdit::OnFocusLost(win::HWND newFocus) {
  const bool failed = !valueCommit.IsNull() && !CommitText();
  bool live = false;
  if (failed) {
    live = SendError(lastError, RemoveMaskMarkers(fieldModel.GetText()));
  } else {
    RefreshDisplay();
    live = CommonCommit(valueCommit.ForUserCheck());
  }
  if (live) SendFocusLeft(newFocus);
}

// --- Spin ------------------------------------------------------------------------------------

bool CVlNumberEdit::SpinDown() { return SpinStep(-spinIncrease); }
bool CVlNumberEdit::SpinUp() { return SpinStep(spinIncrease); }

bool CVlNumberEdit::SpinStep(float increase) {
  if (valueCommit.IsNull()) SetNull(false);
  const std::string text = RemoveMaskMarkers(fieldModel.GetText());
  const TypedValue before = valueCommit.Value();
  const std::string beforeText = text;
  const auto [lower, upper] = valueCommit.Range().Bounds();
  TypedValue next;
  switch (dataType_) {
    case VlTextInteger:
    case VlTextLong:
    case VlTextByte: {
      // Both terms stay far inside the 64-bit range, so the sum cannot overflow; the range
      // clamp then takes a step past a bound to that bound.
      std::int64_t v = std::clamp<std::int64_t>(IntegerOf(text), -kSpinStepLimit, kSpinStepLimit) + WholeSpinStep(increase);
      auto bound = [&](const TypedValue& b) {
        return dataType_ == VlTextInteger ? std::int64_t{b.AsI2()} : dataType_ == VlTextLong ? std::int64_t{b.AsI4()} : std::int64_t{b.AsUI1()};
      };
      v = std::clamp(v, bound(lower), std::max(bound(lower), bound(upper)));
      next = dataType_ == VlTextInteger ? TypedValue::I2(static_cast<std::int16_t>(v))
             : dataType_ == VlTextLong  ? TypedValue::I4(static_cast<std::int32_t>(v))
                                        : TypedValue::UI1(static_cast<std::uint8_t>(v));
      break;
    }
    case VlTextSingle:
    case VlTextDouble: {
      double x = 0;
      const NumberRead read = ReadNumberText(text, x);
      if (read == NumberRead::kOk && shownText_ && text == *shownText_) {
        x = dataType_ == VlTextSingle ? static_cast<double>(valueCommit.Value().AsR4())
                                      : valueCommit.Value().AsR8();  // the exact value shown
      }
      const double lo = dataType_ == VlTextSingle ? lower.AsR4() : lower.AsR8();
      const double hi = dataType_ == VlTextSingle ? upper.AsR4() : upper.AsR8();
      const double step = std::isnan(increase) ? 0.0 : static_cast<double>(increase);
      if (read != NumberRead::kOk) {
        x = read == NumberRead::kOverflow && x > 0 ? hi : lo;
      } else if (std::isnan(x)) {
        x = std::clamp(step, lo, std::max(lo, hi));  // a NaN value steps from 0
      } else {
        x = std::clamp(x + step, lo, std::max(lo, hi));
      }
      next = dataType_ == VlTextSingle ? TypedValue::R4(static_cast<float>(x)) : TypedValue::R8(x);
      break;
    }
    case VlTextCurrency: {
      // The sum is taken in 128 bits: an increase beyond every amount (1e19) still adds exactly to
      // an amount of the other sign, and a result past the range saturates instead of wrapping.
      __int128 inc = 0;
      Currency parsed{0};
      const double wide = std::isnan(increase) ? 0.0 : static_cast<double>(increase);
      if (ParseCurrency(DoubleToText(wide), parsed) == CurrencyParse::Ok) {
        inc = parsed.value;
      } else {
        inc = static_cast<__int128>(std::clamp(wide, -1e30, 1e30) * 10000.0);
      }
      Currency cur{0};
      if (ParseCurrency(WithLeadingSign(text), cur) != CurrencyParse::Ok) cur = Currency{0};
      const __int128 exact = cur.value + inc;
      std::int64_t sum = exact > INT64_MAX ? INT64_MAX : exact < INT64_MIN ? INT64_MIN : static_cast<std::int64_t>(exact);
      if (valueCommit.Range().Checking())
        sum = std::clamp(sum, lower.AsCy().value, std::max(lower.AsCy().value, upper.AsCy().value));
      // Stored and shown directly: a currency step always counts as a change.
      valueCommit.Store(TypedValue::Cy(Currency{sum}));
      lastError = kEditOk;
      ShowValue();
      PlaceCaretAtPoint();
      ApplyFocusSelection();
      return true;
    }
    default:
      return false;
  }
  std::string produced;
  SetValue(next, produced);
  return !(valueCommit.Value() == before) || RemoveMaskMarkers(fieldModel.GetText()) != beforeText;
}

// --- Clipboard -------------------------------------------------------------------------------

const char* CVlNumberEdit::ClipboardFormatName() const {
  switch (dataType_) {
    case VlTextInteger: return "VlCF_SHORT";
    case VlTextLong: return "VlCF_LONG";
    case VlTextSingle: return "VlCF_FLOAT";
    case VlTextDouble: return "VlCF_DOUBLE";
    case VlTextCurrency: return "VlCF_CURRENCY";
    default: return "VlCF_BYTE";
  }
}

void CVlNumberEdit::Copy() {
  if (passwordChar != 0 || !created) return;
  win::System& sys = *Sys();
  if (!sys.OpenClipboard(Handle())) return;
  sys.EmptyClipboard();
  sys.SetClipboardData(win::CF_TEXT, RemoveMaskMarkers(fieldModel.GetText()) + '\0');
  if (const win::UINT format = sys.RegisterClipboardFormat(ClipboardFormatName())) {
    const EditorValue v = GetValue();
    if (!v.isNull) {
      std::string raw;
      switch (dataType_) {
        case VlTextInteger: raw = RawBytes(v.value.AsI2()); break;
        case VlTextLong: raw = RawBytes(v.value.AsI4()); break;
        case VlTextSingle: raw = RawBytes(v.value.AsR4()); break;
        case VlTextDouble: raw = RawBytes(v.value.AsR8()); break;
        case VlTextCurrency: raw = RawBytes(v.value.AsCy().value); break;
        default: raw = RawBytes(v.value.AsUI1()); break;
      }
      sys.SetClipboardData(format, raw);
    }
  }
  sys.CloseClipboard();
}

bool CVlNumberEdit::Paste() {
  if (locked) return true;
  if (!created) return false;
  win::System& sys = *Sys();
  const win::UINT format = sys.RegisterClipboardFormat(ClipboardFormatName());
  if (format != 0 && sys.IsClipboardFormatAvailable(format)) {
    if (!sys.OpenClipboard(Handle())) return false;
    const std::string raw = sys.GetClipboardData(format).value_or(std::string());
    sys.CloseClipboard();
    TypedValue v;
    switch (dataType_) {
      case VlTextInteger: v = TypedValue::I2(FromRaw<std::int16_t>(raw)); break;
      case VlTextLong: v = TypedValue::I4(FromRaw<std::int32_t>(raw)); break;
      case VlTextSingle: v = TypedValue::R4(FromRaw<float>(raw)); break;
      case VlTextDouble: v = TypedValue::R8(FromRaw<double>(raw)); break;
      case VlTextCurrency: v = TypedValue::Cy(Currency{FromRaw<std::int64_t>(raw)}); break;
      default: v = TypedValue::UI1(FromRaw<std::uint8_t>(raw)); break;
    }
    std::string produced;
    const bool ok = SetValue(v, produced);
    lastError = kEditOk;
    return ok;
  }
  const std::optional<std::string> data = TakeClipboardText();
  if (!data) return false;
  const std::string& text = *data;
  if (!ValidateText(text)) return false;
  // A pasted number replaces the whole text, not only the selection.
  if (fieldModel.SetText(text)) {
    lastError = kEditMaxLength;
    return false;
  }
  RefreshWindowText();
  fieldModel.MoveCaret(CaretMove::kFirst);
  ApplySelection();
  return true;
}

}  // namespace vl
