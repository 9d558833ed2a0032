#include "runtime/profile.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// Trail bytes are never blanks (they start at 0x40), so trimming from the right cannot cut a
// two-byte character in half.
std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Byte offset of the first `c` that is a character of its own (not the second byte of a two-byte
// character), or npos.
std::size_t FindChar(std::string_view s, char c) {
  for (std::size_t p = 0; p < s.size(); p += CharLengthAt(s, p)) {
    if (s[p] == c) return p;
  }
  return std::string_view::npos;
}

std::size_t FindLastChar(std::string_view s, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t p = 0; p < s.size(); p += CharLengthAt(s, p)) {
    if (s[p] == c) found = p;
  }
  return found;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Section names compare without regard to the case of ASCII letters; the bytes of two-byte
// characters compare exactly (a trail byte in the letter range is not a letter).
bool SectionNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t p = 0; p < a.size();) {
    const int len = CharLengthAt(a, p);
    if (len == 2) {
      if (a[p] != b[p] || a[p + 1] != b[p + 1]) return false;
    } else if (AsciiUpper(a[p]) != AsciiUpper(b[p])) {
      return false;
    }
    p += static_cast<std::size_t>(len);
  }
  return true;
}

// Calls `onLine` for each line of `text`; lines end at "\n", "\r\n" or a lone "\r". A zero byte
// ends the line's text the way it would end a C string.
template <typename F>
void ForEachLine(std::string_view text, F&& onLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    std::string_view line = text.substr(start, end - start);
    const std::size_t zero = line.find('\0');
    if (zero != std::string_view::npos) line = line.substr(0, zero);
    if (!onLine(line)) return;
    if (end == text.size()) return;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

// Keeps the lines that fit a buffer of `limit` bytes in which each line takes its length plus a
// zero byte and the list one more zero byte.
class SectionBuffer {
 public:
  explicit SectionBuffer(std::size_t limit) : room_(limit >= 2 ? limit - 1 : 0) {}

  // False once the buffer is full.
  bool Add(std::string line) {
    if (room_ == 0) return false;
    if (line.size() + 1 <= room_) {
      room_ -= line.size() + 1;
      lines_.push_back(std::move(line));
      return true;
    }
    const std::string_view cut = MbcsCutBytes(line, room_ - 1);
    if (!cut.empty()) lines_.emplace_back(cut);
    room_ = 0;
    return false;
  }

  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::size_t room_;  // bytes left, the list's final zero byte already set aside
  std::vector<std::string> lines_;
};

}  // namespace

std::optional<std::vector<std::string>> ReadProfileSectionFromText(std::string_view fileBytes,
                                                                   std::string_view section,
                                                                   std::size_t bufferLimit) {
  const std::string text = PeopleFileTextToCp932(fileBytes);
  const std::string_view wanted = TrimRight(TrimLeft(section));

  enum class State { Before, Inside } state = State::Before;
  SectionBuffer buffer(bufferLimit);
  ForEachLine(text, [&](std::string_view raw) {
    const std::string_view line = TrimRight(TrimLeft(raw));
    if (line.empty() || line.front() == ';') return true;
    if (line.front() == '[') {
      // A header without "]" is not a header; the platform ignores the line.
      const std::size_t close = FindLastChar(line, ']');
      if (close == std::string_view::npos) return true;
      if (state == State::Inside) return false;  // the section ends at the next header
      if (SectionNamesEqual(TrimRight(TrimLeft(line.substr(1, close - 1))), wanted)) state = State::Inside;
      return true;
    }
    if (state != State::Inside) return true;
    const std::size_t eq = FindChar(line, '=');
    if (eq == std::string_view::npos) return buffer.Add(std::string(line));
    std::string joined(TrimRight(line.substr(0, eq)));
    joined += '=';
    joined += TrimLeft(line.substr(eq + 1));
    return buffer.Add(std::move(joined));
  });
  if (state == State::Before) return std::nullopt;
  return buffer.Take();
}

std::optional<std::vector<std::string>> ReadProfileSection(const std::string& path, std::string_view section,
                                                           std::size_t bufferLimit) {
  // A folder opens like a file on some systems and then fails to read; only a regular file (or
  // a link to one) can be a profile.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::string bytes;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;  // a read error is a file that cannot be read
  }
  return ReadProfileSectionFromText(bytes, section, bufferLimit);
}

}  // namespace vl
