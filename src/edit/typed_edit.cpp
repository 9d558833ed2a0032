#include "edit/typed_edit.h"

#include "edit/boolean_edit.h"
#include "edit/date_edit.h"
#include "edit/number_edit.h"
#include "edit/string_edit.h"
#include "format/display_text.h"
#include "runtime/coerce.h"
#include "text/mbcs.h"

namespace vl {

void CVlTypedEdit::SetNull(bool on) {
  isNull = on;
  if (on) {
    ForgetUndo();
    fieldModel.DeleteAll();
    editText.clear();
    lastError = kEditOk;
    RefreshDisplay();
  }
}

void CVlTypedEdit::GetFormat(std::string& out) { out = format_; }

bool CVlTypedEdit::SetFormat(const std::string& format) {
  format_ = format;
  lastError = kEditOk;
  RefreshDisplay();
  return true;
}

bool CVlTypedEdit::SetMaxLength(std::int32_t length) {
  CVlEditWnd::SetMaxLength(length);
  const std::string text = RemoveMaskMarkers(fieldModel.GetText());
  if (dataType_ != VlTextString || length <= 0 || isNull || text.size() <= static_cast<std::size_t>(length)) {
    return true;
  }
  // The text no longer fits: cut it, never inside a double-byte character.
  Show(TypedValue::Bstr(std::string(MbcsCutBytes(text, static_cast<std::size_t>(length)))));
  lastError = kEditMaxLength;
  return false;
}

bool CVlTypedEdit::RefreshDisplay() {
  if (HasFocus()) return SetDisplayText(fieldModel.GetDisplayText());
  TypedValue shown = isNull ? TypedValue::Null() : value_;
  if (!isNull) TextValue(shown);
  return SetDisplayText(DisplayTextForValue(dataType_, shown, format_, EraTable()));
}

std::int32_t CVlTypedEdit::CheckRange(const TypedValue& value) const {
  if (!checkValue_ || dataType_ == VlTextString || dataType_ == VlTextBoolean) return kEditOk;
  if (CompareTypedValues(value, upper_) > 0) return kEditAboveUpper;
  if (CompareTypedValues(value, lower_) < 0) return kEditBelowLower;
  return kEditOk;
}

bool CVlTypedEdit::TextValue(TypedValue& out) const {
  const std::string text = RemoveMaskMarkers(fieldModel.GetText());
  if (dataType_ == VlTextString) {
    out = TypedValue::Bstr(text);
    return true;
  }
  TypedValue converted;
  if (ChangeType(TypedValue::Bstr(text), static_cast<VarType>(dataType_), converted) != CoerceStatus::Ok) return false;
  out = converted;
  return true;
}

void CVlTypedEdit::Show(const TypedValue& value) {
  value_ = value;
  isNull = false;
  fieldModel.SetText(TypedValueToText(value));
  editText = fieldModel.GetText();
  RefreshDisplay();
}

bool CVlTypedEdit::SetValue(const TypedValue& value, std::string& produced) {
  ForgetUndo();
  lastError = kEditOk;
  produced = TypedValueToText(value);
  if (std::int32_t range = CheckRange(value)) {
    lastError = range;
    return false;
  }
  if (dataType_ == VlTextString && maxLength > 0 && produced.size() > static_cast<std::size_t>(maxLength)) {
    produced = std::string(MbcsCutBytes(produced, static_cast<std::size_t>(maxLength)));
    Show(TypedValue::Bstr(produced));
    lastError = kEditMaxLength;
    return false;
  }
  Show(value);
  ApplyFocusSelection();
  return true;
}

EditorValue CVlTypedEdit::GetValue() {
  EditorValue out;
  out.isNull = isNull;
  if (out.isNull) return out;
  out.text = RemoveMaskMarkers(fieldModel.GetText());
  TypedValue v;
  if (!TextValue(v)) {
    lastError = kEditFormatMismatch;
    out.error = true;
    out.value = value_;
    return out;
  }
  value_ = v;
  out.value = v;
  return out;
}

void CVlTypedEdit::SetLowerValue(const TypedValue& value) { lower_ = value; }
void CVlTypedEdit::SetUpperValue(const TypedValue& value) { upper_ = value; }
void CVlTypedEdit::SetCheckValue(bool check) { checkValue_ = check; }

bool CVlTypedEdit::CommitText() {
  if (isNull) return true;
  TypedValue v;
  if (!TextValue(v)) {
    lastError = kEditFormatMismatch;
    return false;
  }
  lastError = CheckRange(v);
  if (lastError != kEditOk) return false;
  value_ = v;
  return true;
}

std::unique_ptr<CVlEditWnd> CreateEditor(std::uint16_t dataType) {
  switch (dataType) {
    case VlTextInteger: return std::make_unique<CVlShortEdit>();
    case VlTextLong: return std::make_unique<CVlLongEdit>();
    case VlTextSingle: return std::make_unique<CVlSingleEdit>();
    case VlTextDouble: return std::make_unique<CVlDoubleEdit>();
    case VlTextCurrency: return std::make_unique<CVlCurrencyEdit>();
    case VlTextDate: return std::make_unique<CVlDateEdit>();
    case VlTextString: return std::make_unique<CVlStringEdit>();
    case VlTextBoolean: return std::make_unique<CVlBooleanEdit>();
    case VlTextByte: return std::make_unique<CVlByteEdit>();
    default: return nullptr;
  }
}

}  // namespace vl
