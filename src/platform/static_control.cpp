#include "platform/static_control.h"

#include <cstring>

#include "text/mbcs.h"

namespace vl::win {

LRESULT CopyWindowText(const std::string& text, WPARAM size, LPARAM buffer) {
  if (size == 0 || buffer == 0) return 0;
  const std::string_view fit = MbcsCutBytes(text, size - 1);
  char* out = reinterpret_cast<char*>(buffer);
  std::memcpy(out, fit.data(), fit.size());
  out[fit.size()] = '\0';
  return static_cast<LRESULT>(fit.size());
}

HWND StaticControl::Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId,
                           const std::string& text) {
  text_ = text;
  controlId_ = controlId;
  return system.CreateWindowEx(*this, kClassName, style, rect, parent);
}

LRESULT StaticControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTEXT:
      text_ = lParam != 0 ? std::string(reinterpret_cast<const char*>(lParam)) : std::string();
      return 1;
    case WM_GETTEXT:
      return CopyWindowText(text_, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    default:
      return DefWindowProc(msg, wParam, lParam);
  }
}

}  // namespace vl::win
