// The multi-line buffer's line index against a plain scan of the text, through the edits that
// make or unmake a "\r\n" at their edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/edit_buffer.h"

namespace vl::win {
namespace {

// Where each line starts, found by scanning the text from its beginning.
std::vector<std::int32_t> ScannedLineStarts(const std::string& text) {
  std::vector<std::int32_t> starts{0};
  for (std::size_t s = text.find("\r\n"); s != std::string::npos; s = text.find("\r\n", s + 2))
    starts.push_back(static_cast<std::int32_t>(s + 2));
  return starts;
}

void ExpectLinesOf(const EditBuffer& b, const std::string& what) {
  const std::vector<std::int32_t> starts = ScannedLineStarts(b.Text());
  ASSERT_EQ(b.LineCount(), static_cast<std::int32_t>(starts.size())) << what;
  for (std::size_t n = 0; n < starts.size(); ++n) {
    const auto line = static_cast<std::int32_t>(n);
    EXPECT_EQ(b.LineStart(line), starts[n]) << what << " line " << n;
    const std::int32_t end = n + 1 < starts.size() ? starts[n + 1] - 2 : b.Length();
    EXPECT_EQ(b.LineEnd(line), end) << what << " line " << n;
  }
  EXPECT_EQ(b.LineStart(b.LineCount()), -1) << what;
  for (std::int32_t pos = 0; pos <= b.Length(); ++pos) {
    std::int32_t line = 0;
    while (line + 1 < static_cast<std::int32_t>(starts.size()) && starts[static_cast<std::size_t>(line) + 1] <= pos)
      ++line;
    EXPECT_EQ(b.LineFromPos(pos), line) << what << " pos " << pos;
  }
}

TEST(EditBufferLines, IndexFollowsEditsThatMakeOrBreakLineBreaks) {
  struct Row {
    const char* name;
    const char* text;
    std::int32_t selStart;
    std::int32_t selEnd;
    const char* insert;  // replaces the selection
  };
  const Row rows[] = {
      {"line feed after a lone carriage return joins them", "ab\rcd\r\nef", 3, 3, "\n"},
      {"carriage return before a lone line feed joins them", "ab\ncd", 2, 2, "\r"},
      {"a caret inside a pair stands before it", "ab\r\ncd", 3, 3, "x"},
      {"deleting the middle joins two halves", "a\rxx\nb\r\nc", 2, 4, ""},
      {"deleting a whole break", "a\r\nb\r\nc", 1, 3, ""},
      {"pasting many breaks", "start\r\nend", 5, 5, "1\r\n2\r\n\r\n3"},
      {"replacing breaks with breaks", "a\r\nb\r\nc\r\nd", 1, 8, "\r\n\r\n"},
      {"typing at the very start", "\nx\r\ny", 0, 0, "\r"},
      {"typing at the very end", "x\r\ny\r", 5, 5, "\n"},
      {"replacing all", "a\r\nb", 0, 4, "\r\n"},
  };
  for (const Row& row : rows) {
    EditBuffer b(true);
    b.SetText(row.text);
    ExpectLinesOf(b, std::string(row.name) + " (before)");
    b.SetSel(row.selStart, row.selEnd);
    if (*row.insert == '\0') {
      ASSERT_TRUE(b.DeleteSelection()) << row.name;
    } else {
      ASSERT_TRUE(b.ReplaceSelection(row.insert)) << row.name;
    }
    ExpectLinesOf(b, row.name);
    ASSERT_TRUE(b.Undo()) << row.name;
    EXPECT_EQ(b.Text(), row.text) << row.name;
    ExpectLinesOf(b, std::string(row.name) + " (undone)");
  }
}

// Typing, Backspace and Delete one character at a time over a text of many short lines.
TEST(EditBufferLines, IndexFollowsKeystrokes) {
  EditBuffer b(true);
  b.SetLimit(EditBuffer::kMaxLimit);
  b.SetText("one\r\ntwo\r\n\r\nthree");
  b.SetSel(5, 5);
  for (const char* key : {"\r\n", "x", "\r", "\n", "y"}) {
    ASSERT_TRUE(b.Type(key));
    ExpectLinesOf(b, std::string("typed ") + key);
  }
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(b.DeleteBack());
    ExpectLinesOf(b, "backspace " + std::to_string(i));
    ASSERT_TRUE(b.DeleteForward());
    ExpectLinesOf(b, "delete " + std::to_string(i));
  }
}

// A new whole text is written where it differs from the old one: the index must still match a
// scan, and the change names only that span (which a wrapped layout and the editor follow).
TEST(EditBufferLines, ANewTextIsWrittenWhereItDiffers) {
  struct Row {
    const char* name;
    const char* before;
    const char* after;
    EditBuffer::Change change;  // `from` unchecked
  };
  const Row rows[] = {
      {"a key typed at the end", "ab\r\ncd", "ab\r\ncde", {0, 6, 0, 1}},
      {"the same text", "ab\r\ncd", "ab\r\ncd", {0, 6, 0, 0}},
      {"a break made of a lone carriage return", "ab\rcd", "ab\r\ncd", {0, 3, 0, 1}},
      {"a break unmade in the middle", "a\r\nb\r\nc", "a\r\nbc", {0, 4, 2, 0}},
      {"everything new", "abc", "\r\n", {0, 0, 3, 2}},
      {"emptied", "a\r\nb", "", {0, 0, 4, 0}},
  };
  for (const Row& row : rows) {
    EditBuffer b(true);
    b.SetText(row.before);
    b.SetSel(1, 2);
    b.SetText(row.after);
    EXPECT_EQ(b.Text(), row.after) << row.name;
    const EditBuffer::Change& c = b.LastChange();
    EXPECT_EQ(c.start, row.change.start) << row.name;
    EXPECT_EQ(c.removed, row.change.removed) << row.name;
    EXPECT_EQ(c.inserted, row.change.inserted) << row.name;
    EXPECT_EQ(b.SelStart(), 0) << row.name;  // a new text starts with the caret at 0
    EXPECT_EQ(b.SelEnd(), 0) << row.name;
    ExpectLinesOf(b, row.name);
  }
}

}  // namespace
}  // namespace vl::win
