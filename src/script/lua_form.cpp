// Forms, boxes, captions and fonts in Lua.
#include <cstring>
#include <memory>
#include <optional>

#include "control/properties.h"
#include "control/type_library.h"
#include "host/form.h"
#include "platform/freetype_font.h"
#include "runtime/coerce.h"
#include "script/lua_form_internal.h"

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

CVlTypedBoxCtrl& BoxControl(const BoxRef& ref) {
  BoxSite* site = ref.host->form->FindBox(ref.name);
  if (site == nullptr) throw ScriptError("no box named " + ref.name);
  return site->Control();
}

win::RECT ReadRect(lua_State* L, int index, win::RECT defaults) {
  int v[4] = {defaults.left, defaults.top, defaults.Width(), defaults.Height()};
  const char* keys[4] = {"x", "y", "w", "h"};
  for (int i = 0; i < 4; ++i) {
    lua_getfield(L, index, keys[i]);
    if (lua_isinteger(L, -1)) v[i] = static_cast<int>(lua_tointeger(L, -1));
    lua_pop(L, 1);
  }
  return win::RECT{v[0], v[1], v[0] + v[2], v[1] + v[3]};
}

void CheckNewName(FormHost& host, const std::string& name) {
  if (host.form->FindBox(name) != nullptr || host.form->ButtonWindow(name) != win::kNoWindow) {
    throw ScriptError("something named " + name + " is already on the form");
  }
}

void ThrowPending(FormHost& host) {
  if (host.pendingError) {
    std::string e = *host.pendingError;
    host.pendingError.reset();
    throw ScriptError(e);
  }
}

namespace {

constexpr const char* kCaptionsMeta = "vl.Captions";
constexpr const char* kCaptionMeta = "vl.Caption";
constexpr const char* kFontMeta = "vl.Font";

template <typename T>
T& CheckObject(lua_State* L, int index, const char* meta) {
  auto* ref = static_cast<ObjectRef*>(luaL_testudata(L, index, meta));
  if (ref == nullptr) throw ScriptError(std::string("a ") + meta + " is expected");
  return *std::static_pointer_cast<T>(ref->object);
}

void PushObject(lua_State* L, std::shared_ptr<Dispatch> object, const char* meta, int ownerIndex) {
  auto* ref = static_cast<ObjectRef*>(lua_newuserdatauv(L, sizeof(ObjectRef), 1));
  new (ref) ObjectRef{std::move(object)};
  luaL_setmetatable(L, meta);
  // The owner (box) stays alive as long as the object is held.
  lua_pushvalue(L, ownerIndex < 0 ? ownerIndex - 1 : ownerIndex);
  lua_setiuservalue(L, -2, 1);
}

int ObjectGc(lua_State* L) {
  static_cast<ObjectRef*>(lua_touserdata(L, 1))->~ObjectRef();
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Event parameters

bool IsTypedParam(const std::string& name) { return name == "ErrValue" || name == "NewValue"; }

void PushEventParams(lua_State* L, const std::vector<EventParam>& params) {
  for (const EventParam& p : params) {
    if (IsTypedParam(p.name)) {
      PushTypedValue(L, p.value);
    } else {
      PushVariant(L, p.value);
    }
    lua_setfield(L, -2, p.name.c_str());
  }
}

void CallHandler(FormHost& host, BoxSite& box, VlEvent id, EventArgs& args) {
  lua_State* L = host.L;
  if (host.pendingError) return;  // the script is already failing
  lua_rawgeti(L, LUA_REGISTRYINDEX, host.handlersRef);
  std::string key = box.Name() + '\0' + EventName(id);
  lua_pushlstring(L, key.data(), key.size());
  lua_rawget(L, -2);
  if (!lua_isfunction(L, -1)) {
    lua_pop(L, 2);
    return;
  }
  lua_createtable(L, 0, static_cast<int>(args.Params().size()));
  PushEventParams(L, args.Params());
  lua_pushvalue(L, -1);
  lua_insert(L, -3);  // handlers, table, function, table
  if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
    const char* msg = luaL_tolstring(L, -1, nullptr);
    host.pendingError = std::string(box.Name()) + "." + EventName(id) + ": " + (msg ? msg : "error in handler");
    lua_pop(L, 4);
    return;
  }
  // By-reference parameters go back to the control as the handler left them.
  for (EventParam& p : args.Params()) {
    if (!p.byRef) continue;
    lua_getfield(L, -1, p.name.c_str());
    try {
      Variant v = ToVariant(L, -1);
      if (v.Type() != VarType::Empty) p.value = v;
    } catch (const HostError&) {
      // Text the code page cannot hold stays as it was.
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
    bool user = true;
    bool browser = false;
    bool fixedFonts = false;
    if (lua_istable(L, 1)) {
      lua_getfield(L, 1, "mode");
      if (lua_isstring(L, -1)) {
        std::string mode = lua_tostring(L, -1);
        if (mode != "user" && mode != "design") throw ScriptError("vl.Form: mode is \"user\" or \"design\"");
        user = mode == "user";
      }
      lua_pop(L, 1);
      lua_getfield(L, 1, "browser");
      browser = lua_toboolean(L, -1) != 0;
      lua_pop(L, 1);
      lua_getfield(L, 1, "font");
      if (lua_isstring(L, -1)) {
        const std::string font = lua_tostring(L, -1);
        if (font != "real" && font != "fixed") throw ScriptError("vl.Form: font is \"real\" or \"fixed\"");
        fixedFonts = font == "fixed";
      }
      lua_pop(L, 1);
    }
    auto* h = static_cast<FormHost*>(lua_newuserdatauv(L, sizeof(FormHost), 0));
    new (h) FormHost();
    luaL_setmetatable(L, kFormMeta);
    h->form = std::make_unique<Form>(user, browser);
    // Boxes measure with the fonts the pictures are drawn in, so a text too wide on the picture
    // is too wide for the box.
    if (!fixedFonts) h->form->SetScreenFonts(MakeRealFonts());
    h->L = L;
    lua_newtable(L);
    h->handlersRef = luaL_ref(L, LUA_REGISTRYINDEX);
    h->form->SetEventHandler([h](BoxSite& box, VlEvent id, EventArgs& args) { CallHandler(*h, box, id, args); });
    // vltext show opens the last form made, unless the script showed it itself.
    if (lua_getfield(L, LUA_REGISTRYINDEX, kShowLastFormKey) == LUA_TBOOLEAN) {
      lua_pushvalue(L, -2);
      lua_setfield(L, LUA_REGISTRYINDEX, kLastFormKey);
    }
    lua_pop(L, 1);
    return 1;
  });
}

void PushBox(lua_State* L, int formIndex, const std::string& name) {
  auto* b = static_cast<BoxRef*>(lua_newuserdatauv(L, sizeof(BoxRef), 1));
  new (b) BoxRef{static_cast<FormHost*>(lua_touserdata(L, formIndex)), name};
  luaL_setmetatable(L, kBoxMeta);
  lua_pushvalue(L, formIndex);
  lua_setiuservalue(L, -2, 1);  // the form lives as long as its boxes are held
}

int FormAdd(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:add(name [, rect]): a name is expected");
    std::string name = lua_tostring(L, 2);
    CheckNewName(h, name);
    std::optional<win::RECT> rect;
    if (lua_istable(L, 3)) rect = ReadRect(L, 3, win::RECT{0, 0, 120, 24});
    h.form->AddBox(name, rect);
    PushBox(L, 1, name);
    return 1;
  });
}

void PushRecordList(lua_State* L, const std::vector<EventRecord>& records) {
  lua_createtable(L, static_cast<int>(records.size()), 0);
  int i = 1;
  for (const EventRecord& r : records) {
    lua_newtable(L);
    lua_pushstring(L, r.control.c_str());
    lua_setfield(L, -2, "control");
    lua_pushstring(L, r.name.c_str());
    lua_setfield(L, -2, "name");
    PushEventParams(L, r.params);
    lua_rawseti(L, -2, i++);
  }
}

int FormEvents(lua_State* L) {
  return Guarded(L, [&] {
    PushRecordList(L, CheckForm(L, 1).form->TakeEvents());
    return 1;
  });
}

int FormMessages(lua_State* L) {
  return Guarded(L, [&] {
    auto messages = CheckForm(L, 1).form->TakeMessages();
    lua_createtable(L, static_cast<int>(messages.size()), 0);
    int i = 1;
    for (const MessageRecord& m : messages) {
      lua_newtable(L);
      PushCp932(L, m.text);
      lua_setfield(L, -2, "text");
      PushCp932(L, m.title);
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
    auto records = CheckForm(L, 1).form->TakeNotifications();
    lua_createtable(L, static_cast<int>(records.size()), 0);
    int i = 1;
    for (const NotificationRecord& r : records) {
      lua_createtable(L, 0, 3);
      lua_pushstring(L, r.control.c_str());
      lua_setfield(L, -2, "control");
      lua_pushinteger(L, r.dispid);
      lua_setfield(L, -2, "dispid");
      const PropertyInfo* info = FindProperty(r.dispid);
      lua_pushstring(L, info != nullptr ? info->name : (r.dispid == kDispCaptions ? "Captions" : "?"));
      lua_setfield(L, -2, "property");
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int FormModified(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    BoxSite* site = h.form->FindBox(CheckBoxRef(L, 2).name);
    lua_pushboolean(L, site != nullptr && site->modified);
    if (site != nullptr && lua_isboolean(L, 3)) site->modified = lua_toboolean(L, 3) != 0;
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
      if (BoxSite* site = h.form->FindBox(name)) {
        h.form->Focus(site->Control());
      } else if (!h.form->FocusButton(name)) {
        throw ScriptError("nothing named " + name + " on the form");
      }
    } else {
      const BoxRef& box = CheckBoxRef(L, 2);
      name = box.name;
      h.form->Focus(BoxControl(box));
    }
    h.form->PumpMessages();
    ThrowPending(h);
    lua_pushboolean(L, h.form->FocusedName() == name);
    return 1;
  });
}

int FormAddButton(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:add_button(name [, rect]): a name is expected");
    std::string name = lua_tostring(L, 2);
    CheckNewName(h, name);
    ToCp932(L, 2);  // the name is the button's caption: refused when CP932 cannot show it
    std::optional<win::RECT> rect;
    if (lua_istable(L, 3)) rect = ReadRect(L, 3, win::RECT{0, 0, 80, 24});
    h.form->AddButton(name, rect);
    lua_pushvalue(L, 2);
    return 1;
  });
}

int FormFocused(lua_State* L) {
  return Guarded(L, [&] {
    std::string name = CheckForm(L, 1).form->FocusedName();
    if (name.empty()) {
      lua_pushnil(L);
    } else {
      lua_pushstring(L, name.c_str());
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
    std::string mode = lua_tostring(L, 3) ? lua_tostring(L, 3) : "";
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

void PushProperty(lua_State* L, int boxIndex, const PropertyInfo& info, const Variant& v) {
  switch (info.kind) {
    case PropKind::Colour:
      lua_pushinteger(L, static_cast<lua_Integer>(static_cast<std::uint32_t>(v.AsI4())));
      return;
    case PropKind::Variant:
      PushTypedValue(L, v);
      return;
    case PropKind::Font:
      PushObject(L, v.AsObject(), kFontMeta, boxIndex);
      return;
    case PropKind::Object:
      lua_pushnil(L);
      return;
    default:
      PushVariant(L, v);
      return;
  }
}

int BoxMethodRefresh(lua_State* L) {
  return Guarded(L, [&] {
    BoxControl(CheckBoxRef(L, 1)).Refresh();
    return 0;
  });
}

int BoxMethodAboutBox(lua_State* L) {
  return Guarded(L, [&] {
    BoxControl(CheckBoxRef(L, 1)).AboutBox();
    return 0;
  });
}

int BoxIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = CheckBoxRef(L, 1);
    std::string key = lua_tostring(L, 2) ? lua_tostring(L, 2) : "";
    if (key == "name") {
      lua_pushstring(L, ref.name.c_str());
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
    const PropertyInfo* info = FindProperty(key);
    if (info == nullptr) throw ScriptError("a box has no property " + key);
    Variant v = BoxControl(ref).GetProperty(info->dispid);
    ThrowPending(*ref.host);
    PushProperty(L, 1, *info, v);
    return 1;
  });
}

// A Lua value for a property of that kind, as a host's automation client would pass it.
Variant PropertyArgument(lua_State* L, int index, const PropertyInfo& info) {
  if (info.kind == PropKind::Colour && lua_isinteger(L, index)) {
    return Variant::I8(lua_tointeger(L, index));
  }
  return ToVariant(L, index);
}

int BoxNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = CheckBoxRef(L, 1);
    std::string key = lua_tostring(L, 2) ? lua_tostring(L, 2) : "";
    if (lua_isfunction(L, 3) || lua_isnil(L, 3)) {
      bool isEvent = false;
      for (VlEvent e : {VlEvent::Change, VlEvent::Click, VlEvent::DblClick, VlEvent::KeyDown, VlEvent::KeyPress,
                        VlEvent::KeyUp, VlEvent::MouseDown, VlEvent::MouseMove, VlEvent::MouseUp, VlEvent::ValueError,
                        VlEvent::SpinDown, VlEvent::SpinUp, VlEvent::Furigana, VlEvent::UserCheckValue}) {
        isEvent = isEvent || key == EventName(e);
      }
      if (isEvent) {
        lua_rawgeti(L, LUA_REGISTRYINDEX, ref.host->handlersRef);
        std::string k = ref.name + '\0' + key;
        lua_pushlstring(L, k.data(), k.size());
        lua_pushvalue(L, 3);
        lua_rawset(L, -3);
        lua_pop(L, 1);
        return 0;
      }
    }
    if (key == "DataSource") {
      // A record source of the box's own form, or nil to unbind; the box hears of the
      // connection from its container once the write is done.
      FormHost* owner = nullptr;
      std::shared_ptr<IVlCursor> source = TestSource(L, 3, owner);
      if (!source && !lua_isnil(L, 3)) throw HostError{kErrTypeMismatch, "DataSource is a record source or nil"};
      if (source && owner != ref.host) throw HostError{kErrInvalidProcedureCall, "the record source belongs to another form"};
      CVlTypedBoxCtrl& control = BoxControl(ref);
      control.SetProperty(kDispDataSource, source ? Variant::Object(nullptr) : Variant::Empty());
      ref.host->form->SetDataSource(control, std::move(source));
      ThrowPending(*ref.host);
      return 0;
    }
    const PropertyInfo* info = FindProperty(key);
    if (info == nullptr) throw ScriptError("a box has no property " + key);
    Variant v = PropertyArgument(L, 3, *info);
    BoxControl(ref).SetProperty(info->dispid, v);
    ThrowPending(*ref.host);
    return 0;
  });
}

// ---------------------------------------------------------------------------------------------
// Captions

int CaptionsIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = *static_cast<BoxRef*>(luaL_checkudata(L, 1, kCaptionsMeta));
    lua_Integer n = lua_isinteger(L, 2) ? lua_tointeger(L, 2) : -1;
    Variant v = BoxControl(ref).GetCaptions(static_cast<std::int32_t>(std::clamp<lua_Integer>(n, -1, 1000)));
    lua_getiuservalue(L, 1, 1);  // the box
    PushObject(L, v.AsObject(), kCaptionMeta, -1);
    return 1;
  });
}

int CaptionsNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    BoxRef& ref = *static_cast<BoxRef*>(luaL_checkudata(L, 1, kCaptionsMeta));
    lua_Integer n = lua_isinteger(L, 2) ? lua_tointeger(L, 2) : -1;
    BoxControl(ref).SetCaptions(static_cast<std::int32_t>(std::clamp<lua_Integer>(n, -1, 1000)), ToVariant(L, 3));
    return 0;
  });
}

int CaptionIndex(lua_State* L) {
  return Guarded(L, [&] {
    auto& c = CheckObject<VlTextCaption>(L, 1, kCaptionMeta);
    std::string key = lua_tostring(L, 2) ? lua_tostring(L, 2) : "";
    if (key == "Text") {
      PushCp932(L, c.Text());
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
      if (c.Font()) {
        PushObject(L, c.Font(), kFontMeta, 1);
      } else {
        lua_pushnil(L);
      }
    } else {
      throw ScriptError("a caption has no property " + key);
    }
    return 1;
  });
}

std::uint32_t ToColour(lua_State* L, int index) {
  Variant out;
  if (ChangeType(ToVariant(L, index), VarType::I8, out) != CoerceStatus::Ok || out.AsI8() < INT32_MIN ||
      out.AsI8() > UINT32_MAX) {
    throw HostError{kErrTypeMismatch, "Type mismatch"};
  }
  return static_cast<std::uint32_t>(out.AsI8());
}

Variant Coerced(lua_State* L, int index, VarType t) {
  Variant out;
  switch (ChangeType(ToVariant(L, index), t, out)) {
    case CoerceStatus::Ok: return out;
    case CoerceStatus::Overflow: throw HostError{kErrOverflow, "Overflow"};
    default: throw HostError{kErrTypeMismatch, "Type mismatch"};
  }
}

int CaptionNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    auto& c = CheckObject<VlTextCaption>(L, 1, kCaptionMeta);
    std::string key = lua_tostring(L, 2) ? lua_tostring(L, 2) : "";
    if (key == "Text") {
      c.SetText(Coerced(L, 3, VarType::Bstr).AsBstr());
    } else if (key == "Alignment") {
      c.SetAlignment(Coerced(L, 3, VarType::I2).AsI2());
    } else if (key == "BorderStyle") {
      c.SetBorderStyle(Coerced(L, 3, VarType::I2).AsI2());
    } else if (key == "Size") {
      c.SetSize(Coerced(L, 3, VarType::R4).AsR4());
    } else if (key == "Spacing") {
      c.SetSpacing(Coerced(L, 3, VarType::R4).AsR4());
    } else if (key == "Padding") {
      c.SetPadding(Coerced(L, 3, VarType::R4).AsR4());
    } else if (key == "TextColor") {
      c.SetTextColor(ToColour(L, 3));
    } else if (key == "BackColor") {
      c.SetBackColor(ToColour(L, 3));
    } else if (key == "Font") {
      auto* ref = static_cast<ObjectRef*>(luaL_testudata(L, 3, kFontMeta));
      c.SetFont(ref != nullptr ? static_cast<VlFont*>(ref->object.get()) : nullptr);
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
    const FontDesc& d = CheckObject<VlFont>(L, 1, kFontMeta).Desc();
    std::string key = lua_tostring(L, 2) ? lua_tostring(L, 2) : "";
    if (key == "Name") {
      PushCp932(L, d.name);
    } else if (key == "Size") {
      lua_pushnumber(L, static_cast<double>(d.sizeCy) / 10000.0);
    } else if (key == "Bold") {
      lua_pushboolean(L, d.bold);
    } else if (key == "Italic") {
      lua_pushboolean(L, d.italic);
    } else if (key == "Underline") {
      lua_pushboolean(L, d.underline);
    } else if (key == "Strikethrough") {
      lua_pushboolean(L, d.strikethrough);
    } else if (key == "Weight") {
      lua_pushinteger(L, d.weight);
    } else if (key == "Charset") {
      lua_pushinteger(L, d.charset);
    } else {
      throw ScriptError("a font has no property " + key);
    }
    return 1;
  });
}

int FontNewIndex(lua_State* L) {
  return Guarded(L, [&] {
    VlFont& f = CheckObject<VlFont>(L, 1, kFontMeta);
    std::string key = lua_tostring(L, 2) ? lua_tostring(L, 2) : "";
    if (key == "Name") {
      f.SetName(Coerced(L, 3, VarType::Bstr).AsBstr());
    } else if (key == "Size") {
      double pt = Coerced(L, 3, VarType::R8).AsR8();
      if (!(pt > 0) || pt > 2000) throw HostError{kErrInvalidPropertyValue, "Invalid property value"};
      f.SetSizeCy(PointsToSizeCy(pt));
    } else if (key == "Bold") {
      f.SetBold(Coerced(L, 3, VarType::Bool).AsBool());
    } else if (key == "Italic") {
      f.SetItalic(Coerced(L, 3, VarType::Bool).AsBool());
    } else if (key == "Underline") {
      f.SetUnderline(Coerced(L, 3, VarType::Bool).AsBool());
    } else if (key == "Strikethrough") {
      f.SetStrikethrough(Coerced(L, 3, VarType::Bool).AsBool());
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

std::shared_ptr<win::FontBackend> MakeRealFonts() { return std::make_shared<win::FreeTypeFontBackend>(); }

void OpenForms(lua_State* L) {
  const luaL_Reg formMeta[] = {{"__gc", FormGc}, {"__index", FormIndex}, {"__newindex", FormNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kFormMeta, formMeta);
  luaL_getmetatable(L, kFormMeta);
  const luaL_Reg methods[] = {{"add", FormAdd},       {"add_button", FormAddButton},
                              {"events", FormEvents},   {"messages", FormMessages},
                              {"notifications", FormNotifications}, {"modified", FormModified},
                              {"focus", FormFocus},   {"focused", FormFocused}, {nullptr, nullptr}};
  luaL_newlib(L, methods);
  RegisterInputMethods(L);
  RegisterRenderMethods(L);
  RegisterPageMethods(L);
  RegisterDataMethods(L);
  RegisterShowMethod(L);
  lua_setfield(L, -2, "methods");
  lua_pop(L, 1);

  const luaL_Reg boxMeta[] = {{"__gc", BoxGc}, {"__index", BoxIndex}, {"__newindex", BoxNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kBoxMeta, boxMeta);
  const luaL_Reg captionsMeta[] = {{"__gc", BoxGc}, {"__index", CaptionsIndex}, {"__newindex", CaptionsNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kCaptionsMeta, captionsMeta);
  const luaL_Reg captionMeta[] = {{"__gc", ObjectGc}, {"__index", CaptionIndex}, {"__newindex", CaptionNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kCaptionMeta, captionMeta);
  const luaL_Reg fontMeta[] = {{"__gc", ObjectGc}, {"__index", FontIndex}, {"__newindex", FontNewIndex}, {nullptr, nullptr}};
  NewMeta(L, kFontMeta, fontMeta);
  for (const char* meta : {kCaptionMeta, kFontMeta}) {
    luaL_getmetatable(L, meta);
    lua_pushboolean(L, 1);
    lua_setfield(L, -2, "__variant");
    lua_pop(L, 1);
  }

  lua_pushcfunction(L, NewForm);
  lua_setfield(L, -2, "Form");
  RegisterPictureFunctions(L);
  RegisterPageFunctions(L);
  for (const auto& [name, value] : TypeLibraryConstants()) {
    lua_pushinteger(L, value);
    lua_setfield(L, -2, name);
  }
}

}  // namespace vl::script
