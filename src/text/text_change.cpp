#include "text/text_change.h"

#include <algorithm>
#include <cstring>

namespace vl {

namespace {

// The length of the longest common prefix of a[0, n) and b[0, n), by halving the span that holds
// the first difference: each byte is compared about once, in a few vectorised memcmp calls.
std::size_t CommonPrefix(const char* a, const char* b, std::size_t n) {
  if (n == 0 || std::memcmp(a, b, n) == 0) return n;
  std::size_t equal = 0;  // [0, equal) is shared; the first difference lies in [equal, n)
  while (n - equal > 64) {
    const std::size_t mid = equal + (n - equal) / 2;
    if (std::memcmp(a + equal, b + equal, mid - equal) == 0) {
      equal = mid;
    } else {
      n = mid;
    }
  }
  while (a[equal] == b[equal]) ++equal;
  return equal;
}

// The same from the ends: the length of the longest common suffix of a[0, n) and b[0, n) where
// both end at a + n and b + n.
std::size_t CommonSuffix(const char* aEnd, const char* bEnd, std::size_t n) {
  if (n == 0 || std::memcmp(aEnd - n, bEnd - n, n) == 0) return n;
  std::size_t equal = 0;  // the last `equal` bytes are shared; the difference lies within n
  while (n - equal > 64) {
    const std::size_t mid = equal + (n - equal) / 2;
    if (std::memcmp(aEnd - mid, bEnd - mid, mid - equal) == 0) {
      equal = mid;
    } else {
      n = mid;
    }
  }
  while (aEnd[-1 - static_cast<std::ptrdiff_t>(equal)] == bEnd[-1 - static_cast<std::ptrdiff_t>(equal)]) ++equal;
  return equal;
}

}  // namespace

TextChange ChangeBetween(std::string_view before, std::string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  const std::size_t prefix = CommonPrefix(before.data(), after.data(), shorter);
  const std::size_t suffix = CommonSuffix(before.data() + before.size(), after.data() + after.size(), shorter - prefix);
  return TextChange{prefix, before.size() - prefix - suffix, after.size() - prefix - suffix};
}

TextChange AssignChanged(std::string& target, std::string_view text) {
  const TextChange change = ChangeBetween(target, text);
  // replace() copes with a source inside the string it writes.
  target.replace(change.start, change.removed, text.data() + change.start, change.inserted);
  return change;
}

}  // namespace vl
