// TextValueEdit: a stand-in editor for the control's tests. It keeps the value as text in the
// field model, checks it against the range and (String) cuts it to MaxLength, and nothing else,
// so a test can override one answer and watch the control's rules.
#pragma once

#include <string>

#include "edit/edit_wnd.h"
#include "format/display_text.h"
#include "runtime/coerce.h"
#include "text/mbcs.h"

namespace vl {

class TextValueEdit : public CVlEditWnd {
 public:
  using CVlEditWnd::CVlEditWnd;

  void SetNull(bool on) override {
    isNull = on;
    if (on) {
      ForgetUndo();
      fieldModel.DeleteAll();
      editText.clear();
      lastError = kEditOk;
      RefreshDisplay();
    }
  }
  void GetFormat(std::string& out) override { out = format_; }
  bool SetFormat(const std::string& format) override {
    format_ = format;
    lastError = kEditOk;
    RefreshDisplay();
    return true;
  }
  bool SetMaxLength(std::int32_t length) override {
    CVlEditWnd::SetMaxLength(length);
    const std::string text = RemoveMaskMarkers(fieldModel.GetText());
    if (dataType_ != VlTextString || length <= 0 || isNull || text.size() <= static_cast<std::size_t>(length)) {
      return true;
    }
    Show(TypedValue::Bstr(std::string(MbcsCutBytes(text, static_cast<std::size_t>(length)))));
    lastError = kEditMaxLength;
    return false;
  }
  bool RefreshDisplay() override {
    if (HasFocus()) return SetDisplayText(fieldModel.GetDisplayText());
    TypedValue shown = isNull ? TypedValue::Null() : value_;
    if (!isNull) TextValue(shown);
    return SetDisplayText(DisplayTextForValue(dataType_, shown, format_, EraTable()));
  }
  bool SetValue(const TypedValue& value, std::string& produced) override {
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
  EditorValue GetValue() override {
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
  bool CommitText() override {
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

 protected:
  // The editors' range check; a String stand-in has none, so a test's text is never refused.
  std::int32_t CheckRange(const TypedValue& value) const {
    return dataType_ == VlTextString ? kEditOk : valueRange.Check(value);
  }
  void Show(const TypedValue& value) {
    value_ = value;
    isNull = false;
    fieldModel.SetText(TypedValueToText(value));
    editText = fieldModel.GetText();
    RefreshDisplay();
  }
  // The typed value of the current text; false when it does not read as the type.
  bool TextValue(TypedValue& out) const {
    const std::string text = RemoveMaskMarkers(fieldModel.GetText());
    if (dataType_ == VlTextString) {
      out = TypedValue::Bstr(text);
      return true;
    }
    TypedValue converted;
    if (ChangeType(TypedValue::Bstr(text), static_cast<VarType>(dataType_), converted) != CoerceStatus::Ok)
      return false;
    out = converted;
    return true;
  }

  TypedValue value_;
  std::string format_;
};

}  // namespace vl
