// Display rows of the multi-line edit control.
//
// A multi-line window without horizontal scrolling has nowhere to show the part of a line wider
// than its formatting rectangle, so it wraps: each line is cut into rows that fit the width (one
// pixel kept for the caret). A row breaks
//   - after the blanks that end a word: the blanks stay on the row they follow, even past the
//     width, so the next row starts with the next word ("one two" at the width of "one t" is
//     «one » and «two»);
//   - between two characters when either is double-byte, as Japanese text breaks anywhere;
//   - inside a word that does not fit a row on its own, at the last character that fits (a row
//     always holds at least one character).
// A window that scrolls horizontally has one row per line. Rows are laid out again when the
// text, the password character, the width or the font changes.
#include <algorithm>
#include <utility>

#include "platform/edit_control.h"
#include "text/mbcs.h"

namespace vl::win {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool EditControl::WrapsLines() const { return IsMultiLine() && !HasStyle(ES_AUTOHSCROLL | WS_HSCROLL); }

const std::vector<EditControl::Row>& EditControl::WrappedRows() const {
  const int width = std::max(1, FormatRect().Width() - 1);
  const std::uint64_t version = buffer_.Version();
  if (width == rowsWidth_ && passwordChar_ == rowsPassword_) {
    if (version == rowsVersion_) return rows_;
    const EditBuffer::Change& change = buffer_.LastChange();
    if (change.from == rowsVersion_) {
      // One edit since the layout: only the lines it touched are wrapped again.
      RewrapLines(change.start, change.start + change.inserted, change.inserted - change.removed, width);
      rowsVersion_ = version;
      return rows_;
    }
  }
  rows_.clear();
  RewrapLines(0, buffer_.Length(), 0, width);
  rowsVersion_ = version;
  rowsPassword_ = passwordChar_;
  rowsWidth_ = width;
  return rows_;
}

// The lines of the text that hold [from, to] are wrapped again; the rows before them stay, the
// old rows of those lines go and the rows after them move by `delta` bytes. A row's breaks depend
// on its own text and on the character after it, so the rows of the first line that end before
// the row before `from`'s stay too: typing at the end of a long line wraps its last rows only.
void EditControl::RewrapLines(std::int32_t from, std::int32_t to, std::int32_t delta, int width) const {
  std::int32_t first = buffer_.LineStart(buffer_.LineFromPos(from));
  const auto byStart = [](const Row& r, std::int32_t p) { return r.start < p; };
  const auto atFrom =
      std::upper_bound(rows_.begin(), rows_.end(), from, [](std::int32_t p, const Row& r) { return p < r.start; });
  if (atFrom - rows_.begin() >= 2) first = std::max(first, (atFrom - 2)->start);
  const std::int32_t last = buffer_.LineEnd(buffer_.LineFromPos(to));
  const auto begin = std::lower_bound(rows_.begin(), rows_.end(), first, byStart);
  // Old rows start at or before the old end of the last line touched.
  const auto end =
      std::upper_bound(begin, rows_.end(), last - delta, [](std::int32_t p, const Row& r) { return p < r.start; });
  for (auto it = end; it != rows_.end(); ++it) {
    it->start += delta;
    it->end += delta;
  }
  std::vector<Row> fresh;
  const std::string& text = buffer_.Text();
  for (std::int32_t start = first;;) {
    const std::size_t br = text.find("\r\n", static_cast<std::size_t>(start));
    const auto lineEnd =
        br == std::string::npos || static_cast<std::int32_t>(br) > last ? last : static_cast<std::int32_t>(br);
    WrapLine(ShownRange(start, lineEnd), start, lineEnd, width, fresh);
    if (lineEnd >= last) break;
    start = lineEnd + 2;
  }
  const auto at = rows_.erase(begin, end);
  rows_.insert(at, fresh.begin(), fresh.end());
}

// `shown` is the line [start, end) as shown.
void EditControl::WrapLine(std::string_view shown, std::int32_t start, std::int32_t end, int width,
                           std::vector<Row>& rows) const {
  const std::string& text = buffer_.Text();
  // The character boundaries of the line, its start and end included.
  std::vector<std::int32_t> bounds{start};
  for (std::int32_t p = start; p < end;) {
    p += std::max<std::int32_t>(1, buffer_.CharLength(p));
    bounds.push_back(std::min(p, end));
  }
  // Widths add up character by character, so each character is measured once and a run's width
  // is a difference of sums; unless the shown text splits into other characters than the line
  // (a lone lead byte), where runs are measured whole as they are drawn.
  std::vector<int> before;  // the width of the line up to each boundary
  bool sameCharacters = true;
  for (std::size_t i = 0; i + 1 < bounds.size() && sameCharacters; ++i) {
    sameCharacters = CharLengthAt(shown, static_cast<std::size_t>(bounds[i] - start)) == bounds[i + 1] - bounds[i];
  }
  if (sameCharacters) {
    std::vector<std::int32_t> cuts;
    cuts.reserve(bounds.size());
    for (std::int32_t b : bounds) cuts.push_back(b - start);
    MeasurePieces(shown, cuts, before);
    int sum = 0;
    for (int& w : before) w = std::exchange(sum, sum + w);
    before.push_back(sum);
  }
  auto widthOf = [&](std::size_t a, std::size_t b) {
    if (sameCharacters) return before[b] - before[a];
    return TextWidth(
        shown.substr(static_cast<std::size_t>(bounds[a] - start), static_cast<std::size_t>(bounds[b] - bounds[a])));
  };
  auto doubleByte = [&](std::size_t i) { return bounds[i + 1] - bounds[i] == 2; };
  std::size_t first = 0;  // index in bounds of the row's start
  while (widthOf(first, bounds.size() - 1) > width) {
    // The longest run of characters from the row's start that fits, at least one.
    std::size_t lo = first + 1;
    std::size_t hi = bounds.size() - 1;
    while (lo < hi) {
      const std::size_t mid = (lo + hi + 1) / 2;
      if (widthOf(first, mid) <= width) {
        lo = mid;
      } else {
        hi = mid - 1;
      }
    }
    std::size_t cut = lo;
    auto blankAt = [&](std::size_t i) { return bounds[i] < end && IsBlank(text[static_cast<std::size_t>(bounds[i])]); };
    if (blankAt(cut)) {
      // The blanks after the last word that fits hang at the end of its row.
      while (blankAt(cut)) ++cut;
    } else {
      // Back to the last place a row may break; none inside one long word: cut it where it is.
      for (std::size_t b = cut; b > first; --b) {
        const bool afterBlank = IsBlank(text[static_cast<std::size_t>(bounds[b - 1])]);
        if (afterBlank || doubleByte(b - 1) || (b + 1 < bounds.size() && doubleByte(b))) {
          cut = b;
          break;
        }
      }
    }
    rows.push_back(Row{bounds[first], bounds[cut]});
    if (bounds[cut] >= end) return;  // only hanging blanks were left
    first = cut;
  }
  rows.push_back(Row{bounds[first], end});
}

void EditControl::MeasurePieces(std::string_view shown, const std::vector<std::int32_t>& cuts,
                                std::vector<int>& widths) const {
  widths.clear();
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    widths.push_back(
        MeasureText(shown.substr(static_cast<std::size_t>(cuts[i]), static_cast<std::size_t>(cuts[i + 1] - cuts[i]))));
  }
}

std::int32_t EditControl::RowCount() const {
  return WrapsLines() ? static_cast<std::int32_t>(WrappedRows().size()) : buffer_.LineCount();
}

std::int32_t EditControl::RowFromPos(std::int32_t pos) const {
  if (!WrapsLines()) return buffer_.LineFromPos(pos);
  const std::vector<Row>& rows = WrappedRows();
  pos = std::clamp<std::int32_t>(pos, 0, buffer_.Length());
  const auto after =
      std::upper_bound(rows.begin(), rows.end(), pos, [](std::int32_t p, const Row& r) { return p < r.start; });
  return static_cast<std::int32_t>(after - rows.begin()) - 1;
}

std::int32_t EditControl::RowStart(std::int32_t row) const {
  if (!WrapsLines()) return buffer_.LineStart(row);
  const std::vector<Row>& rows = WrappedRows();
  return row >= 0 && row < static_cast<std::int32_t>(rows.size()) ? rows[static_cast<std::size_t>(row)].start : -1;
}

std::int32_t EditControl::RowEnd(std::int32_t row) const {
  if (!WrapsLines()) return buffer_.LineEnd(row);
  const std::vector<Row>& rows = WrappedRows();
  return row >= 0 && row < static_cast<std::int32_t>(rows.size()) ? rows[static_cast<std::size_t>(row)].end : -1;
}

bool EditControl::IsSoftRowEnd(std::int32_t row, std::int32_t pos) const {
  return WrapsLines() && RowEnd(row) == pos && RowStart(row + 1) == pos;
}

std::int32_t EditControl::CaretRow() const {
  const std::int32_t caret = buffer_.Caret();
  const std::int32_t row = RowFromPos(caret);
  if (caretAtRowEnd_ && rowEndCaret_ == caret && row > 0 && IsSoftRowEnd(row - 1, caret)) return row - 1;
  return row;
}

void EditControl::MoveToRowPos(std::int32_t row, std::int32_t pos, bool extend) {
  buffer_.MoveCaret(pos, extend);
  caretAtRowEnd_ = IsSoftRowEnd(row, buffer_.Caret());
  rowEndCaret_ = buffer_.Caret();
  ScrollCaret();
}

}  // namespace vl::win
