#include "value/typed_value.h"

#include <gtest/gtest.h>

#include "runtime/automation_error.h"
#include "runtime/currency.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"
#include "value/value_exception.h"

namespace vl {
namespace {

VirtualClock Clock() {
  VirtualClock c;
  c.SetNow(*FieldsToSerial(2026, 12, 6, 9, 0, 0));
  return c;
}

Currency Cy(const char* text) {
  Currency c;
  EXPECT_EQ(ParseCurrency(text, c), CurrencyParse::Ok) << text;
  return c;
}

TEST(TypedValue, TypeCodesClassify) {
  for (std::uint16_t code : {2, 3, 4, 5, 6, 7, 8, 11, 14, 17}) {
    EXPECT_EQ(ClassifyTypeCode(code), TypeClass::Convertible) << code;
  }
  EXPECT_EQ(ClassifyTypeCode(0), TypeClass::Null);
  EXPECT_EQ(ClassifyTypeCode(1), TypeClass::Null);
  for (std::uint16_t code : {9, 10, 12, 13, 16, 20, 8192}) {
    EXPECT_EQ(ClassifyTypeCode(code), TypeClass::Refused) << code;
    try {
      IsTypedValueType(code);
      ADD_FAILURE() << code;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Code(), 380);
    }
  }
  EXPECT_FALSE(IsDataType(14));  // convertible as a source, but no box has that data type
}

TEST(TypedValue, PerTypeFacts) {
  struct Row { std::uint16_t type; int width; int alignment; std::uint32_t back; const char* format; };
  for (const Row& r : {Row{2, 2, 1, 0x80000005, ""}, Row{3, 4, 1, 0x80000005, ""}, Row{4, 4, 1, 0x80000005, ""},
                       Row{5, 8, 1, 0x80000005, ""}, Row{6, 8, 1, 0x80000005, ""},
                       Row{7, 8, 1, 0x80000005, "yyyy/mm/dd"}, Row{8, 0, 0, 0x80000005, ""},
                       Row{11, 2, 0, 0x8000000F, ""}, Row{17, 1, 1, 0x80000005, ""}, Row{1, 0, 0, 0x80000005, ""}}) {
    EXPECT_EQ(TypeByteWidth(r.type), r.width) << r.type;
    EXPECT_EQ(TypeDefaultAlignment(r.type), r.alignment) << r.type;
    EXPECT_EQ(TypeDefaultBackColor(r.type), r.back) << r.type;
    EXPECT_EQ(TypeDefaultForeColor(r.type), 0x80000008u) << r.type;
    EXPECT_EQ(TypeDefaultFormat(r.type), r.format) << r.type;
  }
}

TEST(TypedValue, BoundsAreTheExtremesOfEachType) {
  EXPECT_EQ(TypeLowerBound(VlTextInteger), TypedValue::I2(-32768));
  EXPECT_EQ(TypeUpperBound(VlTextLong), TypedValue::I4(2147483647));
  EXPECT_EQ(TypeUpperBound(VlTextByte), TypedValue::UI1(255));
  EXPECT_EQ(TypeLowerBound(VlTextCurrency).AsCy().value, INT64_MIN);
  EXPECT_EQ(TypeUpperBound(VlTextCurrency).AsCy().value, INT64_MAX);
  EXPECT_EQ(TypedValueToText(TypeLowerBound(VlTextDate)), "100/01/01");
  EXPECT_EQ(TypedValueToText(TypeUpperBound(VlTextDate)), "9999/12/31 23:59:59");
  EXPECT_EQ(TypeUpperBound(VlTextSingle).AsR4(), 3.4028234663852886e38f);
  EXPECT_EQ(TypeLowerBound(VlTextString), TypedValue::Bstr(""));
  EXPECT_EQ(TypeUpperBound(VlTextBoolean), TypedValue::Bool(false));
  EXPECT_EQ(TypeLowerBound(99).Type(), VarType::Null);
}

struct ConvertRow {
  const char* name;
  TypedValue in;
  std::uint16_t type;
  TypedValue expected;  // Empty when an error is expected
  std::uint32_t error;
};

class Convert : public ::testing::TestWithParam<ConvertRow> {};

TEST_P(Convert, Row) {
  const ConvertRow& r = GetParam();
  VirtualClock clock = Clock();
  TypedValue v = r.in;
  if (r.error == 0) {
    ConvertTypedValue(r.type, v, true, clock);
    EXPECT_EQ(v, r.expected);
  } else {
    try {
      ConvertTypedValue(r.type, v, true, clock);
      ADD_FAILURE() << "no error";
    } catch (const CVlValueException& e) {
      EXPECT_EQ(e.Code(), r.error);
      EXPECT_EQ(e.ErrValue(), r.in);  // the value as it was before the attempt
      EXPECT_EQ(v, r.in);             // and the value is left alone
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    TypedValue, Convert,
    ::testing::Values(
        ConvertRow{"IntegerOverflow", TypedValue::I4(40000), VlTextInteger, {}, 1100},
        ConvertRow{"TextIsNoLong", TypedValue::Bstr("abc"), VlTextLong, {}, 1102},
        ConvertRow{"HalfGoesToEvenDown", TypedValue::R8(2.5), VlTextInteger, TypedValue::I2(2), 0},
        ConvertRow{"HalfGoesToEvenUp", TypedValue::R8(3.5), VlTextInteger, TypedValue::I2(4), 0},
        ConvertRow{"NegativeHalf", TypedValue::R8(-2.5), VlTextLong, TypedValue::I4(-2), 0},
        ConvertRow{"ByteBelowZero", TypedValue::I2(-1), VlTextByte, {}, 1100},
        ConvertRow{"TrueIsMinusOne", TypedValue::Bool(true), VlTextLong, TypedValue::I4(-1), 0},
        ConvertRow{"NonzeroIsTrue", TypedValue::R8(0.5), VlTextBoolean, TypedValue::Bool(true), 0},
        ConvertRow{"CurrencyUpperBoundFromText", TypedValue::Bstr("922337203685477.5807"), VlTextCurrency,
                   TypedValue::Cy(Currency{INT64_MAX}), 0},
        ConvertRow{"CurrencyOneMoreOverflows", TypedValue::Bstr("922337203685477.5808"), VlTextCurrency, {}, 1100},
        ConvertRow{"CurrencyLowerBound", TypedValue::Bstr("-922337203685477.5808"), VlTextCurrency,
                   TypedValue::Cy(Currency{INT64_MIN}), 0},
        ConvertRow{"CurrencyOneLessOverflows", TypedValue::Bstr("-922337203685477.5809"), VlTextCurrency, {}, 1100},
        ConvertRow{"DateFromText", TypedValue::Bstr("2000/01/02"), VlTextDate, TypedValue::Date(36527), 0},
        ConvertRow{"DateToDouble", TypedValue::Date(36527.5), VlTextDouble, TypedValue::R8(36527.5), 0},
        ConvertRow{"NumberToText", TypedValue::I4(-12), VlTextString, TypedValue::Bstr("-12"), 0},
        ConvertRow{"SameTypeUntouched", TypedValue::I4(7), VlTextLong, TypedValue::I4(7), 0},
        ConvertRow{"NullKept", TypedValue::Null(), VlTextLong, TypedValue::Null(), 0},
        ConvertRow{"EmptyKept", TypedValue::Empty(), VlTextDate, TypedValue::Empty(), 0}),
    [](const auto& info) { return info.param.name; });

TEST(TypedValue, NullWithoutKeepNullBecomesTheZeroOfTheType) {
  VirtualClock clock = Clock();
  struct Row { std::uint16_t type; TypedValue zero; };
  for (const Row& r : {Row{VlTextInteger, TypedValue::I2(0)}, Row{VlTextString, TypedValue::Bstr("")},
                       Row{VlTextBoolean, TypedValue::Bool(false)}, Row{VlTextCurrency, TypedValue::Cy({0})},
                       Row{VlTextDate, TypedValue::Date(clock.Now())}}) {
    TypedValue v = TypedValue::Null();
    ConvertTypedValue(r.type, v, false, clock);
    EXPECT_EQ(v, r.zero) << r.type;
  }
}

TEST(TypedValue, Compare) {
  struct Row { TypedValue a, b; int expected; };
  for (const Row& r : {
           Row{TypedValue::I2(5), TypedValue::I4(3), 0},              // different types are not ordered
           Row{TypedValue::Bool(true), TypedValue::Bool(false), 0},   // Booleans never order
           Row{TypedValue::UI1(200), TypedValue::UI1(100), 1},        // unsigned
           Row{TypedValue::Bstr("B"), TypedValue::Bstr("A"), 1},
           Row{TypedValue::Bstr("A"), TypedValue::Bstr("AB"), -1},
           // 0x82A0 (あ) sorts after any single-byte character, as its two-byte code does.
           Row{TypedValue::Bstr("\x82\xA0"), TypedValue::Bstr("z"), 1},
           Row{TypedValue::Cy({-1}), TypedValue::Cy({1}), -1},
           Row{TypedValue::Date(1.5), TypedValue::Date(1.25), 1},
           Row{TypedValue::Null(), TypedValue::I4(1), 0},
           Row{TypedValue::Null(), TypedValue::Null(), 0},
       }) {
    EXPECT_EQ(CompareTypedValues(r.a, r.b), r.expected) << TypedValueToText(r.a) << " vs " << TypedValueToText(r.b);
  }
}

TEST(TypedValue, CanonicalText) {
  struct Row { TypedValue v; const char* text; };
  for (const Row& r : {
           Row{TypedValue::Date(*FieldsToSerial(100, 1, 1)), "100/01/01"},
           Row{TypedValue::Date(*FieldsToSerial(1998, 4, 5, 13, 5, 9)), "1998/04/05 13:05:09"},
           Row{TypedValue::Date(-1.25), "1899/12/29 06:00:00"},
           Row{TypedValue::Bool(true), "True"},
           Row{TypedValue::BoolRaw(5), "True"},
           Row{TypedValue::Bool(false), "False"},
           Row{TypedValue::Null(), ""},
           Row{TypedValue::Cy(Cy("922337203685477.5807")), "922337203685477.5807"},
           Row{TypedValue::I4(-42), "-42"},
           Row{TypedValue::R8(0.5), "0.5"},
       }) {
    EXPECT_EQ(TypedValueToText(r.v), r.text);
  }
}

TEST(ValueException, MessageLoadsLazilyFromTheStringTable) {
  CVlValueException e(1000, TypedValue::Bstr("150"), TypedValue::I4(1), 0);
  ASSERT_TRUE(e.Message());
  EXPECT_EQ(Cp932ToUtf8(*e.Message()), "入力値が上限値を超えました");
  CVlValueException none(77, TypedValue(), TypedValue(), 0);
  EXPECT_FALSE(none.Message());
}

TEST(ValueException, UserMessageIsCutBeforeASplitCharacter) {
  // 63 double-byte characters and one ASCII letter in front: 127 bytes end inside the 64th.
  std::string text = "a";
  for (int i = 0; i < 70; ++i) text += "\x8A\xBF";
  try {
    ThrowUserValueError(500, TypedValue::Bstr(text), TypedValue(), 0);
  } catch (const CVlValueException& e) {
    ASSERT_TRUE(e.Message());
    EXPECT_EQ(e.Message()->size(), 127u);
    EXPECT_NO_THROW(Cp932ToUtf8(*e.Message()));
  }
  try {
    ThrowUserValueError(500, TypedValue::Bstr(""), TypedValue(), 0);
  } catch (const CVlValueException& e) {
    EXPECT_FALSE(e.Message());
  }
}

}  // namespace
}  // namespace vl
