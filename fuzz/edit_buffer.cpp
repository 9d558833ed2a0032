// Fuzz target: the edit buffer's text, line index and change record through any sequence of
// edits and whole-text writes.
//
// Input layout: a sequence of operations, one selector byte each followed by its arguments; a
// text argument runs up to the next 0x00 byte. After every step the line index must match a scan
// of the text, and when the step changed the text its change record, applied to the text before,
// must give the text after; a whole-text write must record the least such change. A broken
// invariant aborts, as a crash would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/edit_buffer.h"
#include "text/mbcs.h"
#include "text/text_change.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}
  bool Done() const { return pos_ >= text_.size(); }
  std::uint8_t Byte() { return pos_ < text_.size() ? static_cast<std::uint8_t>(text_[pos_++]) : 0; }
  std::string_view UntilZero() {
    const std::size_t end = text_.find('\0', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    const std::string_view part = text_.substr(pos_, stop - pos_);
    pos_ = stop == text_.size() ? stop : stop + 1;
    return part;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

void CheckLines(const vl::win::EditBuffer& b) {
  if (!b.IsMultiLine()) return;
  const std::string& text = b.Text();
  std::int32_t line = 0;
  std::int32_t start = 0;
  for (std::size_t s = text.find("\r\n"); s != std::string::npos; s = text.find("\r\n", s + 2)) {
    Require(b.LineStart(line) == start);
    Require(b.LineEnd(line) == static_cast<std::int32_t>(s));
    ++line;
    start = static_cast<std::int32_t>(s + 2);
  }
  Require(b.LineStart(line) == start);
  Require(b.LineEnd(line) == b.Length());
  Require(b.LineCount() == line + 1);
  Require(b.LineStart(line + 1) == -1);
}

void CheckChange(const vl::win::EditBuffer& b, std::uint64_t version, const std::string& before) {
  if (b.Version() == version) {
    Require(b.Text() == before);
    return;
  }
  const vl::win::EditBuffer::Change& c = b.LastChange();
  if (c.from != version) return;  // more than one change since: nothing to follow
  Require(c.start >= 0 && c.removed >= 0 && c.inserted >= 0);
  Require(static_cast<std::size_t>(c.start + c.removed) <= before.size());
  Require(static_cast<std::size_t>(c.start + c.inserted) <= b.Text().size());
  std::string followed = before;
  followed.replace(static_cast<std::size_t>(c.start), static_cast<std::size_t>(c.removed), b.Text(),
                   static_cast<std::size_t>(c.start), static_cast<std::size_t>(c.inserted));
  Require(followed == b.Text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  vl::win::EditBuffer b(true);
  for (int step = 0; step < 64 && !in.Done(); ++step) {
    const std::string before = b.Text();
    const std::uint64_t version = b.Version();
    switch (in.Byte() % 8) {
      case 0: {
        const std::string_view text = in.UntilZero();
        b.SetText(text);
        Require(b.Text() == text);
        const vl::TextChange least = vl::ChangeBetween(before, text);
        const vl::win::EditBuffer::Change& c = b.LastChange();
        Require(c.from == version && static_cast<std::size_t>(c.start) == least.start &&
                static_cast<std::size_t>(c.removed) == least.removed &&
                static_cast<std::size_t>(c.inserted) == least.inserted);
        break;
      }
      case 1: {
        const std::int32_t a = in.Byte();
        b.SetSel(a, static_cast<std::int32_t>(in.Byte()));
        break;
      }
      case 2: {
        const char bytes[2] = {static_cast<char>(in.Byte()), static_cast<char>(in.Byte())};
        b.Type(std::string_view(bytes, vl::IsLeadByte(bytes[0]) ? 2 : 1));
        break;
      }
      case 3:
        b.ReplaceSelection(in.UntilZero());
        break;
      case 4:
        b.DeleteBack();
        break;
      case 5:
        b.DeleteForward();
        break;
      case 6:
        b.Undo();
        break;
      default:
        b.SetMultiLine(!b.IsMultiLine());
        break;
    }
    CheckChange(b, version, before);
    CheckLines(b);
  }
  return 0;
}
