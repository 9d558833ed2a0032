// The Lua host's forms and boxes, shared by its files.
#pragma once

#include <optional>
#include <string>

#include "script/lua_internal.h"
#include "vltext/form.h"

namespace vl::script {

inline constexpr const char* kFormMeta = "vl.Form";
inline constexpr const char* kBoxMeta = "vl.Box";

// A form as the script holds it. The Lua state is kept to call event handlers; an error a
// handler raises is held by the form until the call that caused it returns to the script, so it
// never crosses the component's frames.
struct FormHost {
  std::optional<vl::Form> form;
  lua_State* L = nullptr;
  int handlersRef = LUA_NOREF;  // registry: { ["box\0Event"] = function }
  bool fixedFont = false;       // the form measures with the fixed-metrics font
  bool shown = false;           // f:show opened it in a window
};

// Registry field: the last form the script made, which vltext show opens when the script leaves
// it unshown.
inline constexpr const char* kLastFormKey = "vl.lastform";
// Registry field, set by vltext show: the last form made is kept for it.
inline constexpr const char* kShowLastFormKey = "vl.showlastform";
// Registry field: the ShowFunction of the run (light userdata), when the program has a window.
inline constexpr const char* kShowFunctionKey = "vl.show";

// A box as the script holds it; its userdata keeps the form's alive.
struct BoxRef {
  FormHost* host;
  vl::Box box;
};

// The options table of vl.Form at `index` (none gives the defaults).
vl::FormOptions ReadFormOptions(lua_State* L, int index);
// Pushes a form userdata holding `form`, made with `options`, and returns it.
FormHost& PushNewForm(lua_State* L, const vl::FormOptions& options, vl::Form form);
// Pushes a box of the form at `formIndex`.
void PushBox(lua_State* L, int formIndex, vl::Box box);

FormHost& CheckForm(lua_State* L, int index);
BoxRef& CheckBoxRef(lua_State* L, int index);

// A rectangle given as {x =, y =, w =, h =} at `index`; fields left out keep those of `defaults`.
vl::Rect ReadRect(lua_State* L, int index, vl::Rect defaults);

// Adds the input methods (key, type, click, wait, ...) to the table on top.
void RegisterInputMethods(lua_State* L);
// Adds render, move and design_edit to the table on top.
void RegisterRenderMethods(lua_State* L);
// Adds show (the desktop window) to the table on top.
void RegisterShowMethod(lua_State* L);
// Adds vl.read_png to the module table on top.
void RegisterPictureFunctions(lua_State* L);
// Adds store, load, reset, save, save_form, boxes and box to the table on top.
void RegisterStoreMethods(lua_State* L);
// Adds vl.load_form to the module table on top.
void RegisterStoreFunctions(lua_State* L);
// Adds property_pages, answer_dialog and dialogs to the form methods on top.
void RegisterPageMethods(lua_State* L);
// Makes the property page classes and adds vl.palette to the module table on top.
void RegisterPageFunctions(lua_State* L);
// Whether a picture is drawn in the fixed-metrics font: as the options table at `options` asks
// ({font = "fixed"} or "real"), else as the form measures.
bool PictureInFixedFont(lua_State* L, int options, const FormHost& host, const char* who);
// Adds add_source to the table on top.
void RegisterDataMethods(lua_State* L);
// The record source a script holds at `index`, or null.
const vl::RecordSource* TestSource(lua_State* L, int index);

}  // namespace vl::script
