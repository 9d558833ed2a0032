// vltext: the command-line program.
//   vltext run FILE.lua [ARGS...]                     run a script with the module `vl` loaded
//   vltext format [--eras FILE] TYPE FORMAT VALUE...  the display text of each value
//   vltext --help | --version
//
// Output is UTF-8 whatever the component's texts hold: a byte that is not a CP932 character
// (an era name from a profile in another encoding) prints as U+FFFD. `format` prints one line per
// value, in order, so its output lines stay aligned with the values: a value that cannot be
// formatted prints an error line in its place, and the exit status is then 1.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "format/display_text.h"
#include "runtime/coerce.h"
#include "runtime/profile.h"
#include "script/lua_host.h"
#include "text/encoding.h"
#include "value/typed_value.h"

#ifndef VLTEXT_VERSION
#define VLTEXT_VERSION "unknown"
#endif

namespace {

constexpr const char* kUsage =
    "usage: vltext run FILE.lua [ARGS...]\n"
    "       vltext format [--eras FILE.ini] TYPE FORMAT VALUE...\n"
    "       vltext --help | --version\n"
    "  run     run a Lua script with the module vl loaded\n"
    "  format  print the text a box of data type TYPE (Integer, Long, Single, Double,\n"
    "          Currency, Date, String, Boolean, Byte) shows for each VALUE through FORMAT;\n"
    "          the VALUE null stands for Null; --eras loads an era profile first\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// A command-line argument as it can be printed: as given when it is UTF-8, else each byte that
// is not ASCII as U+FFFD.
std::string Printable(const char* arg) {
  if (vl::IsValidUtf8(arg)) return arg;
  std::string out;
  for (const char* p = arg; *p != '\0'; ++p)
    out += static_cast<unsigned char>(*p) < 0x80 ? std::string(1, *p) : "\xEF\xBF\xBD";
  return out;
}

std::uint16_t TypeFromName(const std::string& name) {
  for (std::uint16_t code : {2, 3, 4, 5, 6, 7, 8, 11, 17}) {
    if (name == vl::TypeName(code) || name == std::to_string(code)) return code;
  }
  return 0;
}

// An era profile the user named must be there: a missing or unreadable file is an error, not a
// silent fall-back to the built-in eras.
bool LoadEras(const char* path, vl::EraTable& eras) {
  std::FILE* file = std::fopen(path, "rb");
  bool readable = file != nullptr;
  if (readable) {
    char probe = 0;  // a folder opens but does not read
    readable = std::fread(&probe, 1, 1, file) == 1 || !std::ferror(file);
    std::fclose(file);
  }
  if (!readable) {
    std::fprintf(stderr, "vltext format: cannot read the era profile %s: %s\n", Printable(path).c_str(),
                 std::strerror(errno));
    return false;
  }
  if (!eras.LoadEraProfile(path)) {
    std::fprintf(stderr, "vltext format: %s holds no [Velbrin/OCX Eras] section; the built-in eras are used\n",
                 Printable(path).c_str());
  }
  return true;
}

// The display text of one command-line value, or the error line that takes its place.
bool FormatOne(const char* arg, std::uint16_t type, const std::string& format, const vl::EraTable& eras,
               std::string& line) {
  vl::Variant value = vl::Variant::Null();
  if (std::strcmp(arg, "null") != 0) {
    std::string text;
    vl::Variant converted;
    if (!vl::TryUtf8ToCp932(arg, text) ||
        vl::ChangeType(vl::Variant::Bstr(text), static_cast<vl::VarType>(type), converted) != vl::CoerceStatus::Ok) {
      line = "vltext format: " + Printable(arg) + " is no " + vl::TypeName(type) + " value";
      return false;
    }
    value = converted;
  }
  line = vl::Cp932ToUtf8ForDisplay(vl::DisplayTextForValue(type, value, format, eras));
  return true;
}

int FormatCommand(int argc, char** argv) {
  int i = 0;
  vl::EraTable eras;
  if (i < argc && std::strcmp(argv[i], "--eras") == 0) {
    if (i + 1 >= argc) return Usage();
    if (!LoadEras(argv[i + 1], eras)) return 1;
    i += 2;
  }
  if (argc - i < 3) return Usage();
  const std::uint16_t type = TypeFromName(argv[i]);
  if (type == 0) {
    std::fprintf(stderr, "vltext format: unknown data type %s\n", Printable(argv[i]).c_str());
    return 2;
  }
  std::string format;
  if (!vl::TryUtf8ToCp932(argv[i + 1], format)) {
    std::fprintf(stderr, "vltext format: the format holds a character code page 932 cannot hold\n");
    return 2;
  }
  int status = 0;
  for (int v = i + 2; v < argc; ++v) {
    std::string line;
    if (!FormatOne(argv[v], type, format, eras, line)) status = 1;
    std::printf("%s\n", line.c_str());
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "--version") {
    std::printf("vltext %s\n", VLTEXT_VERSION);
    return 0;
  }
  if (command == "run") {
    if (argc < 3) return Usage();
    return vl::script::RunScriptFile(argv[2], argc - 3, argv + 3);
  }
  if (command == "format") return FormatCommand(argc - 2, argv + 2);
  std::fprintf(stderr, "vltext: unknown command \"%s\"\n", Printable(argv[1]).c_str());
  return Usage();
}
