#include "edit/edit_wnd.h"

#include <algorithm>

#include "edit/spin_button.h"
#include "text/mbcs.h"
#include "text/text_change.h"

namespace vl {

namespace {

std::int32_t Bytes(const std::string& s) { return static_cast<std::int32_t>(s.size()); }

}  // namespace

CVlEditWnd::CVlEditWnd(std::uint16_t dataType) : dataType_(dataType), valueCommit(dataType, *this, lastError) {
  font.SetFaceName("System");
}

CVlEditWnd::~CVlEditWnd() {
  // The typed editor's parts are gone by now: the window is torn down without its handlers.
  destroying_ = true;
  Destroy();
}

// --- Window lifetime -----------------------------------------------------------------------------

bool CVlEditWnd::Create(win::System& system, std::uint32_t bits, win::RECT rect, win::HWND parent) {
  if (created) return true;
  styleBits |= bits;
  singleLine = (styleBits & kStyleMultiLine) ? 0 : 1;
  win::DWORD style = win::WS_CHILD | win::ES_AUTOHSCROLL | win::ES_NOHIDESEL;
  if (styleBits & kStyleCenter) style |= win::ES_CENTER | win::ES_MULTILINE;
  if (styleBits & kStyleRight) style |= win::ES_RIGHT | win::ES_MULTILINE;
  if (styleBits & kStyleMultiLine) {
    style |= win::ES_MULTILINE | win::ES_AUTOVSCROLL | win::ES_WANTRETURN;
    style &= ~win::ES_AUTOHSCROLL;
  }
  if (styleBits & kStyleUpperCase) style |= win::ES_UPPERCASE;
  if (styleBits & kStyleLowerCase) style |= win::ES_LOWERCASE;
  if (styleBits & kStylePassword) style |= win::ES_PASSWORD;
  if (styleBits & kStyleReadOnly) style |= win::ES_READONLY;
  if (styleBits & kStyleTabStop) style |= win::WS_TABSTOP;
  if (styleBits & kStyleVisible) style |= win::WS_VISIBLE;
  if ((styleBits & kStyleDisabled) || !enabled) style |= win::WS_DISABLED;
  if (styleBits & kStyleMultiLine) {
    if (styleBits & kStyleVScroll) style |= win::WS_VSCROLL;
    if (styleBits & kStyleHScroll) style |= win::WS_HSCROLL;
  }
  if (styleBits & (kStyleWindowEdge | kStyleClientEdge)) {
    rect = win::RECT{rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1};
  }
  if (win::EditControl::Create(system, style, rect, parent) == win::kNoWindow) return false;
  created = true;
  createRect = rect;
  system.SendMessage(Handle(), win::EM_LIMITTEXT, static_cast<win::WPARAM>(std::max(maxLength, 0)), 0);
  locked = (styleBits & kStyleReadOnly) != 0;
  system.SendMessage(Handle(), win::EM_SETREADONLY, locked, 0);
  if (passwordChar != 0) system.SendMessage(Handle(), win::EM_SETPASSWORDCHAR, static_cast<win::WPARAM>(passwordChar), 0);
  SetDisplayText(displayText);
  if (spinButton != 0) CreateSpin();
  return true;
}

void CVlEditWnd::MoveEditor(win::RECT rect, bool) {
  createRect = rect;
  if (!created || Sys() == nullptr) return;
  PlaceSpin();
}

void CVlEditWnd::Destroy() {
  spin_.reset();  // the spin goes first
  if (Sys() != nullptr && Handle() != win::kNoWindow) Sys()->DestroyWindow(Handle());
  created = false;
}

void CVlEditWnd::RecreateWindow(std::uint32_t bits) {
  if (!created || Sys() == nullptr) {
    SetStyleBits(bits);
    return;
  }
  win::System& sys = *Sys();
  const win::HWND parent = sys.GetParent(Handle());
  const bool hadFocus = sys.GetFocus() == Handle();
  const bool visible = sys.IsWindowVisible(Handle());
  const win::RECT rect = createRect;  // the whole area, the spin's strip included
  recreating_ = true;
  Destroy();
  SetStyleBits(bits);
  Create(sys, 0, rect, parent);
  ShowEditor(visible);
  recreating_ = false;
  if (hadFocus && created) sys.SetFocus(Handle());
}

void CVlEditWnd::CreateSpin() {
  if (!created || spinButton == 0) return;
  spin_ = std::make_unique<CVlSpinButton>(*this);
  PlaceSpin();
}

void CVlEditWnd::PlaceSpin() {
  // The spin takes a strip of the system scroll-bar width on its side; the edit window the rest.
  win::System& sys = *Sys();
  win::RECT edit = createRect;
  if (spin_ && spinButton != 0) {
    const int width = kSpinWidth;
    win::RECT strip = edit;
    if (spinButton == 1) {
      strip.right = strip.left + width;
      edit.left += width;
    } else {
      strip.left = strip.right - width;
      edit.right -= width;
    }
    spinRect = strip;
    if (!spin_->IsCreated()) {
      spin_->CreateBeside(sys, strip, sys.GetParent(Handle()), spinButton == 2);
    } else {
      spin_->MoveSpin(strip);
    }
    sys.ShowWindow(spin_->Handle(), sys.IsWindowVisible(Handle()) || (sys.GetStyle(Handle()) & win::WS_VISIBLE));
  }
  sys.MoveWindow(Handle(), edit);
}

// --- Virtual operations ----------------------------------------------------------------------------

win::RECT CVlEditWnd::GetTextRect() {
  win::RECT r = textRect;
  if (spinButton == 1) r.left = spinRect.right;
  if (spinButton == 2) r.right = spinRect.left;
  return r;
}

void CVlEditWnd::ShowEditor(bool show) {
  if (!created || Sys() == nullptr) return;
  if (show && spinButton != 0 && !spin_) CreateSpin();
  Sys()->ShowWindow(Handle(), show);
  if (spin_ && spin_->IsCreated()) Sys()->ShowWindow(spin_->Handle(), show);
}

bool CVlEditWnd::EnableEditor(bool enable) {
  const bool previous = enabled;
  enabled = enable;
  if (spin_ && spin_->IsCreated()) Sys()->EnableWindow(spin_->Handle(), enable);
  if (created && Sys() != nullptr) Sys()->EnableWindow(Handle(), enable);
  return previous;
}

void CVlEditWnd::SetLocked(bool on) {
  locked = on;
  if (created) Sys()->SendMessage(Handle(), win::EM_SETREADONLY, locked, 0);
}

void CVlEditWnd::GetDisplayText(std::string& out) { out = displayText; }

bool CVlEditWnd::SetDisplayText(const std::string& text) {
  // A key typed into a long text changes a byte or two of it: only those are written, here and,
  // when the window still holds the text last shown, in the window.
  const TextChange change = AssignChanged(displayText, text);
  if (created) {
    if (shownTextVersion != 0 && Buffer().Version() == shownTextVersion) {
      SetTextWithChange(displayText, change);
    } else {
      Sys()->SendMessage(Handle(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(displayText.c_str()));
    }
    // A text cut to the window's limit is not the one shown, so the next change cannot follow it.
    shownTextVersion = Text().size() == displayText.size() ? Buffer().Version() : 0;
    // A new window text starts with no selection; a box that keeps its selection visible while
    // it does not have the focus (HideSelection False) shows the one it had.
    if (singleLine && !hideSelection && !IsFocusedWindow()) {
      const FieldSelection sel = fieldModel.GetSelection();
      Sys()->SendMessage(Handle(), win::EM_SETSEL, static_cast<win::WPARAM>(sel.start), sel.end);
    }
  }
  // A single-line box keeps a text wider than its area but reports it, without hiding a real
  // failure already recorded.
  if (singleLine && !FitsLastDrawArea(displayText)) {
    if (!IsEditFailure(lastError)) lastError = kEditTooWide;
    return false;
  }
  return true;
}

void CVlEditWnd::SetNull(bool) {}
void CVlEditWnd::GetFormat(std::string&) {}
bool CVlEditWnd::SetFormat(const std::string&) { return true; }

bool CVlEditWnd::SetStyleBits(std::uint32_t bits) {
  if (created) return false;
  styleBits = bits;
  singleLine = (bits & kStyleMultiLine) ? 0 : 1;
  if (!singleLine) SetDisplayText(editText);
  return true;
}

bool CVlEditWnd::SetMaxLength(std::int32_t length) {
  maxLength = length;
  fieldModel.SetByteLimit(std::max(length, 0));
  if (created) Sys()->SendMessage(Handle(), win::EM_LIMITTEXT, static_cast<win::WPARAM>(std::max(length, 0)), 0);
  return true;
}

char CVlEditWnd::GetPasswordChar() { return 0; }
void CVlEditWnd::SetPasswordChar(char) {}

bool CVlEditWnd::SetFont(const win::LOGFONT& f) {
  font = f;
  InvalidateRows();  // a wrapped box lays its rows out in the new font
  return true;
}

void CVlEditWnd::SetHideSelection(bool hide) { hideSelection = hide; }
void CVlEditWnd::SetSelectByFocus(bool select) { selectByFocus = select; }

void CVlEditWnd::SetInsertMode(bool insert) {
  insertMode = insert;
  fieldModel.SetEditMode(insert ? FieldEditMode::kInsert : FieldEditMode::kOverwrite);
}

// A multi-line box edits on the platform: its selection is the window's (or, before the window
// exists, the one kept for it), in bytes of the window text.
void CVlEditWnd::MultiLineSelection(std::int32_t& from, std::int32_t& to) const {
  if (created && Sys() != nullptr) {
    from = std::min(SelStart(), SelEnd());
    to = std::max(SelStart(), SelEnd());
  } else {
    from = static_cast<std::int32_t>(savedSelection & 0xFFFF);
    to = static_cast<std::int32_t>(savedSelection >> 16);
  }
}

std::string CVlEditWnd::MultiLineText() const { return created ? Text() : editText; }

CVlEditWnd::WindowTextMark CVlEditWnd::MarkWindowText() const {
  WindowTextMark mark{Buffer().Version(), std::nullopt};
  // Other writes of editText leave its version behind, or its length different.
  if (editTextVersion != mark.version || editText.size() != Text().size()) mark.before = Text();
  return mark;
}

bool CVlEditWnd::FollowWindowText(const WindowTextMark& mark) {
  const win::EditBuffer& buffer = Buffer();
  const std::string& text = Text();
  const win::EditBuffer::Change& change = buffer.LastChange();
  bool changed = false;
  if (mark.before) {
    changed = *mark.before != text;
    editText = text;
  } else if (buffer.Version() != mark.version && change.from == mark.version) {
    const auto start = static_cast<std::size_t>(change.start);
    const auto removed = static_cast<std::size_t>(change.removed);
    const auto inserted = static_cast<std::size_t>(change.inserted);
    changed = removed != inserted || editText.compare(start, removed, text, start, inserted) != 0;
    if (changed) editText.replace(start, removed, text, start, inserted);
  } else if (buffer.Version() != mark.version) {
    changed = editText != text;
    editText = text;
  }
  editTextVersion = buffer.Version();
  return changed;
}

void CVlEditWnd::GetSel(std::int32_t& start, std::int32_t& length) {
  if (!singleLine) {
    const std::string text = MultiLineText();
    std::int32_t from = 0, to = 0;
    MultiLineSelection(from, to);
    start = MbcsCharIndexOfByte(text, from);
    length = MbcsCharIndexOfByte(text, std::max(from, to)) - start;
    return;
  }
  const FieldSelection sel = fieldModel.GetSelection();
  const std::string& text = fieldModel.EditText();
  start = MbcsCharIndexOfByte(text, sel.Min());
  length = MbcsCharIndexOfByte(text, sel.Max()) - start;
}

void CVlEditWnd::SetSel(std::int32_t start, std::int32_t length) {
  if (!singleLine) {
    if (start < 0) return;
    const std::string text = MultiLineText();
    const std::int32_t count = MbcsCharCount(text);
    start = std::min(start, count);
    length = std::clamp(length, 0, count - start);
    const std::int32_t from = MbcsByteIndexOfChar(text, start);
    const std::int32_t to = MbcsByteIndexOfChar(text, start + length);
    savedSelection =
        static_cast<std::uint32_t>(std::min(from, 0xFFFF)) | (static_cast<std::uint32_t>(std::min(to, 0xFFFF)) << 16);
    if (created) {
      Sys()->SendMessage(Handle(), win::EM_SETSEL, static_cast<win::WPARAM>(from), to);
      Sys()->SendMessage(Handle(), win::EM_SCROLLCARET, 0, 0);
    }
    return;
  }
  const std::string& text = fieldModel.EditText();
  if (start >= 0) {
    const std::int32_t count = MbcsCharCount(text);
    start = std::min(start, count);
    length = std::clamp(length, 0, count - start);
    const std::int32_t from = MbcsByteIndexOfChar(text, start);
    const std::int32_t to = MbcsByteIndexOfChar(text, start + length);
    caretUnplaced = false;
    fieldModel.SetSelection(from, to);
  }
  if (created && (IsFocusedWindow() || !hideSelection)) ApplySelection();
}

void CVlEditWnd::GetSelText(std::string& out) {
  if (singleLine) {
    out = fieldModel.GetSelectedText();
    return;
  }
  std::int32_t from = 0, to = 0;
  MultiLineSelection(from, to);
  const std::string text = MultiLineText();
  from = std::clamp(from, 0, Bytes(text));
  to = std::clamp(to, from, Bytes(text));
  out = text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

bool CVlEditWnd::SetSelText(const std::string& text) {
  if (!ValidateText(text)) return false;
  if (!fieldModel.ReplaceSelection(text)) {
    lastError = kEditMaxLength;
    return false;
  }
  editText = fieldModel.GetText();
  RefreshDisplay();
  return true;
}

void CVlEditWnd::SetFuriganaType(std::uint16_t type) { furiganaType = type; }

namespace {
void SetBit(std::uint16_t& flags, std::uint16_t bit, bool on) { flags = on ? (flags | bit) : (flags & ~bit); }
}  // namespace

void CVlEditWnd::SetTabByReturn(bool on) { SetBit(tabFlags, kTabByReturn, on); }
void CVlEditWnd::SetTabByVertKey(bool on) { SetBit(tabFlags, kTabByVertKey, on); }
void CVlEditWnd::SetTabByHorzKey(bool on) { SetBit(tabFlags, kTabByHorzKey, on); }
void CVlEditWnd::SetTabByInputLast(bool on) { SetBit(tabFlags, kTabByInputLast, on); }

void CVlEditWnd::SetSpinButton(std::int32_t where) {
  if (where == spinButton) return;
  spinButton = where;
  if (!created) return;
  // The old spin goes and the edit window takes its full width back before a new one is cut off.
  spin_.reset();
  Sys()->MoveWindow(Handle(), createRect);
  if (where != 0) CreateSpin();
  ShowEditor(Sys()->IsWindowVisible(Handle()));
}

bool CVlEditWnd::SetSpinDelay(std::int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > 32767) return false;
  spinDelay = milliseconds;
  if (spin_) spin_->SetDelay(milliseconds);
  return true;
}

float CVlEditWnd::GetSpinIncrease() { return spinIncrease; }
void CVlEditWnd::SetSpinIncrease(float increase) { spinIncrease = increase; }
void CVlEditWnd::OnSelectionSet() {}
bool CVlEditWnd::SpinDown() { return false; }
bool CVlEditWnd::SpinUp() { return false; }
bool CVlEditWnd::RefreshDisplay() { return true; }
void CVlEditWnd::AfterDelete() {}

bool CVlEditWnd::BeginEdit() {
  valueCommit.EndNull();
  return true;
}

bool CVlEditWnd::ValidateText(const std::string&) {
  valueCommit.EndNull();
  return true;
}

bool CVlEditWnd::FilterChar(std::uint32_t&, std::string& replacement, std::uint32_t&) {
  replacement.clear();
  valueCommit.EndNull();
  return true;
}

bool CVlEditWnd::Clear() {
  if (locked || !BeginEdit()) return false;
  SaveUndoText();
  fieldModel.Delete();
  AfterDelete();
  RefreshWindowText();
  ApplySelection();
  return true;
}

bool CVlEditWnd::SetValue(const TypedValue& value, std::string& produced) {
  // A value handed over starts a new edit: nothing of the last one is left to undo.
  ForgetUndo();
  return valueCommit.Load(value, produced);
}

void CVlEditWnd::SetCaption(const std::string&) {}
void CVlEditWnd::SetEraProfile(const std::string&) {}
std::string CVlEditWnd::GetText() { return singleLine ? fieldModel.ValueOf(fieldModel.GetText()) : editText; }

std::string CVlEditWnd::WindowText() const { return created ? ShownText() : displayText; }

bool CVlEditWnd::HasFocus() const { return IsFocusedWindow(); }

// --- Common operations ---------------------------------------------------------------------------

bool CVlEditWnd::IsFocusedWindow() const {
  return created && Sys() != nullptr && Sys()->GetFocus() == Handle();
}

const Clock* CVlEditWnd::CalendarClock() const {
  if (Sys() != nullptr) return &Sys()->GetClock();
  return clock_;
}

bool CVlEditWnd::IsCentredOrRight() const { return singleLine && (styleBits & (kStyleCenter | kStyleRight)); }

std::int32_t CVlEditWnd::ShiftState() const {
  if (Sys() == nullptr) return 0;
  std::int32_t s = 0;
  if (Sys()->GetKeyState(win::VK_SHIFT) < 0) s |= 1;
  if (Sys()->GetKeyState(win::VK_CONTROL) < 0) s |= 2;
  if (Sys()->GetKeyState(win::VK_MENU) < 0) s |= 4;
  return s;
}

void CVlEditWnd::RefreshWindowText() {
  if (!singleLine) {
    editText = created ? Text() : editText;
    SetNull(false);
  } else if (!valueCommit.ShowsNull()) {
    AssignChanged(editText, fieldModel.GetText());
    SetDisplayText(fieldModel.GetDisplayText());
    SetNull(false);
  } else {
    SetNull(true);
  }
}

void CVlEditWnd::ApplySelection() {
  if (!created) return;
  const FieldSelection sel = fieldModel.GetSelection();
  Sys()->SendMessage(Handle(), win::EM_SETSEL, static_cast<win::WPARAM>(sel.start), sel.end);
  Sys()->SendMessage(Handle(), win::EM_SCROLLCARET, 0, 0);
}

void CVlEditWnd::ApplyFocusSelection() {
  if (!IsFocusedWindow()) return;
  if (singleLine) {
    if (selectByFocus) SetSel(0, MbcsCharCount(fieldModel.EditText()));
    ApplySelection();
  } else {
    const std::uint32_t len = static_cast<std::uint32_t>(Text().size());
    if (selectByFocus) savedSelection = (std::min<std::uint32_t>(len, 0xFFFF) << 16);
    Sys()->SendMessage(Handle(), win::EM_SETSEL, savedSelection & 0xFFFF, static_cast<win::LPARAM>(savedSelection >> 16));
  }
}

bool CVlEditWnd::SendToControl(win::UINT msg) {
  if (!created || Sys() == nullptr || retired_ || recreating_) return false;
  const win::HWND self = Handle();
  SendVlm(*Sys(), Sys()->GetParent(self), msg, static_cast<win::WPARAM>(win::HandleId(self)));
  return StillLive(self);
}

bool CVlEditWnd::SendError(std::int32_t code, const std::string& text) {
  VlErrorRecord record{code, text};
  return SendToControl(VLM_ERROR, record);
}

void CVlEditWnd::SendFocusLeft(win::HWND newFocus) {
  const win::HWND target = newFocus;
  ++focusLeftReports_;
  SendToControl(VLM_FOCUSLEFT, target);
}

bool CVlEditWnd::CommonCommit(const TypedValue& value) {
  if (!created || IsEditFailure(lastError)) return !retired_;
  VlUserCheckRecord record{value, 0, std::string()};
  if (!SendToControl(VLM_USERCHECK, record)) return false;
  return record.errCode == 0 || SendError(record.errCode, record.errString);
}

void CVlEditWnd::SaveUndoText() {
  // A run of deletions keeps the text from before the first of them.
  if (undoSaved && undoText.find(editText) != std::string::npos && !undoText.empty()) return;
  undoText = editText;
  undoSaved = true;
}

void CVlEditWnd::ForgetUndo() {
  undoText.clear();
  undoSaved = false;
}

bool CVlEditWnd::Undo() {
  // With nothing saved there is nothing to go back to: restoring an empty text would empty the
  // box and commit a value nobody typed.
  if (locked || !undoSaved) return false;
  std::string restored = undoText;
  undoText = editText;
  fieldModel.SetText(fieldModel.ValueOf(restored));
  valueCommit.EndNull();
  RefreshWindowText();
  RefreshDisplay();
  const bool related = restored.find(undoText) != std::string::npos || undoText.find(restored) != std::string::npos;
  if (!related) {
    fieldModel.SetSelection(0, Bytes(fieldModel.EditText()));
  } else {
    fieldModel.SetSelection(Bytes(fieldModel.EditText()), Bytes(fieldModel.EditText()));
  }
  ApplySelection();
  return true;
}

bool CVlEditWnd::InsertTypedChar(std::uint32_t ch) {
  if (IsCentredOrRight()) {
    MaskFieldModel trial = fieldModel;
    if (trial.InsertChar(static_cast<std::uint16_t>(ch)) && !FitsFormatRect(trial.EditText())) {
      lastError = kEditTooWide;
      return false;
    }
  }
  if (!fieldModel.InsertChar(static_cast<std::uint16_t>(ch))) {
    lastError = kEditMaxLength;
    return false;
  }
  reachedEnd = fieldModel.LastPositionFilled();
  RefreshWindowText();
  ApplySelection();
  return true;
}

// --- Hooks -----------------------------------------------------------------------------------------

void CVlEditWnd::OnFocusGained() {}

void CVlEditWnd::OnFocusLost(win::HWND newFocus) {
  // The host's own check runs only on a text the editor accepted.
  const bool failed = !valueCommit.IsNull() && !CommitText();
  const bool live = failed ? SendError(lastError, GetText()) : CommonCommit(valueCommit.ForUserCheck());
  if (live) SendFocusLeft(newFocus);
}

bool CVlEditWnd::OnTypedChar(std::uint32_t) { return false; }

// --- Focus -----------------------------------------------------------------------------------------

void CVlEditWnd::OnSetFocusMessage(win::HWND previous) {
  if (!keepNull) valueCommit.EndNull();
  ForgetUndo();
  keyDownSeen = false;
  Default(win::WM_SETFOCUS, static_cast<win::WPARAM>(win::HandleId(previous)), 0);
  ApplyImeOnFocus();
  if (singleLine) {
    const FieldSelection sel = fieldModel.GetSelection();
    if (!keepNull) {
      SetDisplayText(fieldModel.GetDisplayText());
    } else {
      Sys()->SendMessage(Handle(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(fieldModel.GetDisplayText().c_str()));
    }
    fieldModel.SetSelection(sel.start, sel.end);
    if (selectByFocus && focusFromSameForm) SetSel(0, MbcsCharCount(fieldModel.EditText()));
    ApplySelection();
  } else {
    if (selectByFocus && focusFromSameForm) {
      savedSelection = std::min<std::uint32_t>(static_cast<std::uint32_t>(Text().size()), 0xFFFF) << 16;
    }
    Sys()->SendMessage(Handle(), win::EM_SETSEL, savedSelection & 0xFFFF, static_cast<win::LPARAM>(savedSelection >> 16));
    Sys()->SendMessage(Handle(), win::EM_SCROLLCARET, 0, 0);
  }
  focusFromSameForm = true;
  OnFocusGained();
}

void CVlEditWnd::OnKillFocusMessage(win::HWND next) {
  win::System& sys = *Sys();
  focusFromSameForm = false;
  if (next != win::kNoWindow && next != Handle() && sys.IsWindow(next)) {
    const win::HWND mine = sys.GetAncestorRoot(Handle());
    const win::HWND theirs = sys.GetAncestorRoot(next);
    if (sys.GetClassName(mine) == sys.GetClassName(theirs)) focusFromSameForm = true;
  }
  RestoreImeOnFocusLost();
  RefreshWindowText();
  if (singleLine) {
    if (!hideSelection) ApplySelection();
    std::int32_t start = 0, length = 0;
    GetSel(start, length);
    SetSel(start, length);
  } else {
    win::DWORD start = 0, end = 0;
    sys.SendMessage(Handle(), win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    savedSelection = std::min<win::DWORD>(start, 0xFFFF) | (std::min<win::DWORD>(end, 0xFFFF) << 16);
  }
  Default(win::WM_KILLFOCUS, static_cast<win::WPARAM>(win::HandleId(next)), 0);
  // A window made anew, or an editor given up, hands the focus on without the box being left.
  if (recreating_ || retired_) return;
  const win::HWND self = Handle();
  const std::uint32_t reports = focusLeftReports_;
  OnFocusLost(next);
  // A handler of the loss made the window anew (Locked, Alignment): the editor stops short, as
  // after any change of window, but the box has still been left. Unless the focus came back into
  // the new window, the control hears of the loss, so that it commits and ends the editing.
  if (!retired_ && created && Handle() != self && focusLeftReports_ == reports) {
    const win::HWND now = Sys()->GetFocus();
    if (now != Handle()) SendFocusLeft(now);
  }
}

// --- Messages --------------------------------------------------------------------------------------

win::LRESULT CVlEditWnd::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (destroying_) return Default(msg, wParam, lParam);
  switch (msg) {
    case win::WM_SETFOCUS:
      OnSetFocusMessage(win::HWND{static_cast<std::uint32_t>(wParam)});
      return 0;
    case win::WM_KILLFOCUS:
      OnKillFocusMessage(win::HWND{static_cast<std::uint32_t>(wParam)});
      return 0;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
      return OnKeyDownMessage(msg, wParam, lParam);
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
      return OnKeyUpMessage(msg, wParam, lParam);
    case win::WM_CHAR:
      return OnCharMessage(wParam, lParam);
    case win::WM_IME_CHAR:
      return OnImeCharMessage(wParam, lParam);
    case win::WM_IME_COMPOSITION:
      // The reading goes to the control first; the composition itself is never consumed.
      OnImeComposition(lParam);
      return Default(msg, wParam, lParam);
    case win::WM_LBUTTONDOWN: case win::WM_LBUTTONUP: case win::WM_LBUTTONDBLCLK: case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP: case win::WM_MBUTTONDOWN: case win::WM_MBUTTONUP: case win::WM_MOUSEMOVE:
      return OnMouseMessage(msg, wParam, lParam);
    case VLM_SPINDOWN:
    case VLM_SPINUP: {
      // A locked box ignores spin requests entirely: no step, no event, no change.
      if (locked) return 0;
      const bool changed = msg == VLM_SPINUP ? SpinUp() : SpinDown();
      if (SendToControl(msg) && changed) SendToControl(VLM_CHANGE);
      return 0;
    }
    case win::EM_SETSEL:
      if (singleLine && static_cast<std::intptr_t>(lParam) < 0 && static_cast<std::intptr_t>(wParam) >= 0) {
        fieldModel.ExtendSelection(SelectionExtend::kAll);
        return Default(win::EM_SETSEL, static_cast<win::WPARAM>(fieldModel.GetSelection().start),
                       fieldModel.GetSelection().end);
      }
      {
        win::LRESULT r = Default(msg, wParam, lParam);
        if (singleLine) OnSelectionSet();
        return r;
      }
    case win::WM_CUT:
    case win::WM_COPY:
    case win::WM_PASTE:
    case win::WM_CLEAR:
    case win::WM_UNDO:
      // A multi-line box edits its text on the platform; it takes these by default processing.
      if (!singleLine) return Default(msg, wParam, lParam);
      return ClipboardMessage(msg);
    default:
      return Default(msg, wParam, lParam);
  }
}

win::LRESULT CVlEditWnd::ClipboardMessage(win::UINT msg) {
  switch (msg) {
    case win::WM_CUT:
      if (!locked) {
        Cut();
        SendToControl(VLM_CHANGE);
      }
      return 0;
    case win::WM_COPY:
      Copy();
      return 0;
    case win::WM_PASTE:
      if (!locked && Paste()) SendToControl(VLM_CHANGE);
      return 0;
    case win::WM_CLEAR:
      if (!locked && Clear()) SendToControl(VLM_CHANGE);
      return 0;
    case win::WM_UNDO:
      if (Undo()) SendToControl(VLM_CHANGE);
      return 0;
    default:
      return 0;
  }
}

win::LRESULT CVlEditWnd::OnMouseMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  const win::HWND self = Handle();
  Default(msg, wParam, lParam);
  if (!StillLive(self)) return 0;
  if (msg == win::WM_LBUTTONDBLCLK) {
    SendToControl(VLM_DBLCLICK);
    return 0;
  }
  if (msg == win::WM_LBUTTONDOWN) leftButtonDown = true;
  if (msg == win::WM_LBUTTONUP && singleLine && created) {
    // The platform's selection from the drag, normalised by the model.
    fieldModel.SetSelection(SelStart() == Caret() ? SelEnd() : SelStart(), Caret());
    ApplySelection();
  }
  VlMouseRecord record;
  const win::UINT vlm = MouseRecordOf(msg, wParam, lParam, Sys()->GetKeyState(win::VK_MENU) < 0, record);
  if (!SendToControl(vlm, record)) return 0;
  if (msg == win::WM_LBUTTONUP && leftButtonDown) {
    leftButtonDown = false;
    SendToControl(VLM_CLICK);
  }
  return 0;
}

}  // namespace vl
