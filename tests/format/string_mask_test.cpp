#include "format/string_mask.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace vl {
namespace {

std::string J(std::string_view utf8) { return Cp932Literal(utf8); }
std::uint16_t Code(std::string_view utf8) {
  const std::string s = J(utf8);
  return CharCodeAt(s, 0);
}
const std::string kM1 = "\x7F";          // single-byte empty position
const std::string kM2 = "\x82\x9B";      // double-byte empty position

// --- parsing -------------------------------------------------------------------------------------

struct RunRow {
  MaskKind kind;
  std::int32_t count;
  std::string literalAfter;
};

struct ParseRow {
  const char* name;
  std::string mask;
  std::uint16_t flags;
  std::string prefix;
  std::vector<RunRow> runs;
};

constexpr auto kOpt1 = MaskKind::kOptionalSingle;
constexpr auto kReq1 = MaskKind::kRequiredSingle;

class ParseStringMaskTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseStringMaskTest, GivesPrefixRunsAndLiterals) {
  const ParseRow& row = GetParam();
  const StringMask mask = ParseStringMask(row.mask);
  EXPECT_EQ(mask.flags, row.flags);
  EXPECT_EQ(mask.prefix, row.prefix);
  ASSERT_EQ(mask.runs.size(), row.runs.size());
  for (std::size_t i = 0; i < row.runs.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(mask.runs[i].kind, row.runs[i].kind);
    EXPECT_EQ(mask.runs[i].count, row.runs[i].count);
    EXPECT_EQ(mask.runs[i].literalAfter, row.runs[i].literalAfter);
    EXPECT_EQ(mask.runs[i].reserved, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseStringMaskTest,
    testing::Values(
        ParseRow{"BangMaskIsThreeRunsOfFourWithFlag", "!9999\\-9999\\-9999", 1, "",
                 {{kOpt1, 4, "-"}, {kOpt1, 4, "-"}, {kOpt1, 4, ""}}},
        ParseRow{"PostalMaskKeepsDoubleBytePrefix", J("\\〒000\\-9999"), 0, J("〒"),
                 {{kReq1, 3, "-"}, {kOpt1, 4, ""}}},
        ParseRow{"PhoneMaskPrefixAndLiterals", "!\\(99\\)9999\\-9999", 1, "(",
                 {{kOpt1, 2, ")"}, {kOpt1, 4, "-"}, {kOpt1, 4, ""}}},
        ParseRow{"UnescapedDashIsLiteralBetweenRuns", "99-99", 0, "", {{kOpt1, 2, "-"}, {kOpt1, 2, ""}}},
        ParseRow{"EqualTokensFormOneRun", "9999", 0, "", {{kOpt1, 4, ""}}},
        ParseRow{"DoubleAtIsOneRunOfTwo", "@@", 0, "", {{MaskKind::kAny, 2, ""}}},
        ParseRow{"AtZeroIsOneFullWidthDigit", "@0", 0, "", {{MaskKind::kRequiredDouble, 1, ""}}},
        ParseRow{"AtAtZeroIsAnyThenFullWidthDigit", "@@0", 0, "",
                 {{MaskKind::kAny, 1, ""}, {MaskKind::kRequiredDouble, 1, ""}}},
        ParseRow{"OnlyLowerAIsATokenInAbc", "abc", 0, "", {{kOpt1, 1, "bc"}}},
        ParseRow{"EscapedTokenIsLiteralAndBreaksTheRun", "99\\99", 0, "", {{kOpt1, 2, "9"}, {kOpt1, 1, ""}}},
        ParseRow{"QuotedTextIsLiteral", "99\"a9\"99", 0, "", {{kOpt1, 2, "a9"}, {kOpt1, 2, ""}}},
        ParseRow{"TwoDoubledQuotesAreTwoQuotes", "9\"\"\"\"9", 0, "", {{kOpt1, 1, "\"\""}, {kOpt1, 1, ""}}},
        ParseRow{"DoubledQuoteIsOneQuote", "9\"\"9", 0, "", {{kOpt1, 1, "\""}, {kOpt1, 1, ""}}},
        ParseRow{"UnterminatedQuoteMakesRestLiteral", "99\"ab9", 0, "", {{kOpt1, 2, "ab9"}}},
        ParseRow{"TrailingBackslashHasNoEffect", "99\\", 0, "", {{kOpt1, 2, ""}}},
        ParseRow{"JWithoutAtIsLiteral", "Jj9", 0, "Jj", {{kOpt1, 1, ""}}},
        ParseRow{"AtJIsHiraganaPosition", "@J@j", 0, "",
                 {{MaskKind::kRequiredDouble, 1, ""}, {MaskKind::kOptionalDouble, 1, ""}}},
        ParseRow{"CaseMarkersHoldNoPosition", ">LL<LL", 0, "",
                 {{MaskKind::kLowerCase, 0, ""}, {kReq1, 2, ""}, {MaskKind::kUpperCase, 0, ""}, {kReq1, 2, ""}}},
        ParseRow{"RepeatedCaseMarkerAddsNothing", "<<99", 0, "",
                 {{MaskKind::kUpperCase, 0, ""}, {kOpt1, 2, ""}}},
        ParseRow{"LiteralAfterCaseMarkerStaysInPlace", "<\\-99", 0, "",
                 {{MaskKind::kUpperCase, 0, "-"}, {kOpt1, 2, ""}}},
        ParseRow{"EmptyMaskIsOneLiteralOnlyRun", "", 0, "", {{MaskKind::kLiteralOnly, 0, ""}}},
        ParseRow{"MaskWithoutTokensIsAllPrefix", "hello", 0, "hello", {{MaskKind::kLiteralOnly, 0, ""}}},
        ParseRow{"BangNeitherShowsNorBreaksARun", "99!99", 1, "", {{kOpt1, 4, ""}}},
        // ソ is 0x83 0x5C: its trail byte is a backslash and must not escape the next character.
        ParseRow{"TrailByteBackslashIsNotAnEscape", J("ソ99"), 0, J("ソ"), {{kOpt1, 2, ""}}},
        // The full-width space is 0x81 0x40: its trail byte is "@".
        ParseRow{"TrailByteAtIsNotAToken", J("　9"), 0, J("　"), {{kOpt1, 1, ""}}},
        ParseRow{"HalfCharacterAtEndDropped", "99\x81", 0, "", {{kOpt1, 2, ""}}},
        ParseRow{"HalfCharacterAfterLiteralOnlyDropped", "xy\x81", 0, "xy", {{MaskKind::kLiteralOnly, 0, ""}}},
        ParseRow{"AtBeforeDoubleByteIsAnAtPosition", J("@漢"), 0, "", {{MaskKind::kAny, 1, J("漢")}}}),
    [](const testing::TestParamInfo<ParseRow>& info) { return info.param.name; });

TEST(MaskCharTable, EveryTokenParsesIntoOneRunWithItsRow) {
  for (const MaskCharInfo& row : MaskCharTable()) {
    SCOPED_TRACE(std::string(row.token));
    const StringMask mask = ParseStringMask(row.token);
    ASSERT_EQ(mask.runs.size(), 1u);
    EXPECT_EQ(mask.runs[0].kind, row.kind);
    EXPECT_EQ(mask.runs[0].widthClass, row.widthClass);
    EXPECT_EQ(mask.runs[0].classBits, row.classBits);
    EXPECT_EQ(mask.prefix, "");
    EXPECT_EQ(mask.runs[0].literalAfter, "");
  }
  EXPECT_EQ(MaskCharTable().size(), 28u);
  EXPECT_EQ(FindMaskChar("J"), nullptr);
}

// --- capacity --------------------------------------------------------------------------------------

struct CapacityRow {
  const char* name;
  std::string mask;
  std::int32_t capacity;
};

class MaskCapacityTest : public testing::TestWithParam<CapacityRow> {};

TEST_P(MaskCapacityTest, CountsInputPositions) {
  EXPECT_EQ(GetMaskCapacity(GetParam().mask), GetParam().capacity);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MaskCapacityTest,
    testing::Values(CapacityRow{"CardNumber", "0000\\-0000\\-0000\\-0000", 16},
                    CapacityRow{"BangMask", "!9999\\-9999\\-9999", 12},
                    CapacityRow{"AbcHasOnePosition", "abc", 1},
                    CapacityRow{"EmptyMask", "", 0},
                    CapacityRow{"LiteralOnlyMask", "hello", 0},
                    CapacityRow{"CaseMarkersDoNotCount", ">LL<L", 3},
                    CapacityRow{"DoubleBytePositionsCountAsOne", "@@0@9", 3}),
    [](const testing::TestParamInfo<CapacityRow>& info) { return info.param.name; });

// --- display ---------------------------------------------------------------------------------------

struct DisplayRow {
  const char* name;
  std::string mask;
  std::string value;
  bool keepMarkers;
  std::string shown;
};

class MaskDisplayTest : public testing::TestWithParam<DisplayRow> {};

TEST_P(MaskDisplayTest, ShowsValueThroughMask) {
  const DisplayRow& row = GetParam();
  EXPECT_EQ(MaskDisplayText(row.value, ParseStringMask(row.mask), row.keepMarkers), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MaskDisplayTest,
    testing::Values(
        DisplayRow{"RightFillFullValue", "!\\(99\\)9999\\-9999", "0312345678", false, "(03)1234-5678"},
        DisplayRow{"RightFillPadsFirstPositionOnLeft", "!\\(99\\)9999\\-9999", "312345678", false,
                   "( 3)1234-5678"},
        DisplayRow{"LeftFillPadsOnRight", "999\\-99", "12", false, "12 -  "},
        DisplayRow{"RightFillShortValue", "!999\\-99", "12", false, "   -12"},
        DisplayRow{"RightFillDropsLeadingExtra", "!9999\\-9999\\-9999", "123456789012345", false,
                   "4567-8901-2345"},
        DisplayRow{"LeftFillDropsTrailingExtra", "999\\-99", "1234567", false, "123-45"},
        DisplayRow{"EmptyValueShowsNoLiterals", "\\(999\\)", "", false, ""},
        DisplayRow{"OnlyMarkersIsEmptyWhenRemoved", "999", kM1 + kM1, false, ""},
        DisplayRow{"LiteralOnlyMaskShowsWholeValue", "hello", "abc", false, "helloabc"},
        DisplayRow{"EmptyMaskShowsValue", "", "abc", false, "abc"},
        DisplayRow{"EmptyMaskEmptyValueShowsNothing", "", "", false, ""},
        DisplayRow{"DoubleByteRunPadsWithFullWidthSpace", "@9@9@9", J("１"), false, J("１　　")},
        DisplayRow{"KeptMarkersShowAsSpaces", "999", "1" + kM1 + "3", true, "1 3"},
        DisplayRow{"RemovedMarkersCloseTheGap", "999", "1" + kM1 + "3", false, "13 "},
        DisplayRow{"KeptDoubleByteMarkerShowsFullWidthSpace", "@9@9", kM2 + J("２"), true, J("　２")},
        DisplayRow{"CaseMarkerLiteralKeptInPlace", ">\\-LL", "ab", false, "-ab"},
        DisplayRow{"AtRunPadsWithSpace", "@@", "a", false, "a "},
        DisplayRow{"RightFillWithDoubleByteValue", "!@@@", J("漢a"), false, J(" 漢a")},
        DisplayRow{"HalfCharacterAtValueEndNotShown", "99\\-9", "12\x81", false, "12- "},
        DisplayRow{"PostalMaskPrefix", J("\\〒000\\-9999"), "1234567", false, J("〒123-4567")}),
    [](const testing::TestParamInfo<DisplayRow>& info) { return info.param.name; });

struct HiddenRow {
  const char* name;
  std::string mask;
  std::string hidden;
};

class MaskHiddenTest : public testing::TestWithParam<HiddenRow> {};

TEST_P(MaskHiddenTest, StarsPerPositionWidth) {
  EXPECT_EQ(MaskHiddenText(ParseStringMask(GetParam().mask)), GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MaskHiddenTest,
    testing::Values(HiddenRow{"PhoneMask", "!\\(99\\)9999\\-9999", "(**)****-****"},
                    HiddenRow{"DoubleBytePositionsTwoStars", "@9@9", "****"},
                    HiddenRow{"AtPositionsOneStar", "@@", "**"},
                    HiddenRow{"CaseMarkersNoStar", ">LL", "**"},
                    HiddenRow{"EmptyMask", "", ""},
                    HiddenRow{"LiteralOnly", "hello", "hello"}),
    [](const testing::TestParamInfo<HiddenRow>& info) { return info.param.name; });

// --- character check -------------------------------------------------------------------------------

struct CheckRow {
  const char* name;
  std::string mask;
  std::size_t run;
  std::uint16_t ch;
  bool accepted;
  std::uint16_t stored;  // when accepted
};

class CheckMaskCharTest : public testing::TestWithParam<CheckRow> {};

TEST_P(CheckMaskCharTest, AcceptsByClassAndConvertsCase) {
  const CheckRow& row = GetParam();
  const MaskCharCheck check = CheckMaskChar(ParseStringMask(row.mask), row.run, row.ch);
  EXPECT_EQ(check.accepted, row.accepted);
  if (row.accepted) {
    EXPECT_EQ(check.character, row.stored);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckMaskCharTest,
    testing::Values(
        CheckRow{"ZeroTakesDigit", "0", 0, '5', true, '5'},
        CheckRow{"ZeroRefusesSpace", "0", 0, ' ', false, 0},
        CheckRow{"ZeroRefusesFullWidthDigit", "0", 0, Code("５"), false, 0},
        CheckRow{"NineTakesSpace", "9", 0, ' ', true, ' '},
        CheckRow{"NineRefusesPlus", "9", 0, '+', false, 0},
        CheckRow{"HashTakesMinus", "#", 0, '-', true, '-'},
        CheckRow{"HashRefusesStar", "#", 0, '*', false, 0},
        CheckRow{"AtZeroTakesFullWidthDigit", "@0", 0, Code("０"), true, Code("０")},
        CheckRow{"AtZeroRefusesAsciiDigit", "@0", 0, '0', false, 0},
        CheckRow{"AtNineTakesFullWidthSpace", "@9", 0, kFullWidthSpace, true, kFullWidthSpace},
        CheckRow{"AtHashTakesFullWidthPlus", "@#", 0, Code("＋"), true, Code("＋")},
        CheckRow{"AtHashTakesFullWidthMinus", "@#", 0, Code("－"), true, Code("－")},
        CheckRow{"LetterRefusesDigit", "L", 0, '1', false, 0},
        CheckRow{"QuestionTakesLetterUnchanged", "?", 0, 'q', true, 'q'},
        CheckRow{"LowerMarkerLowersAscii", ">L", 1, 'A', true, 'a'},
        CheckRow{"UpperMarkerUppersAscii", "<L", 1, 'a', true, 'A'},
        CheckRow{"LowerMarkerLowersFullWidth", ">@L", 1, Code("Ａ"), true, Code("ａ")},
        CheckRow{"UpperMarkerUppersFullWidth", "<@L", 1, Code("ｚ"), true, Code("Ｚ")},
        CheckRow{"AtPositionConvertsCaseToo", "<@", 1, 'a', true, 'A'},
        CheckRow{"DigitUnchangedByCaseMarker", "<9", 1, '5', true, '5'},
        CheckRow{"NearestMarkerWins", "<L>L", 3, 'A', true, 'a'},
        CheckRow{"MarkerAfterRunDoesNotApply", "L>", 0, 'A', true, 'A'},
        CheckRow{"ATakesDigitAndLetter", "A", 0, 'z', true, 'z'},
        CheckRow{"ARefusesPunctuation", "A", 0, '-', false, 0},
        CheckRow{"AtATakesFullWidthDigit", "@A", 0, Code("５"), true, Code("５")},
        CheckRow{"XTakesHalfWidthKatakana", "X", 0, 0xB1, true, 0xB1},
        CheckRow{"XRefusesKanji", "X", 0, Code("漢"), false, 0},
        CheckRow{"AtXTakesKanji", "@X", 0, Code("漢"), true, Code("漢")},
        CheckRow{"AtXRefusesAscii", "@X", 0, 'a', false, 0},
        CheckRow{"AtJTakesHiragana", "@J", 0, Code("あ"), true, Code("あ")},
        CheckRow{"AtJRefusesKatakana", "@J", 0, Code("ア"), false, 0},
        CheckRow{"AtJRefusesFullWidthSpace", "@J", 0, kFullWidthSpace, false, 0},
        CheckRow{"AtSmallJTakesFullWidthSpace", "@j", 0, kFullWidthSpace, true, kFullWidthSpace},
        CheckRow{"KTakesHalfWidthKatakana", "K", 0, 0xB1, true, 0xB1},
        CheckRow{"KRefusesHalfWidthPunctuation", "K", 0, 0xA1, false, 0},
        CheckRow{"SmallKTakesSpace", "k", 0, ' ', true, ' '},
        CheckRow{"AtKTakesKatakana", "@K", 0, Code("ア"), true, Code("ア")},
        CheckRow{"AtKTakesProlongedSoundMark", "@K", 0, Code("ー"), true, Code("ー")},
        CheckRow{"AtKRefusesHiragana", "@K", 0, Code("あ"), false, 0},
        CheckRow{"CaseMarkerRunAcceptsNothing", ">L", 0, 'a', false, 0},
        CheckRow{"RunOutsideMaskAcceptsNothing", "L", 5, 'a', false, 0}),
    [](const testing::TestParamInfo<CheckRow>& info) { return info.param.name; });

struct ValueCheckRow {
  const char* name;
  std::string mask;
  std::string value;
  MaskValueCheck result;
};

class CheckMaskedValueTest : public testing::TestWithParam<ValueCheckRow> {};

TEST_P(CheckMaskedValueTest, ChecksEveryPosition) {
  EXPECT_EQ(CheckMaskedValue(GetParam().value, ParseStringMask(GetParam().mask)), GetParam().result);
}

constexpr auto kMatches = MaskValueCheck::kMatches;
constexpr auto kRefused = MaskValueCheck::kRefusedCharacter;
constexpr auto kEmptyRequired = MaskValueCheck::kRequiredPositionEmpty;

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckMaskedValueTest,
    testing::Values(
        ValueCheckRow{"PhoneShortValueRightAligned", "!\\(99\\)9999\\-9999", "312345678", kMatches},
        ValueCheckRow{"LetterInDigitPosition", "!\\(99\\)9999\\-9999", "31234567a", kRefused},
        ValueCheckRow{"RequiredDigitsAllGiven", "0000\\-0000", "12345678", kMatches},
        ValueCheckRow{"RequiredDigitLeftEmpty", "0000\\-0000", "1234567", kEmptyRequired},
        ValueCheckRow{"RightFillLeavesLeadingRequiredEmpty", "!00", "1", kEmptyRequired},
        ValueCheckRow{"OptionalPositionsMayStayEmpty", "9999", "12", kMatches},
        ValueCheckRow{"TooManyCharacters", "99", "123", kRefused},
        ValueCheckRow{"RunOfEachPositionChecked", "LL00", "ab1c", kRefused},
        ValueCheckRow{"DoubleByteRunTakesDoubleByte", "@J@J", J("あい"), kMatches},
        ValueCheckRow{"SingleByteInHiraganaRun", "@J@J", J("あi"), kRefused},
        ValueCheckRow{"CaseMarkersHoldNoPosition", "<LL>LL", "abCD", kMatches},
        ValueCheckRow{"LiteralOnlyMaskAcceptsAnything", "hello", J("何でも"), kMatches},
        ValueCheckRow{"EmptyMaskAcceptsAnything", "", "x", kMatches}),
    [](const testing::TestParamInfo<ValueCheckRow>& info) { return info.param.name; });

TEST(MaskRunOfPosition, SkipsCaseMarkersAndLiterals) {
  const StringMask mask = ParseStringMask(">LL\\-<99");
  EXPECT_EQ(MaskRunOfPosition(mask, 0), 1);
  EXPECT_EQ(MaskRunOfPosition(mask, 1), 1);
  EXPECT_EQ(MaskRunOfPosition(mask, 2), 3);
  EXPECT_EQ(MaskRunOfPosition(mask, 3), 3);
  EXPECT_EQ(MaskRunOfPosition(mask, 4), -1);
  EXPECT_EQ(MaskRunOfPosition(mask, -1), -1);
}

TEST(MaskLiteralBefore, GivesTheLiteralBetweenRuns) {
  struct Row {
    const char* mask;
    std::int32_t position;
    std::string literal;
  };
  for (const Row& r :
       {Row{"999\\-9999", 0, ""}, Row{"999\\-9999", 2, ""}, Row{"999\\-9999", 3, "-"}, Row{"999\\-9999", 7, ""},
        Row{"999\\-9999", 8, ""}, Row{"!\\(99\\)9999", 0, "("}, Row{"!\\(99\\)9999", 2, ")"},
        Row{"99\"@x.jp\"", 2, "@x.jp"}, Row{"LL\\-<99", 2, "-"}, Row{"9", -1, ""}}) {
    EXPECT_EQ(MaskLiteralBefore(ParseStringMask(r.mask), r.position), r.literal) << r.mask << " at " << r.position;
  }
}

// --- edit layout and laying a text -----------------------------------------------------------------

TEST(BuildMaskEditLayout, MarkersByKind) {
  const MaskEditLayout layout = BuildMaskEditLayout(ParseStringMask(">@@\\-@9LL"));
  ASSERT_EQ(layout.runs.size(), 4u);
  EXPECT_EQ(layout.runs[0], (MaskLayoutRun{'>', 0, ""}));
  EXPECT_EQ(layout.runs[1], (MaskLayoutRun{' ', 2, "-"}));
  EXPECT_EQ(layout.runs[2], (MaskLayoutRun{kMarkerDoubleByte, 1, ""}));
  EXPECT_EQ(layout.runs[3], (MaskLayoutRun{kMarkerSingleByte, 2, ""}));
  EXPECT_EQ(layout.totalPositions, 5);
  EXPECT_FALSE(layout.fillFromRight);

  const MaskEditLayout phone = BuildMaskEditLayout(ParseStringMask("!\\(99\\)9999\\-9999"));
  EXPECT_EQ(phone.prefix, "(");
  EXPECT_EQ(phone.totalPositions, 10);
  EXPECT_TRUE(phone.fillFromRight);

  const MaskEditLayout free = BuildMaskEditLayout(ParseStringMask(""));
  ASSERT_EQ(free.runs.size(), 1u);
  EXPECT_EQ(free.runs[0], (MaskLayoutRun{0, 0, ""}));
  EXPECT_EQ(BuildMaskEditLayout(ParseStringMask("<L")).runs[0].marker, '<');
}

struct LayRow {
  const char* name;
  MaskEditLayout layout;
  std::string text;
  bool fromRight;
  std::string value;
  std::string edit;
  bool cut;
};

MaskEditLayout LayoutOf(std::string_view mask) { return BuildMaskEditLayout(ParseStringMask(mask)); }

class LayOutTextTest : public testing::TestWithParam<LayRow> {};

TEST_P(LayOutTextTest, FillsRunsAndCompletesWithMarkers) {
  const LayRow& row = GetParam();
  const LaidText laid = LayOutText(row.layout, row.text, row.fromRight);
  EXPECT_EQ(laid.valueText, row.value);
  EXPECT_EQ(laid.editText, row.edit);
  EXPECT_EQ(laid.cut, row.cut);
  EXPECT_EQ(laid.contents.size(), row.layout.runs.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LayOutTextTest,
    testing::Values(
        LayRow{"FullText", LayoutOf("999\\-999"), "123456", false, "123456", "123-456", false},
        LayRow{"ShortTextMarkersOnRight", LayoutOf("999\\-999"), "12", false, "12" + kM1 + kM1 + kM1 + kM1,
               "12 -   ", false},
        LayRow{"RightFillMarkersOnLeft", LayoutOf("!999\\-999"), "12", true, kM1 + kM1 + kM1 + kM1 + "12",
               "   - 12", false},
        LayRow{"LongTextCutOnRight", LayoutOf("99"), "1234", false, "12", "12", true},
        LayRow{"LongTextCutOnLeftWhenRightFilled", LayoutOf("99"), "1234", true, "34", "34", true},
        LayRow{"ZeroMarkerPadsWithZero", MaskEditLayout{"", {{'0', 4, ""}}, 4, true}, "12", true, "0012", "0012",
               false},
        LayRow{"LiteralOnlyRunTakesWholeText", LayoutOf("hello"), "abc", false, "abc", "helloabc", false},
        LayRow{"CaseMarkerRunTakesNothing", LayoutOf(">LL"), "ab", false, "ab", "ab", false},
        LayRow{"DoubleByteMarkersShowFullWidthSpace", LayoutOf("@9@9"), "", false, kM2 + kM2, J("　　"), false},
        LayRow{"AtRunCompletedWithSpaces", LayoutOf("@@@"), "a", false, "a  ", "a  ", false}),
    [](const testing::TestParamInfo<LayRow>& info) { return info.param.name; });

TEST(MaskMarkers, RemovedAndShownByWholeCharacters) {
  EXPECT_EQ(RemoveMaskMarkers("a" + kM1 + "b" + kM2 + "c"), "abc");
  EXPECT_EQ(ShowMaskMarkers("a" + kM1 + kM2), "a " + J("　"));
  // 0x81 0x82 is one character and 0x9B 0x40 another: the bytes 0x82 0x9B straddle them.
  const std::string straddling = "\x81\x82\x9B\x40";
  EXPECT_EQ(RemoveMaskMarkers(straddling), straddling);
  EXPECT_EQ(ShowMaskMarkers(straddling), straddling);
}

TEST(ConvertCase, OnlyLettersChange) {
  EXPECT_EQ(ConvertCase('Q', MaskKind::kLowerCase), 'q');
  EXPECT_EQ(ConvertCase('q', MaskKind::kUpperCase), 'Q');
  EXPECT_EQ(ConvertCase('q', MaskKind::kLowerCase), 'q');
  EXPECT_EQ(ConvertCase('@', MaskKind::kUpperCase), '@');  // 0x40, just before "A"
  EXPECT_EQ(ConvertCase('[', MaskKind::kLowerCase), '[');  // 0x5B, just after "Z"
  EXPECT_EQ(ConvertCase(Code("Ｚ"), MaskKind::kLowerCase), Code("ｚ"));
  EXPECT_EQ(ConvertCase(Code("あ"), MaskKind::kUpperCase), Code("あ"));
  EXPECT_EQ(ConvertCase('a', MaskKind::kAny), 'a');
}

}  // namespace
}  // namespace vl
