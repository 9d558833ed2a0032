#include "platform/button_control.h"

#include <algorithm>
#include <cstring>

namespace vl::win {

HWND ButtonControl::Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId,
                           const std::string& text) {
  controlId_ = controlId;
  text_ = text;
  return system.CreateWindowEx(*this, kClassName, style, rect, parent);
}

bool ButtonControl::IsOwnerDrawn() const {
  return Sys() != nullptr && (Sys()->GetStyle(Handle()) & BS_TYPEMASK) == BS_OWNERDRAW;
}

bool ButtonControl::IsCheckBox() const {
  if (Sys() == nullptr) return false;
  const DWORD type = Sys()->GetStyle(Handle()) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

bool ButtonControl::OnNotify(int) { return false; }

void ButtonControl::SetPushed(bool pushed) {
  if (pushed_ == pushed) return;
  pushed_ = pushed;
  OnStateChanged();
}

void ButtonControl::Notify(int code) {
  if (OnNotify(code)) return;
  if (Sys() != nullptr) NotifyParent(*Sys(), Handle(), controlId_, code);
}

void ButtonControl::Click() {
  SetPushed(false);
  Clicked();
}

void ButtonControl::Clicked() {
  if (Sys() != nullptr && (Sys()->GetStyle(Handle()) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
    check_ = check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    OnStateChanged();
  }
  Notify(BN_CLICKED);
}

void ButtonControl::EndPress(bool releaseCapture) {
  const bool wasTracking = tracking_;
  tracking_ = false;
  spaceDown_ = false;
  SetPushed(false);
  if (wasTracking && releaseCapture && Sys() != nullptr && Sys()->GetCapture() == Handle()) Sys()->ReleaseCapture();
}

bool ButtonControl::Inside(LPARAM lParam) const {
  if (Sys() == nullptr) return false;
  const RECT r = Sys()->GetWindowRect(Handle());
  const int x = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  const int y = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)));
  return x >= 0 && y >= 0 && x < r.Width() && y < r.Height();
}

LRESULT ButtonControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  System* sys = Sys();
  switch (msg) {
    case WM_CREATE:
      // A new window starts unchecked and released, even for an object that served another.
      check_ = BST_UNCHECKED;
      pushed_ = focused_ = tracking_ = spaceDown_ = false;
      return 0;
    case WM_LBUTTONDBLCLK:
      if (IsOwnerDrawn()) {
        Notify(BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN: {
      const HWND self = Handle();
      if (sys->GetFocus() != self) sys->SetFocus(self);
      // A focus handler may have destroyed or disabled the button.
      if (!sys->IsWindow(self) || !sys->IsWindowEnabled(self)) return 0;
      tracking_ = true;
      sys->SetCapture(self);
      SetPushed(true);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (tracking_) SetPushed(Inside(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (tracking_) {
        const bool click = pushed_ && Inside(lParam);
        EndPress(true);
        if (click) Clicked();
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (tracking_) EndPress(false);
      return 0;
    case WM_KEYDOWN:
      if (static_cast<int>(wParam) == VK_SPACE && !tracking_) {
        spaceDown_ = true;
        SetPushed(true);
      }
      return 0;
    case WM_KEYUP:
      if (static_cast<int>(wParam) == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        if (pushed_) Click();
      }
      return 0;
    case WM_SETFOCUS:
      focused_ = true;
      OnStateChanged();
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      EndPress(true);
      OnStateChanged();
      return 0;
    case WM_ENABLE:
      if (wParam == 0) EndPress(true);
      OnStateChanged();
      return 0;
    case WM_DESTROY:
      EndPress(true);
      return 0;
    case BM_CLICK:
      if (sys->IsWindowEnabled(Handle())) {
        SetPushed(true);
        Click();
      }
      return 0;
    case BM_GETSTATE:
      return check_ | (pushed_ ? BST_PUSHED : 0) | (focused_ ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(wParam != 0);
      return 0;
    case BM_GETCHECK:
      return check_;
    case BM_SETCHECK:
      // An owner-drawn button keeps no check state: its owner does.
      if (!IsOwnerDrawn() && check_ != static_cast<LRESULT>(wParam)) {
        check_ = static_cast<LRESULT>(wParam);
        OnStateChanged();
      }
      return 0;
    case WM_GETDLGCODE: {
      const DWORD type = sys->GetStyle(Handle()) & BS_TYPEMASK;
      if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      return DLGC_BUTTON;
    }
    case WM_SETTEXT:
      text_ = lParam != 0 ? std::string(reinterpret_cast<const char*>(lParam)) : std::string();
      OnStateChanged();
      return 1;
    case WM_GETTEXT: {
      if (wParam == 0 || lParam == 0) return 0;
      const std::size_t n = std::min<std::size_t>(text_.size(), wParam - 1);
      std::memcpy(reinterpret_cast<char*>(lParam), text_.data(), n);
      reinterpret_cast<char*>(lParam)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    default:
      return DefWindowProc(msg, wParam, lParam);
  }
}

}  // namespace vl::win
