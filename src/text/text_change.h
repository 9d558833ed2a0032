// How one text differs from another at the least: the bytes the two share at the start and at
// the end stay, the rest is replaced. Writing a long text that differs from the old one by a
// typed character then costs a comparison instead of a copy, and whoever follows the text's
// changes learns the span that really changed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vl {

// `after` is `before` with the bytes [start, start + removed) replaced by
// after.substr(start, inserted). Bytes, not characters: a span may begin inside a two-byte
// character whose trail byte changed.
struct TextChange {
  std::size_t start = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
};

TextChange ChangeBetween(std::string_view before, std::string_view after);

// Makes `target` equal to `text`, writing only the changed span; returns that span. `text` may
// be a view of `target` itself.
TextChange AssignChanged(std::string& target, std::string_view text);

}  // namespace vl
