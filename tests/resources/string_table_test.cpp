#include "resources/string_table.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace vl {
namespace {

std::string Utf8(std::uint32_t id) { return Cp932ToUtf8(LoadResourceString(id)); }

TEST(StringTable, NumericPresetGroupsFollowTheirPattern) {
  struct Row { std::uint32_t id; const char* text; };
  for (const Row& r : {
           Row{560, "##,###;;;\"null\""},
           Row{561, "##,###;\"△\"##,###;;\"null\""},
           Row{562, "##,###;\"(\"##,###\")\";;\"null\""},
           Row{568, "##,##0;\"(\"##,##0\")\";;\"null\""},
           Row{583, "0,000,000,000;;;\"null\""},
           Row{607, "#,##0.000;\"△\"#,##0.000;;\"null\""},
           Row{626, "###,###,##0.00000;;;\"null\""},
           Row{640, "\\\\##,###,###.###;;;\"null\""},
           Row{641, "\\\\##,###,###.###;\\\\\"△\"##,###,###.###;;\"null\""},
           Row{642, "\\\\##,###,###.###;\"(\"\\\\##,###,###.###\")\";;\"null\""},
           Row{648, "\\\\##,###,##0.000;\"(\"\\\\##,###,##0.000\")\";;\"null\""},
           Row{542, "##0;;;\"null\""},
       }) {
    EXPECT_EQ(Utf8(r.id), r.text) << r.id;
  }
}

TEST(StringTable, EveryQuotedEntryIsPresent) {
  for (std::uint32_t id : {1u, 100u, 101u, 104u, 202u, 2002u, 1000u, 1001u, 1003u, 1004u, 1005u, 1006u, 1100u,
                           1101u, 1102u, 1200u, 1300u, 1301u, 1302u, 1303u, 1500u}) {
    EXPECT_TRUE(HasResourceString(id)) << id;
  }
  for (std::uint32_t id = 500; id <= 512; ++id) EXPECT_TRUE(HasResourceString(id)) << id;
  for (std::uint32_t id = 520; id <= 527; ++id) EXPECT_TRUE(HasResourceString(id)) << id;
  for (std::uint32_t base : {560u, 580u, 600u, 620u, 640u}) {
    for (std::uint32_t id = base; id <= base + 8; ++id) EXPECT_TRUE(HasResourceString(id)) << id;
    EXPECT_FALSE(HasResourceString(base + 9)) << base;
  }
}

TEST(StringTable, MessagesAreCodePage932) {
  // 入 is 0x93 0xFC in CP932.
  EXPECT_EQ(LoadResourceString(1000).substr(0, 2), "\x93\xFC");
  EXPECT_EQ(Utf8(1102), "設定値を変換できませんでした");
  EXPECT_EQ(Utf8(525), "\\〒000\\-9999");
}

TEST(StringTable, UnknownNumberIsEmpty) {
  EXPECT_EQ(LoadResourceString(999), "");
  EXPECT_FALSE(HasResourceString(0));
}

}  // namespace
}  // namespace vl
