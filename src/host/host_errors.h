// Error codes of the host's files and data access, in the numbering form builders know from
// their database engines and file dialogs.
#pragma once

#include <cstdint>

namespace vl {

inline constexpr std::int32_t kErrFileAccess = 75;          // a file cannot be opened, read or written
inline constexpr std::int32_t kErrNoCurrentRecord = 3021;   // no current row
inline constexpr std::int32_t kErrNoEditInProgress = 3020;  // update without edit or add
inline constexpr std::int32_t kErrReadOnly = 3027;          // read-only source or column
inline constexpr std::int32_t kErrDatabase = 3146;          // the engine refused a statement
inline constexpr std::int32_t kErrValueNotKept = 3163;      // the column would not keep the value
inline constexpr std::int32_t kErrItemNotFound = 3265;      // no column of that name

}  // namespace vl
