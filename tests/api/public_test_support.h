// What the tests of the public interface share: typed values printed by their text, and the
// error code a call raises.
#pragma once

#include <functional>
#include <ostream>

#include "vltext/vltext.h"

namespace vl::inline v1 {
inline void PrintTo(const TypedValue& v, std::ostream* os) { *os << v.TypeName() << "(" << v.ToText() << ")"; }
}  // namespace vl::inline v1

// The code of the vl::Error that `call` raises; 0 when it raises none.
inline int ErrorCode(const std::function<void()>& call) {
  try {
    call();
  } catch (const vl::Error& e) {
    return e.Code();
  }
  return 0;
}
