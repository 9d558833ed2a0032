// The numeric editors' rules on their own: ranges, format fitting, filters and caret placement.
#include "edit/number_edit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

#include "edit/create_editor.h"

namespace vl {
namespace {

template <typename Edit>
struct Loaded {
  Edit edit;
  std::string produced;
  bool Load(const TypedValue& v) { return edit.SetValue(v, produced); }
};

TEST(NumberEdit, ReversedBoundsAreARangeExceptForInteger) {
  Loaded<CVlLongEdit> longEdit;
  longEdit.edit.SetCheckValue(true);
  longEdit.edit.SetLowerValue(TypedValue::I4(10));
  longEdit.edit.SetUpperValue(TypedValue::I4(1));
  EXPECT_TRUE(longEdit.Load(TypedValue::I4(5)));
  EXPECT_FALSE(longEdit.Load(TypedValue::I4(11)));
  EXPECT_EQ(longEdit.edit.GetLastError(), kEditAboveUpper);
  EXPECT_FALSE(longEdit.Load(TypedValue::I4(0)));
  EXPECT_EQ(longEdit.edit.GetLastError(), kEditBelowLower);

  Loaded<CVlShortEdit> intEdit;
  intEdit.edit.SetCheckValue(true);
  intEdit.edit.SetLowerValue(TypedValue::I2(10));
  intEdit.edit.SetUpperValue(TypedValue::I2(1));
  for (std::int16_t v : {0, 1, 5, 10, 11}) EXPECT_FALSE(intEdit.Load(TypedValue::I2(v))) << v;
}

TEST(NumberEdit, FittingALoadedValueToTheFormat) {
  struct Row { const char* name; const char* format; double value; bool ok; std::int32_t status; const char* text; };
  for (const Row& r : {
           Row{"FitsAsIs", "#,##0.00", 12.5, true, kEditOk, "12.5"},
           Row{"FractionRounded", "#,##0.00", 1.234, false, kEditAdjustedToFormat, "1.23"},
           Row{"TooManyIntegerDigits", "#,##0.00", 12345.6, false, kEditTooManyChars, ""},
           Row{"CarryWithoutPlaceRefused", "0.00", 9.995, false, kEditTooManyChars, ""},
           Row{"CarryWithPlaceAdjusted", "00.00", 9.995, false, kEditAdjustedToFormat, "10"},
           Row{"ExponentHasNoLimit", "0.00E+00", 123456789.25, true, kEditOk, "123456789.25"},
           Row{"PercentHasNoLimit", "0%", 12345.678, true, kEditOk, "12345.678"},
       }) {
    Loaded<CVlDoubleEdit> d;
    d.edit.SetFormat(r.format);
    EXPECT_EQ(d.Load(TypedValue::R8(r.value)), r.ok) << r.name;
    EXPECT_EQ(d.edit.GetLastError(), r.status) << r.name;
    if (*r.text != '\0') {
      EXPECT_EQ(d.edit.GetText(), r.text) << r.name;
    }
  }
}

TEST(NumberEdit, FormatSetsTheDigitLimit) {
  CVlDoubleEdit d;
  d.SetFormat("#,##0.00");
  EXPECT_EQ(d.GetMaxLength(), 6);
  d.SetFormat("0.00E");
  EXPECT_EQ(d.GetMaxLength(), 0);
  std::string back;
  d.SetFormat("#,##0;;;\"null\"");
  d.GetFormat(back);
  EXPECT_EQ(back, "#,##0;;;\"null\"");
}

TEST(NumberEdit, CharacterFilterByKind) {
  struct Row { std::uint16_t type; const char* accepted; const char* refused; };
  for (const Row& r : {Row{VlTextByte, "0123456789", "+-.a"}, Row{VlTextInteger, "09+-", ".a"},
                       Row{VlTextLong, "09+-", ".,"}, Row{VlTextDouble, "09+-.", "a,e"},
                       Row{VlTextCurrency, "09+-.", "\\"}}) {
    std::unique_ptr<CVlNumberEdit> e;
    switch (r.type) {
      case VlTextByte: e = std::make_unique<CVlByteEdit>(); break;
      case VlTextInteger: e = std::make_unique<CVlShortEdit>(); break;
      case VlTextLong: e = std::make_unique<CVlLongEdit>(); break;
      case VlTextDouble: e = std::make_unique<CVlDoubleEdit>(); break;
      default: e = std::make_unique<CVlCurrencyEdit>(); break;
    }
    std::string replacement;
    std::uint32_t extra = 0;
    for (const char* c = r.accepted; *c; ++c) {
      std::uint32_t ch = static_cast<unsigned char>(*c);
      EXPECT_TRUE(e->FilterChar(ch, replacement, extra)) << r.type << " " << *c;
    }
    for (const char* c = r.refused; *c; ++c) {
      std::uint32_t ch = static_cast<unsigned char>(*c);
      EXPECT_FALSE(e->FilterChar(ch, replacement, extra)) << r.type << " " << *c;
    }
  }
}

TEST(NumberEdit, PastedTextValidation) {
  CVlDoubleEdit d;
  for (const char* ok : {"12", "-12", "12-", "+1.5", ".5"}) EXPECT_TRUE(d.ValidateText(ok)) << ok;
  for (const char* bad : {"12a", "1-2", "1.2.3", "1,234", " 12"}) EXPECT_FALSE(d.ValidateText(bad)) << bad;
  CVlLongEdit l;
  EXPECT_FALSE(l.ValidateText("1.5"));
}

TEST(NumberEdit, CurrencyKeepsFourDecimals) {
  Loaded<CVlCurrencyEdit> c;
  ASSERT_TRUE(c.Load(TypedValue::Cy(Currency{12345})));
  EXPECT_EQ(c.edit.GetText(), "1.2345");
  EXPECT_TRUE(c.edit.CommitText());
  EditorValue v = c.edit.GetValue();
  EXPECT_EQ(v.value, TypedValue::Cy(Currency{12345}));
}

TEST(NumberEdit, SpinStepsClampAndTruncate) {
  struct Row { const char* name; float increase; std::int32_t start; std::int32_t expected; };
  for (const Row& r : {Row{"Up", 1, 5, 6}, Row{"Truncated", 1.9f, 5, 6}, Row{"BelowOneIsNothing", 0.5f, 5, 5},
                       Row{"DownByTwo", -2.7f, 5, 3}, Row{"AtTheTop", 1, 2147483647, 2147483647},
                       Row{"AtTheBottom", -1, -2147483647 - 1, -2147483647 - 1}}) {
    Loaded<CVlLongEdit> l;
    ASSERT_TRUE(l.Load(TypedValue::I4(r.start)));
    l.edit.SpinStep(r.increase);
    EXPECT_EQ(l.edit.GetValue().value, TypedValue::I4(r.expected)) << r.name;
  }
  Loaded<CVlByteEdit> b;
  ASSERT_TRUE(b.Load(TypedValue::UI1(0)));
  b.edit.SpinStep(-1);
  EXPECT_EQ(b.edit.GetValue().value, TypedValue::UI1(0));
  Loaded<CVlCurrencyEdit> c;
  ASSERT_TRUE(c.Load(TypedValue::Cy(Currency{10000})));
  EXPECT_TRUE(c.edit.SpinStep(0.25f));
  EXPECT_EQ(c.edit.GetValue().value, TypedValue::Cy(Currency{12500}));
}

TEST(NumberEdit, SpinStepsSaturateAndIgnoreNaN) {
  // An increase beyond every value is a step to the bound, never an out-of-range conversion; a
  // NaN or infinite increase steps soundly.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Row { const char* name; std::uint16_t type; float increase; TypedValue start; TypedValue expected; };
  for (const Row& r : {
           Row{"IntegerUpBy1e19", VlTextInteger, 1e19f, TypedValue::I2(5), TypedValue::I2(32767)},
           Row{"IntegerDownBy1e19", VlTextInteger, -1e19f, TypedValue::I2(5), TypedValue::I2(-32768)},
           Row{"LongUpBy1e19", VlTextLong, 1e19f, TypedValue::I4(5), TypedValue::I4(2147483647)},
           Row{"LongDownBy1e19", VlTextLong, -1e19f, TypedValue::I4(5), TypedValue::I4(-2147483647 - 1)},
           Row{"ByteUpBy1e19", VlTextByte, 1e19f, TypedValue::UI1(5), TypedValue::UI1(255)},
           Row{"ByteDownBy1e19", VlTextByte, -1e19f, TypedValue::UI1(5), TypedValue::UI1(0)},
           Row{"LongUpByInfinity", VlTextLong, inf, TypedValue::I4(5), TypedValue::I4(2147483647)},
           Row{"LongByNaN", VlTextLong, nan, TypedValue::I4(5), TypedValue::I4(5)},
           Row{"DoubleByNaN", VlTextDouble, nan, TypedValue::R8(2.5), TypedValue::R8(2.5)},
           Row{"DoubleUpByInfinity", VlTextDouble, inf, TypedValue::R8(2.5), TypedValue::R8(1.7976931348623157e308)},
           Row{"CurrencyUpBy1e19", VlTextCurrency, 1e19f, TypedValue::Cy(Currency{50000}), TypedValue::Cy(Currency{INT64_MAX})},
           Row{"CurrencyDownBy1e19", VlTextCurrency, -1e19f, TypedValue::Cy(Currency{INT64_MAX}),
               TypedValue::Cy(Currency{INT64_MIN})},
           Row{"CurrencyByNaN", VlTextCurrency, nan, TypedValue::Cy(Currency{50000}), TypedValue::Cy(Currency{50000})},
       }) {
    std::unique_ptr<CVlEditWnd> e = CreateEditor(r.type);
    auto& n = static_cast<CVlNumberEdit&>(*e);
    n.SetFormat("");  // no digit limit: the bound itself fits
    std::string produced;
    ASSERT_TRUE(n.SetValue(r.start, produced)) << r.name;
    n.SpinStep(r.increase);
    EXPECT_EQ(n.GetValue().value, r.expected) << r.name;
  }
}

TEST(NumberEdit, AnUntouchedTextStandsForTheValueItShows) {
  // The edit form keeps six decimals; leaving it unchanged keeps the value to the last bit, while
  // a changed text is read as it now stands.
  for (double x : {0.1234567, 1e-7, 1.0 / 3, -5e-10, 123456789.12345679}) {
    Loaded<CVlDoubleEdit> d;
    ASSERT_TRUE(d.Load(TypedValue::R8(x))) << x;
    EXPECT_TRUE(d.edit.CommitText()) << x;
    EXPECT_EQ(d.edit.GetValue().value, TypedValue::R8(x)) << x;
  }
  Loaded<CVlDoubleEdit> d;
  ASSERT_TRUE(d.Load(TypedValue::R8(0.1234567)));
  d.edit.SetSel(8, 0);  // after «0.123457»
  EXPECT_TRUE(d.edit.SetSelText("9"));
  EXPECT_TRUE(d.edit.CommitText());
  EXPECT_EQ(d.edit.GetValue().value, TypedValue::R8(0.1234579));
}

TEST(NumberEdit, NullStateAndDisplay) {
  CVlLongEdit l;
  l.SetFormat("#,##0;\"△\"#,##0;\"zero\";\"null\"");
  std::string shown;
  l.SetNull(true);
  l.GetDisplayText(shown);
  EXPECT_EQ(shown, "null");
  EXPECT_TRUE(l.GetValue().isNull);
  std::string produced;
  l.SetValue(TypedValue::I4(-1234), produced);
  l.GetDisplayText(shown);
  EXPECT_EQ(shown, "△1,234");
  l.SetValue(TypedValue::I4(0), produced);
  l.GetDisplayText(shown);
  EXPECT_EQ(shown, "zero");
}

}  // namespace
}  // namespace vl
