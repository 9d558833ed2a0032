// The preset formats the General page offers for each data type: entries of the string table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vl::pages {

// The presets of a data type in the order they are offered (CP932); none for Boolean and for
// codes that are no data type.
std::vector<std::string> FormatPresets(std::uint16_t dataType);

}  // namespace vl::pages
