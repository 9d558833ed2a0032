// Forms, boxes, captions and fonts in Lua.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "script/lua_form_internal.h"
#include "vltext/format.h"

namespace vl::script {

FormHost& CheckForm(lua_State* L, int index) {
  auto* h = static_cast<FormHost*>(luaL_testudata(L, index, kFormMeta));
  if (h == nullptr || !h->form) throw ScriptError("a form is expected");
  return *h;
}

BoxRef& CheckBoxRef(lua_State* L, int index) {
  auto* b = static_cast<BoxRef*>(luaL_testudata(L, index, kBoxMeta));
  if (b == nullptr) throw ScriptError("a box is expected");
  return *b;
}

vl::Rect ReadRect(lua_State* L, int index, vl::Rect defaults) {
  int* fields[4] = {&defaults.x, &defaults.y, &defaults.width, &defaults.height};
  const char* keys[4] = {"x", "y", "w", "h"};
  for (int i = 0; i < 4; ++i) {
    lua_getfield(L, index, keys[i]);
    if (lua_isinteger(L, -1)) *fields[i] = static_cast<int>(lua_tointeger(L, -1));
    lua_pop(L, 1);
  }
  return defaults;
}

namespace {

constexpr const char* kCaptionsMeta = "vl.Captions";
constexpr const char* kCaptionMeta = "vl.Caption";
constexpr const char* kFontMeta = "vl.Font";

struct FontRef {
  vl::Font font;
};

struct CaptionRef {
  vl::Caption caption;
};

template <typename T>
T& CheckObject(lua_State* L, int index, const char* meta) {
  auto* ref = static_cast<T*>(luaL_testudata(L, index, meta));
  if (ref == nullptr) throw ScriptError(std::string("a ") + meta + " is expected");
  return *ref;
}

template <typename T>
int ObjectGc(lua_State* L) {
  static_cast<T*>(lua_touserdata(L, 1))->~T();
  return 0;
}

// Pushes an object of a box; the box (at ownerIndex) stays alive as long as the object is held.
template <typename T>
void PushObject(lua_State* L, T object, const char* meta, int ownerIndex) {
  const int owner = lua_absindex(L, ownerIndex);
  auto* ref = static_cast<T*>(lua_newuserdatauv(L, sizeof(T), 1));
  new (ref) T(std::move(object));
  luaL_setmetatable(L, meta);
  lua_pushvalue(L, owner);
  lua_setiuservalue(L, -2, 1);
}

void PushFont(lua_State* L, vl::Font font, int ownerIndex) {
  PushObject(L, FontRef{std::move(font)}, kFontMeta, ownerIndex);
}

// Something a name on the form already stands for is refused before the form is asked.
void CheckNewName(FormHost& host, const std::string& name) {
  if (host.form->FindBox(name) || host.form->ButtonBounds(name)) {
    throw ScriptError("something named " + name + " is already on the form");
  }
}

// ---------------------------------------------------------------------------------------------
// Event parameters

bool IsTypedParam(const std::string& name) { return name == "ErrValue" || name == "NewValue"; }

void PushEventParams(lua_State* L, const std::vector<vl::EventParam>& params) {
  for (const vl::EventParam& p : params) {
    if (IsTypedParam(p.name)) {
      PushTypedValue(L, p.value);
    } else {
      PushPlain(L, p.value);
    }
    lua_setfield(L, -2, p.name.c_str());
  }
}

std::string HandlerKey(const std::string& box, const std::string& event) { return box + '\0' + event; }

// Runs the script's handler of an event. Its by-reference parameters go back to the box as the
// handler left them; an error it raises stops the form's call, which raises it in the script.
void CallHandler(FormHost& host, vl::Event& event) {
  lua_State* L = host.L;
  lua_rawgeti(L, LUA_REGISTRYINDEX, host.handlersRef);
  const std::string key = HandlerKey(event.box, event.name);
  lua_pushlstring(L, key.data(), key.size());
  lua_rawget(L, -2);
  if (!lua_isfunction(L, -1)) {
    lua_pop(L, 2);
    return;
  }
  lua_createtable(L, 0, static_cast<int>(event.params.size()));
  PushEventParams(L, event.params);
  lua_pushvalue(L, -1);
  lua_insert(L, -3);  // handlers, table, function, table
  if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
    const char* msg = luaL_tolstring(L, -1, nullptr);
    std::string failure = event.box + "." + event.name + ": " + (msg != nullptr ? msg : "error in handler");
    lua_pop(L, 4);
    throw ScriptError(failure);
  }
  for (vl::EventParam& p : event.params) {
    if (!p.byRef) continue;
    lua_getfield(L, -1, p.name.c_str());
    if (IsValue(L, -1)) {
      const vl::TypedValue v = ToValue(L, -1);
      if (!v.IsEmpty()) p.value = v;
    }
    lua_pop(L, 1);
  }
  lua_pop(L, 2);
}

// ---------------------------------------------------------------------------------------------
// vl.Form

int FormGc(lua_State* L) {
  auto* h = static_cast<FormHost*>(lua_touserdata(L, 1));
  if (h->handlersRef != LUA_NOREF) luaL_unref(L, LUA_REGISTRYINDEX, h->handlersRef);
  h->~FormHost();
  return 0;
}

int NewForm(lua_State* L) {
  return Guarded(L, [&] {
    const vl::FormOptions options = ReadFormOptions(L, 1);
    PushNewForm(L, options, vl::Form(options));
    return 1;
  });
}

int FormAdd(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:add(name [, rect]): a name is expected");
    const std::string name = lua_tostring(L, 2);
    CheckNewName(h, name);
    std::optional<vl::Rect> rect;
    if (lua_istable(L, 3)) rect = ReadRect(L, 3, vl::Rect{0, 0, 120, 24});
    PushBox(L, 1, h.form->AddBox(name, rect));
    return 1;
  });
}

int FormAddButton(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:add_button(name [, rect]): a name is expected");
    const std::string name = lua_tostring(L, 2);
    CheckNewName(h, name);
    std::optional<vl::Rect> rect;
    if (lua_istable(L, 3)) rect = ReadRect(L, 3, vl::Rect{0, 0, 80, 24});
    h.form->AddButton(name, rect);
    lua_pushvalue(L, 2);
    return 1;
  });
}

int FormEvents(lua_State* L) {
  return Guarded(L, [&] {
    const std::vector<vl::Event> records = CheckForm(L, 1).form->TakeEvents();
    lua_createtable(L, static_cast<int>(records.size()), 0);
    int i = 1;
    for (const vl::Event& r : records) {
      lua_newtable(L);
      lua_pushstring(L, r.box.c_str());
      lua_setfield(L, -2, "control");
      lua_pushstring(L, r.name.c_str());
      lua_setfield(L, -2, "name");
      PushEventParams(L, r.params);
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int FormMessages(lua_State* L) {
  return Guarded(L, [&] {
    const auto messages = CheckForm(L, 1).form->TakeMessages();
    lua_createtable(L, static_cast<int>(messages.size()), 0);
    int i = 1;
    for (const vl::MessageBoxRecord& m : messages) {
      lua_newtable(L);
      lua_pushlstring(L, m.text.data(), m.text.size());
      lua_setfield(L, -2, "text");
      lua_pushlstring(L, m.title.data(), m.title.size());
      lua_setfield(L, -2, "title");
      if (!m.owner.empty()) {
        lua_pushstring(L, m.owner.c_str());
        lua_setfield(L, -2, "owner");
      }
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int FormNotifications(lua_State* L) {
  return Guarded(L, [&] {
    const auto records = CheckForm(L, 1).form->TakeNotifications();
    lua_createtable(L, static_cast<int>(records.size()), 0);
    int i = 1;
    for (const vl::Notification& r : records) {
      lua_createtable(L, 0, 3);
      lua_pushstring(L, r.box.c_str());
      lua_setfield(L, -2, "control");
      lua_pushinteger(L, r.dispid);
      lua_setfield(L, -2, "dispid");
      lua_pushstring(L, r.property.c_str());
      lua_setfield(L, -2, "property");
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int FormModified(lua_State* L) {
  return Guarded(L, [&] {
    CheckForm(L, 1);
    vl::Box& box = CheckBoxRef(L, 2).box;
    lua_pushboolean(L, box.Modified());
    if (lua_isboolean(L, 3)) box.SetModified(lua_toboolean(L, 3) != 0);
    return 1;
  });
}

// True when the focus went where it was asked to: a box holding a pending ValueError may keep it.
int FormFocus(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    std::string name;
    if (lua_type(L, 2) == LUA_TSTRING) {
      name = lua_tostring(L, 2);
      if (!h.form->FindBox(name) && !h.form->ButtonBounds(name))
        throw ScriptError("nothing named " + name + " on the form");
    } else {
      name = CheckBoxRef(L, 2).box.Name();
    }
    h.form->Focus(name);
    lua_pushboolean(L, h.form->Focused() == name);
    return 1;
  });
}

int FormFocused(lua_State* L) {
  return Guarded(L, [&] {
    const std::optional<std::string> name = CheckForm(L, 1).form->Focused();
    if (!name) {
      lua_pushnil(L);
    } else {
      lua_pushstring(L, name->c_str());
    }
    return 1;
  });
}

int FormIndex(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const char* key = lua_tostring(L, 2);
    if (key != nullptr && std::strcmp(key, "mode") == 0) {
      lua_pushstring(L, h.form->UserMode() ? "user" : "design");
      return 1;
    }
    luaL_getmetatable(L, kFormMeta);
    lua_getfield(L, -1, "methods");
    lua_pushvalue(L, 2);
    lua_rawget(L, -2);
    return 1;
  });
}

int FormNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const char* key = lua_tostring(L, 2);
    if (key == nullptr || std::strcmp(key, "mode") != 0) throw ScriptError("a form has no field to set but mode");
    const std::string mode = lua_tostring(L, 3) != nullptr ? lua_tostring(L, 3) : "";
    if (mode != "user" && mode != "design") throw ScriptError("mode is \"user\" or \"design\"");
    h.form->SetUserMode(mode == "user");
    return 0;
  });
}

// ---------------------------------------------------------------------------------------------
// Boxes

int BoxGc(lua_State* L) {
  static_cast<BoxRef*>(lua_touserdata(L, 1))->~BoxRef();
  return 0;
}

// A colour as the script reads it: the unsigned 32-bit word, whatever number type carried it.
lua_Integer ColourNumber(const vl::TypedValue& v) {
  return static_cast<lua_Integer>(static_cast<std::uint32_t>(static_cast<std::int64_t>(v.AsDouble())));
}

int BoxMethodRefresh(lua_State* L) {
  return Guarded(L, [&] {
    CheckBoxRef(L, 1).box.Refresh();
    return 0;
  });
}

int BoxMethodAboutBox(lua_State* L) {
  return Guarded(L, [&] {
    CheckBoxRef(L, 1).box.AboutBox();
    return 0;
  });
}

int BoxIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = CheckBoxRef(L, 1);
    const std::string key = lua_tostring(L, 2) != nullptr ? lua_tostring(L, 2) : "";
    if (key == "name") {
      lua_pushstring(L, ref.box.Name().c_str());
      return 1;
    }
    if (key == "Refresh") {
      lua_pushcfunction(L, BoxMethodRefresh);
      return 1;
    }
    if (key == "AboutBox") {
      lua_pushcfunction(L, BoxMethodAboutBox);
      return 1;
    }
    if (key == "Captions") {
      auto* proxy = static_cast<BoxRef*>(lua_newuserdatauv(L, sizeof(BoxRef), 1));
      new (proxy) BoxRef(ref);
      luaL_setmetatable(L, kCaptionsMeta);
      lua_pushvalue(L, 1);
      lua_setiuservalue(L, -2, 1);
      return 1;
    }
    const vl::PropertyDescriptor* info = vl::FindProperty(key);
    if (info == nullptr) throw ScriptError("a box has no property " + key);
    switch (info->kind) {
      case vl::PropertyKind::Font:
        PushFont(L, ref.box.Font(), 1);
        break;
      case vl::PropertyKind::Object:
        ref.box.Get(key);
        lua_pushnil(L);
        break;
      case vl::PropertyKind::Colour:
        lua_pushinteger(L, ColourNumber(ref.box.Get(key)));
        break;
      case vl::PropertyKind::Value:
        PushTypedValue(L, ref.box.Get(key));
        break;
      default:
        PushPlain(L, ref.box.Get(key));
        break;
    }
    return 1;
  });
}

bool IsEventName(const std::string& name) {
  const auto& names = vl::EventNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

void SetHandler(lua_State* L, BoxRef& ref, const std::string& event, int handlerIndex) {
  lua_rawgeti(L, LUA_REGISTRYINDEX, ref.host->handlersRef);
  const std::string key = HandlerKey(ref.box.Name(), event);
  lua_pushlstring(L, key.data(), key.size());
  lua_pushvalue(L, handlerIndex);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  if (lua_isnil(L, handlerIndex)) {
    ref.box.On(event, nullptr);
  } else {
    FormHost* host = ref.host;
    ref.box.On(event, [host](vl::Event& e) { CallHandler(*host, e); });
  }
}

int BoxNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = CheckBoxRef(L, 1);
    const std::string key = lua_tostring(L, 2) != nullptr ? lua_tostring(L, 2) : "";
    if ((lua_isfunction(L, 3) || lua_isnil(L, 3)) && IsEventName(key)) {
      SetHandler(L, ref, key, 3);
      return 0;
    }
    if (key == "DataSource") {
      // A record source of the box's own form, or nil to unbind.
      const vl::RecordSource* source = TestSource(L, 3);
      if (source == nullptr && !lua_isnil(L, 3))
        throw HostError{kErrTypeMismatch, "DataSource is a record source or nil"};
      ref.box.SetDataSource(source);
      return 0;
    }
    const vl::PropertyDescriptor* info = vl::FindProperty(key);
    if (info == nullptr) throw ScriptError("a box has no property " + key);
    if (info->kind == vl::PropertyKind::Font) {
      if (auto* font = static_cast<FontRef*>(luaL_testudata(L, 3, kFontMeta))) {
        ref.box.SetFont(font->font);
        return 0;
      }
    }
    if (info->kind == vl::PropertyKind::Colour && lua_isinteger(L, 3)) {
      // A colour above the Long range (a system colour such as 0x8000000F) is written as a number.
      const lua_Integer n = lua_tointeger(L, 3);
      ref.box.Set(key, n >= INT32_MIN && n <= INT32_MAX ? vl::TypedValue::Long(static_cast<std::int32_t>(n))
                                                        : vl::TypedValue::Double(static_cast<double>(n)));
      return 0;
    }
    ref.box.Set(key, ToValue(L, 3));
    return 0;
  });
}

// ---------------------------------------------------------------------------------------------
// Captions

int CaptionIndexArgument(lua_State* L) {
  const lua_Integer n = lua_isinteger(L, 2) ? lua_tointeger(L, 2) : -1;
  return static_cast<int>(std::clamp<lua_Integer>(n, -1, 1000));
}

int CaptionsIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = *static_cast<BoxRef*>(luaL_checkudata(L, 1, kCaptionsMeta));
    vl::Caption caption = ref.box.Caption(CaptionIndexArgument(L));
    lua_getiuservalue(L, 1, 1);  // the box
    PushObject(L, CaptionRef{std::move(caption)}, kCaptionMeta, -1);
    return 1;
  });
}

int CaptionsNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = *static_cast<BoxRef*>(luaL_checkudata(L, 1, kCaptionsMeta));
    const int direction = CaptionIndexArgument(L);
    auto* from = static_cast<CaptionRef*>(luaL_testudata(L, 3, kCaptionMeta));
    if (from == nullptr) {
      ref.box.Caption(direction);  // an index out of range is refused first
      throw HostError{kErrInvalidProcedureCall, "Invalid procedure call or argument"};
    }
    ref.box.SetCaption(direction, from->caption);
    return 0;
  });
}

vl::TypedValue Coerced(lua_State* L, int index, vl::DataType type) { return vl::ConvertValue(ToValue(L, index), type); }

std::uint32_t ToColour(lua_State* L, int index) {
  double n = 0;
  try {
    n = std::nearbyint(Coerced(L, index, vl::DataType::Double).AsDouble());
  } catch (const vl::Error&) {
    throw HostError{kErrTypeMismatch, "Type mismatch"};
  }
  if (!(n >= INT32_MIN && n <= UINT32_MAX)) throw HostError{kErrTypeMismatch, "Type mismatch"};
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(n));
}

int CaptionIndex(lua_State* L) {
  return Guarded(L, [&] {
    vl::Caption& c = CheckObject<CaptionRef>(L, 1, kCaptionMeta).caption;
    const std::string key = lua_tostring(L, 2) != nullptr ? lua_tostring(L, 2) : "";
    if (key == "Text") {
      const std::string text = c.Text();
      lua_pushlstring(L, text.data(), text.size());
    } else if (key == "Alignment") {
      lua_pushinteger(L, c.Alignment());
    } else if (key == "BorderStyle") {
      lua_pushinteger(L, c.BorderStyle());
    } else if (key == "Size") {
      lua_pushnumber(L, c.Size());
    } else if (key == "Spacing") {
      lua_pushnumber(L, c.Spacing());
    } else if (key == "Padding") {
      lua_pushnumber(L, c.Padding());
    } else if (key == "TextColor") {
      lua_pushinteger(L, c.TextColor());
    } else if (key == "BackColor") {
      lua_pushinteger(L, c.BackColor());
    } else if (key == "Font") {
      if (std::optional<vl::Font> font = c.Font()) {
        PushFont(L, *font, 1);
      } else {
        lua_pushnil(L);
      }
    } else {
      throw ScriptError("a caption has no property " + key);
    }
    return 1;
  });
}

int CaptionNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    vl::Caption& c = CheckObject<CaptionRef>(L, 1, kCaptionMeta).caption;
    const std::string key = lua_tostring(L, 2) != nullptr ? lua_tostring(L, 2) : "";
    if (key == "Text") {
      c.SetText(Coerced(L, 3, vl::DataType::String).AsString());
    } else if (key == "Alignment") {
      c.SetAlignment(static_cast<std::int16_t>(Coerced(L, 3, vl::DataType::Integer).AsInteger()));
    } else if (key == "BorderStyle") {
      c.SetBorderStyle(static_cast<std::int16_t>(Coerced(L, 3, vl::DataType::Integer).AsInteger()));
    } else if (key == "Size") {
      c.SetSize(static_cast<float>(Coerced(L, 3, vl::DataType::Single).AsDouble()));
    } else if (key == "Spacing") {
      c.SetSpacing(static_cast<float>(Coerced(L, 3, vl::DataType::Single).AsDouble()));
    } else if (key == "Padding") {
      c.SetPadding(static_cast<float>(Coerced(L, 3, vl::DataType::Single).AsDouble()));
    } else if (key == "TextColor") {
      c.SetTextColor(ToColour(L, 3));
    } else if (key == "BackColor") {
      c.SetBackColor(ToColour(L, 3));
    } else if (key == "Font") {
      auto* ref = static_cast<FontRef*>(luaL_testudata(L, 3, kFontMeta));
      c.SetFont(ref != nullptr ? std::optional<vl::Font>(ref->font) : std::nullopt);
    } else {
      throw ScriptError("a caption has no property " + key);
    }
    return 0;
  });
}

// ---------------------------------------------------------------------------------------------
// Fonts

int FontIndex(lua_State* L) {
  return Guarded(L, [&] {
    const vl::Font& f = CheckObject<FontRef>(L, 1, kFontMeta).font;
    const std::string key = lua_tostring(L, 2) != nullptr ? lua_tostring(L, 2) : "";
    if (key == "Name") {
      const std::string name = f.Name();
      lua_pushlstring(L, name.data(), name.size());
    } else if (key == "Size") {
      lua_pushnumber(L, f.Size());
    } else if (key == "Bold") {
      lua_pushboolean(L, f.Bold());
    } else if (key == "Italic") {
      lua_pushboolean(L, f.Italic());
    } else if (key == "Underline") {
      lua_pushboolean(L, f.Underline());
    } else if (key == "Strikethrough") {
      lua_pushboolean(L, f.Strikethrough());
    } else if (key == "Weight") {
      lua_pushinteger(L, f.Weight());
    } else if (key == "Charset") {
      lua_pushinteger(L, f.Charset());
    } else {
      throw ScriptError("a font has no property " + key);
    }
    return 1;
  });
}

int FontNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    vl::Font& f = CheckObject<FontRef>(L, 1, kFontMeta).font;
    const std::string key = lua_tostring(L, 2) != nullptr ? lua_tostring(L, 2) : "";
    if (key == "Name") {
      f.SetName(Coerced(L, 3, vl::DataType::String).AsString());
    } else if (key == "Size") {
      f.SetSize(Coerced(L, 3, vl::DataType::Double).AsDouble());
    } else if (key == "Bold") {
      f.SetBold(Coerced(L, 3, vl::DataType::Boolean).AsBoolean());
    } else if (key == "Italic") {
      f.SetItalic(Coerced(L, 3, vl::DataType::Boolean).AsBoolean());
    } else if (key == "Underline") {
      f.SetUnderline(Coerced(L, 3, vl::DataType::Boolean).AsBoolean());
    } else if (key == "Strikethrough") {
      f.SetStrikethrough(Coerced(L, 3, vl::DataType::Boolean).AsBoolean());
    } else {
      throw ScriptError("a font has no property " + key);
    }
    return 0;
  });
}

void NewMeta(lua_State* L, const char* name, const luaL_Reg* fields) {
  luaL_newmetatable(L, name);
  luaL_setfuncs(L, fields, 0);
  lua_pop(L, 1);
}

}  // namespace

vl::FormOptions ReadFormOptions(lua_State* L, int index) {
  vl::FormOptions options;
  if (!lua_istable(L, index)) return options;
  lua_getfield(L, index, "mode");
  if (lua_isstring(L, -1)) {
    const std::string mode = lua_tostring(L, -1);
    if (mode != "user" && mode != "design") throw ScriptError("vl.Form: mode is \"user\" or \"design\"");
    options.designMode = mode == "design";
  }
  lua_pop(L, 1);
  lua_getfield(L, index, "browser");
  options.browserHosted = lua_toboolean(L, -1) != 0;
  lua_pop(L, 1);
  lua_getfield(L, index, "font");
  if (lua_isstring(L, -1)) {
    const std::string font = lua_tostring(L, -1);
    if (font != "real" && font != "fixed") throw ScriptError("vl.Form: font is \"real\" or \"fixed\"");
    options.fixedFont = font == "fixed";
  }
  lua_pop(L, 1);
  return options;
}

FormHost& PushNewForm(lua_State* L, const vl::FormOptions& options, vl::Form form) {
  auto* h = static_cast<FormHost*>(lua_newuserdatauv(L, sizeof(FormHost), 0));
  new (h) FormHost();
  luaL_setmetatable(L, kFormMeta);
  h->form.emplace(std::move(form));
  h->fixedFont = options.fixedFont;
  h->L = L;
  lua_newtable(L);
  h->handlersRef = luaL_ref(L, LUA_REGISTRYINDEX);
  // vltext show opens the last form made, unless the script showed it itself.
  if (lua_getfield(L, LUA_REGISTRYINDEX, kShowLastFormKey) == LUA_TBOOLEAN) {
    lua_pushvalue(L, -2);
    lua_setfield(L, LUA_REGISTRYINDEX, kLastFormKey);
  }
  lua_pop(L, 1);
  return *h;
}

void PushBox(lua_State* L, int formIndex, vl::Box box) {
  formIndex = lua_absindex(L, formIndex);
  auto* b = static_cast<BoxRef*>(lua_newuserdatauv(L, sizeof(BoxRef), 1));
  new (b) BoxRef{static_cast<FormHost*>(lua_touserdata(L, formIndex)), std::move(box)};
  luaL_setmetatable(L, kBoxMeta);
  lua_pushvalue(L, formIndex);
  lua_setiuservalue(L, -2, 1);  // the form lives as long as its boxes are held
}

void OpenForms(lua_State* L) {
  const luaL_Reg formMeta[] = {{"__gc", FormGc}, {"__index", FormIndex}, {"__newindex", FormNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kFormMeta, formMeta);
  luaL_getmetatable(L, kFormMeta);
  const luaL_Reg methods[] = {{"add", FormAdd},
                              {"add_button", FormAddButton},
                              {"events", FormEvents},
                              {"messages", FormMessages},
                              {"notifications", FormNotifications},
                              {"modified", FormModified},
                              {"focus", FormFocus},
                              {"focused", FormFocused},
                              {nullptr, nullptr}};
  luaL_newlib(L, methods);
  RegisterInputMethods(L);
  RegisterRenderMethods(L);
  RegisterPageMethods(L);
  RegisterDataMethods(L);
  RegisterStoreMethods(L);
  RegisterShowMethod(L);
  lua_setfield(L, -2, "methods");
  lua_pop(L, 1);

  const luaL_Reg boxMeta[] = {{"__gc", BoxGc}, {"__index", BoxIndex}, {"__newindex", BoxNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kBoxMeta, boxMeta);
  const luaL_Reg captionsMeta[] = {
      {"__gc", BoxGc}, {"__index", CaptionsIndex}, {"__newindex", CaptionsNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kCaptionsMeta, captionsMeta);
  const luaL_Reg captionMeta[] = {
      {"__gc", ObjectGc<CaptionRef>}, {"__index", CaptionIndex}, {"__newindex", CaptionNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kCaptionMeta, captionMeta);
  const luaL_Reg fontMeta[] = {
      {"__gc", ObjectGc<FontRef>}, {"__index", FontIndex}, {"__newindex", FontNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kFontMeta, fontMeta);

  lua_pushcfunction(L, NewForm);
  lua_setfield(L, -2, "Form");
  RegisterPictureFunctions(L);
  RegisterStoreFunctions(L);
  RegisterPageFunctions(L);
  for (const vl::NamedConstant& c : vl::TypeLibraryConstants()) {
    lua_pushinteger(L, c.value);
    lua_setfield(L, -2, c.name);
  }
}

}  // namespace vl::script
