// The messages the edit window sends its control, and the records they carry.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"
#include "value/typed_value.h"

namespace vl {

inline constexpr win::UINT VLM_FOCUSLEFT = win::WM_USER + 102;
inline constexpr win::UINT VLM_CHANGE = win::WM_USER + 103;
inline constexpr win::UINT VLM_CLICK = win::WM_USER + 104;
inline constexpr win::UINT VLM_DBLCLICK = win::WM_USER + 105;
inline constexpr win::UINT VLM_KEYDOWN = win::WM_USER + 106;
inline constexpr win::UINT VLM_KEYPRESS = win::WM_USER + 107;
inline constexpr win::UINT VLM_KEYUP = win::WM_USER + 108;
inline constexpr win::UINT VLM_MOUSEDOWN = win::WM_USER + 109;
inline constexpr win::UINT VLM_MOUSEMOVE = win::WM_USER + 110;
inline constexpr win::UINT VLM_MOUSEUP = win::WM_USER + 111;
inline constexpr win::UINT VLM_SPINDOWN = win::WM_USER + 113;
inline constexpr win::UINT VLM_SPINUP = win::WM_USER + 114;
inline constexpr win::UINT VLM_ERROR = win::WM_USER + 115;
inline constexpr win::UINT VLM_PREVCONTROL = win::WM_USER + 116;
inline constexpr win::UINT VLM_NEXTCONTROL = win::WM_USER + 117;
inline constexpr win::UINT VLM_FURIGANA = win::WM_USER + 118;
inline constexpr win::UINT VLM_USERCHECK = win::WM_USER + 119;

struct VlKeyRecord {
  std::int32_t keyCode = 0;
  std::int32_t shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
};

struct VlMouseRecord {
  std::uint32_t flags = 0;     // 0x01 left, 0x02 right, 0x10 middle, 0x04 Shift, 0x08 Ctrl, 0x20 Alt
  std::uint32_t position = 0;  // x low 16 bits, y high 16 bits
};

// The record of a window's mouse message: the button a press or release is about (a move carries
// every held button), Shift and Ctrl from the message's flags, Alt as the keyboard has it. The
// result is the message that carries it to the control: VLM_MOUSEDOWN, VLM_MOUSEUP or
// VLM_MOUSEMOVE.
inline win::UINT MouseRecordOf(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam, bool altDown, VlMouseRecord& record) {
  win::UINT vlm = VLM_MOUSEMOVE;
  std::uint32_t flags = 0;
  switch (msg) {
    case win::WM_LBUTTONDOWN: vlm = VLM_MOUSEDOWN; flags = 0x01; break;
    case win::WM_LBUTTONUP: vlm = VLM_MOUSEUP; flags = 0x01; break;
    case win::WM_RBUTTONDOWN: vlm = VLM_MOUSEDOWN; flags = 0x02; break;
    case win::WM_RBUTTONUP: vlm = VLM_MOUSEUP; flags = 0x02; break;
    case win::WM_MBUTTONDOWN: vlm = VLM_MOUSEDOWN; flags = 0x10; break;
    case win::WM_MBUTTONUP: vlm = VLM_MOUSEUP; flags = 0x10; break;
    default: flags = static_cast<std::uint32_t>(wParam & (win::MK_LBUTTON | win::MK_RBUTTON | win::MK_MBUTTON)); break;
  }
  if (wParam & win::MK_SHIFT) flags |= 0x04;
  if (wParam & win::MK_CONTROL) flags |= 0x08;
  if (altDown) flags |= 0x20;
  record = VlMouseRecord{flags, static_cast<std::uint32_t>(lParam)};
  return vlm;
}

struct VlErrorRecord {
  std::int32_t code = 0;  // editor status 1-7, or a host code 100-999
  std::string text;       // CP932
};

struct VlUserCheckRecord {
  TypedValue newValue;
  std::int32_t errCode = 0;
  std::string errString;  // CP932
};

// The editor statuses (lastError).
enum EditError : std::int32_t {
  kEditOk = 0,
  kEditAboveUpper = 1,
  kEditBelowLower = 2,
  kEditMaxLength = 3,
  kEditTooWide = 4,
  kEditAdjustedToFormat = 5,
  kEditTooManyChars = 6,
  kEditFormatMismatch = 7,
};

// Whether a status stops a commit, a value load or the host's check. Status 4 (the text is wider
// than the display area) only describes the picture: the box keeps and shows the whole text, so
// it is never an error.
inline bool IsEditFailure(std::int32_t status) { return status != kEditOk && status != kEditTooWide; }

}  // namespace vl
