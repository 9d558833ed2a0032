// The standard static control ("STATIC" class): a label. It takes no focus and no input; a
// dialog reads its text for the mnemonic ("&" marks the letter) that moves the focus to the
// control after it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

namespace vl::win {

inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_NOPREFIX = 0x0080;  // "&" is shown as itself and marks no mnemonic
inline constexpr DWORD SS_SUNKEN = 0x1000;

class StaticControl : public Window {
 public:
  static constexpr const char* kClassName = "STATIC";

  StaticControl() = default;

  HWND Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId,
              const std::string& text = std::string());

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  const std::string& Text() const { return text_; }
  std::uintptr_t ControlId() const { return controlId_; }

 private:
  std::string text_;
  std::uintptr_t controlId_ = 0;
};

// WM_GETTEXT for a window that keeps its text in a string: whole characters only, zero-terminated.
LRESULT CopyWindowText(const std::string& text, WPARAM size, LPARAM buffer);

}  // namespace vl::win
