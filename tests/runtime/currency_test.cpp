#include "runtime/currency.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>

#include "runtime/number_parse.h"

namespace vl {
namespace {

constexpr std::int64_t kMinUnits = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();

struct ParseRow {
  const char* name;
  const char* text;
  CurrencyParse status;
  std::int64_t units;  // ten-thousandths, when Ok
};
void PrintTo(const ParseRow& r, std::ostream* os) { *os << r.name; }

const ParseRow kParseRows[] = {
    {"UpperBoundExact", "922337203685477.5807", CurrencyParse::Ok, kMaxUnits},
    {"LowerBoundExact", "-922337203685477.5808", CurrencyParse::Ok, kMinUnits},
    {"OneAboveUpperBound", "922337203685477.5808", CurrencyParse::Overflow, 0},
    {"OneBelowLowerBound", "-922337203685477.5809", CurrencyParse::Overflow, 0},
    {"UpperBoundWithGrouping", "922,337,203,685,477.5807", CurrencyParse::Ok, kMaxUnits},
    {"RoundingPastUpperBound", "922337203685477.58075", CurrencyParse::Overflow, 0},
    {"HugeExponent", "1e30", CurrencyParse::Overflow, 0},
    {"TwentyDigitInteger", "99999999999999999999", CurrencyParse::Overflow, 0},
    {"Plain", "12.3456", CurrencyParse::Ok, 123456},
    {"Negative", "-12.3456", CurrencyParse::Ok, -123456},
    {"ExplicitPlus", "+7", CurrencyParse::Ok, 70000},
    {"SurroundingSpaces", "  1,234.5 ", CurrencyParse::Ok, 12345000},
    {"Exponent", "1e3", CurrencyParse::Ok, 10000000},
    {"NegativeExponent", "125E-4", CurrencyParse::Ok, 125},
    {"ExponentWithFraction", "1.23456e2", CurrencyParse::Ok, 1234560},
    {"LeadingPoint", ".5", CurrencyParse::Ok, 5000},
    {"TrailingPoint", "5.", CurrencyParse::Ok, 50000},
    {"LeadingZeros", "000123", CurrencyParse::Ok, 1230000},
    {"NegativeZero", "-0", CurrencyParse::Ok, 0},
    {"HalfDownToEven", "0.00005", CurrencyParse::Ok, 0},
    {"HalfUpToEven", "0.00015", CurrencyParse::Ok, 2},
    {"HalfWithMoreDigitsGoesUp", "0.000050001", CurrencyParse::Ok, 1},
    {"BelowHalfGoesDown", "1.23454999", CurrencyParse::Ok, 12345},
    {"NegativeHalfToEven", "-2.00025", CurrencyParse::Ok, -20002},
    {"FarBelowOneUnit", "0.000009", CurrencyParse::Ok, 0},
    {"ManyDecimalsExact", "1.00000000000000000000000000001", CurrencyParse::Ok, 10000},
    {"Hexadecimal", "&H1F", CurrencyParse::Ok, 310000},
    {"Octal", "&O17", CurrencyParse::Ok, 150000},
    {"HexSixteenBitIsSigned", "&HFFFF", CurrencyParse::Ok, -10000},
    {"Empty", "", CurrencyParse::NotANumber, 0},
    {"OnlySpaces", "   ", CurrencyParse::NotANumber, 0},
    {"Letters", "abc", CurrencyParse::NotANumber, 0},
    {"TrailingJunk", "12x", CurrencyParse::NotANumber, 0},
    {"TwoPoints", "1.2.3", CurrencyParse::NotANumber, 0},
    {"SignOnly", "-", CurrencyParse::NotANumber, 0},
    {"ExponentWithoutDigits", "1e", CurrencyParse::NotANumber, 0},
    {"LeadingComma", ",5", CurrencyParse::NotANumber, 0},
    {"CommaInDecimals", "1.2,3", CurrencyParse::NotANumber, 0},
    {"SpaceInside", "1 2", CurrencyParse::NotANumber, 0},
    {"BadOctalDigit", "&O8", CurrencyParse::NotANumber, 0},
};

class CurrencyParseTable : public ::testing::TestWithParam<ParseRow> {};

TEST_P(CurrencyParseTable, Reads) {
  const auto& r = GetParam();
  Currency out{-42};
  EXPECT_EQ(ParseCurrency(r.text, out), r.status);
  EXPECT_EQ(out.value, r.status == CurrencyParse::Ok ? r.units : -42) << "failure must leave out alone";
}

INSTANTIATE_TEST_SUITE_P(Rows, CurrencyParseTable, ::testing::ValuesIn(kParseRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextRow {
  const char* name;
  std::int64_t units;
  const char* text;
};
void PrintTo(const TextRow& r, std::ostream* os) { *os << r.name; }

const TextRow kTextRows[] = {
    {"Zero", 0, "0"},
    {"Integral", 120000, "12"},
    {"TrailingZerosDropped", 125000, "12.5"},
    {"AllFourDecimals", -123456, "-12.3456"},
    {"LeadingDecimalZeros", 1, "0.0001"},
    {"NegativeBelowOne", -5000, "-0.5"},
    {"UpperBound", kMaxUnits, "922337203685477.5807"},
    {"LowerBound", kMinUnits, "-922337203685477.5808"},
};

class CurrencyTextTable : public ::testing::TestWithParam<TextRow> {};

TEST_P(CurrencyTextTable, WritesShortestTextThatReadsBack) {
  const auto& r = GetParam();
  EXPECT_EQ(CurrencyToText(Currency{r.units}), r.text);
  Currency back;
  ASSERT_EQ(ParseCurrency(r.text, back), CurrencyParse::Ok);
  EXPECT_EQ(back.value, r.units);
}

INSTANTIATE_TEST_SUITE_P(Rows, CurrencyTextTable, ::testing::ValuesIn(kTextRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecimalNumber, HexWidthsDecideTheSign) {
  struct Row { const char* text; std::int64_t value; };
  for (const auto& r : {Row{"&HFF", 255}, Row{"&HFFFF", -1}, Row{"&H8000", -32768},
                        Row{"&H10000", 65536}, Row{"&HFFFFFFFF", -1}, Row{"&H80000000", -2147483648LL},
                        Row{"&H100000000", 4294967296LL}, Row{"&hff", 255}, Row{" &O777 ", 511}}) {
    auto n = ParseDecimalNumber(r.text);
    ASSERT_TRUE(n.has_value()) << r.text;
    std::int64_t v = 0;
    ASSERT_EQ(ScaleToInt64(*n, 0, v), ScaleStatus::Ok) << r.text;
    EXPECT_EQ(v, r.value) << r.text;
  }
  auto wide = ParseDecimalNumber("&H10000000000000000");
  ASSERT_TRUE(wide.has_value());
  double d = 0;
  EXPECT_EQ(ToDouble(*wide, d), ScaleStatus::Overflow);
}

TEST(DecimalNumber, DoubleIsRoundedOnce) {
  struct Row { const char* text; double value; ScaleStatus status; };
  for (const auto& r : {Row{"0.1", 0.1, ScaleStatus::Ok}, Row{"-1,234.5e-1", -123.45, ScaleStatus::Ok},
                        Row{"1.7976931348623157e308", 1.7976931348623157e308, ScaleStatus::Ok},
                        Row{"1.8e308", 0, ScaleStatus::Overflow}, Row{"1e-400", 0.0, ScaleStatus::Ok},
                        Row{"9007199254740993", 9007199254740992.0, ScaleStatus::Ok}}) {
    auto n = ParseDecimalNumber(r.text);
    ASSERT_TRUE(n.has_value()) << r.text;
    double d = -7;
    EXPECT_EQ(ToDouble(*n, d), r.status) << r.text;
    if (r.status == ScaleStatus::Ok) {
      EXPECT_EQ(d, r.value) << r.text;
    }
  }
}

}  // namespace
}  // namespace vl
