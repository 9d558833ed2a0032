#include "edit/typed_edit.h"

#include "text/mbcs.h"

namespace vl {

void CVlTypedEdit::SetNull(bool on) {
  isNull = on ? 1 : 0;
  if (on) {
    editText.clear();
    SetDisplayText("");
  }
}

void CVlTypedEdit::GetFormat(std::string& out) { out = format_; }

bool CVlTypedEdit::SetFormat(const std::string& format) {
  format_ = format;
  lastError = kEditOk;
  return true;
}

bool CVlTypedEdit::SetMaxLength(std::int32_t length) {
  CVlEditWnd::SetMaxLength(length);
  if (dataType_ != VlTextString || length <= 0 || isNull || editText.size() <= static_cast<std::size_t>(length)) {
    return true;
  }
  // The text no longer fits: cut it, never inside a double-byte character.
  Show(TypedValue::Bstr(std::string(MbcsCutBytes(editText, static_cast<std::size_t>(length)))));
  lastError = kEditMaxLength;
  return false;
}

std::int32_t CVlTypedEdit::CheckRange(const TypedValue& value) const {
  if (!checkValue_ || dataType_ == VlTextString || dataType_ == VlTextBoolean) return kEditOk;
  if (CompareTypedValues(value, upper_) > 0) return kEditAboveUpper;
  if (CompareTypedValues(value, lower_) < 0) return kEditBelowLower;
  return kEditOk;
}

void CVlTypedEdit::Show(const TypedValue& value) {
  value_ = value;
  isNull = 0;
  editText = TypedValueToText(value);
  SetDisplayText(editText);
}

bool CVlTypedEdit::SetValue(const TypedValue& value, std::string& produced) {
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
  return true;
}

EditorValue CVlTypedEdit::GetValue() {
  EditorValue out;
  out.isNull = isNull != 0;
  if (!out.isNull) {
    out.value = value_;
    out.text = editText;
  }
  return out;
}

void CVlTypedEdit::SetLowerValue(const TypedValue& value) { lower_ = value; }
void CVlTypedEdit::SetUpperValue(const TypedValue& value) { upper_ = value; }
void CVlTypedEdit::SetCheckValue(bool check) { checkValue_ = check; }

bool CVlTypedEdit::CommitText() {
  if (isNull) return true;
  lastError = CheckRange(value_);
  return lastError == kEditOk;
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
