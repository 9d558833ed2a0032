#include "text/text_change.h"

#include <gtest/gtest.h>

#include <string>

namespace vl {
namespace {

// Applying the change to `before` must give `after`, and the span must be the least: the bytes on
// either side of it are the ones the two texts share.
void ExpectLeastChange(const std::string& before, const std::string& after, const std::string& what) {
  const TextChange c = ChangeBetween(before, after);
  ASSERT_LE(c.start + c.removed, before.size()) << what;
  ASSERT_LE(c.start + c.inserted, after.size()) << what;
  std::string rebuilt = before;
  rebuilt.replace(c.start, c.removed, after, c.start, c.inserted);
  EXPECT_EQ(rebuilt, after) << what;
  if (c.removed > 0 && c.inserted > 0) {
    EXPECT_NE(before[c.start], after[c.start]) << what << ": the shared prefix stops short";
    EXPECT_NE(before[c.start + c.removed - 1], after[c.start + c.inserted - 1])
        << what << ": the shared suffix stops short";
  }
  std::string target = before;
  const TextChange assigned = AssignChanged(target, after);
  EXPECT_EQ(target, after) << what;
  EXPECT_EQ(assigned.start, c.start) << what;
}

TEST(TextChange, FindsTheLeastSpanThatDiffers) {
  struct Row {
    const char* name;
    std::string before;
    std::string after;
    TextChange expected;
  };
  const std::string longText(5000, 'x');
  const Row rows[] = {
      {"equal", "abc", "abc", {3, 0, 0}},
      {"both empty", "", "", {0, 0, 0}},
      {"appended", "abc", "abcd", {3, 0, 1}},
      {"the same letter appended: the shared prefix wins", "aaa", "aaaa", {3, 0, 1}},
      {"prepended", "abc", "zabc", {0, 0, 1}},
      {"replaced in the middle", "abcdef", "abXYef", {2, 2, 2}},
      {"deleted in the middle", "abcdef", "abef", {2, 2, 0}},
      {"all new", "abc", "xyz", {0, 3, 3}},
      {"from empty", "", "abc", {0, 0, 3}},
      {"to empty", "abc", "", {0, 3, 0}},
      {"a two-byte character's trail byte", "\x82\xa0", "\x82\xa2", {1, 1, 1}},
      {"long, appended", longText, longText + "y", {5000, 0, 1}},
      {"long, changed near the start", longText, "x" + std::string("y") + longText.substr(2), {1, 1, 1}},
      {"long, changed in the middle", longText, longText.substr(0, 2999) + "yy" + longText.substr(3001), {2999, 2, 2}},
      {"long, changed near the end", longText, longText.substr(0, 4998) + "y" + "x", {4998, 1, 1}},
      {"long, cut in the middle", longText + "abc" + longText, longText + longText, {5000, 3, 0}},
  };
  for (const Row& row : rows) {
    const TextChange c = ChangeBetween(row.before, row.after);
    EXPECT_EQ(c.start, row.expected.start) << row.name;
    EXPECT_EQ(c.removed, row.expected.removed) << row.name;
    EXPECT_EQ(c.inserted, row.expected.inserted) << row.name;
    ExpectLeastChange(row.before, row.after, row.name);
  }
}

TEST(TextChange, EveryPlaceOfADifferenceInALongText) {
  // The halving search meets a difference at every offset and both ends of its blocks.
  std::string before;
  for (int i = 0; i < 700; ++i) before += static_cast<char>('a' + i % 23);
  for (std::size_t at = 0; at < before.size(); ++at) {
    std::string after = before;
    after[at] = '#';
    const TextChange c = ChangeBetween(before, after);
    ASSERT_EQ(c.start, at);
    ASSERT_EQ(c.removed, 1u);
    ASSERT_EQ(c.inserted, 1u);
  }
}

TEST(TextChange, AssignsFromAViewOfItself) {
  std::string s = "abcdef";
  AssignChanged(s, s);
  EXPECT_EQ(s, "abcdef");
  AssignChanged(s, std::string_view(s).substr(2));
  EXPECT_EQ(s, "cdef");
  AssignChanged(s, std::string_view(s).substr(0, 2));
  EXPECT_EQ(s, "cd");
}

}  // namespace
}  // namespace vl
