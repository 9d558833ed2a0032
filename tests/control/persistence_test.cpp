// Property persistence: the persisted order and names, defaults that follow the DataType just
// read, typed entries, malformed entries that take their defaults while the rest loads, the
// steps after a load, and a rich property set read back equal, property by property.
#include <gtest/gtest.h>

#include <map>

#include "control/properties.h"
#include "host/form.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {

void PrintTo(const Variant& v, std::ostream* os) {
  *os << TypeName(TypeCode(v)) << " "
      << (v.Type() == VarType::Cy ? std::to_string(v.AsCy().value) : TypedValueToText(v));
}

namespace {

PropertyEntry Entry(const char* name, ValueKind kind, StoredValue value) {
  return PropertyEntry{name, kind, std::move(value)};
}

PropertySet Store(std::vector<PropertyEntry> entries) {
  PropertySet s;
  for (auto& e : entries) s.Add(std::move(e));
  return s;
}

class Persistence : public ::testing::Test {
 protected:
  CVlTypedBoxCtrl& Box(const std::string& name) {
    CVlTypedBoxCtrl& b = form_.AddBox(name);
    form_.TakeEvents();
    return b;
  }
  Variant Get(CVlTypedBoxCtrl& b, std::int32_t dispid) { return b.GetProperty(dispid); }
  void Set(CVlTypedBoxCtrl& b, std::int32_t dispid, const Variant& v) { b.SetProperty(dispid, v); }

  // Everything a host reads in run mode, by name: the properties, the font's attributes and the
  // four captions' fields.
  std::map<std::string, Variant> Snapshot(CVlTypedBoxCtrl& b) {
    std::map<std::string, Variant> all;
    for (const PropertyInfo& row : PropertyTable()) {
      if (row.read == PropMode::Never || row.kind == PropKind::Object || row.dispid == kDispText ||
          row.dispid == kDispSelStart || row.dispid == kDispSelLength || row.dispid == kDispSelText) {
        continue;
      }
      if (row.kind == PropKind::Font) continue;
      all[row.name] = b.GetProperty(row.dispid);
    }
    const FontDesc& f = b.Core().font->Desc();
    all["Font.Weight"] = Variant::I4(f.weight);
    all["Font.Charset"] = Variant::I4(f.charset);
    for (int side = 0; side < 4; ++side) {
      const CaptionProperties p = b.Caption(side).Properties();
      const std::string k = "Cap" + std::to_string(side) + ".";
      all[k + "Text"] = Variant::Bstr(p.text);
      all[k + "Alignment"] = Variant::I4(p.alignment);
      all[k + "Size"] = Variant::I4(p.size);
      all[k + "Spacing"] = Variant::I4(p.spacing);
      all[k + "Padding"] = Variant::I4(p.padding);
      all[k + "TextColor"] = Variant::I8(p.textColor);
      all[k + "BackColor"] = Variant::I8(p.backColor);
      all[k + "BorderStyle"] = Variant::I4(p.borderStyle);
      all[k + "Font"] =
          Variant::Bstr(p.font.name + "/" + std::to_string(p.font.sizeCy) + "/" + std::to_string(p.font.weight) +
                        (p.font.italic ? "i" : "") + (p.font.underline ? "u" : "") + (p.font.strikethrough ? "s" : "") +
                        "/" + std::to_string(p.font.charset));
    }
    return all;
  }

  void ExpectSame(CVlTypedBoxCtrl& a, CVlTypedBoxCtrl& b, const std::string& what) {
    const auto sa = Snapshot(a);
    const auto sb = Snapshot(b);
    for (const auto& [name, value] : sa) EXPECT_EQ(sb.at(name), value) << what << ": " << name;
  }

  Form form_;
};

TEST_F(Persistence, TheStoreHoldsEveryEntryInThePersistedOrder) {
  const PropertySet saved = Box("b").SaveProperties();
  std::string names;
  for (const PropertyEntry& e : saved.Entries()) names += e.name + " ";
  std::string expected =
      "Version Extent DataField DataType Format Alignment MaxLength ForeColor BackColor DisabledForeColor "
      "DisabledBackColor Font BorderStyle PasswordChar Appearance HideSelection SelectByFocus Locked Enabled "
      "ReplaceCursor IMEMode MultiLine ScrollBars TabByReturn TabByVertKey TabByHorzKey TabByInputLast SpinButton "
      "CheckValue LowerValue.VlType LowerValue.VlType.VlValue UpperValue.VlType UpperValue.VlType.VlValue "
      "DefaultValue.VlType EraProfile SpinIncrease SpinDelay AllowDefaultValue Caption FuriganaType Value.VlType "
      "KeepNull ";
  for (const char* side : {"CapL.", "CapR.", "CapT.", "CapB."}) {
    for (const char* field :
         {"Text", "Alignment", "Size", "Spacing", "Font", "TextColor", "Backolor", "BorderStyle", "Padding"}) {
      expected += std::string(side) + field + " ";
    }
  }
  expected += "ControlBackColor ";
  EXPECT_EQ(names, expected);
  struct Row {
    const char* name;
    ValueKind kind;
  };
  for (const Row& r :
       {Row{"DataType", ValueKind::U16}, Row{"Alignment", ValueKind::I16}, Row{"MaxLength", ValueKind::I32},
        Row{"ForeColor", ValueKind::Colour}, Row{"Font", ValueKind::Font}, Row{"SpinIncrease", ValueKind::Float},
        Row{"LowerValue.VlType.VlValue", ValueKind::String}, Row{"CapB.Backolor", ValueKind::Colour},
        Row{"Extent", ValueKind::Extent}, Row{"Version", ValueKind::Version}}) {
    ASSERT_NE(saved.Find(r.name), nullptr) << r.name;
    EXPECT_EQ(saved.Find(r.name)->kind, r.kind) << r.name;
  }
  EXPECT_EQ(std::get<StoredPair>(saved.Find("Version")->value), (StoredPair{1, 0}));
}

TEST_F(Persistence, AnEmptyStoreGivesAFreshStringBox) {
  CVlTypedBoxCtrl& b = Box("b");
  Set(b, kDispDataType, Variant::I4(VlTextDate));
  for (std::int32_t d : {kDispBorderStyle, kDispAppearance, kDispHideSelection, kDispEnabled})
    Set(b, d, Variant::I4(0));
  Set(b, kDispSpinIncrease, Variant::R4(5));
  Set(b, kDispSpinDelay, Variant::I4(9));
  Set(b, kDispValue, Variant::Date(46000));
  b.Caption(0).SetText("x");
  b.LoadProperties(PropertySet());
  struct Row {
    std::int32_t dispid;
    Variant value;
  };
  for (const Row& r :
       {Row{kDispDataType, Variant::I4(8)}, Row{kDispFormat, Variant::Bstr("")}, Row{kDispAlignment, Variant::I4(0)},
        Row{kDispMaxLength, Variant::I4(0)}, Row{kDispBackColor, Variant::I4(static_cast<std::int32_t>(0x80000005))},
        Row{kDispBorderStyle, Variant::I4(1)}, Row{kDispAppearance, Variant::I4(1)},
        Row{kDispHideSelection, Variant::Bool(true)}, Row{kDispEnabled, Variant::Bool(true)},
        Row{kDispSpinIncrease, Variant::R4(1)}, Row{kDispSpinDelay, Variant::I4(250)}, Row{kDispValue, Variant::Null()},
        Row{kDispLowerValue, Variant::Bstr("")}, Row{kDispUpperValue, Variant::Bstr("")}}) {
    EXPECT_EQ(Get(b, r.dispid), r.value) << FindProperty(r.dispid)->name;
  }
  EXPECT_EQ(b.Caption(0).Text(), "");
  EXPECT_EQ(b.Core().font->Desc(), form_.AmbientFont());
}

TEST_F(Persistence, DefaultsFollowTheDataTypeJustRead) {
  struct Row {
    std::uint16_t type;
    const char* format;
    std::int32_t alignment, maxLength;
    std::uint32_t back;
    Variant lower, upper;
  };
  const Row rows[] = {
      {VlTextDate, "yyyy/mm/dd", 1, 8, 0x80000005, Variant::Date(*FieldsToSerial(100, 1, 1)),
       Variant::Date(*FieldsToSerial(9999, 12, 31, 23, 59, 59))},
      {VlTextBoolean, "", 0, 2, 0x8000000F, Variant::Bool(false), Variant::Bool(false)},
      {VlTextInteger, "", 1, 2, 0x80000005, Variant::I2(-32768), Variant::I2(32767)},
      {VlTextByte, "", 1, 1, 0x80000005, Variant::UI1(0), Variant::UI1(255)},
  };
  for (const Row& r : rows) {
    CVlTypedBoxCtrl& b = Box("t" + std::to_string(r.type));
    b.LoadProperties(Store({Entry("DataType", ValueKind::U16, std::int64_t{r.type})}));
    EXPECT_EQ(Get(b, kDispFormat), Variant::Bstr(Cp932Literal(r.format))) << r.type;
    EXPECT_EQ(Get(b, kDispAlignment), Variant::I4(r.alignment)) << r.type;
    EXPECT_EQ(Get(b, kDispMaxLength), Variant::I4(r.maxLength)) << r.type;
    EXPECT_EQ(static_cast<std::uint32_t>(Get(b, kDispBackColor).AsI4()), r.back) << r.type;
    EXPECT_EQ(Get(b, kDispLowerValue), r.lower) << r.type;
    EXPECT_EQ(Get(b, kDispUpperValue), r.upper) << r.type;
  }
}

TEST_F(Persistence, TypedEntriesAndTheirNullAndDesignForms) {
  CVlTypedBoxCtrl& b = Box("b");
  b.LoadProperties(Store({Entry("DataType", ValueKind::U16, std::int64_t{3}),
                          Entry("DefaultValue.VlType", ValueKind::U16, std::int64_t{1}),
                          Entry("DefaultValue.VlType.VlValue", ValueKind::I32, std::int64_t{5}),  // ignored for Null
                          Entry("Value.VlType", ValueKind::U16, std::int64_t{3}),
                          Entry("Value.VlType.VlValue", ValueKind::I32, std::int64_t{-70000})}));
  EXPECT_EQ(Get(b, kDispDefaultValue), Variant::Null());
  EXPECT_EQ(Get(b, kDispValue), Variant::I4(-70000));

  Form design(false);
  CVlTypedBoxCtrl& d = design.AddBox("d");
  d.LoadProperties(Store({Entry("Value.VlType", ValueKind::U16, std::int64_t{8}),
                          Entry("Value.VlType.VlValue", ValueKind::String, std::string("shown"))}));
  const PropertySet saved = d.SaveProperties();
  EXPECT_EQ(std::get<std::int64_t>(saved.Find("Value.VlType")->value), 1);
  EXPECT_EQ(saved.Find("Value.VlType.VlValue"), nullptr);
}

// Each row puts one bad entry in the middle of a good store: that property takes its default
// and every other entry is still used.
TEST_F(Persistence, AMalformedEntryTakesItsDefaultAndTheRestLoads) {
  struct Row {
    const char* what;
    std::vector<PropertyEntry> bad;
    std::int32_t dispid;
    Variant expected;
  };
  const std::vector<Row> rows = {
      {"text for a number", {Entry("Alignment", ValueKind::I16, std::string("x"))}, kDispAlignment, Variant::I4(1)},
      {"out of the property's range",
       {Entry("BorderStyle", ValueKind::I16, std::int64_t{5})},
       kDispBorderStyle,
       Variant::I4(1)},
      {"out of the kind's range",
       {Entry("SpinDelay", ValueKind::I16, std::int64_t{70000})},
       kDispSpinDelay,
       Variant::I4(250)},
      {"another kind", {Entry("MaxLength", ValueKind::String, std::int64_t{5})}, kDispMaxLength, Variant::I4(4)},
      {"an unknown kind", {Entry("Locked", ValueKind::Unknown, std::int64_t{1})}, kDispLocked, Variant::Bool(false)},
      {"a fraction", {Entry("IMEMode", ValueKind::I16, 1.5)}, kDispIMEMode, Variant::I4(0)},
      {"a whole number with a point", {Entry("IMEMode", ValueKind::I16, 2.0)}, kDispIMEMode, Variant::I4(2)},
      {"a double-byte password character",
       {Entry("PasswordChar", ValueKind::String, Cp932Literal("あ"))},
       kDispPasswordChar,
       Variant::Bstr("")},
      {"a negative colour",
       {Entry("ForeColor", ValueKind::Colour, std::int64_t{-1})},
       kDispForeColor,
       Variant::I4(static_cast<std::int32_t>(0x80000008))},
      {"a typed value without its value",
       {Entry("LowerValue.VlType", ValueKind::U16, std::int64_t{3})},
       kDispLowerValue,
       Variant::I4(std::numeric_limits<std::int32_t>::min())},
      {"a type code that is no type",
       {Entry("LowerValue.VlType", ValueKind::U16, std::int64_t{14}),
        Entry("LowerValue.VlType.VlValue", ValueKind::I32, std::int64_t{1})},
       kDispLowerValue,
       Variant::I4(std::numeric_limits<std::int32_t>::min())},
      {"a Null bound",
       {Entry("LowerValue.VlType", ValueKind::U16, std::int64_t{1})},
       kDispLowerValue,
       Variant::I4(std::numeric_limits<std::int32_t>::min())},
      {"an upper bound below the lower",
       {Entry("LowerValue.VlType", ValueKind::U16, std::int64_t{3}),
        Entry("LowerValue.VlType.VlValue", ValueKind::I32, std::int64_t{-1}),
        Entry("UpperValue.VlType", ValueKind::U16, std::int64_t{3}),
        Entry("UpperValue.VlType.VlValue", ValueKind::I32, std::int64_t{-5})},
       kDispUpperValue,
       Variant::I4(std::numeric_limits<std::int32_t>::max())},
      {"a Byte out of range",
       {Entry("DefaultValue.VlType", ValueKind::U16, std::int64_t{17}),
        Entry("DefaultValue.VlType.VlValue", ValueKind::I16, std::int64_t{300})},
       kDispDefaultValue,
       Variant::Null()},
      {"a date out of range",
       {Entry("DefaultValue.VlType", ValueKind::U16, std::int64_t{7}),
        Entry("DefaultValue.VlType.VlValue", ValueKind::Double, 1e9)},
       kDispDefaultValue,
       Variant::Null()},
      {"an Empty default",
       {Entry("DefaultValue.VlType", ValueKind::U16, std::int64_t{0})},
       kDispDefaultValue,
       Variant::Null()},
      {"a font of no size",
       {Entry("Font", ValueKind::Font, StoredFont{Cp932Literal("ＭＳ 明朝"), -1.0})},
       kDispFontName,
       Variant::Bstr(form_.AmbientFont().name)},
      {"a value that is nothing",
       {Entry("SpinIncrease", ValueKind::Float, std::monostate{})},
       kDispSpinIncrease,
       Variant::R4(1)},
  };
  for (const Row& r : rows) {
    std::vector<PropertyEntry> entries = {Entry("DataType", ValueKind::U16, std::int64_t{3})};
    for (const PropertyEntry& e : r.bad) entries.push_back(e);
    entries.push_back(Entry("TabByReturn", ValueKind::I16, std::int64_t{1}));
    entries.push_back(Entry("CapT.Text", ValueKind::String, std::string("after")));
    CVlTypedBoxCtrl& b = Box(r.what);
    b.LoadProperties(Store(entries));
    EXPECT_EQ(Get(b, r.dispid), r.expected) << r.what;
    EXPECT_EQ(Get(b, kDispDataType), Variant::I4(3)) << r.what;
    EXPECT_EQ(Get(b, kDispTabByReturn), Variant::Bool(true)) << r.what;
    EXPECT_EQ(b.Caption(2).Text(), "after") << r.what;
  }
}

TEST_F(Persistence, AnUnknownDataTypeLoadsAStringBox) {
  CVlTypedBoxCtrl& b = Box("b");
  b.LoadProperties(Store({Entry("DataType", ValueKind::U16, std::int64_t{14})}));
  EXPECT_EQ(Get(b, kDispDataType), Variant::I4(8));
  EXPECT_EQ(Get(b, kDispMaxLength), Variant::I4(0));
}

TEST_F(Persistence, CaptionLengthsOutOfOrderTakeTheirDefaults) {
  CVlTypedBoxCtrl& b = Box("b");
  b.LoadProperties(Store(
      {Entry("CapL.Size", ValueKind::I32, std::int64_t{500}), Entry("CapL.Spacing", ValueKind::I32, std::int64_t{600}),
       Entry("CapL.Padding", ValueKind::I32, std::int64_t{100}), Entry("CapR.Size", ValueKind::I32, std::int64_t{-3}),
       Entry("CapL.TextColor", ValueKind::Colour, std::int64_t{0x123456})}));
  const CaptionProperties left = b.Caption(0).Properties();
  EXPECT_EQ(left.size, 500);
  EXPECT_EQ(left.spacing, 0);
  EXPECT_EQ(left.padding, 100);
  EXPECT_EQ(left.textColor, 0x123456u);
  EXPECT_EQ(b.Caption(1).SizeHimetric(), 0);
  EXPECT_EQ(b.Caption(1).Properties().textColor, 0x80000012u);  // no default: the initial colour
  EXPECT_EQ(left.font, form_.AmbientFont());                    // a missing font: the ambient one
}

TEST_F(Persistence, AfterLoadingTheValueAndTheDefaultAreMadeCurrent) {
  CVlTypedBoxCtrl& b = Box("b");
  form_.TakeNotifications();
  b.LoadProperties(
      Store({Entry("DataType", ValueKind::U16, std::int64_t{3}), Entry("CheckValue", ValueKind::I16, std::int64_t{1}),
             Entry("UpperValue.VlType", ValueKind::U16, std::int64_t{3}),
             Entry("UpperValue.VlType.VlValue", ValueKind::I32, std::int64_t{10}),
             Entry("Value.VlType", ValueKind::U16, std::int64_t{3}),
             Entry("Value.VlType.VlValue", ValueKind::I32, std::int64_t{50})}));
  EXPECT_EQ(Get(b, kDispValue), Variant::I4(50));  // kept as saved: the bounds came after it
  EXPECT_TRUE(form_.TakeNotifications().empty());
  EXPECT_FALSE(form_.FindBox("b")->modified);

  CVlTypedBoxCtrl& d = Box("d");
  form_.TakeEvents();
  d.LoadProperties(Store({Entry("DataType", ValueKind::U16, std::int64_t{3}),
                          Entry("DefaultValue.VlType", ValueKind::U16, std::int64_t{3}),
                          Entry("DefaultValue.VlType.VlValue", ValueKind::I32, std::int64_t{7}),
                          Entry("AllowDefaultValue", ValueKind::I16, std::int64_t{1})}));
  EXPECT_EQ(Get(d, kDispValue), Variant::I4(7));
  const auto events = form_.TakeEvents();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].name, "Change");

  // A default the box refuses is caught: no ValueError, and loading goes on.
  CVlTypedBoxCtrl& e = Box("e");
  e.LoadProperties(
      Store({Entry("DataType", ValueKind::U16, std::int64_t{3}), Entry("CheckValue", ValueKind::I16, std::int64_t{1}),
             Entry("UpperValue.VlType", ValueKind::U16, std::int64_t{3}),
             Entry("UpperValue.VlType.VlValue", ValueKind::I32, std::int64_t{10}),
             Entry("DefaultValue.VlType", ValueKind::U16, std::int64_t{3}),
             Entry("DefaultValue.VlType.VlValue", ValueKind::I32, std::int64_t{70}),
             Entry("AllowDefaultValue", ValueKind::I16, std::int64_t{1}),
             Entry("KeepNull", ValueKind::I16, std::int64_t{1})}));
  for (const EventRecord& r : form_.TakeEvents()) EXPECT_NE(r.name, "ValueError");
  EXPECT_TRUE(form_.TakeMessages().empty());
  EXPECT_EQ(Get(e, kDispKeepNull), Variant::Bool(true));
}

TEST_F(Persistence, TheExtentSizesTheBox) {
  CVlTypedBoxCtrl& b = Box("b");
  b.LoadProperties(Store({Entry("Extent", ValueKind::Extent, StoredPair{5292, 1058})}));  // 200 x 40 pixels
  const win::RECT r = form_.WindowSystem().GetWindowRect(b.Handle());
  EXPECT_EQ(r.Width(), 200);
  EXPECT_EQ(r.Height(), 40);
  b.LoadProperties(Store({Entry("Extent", ValueKind::Extent, StoredPair{-5, 99999999})}));  // ignored
  EXPECT_EQ(form_.WindowSystem().GetWindowRect(b.Handle()).Width(), 200);
}

// Every property away from its default, all four captions, and typed bounds of each data type:
// saved and loaded into a fresh box, everything reads back equal; loading again changes nothing.
TEST_F(Persistence, ARichPropertySetReadsBackEqual) {
  struct Bounds {
    std::uint16_t type;
    Variant lower, upper, def, value;
  };
  const Bounds types[] = {
      {VlTextInteger, Variant::I2(-5), Variant::I2(500), Variant::I2(7), Variant::I2(42)},
      {VlTextLong, Variant::I4(-70000), Variant::I4(70000), Variant::I4(7), Variant::I4(-65536)},
      {VlTextSingle, Variant::R4(-1.5f), Variant::R4(1e6f), Variant::R4(0.1f), Variant::R4(3.14159f)},
      {VlTextDouble, Variant::R8(-1e300), Variant::R8(1e300), Variant::R8(0.1), Variant::R8(2.0 / 3.0)},
      {VlTextCurrency, Variant::Cy(Currency{-99999}), Variant::Cy(Currency{922337203685477}), Variant::Cy(Currency{1}),
       Variant::Cy(Currency{123456789})},
      {VlTextDate, Variant::Date(*FieldsToSerial(2000, 1, 1)), Variant::Date(*FieldsToSerial(2030, 12, 31, 23, 59, 59)),
       Variant::Date(*FieldsToSerial(2026, 12, 6)), Variant::Date(*FieldsToSerial(2026, 2, 3, 4, 5, 6))},
      {VlTextString, Variant::Bstr("a"), Variant::Bstr(Cp932Literal("ん")), Variant::Bstr(Cp932Literal("既定")),
       Variant::Bstr(Cp932Literal("値"))},
      {VlTextBoolean, Variant::Bool(true), Variant::Bool(true), Variant::Bool(true), Variant::Bool(false)},
      {VlTextByte, Variant::UI1(3), Variant::UI1(200), Variant::UI1(9), Variant::UI1(100)},
  };
  for (const Bounds& t : types) {
    const std::string name = TypeName(t.type);
    SCOPED_TRACE(name);
    CVlTypedBoxCtrl& b = Box(name);
    form_.MoveBox(b, win::RECT{0, 0, 300, 120});
    Set(b, kDispDataType, Variant::I4(t.type));
    Set(b, kDispLowerValue, t.lower);
    Set(b, kDispUpperValue, t.upper);
    Set(b, kDispDefaultValue, t.def);
    Set(b, kDispValue, t.value);
    Set(b, kDispFormat, Variant::Bstr(t.type == VlTextDate ? "yyyy-mm-dd" : t.type == VlTextString ? "" : "#,##0.00"));
    Set(b, kDispAlignment, Variant::I4(2));
    if (t.type == VlTextString) Set(b, kDispMaxLength, Variant::I4(40));
    for (std::int32_t d :
         {kDispForeColor, kDispBackColor, kDispDisabledForeColor, kDispDisabledBackColor, kDispControlBackColor}) {
      Set(b, d, Variant::I4(0x00102030 + d));
    }
    for (std::int32_t d : {kDispBorderStyle, kDispAppearance, kDispHideSelection}) Set(b, d, Variant::I4(0));
    for (std::int32_t d : {kDispSelectByFocus, kDispLocked, kDispReplaceCursor, kDispTabByReturn, kDispTabByVertKey,
                           kDispTabByHorzKey, kDispTabByInputLast, kDispCheckValue, kDispKeepNull}) {
      Set(b, d, Variant::Bool(true));
    }
    Set(b, kDispPasswordChar, Variant::Bstr("*"));
    Set(b, kDispIMEMode, Variant::I4(4));
    Set(b, kDispSpinButton, Variant::I4(2));
    Set(b, kDispSpinIncrease, Variant::R4(0.25f));
    Set(b, kDispSpinDelay, Variant::I4(100));
    Set(b, kDispCaption, Variant::Bstr(Cp932Literal("確認")));
    Set(b, kDispFuriganaType, Variant::I4(2));
    Set(b, kDispFontName, Variant::Bstr(Cp932Literal("ＭＳ 明朝")));
    Set(b, kDispFontSize, Variant::R4(10.5f));
    Set(b, kDispFontItalic, Variant::Bool(true));
    Set(b, kDispFontBold, Variant::Bool(true));
    for (int side = 0; side < 4; ++side) {
      VlTextCaption& c = b.Caption(side);
      c.SetText(Cp932Literal("見出し") + std::to_string(side));
      c.SetAlignment(static_cast<std::int16_t>(side + 4));
      c.SetBorderStyle(static_cast<std::int16_t>(side));
      c.SetTextColor(0x00ABCDEF - side);
      c.SetBackColor(0x80000000 + side);
      CaptionProperties p = c.Properties();
      p.size = 300 + side;
      p.spacing = 20 + side;
      p.padding = 10 + side;
      p.font.name = Cp932Literal("ＭＳ ゴシック");
      p.font.sizeCy = 123456;
      p.font.underline = side % 2 == 0;
      c.Restore(p);
    }
    CVlTypedBoxCtrl& copy = form_.AddBox(name + " copy");
    const PropertySet saved = b.SaveProperties();
    copy.LoadProperties(saved);
    ExpectSame(b, copy, name);
    const PropertySet again = copy.SaveProperties();
    for (std::size_t i = 0; i < saved.Entries().size(); ++i) {
      EXPECT_EQ(again.Entries()[i], saved.Entries()[i]) << name << ": " << saved.Entries()[i].name;
    }
    copy.LoadProperties(saved);
    ExpectSame(b, copy, name + " loaded twice");
    EXPECT_EQ(copy.SaveProperties(), saved) << name;
  }
}

}  // namespace
}  // namespace vl
