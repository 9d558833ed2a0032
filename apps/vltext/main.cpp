// vltext: the command-line program.
//   vltext run FILE.lua [ARGS...]                 run a script with the module `vl` loaded
//   vltext format [--eras FILE] TYPE FORMAT VALUE...  the display text of each value
#include <cstdio>
#include <cstring>
#include <string>

#include "format/display_text.h"
#include "runtime/coerce.h"
#include "script/lua_host.h"
#include "text/encoding.h"
#include "value/typed_value.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vltext run FILE.lua [ARGS...]\n"
               "       vltext format [--eras FILE.ini] TYPE FORMAT VALUE...\n"
               "  run     run a Lua script with the module vl loaded\n"
               "  format  print the text a box of data type TYPE (Integer, Long, Single, Double,\n"
               "          Currency, Date, String, Boolean, Byte) shows for each VALUE through FORMAT;\n"
               "          the VALUE null stands for Null\n");
  return 2;
}

std::uint16_t TypeFromName(const std::string& name) {
  for (std::uint16_t code : {2, 3, 4, 5, 6, 7, 8, 11, 17}) {
    if (name == vl::TypeName(code) || name == std::to_string(code)) return code;
  }
  return 0;
}

int FormatCommand(int argc, char** argv) {
  int i = 0;
  vl::EraTable eras;
  if (i < argc && std::strcmp(argv[i], "--eras") == 0) {
    if (i + 1 >= argc) return Usage();
    eras.LoadEraProfile(argv[i + 1]);
    i += 2;
  }
  if (argc - i < 3) return Usage();
  const std::uint16_t type = TypeFromName(argv[i]);
  if (type == 0) {
    std::fprintf(stderr, "vltext format: unknown data type %s\n", argv[i]);
    return 2;
  }
  std::string format;
  if (!vl::TryUtf8ToCp932(argv[i + 1], format)) {
    std::fprintf(stderr, "vltext format: the format holds a character code page 932 cannot hold\n");
    return 2;
  }
  int status = 0;
  for (int v = i + 2; v < argc; ++v) {
    vl::Variant value = vl::Variant::Null();
    if (std::strcmp(argv[v], "null") != 0) {
      std::string text;
      vl::Variant converted;
      if (!vl::TryUtf8ToCp932(argv[v], text) ||
          vl::ChangeType(vl::Variant::Bstr(text), static_cast<vl::VarType>(type), converted) != vl::CoerceStatus::Ok) {
        std::fprintf(stderr, "vltext format: %s is no %s value\n", argv[v], vl::TypeName(type));
        status = 1;
        continue;
      }
      value = converted;
    }
    std::string shown = vl::DisplayTextForValue(type, value, format, eras);
    std::string utf8;
    if (!vl::TryCp932ToUtf8(shown, utf8)) utf8 = shown;
    std::printf("%s\n", utf8.c_str());
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  if (std::strcmp(argv[1], "run") == 0) {
    if (argc < 3) return Usage();
    return vl::script::RunScriptFile(argv[2], argc - 3, argv + 3);
  }
  if (std::strcmp(argv[1], "format") == 0) return FormatCommand(argc - 2, argv + 2);
  return Usage();
}
