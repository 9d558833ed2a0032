// Pictures and layout from scripts: f:render(path [, box] [, {font = "fixed", metafile = true}]) and
// f:move(box, {x =, y =, w =, h =}).
#include <cstring>
#include <memory>
#include <optional>

#include "host/form_render.h"
#include "platform/fixed_font.h"
#include "platform/png_writer.h"
#include "script/lua_form_internal.h"

namespace vl::script {

namespace {

bool IsBox(lua_State* L, int index) { return luaL_testudata(L, index, kBoxMeta) != nullptr; }

int FormRender(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:render(path [, box] [, options]): a file name is expected");
    const std::string path = lua_tostring(L, 2);
    int next = 3;
    const BoxRef* box = nullptr;
    if (IsBox(L, next)) {
      box = &CheckBoxRef(L, next);
      ++next;
    }
    bool metafile = false;
    if (lua_istable(L, next)) {
      lua_getfield(L, next, "metafile");
      metafile = lua_toboolean(L, -1) != 0;
      lua_pop(L, 1);
    }
    PictureFonts pictureFonts(L, next, h, "f:render");
    win::FontBackend* fonts = &pictureFonts.Get();
    h.form->PumpMessages();
    win::Surface picture;
    if (box != nullptr) {
      BoxSite* site = h.form->FindBox(box->name);
      if (site == nullptr) throw ScriptError("f:render: the box is not on this form");
      picture = RenderBox(*h.form, *site, *fonts, metafile);
    } else {
      picture = RenderForm(*h.form, *fonts);
    }
    if (!win::WritePng(picture, path)) throw ScriptError("f:render: cannot write " + path);
    lua_pushinteger(L, picture.Width());
    lua_pushinteger(L, picture.Height());
    return 2;
  });
}

int FormMove(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    CVlTypedBoxCtrl& control = BoxControl(CheckBoxRef(L, 2));
    if (!lua_istable(L, 3)) throw ScriptError("f:move(box, {x =, y =, w =, h =}): a rectangle is expected");
    const win::RECT now = h.form->WindowSystem().GetWindowRect(control.Handle());
    const win::RECT got = h.form->MoveBox(control, ReadRect(L, 3, now));
    lua_createtable(L, 0, 4);
    const std::pair<const char*, int> out[4] = {{"x", got.left}, {"y", got.top}, {"w", got.Width()}, {"h", got.Height()}};
    for (const auto& [key, value] : out) {
      lua_pushinteger(L, value);
      lua_setfield(L, -2, key);
    }
    return 1;
  });
}

// The pixel of a picture read back: pic.pixel(x, y) as a colour 0x00BBGGRR (the form colour
// properties use), nil outside the picture.
int PicturePixel(lua_State* L) {
  auto* surface = static_cast<win::Surface*>(lua_touserdata(L, lua_upvalueindex(1)));
  const auto x = static_cast<int>(luaL_checkinteger(L, 1));
  const auto y = static_cast<int>(luaL_checkinteger(L, 2));
  if (!surface->Contains(x, y)) {
    lua_pushnil(L);
  } else {
    lua_pushinteger(L, static_cast<lua_Integer>(surface->GetPixel(x, y)));
  }
  return 1;
}

int SurfaceGc(lua_State* L) {
  static_cast<win::Surface*>(lua_touserdata(L, 1))->~Surface();
  return 0;
}

int ReadPicture(lua_State* L) {
  return Guarded(L, [&] {
    if (lua_type(L, 1) != LUA_TSTRING) throw ScriptError("vl.read_png(path): a file name is expected");
    std::optional<win::Surface> picture = win::ReadPng(lua_tostring(L, 1));
    if (!picture) throw ScriptError(std::string("vl.read_png: no picture in ") + lua_tostring(L, 1));
    lua_createtable(L, 0, 3);
    lua_pushinteger(L, picture->Width());
    lua_setfield(L, -2, "width");
    lua_pushinteger(L, picture->Height());
    lua_setfield(L, -2, "height");
    auto* held = static_cast<win::Surface*>(lua_newuserdatauv(L, sizeof(win::Surface), 0));
    new (held) win::Surface(std::move(*picture));
    lua_createtable(L, 0, 1);
    lua_pushcfunction(L, SurfaceGc);
    lua_setfield(L, -2, "__gc");
    lua_setmetatable(L, -2);
    lua_pushcclosure(L, PicturePixel, 1);
    lua_setfield(L, -2, "pixel");
    return 1;
  });
}

int FormDesignEdit(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    lua_pushboolean(L, BoxControl(CheckBoxRef(L, 2)).DesignEdit() ? 1 : 0);
    ThrowPending(h);
    return 1;
  });
}

}  // namespace

PictureFonts::PictureFonts(lua_State* L, int options, FormHost& host, const char* who) {
  bool fixed = host.form->ScreenFonts() == nullptr;
  if (lua_istable(L, options)) {
    lua_getfield(L, options, "font");
    if (lua_isstring(L, -1)) {
      const std::string font = lua_tostring(L, -1);
      if (font != "fixed" && font != "real") throw ScriptError(std::string(who) + ": font is \"real\" or \"fixed\"");
      fixed = font == "fixed";
    }
    lua_pop(L, 1);
  }
  // A picture in the fixed-metrics font is exact geometry; the real one is what a person reads.
  fonts_ = host.form->ScreenFonts();
  if (fixed) {
    fonts_ = &fixed_;
  } else if (fonts_ == nullptr) {
    real_ = MakeRealFonts();
    fonts_ = real_.get();
  }
}

void RegisterPictureFunctions(lua_State* L) {
  lua_pushcfunction(L, ReadPicture);
  lua_setfield(L, -2, "read_png");
}

void RegisterRenderMethods(lua_State* L) {
  const luaL_Reg methods[] = {{"render", FormRender}, {"move", FormMove}, {"design_edit", FormDesignEdit}, {nullptr, nullptr}};
  luaL_setfuncs(L, methods, 0);
}

}  // namespace vl::script
