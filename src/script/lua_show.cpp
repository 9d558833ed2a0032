// f:show: the form in a real desktop window, when the program running the script has one.
#include <string>
#include <utility>

#include "script/lua_form_internal.h"
// Last: names the container before the public vl::Form is seen.
#include "api/host_access.h"
#include "script/show_link.h"

namespace vl::script {

namespace {

ShowFunction& Desktop() {
  static ShowFunction desktop;
  return desktop;
}

void ShowForm(FormHost& host, const std::string& title) {
  if (!Desktop()) throw HostError{5, "this program has no desktop window (vltext run and vltext show have one)"};
  host.shown = true;
  vl::v1::Form view = host_access::Borrow(*host.form);
  try {
    Desktop()(view, title);
  } catch (const vl::v1::Error& e) {
    throw HostError{e.Code(), e.what()};
  }
  ThrowPending(host);
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
    ShowForm(h, title);
    return 0;
  });
}

}  // namespace

void SetShowFunction(ShowFunction show) { Desktop() = std::move(show); }

void RegisterShowMethod(lua_State* L) {
  lua_pushcfunction(L, FormShow);
  lua_setfield(L, -2, "show");
}

int ShowLastForm(lua_State* L) {
  return Guarded(L, [&] {
    const std::string title = lua_type(L, 1) == LUA_TSTRING ? lua_tostring(L, 1) : "VlText";
    lua_getfield(L, LUA_REGISTRYINDEX, kLastFormKey);
    auto* h = static_cast<FormHost*>(luaL_testudata(L, -1, kFormMeta));
    if (h != nullptr && h->form && !h->shown) ShowForm(*h, title);
    return 0;
  });
}

}  // namespace vl::script
