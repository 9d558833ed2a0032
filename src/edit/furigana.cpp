#include "edit/furigana.h"

#include "text/mbcs.h"

namespace vl {

namespace {

// JIS X 0201 kana (0xA1-0xDF) to their JIS X 0208 counterparts: punctuation, katakana of the
// same sound (small to small), the prolonged-sound mark and the two voicing marks.
constexpr std::uint16_t kHalfToFull[0x3F] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385,
    0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352,
    0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384,
    0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
};

struct Symbol {
  char ascii;
  std::uint16_t full;
};
constexpr Symbol kSymbols[] = {
    {' ', 0x8140},  {',', 0x8143},  {'.', 0x8144}, {':', 0x8146}, {';', 0x8147}, {'?', 0x8148}, {'!', 0x8149},
    {'^', 0x814F},  {'_', 0x8151},  {'/', 0x815E}, {'~', 0x8160}, {'|', 0x8162}, {'`', 0x8165}, {'\'', 0x8166},
    {'"', 0x8168},  {'(', 0x8169},  {')', 0x816A}, {'[', 0x816D}, {']', 0x816E}, {'{', 0x816F}, {'}', 0x8170},
    {'+', 0x817B},  {'-', 0x817C},  {'=', 0x8181}, {'<', 0x8183}, {'>', 0x8184}, {'\\', 0x818F}, {'$', 0x8190},
    {'%', 0x8193},  {'#', 0x8194},  {'&', 0x8195}, {'*', 0x8196}, {'@', 0x8197},
};

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;
constexpr unsigned char kHalfU = 0xB3;
constexpr std::uint16_t kFullVu = 0x8394;

// Katakana 0x8340-0x8393 sit in the same order as hiragana 0x829F-0x82F1, with the gap at 0x837F
// that trail bytes may not use.
std::uint16_t ToHiragana(std::uint16_t katakana) {
  if (katakana >= 0x8340 && katakana <= 0x837E) return static_cast<std::uint16_t>(0x829F + (katakana - 0x8340));
  if (katakana >= 0x8380 && katakana <= 0x8393) return static_cast<std::uint16_t>(0x829F + (katakana - 0x8341));
  return katakana;
}

bool Voiceable(unsigned char c) { return (c >= 0xB6 && c <= 0xC4) || (c >= 0xCA && c <= 0xCE); }
bool SemiVoiceable(unsigned char c) { return c >= 0xCA && c <= 0xCE; }

void Put(std::string& out, std::uint16_t ch) {
  out += static_cast<char>(ch >> 8);
  out += static_cast<char>(ch & 0xFF);
}

// One byte alone; 0 when it stays as it is.
std::uint16_t FullOfByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint16_t>(0x8260 + (c - 'A'));
  if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(0x8281 + (c - 'a'));
  if (c >= '0' && c <= '9') return static_cast<std::uint16_t>(0x824F + (c - '0'));
  for (const Symbol& s : kSymbols) {
    if (static_cast<unsigned char>(s.ascii) == c) return s.full;
  }
  if (c >= 0xA1 && c <= 0xDF) return kHalfToFull[c - 0xA1];
  return 0;
}

}  // namespace

std::string ConvertToFullWidth(std::string_view reading, bool hiragana) {
  std::string out;
  out.reserve(reading.size() * 2);
  auto kana = [&](std::uint16_t katakana) { Put(out, hiragana ? ToHiragana(katakana) : katakana); };
  for (std::size_t p = 0; p < reading.size(); ++p) {
    const auto c = static_cast<unsigned char>(reading[p]);
    const unsigned char next = p + 1 < reading.size() ? static_cast<unsigned char>(reading[p + 1]) : 0;
    if (IsLeadByte(c) && p + 1 < reading.size()) {
      out += reading.substr(p, 2);
      ++p;
    } else if (c == kHalfU && next == kVoicedMark) {
      Put(out, kFullVu);  // both modes: the katakana ヴ
      ++p;
    } else if (Voiceable(c) && next == kVoicedMark) {
      kana(static_cast<std::uint16_t>(kHalfToFull[c - 0xA1] + 1));
      ++p;
    } else if (SemiVoiceable(c) && next == kSemiVoicedMark) {
      kana(static_cast<std::uint16_t>(kHalfToFull[c - 0xA1] + 2));
      ++p;
    } else if (c < 0x1A || (c >= 0x80 && c <= 0xA0) || c >= 0xE0) {
      out += static_cast<char>(c);
    } else if (const std::uint16_t full = FullOfByte(c)) {
      (c >= 0xA6 && c <= 0xDD) ? kana(full) : Put(out, full);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string ConvertReading(std::string_view reading, std::uint16_t furiganaType) {
  switch (static_cast<FuriganaType>(furiganaType)) {
    case FuriganaType::kFullWidthKatakana: return ConvertToFullWidth(reading, false);
    case FuriganaType::kHiragana: return ConvertToFullWidth(reading, true);
    default: return std::string(reading);
  }
}

}  // namespace vl
