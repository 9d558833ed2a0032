// The Lua scripting host: the module `vl` a script uses to build forms, place boxes, set their
// properties, handle their events and read back what the user would see.
//
// Lua is built as C: an error raised with lua_error jumps over C++ frames. Every C function of
// the module therefore runs its C++ work inside a guard that turns C++ exceptions into a Lua
// error only after every C++ object of that work has been destroyed, and Lua code called from
// C++ (event handlers) always runs under lua_pcall.
#pragma once

struct lua_State;

namespace vl::script {

// Opens the module: sets the global `vl` and package.preload["vltext"].
void OpenVlModule(lua_State* L);

// Runs a script file with the module loaded. Returns the process exit status: 0 when the script
// ends, 1 with the traceback written to stderr when an error escapes.
// With `showLastForm` (vltext show), the last form the script made is shown in a window when the
// script ends without having shown it.
int RunScriptFile(const char* path, int argc = 0, char** argv = nullptr, bool showLastForm = false);

}  // namespace vl::script
