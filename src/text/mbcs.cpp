#include "text/mbcs.h"

#include <algorithm>
#include <vector>

namespace vl {

int MbcsCharCount(std::string_view text) {
  int count = 0;
  for (std::size_t p = 0; p < text.size(); p += CharLengthAt(text, p)) ++count;
  return count;
}

int MbcsCharIndexOfByte(std::string_view text, int bytePos) {
  int count = 0;
  for (std::size_t p = 0; p < text.size() && static_cast<int>(p) < bytePos; p += CharLengthAt(text, p)) {
    ++count;
  }
  return count;
}

int MbcsByteIndexOfChar(std::string_view text, int charCount) {
  std::size_t p = 0;
  for (int n = 0; n < charCount && p < text.size(); ++n) p += CharLengthAt(text, p);
  return static_cast<int>(std::min(p, text.size()));
}

int MbcsByteLengthOfChars(std::string_view text, int bytePos, int charCount) {
  if (charCount < 1 || bytePos < 0 || static_cast<std::size_t>(bytePos) >= text.size()) return 0;
  std::size_t p = static_cast<std::size_t>(bytePos);
  for (int n = 0; n < charCount && p < text.size(); ++n) p += CharLengthAt(text, p);
  return static_cast<int>(std::min(p, text.size()) - static_cast<std::size_t>(bytePos));
}

int MbcsCharByteLength(std::string_view text, int charNumber) {
  if (charNumber < 1) return 0;
  std::size_t p = 0;
  for (int n = 1; p < text.size(); ++n) {
    int len = CharLengthAt(text, p);
    if (n == charNumber) return len;
    p += len;
  }
  return 0;
}

bool MbcsSplitsChar(std::string_view text, int bytePos) {
  if (bytePos < 1 || static_cast<std::size_t>(bytePos) >= text.size()) return false;
  // The walk starts at the nearest boundary before the position: the position after a byte that
  // is not a lead byte (that byte ends a character, single or double), else the start.
  auto p = static_cast<std::size_t>(bytePos);
  while (p > 0 && IsLeadByte(text[p - 1])) --p;
  while (p < static_cast<std::size_t>(bytePos)) p += CharLengthAt(text, p);
  return p != static_cast<std::size_t>(bytePos);
}

std::string_view MbcsCutBytes(std::string_view text, std::size_t maxBytes) {
  std::size_t p = 0;
  while (p < text.size()) {
    std::size_t next = p + CharLengthAt(text, p);
    if (next > maxBytes) break;
    p = next;
  }
  return text.substr(0, p);
}

void TrimLeadingZeros(std::string& s) {
  std::size_t n = 0;
  while (n + 1 < s.size() && s[n] == '0') ++n;
  s.erase(0, n);
}

void TrimTrailingZeros(std::string& s) {
  std::size_t end = s.size();
  while (end > 0 && s[end - 1] == '0') --end;
  s.erase(end);
}

std::string RemoveAllOccurrences(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t p = 0;
  while (p < text.size()) {
    if (text.compare(p, pattern.size(), pattern) == 0) {
      p += pattern.size();
    } else {
      out.push_back(text[p++]);
    }
  }
  return out;
}

std::string MbcsStringCursor::ReadForward(int charCount) {
  std::size_t start = std::min<std::size_t>(static_cast<std::size_t>(std::max(pos_, 0)), text_.size());
  std::size_t p = start;
  for (int n = 0; n < charCount && p < text_.size(); ++n) p += CharLengthAt(text_, p);
  p = std::min(p, text_.size());
  pos_ = static_cast<std::int32_t>(p);
  return std::string(text_.substr(start, p - start));
}

std::string MbcsStringCursor::ReadBackward(int charCount) {
  std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(std::max(pos_, 0)), text_.size());
  // Character starts can only be found walking forward from the beginning of the text.
  std::vector<std::size_t> starts;
  for (std::size_t p = 0; p < end; p += CharLengthAt(text_, p)) starts.push_back(p);
  std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(std::max(charCount, 0)), starts.size());
  std::size_t begin = take == 0 ? end : starts[starts.size() - take];
  pos_ = static_cast<std::int32_t>(begin);
  return std::string(text_.substr(begin, end - begin));
}

}  // namespace vl
