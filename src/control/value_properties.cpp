// The property writes with rules of their own: Format, DataType, MaxLength, the bounds, the
// default value, the box's colours, the font and the captions.
#include <cmath>
#include <optional>

#include "control/typed_box_ctrl.h"
#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"

namespace vl {

namespace {

bool Ordered(std::uint16_t type) { return type != VlTextString && type != VlTextBoolean; }

}  // namespace

bool CVlTypedBoxCtrl::SetFormat(const std::string& format) {
  if (format == core_.format) return false;
  core_.format = format;
  if (CVlEditWnd* editor = Editor()) {
    if (!editor->SetFormat(format)) {
      const std::int32_t status = editor->GetLastError();
      if (status == kEditAdjustedToFormat || status == kEditTooManyChars) {
        // The value no longer fits the format: the editor's adjusted value is taken and reported.
        const TypedValue before = core_.value;
        try {
          CommitEditText();
        } catch (const CVlValueException&) {
        }
        const std::uint32_t focus = win::HandleId(EditorWindow());
        if (status == kEditTooManyChars) ThrowValueError(1003, before, core_.value, focus);
        if (UserMode()) ThrowValueError(1005, before, core_.value, focus);
      }
    }
  }
  ApplyAlignmentFit();
  Repaint();
  RefreshDesignPreview();
  return true;
}

bool CVlTypedBoxCtrl::SetMaxLength(std::int32_t length, bool stringOnlyCheck) {
  if (stringOnlyCheck && core_.dataType != VlTextString) RefuseWrite(1301);
  if (length < 0) RefuseWrite();
  if (length == core_.maxLength) return false;
  core_.maxLength = length;
  CVlEditWnd* editor = Editor();
  if (editor != nullptr && core_.dataType == VlTextString && !editor->SetMaxLength(length)) {
    const TypedValue before = core_.value;
    try {
      CommitEditText();
    } catch (const CVlValueException&) {
    }
    Repaint();
    ThrowValueError(1200, before, core_.value, win::HandleId(EditorWindow()));
  }
  Repaint();
  RefreshDesignPreview();
  return true;
}

bool CVlTypedBoxCtrl::SetDataType(std::int32_t code) {
  if (code < 0 || code > 0xFFFF || !IsDataType(static_cast<std::uint16_t>(code))) RefuseWrite();
  const auto type = static_cast<std::uint16_t>(code);
  if (type == core_.dataType) return false;
  const std::uint16_t oldType = core_.dataType;
  core_.dataType = type;

  // Errors of the steps below are reported once the box is consistent again.
  std::optional<CVlValueException> pending;
  auto collect = [&](auto&& step) {
    try {
      step();
    } catch (const CVlValueException& e) {
      if (!pending) pending = e;
    }
  };

  collect([&] { RebuildEditor(); });
  if (!core_.value.IsNullOrEmpty()) {
    TypedValue def = core_.defaultValue;
    try {
      ConvertTypedValue(type, def, true, site_.WindowSystem().GetClock());
    } catch (const CVlValueException&) {
      def = TypedValue::Null();
    }
    collect([&] { SetDefaultValue(def); });
  }
  if (core_.backColor == TypeDefaultBackColor(oldType)) {
    if (core_.effectiveBackColor == core_.backColor) core_.effectiveBackColor = TypeDefaultBackColor(type);
    core_.backColor = TypeDefaultBackColor(type);
  }
  collect([&] { SetFormat(TypeDefaultFormat(type)); });
  collect([&] { WriteProperty(*FindProperty(kDispAlignment), Variant::I4(TypeDefaultAlignment(type))); });
  collect([&] { SetMaxLength(TypeByteWidth(type), false); });
  Repaint();
  if (pending) throw *pending;
  return true;
}

bool CVlTypedBoxCtrl::SetBound(const Variant& value, bool lower) {
  TypedValue& field = lower ? core_.lowerValue : core_.upperValue;
  if (value == field) return false;
  if (IsTypedValueType(TypeCode(value)) == TypeClass::Null) RefuseWrite(1102);
  TypedValue v = value;
  if (TypeCode(v) != core_.dataType) {
    try {
      ConvertTypedValue(core_.dataType, v, true, site_.WindowSystem().GetClock());
    } catch (const CVlValueException&) {
      v = lower ? TypeLowerBound(core_.dataType) : TypeUpperBound(core_.dataType);
    }
  }
  if (v == field) return false;
  // A String or Boolean pair has no order: any two texts are a range.
  const TypedValue& other = lower ? core_.upperValue : core_.lowerValue;
  const int order = Ordered(core_.dataType) ? CompareTypedValues(v, other) : 0;
  if (lower && order > 0) RefuseWrite(1302);
  if (!lower && order < 0) RefuseWrite(1303);
  field = v;
  ClampDefaultValue();
  if (CVlEditWnd* editor = Editor()) lower ? editor->SetLowerValue(field) : editor->SetUpperValue(field);
  return true;
}

bool CVlTypedBoxCtrl::SetDefaultValue(const Variant& value) {
  if (value == core_.defaultValue) return false;
  TypedValue v = value;
  if (!UserMode() && v.Type() == VarType::Bstr) {
    // The property browser hands over text: an empty entry means "no default" (a String box
    // keeps an empty text, since there it is a value).
    if (v.AsBstr().empty() && core_.dataType != VlTextString) v = TypedValue::Null();
  }
  if (v.Type() == VarType::Empty) RefuseWrite(1102);
  if (IsTypedValueType(TypeCode(v)) == TypeClass::Convertible && TypeCode(v) != core_.dataType) {
    try {
      ConvertTypedValue(core_.dataType, v, true, site_.WindowSystem().GetClock());
    } catch (const CVlValueException&) {
      v = TypeLowerBound(core_.dataType);
    }
  }
  if (v == core_.defaultValue) return false;
  core_.defaultValue = v;
  ClampDefaultValue();
  return true;
}

void CVlTypedBoxCtrl::ClampDefaultValue() {
  if (core_.checkValue && core_.allowDefaultValue && Ordered(core_.dataType)) {
    if (CompareTypedValues(core_.defaultValue, core_.lowerValue) < 0) {
      core_.defaultValue = core_.lowerValue;
    } else if (CompareTypedValues(core_.defaultValue, core_.upperValue) > 0) {
      core_.defaultValue = core_.upperValue;
    }
  }
  RefreshDesignPreview();
}

void CVlTypedBoxCtrl::RefreshDesignPreview() {
  if (UserMode()) return;
  try {
    AssignValue(core_.allowDefaultValue ? core_.defaultValue : TypedValue::Null(), false, true);
  } catch (const CVlValueException&) {
  } catch (const AutomationError&) {
  }
}

bool CVlTypedBoxCtrl::SetBoxColour(bool fore, const Variant& value) {
  std::uint32_t& field = fore ? core_.foreColor : core_.backColor;
  std::uint32_t& effective = fore ? core_.effectiveForeColor : core_.effectiveBackColor;
  const std::uint32_t old = field;
  const std::uint32_t colour = ArgColour(value);
  if (colour == old) return false;
  field = colour;
  // The colour in use follows unless something else (a data type's default) set it apart.
  if (effective == old) effective = field;
  Repaint();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Font

bool CVlTypedBoxCtrl::SetFontDesc(const FontDesc& desc) {
  if (desc.SameAttributes(core_.font->Desc())) return false;
  core_.font->SetListener(nullptr);
  core_.font->SetDesc(desc);
  core_.font->SetListener([this] { FontObjectChanged(); });
  FontObjectChanged();
  return true;
}

bool CVlTypedBoxCtrl::SetFontObject(const Variant& v) {
  auto font = v.Type() == VarType::Dispatch ? std::dynamic_pointer_cast<VlFont>(v.AsObject()) : nullptr;
  if (!font) throw AutomationError(kErrTypeMismatch, "");
  core_.font->SetListener(nullptr);
  core_.font->SetDesc(font->Desc());
  core_.font->SetListener([this] { FontObjectChanged(); });
  if (core_.font->Desc().SameAttributes(core_.cachedFont)) return false;
  FontObjectChanged();
  return true;
}

void CVlTypedBoxCtrl::FontObjectChanged() {
  if (core_.font->Desc().SameAttributes(core_.cachedFont)) return;
  core_.cachedFont = core_.font->Desc();
  if (CVlEditWnd* editor = Editor()) editor->SetFont(core_.cachedFont.ToLogFont());
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// Captions

Variant CVlTypedBoxCtrl::GetCaptions(std::int32_t direction) {
  if (direction < 0 || direction > 3) throw AutomationError(kErrInvalidArrayIndex, "");
  return Variant::Object(captions_[static_cast<std::size_t>(direction)]);
}

void CVlTypedBoxCtrl::SetCaptions(std::int32_t direction, const Variant& value) {
  if (direction < 0 || direction > 3) throw AutomationError(kErrInvalidArrayIndex, "");
  auto caption = value.Type() == VarType::Dispatch ? std::dynamic_pointer_cast<VlTextCaption>(value.AsObject()) : nullptr;
  if (!caption) throw AutomationError(kErrInvalidProcedureCall, "");
  captions_[static_cast<std::size_t>(direction)]->CopyFrom(*caption);
}

}  // namespace vl
