// The Lua host's forms and boxes, shared by its files.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/form.h"
#include "platform/fixed_font.h"
#include "platform/font_backend.h"
#include "script/lua_internal.h"

namespace vl::script {

inline constexpr const char* kFormMeta = "vl.Form";
inline constexpr const char* kBoxMeta = "vl.Box";

// A form as the script holds it. The Lua state is kept to call event handlers; handler errors
// are held until control returns to the script, so they never cross C++ frames.
struct FormHost {
  std::unique_ptr<Form> form;
  lua_State* L = nullptr;
  int handlersRef = LUA_NOREF;  // registry: { ["box\0Event"] = function }
  std::optional<std::string> pendingError;
  bool shown = false;  // f:show opened it in a window
};

// Registry field: the last form the script made, which vltext show opens when the script leaves
// it unshown.
inline constexpr const char* kLastFormKey = "vl.lastform";
// Registry field, set by vltext show: the last form made is kept for it.
inline constexpr const char* kShowLastFormKey = "vl.showlastform";

struct BoxRef {
  FormHost* host;
  std::string name;
};

FormHost& CheckForm(lua_State* L, int index);
BoxRef& CheckBoxRef(lua_State* L, int index);
CVlTypedBoxCtrl& BoxControl(const BoxRef& ref);

// A rectangle given as {x =, y =, w =, h =} at `index`; fields left out keep those of `defaults`.
win::RECT ReadRect(lua_State* L, int index, win::RECT defaults);
// Refuses a name that a box or a button of the form already has.
void CheckNewName(FormHost& host, const std::string& name);

// Raises, in Lua, an error a handler left while the C++ side was running.
void ThrowPending(FormHost& host);
// Adds the input methods (key, type, click, wait, ...) to the table on top.
void RegisterInputMethods(lua_State* L);
// Adds render and move to the table on top.
void RegisterRenderMethods(lua_State* L);
// Adds show (the desktop window) to the table on top.
void RegisterShowMethod(lua_State* L);
// Adds vl.read_png to the module table on top.
void RegisterPictureFunctions(lua_State* L);
// Adds property_pages, answer_dialog and dialogs to the form methods on top.
void RegisterPageMethods(lua_State* L);
// Makes the property page classes and adds vl.palette to the module table on top.
void RegisterPageFunctions(lua_State* L);
// Adds add_source to the table on top.
void RegisterDataMethods(lua_State* L);
// The record source a script holds at `index` (with the form it belongs to), or null.
std::shared_ptr<IVlCursor> TestSource(lua_State* L, int index, FormHost*& host);
// The FreeType fonts a form measures and draws with unless the script asks for the fixed ones.
std::shared_ptr<win::FontBackend> MakeRealFonts();

// The fonts a picture is drawn in: the fixed-metrics font when the options table at `options`
// asks for it ({font = "fixed"}) or the form measures with it, else the form's real fonts.
class PictureFonts {
 public:
  PictureFonts(lua_State* L, int options, FormHost& host, const char* who);
  win::FontBackend& Get() const { return *fonts_; }

 private:
  win::FixedFontBackend fixed_;
  std::shared_ptr<win::FontBackend> real_;
  win::FontBackend* fonts_ = nullptr;
};

}  // namespace vl::script
