#include "edit/spin_button.h"

#include <algorithm>
#include <cmath>

#include "edit/edit_wnd.h"

namespace vl {

std::int64_t WholeSpinStep(float increase) {
  const double step = std::trunc(static_cast<double>(increase));
  if (std::isnan(step)) return 0;
  constexpr double kLimit = static_cast<double>(kSpinStepLimit);
  return static_cast<std::int64_t>(std::clamp(step, -kLimit, kLimit));
}

CVlSpinButton::~CVlSpinButton() {
  if (Sys() != nullptr && Handle() != win::kNoWindow) Sys()->DestroyWindow(Handle());
}

bool CVlSpinButton::CreateBeside(win::System& system, win::RECT rect, win::HWND parent, bool alignRight) {
  const win::DWORD style = win::WS_CHILD | win::WS_VISIBLE | (alignRight ? win::UDS_ALIGNRIGHT : win::UDS_ALIGNLEFT);
  const std::uintptr_t id = win::HandleId(owner_->Handle()) + 10000;
  if (Create(system, style, rect, parent, id) == win::kNoWindow) return false;
  delay_ = owner_->GetSpinDelay();
  system.SendMessage(Handle(), win::UDM_SETPOS, 0, 0);
  system.SendMessage(Handle(), win::UDM_SETRANGE, 0, win::MAKELPARAM(32767, -32767));
  return true;
}

void CVlSpinButton::MoveSpin(win::RECT rect) {
  if (IsCreated()) Sys()->MoveWindow(Handle(), rect);
}

win::LRESULT CVlSpinButton::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (msg == win::WM_LBUTTONDOWN && !buttonDown_) {
    firstStep_ = true;
    buttonDown_ = true;
    lastStepTick_ = Sys()->GetTickCount();
  } else if (msg == win::WM_LBUTTONUP) {
    buttonDown_ = false;
  }
  return UpDownControl::WndProc(msg, wParam, lParam);
}

bool CVlSpinButton::OnDeltaPos(win::NMUPDOWN& change, win::LRESULT& answer) {
  win::System& sys = *Sys();
  if (owner_->IsCreated()) sys.SetFocus(owner_->Handle());
  const std::uint32_t now = sys.GetTickCount();
  answer = 0;
  // The position goes back to 0 every time, so the range never runs out.
  sys.SendMessage(Handle(), win::UDM_SETPOS, 0, 0);
  if (!firstStep_ && now - lastStepTick_ < static_cast<std::uint32_t>(delay_)) return true;
  if (!firstStep_) lastStepTick_ = now;
  firstStep_ = false;
  if (owner_->IsCreated()) SendVlm(sys, owner_->Handle(), change.iDelta > 0 ? VLM_SPINUP : VLM_SPINDOWN, 0);
  return true;
}

}  // namespace vl
