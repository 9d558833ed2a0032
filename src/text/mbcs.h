// Shift-JIS (code page 932) byte strings.
//
// Every text inside the component is a CP932 byte string. A lead byte and its trail byte always
// move, count and are deleted together; positions and lengths are byte counts unless a name says
// "Char". These helpers are the one place that decides how text is counted, cut and walked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

// True for the bytes that start a two-byte character in code page 932 (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr bool IsLeadByte(char byte) { return IsLeadByte(static_cast<unsigned char>(byte)); }

// Byte length of the character that starts at byte p: 2 for a lead byte followed by a trail byte,
// else 1. A lead byte at the very end of a text (corrupt text) counts as one byte so that a walk
// never reads past the end.
inline int CharLengthAt(std::string_view text, std::size_t p) {
  return (p + 1 < text.size() && IsLeadByte(text[p])) ? 2 : 1;
}

int MbcsCharCount(std::string_view text);
int MbcsCharIndexOfByte(std::string_view text, int bytePos);
int MbcsByteIndexOfChar(std::string_view text, int charCount);
int MbcsByteLengthOfChars(std::string_view text, int bytePos, int charCount);
int MbcsCharByteLength(std::string_view text, int charNumber);  // charNumber is 1-based
bool MbcsSplitsChar(std::string_view text, int bytePos);

// The longest prefix of at most maxBytes bytes that does not end inside a two-byte character.
std::string_view MbcsCutBytes(std::string_view text, std::size_t maxBytes);

void TrimLeadingZeros(std::string& s);
void TrimTrailingZeros(std::string& s);
std::string RemoveAllOccurrences(std::string_view text, std::string_view pattern);

// A read position over a text that moves by whole characters.
class MbcsStringCursor {
 public:
  explicit MbcsStringCursor(std::string_view text) : text_(text) {}

  std::string ReadForward(int charCount);
  std::string ReadBackward(int charCount);
  void Reset() { pos_ = 0; }
  void ToEnd() { pos_ = static_cast<std::int32_t>(text_.size()); }
  std::int32_t Position() const { return pos_; }

 private:
  std::string_view text_;
  std::int32_t pos_ = 0;
};

}  // namespace vl
