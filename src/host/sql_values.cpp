#include "host/sql_values.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/automation_error.h"
#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"
#include "value/typed_value.h"
#include "value/value_exception.h"

namespace vl {

namespace {

struct DeclaredName {
  const char* name;
  std::uint16_t dataType;
  bool hasWidth;
};

constexpr DeclaredName kTypeNames[] = {
    {"smallint", VlTextInteger, false}, {"int", VlTextLong, false},       {"integer", VlTextLong, false},
    {"single", VlTextSingle, false},    {"real", VlTextDouble, false},    {"double", VlTextDouble, false},
    {"float", VlTextDouble, false},     {"currency", VlTextCurrency, false}, {"money", VlTextCurrency, false},
    {"date", VlTextDate, false},        {"datetime", VlTextDate, false},  {"time", VlTextDate, false},
    {"varchar", VlTextString, true},    {"char", VlTextString, true},     {"text", VlTextString, false},
    {"boolean", VlTextBoolean, false},  {"bit", VlTextBoolean, false},    {"tinyint", VlTextByte, false},
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Reads exactly `count` ASCII digits at `at`.
bool Digits(std::string_view s, std::size_t at, std::size_t count, int& out) {
  if (at + count > s.size()) return false;
  out = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

// "HH:MM" or "HH:MM:SS" from `at` to the end.
bool ReadTime(std::string_view s, std::size_t at, int& h, int& m, int& sec) {
  sec = 0;
  if (!Digits(s, at, 2, h) || at + 2 >= s.size() || s[at + 2] != ':' || !Digits(s, at + 3, 2, m)) return false;
  if (s.size() == at + 5) return true;
  return s.size() == at + 8 && s[at + 5] == ':' && Digits(s, at + 6, 2, sec);
}

[[noreturn]] void NoCp932Form(std::string_view utf8) {
  std::string shown;
  for (unsigned char c : utf8) shown += c < 0x80 ? static_cast<char>(c) : ((c & 0xC0) != 0x80 ? '?' : '\0');
  std::erase(shown, '\0');
  ThrowValueError(1102, TypedValue::Bstr(shown), TypedValue::Null(), 0);
}

}  // namespace

DeclaredType MapDeclaredType(std::string_view declType) {
  std::string lower;
  for (char c : Trim(declType)) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string_view text = lower;
  std::string_view base = text;
  std::string_view args;
  if (const std::size_t open = text.find('('); open != std::string_view::npos) {
    base = Trim(text.substr(0, open));
    const std::size_t close = text.find(')', open);
    args = Trim(text.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
  }
  for (const DeclaredName& t : kTypeNames) {
    if (base != t.name) continue;
    DeclaredType out{t.dataType, 0};
    if (t.hasWidth) {
      std::int64_t n = 0;
      const auto [end, ec] = std::from_chars(args.data(), args.data() + args.size(), n);
      if (ec == std::errc() && end == args.data() + args.size() && n > 0) {
        out.length = static_cast<std::int32_t>(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
      }
    }
    return out;
  }
  return DeclaredType{VlTextString, 0};
}

std::string ShortestDecimal(double value) {
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

std::optional<std::string> DateSerialToIso(double serial) {
  const auto f = SerialToFields(serial);
  if (!f) return std::nullopt;
  const auto back = FieldsToSerial(f->year, f->month, f->day, f->hour, f->minute, f->second);
  if (!back || *back != serial) return std::nullopt;
  char buf[32];
  if (f->hour == 0 && f->minute == 0 && f->second == 0) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", f->year, f->month, f->day);
  } else {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", f->year, f->month, f->day, f->hour, f->minute,
                  f->second);
  }
  return std::string(buf);
}

std::optional<double> IsoToDateSerial(std::string_view text) {
  const std::string_view s = Trim(text);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
  if (s.size() >= 5 && s[2] == ':') {
    if (!ReadTime(s, 0, h, mi, sec)) return std::nullopt;
    return FieldsToSerial(1899, 12, 30, h, mi, sec);
  }
  if (!Digits(s, 0, 4, y) || s.size() < 10 || s[4] != '-' || !Digits(s, 5, 2, mo) || s[7] != '-' ||
      !Digits(s, 8, 2, d)) {
    return std::nullopt;
  }
  if (s.size() > 10) {
    if ((s[10] != ' ' && s[10] != 'T') || !ReadTime(s, 11, h, mi, sec)) return std::nullopt;
  }
  return FieldsToSerial(y, mo, d, h, mi, sec);
}

Variant SqlToVariant(const SqlValue& value, std::uint16_t columnType) {
  switch (value.kind) {
    case SqlValue::Kind::Null: return Variant::Null();
    case SqlValue::Kind::Integer: {
      const std::int64_t n = value.integer;
      if (columnType == VlTextBoolean) return Variant::Bool(n != 0);
      if (columnType == VlTextCurrency) {
        constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10000;
        if (n >= -kLimit && n <= kLimit) return Variant::Cy(Currency{n * 10000});
        return Variant::R8(static_cast<double>(n));
      }
      if (columnType == VlTextDate && IsValidDateSerial(static_cast<double>(n))) {
        return Variant::Date(static_cast<double>(n));
      }
      if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max()) {
        return Variant::I4(static_cast<std::int32_t>(n));
      }
      return Variant::I8(n);
    }
    case SqlValue::Kind::Real: {
      const double x = value.real;
      if (columnType == VlTextCurrency) {
        // A REAL holds the decimal text it was stored from as its shortest form.
        Currency c;
        if (ParseCurrency(ShortestDecimal(x), c) == CurrencyParse::Ok) return Variant::Cy(c);
      }
      if (columnType == VlTextDate && IsValidDateSerial(x)) return Variant::Date(x);
      return Variant::R8(x);
    }
    case SqlValue::Kind::Text:
    case SqlValue::Kind::Blob: {
      std::string text;
      if (!TryUtf8ToCp932(value.bytes, text)) NoCp932Form(value.bytes);
      if (columnType == VlTextCurrency) {
        Currency c;
        if (ParseCurrency(text, c) == CurrencyParse::Ok) return Variant::Cy(c);
      }
      if (columnType == VlTextDate) {
        if (const auto serial = IsoToDateSerial(text)) return Variant::Date(*serial);
      }
      return Variant::Bstr(std::move(text));
    }
  }
  return Variant::Null();
}

SqlValue VariantToSql(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null: return SqlValue::Null();
    case VarType::I2:
    case VarType::I4:
    case VarType::I8:
    case VarType::UI1: return SqlValue::Integer(value.AsI8());
    case VarType::Bool: return SqlValue::Integer(value.AsBool() ? 1 : 0);
    case VarType::R4:
    case VarType::R8: return SqlValue::Real(value.AsR8());
    case VarType::Cy: return SqlValue::Text(CurrencyToText(value.AsCy()));
    case VarType::Date: {
      if (auto iso = DateSerialToIso(value.AsDate())) return SqlValue::Text(std::move(*iso));
      return SqlValue::Real(value.AsDate());
    }
    case VarType::Bstr: {
      std::string utf8;
      if (!TryCp932ToUtf8(value.AsBstr(), utf8)) throw AutomationError(kErrValueNotKept, "the text is not valid CP932");
      return SqlValue::Text(std::move(utf8));
    }
    default: throw AutomationError(kErrTypeMismatch, "");
  }
}

}  // namespace vl
