// OLE colours that name a system colour instead of an RGB value: 0x80000000 plus the colour's
// index. The component keeps and persists the reference; only drawing resolves it, through the
// host, to the colour the current scheme gives that index.
#pragma once

#include <cstdint>

namespace vl {

inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

constexpr std::uint32_t SystemColourRef(std::uint32_t index) { return kSystemColourFlag | index; }
constexpr bool IsSystemColourRef(std::uint32_t colour) { return (colour & 0xFF000000u) == kSystemColourFlag; }
constexpr std::uint32_t SystemColourIndex(std::uint32_t colour) { return colour & 0xFFu; }

// The system colours the component's defaults name.
inline constexpr std::uint32_t kColourWindow = SystemColourRef(5);         // a box's background
inline constexpr std::uint32_t kColourWindowText = SystemColourRef(8);     // a box's text
inline constexpr std::uint32_t kColourButtonFace = SystemColourRef(15);    // Boolean boxes, captions, the control area
inline constexpr std::uint32_t kColourButtonShadow = SystemColourRef(16);  // a disabled box's text
inline constexpr std::uint32_t kColourButtonText = SystemColourRef(18);    // caption text

// The name a person knows a system colour by ("button face"); empty for other colours.
constexpr const char* SystemColourName(std::uint32_t colour) {
  switch (colour) {
    case kColourWindow:
      return "window background";
    case kColourWindowText:
      return "window text";
    case kColourButtonFace:
      return "button face";
    case kColourButtonShadow:
      return "button shadow";
    case kColourButtonText:
      return "button text";
    default:
      return "";
  }
}

}  // namespace vl
