// The check box of a Boolean box: the three-state square and its label, drawn with the
// platform's frame controls so that a picture shows unchecked, checked and Null (grey).
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi.h"

namespace vl {

// The three visible states of a Boolean box and how it is drawn.
struct CheckBoxLook {
  bool isNull = false;
  bool checked = false;
  bool enabled = true;
  bool pushed = false;
  bool flat = false;
  bool focused = false;
};

// The side of the check square for a base size n (the smaller of the rectangle's height and the
// font's line height), kept in proportion to the text: 7 gives 6, 8 to 11 lose 2, 12 to 14 lose 3,
// 15 to 19 lose 4, 20 to 26 lose 6, 27 to 39 lose 9, 40 and more lose 14.
int CheckBoxSide(int n);

// The check square at the left of the rectangle, vertically centred, and the caption beside it
// with `flags` (1 centre, 2 right), clipped to the rectangle; a focus rectangle around the caption
// when focused.
void DrawCheckBox(win::DeviceContext& dc, const win::RECT& rect, const std::string& caption, std::uint32_t flags,
                  const CheckBoxLook& look);

}  // namespace vl
