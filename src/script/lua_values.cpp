// Typed values in Lua: vl.Null, vl.Integer(n), ... and the conversions at the host boundary.
#include <cmath>
#include <limits>

#include "resources/string_table.h"
#include "runtime/coerce.h"
#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "script/lua_internal.h"
#include "text/encoding.h"
#include "value/typed_value.h"

namespace vl::script {

namespace {

constexpr const char* kValueMeta = "vl.Value";

// Anything a script hands over that is no value of the component (a table, a function).
class ForeignObject : public Dispatch {};

Variant* CheckValue(lua_State* L, int index) {
  return static_cast<Variant*>(luaL_testudata(L, index, kValueMeta));
}

int ValueGc(lua_State* L) {
  if (Variant* v = CheckValue(L, 1)) v->~Variant();
  return 0;
}

int ValueIndex(lua_State* L) {
  return Guarded(L, [&] {
    const Variant& v = *CheckValue(L, 1);
    const char* key = lua_tostring(L, 2);
    std::string k = key ? key : "";
    if (k == "type") {
      lua_pushinteger(L, static_cast<lua_Integer>(v.Type()));
    } else if (k == "typename") {
      lua_pushstring(L, TypeName(TypeCode(v)));
    } else if (k == "value") {
      switch (v.Type()) {
        case VarType::Empty: case VarType::Null: lua_pushnil(L); break;
        case VarType::Cy: lua_pushstring(L, CurrencyToText(v.AsCy()).c_str()); break;
        case VarType::Date: lua_pushnumber(L, v.AsDate()); break;
        default: PushVariant(L, v); break;
      }
    } else {
      lua_pushnil(L);
    }
    return 1;
  });
}

int ValueToString(lua_State* L) {
  return Guarded(L, [&] {
    PushCp932(L, TypedValueToText(*CheckValue(L, 1)));
    return 1;
  });
}

int ValueEq(lua_State* L) {
  Variant* a = CheckValue(L, 1);
  Variant* b = CheckValue(L, 2);
  lua_pushboolean(L, a != nullptr && b != nullptr && *a == *b);
  return 1;
}

lua_Integer CheckInteger(lua_State* L, int index, lua_Integer lo, lua_Integer hi, const char* what) {
  int isInt = 0;
  lua_Integer n = lua_tointegerx(L, index, &isInt);
  if (!isInt) throw ScriptError(std::string(what) + ": an integer is expected");
  if (n < lo || n > hi) throw ScriptError(std::string(what) + ": " + std::to_string(n) + " is out of range");
  return n;
}

double CheckNumber(lua_State* L, int index, const char* what) {
  int isNum = 0;
  double x = lua_tonumberx(L, index, &isNum);
  if (!isNum) throw ScriptError(std::string(what) + ": a number is expected");
  return x;
}

int NewInteger(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, Variant::I2(static_cast<std::int16_t>(CheckInteger(L, 1, -32768, 32767, "vl.Integer"))));
    return 1;
  });
}

int NewLong(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, Variant::I4(static_cast<std::int32_t>(
                          CheckInteger(L, 1, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max(), "vl.Long"))));
    return 1;
  });
}

int NewByte(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, Variant::UI1(static_cast<std::uint8_t>(CheckInteger(L, 1, 0, 255, "vl.Byte"))));
    return 1;
  });
}

int NewSingle(lua_State* L) {
  return Guarded(L, [&] {
    double x = CheckNumber(L, 1, "vl.Single");
    if (std::isfinite(x) && std::fabs(x) > std::numeric_limits<float>::max()) throw ScriptError("vl.Single: out of range");
    PushTypedValue(L, Variant::R4(static_cast<float>(x)));
    return 1;
  });
}

int NewDouble(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, Variant::R8(CheckNumber(L, 1, "vl.Double")));
    return 1;
  });
}

int NewCurrency(lua_State* L) {
  return Guarded(L, [&] {
    Currency c;
    CurrencyParse status;
    if (lua_type(L, 1) == LUA_TSTRING) {
      status = ParseCurrency(lua_tostring(L, 1), c);
    } else {
      Variant out;
      CoerceStatus s = ChangeType(Variant::R8(CheckNumber(L, 1, "vl.Currency")), VarType::Cy, out);
      status = s == CoerceStatus::Ok ? CurrencyParse::Ok : CurrencyParse::Overflow;
      if (s == CoerceStatus::Ok) c = out.AsCy();
    }
    if (status == CurrencyParse::Overflow) throw ScriptError("vl.Currency: out of range");
    if (status != CurrencyParse::Ok) throw ScriptError("vl.Currency: not a number");
    PushTypedValue(L, Variant::Cy(c));
    return 1;
  });
}

int NewDate(lua_State* L) {
  return Guarded(L, [&] {
    if (lua_type(L, 1) == LUA_TSTRING) {
      auto serial = ParseDateText(ToCp932(L, 1));
      if (!serial) throw ScriptError(std::string("vl.Date: not a date: ") + lua_tostring(L, 1));
      PushTypedValue(L, Variant::Date(*serial));
      return 1;
    }
    int f[6] = {0, 1, 1, 0, 0, 0};
    for (int i = 0; i < 6; ++i) {
      if (i < 3 || !lua_isnoneornil(L, i + 1)) {
        f[i] = static_cast<int>(CheckInteger(L, i + 1, -100000, 100000, "vl.Date"));
      }
    }
    auto serial = FieldsToSerial(f[0], f[1], f[2], f[3], f[4], f[5]);
    if (!serial) throw ScriptError("vl.Date: not a valid date");
    PushTypedValue(L, Variant::Date(*serial));
    return 1;
  });
}

int NewDateSerial(lua_State* L) {
  return Guarded(L, [&] {
    PushTypedValue(L, Variant::Date(CheckNumber(L, 1, "vl.DateSerial")));
    return 1;
  });
}

int NewString(lua_State* L) {
  return Guarded(L, [&] {
    if (lua_type(L, 1) != LUA_TSTRING) throw ScriptError("vl.String: a string is expected");
    PushTypedValue(L, Variant::Bstr(ToCp932(L, 1)));
    return 1;
  });
}

int NewBoolean(lua_State* L) {
  PushTypedValue(L, Variant::Bool(lua_toboolean(L, 1) != 0));
  return 1;
}

}  // namespace

void PushTypedValue(lua_State* L, const Variant& v) {
  void* mem = lua_newuserdatauv(L, sizeof(Variant), 0);
  new (mem) Variant(v);
  luaL_setmetatable(L, kValueMeta);
}

std::string ToCp932(lua_State* L, int index) {
  std::size_t len = 0;
  const char* s = lua_tolstring(L, index, &len);
  std::string out;
  if (s == nullptr) return out;
  if (!TryUtf8ToCp932(std::string_view(s, len), out)) {
    // A character the code page cannot hold is refused, never replaced.
    throw HostError{kErrInvalidPropertyValue, Cp932ToUtf8(LoadResourceString(1102))};
  }
  return out;
}

void PushCp932(lua_State* L, const std::string& cp932) {
  // Text cut inside a character cannot be shown as UTF-8; what converts is shown.
  const std::string utf8 = Cp932ToUtf8ForDisplay(cp932);
  lua_pushlstring(L, utf8.data(), utf8.size());
}

Variant ToVariant(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TNIL:
    case LUA_TNONE:
      return Variant::Empty();
    case LUA_TBOOLEAN:
      return Variant::Bool(lua_toboolean(L, index) != 0);
    case LUA_TNUMBER: {
      if (lua_isinteger(L, index)) {
        lua_Integer n = lua_tointeger(L, index);
        if (n >= -32768 && n <= 32767) return Variant::I2(static_cast<std::int16_t>(n));
        if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max()) {
          return Variant::I4(static_cast<std::int32_t>(n));
        }
        return Variant::R8(static_cast<double>(n));
      }
      return Variant::R8(lua_tonumber(L, index));
    }
    case LUA_TSTRING:
      return Variant::Bstr(ToCp932(L, index));
    case LUA_TUSERDATA:
      if (Variant* v = CheckValue(L, index)) return *v;
      if (lua_getmetatable(L, index)) {
        lua_getfield(L, -1, "__variant");
        const bool isObject = lua_toboolean(L, -1) != 0;
        lua_pop(L, 2);
        if (isObject) {
          // Objects of the component (captions, fonts) know their own variant.
          return Variant::Object(static_cast<ObjectRef*>(lua_touserdata(L, index))->object);
        }
      }
      return Variant::Object(std::make_shared<ForeignObject>());
    default:
      return Variant::Object(std::make_shared<ForeignObject>());
  }
}

void PushVariant(lua_State* L, const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null:
      lua_pushnil(L);
      break;
    case VarType::Bool: lua_pushboolean(L, v.AsBool()); break;
    case VarType::I2: lua_pushinteger(L, v.AsI2()); break;
    case VarType::I4: lua_pushinteger(L, v.AsI4()); break;
    case VarType::I8: lua_pushinteger(L, v.AsI8()); break;
    case VarType::UI1: lua_pushinteger(L, v.AsUI1()); break;
    case VarType::R4: lua_pushnumber(L, v.AsR4()); break;
    case VarType::R8: lua_pushnumber(L, v.AsR8()); break;
    case VarType::Date: lua_pushnumber(L, v.AsDate()); break;
    case VarType::Cy: lua_pushstring(L, CurrencyToText(v.AsCy()).c_str()); break;
    case VarType::Bstr: PushCp932(L, v.AsBstr()); break;
    default: lua_pushnil(L); break;
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

  PushTypedValue(L, Variant::Null());
  lua_setfield(L, -2, "Null");
  PushTypedValue(L, Variant::Empty());
  lua_setfield(L, -2, "Empty");
  const luaL_Reg ctors[] = {
      {"Integer", NewInteger}, {"Long", NewLong},         {"Byte", NewByte},
      {"Single", NewSingle},   {"Double", NewDouble},     {"Currency", NewCurrency},
      {"Date", NewDate},       {"DateSerial", NewDateSerial}, {"String", NewString},
      {"Boolean", NewBoolean}, {nullptr, nullptr},
  };
  luaL_setfuncs(L, ctors, 0);
}

}  // namespace vl::script
