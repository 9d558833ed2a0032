// One-off display texts and the component's reference data, without a form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vltext/value.h"

namespace vl {
inline namespace v1 {

// The text a box of data type `type` shows for `value` through `format` while it does not have
// the focus (UTF-8 in and out). `type` defaults to the value's own; a Null value needs it. The
// value is converted to the type first. `eraProfile` names an era profile file whose eras join
// the built-in ones, as a box's EraProfile does (a missing or bad file leaves the built-in ones).
// Throws Error 380 when the type is none of the nine or the value cannot be converted, and when
// the format holds a character the box cannot hold.
std::string FormatValue(const TypedValue& value, std::string_view format, DataType type = DataType::Empty,
                        const std::string& eraProfile = {});

// An entry of the component's string table (preset formats 500-648, messages 1000-1500), UTF-8.
std::optional<std::string> ResourceString(std::int32_t id);

// The enumeration constants of the type library, by their own names ("VlTextLong" = 3, ...).
struct NamedConstant {
  const char* name;
  std::int32_t value;
};
const std::vector<NamedConstant>& TypeLibraryConstants();

// How a property of the automation interface is read and written by name.
enum class PropertyKind {
  Text,     // String
  Boolean,  // Boolean
  Integer,  // Integer or Long (enumerations, lengths, positions)
  Float,    // Single
  Colour,   // Long holding 0x00BBGGRR or 0x800000nn (write larger values as a Double)
  Value,    // a typed value of the box's data type (Value, LowerValue, UpperValue, DefaultValue)
  Font,     // the font object: Box::Font()
  Object,   // an object reference (DataSource)
};

struct PropertyDescriptor {
  const char* name;
  std::int32_t dispid;
  PropertyKind kind;
};

// Every property of the automation interface but the indexed Captions, in dispatch order.
const std::vector<PropertyDescriptor>& Properties();
// The property of that name (case as documented), or nullptr.
const PropertyDescriptor* FindProperty(std::string_view name);
const PropertyDescriptor* FindProperty(std::int32_t dispid);

// The events a box raises, by name: "Change", "Click", ..., "UserCheckValue".
const std::vector<std::string>& EventNames();

// The user's reference of the component as Markdown (UTF-8): every property with its kind,
// default, access, description and errors, every event with its parameters, the methods, the
// constant groups and the string table, written from the tables the component runs on.
// `vltext reference` prints it; docs/reference.md is this text.
std::string ReferenceMarkdown();

}  // namespace v1
}  // namespace vl
