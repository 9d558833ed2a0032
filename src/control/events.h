// The control's events and their parameters as the host receives them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/variant.h"

namespace vl {

enum class VlEvent : std::int32_t {
  Change = 1,
  ValueError = 2,
  SpinDown = 3,
  SpinUp = 4,
  Furigana = 5,
  UserCheckValue = 6,
  Click = -600,
  DblClick = -601,
  KeyDown = -602,
  KeyPress = -603,
  KeyUp = -604,
  MouseDown = -605,
  MouseMove = -606,
  MouseUp = -607,
};

// The event's name as the host knows it (the type library's declaration, type_library.h).
const char* EventName(VlEvent id);

struct EventParam {
  std::string name;
  Variant value;
  bool byRef = false;  // the host may write it; the control reads it back after the call
};

// Parameters of one event, in declaration order.
class EventArgs {
 public:
  EventArgs() = default;
  EventArgs(std::initializer_list<EventParam> params) : params_(params) {}

  std::vector<EventParam>& Params() { return params_; }
  const std::vector<EventParam>& Params() const { return params_; }
  // The parameter of that name (it must exist).
  Variant& operator[](std::string_view name);
  const Variant& operator[](std::string_view name) const;

 private:
  std::vector<EventParam> params_;
};

}  // namespace vl
