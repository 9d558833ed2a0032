#include "edit/boolean_edit.h"

#include <optional>

#include "runtime/coerce.h"
#include "text/mbcs.h"

namespace vl {

namespace {

// The style word's window bits and the window styles they stand for.
struct WindowBit {
  std::uint32_t bit;
  win::DWORD style;
};
constexpr WindowBit kWindowBits[] = {
    {kStyleTabStop, win::WS_TABSTOP}, {kStyleGroup, win::WS_GROUP},     {kStyleBorder, win::WS_BORDER},
    {kStyleChild, win::WS_CHILD},     {kStyleVisible, win::WS_VISIBLE}, {kStyleDisabled, win::WS_DISABLED},
    {kStyleVScroll, win::WS_VSCROLL}, {kStyleHScroll, win::WS_HSCROLL},
};

// The control never reaches this id; it only tells the button's notifications apart.
constexpr std::uintptr_t kButtonId = 1;

}  // namespace

CVlBooleanEdit::CVlBooleanEdit()
    : CVlEditWnd(VlTextBoolean), buttonStyle(ButtonStyleFor(0)), button(std::make_unique<CVlCheckButton>(*this)) {}

CVlBooleanEdit::~CVlBooleanEdit() {
  // Going away is no focus loss of the user's: nothing is committed.
  destroying_ = true;
  Destroy();
  DetachHandle();
}

std::uint32_t CVlBooleanEdit::ButtonStyleFor(std::uint32_t bits) {
  win::DWORD style = win::WS_CHILD | win::WS_VISIBLE | win::BS_OWNERDRAW;
  for (const WindowBit& w : kWindowBits) {
    if (bits & w.bit) style |= w.style;
  }
  // The 3D and client edges are extended styles, which the button does not draw.
  return style;
}

// --- Window lifetime -----------------------------------------------------------------------------

bool CVlBooleanEdit::Create(win::System& system, std::uint32_t bits, win::RECT rect, win::HWND parent) {
  if (created) return true;
  SetStyleBits(styleBits | bits);
  win::DWORD style = buttonStyle;
  if (!enabled) style |= win::WS_DISABLED;
  if (button->Create(system, style, rect, parent, kButtonId, caption) == win::kNoWindow) return false;
  AttachHandle(*button);
  created = true;
  createRect = rect;
  buttonRect = rect;
  button->SetUpdatesLocked(locked);
  ShowChecked();
  return true;
}

void CVlBooleanEdit::MoveEditor(win::RECT rect, bool) {
  createRect = rect;
  buttonRect = rect;
  if (created && button->IsCreated()) Sys()->MoveWindow(button->Handle(), rect);
}

void CVlBooleanEdit::Destroy() {
  if (button && button->IsCreated()) {
    const bool wasDestroying = destroying_;
    destroying_ = true;
    button->Sys()->DestroyWindow(button->Handle());
    destroying_ = wasDestroying;
  }
  OnButtonDestroyed();
}

void CVlBooleanEdit::OnButtonDestroyed() {
  DetachHandle();
  created = false;
}

// --- Editor contract -----------------------------------------------------------------------------

bool CVlBooleanEdit::DrawEditArea(win::DeviceContext* dc, win::RECT rect, double, int alignment, std::uint32_t flags) {
  if (dc == nullptr) return false;
  CheckBoxLook look = Look(true);
  look.flat = (flags & kStyleFlat) != 0 || (styleBits & kStyleFlat) != 0;
  textRect = rect;
  DrawCheckBox(*dc, rect, caption, alignment == -1 ? StyleAlignment() : alignment, look);
  return true;
}

CheckBoxLook CVlBooleanEdit::Look(bool forEditArea) const {
  CheckBoxLook look;
  // Drawn by the control, a Null box looks Null only when it will stay Null on focus.
  look.isNull = IsNull() && (!forEditArea || keepNull);
  look.checked = !look.isNull && Checked();
  look.enabled = enabled;
  look.flat = (styleBits & kStyleFlat) != 0;
  return look;
}

void CVlBooleanEdit::ShowEditor(bool show) {
  if (created) Sys()->ShowWindow(Handle(), show);
}

bool CVlBooleanEdit::EnableEditor(bool enable) {
  const bool previous = enabled;
  enabled = enable;
  if (created) Sys()->EnableWindow(Handle(), enable);
  return previous;
}

void CVlBooleanEdit::SetLocked(bool on) {
  locked = on;
  if (created) button->SetUpdatesLocked(on);
}

std::string CVlBooleanEdit::ValueText() const { return IsNull() ? std::string() : (Checked() ? "True" : "False"); }

void CVlBooleanEdit::GetDisplayText(std::string& out) { out = ValueText(); }

bool CVlBooleanEdit::SetDisplayText(const std::string& text) {
  // The button's window text is its caption; the value is shown by the box, not as text.
  displayText = text;
  return true;
}

void CVlBooleanEdit::SetNull(bool on) {
  // A Null box shows unchecked, and a click on it checks it.
  if (on) valueCommit.Store(TypedValue::Bool(false));
  valueCommit.SetNullState(on);
  lastError = kEditOk;
  ShowChecked();
}

void CVlBooleanEdit::GetFormat(std::string& out) { out.clear(); }
bool CVlBooleanEdit::SetFormat(const std::string&) { return true; }

bool CVlBooleanEdit::SetStyleBits(std::uint32_t bits) {
  styleBits = bits;
  singleLine = true;
  buttonStyle = ButtonStyleFor(bits);
  locked = (bits & kStyleReadOnly) != 0;
  if (created) {
    // The live window keeps its visibility and its enabled state; the rest follows the word.
    const win::DWORD live = Sys()->GetStyle(Handle());
    win::DWORD style = (buttonStyle & ~(win::WS_VISIBLE | win::WS_DISABLED)) | (live & (win::WS_VISIBLE | win::WS_DISABLED));
    Sys()->SetStyle(Handle(), style);
    button->SetUpdatesLocked(locked);
    button->Repaint();
  }
  return true;
}

bool CVlBooleanEdit::SetMaxLength(std::int32_t length) {
  maxLength = length;
  return true;
}

bool CVlBooleanEdit::SetFont(const win::LOGFONT& f) {
  font = f;
  if (created) button->Repaint();
  return true;
}

void CVlBooleanEdit::GetSel(std::int32_t& start, std::int32_t& length) {
  // The value's text counts as selected as a whole: that is what Copy takes.
  start = 0;
  length = MbcsCharCount(ValueText());
}

void CVlBooleanEdit::SetSel(std::int32_t, std::int32_t) {}

void CVlBooleanEdit::GetSelText(std::string& out) { out = ValueText(); }

bool CVlBooleanEdit::SetSelText(const std::string& text) {
  if (!ValidateText(text)) return false;
  TypedValue b;
  ChangeType(TypedValue::Bstr(text), VarType::Bool, b);
  std::string produced;
  return SetValue(b, produced);
}

void CVlBooleanEdit::SetSpinButton(std::int32_t) {}

bool CVlBooleanEdit::RefreshDisplay() {
  if (created) button->Repaint();
  return true;
}

bool CVlBooleanEdit::BeginEdit() { return false; }

bool CVlBooleanEdit::ValidateText(const std::string& text) {
  TypedValue b;
  return ChangeType(TypedValue::Bstr(text), VarType::Bool, b) == CoerceStatus::Ok;
}

bool CVlBooleanEdit::FilterChar(std::uint32_t&, std::string& replacement, std::uint32_t&) {
  replacement.clear();
  return false;
}

bool CVlBooleanEdit::Clear() { return false; }

bool CVlBooleanEdit::PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) {
  if (ChangeType(handed, VarType::Bool, load) != CoerceStatus::Ok) {
    produced = TypedValueToText(handed);
    lastError = kEditFormatMismatch;
    return false;
  }
  return true;
}

void CVlBooleanEdit::ShowLoaded(std::string& produced) {
  produced = ValueText();
  ShowChecked();
}

bool CVlBooleanEdit::TextToValue(const std::string&, TypedValue& out) {
  out = TypedValue::Bool(Checked());
  return true;
}

void CVlBooleanEdit::SetCaption(const std::string& text) {
  caption = text;
  if (created) Sys()->SendMessage(Handle(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(caption.c_str()));
}

std::string CVlBooleanEdit::GetText() { return ValueText(); }

void CVlBooleanEdit::ShowChecked() {
  button->checked = !IsNull() && Checked();
  if (created) button->Repaint();
}

// --- Clipboard: the value's text only ------------------------------------------------------------

void CVlBooleanEdit::Copy() {
  if (passwordChar != 0) return;
  PutClipboardText(ValueText());
}

void CVlBooleanEdit::CutText() {
  if (locked) return;
  PutClipboardText(ValueText());
}

bool CVlBooleanEdit::Paste() {
  if (locked) return true;
  if (!created) return false;
  const std::optional<std::string> text = TakeClipboardText();
  return text && SetSelText(*text);
}

// --- The button's notifications ------------------------------------------------------------------

void CVlBooleanEdit::OnButtonClicked() {
  // The opposite of what the button shows: a Null box shows unchecked, so a click checks it.
  valueCommit.Store(TypedValue::Bool(!button->checked));
  lastError = kEditOk;
  ShowChecked();
  if (!SendToControl(VLM_CLICK)) return;
  if (created && (tabFlags & kTabByInputLast)) {
    std::int32_t key = win::VK_RETURN;
    SendToControl(VLM_NEXTCONTROL, key);
  }
}

void CVlBooleanEdit::OnButtonFocus(win::HWND) {
  if (destroying_) return;
  if (!keepNull && IsNull()) {
    valueCommit.SetNullState(false);
    ShowChecked();
  }
  keyDownSeen = false;
  focusFromSameForm = true;
  OnFocusGained();
}

void CVlBooleanEdit::OnButtonKillFocus(win::HWND next) {
  if (destroying_ || retired_) return;
  win::System& sys = *Sys();
  focusFromSameForm = false;
  if (next != win::kNoWindow && next != Handle() && sys.IsWindow(next)) {
    if (sys.GetClassName(sys.GetAncestorRoot(Handle())) == sys.GetClassName(sys.GetAncestorRoot(next))) {
      focusFromSameForm = true;
    }
  }
  // The check box has no text to commit: its value goes to the host's check as it is. The
  // control keeps the box shown and reads the value from it, so no focus-left report follows.
  lastError = kEditOk;
  CommonCommit(TypedValue::Bool(Checked()));
}

win::LPARAM CVlBooleanEdit::ButtonPoint(win::POINT controlPoint) const {
  win::System& sys = *Sys();
  const win::POINT screen = sys.ClientToScreen(sys.GetParent(Handle()), controlPoint);
  const win::POINT local = sys.ScreenToClient(Handle(), screen);
  return win::MAKELPARAM(local.x, local.y);
}

void CVlBooleanEdit::PressFromControl(win::POINT point, win::WPARAM keys) {
  if (!created) return;
  Sys()->SendMessage(Handle(), win::WM_LBUTTONDOWN, keys | win::MK_LBUTTON, ButtonPoint(point));
}

void CVlBooleanEdit::ClickFromControl(win::POINT point) {
  if (!created) return;
  const win::HWND self = Handle();
  win::System& sys = *Sys();
  const win::LPARAM at = ButtonPoint(point);
  sys.SendMessage(self, win::WM_LBUTTONDOWN, win::MK_LBUTTON, at);
  if (sys.IsWindow(self)) sys.SendMessage(self, win::WM_LBUTTONUP, 0, at);
}

}  // namespace vl
