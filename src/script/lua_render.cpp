// Pictures and layout from scripts: f:render(path [, box] [, {font = "fixed", metafile = true}]),
// f:move(box, {x =, y =, w =, h =}) and vl.read_png(path).
#include <optional>
#include <string>

#include "script/lua_form_internal.h"
#include "vltext/picture.h"

namespace vl::script {

namespace {

int FormRender(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:render(path [, box] [, options]): a file name is expected");
    const std::string path = lua_tostring(L, 2);
    int next = 3;
    const BoxRef* box = nullptr;
    if (luaL_testudata(L, next, kBoxMeta) != nullptr) {
      box = &CheckBoxRef(L, next);
      ++next;
    }
    bool metafile = false;
    if (lua_istable(L, next)) {
      lua_getfield(L, next, "metafile");
      metafile = lua_toboolean(L, -1) != 0;
      lua_pop(L, 1);
    }
    const bool fixed = PictureInFixedFont(L, next, h, "f:render");
    if (box != nullptr) {
      const std::optional<vl::Box> onForm = h.form->FindBox(box->box.Name());
      if (!onForm || !(*onForm == box->box)) throw ScriptError("f:render: the box is not on this form");
    }
    const vl::Picture picture = box != nullptr ? h.form->RenderBox(box->box, fixed, metafile) : h.form->Render(fixed);
    if (!picture.WritePng(path)) throw ScriptError("f:render: cannot write " + path);
    lua_pushinteger(L, picture.Width());
    lua_pushinteger(L, picture.Height());
    return 2;
  });
}

int FormMove(lua_State* L) {
  return Guarded(L, [&] {
    CheckForm(L, 1);
    vl::Box& box = CheckBoxRef(L, 2).box;
    if (!lua_istable(L, 3)) throw ScriptError("f:move(box, {x =, y =, w =, h =}): a rectangle is expected");
    const vl::Rect got = box.Move(ReadRect(L, 3, box.Bounds()));
    lua_createtable(L, 0, 4);
    const std::pair<const char*, int> out[4] = {{"x", got.x}, {"y", got.y}, {"w", got.width}, {"h", got.height}};
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
  const auto* picture = static_cast<const vl::Picture*>(lua_touserdata(L, lua_upvalueindex(1)));
  const auto x = static_cast<int>(luaL_checkinteger(L, 1));
  const auto y = static_cast<int>(luaL_checkinteger(L, 2));
  if (const std::optional<std::uint32_t> pixel = picture->Pixel(x, y)) {
    lua_pushinteger(L, static_cast<lua_Integer>(*pixel));
  } else {
    lua_pushnil(L);
  }
  return 1;
}

int PictureGc(lua_State* L) {
  static_cast<vl::Picture*>(lua_touserdata(L, 1))->~Picture();
  return 0;
}

int ReadPicture(lua_State* L) {
  return Guarded(L, [&] {
    if (lua_type(L, 1) != LUA_TSTRING) throw ScriptError("vl.read_png(path): a file name is expected");
    std::optional<vl::Picture> picture = vl::Picture::ReadPng(lua_tostring(L, 1));
    if (!picture) throw ScriptError(std::string("vl.read_png: no picture in ") + lua_tostring(L, 1));
    lua_createtable(L, 0, 3);
    lua_pushinteger(L, picture->Width());
    lua_setfield(L, -2, "width");
    lua_pushinteger(L, picture->Height());
    lua_setfield(L, -2, "height");
    auto* held = static_cast<vl::Picture*>(lua_newuserdatauv(L, sizeof(vl::Picture), 0));
    new (held) vl::Picture(std::move(*picture));
    lua_createtable(L, 0, 1);
    lua_pushcfunction(L, PictureGc);
    lua_setfield(L, -2, "__gc");
    lua_setmetatable(L, -2);
    lua_pushcclosure(L, PicturePixel, 1);
    lua_setfield(L, -2, "pixel");
    return 1;
  });
}

int FormDesignEdit(lua_State* L) {
  return Guarded(L, [&] {
    CheckForm(L, 1);
    lua_pushboolean(L, CheckBoxRef(L, 2).box.DesignEdit() ? 1 : 0);
    return 1;
  });
}

}  // namespace

bool PictureInFixedFont(lua_State* L, int options, const FormHost& host, const char* who) {
  bool fixed = host.fixedFont;
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
  return fixed;
}

void RegisterPictureFunctions(lua_State* L) {
  lua_pushcfunction(L, ReadPicture);
  lua_setfield(L, -2, "read_png");
}

void RegisterRenderMethods(lua_State* L) {
  const luaL_Reg methods[] = {
      {"render", FormRender}, {"move", FormMove}, {"design_edit", FormDesignEdit}, {nullptr, nullptr}};
  luaL_setfuncs(L, methods, 0);
}

}  // namespace vl::script
