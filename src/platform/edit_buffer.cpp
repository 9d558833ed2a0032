#include "platform/edit_buffer.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "text/mbcs.h"
#include "text/text_change.h"

namespace vl::win {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

enum class UnitClass { kWord, kBlank, kBreak };

// Words are runs of characters between blanks (space, tab) and line breaks.
UnitClass ClassAt(const std::string& text, std::int32_t pos, bool multiLine) {
  if (multiLine && text.compare(static_cast<std::size_t>(pos), 2, kLineBreak) == 0) return UnitClass::kBreak;
  return IsBlankByte(text[pos]) ? UnitClass::kBlank : UnitClass::kWord;
}

}  // namespace

void EditBuffer::SetMultiLine(bool on) {
  multiLine_ = on;
  SetSel(anchor_, caret_);
}

void EditBuffer::NoteChange(std::int32_t start, std::int32_t removed, std::int32_t inserted) {
  // Versions count over all buffers, so a version never names two texts.
  static std::atomic<std::uint64_t> versions{0};
  lastChange_ = Change{version_, start, removed, inserted};
  version_ = ++versions;
}

void EditBuffer::SetText(std::string_view text) {
  const std::string_view kept =
      text.size() > static_cast<std::size_t>(kMaxLimit) ? MbcsCutBytes(text, kMaxLimit) : text;
  SetText(kept, ChangeBetween(text_, kept));
}

void EditBuffer::SetText(std::string_view text, const TextChange& change) {
  // A box rewriting its whole text after each key of a long text pays for the bytes that
  // changed, not for a new copy and a new line index.
  text_.replace(change.start, change.removed, text.data() + change.start, change.inserted);
  const auto start = static_cast<std::int32_t>(change.start);
  const auto removed = static_cast<std::int32_t>(change.removed);
  const auto inserted = static_cast<std::int32_t>(change.inserted);
  ReindexLines(start, removed, inserted);
  NoteChange(start, removed, inserted);
  anchor_ = caret_ = 0;
  modified_ = false;
  EmptyUndo();
}

std::string EditBuffer::SelectedText() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }

void EditBuffer::SetSel(std::int32_t anchor, std::int32_t caret) {
  anchor_ = Snap(anchor);
  caret_ = Snap(caret);
  typingRun_ = false;
}

void EditBuffer::MoveCaret(std::int32_t pos, bool extend) {
  SetSel(extend ? anchor_ : pos, pos);
}

// --- Positions ---------------------------------------------------------------------------------

std::int32_t EditBuffer::UnitAt(std::int32_t pos) const {
  const std::int32_t len = Length();
  if (pos >= len) return 0;
  const char c = text_[pos];
  if (multiLine_) {
    if (c == '\r' && pos + 1 < len && text_[pos + 1] == '\n') return 2;
    if (IsLeadByte(c) && pos + 1 < len && text_[pos + 1] != '\r' && text_[pos + 1] != '\n') return 2;
    return 1;
  }
  return CharLengthAt(text_, static_cast<std::size_t>(pos));
}

// Double-byte text cannot be walked backwards, so walks start from a known boundary. The
// position after any byte that is not a lead byte is a boundary: that byte either starts a
// one-byte character or is the trail of a two-byte one. In a multi-line buffer a '\r' does not
// count, since it may start the line-break pair.
std::int32_t EditBuffer::ScanStart(std::int32_t pos) const {
  for (std::int32_t k = pos - 1; k >= 0; --k) {
    const char c = text_[k];
    if (!IsLeadByte(c) && !(multiLine_ && c == '\r')) return k + 1;
  }
  return 0;
}

std::int32_t EditBuffer::Snap(std::int32_t pos) const {
  pos = std::clamp<std::int32_t>(pos, 0, Length());
  std::int32_t s = ScanStart(pos);
  while (s < pos) {
    const std::int32_t n = s + UnitAt(s);
    if (n > pos) break;
    s = n;
  }
  return s;
}

std::int32_t EditBuffer::Prev(std::int32_t pos) const {
  pos = Snap(pos);
  if (pos == 0) return 0;
  std::int32_t s = ScanStart(pos - 1);
  std::int32_t prev = s;
  while (s < pos) {
    prev = s;
    s += UnitAt(s);
  }
  return prev;
}

std::int32_t EditBuffer::Next(std::int32_t pos) const {
  pos = Snap(pos);
  return std::min(pos + UnitAt(pos), Length());
}

// Word moves walk forward from a boundary and keep the boundaries they pass, so a long run of
// double-byte characters is walked once rather than re-synchronised at every step.
std::vector<std::int32_t> EditBuffer::BoundariesUpTo(std::int32_t pos) const {
  std::vector<std::int32_t> out;
  std::int32_t p = multiLine_ ? LineStart(LineFromPos(pos)) : 0;
  for (; p < pos; p += UnitAt(p)) out.push_back(p);
  return out;
}

std::int32_t EditBuffer::WordRight(std::int32_t pos) const {
  std::int32_t p = Snap(pos);
  const std::int32_t len = Length();
  if (p >= len) return len;
  if (ClassAt(text_, p, multiLine_) == UnitClass::kBreak) return p + UnitAt(p);
  while (p < len && ClassAt(text_, p, multiLine_) == UnitClass::kWord) p += UnitAt(p);
  while (p < len && ClassAt(text_, p, multiLine_) == UnitClass::kBlank) p += UnitAt(p);
  return p;
}

std::int32_t EditBuffer::WordLeft(std::int32_t pos) const {
  const std::int32_t p = Snap(pos);
  if (p == 0) return 0;
  const std::vector<std::int32_t> before = BoundariesUpTo(p);
  // At the start of a line the caret goes to the end of the previous one.
  if (before.empty()) return Prev(p);
  std::size_t i = before.size();
  while (i > 0 && ClassAt(text_, before[i - 1], multiLine_) == UnitClass::kBlank) --i;
  while (i > 0 && ClassAt(text_, before[i - 1], multiLine_) == UnitClass::kWord) --i;
  return i < before.size() ? before[i] : p;
}

void EditBuffer::WordAt(std::int32_t pos, std::int32_t& start, std::int32_t& end) const {
  start = end = Snap(pos);
  const std::int32_t len = Length();
  const std::vector<std::int32_t> before = BoundariesUpTo(start);
  std::size_t i = before.size();
  if (start >= len) {
    // Past the end: the word before the caret, if any.
    if (i == 0) return;
    start = before[--i];
    end = len;
  }
  const UnitClass cls = ClassAt(text_, start, multiLine_);
  if (cls == UnitClass::kBreak) {
    end = start;
    return;
  }
  while (i > 0 && ClassAt(text_, before[i - 1], multiLine_) == cls) start = before[--i];
  while (end < len && ClassAt(text_, end, multiLine_) == cls) end += UnitAt(end);
}

// --- Lines -------------------------------------------------------------------------------------

void EditBuffer::IndexLines() {
  breaks_.clear();
  for (std::size_t s = text_.find(kLineBreak); s != std::string::npos; s = text_.find(kLineBreak, s + 2))
    breaks_.push_back(static_cast<std::int32_t>(s + 2));
}

// A break at p is the pair at [p - 2, p). The pairs an edit can make or unmake are those that
// touch [start - 1, start + removed]: the old ones ending in (start, start + removed + 1] go,
// the ones after move by the difference, and the new text with a byte on each side is scanned.
void EditBuffer::ReindexLines(std::int32_t start, std::int32_t removed, std::int32_t inserted) {
  const std::int32_t oldEnd = start + removed;
  const auto first = std::upper_bound(breaks_.begin(), breaks_.end(), start);
  const auto last = std::upper_bound(first, breaks_.end(), oldEnd + 1);
  const std::int32_t delta = inserted - removed;
  for (auto it = last; it != breaks_.end(); ++it) *it += delta;
  std::vector<std::int32_t> made;
  const std::int32_t length = Length();
  for (std::int32_t q = std::max(0, start - 1); q < start + inserted && q + 1 < length; ++q) {
    if (text_[q] == '\r' && text_[q + 1] == '\n') made.push_back(q + 2);
  }
  const auto at = breaks_.erase(first, last);
  breaks_.insert(at, made.begin(), made.end());
}

std::int32_t EditBuffer::LineCount() const {
  if (!multiLine_) return 1;
  return static_cast<std::int32_t>(breaks_.size()) + 1;
}

std::int32_t EditBuffer::LineFromPos(std::int32_t pos) const {
  if (!multiLine_) return 0;
  pos = std::clamp<std::int32_t>(pos, 0, Length());
  return static_cast<std::int32_t>(std::upper_bound(breaks_.begin(), breaks_.end(), pos) - breaks_.begin());
}

std::int32_t EditBuffer::LineStart(std::int32_t line) const {
  if (line < 0) return -1;
  if (line == 0) return 0;
  if (!multiLine_ || line > static_cast<std::int32_t>(breaks_.size())) return -1;
  return breaks_[static_cast<std::size_t>(line) - 1];
}

std::int32_t EditBuffer::LineEnd(std::int32_t line) const {
  const std::int32_t start = LineStart(line);
  if (start < 0) return -1;
  if (!multiLine_ || line >= static_cast<std::int32_t>(breaks_.size())) return Length();
  return breaks_[static_cast<std::size_t>(line)] - 2;
}

std::int32_t EditBuffer::CellColumn(std::int32_t pos) const {
  pos = Snap(pos);
  std::int32_t p = LineStart(LineFromPos(pos));
  std::int32_t cells = 0;
  while (p < pos) {
    const std::int32_t n = UnitAt(p);
    cells += n;  // a double-byte character is two cells wide, a single byte one
    p += n;
  }
  return cells;
}

std::int32_t EditBuffer::PosAtCell(std::int32_t line, std::int32_t cell) const {
  std::int32_t p = LineStart(line);
  if (p < 0) return Length();
  const std::int32_t end = LineEnd(line);
  std::int32_t cells = 0;
  while (p < end) {
    const std::int32_t n = UnitAt(p);
    if (cells + n > cell) break;
    cells += n;
    p += n;
  }
  return p;
}

// --- Editing -----------------------------------------------------------------------------------

std::int32_t EditBuffer::Room() const {
  const std::int64_t kept = static_cast<std::int64_t>(Length()) - (SelEnd() - SelStart());
  return static_cast<std::int32_t>(std::max<std::int64_t>(0, limit_ - kept));
}

void EditBuffer::SaveUndo() {
  undoText_ = text_;
  undoAnchor_ = anchor_;
  undoCaret_ = caret_;
  canUndo_ = true;
}

void EditBuffer::Splice(std::int32_t start, std::int32_t end, std::string_view with) {
  text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), with);
  ReindexLines(start, end - start, static_cast<std::int32_t>(with.size()));
  NoteChange(start, end - start, static_cast<std::int32_t>(with.size()));
  anchor_ = caret_ = Snap(start + static_cast<std::int32_t>(with.size()));
  modified_ = true;
}

bool EditBuffer::Type(std::string_view bytes) {
  if (static_cast<std::int64_t>(bytes.size()) > Room()) return false;
  const bool continuesRun = typingRun_ && !HasSelection();
  if (!continuesRun) SaveUndo();
  Splice(SelStart(), SelEnd(), bytes);
  typingRun_ = true;
  return true;
}

bool EditBuffer::ReplaceSelection(std::string_view text, bool undoable) {
  std::string_view fit = MbcsCutBytes(text, static_cast<std::size_t>(Room()));
  // Never keep the first half of a line break.
  if (multiLine_ && fit.size() < text.size() && !fit.empty() && fit.back() == '\r' && text[fit.size()] == '\n') {
    fit.remove_suffix(1);
  }
  if (fit.empty() && !text.empty()) return false;
  if (undoable) SaveUndo();
  Splice(SelStart(), SelEnd(), fit);
  typingRun_ = false;
  if (!undoable) EmptyUndo();
  return true;
}

bool EditBuffer::DeleteSelection() {
  if (!HasSelection()) return false;
  SaveUndo();
  Splice(SelStart(), SelEnd(), {});
  typingRun_ = false;
  return true;
}

bool EditBuffer::DeleteBack() {
  if (HasSelection()) return DeleteSelection();
  if (caret_ == 0) return false;
  SaveUndo();
  Splice(Prev(caret_), caret_, {});
  typingRun_ = false;
  return true;
}

bool EditBuffer::DeleteForward() {
  if (HasSelection()) return DeleteSelection();
  if (caret_ >= Length()) return false;
  SaveUndo();
  Splice(caret_, Next(caret_), {});
  typingRun_ = false;
  return true;
}

bool EditBuffer::Undo() {
  if (!canUndo_) return false;
  std::swap(text_, undoText_);
  IndexLines();
  NoteChange(0, static_cast<std::int32_t>(undoText_.size()), Length());
  std::swap(anchor_, undoAnchor_);
  std::swap(caret_, undoCaret_);
  anchor_ = Snap(anchor_);
  caret_ = Snap(caret_);
  typingRun_ = false;
  modified_ = true;
  return true;
}

}  // namespace vl::win
