// Pieces shared by the files of the Lua host.
#pragma once

#include <lua.hpp>

#include <memory>
#include <stdexcept>
#include <string>

#include "runtime/automation_error.h"
#include "runtime/variant.h"

namespace vl::script {

// A script used the module wrongly (bad argument, unknown name): a plain Lua error.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An error of the control as the host sees it: becomes {code = ..., message = ...} in Lua.
struct HostError {
  std::int32_t code;
  std::string messageUtf8;
};

// The userdata of a caption or a font: an object of the component, reachable as a variant.
struct ObjectRef {
  std::shared_ptr<Dispatch> object;
};

// Runs `work` (which may throw) and returns its result count; on a C++ exception the error is
// pushed and raised as a Lua error after `work`'s frame is gone.
template <typename Work>
int Guarded(lua_State* L, Work&& work);

// Pushes the Lua error value of a host error: a table with code and message.
void PushHostError(lua_State* L, const HostError& error);
// The error of an AutomationError, its message converted to UTF-8.
HostError ToHostError(const AutomationError& e);

// Lua value <-> variant at the host boundary (texts converted between UTF-8 and CP932).
Variant ToVariant(lua_State* L, int index);
void PushVariant(lua_State* L, const Variant& v);       // plain Lua value (number, string...)
void PushTypedValue(lua_State* L, const Variant& v);    // a vl.Value userdata
std::string ToCp932(lua_State* L, int index);            // a Lua string argument, refused when not representable
void PushCp932(lua_State* L, const std::string& cp932);  // as a UTF-8 Lua string

void OpenValues(lua_State* L);  // vl.Null, vl.Integer, ... into the table on top
void OpenForms(lua_State* L);   // vl.Form into the table on top
void OpenFormat(lua_State* L);  // vl.format into the table on top
void OpenData(lua_State* L);    // vl.Database and the record sources' metatable

// Implementation of Guarded: the C++ work runs in its own frame; only plain data survives it.
namespace detail {
enum class Failure { None, Host, Script };
struct Outcome {
  Failure failure = Failure::None;
  int results = 0;
};
void PushFailure(lua_State* L, Failure failure, const HostError& host, const std::string& script);
}  // namespace detail

template <typename Work>
int Guarded(lua_State* L, Work&& work) {
  detail::Outcome outcome;
  {
    HostError host{0, {}};
    std::string script;
    try {
      outcome.results = work();
    } catch (const AutomationError& e) {
      outcome.failure = detail::Failure::Host;
      host = ToHostError(e);
    } catch (const HostError& e) {
      outcome.failure = detail::Failure::Host;
      host = e;
    } catch (const std::exception& e) {
      outcome.failure = detail::Failure::Script;
      script = e.what();
    }
    if (outcome.failure != detail::Failure::None) detail::PushFailure(L, outcome.failure, host, script);
  }
  if (outcome.failure != detail::Failure::None) return lua_error(L);
  return outcome.results;
}

}  // namespace vl::script
