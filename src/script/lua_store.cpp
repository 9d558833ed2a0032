// A box's property set in Lua: f:store, f:load, f:reset, f:save, and whole forms as files with
// f:save_form, vl.load_form, g:boxes and g:box.
//
// A store in Lua is a list of entries {name = ..., kind = ..., value = ...}. Tables are read with
// raw access only, so a script's metatables never run while the host is reading.
#include <cmath>

#include "host/form.h"
#include "host/host_errors.h"
#include "host/store_file.h"
#include "script/lua_form_internal.h"
#include "text/encoding.h"

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
CVlTypedBoxCtrl& BoxOf(lua_State* L, FormHost& host, int index) {
  auto* ref = static_cast<BoxRef*>(luaL_testudata(L, index, kBoxMeta));
  if (ref == nullptr || ref->host != &host) BadArgument("a box of this form is expected");
  return BoxControl(*ref);
}

// ---------------------------------------------------------------------------------------------
// Lua values <-> stored values

std::optional<std::int64_t> IntegerAt(lua_State* L, int index) {
  if (lua_isinteger(L, index)) return lua_tointeger(L, index);
  return std::nullopt;
}

StoredValue ReadPair(lua_State* L, int index, const char* first, const char* second) {
  index = lua_absindex(L, index);
  RawField(L, index, first);
  RawField(L, index, second);
  const auto a = IntegerAt(L, -2);
  const auto b = IntegerAt(L, -1);
  lua_pop(L, 2);
  if (!a || !b) return std::monostate{};
  return StoredPair{*a, *b};
}

StoredValue ReadFont(lua_State* L, int index) {
  index = lua_absindex(L, index);
  StoredFont f;
  bool good = true;
  if (RawField(L, index, "name") != LUA_TNIL) {
    std::string cp932;
    std::size_t n = 0;
    const char* s = lua_type(L, -1) == LUA_TSTRING ? lua_tolstring(L, -1, &n) : nullptr;
    good = s != nullptr && TryUtf8ToCp932(std::string_view(s, n), cp932);
    f.name = cp932;
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

StoredValue ReadValue(lua_State* L, int index, std::optional<ValueKind> kind) {
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
      std::string cp932;
      if (TryUtf8ToCp932(std::string_view(s, n), cp932)) return cp932;
      return std::monostate{};
    }
    case LUA_TTABLE:
      if (kind == ValueKind::Version) return ReadPair(L, index, "major", "minor");
      if (kind == ValueKind::Extent) return ReadPair(L, index, "width", "height");
      return ReadFont(L, index);
    default:
      return std::monostate{};
  }
}

PropertySet ReadStore(lua_State* L, int index) {
  index = lua_absindex(L, index);
  PropertySet store;
  const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, index));
  for (lua_Integer i = 1; i <= n; ++i) {
    lua_rawgeti(L, index, i);
    const int entry = lua_gettop(L);
    if (lua_istable(L, entry)) {
      if (RawField(L, entry, "name") == LUA_TSTRING) {
        PropertyEntry e;
        std::size_t len = 0;
        const char* name = lua_tolstring(L, -1, &len);
        e.name.assign(name, len);
        if (RawField(L, entry, "kind") != LUA_TNIL) {
          e.kind = lua_type(L, -1) == LUA_TSTRING ? ValueKindFromName(lua_tostring(L, -1)) : ValueKind::Unknown;
        }
        lua_pop(L, 1);
        RawField(L, entry, "value");
        e.value = ReadValue(L, -1, e.kind);
        lua_pop(L, 1);
        store.Add(std::move(e));
      }
      lua_pop(L, 1);
    }
    lua_pop(L, 1);
  }
  return store;
}

void PushStoredValue(lua_State* L, const PropertyEntry& e) {
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
          PushCp932(L, v);
        } else if constexpr (std::is_same_v<T, StoredPair>) {
          const bool version = e.kind == ValueKind::Version;
          lua_createtable(L, 0, 2);
          lua_pushinteger(L, v.first);
          lua_setfield(L, -2, version ? "major" : "width");
          lua_pushinteger(L, v.second);
          lua_setfield(L, -2, version ? "minor" : "height");
        } else {
          lua_createtable(L, 0, 8);
          if (v.name) {
            PushCp932(L, *v.name);
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

void PushStore(lua_State* L, const PropertySet& store) {
  lua_createtable(L, static_cast<int>(store.Entries().size()), 0);
  lua_Integer i = 1;
  for (const PropertyEntry& e : store.Entries()) {
    lua_createtable(L, 0, 3);
    lua_pushlstring(L, e.name.data(), e.name.size());
    lua_setfield(L, -2, "name");
    if (e.kind) {
      lua_pushstring(L, ValueKindName(*e.kind));
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
    CVlTypedBoxCtrl& box = BoxOf(L, host, 2);
    PropertySet store;
    if (lua_type(L, 3) == LUA_TSTRING) {
      // The whole file is read and checked before the box is touched.
      store = PropertySetFromJson(ReadFileBytes(PathArgument(L, 3, "f:load(b, path)")));
    } else if (lua_istable(L, 3)) {
      store = ReadStore(L, 3);
    } else {
      BadArgument("f:load(b, store): a list of entries or a file name is expected");
    }
    box.LoadProperties(store);
    host.form->PumpMessages();
    ThrowPending(host);
    return 0;
  });
}

int FormReset(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    BoxOf(L, host, 2).LoadProperties(PropertySet());
    host.form->PumpMessages();
    ThrowPending(host);
    return 0;
  });
}

int FormSave(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    CVlTypedBoxCtrl& box = BoxOf(L, host, 2);
    const std::string path = PathArgument(L, 3, "f:save(b, path)");
    WriteFileReplacing(path, PropertySetToJson(box.SaveProperties()));
    // What is saved is no longer a change.
    if (BoxSite* site = host.form->FindBox(box)) site->SetModifiedFlag(false);
    ThrowPending(host);
    return 0;
  });
}

int FormSaveForm(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    const std::string path = PathArgument(L, 2, "f:save_form(path)");
    WriteFileReplacing(path, FormFileToJson(CaptureForm(*host.form)));
    for (const auto& site : host.form->Boxes()) site->SetModifiedFlag(false);
    ThrowPending(host);
    return 0;
  });
}

int FormBoxes(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    const auto& boxes = host.form->Boxes();
    lua_createtable(L, static_cast<int>(boxes.size()), 0);
    lua_Integer i = 1;
    for (const auto& site : boxes) {
      lua_pushlstring(L, site->Name().data(), site->Name().size());
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int FormBox(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("f:box(name): a name is expected");
    const std::string name = lua_tostring(L, 2);
    if (host.form->FindBox(name) == nullptr) {
      lua_pushnil(L);
    } else {
      PushBox(L, 1, name);
    }
    return 1;
  });
}

int LoadForm(lua_State* L) {
  return Guarded(L, [&] {
    const std::string path = PathArgument(L, 1, "vl.load_form(path)");
    const FormOptions options = ReadFormOptions(L, 2);
    const std::vector<FormFileBox> boxes = FormFileFromJson(ReadFileBytes(path));
    FormHost& host = PushNewForm(L, options);
    RestoreForm(*host.form, boxes);
    for (const auto& site : host.form->Boxes()) site->SetModifiedFlag(false);
    host.form->PumpMessages();
    ThrowPending(host);
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
