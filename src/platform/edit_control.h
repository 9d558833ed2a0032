// The standard edit control ("EDIT" class): its default processing for single- and multi-line
// windows, on CP932 text.
//
// A window that subclasses the edit control derives from EditControl, handles what it wants and
// calls EditControl::WndProc for everything else, exactly as a subclassed window procedure calls
// the original one. The text, caret and selection live in an EditBuffer (edit_buffer.h); this
// class turns messages into buffer operations and keeps the window-side state: style, password
// character, formatting rectangle and vertical scroll position.
//
// Contract details callers rely on:
//   - Positions are byte indexes on character boundaries (never inside a double-byte character
//     nor between the "\r\n" of a line break). EM_SETSEL snaps a position that falls inside a
//     character to that character's start.
//   - EM_GETSEL packs start and end into 16 bits each in its return value only; when either is
//     above 65,535 it returns -1 instead of a wrong pair. The DWORD* out-parameters always get the
//     full values.
//   - EM_SETSEL: a negative start removes the selection and leaves the caret where it is; a
//     negative end means the end of the text; the caret goes to the end position (so start > end
//     selects backwards). EM_SETSEL does not scroll; EM_SCROLLCARET and user input do.
//   - The limit (EM_LIMITTEXT, 0 = the largest) counts bytes. Typed characters that would pass it
//     are refused whole; pasted and EM_REPLACESEL text is cut to the room left, never inside a
//     character. WM_SETTEXT is not limited.
//   - EM_REPLACESEL inserts the text as given, also in a single-line window (the program's write);
//     with wParam 0 it cannot be undone and empties the undo buffer.
//   - Read-only (ES_READONLY, EM_SETREADONLY) refuses typing, Backspace, Delete, Cut, Paste, Clear
//     and Undo; caret moves, selection and Copy still work; EM_REPLACESEL and WM_SETTEXT (the
//     program's own writes) still work.
//   - Password character: WM_GETTEXT returns the real text; ShownText() shows one password
//     character per byte (line breaks kept). Copy and Cut do nothing while it is set. Unlike the
//     desktop platform it applies to multi-line windows too, because a centred or right-aligned
//     single-line box is a multi-line window holding one line.
//   - ES_UPPERCASE / ES_LOWERCASE convert typed and pasted single-byte letters only.
//   - Double-byte characters arrive either as one WM_CHAR whose wParam is lead * 256 + trail, or
//     as two WM_CHAR messages (lead byte, then trail byte) that the control assembles; a lone lead
//     byte never reaches the text. WM_IME_CHAR is left to DefWindowProc, which sends the
//     character's bytes back to the window as WM_CHAR messages, so a subclass sees them one by one.
//   - Single-line: Up and Down act as Left and Right; PageUp and PageDown do nothing; a pasted
//     text stops at its first line break.
//   - Multi-line without horizontal scrolling (neither ES_AUTOHSCROLL nor WS_HSCROLL) wraps its
//     lines at the formatting rectangle's width (edit_rows.cpp): a line breaks after the blanks
//     that end a word, between double-byte characters, and inside a word too long for a row.
//     Line messages (EM_GETLINECOUNT, EM_LINEFROMCHAR, EM_LINEINDEX, EM_LINELENGTH, EM_GETLINE),
//     Home/End, Up/Down, paging and hit-testing then count display rows, as the platform does.
//   - Multi-line: Enter (and Ctrl+Enter) inserts "\r\n", Tab inserts a tab. Up/Down and
//     PageUp/PageDown keep the display column (a double-byte character is two half-width cells
//     wide). A page is the number of whole lines that fit the formatting rectangle's height at
//     the line height (kDefaultLineHeight unless SetLineMetrics says otherwise), at least one;
//     the view moves by a page and the caret with it, and the last page is always full. Ctrl does
//     not change PageUp/PageDown. Ctrl+Home/Ctrl+End go to the text's start/end.
//   - Shift extends the selection from its anchor (GetKeyState at the time of the key). Left/Right
//     without Shift on a selection collapse it to its left/right end.
//   - Keyboard commands arrive as messages to the window itself, so a subclass sees them: Ctrl+C,
//     Ctrl+V, Ctrl+X, Ctrl+Z characters and Ctrl+Insert, Shift+Insert, Shift+Delete keys become
//     WM_COPY, WM_PASTE, WM_CUT, WM_UNDO. Ctrl+A (character 1) selects everything.
//   - Undo is one level and undoes itself (a second undo redoes); a run of typing is one step.
//   - Ctrl+Left/Right move by words: runs of characters between blanks and line breaks.
//   - No notifications reach the parent (no EN_CHANGE, EN_MAXTEXT): a subclass that needs to
//     know whether the text changed compares it before and after default processing.
//   - Mouse: a left press focuses the window, places the caret at the nearest boundary (Shift
//     extends) and captures the mouse so a drag selects; a double click selects a word. A
//     disabled window ignores presses. Hit-testing and the owner's drawing place each line at
//     LineLeft: by its alignment while it fits, a too-wide line scrolled to keep the caret in
//     view under ES_AUTOHSCROLL. Widths come from MeasureText: kDefaultCharWidth per half-width cell unless
//     SetLineMetrics or a subclass that measures its real font says otherwise.
//   - WM_GETDLGCODE: DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS, and DLGC_WANTALLKEYS for a
//     multi-line window, so a dialog leaves its typing alone and selects its text on entry.
//   - State belongs to the window: a new window made for the same object starts afresh.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/edit_buffer.h"
#include "platform/window.h"

namespace vl::win {

// Edit control messages the shared header does not carry.
inline constexpr UINT EM_SETRECTNP = 0x00B4;          // as EM_SETRECT
inline constexpr UINT EM_LINESCROLL = 0x00B6;         // lParam: lines to scroll (signed)
inline constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;

class EditControl : public Window {
 public:
  static constexpr const char* kClassName = "EDIT";
  // The line height and half-width character width of the system font, in pixels, used for
  // paging and mouse hit-testing until the owner sets its font's metrics.
  static constexpr int kDefaultLineHeight = 16;
  static constexpr int kDefaultCharWidth = 8;
  // Lines a multi-line text scrolls for one notch of the mouse wheel.
  static constexpr int kWheelLines = 3;
  // The password character that ES_PASSWORD sets at creation.
  static constexpr char kDefaultPasswordChar = '*';

  EditControl() = default;

  // Creates the window ("EDIT" class) for this object; kNoWindow on failure.
  HWND Create(System& system, DWORD style, RECT rect, HWND parent);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  Cursor ClassCursor() const override { return Cursor::IBeam; }

  // --- State, for the owner's drawing and for tests ------------------------------------------
  const std::string& Text() const { return buffer_.Text(); }
  // The text as shown: the password character once per byte when one is set.
  std::string ShownText() const;
  // The part [start, end) of the shown text, without the rest.
  std::string ShownRange(std::int32_t start, std::int32_t end) const;
  std::int32_t SelStart() const { return buffer_.SelStart(); }
  std::int32_t SelEnd() const { return buffer_.SelEnd(); }
  std::int32_t Caret() const { return buffer_.Caret(); }
  std::int32_t FirstVisibleLine() const { return firstLine_; }
  std::int32_t VisibleLineCount() const;
  RECT FormatRect() const;
  bool IsMultiLine() const { return buffer_.IsMultiLine(); }
  bool IsReadOnly() const;
  char PasswordChar() const { return passwordChar_; }
  int CharWidth() const { return charWidth_; }
  const EditBuffer& Buffer() const { return buffer_; }

  // The font's line height and half-width character width (pixels, at least 1).
  void SetLineMetrics(int lineHeight, int charWidth);
  // The width of a piece of shown text and the height of a line, in the window's font.
  int TextWidth(std::string_view shown) const { return MeasureText(shown); }
  int LineHeight() const { return MeasureLineHeight(); }
  // --- Display rows (edit_rows.cpp) ----------------------------------------------------------
  // A multi-line window's rows: its lines, or its wrapped lines when it wraps. A row covers the
  // positions [RowStart, RowEnd]; a row broken by wrapping ends where the next one starts, and a
  // position there belongs to the next row, except the caret that End or a move put at the end
  // of the row (CaretRow).
  bool WrapsLines() const;
  std::int32_t RowCount() const;
  std::int32_t RowFromPos(std::int32_t pos) const;
  std::int32_t RowStart(std::int32_t row) const;  // -1 past the last row
  std::int32_t RowEnd(std::int32_t row) const;    // -1 past the last row
  std::int32_t CaretRow() const;

  // Where a line's first character stands (client x). A line that fits the formatting rectangle
  // (one pixel kept for the caret) stands where its alignment puts it; a wider line scrolls just
  // enough to keep the caret in view under ES_AUTOHSCROLL, and else starts at the left edge. Drawing and hit-testing both place text here, so a click lands on the
  // character drawn under it.
  int LineLeft(std::int32_t line) const;

 protected:
  // Metrics of the window's font. The plain control counts half-width cells of CharWidth() and
  // lines of the set line height; a window that draws with a real font measures with it.
  virtual int MeasureText(std::string_view shown) const;
  virtual int MeasureLineHeight() const { return lineHeight_; }
  // The widths of the consecutive pieces [cuts[i], cuts[i + 1]) of shown text, each as
  // MeasureText gives it; a window that measures a real font selects it once for them all.
  virtual void MeasurePieces(std::string_view shown, const std::vector<std::int32_t>& cuts,
                             std::vector<int>& widths) const;
  // The measurements changed (a new font): wrapped rows are laid out again.
  void InvalidateRows() { rowsWidth_ = -1; }
  // What WM_SETTEXT does, for an owner that knows how `text` differs from the window's text (see
  // EditBuffer::SetText): a key typed into a long text then costs what it changed.
  void SetTextWithChange(std::string_view text, const TextChange& change);

  // The platform services the default processing needs, each in one place.
  // Whether a key (VK_SHIFT, VK_CONTROL) is held at the time of the message (GetKeyState).
  bool KeyIsDown(int vk) const;
  // CF_TEXT on the clipboard; false when it cannot be opened or holds no text.
  bool ClipboardSetText(const std::string& text);
  bool ClipboardGetText(std::string& text);
  void CaptureMouse(bool capture);

 private:
  void ResetForWindow();
  // The window's state after its whole text was set: top line, no pending lead byte.
  void AfterTextSet();
  LRESULT OnKeyDown(int vk);
  LRESULT OnChar(WPARAM ch);
  LRESULT OnGetSel(WPARAM wParam, LPARAM lParam) const;
  void OnSetSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM size, LPARAM buffer) const;
  LRESULT OnGetLine(WPARAM line, LPARAM buffer) const;
  LRESULT OnLineLength(WPARAM pos) const;
  void OnMouse(UINT msg, WPARAM wParam, LPARAM lParam);

  void TypeChar(std::string bytes);
  void Cut();
  void Copy();
  void Paste();
  // Moves the caret as a key does: collapses or extends, then scrolls the caret into view.
  void MoveTo(std::int32_t pos, bool extend);
  void MoveVertical(std::int32_t lines, bool extend);
  void ScrollCaret();
  void ScrollLines(std::int32_t lines);
  // The boundary nearest to (x, y), and the row it was found on.
  std::int32_t HitTest(int x, int y, std::int32_t* rowOut = nullptr) const;
  void MoveToHit(int x, int y, bool extend);
  struct Row {
    std::int32_t start;
    std::int32_t end;
  };
  const std::vector<Row>& WrappedRows() const;
  void RewrapLines(std::int32_t from, std::int32_t to, std::int32_t delta, int width) const;
  void WrapLine(std::string_view shown, std::int32_t start, std::int32_t end, int width, std::vector<Row>& rows) const;
  bool IsSoftRowEnd(std::int32_t row, std::int32_t pos) const;
  // Caret to pos; it stays at the end of `row` when pos is where that wrapped row breaks.
  void MoveToRowPos(std::int32_t row, std::int32_t pos, bool extend);
  bool HasStyle(DWORD bits) const;

  HWND stateFor_ = kNoWindow;  // the window the state below belongs to
  EditBuffer buffer_;
  char passwordChar_ = 0;
  RECT formatRect_;
  bool formatRectSet_ = false;
  int lineHeight_ = kDefaultLineHeight;
  int charWidth_ = kDefaultCharWidth;
  std::int32_t firstLine_ = 0;
  int wheelTurn_ = 0;  // the part of a wheel notch not yet scrolled
  // The display column that vertical moves aim at, kept over a run of them; -1 when none.
  std::int32_t goalCell_ = -1;
  unsigned char pendingLead_ = 0;  // a lead byte waiting for its trail byte
  bool tracking_ = false;          // the left button selects while it moves
  // Wrapped rows, laid out for a version of the text, a password character and a width.
  mutable std::vector<Row> rows_;
  mutable std::uint64_t rowsVersion_ = 0;
  mutable char rowsPassword_ = 0;
  mutable int rowsWidth_ = -1;
  // The caret stands at the end of a wrapped row rather than at the start of the next one.
  bool caretAtRowEnd_ = false;
  std::int32_t rowEndCaret_ = 0;
};

}  // namespace vl::win
