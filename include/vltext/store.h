// A box's persisted property set (its store): named, typed entries in exchange order, as saving
// writes them and loading reads them. On disk a store is a JSON file; a whole form is a JSON file
// of its boxes' names, rectangles and stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vl {
inline namespace v1 {

// A font entry; a field left out takes the font's default.
struct StoreFont {
  std::optional<std::string> name;  // UTF-8
  std::optional<double> size;       // points
  std::optional<bool> bold, italic, underline, strikethrough;
  std::optional<std::int64_t> weight, charset;
  friend bool operator==(const StoreFont&, const StoreFont&) = default;
};

// {major, minor} of a version entry, {width, height} (HIMETRIC) of an extent.
struct StorePair {
  std::int64_t first = 0;
  std::int64_t second = 0;
  friend bool operator==(const StorePair&, const StorePair&) = default;
};

// What an entry holds: integers of every kind as one 64-bit integer, texts in UTF-8, and
// std::monostate for a value that could not be taken at all (loading gives the entry its
// default).
using StoreValue = std::variant<std::monostate, std::int64_t, double, bool, std::string, StoreFont, StorePair>;

struct StoreEntry {
  std::string name;                 // "Version", "DataType", "Value.VlType", ...
  std::optional<std::string> kind;  // "u16", "i16", "i32", "float", "double", "currency", "bool",
                                    // "string", "colour", "font", "version", "extent"; nothing
                                    // when the entry names none
  StoreValue value;
  friend bool operator==(const StoreEntry&, const StoreEntry&) = default;
};

// A box's store, entries in exchange order. An entry whose value does not fit its kind is
// malformed: it takes its default, and the rest of the store is used.
using PropertyStore = std::vector<StoreEntry>;

}  // namespace v1
}  // namespace vl
