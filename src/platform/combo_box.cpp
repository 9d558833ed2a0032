#include "platform/combo_box.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi.h"
#include "platform/static_control.h"

namespace vl::win {

namespace {

std::int32_t IntArg(std::uintptr_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Item texts compare as the platform's list boxes compare them: ASCII letters without case.
bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

// The edit part of a drop-down combo box: an edit control whose navigation keys, focus changes
// and text changes the box hears of.
class ComboBoxControl::EditPart : public EditControl {
 public:
  explicit EditPart(ComboBoxControl& box) : box_(box) {}

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (box_.OnKey(static_cast<int>(wParam), msg == WM_SYSKEYDOWN)) return 0;
        break;
      case WM_CHAR:
        // Enter and Escape close an open list; they type nothing into a single-line edit.
        if ((wParam == '\r' || wParam == 0x1B) && box_.dropped_) return 0;
        break;
      case WM_SETFOCUS:
        box_.EditFocusChanged(true, HWND{static_cast<std::uint32_t>(wParam)});
        return 0;
      case WM_KILLFOCUS: {
        const LRESULT r = EditControl::WndProc(msg, wParam, lParam);
        box_.EditFocusChanged(false, HWND{static_cast<std::uint32_t>(wParam)});
        return r;
      }
      case WM_GETDLGCODE:
        return box_.DialogCode(lParam) | DLGC_HASSETSEL;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        // A press on the edit part while the list is open closes the list first.
        if (box_.dropped_) box_.Close(false);
        break;
      default:
        break;
    }
    const bool typing =
        msg == WM_CHAR || msg == WM_KEYDOWN || msg == WM_PASTE || msg == WM_CUT || msg == WM_CLEAR || msg == WM_UNDO;
    if (!typing) return EditControl::WndProc(msg, wParam, lParam);
    const std::string before = Text();
    const HWND self = Handle();
    const LRESULT r = EditControl::WndProc(msg, wParam, lParam);
    if (Sys() != nullptr && Sys()->IsWindow(self) && Text() != before) box_.EditTextChanged();
    return r;
  }

 protected:
  int MeasureText(std::string_view shown) const override { return box_.MeasureText(shown); }
  int MeasureLineHeight() const override { return box_.MeasureLineHeight(); }

 private:
  ComboBoxControl& box_;
};

ComboBoxControl::ComboBoxControl() = default;

ComboBoxControl::~ComboBoxControl() {
  // The edit part goes with the box's window, while both objects are still whole.
  if (Sys() != nullptr && Sys()->IsWindow(Handle())) Sys()->DestroyWindow(Handle());
}

HWND ComboBoxControl::Create(System& system, DWORD style, RECT rect, HWND parent, std::uintptr_t controlId) {
  controlId_ = controlId;
  return system.CreateWindowEx(*this, kClassName, style, rect, parent);
}

bool ComboBoxControl::IsDropDownList() const {
  return Sys() != nullptr && (Sys()->GetStyle(Handle()) & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
}

bool ComboBoxControl::IsOwnerDrawn() const {
  return Sys() != nullptr && (Sys()->GetStyle(Handle()) & CBS_OWNERDRAWFIXED) != 0;
}

bool ComboBoxControl::HasStrings() const {
  return Sys() != nullptr && (!IsOwnerDrawn() || (Sys()->GetStyle(Handle()) & CBS_HASSTRINGS) != 0);
}

bool ComboBoxControl::HasFocusState() const {
  if (edit_ != nullptr && Sys() != nullptr) return Sys()->GetFocus() == edit_->Handle();
  return focused_;
}

EditControl* ComboBoxControl::Edit() const { return edit_.get(); }

std::string ComboBoxControl::Text() const {
  if (edit_ != nullptr) return edit_->Text();
  return sel_ >= 0 ? items_[static_cast<std::size_t>(sel_)].text : std::string();
}

RECT ComboBoxControl::ButtonRect() const {
  if (Sys() == nullptr) return RECT{};
  const RECT w = Sys()->GetWindowRect(Handle());
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  return RECT{std::max(kBorder, w.Width() - kBorder - width), kBorder, w.Width() - kBorder, w.Height() - kBorder};
}

RECT ComboBoxControl::FieldRect() const {
  if (Sys() == nullptr) return RECT{};
  const RECT w = Sys()->GetWindowRect(Handle());
  return RECT{kBorder, kBorder, ButtonRect().left, w.Height() - kBorder};
}

int ComboBoxControl::VisibleRows() const {
  const int count = static_cast<int>(items_.size());
  const int screenRows = std::max(1, (GetSystemMetrics(SM_CYSCREEN) - 2) / itemHeight_);
  return std::max(1, std::min({count, minVisible_, screenRows}));
}

int ComboBoxControl::PageRows() const { return std::max(1, VisibleRows() - 1); }

RECT ComboBoxControl::DroppedRect() const {
  if (Sys() == nullptr) return RECT{};
  const RECT w = Sys()->GetWindowRect(Handle());
  const int width = std::max(w.Width(), droppedWidth_);
  return RECT{0, w.Height(), width, w.Height() + VisibleRows() * itemHeight_ + 2};
}

int ComboBoxControl::ItemAtPoint(POINT p) const {
  const RECT list = DroppedRect();
  const RECT inside{list.left + 1, list.top + 1, list.right - 1, list.bottom - 1};
  if (!PtInRect(inside, p)) return -1;
  const int row = top_ + (p.y - inside.top) / itemHeight_;
  return row < static_cast<int>(items_.size()) ? row : -1;
}

int ComboBoxControl::MeasureText(std::string_view text) const {
  return static_cast<int>(text.size()) * EditControl::kDefaultCharWidth;
}

// --- Notifications -----------------------------------------------------------------------------

void ComboBoxControl::Notify(int code) {
  if (Sys() != nullptr) NotifyParent(*Sys(), Handle(), controlId_, code);
}

// A handler may destroy the box; the steps after a notification run only while it lives.
bool ComboBoxControl::IsStillAlive(HWND self) const { return Sys() != nullptr && Sys()->IsWindow(self); }

// --- The list ----------------------------------------------------------------------------------

void ComboBoxControl::EnsureVisible(int index) {
  const int rows = VisibleRows();
  if (index < 0) return;
  if (index < top_) top_ = index;
  if (index >= top_ + rows) top_ = index - rows + 1;
  top_ = std::clamp(top_, 0, std::max(0, static_cast<int>(items_.size()) - rows));
}

void ComboBoxControl::Open() {
  if (dropped_ || Sys() == nullptr || !Sys()->IsWindowEnabled(Handle())) return;
  const HWND self = Handle();
  Notify(CBN_DROPDOWN);  // the owner may fill the list now
  if (!IsStillAlive(self) || dropped_) return;
  dropped_ = true;
  highlight_ = sel_;
  top_ = 0;
  EnsureVisible(highlight_);
  Sys()->SetCapture(self);
  OnStateChanged();
}

void ComboBoxControl::Close(bool choose) {
  if (!dropped_) return;
  const HWND self = Handle();
  dropped_ = false;
  tracking_ = false;
  if (Sys()->GetCapture() == self) Sys()->ReleaseCapture();
  const bool changed = choose && highlight_ >= 0 && highlight_ != sel_;
  if (changed) SetSelection(highlight_, false);
  OnStateChanged();
  Notify(choose ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!IsStillAlive(self)) return;
  Notify(CBN_CLOSEUP);
  if (!IsStillAlive(self)) return;
  if (changed) Notify(CBN_SELCHANGE);
}

void ComboBoxControl::SetSelection(int index, bool notify) {
  const int count = static_cast<int>(items_.size());
  sel_ = index >= 0 && index < count ? index : -1;
  if (dropped_) {
    highlight_ = sel_;
    EnsureVisible(sel_);
  }
  if (edit_ != nullptr && Sys() != nullptr) {
    const std::string text = sel_ >= 0 ? items_[static_cast<std::size_t>(sel_)].text : std::string();
    Sys()->SendMessage(edit_->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Sys()->SendMessage(edit_->Handle(), EM_SETSEL, 0, static_cast<LPARAM>(-1));
  }
  OnStateChanged();
  if (notify) Notify(CBN_SELCHANGE);
}

void ComboBoxControl::MoveHighlight(int index) {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return;
  index = std::clamp(index, 0, count - 1);
  if (dropped_) {
    highlight_ = index;
    EnsureVisible(index);
    OnStateChanged();
  } else if (index != sel_) {
    SetSelection(index, true);
  }
}

bool ComboBoxControl::ChooseItem(int index) {
  if (Sys() == nullptr || !Sys()->IsWindowEnabled(Handle())) return false;
  const HWND self = Handle();
  Open();
  if (!IsStillAlive(self) || !dropped_) return false;
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    Close(false);
    return false;
  }
  highlight_ = index;
  Close(true);
  return true;
}

// --- Keyboard ----------------------------------------------------------------------------------

bool ComboBoxControl::OnKey(int vk, bool alt) {
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {  // F4, Alt+Down, Alt+Up
    dropped_ ? Close(true) : Open();
    return true;
  }
  if (alt) return false;
  const int current = dropped_ ? highlight_ : sel_;
  const int last = static_cast<int>(items_.size()) - 1;
  switch (vk) {
    case VK_UP:
      MoveHighlight(current < 0 ? 0 : current - 1);
      return true;
    case VK_DOWN:
      MoveHighlight(current < 0 ? 0 : current + 1);
      return true;
    case VK_PRIOR:
      MoveHighlight(current - PageRows());
      return true;
    case VK_NEXT:
      MoveHighlight(current < 0 ? PageRows() - 1 : current + PageRows());
      return true;
    case VK_HOME:
      // In the edit part Home and End move the caret; in a list they choose the first or last.
      if (edit_ != nullptr && !dropped_) return false;
      MoveHighlight(0);
      return true;
    case VK_END:
      if (edit_ != nullptr && !dropped_) return false;
      MoveHighlight(last);
      return true;
    case VK_RETURN:
      if (!dropped_) return false;
      Close(true);
      return true;
    case VK_ESCAPE:
      if (!dropped_) return false;
      Close(false);
      return true;
    default:
      return false;
  }
}

void ComboBoxControl::OnChar(unsigned char ch) {
  if (ch < 0x20 || items_.empty() || !HasStrings()) return;
  const int count = static_cast<int>(items_.size());
  const int from = dropped_ ? highlight_ : sel_;
  for (int step = 1; step <= count; ++step) {
    const int i = ((from < 0 ? -1 : from) + step + count) % count;
    const std::string& text = items_[static_cast<std::size_t>(i)].text;
    if (!text.empty() && AsciiLower(text[0]) == AsciiLower(static_cast<char>(ch))) {
      MoveHighlight(i);
      return;
    }
  }
}

LRESULT ComboBoxControl::DialogCode(LPARAM msg) const {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (dropped_ && msg != 0) {
    const MSG* m = reinterpret_cast<const MSG*>(msg);
    if (m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE)) code |= DLGC_WANTALLKEYS;
  }
  return code;
}

// --- Focus -------------------------------------------------------------------------------------

void ComboBoxControl::EditFocusChanged(bool gained, HWND other) {
  // Moves between the box and its own edit part are not the box's focus changes; the focus the
  // box passes on to its edit part comes from where the box got it.
  const bool inside =
      other == Handle() || (Sys() != nullptr && other != kNoWindow && Sys()->GetParent(other) == Handle());
  if (gained) {
    const bool outside = other == Handle() ? std::exchange(enteringFromOutside_, false) : !inside;
    if (!outside) return;
    OnStateChanged();
    Notify(CBN_SETFOCUS);
    return;
  }
  if (inside) return;
  const HWND self = Handle();
  Close(false);
  if (!IsStillAlive(self)) return;
  OnStateChanged();
  Notify(CBN_KILLFOCUS);
}

void ComboBoxControl::EditTextChanged() {
  const HWND self = Handle();
  Notify(CBN_EDITUPDATE);
  if (!IsStillAlive(self)) return;
  Notify(CBN_EDITCHANGE);
}

// --- Mouse -------------------------------------------------------------------------------------

void ComboBoxControl::OnMouse(UINT msg, LPARAM lParam) {
  System* sys = Sys();
  const POINT p{static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
  const HWND self = Handle();
  if (!sys->IsWindowEnabled(self)) return;
  const RECT w = sys->GetWindowRect(self);
  const RECT client{0, 0, w.Width(), w.Height()};
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (dropped_) {
        if (ItemAtPoint(p) >= 0) {
          tracking_ = true;
          MoveHighlight(ItemAtPoint(p));
        } else {
          Close(false);
        }
        return;
      }
      if (!PtInRect(client, p)) return;
      if (edit_ != nullptr && !PtInRect(ButtonRect(), p)) return;
      if (sys->GetFocus() != self && (edit_ == nullptr || sys->GetFocus() != edit_->Handle())) sys->SetFocus(self);
      if (!IsStillAlive(self)) return;
      Open();
      return;
    case WM_MOUSEMOVE:
      if (dropped_ && ItemAtPoint(p) >= 0 && ItemAtPoint(p) != highlight_) MoveHighlight(ItemAtPoint(p));
      if (dropped_ && sys->GetKeyState(VK_LBUTTON) < 0 && ItemAtPoint(p) >= 0) {
        tracking_ = true;  // a drag from the box into the list chooses where it is released
      }
      return;
    case WM_LBUTTONUP:
      if (dropped_ && tracking_ && ItemAtPoint(p) >= 0) {
        highlight_ = ItemAtPoint(p);
        Close(true);
      }
      tracking_ = false;
      return;
    case WM_CAPTURECHANGED:
      if (dropped_ && HWND{static_cast<std::uint32_t>(lParam)} != self) Close(false);
      return;
    default:
      return;
  }
}

// --- Items -------------------------------------------------------------------------------------

int ComboBoxControl::InsertItem(int index, LPARAM lParam) {
  ComboItem item;
  if (HasStrings()) {
    item.text = lParam != 0 ? std::string(reinterpret_cast<const char*>(lParam)) : std::string();
  } else {
    item.data = static_cast<std::uintptr_t>(lParam);
  }
  const int count = static_cast<int>(items_.size());
  if (index < 0 || index > count) index = count;
  items_.insert(items_.begin() + index, std::move(item));
  if (sel_ >= index) ++sel_;
  if (highlight_ >= index) ++highlight_;
  OnStateChanged();
  return index;
}

int ComboBoxControl::FindExact(int start, std::string_view text) const {
  const int count = static_cast<int>(items_.size());
  for (int step = 1; step <= count; ++step) {
    const int i = ((start < 0 || start >= count ? -1 : start) + step) % count;
    if (EqualNoCase(items_[static_cast<std::size_t>(i)].text, text)) return i;
  }
  return static_cast<int>(CB_ERR);
}

int ComboBoxControl::FindPrefix(int start, std::string_view text) const {
  const int count = static_cast<int>(items_.size());
  for (int step = 1; step <= count; ++step) {
    const int i = ((start < 0 || start >= count ? -1 : start) + step) % count;
    const std::string& item = items_[static_cast<std::size_t>(i)].text;
    if (item.size() >= text.size() && EqualNoCase(std::string_view(item).substr(0, text.size()), text)) return i;
  }
  return static_cast<int>(CB_ERR);
}

// --- Message dispatch --------------------------------------------------------------------------

LRESULT ComboBoxControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  System* sys = Sys();
  const int count = static_cast<int>(items_.size());
  auto validIndex = [&](WPARAM w) {
    const std::int32_t i = IntArg(w);
    return i >= 0 && i < count ? i : -1;
  };
  switch (msg) {
    case WM_CREATE:
      items_.clear();
      sel_ = highlight_ = -1;
      dropped_ = focused_ = tracking_ = false;
      edit_.reset();
      if ((sys->GetStyle(Handle()) & CBS_TYPEMASK) == CBS_DROPDOWN) {
        edit_ = std::make_unique<EditPart>(*this);
        edit_->Create(*sys, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, FieldRect(), Handle());
      }
      return 0;
    case WM_DESTROY:
      if (dropped_ && sys->GetCapture() == Handle()) sys->ReleaseCapture();
      dropped_ = false;
      return 0;
    case WM_SETFOCUS:
      if (edit_ != nullptr) {
        enteringFromOutside_ = HWND{static_cast<std::uint32_t>(wParam)} != edit_->Handle();
        sys->SetFocus(edit_->Handle());
        return 0;
      }
      focused_ = true;
      OnStateChanged();
      Notify(CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS: {
      if (edit_ != nullptr) return 0;
      focused_ = false;
      const HWND self = Handle();
      Close(false);
      if (!IsStillAlive(self)) return 0;
      OnStateChanged();
      Notify(CBN_KILLFOCUS);
      return 0;
    }
    case WM_ENABLE:
      if (wParam == 0) Close(false);
      if (edit_ != nullptr && IsStillAlive(Handle())) sys->EnableWindow(edit_->Handle(), wParam != 0);
      OnStateChanged();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKey(static_cast<int>(wParam), msg == WM_SYSKEYDOWN)) return 0;
      return DefWindowProc(msg, wParam, lParam);
    case WM_CHAR:
      OnChar(static_cast<unsigned char>(wParam & 0xFF));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
      OnMouse(msg, lParam);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(lParam) | (edit_ != nullptr ? DLGC_HASSETSEL : 0);
    case WM_SETTEXT:
      if (edit_ != nullptr) return sys->SendMessage(edit_->Handle(), WM_SETTEXT, wParam, lParam);
      if (lParam == 0) return CB_ERR;
      if (const int i = FindExact(-1, reinterpret_cast<const char*>(lParam)); i >= 0) {
        SetSelection(i, false);
        return 1;
      }
      return CB_ERR;
    case WM_GETTEXT:
      return CopyWindowText(Text(), wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Text().size());
    case CB_ADDSTRING:
      return InsertItem(-1, lParam);
    case CB_INSERTSTRING:
      return InsertItem(IntArg(wParam), lParam);
    case CB_DELETESTRING: {
      const int i = validIndex(wParam);
      if (i < 0) return CB_ERR;
      items_.erase(items_.begin() + i);
      if (sel_ == i) sel_ = -1;
      if (sel_ > i) --sel_;
      if (highlight_ == i) highlight_ = -1;
      if (highlight_ > i) --highlight_;
      top_ = std::clamp(top_, 0, std::max(0, static_cast<int>(items_.size()) - VisibleRows()));
      OnStateChanged();
      return static_cast<LRESULT>(items_.size());
    }
    case CB_RESETCONTENT:
      items_.clear();
      sel_ = highlight_ = -1;
      top_ = 0;
      if (edit_ != nullptr) sys->SendMessage(edit_->Handle(), WM_SETTEXT, 0, 0);
      OnStateChanged();
      return 0;
    case CB_GETCOUNT:
      return count;
    case CB_GETCURSEL:
      return sel_ >= 0 ? sel_ : CB_ERR;
    case CB_SETCURSEL: {
      const int i = validIndex(wParam);
      SetSelection(i, false);
      return i >= 0 ? i : CB_ERR;
    }
    case CB_GETLBTEXT: {
      const int i = validIndex(wParam);
      if (i < 0 || lParam == 0) return CB_ERR;
      const std::string& text = items_[static_cast<std::size_t>(i)].text;
      std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
      return static_cast<LRESULT>(text.size());
    }
    case CB_GETLBTEXTLEN: {
      const int i = validIndex(wParam);
      return i < 0 ? CB_ERR : static_cast<LRESULT>(items_[static_cast<std::size_t>(i)].text.size());
    }
    case CB_GETITEMDATA: {
      const int i = validIndex(wParam);
      return i < 0 ? CB_ERR : static_cast<LRESULT>(items_[static_cast<std::size_t>(i)].data);
    }
    case CB_SETITEMDATA: {
      const int i = validIndex(wParam);
      if (i < 0) return CB_ERR;
      items_[static_cast<std::size_t>(i)].data = static_cast<std::uintptr_t>(lParam);
      OnStateChanged();
      return 0;
    }
    case CB_FINDSTRINGEXACT:
      return lParam == 0 ? CB_ERR : FindExact(IntArg(wParam), reinterpret_cast<const char*>(lParam));
    case CB_SELECTSTRING: {
      if (lParam == 0) return CB_ERR;
      const int i = FindPrefix(IntArg(wParam), reinterpret_cast<const char*>(lParam));
      if (i >= 0) SetSelection(i, false);
      return i;
    }
    case CB_SHOWDROPDOWN:
      wParam != 0 ? Open() : Close(false);
      return 1;
    case CB_GETDROPPEDSTATE:
      return dropped_ ? 1 : 0;
    case CB_GETDROPPEDCONTROLRECT:
      if (lParam != 0) {
        RECT r = DroppedRect();
        const POINT o = sys->ClientToScreen(Handle(), POINT{0, 0});
        *reinterpret_cast<RECT*>(lParam) = OffsetRectBy(r, o.x, o.y);
      }
      return 1;
    case CB_SETDROPPEDWIDTH:
      droppedWidth_ = std::max(0, IntArg(wParam));
      return droppedWidth_;
    case CB_GETDROPPEDWIDTH:
      return std::max(droppedWidth_, sys->GetWindowRect(Handle()).Width());
    case CB_SETITEMHEIGHT:
      if (IntArg(lParam) < 1 || IntArg(lParam) > 255) return CB_ERR;
      if (IntArg(wParam) == 0) itemHeight_ = IntArg(lParam);
      return 0;
    case CB_GETITEMHEIGHT:
      return itemHeight_;
    case CB_SETMINVISIBLE:
      if (IntArg(wParam) < 1) return 0;
      minVisible_ = IntArg(wParam);
      return 1;
    case CB_GETMINVISIBLE:
      return minVisible_;
    case CB_GETTOPINDEX:
      return top_;
    case CB_SETTOPINDEX: {
      const int i = validIndex(wParam);
      if (i < 0) return CB_ERR;
      top_ = std::clamp(i, 0, std::max(0, count - VisibleRows()));
      OnStateChanged();
      return 0;
    }
    case CB_LIMITTEXT:
      if (edit_ != nullptr) sys->SendMessage(edit_->Handle(), EM_LIMITTEXT, wParam, 0);
      return 1;
    case CB_SETEDITSEL:
      if (edit_ == nullptr) return CB_ERR;
      sys->SendMessage(edit_->Handle(), EM_SETSEL,
                       static_cast<WPARAM>(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)))),
                       static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam))));
      return 1;
    case CB_GETEDITSEL:
      if (edit_ == nullptr) return CB_ERR;
      return sys->SendMessage(edit_->Handle(), EM_GETSEL, wParam, lParam);
    default:
      return DefWindowProc(msg, wParam, lParam);
  }
}

}  // namespace vl::win
