#include "format/number_display.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "display_rows.h"
#include "format/display_text.h"
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

// Doubles for the digits routes: halves that round to even, values just beside a rounding
// boundary, the smallest subnormals, magnitudes around 2^53 and 2^63, and a spread of bit patterns
// over every exponent from 2^-123 to 2^126.
std::vector<double> AwkwardDoubles() {
  std::vector<double> values = {0.0,
                                -0.0,
                                0.5e-6,
                                1.5e-6,
                                2.5e-6,
                                0.0000005000000001,
                                0.1234565,
                                0.1234575,
                                0.0078125,
                                0.0234375,
                                1e-7,
                                -1e-7,
                                12.5,
                                999999.9999995,
                                9.995,
                                -0.005,
                                999.996,
                                12345.675,
                                4.9e-324,
                                9007199254740993.0,
                                9.2233720368547758e18,
                                1.8446744073709552e19,
                                -1.7976931348623157e308,
                                1e22};
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 3000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const std::uint64_t exponent = 900 + (state >> 33) % 250;
    values.push_back(std::bit_cast<double>((state & 0x800FFFFFFFFFFFFFu) | (exponent << 52)));
  }
  return values;
}

// A Double's number text is printf's "%f" without trailing zeros, whatever route computes it.
TEST(NumberTextOfValue, DoubleMatchesPrintfFixedSix) {
  for (double x : AwkwardDoubles()) {
    char expected[400];
    std::snprintf(expected, sizeof expected, "%f", x);
    std::string trimmed = expected;
    while (trimmed.back() == '0') trimmed.pop_back();
    SignClass sign;
    EXPECT_EQ(NumberTextOfValue(VlTextDouble, TypedValue::R8(x), sign), trimmed) << x;
  }
}

// The display straight from the double shows what the number text shows, for every kind of
// section: rounding and truncating fractions, cut and grouped integers, each sign's section.
TEST(NumberDisplayFormat, DoubleShowsWhatItsTextShows) {
  const char* const formats[] = {"#,##0.00",
                                 "0.000",
                                 "#,##0",
                                 "###",
                                 "#.##",
                                 "0.00",
                                 "#,###.###",
                                 "00,000.0000000",
                                 "##,###;\"△\"##,###;\"ゼロ\"",
                                 "0.0%;\"(\"0.0%\")\"",
                                 "0.00E+00",
                                 "",
                                 ";\"neg\"",
                                 "\"only words\"",
                                 "#."};
  const std::vector<double> values = AwkwardDoubles();
  for (const char* f : formats) {
    const NumberDisplayFormat format{std::string_view(Sj(f))};
    for (double x : values) {
      SignClass sign;
      const std::string text = NumberTextOfValue(VlTextDouble, TypedValue::R8(x), sign);
      EXPECT_EQ(format.FormatDouble(x), format.Format(text, sign)) << f << " " << text;
    }
  }
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
