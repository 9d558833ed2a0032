// vltext: the command-line program.
//   vltext run FILE.lua [ARGS...]   run a script with the module `vl` loaded
#include <cstdio>
#include <cstring>

#include "script/lua_host.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vltext run FILE.lua [ARGS...]\n"
               "  run   run a Lua script with the module vl loaded\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  if (std::strcmp(argv[1], "run") == 0) {
    if (argc < 3) return Usage();
    return vl::script::RunScriptFile(argv[2], argc - 3, argv + 3);
  }
  return Usage();
}
