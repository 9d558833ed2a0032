// CVlTextPPGGeneral: the General page. Data type, bound column, length, alignment, caption, format
// with the presets of the data type, the value range and the default value, the era profile.
//
// Rules the page keeps while the user works (nothing reaches the control before Apply):
//   - Choosing a data type (or a bound column of one) shows the type's storage size as MaxLength
//     (enabled only for String), its default alignment, its presets with its default format (the
//     current Format when that is one of them), the range and default read again for the type,
//     and enables Caption for Boolean and Format for the others.
//   - Leaving LowerValue or UpperValue checks the text: one that is no value of the type or
//     crosses the other end goes back to the last accepted value with message 1302 or 1303.
//   - After an accepted end, and when DefaultValue is left, a default outside its range (the
//     value range when CheckValue and AllowDefaultValue are both ticked, else the type's) moves
//     to the nearer end with message 1500.
//   - Apply writes the two ends in an order the control never refuses: when the new lower end is
//     above the old upper one the upper end goes first, when the new upper end is below the old
//     lower one the lower end goes first (by way of the new upper value), else upper then lower.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/data_cursor.h"
#include "pages/property_page.h"
#include "runtime/clock.h"
#include "value/typed_value.h"

namespace vl::pages {

namespace general {
inline constexpr int kDataField = 240;
inline constexpr int kDataType = 241;
inline constexpr int kMaxLength = 230;
inline constexpr int kLocked = 242;
inline constexpr int kAlignment = 220;
inline constexpr int kCaptionLabel = 205;  // names the Caption field too
inline constexpr int kCaption = 237;
inline constexpr int kAllowDefaultValue = 227;
inline constexpr int kDefaultValue = 226;
inline constexpr int kNull = 218;
inline constexpr int kCheckValue = 231;
inline constexpr int kLowerValue = 229;
inline constexpr int kUpperValue = 232;
inline constexpr int kFormat = 236;
inline constexpr int kEraProfile = 234;
inline constexpr int kBrowse = 244;
}  // namespace general

// The file-open dialog's filter for the era profile.
inline constexpr const char* kEraProfileFilter = "Ini Files (*.ini)|*.ini|All Files (*.*)|*.*||";

class CVlTextPPGGeneral : public PropertyPage {
 public:
  CVlTextPPGGeneral(std::vector<CursorColumn> columns, const Clock& clock);

  std::uint16_t DataType() const { return dataType_; }
  const std::vector<CursorColumn>& Columns() const { return columns_; }

  void Read(CVlTypedBoxCtrl& control) override;
  void Apply(CVlTypedBoxCtrl& control) override;

 protected:
  void OnTyped(int id) override;
  void OnChosen(int id) override;
  void OnChecked(int id) override;
  void OnClicked(int id) override;
  void OnLeft(int id) override;

  std::optional<Variant> FieldValue(const Binding& b) const override;
  void Show(const Binding& b, const Variant& value) override;
  Variant Normalize(const Binding& b, const Variant& value) const override;
  void Write(CVlTypedBoxCtrl& control, const Binding& b, const Variant& value) override;

 private:
  // The value a text stands for in a data type; nothing when it stands for none.
  std::optional<TypedValue> Parse(const std::string& text, std::uint16_t type) const;
  TypedValue Converted(const Variant& v, std::uint16_t type, bool& ok) const;
  void ChangeDataType(std::uint16_t type);
  void FillFormats();
  void LookUpColumn(const std::string& name);
  void LeaveBound(bool lower);
  void CheckDefault();
  void UpdateEnabling();
  void ShowTyped();
  void WriteRange(CVlTypedBoxCtrl& control);
  int IndexOfType(std::uint16_t type) const;

  std::vector<CursorColumn> columns_;
  const Clock* clock_;
  std::uint16_t dataType_ = VlTextString;
  std::string currentFormat_;  // Format as read from the control
  TypedValue lower_;
  TypedValue upper_;
  TypedValue default_ = TypedValue::Null();  // the accepted default; Null for none
};

}  // namespace vl::pages
