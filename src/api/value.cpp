// Typed values at the public boundary: construction from texts and fields, the canonical text,
// and the conversions to and from the component's variants.
#include <cmath>

#include "resources/string_table.h"
#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"
#include "value/typed_value.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

namespace detail {

namespace {

// An object the component does not know: it refuses it wherever it wants a value or its own.
class ForeignObject : public Dispatch {};

}  // namespace

std::string ToCp932(std::string_view utf8) {
  std::string out;
  if (!TryUtf8ToCp932(utf8, out)) Throw(380, ToUtf8(LoadResourceString(1102)));
  return out;
}

// Text cut inside a character, or bytes that are no CP932 character, have no UTF-8 form: what
// converts is shown, the rest as U+FFFD, as the Lua host shows it.
std::string ToUtf8(const std::string& cp932) { return Cp932ToUtf8ForDisplay(cp932); }

HostVariant ToHost(const TypedValue& v) {
  switch (v.Type()) {
    case DataType::Empty:
      return HostVariant::Empty();
    case DataType::Null:
      return HostVariant::Null();
    case DataType::Integer:
      return HostVariant::I2(static_cast<std::int16_t>(v.AsInteger()));
    case DataType::Long:
      return HostVariant::I4(static_cast<std::int32_t>(v.AsInteger()));
    case DataType::Byte:
      return HostVariant::UI1(static_cast<std::uint8_t>(v.AsInteger()));
    case DataType::Boolean:
      return HostVariant::Bool(v.AsBoolean());
    case DataType::Single:
      return HostVariant::R4(static_cast<float>(v.AsDouble()));
    case DataType::Double:
      return HostVariant::R8(v.AsDouble());
    case DataType::Currency:
      return HostVariant::Cy(::vl::Currency{v.AsInteger()});
    case DataType::Date:
      return HostVariant::Date(v.AsDouble());
    case DataType::String:
      return HostVariant::Bstr(ToCp932(v.AsString()));
    case DataType::Object:
      return HostVariant::Object(std::make_shared<ForeignObject>());
  }
  return HostVariant::Empty();
}

TypedValue FromHost(const HostVariant& v) {
  switch (v.Type()) {
    case VarType::Null:
      return TypedValue::Null();
    case VarType::I2:
      return TypedValue::Integer(v.AsI2());
    case VarType::I4:
      return TypedValue::Long(v.AsI4());
    case VarType::UI1:
      return TypedValue::Byte(v.AsUI1());
    case VarType::Bool:
      return TypedValue::Boolean(v.AsBool());
    case VarType::R4:
      return TypedValue::Single(v.AsR4());
    case VarType::R8:
      return TypedValue::Double(v.AsR8());
    // Wider integers (colours written by a host) read back as numbers.
    case VarType::I8:
      return TypedValue::Double(static_cast<double>(v.AsI8()));
    case VarType::Cy:
      return TypedValue::CurrencyUnits(v.AsCy().value);
    case VarType::Date:
      return TypedValue::DateSerial(v.AsDate());
    case VarType::Bstr:
      return TypedValue::String(ToUtf8(v.AsBstr()));
    default:
      return TypedValue::Empty();
  }
}

Error ToError(const AutomationError& e) { return Error(e.Code(), ToUtf8(e.Message())); }

void Throw(std::int32_t code, const std::string& utf8Message) {
  throw Error(code, utf8Message.empty() ? StandardErrorDescription(code) : utf8Message);
}

}  // namespace detail

const char* DataTypeName(DataType type) noexcept {
  switch (type) {
    case DataType::Empty:
      return "Empty";
    case DataType::Null:
      return "Null";
    case DataType::Integer:
      return "Integer";
    case DataType::Long:
      return "Long";
    case DataType::Single:
      return "Single";
    case DataType::Double:
      return "Double";
    case DataType::Currency:
      return "Currency";
    case DataType::Date:
      return "Date";
    case DataType::String:
      return "String";
    case DataType::Boolean:
      return "Boolean";
    case DataType::Byte:
      return "Byte";
    case DataType::Object:
      return "Object";
  }
  return nullptr;
}

bool IsBoxDataType(DataType type) noexcept { return IsDataType(static_cast<std::uint16_t>(type)); }

TypedValue TypedValue::Currency(std::string_view decimalText) {
  ::vl::Currency c;
  switch (ParseCurrency(decimalText, c)) {
    case CurrencyParse::Ok:
      return CurrencyUnits(c.value);
    case CurrencyParse::Overflow:
      detail::Throw(6, "");
    default:
      detail::Throw(13, "");
  }
}

TypedValue TypedValue::Date(int year, int month, int day, int hour, int minute, int second) {
  const auto serial = FieldsToSerial(year, month, day, hour, minute, second);
  if (!serial) detail::Throw(5, "not a valid date");
  return DateSerial(*serial);
}

TypedValue TypedValue::Date(std::string_view utf8Text) {
  std::string cp932;
  const auto serial = TryUtf8ToCp932(utf8Text, cp932) ? ParseDateText(cp932) : std::nullopt;
  if (!serial) detail::Throw(13, "not a date: " + std::string(utf8Text));
  return DateSerial(*serial);
}

double TypedValue::AsDouble() const noexcept {
  switch (type_) {
    case DataType::Single:
    case DataType::Double:
    case DataType::Date:
      return real_;
    case DataType::Currency:
      return static_cast<double>(whole_) / 10000.0;
    default:
      return static_cast<double>(whole_);
  }
}

std::string TypedValue::ToText() const {
  if (type_ == DataType::String) return text_;
  return detail::ToUtf8(TypedValueToText(detail::ToHost(*this)));
}

}  // namespace vl::v1
