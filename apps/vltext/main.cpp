// vltext: the command-line program.
//   vltext run FILE.lua [ARGS...]                     run a script with the module `vl` loaded
//   vltext show FILE.lua [ARGS...]                    the same, and show its last form in a window
//   vltext format [--eras FILE] TYPE FORMAT VALUE...  the display text of each value
//   vltext reference                                  the reference of every property, event, ...
//   vltext help (--help, -h)                          the commands, one line each
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "vltext/desktop.h"
#include "vltext/script.h"
#include "vltext/vltext.h"

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
    eras = argv[i + 1];
    i += 2;
  }
  if (argc - i < 3) return Usage();
  const vl::DataType type = TypeFromName(argv[i]);
  if (type == vl::DataType::Empty) {
    std::fprintf(stderr, "vltext format: unknown data type %s\n", argv[i]);
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
    try {
      std::printf("%s\n", vl::FormatValue(value, format, type, eras).c_str());
    } catch (const vl::Error&) {
      std::fprintf(stderr, "vltext format: %s is no %s value\n", argv[v], vl::DataTypeName(type));
      status = 1;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  if (argc == 2 &&
      (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    PrintCommands(stdout);
    return 0;
  }
  const bool run = std::strcmp(argv[1], "run") == 0;
  const bool show = std::strcmp(argv[1], "show") == 0;
  if (run || show) {
    if (argc < 3) return Usage();
    vl::ScriptOptions options;
    options.show = [](vl::Form& form, const std::string& title) {
      vl::desktop::Show(form, vl::desktop::ShowOptions{title, nullptr});
    };
    options.showLastForm = show;
    return vl::RunScriptFile(argv[2], std::vector<std::string>(argv + 3, argv + argc), options);
  }
  if (std::strcmp(argv[1], "format") == 0) return FormatCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "reference") == 0 && argc == 2) {
    std::fputs(vl::ReferenceMarkdown().c_str(), stdout);
    return 0;
  }
  return Usage();
}
