// The standard up-down control ("msctls_updown32"): a pair of arrows whose presses change a
// position within a range, asking the parent first.
//
// Contract details callers rely on:
//   - Range: UDM_SETRANGE takes MAKELONG(upper, lower), both signed 16-bit. The up arrow moves
//     toward `upper`, so with upper < lower it decreases the position. The range before anything
//     sets one is lower 100, upper 0, as on the platform.
//   - A press (WM_LBUTTONDOWN, or WM_LBUTTONDBLCLK for a quick second click) on the upper half of
//     the window is the up arrow, on the lower half the down arrow; a disabled control ignores it.
//     The press captures the mouse and changes the position once at once; while the button stays
//     down the control repeats the change on its own timer: first after kFirstRepeatDelay ms,
//     then every kRepeatInterval ms, without acceleration. Repeats pause while the mouse is off
//     the pressed arrow and stop on WM_LBUTTONUP or when the capture is lost.
//   - Each change is offered first to OnDeltaPos (the notification as reflected to the control's
//     own class), then, unless that answered it, to the parent as WM_NOTIFY with an NMUPDOWN
//     {hdr.code = UDN_DELTAPOS, iPos = the current position, iDelta = +1 or -1}. A nonzero answer
//     cancels the change. The new position is the position as the handlers leave it plus iDelta,
//     clamped to the range; a handler may therefore reset the position (UDM_SETPOS) and answer 0.
//   - At the end of the range in the arrow's direction a press does nothing and sends nothing
//     (there is no wrapping).
//   - No WM_VSCROLL is sent and no buddy window is kept: UDM_GETPOS always reports success.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace vl::win {

class UpDownControl : public Window {
 public:
  static constexpr const char* kClassName = "msctls_updown32";
  static constexpr std::uint32_t kFirstRepeatDelay = 500;  // ms from the press to the first repeat
  static constexpr std::uint32_t kRepeatInterval = 50;     // ms between further repeats
  static constexpr WPARAM kRepeatTimerId = 1;

  enum class Arrow { kNone, kUp, kDown };

  UpDownControl() = default;

  // Creates the window ("msctls_updown32" class); controlId goes into every NMHDR.
  HWND Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The two arrows, one above the other, the held one pushed in.
  void PrintClient(DeviceContext& dc) override;

  int Pos() const { return pos_; }
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  Arrow Pressed() const { return pressed_; }
  std::uintptr_t ControlId() const { return controlId_; }
  void SetControlId(std::uintptr_t id) { controlId_ = id; }

 protected:
  // The position change as the control's own class sees it before the parent. Return true to
  // answer it here (answer: nonzero cancels); false passes it on to the parent.
  virtual bool OnDeltaPos(NMUPDOWN& change, LRESULT& answer);

  // The platform services the control needs, each in one place.
  void StartRepeatTimer(std::uint32_t milliseconds);
  void StopRepeatTimer();
  void CaptureMouse(bool capture);

 private:
  Arrow ArrowAt(int x, int y) const;
  void Press(Arrow arrow);
  void Release(bool releaseCapture);
  void OnRepeatTimer();
  // One position change in the direction of the pressed arrow.
  void Step();

  static constexpr int kDefaultLower = 100;
  static constexpr int kDefaultUpper = 0;

  HWND stateFor_ = kNoWindow;  // the window the state below belongs to
  int lower_ = kDefaultLower;
  int upper_ = kDefaultUpper;
  int pos_ = 0;
  std::uintptr_t controlId_ = 0;
  Arrow pressed_ = Arrow::kNone;
  bool overArrow_ = false;  // the mouse is on the pressed arrow
  bool repeating_ = false;  // the first repeat has come; later ones use the short interval
};

}  // namespace vl::win
