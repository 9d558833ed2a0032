// The text, caret and selection of the standard edit control, without a window.
//
// EditControl translates messages into calls on this buffer; the buffer decides where a position
// may stand and what an edit does to the text. Every position is a byte index into a CP932 text,
// 32-bit signed, and always stands on a character boundary:
//   - a lead byte and its trail byte form one character: no position falls between them;
//   - in a multi-line buffer the pair "\r\n" is one line break: no position falls between them.
// A lone lead byte just before "\r" or "\n" (corrupt text) counts as one byte, so a line break is
// never swallowed into a double-byte character.
//
// Lines (multi-line only) split on "\r\n". Line n covers [LineStart(n), LineEnd(n)]; the caret at
// LineEnd(n) stands before the line break and belongs to line n. A lone "\r" or "\n" is an
// ordinary character. A single-line buffer has exactly one line, whatever its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_change.h"

namespace vl::win {

class EditBuffer {
 public:
  // The largest limit and text the buffer handles; positions stay within int32.
  static constexpr std::int32_t kMaxLimit = 0x7FFFFFFE;
  // The limit before anything sets one (the platform's initial limit).
  static constexpr std::int32_t kDefaultLimit = 32767;

  explicit EditBuffer(bool multiLine = false) : multiLine_(multiLine) {}

  bool IsMultiLine() const { return multiLine_; }
  void SetMultiLine(bool on);

  const std::string& Text() const { return text_; }
  std::int32_t Length() const { return static_cast<std::int32_t>(text_.size()); }
  // Every change of the text gives it a new version, unique among all buffers, and the last change
  // is described: on the text of version `from`, the bytes [start, start + removed) became
  // `inserted` bytes. A view laid out for version `from` redoes only what the change touched (a
  // whole new text is a change of everything).
  struct Change {
    std::uint64_t from = 0;
    std::int32_t start = 0;
    std::int32_t removed = 0;
    std::int32_t inserted = 0;
  };
  std::uint64_t Version() const { return version_; }
  const Change& LastChange() const { return lastChange_; }
  // Replaces the whole text (not limited): caret at 0, no selection, undo emptied, unmodified.
  // Only the bytes that differ are written and re-indexed, and the change says just those.
  void SetText(std::string_view text);
  // The same for a caller that knows how `text` differs from the current text, which spares the
  // comparison: `change` as ChangeBetween(Text(), text) would give it, or a wider span.
  void SetText(std::string_view text, const TextChange& change);

  // --- Caret and selection -------------------------------------------------------------------
  // The anchor is where the selection started, the caret its moving end; both on boundaries.
  std::int32_t Anchor() const { return anchor_; }
  std::int32_t Caret() const { return caret_; }
  std::int32_t SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  std::int32_t SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool HasSelection() const { return anchor_ != caret_; }
  std::string SelectedText() const;
  // Clamps both ends to the text and snaps each to the start of the character (or line break)
  // it falls inside. Ends the current typing run.
  void SetSel(std::int32_t anchor, std::int32_t caret);
  // Caret to pos (snapped); the anchor follows unless extend.
  void MoveCaret(std::int32_t pos, bool extend);

  // --- Positions -----------------------------------------------------------------------------
  std::int32_t Snap(std::int32_t pos) const;   // clamped, then to the start of its character
  std::int32_t Prev(std::int32_t pos) const;   // one character (or line break) back
  std::int32_t Next(std::int32_t pos) const;   // one character (or line break) on
  // Byte length of the character (or line break) that starts at a boundary; 0 at the end.
  std::int32_t CharLength(std::int32_t boundary) const { return UnitAt(boundary); }
  std::int32_t WordLeft(std::int32_t pos) const;   // start of this or the previous word
  std::int32_t WordRight(std::int32_t pos) const;  // start of the next word
  // The word around pos (for a double click): [start, end).
  void WordAt(std::int32_t pos, std::int32_t& start, std::int32_t& end) const;

  // --- Lines ---------------------------------------------------------------------------------
  std::int32_t LineCount() const;
  std::int32_t LineFromPos(std::int32_t pos) const;  // pos clamped to the text
  std::int32_t LineStart(std::int32_t line) const;   // -1 past the last line
  std::int32_t LineEnd(std::int32_t line) const;     // before the line break; -1 past the last
  // Display column of pos on its line in half-width cells: a double-byte character takes two,
  // as on the fixed-metrics font, so vertical moves keep the visual column.
  std::int32_t CellColumn(std::int32_t pos) const;
  // The position on line whose column is the largest not beyond cell.
  std::int32_t PosAtCell(std::int32_t line, std::int32_t cell) const;

  // --- Editing -------------------------------------------------------------------------------
  // Limit of the text length in bytes for insertions (not for SetText).
  std::int32_t Limit() const { return limit_; }
  void SetLimit(std::int32_t limit) { limit_ = limit < 0 ? 0 : limit; }
  // Room left for an insertion that replaces the selection.
  std::int32_t Room() const;

  // A typed character (one or two bytes, or "\r\n"): refused whole when it would pass the limit.
  // Consecutive typing is one undo step.
  bool Type(std::string_view bytes);
  // Replaces the selection with as much of text as the limit leaves room for, never cutting a
  // character in two; the caret ends after the insertion. False when nothing could be inserted
  // of a non-empty text (the selection then stays). With undoable false the undo buffer empties.
  bool ReplaceSelection(std::string_view text, bool undoable = true);
  // Deletes the selection, or else the character (line break) before / after the caret.
  bool DeleteBack();
  bool DeleteForward();
  bool DeleteSelection();

  // Single-level undo that undoes itself: Undo swaps the text with the one saved before the last
  // edit (a run of typing counts as one edit), restoring that edit's selection.
  bool CanUndo() const { return canUndo_; }
  bool Undo();
  void EmptyUndo() { canUndo_ = false; typingRun_ = false; }

  bool Modified() const { return modified_; }
  void SetModified(bool on) { modified_ = on; }

 private:
  std::int32_t UnitAt(std::int32_t pos) const;  // byte length of the character at pos
  std::int32_t ScanStart(std::int32_t pos) const;  // a boundary at or before pos to walk from
  // The boundaries from the start of pos's line up to (not including) pos, a boundary.
  std::vector<std::int32_t> BoundariesUpTo(std::int32_t pos) const;
  void SaveUndo();
  void Splice(std::int32_t start, std::int32_t end, std::string_view with);
  void NoteChange(std::int32_t start, std::int32_t removed, std::int32_t inserted);
  // Rebuilds the line index from the whole text.
  void IndexLines();
  // Brings the line index up to date after [start, start + removed) became `inserted` bytes.
  void ReindexLines(std::int32_t start, std::int32_t removed, std::int32_t inserted);

  bool multiLine_;
  std::string text_;
  std::uint64_t version_ = 0;
  Change lastChange_;
  // The position after every "\r\n" of the text, ascending: where lines 1, 2, ... start. Kept
  // for single-line buffers too, so switching modes costs nothing; a keystroke updates it around
  // the edit only, so line questions cost the same in a long text as in a short one.
  std::vector<std::int32_t> breaks_;
  std::int32_t anchor_ = 0;
  std::int32_t caret_ = 0;
  std::int32_t limit_ = kDefaultLimit;
  bool modified_ = false;

  bool canUndo_ = false;
  bool typingRun_ = false;  // the last edit was typing that ended at the caret
  std::string undoText_;
  std::int32_t undoAnchor_ = 0;
  std::int32_t undoCaret_ = 0;
};

}  // namespace vl::win
