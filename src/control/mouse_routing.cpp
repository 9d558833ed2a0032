// Mouse input that lands on the control's own window (the edit window hidden, or the point
// outside it): clicks start editing and go on to the edit window or the spin button, moves are
// passed to the edit window or reported by the control itself.
#include "control/typed_box_ctrl.h"
#include "edit/spin_button.h"

namespace vl {

namespace {

win::POINT PointOf(win::LPARAM lParam) {
  return win::POINT{static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
}

}  // namespace

win::RECT CVlTypedBoxCtrl::HitRect() const {
  win::RECT r = core_.editRect;
  if (core_.borderStyle == 1 && core_.appearance == 1) {
    r = win::RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  }
  return r;
}

bool CVlTypedBoxCtrl::RouteMouse(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (!core_.enabled || core_.unavailable) return false;
  win::System& sys = site_.WindowSystem();
  const win::POINT p = PointOf(lParam);
  const bool inBox = win::PtInRect(HitRect(), p);
  CVlEditWnd* editor = Editor();
  const win::HWND edit = EditorWindow();
  const bool editVisible = edit != win::kNoWindow && sys.IsWindowVisible(edit);
  auto toEdit = [&](win::UINT m) {
    const win::POINT screen = sys.ClientToScreen(Handle(), p);
    const win::POINT local = sys.ScreenToClient(edit, screen);
    sys.SendMessage(edit, m, wParam, win::MAKELPARAM(local.x, local.y));
  };
  switch (msg) {
    case win::WM_MOUSEMOVE:
      if (editVisible) {
        toEdit(msg);
        return true;
      }
      if (edit != win::kNoWindow) {
        sys.PostMessage(edit, msg, wParam, lParam);
        return true;
      }
      if (inBox) {
        // No edit window yet: the control reports the move itself, in its own coordinates.
        std::uint32_t flags = static_cast<std::uint32_t>(wParam & 0x1F);
        if (sys.GetKeyState(win::VK_MENU) < 0) flags |= 0x20;
        VlMouseRecord record{flags, static_cast<std::uint32_t>(lParam)};
        OnMouseRecord(VLM_MOUSEMOVE, record);
        return true;
      }
      return false;
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONUP:
      if (!editVisible) return false;
      toEdit(msg);
      return true;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN: {
      if (!inBox) return true;
      ActivateEditing();
      if (editor == nullptr || EditorWindow() == win::kNoWindow || sys.GetFocus() != EditorWindow()) return true;
      if (msg == win::WM_LBUTTONDOWN && core_.spinButton != 0 && editor->Spin() != nullptr && editor->Spin()->IsCreated()) {
        const win::HWND spin = editor->Spin()->Handle();
        const win::POINT screen = sys.ClientToScreen(Handle(), p);
        const win::POINT local = sys.ScreenToClient(spin, screen);
        if (win::PtInRect(win::RECT{0, 0, sys.GetWindowRect(spin).Width(), sys.GetWindowRect(spin).Height()}, local)) {
          sys.SendMessage(spin, msg, wParam, win::MAKELPARAM(local.x, local.y));
          return true;
        }
      }
      const win::HWND target = EditorWindow();
      const win::POINT screen = sys.ClientToScreen(Handle(), p);
      const win::POINT local = sys.ScreenToClient(target, screen);
      sys.SendMessage(target, msg, wParam, win::MAKELPARAM(local.x, local.y));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace vl
