// The generic typed editor: the value is kept as text in the field model, checked against the
// range when CheckValue is on and (String) cut to MaxLength; and the factory of every editor.
#pragma once

#include <memory>

#include "edit/edit_wnd.h"

namespace vl {

class CVlTypedEdit : public CVlEditWnd {
 public:
  using CVlEditWnd::CVlEditWnd;

  void SetNull(bool on) override;
  void GetFormat(std::string& out) override;
  bool SetFormat(const std::string& format) override;
  bool SetMaxLength(std::int32_t length) override;
  bool RefreshDisplay() override;
  bool SetValue(const TypedValue& value, std::string& produced) override;
  EditorValue GetValue() override;
  void SetLowerValue(const TypedValue& value) override;
  void SetUpperValue(const TypedValue& value) override;
  void SetCheckValue(bool check) override;
  bool CommitText() override;

 protected:
  // 0 when the value lies in the range (or no range applies), else 1 above or 2 below.
  std::int32_t CheckRange(const TypedValue& value) const;
  void Show(const TypedValue& value);
  // The typed value of the current text; false when it does not read as the type.
  bool TextValue(TypedValue& out) const;

  TypedValue value_;
  TypedValue lower_;
  TypedValue upper_;
  bool checkValue_ = false;
  std::string format_;
};

// The editor class of a data type; nothing for a code that is not one of the nine.
std::unique_ptr<CVlEditWnd> CreateEditor(std::uint16_t dataType);

}  // namespace vl
