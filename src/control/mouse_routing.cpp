// Mouse input that lands on the control's own window (the edit window hidden, or the point
// outside it): clicks start editing and go on to the edit window or the spin button, moves are
// passed to the edit window or reported by the control itself. The first click is then
// classified while the control holds the mouse, and the pointer is chosen over the box.
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
      if (editVisible && inBox) {
        toEdit(msg);
        return true;
      }
      if (edit != win::kNoWindow) {
        // Over the captions, or while the edit window is hidden: the edit window reports the
        // move with the control window's point.
        sys.PostMessage(edit, msg, wParam, lParam);
        return true;
      }
      if (inBox) {
        // No edit window yet: the control reports the move itself, in its own coordinates.
        VlMouseRecord record;
        OnMouseRecord(MouseRecordOf(msg, wParam, lParam, sys.GetKeyState(win::VK_MENU) < 0, record), record);
        return true;
      }
      return false;
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
      // A release ends a press the edit window was given, wherever the mouse is now.
      if (!editVisible) return false;
      toEdit(msg);
      return true;
    case win::WM_LBUTTONDBLCLK:
      if (!editVisible || !inBox) return false;
      toEdit(msg);
      return true;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN: {
      EndClickWait(false);
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
      const win::LPARAM point = win::MAKELPARAM(local.x, local.y);
      sys.SendMessage(target, msg, wParam, point);
      if (msg == win::WM_LBUTTONDOWN && core_.dataType != VlTextBoolean && sys.IsWindow(target) &&
          sys.GetCapture() == target) {
        BeginClickWait(wParam, point);
      }
      return true;
    }
    default:
      return false;
  }
}

// --- The click classification ----------------------------------------------------------------

namespace {
constexpr std::uintptr_t kClickWaitTimer = 0x564C;
}

void CVlTypedBoxCtrl::BeginClickWait(win::WPARAM flags, win::LPARAM editPoint) {
  win::System& sys = site_.WindowSystem();
  EndClickWait(false);
  clickWait_ = ClickWait{true, false, false, flags, editPoint};
  sys.SetCapture(Handle());
  sys.SetTimer(Handle(), kClickWaitTimer, sys.GetDoubleClickTime());
  sys.SetMessageFilter(Handle(), [this](win::MSG& m) { return ClickWaitMessage(m); });
}

bool CVlTypedBoxCtrl::ClickWaitMessage(win::MSG& m) {
  win::System& sys = site_.WindowSystem();
  // The user's mouse comes to the control while it holds the capture; mouse messages posted to
  // other windows are none of the wait's business.
  const bool mouse = m.message >= win::WM_MOUSEMOVE && m.message <= win::WM_MBUTTONUP;
  if (mouse && m.hwnd != Handle()) return false;
  switch (m.message) {
    case win::WM_TIMER:
      if (m.hwnd != Handle() || m.wParam != kClickWaitTimer) return false;
      // The button is still held without a move: the edit window gets the press back and tracks.
      EndClickWait(!clickWait_.upSeen);
      return true;
    case win::WM_MOUSEMOVE:
      if (clickWait_.upSeen) return false;
      if (!clickWait_.moved) {
        clickWait_.moved = true;
        return false;
      }
      {
        // A drag: the edit window takes the press again, then this move extends its selection.
        const win::POINT screen = sys.ClientToScreen(m.hwnd, PointOf(m.lParam));
        EndClickWait(true);
        const win::HWND edit = EditorWindow();
        if (edit != win::kNoWindow && sys.GetCapture() == edit) {
          const win::POINT local = sys.ScreenToClient(edit, screen);
          m.hwnd = edit;
          m.lParam = win::MAKELPARAM(local.x, local.y);
        }
        return false;
      }
    case win::WM_LBUTTONUP:
      clickWait_.upSeen = true;
      return false;
    case win::WM_LBUTTONDBLCLK:
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
      // The wait ends and the message goes on as it came: the double click through the routing to
      // the edit window, the key to the focus with the key state it was pressed in.
      EndClickWait(false);
      return false;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN: {
      // A new press, perhaps on another window: it goes where the user pressed, not to the
      // control that held the mouse for the first click.
      const win::POINT screen = sys.ClientToScreen(m.hwnd, PointOf(m.lParam));
      EndClickWait(false);
      win::HWND target = sys.GetCapture();
      if (target == win::kNoWindow) target = sys.WindowFromPoint(screen);
      if (target == win::kNoWindow) return true;
      const win::POINT local = sys.ScreenToClient(target, screen);
      m.hwnd = target;
      m.lParam = win::MAKELPARAM(local.x, local.y);
      return false;
    }
    default:
      return false;
  }
}

void CVlTypedBoxCtrl::EndClickWait(bool pressAgain) {
  if (!clickWait_.active) return;
  clickWait_.active = false;
  win::System& sys = site_.WindowSystem();
  sys.KillTimer(Handle(), kClickWaitTimer);
  sys.ClearMessageFilter(Handle());
  const win::HWND edit = EditorWindow();
  if (pressAgain && edit != win::kNoWindow && sys.IsWindowVisible(edit)) {
    core_.mouseRouted = true;
    sys.SendMessage(edit, win::WM_LBUTTONDOWN, clickWait_.flags, clickWait_.editPoint);
    core_.mouseRouted = false;
  }
  // Only the control's own hold goes: the edit window keeps a capture it took back for a drag.
  if (sys.GetCapture() == Handle()) sys.ReleaseCapture();
}

// --- The mouse pointer -----------------------------------------------------------------------

bool CVlTypedBoxCtrl::OnSetCursor(win::WPARAM over) {
  if (!HasControlWindow() || win::HWND{static_cast<std::uint32_t>(over)} != Handle()) return false;
  win::System& sys = site_.WindowSystem();
  const win::POINT p = sys.ScreenToClient(Handle(), sys.GetCursorPos());
  if (tracker_.Shown()) {
    const unsigned edges = tracker_.HitTest(p);
    if (edges == 0) return false;
    const bool horizontal = (edges & (SizingTracker::kLeft | SizingTracker::kRight)) != 0;
    const bool vertical = (edges & (SizingTracker::kTop | SizingTracker::kBottom)) != 0;
    win::Cursor shape = horizontal ? win::Cursor::SizeWE : win::Cursor::SizeNS;
    if (horizontal && vertical) {
      const bool mainDiagonal = edges == (SizingTracker::kLeft | SizingTracker::kTop) ||
                                edges == (SizingTracker::kRight | SizingTracker::kBottom);
      shape = mainDiagonal ? win::Cursor::SizeNWSE : win::Cursor::SizeNESW;
    }
    sys.SetCursor(shape);
    return true;
  }
  if (!UserMode() || !core_.enabled || core_.unavailable || core_.dataType == VlTextBoolean) return false;
  if (EditorVisible() || !win::PtInRect(core_.editRect, p)) return false;
  sys.SetCursor(win::Cursor::IBeam);
  return true;
}

}  // namespace vl
