// vltext: the command-line program.
//   vltext run FILE.lua [ARGS...]                     run a script with the module `vl` loaded
//   vltext show FILE.lua [ARGS...]                    the same, and show its last form in a window
//   vltext format [--eras FILE] TYPE FORMAT VALUE...  the display text of each value
//   vltext reference                                  the reference of every property, event, ...
//   vltext help (--help, -h)                          the commands, one line each
//   vltext --version                                  the version
//
// Output is UTF-8 whatever the component's texts hold: a byte that is not a CP932 character
// (an era name from a profile in another encoding) prints as U+FFFD. `format` prints one line per
// value, in order, so its output lines stay aligned with the values: a value that cannot be
// formatted prints an error line in its place, and the exit status is then 1.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "vltext/desktop.h"
#include "vltext/script.h"
#include "vltext/vltext.h"

#ifndef VLTEXT_VERSION
#define VLTEXT_VERSION "unknown"
#endif

namespace {

// The commands, one line each in the help; the same table answers a wrong command line.
struct Command {
  const char* synopsis;
  const char* what;
};
constexpr Command kCommands[] = {
    {"run FILE.lua [ARGS...]", "run a Lua script with the module vl"},
    {"show FILE.lua [ARGS...]", "run it, then show its last form in a window"},
    {"format [--eras FILE.ini] TYPE FORMAT VALUE...", "the text a TYPE box shows for each VALUE"},
    {"reference", "every property, event and message (Markdown)"},
    {"help", "this help (also --help and -h)"},
    {"--version", "the version"},
};

void PrintCommands(std::FILE* out) {
  std::fprintf(out, "usage: vltext COMMAND [ARGUMENTS]\n\n");
  for (const Command& c : kCommands) std::fprintf(out, "  vltext %-46s %s\n", c.synopsis, c.what);
  std::fprintf(out,
               "\nTYPE is Integer, Long, Single, Double, Currency, Date, String, Boolean or Byte; the VALUE\n"
               "null stands for Null. The manual is in the docs folder of the source tree:\n"
               "  docs/scripting.md  the Lua interface of run and show, with examples\n"
               "  docs/cookbook.md   recipes for real forms\n"
               "  docs/formats.md    the format language of FORMAT\n"
               "  docs/reference.md  what the reference command prints\n");
}

// A wrong command line: the commands on stderr, status 2.
int Usage() {
  PrintCommands(stderr);
  return 2;
}

// Whether text is well-formed UTF-8: no stray or missing continuation bytes, overlong forms,
// surrogates or values past U+10FFFF.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto trail = static_cast<unsigned char>(text[i + k]);
      if ((trail & 0xC0u) != 0x80u) return false;
      code = (code << 6) | (trail & 0x3Fu);
    }
    if (extra == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return false;
    if (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) return false;
    i += extra + 1;
  }
  return true;
}

// A command-line argument as it can be printed: as given when it is UTF-8, else each byte that
// is not ASCII as U+FFFD.
std::string Printable(const char* arg) {
  if (IsUtf8(arg)) return arg;
  std::string out;
  for (const char* p = arg; *p != '\0'; ++p) {
    out += static_cast<unsigned char>(*p) < 0x80 ? std::string(1, *p) : "\xEF\xBF\xBD";
  }
  return out;
}

// An era profile the user named must be there: a missing or unreadable file is an error, not a
// silent fall-back to the built-in eras.
bool ReadableFile(const char* path) {
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
  }
  return readable;
}

vl::DataType TypeFromName(const std::string& name) {
  for (vl::DataType type :
       {vl::DataType::Integer, vl::DataType::Long, vl::DataType::Single, vl::DataType::Double, vl::DataType::Currency,
        vl::DataType::Date, vl::DataType::String, vl::DataType::Boolean, vl::DataType::Byte}) {
    if (name == vl::DataTypeName(type) || name == std::to_string(static_cast<int>(type))) return type;
  }
  return vl::DataType::Empty;
}

int FormatCommand(int argc, char** argv) {
  int i = 0;
  std::string eras;
  if (i < argc && std::strcmp(argv[i], "--eras") == 0) {
    if (i + 1 >= argc) return Usage();
    if (!ReadableFile(argv[i + 1])) return 1;
    eras = argv[i + 1];
    i += 2;
  }
  if (argc - i < 3) return Usage();
  const vl::DataType type = TypeFromName(argv[i]);
  if (type == vl::DataType::Empty) {
    std::fprintf(stderr, "vltext format: unknown data type %s\n", Printable(argv[i]).c_str());
    return 2;
  }
  const std::string format = argv[i + 1];
  try {
    vl::FormatValue(vl::TypedValue::Null(), format, type, eras);
  } catch (const vl::Error&) {
    std::fprintf(stderr, "vltext format: the format holds a character code page 932 cannot hold\n");
    return 2;
  }
  int status = 0;
  for (int v = i + 2; v < argc; ++v) {
    const vl::TypedValue value =
        std::strcmp(argv[v], "null") == 0 ? vl::TypedValue::Null() : vl::TypedValue::String(argv[v]);
    // One line per value: an error line stands in the place of a value that cannot be shown.
    std::string line;
    try {
      line = vl::FormatValue(value, format, type, eras);
    } catch (const vl::Error&) {
      line = "vltext format: " + Printable(argv[v]) + " is no " + vl::DataTypeName(type) + " value";
      status = 1;
    }
    std::printf("%s\n", line.c_str());
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (command == "help" || command == "--help" || command == "-h") {
    if (argc != 2) return Usage();
    PrintCommands(stdout);
    return 0;
  }
  if (command == "--version") {
    if (argc != 2) return Usage();
    std::printf("vltext %s\n", VLTEXT_VERSION);
    return 0;
  }
  const bool run = command == "run";
  const bool show = command == "show";
  if (run || show) {
    if (argc < 3) return Usage();
    vl::ScriptOptions options;
    options.show = [](vl::Form& form, const std::string& title) {
      vl::desktop::Show(form, vl::desktop::ShowOptions{title, nullptr});
    };
    options.showLastForm = show;
    return vl::RunScriptFile(argv[2], std::vector<std::string>(argv + 3, argv + argc), options);
  }
  if (command == "format") return FormatCommand(argc - 2, argv + 2);
  if (command == "reference") {
    if (argc != 2) return Usage();
    std::fputs(vl::ReferenceMarkdown().c_str(), stdout);
    return 0;
  }
  std::fprintf(stderr, "vltext: unknown command \"%s\"\n", Printable(argv[1]).c_str());
  return Usage();
}
