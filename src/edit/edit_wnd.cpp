#include "edit/edit_wnd.h"

#include <algorithm>

#include "text/mbcs.h"

namespace vl {

CVlEditWnd::CVlEditWnd(std::uint16_t dataType) : dataType_(dataType) { font.SetFaceName("System"); }

CVlEditWnd::~CVlEditWnd() { Destroy(); }

bool CVlEditWnd::Create(win::System& system, std::uint32_t bits, win::RECT rect, win::HWND parent) {
  if (created) return true;
  styleBits |= bits;
  singleLine = (styleBits & kStyleMultiLine) ? 0 : 1;
  win::DWORD style = win::WS_CHILD;
  if (!enabled) style |= win::WS_DISABLED;
  if (system.CreateWindowEx(*this, "EDIT", style, rect, parent) == win::kNoWindow) return false;
  created = 1;
  createRect = rect;
  SetDisplayText(displayText);
  return true;
}

void CVlEditWnd::MoveEditor(win::RECT rect, bool) {
  createRect = rect;
  if (created && Sys() != nullptr) Sys()->MoveWindow(Handle(), rect);
}

void CVlEditWnd::Destroy() {
  if (Sys() != nullptr && Handle() != win::kNoWindow) Sys()->DestroyWindow(Handle());
  created = 0;
}

bool CVlEditWnd::FitsDisplayWidth(win::DeviceContext*) { return true; }
win::RECT CVlEditWnd::GetTextRect() { return createRect; }
bool CVlEditWnd::DrawEditArea(win::DeviceContext*, win::RECT, double, int, std::uint32_t) { return true; }

void CVlEditWnd::ShowEditor(bool show) {
  if (created && Sys() != nullptr) Sys()->ShowWindow(Handle(), show);
}

bool CVlEditWnd::EnableEditor(bool enable) {
  bool previous = enabled != 0;
  enabled = enable ? 1 : 0;
  if (created && Sys() != nullptr) Sys()->EnableWindow(Handle(), enable);
  return previous;
}

void CVlEditWnd::SetLocked(bool on) { locked = on ? 1 : 0; }
std::int32_t CVlEditWnd::GetLastError() { return lastError; }
void CVlEditWnd::GetDisplayText(std::string& out) { out = displayText; }

bool CVlEditWnd::SetDisplayText(const std::string& text) {
  displayText = text;
  return true;
}

void CVlEditWnd::SetNull(bool) {}
void CVlEditWnd::GetFormat(std::string&) {}
bool CVlEditWnd::SetFormat(const std::string&) { return true; }
std::uint32_t CVlEditWnd::GetStyleBits() { return styleBits; }

bool CVlEditWnd::SetStyleBits(std::uint32_t bits) {
  if (created) return false;
  styleBits = bits;
  singleLine = (bits & kStyleMultiLine) ? 0 : 1;
  if (!singleLine) SetDisplayText(editText);
  return true;
}

std::int32_t CVlEditWnd::GetMaxLength() { return maxLength; }

bool CVlEditWnd::SetMaxLength(std::int32_t length) {
  maxLength = length;
  return true;
}

char CVlEditWnd::GetPasswordChar() { return 0; }
void CVlEditWnd::SetPasswordChar(char) {}
void CVlEditWnd::GetFont(win::LOGFONT& out) { out = font; }

bool CVlEditWnd::SetFont(const win::LOGFONT& f) {
  font = f;
  return true;
}

bool CVlEditWnd::GetHideSelection() { return hideSelection != 0; }
void CVlEditWnd::SetHideSelection(bool hide) { hideSelection = hide ? 1 : 0; }
bool CVlEditWnd::GetSelectByFocus() { return selectByFocus != 0; }
void CVlEditWnd::SetSelectByFocus(bool select) { selectByFocus = select ? 1 : 0; }
bool CVlEditWnd::GetInsertMode() { return insertMode != 0; }
void CVlEditWnd::SetInsertMode(bool insert) { insertMode = insert ? 1 : 0; }

void CVlEditWnd::GetSel(std::int32_t& start, std::int32_t& length) {
  start = selStart;
  length = selLength;
}

void CVlEditWnd::SetSel(std::int32_t start, std::int32_t length) {
  if (start < 0) return;
  const std::int32_t count = MbcsCharCount(editText);
  selStart = std::min(start, count);
  selLength = std::clamp(length, 0, count - selStart);
}

void CVlEditWnd::GetSelText(std::string& out) {
  const int from = MbcsByteIndexOfChar(editText, selStart);
  out = editText.substr(static_cast<std::size_t>(from),
                        static_cast<std::size_t>(MbcsByteLengthOfChars(editText, from, selLength)));
}

bool CVlEditWnd::SetSelText(const std::string& text) {
  if (!ValidateText(text)) return false;
  const int from = MbcsByteIndexOfChar(editText, selStart);
  const int len = MbcsByteLengthOfChars(editText, from, selLength);
  editText.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(len), text);
  selStart += MbcsCharCount(text);
  selLength = 0;
  return RefreshDisplay();
}

std::uint16_t CVlEditWnd::GetIMEMode() { return imeMode; }
void CVlEditWnd::SetIMEMode(std::uint16_t mode) { imeMode = mode; }
std::uint16_t CVlEditWnd::GetFuriganaType() { return furiganaType; }
void CVlEditWnd::SetFuriganaType(std::uint16_t type) { furiganaType = type; }

namespace {
void SetBit(std::uint16_t& flags, std::uint16_t bit, bool on) { flags = on ? (flags | bit) : (flags & ~bit); }
}  // namespace

bool CVlEditWnd::GetTabByReturn() { return tabFlags & kTabByReturn; }
void CVlEditWnd::SetTabByReturn(bool on) { SetBit(tabFlags, kTabByReturn, on); }
bool CVlEditWnd::GetTabByVertKey() { return tabFlags & kTabByVertKey; }
void CVlEditWnd::SetTabByVertKey(bool on) { SetBit(tabFlags, kTabByVertKey, on); }
bool CVlEditWnd::GetTabByHorzKey() { return tabFlags & kTabByHorzKey; }
void CVlEditWnd::SetTabByHorzKey(bool on) { SetBit(tabFlags, kTabByHorzKey, on); }
bool CVlEditWnd::GetTabByInputLast() { return tabFlags & kTabByInputLast; }
void CVlEditWnd::SetTabByInputLast(bool on) { SetBit(tabFlags, kTabByInputLast, on); }
std::int32_t CVlEditWnd::GetSpinButton() { return spinButton; }
void CVlEditWnd::SetSpinButton(std::int32_t where) { spinButton = where; }
std::int32_t CVlEditWnd::GetSpinDelay() { return spinDelay; }

bool CVlEditWnd::SetSpinDelay(std::int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > 32767) return false;
  spinDelay = milliseconds;
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
  isNull = 0;
  return true;
}

bool CVlEditWnd::ValidateText(const std::string&) {
  isNull = 0;
  return true;
}

bool CVlEditWnd::FilterChar(std::uint32_t&, std::string& replacement, std::uint32_t&) {
  replacement.clear();
  isNull = 0;
  return true;
}

void CVlEditWnd::Copy() {}
bool CVlEditWnd::Paste() { return false; }
bool CVlEditWnd::Clear() { return !locked && BeginEdit(); }

bool CVlEditWnd::SetValue(const TypedValue&, std::string& produced) {
  produced.clear();
  return true;
}

EditorValue CVlEditWnd::GetValue() { return EditorValue{}; }
void CVlEditWnd::SetLowerValue(const TypedValue&) {}
void CVlEditWnd::SetUpperValue(const TypedValue&) {}
void CVlEditWnd::SetCheckValue(bool) {}
bool CVlEditWnd::CommitText() { return true; }
void CVlEditWnd::SetCaption(const std::string&) {}
void CVlEditWnd::SetEraProfile(const std::string&) {}
std::string CVlEditWnd::GetText() { return editText; }

}  // namespace vl
