// ValueRange: LowerValue, UpperValue and CheckValue of an editor, and the one range check every
// editor runs on a value before it takes it.
//
// Each data type has one row of rules (value_range.cpp): how a bound is held (a Date box holds its
// serial, a String box the bound's text, where an empty text is no bound), whether a reversed pair
// is taken as the range between its bounds (every type but Integer), whether the type's own limits
// still apply while CheckValue is off, and how two values compare (numbers by value, dates to the
// microsecond, texts byte by byte). A Boolean or Null box has no range.
#pragma once

#include <cstdint>
#include <utility>

#include "value/typed_value.h"

namespace vl {

class ValueRange {
 public:
  explicit ValueRange(std::uint16_t dataType);

  void SetLower(const TypedValue& value);
  void SetUpper(const TypedValue& value);
  void SetCheck(bool on) { check_ = on; }
  bool Checking() const { return check_; }

  // The bounds in force, lower first: with CheckValue the pair as set (put in order where the type
  // does that), else the type's own limits. A Null or Empty bound is none.
  std::pair<TypedValue, TypedValue> Bounds() const;
  // kEditOk (0) when `value` lies in the range or no range applies, kEditAboveUpper (1) above it,
  // kEditBelowLower (2) below it.
  std::int32_t Check(const TypedValue& value) const;

  // The rules of one data type (value_range.cpp).
  struct Rule;

 private:
  const Rule* rule_;
  std::uint16_t dataType_;
  bool check_ = false;
  TypedValue lower_;
  TypedValue upper_;
};

}  // namespace vl
