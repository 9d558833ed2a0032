// The standard button control ("BUTTON" class) for push buttons, check boxes and owner-drawn
// buttons: the press and release of the mouse, the Space key, the pushed and focus states, the
// check state, and the click notification. An owner-drawn button paints nothing itself; its
// owner draws it from the state the control reports.
//
// Contract details callers rely on:
//   - A left press takes the focus and the mouse capture and shows the button pushed. While the
//     button stays down, moving off the window shows it released and moving back shows it pushed
//     again. The release notifies a click only when the button is pushed at that moment.
//   - Space pressed while the button has the focus pushes it; the key's release clicks it. Losing
//     the focus or the capture meanwhile cancels the press without a click.
//   - A left double click on a BS_OWNERDRAW button does not press it: it notifies
//     BN_DOUBLECLICKED. Other buttons take a double click as a press.
//   - BM_CLICK presses and releases the button as a click does (a disabled button ignores it).
//   - Each notification is offered first to OnNotify (the notification as reflected to the
//     control's own class), then, unless that took it, to the parent as WM_COMMAND with wParam
//     MAKEWPARAM(control id, code) and lParam the button's handle id.
//   - The window text (WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH) is the button's label.
//   - A BS_AUTOCHECKBOX toggles its check state on every click (mouse, Space, BM_CLICK) before it
//     notifies; a BS_CHECKBOX keeps the state its owner sets with BM_SETCHECK.
//   - The check, pushed and focus states belong to the window: a new one starts afresh.
//   - WM_GETDLGCODE: DLGC_BUTTON, with DLGC_DEFPUSHBUTTON or DLGC_UNDEFPUSHBUTTON for push
//     buttons, so a dialog clicks a button whose mnemonic is pressed and finds its default one.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

namespace vl::win {

inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;  // wParam: nonzero shows the button pushed
inline constexpr UINT BM_CLICK = 0x00F5;
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_OWNERDRAW = 0x000B;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr LRESULT BST_UNCHECKED = 0x0000;
inline constexpr LRESULT BST_CHECKED = 0x0001;
inline constexpr LRESULT BST_PUSHED = 0x0004;
inline constexpr LRESULT BST_FOCUS = 0x0008;
inline constexpr int BN_CLICKED = 0;
inline constexpr int BN_DOUBLECLICKED = 5;

class ButtonControl : public Window {
 public:
  static constexpr const char* kClassName = "BUTTON";

  ButtonControl() = default;

  // Creates the window with `text` as its label; kNoWindow on failure.
  HWND Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId,
              const std::string& text = std::string());

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  const std::string& Label() const { return text_; }
  bool IsPushed() const { return pushed_; }
  bool HasFocusState() const { return focused_; }
  bool IsOwnerDrawn() const;
  bool IsCheckBox() const;
  bool IsChecked() const { return check_ == BST_CHECKED; }
  std::uintptr_t ControlId() const { return controlId_; }

 protected:
  // A notification as the control's own class sees it before the parent; true takes it.
  virtual bool OnNotify(int code);
  // The look changed (pushed, focus, label, enabled): an owner-drawn button is drawn again.
  virtual void OnStateChanged() {}

 private:
  void SetPushed(bool pushed);
  void Notify(int code);
  void Click();
  // A click as the user makes it: an automatic check box toggles, then the parent hears of it.
  void Clicked();
  void EndPress(bool releaseCapture);
  bool Inside(LPARAM lParam) const;

  std::string text_;
  std::uintptr_t controlId_ = 0;
  LRESULT check_ = BST_UNCHECKED;
  bool pushed_ = false;
  bool focused_ = false;
  bool tracking_ = false;   // the left button is down on the button
  bool spaceDown_ = false;  // Space pressed the button
};

}  // namespace vl::win
