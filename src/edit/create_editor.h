// The editor of each data type.
#pragma once

#include <cstdint>
#include <memory>

#include "edit/edit_wnd.h"

namespace vl {

// The editor class of a data type; nothing for a code that is not one of the nine.
std::unique_ptr<CVlEditWnd> CreateEditor(std::uint16_t dataType);

}  // namespace vl
