#include "platform/dialog.h"

#include <algorithm>

#include "platform/button_control.h"
#include "platform/static_control.h"

namespace vl::win {

namespace {

std::string WindowText(System& system, HWND hwnd) {
  const LRESULT length = system.SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = system.SendMessage(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, got)));
  return text;
}

bool CanTakeFocus(const System& system, HWND hwnd) {
  return system.IsWindowVisible(hwnd) && system.IsWindowEnabled(hwnd);
}

// The control of `controls` that is `hwnd` or holds it; -1 for none.
int IndexOfControl(const System& system, const std::vector<HWND>& controls, HWND hwnd) {
  for (HWND h = hwnd; h != kNoWindow; h = system.GetParent(h)) {
    const auto it = std::find(controls.begin(), controls.end(), h);
    if (it != controls.end()) return static_cast<int>(it - controls.begin());
  }
  return -1;
}

bool IsInside(const System& system, HWND dialog, HWND hwnd) {
  for (HWND h = hwnd; h != kNoWindow; h = system.GetParent(h)) {
    if (h == dialog) return true;
  }
  return false;
}

LRESULT DialogCode(System& system, HWND hwnd, MSG* msg) {
  return system.SendMessage(hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(msg));
}

// The control a mnemonic at `i` leads to: the control itself, or for a static the next control
// that is not a static. -1 when there is none or it cannot take the focus.
int MnemonicTarget(System& system, const std::vector<HWND>& controls, int i) {
  if ((DialogCode(system, controls[static_cast<std::size_t>(i)], nullptr) & DLGC_STATIC) == 0) {
    return CanTakeFocus(system, controls[static_cast<std::size_t>(i)]) ? i : -1;
  }
  for (std::size_t j = static_cast<std::size_t>(i) + 1; j < controls.size(); ++j) {
    if ((DialogCode(system, controls[j], nullptr) & DLGC_STATIC) != 0) continue;
    return CanTakeFocus(system, controls[j]) ? static_cast<int>(j) : -1;
  }
  return -1;
}

bool HasMnemonic(System& system, HWND hwnd, char letter) {
  const LRESULT code = DialogCode(system, hwnd, nullptr);
  if ((code & (DLGC_STATIC | DLGC_BUTTON)) == 0) return false;
  if ((code & DLGC_STATIC) != 0 && (system.GetStyle(hwnd) & SS_NOPREFIX) != 0) return false;
  return MnemonicOf(WindowText(system, hwnd)) == letter;
}

bool GoToMnemonic(System& system, HWND dialog, char letter) {
  if (letter == 0) return false;
  const std::vector<HWND> controls = DialogControls(system, dialog);
  const int n = static_cast<int>(controls.size());
  const int current = IndexOfControl(system, controls, system.GetFocus());
  std::vector<int> targets;
  for (int step = 1; step <= n; ++step) {
    const int i = (current + step + n) % n;
    if (!system.IsWindowVisible(controls[static_cast<std::size_t>(i)])) continue;
    if (!HasMnemonic(system, controls[static_cast<std::size_t>(i)], letter)) continue;
    const int target = MnemonicTarget(system, controls, i);
    if (target >= 0 && std::find(targets.begin(), targets.end(), target) == targets.end()) targets.push_back(target);
  }
  if (targets.empty()) return false;
  const HWND target = controls[static_cast<std::size_t>(targets.front())];
  const bool button = (DialogCode(system, target, nullptr) & DLGC_BUTTON) != 0;
  SetDialogFocus(system, target);
  if (button && targets.size() == 1 && system.IsWindow(target)) system.SendMessage(target, BM_CLICK, 0, 0);
  return true;
}

HWND FindButton(System& system, HWND dialog, bool byDefaultStyle) {
  for (HWND h : DialogControls(system, dialog)) {
    if (!CanTakeFocus(system, h)) continue;
    if (byDefaultStyle) {
      if ((DialogCode(system, h, nullptr) & DLGC_DEFPUSHBUTTON) != 0) return h;
    } else if (auto* button = dynamic_cast<ButtonControl*>(system.FromHandle(h));
               button != nullptr && button->ControlId() == static_cast<std::uintptr_t>(IDCANCEL)) {
      return h;
    }
  }
  return kNoWindow;
}

}  // namespace

std::vector<HWND> DialogControls(const System& system, HWND dialog) {
  std::vector<HWND> out;
  for (HWND child : system.GetChildWindows(dialog)) {
    if (system.GetClassName(child) == kDialogClass) {
      if (!system.IsWindowVisible(child)) continue;
      const std::vector<HWND> inner = DialogControls(system, child);
      out.insert(out.end(), inner.begin(), inner.end());
    } else {
      out.push_back(child);
    }
  }
  return out;
}

HWND GetNextDlgTabItem(System& system, HWND dialog, HWND control, bool previous) {
  const std::vector<HWND> controls = DialogControls(system, dialog);
  const int n = static_cast<int>(controls.size());
  const int current = IndexOfControl(system, controls, control);
  for (int step = 1; step <= n; ++step) {
    const int i = current < 0 ? (previous ? n - step : step - 1) : (current + (previous ? -step : step) + 2 * n) % n;
    const HWND h = controls[static_cast<std::size_t>(i)];
    if ((system.GetStyle(h) & WS_TABSTOP) != 0 && CanTakeFocus(system, h)) return h;
  }
  return kNoWindow;
}

char MnemonicOf(std::string_view label) {
  for (std::size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] == '&') {
      ++i;  // a literal ampersand
      continue;
    }
    const char c = label[i + 1];
    if (static_cast<unsigned char>(c) >= 0x80) return 0;  // no double-byte mnemonics
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return 0;
}

void SetDialogFocus(System& system, HWND control) {
  system.SetFocus(control);
  const HWND focus = system.GetFocus();
  if (focus != kNoWindow && (DialogCode(system, focus, nullptr) & DLGC_HASSETSEL) != 0) {
    system.SendMessage(focus, EM_SETSEL, 0, static_cast<LPARAM>(-1));
  }
}

bool IsDialogMessage(System& system, HWND dialog, MSG& msg) {
  if (!IsInside(system, dialog, msg.hwnd)) return false;
  const HWND focus = system.GetFocus();
  const LRESULT code = focus != kNoWindow ? DialogCode(system, focus, &msg) : 0;
  switch (msg.message) {
    case WM_KEYDOWN: {
      const int vk = static_cast<int>(msg.wParam);
      if (vk == VK_TAB) {
        if ((code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0 || system.GetKeyState(VK_CONTROL) < 0) return false;
        const HWND next = GetNextDlgTabItem(system, dialog, focus, system.GetKeyState(VK_SHIFT) < 0);
        if (next != kNoWindow) SetDialogFocus(system, next);
        return true;
      }
      if (vk == VK_RETURN || vk == VK_ESCAPE) {
        if ((code & DLGC_WANTALLKEYS) != 0) return false;
        const HWND button = FindButton(system, dialog, vk == VK_RETURN);
        if (button == kNoWindow) return false;
        system.SendMessage(button, BM_CLICK, 0, 0);
        return true;
      }
      return false;
    }
    case WM_CHAR:
      if ((code & DLGC_WANTCHARS) != 0) return false;
      return GoToMnemonic(system, dialog, MnemonicOf(std::string{'&', static_cast<char>(msg.wParam & 0xFF)}));
    case WM_SYSCHAR:
      return GoToMnemonic(system, dialog, MnemonicOf(std::string{'&', static_cast<char>(msg.wParam & 0xFF)}));
    default:
      return false;
  }
}

DialogBaseUnits GetDialogBaseUnits(const DeviceContext& dc) {
  static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const SIZE extent = GetTextExtentPoint32(dc, kLetters);
  DialogBaseUnits base;
  base.cx = std::max(1, (extent.cx / 26 + 1) / 2);
  base.cy = std::max(1, GetTextMetrics(dc).tmHeight);
  return base;
}

RECT MapDialogRect(const RECT& dlu, DialogBaseUnits base) {
  return RECT{MulDiv(dlu.left, base.cx, 4), MulDiv(dlu.top, base.cy, 8), MulDiv(dlu.right, base.cx, 4),
              MulDiv(dlu.bottom, base.cy, 8)};
}

}  // namespace vl::win
