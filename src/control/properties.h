// The property table: names, dispatch identifiers and the kinds a host exchanges them as.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vl {

enum class PropKind {
  Text,     // CP932 text
  Bool,     // automation boolean
  Int,      // integer (enumerations, lengths, positions)
  Float,    // single-precision number
  Colour,   // 32-bit colour, 0x00BBGGRR or 0x800000nn
  Variant,  // typed value
  Font,     // font object
  Object,   // object reference (data source)
};

struct PropertyInfo {
  std::int32_t dispid;
  const char* name;
  PropKind kind;
};

// Every property of the automation interface but the indexed Captions.
const std::vector<PropertyInfo>& PropertyTable();
const PropertyInfo* FindProperty(std::string_view name);
const PropertyInfo* FindProperty(std::int32_t dispid);

}  // namespace vl
