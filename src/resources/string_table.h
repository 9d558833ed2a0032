// The numbered string table: every text a user reads (display name, page titles, preset
// formats, messages, help file name). Entries are CP932.
#pragma once

#include <cstdint>
#include <string>

namespace vl {

// Display name of the control (title of its message boxes).
inline constexpr std::uint32_t kIdsDisplayName = 1;
inline constexpr std::uint32_t kIdsHelpFile = 2002;

// The entry's text, or an empty text for a number the table does not hold.
const std::string& LoadResourceString(std::uint32_t id);
bool HasResourceString(std::uint32_t id);

}  // namespace vl
