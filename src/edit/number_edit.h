// CVlNumberEdit and the six numeric editors: digits held to the Format's capacity and the bounds,
// spin steps by SpinIncrease, and the Format's sections shown when the box is left.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "edit/edit_wnd.h"
#include "format/format_sections.h"

namespace vl {

class CVlNumberEdit : public CVlEditWnd {
 public:
  // 0 digits only, 1 integer (digits and sign), 2 decimal (digits, sign and point).
  enum NumberKind : std::int32_t { kDigitsOnly = 0, kInteger = 1, kDecimal = 2 };

  CVlNumberEdit(std::uint16_t dataType, NumberKind kind);

  void SetNull(bool on) override;
  void GetFormat(std::string& out) override;
  bool SetFormat(const std::string& format) override;
  void SetSel(std::int32_t start, std::int32_t length) override;
  bool SpinDown() override;
  bool SpinUp() override;
  bool RefreshDisplay() override;
  void AfterDelete() override;
  bool ValidateText(const std::string& text) override;
  bool FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t& extra) override;
  void Copy() override;
  bool Paste() override;

  // Value = text value + increase, clamped to the range, shown; true when the value changed.
  bool SpinStep(float increase);

 protected:
  void OnFocusGained() override;
  void OnFocusLost(win::HWND newFocus) override;
  bool OnTypedChar(std::uint32_t ch) override;

  // The editor's part of the value sequence (value_commit.h): a handed value fitted to the
  // Format, the edit text read as a number, the value shown in the edit form.
  bool PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) override;
  void ShowLoaded(std::string& produced) override;
  std::string ValueText() const override;
  bool TextToValue(const std::string& text, TypedValue& out) override;
  void ShowCommitted() override;

 private:
  // The number text a value shows in the edit form, and its sign class.
  std::string NumberToText(const TypedValue& value, SignClass& sign) const;
  // Parses a number text into a value of the type; false with lastError 1 or 2 on overflow.
  bool ParseText(const std::string& text, TypedValue& out);
  // Marks the caret unplaced and puts the model's caret at the decimal point, or the end, so that
  // the common GetSel reports where a just-loaded value's caret waits.
  void PlaceCaretAtPoint();
  // The Null state without forgetting the undo text (the user deleted every digit).
  void EnterNull();
  // Loads the value's number text into the field model and refreshes the display.
  void ShowValue();
  // Fits a number text to the positive section: 0 fits, 5 the fraction was re-rendered, 6 more
  // integer digits than the section holds (or a carry into a digit it has no place for).
  std::int32_t FitToFormat(std::string& numberText) const;
  void RebuildLayout();
  const char* ClipboardFormatName() const;

  NumberKind numberKind_;
  SignClass signClass_ = SignClass::Null;
  bool fitsFormat_ = false;
  std::string formatText_;
  FormatSectionSet sections_;
  bool decimalAllowed_;
  std::int32_t intPlaces_ = 0;
  std::int32_t fracPlaces_ = 0;
  // The edit text ShowValue last made of the stored value; nothing while the box is Null.
  std::optional<std::string> shownText_;
  // The edit text of a value being loaded, as fitted to the Format.
  std::string loadText_;
};

class CVlShortEdit : public CVlNumberEdit {
 public:
  CVlShortEdit() : CVlNumberEdit(VlTextInteger, kInteger) {}
};
class CVlLongEdit : public CVlNumberEdit {
 public:
  CVlLongEdit() : CVlNumberEdit(VlTextLong, kInteger) {}
};
class CVlSingleEdit : public CVlNumberEdit {
 public:
  CVlSingleEdit() : CVlNumberEdit(VlTextSingle, kDecimal) {}
};
class CVlDoubleEdit : public CVlNumberEdit {
 public:
  CVlDoubleEdit() : CVlNumberEdit(VlTextDouble, kDecimal) {}
};
class CVlCurrencyEdit : public CVlNumberEdit {
 public:
  CVlCurrencyEdit() : CVlNumberEdit(VlTextCurrency, kDecimal) {}
};
class CVlByteEdit : public CVlNumberEdit {
 public:
  CVlByteEdit() : CVlNumberEdit(VlTextByte, kDigitsOnly) {}
};

}  // namespace vl
