// The public typed values and one-off display texts, seen only through include/vltext.
#include <gtest/gtest.h>

#include <functional>

#include "public_test_support.h"
#include "vltext/vltext.h"

namespace {

using vl::DataType;
using vl::TypedValue;

TEST(PublicValue, CanonicalTextOfEveryType) {
  struct Row {
    const char* what;
    TypedValue value;
    const char* text;
  };
  const Row rows[] = {
      {"null is empty text", TypedValue::Null(), ""},
      {"integer", TypedValue::Integer(-32768), "-32768"},
      {"long", TypedValue::Long(2147483647), "2147483647"},
      {"byte", TypedValue::Byte(255), "255"},
      {"boolean true", TypedValue::Boolean(true), "True"},
      {"boolean false", TypedValue::Boolean(false), "False"},
      {"currency from text keeps four decimals exactly", TypedValue::Currency("-12.3456"), "-12.3456"},
      {"currency from units", TypedValue::CurrencyUnits(125000), "12.5"},
      {"date with time", TypedValue::Date(2026, 12, 6, 9, 30, 5), "2026/12/06 09:30:05"},
      {"date read from text", TypedValue::Date("2000/01/02 03:04:05"), "2000/01/02 03:04:05"},
      {"string keeps its UTF-8", TypedValue::String("りんご"), "りんご"},
  };
  for (const Row& r : rows) EXPECT_EQ(r.value.ToText(), r.text) << r.what;
}

TEST(PublicValue, RefusedConstructionsSayWhy) {
  struct Row {
    const char* what;
    std::function<void()> make;
    int code;
  };
  const Row rows[] = {
      {"currency text that is no number", [] { TypedValue::Currency("abc"); }, 13},
      {"currency beyond its range", [] { TypedValue::Currency("1e30"); }, 6},
      {"a day that does not exist", [] { TypedValue::Date(2026, 2, 30); }, 5},
      {"a text that is no date", [] { TypedValue::Date("tomorrow"); }, 13},
  };
  for (const Row& r : rows) {
    try {
      r.make();
      ADD_FAILURE() << r.what << ": no error";
    } catch (const vl::Error& e) {
      EXPECT_EQ(e.Code(), r.code) << r.what;
      EXPECT_STRNE(e.what(), "") << r.what;
    }
  }
}

TEST(PublicValue, EqualityIsTypeAndPayload) {
  EXPECT_EQ(TypedValue::Long(3), TypedValue::Long(3));
  EXPECT_NE(TypedValue::Long(3), TypedValue::Integer(3));
  EXPECT_NE(TypedValue::Null(), TypedValue::Empty());
  EXPECT_EQ(TypedValue::Currency("12.50"), TypedValue::CurrencyUnits(125000));
  EXPECT_DOUBLE_EQ(TypedValue::CurrencyUnits(125000).AsDouble(), 12.5);
}

TEST(PublicFormat, DisplayTextsAsTheBoxShowsThem) {
  struct Row {
    const char* what;
    TypedValue value;
    const char* format;
    DataType type;
    const char* shown;
  };
  const Row rows[] = {
      {"negative section with a double-byte literal", TypedValue::Long(-1234), "##,##0;\"△\"##,##0;;\"null\"",
       DataType::Empty, "△1,234"},
      {"null section needs the type", TypedValue::Null(), "##,##0;\"△\"##,##0;;\"null\"", DataType::Long, "null"},
      {"era date", TypedValue::Date(2026, 12, 6), "gee年m月d日", DataType::Empty, "R08年12月6日"},
      {"value converted to the type first", TypedValue::String("1234.5"), "#,##0.00", DataType::Currency, "1,234.50"},
  };
  for (const Row& r : rows) EXPECT_EQ(vl::FormatValue(r.value, r.format, r.type), r.shown) << r.what;
}

TEST(PublicFormat, RefusalsAreErrorsNotGuesses) {
  struct Row {
    const char* what;
    TypedValue value;
    const char* format;
    DataType type;
  };
  const Row rows[] = {
      {"null without a type", TypedValue::Null(), "#", DataType::Empty},
      {"a type that is none of the nine", TypedValue::Long(1), "#", DataType::Null},
      {"a value that does not convert", TypedValue::String("abc"), "#", DataType::Long},
      {"a format character the box cannot hold", TypedValue::Long(1), "#😀", DataType::Empty},
  };
  for (const Row& r : rows) {
    try {
      vl::FormatValue(r.value, r.format, r.type);
      ADD_FAILURE() << r.what << ": no error";
    } catch (const vl::Error& e) {
      EXPECT_EQ(e.Code(), 380) << r.what;
    }
  }
}

TEST(PublicReference, TablesAndKeyNames) {
  EXPECT_EQ(vl::ResourceString(1000), "入力値が上限値を超えました");
  EXPECT_FALSE(vl::ResourceString(-1));
  const vl::PropertyDescriptor* value = vl::FindProperty("Value");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->kind, vl::PropertyKind::Value);
  EXPECT_EQ(vl::FindProperty(value->dispid), value);
  EXPECT_EQ(vl::FindProperty("NoSuchThing"), nullptr);
  EXPECT_EQ(vl::Properties().size(), 51u);
  EXPECT_EQ(vl::EventNames().size(), 14u);
  bool found = false;
  for (const vl::NamedConstant& c : vl::TypeLibraryConstants())
    found = found || (std::string(c.name) == "VlTextLong" && c.value == 3);
  EXPECT_TRUE(found);

  struct Row {
    const char* text;
    std::vector<int> modifiers;
    int key;
  };
  const Row rows[] = {
      {"Shift+Tab", {vl::keys::kShift}, vl::keys::kTab},
      {"Ctrl+Alt+Delete", {vl::keys::kControl, vl::keys::kMenu}, vl::keys::kDelete},
      {"F12", {}, vl::keys::kF1 + 11},
      {"7", {}, '7'},
  };
  for (const Row& r : rows) {
    const auto chord = vl::ParseKeyChord(r.text);
    ASSERT_TRUE(chord) << r.text;
    EXPECT_EQ(chord->modifiers, r.modifiers) << r.text;
    EXPECT_EQ(chord->key, r.key) << r.text;
  }
  for (const char* bad : {"", "F13", "Hyper+A", "a", "Shift+", "F1x"}) EXPECT_FALSE(vl::ParseKeyChord(bad)) << bad;
}

TEST(PublicPicture, PngRoundTripAndPixels) {
  vl::Picture p(3, 2, 0x00336699);
  EXPECT_EQ(p.Pixel(2, 1), 0x00336699u);
  EXPECT_FALSE(p.Pixel(3, 0));
  EXPECT_FALSE(p.Pixel(-1, 0));
  const std::string path = ::testing::TempDir() + "/vl_public_picture.png";
  ASSERT_TRUE(p.WritePng(path));
  const auto back = vl::Picture::ReadPng(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Width(), 3);
  EXPECT_EQ(back->Rgba(), p.Rgba());
  EXPECT_FALSE(vl::Picture::ReadPng(::testing::TempDir() + "/no_such_picture.png"));
}

}  // namespace
