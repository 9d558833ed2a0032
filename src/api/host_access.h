// The public face of a container that its owner still holds as the container itself (the Lua
// host until it moves onto the public interface): a vl::Form that works on it without owning
// it, so hosts built on the public interface (the desktop window) can show it.
#pragma once

// First: names the container before the public vl::Form is seen.
#include "api/host_names.h"
#include "vltext/form.h"

namespace vl::host_access {

// A vl::Form over `host`; `host` must outlive it. The container's own event handler and
// transcript stay as they are; a message box handler set through the view is removed with it.
vl::v1::Form Borrow(host_names::HostForm& host);

}  // namespace vl::host_access
