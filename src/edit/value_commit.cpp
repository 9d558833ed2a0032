#include "edit/value_commit.h"

#include "edit/edit_messages.h"

namespace vl {

ValueCommit::ValueCommit(std::uint16_t dataType, Editor& editor, std::int32_t& status)
    : editor_(editor), status_(status), range_(dataType) {}

void ValueCommit::Store(const TypedValue& value) {
  value_ = value;
  SetNullState(false);
}

void ValueCommit::EndNull() {
  if (textIsValue) {
    SetNullState(false);
  } else if (isNull_) {
    nullEnding_ = true;
  }
}

bool ValueCommit::Check(const TypedValue& value) {
  std::int32_t failure = editor_.CheckFormat(value);
  if (failure == kEditOk) failure = range_.Check(value);
  if (failure == kEditOk) return true;
  status_ = failure;
  return false;
}

bool ValueCommit::Load(const TypedValue& handed, std::string& produced) {
  status_ = kEditOk;
  TypedValue load;
  // An adjustment the editor made (the status it set) stays reported unless the check refuses.
  if (!editor_.PrepareLoad(handed, load, produced) || !Check(load)) return false;
  Store(load);
  editor_.ShowLoaded(produced);
  return !IsEditFailure(status_);
}

EditorValue ValueCommit::Read() {
  EditorValue out;
  out.isNull = isNull_;
  if (isNull_) return out;
  out.text = editor_.ValueText();
  TypedValue read;
  if (!editor_.TextToValue(out.text, read) || (!textIsValue && !Check(read))) {
    out.error = true;
  } else {
    value_ = read;
  }
  out.value = value_;
  return out;
}

bool ValueCommit::Commit() {
  if (isNull_) return true;
  TypedValue read;
  if (!editor_.TextToValue(editor_.ValueText(), read) || !Check(read)) return false;
  Store(read);
  status_ = kEditOk;
  editor_.ShowCommitted();
  return true;
}

TypedValue ValueCommit::ForUserCheck() const {
  if (isNull_) return TypedValue::Null();
  // The host's check sees a date as its serial number (VT_R8), as a date editor hands it over.
  if (value_.Type() == VarType::Date) return TypedValue::R8(value_.AsDate());
  return value_;
}

}  // namespace vl
