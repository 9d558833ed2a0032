// Typed values in Lua: vl.Null, vl.Integer(n), ... and the conversions at the host boundary.
#include <cmath>
#include <cstdlib>
#include <limits>

#include "script/lua_internal.h"

namespace vl::script {

namespace {

constexpr const char* kValueMeta = "vl.Value";

vl::TypedValue* TestValue(lua_State* L, int index) {
  return static_cast<vl::TypedValue*>(luaL_testudata(L, index, kValueMeta));
}

bool IsUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

int ValueGc(lua_State* L) {
  if (vl::TypedValue* v = TestValue(L, 1)) v->~TypedValue();
  return 0;
}

int ValueIndex(lua_State* L) {
  return Guarded(L, [&] {
    const vl::TypedValue& v = *TestValue(L, 1);
    const char* key = lua_tostring(L, 2);
    const std::string k = key != nullptr ? key : "";
    if (k == "type") {
      lua_pushinteger(L, static_cast<lua_Integer>(v.Type()));
    } else if (k == "typename") {
      lua_pushstring(L, v.TypeName());
    } else if (k == "value") {
      PushPlain(L, v);
    } else {
      lua_pushnil(L);
    }
    return 1;
  });
}

int ValueToString(lua_State* L) {
  return Guarded(L, [&] {
    const std::string text = TestValue(L, 1)->ToText();
    lua_pushlstring(L, text.data(), text.size());
    return 1;
  });
}

int ValueEq(lua_State* L) {
  const vl::TypedValue* a = TestValue(L, 1);
  const vl::TypedValue* b = TestValue(L, 2);
  lua_pushboolean(L, a != nullptr && b != nullptr && *a == *b);
  return 1;
}

lua_Integer CheckInteger(lua_State* L, int index, lua_Integer lo, lua_Integer hi, const char* what) {
  int isInt = 0;
  const lua_Integer n = lua_tointegerx(L, index, &isInt);
  if (!isInt) throw ScriptError(std::string(what) + ": an integer is expected");
  if (n < lo || n > hi) throw ScriptError(std::string(what) + ": " + std::to_string(n) + " is out of range");
  return n;
}

double CheckNumber(lua_State* L, int index, const char* what) {
  int isNum = 0;
  const double x = lua_tonumberx(L, index, &isNum);
  if (!isNum) throw ScriptError(std::string(what) + ": a number is expected");
  return x;
}

int NewInteger(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L,
                   vl::TypedValue::Integer(static_cast<std::int16_t>(CheckInteger(L, 1, -32768, 32767, "vl.Integer"))));
    return 1;
  });
}

int NewLong(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(
        L, vl::TypedValue::Long(static_cast<std::int32_t>(CheckInteger(
               L, 1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), "vl.Long"))));
    return 1;
  });
}

int NewByte(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, vl::TypedValue::Byte(static_cast<std::uint8_t>(CheckInteger(L, 1, 0, 255, "vl.Byte"))));
    return 1;
  });
}

int NewSingle(lua_State* L) {
  return Guarded(L, [&] {
    const double x = CheckNumber(L, 1, "vl.Single");
    if (std::isfinite(x) && std::fabs(x) > std::numeric_limits<float>::max())
      throw ScriptError("vl.Single: out of range");
    PushTypedValue(L, vl::TypedValue::Single(static_cast<float>(x)));
    return 1;
  });
}

int NewDouble(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, vl::TypedValue::Double(CheckNumber(L, 1, "vl.Double")));
    return 1;
  });
}

int NewCurrency(lua_State* L) {
  return Guarded(L, [&] {
    try {
      if (lua_type(L, 1) == LUA_TSTRING) {
        PushTypedValue(L, vl::TypedValue::Currency(lua_tostring(L, 1)));
      } else {
        // A number converts as an automation client converts a Double: half to even at four decimals.
        PushTypedValue(
            L, vl::ConvertValue(vl::TypedValue::Double(CheckNumber(L, 1, "vl.Currency")), vl::DataType::Currency));
      }
    } catch (const vl::Error& e) {
      throw ScriptError(e.Code() == 6 ? "vl.Currency: out of range" : "vl.Currency: not a number");
    }
    return 1;
  });
}

int NewDate(lua_State* L) {
  return Guarded(L, [&] {
    if (lua_type(L, 1) == LUA_TSTRING) {
      try {
        PushTypedValue(L, vl::TypedValue::Date(std::string_view(lua_tostring(L, 1))));
      } catch (const vl::Error&) {
        throw ScriptError(std::string("vl.Date: not a date: ") + lua_tostring(L, 1));
      }
      return 1;
    }
    int f[6] = {0, 1, 1, 0, 0, 0};
    for (int i = 0; i < 6; ++i) {
      if (i < 3 || !lua_isnoneornil(L, i + 1))
        f[i] = static_cast<int>(CheckInteger(L, i + 1, -100000, 100000, "vl.Date"));
    }
    try {
      PushTypedValue(L, vl::TypedValue::Date(f[0], f[1], f[2], f[3], f[4], f[5]));
    } catch (const vl::Error&) {
      throw ScriptError("vl.Date: not a valid date");
    }
    return 1;
  });
}

int NewDateSerial(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, vl::TypedValue::DateSerial(CheckNumber(L, 1, "vl.DateSerial")));
    return 1;
  });
}

int NewString(lua_State* L) {
  return Guarded(L, [&] {
    if (lua_type(L, 1) != LUA_TSTRING) throw ScriptError("vl.String: a string is expected");
    PushTypedValue(L, ToValue(L, 1));
    return 1;
  });
}

int NewBoolean(lua_State* L) {
  PushTypedValue(L, vl::TypedValue::Boolean(lua_toboolean(L, 1) != 0));
  return 1;
}

}  // namespace

std::string CurrencyText(std::int64_t units) {
  const bool negative = units < 0;
  // The magnitude as unsigned, so the most negative value has one too.
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  std::string text = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return negative ? "-" + text : text;
}

std::string CheckUtf8(lua_State* L, int index, const std::string& what) {
  if (lua_type(L, index) != LUA_TSTRING) throw HostError{kErrTypeMismatch, what + " is expected"};
  std::size_t n = 0;
  const char* s = lua_tolstring(L, index, &n);
  std::string text(s, n);
  if (!IsUtf8(text)) throw HostError{kErrTypeMismatch, what + " is not UTF-8 text"};
  return text;
}

void PushTypedValue(lua_State* L, const vl::TypedValue& v) {
  void* mem = lua_newuserdatauv(L, sizeof(vl::TypedValue), 0);
  new (mem) vl::TypedValue(v);
  luaL_setmetatable(L, kValueMeta);
}

bool IsValue(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TNIL:
    case LUA_TNONE:
    case LUA_TBOOLEAN:
    case LUA_TNUMBER:
    case LUA_TSTRING:
      return true;
    case LUA_TUSERDATA:
      return TestValue(L, index) != nullptr;
    default:
      return false;
  }
}

vl::TypedValue ToValue(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TNIL:
    case LUA_TNONE:
      return vl::TypedValue::Empty();
    case LUA_TBOOLEAN:
      return vl::TypedValue::Boolean(lua_toboolean(L, index) != 0);
    case LUA_TNUMBER: {
      if (lua_isinteger(L, index)) {
        const lua_Integer n = lua_tointeger(L, index);
        if (n >= -32768 && n <= 32767) return vl::TypedValue::Integer(static_cast<std::int16_t>(n));
        if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max()) {
          return vl::TypedValue::Long(static_cast<std::int32_t>(n));
        }
        return vl::TypedValue::Double(static_cast<double>(n));
      }
      return vl::TypedValue::Double(lua_tonumber(L, index));
    }
    case LUA_TSTRING: {
      std::size_t n = 0;
      const char* s = lua_tolstring(L, index, &n);
      return vl::TypedValue::String(std::string(s, n));
    }
    case LUA_TUSERDATA:
      if (const vl::TypedValue* v = TestValue(L, index)) return *v;
      break;
    default:
      break;
  }
  return vl::TypedValue::Object();
}

void PushPlain(lua_State* L, const vl::TypedValue& v) {
  switch (v.Type()) {
    case vl::DataType::Empty:
    case vl::DataType::Null:
    case vl::DataType::Object:
      lua_pushnil(L);
      break;
    case vl::DataType::Boolean:
      lua_pushboolean(L, v.AsBoolean());
      break;
    case vl::DataType::Integer:
    case vl::DataType::Long:
    case vl::DataType::Byte:
      lua_pushinteger(L, v.AsInteger());
      break;
    case vl::DataType::Single:
    case vl::DataType::Double:
    case vl::DataType::Date:
      lua_pushnumber(L, v.AsDouble());
      break;
    case vl::DataType::Currency:
      lua_pushstring(L, CurrencyText(v.AsInteger()).c_str());
      break;
    case vl::DataType::String:
      lua_pushlstring(L, v.AsString().data(), v.AsString().size());
      break;
  }
}

void OpenValues(lua_State* L) {
  luaL_newmetatable(L, kValueMeta);
  lua_pushcfunction(L, ValueGc);
  lua_setfield(L, -2, "__gc");
  lua_pushcfunction(L, ValueIndex);
  lua_setfield(L, -2, "__index");
  lua_pushcfunction(L, ValueToString);
  lua_setfield(L, -2, "__tostring");
  lua_pushcfunction(L, ValueEq);
  lua_setfield(L, -2, "__eq");
  lua_pop(L, 1);

  PushTypedValue(L, vl::TypedValue::Null());
  lua_setfield(L, -2, "Null");
  PushTypedValue(L, vl::TypedValue::Empty());
  lua_setfield(L, -2, "Empty");
  const luaL_Reg ctors[] = {
      {"Integer", NewInteger}, {"Long", NewLong},         {"Byte", NewByte},  {"Single", NewSingle},
      {"Double", NewDouble},   {"Currency", NewCurrency}, {"Date", NewDate},  {"DateSerial", NewDateSerial},
      {"String", NewString},   {"Boolean", NewBoolean},   {nullptr, nullptr},
  };
  luaL_setfuncs(L, ctors, 0);
}

}  // namespace vl::script
