// f:show: the form in a real desktop window, when the program running the script has one.
#include <string>

#include "script/lua_form_internal.h"
#include "vltext/script.h"

namespace vl::script {

namespace {

void ShowForm(lua_State* L, FormHost& host, const std::string& title) {
  lua_getfield(L, LUA_REGISTRYINDEX, kShowFunctionKey);
  auto* show = static_cast<const vl::ShowFunction*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  if (show == nullptr || !*show) {
    throw HostError{kErrInvalidProcedureCall,
                    "this program has no desktop window (vltext run and vltext show have one)"};
  }
  host.shown = true;
  (*show)(*host.form, title);
}

int FormShow(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    std::string title = "VlText";
    if (lua_istable(L, 2)) {
      lua_getfield(L, 2, "title");
      if (lua_type(L, -1) == LUA_TSTRING) title = lua_tostring(L, -1);
      lua_pop(L, 1);
    }
    ShowForm(L, h, title);
    return 0;
  });
}

}  // namespace

void RegisterShowMethod(lua_State* L) {
  lua_pushcfunction(L, FormShow);
  lua_setfield(L, -2, "show");
}

int ShowLastForm(lua_State* L) {
  return Guarded(L, [&] {
    const std::string title = lua_type(L, 1) == LUA_TSTRING ? lua_tostring(L, 1) : "VlText";
    lua_getfield(L, LUA_REGISTRYINDEX, kLastFormKey);
    auto* h = static_cast<FormHost*>(luaL_testudata(L, -1, kFormMeta));
    if (h != nullptr && h->form && !h->shown) ShowForm(L, *h, title);
    return 0;
  });
}

}  // namespace vl::script
