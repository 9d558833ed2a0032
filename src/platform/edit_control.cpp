#include "platform/edit_control.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "text/mbcs.h"

namespace vl::win {
namespace {

// Positions and line numbers arrive in WPARAM/LPARAM as 32-bit ints, as on the platform: -1 may
// come as 0xFFFFFFFF or as a sign-extended 64-bit value, and both mean -1.
std::int32_t IntArg(std::uintptr_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

constexpr bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Control characters that WM_CHAR carries for the editing shortcuts.
constexpr unsigned char kCtrlA = 0x01;
constexpr unsigned char kCtrlC = 0x03;
constexpr unsigned char kCtrlV = 0x16;
constexpr unsigned char kCtrlX = 0x18;
constexpr unsigned char kCtrlZ = 0x1A;
constexpr unsigned char kDel = 0x7F;  // Ctrl+Backspace

}  // namespace

HWND EditControl::Create(System& system, DWORD style, RECT rect, HWND parent) {
  return system.CreateWindowEx(*this, kClassName, style, rect, parent);
}

bool EditControl::HasStyle(DWORD bits) const {
  return Sys() != nullptr && (Sys()->GetStyle(Handle()) & bits) != 0;
}

bool EditControl::IsReadOnly() const { return HasStyle(ES_READONLY); }

std::string EditControl::ShownText() const { return ShownRange(0, buffer_.Length()); }

std::string EditControl::ShownRange(std::int32_t start, std::int32_t end) const {
  const std::string_view text =
      std::string_view(buffer_.Text()).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  if (passwordChar_ == 0) return std::string(text);
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsMultiLine() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      shown += "\r\n";
      ++i;
    } else {
      shown += passwordChar_;
    }
  }
  return shown;
}

RECT EditControl::FormatRect() const {
  if (formatRectSet_) return formatRect_;
  if (Sys() == nullptr) return RECT{};
  const RECT w = Sys()->GetWindowRect(Handle());
  return RECT{0, 0, w.Width(), w.Height()};
}

std::int32_t EditControl::VisibleLineCount() const {
  return std::max(1, FormatRect().Height() / LineHeight());
}

int EditControl::MeasureText(std::string_view shown) const {
  // A byte is one half-width cell: a double-byte character takes two.
  return static_cast<int>(shown.size()) * charWidth_;
}

int EditControl::LineLeft(std::int32_t line) const {
  const RECT rect = FormatRect();
  const std::int32_t start = RowStart(line);
  const std::string shown = ShownRange(start, RowEnd(line));
  const std::string_view text = shown;
  // The blanks that hang at the end of a wrapped row take no part in its alignment.
  std::string_view placed = text;
  if (WrapsLines()) {
    const std::string_view real = std::string_view(buffer_.Text()).substr(static_cast<std::size_t>(start), text.size());
    const std::size_t kept = real.find_last_not_of(" \t");
    placed = text.substr(0, kept == std::string_view::npos ? 0 : kept + 1);
  }
  const int width = TextWidth(placed);
  if (width <= rect.Width() - 1) {
    if (HasStyle(ES_RIGHT)) return rect.right - 1 - width;
    if (HasStyle(ES_CENTER)) return rect.left + (rect.Width() / 2 - width / 2);
    return rect.left;
  }
  if (!HasStyle(ES_AUTOHSCROLL)) return rect.left;
  const std::int32_t caret = std::clamp<std::int32_t>(buffer_.Caret() - start, 0, static_cast<std::int32_t>(text.size()));
  const int caretX = TextWidth(text.substr(0, static_cast<std::size_t>(caret)));
  return rect.left - std::max(0, caretX - (rect.Width() - 1));
}

void EditControl::SetLineMetrics(int lineHeight, int charWidth) {
  lineHeight_ = std::max(1, lineHeight);
  charWidth_ = std::max(1, charWidth);
  InvalidateRows();
}

// --- Platform services -------------------------------------------------------------------------

bool EditControl::KeyIsDown(int vk) const { return Sys() != nullptr && Sys()->GetKeyState(vk) < 0; }

bool EditControl::ClipboardSetText(const std::string& text) {
  if (Sys() == nullptr || !Sys()->OpenClipboard(Handle())) return false;
  // CF_TEXT is zero-terminated, as every reader of the clipboard expects.
  const bool ok = Sys()->EmptyClipboard() && Sys()->SetClipboardData(CF_TEXT, text + '\0');
  Sys()->CloseClipboard();
  return ok;
}

bool EditControl::ClipboardGetText(std::string& text) {
  if (Sys() == nullptr || !Sys()->OpenClipboard(Handle())) return false;
  const std::optional<std::string> data = Sys()->GetClipboardData(CF_TEXT);
  Sys()->CloseClipboard();
  if (!data) return false;
  text = data->substr(0, data->find('\0'));  // CF_TEXT ends at its first zero byte
  return true;
}

void EditControl::CaptureMouse(bool capture) {
  if (Sys() == nullptr) return;
  if (capture) {
    Sys()->SetCapture(Handle());
  } else if (Sys()->GetCapture() == Handle()) {
    Sys()->ReleaseCapture();
  }
}

// --- Message dispatch --------------------------------------------------------------------------

LRESULT EditControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A new window starts from a new control's state, even when a subclass kept WM_CREATE to
  // itself or this object already served a window that was destroyed.
  if (stateFor_ != Handle()) ResetForWindow();
  switch (msg) {
    case WM_SETTEXT:
      buffer_.SetText(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
      AfterTextSet();
      return 1;
    case WM_GETTEXT:
      return OnGetText(wParam, lParam);
    case WM_GETTEXTLENGTH:
      return buffer_.Length();
    case WM_KILLFOCUS:
      pendingLead_ = 0;
      tracking_ = false;
      return 0;
    case WM_KEYDOWN:
      return OnKeyDown(static_cast<int>(wParam));
    case WM_CHAR:
      return OnChar(wParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
      OnMouse(msg, wParam, lParam);
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      if (!IsReadOnly() && buffer_.DeleteSelection()) ScrollCaret();
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      if (IsReadOnly() || !buffer_.Undo()) return 0;
      ScrollCaret();
      return 1;
    case EM_CANUNDO:
      return buffer_.CanUndo() ? 1 : 0;
    case EM_EMPTYUNDOBUFFER:
      buffer_.EmptyUndo();
      return 0;
    case EM_GETSEL:
      return OnGetSel(wParam, lParam);
    case EM_SETSEL:
      OnSetSel(wParam, lParam);
      return 0;
    case EM_SCROLLCARET:
      ScrollCaret();
      return 1;
    case EM_GETRECT:
      if (lParam != 0) *reinterpret_cast<RECT*>(lParam) = FormatRect();
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      formatRectSet_ = lParam != 0;
      if (formatRectSet_) formatRect_ = *reinterpret_cast<const RECT*>(lParam);
      return 0;
    case EM_GETMODIFY:
      return buffer_.Modified() ? 1 : 0;
    case EM_SETMODIFY:
      buffer_.SetModified(wParam != 0);
      return 0;
    case EM_GETLINECOUNT:
      return RowCount();
    case EM_LINEINDEX: {
      std::int32_t line = IntArg(wParam);
      if (line == -1) line = CaretRow();
      return RowStart(line);
    }
    case EM_LINEFROMCHAR: {
      const std::int32_t pos = IntArg(wParam);
      if (pos == -1) return buffer_.HasSelection() ? RowFromPos(buffer_.SelStart()) : CaretRow();
      return RowFromPos(pos);
    }
    case EM_LINELENGTH:
      return OnLineLength(wParam);
    case EM_GETLINE:
      return OnGetLine(wParam, lParam);
    case WM_MOUSEWHEEL: {
      // A multi-line text scrolls by the desktop's usual three lines a notch (a turn away from
      // the user shows earlier lines); a fine wheel's part notches add up. A single line has
      // nothing to scroll.
      if (!IsMultiLine()) return DefWindowProc(msg, wParam, lParam);
      wheelTurn_ += static_cast<std::int16_t>(HIWORD(wParam));
      const int notches = wheelTurn_ / WHEEL_DELTA;
      wheelTurn_ -= notches * WHEEL_DELTA;
      ScrollLines(-notches * kWheelLines);
      return 0;
    }
    case EM_LINESCROLL:
      if (!IsMultiLine()) return 0;
      ScrollLines(IntArg(static_cast<std::uintptr_t>(lParam)));
      return 1;
    case EM_GETFIRSTVISIBLELINE:
      return firstLine_;
    case EM_REPLACESEL: {
      const char* text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      goalCell_ = -1;
      if (buffer_.ReplaceSelection(text, wParam != 0)) ScrollCaret();
      return 0;
    }
    case EM_LIMITTEXT:
      // 0 lifts the limit; anything larger than the buffer can hold means the same.
      buffer_.SetLimit(wParam == 0 || wParam > static_cast<WPARAM>(EditBuffer::kMaxLimit)
                           ? EditBuffer::kMaxLimit
                           : static_cast<std::int32_t>(wParam));
      return 0;
    case EM_GETLIMITTEXT:
      return buffer_.Limit();
    case EM_SETREADONLY:
      if (Sys() != nullptr) {
        const DWORD style = Sys()->GetStyle(Handle());
        Sys()->SetStyle(Handle(), wParam != 0 ? (style | ES_READONLY) : (style & ~ES_READONLY));
      }
      return 1;
    case EM_SETPASSWORDCHAR:
      passwordChar_ = static_cast<char>(wParam & 0xFF);
      if (Sys() != nullptr) {
        const DWORD style = Sys()->GetStyle(Handle());
        Sys()->SetStyle(Handle(), passwordChar_ != 0 ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD));
      }
      return 0;
    case EM_GETPASSWORDCHAR:
      return static_cast<unsigned char>(passwordChar_);
    case WM_GETDLGCODE:
      // Characters and arrows are the edit's own; a multi-line edit also keeps Enter and Tab.
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (IsMultiLine() ? DLGC_WANTALLKEYS : 0);
    default:
      return DefWindowProc(msg, wParam, lParam);
  }
}

void EditControl::AfterTextSet() {
  firstLine_ = 0;
  goalCell_ = -1;
  pendingLead_ = 0;
}

void EditControl::SetTextWithChange(std::string_view text, const TextChange& change) {
  if (stateFor_ == Handle()) {
    buffer_.SetText(text, change);
  } else {
    // A new window starts empty: the change was against a text it never held.
    ResetForWindow();
    buffer_.SetText(text);
  }
  AfterTextSet();
}

void EditControl::ResetForWindow() {
  stateFor_ = Handle();
  buffer_ = EditBuffer(HasStyle(ES_MULTILINE));
  passwordChar_ = HasStyle(ES_PASSWORD) ? kDefaultPasswordChar : 0;
  formatRectSet_ = false;
  firstLine_ = 0;
  goalCell_ = -1;
  pendingLead_ = 0;
  tracking_ = false;
  rowsWidth_ = -1;
  caretAtRowEnd_ = false;
}

// --- Selection and text queries ----------------------------------------------------------------

LRESULT EditControl::OnGetSel(WPARAM wParam, LPARAM lParam) const {
  const std::int32_t start = buffer_.SelStart();
  const std::int32_t end = buffer_.SelEnd();
  if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
  if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
  // The packed form cannot hold positions past 16 bits: answer -1 rather than a wrong pair.
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELPARAM(start, end);
}

void EditControl::OnSetSel(WPARAM wParam, LPARAM lParam) {
  const std::int32_t start = IntArg(wParam);
  std::int32_t end = IntArg(static_cast<std::uintptr_t>(lParam));
  goalCell_ = -1;
  caretAtRowEnd_ = false;
  if (start < 0) {
    buffer_.SetSel(buffer_.Caret(), buffer_.Caret());
    return;
  }
  if (end < 0) end = buffer_.Length();
  buffer_.SetSel(start, end);
}

LRESULT EditControl::OnGetText(WPARAM size, LPARAM out) const {
  if (size == 0 || out == 0) return 0;
  // Only whole characters are copied, so a short buffer never ends in a lone lead byte.
  const std::string_view fit = MbcsCutBytes(buffer_.Text(), size - 1);
  char* dest = reinterpret_cast<char*>(out);
  std::memcpy(dest, fit.data(), fit.size());
  dest[fit.size()] = '\0';
  return static_cast<LRESULT>(fit.size());
}

// EM_GETLINE: the first WORD of the buffer holds its size; the line is copied without a
// terminating zero, whole characters only.
LRESULT EditControl::OnGetLine(WPARAM line, LPARAM out) const {
  if (out == 0) return 0;
  std::uint16_t size = 0;
  std::memcpy(&size, reinterpret_cast<const void*>(out), sizeof size);
  const std::int32_t n = IsMultiLine() ? IntArg(line) : 0;
  const std::int32_t start = RowStart(n);
  if (start < 0) return 0;
  const std::string_view text(buffer_.Text());
  const std::string_view fit = MbcsCutBytes(text.substr(start, RowEnd(n) - start), size);
  std::memcpy(reinterpret_cast<char*>(out), fit.data(), fit.size());
  return static_cast<LRESULT>(fit.size());
}

// EM_LINELENGTH: the length of the line holding the position; -1 asks for the unselected bytes
// on the lines the selection touches.
LRESULT EditControl::OnLineLength(WPARAM wParam) const {
  const std::int32_t pos = IntArg(wParam);
  if (pos == -1) {
    const std::int32_t first = RowFromPos(buffer_.SelStart());
    const std::int32_t last = RowFromPos(buffer_.SelEnd());
    return (buffer_.SelStart() - RowStart(first)) + (RowEnd(last) - buffer_.SelEnd());
  }
  const std::int32_t line = RowFromPos(pos);
  return RowEnd(line) - RowStart(line);
}

// --- Keys and characters -----------------------------------------------------------------------

LRESULT EditControl::OnKeyDown(int vk) {
  const bool shift = KeyIsDown(VK_SHIFT);
  const bool ctrl = KeyIsDown(VK_CONTROL);
  const bool multi = IsMultiLine();
  const bool vertical = multi && (vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT);
  if (!vertical && vk != VK_SHIFT && vk != VK_CONTROL) goalCell_ = -1;

  const std::int32_t caret = buffer_.Caret();
  switch (vk) {
    case VK_LEFT:
    case VK_UP:
      if (vk == VK_UP && multi) {
        MoveVertical(-1, shift);
      } else if (ctrl) {
        MoveTo(buffer_.WordLeft(caret), shift);
      } else if (!shift && buffer_.HasSelection()) {
        MoveTo(buffer_.SelStart(), false);
      } else {
        MoveTo(buffer_.Prev(caret), shift);
      }
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (vk == VK_DOWN && multi) {
        MoveVertical(1, shift);
      } else if (ctrl) {
        MoveTo(buffer_.WordRight(caret), shift);
      } else if (!shift && buffer_.HasSelection()) {
        MoveTo(buffer_.SelEnd(), false);
      } else {
        MoveTo(buffer_.Next(caret), shift);
      }
      break;
    case VK_PRIOR:
    case VK_NEXT:
      if (multi) {
        // The view moves by a page and the caret with it, so it keeps its row on the screen.
        const std::int32_t page = VisibleLineCount();
        const std::int32_t lines = vk == VK_PRIOR ? -page : page;
        ScrollLines(lines);
        MoveVertical(lines, shift);
      }
      break;
    case VK_HOME:
      MoveTo(ctrl || !multi ? 0 : RowStart(CaretRow()), shift);
      break;
    case VK_END:
      if (ctrl || !multi) {
        MoveTo(buffer_.Length(), shift);
      } else {
        const std::int32_t row = CaretRow();
        MoveToRowPos(row, RowEnd(row), shift);
      }
      break;
    case VK_DELETE:
      if (shift) {
        Sys()->SendMessage(Handle(), WM_CUT, 0, 0);
      } else if (!IsReadOnly() && buffer_.DeleteForward()) {
        ScrollCaret();
      }
      break;
    case VK_INSERT:
      if (ctrl) {
        Sys()->SendMessage(Handle(), WM_COPY, 0, 0);
      } else if (shift) {
        Sys()->SendMessage(Handle(), WM_PASTE, 0, 0);
      }
      break;
    default:
      break;
  }
  return 0;
}

LRESULT EditControl::OnChar(WPARAM ch) {
  const bool multi = IsMultiLine();
  if (ch > 0xFF) {
    const auto lead = static_cast<unsigned char>((ch >> 8) & 0xFF);
    const auto trail = static_cast<unsigned char>(ch & 0xFF);
    pendingLead_ = 0;
    if (IsLeadByte(lead)) {
      if (IsTrailByte(trail)) TypeChar({static_cast<char>(lead), static_cast<char>(trail)});
      return 0;
    }
    ch &= 0xFF;  // not a double-byte character: the low byte alone
  }
  const auto b = static_cast<unsigned char>(ch);
  if (pendingLead_ != 0) {
    const unsigned char lead = pendingLead_;
    pendingLead_ = 0;
    if (IsTrailByte(b)) {
      TypeChar({static_cast<char>(lead), static_cast<char>(b)});
      return 0;
    }
    // Not a trail byte: the lead byte alone is dropped and this byte processed on its own.
  }
  if (IsLeadByte(b)) {
    pendingLead_ = b;
    return 0;
  }
  switch (b) {
    case kCtrlA:
      buffer_.SetSel(0, buffer_.Length());
      goalCell_ = -1;
      break;
    case kCtrlC:
      Sys()->SendMessage(Handle(), WM_COPY, 0, 0);
      break;
    case kCtrlV:
      Sys()->SendMessage(Handle(), WM_PASTE, 0, 0);
      break;
    case kCtrlX:
      Sys()->SendMessage(Handle(), WM_CUT, 0, 0);
      break;
    case kCtrlZ:
      Sys()->SendMessage(Handle(), WM_UNDO, 0, 0);
      break;
    case '\b':
      goalCell_ = -1;
      if (!IsReadOnly() && buffer_.DeleteBack()) ScrollCaret();
      break;
    case '\r':
    case '\n':  // Ctrl+Enter
      if (multi) TypeChar("\r\n");
      break;
    case '\t':
      if (multi) TypeChar("\t");
      break;
    default:
      if (b >= 0x20 && b != kDel) TypeChar(std::string(1, static_cast<char>(b)));
      break;
  }
  return 0;
}

void EditControl::TypeChar(std::string bytes) {
  if (IsReadOnly()) return;
  goalCell_ = -1;
  if (bytes.size() == 1) {
    char& c = bytes[0];
    if (HasStyle(ES_UPPERCASE) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (HasStyle(ES_LOWERCASE) && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (buffer_.Type(bytes)) ScrollCaret();
}

// --- Clipboard ---------------------------------------------------------------------------------

void EditControl::Copy() {
  if (passwordChar_ != 0 || !buffer_.HasSelection()) return;
  ClipboardSetText(buffer_.SelectedText());
}

void EditControl::Cut() {
  if (IsReadOnly() || passwordChar_ != 0 || !buffer_.HasSelection()) return;
  if (!ClipboardSetText(buffer_.SelectedText())) return;
  buffer_.DeleteSelection();
  ScrollCaret();
}

void EditControl::Paste() {
  if (IsReadOnly()) return;
  std::string text;
  if (!ClipboardGetText(text)) return;
  if (!IsMultiLine()) text = text.substr(0, text.find_first_of("\r\n"));
  const bool upper = HasStyle(ES_UPPERCASE);
  const bool lower = HasStyle(ES_LOWERCASE);
  if (upper || lower) {
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
      char& c = text[i];
      if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  }
  goalCell_ = -1;
  if (buffer_.ReplaceSelection(text)) ScrollCaret();
}

// --- Caret movement and scrolling --------------------------------------------------------------

void EditControl::MoveTo(std::int32_t pos, bool extend) {
  caretAtRowEnd_ = false;
  buffer_.MoveCaret(pos, extend);
  ScrollCaret();
}

// The display column counts half-width cells from the start of the caret's row, so a move keeps
// its column on wrapped rows as on lines.
void EditControl::MoveVertical(std::int32_t lines, bool extend) {
  const std::int32_t row = CaretRow();
  const std::int32_t target = std::clamp<std::int32_t>(row + lines, 0, RowCount() - 1);
  auto cellsFrom = [&](std::int32_t from, std::int32_t to) {
    std::int32_t cells = 0;
    for (std::int32_t p = from; p < to; p += buffer_.CharLength(p)) cells += buffer_.CharLength(p);
    return cells;
  };
  if (goalCell_ < 0) goalCell_ = cellsFrom(RowStart(row), buffer_.Caret());
  std::int32_t p = RowStart(target);
  const std::int32_t end = RowEnd(target);
  for (std::int32_t cells = 0; p < end && cells + buffer_.CharLength(p) <= goalCell_;) {
    cells += buffer_.CharLength(p);
    p += buffer_.CharLength(p);
  }
  MoveToRowPos(target, p, extend);
}

void EditControl::ScrollLines(std::int32_t lines) {
  const std::int32_t last = std::max(0, RowCount() - VisibleLineCount());
  firstLine_ = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(firstLine_) + lines, 0, last));
}

void EditControl::ScrollCaret() {
  if (!IsMultiLine()) return;
  const std::int32_t line = CaretRow();
  const std::int32_t visible = VisibleLineCount();
  if (line < firstLine_) {
    firstLine_ = line;
  } else if (line >= firstLine_ + visible) {
    firstLine_ = line - visible + 1;
  }
  ScrollLines(0);  // a text that shrank never leaves the view past its end
}

// --- Mouse -------------------------------------------------------------------------------------

std::int32_t EditControl::HitTest(int x, int y, std::int32_t* rowOut) const {
  const RECT rect = FormatRect();
  const int lineHeight = LineHeight();
  const int dy = y - rect.top;
  const std::int32_t row = dy >= 0 ? dy / lineHeight : -((-dy + lineHeight - 1) / lineHeight);
  const std::int32_t line = std::clamp<std::int32_t>(firstLine_ + row, 0, RowCount() - 1);
  if (rowOut != nullptr) *rowOut = line;
  // The boundary nearest to x: a click on the right half of a character lands after it.
  const std::int32_t start = RowStart(line);
  const std::int32_t end = RowEnd(line);
  const std::string shown = ShownRange(start, end);
  const int left = LineLeft(line);
  int x0 = left;  // where the character at p starts
  std::int32_t p = start;
  while (p < end) {
    const std::int32_t next = p + buffer_.CharLength(p);
    const int width = TextWidth(
        std::string_view(shown).substr(static_cast<std::size_t>(p - start), static_cast<std::size_t>(next - p)));
    if (x < x0 + width / 2) break;
    x0 += width;
    p = next;
  }
  return p;
}

void EditControl::MoveToHit(int x, int y, bool extend) {
  std::int32_t row = 0;
  const std::int32_t pos = HitTest(x, y, &row);
  MoveToRowPos(row, pos, extend);
}

void EditControl::OnMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (Sys() == nullptr) return;
  const bool press = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
  if (press && !Sys()->IsWindowEnabled(Handle())) return;
  const int x = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  const int y = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)));
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (Sys()->GetFocus() != Handle()) Sys()->SetFocus(Handle());
      goalCell_ = -1;
      MoveToHit(x, y, (wParam & MK_SHIFT) != 0);
      tracking_ = true;
      CaptureMouse(true);
      break;
    case WM_MOUSEMOVE:
      if (tracking_) MoveToHit(x, y, true);
      break;
    case WM_LBUTTONUP:
      if (tracking_) {
        tracking_ = false;
        CaptureMouse(false);
      }
      break;
    case WM_LBUTTONDBLCLK: {
      std::int32_t start = 0;
      std::int32_t end = 0;
      buffer_.WordAt(HitTest(x, y), start, end);
      buffer_.SetSel(start, end);
      goalCell_ = -1;
      ScrollCaret();
      break;
    }
    case WM_CAPTURECHANGED:
      tracking_ = false;
      break;
    default:
      break;
  }
}

}  // namespace vl::win
