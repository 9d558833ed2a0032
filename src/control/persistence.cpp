// Property persistence: the one exchange routine, run in both directions. The properties come
// from the property table's rows, in their exchange order, with each row's default, range and
// stored field; the captions from the caption table's rows (caption_table.h). The order is the format.
//
// Loading reads every entry into a copy first and then takes the copy as a whole: the box is
// never left half loaded, and an entry that is missing, does not fit its kind, or holds a value
// the property would refuse takes its default while every other entry is used.
#include <array>
#include <limits>
#include <variant>

#include "control/caption_table.h"
#include "control/typed_box_ctrl.h"
#include "runtime/automation_error.h"

namespace vl {

namespace {

constexpr const char* kCaptionPrefixes[4] = {"CapL.", "CapR.", "CapT.", "CapB."};

FontDesc FontOf(const Variant& v) {
  auto font = v.Type() == VarType::Dispatch ? std::dynamic_pointer_cast<VlFont>(v.AsObject()) : nullptr;
  return font ? font->Desc() : FontDesc{};
}

// Runs one primitive on a field of type T taken from (and put back into) a row's stored value.
template <typename T, typename Make>
bool Primitive(bool (PropExchange::*exchange)(std::string_view, T&, std::optional<T>), PropExchange& px,
               const std::string& name, Variant& v, T field, T def, Make make) {
  const bool took = (px.*exchange)(name, field, std::move(def));
  v = make(std::move(field));
  return took;
}

// Exchanges one row's value in the stored form of its field; true when loading took the entry.
bool ExchangeStored(PropExchange& px, const std::string& name, StoreKind kind, Variant& v, const Variant& def,
                    const FontDesc& ambient) {
  using P = PropExchange;
  switch (kind) {
    case StoreKind::U16:
      return Primitive(&P::ExchangeU16, px, name, v, static_cast<std::uint16_t>(v.AsI8()),
                       static_cast<std::uint16_t>(def.AsI8()), [](std::uint16_t x) { return Variant::I4(x); });
    case StoreKind::I16:
      return Primitive(&P::ExchangeI16, px, name, v, static_cast<std::int16_t>(v.AsI8()),
                       static_cast<std::int16_t>(def.AsI8()), Variant::I2);
    case StoreKind::I32:
      return Primitive(&P::ExchangeI32, px, name, v, static_cast<std::int32_t>(v.AsI8()),
                       static_cast<std::int32_t>(def.AsI8()), Variant::I4);
    case StoreKind::Float:
      return Primitive(&P::ExchangeFloat, px, name, v, v.AsR4(), def.AsR4(), Variant::R4);
    case StoreKind::String:
      return Primitive(&P::ExchangeString, px, name, v, v.AsBstr(), def.AsBstr(), Variant::Bstr);
    case StoreKind::Colour:
      return Primitive(&P::ExchangeColour, px, name, v, static_cast<std::uint32_t>(v.AsI8()),
                       static_cast<std::uint32_t>(def.AsI8()), [](std::uint32_t x) { return Variant::I8(x); });
    case StoreKind::Font:
      return Primitive(&P::ExchangeFont, px, name, v, FontOf(v), ambient,
                       [](FontDesc x) { return Variant::Object(std::make_shared<VlFont>(std::move(x))); });
    case StoreKind::Typed: {
      TypedValue x = v;
      const bool took = px.ExchangeTyped(name, x, def);
      v = std::move(x);
      return took;
    }
    case StoreKind::None:
      break;
  }
  return false;
}

// Whether a loaded value is one the property takes: its range, its own check, and the refusals
// its write rule makes (a data type code, a length, the bounds' order and presence).
bool Takes(const PropertyInfo& row, const Variant& v, const TypedValue& lowerValue) {
  if (row.min != row.max && (v.AsI8() < row.min || v.AsI8() > row.max)) return false;
  if (row.check != nullptr) {
    try {
      row.check(v);
    } catch (const AutomationError&) {
      return false;
    }
  }
  switch (row.dispid) {
    case kDispDataType:
      return IsDataType(static_cast<std::uint16_t>(v.AsI8()));
    case kDispMaxLength:
      return v.AsI8() >= 0;
    case kDispLowerValue:
      return !v.IsNullOrEmpty();
    case kDispUpperValue: {
      // Texts and Booleans have no range: only a pair of an ordered type can be out of order.
      const std::uint16_t type = TypeCode(v);
      const bool ordered = type != VlTextString && type != VlTextBoolean;
      return !v.IsNullOrEmpty() && (!ordered || CompareTypedValues(v, lowerValue) >= 0);
    }
    case kDispDefaultValue:
      return v.Type() != VarType::Empty;
    default:
      return true;
  }
}

void ExchangeCaption(PropExchange& px, const std::string& prefix, CaptionProperties& caption, const FontDesc& ambient) {
  const CaptionProperties initial;
  for (const CaptionPropertyInfo& row : CaptionPropertyTable()) {
    const std::string name = prefix + row.storedName;
    std::visit(
        [&](auto member) {
          auto& field = caption.*member;
          using T = std::decay_t<decltype(field)>;
          bool took = false;
          if constexpr (std::is_same_v<T, std::string>) {
            took = px.ExchangeString(name, field, initial.*member);
          } else if constexpr (std::is_same_v<T, FontDesc>) {
            took = px.ExchangeFont(name, field, ambient);
          } else if constexpr (std::is_same_v<T, std::uint32_t>) {
            took = px.ExchangeColour(name, field, initial.*member);
          } else if constexpr (std::is_same_v<T, std::int16_t>) {
            took = px.ExchangeI16(name, field, std::int16_t{0});
          } else {
            took = px.ExchangeI32(name, field, std::int32_t{0});
            const std::int32_t hi = row.atMostSize ? std::min(row.hi, caption.size) : row.hi;
            if (px.IsLoading() && took && (field < row.lo || field > hi)) field = 0;
          }
          (void)took;
        },
        row.field);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

Variant CVlTypedBoxCtrl::SavedValue(const PropertyInfo& row) {
  if (row.dispid != kDispValue) return row.field.load(*this);
  // Value is a run-time property: the design surface never saves one. Text being edited is taken
  // when it is a value; otherwise the value before it is saved.
  if (!UserMode()) return TypedValue::Null();
  if (EditorVisible()) {
    try {
      CommitEditText();
    } catch (const CVlValueException&) {
    }
  }
  return core_.value;
}

void CVlTypedBoxCtrl::DoPropExchange(PropExchange& px) {
  const bool loading = px.IsLoading();
  const FontDesc ambient = site_.AmbientFont();
  StoredPair version{1, 0};
  px.ExchangeVersion("Version", version, StoredPair{1, 0});
  StoredPair extent{ControlWidthHimetric(), ControlHeightHimetric()};
  const bool extentLoaded = px.ExchangeExtent("Extent", extent, std::nullopt);

  std::array<CaptionProperties, 4> captions;
  for (std::size_t i = 0; i < 4; ++i) captions[i] = captions_[i]->Properties();
  auto exchangeCaptions = [&] {
    for (std::size_t side = 0; side < 4; ++side) ExchangeCaption(px, kCaptionPrefixes[side], captions[side], ambient);
  };

  std::vector<Variant> values;
  std::uint16_t dataType = core_.dataType;  // the DataType just exchanged decides later defaults
  TypedValue lowerValue;
  bool captionsDone = false;
  for (const PropertyInfo* row : ExchangeOrder()) {
    if (row->exchange.part == ExchangePart::AfterCaptions && !captionsDone) {
      exchangeCaptions();
      captionsDone = true;
    }
    Variant v = SavedValue(*row);
    const Variant def = row->defaultValue.For(dataType);
    if (ExchangeStored(px, row->name, row->exchange.kind, v, def, ambient) && loading && !Takes(*row, v, lowerValue)) {
      v = def;
      if (row->exchange.kind == StoreKind::Font) v = Variant::Object(std::make_shared<VlFont>(ambient));
    }
    if (row->dispid == kDispDataType) dataType = static_cast<std::uint16_t>(v.AsI8());
    if (row->dispid == kDispLowerValue) lowerValue = v;
    values.push_back(std::move(v));
  }
  if (!captionsDone) exchangeCaptions();
  if (loading) ApplyLoaded(values, captions, extentLoaded ? std::optional<StoredPair>(extent) : std::nullopt);
}

PropertySet CVlTypedBoxCtrl::SaveProperties() {
  PropertySet out;
  PropExchange px = PropExchange::Saving(out);
  DoPropExchange(px);
  return out;
}

void CVlTypedBoxCtrl::LoadProperties(const PropertySet& store) {
  PropExchange px = PropExchange::Loading(store);
  DoPropExchange(px);
}

void CVlTypedBoxCtrl::ApplyLoaded(const std::vector<Variant>& values, const std::array<CaptionProperties, 4>& captions,
                                  std::optional<StoredPair> extent) {
  const auto& rows = ExchangeOrder();
  for (std::size_t i = 0; i < rows.size() && i < values.size(); ++i) rows[i]->field.store(*this, values[i]);
  CVlTypedBoxCore& c = core_;
  c.dataChanged = false;
  // The colours in use and the font applied follow the loaded ones.
  c.effectiveForeColor = c.foreColor;
  c.effectiveBackColor = c.backColor;
  c.cachedFont = c.font->Desc();
  for (std::size_t i = 0; i < 4; ++i) captions_[i]->Restore(captions[i]);

  // A new editor takes every loaded property in the usual order: the loaded value reaches it
  // before the bounds do, so a value saved outside bounds set after it is kept, as it was.
  RebuildEditor();
  LayoutEditRect();
  if (extent && extent->first > 0 && extent->second > 0 && extent->first <= kMaxStoredLength &&
      extent->second <= kMaxStoredLength) {
    const win::DeviceContext screen(nullptr, ScreenFonts());
    win::SIZE size{static_cast<int>(extent->first), static_cast<int>(extent->second)};
    win::HIMETRICtoDP(screen, size);
    site_.RequestControlSize(size);
  }
  if (c.allowDefaultValue != 0) {
    try {
      AssignValue(c.defaultValue, true, true);
    } catch (const CVlValueException&) {
    } catch (const AutomationError&) {
    }
  }
  if (binding_) binding_->PropertiesLoaded();
  site_.SetModifiedFlag(false);
  Repaint();
}

}  // namespace vl
