#include "script/lua_host.h"

#include <cstdio>
#include <cstring>

#include "script/lua_form_internal.h"
#include "script/lua_internal.h"
#include "text/encoding.h"

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

}  // namespace

HostError ToHostError(const AutomationError& e) {
  std::string utf8;
  if (!TryCp932ToUtf8(e.Message(), utf8)) utf8 = e.Message();
  return HostError{e.Code(), utf8};
}

void PushHostError(lua_State* L, const HostError& error) {
  lua_createtable(L, 0, 2);
  lua_pushinteger(L, error.code);
  lua_setfield(L, -2, "code");
  lua_pushlstring(L, error.messageUtf8.data(), error.messageUtf8.size());
  lua_setfield(L, -2, "message");
  luaL_setmetatable(L, kErrorMeta);
}

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

int ShowLastForm(lua_State* L);

int RunScriptFile(const char* path, int argc, char** argv, bool showLastForm) {
  lua_State* L = luaL_newstate();
  if (L == nullptr) {
    std::fprintf(stderr, "vltext: cannot create the Lua state\n");
    return 1;
  }
  luaL_openlibs(L);
  OpenVlModule(L);
  lua_createtable(L, argc, 1);
  lua_pushstring(L, path);
  lua_rawseti(L, -2, 0);
  for (int i = 0; i < argc; ++i) {
    lua_pushstring(L, argv[i]);
    lua_rawseti(L, -2, i + 1);
  }
  lua_setglobal(L, "arg");

  if (showLastForm) {
    lua_pushboolean(L, 1);
    lua_setfield(L, LUA_REGISTRYINDEX, kShowLastFormKey);
  }

  lua_pushcfunction(L, Traceback);
  int status = luaL_loadfile(L, path);
  if (status == LUA_OK) status = lua_pcall(L, 0, 0, -2);
  if (status == LUA_OK && showLastForm) {
    const char* slash = std::strrchr(path, '/');
    lua_pushcfunction(L, ShowLastForm);
    lua_pushstring(L, slash != nullptr ? slash + 1 : path);
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

}  // namespace vl::script
