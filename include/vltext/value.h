// vl::TypedValue: a value of one of the box's nine data types, Null or Empty, with UTF-8 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl {
inline namespace v1 {

// The data type codes (the automation variant numbers a box's DataType uses).
enum class DataType : std::uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,  // an object reference of the caller's own: no box holds one
  Boolean = 11,
  Byte = 17,
};

// "Integer", "Long", ... "Null", "Empty"; nullptr for a code that is none of them.
const char* DataTypeName(DataType type) noexcept;
// One of the nine types a box can hold (not Null, not Empty).
bool IsBoxDataType(DataType type) noexcept;

class TypedValue {
 public:
  TypedValue() = default;  // Empty

  static TypedValue Empty() { return TypedValue(); }
  static TypedValue Null() { return TypedValue(DataType::Null); }
  static TypedValue Integer(std::int16_t v) { return Whole(DataType::Integer, v); }
  static TypedValue Long(std::int32_t v) { return Whole(DataType::Long, v); }
  static TypedValue Byte(std::uint8_t v) { return Whole(DataType::Byte, v); }
  static TypedValue Boolean(bool v) { return Whole(DataType::Boolean, v ? -1 : 0); }
  // A Single holds a float's value exactly.
  static TypedValue Single(float v) { return Real(DataType::Single, static_cast<double>(v)); }
  static TypedValue Double(double v) { return Real(DataType::Double, v); }
  // Currency from its count of ten-thousandths (12.5 is 125000).
  static TypedValue CurrencyUnits(std::int64_t tenThousandths) { return Whole(DataType::Currency, tenThousandths); }
  // Currency from a decimal text ("-12.3456", "1,234.5"), exact to four decimals. Throws Error
  // 13 for a text that is no number and 6 for one out of range.
  static TypedValue Currency(std::string_view decimalText);
  // A date from its serial (days since 1899-12-30, the fraction the time of day).
  static TypedValue DateSerial(double serial) { return Real(DataType::Date, serial); }
  // A date from calendar fields; throws Error 5 for a date that does not exist.
  static TypedValue Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  // A date read from a text such as "2026/12/06 09:30:00" (UTF-8); throws Error 13 when it is none.
  static TypedValue Date(std::string_view utf8Text);
  // An object reference the caller hands over (a script's table, another program's object):
  // writing it where the component wants a value is refused as the component refuses objects.
  static TypedValue Object() { return TypedValue(DataType::Object); }
  static TypedValue String(std::string utf8) {
    TypedValue v(DataType::String);
    v.text_ = std::move(utf8);
    return v;
  }

  DataType Type() const noexcept { return type_; }
  const char* TypeName() const noexcept { return DataTypeName(type_); }
  bool IsNull() const noexcept { return type_ == DataType::Null; }
  bool IsEmpty() const noexcept { return type_ == DataType::Empty; }

  // Integer, Long, Byte and Boolean (-1 or 0); Currency as its ten-thousandths.
  std::int64_t AsInteger() const noexcept { return whole_; }
  // Single, Double and Date (its serial); the whole types as their number.
  double AsDouble() const noexcept;
  bool AsBoolean() const noexcept { return whole_ != 0; }
  // String's UTF-8 text (empty for other types; ToText gives every type's text).
  const std::string& AsString() const noexcept { return text_; }
  // The canonical text of the value: "" for Null and Empty, "2026/12/06 09:30:00" for a date,
  // "True"/"False", "12.5" for Currency 12.5, else the number's plain text.
  std::string ToText() const;

  // Same type and same payload.
  friend bool operator==(const TypedValue& a, const TypedValue& b) noexcept {
    return a.type_ == b.type_ && a.whole_ == b.whole_ && a.real_ == b.real_ && a.text_ == b.text_;
  }

 private:
  explicit TypedValue(DataType type) : type_(type) {}
  static TypedValue Whole(DataType type, std::int64_t v) {
    TypedValue r(type);
    r.whole_ = v;
    return r;
  }
  static TypedValue Real(DataType type, double v) {
    TypedValue r(type);
    r.real_ = v;
    return r;
  }

  DataType type_ = DataType::Empty;
  std::int64_t whole_ = 0;
  double real_ = 0;
  std::string text_;
};

// The value converted to `type` as an automation client converts it (text to number, number to
// text, rounding half to even). Throws Error 13 when it does not convert and 6 when it is out of
// the type's range.
TypedValue ConvertValue(const TypedValue& value, DataType type);

}  // namespace v1
}  // namespace vl
