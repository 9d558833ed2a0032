#include "binding/data_binding.h"

#include "runtime/automation_error.h"
#include "value/value_exception.h"

namespace vl {

namespace {

// What a reason record of a DidEvent notification makes the box do.
enum class RowAction { Read, ReadUnlessChanged, DefaultOrRead };

struct ReasonRow {
  std::uint32_t bit;
  std::int32_t code;
  RowAction action;
};

// The reason matrix: the first row whose event bit is set and whose code matches decides; a
// reason record no row matches is ignored.
constexpr ReasonRow kReasonMatrix[] = {
    {kDbeCurrentRowChanged, kDbReasonMove, RowAction::Read},
    {kDbeCurrentRowChanged, kDbReasonFind, RowAction::Read},
    {kDbeCurrentRowDataChanged, kDbReasonModified, RowAction::Read},
    {kDbeCurrentRowDataChanged, kDbReasonRollback, RowAction::Read},
    {kDbeCurrentRowDataChanged, kDbReasonSetColumn, RowAction::Read},
    {kDbeCurrentRowDataChanged, kDbReasonCancelUpdate, RowAction::ReadUnlessChanged},
    {kDbeSetOfRowsChanged, kDbReasonDeleted, RowAction::Read},
    {kDbeSetOfRowsChanged, kDbReasonInserted, RowAction::Read},
    {kDbeSetOfRowsChanged, kDbReasonRollback, RowAction::Read},
    {kDbeSetOfRowsChanged, kDbReasonAddNew, RowAction::DefaultOrRead},
};

// Reason codes that make a box write back in SyncBefore, one write per event bit.
struct WriteRow {
  std::uint32_t bit;
  std::int32_t code;
};
constexpr WriteRow kWriteMatrix[] = {
    {kDbeCurrentRowDataChanged, kDbReasonModified},
    {kDbeSetOfRowsChanged, kDbReasonInserted},
};

}  // namespace

CVlDataBinding::~CVlDataBinding() { Disconnect(); }

void CVlDataBinding::Disconnect() {
  std::shared_ptr<IVlCursor> cursor = std::move(cursor_);
  cursor_.reset();
  if (advised_ && cursor) cursor->Unadvise(cookie_);
  advised_ = false;
  bound_ = false;
  control_.SetUnavailable(false);
}

std::shared_ptr<IVlCursor> CVlDataBinding::Connect() {
  std::shared_ptr<IVlCursor> cursor = control_.UserMode() ? cursor_ : control_.Site().GetCursor(kDispDataSource);
  columns_.clear();
  if (!cursor) return nullptr;
  columns_ = cursor->Columns();
  return cursor;
}

std::optional<std::size_t> CVlDataBinding::FindColumn(const std::string& name, std::optional<std::uint16_t> type) {
  const std::shared_ptr<IVlCursor> cursor = Connect();
  if (!cursor || name.empty() || columns_.empty()) return std::nullopt;
  const std::size_t start = std::min(boundIndex_, columns_.size());
  auto matches = [&](std::size_t i) { return columns_[i].name == name && (!type || columns_[i].dataType == *type); };
  for (std::size_t i = start; i < columns_.size(); ++i) {
    if (matches(i)) return i;
  }
  for (std::size_t i = 0; i < start; ++i) {
    if (matches(i)) return i;
  }
  return std::nullopt;
}

void CVlDataBinding::Resolve(const std::string& name) {
  const std::optional<std::size_t> found = FindColumn(name);
  if (!found) {
    bound_ = false;
    return;
  }
  const CursorColumn column = columns_[*found];
  bound_ = true;
  boundIndex_ = *found;
  control_.SetProperty(kDispDataType, Variant::I4(column.dataType));
  control_.SetProperty(kDispLocked, Variant::Bool(!column.updatable));
  if (column.dataType == VlTextString && control_.Core().dataType == VlTextString) {
    control_.SetProperty(kDispMaxLength, Variant::I4(column.maxLength));
  }
}

bool CVlDataBinding::SetDataField(const std::string& name) {
  if (name == control_.DataField()) return false;
  try {
    if (Connect()) {
      Resolve(name);
      control_.StoreDataField(name);
      if (bound_) control_.UserMode() ? ReadCurrentRow() : control_.Refresh();
      return true;
    }
  } catch (const AutomationError&) {
  }
  // No connection could be made: the name alone is kept, and the bound flag as it was.
  control_.StoreDataField(name);
  return true;
}

bool CVlDataBinding::OnSourceChanged(std::int32_t dispid, bool bound) {
  if (dispid != kDispDataSource) return true;
  Disconnect();
  // At design time the box never holds a cursor between calls.
  if (!bound || !control_.UserMode()) return true;
  try {
    std::shared_ptr<IVlCursor> cursor = control_.Site().GetCursor(kDispDataSource);
    if (!cursor) return true;
    cookie_ = cursor->Advise(*this);
    advised_ = true;
    cursor_ = std::move(cursor);
    Resolve(control_.DataField());
    ReadCurrentRow();
  } catch (const AutomationError&) {
    bound_ = false;
  }
  return true;
}

std::int32_t CVlDataBinding::IsDirty(std::int32_t dispid) {
  (void)dispid;
  return control_.Core().dataChanged ? 0 : 1;
}

std::vector<CursorColumn> CVlDataBinding::Columns() {
  try {
    if (Connect()) return columns_;
  } catch (const AutomationError&) {
  }
  return {};
}

void CVlDataBinding::PropertiesLoaded() {
  if (!cursor_ || !control_.UserMode()) return;
  try {
    Resolve(control_.DataField());
    ReadCurrentRow();
  } catch (const AutomationError&) {
    bound_ = false;
  }
}

// ---------------------------------------------------------------------------------------------
// Reading and writing the current row

void CVlDataBinding::ShowNothing() {
  try {
    control_.AssignValue(TypedValue::Null(), false, true);
  } catch (const CVlValueException&) {
  } catch (const AutomationError&) {
  }
  control_.SetDataChangedFlag(false);
  // Until a row it can show comes, the box cannot be edited: an untouched Null committed as the
  // type's zero would otherwise be written over the stored value.
  control_.SetUnavailable(true);
}

void CVlDataBinding::ReadCurrentRow() {
  const std::shared_ptr<IVlCursor> cursor = cursor_;
  if (!cursor || !bound_) return;
  control_.SetUnavailable(false);
  Variant value;
  try {
    value = cursor->EditMode() == CursorEditMode::None ? cursor->FetchCurrent(boundIndex_) : cursor->GetColumn(boundIndex_);
    control_.AssignValue(value, false, true);
  } catch (const CVlValueException& e) {
    // A stored value the box cannot hold goes through the value rules: the host hears of it.
    ShowNothing();
    CVlValueException report = e;
    report.SetFallbackValue(TypedValue::Null());
    control_.ReportValueError(report);
    return;
  } catch (const AutomationError&) {
    ShowNothing();
    return;
  }
  // What was read is the row's, not a change of the user's.
  control_.SetDataChangedFlag(false);
  control_.Refresh();
}

void CVlDataBinding::TakeDefaultValue() {
  try {
    control_.AssignValue(control_.Core().defaultValue, true, true);
  } catch (const CVlValueException& e) {
    control_.ReportValueError(e);
    return;
  } catch (const AutomationError&) {
    return;
  }
  control_.SetDataChangedFlag(true);
  control_.Refresh();
}

void CVlDataBinding::WriteBack() {
  const std::shared_ptr<IVlCursor> cursor = cursor_;
  if (!cursor || !bound_ || !control_.Core().dataChanged || control_.Core().unavailable) return;
  const std::size_t column = boundIndex_;
  try {
    if (cursor->EditMode() == CursorEditMode::None) cursor->BeginUpdate();
    control_.SetDataChangedFlag(false);
    const Variant value = control_.ReadValue();
    cursor->SetColumn(column, value);
  } catch (const CVlValueException&) {
    // The text being edited is not a value the box accepts; the change stays the box's.
    control_.SetDataChangedFlag(true);
  } catch (const AutomationError&) {
    control_.SetDataChangedFlag(true);
  }
}

void CVlDataBinding::SyncBefore(std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) {
  for (const WriteRow& row : kWriteMatrix) {
    if ((eventBits & row.bit) == 0) continue;
    for (std::int32_t code : reasons) {
      if (code == row.code) {
        WriteBack();
        break;
      }
    }
  }
}

void CVlDataBinding::DidEvent(std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) {
  for (std::int32_t code : reasons) {
    // A handler run by the previous read may have unbound the box.
    if (!cursor_ || !bound_) return;
    const ReasonRow* match = nullptr;
    for (const ReasonRow& row : kReasonMatrix) {
      if ((eventBits & row.bit) != 0 && row.code == code) {
        match = &row;
        break;
      }
    }
    if (match == nullptr) continue;
    switch (match->action) {
      case RowAction::Read: ReadCurrentRow(); break;
      case RowAction::ReadUnlessChanged:
        if (!control_.Core().dataChanged) ReadCurrentRow();
        break;
      case RowAction::DefaultOrRead:
        control_.Core().allowDefaultValue != 0 ? TakeDefaultValue() : ReadCurrentRow();
        break;
    }
  }
}

}  // namespace vl
