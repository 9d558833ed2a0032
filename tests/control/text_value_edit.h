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
  // Reading the value takes the text as it is; the range is checked when it is committed.
  explicit TextValueEdit(std::uint16_t type) : CVlEditWnd(type) { valueCommit.textIsValue = true; }

  // A String stand-in has no range, so a test's text is never refused.
  void SetCheckValue(bool on) override {
    if (dataType_ != VlTextString) CVlEditWnd::SetCheckValue(on);
  }

  void SetNull(bool on) override {
    valueCommit.SetNullState(on);
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
    if (dataType_ != VlTextString || length <= 0 || valueCommit.IsNull() ||
        text.size() <= static_cast<std::size_t>(length)) {
      return true;
    }
    Show(TypedValue::Bstr(std::string(MbcsCutBytes(text, static_cast<std::size_t>(length)))));
    lastError = kEditMaxLength;
    return false;
  }
  bool RefreshDisplay() override {
    if (HasFocus()) return SetDisplayText(fieldModel.GetDisplayText());
    TypedValue shown = valueCommit.IsNull() ? TypedValue::Null() : valueCommit.Value();
    if (!valueCommit.IsNull()) TextValue(shown);
    return SetDisplayText(DisplayTextForValue(dataType_, shown, format_, EraTable()));
  }

 protected:
  bool PrepareLoad(const TypedValue& value, TypedValue& load, std::string& produced) override {
    produced = TypedValueToText(value);
    load = value;
    if (dataType_ == VlTextString && maxLength > 0 && produced.size() > static_cast<std::size_t>(maxLength)) {
      produced = std::string(MbcsCutBytes(produced, static_cast<std::size_t>(maxLength)));
      load = TypedValue::Bstr(produced);
      lastError = kEditMaxLength;
    }
    return true;
  }
  void ShowLoaded(std::string&) override {
    Show(valueCommit.Value());
    if (lastError == kEditOk) ApplyFocusSelection();
  }
  std::string ValueText() const override { return RemoveMaskMarkers(fieldModel.GetText()); }
  bool TextToValue(const std::string&, TypedValue& out) override {
    if (TextValue(out)) return true;
    lastError = kEditFormatMismatch;
    return false;
  }

  void Show(const TypedValue& value) {
    valueCommit.Store(value);
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

  std::string format_;
};

}  // namespace vl
