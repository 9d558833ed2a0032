// String masks: the first Format section of a String box.
//
// A mask is a row of input positions, each accepting a class of characters, with literal text
// between them, optional case conversion and an optional right-to-left fill ("!"). The text is
// parsed once into an immutable StringMask; display, the character check and the edit layout all
// read that one descriptor. Every count here is a character count (a double-byte character is one
// position); characters travel as 16-bit codes, lead byte * 256 + trail byte for a double-byte one.
//
// Worked example: "!\(99\)9999\-9999" parses into the prefix «(», runs of 2, 4 and 4 digit-or-space
// positions with the literals «)» and «-», and the right-fill flag. Shown through it, «312345678»
// becomes «( 3)1234-5678»: the runs take their characters from the end of the value, so the one
// missing character is the first position, filled with a space on the left.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// What a run is. The numeric values are part of the contract (layouts and editors compare them).
enum class MaskKind : std::uint8_t {
  kLiteralOnly = 1,     // a mask without any token: no position, the value is shown as is
  kAny = 2,             // "@": any character, empty position shown as a space
  kOptionalSingle = 3,  // "9", "#", "?", "a", "C", "k", "&"
  kOptionalDouble = 4,  // "@9", "@#", "@?", "@a", "@C", "@j", "@k"
  kRequiredSingle = 5,  // "0", "L", "A", "X", "K"
  kRequiredDouble = 6,  // "@0", "@L", "@A", "@X", "@J", "@K"
  kLowerCase = 7,       // ">": letters after it become lower-case (no position)
  kUpperCase = 8,       // "<": letters after it become upper-case (no position)
};

// Which input-method width a position wants (the string editor picks an IME mode from it).
enum class MaskWidthClass : std::uint8_t {
  kMarker = 1,
  kAnyWidth = 2,
  kFullWidthKatakana = 3,
  kHalfWidthKatakana = 4,
  kFullWidth = 5,
  kHalfWidth = 6,
};

// Character-class bits of a position. A position accepts a character when any of its bits does;
// kClassFullWidth turns the bits 0x01-0x10 and 0x40 into their double-byte forms. A position with no
// bits accepts everything.
inline constexpr std::uint8_t kClassDigit = 0x01;
inline constexpr std::uint8_t kClassSpace = 0x02;
inline constexpr std::uint8_t kClassSign = 0x04;
inline constexpr std::uint8_t kClassLetter = 0x08;
inline constexpr std::uint8_t kClassAnyOfWidth = 0x10;
inline constexpr std::uint8_t kClassHiragana = 0x20;
inline constexpr std::uint8_t kClassKatakana = 0x40;
inline constexpr std::uint8_t kClassFullWidth = 0x80;

// Empty-position markers inside edit texts, and the characters they are shown as.
inline constexpr std::uint16_t kMarkerSingleByte = 0x7F;      // shown as a space
inline constexpr std::uint16_t kMarkerDoubleByte = 0x829B;    // unassigned code, shown as 0x8140
inline constexpr std::uint16_t kFullWidthSpace = 0x8140;      // 「　」

// One row of the mask-character table: the token ("9", or "@" with one character) and what a
// position made from it is.
struct MaskCharInfo {
  std::string_view token;
  MaskKind kind;
  MaskWidthClass widthClass;
  std::uint8_t classBits;
};

// The mask-character table, in its lookup order. The parser finds tokens here and the character
// check reads the class bits copied from here: there is no second list of mask characters.
std::span<const MaskCharInfo> MaskCharTable();

// The row for a token, or nullptr when the text is not a mask token.
const MaskCharInfo* FindMaskChar(std::string_view token);

// Bit 0 of StringMask::flags: the value is right-aligned in the mask ("!").
inline constexpr std::uint16_t kMaskFillFromRight = 0x0001;

// A run of equal tokens: `count` positions of one kind, then the literal text up to the next run.
// Case markers and the literal-only run have count 0.
struct MaskRun {
  MaskKind kind = MaskKind::kLiteralOnly;
  MaskWidthClass widthClass = MaskWidthClass::kMarker;
  std::uint8_t classBits = 0;
  std::uint8_t reserved = 0;
  std::int32_t count = 0;
  std::string literalAfter;

  bool IsCaseMarker() const { return kind == MaskKind::kLowerCase || kind == MaskKind::kUpperCase; }
  bool IsDoubleByte() const {
    return kind == MaskKind::kOptionalDouble || kind == MaskKind::kRequiredDouble;
  }
  bool IsRequired() const {
    return kind == MaskKind::kRequiredSingle || kind == MaskKind::kRequiredDouble;
  }
  friend bool operator==(const MaskRun&, const MaskRun&) = default;
};

// A parsed mask. Never empty of runs: a mask without tokens (the empty mask included) has one
// kLiteralOnly run, and all its literal text is the prefix.
struct StringMask {
  std::uint16_t flags = 0;
  std::string prefix;
  std::vector<MaskRun> runs;

  bool FillsFromRight() const { return (flags & kMaskFillFromRight) != 0; }
  friend bool operator==(const StringMask&, const StringMask&) = default;
};

// Parses a mask. Any text is accepted: what is not a token is literal, an unterminated quote makes
// the rest literal and a trailing backslash is dropped.
StringMask ParseStringMask(std::string_view maskText);

// Number of input positions (the "書式文字数" of a String box); 0 for an empty mask.
std::int32_t GetMaskCapacity(std::string_view maskText);
std::int32_t GetMaskCapacity(const StringMask& mask);

// Index of the run that holds the 0-based input position `position` (case markers hold none), or -1
// when the mask has fewer positions.
int MaskRunOfPosition(const StringMask& mask, std::int32_t position);

// The literal text that stands right before the 0-based input position `position`: the prefix
// (and the literals around leading case markers) before the first position, the literals between
// two runs before the first position of the later one, the literals after the last position at
// `position` = capacity, and nothing inside a run.
//   «999\-9999»: position 3 -> «-»;  "!\(99\)9999\-9999": position 0 -> «(», position 2 -> «)».
std::string MaskLiteralBefore(const StringMask& mask, std::int32_t position);

// Case conversion of a case marker: kLowerCase lower-cases, kUpperCase upper-cases, both for ASCII
// letters and the full-width letters Ａ-Ｚ / ａ-ｚ (which differ by 0x21). Anything else is unchanged.
std::uint16_t ConvertCase(std::uint16_t ch, MaskKind caseMarker);

struct MaskCharCheck {
  bool accepted = false;
  std::uint16_t character = 0;  // the character after the case conversion of its position
};

// Whether a position of run `runIndex` accepts `ch`, and the character to store. The case that
// applies is that of the nearest case marker at or before the run (none: no conversion). An index
// outside the mask, or a case-marker run, accepts nothing.
MaskCharCheck CheckMaskChar(const StringMask& mask, std::size_t runIndex, std::uint16_t ch);

// The runs of a mask indexed by position, for an editor that looks positions up at every typed
// character: the same answers as MaskRunOfPosition and CheckMaskChar without walking the runs
// from the first, so a long mask costs no more per character than a short one.
class MaskPositionIndex {
 public:
  MaskPositionIndex() = default;
  explicit MaskPositionIndex(const StringMask& mask);
  // As MaskRunOfPosition.
  int RunOf(std::int32_t position) const;
  // As CheckMaskChar for the mask the index was built from.
  MaskCharCheck Check(const StringMask& mask, std::size_t runIndex, std::uint16_t ch) const;

 private:
  std::vector<std::int32_t> first_;  // first position of each run that holds positions
  std::vector<int> runs_;            // the index of that run
  std::vector<MaskKind> caseOf_;     // per run: the case marker that applies (kLiteralOnly: none)
};

// A committed value (markers removed) checked position by position against the mask: each character
// must be accepted by the run of its position, and no required position ("0", "L", "A", "X", "K" and
// their "@" forms) may stay empty. A "!" mask right-aligns the value first, so «312345678» in
// "!\(99\)9999\-9999" leaves the first position empty (allowed: "9" is optional). A mask without
// positions accepts any value; a value with more characters than positions does not match.
enum class MaskValueCheck { kMatches, kRefusedCharacter, kRequiredPositionEmpty };
MaskValueCheck CheckMaskedValue(std::string_view value, const StringMask& mask);

// The text a box shows for `value` while it does not have the focus. Unless `keepMarkers`, empty-
// position markers are removed from the value first; an empty value shows nothing (not even the
// literals). Positions missing a character show a space (a full-width space for double-byte runs);
// characters beyond the mask's positions are not shown (the leading ones for a "!" mask).
//   «12» through «999\-99» → «12 -  »;  «0312345678» through "!\(99\)9999\-9999" → «(03)1234-5678».
std::string MaskDisplayText(std::string_view value, const StringMask& mask, bool keepMarkers);

// The text shown while the content is hidden: the literals, with one "*" per single-byte position
// and two per double-byte position. Independent of the value.
std::string MaskHiddenText(const StringMask& mask);

// The edit layout the field model is built from: one entry per run, with the run's empty-position
// marker (0 for the literal-only run, which takes the whole text; a space for "@"; 0x7F and 0x829B
// for single- and double-byte positions; ">" and "<" for case markers, which hold no position). The
// numeric editors build layouts of their own with the marker "0".
struct MaskLayoutRun {
  std::uint16_t marker = 0;
  std::int32_t count = 0;
  std::string literal;
  friend bool operator==(const MaskLayoutRun&, const MaskLayoutRun&) = default;
};

struct MaskEditLayout {
  std::string prefix;
  std::vector<MaskLayoutRun> runs;
  std::int32_t totalPositions = 0;
  bool fillFromRight = false;
};

MaskEditLayout BuildMaskEditLayout(const StringMask& mask);

// True for the markers that stand for an empty position and are shown as blanks (a space, 0x7F,
// the full-width space, 0x829B) — the ones a text is padded with and an insertion may consume. The
// "0" of numeric fields pads too but is a real digit, and case markers never pad.
bool IsBlankMarker(std::uint16_t marker);

// A text laid into an edit layout: one content per run, completed with the run's marker.
struct LaidText {
  std::vector<std::string> contents;  // one per layout run
  std::string valueText;               // the contents concatenated, without literals
  std::string editText;                // prefix, contents and literals, markers shown as blanks
  bool cut = false;                    // characters of the text did not fit the positions
};

// Lays `text` into the layout: runs filled from the first to the last, each taking the next `count`
// characters and completed on its right with its marker; with `fromRight`, from the last to the
// first, each taking characters from the end and completed on its left. A literal-only run takes the
// whole text; a case-marker run takes nothing.
LaidText LayOutText(const MaskEditLayout& layout, std::string_view text, bool fromRight);

// Removes the empty-position markers (0x7F, 0x829B), walking whole characters: the value a masked
// field really holds.
std::string RemoveMaskMarkers(std::string_view text);
// Replaces 0x7F by a space and 0x829B by the full-width space.
std::string ShowMaskMarkers(std::string_view text);

// 16-bit character codes in byte strings.
std::uint16_t CharCodeAt(std::string_view text, std::size_t pos);
void AppendCharCode(std::string& text, std::uint16_t ch);
inline int CharCodeLength(std::uint16_t ch) { return ch > 0xFF ? 2 : 1; }

}  // namespace vl
