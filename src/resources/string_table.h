// The numbered string table: every text a user reads (display name, page titles, preset
// formats, messages, help file name). Entries are CP932.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// Display name of the control (title of its message boxes).
inline constexpr std::uint32_t kIdsDisplayName = 1;
inline constexpr std::uint32_t kIdsHelpFile = 2002;

// The entry's text, or an empty text for a number the table does not hold.
const std::string& LoadResourceString(std::uint32_t id);
bool HasResourceString(std::uint32_t id);
// Every number the table holds, ascending.
std::vector<std::uint32_t> ResourceStringIds();
// Whether the entry is one of the preset formats the General page offers.
bool IsPresetFormat(std::uint32_t id);
// What the entry is for, in English (UTF-8), for the reference; empty for a number the table
// does not hold.
const std::string& ResourceStringNote(std::uint32_t id);

}  // namespace vl
