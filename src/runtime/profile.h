// Reading one section of an initialisation (INI) file, the way the platform's private-profile
// section reader does it.
//
// The caller gets the section's lines as the platform hands them over: «key=value» with the white
// space around the key and the value removed, or just «key» for a line without "=". The caller
// parses each line itself, so a line that means nothing to it can simply be skipped.
//
//   [Velbrin/OCX Eras]          ← section names match without regard to ASCII case
//   ; a comment                 ← skipped
//     平成 =  平 H 1989/01/08   → «平成=平 H 1989/01/08»
//   nonsense                    → «nonsense»
//
// The platform copies the lines into a fixed buffer, each ended by a zero byte and the list by
// one more. What does not fit is cut off: the last line that only partly fits is kept cut (never
// inside a two-byte character), later lines are lost. `bufferLimit` is that buffer's size.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// The buffer the platform's section reader is usually given.
inline constexpr std::size_t kProfileSectionBufferSize = 10240;

// The lines of the first section named `section` (CP932; compared without regard to ASCII case)
// in the file at `path`. The file may be UTF-8 (with or without a byte-order mark) or CP932; the
// lines come back in CP932. Nothing when the file cannot be read or has no such section; an
// empty list for a section without lines.
std::optional<std::vector<std::string>> ReadProfileSection(const std::string& path, std::string_view section,
                                                           std::size_t bufferLimit = kProfileSectionBufferSize);

// The same over a file's contents already in memory (the bytes as read from disk).
std::optional<std::vector<std::string>> ReadProfileSectionFromText(std::string_view fileBytes,
                                                                   std::string_view section,
                                                                   std::size_t bufferLimit = kProfileSectionBufferSize);

}  // namespace vl
