// The standard combo box ("COMBOBOX" class) in its two drop-down forms: the drop-down list
// (CBS_DROPDOWNLIST: a selection field showing the chosen item) and the drop-down combo box
// (CBS_DROPDOWN: an edit field the user may type into, with the list as suggestions). Items
// carry a text, or only a 32-bit value when the box is owner-drawn without CBS_HASSTRINGS.
//
// Contract details callers rely on:
//   - Geometry (client pixels): a sunken border of kBorder pixels, the arrow button of
//     SM_CXVSCROLL pixels inside it at the right (ButtonRect), the selection field or edit part
//     left of it (FieldRect). The dropped list lies right below the box (DroppedRect): at least
//     as wide as the box (CB_SETDROPPEDWIDTH widens it), one-pixel frame, ItemHeight() per row,
//     as many rows as there are items but at most CB_SETMINVISIBLE (30 by default) and never
//     taller than the screen.
//   - Programs change the box without notifications: CB_ADDSTRING, CB_INSERTSTRING,
//     CB_DELETESTRING, CB_RESETCONTENT (also empties the edit part), CB_SETCURSEL (-1 clears the
//     selection; the edit part takes the item's text), CB_SELECTSTRING, WM_SETTEXT (the edit
//     part's text; a drop-down list selects the item with exactly that text, else CB_ERR).
//   - The user's changes notify the parent with WM_COMMAND (MAKEWPARAM(id, code), lParam the
//     box's handle id): CBN_SETFOCUS / CBN_KILLFOCUS when the focus enters or leaves the box (its
//     edit part included), CBN_EDITUPDATE then CBN_EDITCHANGE after typing changed the edit text,
//     CBN_DROPDOWN before the list opens (the owner may refill it then), and on closing
//     CBN_SELENDOK (chosen) or CBN_SELENDCANCEL, then CBN_CLOSEUP, then CBN_SELCHANGE when the
//     selection changed. A handler may re-open the list from CBN_SELCHANGE.
//   - Keys (on the box or its edit part): F4, Alt+Down and Alt+Up open or close the list. While
//     it is closed, Up, Down, Home, End, PageUp and PageDown change the selection at once
//     (CBN_SELCHANGE). While it is open they move the highlight only; Enter chooses the
//     highlighted item, Escape closes without a choice, and losing the focus closes it the same
//     way. A character typed into a drop-down list selects the next item that starts with it.
//   - Mouse: a press on a drop-down list, or on a drop-down combo box's arrow, takes the focus
//     and opens the list; the box then holds the mouse capture until the list closes. Moving over
//     the list highlights the row under the pointer; releasing the button on a row chooses it; a
//     press outside the list closes it without a choice. A disabled box ignores the mouse and
//     closes its list.
//   - WM_GETDLGCODE: arrows and characters belong to the box; while the list is open Enter and
//     Escape do too, so a dialog leaves them to the list. A drop-down combo box adds
//     DLGC_HASSETSEL: entering it from the keyboard selects its text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/edit_control.h"
#include "platform/window.h"

namespace vl::win {

inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_TYPEMASK = 0x0003;
inline constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;

inline constexpr UINT CB_GETEDITSEL = 0x0140;
inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_SETEDITSEL = 0x0142;  // lParam: MAKELPARAM(start, end)
inline constexpr UINT CB_ADDSTRING = 0x0143;   // lParam: const char*, or the item's value
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;  // wParam: index, lParam: char* (large enough)
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;  // wParam: index (-1: the end)
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_SELECTSTRING = 0x014D;  // wParam: start after (-1: all), lParam: prefix
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;  // lParam: RECT* (screen)
inline constexpr UINT CB_SETITEMHEIGHT = 0x0153;          // wParam: 0 the list rows
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;  // wParam: start after (-1: all), lParam: text
inline constexpr UINT CB_GETTOPINDEX = 0x015B;
inline constexpr UINT CB_SETTOPINDEX = 0x015C;
inline constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
inline constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
inline constexpr UINT CB_SETMINVISIBLE = 0x1701;
inline constexpr UINT CB_GETMINVISIBLE = 0x1702;
inline constexpr LRESULT CB_ERR = -1;

inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_DBLCLK = 2;
inline constexpr int CBN_SETFOCUS = 3;
inline constexpr int CBN_KILLFOCUS = 4;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int CBN_EDITUPDATE = 6;
inline constexpr int CBN_DROPDOWN = 7;
inline constexpr int CBN_CLOSEUP = 8;
inline constexpr int CBN_SELENDOK = 9;
inline constexpr int CBN_SELENDCANCEL = 10;

struct ComboItem {
  std::string text;  // CP932; empty for an owner-drawn box without strings
  std::uintptr_t data = 0;
};

class ComboBoxControl : public Window {
 public:
  static constexpr const char* kClassName = "COMBOBOX";
  static constexpr int kBorder = 2;
  static constexpr int kDefaultItemHeight = 16;
  static constexpr int kDefaultMinVisible = 30;

  ComboBoxControl();
  ~ComboBoxControl() override;

  // Creates the window; rect is the closed box. kNoWindow on failure.
  HWND Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // --- State, for the owner's drawing and for tests ------------------------------------------
  bool IsDropDownList() const;
  bool IsOwnerDrawn() const;
  bool HasStrings() const;
  const std::vector<ComboItem>& Items() const { return items_; }
  int CurSel() const { return sel_; }
  bool IsDropped() const { return dropped_; }
  int Highlight() const { return highlight_; }
  int TopIndex() const { return top_; }
  int ItemHeight() const { return itemHeight_; }
  int VisibleRows() const;
  bool HasFocusState() const;
  std::uintptr_t ControlId() const { return controlId_; }
  // The edit text of a drop-down combo box, the selected item's text of a drop-down list.
  std::string Text() const;
  // The edit part of a drop-down combo box; null for a drop-down list.
  EditControl* Edit() const;
  RECT FieldRect() const;
  RECT ButtonRect() const;
  RECT DroppedRect() const;  // client coordinates of the box, below it
  // The row of the dropped list under a client point of the box, -1 for none.
  int ItemAtPoint(POINT p) const;

  // The user picks an item as a click on its row does: the list opens (its owner may refill it
  // then) and closes on that row. False, with the list closed again, when there is no such row or
  // the box is disabled.
  bool ChooseItem(int index);

 protected:
  // Widths of text in the edit part and its line height; the plain box counts half-width cells
  // as the edit control does. A box that draws with a real font measures with it.
  virtual int MeasureText(std::string_view text) const;
  virtual int MeasureLineHeight() const { return EditControl::kDefaultLineHeight; }
  // The look changed (selection, list open or closed, highlight, focus, enabled).
  virtual void OnStateChanged() {}

 private:
  class EditPart;
  friend class EditPart;

  void Notify(int code);
  bool IsStillAlive(HWND self) const;
  void Open();
  void Close(bool choose);
  void SetSelection(int index, bool notify);
  void MoveHighlight(int index);
  void EnsureVisible(int index);
  // A navigation key; false when the key is not one of the box's.
  bool OnKey(int vk, bool alt);
  void OnChar(unsigned char ch);
  void OnMouse(UINT msg, LPARAM lParam);
  void EditFocusChanged(bool gained, HWND other);
  void EditTextChanged();
  LRESULT DialogCode(LPARAM msg) const;
  int InsertItem(int index, LPARAM lParam);
  int FindExact(int start, std::string_view text) const;
  int FindPrefix(int start, std::string_view text) const;
  int PageRows() const;

  std::unique_ptr<EditPart> edit_;
  std::vector<ComboItem> items_;
  std::uintptr_t controlId_ = 0;
  int sel_ = -1;
  bool dropped_ = false;
  int highlight_ = -1;
  int top_ = 0;
  int itemHeight_ = kDefaultItemHeight;
  int minVisible_ = kDefaultMinVisible;
  int droppedWidth_ = 0;
  bool focused_ = false;
  bool tracking_ = false;             // the button is down on the open list
  bool enteringFromOutside_ = false;  // the box took the focus from outside and hands it on
};

}  // namespace vl::win
