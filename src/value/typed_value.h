// Typed values: a data type code with its payload, or Null.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/clock.h"
#include "runtime/variant.h"

namespace vl {

using TypedValue = Variant;

// The automation variant type numbers of the nine data types.
enum VlTextDataTypeConstants : std::uint16_t {
  VlTextInteger = 2,
  VlTextLong = 3,
  VlTextSingle = 4,
  VlTextDouble = 5,
  VlTextCurrency = 6,
  VlTextDate = 7,
  VlTextString = 8,
  VlTextBoolean = 11,
  VlTextByte = 17,
};

bool IsDataType(std::uint16_t code);  // one of the nine
inline std::uint16_t TypeCode(const TypedValue& v) { return static_cast<std::uint16_t>(v.Type()); }

enum class TypeClass { Convertible, Null, Refused };

// Convertible: 2-8, 11, 14, 17; Null: 0 and 1; everything else refused.
TypeClass ClassifyTypeCode(std::uint16_t code);
// The same, raising automation error 380 for a refused code.
TypeClass IsTypedValueType(std::uint16_t code);

TypedValue TypeLowerBound(std::uint16_t type);
TypedValue TypeUpperBound(std::uint16_t type);
// Zero of the type; a Date's zero is the clock's current date and time.
TypedValue TypeZeroValue(std::uint16_t type, const Clock& clock);

int TypeByteWidth(std::uint16_t type);
int TypeDefaultAlignment(std::uint16_t type);  // 0 left, 1 right
std::uint32_t TypeDefaultBackColor(std::uint16_t type);
std::uint32_t TypeDefaultForeColor(std::uint16_t type);
std::string TypeDefaultFormat(std::uint16_t type);  // CP932
const char* TypeName(std::uint16_t type);           // "Long", "Null", ...

// Converts `value` in place to `type`. Null and Empty stay when keepNull is set, else become the
// type's zero. Throws CVlValueException (1100 overflow, 1101 bad source, 1102 type mismatch) with
// ErrValue the value before; FallbackValue and the focus window are the caller's to fill in.
void ConvertTypedValue(std::uint16_t type, TypedValue& value, bool keepNull, const Clock& clock);

// -1, 0 or 1; 0 whenever the two are not ordered (different types, Null, String vs Boolean...).
int CompareTypedValues(const TypedValue& a, const TypedValue& b);

// Canonical text: "" for Null, "1998/04/05 13:05:09" for dates, "True"/"False", else the run
// time's text of the value.
std::string TypedValueToText(const TypedValue& value);

}  // namespace vl
