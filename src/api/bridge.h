// Where the public interface meets the component: the internal headers, names for the internal
// types the public ones shadow, the conversions between the two, and the form's shared state.
//
// The public types live in the inline namespace vl::v1, so their symbols never meet the
// component's own (vl::Form the container, vl::TypedValue the variant). Code here is written
// inside vl::v1, where the public names win; the internal ones it needs are named below, before
// the public headers are seen.
#pragma once

#include <chrono>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "control/events.h"
#include "control/properties.h"
#include "control/type_library.h"
#include "control/typed_box_ctrl.h"
#include "host/form.h"
#include "platform/fixed_font.h"
#include "platform/font_backend.h"
#include "platform/freetype_font.h"
#include "platform/surface.h"
#include "runtime/automation_error.h"
#include "runtime/clock.h"
#include "runtime/variant.h"

// Names for the component's own types that the public ones shadow (vl::Form the container,
// vl::TypedValue the variant, ...), declared before any public header is seen.
namespace vl::host_names {
using HostForm = ::vl::Form;
using HostVariant = ::vl::Variant;
using HostEventParam = ::vl::EventParam;
using HostMnemonic = ::vl::Mnemonic;
using HostDialogRecord = ::vl::DialogRecord;
using HostDialogAnswer = ::vl::DialogAnswer;
inline const PropertyInfo* HostProperty(std::string_view name) { return ::vl::FindProperty(name); }
inline const PropertyInfo* HostProperty(std::int32_t dispid) { return ::vl::FindProperty(dispid); }
inline const auto& HostConstants() { return ::vl::TypeLibraryConstants(); }
}  // namespace vl::host_names

#include "vltext/data.h"
#include "vltext/error.h"
#include "vltext/form.h"
#include "vltext/format.h"
#include "vltext/input.h"
#include "vltext/picture.h"
#include "vltext/value.h"

namespace vl::v1::detail {

using ::vl::host_names::HostDialogAnswer;
using ::vl::host_names::HostDialogRecord;
using ::vl::host_names::HostEventParam;
using ::vl::host_names::HostForm;
using ::vl::host_names::HostMnemonic;
using ::vl::host_names::HostVariant;

// UTF-8 <-> the component's CP932. A character CP932 cannot hold is refused with Error 380
// (message 1102), never replaced.
std::string ToCp932(std::string_view utf8);
std::string ToUtf8(const std::string& cp932);

HostVariant ToHost(const TypedValue& value);
TypedValue FromHost(const HostVariant& value);

// The public error of an automation error.
Error ToError(const AutomationError& e);
[[noreturn]] void Throw(std::int32_t code, const std::string& utf8Message);

// The fonts a picture is drawn with: the fixed-metrics ones for exact geometry, else the form's
// real ones (made for the occasion when the form measures with the fixed ones).
struct PictureFonts {
  win::FixedFontBackend fixed;
  std::shared_ptr<win::FontBackend> real;
  win::FontBackend* chosen = nullptr;
  PictureFonts(HostForm& form, bool fixedFont) {
    if (fixedFont) {
      chosen = &fixed;
    } else if (form.ScreenFonts() != nullptr) {
      chosen = form.ScreenFonts();
    } else {
      real = std::make_shared<win::FreeTypeFontBackend>();
      chosen = real.get();
    }
  }
};

// The state a form's handles share. It outlives the Form object while handles or running calls
// hold it; the container itself goes when the Form does, or, when that happens inside one of
// the form's own calls (a handler dropping its form), when the outermost call returns.
struct FormState {
  std::shared_ptr<HostForm> host;
  bool closing = false;
  int busy = 0;
  std::shared_ptr<win::FontBackend> screenFonts;
  std::map<std::pair<std::string, std::string>, EventHandler> handlers;  // (box, event)
  std::exception_ptr pending;  // a handler's exception, rethrown when the running call returns
  MessageBoxHandler messageBoxHandler;
  std::string preedit;  // CP932: the composition drawn at the caret
  bool realClock = false;
  SystemClock systemClock;
  std::chrono::steady_clock::time_point lastTick;

  // Runs `work` on the container: refuses a closed form, translates automation errors, and
  // rethrows a handler's exception once the work is done.
  template <typename Work>
  decltype(auto) Run(Work&& work);
  void Close();
  // A real clock catches up with the time that passed before the next input.
  void CatchUp();
  BoxSite& Site(const std::string& name);
  CVlTypedBoxCtrl& Control(const std::string& name) { return Site(name).Control(); }
  void OnEvent(BoxSite& box, VlEvent id, EventArgs& args);

 private:
  void Enter();
  void Leave();
  void ThrowPending();
};

template <typename Work>
decltype(auto) FormState::Run(Work&& work) {
  if (!host || closing) Throw(5, "the form is closed");
  Enter();
  struct Exit {
    FormState& s;
    ~Exit() { s.Leave(); }
  } exit{*this};
  try {
    if constexpr (std::is_void_v<decltype(work(*host))>) {
      work(*host);
      ThrowPending();
    } else {
      auto result = work(*host);
      ThrowPending();
      return result;
    }
  } catch (const AutomationError& e) {
    ThrowPending();
    throw ToError(e);
  }
}

}  // namespace vl::v1::detail
