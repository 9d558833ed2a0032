// The one range check every editor runs: each row is checked on the range itself and, where the
// editor checks that value on load or commit, through the editor of its type.
#include "edit/value_range.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "edit/create_editor.h"
#include "edit/string_edit.h"

namespace vl {
namespace {

struct RangeRow {
  const char* name;
  std::uint16_t type;
  bool check;
  TypedValue lower;
  TypedValue upper;
  TypedValue value;
  std::int32_t expected;
  bool viaEditor = true;  // the editor reaches the range check with this value
};

constexpr double kY2000 = 36526;  // 2000/01/01
constexpr double kY1999 = 36161;  // 1999/01/01

TypedValue Text(const char* s) { return TypedValue::Bstr(s); }
TypedValue Cy(std::int64_t units) { return TypedValue::Cy(Currency{units * 10000}); }

class ValueRangeRows : public ::testing::TestWithParam<RangeRow> {};

TEST_P(ValueRangeRows, CheckedAlikeByTheRangeAndByTheEditor) {
  const RangeRow& r = GetParam();
  ValueRange range(r.type);
  range.SetCheck(r.check);
  range.SetLower(r.lower);
  range.SetUpper(r.upper);
  EXPECT_EQ(range.Check(r.value), r.expected);
  if (!r.viaEditor) return;

  std::unique_ptr<CVlEditWnd> e = CreateEditor(r.type);
  ASSERT_NE(e, nullptr);
  e->SetFormat("");  // no digit limit in the way of the value
  e->SetCheckValue(r.check);
  e->SetLowerValue(r.lower);
  e->SetUpperValue(r.upper);
  if (r.type == VlTextString) {
    EXPECT_EQ(static_cast<CVlStringEdit&>(*e).CheckText(r.value.AsBstr()), r.expected);
    return;
  }
  std::string produced;
  EXPECT_EQ(e->SetValue(r.value, produced), r.expected == kEditOk);
  EXPECT_EQ(e->GetLastError(), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValueRangeRows,
    ::testing::Values(
        RangeRow{"IntegerKeepsAReversedPair", VlTextInteger, true, TypedValue::I2(10), TypedValue::I2(1),
                 TypedValue::I2(5), kEditAboveUpper},
        RangeRow{"IntegerInside", VlTextInteger, true, TypedValue::I2(1), TypedValue::I2(10), TypedValue::I2(10),
                 kEditOk},
        RangeRow{"LongReversedPairIsARange", VlTextLong, true, TypedValue::I4(10), TypedValue::I4(1), TypedValue::I4(5),
                 kEditOk},
        RangeRow{"LongAboveReversedPair", VlTextLong, true, TypedValue::I4(10), TypedValue::I4(1), TypedValue::I4(11),
                 kEditAboveUpper},
        RangeRow{"LongBelowReversedPair", VlTextLong, true, TypedValue::I4(10), TypedValue::I4(1), TypedValue::I4(0),
                 kEditBelowLower},
        RangeRow{"LongUncheckedIgnoresTheBounds", VlTextLong, false, TypedValue::I4(10), TypedValue::I4(20),
                 TypedValue::I4(5), kEditOk},
        RangeRow{"ByteBelow", VlTextByte, true, TypedValue::UI1(3), TypedValue::UI1(9), TypedValue::UI1(2),
                 kEditBelowLower},
        RangeRow{"DoubleWithoutALowerBound", VlTextDouble, true, TypedValue::Empty(), TypedValue::R8(5),
                 TypedValue::R8(-1e9), kEditOk},
        RangeRow{"DoubleAboveItsOnlyBound", VlTextDouble, true, TypedValue::Empty(), TypedValue::R8(5),
                 TypedValue::R8(6), kEditAboveUpper},
        RangeRow{"SingleAbove", VlTextSingle, true, TypedValue::R4(0.5f), TypedValue::R4(1.5f), TypedValue::R4(2),
                 kEditAboveUpper},
        RangeRow{"CurrencyUncheckedHasNoRange", VlTextCurrency, false, Cy(10), Cy(20), Cy(5), kEditOk},
        RangeRow{"CurrencyAbove", VlTextCurrency, true, Cy(10), Cy(20), Cy(25), kEditAboveUpper},
        RangeRow{"DateReversedPairIsARange", VlTextDate, true, TypedValue::Date(kY2000), TypedValue::Date(kY1999),
                 TypedValue::Date(kY1999 + 150), kEditOk},
        RangeRow{"DateAboveReversedPair", VlTextDate, true, TypedValue::Date(kY2000), TypedValue::Date(kY1999),
                 TypedValue::Date(kY2000 + 366), kEditAboveUpper},
        RangeRow{"DateAMicrosecondFractionAboveIsInside", VlTextDate, true, TypedValue::Date(kY1999),
                 TypedValue::Date(kY2000), TypedValue::Date(kY2000 + 1e-9), kEditOk, false},
        RangeRow{"DateASecondAboveIsAbove", VlTextDate, true, TypedValue::Date(kY1999), TypedValue::Date(kY2000),
                 TypedValue::Date(kY2000 + 1.0 / 86400), kEditAboveUpper},
        RangeRow{"DateUncheckedBeforeYear100", VlTextDate, false, TypedValue::Date(0), TypedValue::Date(0),
                 TypedValue::Date(-700000), kEditBelowLower, false},
        RangeRow{"StringInside", VlTextString, true, Text("b"), Text("d"), Text("c"), kEditOk},
        RangeRow{"StringAbove", VlTextString, true, Text("b"), Text("d"), Text("e"), kEditAboveUpper},
        RangeRow{"StringComparesBytes", VlTextString, true, Text("\x82\xA0"), Text("\x82\xF1"), Text("z"),
                 kEditBelowLower},
        RangeRow{"StringEmptyBoundIsNone", VlTextString, true, Text(""), Text("m"), Text("a"), kEditOk},
        RangeRow{"StringReversedPairIsARange", VlTextString, true, Text("m"), Text("b"), Text("c"), kEditOk},
        RangeRow{"StringUncheckedHasNoRange", VlTextString, false, Text("x"), Text("y"), Text("a"), kEditOk},
        RangeRow{"BooleanHasNoRange", VlTextBoolean, true, TypedValue::Bool(true), TypedValue::Bool(true),
                 TypedValue::Bool(false), kEditOk, false}),
    [](const ::testing::TestParamInfo<RangeRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl
