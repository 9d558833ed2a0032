#include "format/mask_field_model.h"

#include <algorithm>

#include "text/mbcs.h"

namespace vl {
namespace {

bool IsCaseMarker(std::uint16_t marker) { return marker == '>' || marker == '<'; }
bool IsDigit(std::uint16_t ch) { return ch >= '0' && ch <= '9'; }

std::int32_t Size(std::string_view text) { return static_cast<std::int32_t>(text.size()); }

// Byte offset of the character that ends at `pos` (a character boundary, > 0). Double-byte text
// cannot be walked backwards, so the walk starts at the nearest known boundary before it: the
// position after a byte that is not a lead byte (that byte ends a character, single or double).
std::int32_t PreviousCharOffset(std::string_view text, std::int32_t pos) {
  if (pos <= 0) return 0;
  std::int32_t from = pos - 1;
  while (from > 0 && IsLeadByte(text[static_cast<std::size_t>(from - 1)])) --from;
  std::size_t prev = static_cast<std::size_t>(from);
  for (std::size_t p = prev; static_cast<std::int32_t>(p) < pos; p += CharLengthAt(text, p)) prev = p;
  return static_cast<std::int32_t>(prev);
}

// Byte offset of the last character of a text (0 for an empty text).
std::int32_t LastCharOffset(std::string_view text) { return PreviousCharOffset(text, Size(text)); }

bool IsMarkerCode(std::uint16_t c) { return c == kMarkerSingleByte || c == kMarkerDoubleByte; }

// Adds (sign 1) or removes (sign -1) the real characters of a text of whole characters to counts:
// the empty-position markers are not part of the value.
void CountReal(std::string_view text, int sign, std::int32_t& bytes, std::int32_t& chars) {
  for (std::size_t p = 0; p < text.size();) {
    const int len = CharLengthAt(text, p);
    if (!IsMarkerCode(CharCodeAt(text, p))) {
      bytes += sign * len;
      chars += sign;
    }
    p += static_cast<std::size_t>(len);
  }
}

std::int32_t DoubleByteChars(std::string_view text) {
  std::int32_t n = 0;
  for (std::size_t p = 0; p < text.size();) {
    const int len = CharLengthAt(text, p);
    n += len == 2 ? 1 : 0;
    p += static_cast<std::size_t>(len);
  }
  return n;
}

// True when the last byte is a lead byte that starts no complete character.
bool EndsWithHalfCharacter(std::string_view text) {
  std::size_t p = 0;
  while (p + 1 < text.size()) p += IsLeadByte(text[p]) ? 2 : 1;
  return p + 1 == text.size() && IsLeadByte(text[p]);
}

}  // namespace

MaskEditLayout MakeNumericLayout(std::int32_t intPositions, bool hasFraction, std::int32_t fracPositions) {
  MaskEditLayout layout;
  layout.runs.push_back(MaskLayoutRun{'0', std::max(intPositions, 0), hasFraction ? "." : ""});
  if (hasFraction) layout.runs.push_back(MaskLayoutRun{'0', std::max(fracPositions, 0), ""});
  for (const MaskLayoutRun& run : layout.runs) layout.totalPositions += run.count;
  return layout;
}

MaskFieldModel::MaskFieldModel() {
  layout_.runs.push_back(MaskLayoutRun{0, 0, ""});
  LayMask("", false);
}

// ---------------------------------------------------------------------------------------------
// Configuration

void MaskFieldModel::SetNumericMode(bool numeric) {
  if (numeric == numericMode_) return;
  numericMode_ = numeric;
  SetLayout(MaskEditLayout(layout_));
}

bool MaskFieldModel::SetLayout(const MaskEditLayout& layout) {
  // The value as the editor would read it; the numeric value text is the number text itself.
  const std::string current = numericMode_ ? valueText_ : ValueOf(valueText_);
  layout_ = layout;
  if (layout_.runs.empty()) layout_.runs.push_back(MaskLayoutRun{0, 0, ""});

  intPositions_ = 0;
  fracPositions_ = 0;
  hasFractionPart_ = false;
  if (numericMode_) {
    // A run count of 0 is an unlimited run of digits, which makes its whole part unlimited.
    bool intUnlimited = false;
    bool fracUnlimited = false;
    for (const MaskLayoutRun& run : layout_.runs) {
      if (!hasFractionPart_) {
        intUnlimited = intUnlimited || run.count <= 0;
        intPositions_ += std::max(run.count, 0);
        hasFractionPart_ = run.literal == ".";
      } else {
        fracUnlimited = fracUnlimited || run.count <= 0;
        fracPositions_ += std::max(run.count, 0);
      }
    }
    if (intUnlimited) intPositions_ = 0;
    if (fracUnlimited) fracPositions_ = 0;
  } else {
    for (const MaskLayoutRun& run : layout_.runs) intPositions_ += std::max(run.count, 0);
  }
  return SetText(current);
}

void MaskFieldModel::SetEditMode(FieldEditMode mode) {
  editMode_ = mode;
  if (mode == FieldEditMode::kInsert && MbcsCharCount(GetSelectedText()) <= 1) {
    const std::int32_t lo = std::min(selStart_, selEnd_);
    Normalise(lo, lo, SnapDirection::kRight);
    return;
  }
  Normalise(selStart_, selEnd_, SnapDirection::kRight);
}

// ---------------------------------------------------------------------------------------------
// Text

bool MaskFieldModel::SetText(std::string_view text) {
  // A lead byte without its trail byte at the very end is half a character: it would pair with
  // whatever byte follows it in the edit text. It is not part of the text.
  if (EndsWithHalfCharacter(text)) {
    text.remove_suffix(1);
  }
  bool cut = false;
  if (numericMode_) {
    cut = SetNumericText(text);
  } else if (IsFree()) {
    std::string_view kept = text;
    if (charLimit_ > 0 && MbcsCharCount(kept) > charLimit_) {
      kept = kept.substr(0, MbcsByteIndexOfChar(kept, charLimit_));
      cut = true;
    }
    if (byteLimit_ > 0 && Size(kept) > byteLimit_) {
      kept = MbcsCutBytes(kept, static_cast<std::size_t>(byteLimit_));
      cut = true;
    }
    LayMask(kept, false);
  } else {
    cut = LayMask(text, layout_.fillFromRight);
  }
  Normalise(selStart_, selEnd_, SnapDirection::kRight);
  return cut;
}

const std::string& MaskFieldModel::GetDisplayText() const {
  // Returned where it is: a key typed into a long text would otherwise copy it once more.
  if (passwordChar_ == 0) return editText_;
  passwordText_ = prefix_;
  for (const FieldSegment& seg : segments_) {
    passwordText_.append(static_cast<std::size_t>(seg.byteLength), passwordChar_);
    passwordText_ += seg.literal;
  }
  return passwordText_;
}

bool MaskFieldModel::IsFree() const {
  return std::any_of(layout_.runs.begin(), layout_.runs.end(),
                     [](const MaskLayoutRun& run) { return run.marker == 0; });
}

bool MaskFieldModel::Unmasked() const {
  return !numericMode_ && std::all_of(layout_.runs.begin(), layout_.runs.end(),
                                      [](const MaskLayoutRun& run) { return run.marker == 0; });
}

std::string MaskFieldModel::ValueOf(std::string_view valueText) const {
  return Unmasked() ? std::string(valueText) : RemoveMaskMarkers(valueText);
}

void MaskFieldModel::CountValue(std::string_view text, int sign, std::int32_t& bytes, std::int32_t& chars) const {
  if (!Unmasked()) return CountReal(text, sign, bytes, chars);
  for (std::size_t p = 0; p < text.size(); p += static_cast<std::size_t>(CharLengthAt(text, p))) {
    bytes += sign * CharLengthAt(text, p);
    chars += sign;
  }
}

bool MaskFieldModel::LayMask(std::string_view text, bool fromRight) {
  LaidText laid = LayOutText(layout_, text, fromRight);
  prefix_ = layout_.prefix;
  segments_.assign(layout_.runs.size(), FieldSegment{});
  for (std::size_t i = 0; i < layout_.runs.size(); ++i) {
    segments_[i].marker = layout_.runs[i].marker;
    segments_[i].count = layout_.runs[i].count;
    segments_[i].content = std::move(laid.contents[i]);
    segments_[i].literal = layout_.runs[i].literal;
  }
  Rebuild();
  return laid.cut;
}

void MaskFieldModel::Rebuild() {
  editText_ = prefix_;
  valueText_.clear();
  valueStart_.assign(segments_.size(), 0);
  doubleBytes_.assign(segments_.size(), 0);
  realBytes_ = 0;
  realChars_ = 0;
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    FieldSegment& seg = segments_[i];
    // Markers show as blanks (same byte length); a run without empty positions shows as it is.
    const std::string shown = seg.marker == 0 ? seg.content : ShowMaskMarkers(seg.content);
    seg.start = Size(editText_);
    seg.byteLength = Size(shown);
    valueStart_[i] = Size(valueText_);
    doubleBytes_[i] = DoubleByteChars(seg.content);
    CountValue(seg.content, 1, realBytes_, realChars_);
    editText_ += shown;
    editText_ += seg.literal;
    valueText_ += seg.content;
  }
  ClassifyLayout();
}

void MaskFieldModel::ClassifyLayout() {
  markerFree_.clear();
  holding_.clear();
  holdingFirst_.clear();
  bool free = false;
  bool exact = true;
  std::int32_t position = 0;
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const FieldSegment& seg = segments_[i];
    if (!IsCaseMarker(seg.marker)) markerFree_.push_back(static_cast<int>(i));
    if (seg.marker == 0) free = true;
    if (seg.count > 0 && seg.marker != 0) {
      holding_.push_back(static_cast<int>(i));
      holdingFirst_.push_back(position);
      position += seg.count;
      exact = exact && (IsBlankMarker(seg.marker) || seg.marker == '0');
    }
  }
  if (free) {
    kind_ = segments_.size() == 1 ? LayoutKind::kFree : LayoutKind::kMixed;
  } else {
    kind_ = exact ? LayoutKind::kPositions : LayoutKind::kMixed;
  }
}

int MaskFieldModel::SegmentOfPos(std::int32_t position) const {
  const auto it = std::upper_bound(holdingFirst_.begin(), holdingFirst_.end(), position);
  return holding_[static_cast<std::size_t>(std::max<std::ptrdiff_t>(it - holdingFirst_.begin() - 1, 0))];
}

std::int32_t MaskFieldModel::ContentOffset(int seg, std::int32_t index) const {
  const std::string& content = segments_[static_cast<std::size_t>(seg)].content;
  if (doubleBytes_[static_cast<std::size_t>(seg)] == 0) return std::min(index, Size(content));
  std::size_t p = 0;
  for (std::int32_t n = 0; n < index && p < content.size(); ++n) p += CharLengthAt(content, p);
  return static_cast<std::int32_t>(p);
}

std::int32_t MaskFieldModel::PositionOfValue(std::int32_t valuePos) const {
  // The first segment with positions whose content ends after the value position holds it.
  const auto it = std::partition_point(holding_.begin(), holding_.end(), [&](int i) {
    return valueStart_[static_cast<std::size_t>(i)] + segments_[static_cast<std::size_t>(i)].byteLength <= valuePos;
  });
  if (it == holding_.end()) return intPositions_;
  const auto k = static_cast<std::size_t>(it - holding_.begin());
  const auto seg = static_cast<std::size_t>(*it);
  const std::int32_t offset = std::max(valuePos - valueStart_[seg], 0);
  if (doubleBytes_[seg] == 0) return holdingFirst_[k] + offset;
  const std::string& content = segments_[seg].content;
  std::int32_t index = 0;
  for (std::size_t p = 0; static_cast<std::int32_t>(p) < offset; p += CharLengthAt(content, p)) ++index;
  return holdingFirst_[k] + index;
}

std::string_view MaskFieldModel::CharAt(std::int32_t position) const {
  const int seg = SegmentOfPos(position);
  const std::string& content = segments_[static_cast<std::size_t>(seg)].content;
  const auto k = static_cast<std::size_t>(std::upper_bound(holdingFirst_.begin(), holdingFirst_.end(), position) -
                                          holdingFirst_.begin() - 1);
  const auto offset = static_cast<std::size_t>(ContentOffset(seg, position - holdingFirst_[k]));
  return std::string_view(content).substr(offset, static_cast<std::size_t>(CharLengthAt(content, offset)));
}

// An empty position: a marker, or the blank marker of its own run (the space of an "@" run).
bool MaskFieldModel::IsEmptyChar(std::string_view ch, int seg) const {
  const std::uint16_t c = CharCodeAt(ch, 0);
  if (IsMarkerCode(c)) return true;
  const std::uint16_t marker = segments_[static_cast<std::size_t>(seg)].marker;
  return IsBlankMarker(marker) && c == marker;
}

void MaskFieldModel::ReplacePositions(std::int32_t from, std::int32_t to, std::string_view chars) {
  if (to <= from) return;
  const auto firstK = static_cast<std::size_t>(std::upper_bound(holdingFirst_.begin(), holdingFirst_.end(), from) -
                                               holdingFirst_.begin() - 1);
  std::size_t lastK = firstK;
  while (lastK + 1 < holding_.size() && holdingFirst_[lastK + 1] < to) ++lastK;
  // A change over many runs (characters flowing on through the literals) rewrites most of the
  // text anyway: the contents change and everything is laid out again.
  const bool whole = lastK - firstK >= 2;
  std::size_t next = 0;    // read position in `chars`
  std::int32_t shift = 0;  // bytes the segments after the ones changed so far move by
  std::size_t k = firstK;
  for (auto i = static_cast<std::size_t>(holding_[firstK]); i < segments_.size(); ++i) {
    FieldSegment& seg = segments_[i];
    if (!whole) {
      seg.start += shift;
      valueStart_[i] += shift;
    }
    if (k > lastK || static_cast<std::size_t>(holding_[k]) != i) {
      if (k > lastK && (whole || shift == 0)) break;
      continue;
    }
    const std::int32_t first = holdingFirst_[k++];
    const std::int32_t a = std::max(from, first) - first;
    const std::int32_t b = std::min(to, first + seg.count) - first;
    const std::int32_t lo = ContentOffset(static_cast<int>(i), a);
    const std::int32_t hi = ContentOffset(static_cast<int>(i), b);
    const std::size_t begin = next;
    for (std::int32_t c = a; c < b; ++c) next += static_cast<std::size_t>(CharLengthAt(chars, next));
    const std::string_view bytes = chars.substr(begin, next - begin);
    if (!whole) {
      const std::string_view removed =
          std::string_view(seg.content).substr(static_cast<std::size_t>(lo), static_cast<std::size_t>(hi - lo));
      CountReal(removed, -1, realBytes_, realChars_);
      CountReal(bytes, 1, realBytes_, realChars_);
      doubleBytes_[i] += DoubleByteChars(bytes) - DoubleByteChars(removed);
      valueText_.replace(static_cast<std::size_t>(valueStart_[i] + lo), static_cast<std::size_t>(hi - lo), bytes);
      editText_.replace(static_cast<std::size_t>(seg.start + lo), static_cast<std::size_t>(hi - lo),
                        ShowMaskMarkers(bytes));
      shift += Size(bytes) - (hi - lo);
      seg.byteLength += Size(bytes) - (hi - lo);
    }
    seg.content.replace(static_cast<std::size_t>(lo), static_cast<std::size_t>(hi - lo), bytes);
  }
  if (whole) Rebuild();
}

void MaskFieldModel::ReplaceFreeBytes(std::int32_t from, std::int32_t to, std::string_view bytes) {
  FieldSegment& seg = segments_.front();
  const std::string_view removed =
      std::string_view(valueText_).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  CountValue(removed, -1, realBytes_, realChars_);
  CountValue(bytes, 1, realBytes_, realChars_);
  editText_.replace(static_cast<std::size_t>(seg.start + from), static_cast<std::size_t>(to - from),
                    Unmasked() ? std::string(bytes) : ShowMaskMarkers(bytes));
  seg.content.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), bytes);
  valueText_.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), bytes);
  seg.byteLength = Size(seg.content);
}

// ---------------------------------------------------------------------------------------------
// Positions
//
// Valid caret positions in mask mode: before each character of a run, and after the last character
// of the last run. The end of any other run is the same value position as the start of the next
// one, so a caret there is moved on: rightwards to the next run's start, leftwards back onto the
// last character of the run (in «123-456» a caret moving left from before «4» lands before «3»,
// where overwrite replaces the «3»). This is also where the caret lands after typing the last
// character of a run: past the literal, ready for the next run.
//
// Numeric mode: every position from the first digit (after the sign) to the end is valid, the two
// sides of the decimal point included.

std::int32_t MaskFieldModel::Snap(std::int32_t pos, SnapDirection dir) {
  pos = std::clamp(pos, 0, Size(editText_));
  if (numericMode_) {
    pos = std::max(pos, Size(prefix_));
    currentSegment_ = 0;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
      if (pos <= segments_[i].start + segments_[i].byteLength) {
        currentSegment_ = static_cast<std::int32_t>(i);
        break;
      }
    }
    return pos;
  }
  if (MbcsSplitsChar(editText_, pos)) pos += dir == SnapDirection::kRight ? 1 : -1;

  if (markerFree_.empty()) {
    currentSegment_ = 0;
    return std::min(Size(prefix_), Size(editText_));
  }
  // The first segment (case markers aside) whose content ends after the position: the position is
  // inside it, or in the literal text before it.
  const auto it = std::partition_point(markerFree_.begin(), markerFree_.end(), [&](int i) {
    const FieldSegment& seg = segments_[static_cast<std::size_t>(i)];
    return seg.start + seg.byteLength <= pos;
  });
  if (it == markerFree_.end()) {
    const FieldSegment& last = segments_[static_cast<std::size_t>(markerFree_.back())];
    currentSegment_ = markerFree_.back();
    return last.start + last.byteLength;
  }
  const FieldSegment& seg = segments_[static_cast<std::size_t>(*it)];
  if (pos >= seg.start) {
    currentSegment_ = *it;
    return pos;
  }
  if (dir == SnapDirection::kLeft && it != markerFree_.begin()) {
    const int previous = *(it - 1);
    const FieldSegment& prev = segments_[static_cast<std::size_t>(previous)];
    currentSegment_ = previous;
    return prev.start + LastCharOffset(prev.content);
  }
  currentSegment_ = *it;
  return seg.start;
}

std::int32_t MaskFieldModel::StepLeft(std::int32_t pos) { return Snap(pos - 1, SnapDirection::kLeft); }
std::int32_t MaskFieldModel::StepRight(std::int32_t pos) { return Snap(pos + 1, SnapDirection::kRight); }
std::int32_t MaskFieldModel::FirstPosition() { return Snap(0, SnapDirection::kRight); }
std::int32_t MaskFieldModel::LastPosition() { return Snap(Size(editText_), SnapDirection::kRight); }

void MaskFieldModel::Normalise(std::int32_t start, std::int32_t end, SnapDirection dir) {
  selStart_ = Snap(start, dir);
  selEnd_ = Snap(end, dir);
  if (editMode_ == FieldEditMode::kOverwrite && selStart_ == selEnd_) Widen();
}

// The block caret of overwrite mode covers the character after the caret; at the end of the text
// there is none and the caret stays empty.
void MaskFieldModel::Widen() {
  if (numericMode_) {
    if (selStart_ < Size(editText_)) selEnd_ = selStart_ + 1;
    return;
  }
  const std::int32_t v = EditToValue(selStart_);
  if (v >= Size(valueText_)) return;
  const std::int32_t start = Snap(ValueToEdit(v), SnapDirection::kRight);
  selStart_ = start;
  selEnd_ = start + CharLengthAt(valueText_, static_cast<std::size_t>(v));
}

std::int32_t MaskFieldModel::EditToValue(std::int32_t pos) const {
  if (numericMode_) return std::clamp(pos, 0, Size(valueText_));
  const auto it = std::partition_point(segments_.begin(), segments_.end(),
                                       [&](const FieldSegment& seg) { return seg.start + seg.byteLength < pos; });
  if (it == segments_.end()) return Size(valueText_);
  const auto i = static_cast<std::size_t>(it - segments_.begin());
  return valueStart_[i] + std::clamp(pos - it->start, 0, it->byteLength);
}

// A value position on the boundary of two runs maps to the start of the later one.
std::int32_t MaskFieldModel::ValueToEdit(std::int32_t valuePos) const {
  if (numericMode_) return std::clamp(valuePos, 0, Size(editText_));
  if (markerFree_.empty()) return Size(prefix_);
  const auto it = std::partition_point(markerFree_.begin(), markerFree_.end(), [&](int i) {
    return valuePos >= valueStart_[static_cast<std::size_t>(i)] + segments_[static_cast<std::size_t>(i)].byteLength;
  });
  if (it == markerFree_.end()) {
    const FieldSegment& last = segments_[static_cast<std::size_t>(markerFree_.back())];
    return last.start + last.byteLength;
  }
  const auto i = static_cast<std::size_t>(*it);
  return segments_[i].start + std::max(valuePos - valueStart_[i], 0);
}

// The run that holds a position, as snapping finds it.
int MaskFieldModel::SegmentOfPosition(std::int32_t pos) {
  Snap(pos, SnapDirection::kRight);
  return currentSegment_;
}

// An empty position: a marker, or the blank marker of its own run (the space of an "@" run).
bool MaskFieldModel::IsEmptyAt(std::int32_t valuePos) const {
  const std::uint16_t c = CharCodeAt(valueText_, static_cast<std::size_t>(valuePos));
  if (IsMarkerCode(c)) return true;
  const auto it = std::partition_point(segments_.begin(), segments_.end(), [&](const FieldSegment& seg) {
    return valuePos >= valueStart_[static_cast<std::size_t>(&seg - segments_.data())] + seg.byteLength;
  });
  return it != segments_.end() && IsBlankMarker(it->marker) && c == it->marker;
}

bool MaskFieldModel::EndsWithDigitRun() const {
  for (auto it = segments_.rbegin(); it != segments_.rend(); ++it) {
    if (!IsCaseMarker(it->marker)) return it->marker == '0';
  }
  return false;
}

bool MaskFieldModel::LimitsExceeded(std::string_view value) const {
  return (byteLimit_ > 0 && Size(value) > byteLimit_) ||
         (charLimit_ > 0 && MbcsCharCount(value) > charLimit_);
}

bool MaskFieldModel::LimitsReached(std::string_view value) const {
  return (byteLimit_ > 0 && Size(value) == byteLimit_) ||
         (charLimit_ > 0 && MbcsCharCount(value) == charLimit_);
}

// ---------------------------------------------------------------------------------------------
// Selection

void MaskFieldModel::SetSelection(std::int32_t start, std::int32_t end, SnapDirection direction) {
  Normalise(start, end, direction);
}

std::string MaskFieldModel::GetSelectedText() const {
  const std::int32_t a = EditToValue(std::min(selStart_, selEnd_));
  const std::int32_t b = EditToValue(std::max(selStart_, selEnd_));
  return valueText_.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
}

void MaskFieldModel::MoveCaret(CaretMove move) {
  const std::int32_t lo = std::min(selStart_, selEnd_);
  const std::int32_t hi = std::max(selStart_, selEnd_);
  std::int32_t p = lo;
  SnapDirection dir = SnapDirection::kRight;
  switch (move) {
    case CaretMove::kStay:
      Normalise(selStart_, selEnd_, SnapDirection::kRight);
      return;
    case CaretMove::kLeft:
      p = lo - 1;
      dir = SnapDirection::kLeft;
      break;
    case CaretMove::kRight:
      p = lo != hi ? hi : lo + 1;
      break;
    case CaretMove::kFirst:
      p = 0;
      break;
    case CaretMove::kLast:
      p = Size(editText_);
      break;
    case CaretMove::kPreviousGroup:
    case CaretMove::kNextGroup: {
      if (numericMode_) return;  // a number has one group: the moves do nothing
      const int seg = SegmentOfPosition(lo);
      if (seg < 0) return;
      if (move == CaretMove::kNextGroup) {
        p = segments_[seg].start + segments_[seg].byteLength;
      } else {
        int prev = seg;
        for (int i = seg - 1; i >= 0; --i) {
          if (!IsCaseMarker(segments_[i].marker)) {
            prev = i;
            break;
          }
        }
        p = segments_[prev].start;
      }
      break;
    }
  }
  Normalise(p, p, dir);
}

void MaskFieldModel::ExtendSelection(SelectionExtend extend) {
  std::int32_t start = selStart_;
  std::int32_t end = selEnd_;
  SnapDirection dir = SnapDirection::kRight;
  switch (extend) {
    case SelectionExtend::kLeft:
      end = StepLeft(end);
      // A block caret extended left would collapse onto itself and be widened again.
      if (editMode_ == FieldEditMode::kOverwrite && end == start) end = StepLeft(end);
      dir = SnapDirection::kLeft;
      break;
    case SelectionExtend::kRight:
      end = StepRight(end);
      break;
    case SelectionExtend::kAll:
      start = FirstPosition();
      end = LastPosition();
      break;
    case SelectionExtend::kSegment: {
      const int seg = SegmentOfPosition(end);
      if (seg >= 0) SelectSegment(seg);
      return;
    }
    case SelectionExtend::kToStart:
      end = FirstPosition();
      break;
    case SelectionExtend::kToEnd:
      end = LastPosition();
      break;
  }
  selStart_ = Snap(start, SnapDirection::kRight);
  selEnd_ = Snap(end, dir);
  if (editMode_ == FieldEditMode::kOverwrite && selStart_ == selEnd_) Widen();
}

void MaskFieldModel::SelectSegment(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(segments_.size())) return;
  const FieldSegment& seg = segments_[static_cast<std::size_t>(index)];
  selStart_ = Snap(seg.start, SnapDirection::kRight);
  selEnd_ = std::max(selStart_, seg.start + seg.byteLength);
  if (editMode_ == FieldEditMode::kOverwrite && selStart_ == selEnd_) Widen();
}

std::int32_t MaskFieldModel::SelectedSegment() const {
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const FieldSegment& seg = segments_[i];
    if (seg.byteLength > 0 && std::min(selStart_, selEnd_) == seg.start &&
        std::max(selStart_, selEnd_) == seg.start + seg.byteLength) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

std::int32_t MaskFieldModel::PositionAt(std::int32_t editPos) const {
  std::int32_t index = 0;
  if (!numericMode_ && kind_ == LayoutKind::kPositions) {
    // The first run with positions whose content ends after the offset.
    const auto it = std::partition_point(holding_.begin(), holding_.end(), [&](int i) {
      const FieldSegment& seg = segments_[static_cast<std::size_t>(i)];
      return seg.start + seg.byteLength <= editPos;
    });
    if (it == holding_.end()) return intPositions_;
    const FieldSegment& seg = segments_[static_cast<std::size_t>(*it)];
    index = holdingFirst_[static_cast<std::size_t>(it - holding_.begin())];
    if (editPos < seg.start) return index;
    if (doubleBytes_[static_cast<std::size_t>(*it)] == 0) return index + (editPos - seg.start);
    return index + MbcsCharIndexOfByte(seg.content, editPos - seg.start);
  }
  for (const FieldSegment& seg : segments_) {
    if (seg.count <= 0) continue;  // case markers hold no position
    if (editPos < seg.start) return index;
    if (editPos < seg.start + seg.byteLength) return index + MbcsCharIndexOfByte(seg.content, editPos - seg.start);
    index += seg.count;
  }
  return index;
}

bool MaskFieldModel::MoveAfterDecimalPoint() {
  if (!numericMode_ || !number_.hasPoint) return false;
  const std::int32_t p = FracStart();
  Normalise(p, p, SnapDirection::kRight);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Edits

bool MaskFieldModel::InsertChar(std::uint16_t ch) {
  lastPositionFilled_ = false;
  if (ch == 0) return false;
  if (ch > 0xFF) {
    if (!IsLeadByte(static_cast<unsigned char>(ch >> 8)) || (ch & 0xFF) == 0) return false;
  } else if (IsLeadByte(static_cast<unsigned char>(ch))) {
    return false;  // half a character
  }
  return numericMode_ ? InsertNumeric(ch) : InsertMask(ch);
}

bool MaskFieldModel::Delete() { return numericMode_ ? DeleteNumeric(false) : DeleteMask(false); }
bool MaskFieldModel::DeleteBackward() { return numericMode_ ? DeleteNumeric(true) : DeleteMask(true); }

void MaskFieldModel::DeleteAll() {
  if (numericMode_) {
    number_ = {};
    RebuildNumeric();
  } else {
    LayMask("", false);
  }
  Normalise(0, 0, SnapDirection::kRight);
}

bool MaskFieldModel::ReplaceSelection(std::string_view text) {
  if (text.empty()) {
    if (selStart_ != selEnd_) Delete();
    return true;
  }
  if (!numericMode_ && kind_ == LayoutKind::kFree && editMode_ == FieldEditMode::kInsert) {
    return ReplaceFreeSelection(text);
  }
  const MaskFieldModel saved = *this;
  for (std::size_t p = 0; p < text.size(); p += CharLengthAt(text, p)) {
    if (!InsertChar(CharCodeAt(text, p))) {
      *this = saved;
      return false;
    }
  }
  return true;
}

// Mask-mode insertion. The character replaces the selection in the value text. A masked value
// keeps exactly one character per position, so when the value grows, the first empty position after
// the inserted character is consumed: the characters between shift right by one and nothing beyond
// that gap moves. With no empty position after the caret the field is full and the insertion is
// refused (overwrite mode replaces instead) — except in a layout that ends with a digit field
// (marker "0", as the date editor builds them), whose positions are never empty: there the
// characters flow on and the last digit falls off the end («2024/05/06», "1" typed before «05» →
// «2024/10/50»), and the editor re-reads its fields. The limits count the value without markers.
//
// lastPositionFilled: the inserted character went into the last input position, or the value (without
// markers) reached `byteLimit` bytes or `charLimit` characters exactly — for an unmasked field only
// the limits apply.
bool MaskFieldModel::InsertMask(std::uint16_t ch) {
  if (kind_ == LayoutKind::kPositions) return InsertMaskPositions(ch);
  if (kind_ == LayoutKind::kFree) return InsertMaskFree(ch);
  std::string chText;
  AppendCharCode(chText, ch);
  const std::int32_t vs = EditToValue(std::min(selStart_, selEnd_));
  const std::int32_t ve = EditToValue(std::max(selStart_, selEnd_));
  std::string tail = valueText_.substr(static_cast<std::size_t>(ve));
  const bool free = IsFree();

  if (!free) {
    const std::int32_t grown =
        MbcsCharCount(valueText_.substr(0, vs)) + 1 + MbcsCharCount(tail) - intPositions_;
    std::int32_t surplus = grown;
    std::string kept;
    for (std::int32_t p = 0; p < Size(tail);) {
      const int len = CharLengthAt(tail, static_cast<std::size_t>(p));
      if (surplus > 0 && IsEmptyAt(ve + p)) {
        --surplus;
      } else {
        kept.append(tail, static_cast<std::size_t>(p), static_cast<std::size_t>(len));
      }
      p += len;
    }
    if (surplus > 0) {
      // No empty position left: a digit field lets its last digit fall off the end, as long as
      // the typed character itself lands inside the field; anything else is full.
      if (!EndsWithDigitRun() || vs >= Size(valueText_)) return false;
    }
    tail = std::move(kept);
  }
  const std::string next = valueText_.substr(0, static_cast<std::size_t>(vs)) + chText + tail;
  const std::string real = ValueOf(next);
  if (LimitsExceeded(real)) return false;

  LayMask(next, false);
  const std::int32_t after = vs + Size(chText);
  lastPositionFilled_ = LimitsReached(real) || (!free && intPositions_ > 0 && after == Size(valueText_));
  const std::int32_t caret = ValueToEdit(after);
  Normalise(caret, caret, SnapDirection::kRight);
  return true;
}

// Mask-mode deletion: the removed characters leave the value text, the rest flows left and the
// last run is completed with its marker. The caret goes where the removed text started; Delete on
// a value that did not change (only empty positions, and nothing but empty positions after them)
// advances the caret one position, so that holding Delete walks over empty positions instead of
// standing still.
bool MaskFieldModel::DeleteMask(bool backward) {
  if (kind_ != LayoutKind::kMixed) return DeleteMaskFast(backward);
  std::int32_t vs = EditToValue(std::min(selStart_, selEnd_));
  std::int32_t ve = EditToValue(std::max(selStart_, selEnd_));
  if (backward) {
    if (vs == 0) return false;
    ve = vs;
    vs = PreviousCharOffset(valueText_, vs);
  } else if (vs == ve && vs < Size(valueText_)) {
    ve = vs + CharLengthAt(valueText_, static_cast<std::size_t>(vs));
  }
  const std::string before = valueText_;
  std::string next = valueText_;
  next.erase(static_cast<std::size_t>(vs), static_cast<std::size_t>(ve - vs));
  LayMask(next, false);
  const bool changed = valueText_ != before;

  std::int32_t p = Snap(ValueToEdit(vs), SnapDirection::kRight);
  if (!backward) {
    const std::int32_t left = StepLeft(p);
    if (left != p) p = changed ? StepRight(left) : StepRight(StepRight(left));
  }
  Normalise(p, p, SnapDirection::kRight);
  return changed;
}

// The same edits for the two common layouts, costing what they change. A layout of positions
// always holds exactly intPositions characters, so an edit is a change of the characters at some
// positions: typing into an empty position changes that one position; the characters up to the
// first empty position after the caret move one position on; a deletion moves the rest back and
// pads the end with the markers of the last runs. The limits are checked on the value before the
// end is padded or cut, as the whole-text path checks them.
bool MaskFieldModel::InsertMaskPositions(std::uint16_t ch) {
  std::string chText;
  AppendCharCode(chText, ch);
  const std::int32_t vs = EditToValue(std::min(selStart_, selEnd_));
  const std::int32_t ve = EditToValue(std::max(selStart_, selEnd_));
  const std::int32_t n = intPositions_;
  const std::int32_t a = PositionOfValue(vs);
  const std::int32_t b = PositionOfValue(ve);
  if (a >= n) return false;  // after the last position

  // The characters from position a to position `to` (exclusive) after the insertion, and the value
  // the limits are checked on: the removed characters out, the typed one in.
  std::string changed = chText;
  std::int32_t to = n;
  std::int32_t bytes = realBytes_;
  std::int32_t count = realChars_;
  CountReal(chText, 1, bytes, count);
  if (b > a) {
    // A selection makes room: the rest moves left and the last positions are padded.
    for (std::int32_t p = a; p < b; ++p) CountReal(CharAt(p), -1, bytes, count);
    for (std::int32_t p = b; p < n; ++p) changed += CharAt(p);
    for (std::int32_t p = n - (b - a) + 1; p < n; ++p)
      AppendCharCode(changed, segments_[static_cast<std::size_t>(SegmentOfPos(p))].marker);
  } else {
    // The first empty position from the caret on takes up the shift; without one, a digit field
    // lets its last character fall off the end (still counted against the limits).
    std::int32_t gap = a;
    while (gap < n && !IsEmptyChar(CharAt(gap), SegmentOfPos(gap))) ++gap;
    if (gap == n && !EndsWithDigitRun()) return false;
    if (gap < n) {
      CountReal(CharAt(gap), -1, bytes, count);
      to = gap + 1;
    }
    for (std::int32_t p = a; p < to - 1; ++p) changed += CharAt(p);
  }
  if ((byteLimit_ > 0 && bytes > byteLimit_) || (charLimit_ > 0 && count > charLimit_)) return false;

  ReplacePositions(a, to, changed);
  const std::int32_t after = vs + Size(chText);
  lastPositionFilled_ = (byteLimit_ > 0 && bytes == byteLimit_) || (charLimit_ > 0 && count == charLimit_) ||
                        (intPositions_ > 0 && after == Size(valueText_));
  const std::int32_t caret = ValueToEdit(after);
  Normalise(caret, caret, SnapDirection::kRight);
  return true;
}

bool MaskFieldModel::InsertMaskFree(std::uint16_t ch) {
  std::string chText;
  AppendCharCode(chText, ch);
  return ReplaceFreeText(chText);
}

bool MaskFieldModel::DeleteMaskFast(bool backward) {
  std::int32_t vs = EditToValue(std::min(selStart_, selEnd_));
  std::int32_t ve = EditToValue(std::max(selStart_, selEnd_));
  if (backward) {
    if (vs == 0) return false;
    ve = vs;
    vs = PreviousCharOffset(valueText_, vs);
  } else if (vs == ve && vs < Size(valueText_)) {
    ve = vs + CharLengthAt(valueText_, static_cast<std::size_t>(vs));
  }
  bool changed = false;
  if (kind_ == LayoutKind::kFree) {
    changed = ve > vs;
    if (changed) ReplaceFreeBytes(vs, ve, {});
  } else {
    const std::int32_t a = PositionOfValue(vs);
    const std::int32_t b = PositionOfValue(ve);
    const std::int32_t n = intPositions_;
    if (b > a) {
      // The rest moves back; the last positions take the markers of their runs.
      std::string moved;
      for (std::int32_t p = b; p < n; ++p) moved += CharAt(p);
      for (std::int32_t p = n - (b - a); p < n; ++p)
        AppendCharCode(moved, segments_[static_cast<std::size_t>(SegmentOfPos(p))].marker);
      std::string old;
      for (std::int32_t p = a; p < n; ++p) old += CharAt(p);
      changed = moved != old;
      if (changed) ReplacePositions(a, n, moved);
    }
  }

  std::int32_t p = Snap(ValueToEdit(vs), SnapDirection::kRight);
  if (!backward) {
    const std::int32_t left = StepLeft(p);
    if (left != p) p = changed ? StepRight(left) : StepRight(StepRight(left));
  }
  Normalise(p, p, SnapDirection::kRight);
  return changed;
}

// Pasting into a free field: the characters typed one by one in insert mode add up to one
// replacement of the selection, so it is made once, after the same checks.
bool MaskFieldModel::ReplaceFreeSelection(std::string_view text) {
  for (std::size_t p = 0; p < text.size(); p += static_cast<std::size_t>(CharLengthAt(text, p))) {
    const std::uint16_t ch = CharCodeAt(text, p);
    if (ch == 0 || (ch > 0xFF && (ch & 0xFF) == 0) || (ch <= 0xFF && IsLeadByte(static_cast<unsigned char>(ch))))
      return false;
  }
  return ReplaceFreeText(text);
}

// The selection of a free field replaced by `text`, unless that takes the field past its limits;
// the caret goes after the text.
bool MaskFieldModel::ReplaceFreeText(std::string_view text) {
  const std::int32_t vs = EditToValue(std::min(selStart_, selEnd_));
  const std::int32_t ve = EditToValue(std::max(selStart_, selEnd_));
  std::int32_t bytes = realBytes_;
  std::int32_t count = realChars_;
  CountValue(std::string_view(valueText_).substr(static_cast<std::size_t>(vs), static_cast<std::size_t>(ve - vs)), -1,
             bytes, count);
  CountValue(text, 1, bytes, count);
  if ((byteLimit_ > 0 && bytes > byteLimit_) || (charLimit_ > 0 && count > charLimit_)) return false;
  ReplaceFreeBytes(vs, ve, text);
  lastPositionFilled_ = (byteLimit_ > 0 && bytes == byteLimit_) || (charLimit_ > 0 && count == charLimit_);
  const std::int32_t caret = ValueToEdit(vs + Size(text));
  Normalise(caret, caret, SnapDirection::kRight);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Numeric mode
//
// The value text is the number text, and it is also the edit text: sign, integer digits, and the
// point with the fraction digits once a point was typed or loaded. The layout's counts are limits,
// not widths: the edit text shows the digits the user typed, without "0" padding (the formatted
// display belongs to the number formatter). Contract:
//  - Limits count digits per part: at most `intPositions` integer digits and `fracPositions`
//    fraction digits (0 = unlimited); `charLimit`/`byteLimit` count all digits. The sign and the
//    point never count, so «#,##0» takes -1234 and «#,##0.00» takes its second fraction digit.
//  - "+" or "-" becomes the sign (replacing the previous one); the selection stays on its digits.
//  - Caret: any position from the first digit to the end; left and right move one character and
//    step over the point like over a digit; the group moves do nothing.
//  - "." (format with a fraction part only): with a point in the text, the caret goes after it;
//    otherwise a point is inserted at the caret, the integer digits after the caret becoming the
//    fraction digits (refused when they are more than the fraction positions). An empty integer
//    part before the point becomes "0".
//  - A digit goes into the part that holds the caret (the position just before the point belongs
//    to the integer part). A selection is removed first: its integer and fraction digits are
//    removed, and the point with them only when no fraction digit remains. Typing into an empty
//    selection drops a leading "0" of the integer part («0» + 5 → «5»). A lone "0" integer part is
//    a placeholder: a digit typed before or after it replaces it.
//  - lastPositionFilled: the integer part reached `intPositions` in a format without fraction part,
//    the fraction part reached `fracPositions`, or the digits reached a limit exactly.
//  - Delete removes the selection or the digit after the caret; directly before the point it
//    removes the point when no fraction digit follows it, and otherwise steps over it. Backspace
//    mirrors it; at the first digit it removes the sign. An integer part emptied by a deletion
//    becomes "0", with the caret after that "0", so that the next digit replaces it.
//  - Numeric layouts carry no literal text other than the point.

std::int32_t MaskFieldModel::IntEnd() const {
  return Size(number_.sign) + Size(number_.intDigits);
}
std::int32_t MaskFieldModel::FracStart() const { return IntEnd() + 1; }

bool MaskFieldModel::SetNumericText(std::string_view text) {
  NumberParts parts;
  bool cut = false;
  for (char c : text) {
    if (c == '+' || c == '-') {
      parts.sign.assign(1, c);
    } else if (c == '.') {
      parts.hasPoint = true;
    } else if (IsDigit(static_cast<unsigned char>(c))) {
      (parts.hasPoint ? parts.fracDigits : parts.intDigits) += c;
    }
  }
  if (parts.hasPoint && !hasFractionPart_) {
    cut = !parts.fracDigits.empty();
    parts.fracDigits.clear();
    parts.hasPoint = false;
  }
  if (intPositions_ > 0 && Size(parts.intDigits) > intPositions_) {
    parts.intDigits.erase(0, parts.intDigits.size() - static_cast<std::size_t>(intPositions_));
    cut = true;
  }
  if (fracPositions_ > 0 && Size(parts.fracDigits) > fracPositions_) {
    parts.fracDigits.resize(static_cast<std::size_t>(fracPositions_));
    cut = true;
  }
  if (parts.hasPoint && parts.intDigits.empty()) parts.intDigits = "0";
  number_ = std::move(parts);
  RebuildNumeric();
  return cut;
}

void MaskFieldModel::RebuildNumeric() {
  prefix_ = number_.sign;
  segments_.assign(layout_.runs.size(), FieldSegment{});
  int pointRun = -1;
  for (std::size_t i = 0; i < layout_.runs.size(); ++i) {
    segments_[i].marker = layout_.runs[i].marker;
    segments_[i].count = layout_.runs[i].count;
    if (pointRun < 0 && layout_.runs[i].literal == ".") pointRun = static_cast<int>(i);
  }
  const int lastInt = pointRun >= 0 ? pointRun : static_cast<int>(segments_.size()) - 1;

  // Integer digits right-aligned into the integer runs, from the last one backwards.
  std::string_view rest = number_.intDigits;
  for (int i = lastInt; i >= 0; --i) {
    const std::int32_t count = segments_[i].count;
    const std::size_t take =
        (i == 0 || count <= 0) ? rest.size() : std::min(rest.size(), static_cast<std::size_t>(count));
    segments_[i].content = std::string(rest.substr(rest.size() - take));
    rest.remove_suffix(take);
  }
  if (pointRun >= 0) segments_[pointRun].literal = number_.hasPoint ? "." : "";
  // Fraction digits left-aligned into the fraction runs.
  rest = number_.fracDigits;
  const int last = static_cast<int>(segments_.size()) - 1;
  for (int i = lastInt + 1; i <= last; ++i) {
    const std::int32_t count = segments_[i].count;
    const std::size_t take =
        (i == last || count <= 0) ? rest.size() : std::min(rest.size(), static_cast<std::size_t>(count));
    segments_[i].content = std::string(rest.substr(0, take));
    rest.remove_prefix(take);
  }

  editText_ = prefix_;
  for (FieldSegment& seg : segments_) {
    seg.start = Size(editText_);
    seg.byteLength = Size(seg.content);
    editText_ += seg.content;
    editText_ += seg.literal;
  }
  valueText_ = editText_;
}

void MaskFieldModel::RemoveNumericRange(std::int32_t lo, std::int32_t hi) {
  if (lo >= hi) return;
  const std::int32_t p = Size(number_.sign);
  const std::int32_t ie = IntEnd();
  const std::int32_t a = std::clamp(lo, p, ie) - p;
  const std::int32_t b = std::clamp(hi, p, ie) - p;
  if (number_.hasPoint) {
    const std::int32_t fs = ie + 1;
    const std::int32_t fe = fs + Size(number_.fracDigits);
    const std::int32_t fa = std::clamp(lo, fs, fe) - fs;
    const std::int32_t fb = std::clamp(hi, fs, fe) - fs;
    number_.fracDigits.erase(static_cast<std::size_t>(fa), static_cast<std::size_t>(fb - fa));
    const bool pointSelected = lo <= ie && hi > ie;
    if (pointSelected && number_.fracDigits.empty()) number_.hasPoint = false;
  }
  number_.intDigits.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
}

bool MaskFieldModel::InsertNumeric(std::uint16_t ch) {
  const NumberParts saved = number_;
  const std::int32_t lo = std::min(selStart_, selEnd_);
  const std::int32_t hi = std::max(selStart_, selEnd_);

  if (ch == '+' || ch == '-') {
    const std::int32_t delta = 1 - Size(number_.sign);
    number_.sign.assign(1, static_cast<char>(ch));
    RebuildNumeric();
    const std::int32_t start = selStart_ + delta;
    const std::int32_t end = selEnd_ + delta;
    selStart_ = Snap(start, SnapDirection::kRight);
    selEnd_ = Snap(end, SnapDirection::kRight);
    return true;
  }
  if (ch == '.') {
    if (!hasFractionPart_) return false;
    if (number_.hasPoint) return MoveAfterDecimalPoint();
    RemoveNumericRange(lo, hi);
    const std::size_t k = static_cast<std::size_t>(
        std::clamp(lo - Size(number_.sign), 0, Size(number_.intDigits)));
    std::string frac = number_.intDigits.substr(k);
    if (fracPositions_ > 0 && Size(frac) > fracPositions_) {
      number_ = saved;
      return false;
    }
    number_.intDigits.resize(k);
    if (number_.intDigits.empty()) number_.intDigits = "0";
    number_.hasPoint = true;
    number_.fracDigits = std::move(frac);
    RebuildNumeric();
    const std::int32_t p = FracStart();
    Normalise(p, p, SnapDirection::kRight);
    return true;
  }
  if (!IsDigit(ch)) return false;

  const bool emptySelection = lo == hi;
  RemoveNumericRange(lo, hi);
  const bool inFraction = number_.hasPoint && lo > IntEnd();
  std::int32_t caret = 0;
  bool filled = false;
  if (!inFraction) {
    std::string& digits = number_.intDigits;
    const std::int32_t k = std::clamp(lo - Size(number_.sign), 0, Size(digits));
    std::int32_t caretK = k + 1;
    if (digits == "0") {
      // A lone "0" only holds the place of the integer part: the digit replaces it on whichever
      // side of it the caret stands (a caret before it would otherwise make 1234567 of an empty
      // amount read 12345670).
      digits.assign(1, static_cast<char>(ch));
      caretK = 1;
    } else {
      digits.insert(static_cast<std::size_t>(k), 1, static_cast<char>(ch));
    }
    if (emptySelection && digits.size() > 1 && digits[0] == '0') {
      digits.erase(0, 1);
      caretK = std::max(caretK - 1, 0);
    }
    if (intPositions_ > 0 && Size(digits) > intPositions_) {
      number_ = saved;
      return false;
    }
    filled = !hasFractionPart_ && intPositions_ > 0 && Size(digits) == intPositions_;
    caret = Size(number_.sign) + caretK;
  } else {
    std::string& digits = number_.fracDigits;
    const std::int32_t k = std::clamp(lo - FracStart(), 0, Size(digits));
    digits.insert(static_cast<std::size_t>(k), 1, static_cast<char>(ch));
    if (fracPositions_ > 0 && Size(digits) > fracPositions_) {
      number_ = saved;
      return false;
    }
    filled = fracPositions_ > 0 && Size(digits) == fracPositions_;
    caret = FracStart() + k + 1;
  }
  const std::int32_t allDigits = Size(number_.intDigits) + Size(number_.fracDigits);
  if ((charLimit_ > 0 && allDigits > charLimit_) || (byteLimit_ > 0 && allDigits > byteLimit_)) {
    number_ = saved;
    return false;
  }
  lastPositionFilled_ = filled || allDigits == charLimit_ || allDigits == byteLimit_;
  RebuildNumeric();
  Normalise(caret, caret, SnapDirection::kRight);
  return true;
}

bool MaskFieldModel::DeleteNumeric(bool backward) {
  const NumberParts saved = number_;
  const std::int32_t lo = std::min(selStart_, selEnd_);
  const std::int32_t hi = std::max(selStart_, selEnd_);
  const std::int32_t signLength = Size(number_.sign);
  const std::int32_t ie = IntEnd();
  const std::int32_t end = Size(editText_);
  std::int32_t p = lo;

  if (!backward && lo != hi) {
    RemoveNumericRange(lo, hi);
  } else if (!backward) {
    if (lo < ie) {
      number_.intDigits.erase(static_cast<std::size_t>(lo - signLength), 1);
    } else if (number_.hasPoint && lo == ie) {
      if (number_.fracDigits.empty()) {
        number_.hasPoint = false;
      } else {
        p = lo + 1;  // nothing to remove here: step over the point
      }
    } else if (number_.hasPoint && lo < end) {
      number_.fracDigits.erase(static_cast<std::size_t>(lo - FracStart()), 1);
    }
  } else {
    if (number_.hasPoint && lo > ie + 1) {
      number_.fracDigits.erase(static_cast<std::size_t>(lo - FracStart() - 1), 1);
      p = lo - 1;
    } else if (number_.hasPoint && lo == ie + 1) {
      if (number_.fracDigits.empty()) number_.hasPoint = false;
      p = ie;
    } else if (lo > signLength) {
      number_.intDigits.erase(static_cast<std::size_t>(lo - signLength - 1), 1);
      p = lo - 1;
    } else if (signLength > 0) {
      number_.sign.clear();
      p = 0;
    }
  }
  if (number_.intDigits.empty() && !saved.intDigits.empty()) {
    number_.intDigits = "0";
    if (p <= Size(number_.sign) + 1) p = Size(number_.sign) + 1;
  }
  const bool changed = number_.sign != saved.sign || number_.intDigits != saved.intDigits ||
                       number_.hasPoint != saved.hasPoint || number_.fracDigits != saved.fracDigits;
  RebuildNumeric();
  Normalise(p, p, SnapDirection::kRight);
  return changed;
}

}  // namespace vl
