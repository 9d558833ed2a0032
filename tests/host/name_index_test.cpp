#include "host/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl {
namespace {

struct Listed {
  std::vector<std::string> names;
  NameIndex index{[this](std::size_t i) -> std::string_view { return names[i]; }};

  void Add(const std::string& name) {
    names.push_back(name);
    index.Resize(names.size());
  }
};

TEST(NameIndex, FindsTheFirstHolderOfEachName) {
  Listed l;
  EXPECT_EQ(l.index.Find("a"), NameIndex::npos);  // nothing listed yet
  for (const char* n : {"a", "b", "a", "", "B", "b"}) l.Add(n);
  struct Row {
    const char* name;
    std::size_t at;
  };
  for (const Row& r :
       {Row{"a", 0}, Row{"b", 1}, Row{"", 3}, Row{"B", 4}, Row{"c", NameIndex::npos}, Row{"ab", NameIndex::npos}}) {
    EXPECT_EQ(l.index.Find(r.name), r.at) << '"' << r.name << '"';
  }
}

TEST(NameIndex, TakesInNamesAddedBetweenLookupsAndThroughGrowth) {
  Listed l;
  // Looked up after every few additions, so that the table grows while some names wait to be
  // taken in, and once more with every name at once.
  for (int i = 0; i < 5000; ++i) {
    l.Add("box" + std::to_string(i));
    if (i % 7 == 0) {
      ASSERT_EQ(l.index.Find("box" + std::to_string(i / 2)), static_cast<std::size_t>(i / 2)) << i;
    }
  }
  l.Add("box17");  // a second holder of a name changes nothing
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(l.index.Find("box" + std::to_string(i)), static_cast<std::size_t>(i)) << i;
  EXPECT_EQ(l.index.Find("box5000"), NameIndex::npos);
}

TEST(NameIndex, ASmallerListIsTakenInAfresh) {
  Listed l;
  for (const char* n : {"a", "b", "c"}) l.Add(n);
  ASSERT_EQ(l.index.Find("c"), 2u);
  l.names = {"c", "a"};
  l.index.Resize(2);
  EXPECT_EQ(l.index.Find("c"), 0u);
  EXPECT_EQ(l.index.Find("a"), 1u);
  EXPECT_EQ(l.index.Find("b"), NameIndex::npos);
  l.names.clear();
  l.index.Resize(0);
  EXPECT_EQ(l.index.Find("a"), NameIndex::npos);
}

}  // namespace
}  // namespace vl
