#include "pages/general_page.h"

#include "control/typed_box_ctrl.h"
#include "pages/format_presets.h"
#include "resources/string_table.h"
#include "text/encoding.h"
#include "value/value_exception.h"

namespace vl::pages {

namespace {

using namespace general;

constexpr std::uint32_t kTitleGeneral = 100;
constexpr std::uint32_t kMsgLowerOutOfRange = 1302;
constexpr std::uint32_t kMsgUpperOutOfRange = 1303;
constexpr std::uint32_t kMsgDefaultAdjusted = 1500;
constexpr std::uint32_t kMsgCannotConvert = 1102;

// The DataType list: each item stands for the code before its dash.
constexpr std::uint16_t kTypeCodes[] = {VlTextInteger, VlTextLong,   VlTextSingle,  VlTextDouble, VlTextCurrency,
                                        VlTextDate,    VlTextString, VlTextBoolean, VlTextByte};

// The fields in the order Apply writes them: the column first (it may set the type), the type
// before what it resets, the range and the default last.
const std::vector<FieldRow>& GeneralRows() {
  static const std::vector<FieldRow> rows = {
      {kDataField, FieldKind::Combo, "Data&Field:", kDispDataField, Exchange::Text, {}},
      {kDataType,
       FieldKind::DropList,
       "Data&Type:",
       kDispDataType,
       Exchange::Index,
       {"2 - Integer", "3 - Long", "4 - Single", "5 - Double", "6 - Currency", "7 - Date", "8 - String", "11 - Boolean",
        "17 - Byte"}},
      {kMaxLength, FieldKind::Edit, "&MaxLength:", kDispMaxLength, Exchange::Int, {}},
      {kLocked, FieldKind::Check, "&Locked", kDispLocked, Exchange::Check, {}},
      {kAlignment,
       FieldKind::DropList,
       "Al&ignment:",
       kDispAlignment,
       Exchange::Index,
       {"0 - Left Justify", "1 - Right Justify", "2 - Center Justify"}},
      {kCaption, FieldKind::Edit, "&Caption:", kDispCaption, Exchange::Text, {}},
      {kFormat, FieldKind::Combo, "Fo&rmat:", kDispFormat, Exchange::Text, {}},
      {kEraProfile, FieldKind::Edit, "&EraProfile:", kDispEraProfile, Exchange::Text, {}},
      {kCheckValue, FieldKind::Check, "C&heckValue", kDispCheckValue, Exchange::Check, {}},
      {kAllowDefaultValue, FieldKind::Check, "Allo&wDefaultValue", kDispAllowDefaultValue, Exchange::Check, {}},
      {kLowerValue, FieldKind::Edit, "L&owerValue:", kDispLowerValue, Exchange::Typed, {}},
      {kUpperValue, FieldKind::Edit, "&UpperValue:", kDispUpperValue, Exchange::Typed, {}},
      {kDefaultValue, FieldKind::Edit, "&DefaultValue:", kDispDefaultValue, Exchange::Typed, {}},
      {kNull, FieldKind::Check, "&NULL", 0, Exchange::Check, {}},
      {kBrowse, FieldKind::Button, "&Browse...", 0, Exchange::Text, {}},
  };
  return rows;
}

std::string ToText(const TypedValue& v) { return TypedValueToText(v); }

// Texts and truth values have no order: any two are a range.
int Order(std::uint16_t type, const TypedValue& a, const TypedValue& b) {
  return type == VlTextString || type == VlTextBoolean ? 0 : CompareTypedValues(a, b);
}

}  // namespace

CVlTextPPGGeneral::CVlTextPPGGeneral(std::vector<CursorColumn> columns, const Clock& clock)
    : PropertyPage(LoadResourceString(kTitleGeneral), GeneralRows()),
      columns_(std::move(columns)),
      clock_(&clock),
      lower_(TypeLowerBound(VlTextString)),
      upper_(TypeUpperBound(VlTextString)) {
  AddAlias(kCaptionLabel, kCaption);
  std::vector<std::string> names;
  for (const CursorColumn& c : columns_) names.push_back(c.name);
  SetItems(kDataField, std::move(names));
  FillFormats();
  UpdateEnabling();
}

int CVlTextPPGGeneral::IndexOfType(std::uint16_t type) const {
  for (std::size_t i = 0; i < std::size(kTypeCodes); ++i) {
    if (kTypeCodes[i] == type) return static_cast<int>(i);
  }
  return -1;
}

// --- Typed values ------------------------------------------------------------------------------

TypedValue CVlTextPPGGeneral::Converted(const Variant& v, std::uint16_t type, bool& ok) const {
  TypedValue out = v;
  ok = true;
  try {
    ConvertTypedValue(type, out, true, *clock_);
  } catch (const CVlValueException&) {
    ok = false;
  }
  return out;
}

std::optional<TypedValue> CVlTextPPGGeneral::Parse(const std::string& text, std::uint16_t type) const {
  if (type == VlTextString) return TypedValue::Bstr(text);
  if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
  // The text of a type's bound has fewer digits than the bound itself (Single and Double): it
  // stands for the bound.
  if (text == ToText(TypeLowerBound(type))) return TypeLowerBound(type);
  if (text == ToText(TypeUpperBound(type))) return TypeUpperBound(type);
  bool ok = false;
  TypedValue v = Converted(TypedValue::Bstr(text), type, ok);
  if (!ok || v.IsNullOrEmpty()) return std::nullopt;
  return v;
}

// --- Exchange ----------------------------------------------------------------------------------

Variant CVlTextPPGGeneral::Normalize(const Binding& b, const Variant& value) const {
  if (b.how != Exchange::Typed) return PropertyPage::Normalize(b, value);
  if (b.field == kDefaultValue) {
    // A design-time host reads no default as an empty text; a text default of another type
    // means none either.
    if (value.IsNullOrEmpty()) return TypedValue::Null();
    if (value.Type() == VarType::Bstr && (dataType_ != VlTextString || value.AsBstr().empty()))
      return TypedValue::Null();
  }
  bool ok = false;
  TypedValue v = Converted(value, dataType_, ok);
  return ok ? v : TypedValue();
}

std::optional<Variant> CVlTextPPGGeneral::FieldValue(const Binding& b) const {
  switch (b.field) {
    case kDataType: {
      const int i = Field(kDataType).selected;
      if (i < 0) return std::nullopt;
      return Variant::I4(kTypeCodes[static_cast<std::size_t>(i)]);
    }
    case kMaxLength:
      // MaxLength belongs to String boxes only.
      if (dataType_ != VlTextString) return std::nullopt;
      return PropertyPage::FieldValue(b);
    case kLowerValue:
      return lower_;
    case kUpperValue:
      return upper_;
    case kDefaultValue:
      return Field(kNull).checked ? TypedValue::Null() : default_;
    default:
      return PropertyPage::FieldValue(b);
  }
}

void CVlTextPPGGeneral::Show(const Binding& b, const Variant& value) {
  switch (b.field) {
    case kDataType:
      dataType_ = static_cast<std::uint16_t>(value.AsI4());
      Select(kDataType, IndexOfType(dataType_));
      FillFormats();
      return;
    case kMaxLength:
      PropertyPage::Show(b, dataType_ == VlTextString ? value : Variant::I4(TypeByteWidth(dataType_)));
      return;
    case kFormat:
      currentFormat_ = value.AsBstr();
      PropertyPage::Show(b, value);
      return;
    case kLowerValue:
      lower_ = value.IsNullOrEmpty() ? TypeLowerBound(dataType_) : value;
      SetText(kLowerValue, ToText(lower_));
      return;
    case kUpperValue:
      upper_ = value.IsNullOrEmpty() ? TypeUpperBound(dataType_) : value;
      SetText(kUpperValue, ToText(upper_));
      return;
    case kDefaultValue:
      default_ = value.IsNullOrEmpty() ? TypedValue::Null() : value;
      SetChecked(kNull, default_.IsNullOrEmpty());
      SetText(kDefaultValue, ToText(default_));
      return;
    default:
      PropertyPage::Show(b, value);
      return;
  }
}

void CVlTextPPGGeneral::Read(CVlTypedBoxCtrl& control) {
  clock_ = &control.Site().WindowSystem().GetClock();
  PropertyPage::Read(control);
  UpdateEnabling();
}

void CVlTextPPGGeneral::Write(CVlTypedBoxCtrl& control, const Binding& b, const Variant& value) {
  if (b.field == kLowerValue || b.field == kUpperValue) {
    WriteRange(control);
    return;
  }
  PropertyPage::Write(control, b, value);
}

void CVlTextPPGGeneral::WriteRange(CVlTypedBoxCtrl& control) {
  bool ok = false;
  const TypedValue oldLower = Converted(control.GetProperty(kDispLowerValue), dataType_, ok);
  const TypedValue oldUpper = Converted(control.GetProperty(kDispUpperValue), dataType_, ok);
  auto put = [&](std::int32_t dispid, const TypedValue& v) { control.SetProperty(dispid, v); };
  if (Order(dataType_, lower_, oldUpper) <= 0) {
    if (Order(dataType_, upper_, oldLower) >= 0) {
      put(kDispUpperValue, upper_);
      put(kDispLowerValue, lower_);
    } else {
      // Both ends below the old lower one: the lower end steps down by way of the new upper one.
      put(kDispLowerValue, upper_);
      put(kDispUpperValue, upper_);
      put(kDispLowerValue, lower_);
    }
  } else {
    // Both ends above the old upper one.
    put(kDispUpperValue, lower_);
    put(kDispLowerValue, lower_);
    put(kDispUpperValue, upper_);
  }
}

void CVlTextPPGGeneral::Apply(CVlTypedBoxCtrl& control) {
  // Texts typed but not yet left are checked as leaving them would, so Apply writes only values
  // the page accepted.
  // With both ends typed, a new lower end above the old upper one is checked after the new upper
  // end, as the user who typed them would have left them.
  const std::optional<TypedValue> typedLower = Parse(Field(kLowerValue).text, dataType_);
  const bool upperFirst = typedLower && Order(dataType_, *typedLower, upper_) > 0;
  for (const bool lower : {!upperFirst, upperFirst}) {
    if (Field(lower ? kLowerValue : kUpperValue).text != ToText(lower ? lower_ : upper_)) LeaveBound(lower);
  }
  if (!Field(kNull).checked && Field(kDefaultValue).text != ToText(default_)) CheckDefault();
  PropertyPage::Apply(control);
}

// --- Rules ---------------------------------------------------------------------------------------

void CVlTextPPGGeneral::FillFormats() { SetItems(kFormat, FormatPresets(dataType_)); }

void CVlTextPPGGeneral::UpdateEnabling() {
  Enable(kLowerValue, Field(kCheckValue).checked);
  Enable(kUpperValue, Field(kCheckValue).checked);
  Enable(kNull, Field(kAllowDefaultValue).checked);
  Enable(kDefaultValue, Field(kAllowDefaultValue).checked && !Field(kNull).checked);
  Enable(kMaxLength, dataType_ == VlTextString);
  Enable(kCaption, dataType_ == VlTextBoolean);
  Enable(kFormat, dataType_ != VlTextBoolean);
}

void CVlTextPPGGeneral::ShowTyped() {
  SetText(kLowerValue, ToText(lower_));
  SetText(kUpperValue, ToText(upper_));
  SetText(kDefaultValue, ToText(default_));
}

void CVlTextPPGGeneral::ChangeDataType(std::uint16_t type) {
  dataType_ = type;
  Select(kDataType, IndexOfType(type));
  SetText(kMaxLength, FormatLong(TypeByteWidth(type)));
  AcceptText(kMaxLength);
  Select(kAlignment, TypeDefaultAlignment(type));
  FillFormats();
  SetText(kFormat, TypeDefaultFormat(type));
  if (!currentFormat_.empty()) {
    const std::vector<std::string>& items = Field(kFormat).items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == currentFormat_) Select(kFormat, static_cast<int>(i));
    }
  }
  // The range and the default, read again for the new type. An end that is no value of it takes
  // the type's own end; a default that is none becomes no default, as the control does.
  lower_ = Parse(Field(kLowerValue).text, type).value_or(TypeLowerBound(type));
  upper_ = Parse(Field(kUpperValue).text, type).value_or(TypeUpperBound(type));
  if (Order(type, lower_, upper_) > 0) {
    lower_ = TypeLowerBound(type);
    upper_ = TypeUpperBound(type);
  }
  if (!default_.IsNullOrEmpty() || !Field(kDefaultValue).text.empty()) {
    const std::optional<TypedValue> d = Parse(Field(kDefaultValue).text, type);
    default_ = d.value_or(TypedValue::Null());
    if (!d) SetChecked(kNull, true);
  }
  ShowTyped();
  CheckDefault();
  UpdateEnabling();
}

void CVlTextPPGGeneral::LookUpColumn(const std::string& name) {
  for (const CursorColumn& c : columns_) {
    if (c.name != name) continue;
    if (!IsDataType(c.dataType)) return;
    ChangeDataType(c.dataType);
    SetText(kMaxLength, FormatLong(c.maxLength));
    AcceptText(kMaxLength);
    SetChecked(kLocked, !c.updatable);
    return;
  }
}

void CVlTextPPGGeneral::LeaveBound(bool lower) {
  const int id = lower ? kLowerValue : kUpperValue;
  TypedValue& accepted = lower ? lower_ : upper_;
  const std::string text = Field(id).text;
  if (text == ToText(accepted)) return;
  const std::optional<TypedValue> v = Parse(text, dataType_);
  const bool crosses = v && (lower ? Order(dataType_, *v, upper_) > 0 : Order(dataType_, *v, lower_) < 0);
  if (!v || crosses) {
    SetText(id, ToText(accepted));
    ShowMessage(lower ? kMsgLowerOutOfRange : kMsgUpperOutOfRange);
    return;
  }
  accepted = *v;
  SetText(id, ToText(accepted));
  CheckDefault();
}

void CVlTextPPGGeneral::CheckDefault() {
  if (Field(kNull).checked) return;
  const std::string text = Field(kDefaultValue).text;
  TypedValue v;
  if (text == ToText(default_)) {
    v = default_;
  } else if (const std::optional<TypedValue> parsed = Parse(text, dataType_)) {
    v = *parsed;
  } else if (text.find_first_not_of(' ') == std::string::npos) {
    // An empty default of a box other than String is no default, as a property browser has it.
    default_ = TypedValue::Null();
    SetText(kDefaultValue, std::string());
    return;
  } else {
    SetText(kDefaultValue, ToText(default_));
    ShowMessage(kMsgCannotConvert);
    return;
  }
  if (dataType_ != VlTextString && !v.IsNullOrEmpty()) {
    const bool range = Field(kCheckValue).checked && Field(kAllowDefaultValue).checked;
    const TypedValue lo = range ? lower_ : TypeLowerBound(dataType_);
    const TypedValue hi = range ? upper_ : TypeUpperBound(dataType_);
    bool adjusted = false;
    if (CompareTypedValues(v, hi) > 0) {
      v = hi;
      adjusted = true;
    } else if (CompareTypedValues(v, lo) < 0) {
      v = lo;
      adjusted = true;
    }
    default_ = v;
    SetText(kDefaultValue, ToText(v));
    if (adjusted) ShowMessage(kMsgDefaultAdjusted);
    return;
  }
  default_ = v;
  SetText(kDefaultValue, ToText(v));
}

// --- What the user does --------------------------------------------------------------------------

void CVlTextPPGGeneral::OnTyped(int id) {
  if (id == kDataField) LookUpColumn(Field(kDataField).text);
}

void CVlTextPPGGeneral::OnChosen(int id) {
  if (id == kDataType) ChangeDataType(kTypeCodes[static_cast<std::size_t>(Field(kDataType).selected)]);
  if (id == kDataField) LookUpColumn(Field(kDataField).text);
}

void CVlTextPPGGeneral::OnChecked(int id) {
  if (id == kCheckValue || id == kAllowDefaultValue || id == kNull) UpdateEnabling();
}

void CVlTextPPGGeneral::OnClicked(int id) {
  if (id != kBrowse || Services() == nullptr) return;
  std::string path = Field(kEraProfile).text;
  if (Services()->BrowseFile(kEraProfileFilter, path)) SetText(kEraProfile, path);
}

void CVlTextPPGGeneral::OnLeft(int id) {
  if (id == kLowerValue) LeaveBound(true);
  if (id == kUpperValue) LeaveBound(false);
  if (id == kDefaultValue) CheckDefault();
}

}  // namespace vl::pages
