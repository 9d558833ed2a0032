#include "runtime/coerce.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "runtime/date_serial.h"

namespace vl {

// Readable failures: "R8 2.5" rather than a byte dump.
void PrintTo(const Variant& v, std::ostream* os) {
  switch (v.Type()) {
    case VarType::Empty: *os << "Empty"; break;
    case VarType::Null: *os << "Null"; break;
    case VarType::I2: *os << "I2 " << v.AsI2(); break;
    case VarType::I4: *os << "I4 " << v.AsI4(); break;
    case VarType::I8: *os << "I8 " << v.AsI8(); break;
    case VarType::UI1: *os << "UI1 " << int{v.AsUI1()}; break;
    case VarType::R4: *os << "R4 " << v.AsR4(); break;
    case VarType::R8: *os << "R8 " << v.AsR8(); break;
    case VarType::Cy: *os << "Cy " << v.AsCy().value << "/10000"; break;
    case VarType::Date: *os << "Date " << v.AsDate(); break;
    case VarType::Bstr: *os << "Bstr \"" << v.AsBstr() << "\""; break;
    case VarType::Bool: *os << "Bool " << v.AsBoolRaw(); break;
    default: *os << "type " << static_cast<int>(v.Type()); break;
  }
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kFloatMax = std::numeric_limits<float>::max();

Variant Cy(std::int64_t units) { return Variant::Cy(Currency{units}); }
Variant Str(const char* s) { return Variant::Bstr(s); }

struct CoerceRow {
  const char* name;
  Variant in;
  VarType target;
  CoerceStatus status;
  Variant expected;  // when Ok
};
void PrintTo(const CoerceRow& r, std::ostream* os) { *os << r.name; }

const Variant kUntouched = Variant::Bstr("untouched");

std::vector<CoerceRow> Rows() {
  const auto Ok = CoerceStatus::Ok;
  const auto Overflow = CoerceStatus::Overflow;
  const auto Mismatch = CoerceStatus::TypeMismatch;
  const auto BadType = CoerceStatus::BadVarType;
  const Variant none;
  return {
      // Integers round half to the even neighbour.
      {"HalfDownToEven", Variant::R8(2.5), VarType::I2, Ok, Variant::I2(2)},
      {"HalfUpToEven", Variant::R8(3.5), VarType::I2, Ok, Variant::I2(4)},
      {"NegativeHalfToEven", Variant::R8(-2.5), VarType::I2, Ok, Variant::I2(-2)},
      {"NegativeHalfAwayToEven", Variant::R8(-3.5), VarType::I4, Ok, Variant::I4(-4)},
      {"ZeroPointFive", Variant::R8(0.5), VarType::I4, Ok, Variant::I4(0)},
      {"AboveHalfRoundsUp", Variant::R8(2.5000001), VarType::I2, Ok, Variant::I2(3)},
      {"BelowHalfRoundsDown", Variant::R8(-0.4), VarType::UI1, Ok, Variant::UI1(0)},
      {"TextHalfToEven", Str("2.5"), VarType::I2, Ok, Variant::I2(2)},
      {"TextHalfUp", Str("3.5"), VarType::I4, Ok, Variant::I4(4)},
      {"CurrencyHalfToEven", Cy(25000), VarType::I2, Ok, Variant::I2(2)},
      {"CurrencyHalfUp", Cy(35000), VarType::I2, Ok, Variant::I2(4)},
      {"SingleHalfToEven", Variant::R4(2.5f), VarType::UI1, Ok, Variant::UI1(2)},
      {"DateNoonToEvenDay", Variant::Date(36526.5), VarType::I4, Ok, Variant::I4(36526)},
      {"LowerBoundByRounding", Variant::R8(-32768.5), VarType::I2, Ok, Variant::I2(-32768)},
      {"Int64Minimum", Variant::R8(-9223372036854775808.0), VarType::I8, Ok,
       Variant::I8(std::numeric_limits<std::int64_t>::min())},
      // Out of range.
      {"LongToIntegerOverflow", Variant::I4(40000), VarType::I2, Overflow, none},
      {"RoundsPastIntegerMax", Variant::R8(32767.5), VarType::I2, Overflow, none},
      {"RoundsPastByteMax", Variant::R8(255.5), VarType::UI1, Overflow, none},
      {"ByteStopsShortOfMax", Variant::R8(254.5), VarType::UI1, Ok, Variant::UI1(254)},
      {"NegativeToByte", Variant::I2(-1), VarType::UI1, Overflow, none},
      {"RoundsPastLongMax", Variant::R8(2147483647.5), VarType::I4, Overflow, none},
      {"DoublePastInt64", Variant::R8(9223372036854775808.0), VarType::I8, Overflow, none},
      {"NaNToLong", Variant::R8(kNaN), VarType::I4, Overflow, none},
      {"InfinityToLong", Variant::R8(kInf), VarType::I4, Overflow, none},
      {"TextToIntegerOverflow", Str("40000"), VarType::I2, Overflow, none},
      {"TextToDoubleOverflow", Str("1e400"), VarType::R8, Overflow, none},
      {"DoubleToSingleOverflow", Variant::R8(1e300), VarType::R4, Overflow, none},
      {"JustAboveFloatMax", Variant::R8(3.4028235e38), VarType::R4, Overflow, none},
      {"FloatMaxFits", Variant::R8(kFloatMax), VarType::R4, Ok, Variant::R4(kFloatMax)},
      {"InfinityToSingle", Variant::R8(-kInf), VarType::R4, Overflow, none},
      {"TextRoundsToFloatMax", Str("3.40282350e38"), VarType::R4, Ok, Variant::R4(kFloatMax)},
      {"TextBeyondFloat", Str("1e39"), VarType::R4, Overflow, none},
      {"DoubleToCurrencyOverflow", Variant::R8(1e15), VarType::Cy, Overflow, none},
      {"NaNToCurrency", Variant::R8(kNaN), VarType::Cy, Overflow, none},
      {"Int64ToCurrencyOverflow", Variant::I8(922337203685478), VarType::Cy, Overflow, none},
      {"NumberAfterLastDate", Variant::R8(2958466.0), VarType::Date, Overflow, none},
      {"NumberBeforeFirstDate", Variant::I4(-657435), VarType::Date, Overflow, none},
      {"NaNToDate", Variant::R8(kNaN), VarType::Date, Overflow, none},
      {"DateToInteger", Variant::Date(36526.0), VarType::I2, Overflow, none},
      // Texts that are not numbers or dates.
      {"LettersToLong", Str("abc"), VarType::I4, Mismatch, none},
      {"EmptyTextToLong", Str(""), VarType::I4, Mismatch, none},
      {"DateTextToLong", Str("2000/01/02"), VarType::I4, Mismatch, none},
      {"LettersToDate", Str("abc"), VarType::Date, Mismatch, none},
      {"NoSuchDay", Str("2001/02/29"), VarType::Date, Mismatch, none},
      {"WordToBoolean", Str("maybe"), VarType::Bool, Mismatch, none},
      {"EmptyTextToBoolean", Str(""), VarType::Bool, Mismatch, none},
      // Sources with no value.
      {"NullToLong", Variant::Null(), VarType::I4, Mismatch, none},
      {"NullToText", Variant::Null(), VarType::Bstr, Mismatch, none},
      {"NullToEmpty", Variant::Null(), VarType::Empty, Mismatch, none},
      {"NullStaysNull", Variant::Null(), VarType::Null, Ok, Variant::Null()},
      {"EmptyToNull", Variant::Empty(), VarType::Null, Ok, Variant::Null()},
      {"EmptyToInteger", Variant::Empty(), VarType::I2, Ok, Variant::I2(0)},
      {"EmptyToText", Variant::Empty(), VarType::Bstr, Ok, Str("")},
      {"EmptyToBoolean", Variant::Empty(), VarType::Bool, Ok, Variant::Bool(false)},
      {"EmptyToDate", Variant::Empty(), VarType::Date, Ok, Variant::Date(0.0)},
      {"EmptyToCurrency", Variant::Empty(), VarType::Cy, Ok, Cy(0)},
      {"ObjectToLong", Variant::Object(std::make_shared<Dispatch>()), VarType::I4, Mismatch, none},
      {"ErrorToText", Variant::Error(5), VarType::Bstr, Mismatch, none},
      {"ToDecimalUnsupported", Variant::I4(1), VarType::Decimal, BadType, none},
      // Booleans.
      {"TrueToLong", Variant::Bool(true), VarType::I4, Ok, Variant::I4(-1)},
      {"TrueToDouble", Variant::Bool(true), VarType::R8, Ok, Variant::R8(-1.0)},
      {"TrueToCurrency", Variant::Bool(true), VarType::Cy, Ok, Cy(-10000)},
      {"FalseToByte", Variant::Bool(false), VarType::UI1, Ok, Variant::UI1(0)},
      {"TrueToByteOverflows", Variant::Bool(true), VarType::UI1, Overflow, none},
      {"OddTrueToInteger", Variant::BoolRaw(5), VarType::I2, Ok, Variant::I2(-1)},
      {"OddTrueToText", Variant::BoolRaw(5), VarType::Bstr, Ok, Str("True")},
      {"FalseToText", Variant::Bool(false), VarType::Bstr, Ok, Str("False")},
      {"NonzeroToTrue", Variant::I4(7), VarType::Bool, Ok, Variant::BoolRaw(-1)},
      {"FractionToTrue", Variant::R8(0.25), VarType::Bool, Ok, Variant::BoolRaw(-1)},
      {"ZeroToFalse", Variant::R8(0.0), VarType::Bool, Ok, Variant::Bool(false)},
      {"CurrencyToTrue", Cy(1), VarType::Bool, Ok, Variant::Bool(true)},
      {"WordTrueAnyCase", Str("TRUE"), VarType::Bool, Ok, Variant::Bool(true)},
      {"WordFalseWithSpaces", Str(" false "), VarType::Bool, Ok, Variant::Bool(false)},
      {"NumberTextToFalse", Str("0"), VarType::Bool, Ok, Variant::Bool(false)},
      {"NumberTextToTrue", Str("-3.5"), VarType::Bool, Ok, Variant::Bool(true)},
      {"WordTrueToLongIsNoNumber", Str("True"), VarType::I4, Mismatch, none},
      // Number spellings in text.
      {"Grouping", Str(" 1,234 "), VarType::I4, Ok, Variant::I4(1234)},
      {"Hexadecimal", Str("&H1F"), VarType::I4, Ok, Variant::I4(31)},
      {"Octal", Str("&O17"), VarType::I2, Ok, Variant::I2(15)},
      {"HexAllOnesIsMinusOne", Str("&HFFFF"), VarType::I4, Ok, Variant::I4(-1)},
      {"Exponent", Str("1e3"), VarType::I2, Ok, Variant::I2(1000)},
      {"NegativeExponentForm", Str("-1.5e1"), VarType::I4, Ok, Variant::I4(-15)},
      {"DecimalToDouble", Str("0.1"), VarType::R8, Ok, Variant::R8(0.1)},
      {"TextToCurrencyExact", Str("922337203685477.5807"), VarType::Cy, Ok,
       Cy(std::numeric_limits<std::int64_t>::max())},
      {"TextToDate", Str("2000/01/02 03:04:05"), VarType::Date, Ok,
       Variant::Date(36527.0 + (3 * 3600 + 4 * 60 + 5) / 86400.0)},
      // Dates and numbers share the serial.
      {"DateToDouble", Variant::Date(36526.25), VarType::R8, Ok, Variant::R8(36526.25)},
      {"DoubleToDate", Variant::R8(36526.0), VarType::Date, Ok, Variant::Date(36526.0)},
      {"LongToDate", Variant::I4(-1), VarType::Date, Ok, Variant::Date(-1.0)},
      {"CurrencyToDate", Cy(5000), VarType::Date, Ok, Variant::Date(0.5)},
      {"TrueToDate", Variant::Bool(true), VarType::Date, Ok, Variant::Date(-1.0)},
      {"DateToCurrency", Variant::Date(36526.25), VarType::Cy, Ok, Cy(365262500)},
      // Currency from binary values: the value as written, rounded half to even at four decimals.
      {"DoubleTenthToCurrency", Variant::R8(0.1), VarType::Cy, Ok, Cy(1000)},
      {"DoubleHalfDownToCurrency", Variant::R8(1.00005), VarType::Cy, Ok, Cy(10000)},
      {"DoubleHalfUpToCurrency", Variant::R8(1.00015), VarType::Cy, Ok, Cy(10002)},
      {"NegativeDoubleHalfToCurrency", Variant::R8(-2.00025), VarType::Cy, Ok, Cy(-20002)},
      {"SingleAsWrittenToCurrency", Variant::R4(1.00015f), VarType::Cy, Ok, Cy(10002)},
      {"CurrencyToDouble", Cy(123456), VarType::R8, Ok, Variant::R8(12.3456)},
      {"CurrencyToSingle", Cy(5), VarType::R4, Ok, Variant::R4(0.0005f)},
      {"DoubleToSingleRounds", Variant::R8(0.1), VarType::R4, Ok, Variant::R4(0.1f)},
      {"SingleToDoubleWidens", Variant::R4(0.1f), VarType::R8, Ok, Variant::R8(static_cast<double>(0.1f))},
      // Text of values.
      {"IntegerToText", Variant::I2(-32768), VarType::Bstr, Ok, Str("-32768")},
      {"ByteToText", Variant::UI1(255), VarType::Bstr, Ok, Str("255")},
      {"Int64ToText", Variant::I8(std::numeric_limits<std::int64_t>::min()), VarType::Bstr, Ok,
       Str("-9223372036854775808")},
      {"CurrencyToText", Cy(std::numeric_limits<std::int64_t>::max()), VarType::Bstr, Ok,
       Str("922337203685477.5807")},
      {"DoubleToText", Variant::R8(-2.5), VarType::Bstr, Ok, Str("-2.5")},
      {"SingleToText", Variant::R4(0.1f), VarType::Bstr, Ok, Str("0.1")},
      {"DateToText", Variant::Date(36527.0 + (3 * 3600 + 4 * 60 + 5) / 86400.0), VarType::Bstr, Ok,
       Str("2000/01/02 3:04:05")},
      {"MidnightIsDateOnly", Variant::Date(36527.0), VarType::Bstr, Ok, Str("2000/01/02")},
      {"DayZeroIsTimeOnly", Variant::Date(0.5), VarType::Bstr, Ok, Str("12:00:00")},
      {"SerialZeroIsMidnight", Variant::Date(0.0), VarType::Bstr, Ok, Str("0:00:00")},
      {"NegativeSerialText", Variant::Date(-1.25), VarType::Bstr, Ok, Str("1899/12/29 6:00:00")},
      {"FirstDateText", Variant::Date(kMinDateSerial), VarType::Bstr, Ok, Str("0100/01/01")},
      {"LastDateText", Variant::Date(kMaxDateSerial), VarType::Bstr, Ok, Str("9999/12/31 23:59:59")},
      {"InvalidDateHasNoText", Variant::Date(1e10), VarType::Bstr, Overflow, none},
      {"SameTypeCopies", Str("x"), VarType::Bstr, Ok, Str("x")},
  };
}

class CoerceTable : public ::testing::TestWithParam<CoerceRow> {};

TEST_P(CoerceTable, Converts) {
  const auto& r = GetParam();
  Variant out = kUntouched;
  EXPECT_EQ(ChangeType(r.in, r.target, out), r.status);
  if (r.status == CoerceStatus::Ok) {
    EXPECT_EQ(out, r.expected);
  } else {
    EXPECT_EQ(out, kUntouched) << "a failed conversion must leave the output alone";
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, CoerceTable, ::testing::ValuesIn(Rows()),
                         [](const auto& info) { return std::string(info.param.name); });

struct RealTextRow {
  const char* name;
  double value;
  const char* doubleText;
};
void PrintTo(const RealTextRow& r, std::ostream* os) { *os << r.name; }

const RealTextRow kDoubleTextRows[] = {
    {"IntegralHasNoPoint", 1.0, "1"},
    {"Hundred", 100.0, "100"},
    {"Tenth", 0.1, "0.1"},
    {"SumShowsFifteenDigits", 0.1 + 0.2, "0.3"},
    {"Third", 1.0 / 3.0, "0.333333333333333"},
    {"TwoThirdsRoundsLastDigit", 2.0 / 3.0, "0.666666666666667"},
    {"FifteenDigitInteger", 123456789012345.0, "123456789012345"},
    {"SixteenDigitsNeedExponent", 1234567890123456.0, "1.23456789012346E+15"},
    {"PowerFifteen", 1e15, "1E+15"},
    {"PowerSixteen", 1e16, "1E+16"},
    {"SmallestPlain", 0.0001, "0.0001"},
    {"SmallNeedsExponent", 0.00001, "1E-05"},
    {"SmallWithFraction", 1.5e-7, "1.5E-07"},
    {"ThreeDigitExponent", 1e-300, "1E-300"},
    {"LargestDouble", 1.7976931348623157e308, "1.79769313486232E+308"},
    {"Negative", -1234.5, "-1234.5"},
    {"NegativeZero", -0.0, "0"},
};

class DoubleTextTable : public ::testing::TestWithParam<RealTextRow> {};

TEST_P(DoubleTextTable, Writes) { EXPECT_EQ(DoubleToText(GetParam().value), GetParam().doubleText); }

INSTANTIATE_TEST_SUITE_P(Rows, DoubleTextTable, ::testing::ValuesIn(kDoubleTextRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SingleText, SevenSignificantDigits) {
  struct Row { float value; const char* text; };
  for (const auto& r : {Row{0.1f, "0.1"}, Row{1234567.0f, "1234567"}, Row{16777216.0f, "1.677722E+07"},
                        Row{kFloatMax, "3.402823E+38"}, Row{1.5e-7f, "1.5E-07"}, Row{-2.5f, "-2.5"},
                        Row{1.0f / 3.0f, "0.3333333"}}) {
    EXPECT_EQ(SingleToText(r.value), r.text) << r.text;
  }
}

TEST(Coerce, NumberTextReadsBackExactly) {
  // The text of a Double is what a user would retype: it must read back as the same Currency or
  // Long the conversion started from.
  for (std::int64_t units : {1LL, -1LL, 123456LL, 99999999LL, -5000LL}) {
    Variant text;
    ASSERT_EQ(ChangeType(Cy(units), VarType::Bstr, text), CoerceStatus::Ok);
    Variant back;
    ASSERT_EQ(ChangeType(text, VarType::Cy, back), CoerceStatus::Ok);
    EXPECT_EQ(back, Cy(units)) << text.AsBstr();
  }
}

TEST(Coerce, DateTextReadsBack) {
  for (double serial : {36527.0, 36527.0 + 11045.0 / 86400.0, 0.25, -1.25, kMinDateSerial, kMaxDateSerial}) {
    Variant text;
    ASSERT_EQ(ChangeType(Variant::Date(serial), VarType::Bstr, text), CoerceStatus::Ok);
    Variant back;
    ASSERT_EQ(ChangeType(text, VarType::Date, back), CoerceStatus::Ok) << text.AsBstr();
    EXPECT_NEAR(back.AsDate(), serial, 1e-9) << text.AsBstr();
  }
}

}  // namespace
}  // namespace vl
