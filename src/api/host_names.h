// Names for the component's own types that the public ones shadow (vl::Form the container,
// vl::TypedValue the variant, ...), declared before any public header is seen. Code that meets
// both (the public interface's implementation, hosts reaching a container through it) includes
// this first and uses these names for the component's side.
#pragma once

#include "control/events.h"
#include "control/properties.h"
#include "control/type_library.h"
#include "control/typed_box_ctrl.h"
#include "host/form.h"
#include "platform/font_backend.h"
#include "platform/surface.h"
#include "runtime/automation_error.h"
#include "runtime/clock.h"
#include "runtime/variant.h"

namespace vl::host_names {
using HostForm = ::vl::Form;
using HostVariant = ::vl::Variant;
using HostEventParam = ::vl::EventParam;
using HostMnemonic = ::vl::Mnemonic;
inline const PropertyInfo* HostProperty(std::string_view name) { return ::vl::FindProperty(name); }
inline const PropertyInfo* HostProperty(std::int32_t dispid) { return ::vl::FindProperty(dispid); }
inline const auto& HostConstants() { return ::vl::TypeLibraryConstants(); }
}  // namespace vl::host_names
