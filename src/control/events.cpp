#include "control/events.h"

#include <stdexcept>

namespace vl {

const char* EventName(VlEvent id) {
  switch (id) {
    case VlEvent::Change: return "Change";
    case VlEvent::ValueError: return "ValueError";
    case VlEvent::SpinDown: return "SpinDown";
    case VlEvent::SpinUp: return "SpinUp";
    case VlEvent::Furigana: return "Furigana";
    case VlEvent::UserCheckValue: return "UserCheckValue";
    case VlEvent::Click: return "Click";
    case VlEvent::DblClick: return "DblClick";
    case VlEvent::KeyDown: return "KeyDown";
    case VlEvent::KeyPress: return "KeyPress";
    case VlEvent::KeyUp: return "KeyUp";
    case VlEvent::MouseDown: return "MouseDown";
    case VlEvent::MouseMove: return "MouseMove";
    case VlEvent::MouseUp: return "MouseUp";
  }
  return "";
}

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
