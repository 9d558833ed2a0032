// CVlSpinButton: the up-down arrows beside the edit window. The platform control repeats its
// position changes while an arrow is held; the spin button throttles them to one step per
// SpinDelay and turns each into VLM_SPINUP / VLM_SPINDOWN for its edit window.
#pragma once

#include <cstdint>

#include "platform/updown_control.h"

namespace vl {

class CVlEditWnd;

// The system vertical scroll bar's width: the strip the spin takes from the edit window.
inline constexpr int kSpinWidth = 17;

// The largest whole step a SpinIncrease makes; every box's range is far inside it, so a value
// plus a step never overflows 64 bits and a step past a bound still ends at the bound.
inline constexpr std::int64_t kSpinStepLimit = 4'000'000'000'000'000'000;

// The whole steps a SpinIncrease makes on an integer value or a date field: truncated toward
// zero and saturated at ±kSpinStepLimit, so 1e19 is a very large step rather than an undefined
// conversion; a NaN is no step.
std::int64_t WholeSpinStep(float increase);

class CVlSpinButton : public win::UpDownControl {
 public:
  explicit CVlSpinButton(CVlEditWnd& owner) : owner_(&owner) {}
  ~CVlSpinButton() override;

  // Creates the platform control (visible, child of the control window), position 0 and range
  // -32767..32767 so the range is never exhausted.
  bool CreateBeside(win::System& system, win::RECT rect, win::HWND parent, bool alignRight);
  bool IsCreated() const { return Handle() != win::kNoWindow; }
  void MoveSpin(win::RECT rect);

  std::int32_t GetDelay() const { return delay_; }
  void SetDelay(std::int32_t milliseconds) { delay_ = milliseconds; }

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

 protected:
  bool OnDeltaPos(win::NMUPDOWN& change, win::LRESULT& answer) override;

 private:
  CVlEditWnd* owner_;
  std::int32_t delay_ = 250;
  bool firstStep_ = true;
  bool buttonDown_ = false;
  std::uint32_t lastStepTick_ = 0;
};

}  // namespace vl
