// The design-time property pages and the colour picker in Lua: f:property_pages(b), the page
// objects, the colour lists, f:answer_dialog, f:dialogs and vl.palette.
#include <algorithm>
#include <cstring>
#include <optional>

#include "script/lua_form_internal.h"
#include "vltext/pages.h"

namespace vl::script {

namespace {

constexpr const char* kPagesMeta = "vl.PropertyPages";
constexpr const char* kPageMeta = "vl.PropertyPage";
constexpr const char* kColourListMeta = "vl.ColourList";
constexpr const char* kPaletteKey = "vl.palette";

// The userdata of the frame, a page of it, or a colour list of its Caption page.
struct PagesRef {
  std::optional<vl::PropertyPages> frame;
  int page = 0;   // a page's index
  int field = 0;  // a colour list's control id
};

[[noreturn]] void BadArgument(const std::string& message) { throw HostError{kErrInvalidProcedureCall, message}; }

vl::PropertyPages& Live(PagesRef& ref) {
  if (!ref.frame) BadArgument("the property pages are closed");
  return *ref.frame;
}

PagesRef& CheckRef(lua_State* L, int index, const char* meta, const char* what) {
  auto* ref = static_cast<PagesRef*>(luaL_testudata(L, index, meta));
  if (ref == nullptr) BadArgument(std::string(what) + " is expected");
  return *ref;
}

PagesRef& CheckPages(lua_State* L, int index) { return CheckRef(L, index, kPagesMeta, "the property pages"); }
PagesRef& CheckPage(lua_State* L, int index) { return CheckRef(L, index, kPageMeta, "a property page"); }
PagesRef& CheckColourList(lua_State* L, int index) { return CheckRef(L, index, kColourListMeta, "a colour list"); }

int RefGc(lua_State* L) {
  if (auto* ref = static_cast<PagesRef*>(lua_touserdata(L, 1))) ref->~PagesRef();
  return 0;
}

// A new reference userdata that keeps the object at `ownerIndex` (the form or the frame) alive.
void PushRef(lua_State* L, const PagesRef& value, const char* meta, int ownerIndex) {
  const int owner = lua_absindex(L, ownerIndex);
  auto* ref = static_cast<PagesRef*>(lua_newuserdatauv(L, sizeof(PagesRef), 1));
  new (ref) PagesRef(value);
  luaL_setmetatable(L, meta);
  lua_pushvalue(L, owner);
  lua_setiuservalue(L, -2, 1);
}

// The palette every frame of the script shares.
vl::Palette Palette(lua_State* L) {
  lua_getfield(L, LUA_REGISTRYINDEX, kPaletteKey);
  auto* held = static_cast<vl::Palette*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  if (held != nullptr) return *held;
  auto* made = static_cast<vl::Palette*>(lua_newuserdatauv(L, sizeof(vl::Palette), 0));
  new (made) vl::Palette();
  lua_createtable(L, 0, 1);
  lua_pushcfunction(L, [](lua_State* S) {
    static_cast<vl::Palette*>(lua_touserdata(S, 1))->~Palette();
    return 0;
  });
  lua_setfield(L, -2, "__gc");
  lua_setmetatable(L, -2);
  lua_setfield(L, LUA_REGISTRYINDEX, kPaletteKey);
  return Palette(L);
}

int CheckFieldId(lua_State* L, int index) {
  if (!lua_isinteger(L, index)) BadArgument("a field's control id (an integer) is expected");
  const lua_Integer id = lua_tointeger(L, index);
  if (id < 1 || id > 0xFFFF) BadArgument("no field " + std::to_string(id));
  return static_cast<int>(id);
}

vl::PageField FieldOf(vl::PropertyPages& p, int page, int id) {
  std::optional<vl::PageField> f = p.Field(page, id);
  if (!f) BadArgument("the " + p.Title(page) + " page has no field " + std::to_string(id));
  return *f;
}

void PushStrings(lua_State* L, const std::vector<std::string>& texts) {
  lua_createtable(L, static_cast<int>(texts.size()), 0);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    lua_pushlstring(L, texts[i].data(), texts[i].size());
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
}

void PushText(lua_State* L, const std::string& text) { lua_pushlstring(L, text.data(), text.size()); }

// --- The frame ---------------------------------------------------------------------------------

int FormPropertyPages(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const vl::Box& box = CheckBoxRef(L, 2).box;
    const std::optional<vl::Box> onForm = h.form->FindBox(box.Name());
    if (!onForm || !(*onForm == box)) BadArgument("the box is not on this form");
    vl::PropertyPages frame = h.form->OpenPropertyPages(box, Palette(L));
    PushRef(L, PagesRef{std::move(frame), 0, 0}, kPagesMeta, 1);
    return 1;
  });
}

int PageIndexOf(lua_State* L, vl::PropertyPages& p, int index) {
  if (lua_type(L, index) != LUA_TSTRING)
    BadArgument("a page name (\"General\", \"Style\", \"Style2\" or \"Caption\") is expected");
  const int i = p.IndexOf(lua_tostring(L, index));
  if (i < 0) BadArgument(std::string("no page named ") + lua_tostring(L, index));
  return i;
}

int PagesApply(lua_State* L) {
  return Guarded(L, [&] {
    const std::optional<vl::Error> refused = Live(CheckPages(L, 1)).Apply();
    lua_pushboolean(L, !refused);
    if (!refused) return 1;
    PushHostError(L, HostError{refused->Code(), refused->what()});
    return 2;
  });
}

int PagesRender(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    vl::PropertyPages& p = Live(ref);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("pages:render(path [, page] [, options]): a file name is expected");
    const std::string path = lua_tostring(L, 2);
    const int page = lua_isnoneornil(L, 3) || lua_istable(L, 3) ? p.Shown() : PageIndexOf(L, p, 3);
    const int options = lua_istable(L, 3) ? 3 : 4;
    lua_getiuservalue(L, 1, 1);  // the form
    const FormHost& host = CheckForm(L, -1);
    lua_pop(L, 1);
    const vl::Picture picture = p.Render(page, PictureInFixedFont(L, options, host, "pages:render"));
    if (!picture.WritePng(path)) BadArgument("pages:render: cannot write " + path);
    lua_pushinteger(L, picture.Width());
    lua_pushinteger(L, picture.Height());
    return 2;
  });
}

int PagesShow(lua_State* L) {
  return Guarded(L, [&] {
    vl::PropertyPages& p = Live(CheckPages(L, 1));
    p.Show(PageIndexOf(L, p, 2), true);
    return 0;
  });
}

int PagesFocused(lua_State* L) {
  return Guarded(L, [&] {
    vl::PropertyPages& p = Live(CheckPages(L, 1));
    const auto focused = p.Focused();
    if (!focused) {
      lua_pushnil(L);
      return 1;
    }
    PushText(L, p.Title(focused->first));
    lua_pushinteger(L, focused->second);
    return 2;
  });
}

int PagesDirty(lua_State* L) {
  return Guarded(L, [&] {
    lua_pushboolean(L, Live(CheckPages(L, 1)).IsDirty());
    return 1;
  });
}

int PagesClose(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    if (ref.frame) ref.frame->Close();
    return 0;
  });
}

int PagesIndex(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("the property pages have pages and methods by name");
    const std::string key = lua_tostring(L, 2);
    vl::PropertyPages& p = Live(ref);
    if (const int i = p.IndexOf(key); i >= 0) {
      PushRef(L, PagesRef{p, i, 0}, kPageMeta, 1);
      return 1;
    }
    luaL_getmetatable(L, kPagesMeta);
    lua_getfield(L, -1, "methods");
    lua_getfield(L, -1, key.c_str());
    if (lua_isnil(L, -1)) BadArgument("the property pages have no page or method " + key);
    return 1;
  });
}

// --- A page ------------------------------------------------------------------------------------

int PageGet(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    vl::PropertyPages& p = Live(ref);
    const vl::PageField f = FieldOf(p, ref.page, CheckFieldId(L, 2));
    switch (f.kind) {
      case vl::FieldKind::Check:
        lua_pushboolean(L, f.checked);
        break;
      case vl::FieldKind::DropList:
        lua_pushinteger(L, f.selected);
        break;
      case vl::FieldKind::ColourList:
        lua_pushinteger(L, p.ListColour(ref.page, f.id).value_or(0));
        break;
      case vl::FieldKind::Button:
        lua_pushnil(L);
        break;
      default:
        PushText(L, f.text);
        break;
    }
    return 1;
  });
}

int PageSet(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    vl::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    const vl::PageField f = FieldOf(p, ref.page, id);
    if (!f.enabled) BadArgument("the field " + std::to_string(id) + " (" + f.label + ") is disabled");
    bool taken = false;
    switch (f.kind) {
      case vl::FieldKind::Edit:
        if (!lua_isstring(L, 3)) BadArgument("g:set: a text is expected for the field " + std::to_string(id));
        taken = p.Type(ref.page, id, lua_tostring(L, 3));
        break;
      case vl::FieldKind::Combo:
      case vl::FieldKind::DropList:
        if (lua_isinteger(L, 3)) {
          const lua_Integer i = lua_tointeger(L, 3);
          if (i < 0 || i >= static_cast<lua_Integer>(f.items.size())) {
            BadArgument("the field " + std::to_string(id) + " has no item " + std::to_string(i));
          }
          taken = p.Choose(ref.page, id, static_cast<int>(i));
        } else if (lua_type(L, 3) == LUA_TSTRING && f.kind == vl::FieldKind::Combo) {
          taken = p.Type(ref.page, id, lua_tostring(L, 3));
        } else if (lua_type(L, 3) == LUA_TSTRING) {
          // A list item named by its text.
          const std::string text = lua_tostring(L, 3);
          const auto found = std::find(f.items.begin(), f.items.end(), text);
          if (found == f.items.end()) BadArgument("the field " + std::to_string(id) + " has no item " + text);
          taken = p.Choose(ref.page, id, static_cast<int>(found - f.items.begin()));
        } else {
          BadArgument("g:set: an item index or text is expected for the field " + std::to_string(id));
        }
        break;
      case vl::FieldKind::Check:
        if (!lua_isboolean(L, 3) && !lua_isinteger(L, 3))
          BadArgument("g:set: true or false is expected for the field " + std::to_string(id));
        taken = p.Check(ref.page, id, lua_isboolean(L, 3) ? lua_toboolean(L, 3) != 0 : lua_tointeger(L, 3) != 0);
        break;
      case vl::FieldKind::Button:
        taken = p.Click(ref.page, id);
        break;
      default:
        BadArgument("the field " + std::to_string(id) + " takes no input (colour lists: colour_list(id))");
    }
    if (!taken) BadArgument("the field " + std::to_string(id) + " did not take the input");
    return 0;
  });
}

int PageLeave(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    vl::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    FieldOf(p, ref.page, id);
    p.Leave(ref.page, id);
    return 0;
  });
}

int PageFocus(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    vl::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    FieldOf(p, ref.page, id);
    lua_pushboolean(L, p.Focus(ref.page, id));
    return 1;
  });
}

int PageEnabled(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    lua_pushboolean(L, FieldOf(Live(ref), ref.page, CheckFieldId(L, 2)).enabled);
    return 1;
  });
}

int PageItems(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    vl::PropertyPages& p = Live(ref);
    const vl::PageField f = FieldOf(p, ref.page, CheckFieldId(L, 2));
    if (p.ListColour(ref.page, f.id)) {
      std::vector<std::string> texts;
      for (const vl::ColourItem& item : p.ListItems(ref.page, f.id)) texts.push_back(item.text);
      PushStrings(L, texts);
    } else {
      PushStrings(L, f.items);
    }
    return 1;
  });
}

int PageLabel(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    PushText(L, FieldOf(Live(ref), ref.page, CheckFieldId(L, 2)).label);
    return 1;
  });
}

int PageFields(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    const std::vector<vl::PageField> fields = Live(ref).Fields(ref.page);
    lua_createtable(L, static_cast<int>(fields.size()), 0);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      lua_pushinteger(L, fields[i].id);
      lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
  });
}

int PageColourList(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    vl::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    if (!p.ListColour(ref.page, id)) {
      BadArgument("the " + p.Title(ref.page) + " page has no colour list " + std::to_string(id));
    }
    PushRef(L, PagesRef{p, ref.page, id}, kColourListMeta, 1);
    return 1;
  });
}

int PageIndex(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("a property page has methods by name");
    const std::string key = lua_tostring(L, 2);
    if (key == "title") {
      PushText(L, Live(ref).Title(ref.page));
      return 1;
    }
    luaL_getmetatable(L, kPageMeta);
    lua_getfield(L, -1, "methods");
    lua_getfield(L, -1, key.c_str());
    if (lua_isnil(L, -1)) BadArgument("a property page has no method " + key);
    return 1;
  });
}

// --- A colour list -------------------------------------------------------------------------------

int ColourListDropDown(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    vl::PropertyPages& p = Live(ref);
    if (!p.Focus(ref.page, ref.field)) BadArgument("the colour list " + std::to_string(ref.field) + " is disabled");
    p.DropDown(ref.page, ref.field, true);
    const std::vector<vl::ColourItem> items = p.ListItems(ref.page, ref.field);
    lua_createtable(L, static_cast<int>(items.size()), 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
      lua_createtable(L, 0, 2);
      lua_pushinteger(L, items[i].value);
      lua_setfield(L, -2, "value");
      PushText(L, items[i].text);
      lua_setfield(L, -2, "text");
      lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
  });
}

int ColourListChoose(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    vl::PropertyPages& p = Live(ref);
    if (!lua_isinteger(L, 2)) BadArgument("c:choose(n): an item number (1-based) is expected");
    const lua_Integer n = lua_tointeger(L, 2);
    if (n < 1 || n > 0xFFFF || !p.Choose(ref.page, ref.field, static_cast<int>(n - 1))) {
      BadArgument("the colour list has no item " + std::to_string(n));
    }
    lua_pushinteger(L, p.ListColour(ref.page, ref.field).value_or(0));
    return 1;
  });
}

int ColourListColour(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    lua_pushinteger(L, Live(ref).ListColour(ref.page, ref.field).value_or(0));
    return 1;
  });
}

int ColourListClose(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    Live(ref).DropDown(ref.page, ref.field, false);
    return 0;
  });
}

// --- Common dialogs and the palette ------------------------------------------------------------

vl::DialogKind DialogKind(lua_State* L, int index) {
  const std::string kind = lua_type(L, index) == LUA_TSTRING ? lua_tostring(L, index) : "";
  if (kind == "colour" || kind == "color") return vl::DialogKind::Colour;
  if (kind == "file") return vl::DialogKind::OpenFile;
  if (kind == "font") return vl::DialogKind::Font;
  BadArgument("a dialog kind (\"colour\", \"file\" or \"font\") is expected");
}

const char* DialogKindName(vl::DialogKind kind) {
  switch (kind) {
    case vl::DialogKind::Colour:
      return "colour";
    case vl::DialogKind::OpenFile:
      return "file";
    case vl::DialogKind::Font:
      return "font";
  }
  return "?";
}

vl::FontChoice ReadFontTable(lua_State* L, int index) {
  vl::FontChoice d;
  lua_getfield(L, index, "name");
  if (lua_type(L, -1) != LUA_TSTRING)
    BadArgument("f:answer_dialog(\"font\", {name =, size = ...}): a name is expected");
  d.name = lua_tostring(L, -1);
  lua_pop(L, 1);
  lua_getfield(L, index, "size");
  d.size = lua_isnumber(L, -1) ? lua_tonumber(L, -1) : 9.0;
  lua_pop(L, 1);
  if (!(d.size > 0) || d.size > 2000) BadArgument("f:answer_dialog: a font size from 0 to 2000 points is expected");
  auto flag = [&](const char* key) {
    lua_getfield(L, index, key);
    const bool on = lua_toboolean(L, -1) != 0;
    lua_pop(L, 1);
    return on;
  };
  d.bold = flag("bold");
  d.italic = flag("italic");
  d.underline = flag("underline");
  d.strikethrough = flag("strikethrough");
  lua_getfield(L, index, "weight");
  d.weight = static_cast<std::int32_t>(lua_isinteger(L, -1) ? std::clamp<lua_Integer>(lua_tointeger(L, -1), 0, 1000)
                                                            : (d.bold ? 700 : 400));
  lua_pop(L, 1);
  lua_getfield(L, index, "charset");
  d.charset =
      static_cast<std::int32_t>(lua_isinteger(L, -1) ? std::clamp<lua_Integer>(lua_tointeger(L, -1), 0, 255) : 128);
  lua_pop(L, 1);
  return d;
}

void PushFontTable(lua_State* L, const vl::FontChoice& d) {
  lua_createtable(L, 0, 8);
  PushText(L, d.name);
  lua_setfield(L, -2, "name");
  lua_pushnumber(L, d.size);
  lua_setfield(L, -2, "size");
  for (const auto& [key, on] : {std::pair{"bold", d.bold},
                                {"italic", d.italic},
                                {"underline", d.underline},
                                {"strikethrough", d.strikethrough}}) {
    lua_pushboolean(L, on);
    lua_setfield(L, -2, key);
  }
  lua_pushinteger(L, d.weight);
  lua_setfield(L, -2, "weight");
  lua_pushinteger(L, d.charset);
  lua_setfield(L, -2, "charset");
}

int FormAnswerDialog(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const vl::DialogKind kind = DialogKind(L, 2);
    if (lua_isnoneornil(L, 3)) {
      h.form->AnswerDialog(kind, std::nullopt);
      return 0;
    }
    vl::DialogAnswer answer;
    switch (kind) {
      case vl::DialogKind::Colour: {
        if (!lua_isinteger(L, 3) || lua_tointeger(L, 3) < 0 || lua_tointeger(L, 3) > 0xFFFFFF) {
          BadArgument("f:answer_dialog(\"colour\", c): a colour 0x00BBGGRR (or nil for Cancel) is expected");
        }
        answer.colour = static_cast<std::uint32_t>(lua_tointeger(L, 3));
        break;
      }
      case vl::DialogKind::OpenFile:
        if (lua_type(L, 3) != LUA_TSTRING)
          BadArgument("f:answer_dialog(\"file\", path): a path (or nil for Cancel) is expected");
        answer.path = lua_tostring(L, 3);
        break;
      case vl::DialogKind::Font:
        if (!lua_istable(L, 3))
          BadArgument("f:answer_dialog(\"font\", {name =, size = ...}): a font table (or nil for Cancel) is expected");
        answer.font = ReadFontTable(L, 3);
        break;
    }
    h.form->AnswerDialog(kind, answer);
    return 0;
  });
}

int FormDialogs(lua_State* L) {
  return Guarded(L, [&] {
    const std::vector<vl::DialogRecord> records = CheckForm(L, 1).form->TakeDialogs();
    lua_createtable(L, static_cast<int>(records.size()), 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const vl::DialogRecord& r = records[i];
      lua_newtable(L);
      lua_pushstring(L, DialogKindName(r.kind));
      lua_setfield(L, -2, "kind");
      if (!r.owner.empty()) {
        PushText(L, r.owner);
        lua_setfield(L, -2, "owner");
      }
      switch (r.kind) {
        case vl::DialogKind::Colour:
          lua_pushinteger(L, r.colour);
          lua_setfield(L, -2, "colour");
          break;
        case vl::DialogKind::OpenFile:
          PushText(L, r.filter);
          lua_setfield(L, -2, "filter");
          PushText(L, r.path);
          lua_setfield(L, -2, "path");
          break;
        case vl::DialogKind::Font:
          PushFontTable(L, r.font);
          lua_setfield(L, -2, "font");
          break;
      }
      lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
  });
}

int PaletteList(lua_State* L) {
  return Guarded(L, [&] {
    const std::vector<std::uint32_t> colours = Palette(L).Colours();
    lua_createtable(L, static_cast<int>(colours.size()), 0);
    for (std::size_t i = 0; i < colours.size(); ++i) {
      lua_pushinteger(L, colours[i]);
      lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
  });
}

void NewClass(lua_State* L, const char* meta, lua_CFunction index, const luaL_Reg* methods) {
  luaL_newmetatable(L, meta);
  lua_pushcfunction(L, RefGc);
  lua_setfield(L, -2, "__gc");
  lua_pushcfunction(L, index);
  lua_setfield(L, -2, "__index");
  lua_newtable(L);
  luaL_setfuncs(L, methods, 0);
  lua_setfield(L, -2, "methods");
  lua_pop(L, 1);
}

int ColourListIndex(lua_State* L) {
  return Guarded(L, [&] {
    CheckColourList(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("a colour list has methods by name");
    luaL_getmetatable(L, kColourListMeta);
    lua_getfield(L, -1, "methods");
    lua_getfield(L, -1, lua_tostring(L, 2));
    if (lua_isnil(L, -1)) BadArgument(std::string("a colour list has no method ") + lua_tostring(L, 2));
    return 1;
  });
}

}  // namespace

void RegisterPageMethods(lua_State* L) {
  const luaL_Reg methods[] = {{"property_pages", FormPropertyPages},
                              {"answer_dialog", FormAnswerDialog},
                              {"dialogs", FormDialogs},
                              {nullptr, nullptr}};
  luaL_setfuncs(L, methods, 0);
}

void RegisterPageFunctions(lua_State* L) {
  const luaL_Reg pagesMethods[] = {{"apply", PagesApply},     {"render", PagesRender}, {"show", PagesShow},
                                   {"focused", PagesFocused}, {"dirty", PagesDirty},   {"close", PagesClose},
                                   {nullptr, nullptr}};
  NewClass(L, kPagesMeta, PagesIndex, pagesMethods);
  const luaL_Reg pageMethods[] = {{"get", PageGet},     {"set", PageSet},         {"leave", PageLeave},
                                  {"focus", PageFocus}, {"enabled", PageEnabled}, {"items", PageItems},
                                  {"label", PageLabel}, {"fields", PageFields},   {"colour_list", PageColourList},
                                  {nullptr, nullptr}};
  NewClass(L, kPageMeta, PageIndex, pageMethods);
  const luaL_Reg listMethods[] = {{"drop_down", ColourListDropDown},
                                  {"choose", ColourListChoose},
                                  {"colour", ColourListColour},
                                  {"close", ColourListClose},
                                  {nullptr, nullptr}};
  NewClass(L, kColourListMeta, ColourListIndex, listMethods);
  lua_pushcfunction(L, PaletteList);
  lua_setfield(L, -2, "palette");
}

}  // namespace vl::script
