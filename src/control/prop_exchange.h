// The property exchange: one object that the persistence routine runs in both directions. Saving,
// each primitive appends its entry to the store; loading, each one reads its entry and, when the
// entry is missing or does not fit its kind, sets the field to the default (or leaves it as it
// was when there is none).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/font_object.h"
#include "control/property_store.h"
#include "value/typed_value.h"

namespace vl {

class PropExchange {
 public:
  static PropExchange Saving(PropertySet& out) { return PropExchange(&out, nullptr); }
  static PropExchange Loading(const PropertySet& in) { return PropExchange(nullptr, &in); }

  bool IsLoading() const { return in_ != nullptr; }

  // Each returns true when loading took the stored entry; false when the field took its default
  // (or kept its value); saving always returns true.
  bool ExchangeVersion(std::string_view name, StoredPair& field, std::optional<StoredPair> def);
  bool ExchangeExtent(std::string_view name, StoredPair& field, std::optional<StoredPair> def);
  bool ExchangeU16(std::string_view name, std::uint16_t& field, std::optional<std::uint16_t> def);
  bool ExchangeI16(std::string_view name, std::int16_t& field, std::optional<std::int16_t> def);
  bool ExchangeI32(std::string_view name, std::int32_t& field, std::optional<std::int32_t> def);
  bool ExchangeFloat(std::string_view name, float& field, std::optional<float> def);
  bool ExchangeDouble(std::string_view name, double& field, std::optional<double> def);
  bool ExchangeCurrency(std::string_view name, std::int64_t& field, std::optional<std::int64_t> def);
  bool ExchangeBool(std::string_view name, bool& field, std::optional<bool> def);
  bool ExchangeString(std::string_view name, std::string& field, std::optional<std::string> def);
  bool ExchangeColour(std::string_view name, std::uint32_t& field, std::optional<std::uint32_t> def);
  bool ExchangeFont(std::string_view name, FontDesc& field, std::optional<FontDesc> def);
  // A typed value as its two entries: name + ".VlType" (u16, the type code) and, for a data
  // type, name + ".VlType.VlValue" of the kind the code selects. A code that is no data type, Null
  // or Empty, or a data type whose value entry is missing or malformed, gives the default.
  bool ExchangeTyped(std::string_view name, TypedValue& field, const TypedValue& def);

  // The stored kind a data type's value entry has; nothing for Null, Empty and other codes.
  static std::optional<ValueKind> KindOfTypeCode(std::uint16_t typeCode);

 private:
  PropExchange(PropertySet* out, const PropertySet* in) : out_(out), in_(in) {}

  // The entry of that name when it may hold `kind` (its own kind is that one, or none).
  const StoredValue* Read(std::string_view name, ValueKind kind) const;
  void Write(std::string_view name, ValueKind kind, StoredValue value);
  // Reads an integer of that kind within [lo, hi].
  std::optional<std::int64_t> ReadInteger(std::string_view name, ValueKind kind, std::int64_t lo,
                                          std::int64_t hi) const;
  std::optional<double> ReadReal(std::string_view name, ValueKind kind) const;
  bool ExchangePair(std::string_view name, ValueKind kind, StoredPair& field, std::optional<StoredPair> def);

  template <typename T>
  bool Integer(std::string_view name, ValueKind kind, T& field, std::optional<T> def, std::int64_t lo, std::int64_t hi);

  PropertySet* out_;
  const PropertySet* in_;
};

}  // namespace vl
