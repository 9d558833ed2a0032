#include "control/events.h"

#include <stdexcept>

namespace vl {

Variant& EventArgs::operator[](std::string_view name) {
  for (EventParam& p : params_) {
    if (p.name == name) return p.value;
  }
  throw std::logic_error("no event parameter " + std::string(name));
}

const Variant& EventArgs::operator[](std::string_view name) const {
  return const_cast<EventArgs&>(*this)[name];
}

}  // namespace vl
