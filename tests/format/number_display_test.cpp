#include "format/number_display.h"

#include <gtest/gtest.h>

#include <string>

#include "display_rows.h"
#include "text/encoding.h"

namespace vl {
namespace {

std::string Sj(const std::string& utf8) { return Cp932Literal(utf8); }

using display_test::DisplayRow;
using display_test::DisplayTest;
using display_test::kNeg;
using display_test::kNull;
using display_test::kPos;
using display_test::kZero;

TEST_P(DisplayTest, ChoosesSectionAndFormats) {
  const DisplayRow& row = GetParam();
  const std::string format = Sj(row.format);
  const std::string expected = Sj(row.expected);
  EXPECT_EQ(FormatNumberForDisplay(row.number, row.signClass, MakeFormatSectionSet(format)),
            expected)
      << "one-shot";
  EXPECT_EQ(NumberDisplayFormat(std::string_view(format)).Format(row.number, row.signClass),
            expected)
      << "parsed once";
}

const DisplayRow kDisplayRows[] = {
    // «###;;;"null"»: empty negative and zero sections fall back to the positive one.
    {"EmptyNegativeSectionKeepsMinus", "###;;;\"null\"", "-12", kNeg, "-12"},
    {"EmptyZeroSectionUsesPositive", "###;;;\"null\"", "0", kZero, ""},
    {"NullSectionShowsItsWord", "###;;;\"null\"", "", kNull, "null"},
    {"NullSectionIgnoresCallersText", "###;;;\"null\"", "123", kNull, "null"},
    {"PositiveValue", "###;;;\"null\"", "12", kPos, "12"},
    // The triangle preset and its counterpart without a negative section.
    {"NegativeSectionDropsMinus", "##,###;\"△\"##,###;;\"null\"", "-1234", kNeg, "△1,234"},
    {"NoNegativeSectionShowsMinus", "##,###", "-1234", kNeg, "-1,234"},
    {"ParenthesisNegativeSection", "##,###;\"(\"##,###\")\";;\"null\"", "-1234", kNeg, "(1,234)"},
    {"NegativeSectionWithoutMinusInText", "0;\"△\"0", "5", kNeg, "△5"},
    // The percent preset.
    {"PercentZeroSection", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "0", kZero, "0%"},
    {"PercentNullSectionIsEscapedPercent", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "", kNull, "%"},
    {"PercentNegativeSectionKeepsClosingParenthesis", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "-0.5",
     kNeg, "(50.00%)"},
    {"PercentPositive", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "0.12345", kPos, "12.35%"},
    // Currency preset: an escaped backslash (shown as the yen sign) before the digits.
    {"CurrencyNegativeSectionWithPrefix", "\\\\##,###,###.###;\\\\\"△\"##,###,###.###;;\"null\"",
     "-1234.5", kNeg, "\\△1,234.5"},
    {"CurrencyNoNegativeSection", "\\\\##,###,###.###;;;\"null\"", "-1234.5", kNeg, "\\-1,234.5"},
    // Null without a Null section: the positive section with the caller's text.
    {"NullWithoutNullSectionShowsPositiveLiterals", "\"$\"#,##0", "", kNull, "$"},
    {"NullWithoutNullSectionUsesCallersText", "#,##0", "1234", kNull, "1,234"},
    {"NullWithEmptyPositiveShowsCallersText", ";\"neg\"", "", kNull, ""},
    // Empty sections and formats.
    {"EmptyFormatShowsNumberText", "", "-0012.50", kNeg, "-0012.50"},
    {"EmptyPositiveSectionShowsNumberText", ";\"neg\"", "12.50", kPos, "12.50"},
    {"ZeroSectionTakesPrecedence", "0.00;;\"ゼロ\"", "0", kZero, "ゼロ"},
    {"FullWidthSeparatorsSelectSections", "0；\"△\"0；\"ゼロ\"；\"なし\"", "-3", kNeg, "△3"},
    {"FullWidthSeparatorNullSection", "0；\"△\"0；\"ゼロ\"；\"なし\"", "", kNull, "なし"},
    {"SectionsAfterFourthHaveNoEffect", "0;\"neg\";\"zero\";\"null\";\"five\";\"six\"", "", kNull,
     "null"},
    {"FifthSectionNeverChosen", "0;;;;\"five\"", "", kNull, ""},
};
INSTANTIATE_TEST_SUITE_P(Rows, DisplayTest, ::testing::ValuesIn(kDisplayRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberDisplayFormat, DefaultShowsNumberText) {
  EXPECT_EQ(NumberDisplayFormat().Format("-1.50", SignClass::Negative), "-1.50");
}

TEST(NumberDisplayFormat, KeepsItsSectionSet) {
  const NumberDisplayFormat format(std::string_view("0;;;\"null\""));
  EXPECT_TRUE(format.Sections().hasNull);
  EXPECT_FALSE(format.Sections().hasNegative);
  EXPECT_EQ(format.Positive().spec.intDigits, 1);
}

struct SignRow {
  const char* name;
  std::string number;
  SignClass expected;
};

class SignClassOfNumberTextTest : public ::testing::TestWithParam<SignRow> {};

TEST_P(SignClassOfNumberTextTest, ClassifiesText) {
  EXPECT_EQ(SignClassOfNumberText(GetParam().number), GetParam().expected);
}

const SignRow kSignRows[] = {
    {"Negative", "-1.5", kNeg},
    {"NegativeFractionOnly", "-0.001", kNeg},
    {"NegativeZeroIsZero", "-0.00", kZero},
    {"Zero", "0", kZero},
    {"Positive", "12", kPos},
    {"PlusSignPositive", "+3", kPos},
    {"EmptyIsNull", "", kNull},
    {"NoDigitsIsPositive", "abc", kPos},
};
INSTANTIATE_TEST_SUITE_P(Rows, SignClassOfNumberTextTest, ::testing::ValuesIn(kSignRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl
