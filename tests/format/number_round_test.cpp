#include "format/number_round.h"

#include <gtest/gtest.h>

#include <string>

namespace vl {
namespace {

struct RoundRow {
  const char* name;
  std::string text;
  int fracDigits;
  bool ok;
  std::string expected;
};

class RoundDecimalTextTest : public ::testing::TestWithParam<RoundRow> {};

TEST_P(RoundDecimalTextTest, RoundsOnDecimalDigits) {
  const RoundRow& row = GetParam();
  std::string out = "untouched";
  EXPECT_EQ(RoundDecimalText(row.text, row.fracDigits, out), row.ok);
  if (row.ok) {
    EXPECT_EQ(out, row.expected);
  }
}

const RoundRow kRoundRows[] = {
    {"RoundsHalfUp", "1.23456", 3, true, "1.235"},
    {"RoundsBelowHalfDown", "1.23449", 3, true, "1.234"},
    {"HalfCentIsExactInDecimal", "0.005", 2, true, "0.01"},
    {"CarryThroughPointIntoNewDigit", "9.995", 2, true, "10.00"},
    {"CarryWithoutFraction", "99.5", 0, true, "100"},
    {"PadsWithZeros", "007", 2, true, "7.00"},
    {"HalfAwayFromZeroForNegative", "-2.5", 0, true, "-3"},
    {"EmptyIntegerGetsZero", ".5", 1, true, "0.5"},
    {"PointWithoutFraction", "5.", 2, true, "5.00"},
    {"LonePointIsZero", ".", 1, true, "0.0"},
    {"NegativeRoundingToZeroDropsSign", "-0.004", 2, true, "0.00"},
    {"NegativeZeroDropsSign", "-0", 0, true, "0"},
    {"NegativeCountIsZero", "1.5", -3, true, "2"},
    {"OnlyDigitBeyondCountMatters", "0.0049999", 2, true, "0.00"},
    {"EmptyTextFails", "", 2, false, ""},
    {"LoneMinusFails", "-", 2, false, ""},
    {"LetterFails", "12a", 2, false, ""},
    {"SecondPointFails", "1.2.3", 2, false, ""},
    {"PlusIsNotAccepted", "+1", 2, false, ""},
    {"SpaceFails", " 1", 0, false, ""},
    {"GroupSeparatorFails", "1,000", 0, false, ""},
    {"LongestResultAccepted", std::string(kMaxRoundedTextLength, '1'), 0, true,
     std::string(kMaxRoundedTextLength, '1')},
    {"OneCharacterTooLongFails", std::string(kMaxRoundedTextLength + 1, '1'), 0, false, ""},
    {"CarryBeyondLimitFails", std::string(kMaxRoundedTextLength, '9') + ".5", 0, false, ""},
    {"SignCountsTowardsLimit", "-" + std::string(kMaxRoundedTextLength, '1'), 0, false, ""},
    {"LongInputRoundedShortIsFine", "1." + std::string(2000, '4'), 2, true, "1.44"},
};
INSTANTIATE_TEST_SUITE_P(Rows, RoundDecimalTextTest, ::testing::ValuesIn(kRoundRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RoundDecimalPartsTo, AgreesWithWholeTextForm) {
  char buffer[kMaxRoundedTextLength + 1];
  const std::size_t n = RoundDecimalPartsTo(true, "12", true, "345", 2, buffer);
  EXPECT_EQ(std::string(buffer, n), "-12.35");
  EXPECT_EQ(RoundDecimalPartsTo(false, "", false, "", 2, buffer), 0u);
}

}  // namespace
}  // namespace vl
