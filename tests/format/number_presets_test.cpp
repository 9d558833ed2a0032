// The numeric preset formats a user picks from the property page, shown in a box that does not
// have the focus, for a negative, a zero, a positive and a Null value of a matching type.
#include <gtest/gtest.h>

#include <string>

#include "display_rows.h"
#include "format/number_display.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vl {
namespace {

using display_test::DisplayRow;
using display_test::DisplayTest;
using display_test::kNeg;
using display_test::kNull;
using display_test::kPos;
using display_test::kZero;
using display_test::RowName;

// Integers: -1234, 0, 56 and Null. Ungrouped presets hold only their placeholders, so -1234 in a
// three-digit preset shows its last three digits.
const DisplayRow kIntegerRows[] = {
    {"HashNegativeCut", "###;;;\"null\"", "-1234", kNeg, "-234"},
    {"HashZeroEmpty", "###;;;\"null\"", "0", kZero, ""},
    {"HashPositive", "###;;;\"null\"", "56", kPos, "56"},
    {"HashNull", "###;;;\"null\"", "", kNull, "null"},
    {"ZerosNegative", "000;;;\"null\"", "-1234", kNeg, "-234"},
    {"ZerosZero", "000;;;\"null\"", "0", kZero, "000"},
    {"ZerosPositive", "000;;;\"null\"", "56", kPos, "056"},
    {"HashHashZeroZero", "##0;;;\"null\"", "0", kZero, "0"},
    {"GroupedHashNegative", "##,###;;;\"null\"", "-1234", kNeg, "-1,234"},
    {"GroupedHashZero", "##,###;;;\"null\"", "0", kZero, ""},
    {"GroupedHashTriangle", "##,###;\"△\"##,###;;\"null\"", "-1234", kNeg, "△1,234"},
    {"GroupedHashTrianglePositive", "##,###;\"△\"##,###;;\"null\"", "56", kPos, "56"},
    {"GroupedHashTriangleNull", "##,###;\"△\"##,###;;\"null\"", "", kNull, "null"},
    {"GroupedHashParentheses", "##,###;\"(\"##,###\")\";;\"null\"", "-1234", kNeg, "(1,234)"},
    {"GroupedZerosNegative", "00,000;;;\"null\"", "-1234", kNeg, "-01,234"},
    {"GroupedZerosZero", "00,000;;;\"null\"", "0", kZero, "00,000"},
    {"GroupedZerosPositive", "00,000;;;\"null\"", "56", kPos, "00,056"},
    {"GroupedZerosTriangle", "00,000;\"△\"00,000;;\"null\"", "-1234", kNeg, "△01,234"},
    {"GroupedZerosParentheses", "00,000;\"(\"00,000\")\";;\"null\"", "-1234", kNeg, "(01,234)"},
    {"GroupedOneZeroZero", "##,##0;;;\"null\"", "0", kZero, "0"},
    {"GroupedOneZeroTriangle", "##,##0;\"△\"##,##0;;\"null\"", "-1234", kNeg, "△1,234"},
    {"LongHashZero", "#,###,###,###;;;\"null\"", "0", kZero, ""},
    {"LongHashMax", "#,###,###,###;;;\"null\"", "2147483647", kPos, "2,147,483,647"},
    {"LongHashMinParentheses", "#,###,###,###;\"(\"#,###,###,###\")\";;\"null\"", "-2147483648",
     kNeg, "(2,147,483,648)"},
    {"LongZerosNegative", "0,000,000,000;;;\"null\"", "-1234", kNeg, "-0,000,001,234"},
    {"LongZerosZero", "0,000,000,000;;;\"null\"", "0", kZero, "0,000,000,000"},
    {"LongOneZeroZero", "#,###,###,##0;;;\"null\"", "0", kZero, "0"},
    {"LongOneZeroTriangle", "#,###,###,##0;\"△\"#,###,###,##0;;\"null\"", "-56", kNeg, "△56"},
};
INSTANTIATE_TEST_SUITE_P(PresetIntegers, DisplayTest, ::testing::ValuesIn(kIntegerRows), RowName);

// Fractions: -1234.5678, 0, 0.5 and Null. Patterns ending in "#" truncate, those ending in "0"
// round.
const DisplayRow kFractionRows[] = {
    {"HashNegativeTruncates", "#,###.###;;;\"null\"", "-1234.5678", kNeg, "-1,234.567"},
    {"HashZeroShowsOnlyPoint", "#,###.###;;;\"null\"", "0", kZero, "."},
    {"HashHalf", "#,###.###;;;\"null\"", "0.5", kPos, ".5"},
    {"HashNull", "#,###.###;;;\"null\"", "", kNull, "null"},
    {"HashTriangle", "#,###.###;\"△\"#,###.###;;\"null\"", "-1234.5678", kNeg, "△1,234.567"},
    {"HashParentheses", "#,###.###;\"(\"#,###.###\")\";;\"null\"", "-1234.5678", kNeg,
     "(1,234.567)"},
    {"ZerosNegativeRounds", "0,000.000;;;\"null\"", "-1234.5678", kNeg, "-1,234.568"},
    {"ZerosZero", "0,000.000;;;\"null\"", "0", kZero, "0,000.000"},
    {"ZerosHalf", "0,000.000;;;\"null\"", "0.5", kPos, "0,000.500"},
    {"OneZeroNegative", "#,##0.000;;;\"null\"", "-1234.5678", kNeg, "-1,234.568"},
    {"OneZeroZero", "#,##0.000;;;\"null\"", "0", kZero, "0.000"},
    {"OneZeroHalf", "#,##0.000;;;\"null\"", "0.5", kPos, "0.500"},
    {"OneZeroParentheses", "#,##0.000;\"(\"#,##0.000\")\";;\"null\"", "-1234.5678", kNeg,
     "(1,234.568)"},
    {"WideHashNegative", "###,###,###.#####;;;\"null\"", "-1234.5678", kNeg, "-1,234.5678"},
    {"WideHashZero", "###,###,###.#####;;;\"null\"", "0", kZero, "."},
    {"WideZerosNegative", "000,000,000.00000;;;\"null\"", "-1234.5678", kNeg, "-000,001,234.56780"},
    {"WideZerosZero", "000,000,000.00000;;;\"null\"", "0", kZero, "000,000,000.00000"},
    {"WideOneZeroHalf", "###,###,##0.00000;;;\"null\"", "0.5", kPos, "0.50000"},
    {"WideOneZeroTriangle", "###,###,##0.00000;\"△\"###,###,##0.00000;;\"null\"", "-1234.5678",
     kNeg, "△1,234.56780"},
};
INSTANTIATE_TEST_SUITE_P(PresetFractions, DisplayTest, ::testing::ValuesIn(kFractionRows), RowName);

const DisplayRow kScientificAndPercentRows[] = {
    {"UpperTwoPositive", "0.00E;;;\"null\"", "1234.5678", kPos, "1.23E+003"},
    {"UpperTwoNegative", "0.00E;;;\"null\"", "-1234.5678", kNeg, "-1.23E+003"},
    {"UpperTwoZero", "0.00E;;;\"null\"", "0", kZero, "0.00E+000"},
    {"UpperTwoNull", "0.00E;;;\"null\"", "", kNull, "null"},
    {"UpperThreePositive", "0.000E;;;\"null\"", "1234.5678", kPos, "1.235E+003"},
    {"LowerTwoSmall", "0.00e;;;\"null\"", "0.00012", kPos, "1.20e-004"},
    {"LowerThreeNegative", "0.000e;;;\"null\"", "-1234.5678", kNeg, "-1.235e+003"},
    {"PercentPositive", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "0.12345", kPos, "12.35%"},
    {"PercentNegative", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "-0.5", kNeg, "(50.00%)"},
    {"PercentZero", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "0", kZero, "0%"},
    {"PercentNull", "##0.00%;\"(\"##0.00%\")\";0%;\\%", "", kNull, "%"},
};
INSTANTIATE_TEST_SUITE_P(PresetScientificAndPercent, DisplayTest, ::testing::ValuesIn(kScientificAndPercentRows),
                         RowName);

// Currency: an escaped backslash, one literal backslash that a Japanese font shows as the yen
// sign, before the digits. Values -1234.5678, 0, 1234.5678 and Null.
const DisplayRow kCurrencyRows[] = {
    {"HashNegative", "\\\\##,###,###.###;;;\"null\"", "-1234.5678", kNeg, "\\-1,234.567"},
    {"HashZero", "\\\\##,###,###.###;;;\"null\"", "0", kZero, "\\."},
    {"HashPositive", "\\\\##,###,###.###;;;\"null\"", "1234.5678", kPos, "\\1,234.567"},
    {"HashNull", "\\\\##,###,###.###;;;\"null\"", "", kNull, "null"},
    {"HashTriangle", "\\\\##,###,###.###;\\\\\"△\"##,###,###.###;;\"null\"", "-1234.5678", kNeg,
     "\\△1,234.567"},
    {"WhollyQuotedSectionIsText", "\\\\##,###,###.###;\"(\\\\##,###,###.###)\";;\"null\"",
     "-1234.5678", kNeg, "(\\\\##,###,###.###)"},
    {"HashParentheses", "\\\\##,###,###.###;\"(\"\\\\##,###,###.###\")\";;\"null\"", "-1234.5678",
     kNeg, "(\\1,234.567)"},
    {"ZerosNegative", "\\\\00,000,000.000;;;\"null\"", "-1234.5678", kNeg, "\\-00,001,234.568"},
    {"ZerosZero", "\\\\00,000,000.000;;;\"null\"", "0", kZero, "\\00,000,000.000"},
    {"ZerosTriangle", "\\\\00,000,000.000;\\\\\"△\"00,000,000.000;;\"null\"", "-1234.5678", kNeg,
     "\\△00,001,234.568"},
    {"OneZeroZero", "\\\\##,###,##0.000;;;\"null\"", "0", kZero, "\\0.000"},
    {"OneZeroPositive", "\\\\##,###,##0.000;;;\"null\"", "1234.5678", kPos, "\\1,234.568"},
    {"OneZeroParentheses", "\\\\##,###,##0.000;\"(\"\\\\##,###,##0.000\")\";;\"null\"",
     "-1234.5678", kNeg, "(\\1,234.568)"},
};
INSTANTIATE_TEST_SUITE_P(PresetCurrency, DisplayTest, ::testing::ValuesIn(kCurrencyRows), RowName);

// The patterns a new Double or Single editor starts with, before the control's Format arrives.
const DisplayRow kEditorDefaultRows[] = {
    {"DoubleDefaultKeepsDigits", "###############.###############", "-1234.5", kNeg, "-1234.5"},
    {"DoubleDefaultZeroShowsPoint", "###############.###############", "0", kZero, "."},
    {"DoubleDefaultTruncatesSixteenthPlace", "###############.###############",
     "0.1234567890123456", kPos, ".123456789012345"},
    {"SingleDefaultCutsEighthIntegerDigit", "#######.#######", "123456789", kPos, "3456789."},
};
INSTANTIATE_TEST_SUITE_P(PresetEditorDefaults, DisplayTest, ::testing::ValuesIn(kEditorDefaultRows), RowName);

// Every numeric preset of the string table, in the three negative styles: the mark of the style
// shows and the minus sign does not, and Null shows the word null.
TEST(NumericPresetTable, EveryPresetShowsItsNegativeStyleAndNull) {
  const std::string triangle = Cp932Literal("△");
  int checked = 0;
  for (std::uint32_t id = 540; id <= 648; ++id) {
    if (!HasResourceString(id)) continue;
    const std::string& format = LoadResourceString(id);
    const NumberDisplayFormat display{std::string_view(format)};
    SCOPED_TRACE(::testing::Message() << "preset " << id);
    ++checked;
    EXPECT_EQ(display.Format("", SignClass::Null), "null");
    const std::string negative = display.Format("-123", SignClass::Negative);
    const FormatSectionSet& sections = display.Sections();
    if (!sections.hasNegative) {
      EXPECT_NE(negative.find("-"), std::string::npos) << negative;
    } else if (sections.negative.find(triangle) != std::string::npos) {
      EXPECT_NE(negative.find(triangle), std::string::npos) << negative;
      EXPECT_EQ(negative.find("-"), std::string::npos) << negative;
    } else {
      EXPECT_EQ(negative.front(), '(') << negative;
      EXPECT_EQ(negative.back(), ')') << negative;
      EXPECT_EQ(negative.find("-"), std::string::npos) << negative;
    }
    EXPECT_NE(negative.find("123"), std::string::npos) << negative;
  }
  EXPECT_GE(checked, 3 + 5 * 9);
}

}  // namespace
}  // namespace vl
