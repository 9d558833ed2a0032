// The Lua scripting host: the module `vl` a script uses to build forms, place boxes, set their
// properties, handle their events and read back what the user would see.
//
// Lua is built as C: an error raised with lua_error jumps over C++ frames. Every C function of
// the module therefore runs its C++ work inside a guard that turns C++ exceptions into a Lua
// error only after every C++ object of that work has been destroyed, and Lua code called from
// C++ (event handlers) always runs under lua_pcall.
#include <cstdio>

#include "script/lua_form_internal.h"
#include "script/lua_internal.h"
#include "vltext/script.h"

namespace vl::script {

namespace detail {

void PushFailure(lua_State* L, Failure failure, const HostError& host, const std::string& script) {
  if (failure == Failure::Host) {
    PushHostError(L, host);
  } else {
    lua_pushstring(L, script.c_str());
  }
}

}  // namespace detail

namespace {

constexpr const char* kErrorMeta = "vl.Error";

int ErrorToString(lua_State* L) {
  lua_getfield(L, 1, "code");
  lua_getfield(L, 1, "message");
  lua_pushfstring(L, "%d: %s", static_cast<int>(lua_tointeger(L, -2)), lua_tostring(L, -1) ? lua_tostring(L, -1) : "");
  return 1;
}

// Message handler of the top-level call: the error as text with the traceback.
int Traceback(lua_State* L) {
  const char* msg = luaL_tolstring(L, 1, nullptr);
  luaL_traceback(L, L, msg, 1);
  return 1;
}

int OpenModuleFunction(lua_State* L) {
  lua_getglobal(L, "vl");
  return 1;
}

// Opens the module: sets the global `vl` and package.preload["vltext"].
void OpenVlModule(lua_State* L) {
  luaL_newmetatable(L, kErrorMeta);
  lua_pushcfunction(L, ErrorToString);
  lua_setfield(L, -2, "__tostring");
  lua_pop(L, 1);

  lua_newtable(L);
  OpenValues(L);
  OpenForms(L);
  OpenFormat(L);
  OpenData(L);
  lua_setglobal(L, "vl");

  luaL_getsubtable(L, LUA_REGISTRYINDEX, LUA_PRELOAD_TABLE);
  lua_pushcfunction(L, OpenModuleFunction);
  lua_setfield(L, -2, "vltext");
  lua_pop(L, 1);
}

}  // namespace

void PushHostError(lua_State* L, const HostError& error) {
  lua_createtable(L, 0, 2);
  lua_pushinteger(L, error.code);
  lua_setfield(L, -2, "code");
  lua_pushlstring(L, error.messageUtf8.data(), error.messageUtf8.size());
  lua_setfield(L, -2, "message");
  luaL_setmetatable(L, kErrorMeta);
}

int ShowLastForm(lua_State* L);

}  // namespace vl::script

namespace vl::inline v1 {

int RunScriptFile(const std::string& path, const std::vector<std::string>& args, const ScriptOptions& options) {
  using namespace vl::script;
  lua_State* L = luaL_newstate();
  if (L == nullptr) {
    std::fprintf(stderr, "vltext: cannot create the Lua state\n");
    return 1;
  }
  luaL_openlibs(L);
  OpenVlModule(L);
  lua_createtable(L, static_cast<int>(args.size()), 1);
  lua_pushstring(L, path.c_str());
  lua_rawseti(L, -2, 0);
  for (std::size_t i = 0; i < args.size(); ++i) {
    lua_pushstring(L, args[i].c_str());
    lua_rawseti(L, -2, static_cast<lua_Integer>(i) + 1);
  }
  lua_setglobal(L, "arg");

  // The window f:show opens lives as long as the run.
  if (options.show) {
    lua_pushlightuserdata(L, const_cast<ShowFunction*>(&options.show));
    lua_setfield(L, LUA_REGISTRYINDEX, kShowFunctionKey);
  }
  if (options.showLastForm) {
    lua_pushboolean(L, 1);
    lua_setfield(L, LUA_REGISTRYINDEX, kShowLastFormKey);
  }

  lua_pushcfunction(L, Traceback);
  int status = luaL_loadfile(L, path.c_str());
  if (status == LUA_OK) status = lua_pcall(L, 0, 0, -2);
  if (status == LUA_OK && options.showLastForm) {
    const std::size_t slash = path.rfind('/');
    lua_pushcfunction(L, ShowLastForm);
    lua_pushstring(L, (slash == std::string::npos ? path : path.substr(slash + 1)).c_str());
    status = lua_pcall(L, 1, 0, -3);
  }
  int exitCode = 0;
  if (status != LUA_OK) {
    const char* msg = lua_tostring(L, -1);
    std::fprintf(stderr, "%s\n", msg != nullptr ? msg : "error");
    exitCode = 1;
  }
  lua_close(L);
  return exitCode;
}

}  // namespace vl::inline v1
