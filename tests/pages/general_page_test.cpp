#include "pages/general_page.h"

#include <gtest/gtest.h>

#include "page_test_support.h"

namespace vl::pages {
namespace {

using namespace general;
using test::DesignForm;

class GeneralPage : public DesignForm {
 protected:
  CVlTextPPGGeneral& Open(std::vector<CursorColumn> columns = {}) {
    page = std::make_unique<CVlTextPPGGeneral>(std::move(columns), form.Clock());
    page->SetServices(&services);
    page->Read(box);
    form.TakeNotifications();
    return *page;
  }
  const PageField& F(int id) { return *page->Find(id); }
  // A Long box with its range checked at 10..20.
  void LongRange() {
    Put(kDispDataType, Variant::I4(VlTextLong));
    Put(kDispCheckValue, Variant::Bool(true));
    Put(kDispUpperValue, Variant::I4(20));
    Put(kDispLowerValue, Variant::I4(10));
  }

  std::unique_ptr<CVlTextPPGGeneral> page;
};

struct TypeRow {
  std::uint16_t type;
  const char* maxLength;
  int alignment;
  std::size_t presets;
  const char* format;
  bool caption;  // Caption enabled, Format disabled
};

TEST_F(GeneralPage, ADataTypeBringsItsSizeAlignmentPresetsAndEnabling) {
  const TypeRow rows[] = {
      {VlTextInteger, "2", 1, 9, "", false},  {VlTextLong, "4", 1, 9, "", false},
      {VlTextSingle, "4", 1, 9, "", false},   {VlTextDouble, "8", 1, 9, "", false},
      {VlTextCurrency, "8", 1, 9, "", false}, {VlTextDate, "8", 1, 13, "yyyy/mm/dd", false},
      {VlTextString, "0", 0, 8, "", false},   {VlTextBoolean, "2", 0, 0, "", true},
      {VlTextByte, "1", 1, 3, "", false},
  };
  Open();
  // From the String the box is, to each type and back to String through Boolean in between.
  page->Choose(kDataType, 7);
  for (const TypeRow& row : rows) {
    int index = 0;
    for (std::size_t i = 0; i < F(kDataType).items.size(); ++i) {
      if (F(kDataType).items[i].rfind(std::to_string(row.type) + " - ", 0) == 0) index = static_cast<int>(i);
    }
    ASSERT_TRUE(page->Choose(kDataType, index)) << row.type;
    EXPECT_EQ(page->DataType(), row.type);
    EXPECT_EQ(F(kMaxLength).text, row.maxLength) << row.type;
    EXPECT_EQ(F(kMaxLength).enabled, row.type == VlTextString) << row.type;
    EXPECT_EQ(F(kAlignment).selected, row.alignment) << row.type;
    EXPECT_EQ(F(kFormat).items.size(), row.presets) << row.type;
    EXPECT_EQ(F(kFormat).text, row.format) << row.type;
    EXPECT_EQ(F(kCaption).enabled, row.caption) << row.type;
    EXPECT_EQ(F(kFormat).enabled, !row.caption) << row.type;
  }
}

TEST_F(GeneralPage, TheFormatReadIsShownAsItIsAndChosenAgainAmongTheNewPresets) {
  Put(kDispDataType, Variant::I4(VlTextDate));
  Put(kDispFormat, Variant::Bstr(test::Sjis("ggee年m月d日")));
  Open();
  EXPECT_EQ(F(kFormat).text, test::Sjis("ggee年m月d日"));
  EXPECT_EQ(F(kFormat).selected, 5);
  page->Choose(kDataType, 1);  // Long
  EXPECT_EQ(F(kFormat).text, "");
  EXPECT_EQ(F(kFormat).selected, -1);
  page->Choose(kDataType, 5);  // Date
  EXPECT_EQ(F(kFormat).text, test::Sjis("ggee年m月d日"));
  EXPECT_EQ(F(kFormat).selected, 5);
}

struct LeaveRow {
  const char* name;
  int field;
  const char* text;
  const char* lower;
  const char* upper;
  const char* message;
};

TEST_F(GeneralPage, LeavingAnEndChecksItAgainstTheOther) {
  const char* k1302 = "LowerValueプロパティに有効範囲を超えた値を設定する事はできません";
  const char* k1303 = "UpperValueプロパティに有効範囲を超えた値を設定する事はできません";
  const LeaveRow rows[] = {
      {"a lower end inside", kLowerValue, "15", "15", "20", ""},
      {"a lower end on the upper one", kLowerValue, "20", "20", "20", ""},
      {"a lower end above the upper one", kLowerValue, "21", "10", "20", k1302},
      {"a lower end that is no number", kLowerValue, "x", "10", "20", k1302},
      {"an empty lower end", kLowerValue, "", "10", "20", k1302},
      {"an upper end below the lower one", kUpperValue, "9", "10", "20", k1303},
      {"an upper end out of Long's range", kUpperValue, "3000000000", "10", "20", k1303},
      {"an upper end is read as a number", kUpperValue, " 0019 ", "10", "19", ""},
  };
  LongRange();
  for (const LeaveRow& row : rows) {
    Open();
    page->Type(row.field, row.text);
    page->Leave(row.field);
    EXPECT_EQ(F(kLowerValue).text, row.lower) << row.name;
    EXPECT_EQ(F(kUpperValue).text, row.upper) << row.name;
    EXPECT_EQ(services.Messages(), row.message) << row.name;
  }
}

struct DefaultRow {
  const char* name;
  bool checkValue;
  const char* text;
  const char* shown;
  const char* message;
};

TEST_F(GeneralPage, ADefaultOutsideItsRangeMovesToTheNearerEnd) {
  const char* k1500 = "DefaultValueプロパティの設定値を有効範囲内に変更しました";
  const DefaultRow rows[] = {
      {"inside the range", true, "15", "15", ""},
      {"above the range", true, "99", "20", k1500},
      {"below the range", true, "-3", "10", k1500},
      {"without CheckValue the type's range holds", false, "99", "99", ""},
      {"no number goes back", true, "abc", "", "設定値を変換できませんでした"},
      {"an empty default is none", true, "", "", ""},
  };
  LongRange();
  Put(kDispAllowDefaultValue, Variant::Bool(true));
  for (const DefaultRow& row : rows) {
    Put(kDispCheckValue, Variant::Bool(row.checkValue));
    Open();
    ASSERT_TRUE(page->Check(kNull, false)) << row.name;
    page->Type(kDefaultValue, row.text);
    page->Leave(kDefaultValue);
    EXPECT_EQ(F(kDefaultValue).text, row.shown) << row.name;
    EXPECT_EQ(services.Messages(), row.message) << row.name;
  }
}

TEST_F(GeneralPage, AnAcceptedEndChecksTheDefaultAgain) {
  LongRange();
  Put(kDispAllowDefaultValue, Variant::Bool(true));
  Put(kDispDefaultValue, Variant::I4(15));
  Open();
  page->Type(kUpperValue, "12");
  page->Leave(kUpperValue);
  EXPECT_EQ(F(kDefaultValue).text, "12");
  EXPECT_EQ(services.Messages(), "DefaultValueプロパティの設定値を有効範囲内に変更しました");
}

TEST_F(GeneralPage, EnablingFollowsTheSwitches) {
  Open();
  struct Row {
    int field;
    bool on;
    bool lower, nullBox, defaultValue;
  };
  const Row rows[] = {
      {kCheckValue, true, true, false, false}, {kAllowDefaultValue, true, true, true, false},
      {kNull, false, true, true, true},        {kCheckValue, false, false, true, true},
      {kNull, true, false, true, false},       {kAllowDefaultValue, false, false, false, false},
  };
  for (const Row& r : rows) {
    page->Check(r.field, r.on);
    EXPECT_EQ(F(kLowerValue).enabled, r.lower) << r.field << r.on;
    EXPECT_EQ(F(kUpperValue).enabled, r.lower) << r.field << r.on;
    EXPECT_EQ(F(kNull).enabled, r.nullBox) << r.field << r.on;
    EXPECT_EQ(F(kDefaultValue).enabled, r.defaultValue) << r.field << r.on;
  }
  EXPECT_FALSE(page->Type(kLowerValue, "1")) << "a disabled field takes nothing";
}

struct ColumnRow {
  const char* name;
  const char* typed;
  std::uint16_t type;
  const char* maxLength;
  bool locked;
};

TEST_F(GeneralPage, ABoundColumnGivesItsTypeLengthAndLocking) {
  const std::vector<CursorColumn> columns = {
      {"qty", VlTextInteger, 2, true}, {"name", VlTextString, 20, false}, {"blob", 9, 0, true}};
  const ColumnRow rows[] = {
      {"an updatable Integer column", "qty", VlTextInteger, "2", false},
      {"a read-only text column", "name", VlTextString, "20", true},
      {"a column of no data type", "blob", VlTextString, "0", false},
      {"names compare exactly", "Qty", VlTextString, "0", false},
  };
  for (const ColumnRow& row : rows) {
    Open(columns);
    EXPECT_EQ(F(kDataField).items.size(), 3u) << row.name;
    page->Type(kDataField, row.typed);
    EXPECT_EQ(page->DataType(), row.type) << row.name;
    EXPECT_EQ(F(kMaxLength).text, row.maxLength) << row.name;
    EXPECT_EQ(F(kLocked).checked, row.locked) << row.name;
  }
  Open(columns);
  page->Choose(kDataField, 0);
  EXPECT_EQ(page->DataType(), VlTextInteger) << "choosing a name looks it up too";
  EXPECT_EQ(F(kDataField).text, "qty");
}

TEST_F(GeneralPage, BrowseFillsTheEraProfileWithTheChosenPath) {
  Open();
  page->Click(kBrowse);
  EXPECT_EQ(F(kEraProfile).text, "") << "cancelled";
  services.file = "/data/eras.ini";
  page->Click(kBrowse);
  EXPECT_EQ(F(kEraProfile).text, "/data/eras.ini");
  EXPECT_EQ(services.filters.back(), "Ini Files (*.ini)|*.ini|All Files (*.*)|*.*||");
}

struct RangeRow {
  const char* name;
  const char* lower;
  const char* upper;
};

TEST_F(GeneralPage, ApplyWritesTheRangeInAnOrderTheBoxNeverRefuses) {
  const RangeRow rows[] = {
      {"both below the old lower end", "-5", "5"},
      {"both above the old upper end", "100", "200"},
      {"inside", "12", "18"},
      {"wider", "0", "30"},
      {"only the lower end", "15", "20"},
  };
  for (const RangeRow& row : rows) {
    LongRange();
    Open();
    page->Type(kUpperValue, row.upper);
    page->Type(kLowerValue, row.lower);
    EXPECT_NO_THROW(page->Apply(box)) << row.name;
    EXPECT_EQ(TypedValueToText(Get(kDispLowerValue)), row.lower) << row.name;
    EXPECT_EQ(TypedValueToText(Get(kDispUpperValue)), row.upper) << row.name;
    EXPECT_EQ(services.Messages(), "") << row.name << ": nothing refused";
    Put(kDispLowerValue, Variant::I4(-100));
    Put(kDispUpperValue, Variant::I4(20));
    Put(kDispLowerValue, Variant::I4(10));
  }
}

TEST_F(GeneralPage, ApplyLeavesTheBoxAsThePageShowsItAfterADataTypeChange) {
  // String to Date resets Format to the date default; the page shows an empty Format, so the box
  // must end with an empty one even though Format was empty when the page opened.
  Open();
  page->Choose(kDataType, 5);
  page->Type(kFormat, "");
  page->Apply(box);
  EXPECT_EQ(Get(kDispDataType), Variant::I4(VlTextDate));
  EXPECT_EQ(Get(kDispFormat), Variant::Bstr(""));
  EXPECT_EQ(Notified(), std::to_string(kDispDataType) + " " + std::to_string(kDispFormat));
}

TEST_F(GeneralPage, ApplyWithoutAChangeWritesNothingForEveryType) {
  for (std::uint16_t type : {VlTextInteger, VlTextLong, VlTextSingle, VlTextDouble, VlTextCurrency, VlTextDate,
                             VlTextString, VlTextBoolean, VlTextByte}) {
    // A fresh box of the type, with the type's own range.
    CVlTypedBoxCtrl& fresh = form.AddBox("t" + std::to_string(type));
    fresh.SetProperty(kDispDataType, Variant::I4(type));
    fresh.SetProperty(kDispCheckValue, Variant::Bool(true));
    fresh.SetProperty(kDispAllowDefaultValue, Variant::Bool(true));
    CVlTextPPGGeneral p({}, form.Clock());
    p.SetServices(&services);
    p.Read(fresh);
    form.TakeNotifications();
    EXPECT_FALSE(p.IsDirty()) << type;
    // Choosing the type the box has reads the range and default again: the text of a Single's
    // bound has fewer digits than the bound, and must not stand for another value.
    p.Choose(kDataType, p.Find(kDataType)->selected);
    p.Apply(fresh);
    EXPECT_EQ(Notified(), "") << type;
    EXPECT_EQ(services.Messages(), "") << type;
  }
}

}  // namespace
}  // namespace vl::pages
