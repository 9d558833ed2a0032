// vl.format: the display text a box of a data type computes for a value, without a box.
#include "format/display_text.h"
#include "resources/string_table.h"
#include "runtime/clock.h"
#include "script/lua_internal.h"
#include "value/value_exception.h"

namespace vl::script {

namespace {

int Format(lua_State* L) {
  return Guarded(L, [&] {
    Variant value = ToVariant(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("vl.format(value, format [, type]): a format text is expected");
    const std::string format = ToCp932(L, 2);
    std::uint16_t type = TypeCode(value);
    if (!lua_isnoneornil(L, 3)) {
      lua_Integer t = lua_tointeger(L, 3);
      if (t < 0 || t > 0xFFFF || !IsDataType(static_cast<std::uint16_t>(t))) {
        throw ScriptError("vl.format: the type is one of the nine data type codes");
      }
      type = static_cast<std::uint16_t>(t);
    }
    if (!IsDataType(type)) throw ScriptError("vl.format: a Null value needs its data type");
    VirtualClock clock;
    try {
      ConvertTypedValue(type, value, true, clock);
    } catch (const CVlValueException& e) {
      throw HostError{kErrInvalidPropertyValue, "the value cannot be converted to the data type"};
    }
    PushCp932(L, DisplayTextForValue(type, value, format, EraTable()));
    return 1;
  });
}

// vl.resource(id): an entry of the string table (the presets, the messages), or nil.
int Resource(lua_State* L) {
  return Guarded(L, [&] {
    lua_Integer id = lua_tointeger(L, 1);
    if (id < 0 || id > 0xFFFF || !HasResourceString(static_cast<std::uint32_t>(id))) {
      lua_pushnil(L);
    } else {
      PushCp932(L, LoadResourceString(static_cast<std::uint32_t>(id)));
    }
    return 1;
  });
}

}  // namespace

void OpenFormat(lua_State* L) {
  lua_pushcfunction(L, Format);
  lua_setfield(L, -2, "format");
  lua_pushcfunction(L, Resource);
  lua_setfield(L, -2, "resource");
}

}  // namespace vl::script
