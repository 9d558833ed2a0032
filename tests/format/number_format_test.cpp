#include "format/number_format.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace vl {
namespace {

std::string Sj(const std::string& utf8) { return Cp932Literal(utf8); }

// ---------------------------------------------------------------------------------------------
// FormatNumberText: each row runs through the one-shot form and the parsed-once form.

struct FormatRow {
  const char* name;
  std::string section;
  std::string number;
  std::string expected;
};

class FormatNumberTextTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatNumberTextTest, ShowsNumberThroughSection) {
  const FormatRow& row = GetParam();
  const std::string section = Sj(row.section);
  const std::string expected = Sj(row.expected);
  EXPECT_EQ(FormatNumberText(row.number, std::string_view(section)), expected) << "one-shot";
  EXPECT_EQ(FormatNumberText(row.number, ParseNumberSection(section)), expected) << "parsed once";
}

const FormatRow kWorkedRows[] = {
    {"GroupsThousands", "#,##0", "1234567", "1,234,567"},
    {"ZeroPlaceholderShowsZero", "#,##0", "0", "0"},
    {"HashOnlyShowsNothingForZero", "#,###", "0", ""},
    {"ZeroPlaceholdersPadAndGroup", "00,000", "12", "00,012"},
    {"ZeroEndedFractionRounds", "#,##0.000", "1.23456", "1.235"},
    {"HashEndedFractionTruncates", "#,###.###", "1.23456", "1.234"},
    {"HashFractionKeepsLonePoint", "#,###.###", "2", "2."},
    {"HighDigitsWithoutPlaceholderAreCut", "###", "12345", "345"},
    {"EscapedBackslashThenSignAfterPrefix", "\\\\##,###", "-1234", "\\-1,234"},
    {"QuotedDoubleBytePrefix", "\"△\"#,##0", "1234", "△1,234"},
};
INSTANTIATE_TEST_SUITE_P(Worked, FormatNumberTextTest, ::testing::ValuesIn(kWorkedRows),
                         [](const auto& info) { return std::string(info.param.name); });

const FormatRow kPlainEdgeRows[] = {
    {"HalfCentRoundsUpOnDecimalDigits", "0.00", "0.005", "0.01"},
    {"BelowHalfCentRoundsDown", "0.00", "0.004", "0.00"},
    {"HashHashShowsOnlyPointForTinyValue", "#.##", "0.004", "."},
    {"HashIntegerHidesLeadingZero", "#.##", "0.5", ".5"},
    {"QuotedTextOnlyShowsTextForAnyNumber", "\"null\"", "1234.5", "null"},
    {"QuotedTextOnlyShowsTextForEmptyNumber", "\"null\"", "", "null"},
    {"UnquotedLettersDropped", "#,##0円", "1000", "1,000"},
    {"PointBeforePlaceholdersDropped", ".00", "5", "05"},
    {"PointBeforePlaceholdersNoFraction", ".00", "5.7", "06"},
    {"PlusInSectionIsLiteral", "+#", "5", "+5"},
    {"MinusInSectionIsLiteral", "-#", "5", "-5"},
    {"LeadingPlusKeptAfterPrefix", "\"$\"#,##0", "+5", "$+5"},
    {"MinusStandsAfterPrefix", "\"$\"#,##0", "-5", "$-5"},
    {"NoNegativeSectionKeepsMinus", "##,###", "-1234", "-1,234"},
    {"EmptySectionReturnsNumberTextUnchanged", "", "-0012.50", "-0012.50"},
    {"EmptyNumberShowsLiteralsOnly", "\"<\"#,##0\">\"", "", "<>"},
    {"UnreadableNumberShowsLiteralsOnly", "\"<\"#,##0\">\"", "1a", "<>"},
    {"SecondPointIsUnreadable", "0.00", "1.2.3", ""},
    {"LonePlusShowsLiteralsOnly", "\"<\"0", "+", "<"},
    {"LonePointIsZero", "0.00", ".", "0.00"},
    {"LeadingZerosOfNumberTextIgnored", "0", "007", "7"},
    {"TrailingZerosOfFractionIgnored", "0.##", "1.500", "1.5"},
    {"RoundingCarryIntoGroupedInteger", "#,##0.00", "9.999", "10.00"},
    {"RoundingCarryCutByUngroupedPlaceholders", "0.00", "9.999", "0.00"},
    {"RoundingCarryCutAgainByPlaceholders", "##", "99.5", "00"},
    {"GroupingAppliesToRoundedInteger", "#,##0", "999999.5", "1,000,000"},
    {"NegativeFractionKeepsSign", "#,##0.00", "-1234.5", "-1,234.50"},
    {"TinyNegativeKeepsSignInPlainStyle", "0.00", "-0.001", "-0.00"},
    {"LongZeroPattern", "0,000,000,000", "12", "0,000,000,012"},
    {"MixedFractionPadsToZeroCount", "0.0#", "1", "1.0"},
    {"MixedFractionTruncatesAtHashEnd", "0.0#", "1.256", "1.25"},
    {"CommaPositionDoesNotMatter", "#0,", "1234567", "1,234,567"},
    {"GroupedPatternShowsEveryIntegerDigit", "#,###", "123456789012", "123,456,789,012"},
    {"GroupedPatternStillPadsToZeroCount", "0,000", "5", "0,005"},
    {"ThreeRunsPadToZeroCount", "#0#", "5", "5"},
    {"ThreeRunsEndingInHashHideZero", "#0#", "0", ""},
    {"ZeroRunEndingInZeroShowsZero", "#0", "0", "0"},
    {"SuffixAfterNumber", "#,##0\" 円\"", "1000", "1,000 円"},
    {"PointAndSuffix", "0.\" kg\"", "3", "3. kg"},
    {"PlaceholdersAfterSuffixIgnored", "0 0", "12", "2 "},
    {"ParenthesesAreLiteral", "(#,##0)", "1234", "(1,234)"},
    {"EscapedPlaceholderIsLiteral", "0\\0", "5", "50"},
    {"EscapedPercentStaysPlain", "0\\%", "5", "5%"},
    {"BackslashInsideQuotesIsText", "\"\\\"0", "5", "\\5"},
    {"UnterminatedQuoteRunsToEnd", "0\"abc", "5", "5abc"},
    {"EscapedDoubleByteCharacterIsLiteral", "\\△0", "5", "△5"},
    // ソ ends in 0x5C, ウ in "E", テ in "e": unquoted, each is dropped whole, so none escapes the
    // next placeholder or turns the section scientific.
    {"TrailBackslashDoesNotEscape", "0ソ0", "5", "05"},
    {"TrailUpperEDoesNotMakeScientific", "0ウ", "5", "5"},
    {"TrailLowerEDoesNotMakeScientific", "0テ", "5", "5"},
    {"HugeIntegerBeyondRoundingLimitShowsLiterals", "\"<\",", std::string(600, '9'), "<"},
};
INSTANTIATE_TEST_SUITE_P(Plain, FormatNumberTextTest, ::testing::ValuesIn(kPlainEdgeRows),
                         [](const auto& info) { return std::string(info.param.name); });

const FormatRow kPercentRows[] = {
    {"ScalesAndRoundsFromSixDigits", "##0.00%", "0.12345", "12.35%"},
    {"WholePercent", "0%", "1", "100%"},
    {"PlaceholdersDoNotCutBeforeScaling", "0%", "12", "1200%"},
    {"FractionNotTruncatedBeforeScaling", "0.#%", "0.12345", "12.3%"},
    {"NoGrouping", "#,##0%", "12345", "1234500%"},
    {"MinusBeforeNegative", "0.00%", "-0.5", "-50.00%"},
    {"LeadingPlusAccepted", "0%", "+0.5", "50%"},
    {"SuffixAfterPercent", "\"(\"##0.00%\")\"", "0.5", "(50.00%)"},
    {"PrefixBeforeNumber", "\"r=\"0%", "0.25", "r=25%"},
    {"NoLeadingZeroSuppression", "#.##%", "0.001", "0.10%"},
    {"EmptyNumberShowsPercentSignOnly", "\"(\"0%\")\"", "", "(%)"},
    {"UnreadableNumberShowsPercentSignOnly", "0%", "x", "%"},
    {"TinyNegativeLosesSign", "0%", "-0.00001", "0%"},
    {"OverflowAfterScalingShowsPercentSignOnly", "0%", "1" + std::string(308, '0'), "%"},
    {"LastStyleCharacterWinsPercent", "0E%", "0.5", "50%"},
};
INSTANTIATE_TEST_SUITE_P(Percent, FormatNumberTextTest, ::testing::ValuesIn(kPercentRows),
                         [](const auto& info) { return std::string(info.param.name); });

const FormatRow kScientificRows[] = {
    {"ThreeExponentDigits", "0.00E", "1.5", "1.50E+000"},
    {"LowerCaseE", "0.000e", "-12346", "-1.235e+004"},
    {"NegativeExponent", "0.00E", "0.000001", "1.00E-006"},
    {"ZeroHasZeroExponent", "0.00E", "0", "0.00E+000"},
    {"NegativeZeroShowsAsZero", "0.00E", "-0", "0.00E+000"},
    {"NoFractionPlaceholders", "0E", "12", "1E+001"},
    {"PlaceholdersDoNotCutBeforePrinting", "0.00E", "12345", "1.23E+004"},
    {"LargeExponentKeepsItsDigits", "0.0E", "1" + std::string(200, '0'), "1.0E+200"},
    {"PrefixAndSuffix", "\"[\"0.0e\"]\"", "250", "[2.5e+002]"},
    {"LastStyleCharacterWinsScientific", "0%.0E", "0.5", "5.0E-001"},
    {"EmptyNumberShowsLiteralsOnly", "\"[\"0.0E\"]\"", "", "[]"},
    {"BeyondDoubleShowsLiteralsOnly", "\"[\"0.0E\"]\"", "1" + std::string(400, '0'), "[]"},
    {"BelowDoubleReadsAsZero", "0.0E", "0." + std::string(400, '0') + "1", "0.0E+000"},
    {"UnquotedWordWithEIsScientific", "0.0 none", "5", "5.0e+000 "},
};
INSTANTIATE_TEST_SUITE_P(Scientific, FormatNumberTextTest, ::testing::ValuesIn(kScientificRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// ParseNumberFormat: the descriptor itself.

TEST(ParseNumberFormat, GroupedFractionPattern) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat("#,##0.00", spec));
  EXPECT_EQ(spec.style, NumberStyle::Plain);
  EXPECT_EQ(spec.intDigits, 4);
  EXPECT_EQ(spec.fracDigits, 2);
  EXPECT_TRUE(spec.hasDecimalPoint);
  EXPECT_TRUE(spec.hasThousands);
  EXPECT_EQ(spec.intPattern, "#,##0");
  EXPECT_EQ(spec.fracPattern, "00");
  EXPECT_EQ(spec.prefix, "");
  EXPECT_EQ(spec.suffix, "");
  const std::vector<DigitRun> runs = {{true, DigitKind::Optional, 3},
                                      {true, DigitKind::Required, 1},
                                      {false, DigitKind::Required, 2}};
  EXPECT_EQ(spec.runs, runs);
  EXPECT_EQ(spec.MinIntDigits(), 1);
  EXPECT_EQ(spec.MinFracDigits(), 2);
}

TEST(ParseNumberFormat, ThreeRunsCountMinimumFromZeroRunsOnly) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat("#0#", spec));
  EXPECT_EQ(spec.runs.size(), 3u);
  EXPECT_EQ(spec.intDigits, 3);
  EXPECT_EQ(spec.MinIntDigits(), 1);
}

TEST(ParseNumberFormat, PointStartsNewRunEvenOfSameKind) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat("00.00", spec));
  const std::vector<DigitRun> runs = {{true, DigitKind::Required, 2},
                                      {false, DigitKind::Required, 2}};
  EXPECT_EQ(spec.runs, runs);
}

TEST(ParseNumberFormat, PointBeforePlaceholdersIsDropped) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat(".00", spec));
  EXPECT_FALSE(spec.hasDecimalPoint);
  EXPECT_EQ(spec.intDigits, 2);
  EXPECT_EQ(spec.fracDigits, 0);
  EXPECT_EQ(spec.intPattern, "00");
}

TEST(ParseNumberFormat, CommaAfterPointGoesToFractionPattern) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat("0.0,0", spec));
  EXPECT_EQ(spec.fracPattern, "0,0");
  EXPECT_EQ(spec.fracDigits, 2);
  EXPECT_TRUE(spec.hasThousands);
}

TEST(ParseNumberFormat, PrefixAndSuffixKeepQuotedAndEscapedText) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat(Sj("\"△\"$#,##0\" 円\"\\)"), spec));
  EXPECT_EQ(spec.prefix, Sj("△$"));
  EXPECT_EQ(spec.suffix, Sj(" 円)"));
}

TEST(ParseNumberFormat, PlaceholdersAfterSuffixAreNotCounted) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat("0 00", spec));
  EXPECT_EQ(spec.intDigits, 1);
  EXPECT_EQ(spec.suffix, " ");
  EXPECT_EQ(spec.runs.size(), 1u);
}

TEST(ParseNumberFormat, ReparsingResetsTheDescriptor) {
  NumberFormatSpec spec;
  ASSERT_TRUE(ParseNumberFormat("\"x\"#,##0.00%", spec));
  ASSERT_TRUE(ParseNumberFormat("0", spec));
  NumberFormatSpec fresh;
  ASSERT_TRUE(ParseNumberFormat("0", fresh));
  EXPECT_EQ(spec, fresh);
}

struct FormatCharsRow {
  const char* name;
  std::string section;
  bool hasFormatChars;
  NumberStyle style;
};

class ParseNumberFormatCharsTest : public ::testing::TestWithParam<FormatCharsRow> {};

TEST_P(ParseNumberFormatCharsTest, ReportsFormatCharactersAndStyle) {
  const FormatCharsRow& row = GetParam();
  NumberFormatSpec spec;
  EXPECT_EQ(ParseNumberFormat(Sj(row.section), spec), row.hasFormatChars);
  EXPECT_EQ(spec.style, row.style);
}

const FormatCharsRow kFormatCharsRows[] = {
    {"EmptySection", "", false, NumberStyle::Plain},
    {"QuotedWordOnly", "\"null\"", false, NumberStyle::Plain},
    {"EscapedPercentOnly", "\\%", false, NumberStyle::Plain},
    {"UnquotedWordWithoutFormatLetters", "null", false, NumberStyle::Plain},
    {"UnquotedDoubleByteOnly", "なし", false, NumberStyle::Plain},
    {"LonePointIsFormatCharacter", ".", true, NumberStyle::Plain},
    {"LoneCommaIsFormatCharacter", ",", true, NumberStyle::Plain},
    {"PercentStyle", "0%", true, NumberStyle::Percent},
    {"UpperScientific", "0.00E", true, NumberStyle::ScientificUpper},
    {"LowerScientific", "0.00e", true, NumberStyle::ScientificLower},
    {"LastStyleWins", "0%eE", true, NumberStyle::ScientificUpper},
    {"UnquotedWordWithE", "none", true, NumberStyle::ScientificLower},
    {"QuotedEIsText", "0\"E\"", true, NumberStyle::Plain},
    {"TrailByteEIsNotStyle", "0ウテ", true, NumberStyle::Plain},
};
INSTANTIATE_TEST_SUITE_P(Rows, ParseNumberFormatCharsTest, ::testing::ValuesIn(kFormatCharsRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// GetNumberFormatCapacity

struct CapacityRow {
  const char* name;
  std::string section;
  NumberFormatCapacity expected;
};

class CapacityTest : public ::testing::TestWithParam<CapacityRow> {};

TEST_P(CapacityTest, CountsPlaceholdersOfPlainSections) {
  const CapacityRow& row = GetParam();
  EXPECT_EQ(GetNumberFormatCapacity(Sj(row.section)), row.expected);
}

const CapacityRow kCapacityRows[] = {
    {"GroupedFraction", "#,##0.000", {4, 3}},
    {"ScientificHasNoLimit", "0.00E", {-1, -1}},
    {"PercentHasNoLimit", "##0.00%", {-1, -1}},
    {"EmptySectionHasNoLimit", "", {-1, -1}},
    {"LiteralOnlySectionHoldsNothing", "\"null\"", {0, 0}},
    {"CurrencyPreset", "\\\\##,###,###.###", {8, 3}},
    {"PointBeforePlaceholdersCountsAsInteger", ".00", {2, 0}},
    {"DoublePresetFifteenEachSide", "###############.###############", {15, 15}},
};
INSTANTIATE_TEST_SUITE_P(Rows, CapacityTest, ::testing::ValuesIn(kCapacityRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// SplitNumberText

struct SplitNumberRow {
  const char* name;
  std::string number;
  bool trim;
  std::string sign;
  std::string intDigits;
  std::string fracDigits;
  bool hasPoint;
};

class SplitNumberTextTest : public ::testing::TestWithParam<SplitNumberRow> {};

TEST_P(SplitNumberTextTest, TakesNumberTextApart) {
  const SplitNumberRow& row = GetParam();
  const NumberTextParts parts = SplitNumberText(row.number, row.trim);
  EXPECT_EQ(parts.sign, row.sign);
  EXPECT_EQ(parts.intDigits, row.intDigits);
  EXPECT_EQ(parts.fracDigits, row.fracDigits);
  EXPECT_EQ(parts.hasPoint, row.hasPoint);
}

const SplitNumberRow kSplitNumberRows[] = {
    {"TrimLeadingZerosKeepsOneDigit", "007", true, "", "7", "", false},
    {"TrimAllZerosLeavesOneZero", "000", true, "", "0", "", false},
    {"TrimFractionToNothing", "5.000", true, "", "5", "", true},
    {"TrimBothEnds", "-0012.3400", true, "-", "12", "34", true},
    {"NoTrimKeepsZeros", "-0012.3400", false, "-", "0012", "3400", true},
    {"PlusSign", "+5", true, "+", "5", "", false},
    {"EmptyText", "", true, "", "", "", false},
    {"EmptyIntegerStaysEmpty", ".5", true, "", "", "5", true},
    {"OnlyFirstPointSplits", "1.2.3", false, "", "1", "2.3", true},
    {"OnlyOneSignTaken", "--5", false, "-", "-5", "", false},
};
INSTANTIATE_TEST_SUITE_P(Rows, SplitNumberTextTest, ::testing::ValuesIn(kSplitNumberRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl
