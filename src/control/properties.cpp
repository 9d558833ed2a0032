// The rules every row of the property table runs through: the mode check, the common read and
// write, the notification, and the push that fills a new editor.
#include "control/properties.h"

#include <algorithm>

#include "control/typed_box_ctrl.h"
#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"

namespace vl {

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

// The rows of `table` that pass `keep`, ordered by `rank`.
template <typename Keep, typename Rank>
std::vector<const PropertyInfo*> RowsInOrder(Keep keep, Rank rank) {
  std::vector<const PropertyInfo*> rows;
  for (const PropertyInfo& p : PropertyTable()) {
    if (keep(p)) rows.push_back(&p);
  }
  std::stable_sort(rows.begin(), rows.end(), [&](const PropertyInfo* a, const PropertyInfo* b) { return rank(*a) < rank(*b); });
  return rows;
}

}  // namespace

const std::vector<const PropertyInfo*>& ExchangeOrder() {
  static const std::vector<const PropertyInfo*> rows = RowsInOrder(
      [](const PropertyInfo& p) { return p.exchange.part != ExchangePart::None; },
      [](const PropertyInfo& p) { return static_cast<int>(p.exchange.part) * 256 + p.exchange.order; });
  return rows;
}

const std::vector<const PropertyInfo*>& EditorPushOrder() {
  static const std::vector<const PropertyInfo*> rows =
      RowsInOrder([](const PropertyInfo& p) { return p.editorOrder >= 0 && p.toEditor != nullptr; },
                  [](const PropertyInfo& p) { return p.editorOrder; });
  return rows;
}

// ---------------------------------------------------------------------------------------------
// Arguments

void RefuseWrite(std::uint32_t messageId) {
  throw AutomationError(kErrInvalidPropertyValue, messageId == 0 ? std::string() : LoadResourceString(messageId));
}

namespace {

// The framework's coercion of an argument to the property's type.
Variant Coerce(const Variant& in, VarType to) {
  Variant out;
  switch (ChangeType(in, to, out)) {
    case CoerceStatus::Ok: return out;
    case CoerceStatus::Overflow: throw AutomationError(kErrOverflow, "");
    default: throw AutomationError(kErrTypeMismatch, "");
  }
}

}  // namespace

std::string ArgText(const Variant& v) { return Coerce(v, VarType::Bstr).AsBstr(); }
bool ArgBool(const Variant& v) { return Coerce(v, VarType::Bool).AsBool(); }
std::int32_t ArgInt(const Variant& v) { return Coerce(v, VarType::I4).AsI4(); }
float ArgFloat(const Variant& v) { return Coerce(v, VarType::R4).AsR4(); }

std::uint32_t ArgColour(const Variant& v) {
  const std::int64_t n = Coerce(v, VarType::I8).AsI8();
  if (n < INT32_MIN || n > UINT32_MAX) throw AutomationError(kErrOverflow, "");
  return static_cast<std::uint32_t>(n);
}

// ---------------------------------------------------------------------------------------------
// The control's side

Variant CVlTypedBoxCtrl::GetProperty(std::int32_t dispid) {
  const PropertyInfo* row = FindProperty(dispid);
  if (row == nullptr) throw AutomationError(kErrInvalidProcedureCall, "");
  const bool user = UserMode();
  if (row->read == PropMode::Never || (row->read == PropMode::RunOnly && !user) ||
      (row->read == PropMode::DesignOnly && user)) {
    throw AutomationError(kErrGetNotSupported, "");
  }
  return ReadProperty(*row);
}

void CVlTypedBoxCtrl::SetProperty(std::int32_t dispid, const Variant& value) {
  const PropertyInfo* row = FindProperty(dispid);
  if (row == nullptr) throw AutomationError(kErrInvalidProcedureCall, "");
  const bool user = UserMode();
  if (row->write == PropMode::Never || (row->write == PropMode::RunOnly && !user) ||
      (row->write == PropMode::DesignOnly && user)) {
    throw AutomationError(kErrSetNotSupported, "");
  }
  bool changed = false;
  try {
    changed = WriteProperty(*row, value);
  } catch (const CVlValueException& e) {
    // Value errors of these writes reach the host as ValueError; the write ends unannounced.
    ReportValueError(e);
    return;
  }
  if (changed) NotifyChanged(row->notifyAs != 0 ? row->notifyAs : row->dispid);
}

void CVlTypedBoxCtrl::NotifyChanged(std::int32_t dispid) {
  site_.OnPropertyChanged(dispid);
  site_.SetModifiedFlag(true);
}

Variant CVlTypedBoxCtrl::ReadProperty(const PropertyInfo& row) {
  if (row.get != nullptr) return row.get(*this, row);
  return ReadStored(row);
}

Variant CVlTypedBoxCtrl::ReadStored(const PropertyInfo& row) const {
  const Variant raw = row.field.load(*this);
  switch (row.kind) {
    case PropKind::Bool: return Variant::Bool(raw.AsI8() != 0);
    case PropKind::Int: return Variant::I4(static_cast<std::int32_t>(raw.AsI8()));
    case PropKind::Colour: return Variant::I4(static_cast<std::int32_t>(static_cast<std::uint32_t>(raw.AsI8())));
    default: return raw;
  }
}

bool CVlTypedBoxCtrl::WriteProperty(const PropertyInfo& row, const Variant& value) {
  if (row.set != nullptr) return row.set(*this, row, value);
  return WriteStored(row, value);
}

// The common rule: coerce, refuse, compare, store; a change restyles the edit window; the value
// is handed to the edit window; the row's own effects run last.
bool CVlTypedBoxCtrl::WriteStored(const PropertyInfo& row, const Variant& value) {
  Variant want;
  switch (row.kind) {
    case PropKind::Bool: want = Variant::I2(ArgBool(value) ? -1 : 0); break;
    case PropKind::Int: {
      const std::int32_t n = ArgInt(value);
      if (row.min < row.max && (n < row.min || n > row.max)) RefuseWrite();
      want = Variant::I4(n);
      break;
    }
    case PropKind::Float: want = Variant::R4(ArgFloat(value)); break;
    case PropKind::Colour: want = Variant::I8(ArgColour(value)); break;
    default: want = Variant::Bstr(ArgText(value)); break;
  }
  if (row.check != nullptr) row.check(want);
  const Variant have = row.field.load(*this);
  bool same = false;
  switch (row.kind) {
    // Flags compare as booleans: writing True over a stored 1 is no change.
    case PropKind::Bool: same = (have.AsI8() != 0) == (want.AsI8() != 0); break;
    case PropKind::Float: same = have.AsR4() == want.AsR4(); break;
    case PropKind::Text: same = have.AsBstr() == want.AsBstr(); break;
    default: same = have.AsI8() == want.AsI8(); break;
  }
  const bool changed = !same && row.field.store(*this, want);
  if (changed && row.styleBits != 0 && InTypes(row.styleTypes, core_.dataType)) {
    const std::uint32_t wanted = EditorStyleBits() & row.styleBits;
    ChangeStyleBits(wanted, row.styleBits & ~wanted);
  }
  CVlEditWnd* editor = Editor();
  if (editor != nullptr && row.toEditor != nullptr && InTypes(row.editorTypes, core_.dataType) &&
      (changed || row.push == EditorPush::Always)) {
    row.toEditor(*this, *editor);
  }
  if (row.after != nullptr) row.after(*this, changed);
  return changed;
}

void CVlTypedBoxCtrl::PushPropertiesToEditor(CVlEditWnd& editor) {
  editor.screenFonts = &ScreenFonts();
  // "Today" of a Date box comes from the window system's clock even before its window exists.
  editor.SetClock(site_.WindowSystem().GetClock());
  // The style bits come first: the flat look, the alignment, read-only and the multi-line styles.
  editor.SetStyleBits(EditorStyleBits());
  for (const PropertyInfo* row : EditorPushOrder()) {
    if (InTypes(row->editorTypes, core_.dataType)) row->toEditor(*this, editor);
  }
}

void CVlTypedBoxCtrl::PushValueToNewEditor() {
  // The value, converted to the data type; one that cannot be converted shows as Null.
  try {
    core_.value = ConvertForCore(core_.value);
  } catch (const CVlValueException&) {
    core_.value = TypedValue::Null();
  }
  try {
    PushValueToEditor();
  } catch (const CVlValueException&) {
    // A value the new editor cannot show is reported by the write that rebuilt the editor.
  }
}

void CVlTypedBoxCtrl::PushBoundToNewEditor(CVlEditWnd& editor, bool lower) {
  // Bounds of another type are converted (Null as the type's zero, a failure as the type's
  // bound) and go through the bound write rules; bounds of the data type are only handed over.
  const std::uint16_t type = core_.dataType;
  const TypedValue& bound = lower ? core_.lowerValue : core_.upperValue;
  if (TypeCode(bound) == type) {
    lower ? editor.SetLowerValue(bound) : editor.SetUpperValue(bound);
    return;
  }
  TypedValue converted = bound;
  try {
    ConvertTypedValue(type, converted, false, site_.WindowSystem().GetClock());
  } catch (const CVlValueException&) {
    converted = lower ? TypeLowerBound(type) : TypeUpperBound(type);
  }
  try {
    SetBound(converted, lower);
  } catch (const AutomationError&) {
    // Out of order with the other bound: the type's own bound keeps the pair ordered.
    SetBound(lower ? TypeLowerBound(type) : TypeUpperBound(type), lower);
  }
}

}  // namespace vl
