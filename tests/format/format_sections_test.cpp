#include "format/format_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/encoding.h"

namespace vl {
namespace {

// Rows are written in UTF-8 and turned into CP932 in the test body (ASCII passes unchanged).
std::string Sj(const std::string& utf8) { return Cp932Literal(utf8); }

struct SplitRow {
  const char* name;
  std::string format;
  std::vector<std::string> sections;
};

class SplitFormatSectionsTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitFormatSectionsTest, CutsAtUnescapedSeparators) {
  const SplitRow& row = GetParam();
  std::vector<std::string> expected;
  for (const std::string& s : row.sections) expected.push_back(Sj(s));
  EXPECT_EQ(SplitFormatSections(Sj(row.format)), expected);
}

const SplitRow kSplitRows[] = {
    {"EmptyFormatHasNoSections", "", {}},
    {"NoSeparatorIsOneSection", "###", {"###"}},
    {"TrailingSeparatorOpensEmptySection", "###;", {"###", ""}},
    {"LeadingSeparatorGivesEmptyFirstSection", ";null", {"", "null"}},
    {"EscapedSeparatorStaysWithItsBackslash", "a\\;b;c", {"a\\;b", "c"}},
    {"EscapedSeparatorThenRealOne", "a\\;;b", {"a\\;", "b"}},
    {"QuotesDoNotProtectSeparator", "\"x;y\"", {"\"x", "y\""}},
    {"FullWidthSeparatorCuts", "#；0", {"#", "0"}},
    {"MixedSeparators", "#；0;\"null\"", {"#", "0", "\"null\""}},
    {"EscapedFullWidthSeparatorIsText", "a\\；b", {"a\\；b"}},
    {"EmptySectionsBetweenSeparators", "###;;;\"null\"", {"###", "", "", "\"null\""}},
    {"SixSectionsAllReturned", "1;2;3;4;5;6", {"1", "2", "3", "4", "5", "6"}},
    // ソ is 0x83 0x5C: its trail byte is not a backslash, so the ";" after it still cuts.
    {"TrailByteBackslashDoesNotEscape", "ソ;x", {"ソ", "x"}},
    {"DoubleByteQuotedSectionsKeepTheirBytes", "\"△\"##,###;\"null\"", {"\"△\"##,###", "\"null\""}},
    {"EscapedBackslashStillEscapesSeparator", "\\\\;x", {"\\\\;x"}},
    {"OnlySeparator", ";", {"", ""}},
};

INSTANTIATE_TEST_SUITE_P(Rows, SplitFormatSectionsTest, ::testing::ValuesIn(kSplitRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitFormatSections, FullWidthSeparatorBytesInsideAnotherCharacterDoNotCut) {
  // 0x81 0x81 is one character (＝); the 0x81 0x47 spanning its trail byte and the next "G"
  // is not a "；".
  const std::string format = "\x81\x81\x47";
  EXPECT_EQ(SplitFormatSections(format), std::vector<std::string>{format});
}

TEST(SplitFormatSections, LoneLeadByteAtTheEndIsKept) {
  const std::string format = "#;\x81";
  EXPECT_EQ(SplitFormatSections(format), (std::vector<std::string>{"#", "\x81"}));
}

struct SectionSetRow {
  const char* name;
  std::string format;
  FormatSectionSet expected;
};

class MakeFormatSectionSetTest : public ::testing::TestWithParam<SectionSetRow> {};

TEST_P(MakeFormatSectionSetTest, StoresPresentNonEmptySections) {
  const SectionSetRow& row = GetParam();
  FormatSectionSet expected = row.expected;
  expected.positive = Sj(expected.positive);
  expected.negative = Sj(expected.negative);
  expected.zero = Sj(expected.zero);
  expected.null = Sj(expected.null);
  EXPECT_EQ(MakeFormatSectionSet(Sj(row.format)), expected);
}

const SectionSetRow kSectionSetRows[] = {
    {"EmptyFormatHasEmptyPositiveOnly", "", {}},
    {"PositiveOnly", "#,##0", {"#,##0", "", false, "", false, "", false}},
    {"EmptyPositiveIsStillThePositive", ";\"neg\"", {"", "\"neg\"", true, "", false, "", false}},
    {"EmptyNegativeAndZeroHaveNoFlag",
     "###;;;\"null\"",
     {"###", "", false, "", false, "\"null\"", true}},
    {"AllFourSections",
     "0;\"△\"0;\"zero\";\"null\"",
     {"0", "\"△\"0", true, "\"zero\"", true, "\"null\"", true}},
    {"FifthAndLaterSectionsIgnored", "0;1;2;3;4;5", {"0", "1", true, "2", true, "3", true}},
    {"FullWidthSeparatorsToo",
     "0；\"△\"0；；\"null\"",
     {"0", "\"△\"0", true, "", false, "\"null\"", true}},
    {"EmptyNullSectionHasNoFlag", "0;1;2;", {"0", "1", true, "2", true, "", false}},
};

INSTANTIATE_TEST_SUITE_P(Rows, MakeFormatSectionSetTest, ::testing::ValuesIn(kSectionSetRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReadBackRow {
  const char* name;
  std::string format;
  std::string readBack;
};

class JoinFormatSectionSetTest : public ::testing::TestWithParam<ReadBackRow> {};

TEST_P(JoinFormatSectionSetTest, KeepsEachSectionInItsPlace) {
  const ReadBackRow& row = GetParam();
  const FormatSectionSet set = MakeFormatSectionSet(Sj(row.format));
  EXPECT_EQ(JoinFormatSectionSet(set), Sj(row.readBack));
  EXPECT_EQ(MakeFormatSectionSet(JoinFormatSectionSet(set)), set) << "read-back is stable";
}

const ReadBackRow kReadBackRows[] = {
    {"PositiveOnly", "#,##0", "#,##0"},
    {"EmptyFormat", "", ""},
    {"PositiveAndNullKeepAllSeparators", "#,##0;;;\"null\"", "#,##0;;;\"null\""},
    {"PositiveAndZero", "0;;\"zero\"", "0;;\"zero\""},
    {"TrailingEmptySectionsDropped", "0;\"△\"0;;", "0;\"△\"0"},
    {"FifthSectionDropped", "0;1;2;3;4", "0;1;2;3"},
    {"FullWidthSeparatorsReadBackAsAscii", "0；\"△\"0；；\"null\"", "0;\"△\"0;;\"null\""},
    {"EmptyPositiveKept", ";\"neg\"", ";\"neg\""},
};

INSTANTIATE_TEST_SUITE_P(Rows, JoinFormatSectionSetTest, ::testing::ValuesIn(kReadBackRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct StringFormatRow {
  const char* name;
  std::string format;
  std::string mask;
  std::string nullText;
  std::string readBack;
};

class StringFormatTest : public ::testing::TestWithParam<StringFormatRow> {};

TEST_P(StringFormatTest, SplitsMaskAndNullTextAndReadsBack) {
  const StringFormatRow& row = GetParam();
  const StringFormatParts parts = SplitStringFormat(Sj(row.format));
  EXPECT_EQ(parts.mask, Sj(row.mask));
  EXPECT_EQ(parts.nullText, Sj(row.nullText));
  EXPECT_EQ(JoinStringFormat(parts), Sj(row.readBack));
}

const StringFormatRow kStringFormatRows[] = {
    {"EmptyFormat", "", "", "", ""},
    {"NullTextOnly", ";null", "", "null", ";null"},
    {"MaskOnly", "!9999\\-9999\\-9999", "!9999\\-9999\\-9999", "", "!9999\\-9999\\-9999"},
    {"EscapedSeparatorStaysInMask", "a\\;b;nil", "a\\;b", "nil", "a\\;b;nil"},
    {"LaterSectionsJoinedWithoutSeparator", "a;;b;c", "a", "bc", "a;bc"},
    {"EmptyLaterSectionsGiveNoNullText", "0000;;", "0000", "", "0000"},
    {"FullWidthSeparatorReadsBackAsAscii", "〒000；なし", "〒000", "なし", "〒000;なし"},
};

INSTANTIATE_TEST_SUITE_P(Rows, StringFormatTest, ::testing::ValuesIn(kStringFormatRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShownNullText, QuotesAndEscapesAreNotShown) {
  struct Row {
    const char* nullText;
    const char* shown;
  };
  for (const Row& r : {Row{"null", "null"}, Row{"\"(none)\"", "(none)"}, Row{"\"未入力\"", "未入力"},
                       Row{"a\\;b", "a;b"}, Row{"\\\"x\\\"", "\"x\""}, Row{"\"a\\b\"", "a\\b"}, Row{"ソ", "ソ"},
                       Row{"\\ソ", "ソ"}, Row{"\"open", "open"}, Row{"end\\", "end"}, Row{"", ""}}) {
    EXPECT_EQ(ShownNullText(Sj(r.nullText)), Sj(r.shown)) << r.nullText;
  }
}

}  // namespace
}  // namespace vl
