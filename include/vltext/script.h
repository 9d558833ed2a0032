// The Lua scripting host: runs a script with the module `vl` loaded, the way `vltext run` does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vltext/form.h"

namespace vl {
inline namespace v1 {

// Opens a form in a window and returns when the user closes it (what `f:show` calls). Throws
// vl::Error when no window can be opened.
using ShowFunction = std::function<void(Form& form, const std::string& titleUtf8)>;

struct ScriptOptions {
  // The window f:show opens; without one, f:show raises {code = 5}.
  ShowFunction show;
  // Shows the last form the script made when the script ends without having shown it.
  bool showLastForm = false;
};

// Runs a Lua script file with `args` as its `arg` table (arg[0] the path). Returns the process
// exit status: 0 when the script ends, 1 with the traceback written to stderr when an error
// escapes.
int RunScriptFile(const std::string& path, const std::vector<std::string>& args = {},
                  const ScriptOptions& options = {});

}  // namespace v1
}  // namespace vl
