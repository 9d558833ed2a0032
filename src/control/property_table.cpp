// The rows of the property table (properties.h), one per property, in dispatch order.
#include <cmath>
#include <limits>
#include <type_traits>

#include "control/properties.h"
#include "control/typed_box_ctrl.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"
#include "runtime/system_colour.h"

namespace vl {

// The table's access to the control: the stored fields and the rule functions rows point at.
struct PropertyRules {
  using Ctrl = CVlTypedBoxCtrl;
  using Core = CVlTypedBoxCore;

  // --- Stored fields, in the form PropertyField describes ---

  static Variant Raw(std::int16_t v) { return Variant::I2(v); }
  static Variant Raw(std::uint16_t v) { return Variant::I4(v); }
  static Variant Raw(std::int32_t v) { return Variant::I4(v); }
  static Variant Raw(std::uint32_t v) { return Variant::I8(v); }
  static Variant Raw(float v) { return Variant::R4(v); }
  static Variant Raw(const std::string& v) { return Variant::Bstr(v); }
  static Variant Raw(const TypedValue& v) { return v; }

  template <typename T>
  static bool FromRaw(const Variant& v, T& out) {
    if constexpr (std::is_same_v<T, TypedValue>) {
      out = v;
      return true;
    } else if constexpr (std::is_same_v<T, std::string>) {
      if (v.Type() != VarType::Bstr) return false;
      out = v.AsBstr();
      return true;
    } else if constexpr (std::is_same_v<T, float>) {
      Variant r;
      if (ChangeType(v, VarType::R4, r) != CoerceStatus::Ok) return false;
      out = r.AsR4();
      return true;
    } else {
      Variant r;
      if (ChangeType(v, VarType::I8, r) != CoerceStatus::Ok) return false;
      const std::int64_t n = r.AsI8();
      if (n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max()) return false;
      out = static_cast<T>(n);
      return true;
    }
  }

  template <auto Member>
  static PropertyField InCore() {
    return {[](const Ctrl& c) { return Raw(c.core_.*Member); },
            [](Ctrl& c, const Variant& v) { return FromRaw(v, c.core_.*Member); }};
  }

  template <auto Member>
  static PropertyField InControl() {
    return {[](const Ctrl& c) { return Raw(c.*Member); }, [](Ctrl& c, const Variant& v) { return FromRaw(v, c.*Member); }};
  }

  // The font holder: loads as its object; stores a copy of another font's attributes without
  // telling the edit window (whoever stores re-applies the font afterwards).
  static PropertyField FontHolder() {
    return {[](const Ctrl& c) { return Variant::Object(c.core_.font); },
            [](Ctrl& c, const Variant& v) {
              auto font = v.Type() == VarType::Dispatch ? std::dynamic_pointer_cast<VlFont>(v.AsObject()) : nullptr;
              if (!font) return false;
              c.core_.font->SetListener(nullptr);
              c.core_.font->SetDesc(font->Desc());
              c.core_.font->SetListener([&c] { c.FontObjectChanged(); });
              return true;
            }};
  }

  // --- Defaults ---

  static PropertyDefault Fixed(Variant v) { return {PropertyDefault::Rule::Constant, std::move(v), nullptr}; }
  static PropertyDefault ByType(Variant (*f)(std::uint16_t)) { return {PropertyDefault::Rule::ByDataType, {}, f}; }
  static PropertyDefault Flag(bool on) { return Fixed(Variant::I2(on ? 1 : 0)); }
  static PropertyDefault Int16(std::int16_t n) { return Fixed(Variant::I2(n)); }
  static PropertyDefault Colour(std::uint32_t c) { return Fixed(Variant::I8(c)); }
  static PropertyDefault Text(const char* s) { return Fixed(Variant::Bstr(s)); }

  // A Byte reads as an Integer in design mode, where property browsers know no Byte.
  static TypedValue ForDesignBrowser(const TypedValue& v) {
    if (v.Type() == VarType::UI1) return TypedValue::I2(v.AsUI1());
    return v;
  }

  static std::vector<PropertyInfo> Rows();
};

std::vector<PropertyInfo> PropertyRules::Rows() {
  using K = PropKind;
  using M = PropMode;
  using S = StoreKind;
  constexpr auto kMain = ExchangePart::Main;
  auto repaintIfChanged = [](Ctrl& c, bool changed) {
    if (changed) c.Repaint();
  };

  // One row a property, its fields in declaration order; laid out as a table, not by clang-format.
  // clang-format off
  return {
      {.dispid = kDispFormat, .name = "Format", .kind = K::Text,
       .description = "The format the value is shown through while the box does not have the focus: numeric "
                      "sections, a date pattern or a string mask. A value that no longer fits is adjusted and "
                      "reported through ValueError.",
       .defaultValue = ByType([](std::uint16_t t) { return Variant::Bstr(TypeDefaultFormat(t)); }),
       .field = InCore<&Core::format>(),
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetFormat(ArgText(v)); },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetFormat(c.core_.format); },
       .editorOrder = 3,
       .exchange = {kMain, 2, S::String}},

      {.dispid = kDispValue, .name = "Value", .kind = K::Variant,
       .description = "The typed value of the box, or Null. Reading it while the box is edited takes the edited "
                      "text first; a write raises Change, and a value the box cannot take raises ValueError.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = Fixed(Variant::Null()),
       .field = InCore<&Core::value>(),
       .get = [](Ctrl& c, const PropertyInfo&) -> Variant {
         try {
           return c.ReadValue();
         } catch (const CVlValueException& e) {
           return e.ErrValue();
         }
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         c.AssignValue(v, true, true);
         return false;  // a Value write raises Change instead of a notification
       },
       .toEditor = [](Ctrl& c, CVlEditWnd&) { c.PushValueToNewEditor(); },
       .editorOrder = 5,
       .exchange = {kMain, 36, S::Typed}},

      {.dispid = kDispDataType, .name = "DataType", .kind = K::Int,
       .description = "The data type of the value: 2 Integer, 3 Long, 4 Single, 5 Double, 6 Currency, 7 Date, "
                      "8 String, 11 Boolean or 17 Byte. A change rebuilds the editor and resets Format, Alignment "
                      "and MaxLength to the new type's defaults.",
       .defaultValue = Fixed(Variant::I4(VlTextString)),
       .errors = {{kErrInvalidPropertyValue, 0, "the code is none of the nine data types"}},
       .field = InCore<&Core::dataType>(),
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetDataType(ArgInt(v)); },
       .exchange = {kMain, 1, S::U16}},

      {.dispid = kDispPasswordChar, .name = "PasswordChar", .kind = K::Text,
       .description = "A character shown in place of every character of the text; empty shows the text itself. "
                      "Only a single-byte character is accepted.",
       .defaultValue = Text(""),
       .errors = {{kErrInvalidPropertyValue, 1300, "the first character is not a plain single-byte character"}},
       .field = InCore<&Core::passwordChar>(),
       .check = [](const Variant& v) {
         if (!v.AsBstr().empty() && static_cast<unsigned char>(v.AsBstr()[0]) >= 0x80) RefuseWrite(1300);
       },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) {
         e.SetPasswordChar(c.core_.passwordChar.empty() ? 0 : c.core_.passwordChar[0]);
       },
       .editorOrder = 8,
       .after = repaintIfChanged,
       .exchange = {kMain, 11, S::String}},

      {.dispid = kDispBorderStyle, .name = "BorderStyle", .kind = K::Int,
       .description = "0 draws no border around the box, 1 a fixed single border.",
       .min = 0, .max = 1,
       .defaultValue = Int16(1),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::borderStyle>(),
       .after = [](Ctrl& c, bool changed) {
         if (!changed) return;
         if (CVlEditWnd* editor = c.Editor()) editor->MoveEditor(c.EditorRect(), true);
         c.Repaint();
       },
       .exchange = {kMain, 10, S::I16}},

      {.dispid = kDispDataField, .name = "DataField", .kind = K::Text,
       .description = "The name of the column of the data source the box is bound to.",
       .defaultValue = Text(""),
       .field = InControl<&Ctrl::dataField_>(),
       // The binding side finds the column and binds the box to it; without one the name alone
       // is kept.
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         std::string name = ArgText(v);
         if (c.binding_ != nullptr) return c.binding_->SetDataField(name);
         if (name == c.dataField_) return false;
         c.dataField_ = std::move(name);
         return true;
       },
       .exchange = {ExchangePart::BeforeMain, 0, S::String}},

      {.dispid = kDispDataSource, .name = "DataSource", .kind = K::Object,
       .description = "The data source the box is bound to. It always reads as nothing: the connection itself "
                      "comes from the host.",
       .get = [](Ctrl&, const PropertyInfo&) { return Variant::Empty(); },
       .set = [](Ctrl&, const PropertyInfo&, const Variant&) { return true; }},

      {.dispid = kDispAppearance, .name = "Appearance", .kind = K::Int,
       .description = "0 draws the box flat, 1 three-dimensional.",
       .min = 0, .max = 1,
       .defaultValue = Int16(1),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::appearance>(),
       .styleBits = kStyleFlat, .styleTypes = kBooleanType,
       .after = [](Ctrl& c, bool changed) {
         if (!changed) return;
         if (CVlEditWnd* editor = c.Editor(); editor != nullptr && c.core_.dataType != VlTextBoolean) {
           editor->MoveEditor(c.EditorRect(), true);
         }
         c.Repaint();
       },
       .exchange = {kMain, 12, S::I16}},

      {.dispid = kDispAlignment, .name = "Alignment", .kind = K::Int,
       .description = "The text's place in the box: 0 left, 1 right, 2 centred. A value too wide for a right or "
                      "centred box is shown from the left.",
       .min = 0, .max = 2,
       .defaultValue = ByType([](std::uint16_t t) { return Variant::I2(static_cast<std::int16_t>(TypeDefaultAlignment(t))); }),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::alignment>(),
       .styleBits = kStyleCenter | kStyleRight,
       .after = [](Ctrl& c, bool changed) {
         if (!changed) return;
         c.ApplyAlignmentFit();
         c.Repaint();
       },
       .exchange = {kMain, 3, S::I16}},

      {.dispid = kDispDataChanged, .name = "DataChanged", .kind = K::Bool,
       .description = "Whether the value changed since the data source last gave it; always False for a box that "
                      "is not bound to a column.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = Fixed(Variant::Bool(false)),
       .get = [](Ctrl& c, const PropertyInfo&) {
         // Only a box bound to a column tracks changes for its data source; typing not yet
         // committed counts.
         if (c.binding_ == nullptr || !c.binding_->IsBound()) return Variant::Bool(false);
         if (!c.core_.dataChanged && c.EditorVisible()) {
           try {
             c.CommitEditText();
           } catch (const CVlValueException&) {
           }
         }
         return Variant::Bool(c.core_.dataChanged);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         c.core_.dataChanged = ArgBool(v);
         return false;
       }},

      {.dispid = kDispLocked, .name = "Locked", .kind = K::Bool,
       .description = "True makes the box read-only: the text can be selected and copied but not changed.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::locked>(),
       .styleBits = kStyleReadOnly,
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetLocked(c.core_.locked != 0); },
       .editorOrder = 7,
       .exchange = {kMain, 15, S::I16}},

      {.dispid = kDispFontBold, .name = "FontBold", .kind = K::Bool,
       .description = "Whether the box's font is bold; a change is notified as a change of Font.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::Bool(c.core_.font->Desc().bold); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         FontDesc d = c.core_.font->Desc();
         d.bold = ArgBool(v);
         d.weight = d.bold ? 700 : 400;
         return c.SetFontDesc(d);
       },
       .notifyAs = kDispFont},

      {.dispid = kDispFontItalic, .name = "FontItalic", .kind = K::Bool,
       .description = "Whether the box's font is italic; a change is notified as a change of Font.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::Bool(c.core_.font->Desc().italic); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         FontDesc d = c.core_.font->Desc();
         d.italic = ArgBool(v);
         return c.SetFontDesc(d);
       },
       .notifyAs = kDispFont},

      {.dispid = kDispFontName, .name = "FontName", .kind = K::Text,
       .description = "The face name of the box's font; a change is notified as a change of Font.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::Bstr(c.core_.font->Desc().name); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         FontDesc d = c.core_.font->Desc();
         d.name = ArgText(v);
         return c.SetFontDesc(d);
       },
       .notifyAs = kDispFont},

      {.dispid = kDispFontSize, .name = "FontSize", .kind = K::Float,
       .description = "The size of the box's font in points, kept to four decimals; a change is notified as a "
                      "change of Font.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .errors = {{kErrInvalidPropertyValue, 0, "the size is not above 0 or is above 2000 points"}},
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::R4(static_cast<float>(static_cast<double>(c.core_.font->Desc().sizeCy) / 10000.0)); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         Variant points;
         switch (ChangeType(v, VarType::R8, points)) {
           case CoerceStatus::Ok: break;
           case CoerceStatus::Overflow: throw AutomationError(kErrOverflow, "");
           default: throw AutomationError(kErrTypeMismatch, "");
         }
         if (!(points.AsR8() > 0) || points.AsR8() > 2000) RefuseWrite();
         FontDesc d = c.core_.font->Desc();
         d.sizeCy = PointsToSizeCy(points.AsR8());
         return c.SetFontDesc(d);
       },
       .notifyAs = kDispFont},

      {.dispid = kDispFontStrikethru, .name = "FontStrikethru", .kind = K::Bool,
       .description = "Whether the box's font is struck through; a change is notified as a change of Font.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::Bool(c.core_.font->Desc().strikethrough); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         FontDesc d = c.core_.font->Desc();
         d.strikethrough = ArgBool(v);
         return c.SetFontDesc(d);
       },
       .notifyAs = kDispFont},

      {.dispid = kDispFontUnderLine, .name = "FontUnderLine", .kind = K::Bool,
       .description = "Whether the box's font is underlined; a change is notified as a change of Font.",
       .read = M::RunOnly, .write = M::RunOnly,
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::Bool(c.core_.font->Desc().underline); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         FontDesc d = c.core_.font->Desc();
         d.underline = ArgBool(v);
         return c.SetFontDesc(d);
       },
       .notifyAs = kDispFont},

      {.dispid = kDispReplaceCursor, .name = "ReplaceCursor", .kind = K::Bool,
       .description = "True starts typing in overwrite mode. At run time it reads the editor's current mode, "
                      "which the Insert key toggles.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::replaceCursor>(),
       .get = [](Ctrl& c, const PropertyInfo&) {
         CVlEditWnd* editor = c.Editor();
         if (c.UserMode() && editor != nullptr) return Variant::Bool(!editor->GetInsertMode());
         return Variant::Bool(c.core_.replaceCursor != 0);
       },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetInsertMode(c.core_.replaceCursor == 0); },
       .push = EditorPush::Always,
       .editorOrder = 9,
       .exchange = {kMain, 17, S::I16}},

      {.dispid = kDispMaxLength, .name = "MaxLength", .kind = K::Int,
       .description = "The most bytes a String box holds (0 for no limit); other data types have their own "
                      "width and refuse a write. A value cut by a smaller length is reported through ValueError.",
       .defaultValue = ByType([](std::uint16_t t) { return Variant::I4(TypeByteWidth(t)); }),
       .errors = {{kErrInvalidPropertyValue, 1301, "DataType is not String"},
                   {kErrInvalidPropertyValue, 0, "the length is negative"}},
       .field = InCore<&Core::maxLength>(),
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetMaxLength(ArgInt(v), true); },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetMaxLength(c.core_.maxLength); },
       .editorTypes = kStringType,
       .editorOrder = 4,
       .exchange = {kMain, 4, S::I32}},

      {.dispid = kDispHideSelection, .name = "HideSelection", .kind = K::Bool,
       .description = "True hides the selection while the box does not have the focus.",
       .defaultValue = Flag(true),
       .field = InCore<&Core::hideSelection>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetHideSelection(c.core_.hideSelection != 0); },
       .push = EditorPush::Always,
       .editorOrder = 10,
       .exchange = {kMain, 13, S::I16}},

      {.dispid = kDispIMEMode, .name = "IMEMode", .kind = K::Int,
       .description = "The input method's mode while the box has the focus, 0 (no change) to 8 (half-width "
                      "alphanumeric). It reads the editor's current mode.",
       .min = 0, .max = 8,
       .defaultValue = Int16(0),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::imeMode>(),
       .get = [](Ctrl& c, const PropertyInfo&) {
         CVlEditWnd* editor = c.Editor();
         return Variant::I4(editor != nullptr ? editor->GetIMEMode() : c.core_.imeMode);
       },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetIMEMode(static_cast<std::uint16_t>(c.core_.imeMode)); },
       .push = EditorPush::Always,
       .editorOrder = 11,
       .exchange = {kMain, 18, S::I16}},

      {.dispid = kDispSelectByFocus, .name = "SelectByFocus", .kind = K::Bool,
       .description = "True selects the whole text whenever the box takes the focus.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::selectByFocus>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetSelectByFocus(c.core_.selectByFocus != 0); },
       .push = EditorPush::Always,
       // Every new editor gets it: one made for a new data type would otherwise forget it.
       .editorOrder = 12,
       .exchange = {kMain, 14, S::I16}},

      {.dispid = kDispSelLength, .name = "SelLength", .kind = K::Int,
       .description = "The length of the selection in the edited text. A write keeps the selection's start.",
       .read = M::RunOnly, .write = M::RunOnly,
       .errors = {{kErrInvalidPropertyValue, 0, "the length is negative"}},
       .get = [](Ctrl& c, const PropertyInfo&) {
         std::int32_t start = 0, length = 0;
         if (CVlEditWnd* editor = c.Editor()) editor->GetSel(start, length);
         return Variant::I4(length);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         const std::int32_t length = ArgInt(v);
         if (length < 0) RefuseWrite();
         if (CVlEditWnd* editor = c.Editor()) {
           std::int32_t start = 0, old = 0;
           editor->GetSel(start, old);
           editor->SetSel(start, length);
         }
         return false;
       }},

      {.dispid = kDispSelStart, .name = "SelStart", .kind = K::Int,
       .description = "The start of the selection in the edited text. A write empties the selection.",
       .read = M::RunOnly, .write = M::RunOnly,
       .errors = {{kErrInvalidPropertyValue, 0, "the start is negative"}},
       .get = [](Ctrl& c, const PropertyInfo&) {
         std::int32_t start = 0, length = 0;
         if (CVlEditWnd* editor = c.Editor()) editor->GetSel(start, length);
         return Variant::I4(start);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         const std::int32_t start = ArgInt(v);
         if (start < 0) RefuseWrite();
         if (CVlEditWnd* editor = c.Editor()) editor->SetSel(start, 0);
         return false;
       }},

      {.dispid = kDispSelText, .name = "SelText", .kind = K::Text,
       .description = "The selected text. A write replaces the selection as typing would.",
       .read = M::RunOnly, .write = M::RunOnly,
       .get = [](Ctrl& c, const PropertyInfo&) {
         std::string text;
         if (CVlEditWnd* editor = c.Editor()) editor->GetSelText(text);
         return Variant::Bstr(text);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) {
         if (CVlEditWnd* editor = c.Editor()) editor->SetSelText(ArgText(v));
         return false;
       }},

      {.dispid = kDispTabByReturn, .name = "TabByReturn", .kind = K::Bool,
       .description = "True makes Enter move the focus to the next control.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::tabByReturn>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetTabByReturn(c.core_.tabByReturn != 0); },
       .push = EditorPush::Always,
       .editorOrder = 13,
       .exchange = {kMain, 21, S::I16}},

      {.dispid = kDispTabByVertKey, .name = "TabByVertKey", .kind = K::Bool,
       .description = "True makes the up and down arrow keys move the focus to the previous and next control.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::tabByVertKey>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetTabByVertKey(c.core_.tabByVertKey != 0); },
       .push = EditorPush::Always,
       .editorOrder = 14,
       .exchange = {kMain, 22, S::I16}},

      {.dispid = kDispEraProfile, .name = "EraProfile", .kind = K::Text,
       .description = "The path of an initialisation file whose eras a Date box uses in place of the built-in "
                      "ones. Set at design time only.",
       .write = M::DesignOnly,
       .defaultValue = Text(""),
       .field = InCore<&Core::eraProfile>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetEraProfile(c.core_.eraProfile); },
       .editorTypes = kDateType,
       .editorOrder = 2,
       .after = repaintIfChanged,
       .exchange = {kMain, 30, S::String}},

      {.dispid = kDispSpinButton, .name = "SpinButton", .kind = K::Int,
       .description = "The spin button beside a numeric or Date box: 0 none, 1 on the left, 2 on the right.",
       .min = 0, .max = 2,
       .defaultValue = Int16(0),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::spinButton>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetSpinButton(c.core_.spinButton); },
       .editorTypes = kNotStringOrBoolean,
       .push = EditorPush::Always,
       .editorOrder = 17,
       .after = [](Ctrl& c, bool) { c.Repaint(); },
       .exchange = {kMain, 25, S::I16}},

      {.dispid = kDispScrollBars, .name = "ScrollBars", .kind = K::Int,
       .description = "The scroll bars of a multi-line String box: 0 none, 1 horizontal, 2 vertical, 3 both. Set "
                      "at design time only.",
       .write = M::DesignOnly,
       .min = 0, .max = 3,
       .defaultValue = Int16(0),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::scrollBars>(),
       .styleBits = kStyleHScroll | kStyleVScroll, .styleTypes = kStringType,
       .exchange = {kMain, 20, S::I16}},

      {.dispid = kDispMultiLine, .name = "MultiLine", .kind = K::Bool,
       .description = "True lets a String box hold several lines. Set at design time only.",
       .write = M::DesignOnly,
       .defaultValue = Flag(false),
       .field = InCore<&Core::multiLine>(),
       .styleBits = kStyleMultiLine, .styleTypes = kStringType,
       .after = repaintIfChanged,
       .exchange = {kMain, 19, S::I16}},

      {.dispid = kDispSpinDelay, .name = "SpinDelay", .kind = K::Int,
       .description = "The milliseconds between two steps while a spin arrow is held down.",
       .min = 0, .max = 32767,
       .defaultValue = Int16(250),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::spinDelay>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetSpinDelay(c.core_.spinDelay); },
       .push = EditorPush::Always,
       .editorOrder = 22,
       .exchange = {kMain, 32, S::I16}},

      {.dispid = kDispTabByInputLast, .name = "TabByInputLast", .kind = K::Bool,
       .description = "True moves the focus to the next control when the last position of the format is filled.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::tabByInputLast>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetTabByInputLast(c.core_.tabByInputLast != 0); },
       .push = EditorPush::Always,
       .editorOrder = 16,
       .exchange = {kMain, 24, S::I16}},

      {.dispid = kDispLowerValue, .name = "LowerValue", .kind = K::Variant,
       .description = "The smallest value the box accepts while CheckValue is set; a value of another type is "
                      "converted to the data type. It may not lie above UpperValue.",
       .defaultValue = ByType(TypeLowerBound),
       .errors = {{kErrInvalidPropertyValue, 1102, "the value is Null or Empty"},
                   {kErrInvalidPropertyValue, 1302, "the value lies above UpperValue"}},
       .field = InCore<&Core::lowerValue>(),
       .get = [](Ctrl& c, const PropertyInfo&) {
         return c.UserMode() ? c.core_.lowerValue : ForDesignBrowser(c.core_.lowerValue);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetBound(v, true); },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { c.PushBoundToNewEditor(e, true); },
       .editorOrder = 19,
       .exchange = {kMain, 27, S::Typed}},

      {.dispid = kDispUpperValue, .name = "UpperValue", .kind = K::Variant,
       .description = "The largest value the box accepts while CheckValue is set; a value of another type is "
                      "converted to the data type. It may not lie below LowerValue.",
       .defaultValue = ByType(TypeUpperBound),
       .errors = {{kErrInvalidPropertyValue, 1102, "the value is Null or Empty"},
                   {kErrInvalidPropertyValue, 1303, "the value lies below LowerValue"}},
       .field = InCore<&Core::upperValue>(),
       .get = [](Ctrl& c, const PropertyInfo&) {
         return c.UserMode() ? c.core_.upperValue : ForDesignBrowser(c.core_.upperValue);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetBound(v, false); },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { c.PushBoundToNewEditor(e, false); },
       .editorOrder = 20,
       .exchange = {kMain, 28, S::Typed}},

      {.dispid = kDispCheckValue, .name = "CheckValue", .kind = K::Bool,
       .description = "True checks every value against LowerValue and UpperValue and reports one outside them "
                      "through ValueError.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::checkValue>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetCheckValue(c.core_.checkValue != 0); },
       .editorTypes = kNotBoolean,
       .push = EditorPush::Always,
       .editorOrder = 18,
       .after = [](Ctrl& c, bool changed) {
         if (changed) c.ClampDefaultValue();
       },
       .exchange = {kMain, 26, S::I16}},

      {.dispid = kDispDefaultValue, .name = "DefaultValue", .kind = K::Variant,
       .description = "The value a box takes when it is loaded with AllowDefaultValue set and for a new record "
                      "of its data source; kept inside the bounds while CheckValue is set.",
       .defaultValue = Fixed(Variant::Null()),
       .errors = {{kErrInvalidPropertyValue, 1102, "the value is Empty"}},
       .field = InCore<&Core::defaultValue>(),
       .get = [](Ctrl& c, const PropertyInfo&) {
         if (c.UserMode()) return c.core_.defaultValue;
         if (c.core_.defaultValue.IsNullOrEmpty()) return Variant::Bstr("");
         return ForDesignBrowser(c.core_.defaultValue);
       },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetDefaultValue(v); },
       .exchange = {kMain, 29, S::Typed}},

      {.dispid = kDispAllowDefaultValue, .name = "AllowDefaultValue", .kind = K::Bool,
       .description = "True gives the box DefaultValue as its value when it is loaded; on the design surface the "
                      "box then shows the default.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::allowDefaultValue>(),
       .after = [](Ctrl& c, bool changed) {
         if (!changed) return;
         c.ClampDefaultValue();
         c.RefreshDesignPreview();
       },
       .exchange = {kMain, 33, S::I16}},

      {.dispid = kDispSpinIncrease, .name = "SpinIncrease", .kind = K::Float,
       .description = "The amount one step of the spin button adds to or takes from the value. "
                      "A value that is not a number (NaN, infinity) is refused.",
       .defaultValue = Fixed(Variant::R4(1.0f)),
       .errors = {{kErrInvalidPropertyValue, 0, "the step is not a number (NaN) or is infinite"}},
       .field = InCore<&Core::spinIncrease>(),
       // A step that is not a number has no meaning for any box: refused, so no editor steps by it.
       .check = [](const Variant& v) {
         if (!std::isfinite(v.AsR4())) RefuseWrite();
       },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetSpinIncrease(c.core_.spinIncrease); },
       .push = EditorPush::Always,
       .editorOrder = 21,
       .exchange = {kMain, 31, S::Float}},

      {.dispid = kDispDisabledBackColor, .name = "DisabledBackColor", .kind = K::Colour,
       .description = "The background of the box while it is disabled.",
       .defaultValue = Colour(kColourWindow),
       .field = InCore<&Core::disabledBackColor>(),
       .after = repaintIfChanged,
       .exchange = {kMain, 8, S::Colour}},

      {.dispid = kDispDisabledForeColor, .name = "DisabledForeColor", .kind = K::Colour,
       .description = "The text colour of the box while it is disabled.",
       .defaultValue = Colour(kColourButtonShadow),
       .field = InCore<&Core::disabledForeColor>(),
       .after = repaintIfChanged,
       .exchange = {kMain, 7, S::Colour}},

      {.dispid = kDispTabByHorzKey, .name = "TabByHorzKey", .kind = K::Bool,
       .description = "True makes the left and right arrow keys at either end of the text move the focus to the "
                      "previous and next control.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::tabByHorzKey>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetTabByHorzKey(c.core_.tabByHorzKey != 0); },
       .push = EditorPush::Always,
       .editorOrder = 15,
       .exchange = {kMain, 23, S::I16}},

      {.dispid = kDispForeColor, .name = "ForeColor", .kind = K::Colour,
       .description = "The text colour of the box.",
       .defaultValue = Colour(kColourWindowText),
       .field = InCore<&Core::foreColor>(),
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetBoxColour(true, v); },
       .exchange = {kMain, 5, S::Colour}},

      {.dispid = kDispFont, .name = "Font", .kind = K::Font,
       .description = "The font object of the box's text; its attributes are also reachable as FontBold, "
                      "FontItalic, FontName, FontSize, FontStrikethru and FontUnderLine.",
       .defaultValue = {PropertyDefault::Rule::AmbientFont},
       .errors = {{kErrTypeMismatch, 0, "the value is not a font object"}},
       .field = FontHolder(),
       .get = [](Ctrl& c, const PropertyInfo&) { return Variant::Object(c.core_.font); },
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetFontObject(v); },
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetFont(c.core_.font->Desc().ToLogFont()); },
       .editorOrder = 6,
       .exchange = {kMain, 9, S::Font}},

      {.dispid = kDispText, .name = "Text", .kind = K::Text,
       .description = "The text the box holds while it is edited. It cannot be written: write Value instead.",
       .read = M::RunOnly, .write = M::Never,
       .get = [](Ctrl& c, const PropertyInfo&) {
         CVlEditWnd* editor = c.Editor();
         return Variant::Bstr(editor != nullptr ? editor->GetText() : std::string());
       }},

      {.dispid = kDispBackColor, .name = "BackColor", .kind = K::Colour,
       .description = "The background of the box. A box whose background is its data type's default follows a "
                      "change of DataType (Boolean boxes have the button face).",
       .defaultValue = ByType([](std::uint16_t t) { return Variant::I8(TypeDefaultBackColor(t)); }),
       .field = InCore<&Core::backColor>(),
       .set = [](Ctrl& c, const PropertyInfo&, const Variant& v) { return c.SetBoxColour(false, v); },
       .exchange = {kMain, 6, S::Colour}},

      {.dispid = kDispEnabled, .name = "Enabled", .kind = K::Bool,
       .description = "False disables the box: it takes neither the focus nor the mouse and is drawn in the "
                      "disabled colours.",
       .defaultValue = Flag(true),
       .field = InCore<&Core::enabled>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.EnableEditor(c.core_.enabled != 0); },
       .push = EditorPush::Always,
       .editorOrder = 25,
       .after = [](Ctrl& c, bool) {
         c.Repaint();
         if (c.core_.enabled == 0 && c.site_.IsUIActive()) c.site_.UIDeactivate();
         // A disabled box cannot be edited: what was typed is committed and the value is drawn
         // in the disabled colours, instead of an edit window that no key can reach.
         if (c.core_.enabled == 0 && c.EditorVisible()) c.LeaveEditing();
       },
       .exchange = {kMain, 16, S::I16}},

      {.dispid = kDispCaption, .name = "Caption", .kind = K::Text,
       .description = "The text beside the check box of a Boolean box.",
       .defaultValue = Text(""),
       .field = InCore<&Core::caption>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetCaption(c.core_.caption); },
       .editorTypes = kBooleanType,
       .editorOrder = 23,
       .after = [](Ctrl& c, bool changed) {
         if (changed && c.Editor() != nullptr && c.core_.dataType == VlTextBoolean) c.Repaint();
       },
       .exchange = {kMain, 34, S::String}},

      {.dispid = kDispFuriganaType, .name = "FuriganaType", .kind = K::Int,
       .description = "The kana of the reading the Furigana event hands over: 0 half-width katakana, 1 full-width "
                      "katakana, 2 hiragana.",
       .min = 0, .max = 2,
       .defaultValue = Fixed(Variant::I4(0)),
       .errors = {{kErrInvalidPropertyValue}},
       .field = InCore<&Core::furiganaType>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.SetFuriganaType(c.core_.furiganaType); },
       .push = EditorPush::Always,
       .editorOrder = 24,
       .exchange = {kMain, 35, S::I16}},

      {.dispid = kDispControlBackColor, .name = "ControlBackColor", .kind = K::Colour,
       .description = "The background of the whole control area around the box: the gaps between the box and "
                      "its captions.",
       .defaultValue = Colour(kColourButtonFace),
       .field = InControl<&Ctrl::controlBackColor_>(),
       .after = repaintIfChanged,
       .exchange = {ExchangePart::AfterCaptions, 0, S::Colour}},

      {.dispid = kDispKeepNull, .name = "KeepNull", .kind = K::Bool,
       .description = "True keeps a Null value Null when the user leaves the box without typing; False gives it "
                      "the editor's value.",
       .defaultValue = Flag(false),
       .field = InCore<&Core::keepNull>(),
       .toEditor = [](Ctrl& c, CVlEditWnd& e) { e.keepNull = c.core_.keepNull != 0; },
       .push = EditorPush::Always,
       .editorOrder = 26,
       .after = [](Ctrl& c, bool) { c.Repaint(); },
       .exchange = {kMain, 37, S::I16}},
  };
  // clang-format on
}

const std::vector<PropertyInfo>& PropertyTable() {
  static const std::vector<PropertyInfo> table = PropertyRules::Rows();
  return table;
}

}  // namespace vl
