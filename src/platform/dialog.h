// Dialogs: the keyboard navigation of a dialog's controls (what IsDialogMessage does for a
// modeless dialog in the host's message loop) and dialog units.
//
// Contract details callers rely on:
//   - The controls of a dialog are its children in creation order; a visible child dialog (class
//     kDialogClass) stands for its own controls in its place, so a property sheet tabs through
//     its page's controls and then its own buttons.
//   - Tab and Shift+Tab move the focus to the next or previous visible, enabled control with
//     WS_TABSTOP, wrapping, unless the focused control wants Tab (WM_GETDLGCODE). Entering a
//     control whose code has DLGC_HASSETSEL selects all its text.
//   - Mnemonics: Alt+letter (WM_SYSCHAR), or the plain letter when the focused control does not
//     want characters, finds the next control after the focus, wrapping, whose label marks that
//     letter with "&" (buttons, check boxes and statics without SS_NOPREFIX). A static passes the
//     focus to the control that follows it; a button or check box takes the focus and is clicked
//     when no other control has the same mnemonic; with duplicates each press moves to the next.
//     A disabled or hidden target is skipped.
//   - Enter clicks the visible, enabled BS_DEFPUSHBUTTON and Escape the control with id IDCANCEL,
//     unless the focused control wants them (DLGC_WANTALLKEYS).
//   - Only messages for the dialog or its descendants are looked at; the answer is true when the
//     message was consumed.
#pragma once

#include <string_view>
#include <vector>

#include "platform/gdi.h"
#include "platform/window.h"

namespace vl::win {

inline constexpr const char* kDialogClass = "#32770";

std::vector<HWND> DialogControls(const System& system, HWND dialog);
// The control after (or before) `control` in tab order; `control` may be none or any window
// inside a control (the edit part of a combo box).
HWND GetNextDlgTabItem(System& system, HWND dialog, HWND control, bool previous);
// The lower-case ASCII letter "&" marks in a label ("&File" → 'f', "a&&b" → 0), 0 for none.
char MnemonicOf(std::string_view label);
bool IsDialogMessage(System& system, HWND dialog, MSG& msg);
// Gives the focus as dialog navigation does: the focused window's text is selected when its
// WM_GETDLGCODE says DLGC_HASSETSEL.
void SetDialogFocus(System& system, HWND control);

// Dialog base units: the average width of the dialog font's letters and its line height. A
// horizontal dialog unit is a quarter of cx, a vertical one an eighth of cy.
struct DialogBaseUnits {
  int cx = 6;
  int cy = 12;
};
// The base units of the font selected into `dc`.
DialogBaseUnits GetDialogBaseUnits(const DeviceContext& dc);
RECT MapDialogRect(const RECT& dialogUnits, DialogBaseUnits base);

}  // namespace vl::win
