// Pieces shared by the files of the Lua host.
#pragma once

#include <lua.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "vltext/error.h"
#include "vltext/value.h"

namespace vl::script {

// A script used the module wrongly (bad argument, unknown name): a plain Lua error.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An error of the component as the host sees it: becomes {code = ..., message = ...} in Lua.
struct HostError {
  std::int32_t code;
  std::string messageUtf8;
};

// Error codes the host raises itself.
inline constexpr std::int32_t kErrInvalidProcedureCall = 5;
inline constexpr std::int32_t kErrTypeMismatch = 13;
inline constexpr std::int32_t kErrFileAccess = 75;

// Runs `work` (which may throw) and returns its result count; on a C++ exception the error is
// pushed and raised as a Lua error after `work`'s frame is gone.
template <typename Work>
int Guarded(lua_State* L, Work&& work);

// Pushes the Lua error value of a host error: a table with code and message.
void PushHostError(lua_State* L, const HostError& error);

// Lua value <-> typed value, following the automation literals: an integer in -32768..32767 is
// an Integer, another 32-bit integer a Long, any other number a Double; a string is a String; a
// boolean a Boolean; nil Empty; a vl value itself. Anything else (a table, a function, an object
// of the module) is an object reference, which the component refuses where it wants a value.
vl::TypedValue ToValue(lua_State* L, int index);
// Whether the Lua value at `index` is a value (anything ToValue takes).
bool IsValue(lua_State* L, int index);
void PushPlain(lua_State* L, const vl::TypedValue& v);       // a plain Lua value (number, string...)
void PushTypedValue(lua_State* L, const vl::TypedValue& v);  // a vl.Value userdata
// The exact decimal text of a Currency: "-12.3456", "12.5", "12", "0".
std::string CurrencyText(std::int64_t tenThousandths);
// A Lua string argument, refused with {code = 13} when it is none or not UTF-8.
std::string CheckUtf8(lua_State* L, int index, const std::string& what);

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
    } catch (const vl::Error& e) {
      outcome.failure = detail::Failure::Host;
      host = HostError{e.Code(), e.what()};
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
