#include "platform/updown_control.h"

#include <algorithm>

#include "platform/gdi.h"

namespace vl::win {
namespace {

int SignedLow(std::uintptr_t v) { return static_cast<std::int16_t>(LOWORD(v)); }
int SignedHigh(std::uintptr_t v) { return static_cast<std::int16_t>(HIWORD(v)); }

}  // namespace

HWND UpDownControl::Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId) {
  controlId_ = controlId;
  return system.CreateWindowEx(*this, kClassName, style, rect, parent);
}

bool UpDownControl::OnDeltaPos(NMUPDOWN&, LRESULT&) { return false; }

// --- Platform services -------------------------------------------------------------------------

void UpDownControl::StartRepeatTimer(std::uint32_t milliseconds) {
  if (Sys() != nullptr) Sys()->SetTimer(Handle(), kRepeatTimerId, milliseconds);
}

void UpDownControl::StopRepeatTimer() {
  if (Sys() != nullptr) Sys()->KillTimer(Handle(), kRepeatTimerId);
}

void UpDownControl::CaptureMouse(bool capture) {
  if (Sys() == nullptr) return;
  if (capture) {
    Sys()->SetCapture(Handle());
  } else if (Sys()->GetCapture() == Handle()) {
    Sys()->ReleaseCapture();
  }
}

// --- Messages ----------------------------------------------------------------------------------

LRESULT UpDownControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A new window starts from a new control's state, even when this object served one before.
  if (stateFor_ != Handle()) {
    stateFor_ = Handle();
    lower_ = kDefaultLower;
    upper_ = kDefaultUpper;
    pos_ = 0;
    pressed_ = Arrow::kNone;
    overArrow_ = false;
    repeating_ = false;
  }
  const auto lp = static_cast<std::uintptr_t>(lParam);
  switch (msg) {
    case UDM_SETRANGE:
      upper_ = SignedLow(lp);
      lower_ = SignedHigh(lp);
      return 0;
    case UDM_GETRANGE:
      return MAKELPARAM(upper_, lower_);
    case UDM_SETPOS: {
      const int previous = pos_;
      pos_ = std::clamp(SignedLow(lp), std::min(lower_, upper_), std::max(lower_, upper_));
      return previous;
    }
    case UDM_GETPOS:
      return MAKELPARAM(pos_, 0);  // high word 0: the position is valid
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is another press, not a lost one
      if (pressed_ == Arrow::kNone) Press(ArrowAt(SignedLow(lp), SignedHigh(lp)));
      return 0;
    case WM_MOUSEMOVE:
      if (pressed_ != Arrow::kNone) overArrow_ = ArrowAt(SignedLow(lp), SignedHigh(lp)) == pressed_;
      return 0;
    case WM_LBUTTONUP:
      Release(true);
      return 0;
    case WM_CAPTURECHANGED:
      Release(false);
      return 0;
    case WM_ENABLE:
      if (wParam == 0) Release(true);
      return 0;
    case WM_DESTROY:
      Release(true);
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimerId) OnRepeatTimer();
      return 0;
    default:
      return DefWindowProc(msg, wParam, lParam);
  }
}

UpDownControl::Arrow UpDownControl::ArrowAt(int x, int y) const {
  if (Sys() == nullptr) return Arrow::kNone;
  const RECT w = Sys()->GetWindowRect(Handle());
  if (x < 0 || y < 0 || x >= w.Width() || y >= w.Height()) return Arrow::kNone;
  return y < w.Height() / 2 ? Arrow::kUp : Arrow::kDown;
}

void UpDownControl::Press(Arrow arrow) {
  if (arrow == Arrow::kNone || !Sys()->IsWindowEnabled(Handle())) return;
  pressed_ = arrow;
  overArrow_ = true;
  repeating_ = false;
  CaptureMouse(true);
  StartRepeatTimer(kFirstRepeatDelay);
  Step();
}

void UpDownControl::Release(bool releaseCapture) {
  if (pressed_ == Arrow::kNone) return;
  pressed_ = Arrow::kNone;
  overArrow_ = false;
  StopRepeatTimer();
  if (releaseCapture) CaptureMouse(false);
}

void UpDownControl::OnRepeatTimer() {
  if (pressed_ == Arrow::kNone) {
    StopRepeatTimer();
    return;
  }
  if (!repeating_) {
    // The first repeat came after the long delay; the timer now runs at the short interval.
    repeating_ = true;
    StartRepeatTimer(kRepeatInterval);
  }
  if (overArrow_) Step();
}

void UpDownControl::Step() {
  if (pressed_ == Arrow::kNone || Sys() == nullptr) return;
  const bool upIncreases = upper_ >= lower_;
  const int delta = (pressed_ == Arrow::kUp) == upIncreases ? 1 : -1;
  const int low = std::min(lower_, upper_);
  const int high = std::max(lower_, upper_);
  if ((delta > 0 && pos_ >= high) || (delta < 0 && pos_ <= low)) return;

  NMUPDOWN change;
  change.hdr.hwndFrom = HandleId(Handle());
  change.hdr.idFrom = controlId_;
  change.hdr.code = UDN_DELTAPOS;
  change.iPos = pos_;
  change.iDelta = delta;
  LRESULT answer = 0;
  const HWND self = Handle();
  System* sys = Sys();
  if (!OnDeltaPos(change, answer)) {
    const HWND parent = sys->GetParent(self);
    answer = parent == kNoWindow ? 0
                                 : sys->SendMessage(parent, WM_NOTIFY, controlId_, reinterpret_cast<LPARAM>(&change));
  }
  // A handler may have destroyed the control.
  if (!sys->IsWindow(self) || sys->FromHandle(self) != this) return;
  if (answer != 0) return;
  pos_ = std::clamp(pos_ + delta, low, high);
}

void UpDownControl::PrintClient(DeviceContext& dc) {
  const RECT size = Sys()->GetWindowRect(Handle());
  const int h = size.Height() / 2;
  RECT up{0, 0, size.Width(), h};
  RECT down{0, size.Height() - h, size.Width(), size.Height()};
  DrawFrameControl(dc, up, DFC_SCROLL, DFCS_SCROLLUP | (pressed_ == Arrow::kUp ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, down, DFC_SCROLL, DFCS_SCROLLDOWN | (pressed_ == Arrow::kDown ? DFCS_PUSHED : 0));
}

}  // namespace vl::win
