// The text, caret and selection model every editor edits through.
//
// The model executes; it knows nothing of windows. The edit window turns keys into the operations
// below and shows `EditText()` (or `GetDisplayText()`); the typed editors give it a layout. Positions
// are byte offsets into the edit text, 32-bit, and every selection that comes from outside or from a
// move is clamped and snapped before it is stored, so the model never holds a caret inside a literal,
// inside the prefix or between the two bytes of a double-byte character.
//
// Two modes.
//
// Mask mode (strings, dates, and the unmasked field). The layout is a prefix and runs of positions
// with literal text after each run (BuildMaskEditLayout). The value text is the run contents
// concatenated; every position holds a character or its run's empty-position marker, so in a masked
// layout the value text always has exactly `intPositions` characters. Edits work on the value text,
// and characters after the edit point flow on through the literals into the next runs:
//   «999\-999» holding «123456», caret before «2», Delete → «134-56 » (the freed last position shows
//   its marker as a space).
// A layout whose only run is the literal-only run (marker 0) is an unmasked field: the run holds the
// whole text, limited by `charLimit` characters and `byteLimit` bytes.
//
// Numeric mode (the numeric editors). The layout is integer digit runs, the last one with the literal
// "." when the format has a fraction part, then fraction digit runs; the value text is the number
// text: sign, integer digits, and "." with the fraction digits when a point was typed or loaded. See
// the contract before the numeric operations in mask_field_model.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/string_mask.h"

namespace vl {

enum class FieldEditMode : std::int32_t { kInsert = 1, kOverwrite = 2 };

// Caret moves. The numbers are the requests of the edit window.
enum class CaretMove : std::int32_t {
  kStay = 0,           // only re-normalise the selection
  kLeft = 1,           // one position left
  kRight = 2,          // one position right (collapses a selection to its end)
  kFirst = 3,          // the first input position
  kLast = 4,           // after the last input position
  kPreviousGroup = 5,  // the start of the previous run (of the first when in the first)
  kNextGroup = 6,      // the end of the current run (which lands on the next run's start)
};

// Selection extensions: the anchor (selection start) stays, the active end (selection end) moves.
enum class SelectionExtend : std::int32_t {
  kLeft = 1,
  kRight = 2,
  kAll = 3,
  kSegment = 4,  // the whole current run
  kToStart = 5,
  kToEnd = 6,
};

enum class SnapDirection { kLeft, kRight };

// One run of the layout as laid out in the edit text.
struct FieldSegment {
  std::uint16_t marker = 0;     // empty-position marker, "0" in numeric layouts, 0 for free text
  std::int32_t count = 0;       // positions (0: case marker, free text, or unlimited digits)
  std::int32_t start = 0;       // byte offset of the content in the edit text
  std::int32_t byteLength = 0;  // byte length of the content
  std::string content;          // with markers as markers (0x7F, 0x829B)
  std::string literal;          // the literal shown after the content
};

// A selection in bytes of the edit text. `end` is the active end and may lie before `start` after
// a leftward extension.
struct FieldSelection {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t Min() const { return start < end ? start : end; }
  std::int32_t Max() const { return start < end ? end : start; }
  bool Empty() const { return start == end; }
  friend bool operator==(const FieldSelection&, const FieldSelection&) = default;
};

// The layout a numeric editor gives the model: `intPositions` integer digits (0 = unlimited) and,
// with a fraction part, the point and `fracPositions` fraction digits (0 = unlimited).
MaskEditLayout MakeNumericLayout(std::int32_t intPositions, bool hasFraction, std::int32_t fracPositions);

class MaskFieldModel {
 public:
  // An unmasked field in insert mode, empty, without limits.
  MaskFieldModel();

  // --- configuration -------------------------------------------------------------------------
  // Switches the mode and lays the current value text into the current layout again.
  void SetNumericMode(bool numeric);
  bool NumericMode() const { return numericMode_; }
  // Takes a layout, sums its positions (numeric: runs up to the one whose literal is "." are integer
  // positions, the rest fraction positions) and lays the current value (markers removed) into it.
  // Returns true when characters of the value did not fit and were dropped.
  bool SetLayout(const MaskEditLayout& layout);
  // Length limits of the value text; 0 = none. Masked and numeric fields count real characters
  // (numeric: digits only; the sign and the point never count).
  void SetByteLimit(std::int32_t bytes) { byteLimit_ = bytes < 0 ? 0 : bytes; }
  void SetCharLimit(std::int32_t chars) { charLimit_ = chars < 0 ? 0 : chars; }
  std::int32_t ByteLimit() const { return byteLimit_; }
  std::int32_t CharLimit() const { return charLimit_; }
  void SetPasswordChar(char ch) { passwordChar_ = ch; }
  char PasswordChar() const { return passwordChar_; }
  // Insert collapses a selection of at most one character to its start; overwrite widens an empty
  // selection to the one character after the caret (the block caret).
  void SetEditMode(FieldEditMode mode);
  FieldEditMode EditMode() const { return editMode_; }

  // --- text ----------------------------------------------------------------------------------
  // Loads a whole text (the right-to-left fill of a "!" layout applies). Returns true when the text
  // was cut: beyond the positions of a mask, beyond the limits of an unmasked field, or beyond the
  // integer (rightmost kept) or fraction (leftmost kept) positions of a numeric layout.
  bool SetText(std::string_view text);
  // The value text, with empty-position markers (ValueOf gives the value).
  const std::string& GetText() const { return valueText_; }
  // The value of a piece of value text: its empty-position markers removed. An unmasked field
  // has no empty positions, so there every byte is the user's, a DEL (0x7F) included.
  std::string ValueOf(std::string_view valueText) const;
  // What the window shows while editing: markers as blanks.
  const std::string& EditText() const { return editText_; }
  // EditText, or with a password character: the prefix, one password character per content byte,
  // and the literals. The reference holds until the model next changes.
  const std::string& GetDisplayText() const;

  // --- selection -----------------------------------------------------------------------------
  FieldSelection GetSelection() const { return FieldSelection{selStart_, selEnd_}; }
  // Clamps and snaps both ends (in `direction`), then applies the edit mode.
  void SetSelection(std::int32_t start, std::int32_t end, SnapDirection direction = SnapDirection::kRight);
  // The part of the value text under the selection (literals and prefix skipped).
  std::string GetSelectedText() const;
  void MoveCaret(CaretMove move);
  void ExtendSelection(SelectionExtend extend);
  // Selects the whole content of run `index`, without the literal after it: the end of a run is a
  // valid end for a selection, though a caret there moves on to the next run.
  void SelectSegment(std::int32_t index);
  // The index of the run whose whole content the selection covers exactly; -1 when it covers no
  // single whole run.
  std::int32_t SelectedSegment() const;
  // The input position (0-based, counted over the runs that hold positions) at an edit-text
  // offset: inside a run, the position of the character there; in literal text, the first
  // position of the next run; after the last run, the number of positions.
  std::int32_t PositionAt(std::int32_t editPos) const;
  // Numeric mode, the decimal point key when the text already holds a point: the caret goes just
  // after it. False (nothing done) when there is no point.
  bool MoveAfterDecimalPoint();

  // --- edits (false: refused, nothing changed) ------------------------------------------------
  // One character, single-byte (0x00XX) or double-byte (lead * 256 + trail), replacing the selection.
  // Mask mode: the first empty position after the caret makes room, so only the characters up to
  // that gap shift; a field with no empty position left refuses (a layout ending in a digit field
  // lets its last digit fall off instead). The caret lands after the character, past a literal when
  // the character filled its run. Refused beyond the limits; half characters are refused.
  bool InsertChar(std::uint16_t ch);
  // Removes the selection, or the one character after the caret. False when nothing changed.
  bool Delete();
  // Removes the one character before the caret (Backspace on an empty selection or a block caret).
  bool DeleteBackward();
  // Empties the field (all positions empty; numeric: no sign, no digits).
  void DeleteAll();
  // Replaces the selection by a text, character by character as typed; all or nothing.
  bool ReplaceSelection(std::string_view text);

  // Set by the last insertion when it filled the last input position or made the value reach a
  // limit exactly; cleared by every other insertion attempt. Numeric mode: the integer part reached
  // its positions in a format without fraction part, or the fraction part reached its positions.
  bool LastPositionFilled() const { return lastPositionFilled_; }

  // --- inspection ----------------------------------------------------------------------------
  const std::string& Prefix() const { return prefix_; }
  const std::vector<FieldSegment>& Segments() const { return segments_; }
  std::int32_t CurrentSegment() const { return currentSegment_; }
  std::int32_t IntPositions() const { return intPositions_; }
  std::int32_t FracPositions() const { return fracPositions_; }

 private:
  struct NumberParts {
    std::string sign;
    std::string intDigits;
    bool hasPoint = false;
    std::string fracDigits;
  };

  // How the layout holds the text, fixed by SetLayout: one free run, runs of positions only (each
  // padded with a blank or "0" marker, so the value always holds exactly intPositions characters),
  // or anything else, which every edit lays out whole again.
  enum class LayoutKind { kFree, kPositions, kMixed };

  bool IsFree() const;
  bool Unmasked() const;
  // Adds (sign 1) or removes (sign -1) the value's characters of a text to counts: the empty-position
  // markers of a masked layout are not part of it, every byte of an unmasked one is.
  void CountValue(std::string_view text, int sign, std::int32_t& bytes, std::int32_t& chars) const;
  bool LayMask(std::string_view text, bool fromRight);
  void Rebuild();
  void ClassifyLayout();
  // Positions layouts: the segment holding position `position`, the byte offset of the `index`-th
  // character of a segment's content, the position of a value byte offset, and the character at
  // a position.
  int SegmentOfPos(std::int32_t position) const;
  std::int32_t ContentOffset(int seg, std::int32_t index) const;
  std::int32_t PositionOfValue(std::int32_t valuePos) const;
  std::string_view CharAt(std::int32_t position) const;
  bool IsEmptyChar(std::string_view ch, int seg) const;
  // Replaces the characters at positions [from, to) by `chars` (as many), keeping the texts, the
  // segments and the counts of real characters in step.
  void ReplacePositions(std::int32_t from, std::int32_t to, std::string_view chars);
  // Free layouts: replaces value bytes [from, to) by `bytes`.
  void ReplaceFreeBytes(std::int32_t from, std::int32_t to, std::string_view bytes);
  bool InsertMaskPositions(std::uint16_t ch);
  bool InsertMaskFree(std::uint16_t ch);
  bool DeleteMaskFast(bool backward);
  bool ReplaceFreeSelection(std::string_view text);
  bool ReplaceFreeText(std::string_view text);
  void RebuildNumeric();
  std::int32_t Snap(std::int32_t pos, SnapDirection dir);
  std::int32_t StepLeft(std::int32_t pos);
  std::int32_t StepRight(std::int32_t pos);
  void Normalise(std::int32_t start, std::int32_t end, SnapDirection dir);
  void Widen();
  std::int32_t FirstPosition();
  std::int32_t LastPosition();
  std::int32_t EditToValue(std::int32_t pos) const;
  std::int32_t ValueToEdit(std::int32_t valuePos) const;
  int SegmentOfPosition(std::int32_t pos);
  bool IsEmptyAt(std::int32_t valuePos) const;
  bool EndsWithDigitRun() const;
  bool LimitsExceeded(std::string_view value) const;
  bool LimitsReached(std::string_view value) const;

  bool InsertMask(std::uint16_t ch);
  bool DeleteMask(bool backward);
  bool InsertNumeric(std::uint16_t ch);
  bool DeleteNumeric(bool backward);
  bool SetNumericText(std::string_view text);
  void RemoveNumericRange(std::int32_t lo, std::int32_t hi);
  std::int32_t IntEnd() const;
  std::int32_t FracStart() const;

  bool lastPositionFilled_ = false;
  bool numericMode_ = false;
  char passwordChar_ = 0;
  FieldEditMode editMode_ = FieldEditMode::kInsert;
  std::string prefix_;
  std::vector<FieldSegment> segments_;
  std::int32_t byteLimit_ = 0;
  std::int32_t charLimit_ = 0;
  std::int32_t intPositions_ = 0;
  std::int32_t fracPositions_ = 0;
  std::int32_t currentSegment_ = 0;
  std::int32_t selStart_ = 0;
  std::int32_t selEnd_ = 0;
  std::string editText_;
  std::string valueText_;
  mutable std::string passwordText_;  // what GetDisplayText last built for a password box

  MaskEditLayout layout_;
  bool hasFractionPart_ = false;
  NumberParts number_;

  // Kept with the segments by Rebuild and the edits, so that an edit costs what it changes rather
  // than the length of the text.
  LayoutKind kind_ = LayoutKind::kFree;
  std::vector<int> markerFree_;             // indices of the segments that are not case markers
  std::vector<int> holding_;                // indices of the segments with positions (count > 0)
  std::vector<std::int32_t> holdingFirst_;  // the first position of each of those
  std::vector<std::int32_t> valueStart_;    // per segment: byte offset of its content in valueText
  std::vector<std::int32_t> doubleBytes_;   // per segment: double-byte characters in its content
  std::int32_t realBytes_ = 0;              // the value without empty-position markers: bytes
  std::int32_t realChars_ = 0;              // and characters
};

}  // namespace vl
