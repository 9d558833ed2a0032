#include "control/prop_exchange.h"

#include <cmath>
#include <limits>

#include "runtime/date_serial.h"

namespace vl {

namespace {

constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

struct TypedKind {
  std::uint16_t code;
  ValueKind kind;
};

// The kind of a typed value's value entry, by type code.
constexpr TypedKind kTypedKinds[] = {
    {VlTextInteger, ValueKind::I16},  {VlTextByte, ValueKind::I16},      {VlTextLong, ValueKind::I32},
    {VlTextSingle, ValueKind::Float}, {VlTextDouble, ValueKind::Double}, {VlTextCurrency, ValueKind::Currency},
    {VlTextDate, ValueKind::Double},  {VlTextString, ValueKind::String}, {VlTextBoolean, ValueKind::Bool},
};

}  // namespace

std::optional<ValueKind> PropExchange::KindOfTypeCode(std::uint16_t typeCode) {
  for (const TypedKind& t : kTypedKinds) {
    if (t.code == typeCode) return t.kind;
  }
  return std::nullopt;
}

const StoredValue* PropExchange::Read(std::string_view name, ValueKind kind) const {
  const PropertyEntry* entry = in_->Find(name);
  if (entry == nullptr) return nullptr;
  if (entry->kind && *entry->kind != kind) return nullptr;  // an entry of another kind is malformed
  return &entry->value;
}

void PropExchange::Write(std::string_view name, ValueKind kind, StoredValue value) {
  out_->Add(PropertyEntry{std::string(name), kind, std::move(value)});
}

std::optional<std::int64_t> PropExchange::ReadInteger(std::string_view name, ValueKind kind, std::int64_t lo,
                                                      std::int64_t hi) const {
  const StoredValue* v = Read(name, kind);
  if (v == nullptr) return std::nullopt;
  std::int64_t n = 0;
  if (const auto* i = std::get_if<std::int64_t>(v)) {
    n = *i;
  } else if (const auto* d = std::get_if<double>(v)) {
    // A whole number written with a point ("7.0") is still that number.
    if (!std::isfinite(*d) || std::trunc(*d) != *d || *d < -9.2e18 || *d > 9.2e18) return std::nullopt;
    n = static_cast<std::int64_t>(*d);
  } else {
    return std::nullopt;
  }
  if (n < lo || n > hi) return std::nullopt;
  return n;
}

std::optional<double> PropExchange::ReadReal(std::string_view name, ValueKind kind) const {
  const StoredValue* v = Read(name, kind);
  if (v == nullptr) return std::nullopt;
  if (const auto* d = std::get_if<double>(v)) {
    if (std::isfinite(*d)) return *d;
  } else if (const auto* i = std::get_if<std::int64_t>(v)) {
    return static_cast<double>(*i);
  }
  return std::nullopt;
}

template <typename T>
bool PropExchange::Integer(std::string_view name, ValueKind kind, T& field, std::optional<T> def, std::int64_t lo,
                           std::int64_t hi) {
  if (!IsLoading()) {
    Write(name, kind, static_cast<std::int64_t>(field));
    return true;
  }
  if (const auto n = ReadInteger(name, kind, lo, hi)) {
    field = static_cast<T>(*n);
    return true;
  }
  if (def) field = *def;
  return false;
}

bool PropExchange::ExchangeU16(std::string_view name, std::uint16_t& field, std::optional<std::uint16_t> def) {
  return Integer(name, ValueKind::U16, field, def, 0, 0xFFFF);
}

bool PropExchange::ExchangeI16(std::string_view name, std::int16_t& field, std::optional<std::int16_t> def) {
  return Integer(name, ValueKind::I16, field, def, -32768, 32767);
}

bool PropExchange::ExchangeI32(std::string_view name, std::int32_t& field, std::optional<std::int32_t> def) {
  return Integer(name, ValueKind::I32, field, def, std::numeric_limits<std::int32_t>::min(),
                 std::numeric_limits<std::int32_t>::max());
}

bool PropExchange::ExchangeCurrency(std::string_view name, std::int64_t& field, std::optional<std::int64_t> def) {
  return Integer(name, ValueKind::Currency, field, def, kInt64Min, kInt64Max);
}

bool PropExchange::ExchangeColour(std::string_view name, std::uint32_t& field, std::optional<std::uint32_t> def) {
  return Integer(name, ValueKind::Colour, field, def, 0, 0xFFFFFFFF);
}

bool PropExchange::ExchangeFloat(std::string_view name, float& field, std::optional<float> def) {
  if (!IsLoading()) {
    Write(name, ValueKind::Float, static_cast<double>(field));
    return true;
  }
  const auto x = ReadReal(name, ValueKind::Float);
  if (x && std::fabs(*x) <= std::numeric_limits<float>::max()) {
    field = static_cast<float>(*x);
    return true;
  }
  if (def) field = *def;
  return false;
}

bool PropExchange::ExchangeDouble(std::string_view name, double& field, std::optional<double> def) {
  if (!IsLoading()) {
    Write(name, ValueKind::Double, field);
    return true;
  }
  if (const auto x = ReadReal(name, ValueKind::Double)) {
    field = *x;
    return true;
  }
  if (def) field = *def;
  return false;
}

bool PropExchange::ExchangeBool(std::string_view name, bool& field, std::optional<bool> def) {
  if (!IsLoading()) {
    Write(name, ValueKind::Bool, field);
    return true;
  }
  const StoredValue* v = Read(name, ValueKind::Bool);
  if (const bool* b = v != nullptr ? std::get_if<bool>(v) : nullptr) {
    field = *b;
    return true;
  }
  if (def) field = *def;
  return false;
}

bool PropExchange::ExchangeString(std::string_view name, std::string& field, std::optional<std::string> def) {
  if (!IsLoading()) {
    Write(name, ValueKind::String, field);
    return true;
  }
  const StoredValue* v = Read(name, ValueKind::String);
  if (const std::string* s = v != nullptr ? std::get_if<std::string>(v) : nullptr) {
    field = *s;
    return true;
  }
  if (def) field = std::move(*def);
  return false;
}

bool PropExchange::ExchangePair(std::string_view name, ValueKind kind, StoredPair& field,
                                std::optional<StoredPair> def) {
  if (!IsLoading()) {
    Write(name, kind, field);
    return true;
  }
  const StoredValue* v = Read(name, kind);
  if (const StoredPair* p = v != nullptr ? std::get_if<StoredPair>(v) : nullptr) {
    field = *p;
    return true;
  }
  if (def) field = *def;
  return false;
}

bool PropExchange::ExchangeVersion(std::string_view name, StoredPair& field, std::optional<StoredPair> def) {
  return ExchangePair(name, ValueKind::Version, field, def);
}

bool PropExchange::ExchangeExtent(std::string_view name, StoredPair& field, std::optional<StoredPair> def) {
  return ExchangePair(name, ValueKind::Extent, field, def);
}

bool PropExchange::ExchangeFont(std::string_view name, FontDesc& field, std::optional<FontDesc> def) {
  if (!IsLoading()) {
    StoredFont f;
    f.name = field.name;
    f.size = static_cast<double>(field.sizeCy) / 10000.0;
    f.bold = field.bold;
    f.italic = field.italic;
    f.underline = field.underline;
    f.strikethrough = field.strikethrough;
    f.weight = field.weight;
    f.charset = field.charset;
    Write(name, ValueKind::Font, f);
    return true;
  }
  const StoredValue* v = Read(name, ValueKind::Font);
  const StoredFont* f = v != nullptr ? std::get_if<StoredFont>(v) : nullptr;
  // Fields left out take the default font's; a field out of its range makes the entry malformed.
  FontDesc desc = def ? *def : field;
  bool good = f != nullptr;
  if (good) {
    if (f->name) desc.name = *f->name;
    if (f->size) {
      good = *f->size > 0 && *f->size <= 2000;
      if (good) desc.sizeCy = std::llround(*f->size * 10000.0);
    }
    if (f->bold) {
      desc.bold = *f->bold;
      desc.weight = desc.bold ? 700 : 400;
    }
    if (f->italic) desc.italic = *f->italic;
    if (f->underline) desc.underline = *f->underline;
    if (f->strikethrough) desc.strikethrough = *f->strikethrough;
    if (f->weight) {
      good = good && *f->weight >= 0 && *f->weight <= 1000;
      if (good) desc.weight = static_cast<std::int16_t>(*f->weight);
    }
    if (f->charset) {
      good = good && *f->charset >= 0 && *f->charset <= 255;
      if (good) desc.charset = static_cast<std::int16_t>(*f->charset);
    }
  }
  if (good) {
    field = desc;
    return true;
  }
  if (def) field = *def;
  return false;
}

bool PropExchange::ExchangeTyped(std::string_view name, TypedValue& field, const TypedValue& def) {
  const std::string typeName = std::string(name) + ".VlType";
  const std::string valueName = typeName + ".VlValue";
  if (!IsLoading()) {
    std::uint16_t code = TypeCode(field);
    const std::optional<ValueKind> kind = KindOfTypeCode(code);
    if (!kind && code != 0) code = 1;  // nothing else is ever held; anything would load as Null
    ExchangeU16(typeName, code, std::nullopt);
    if (!kind) return true;
    switch (code) {
      case VlTextInteger:
        Write(valueName, *kind, static_cast<std::int64_t>(field.AsI2()));
        break;
      case VlTextByte:
        Write(valueName, *kind, static_cast<std::int64_t>(field.AsUI1()));
        break;
      case VlTextLong:
        Write(valueName, *kind, static_cast<std::int64_t>(field.AsI4()));
        break;
      case VlTextSingle:
        Write(valueName, *kind, static_cast<double>(field.AsR4()));
        break;
      case VlTextDouble:
        Write(valueName, *kind, field.AsR8());
        break;
      case VlTextCurrency:
        Write(valueName, *kind, field.AsCy().value);
        break;
      case VlTextDate:
        Write(valueName, *kind, field.AsDate());
        break;
      case VlTextString:
        Write(valueName, *kind, field.AsBstr());
        break;
      case VlTextBoolean:
        Write(valueName, *kind, field.AsBool());
        break;
      default:
        break;
    }
    return true;
  }

  std::uint16_t code = TypeCode(def);
  if (in_->Find(typeName) != nullptr && !ExchangeU16(typeName, code, std::nullopt)) {
    field = def;  // a type entry that is no type code
    return false;
  }
  if (code == 0 || code == 1) {
    field = code == 0 ? TypedValue::Empty() : TypedValue::Null();
    return in_->Find(typeName) != nullptr;
  }
  const std::optional<ValueKind> kind = KindOfTypeCode(code);
  std::optional<TypedValue> read;
  if (kind) {
    switch (code) {
      case VlTextInteger:
        if (auto n = ReadInteger(valueName, *kind, -32768, 32767)) read = TypedValue::I2(static_cast<std::int16_t>(*n));
        break;
      case VlTextByte:
        if (auto n = ReadInteger(valueName, *kind, 0, 255)) read = TypedValue::UI1(static_cast<std::uint8_t>(*n));
        break;
      case VlTextLong:
        if (auto n = ReadInteger(valueName, *kind, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max())) {
          read = TypedValue::I4(static_cast<std::int32_t>(*n));
        }
        break;
      case VlTextSingle: {
        float x = 0;
        if (ExchangeFloat(valueName, x, std::nullopt)) read = TypedValue::R4(x);
        break;
      }
      case VlTextDouble:
        if (auto x = ReadReal(valueName, *kind)) read = TypedValue::R8(*x);
        break;
      case VlTextCurrency:
        if (auto n = ReadInteger(valueName, *kind, kInt64Min, kInt64Max)) read = TypedValue::Cy(Currency{*n});
        break;
      case VlTextDate:
        if (auto x = ReadReal(valueName, *kind); x && IsValidDateSerial(*x)) read = TypedValue::Date(*x);
        break;
      case VlTextString: {
        std::string s;
        if (ExchangeString(valueName, s, std::nullopt)) read = TypedValue::Bstr(std::move(s));
        break;
      }
      case VlTextBoolean: {
        bool b = false;
        if (ExchangeBool(valueName, b, std::nullopt)) read = TypedValue::Bool(b);
        break;
      }
      default:
        break;
    }
  }
  if (!read) {
    field = def;
    return false;
  }
  field = std::move(*read);
  return true;
}

}  // namespace vl
