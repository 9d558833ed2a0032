#include "control/properties.h"

#include <algorithm>
#include <cmath>

#include "control/typed_box_ctrl.h"
#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"
#include "text/mbcs.h"

namespace vl {

const std::vector<PropertyInfo>& PropertyTable() {
  static const std::vector<PropertyInfo> table = {
      {kDispFormat, "Format", PropKind::Text},
      {kDispValue, "Value", PropKind::Variant},
      {kDispDataType, "DataType", PropKind::Int},
      {kDispPasswordChar, "PasswordChar", PropKind::Text},
      {kDispBorderStyle, "BorderStyle", PropKind::Int},
      {kDispDataField, "DataField", PropKind::Text},
      {kDispDataSource, "DataSource", PropKind::Object},
      {kDispAppearance, "Appearance", PropKind::Int},
      {kDispAlignment, "Alignment", PropKind::Int},
      {kDispDataChanged, "DataChanged", PropKind::Bool},
      {kDispLocked, "Locked", PropKind::Bool},
      {kDispFontBold, "FontBold", PropKind::Bool},
      {kDispFontItalic, "FontItalic", PropKind::Bool},
      {kDispFontName, "FontName", PropKind::Text},
      {kDispFontSize, "FontSize", PropKind::Float},
      {kDispFontStrikethru, "FontStrikethru", PropKind::Bool},
      {kDispFontUnderLine, "FontUnderLine", PropKind::Bool},
      {kDispReplaceCursor, "ReplaceCursor", PropKind::Bool},
      {kDispMaxLength, "MaxLength", PropKind::Int},
      {kDispHideSelection, "HideSelection", PropKind::Bool},
      {kDispIMEMode, "IMEMode", PropKind::Int},
      {kDispSelectByFocus, "SelectByFocus", PropKind::Bool},
      {kDispSelLength, "SelLength", PropKind::Int},
      {kDispSelStart, "SelStart", PropKind::Int},
      {kDispSelText, "SelText", PropKind::Text},
      {kDispTabByReturn, "TabByReturn", PropKind::Bool},
      {kDispTabByVertKey, "TabByVertKey", PropKind::Bool},
      {kDispEraProfile, "EraProfile", PropKind::Text},
      {kDispSpinButton, "SpinButton", PropKind::Int},
      {kDispScrollBars, "ScrollBars", PropKind::Int},
      {kDispMultiLine, "MultiLine", PropKind::Bool},
      {kDispSpinDelay, "SpinDelay", PropKind::Int},
      {kDispTabByInputLast, "TabByInputLast", PropKind::Bool},
      {kDispLowerValue, "LowerValue", PropKind::Variant},
      {kDispUpperValue, "UpperValue", PropKind::Variant},
      {kDispCheckValue, "CheckValue", PropKind::Bool},
      {kDispDefaultValue, "DefaultValue", PropKind::Variant},
      {kDispAllowDefaultValue, "AllowDefaultValue", PropKind::Bool},
      {kDispSpinIncrease, "SpinIncrease", PropKind::Float},
      {kDispDisabledBackColor, "DisabledBackColor", PropKind::Colour},
      {kDispDisabledForeColor, "DisabledForeColor", PropKind::Colour},
      {kDispTabByHorzKey, "TabByHorzKey", PropKind::Bool},
      {kDispForeColor, "ForeColor", PropKind::Colour},
      {kDispFont, "Font", PropKind::Font},
      {kDispText, "Text", PropKind::Text},
      {kDispBackColor, "BackColor", PropKind::Colour},
      {kDispEnabled, "Enabled", PropKind::Bool},
      {kDispCaption, "Caption", PropKind::Text},
      {kDispFuriganaType, "FuriganaType", PropKind::Int},
      {kDispControlBackColor, "ControlBackColor", PropKind::Colour},
      {kDispKeepNull, "KeepNull", PropKind::Bool},
  };
  return table;
}

const PropertyInfo* FindProperty(std::string_view name) {
  for (const PropertyInfo& p : PropertyTable()) {
    if (name == p.name) return &p;
  }
  return nullptr;
}

const PropertyInfo* FindProperty(std::int32_t dispid) {
  for (const PropertyInfo& p : PropertyTable()) {
    if (p.dispid == dispid) return &p;
  }
  return nullptr;
}

namespace {

[[noreturn]] void Refuse(std::uint32_t messageId = 0) {
  throw AutomationError(kErrInvalidPropertyValue, messageId == 0 ? std::string() : LoadResourceString(messageId));
}

// The framework's coercion of an argument to the property's type.
Variant Coerce(const Variant& in, VarType to) {
  Variant out;
  switch (ChangeType(in, to, out)) {
    case CoerceStatus::Ok: return out;
    case CoerceStatus::Overflow: throw AutomationError(kErrOverflow, "");
    default: throw AutomationError(kErrTypeMismatch, "");
  }
}

std::string AsText(const Variant& v) { return Coerce(v, VarType::Bstr).AsBstr(); }
bool AsBool(const Variant& v) { return Coerce(v, VarType::Bool).AsBool(); }
std::int32_t AsInt(const Variant& v) { return Coerce(v, VarType::I4).AsI4(); }
float AsFloat(const Variant& v) { return Coerce(v, VarType::R4).AsR4(); }

std::uint32_t AsColour(const Variant& v) {
  // Colours above 0x7FFFFFFF (the system colours) arrive as wider numbers from most hosts.
  const std::int64_t n = Coerce(v, VarType::I8).AsI8();
  if (n < INT32_MIN || n > UINT32_MAX) throw AutomationError(kErrOverflow, "");
  return static_cast<std::uint32_t>(n);
}

Variant Colour(std::uint32_t c) { return Variant::I4(static_cast<std::int32_t>(c)); }
Variant Bool16(std::int16_t v) { return Variant::Bool(v != 0); }

template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Flags compare as booleans: writing True over a stored 1 is no change.
bool StoreFlag(std::int16_t& field, bool value) {
  if ((field != 0) == value) return false;
  field = value ? -1 : 0;
  return true;
}

// A Byte reads as an Integer in design mode, where property browsers know no Byte.
TypedValue ForDesignBrowser(const TypedValue& v) {
  if (v.Type() == VarType::UI1) return TypedValue::I2(v.AsUI1());
  return v;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

Variant CVlTypedBoxCtrl::GetProperty(std::int32_t dispid) { return GetPropertyChecked(dispid); }

void CVlTypedBoxCtrl::SetProperty(std::int32_t dispid, const Variant& value) {
  bool changed = false;
  try {
    changed = SetPropertyChecked(dispid, value);
  } catch (const CVlValueException& e) {
    // Value errors of these writes reach the host as ValueError; the write ends unannounced.
    ReportValueError(e);
    return;
  }
  if (changed) NotifyChanged(dispid == kDispFontBold || dispid == kDispFontItalic || dispid == kDispFontName ||
                                     dispid == kDispFontSize || dispid == kDispFontStrikethru ||
                                     dispid == kDispFontUnderLine
                                 ? kDispFont
                                 : dispid);
}

void CVlTypedBoxCtrl::NotifyChanged(std::int32_t dispid) {
  site_.OnPropertyChanged(dispid);
  site_.SetModifiedFlag(true);
}

Variant CVlTypedBoxCtrl::GetPropertyChecked(std::int32_t dispid) {
  const bool user = UserMode();
  auto runTimeOnly = [&] {
    if (!user) throw AutomationError(kErrGetNotSupported, "");
  };
  CVlEditWnd* editor = Editor();
  switch (dispid) {
    case kDispFormat: return Variant::Bstr(core_.format);
    case kDispValue:
      runTimeOnly();
      try {
        return ReadValue();
      } catch (const CVlValueException& e) {
        return e.ErrValue();
      }
    case kDispDataType: return Variant::I4(core_.dataType);
    case kDispPasswordChar: return Variant::Bstr(core_.passwordChar);
    case kDispBorderStyle: return Variant::I4(core_.borderStyle);
    case kDispDataField: return Variant::Bstr(dataField_);
    case kDispDataSource: return Variant::Empty();
    case kDispAppearance: return Variant::I4(core_.appearance);
    case kDispAlignment: return Variant::I4(core_.alignment);
    case kDispDataChanged:
      runTimeOnly();
      // Only a box bound to a column tracks changes for its data source.
      return Variant::Bool(false);
    case kDispLocked: return Bool16(core_.locked);
    case kDispFontBold: runTimeOnly(); return Variant::Bool(core_.font->Desc().bold);
    case kDispFontItalic: runTimeOnly(); return Variant::Bool(core_.font->Desc().italic);
    case kDispFontName: runTimeOnly(); return Variant::Bstr(core_.font->Desc().name);
    case kDispFontSize:
      runTimeOnly();
      return Variant::R4(static_cast<float>(static_cast<double>(core_.font->Desc().sizeCy) / 10000.0));
    case kDispFontStrikethru: runTimeOnly(); return Variant::Bool(core_.font->Desc().strikethrough);
    case kDispFontUnderLine: runTimeOnly(); return Variant::Bool(core_.font->Desc().underline);
    case kDispReplaceCursor:
      if (user && editor != nullptr) return Variant::Bool(!editor->GetInsertMode());
      return Bool16(core_.replaceCursor);
    case kDispMaxLength: return Variant::I4(core_.maxLength);
    case kDispHideSelection: return Bool16(core_.hideSelection);
    case kDispIMEMode: return Variant::I4(editor != nullptr ? editor->GetIMEMode() : core_.imeMode);
    case kDispSelectByFocus: return Bool16(core_.selectByFocus);
    case kDispSelLength:
    case kDispSelStart: {
      runTimeOnly();
      std::int32_t start = 0, length = 0;
      if (editor != nullptr) editor->GetSel(start, length);
      return Variant::I4(dispid == kDispSelStart ? start : length);
    }
    case kDispSelText: {
      runTimeOnly();
      std::string text;
      if (editor != nullptr) editor->GetSelText(text);
      return Variant::Bstr(text);
    }
    case kDispTabByReturn: return Bool16(core_.tabByReturn);
    case kDispTabByVertKey: return Bool16(core_.tabByVertKey);
    case kDispEraProfile: return Variant::Bstr(core_.eraProfile);
    case kDispSpinButton: return Variant::I4(core_.spinButton);
    case kDispScrollBars: return Variant::I4(core_.scrollBars);
    case kDispMultiLine: return Bool16(core_.multiLine);
    case kDispSpinDelay: return Variant::I4(core_.spinDelay);
    case kDispTabByInputLast: return Bool16(core_.tabByInputLast);
    case kDispLowerValue: return user ? core_.lowerValue : ForDesignBrowser(core_.lowerValue);
    case kDispUpperValue: return user ? core_.upperValue : ForDesignBrowser(core_.upperValue);
    case kDispCheckValue: return Bool16(core_.checkValue);
    case kDispDefaultValue:
      if (user) return core_.defaultValue;
      if (core_.defaultValue.IsNullOrEmpty()) return Variant::Bstr("");
      return ForDesignBrowser(core_.defaultValue);
    case kDispAllowDefaultValue: return Bool16(core_.allowDefaultValue);
    case kDispSpinIncrease: return Variant::R4(core_.spinIncrease);
    case kDispDisabledBackColor: return Colour(core_.disabledBackColor);
    case kDispDisabledForeColor: return Colour(core_.disabledForeColor);
    case kDispTabByHorzKey: return Bool16(core_.tabByHorzKey);
    case kDispForeColor: return Colour(core_.foreColor);
    case kDispFont: return Variant::Object(core_.font);
    case kDispText:
      runTimeOnly();
      return Variant::Bstr(editor != nullptr ? editor->GetText() : std::string());
    case kDispBackColor: return Colour(core_.backColor);
    case kDispEnabled: return Bool16(core_.enabled);
    case kDispCaption: return Variant::Bstr(core_.caption);
    case kDispFuriganaType: return Variant::I4(core_.furiganaType);
    case kDispControlBackColor: return Colour(controlBackColor_);
    case kDispKeepNull: return Bool16(core_.keepNull);
    default: throw AutomationError(kErrInvalidProcedureCall, "");
  }
}

bool CVlTypedBoxCtrl::SetPropertyChecked(std::int32_t dispid, const Variant& v) {
  const bool user = UserMode();
  auto runTimeOnly = [&] {
    if (!user) throw AutomationError(kErrSetNotSupported, "");
  };
  auto designTimeOnly = [&] {
    if (user) throw AutomationError(kErrSetNotSupported, "");
  };
  auto inRange = [](std::int32_t n, std::int32_t lo, std::int32_t hi) {
    if (n < lo || n > hi) Refuse();
    return n;
  };
  CVlEditWnd* editor = Editor();
  switch (dispid) {
    case kDispFormat: return SetFormat(AsText(v));
    case kDispValue:
      runTimeOnly();
      AssignValue(v, true, true);
      return false;  // a Value write raises Change instead of a notification
    case kDispDataType: return SetDataType(AsInt(v));
    case kDispPasswordChar: {
      std::string text = AsText(v);
      if (text == core_.passwordChar) return false;
      if (!text.empty() && static_cast<unsigned char>(text[0]) >= 0x80) Refuse(1300);
      core_.passwordChar = text;
      if (editor) editor->SetPasswordChar(text.empty() ? 0 : text[0]);
      Repaint();
      return true;
    }
    case kDispBorderStyle: {
      bool changed = Store(core_.borderStyle, static_cast<std::int16_t>(inRange(AsInt(v), 0, 1)));
      if (changed) {
        if (editor) editor->MoveEditor(EditorRect(), true);
        Repaint();
      }
      return changed;
    }
    case kDispDataField: return Store(dataField_, AsText(v));
    case kDispDataSource: return true;  // the connection itself comes from the host
    case kDispAppearance: {
      bool changed = Store(core_.appearance, static_cast<std::int16_t>(inRange(AsInt(v), 0, 1)));
      if (changed) {
        if (core_.dataType == VlTextBoolean) {
          core_.appearance == 0 ? ChangeStyleBits(kStyleFlat, 0) : ChangeStyleBits(0, kStyleFlat);
        } else if (editor) {
          editor->MoveEditor(EditorRect(), true);
        }
        Repaint();
      }
      return changed;
    }
    case kDispAlignment: return SetAlignment(AsInt(v));
    case kDispDataChanged:
      runTimeOnly();
      core_.dataChanged = AsBool(v);
      return false;
    case kDispLocked: {
      bool on = AsBool(v);
      if (!StoreFlag(core_.locked, on)) return false;
      on ? ChangeStyleBits(kStyleReadOnly, 0) : ChangeStyleBits(0, kStyleReadOnly);
      if (editor) editor->SetLocked(on);
      return true;
    }
    case kDispFontBold: case kDispFontItalic: case kDispFontName: case kDispFontSize:
    case kDispFontStrikethru: case kDispFontUnderLine:
      runTimeOnly();
      return SetFontAttribute(dispid, v);
    case kDispReplaceCursor: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.replaceCursor, on);
      if (editor) editor->SetInsertMode(!on);
      return changed;
    }
    case kDispMaxLength: return SetMaxLength(AsInt(v), true);
    case kDispHideSelection: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.hideSelection, on);
      if (editor) editor->SetHideSelection(on);
      return changed;
    }
    case kDispIMEMode: {
      auto mode = static_cast<std::int16_t>(inRange(AsInt(v), 0, 8));
      if (!user && mode == core_.imeMode) return false;
      bool changed = Store(core_.imeMode, mode);
      if (editor) editor->SetIMEMode(static_cast<std::uint16_t>(mode));
      return changed;
    }
    case kDispSelectByFocus: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.selectByFocus, on);
      if (editor) editor->SetSelectByFocus(on);
      return changed;
    }
    case kDispSelLength: {
      runTimeOnly();
      std::int32_t length = AsInt(v);
      if (length < 0) Refuse();
      if (editor) {
        std::int32_t start = 0, old = 0;
        editor->GetSel(start, old);
        editor->SetSel(start, length);
      }
      return false;
    }
    case kDispSelStart: {
      runTimeOnly();
      std::int32_t start = AsInt(v);
      if (start < 0) Refuse();
      if (editor) editor->SetSel(start, 0);
      return false;
    }
    case kDispSelText:
      runTimeOnly();
      if (editor) editor->SetSelText(AsText(v));
      return false;
    case kDispTabByReturn: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.tabByReturn, on);
      if (editor) editor->SetTabByReturn(on);
      return changed;
    }
    case kDispTabByVertKey: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.tabByVertKey, on);
      if (editor) editor->SetTabByVertKey(on);
      return changed;
    }
    case kDispEraProfile: {
      designTimeOnly();
      std::string path = AsText(v);
      if (!Store(core_.eraProfile, path)) return false;
      if (editor && core_.dataType == VlTextDate) editor->SetEraProfile(path);
      Repaint();
      return true;
    }
    case kDispSpinButton: {
      bool changed = Store(core_.spinButton, static_cast<std::int16_t>(inRange(AsInt(v), 0, 2)));
      if (editor && core_.dataType != VlTextString && core_.dataType != VlTextBoolean) {
        editor->SetSpinButton(core_.spinButton);
      }
      Repaint();
      return changed;
    }
    case kDispScrollBars: {
      designTimeOnly();
      bool changed = Store(core_.scrollBars, static_cast<std::int16_t>(inRange(AsInt(v), 0, 3)));
      if (changed && core_.dataType == VlTextString) {
        ChangeStyleBits(((core_.scrollBars & 1) ? kStyleHScroll : 0) | ((core_.scrollBars & 2) ? kStyleVScroll : 0),
                        ((core_.scrollBars & 1) ? 0 : kStyleHScroll) | ((core_.scrollBars & 2) ? 0 : kStyleVScroll));
      }
      return changed;
    }
    case kDispMultiLine: {
      designTimeOnly();
      bool on = AsBool(v);
      if (!StoreFlag(core_.multiLine, on)) return false;
      if (core_.dataType == VlTextString) on ? ChangeStyleBits(kStyleMultiLine, 0) : ChangeStyleBits(0, kStyleMultiLine);
      Repaint();
      return true;
    }
    case kDispSpinDelay: {
      std::int32_t delay = AsInt(v);
      if (delay < 0 || delay > 32767) Refuse();
      bool changed = Store(core_.spinDelay, static_cast<std::int16_t>(delay));
      if (editor) editor->SetSpinDelay(delay);
      return changed;
    }
    case kDispTabByInputLast: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.tabByInputLast, on);
      if (editor) editor->SetTabByInputLast(on);
      return changed;
    }
    case kDispLowerValue: return SetLowerValue(v);
    case kDispUpperValue: return SetUpperValue(v);
    case kDispCheckValue: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.checkValue, on);
      if (editor && core_.dataType != VlTextBoolean) editor->SetCheckValue(on);
      if (changed) ClampDefaultValue();
      return changed;
    }
    case kDispDefaultValue: return SetDefaultValue(v);
    case kDispAllowDefaultValue: {
      bool changed = StoreFlag(core_.allowDefaultValue, AsBool(v));
      if (changed) {
        ClampDefaultValue();
        RefreshDesignPreview();
      }
      return changed;
    }
    case kDispSpinIncrease: {
      // A step that is not a number (NaN, infinity) has no meaning for any box: refused, so the
      // editors never step by garbage.
      const float increase = AsFloat(v);
      if (!std::isfinite(increase)) Refuse();
      bool changed = Store(core_.spinIncrease, increase);
      if (editor) editor->SetSpinIncrease(core_.spinIncrease);
      return changed;
    }
    case kDispDisabledBackColor: {
      bool changed = Store(core_.disabledBackColor, AsColour(v));
      if (changed) Repaint();
      return changed;
    }
    case kDispDisabledForeColor: {
      bool changed = Store(core_.disabledForeColor, AsColour(v));
      if (changed) Repaint();
      return changed;
    }
    case kDispTabByHorzKey: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.tabByHorzKey, on);
      if (editor) editor->SetTabByHorzKey(on);
      return changed;
    }
    case kDispForeColor:
    case kDispBackColor: {
      const bool fore = dispid == kDispForeColor;
      std::uint32_t& field = fore ? core_.foreColor : core_.backColor;
      std::uint32_t& effective = fore ? core_.effectiveForeColor : core_.effectiveBackColor;
      const std::uint32_t old = field;
      if (!Store(field, AsColour(v))) return false;
      if (effective == old) effective = field;
      Repaint();
      return true;
    }
    case kDispFont: return SetFontObject(v);
    case kDispText: throw AutomationError(kErrSetNotSupported, "");
    case kDispEnabled: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.enabled, on);
      if (editor) editor->EnableEditor(on);
      Repaint();
      if (!on && site_.IsUIActive()) site_.UIDeactivate();
      return changed;
    }
    case kDispCaption: {
      std::string text = AsText(v);
      if (!Store(core_.caption, text)) return false;
      if (editor && core_.dataType == VlTextBoolean) {
        editor->SetCaption(text);
        Repaint();
      }
      return true;
    }
    case kDispFuriganaType: {
      bool changed = Store(core_.furiganaType, static_cast<std::uint16_t>(inRange(AsInt(v), 0, 2)));
      if (editor) editor->SetFuriganaType(core_.furiganaType);
      return changed;
    }
    case kDispControlBackColor: {
      bool changed = Store(controlBackColor_, AsColour(v));
      if (changed) Repaint();
      return changed;
    }
    case kDispKeepNull: {
      bool on = AsBool(v);
      bool changed = StoreFlag(core_.keepNull, on);
      if (editor) editor->keepNull = on ? 1 : 0;
      Repaint();
      return changed;
    }
    default: throw AutomationError(kErrInvalidProcedureCall, "");
  }
}

}  // namespace vl
