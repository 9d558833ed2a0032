#include "value/typed_value.h"

#include <cstdio>
#include <limits>

#include "resources/string_table.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"
#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "runtime/system_colour.h"
#include "value/value_exception.h"

namespace vl {

bool IsDataType(std::uint16_t code) {
  switch (code) {
    case VlTextInteger: case VlTextLong: case VlTextSingle: case VlTextDouble: case VlTextCurrency:
    case VlTextDate: case VlTextString: case VlTextBoolean: case VlTextByte:
      return true;
    default:
      return false;
  }
}

TypeClass ClassifyTypeCode(std::uint16_t code) {
  switch (code) {
    case 0: case 1:
      return TypeClass::Null;
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 11: case 14: case 17:
      return TypeClass::Convertible;
    default:
      return TypeClass::Refused;
  }
}

TypeClass IsTypedValueType(std::uint16_t code) {
  TypeClass c = ClassifyTypeCode(code);
  if (c == TypeClass::Refused) throw AutomationError(kErrInvalidPropertyValue, "");
  return c;
}

TypedValue TypeLowerBound(std::uint16_t type) {
  switch (type) {
    case VlTextInteger: return TypedValue::I2(std::numeric_limits<std::int16_t>::min());
    case VlTextLong: return TypedValue::I4(std::numeric_limits<std::int32_t>::min());
    case VlTextSingle: return TypedValue::R4(std::numeric_limits<float>::lowest());
    case VlTextDouble: return TypedValue::R8(std::numeric_limits<double>::lowest());
    case VlTextCurrency: {
      Currency c;
      ParseCurrency("-922337203685477.5808", c);
      return TypedValue::Cy(c);
    }
    case VlTextDate: return TypedValue::Date(kMinDateSerial);
    case VlTextString: return TypedValue::Bstr("");
    case VlTextBoolean: return TypedValue::Bool(false);
    case VlTextByte: return TypedValue::UI1(0);
    default: return TypedValue::Null();
  }
}

TypedValue TypeUpperBound(std::uint16_t type) {
  switch (type) {
    case VlTextInteger: return TypedValue::I2(std::numeric_limits<std::int16_t>::max());
    case VlTextLong: return TypedValue::I4(std::numeric_limits<std::int32_t>::max());
    case VlTextSingle: return TypedValue::R4(std::numeric_limits<float>::max());
    case VlTextDouble: return TypedValue::R8(std::numeric_limits<double>::max());
    case VlTextCurrency: {
      Currency c;
      ParseCurrency("922337203685477.5807", c);
      return TypedValue::Cy(c);
    }
    case VlTextDate: return TypedValue::Date(kMaxDateSerial);
    case VlTextString: return TypedValue::Bstr("");
    case VlTextBoolean: return TypedValue::Bool(false);
    case VlTextByte: return TypedValue::UI1(255);
    default: return TypedValue::Null();
  }
}

TypedValue TypeZeroValue(std::uint16_t type, const Clock& clock) {
  switch (type) {
    case VlTextInteger: return TypedValue::I2(0);
    case VlTextLong: return TypedValue::I4(0);
    case VlTextSingle: return TypedValue::R4(0);
    case VlTextDouble: return TypedValue::R8(0);
    case VlTextCurrency: return TypedValue::Cy(Currency{0});
    case VlTextDate: return TypedValue::Date(clock.Now());
    case VlTextString: return TypedValue::Bstr("");
    case VlTextBoolean: return TypedValue::Bool(false);
    case VlTextByte: return TypedValue::UI1(0);
    default: return TypedValue::Null();
  }
}

int TypeByteWidth(std::uint16_t type) {
  switch (type) {
    case VlTextInteger: return 2;
    case VlTextLong: return 4;
    case VlTextSingle: return 4;
    case VlTextDouble: return 8;
    case VlTextCurrency: return 8;
    case VlTextDate: return 8;
    case VlTextBoolean: return 2;
    case VlTextByte: return 1;
    default: return 0;
  }
}

int TypeDefaultAlignment(std::uint16_t type) {
  switch (type) {
    case VlTextInteger: case VlTextLong: case VlTextSingle: case VlTextDouble: case VlTextCurrency:
    case VlTextDate: case VlTextByte:
      return 1;
    default:
      return 0;
  }
}

std::uint32_t TypeDefaultBackColor(std::uint16_t type) {
  return type == VlTextBoolean ? kColourButtonFace : kColourWindow;
}

std::uint32_t TypeDefaultForeColor(std::uint16_t) { return kColourWindowText; }

std::string TypeDefaultFormat(std::uint16_t type) {
  return type == VlTextDate ? LoadResourceString(500) : std::string();
}

const char* TypeName(std::uint16_t type) {
  switch (type) {
    case 0: return "Empty";
    case 1: return "Null";
    case VlTextInteger: return "Integer";
    case VlTextLong: return "Long";
    case VlTextSingle: return "Single";
    case VlTextDouble: return "Double";
    case VlTextCurrency: return "Currency";
    case VlTextDate: return "Date";
    case VlTextString: return "String";
    case VlTextBoolean: return "Boolean";
    case VlTextByte: return "Byte";
    default: return "Unknown";
  }
}

void ConvertTypedValue(std::uint16_t type, TypedValue& value, bool keepNull, const Clock& clock) {
  if (value.IsNullOrEmpty()) {
    if (!keepNull) value = TypeZeroValue(type, clock);
    return;
  }
  if (TypeCode(value) == type) return;
  TypedValue converted;
  switch (ChangeType(value, static_cast<VarType>(type), converted)) {
    case CoerceStatus::Ok:
      value = std::move(converted);
      return;
    case CoerceStatus::Overflow:
      ThrowValueError(1100, value, TypedValue(), 0);
    case CoerceStatus::BadVarType:
      ThrowValueError(1101, value, TypedValue(), 0);
    case CoerceStatus::TypeMismatch:
      ThrowValueError(1102, value, TypedValue(), 0);
  }
}

namespace {

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Character by character in the code page: a double-byte character compares as its two-byte
// code, which byte-wise comparison of unsigned bytes gives exactly.
int CompareMbcs(const std::string& a, const std::string& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return Order(a.size(), b.size());
}

}  // namespace

int CompareTypedValues(const TypedValue& a, const TypedValue& b) {
  if (a.Type() != b.Type()) return 0;
  switch (TypeCode(a)) {
    case VlTextInteger: return Order(a.AsI2(), b.AsI2());
    case VlTextLong: return Order(a.AsI4(), b.AsI4());
    case VlTextByte: return Order(a.AsUI1(), b.AsUI1());
    case VlTextSingle: return Order(a.AsR4(), b.AsR4());
    case VlTextDouble: return Order(a.AsR8(), b.AsR8());
    case VlTextDate: return Order(a.AsDate(), b.AsDate());
    case VlTextCurrency: return Order(a.AsCy().value, b.AsCy().value);
    case VlTextString: return CompareMbcs(a.AsBstr(), b.AsBstr());
    default: return 0;
  }
}

std::string TypedValueToText(const TypedValue& value) {
  switch (value.Type()) {
    case VarType::Null:
    case VarType::Empty:
      return "";
    case VarType::Date: {
      double serial = value.AsDate();
      if (auto f = SerialToFields(serial)) {
        char buf[48];
        bool hasTime = serial != static_cast<double>(static_cast<long long>(serial));
        if (hasTime) {
          std::snprintf(buf, sizeof buf, "%d/%02d/%02d %02d:%02d:%02d", f->year, f->month, f->day, f->hour,
                        f->minute, f->second);
        } else {
          std::snprintf(buf, sizeof buf, "%d/%02d/%02d", f->year, f->month, f->day);
        }
        return buf;
      }
      break;
    }
    case VarType::Bool:
      return value.AsBool() ? "True" : "False";
    default:
      break;
  }
  TypedValue text;
  if (ChangeType(value, VarType::Bstr, text) != CoerceStatus::Ok) return "";
  return text.AsBstr();
}

}  // namespace vl
