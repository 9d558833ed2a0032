#include "format/string_mask.h"

#include <algorithm>
#include <array>

#include "text/mbcs.h"

namespace vl {
namespace {

using K = MaskKind;
using W = MaskWidthClass;

constexpr std::array<MaskCharInfo, 28> kTable = {{
    {">", K::kLowerCase, W::kMarker, 0x00},
    {"<", K::kUpperCase, W::kMarker, 0x00},
    {"@", K::kAny, W::kAnyWidth, 0x00},
    {"&", K::kOptionalSingle, W::kAnyWidth, 0x00},
    {"0", K::kRequiredSingle, W::kHalfWidth, 0x01},
    {"@0", K::kRequiredDouble, W::kFullWidth, 0x81},
    {"9", K::kOptionalSingle, W::kHalfWidth, 0x03},
    {"@9", K::kOptionalDouble, W::kFullWidth, 0x83},
    {"#", K::kOptionalSingle, W::kHalfWidth, 0x07},
    {"@#", K::kOptionalDouble, W::kFullWidth, 0x87},
    {"L", K::kRequiredSingle, W::kHalfWidth, 0x08},
    {"@L", K::kRequiredDouble, W::kFullWidth, 0x88},
    {"?", K::kOptionalSingle, W::kHalfWidth, 0x08},
    {"@?", K::kOptionalDouble, W::kFullWidth, 0x88},
    {"A", K::kRequiredSingle, W::kHalfWidth, 0x09},
    {"@A", K::kRequiredDouble, W::kFullWidth, 0x89},
    {"a", K::kOptionalSingle, W::kHalfWidth, 0x09},
    {"@a", K::kOptionalDouble, W::kFullWidth, 0x89},
    {"X", K::kRequiredSingle, W::kHalfWidth, 0x1F},
    {"@X", K::kRequiredDouble, W::kAnyWidth, 0xFF},
    {"C", K::kOptionalSingle, W::kHalfWidth, 0x1F},
    {"@C", K::kOptionalDouble, W::kAnyWidth, 0xFF},
    {"@J", K::kRequiredDouble, W::kAnyWidth, 0xA0},
    {"@j", K::kOptionalDouble, W::kAnyWidth, 0xA2},
    {"K", K::kRequiredSingle, W::kHalfWidthKatakana, 0x40},
    {"@K", K::kRequiredDouble, W::kFullWidthKatakana, 0xC0},
    {"k", K::kOptionalSingle, W::kHalfWidthKatakana, 0x42},
    {"@k", K::kOptionalDouble, W::kFullWidthKatakana, 0xC2},
}};

// Characters that may follow "@" to form a two-character token. Derived from the table so that a
// token added there is recognised by the parser without a second edit.
bool FormsAtToken(std::string_view next) {
  if (next.size() != 1) return false;
  for (const MaskCharInfo& row : kTable) {
    if (row.token.size() == 2 && row.token[1] == next[0]) return true;
  }
  return false;
}

bool IsAsciiUpper(std::uint16_t c) { return c >= 'A' && c <= 'Z'; }
bool IsAsciiLower(std::uint16_t c) { return c >= 'a' && c <= 'z'; }
bool IsFullUpper(std::uint16_t c) { return c >= 0x8260 && c <= 0x8279; }
bool IsFullLower(std::uint16_t c) { return c >= 0x8281 && c <= 0x829A; }

// Hiragana: ぁ-ん (0x829F-0x82F1) and the iteration marks ゝゞ (0x8154, 0x8155).
bool IsHiragana(std::uint16_t c) { return (c >= 0x829F && c <= 0x82F1) || c == 0x8154 || c == 0x8155; }

// Full-width katakana: ァ-ヶ (0x8340-0x8396, 0x837F unassigned), the iteration marks ヽヾ (0x8152,
// 0x8153) and the prolonged sound mark ー (0x815B), without which no katakana word with a long
// vowel (コーヒー) could be typed into a katakana field.
bool IsFullKatakana(std::uint16_t c) {
  return (c >= 0x8340 && c <= 0x8396 && c != 0x837F) || c == 0x8152 || c == 0x8153 || c == 0x815B;
}

// Does one class bit accept the character? `full` selects the double-byte form of the bit.
bool BitAccepts(std::uint8_t bit, bool full, std::uint16_t c) {
  const bool dbcs = c > 0xFF;
  switch (bit) {
    case kClassDigit: return full ? (c >= 0x824F && c <= 0x8258) : (c >= '0' && c <= '9');
    case kClassSpace: return full ? c == kFullWidthSpace : c == ' ';
    case kClassSign: return full ? (c == 0x817B || c == 0x817C) : (c == '+' || c == '-');
    case kClassLetter:
      return full ? (IsFullUpper(c) || IsFullLower(c)) : (IsAsciiUpper(c) || IsAsciiLower(c));
    case kClassAnyOfWidth: return full ? dbcs : !dbcs;
    case kClassHiragana: return IsHiragana(c);
    case kClassKatakana: return full ? IsFullKatakana(c) : (c >= 0xA6 && c <= 0xDF);
    default: return false;
  }
}

std::uint16_t PositionMarker(MaskKind kind) {
  switch (kind) {
    case K::kLiteralOnly: return 0;
    case K::kAny: return ' ';
    case K::kOptionalSingle:
    case K::kRequiredSingle: return kMarkerSingleByte;
    case K::kOptionalDouble:
    case K::kRequiredDouble: return kMarkerDoubleByte;
    case K::kLowerCase: return '>';
    case K::kUpperCase: return '<';
  }
  return 0;
}

// Splits a text into its characters (byte ranges), walking whole characters. A lead byte at the
// very end is half a character and is left out, so that it never pairs with a literal's byte.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> out;
  for (std::size_t p = 0; p < text.size();) {
    const int len = CharLengthAt(text, p);
    if (len == 1 && IsLeadByte(text[p])) break;
    out.push_back(text.substr(p, len));
    p += len;
  }
  return out;
}

void AppendRepeated(std::string& out, std::uint16_t ch, std::int32_t times) {
  for (std::int32_t i = 0; i < times; ++i) AppendCharCode(out, ch);
}

}  // namespace

std::span<const MaskCharInfo> MaskCharTable() { return kTable; }

const MaskCharInfo* FindMaskChar(std::string_view token) {
  for (const MaskCharInfo& row : kTable) {
    if (row.token == token) return &row;
  }
  return nullptr;
}

std::uint16_t CharCodeAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (CharLengthAt(text, pos) == 2) {
    return static_cast<std::uint16_t>(lead * 256 + static_cast<unsigned char>(text[pos + 1]));
  }
  return lead;
}

void AppendCharCode(std::string& text, std::uint16_t ch) {
  if (ch > 0xFF) text.push_back(static_cast<char>(ch >> 8));
  text.push_back(static_cast<char>(ch & 0xFF));
}

// Parsing keeps an explicit state over the characters of the mask:
//  - `literal`: literal text gathered since the last run (it becomes the prefix or that run's
//    literalAfter when the next run starts, or at the end);
//  - `inQuotes`, `escapeNext`: the two literal conventions;
//  - `previous`: the token that may still grow the current run. Anything literal — a literal
//    character, a backslash, a quote — clears it, so "99\-99" and "99""99" are two runs each.
// "!" only sets the flag; it neither shows nor breaks a run.
StringMask ParseStringMask(std::string_view maskText) {
  StringMask mask;
  std::string literal;
  bool inQuotes = false;
  bool escapeNext = false;
  const MaskCharInfo* previous = nullptr;

  auto flushLiteral = [&] {
    if (mask.runs.empty()) {
      mask.prefix += literal;
    } else {
      mask.runs.back().literalAfter += literal;
    }
    literal.clear();
  };

  for (std::size_t p = 0; p < maskText.size();) {
    const int len = CharLengthAt(maskText, p);
    // A lead byte at the very end starts no character. Kept as literal text it would pair with the
    // first byte of whatever a field shows after it, so it is dropped.
    if (len == 1 && IsLeadByte(maskText[p])) break;
    const std::string_view ch = maskText.substr(p, len);
    const std::size_t next = p + len;
    p = next;

    if (escapeNext) {
      literal += ch;
      escapeNext = false;
      continue;
    }
    if (ch == "\"") {
      previous = nullptr;
      // A doubled quote is one literal quote, inside quoted text or outside it.
      if (next < maskText.size() && maskText[next] == '"') {
        literal += '"';
        ++p;
      } else {
        inQuotes = !inQuotes;
      }
      continue;
    }
    if (inQuotes) {
      literal += ch;
      continue;
    }
    if (ch == "\\") {
      escapeNext = true;
      previous = nullptr;
      continue;
    }
    if (ch == "!") {
      mask.flags |= kMaskFillFromRight;
      continue;
    }

    const MaskCharInfo* info = nullptr;
    if (ch == "@" && next < maskText.size()) {
      const std::string_view following = maskText.substr(next, CharLengthAt(maskText, next));
      if (FormsAtToken(following)) {
        info = FindMaskChar(maskText.substr(next - 1, 2));
        p = next + 1;
      }
    }
    if (info == nullptr) info = FindMaskChar(ch);  // "J" and "j" are tokens only after "@"
    if (info == nullptr) {
      literal += ch;
      previous = nullptr;
      continue;
    }

    if (info == previous && literal.empty()) {
      if (!mask.runs.back().IsCaseMarker()) ++mask.runs.back().count;
      continue;
    }
    flushLiteral();
    const bool caseMarker = info->kind == K::kLowerCase || info->kind == K::kUpperCase;
    mask.runs.push_back(MaskRun{info->kind, info->widthClass, info->classBits, 0, caseMarker ? 0 : 1, {}});
    previous = info;
  }

  if (mask.runs.empty()) {
    mask.prefix += literal;
    mask.runs.push_back(MaskRun{K::kLiteralOnly, W::kMarker, 0, 0, 0, {}});
  } else {
    mask.runs.back().literalAfter += literal;
  }
  return mask;
}

std::int32_t GetMaskCapacity(const StringMask& mask) {
  std::int32_t total = 0;
  for (const MaskRun& run : mask.runs) {
    if (run.kind != K::kLiteralOnly) total += run.count;
  }
  return total;
}

std::int32_t GetMaskCapacity(std::string_view maskText) {
  return GetMaskCapacity(ParseStringMask(maskText));
}

int MaskRunOfPosition(const StringMask& mask, std::int32_t position) {
  if (position < 0) return -1;
  for (std::size_t i = 0; i < mask.runs.size(); ++i) {
    const MaskRun& run = mask.runs[i];
    if (run.kind == K::kLiteralOnly || run.IsCaseMarker()) continue;
    if (position < run.count) return static_cast<int>(i);
    position -= run.count;
  }
  return -1;
}

std::string MaskLiteralBefore(const StringMask& mask, std::int32_t position) {
  std::string literal = mask.prefix;
  std::int32_t seen = 0;
  for (const MaskRun& run : mask.runs) {
    if (run.kind != K::kLiteralOnly && !run.IsCaseMarker()) {
      if (position == seen) return literal;
      if (position < seen + run.count) return {};
      seen += run.count;
      literal.clear();
    }
    literal += run.literalAfter;
  }
  return position == seen ? literal : std::string();
}

std::uint16_t ConvertCase(std::uint16_t ch, MaskKind caseMarker) {
  if (caseMarker == K::kLowerCase) {
    if (IsAsciiUpper(ch)) return static_cast<std::uint16_t>(ch + ('a' - 'A'));
    if (IsFullUpper(ch)) return static_cast<std::uint16_t>(ch + 0x21);
  } else if (caseMarker == K::kUpperCase) {
    if (IsAsciiLower(ch)) return static_cast<std::uint16_t>(ch - ('a' - 'A'));
    if (IsFullLower(ch)) return static_cast<std::uint16_t>(ch - 0x21);
  }
  return ch;
}

namespace {

// The check of one run once the case that applies to it is known.
MaskCharCheck CheckRunChar(const MaskRun& run, MaskKind caseMarker, std::uint16_t ch) {
  const std::uint8_t bits = run.classBits;
  if (bits == 0) return {true, ConvertCase(ch, caseMarker)};
  const bool full = (bits & kClassFullWidth) != 0;
  for (std::uint8_t bit :
       {kClassDigit, kClassSpace, kClassSign, kClassLetter, kClassAnyOfWidth, kClassHiragana, kClassKatakana}) {
    if ((bits & bit) != 0 && BitAccepts(bit, full, ch)) {
      return {true, bit == kClassLetter ? ConvertCase(ch, caseMarker) : ch};
    }
  }
  return {};
}

}  // namespace

MaskCharCheck CheckMaskChar(const StringMask& mask, std::size_t runIndex, std::uint16_t ch) {
  if (runIndex >= mask.runs.size() || mask.runs[runIndex].IsCaseMarker()) return {};
  MaskKind caseMarker = K::kLiteralOnly;  // no conversion
  for (std::size_t i = runIndex + 1; i-- > 0;) {
    if (mask.runs[i].IsCaseMarker()) {
      caseMarker = mask.runs[i].kind;
      break;
    }
  }
  return CheckRunChar(mask.runs[runIndex], caseMarker, ch);
}

MaskPositionIndex::MaskPositionIndex(const StringMask& mask) {
  std::int32_t position = 0;
  MaskKind caseMarker = K::kLiteralOnly;
  for (std::size_t i = 0; i < mask.runs.size(); ++i) {
    const MaskRun& run = mask.runs[i];
    if (run.IsCaseMarker()) caseMarker = run.kind;
    caseOf_.push_back(caseMarker);
    if (run.kind == K::kLiteralOnly || run.IsCaseMarker() || run.count <= 0) continue;
    first_.push_back(position);
    runs_.push_back(static_cast<int>(i));
    position += run.count;
  }
  first_.push_back(position);  // the end: positions from here on are outside the mask
}

int MaskPositionIndex::RunOf(std::int32_t position) const {
  if (position < 0 || runs_.empty() || position >= first_.back()) return -1;
  const auto k = std::upper_bound(first_.begin(), first_.end(), position) - first_.begin() - 1;
  return runs_[static_cast<std::size_t>(k)];
}

MaskCharCheck MaskPositionIndex::Check(const StringMask& mask, std::size_t runIndex, std::uint16_t ch) const {
  if (runIndex >= mask.runs.size() || runIndex >= caseOf_.size() || mask.runs[runIndex].IsCaseMarker()) return {};
  return CheckRunChar(mask.runs[runIndex], caseOf_[runIndex], ch);
}

MaskValueCheck CheckMaskedValue(std::string_view value, const StringMask& mask) {
  const std::int32_t capacity = GetMaskCapacity(mask);
  if (capacity == 0) return MaskValueCheck::kMatches;
  const std::vector<std::string_view> chars = Characters(value);
  const auto length = static_cast<std::int32_t>(chars.size());
  if (length > capacity) return MaskValueCheck::kRefusedCharacter;
  const std::int32_t offset = mask.FillsFromRight() ? capacity - length : 0;
  const MaskPositionIndex runs(mask);
  for (std::int32_t position = 0; position < capacity; ++position) {
    const int run = runs.RunOf(position);
    const std::int32_t index = position - offset;
    if (index < 0 || index >= length) {
      if (mask.runs[static_cast<std::size_t>(run)].IsRequired()) return MaskValueCheck::kRequiredPositionEmpty;
      continue;
    }
    const std::string_view ch = chars[static_cast<std::size_t>(index)];
    if (!runs.Check(mask, static_cast<std::size_t>(run), CharCodeAt(ch, 0)).accepted) {
      return MaskValueCheck::kRefusedCharacter;
    }
  }
  return MaskValueCheck::kMatches;
}

std::string RemoveMaskMarkers(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t p = 0; p < text.size();) {
    const int len = CharLengthAt(text, p);
    const std::uint16_t c = CharCodeAt(text, p);
    if (c != kMarkerSingleByte && c != kMarkerDoubleByte) out.append(text.substr(p, len));
    p += len;
  }
  return out;
}

std::string ShowMaskMarkers(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t p = 0; p < text.size();) {
    const int len = CharLengthAt(text, p);
    const std::uint16_t c = CharCodeAt(text, p);
    if (c == kMarkerSingleByte) {
      out += ' ';
    } else if (c == kMarkerDoubleByte) {
      AppendCharCode(out, kFullWidthSpace);
    } else {
      out.append(text.substr(p, len));
    }
    p += len;
  }
  return out;
}

std::string MaskDisplayText(std::string_view value, const StringMask& mask, bool keepMarkers) {
  const std::string source = keepMarkers ? std::string(value) : RemoveMaskMarkers(value);
  if (source.empty()) return {};
  const std::vector<std::string_view> chars = Characters(source);

  // The piece one run contributes, given the characters it takes (in text order).
  auto piece = [](const MaskRun& run, std::span<const std::string_view> taken, bool padLeft) {
    std::string content;
    for (std::string_view c : taken) content += c;
    if (run.kind == K::kLiteralOnly || run.IsCaseMarker()) return content + run.literalAfter;
    const std::uint16_t blank = run.IsDoubleByte() ? kFullWidthSpace : ' ';
    std::string pad;
    AppendRepeated(pad, blank, run.count - static_cast<std::int32_t>(taken.size()));
    return (padLeft ? pad + content : content + pad) + run.literalAfter;
  };
  auto takes = [](const MaskRun& run, std::size_t available) -> std::size_t {
    if (run.kind == K::kLiteralOnly) return available;
    if (run.IsCaseMarker()) return 0;
    return std::min<std::size_t>(available, static_cast<std::size_t>(run.count));
  };

  std::string out;
  if (!mask.FillsFromRight()) {
    out = mask.prefix;
    std::size_t next = 0;
    for (const MaskRun& run : mask.runs) {
      const std::size_t n = takes(run, chars.size() - next);
      out += piece(run, std::span(chars).subspan(next, n), false);
      next += n;
    }
  } else {
    std::size_t end = chars.size();
    std::string built;
    for (std::size_t i = mask.runs.size(); i-- > 0;) {
      const MaskRun& run = mask.runs[i];
      const std::size_t n = takes(run, end);
      built = piece(run, std::span(chars).subspan(end - n, n), true) + built;
      end -= n;
    }
    out = mask.prefix + built;
  }
  return ShowMaskMarkers(out);
}

std::string MaskHiddenText(const StringMask& mask) {
  std::string out = mask.prefix;
  for (const MaskRun& run : mask.runs) {
    if (run.kind != K::kLiteralOnly && !run.IsCaseMarker()) {
      out.append(static_cast<std::size_t>(run.count) * (run.IsDoubleByte() ? 2 : 1), '*');
    }
    out += run.literalAfter;
  }
  return out;
}

MaskEditLayout BuildMaskEditLayout(const StringMask& mask) {
  MaskEditLayout layout;
  layout.prefix = mask.prefix;
  layout.fillFromRight = mask.FillsFromRight();
  for (const MaskRun& run : mask.runs) {
    layout.runs.push_back(MaskLayoutRun{PositionMarker(run.kind), run.count, run.literalAfter});
    layout.totalPositions += run.count;
  }
  return layout;
}

bool IsBlankMarker(std::uint16_t marker) {
  return marker == ' ' || marker == kMarkerSingleByte || marker == kFullWidthSpace ||
         marker == kMarkerDoubleByte;
}

LaidText LayOutText(const MaskEditLayout& layout, std::string_view text, bool fromRight) {
  const std::vector<std::string_view> chars = Characters(text);
  LaidText laid;
  laid.contents.resize(layout.runs.size());

  auto fill = [&](std::size_t i, std::span<const std::string_view> taken, bool padLeft) {
    const MaskLayoutRun& run = layout.runs[i];
    std::string content;
    for (std::string_view c : taken) content += c;
    const auto missing = run.count - static_cast<std::int32_t>(taken.size());
    if (missing > 0 && run.marker != 0 && (IsBlankMarker(run.marker) || run.marker == '0')) {
      std::string pad;
      AppendRepeated(pad, run.marker, missing);
      content = padLeft ? pad + content : content + pad;
    }
    laid.contents[i] = std::move(content);
  };
  auto takes = [](const MaskLayoutRun& run, std::size_t available) -> std::size_t {
    if (run.marker == 0) return available;  // the literal-only run holds the whole text
    if (run.marker == '>' || run.marker == '<') return 0;
    return std::min<std::size_t>(available, static_cast<std::size_t>(std::max(run.count, 0)));
  };

  std::size_t used = 0;
  if (!fromRight) {
    for (std::size_t i = 0; i < layout.runs.size(); ++i) {
      const std::size_t n = takes(layout.runs[i], chars.size() - used);
      fill(i, std::span(chars).subspan(used, n), false);
      used += n;
    }
  } else {
    std::size_t end = chars.size();
    for (std::size_t i = layout.runs.size(); i-- > 0;) {
      const std::size_t n = takes(layout.runs[i], end);
      fill(i, std::span(chars).subspan(end - n, n), true);
      end -= n;
    }
    used = chars.size() - end;
  }
  laid.cut = used < chars.size();

  laid.editText = layout.prefix;
  for (std::size_t i = 0; i < layout.runs.size(); ++i) {
    laid.valueText += laid.contents[i];
    laid.editText += ShowMaskMarkers(laid.contents[i]);
    laid.editText += layout.runs[i].literal;
  }
  return laid;
}

}  // namespace vl
