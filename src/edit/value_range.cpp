#include "edit/value_range.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "edit/date_edit_form.h"
#include "edit/edit_messages.h"
#include "runtime/coerce.h"

namespace vl {

namespace {

int CompareValues(const TypedValue& a, const TypedValue& b) { return CompareTypedValues(a, b); }

// Dates compare to the microsecond (CheckDateRange), so a bound typed to the second is not missed
// by a fraction of a microsecond.
int CompareDates(const TypedValue& a, const TypedValue& b) {
  const double x = a.AsDate();
  switch (CheckDateRange(x, DateRange{b.AsDate(), b.AsDate()})) {
    case kEditAboveUpper:
      return 1;
    case kEditBelowLower:
      return -1;
    default:
      return 0;
  }
}

int CompareBytes(const TypedValue& a, const TypedValue& b) {
  const std::string& x = a.AsBstr();
  const std::string& y = b.AsBstr();
  const std::size_t n = std::min(x.size(), y.size());
  const int c = n == 0 ? 0 : std::memcmp(x.data(), y.data(), n);
  if (c != 0) return c < 0 ? -1 : 1;
  return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}

TypedValue AsIs(const TypedValue& value) { return value; }

TypedValue AsDate(const TypedValue& value) {
  if (value.Type() == VarType::Date) return value;
  TypedValue converted;
  if (ChangeType(value, VarType::Date, converted) == CoerceStatus::Ok) return TypedValue::Date(converted.AsDate());
  return TypedValue::Date(0);
}

// An empty text is no bound.
TypedValue AsText(const TypedValue& value) {
  if (value.IsNullOrEmpty()) return TypedValue();
  std::string text = value.Type() == VarType::Bstr ? value.AsBstr() : TypedValueToText(value);
  return text.empty() ? TypedValue() : TypedValue::Bstr(std::move(text));
}

TypedValue NoLimit(std::uint16_t) { return TypedValue(); }
TypedValue LowerLimit(std::uint16_t type) { return TypeLowerBound(type); }
TypedValue UpperLimit(std::uint16_t type) { return TypeUpperBound(type); }
TypedValue FirstDate(std::uint16_t) { return TypedValue::Date(DateRange{}.lower); }
TypedValue LastDate(std::uint16_t) { return TypedValue::Date(DateRange{}.upper); }
TypedValue DayZero(std::uint16_t) { return TypedValue::Date(0); }

}  // namespace

struct ValueRange::Rule {
  std::uint16_t dataType;
  bool ordersPair;       // a reversed pair is the range between its bounds
  bool limitsUnchecked;  // the type's limits are checked while CheckValue is off
  int (*compare)(const TypedValue&, const TypedValue&);
  TypedValue (*hold)(const TypedValue&);  // how a bound is kept
  TypedValue (*lowerLimit)(std::uint16_t);
  TypedValue (*upperLimit)(std::uint16_t);
  TypedValue (*initialLower)(std::uint16_t);  // the bounds before the host sets them
  TypedValue (*initialUpper)(std::uint16_t);
};

namespace {

// Integer keeps a reversed pair as it is, so nothing lies in it; Currency has no limits of its own
// to check while CheckValue is off (its arithmetic is checked where it is done).
constexpr ValueRange::Rule kRules[] = {
    {VlTextInteger, false, true, CompareValues, AsIs, LowerLimit, UpperLimit, LowerLimit, UpperLimit},
    {VlTextLong, true, true, CompareValues, AsIs, LowerLimit, UpperLimit, LowerLimit, UpperLimit},
    {VlTextSingle, true, true, CompareValues, AsIs, LowerLimit, UpperLimit, LowerLimit, UpperLimit},
    {VlTextDouble, true, true, CompareValues, AsIs, LowerLimit, UpperLimit, LowerLimit, UpperLimit},
    {VlTextCurrency, true, false, CompareValues, AsIs, LowerLimit, UpperLimit, LowerLimit, UpperLimit},
    {VlTextByte, true, true, CompareValues, AsIs, LowerLimit, UpperLimit, LowerLimit, UpperLimit},
    {VlTextDate, true, true, CompareDates, AsDate, FirstDate, LastDate, DayZero, DayZero},
    {VlTextString, true, false, CompareBytes, AsText, NoLimit, NoLimit, NoLimit, NoLimit},
};

}  // namespace

ValueRange::ValueRange(std::uint16_t dataType) : rule_(nullptr), dataType_(dataType) {
  for (const Rule& r : kRules) {
    if (r.dataType == dataType) rule_ = &r;
  }
  if (rule_ != nullptr) {
    lower_ = rule_->initialLower(dataType);
    upper_ = rule_->initialUpper(dataType);
  }
}

void ValueRange::SetLower(const TypedValue& value) {
  if (rule_ != nullptr) lower_ = rule_->hold(value);
}

void ValueRange::SetUpper(const TypedValue& value) {
  if (rule_ != nullptr) upper_ = rule_->hold(value);
}

std::pair<TypedValue, TypedValue> ValueRange::Bounds() const {
  if (rule_ == nullptr) return {};
  if (!check_) return {rule_->lowerLimit(dataType_), rule_->upperLimit(dataType_)};
  std::pair<TypedValue, TypedValue> bounds{lower_, upper_};
  const bool bothSet = !lower_.IsNullOrEmpty() && !upper_.IsNullOrEmpty();
  if (rule_->ordersPair && bothSet && rule_->compare(lower_, upper_) > 0) std::swap(bounds.first, bounds.second);
  return bounds;
}

std::int32_t ValueRange::Check(const TypedValue& value) const {
  if (rule_ == nullptr || (!check_ && !rule_->limitsUnchecked)) return kEditOk;
  const auto [lower, upper] = Bounds();
  if (!upper.IsNullOrEmpty() && rule_->compare(value, upper) > 0) return kEditAboveUpper;
  if (!lower.IsNullOrEmpty() && rule_->compare(value, lower) < 0) return kEditBelowLower;
  return kEditOk;
}

}  // namespace vl
