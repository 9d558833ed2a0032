// The automation variant: a type code and its payload.
//
// This is the value that crosses every boundary of the component (property writes, events,
// clipboard, persistence). Type codes are the automation variant type numbers, so the numbers a
// host sees are the ones it already knows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vl {

enum class VarType : std::uint16_t {
  Empty = 0,
  Null = 1,
  I2 = 2,        // Integer
  I4 = 3,        // Long
  R4 = 4,        // Single
  R8 = 5,        // Double
  Cy = 6,        // Currency
  Date = 7,      // Date
  Bstr = 8,      // String (CP932 bytes inside the component)
  Dispatch = 9,  // an object
  Error = 10,
  Bool = 11,     // Boolean
  Decimal = 14,
  UI1 = 17,      // Byte
  I8 = 20,
};

// An object reachable through a variant (a caption object, a font, anything the host passes).
class Dispatch {
 public:
  virtual ~Dispatch() = default;
};

// Currency: a signed 64-bit count of ten-thousandths.
struct Currency {
  std::int64_t value = 0;
  friend bool operator==(const Currency&, const Currency&) = default;
};

class Variant {
 public:
  Variant() = default;

  static Variant Empty() { return Variant(); }
  static Variant Null() { return Variant(VarType::Null); }
  static Variant I2(std::int16_t v) { Variant r(VarType::I2); r.int_ = v; return r; }
  static Variant I4(std::int32_t v) { Variant r(VarType::I4); r.int_ = v; return r; }
  static Variant I8(std::int64_t v) { Variant r(VarType::I8); r.int_ = v; return r; }
  static Variant UI1(std::uint8_t v) { Variant r(VarType::UI1); r.int_ = v; return r; }
  static Variant R4(float v) { Variant r(VarType::R4); r.real_ = v; return r; }
  static Variant R8(double v) { Variant r(VarType::R8); r.real_ = v; return r; }
  static Variant Cy(Currency v) { Variant r(VarType::Cy); r.int_ = v.value; return r; }
  static Variant Date(double serial) { Variant r(VarType::Date); r.real_ = serial; return r; }
  static Variant Bstr(std::string cp932) { Variant r(VarType::Bstr); r.str_ = std::move(cp932); return r; }
  // Booleans are 16-bit: 0 is False, anything else True; True is written as -1.
  static Variant Bool(bool v) { Variant r(VarType::Bool); r.int_ = v ? -1 : 0; return r; }
  static Variant BoolRaw(std::int16_t v) { Variant r(VarType::Bool); r.int_ = v; return r; }
  static Variant Error(std::int32_t scode) { Variant r(VarType::Error); r.int_ = scode; return r; }
  static Variant Object(std::shared_ptr<Dispatch> obj) {
    Variant r(VarType::Dispatch);
    r.obj_ = std::move(obj);
    return r;
  }

  VarType Type() const { return type_; }
  bool IsNullOrEmpty() const { return type_ == VarType::Null || type_ == VarType::Empty; }

  std::int16_t AsI2() const { return static_cast<std::int16_t>(int_); }
  std::int32_t AsI4() const { return static_cast<std::int32_t>(int_); }
  std::int64_t AsI8() const { return int_; }
  std::uint8_t AsUI1() const { return static_cast<std::uint8_t>(int_); }
  float AsR4() const { return static_cast<float>(real_); }
  double AsR8() const { return real_; }
  Currency AsCy() const { return Currency{int_}; }
  double AsDate() const { return real_; }
  const std::string& AsBstr() const { return str_; }
  bool AsBool() const { return int_ != 0; }
  std::int16_t AsBoolRaw() const { return static_cast<std::int16_t>(int_); }
  std::int32_t AsError() const { return static_cast<std::int32_t>(int_); }
  const std::shared_ptr<Dispatch>& AsObject() const { return obj_; }

  // Same type and same payload.
  friend bool operator==(const Variant& a, const Variant& b) {
    return a.type_ == b.type_ && a.int_ == b.int_ && a.real_ == b.real_ && a.str_ == b.str_ && a.obj_ == b.obj_;
  }

 private:
  explicit Variant(VarType t) : type_(t) {}

  VarType type_ = VarType::Empty;
  std::int64_t int_ = 0;   // I2, I4, I8, UI1, Bool, Error, Cy (ten-thousandths)
  double real_ = 0;        // R4 (exactly representable float), R8, Date serial
  std::string str_;        // Bstr
  std::shared_ptr<Dispatch> obj_;
};

}  // namespace vl
