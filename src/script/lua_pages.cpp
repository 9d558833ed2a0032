// The design-time property pages and the colour picker in Lua: f:property_pages(b), the page
// objects, the colour lists, f:answer_dialog, f:dialogs and vl.palette.
#include <cmath>
#include <cstring>
#include <memory>

#include "pages/property_frame.h"
#include "platform/png_writer.h"
#include "script/lua_form_internal.h"
#include "text/encoding.h"

namespace vl::script {

namespace {

constexpr const char* kPagesMeta = "vl.PropertyPages";
constexpr const char* kPageMeta = "vl.PropertyPage";
constexpr const char* kColourListMeta = "vl.ColourList";
constexpr const char* kPaletteKey = "vl.palette";

// The userdata of the frame, a page of it, or a colour list of its Caption page.
struct PagesRef {
  FormHost* host = nullptr;
  std::uint64_t serial = 0;  // the frame's number on its form
  int page = 0;              // a page's index
  int field = 0;             // a colour list's control id
};

[[noreturn]] void BadArgument(const std::string& message) { throw HostError{kErrInvalidProcedureCall, message}; }

pages::PropertyPages& Live(const PagesRef& ref) {
  if (ref.host == nullptr || !ref.host->form) BadArgument("the property pages are closed");
  // Frames closed by a handler while they were busy go once their calls have returned.
  ref.host->form->ReapPropertyPages();
  pages::PropertyPages* p = ref.host->form->FindPropertyPages(ref.serial);
  if (p == nullptr) BadArgument("the property pages are closed");
  return *p;
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
  if (auto* ref = static_cast<PagesRef*>(lua_touserdata(L, 1))) *ref = PagesRef{};
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

std::shared_ptr<pages::SharedPalette> Palette(lua_State* L) {
  lua_getfield(L, LUA_REGISTRYINDEX, kPaletteKey);
  auto* held = static_cast<std::shared_ptr<pages::SharedPalette>*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  if (held != nullptr) return *held;
  auto* made = static_cast<std::shared_ptr<pages::SharedPalette>*>(
      lua_newuserdatauv(L, sizeof(std::shared_ptr<pages::SharedPalette>), 0));
  new (made) std::shared_ptr<pages::SharedPalette>(std::make_shared<pages::SharedPalette>());
  lua_createtable(L, 0, 1);
  lua_pushcfunction(L, [](lua_State* S) {
    static_cast<std::shared_ptr<pages::SharedPalette>*>(lua_touserdata(S, 1))->~shared_ptr();
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

const pages::PageField& FieldOf(const pages::PropertyPages& p, int page, int id) {
  const pages::PageField* f = p.Page(page).Find(id);
  if (f == nullptr)
    BadArgument("the " + Cp932ToUtf8(p.Page(page).Title()) + " page has no field " + std::to_string(id));
  return *f;
}

void PushStrings(lua_State* L, const std::vector<std::string>& cp932) {
  lua_createtable(L, static_cast<int>(cp932.size()), 0);
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    PushCp932(L, cp932[i]);
    lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
  }
}

// --- The frame ---------------------------------------------------------------------------------

int FormPropertyPages(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    BoxSite* site = h.form->FindBox(CheckBoxRef(L, 2).name);
    if (site == nullptr) BadArgument("the box is not on this form");
    pages::PropertyPages& p = h.form->OpenPropertyPages(*site, Palette(L));
    ThrowPending(h);
    PushRef(L, PagesRef{&h, h.form->SerialOf(p), 0, 0}, kPagesMeta, 1);
    return 1;
  });
}

int PageIndexOf(lua_State* L, const pages::PropertyPages& p, int index) {
  if (lua_type(L, index) != LUA_TSTRING)
    BadArgument("a page name (\"General\", \"Style\", \"Style2\" or \"Caption\") is expected");
  const int i = p.IndexOf(lua_tostring(L, index));
  if (i < 0) BadArgument(std::string("no page named ") + lua_tostring(L, index));
  return i;
}

int PagesApply(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    pages::PropertyPages& p = Live(ref);  // kept until this call returns, even if a handler closes it
    const bool ok = p.Apply();
    ThrowPending(*ref.host);
    lua_pushboolean(L, ok);
    if (ok) return 1;
    PushHostError(L, p.LastError()
                         ? ToHostError(*p.LastError())
                         : HostError{kErrInvalidProcedureCall, "the property pages were closed during Apply"});
    return 2;
  });
}

int PagesRender(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    pages::PropertyPages& p = Live(ref);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("pages:render(path [, page] [, options]): a file name is expected");
    const std::string path = lua_tostring(L, 2);
    const int page = lua_isnoneornil(L, 3) || lua_istable(L, 3) ? p.Shown() : PageIndexOf(L, p, 3);
    const int options = lua_istable(L, 3) ? 3 : 4;
    PictureFonts fonts(L, options, *ref.host, "pages:render");
    ref.host->form->PumpMessages();
    const win::Surface picture = p.Render(page, fonts.Get());
    if (!win::WritePng(picture, path)) BadArgument("pages:render: cannot write " + path);
    lua_pushinteger(L, picture.Width());
    lua_pushinteger(L, picture.Height());
    return 2;
  });
}

int PagesShow(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    pages::PropertyPages& p = Live(ref);
    p.Show(PageIndexOf(L, p, 2), true);
    ThrowPending(*ref.host);
    return 0;
  });
}

int PagesFocused(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    const auto [page, id] = Live(ref).Focused();
    if (page < 0) {
      lua_pushnil(L);
      return 1;
    }
    PushCp932(L, Live(ref).Page(page).Title());
    lua_pushinteger(L, id);
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
    if (ref.host != nullptr && ref.host->form) {
      if (pages::PropertyPages* p = ref.host->form->FindPropertyPages(ref.serial))
        ref.host->form->ClosePropertyPages(*p);
    }
    return 0;
  });
}

int PagesIndex(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPages(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("the property pages have pages and methods by name");
    const std::string key = lua_tostring(L, 2);
    pages::PropertyPages& p = Live(ref);
    if (const int i = p.IndexOf(key); i >= 0) {
      PushRef(L, PagesRef{ref.host, ref.serial, i, 0}, kPageMeta, 1);
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
    pages::PropertyPages& p = Live(ref);
    const pages::PageField& f = FieldOf(p, ref.page, CheckFieldId(L, 2));
    switch (f.kind) {
      case pages::FieldKind::Check:
        lua_pushboolean(L, f.checked);
        break;
      case pages::FieldKind::DropList:
        lua_pushinteger(L, f.selected);
        break;
      case pages::FieldKind::ColourList:
        lua_pushinteger(L, p.Page(ref.page).ColourListOf(f.id)->Colour());
        break;
      case pages::FieldKind::Button:
        lua_pushnil(L);
        break;
      default:
        PushCp932(L, f.text);
        break;
    }
    return 1;
  });
}

int PageSet(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    pages::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    const pages::PageField f = FieldOf(p, ref.page, id);
    if (!f.enabled) BadArgument("the field " + std::to_string(id) + " (" + Cp932ToUtf8(f.label) + ") is disabled");
    bool taken = false;
    switch (f.kind) {
      case pages::FieldKind::Edit:
        if (!lua_isstring(L, 3)) BadArgument("g:set: a text is expected for the field " + std::to_string(id));
        taken = p.UserType(ref.page, id, ToCp932(L, 3));
        break;
      case pages::FieldKind::Combo:
      case pages::FieldKind::DropList:
        if (lua_isinteger(L, 3)) {
          const lua_Integer i = lua_tointeger(L, 3);
          if (i < 0 || i >= static_cast<lua_Integer>(f.items.size())) {
            BadArgument("the field " + std::to_string(id) + " has no item " + std::to_string(i));
          }
          taken = p.UserChoose(ref.page, id, static_cast<int>(i));
        } else if (lua_type(L, 3) == LUA_TSTRING && f.kind == pages::FieldKind::Combo) {
          taken = p.UserType(ref.page, id, ToCp932(L, 3));
        } else if (lua_type(L, 3) == LUA_TSTRING) {
          // A list item named by its text.
          const std::string text = ToCp932(L, 3);
          int found = -1;
          for (std::size_t i = 0; i < f.items.size(); ++i) {
            if (f.items[i] == text) found = static_cast<int>(i);
          }
          if (found < 0) BadArgument("the field " + std::to_string(id) + " has no item " + lua_tostring(L, 3));
          taken = p.UserChoose(ref.page, id, found);
        } else {
          BadArgument("g:set: an item index or text is expected for the field " + std::to_string(id));
        }
        break;
      case pages::FieldKind::Check:
        if (!lua_isboolean(L, 3) && !lua_isinteger(L, 3))
          BadArgument("g:set: true or false is expected for the field " + std::to_string(id));
        taken = p.UserCheck(ref.page, id, lua_isboolean(L, 3) ? lua_toboolean(L, 3) != 0 : lua_tointeger(L, 3) != 0);
        break;
      case pages::FieldKind::Button:
        taken = p.UserClick(ref.page, id);
        break;
      default:
        BadArgument("the field " + std::to_string(id) + " takes no input (colour lists: colour_list(id))");
    }
    ThrowPending(*ref.host);
    if (!taken) BadArgument("the field " + std::to_string(id) + " did not take the input");
    return 0;
  });
}

int PageLeave(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    pages::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    FieldOf(p, ref.page, id);
    p.UserLeave(ref.page, id);
    ThrowPending(*ref.host);
    return 0;
  });
}

int PageFocus(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    pages::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    FieldOf(p, ref.page, id);
    lua_pushboolean(L, p.UserFocus(ref.page, id));
    ThrowPending(*ref.host);
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
    pages::PropertyPages& p = Live(ref);
    const pages::PageField& f = FieldOf(p, ref.page, CheckFieldId(L, 2));
    if (pages::ColourList* list = p.Page(ref.page).ColourListOf(f.id)) {
      std::vector<std::string> texts;
      for (std::uint32_t v : list->Items()) texts.push_back(pages::ColourItemText(v));
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
    PushCp932(L, FieldOf(Live(ref), ref.page, CheckFieldId(L, 2)).label);
    return 1;
  });
}

int PageFields(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    const std::vector<pages::PageField>& fields = Live(ref).Page(ref.page).Fields();
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
    pages::PropertyPages& p = Live(ref);
    const int id = CheckFieldId(L, 2);
    if (p.Page(ref.page).ColourListOf(id) == nullptr) {
      BadArgument("the " + Cp932ToUtf8(p.Page(ref.page).Title()) + " page has no colour list " + std::to_string(id));
    }
    PushRef(L, PagesRef{ref.host, ref.serial, ref.page, id}, kColourListMeta, 1);
    return 1;
  });
}

int PageIndex(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckPage(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) BadArgument("a property page has methods by name");
    const std::string key = lua_tostring(L, 2);
    if (key == "title") {
      PushCp932(L, Live(ref).Page(ref.page).Title());
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

pages::ColourList& ListOf(const PagesRef& ref) { return *Live(ref).Page(ref.page).ColourListOf(ref.field); }

int ColourListDropDown(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    pages::PropertyPages& p = Live(ref);
    if (!p.UserFocus(ref.page, ref.field)) BadArgument("the colour list " + std::to_string(ref.field) + " is disabled");
    p.Sys().SendMessage(p.Dialog(ref.page).FieldWindow(ref.field), win::CB_SHOWDROPDOWN, 1, 0);
    ThrowPending(*ref.host);
    const std::vector<std::uint32_t>& items = ListOf(ref).Items();
    lua_createtable(L, static_cast<int>(items.size()), 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
      lua_createtable(L, 0, 2);
      lua_pushinteger(L, items[i]);
      lua_setfield(L, -2, "value");
      PushCp932(L, pages::ColourItemText(items[i]));
      lua_setfield(L, -2, "text");
      lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
  });
}

int ColourListChoose(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    pages::PropertyPages& p = Live(ref);
    if (!lua_isinteger(L, 2)) BadArgument("c:choose(n): an item number (1-based) is expected");
    const lua_Integer n = lua_tointeger(L, 2);
    if (n < 1 || n > 0xFFFF || !p.UserChoose(ref.page, ref.field, static_cast<int>(n - 1))) {
      ThrowPending(*ref.host);
      BadArgument("the colour list has no item " + std::to_string(n));
    }
    ThrowPending(*ref.host);
    lua_pushinteger(L, ListOf(ref).Colour());
    return 1;
  });
}

int ColourListColour(lua_State* L) {
  return Guarded(L, [&] {
    lua_pushinteger(L, ListOf(CheckColourList(L, 1)).Colour());
    return 1;
  });
}

int ColourListClose(lua_State* L) {
  return Guarded(L, [&] {
    PagesRef& ref = CheckColourList(L, 1);
    pages::PropertyPages& p = Live(ref);
    p.Sys().SendMessage(p.Dialog(ref.page).FieldWindow(ref.field), win::CB_SHOWDROPDOWN, 0, 0);
    return 0;
  });
}

// --- Common dialogs and the palette ------------------------------------------------------------

win::CommonDialogKind DialogKind(lua_State* L, int index) {
  const std::string kind = lua_type(L, index) == LUA_TSTRING ? lua_tostring(L, index) : "";
  if (kind == "colour" || kind == "color") return win::CommonDialogKind::Colour;
  if (kind == "file") return win::CommonDialogKind::OpenFile;
  if (kind == "font") return win::CommonDialogKind::Font;
  BadArgument("a dialog kind (\"colour\", \"file\" or \"font\") is expected");
}

const char* DialogKindName(win::CommonDialogKind kind) {
  switch (kind) {
    case win::CommonDialogKind::Colour:
      return "colour";
    case win::CommonDialogKind::OpenFile:
      return "file";
    case win::CommonDialogKind::Font:
      return "font";
  }
  return "?";
}

FontDesc ReadFontTable(lua_State* L, int index) {
  FontDesc d;
  lua_getfield(L, index, "name");
  if (lua_type(L, -1) != LUA_TSTRING)
    BadArgument("f:answer_dialog(\"font\", {name =, size = ...}): a name is expected");
  d.name = ToCp932(L, -1);
  lua_pop(L, 1);
  lua_getfield(L, index, "size");
  const double size = lua_isnumber(L, -1) ? lua_tonumber(L, -1) : 9.0;
  lua_pop(L, 1);
  if (!(size > 0) || size > 2000) BadArgument("f:answer_dialog: a font size from 0 to 2000 points is expected");
  d.sizeCy = PointsToSizeCy(size);
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
  d.weight = static_cast<std::int16_t>(lua_isinteger(L, -1) ? std::clamp<lua_Integer>(lua_tointeger(L, -1), 0, 1000)
                                                            : (d.bold ? 700 : 400));
  lua_pop(L, 1);
  lua_getfield(L, index, "charset");
  d.charset =
      static_cast<std::int16_t>(lua_isinteger(L, -1) ? std::clamp<lua_Integer>(lua_tointeger(L, -1), 0, 255) : 128);
  lua_pop(L, 1);
  return d;
}

void PushFontTable(lua_State* L, const FontDesc& d) {
  lua_createtable(L, 0, 8);
  PushCp932(L, d.name);
  lua_setfield(L, -2, "name");
  lua_pushnumber(L, static_cast<double>(d.sizeCy) / 10000.0);
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
    const win::CommonDialogKind kind = DialogKind(L, 2);
    if (lua_isnoneornil(L, 3)) {
      h.form->AnswerDialog(kind, std::nullopt);
      return 0;
    }
    DialogAnswer answer;
    switch (kind) {
      case win::CommonDialogKind::Colour: {
        if (!lua_isinteger(L, 3) || lua_tointeger(L, 3) < 0 || lua_tointeger(L, 3) > 0xFFFFFF) {
          BadArgument("f:answer_dialog(\"colour\", c): a colour 0x00BBGGRR (or nil for Cancel) is expected");
        }
        answer.colour = static_cast<std::uint32_t>(lua_tointeger(L, 3));
        break;
      }
      case win::CommonDialogKind::OpenFile:
        if (lua_type(L, 3) != LUA_TSTRING)
          BadArgument("f:answer_dialog(\"file\", path): a path (or nil for Cancel) is expected");
        answer.path = ToCp932(L, 3);
        break;
      case win::CommonDialogKind::Font:
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
    const std::vector<DialogRecord> records = CheckForm(L, 1).form->TakeDialogs();
    lua_createtable(L, static_cast<int>(records.size()), 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const DialogRecord& r = records[i];
      lua_newtable(L);
      lua_pushstring(L, DialogKindName(r.kind));
      lua_setfield(L, -2, "kind");
      if (!r.owner.empty()) {
        PushCp932(L, r.owner);
        lua_setfield(L, -2, "owner");
      }
      switch (r.kind) {
        case win::CommonDialogKind::Colour:
          lua_pushinteger(L, r.colour);
          lua_setfield(L, -2, "colour");
          break;
        case win::CommonDialogKind::OpenFile:
          PushCp932(L, r.filter);
          lua_setfield(L, -2, "filter");
          PushCp932(L, r.path);
          lua_setfield(L, -2, "path");
          break;
        case win::CommonDialogKind::Font:
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
    std::shared_ptr<pages::SharedPalette> palette = Palette(L);
    const std::vector<std::uint32_t>& colours = palette->Colours();
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
