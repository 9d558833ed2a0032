// The enumeration constants of the type library, by name.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace vl {

const std::vector<std::pair<const char*, std::int32_t>>& TypeLibraryConstants();

}  // namespace vl
