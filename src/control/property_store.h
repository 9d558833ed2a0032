// A box's persisted property set: named entries, each of one value kind, in exchange order.
//
// The store holds what a reader found, as found: an entry whose value does not fit its kind is
// kept as it is, so the exchange can give that one entry its default and go on with the rest.
// Texts inside the store are CP932; the readers at the host boundary convert them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace vl {

enum class ValueKind { Version, Extent, U16, I16, I32, Float, Double, Currency, Bool, String, Colour, Font, Unknown };

// "version", "extent", "u16", ... ("?" for Unknown).
const char* ValueKindName(ValueKind kind);
// The kind of a name; Unknown for a name that is no kind.
ValueKind ValueKindFromName(std::string_view name);

// A font entry as stored; a field left out takes the font's default.
struct StoredFont {
  std::optional<std::string> name;  // CP932
  std::optional<double> size;       // points
  std::optional<bool> bold, italic, underline, strikethrough;
  std::optional<std::int64_t> weight, charset;
  friend bool operator==(const StoredFont&, const StoredFont&) = default;
};

// {major, minor} of a version, {width, height} of an extent.
struct StoredPair {
  std::int64_t first = 0;
  std::int64_t second = 0;
  friend bool operator==(const StoredPair&, const StoredPair&) = default;
};

// What an entry holds. Integers of every kind are one 64-bit integer; std::monostate stands for
// a value the reader could not take at all (a table where a number belongs, a broken text).
using StoredValue = std::variant<std::monostate, std::int64_t, double, bool, std::string, StoredFont, StoredPair>;

struct PropertyEntry {
  std::string name;
  std::optional<ValueKind> kind;  // nothing when the entry names no kind
  StoredValue value;
  friend bool operator==(const PropertyEntry&, const PropertyEntry&) = default;
};

// The in-memory store. Entries keep the order they were added in; a name that repeats is found
// at its first entry.
class PropertySet {
 public:
  void Add(PropertyEntry entry);
  const std::vector<PropertyEntry>& Entries() const { return entries_; }
  const PropertyEntry* Find(std::string_view name) const;
  bool Empty() const { return entries_.empty(); }
  friend bool operator==(const PropertySet& a, const PropertySet& b) { return a.entries_ == b.entries_; }

 private:
  std::vector<PropertyEntry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace vl
