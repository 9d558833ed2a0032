// The per-type editors. For now each keeps the value it is handed, checks it against its range
// when CheckValue is on and (String) cuts it to MaxLength; keyboard editing, formats and display
// forms arrive with the editing engine.
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

  TypedValue value_;
  TypedValue lower_;
  TypedValue upper_;
  bool checkValue_ = false;
  std::string format_;
};

#define VL_DECLARE_EDITOR(Name, Type)              \
  class Name : public CVlTypedEdit {               \
   public:                                         \
    Name() : CVlTypedEdit(Type) {}                 \
  };

VL_DECLARE_EDITOR(CVlShortEdit, VlTextInteger)
VL_DECLARE_EDITOR(CVlLongEdit, VlTextLong)
VL_DECLARE_EDITOR(CVlSingleEdit, VlTextSingle)
VL_DECLARE_EDITOR(CVlDoubleEdit, VlTextDouble)
VL_DECLARE_EDITOR(CVlCurrencyEdit, VlTextCurrency)
VL_DECLARE_EDITOR(CVlDateEdit, VlTextDate)
VL_DECLARE_EDITOR(CVlStringEdit, VlTextString)
VL_DECLARE_EDITOR(CVlBooleanEdit, VlTextBoolean)
VL_DECLARE_EDITOR(CVlByteEdit, VlTextByte)

#undef VL_DECLARE_EDITOR

// The editor class of a data type; nothing for a code that is not one of the nine.
std::unique_ptr<CVlEditWnd> CreateEditor(std::uint16_t dataType);

}  // namespace vl
