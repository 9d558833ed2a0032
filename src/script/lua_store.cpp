// A box's property set in Lua: f:store, f:load, f:reset, f:save, and whole forms as files with
// f:save_form, vl.load_form, g:boxes and g:box.
//
// A store in Lua is a list of entries {name = ..., kind = ..., value = ...}. Tables are read with
// raw access only, so a script's metatables never run while the host is reading.
#include <optional>
#include <string>

#include "script/lua_form_internal.h"
#include "vltext/store.h"

namespace vl::script {

namespace {

[[noreturn]] void BadArgument(const std::string& message) { throw HostError{kErrTypeMismatch, message}; }

// A field of the table at `index`, pushed without running metamethods.
int RawField(lua_State* L, int index, const char* key) {
  index = lua_absindex(L, index);
  lua_pushstring(L, key);
  return lua_rawget(L, index);
}

std::string PathArgument(lua_State* L, int index, const char* what) {
  if (lua_type(L, index) != LUA_TSTRING) BadArgument(std::string(what) + ": a file name is expected");
  std::size_t n = 0;
  const char* s = lua_tolstring(L, index, &n);
  std::string path(s, n);
  if (path.empty() || path.find('\0') != std::string::npos) BadArgument(std::string(what) + ": not a file name");
  return path;
}

// The box argument, which must belong to the form.
vl::Box& BoxOf(lua_State* L, FormHost& host, int index) {
  auto* ref = static_cast<BoxRef*>(luaL_testudata(L, index, kBoxMeta));
  if (ref == nullptr || ref->host != &host) BadArgument("a box of this form is expected");
  return ref->box;
}

// ---------------------------------------------------------------------------------------------
// Lua values <-> stored values

std::optional<std::int64_t> IntegerAt(lua_State* L, int index) {
  if (lua_isinteger(L, index)) return lua_tointeger(L, index);
  return std::nullopt;
}

vl::StoreValue ReadPair(lua_State* L, int index, const char* first, const char* second) {
  index = lua_absindex(L, index);
  RawField(L, index, first);
  RawField(L, index, second);
  const auto a = IntegerAt(L, -2);
  const auto b = IntegerAt(L, -1);
  lua_pop(L, 2);
  if (!a || !b) return std::monostate{};
  return vl::StorePair{*a, *b};
}

vl::StoreValue ReadFont(lua_State* L, int index) {
  index = lua_absindex(L, index);
  vl::StoreFont f;
  bool good = true;
  if (RawField(L, index, "name") != LUA_TNIL) {
    std::size_t n = 0;
    const char* s = lua_type(L, -1) == LUA_TSTRING ? lua_tolstring(L, -1, &n) : nullptr;
    good = s != nullptr;
    if (good) f.name = std::string(s, n);
  }
  lua_pop(L, 1);
  if (RawField(L, index, "size") != LUA_TNIL) {
    good = good && lua_type(L, -1) == LUA_TNUMBER;
    f.size = lua_tonumber(L, -1);
  }
  lua_pop(L, 1);
  for (const char* key : {"bold", "italic", "underline", "strikethrough"}) {
    if (RawField(L, index, key) != LUA_TNIL) {
      good = good && lua_isboolean(L, -1);
      const bool b = lua_toboolean(L, -1) != 0;
      const std::string k = key;
      (k == "bold" ? f.bold : k == "italic" ? f.italic : k == "underline" ? f.underline : f.strikethrough) = b;
    }
    lua_pop(L, 1);
  }
  for (const char* key : {"weight", "charset"}) {
    if (RawField(L, index, key) != LUA_TNIL) {
      const auto n = IntegerAt(L, -1);
      good = good && n.has_value();
      (std::string(key) == "weight" ? f.weight : f.charset) = n.value_or(0);
    }
    lua_pop(L, 1);
  }
  if (!good) return std::monostate{};
  return f;
}

vl::StoreValue ReadValue(lua_State* L, int index, const std::optional<std::string>& kind) {
  index = lua_absindex(L, index);
  switch (lua_type(L, index)) {
    case LUA_TBOOLEAN:
      return lua_toboolean(L, index) != 0;
    case LUA_TNUMBER:
      if (lua_isinteger(L, index)) return static_cast<std::int64_t>(lua_tointeger(L, index));
      return lua_tonumber(L, index);
    case LUA_TSTRING: {
      std::size_t n = 0;
      const char* s = lua_tolstring(L, index, &n);
      return std::string(s, n);
    }
    case LUA_TTABLE:
      if (kind == "version") return ReadPair(L, index, "major", "minor");
      if (kind == "extent") return ReadPair(L, index, "width", "height");
      return ReadFont(L, index);
    default:
      return std::monostate{};
  }
}

vl::PropertyStore ReadStore(lua_State* L, int index) {
  index = lua_absindex(L, index);
  vl::PropertyStore store;
  const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, index));
  for (lua_Integer i = 1; i <= n; ++i) {
    lua_rawgeti(L, index, i);
    const int entry = lua_gettop(L);
    if (lua_istable(L, entry)) {
      if (RawField(L, entry, "name") == LUA_TSTRING) {
        vl::StoreEntry e;
        std::size_t len = 0;
        const char* name = lua_tolstring(L, -1, &len);
        e.name.assign(name, len);
        if (RawField(L, entry, "kind") != LUA_TNIL) {
          // A kind that is no text names no kind the store knows.
          e.kind = lua_type(L, -1) == LUA_TSTRING ? std::string(lua_tostring(L, -1)) : std::string();
        }
        lua_pop(L, 1);
        RawField(L, entry, "value");
        e.value = ReadValue(L, -1, e.kind);
        lua_pop(L, 1);
        store.push_back(std::move(e));
      }
      lua_pop(L, 1);
    }
    lua_pop(L, 1);
  }
  return store;
}

void PushStoredValue(lua_State* L, const vl::StoreEntry& e) {
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          lua_pushnil(L);
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          lua_pushinteger(L, v);
        } else if constexpr (std::is_same_v<T, double>) {
          lua_pushnumber(L, v);
        } else if constexpr (std::is_same_v<T, bool>) {
          lua_pushboolean(L, v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          lua_pushlstring(L, v.data(), v.size());
        } else if constexpr (std::is_same_v<T, vl::StorePair>) {
          const bool version = e.kind == "version";
          lua_createtable(L, 0, 2);
          lua_pushinteger(L, v.first);
          lua_setfield(L, -2, version ? "major" : "width");
          lua_pushinteger(L, v.second);
          lua_setfield(L, -2, version ? "minor" : "height");
        } else {
          lua_createtable(L, 0, 8);
          if (v.name) {
            lua_pushlstring(L, v.name->data(), v.name->size());
            lua_setfield(L, -2, "name");
          }
          if (v.size) {
            lua_pushnumber(L, *v.size);
            lua_setfield(L, -2, "size");
          }
          const std::pair<const char*, const std::optional<bool>*> flags[] = {{"bold", &v.bold},
                                                                              {"italic", &v.italic},
                                                                              {"underline", &v.underline},
                                                                              {"strikethrough", &v.strikethrough}};
          for (const auto& [key, flag] : flags) {
            if (!*flag) continue;
            lua_pushboolean(L, **flag);
            lua_setfield(L, -2, key);
          }
          if (v.weight) {
            lua_pushinteger(L, *v.weight);
            lua_setfield(L, -2, "weight");
          }
          if (v.charset) {
            lua_pushinteger(L, *v.charset);
            lua_setfield(L, -2, "charset");
          }
        }
      },
      e.value);
}

void PushStore(lua_State* L, const vl::PropertyStore& store) {
  lua_createtable(L, static_cast<int>(store.size()), 0);
  lua_Integer i = 1;
  for (const vl::StoreEntry& e : store) {
    lua_createtable(L, 0, 3);
    lua_pushlstring(L, e.name.data(), e.name.size());
    lua_setfield(L, -2, "name");
    if (e.kind) {
      lua_pushlstring(L, e.kind->data(), e.kind->size());
      lua_setfield(L, -2, "kind");
    }
    PushStoredValue(L, e);
    lua_setfield(L, -2, "value");
    lua_rawseti(L, -2, i++);
  }
}

// ---------------------------------------------------------------------------------------------
// Methods

int FormStore(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    PushStore(L, BoxOf(L, host, 2).SaveProperties());
    return 1;
  });
}

int FormLoad(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    vl::Box& box = BoxOf(L, host, 2);
    if (lua_type(L, 3) == LUA_TSTRING) {
      box.LoadPropertiesFile(PathArgument(L, 3, "f:load(b, path)"));
    } else if (lua_istable(L, 3)) {
      box.LoadProperties(ReadStore(L, 3));
    } else {
      BadArgument("f:load(b, store): a list of entries or a file name is expected");
    }
    return 0;
  });
}

int FormReset(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    BoxOf(L, host, 2).LoadProperties({});
    return 0;
  });
}

int FormSave(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    vl::Box& box = BoxOf(L, host, 2);
    box.SavePropertiesFile(PathArgument(L, 3, "f:save(b, path)"));
    return 0;
  });
}

int FormSaveForm(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    host.form->SaveFile(PathArgument(L, 2, "f:save_form(path)"));
    return 0;
  });
}

int FormBoxes(lua_State* L) {
  return Guarded(L, [&] {
    const std::vector<std::string> names = CheckForm(L, 1).form->BoxNames();
    lua_createtable(L, static_cast<int>(names.size()), 0);
    lua_Integer i = 1;
    for (const std::string& name : names) {
      lua_pushlstring(L, name.data(), name.size());
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int FormBox(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("f:box(name): a name is expected");
    std::optional<vl::Box> box = host.form->FindBox(lua_tostring(L, 2));
    if (!box) {
      lua_pushnil(L);
    } else {
      PushBox(L, 1, std::move(*box));
    }
    return 1;
  });
}

int LoadForm(lua_State* L) {
  return Guarded(L, [&] {
    const std::string path = PathArgument(L, 1, "vl.load_form(path)");
    const vl::FormOptions options = ReadFormOptions(L, 2);
    PushNewForm(L, options, vl::Form::LoadFile(path, options));
    return 1;
  });
}

}  // namespace

void RegisterStoreMethods(lua_State* L) {
  const luaL_Reg methods[] = {
      {"store", FormStore},        {"load", FormLoad},   {"reset", FormReset}, {"save", FormSave},
      {"save_form", FormSaveForm}, {"boxes", FormBoxes}, {"box", FormBox},     {nullptr, nullptr},
  };
  luaL_setfuncs(L, methods, 0);
}

void RegisterStoreFunctions(lua_State* L) {
  lua_pushcfunction(L, LoadForm);
  lua_setfield(L, -2, "load_form");
}

}  // namespace vl::script
