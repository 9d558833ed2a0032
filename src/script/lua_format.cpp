// vl.format: the display text a box of a data type computes for a value, without a box.
#include "script/lua_internal.h"
#include "vltext/format.h"

namespace vl::script {

namespace {

int Format(lua_State* L) {
  return Guarded(L, [&] {
    const vl::TypedValue value = ToValue(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING)
      throw ScriptError("vl.format(value, format [, type]): a format text is expected");
    vl::DataType type = value.Type();
    if (!lua_isnoneornil(L, 3)) {
      const lua_Integer t = lua_tointeger(L, 3);
      if (t < 0 || t > 0xFFFF || !vl::IsBoxDataType(static_cast<vl::DataType>(t))) {
        throw ScriptError("vl.format: the type is one of the nine data type codes");
      }
      type = static_cast<vl::DataType>(t);
    }
    if (!vl::IsBoxDataType(type)) throw ScriptError("vl.format: a Null value needs its data type");
    const std::string text = vl::FormatValue(value, lua_tostring(L, 2), type);
    lua_pushlstring(L, text.data(), text.size());
    return 1;
  });
}

// vl.resource(id): an entry of the string table (the presets, the messages), or nil.
int Resource(lua_State* L) {
  return Guarded(L, [&] {
    const lua_Integer id = lua_tointeger(L, 1);
    const auto text = id < 0 || id > 0xFFFF ? std::nullopt : vl::ResourceString(static_cast<std::int32_t>(id));
    if (!text) {
      lua_pushnil(L);
    } else {
      lua_pushlstring(L, text->data(), text->size());
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
