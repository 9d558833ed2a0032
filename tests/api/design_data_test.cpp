// What the Lua host needs of the public interface beyond boxes and input: value conversion,
// databases and record sources, property sets and form files, the property pages, the wheel.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "public_test_support.h"
#include "vltext/vltext.h"

namespace {

using vl::DataType;
using vl::TypedValue;

std::string TempPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/vltext_api_" + std::to_string(::getpid()) + "_" + name;
}

TEST(PublicConversion, AsAnAutomationClientConverts) {
  struct Row {
    const char* what;
    TypedValue in;
    DataType to;
    TypedValue out;  // Empty when refused
    int code;        // the refusal's code
  };
  const Row rows[] = {
      {"text to Long", TypedValue::String("1234"), DataType::Long, TypedValue::Long(1234), 0},
      {"half to even", TypedValue::Double(2.5), DataType::Integer, TypedValue::Integer(2), 0},
      {"and up from an odd one", TypedValue::Double(3.5), DataType::Integer, TypedValue::Integer(4), 0},
      {"a number to Currency exactly", TypedValue::Double(12.5), DataType::Currency, TypedValue::Currency("12.5"), 0},
      {"number to text", TypedValue::Integer(7), DataType::String, TypedValue::String("7"), 0},
      {"text that is no number", TypedValue::String("abc"), DataType::Integer, {}, 13},
      {"out of the Integer range", TypedValue::Long(40000), DataType::Integer, {}, 6},
      {"an object converts to nothing", TypedValue::Object(), DataType::Long, {}, 13},
  };
  for (const Row& r : rows) {
    if (r.code != 0) {
      EXPECT_EQ(ErrorCode([&] { vl::ConvertValue(r.in, r.to); }), r.code) << r.what;
    } else {
      EXPECT_EQ(vl::ConvertValue(r.in, r.to), r.out) << r.what;
    }
  }
}

TEST(PublicConversion, AnObjectIsRefusedWhereAValueBelongs) {
  vl::Form form{vl::FormOptions{.fixedFont = true}};
  vl::Box box = form.AddBox("b");
  box.SetDataType(DataType::Long);
  EXPECT_EQ(ErrorCode([&] { box.SetValue(TypedValue::Object()); }), 380);
  EXPECT_EQ(ErrorCode([&] { box.Set("Font", TypedValue::Object()); }), 13);
  EXPECT_EQ(box.Value(), TypedValue::Null());
  EXPECT_TRUE(form.TakeEvents().empty());  // a refused type raises no ValueError
}

TEST(PublicData, DatabaseValuesAsTheSourceStoresThem) {
  struct Row {
    const char* what;
    TypedValue value;
    vl::DbValue stored;
  };
  const Row rows[] = {
      {"a date at midnight", TypedValue::Date(2026, 12, 6), vl::DbValue::Text("2026-12-06")},
      {"a date with its time", TypedValue::Date(2026, 12, 6, 9, 30, 0), vl::DbValue::Text("2026-12-06 09:30:00")},
      {"currency exactly", TypedValue::Currency("-12.3456"), vl::DbValue::Text("-12.3456")},
      {"a long", TypedValue::Long(42), vl::DbValue::Integer(42)},
      {"null", TypedValue::Null(), vl::DbValue::Null()},
      {"text", TypedValue::String("りんご"), vl::DbValue::Text("りんご")},
  };
  for (const Row& r : rows) EXPECT_EQ(vl::DbValue::From(r.value), r.stored) << r.what;

  vl::Database db(":memory:");
  db.Exec("create table item(name varchar(20), qty smallint)");
  EXPECT_EQ(db.Exec("insert into item values (?, ?)", {vl::DbValue::Text("りんご"), vl::DbValue::Integer(3)}), 1);
  const vl::QueryResult result = db.Query("select name, qty from item");
  ASSERT_EQ(result.rows.size(), 1u);
  EXPECT_EQ(result.columns, (std::vector<std::string>{"name", "qty"}));
  EXPECT_EQ(result.rows[0][0], vl::DbValue::Text("りんご"));
  EXPECT_EQ(ErrorCode([&] { db.Exec("insert into nowhere values (1)"); }), 3146);
  EXPECT_EQ(ErrorCode([] { vl::Database("/nonexistent-dir/x/shop.db"); }), 75);
}

TEST(PublicData, BoxesBoundToARecordSourceFollowItsRows) {
  vl::Database db(":memory:");
  db.Exec("create table item(name varchar(20), qty smallint)");
  db.Exec("insert into item values ('apple', 3), ('pear', 5)");
  vl::Form form{vl::FormOptions{.fixedFont = true}};
  vl::Box qty = form.AddBox("qty");
  form.AddButton("ok");
  vl::RecordSource items = form.AddSource("items", db, "item");
  EXPECT_EQ(items.Name(), "items");
  ASSERT_EQ(items.Columns().size(), 2u);
  EXPECT_EQ(items.Columns()[1].type, DataType::Integer);
  EXPECT_TRUE(items.Columns()[1].updatable);
  EXPECT_EQ(ErrorCode([&] { form.AddSource("items", db, "item"); }), 5);

  qty.Set("DataField", TypedValue::String("qty"));
  qty.SetDataSource(&items);
  items.MoveFirst();
  EXPECT_EQ(items.Position(), 1);
  EXPECT_EQ(qty.Value(), TypedValue::Integer(3));
  items.MoveNext();
  EXPECT_EQ(qty.Value(), TypedValue::Integer(5));

  // The user types into the bound box; moving on stores the row.
  form.Focus("qty");
  form.Key("End");
  form.Type("0");
  form.Key("Tab");
  items.MovePrev();
  EXPECT_EQ(db.Query("select qty from item where name = 'pear'").rows[0][0], vl::DbValue::Integer(50));
  EXPECT_EQ(items.GetEditMode(), vl::EditMode::None);

  EXPECT_EQ(ErrorCode([&] { items.Get("price"); }), 3265);
  items.Set("qty", TypedValue::Integer(9));  // as the program does: an edit begins
  EXPECT_EQ(items.GetEditMode(), vl::EditMode::Edit);
  EXPECT_EQ(qty.Value(), TypedValue::Integer(9));
  items.Cancel();
  EXPECT_EQ(items.Get("qty"), TypedValue::Integer(3));

  vl::Form other{vl::FormOptions{.fixedFont = true}};
  vl::Box stranger = other.AddBox("b");
  EXPECT_EQ(ErrorCode([&] { stranger.SetDataSource(&items); }), 5);
  qty.SetDataSource(nullptr);
  items.MoveNext();
  EXPECT_EQ(qty.Value(), TypedValue::Integer(3));  // unbound: the box no longer follows
}

TEST(PublicStore, PropertySetsThroughMemoryAndFiles) {
  vl::Form form{vl::FormOptions{.fixedFont = true}};
  vl::Box price = form.AddBox("price");
  price.SetDataType(DataType::Currency);
  price.SetFormat("#,##0.00");
  price.SetValue(TypedValue::Currency("12.5"));
  const vl::PropertyStore store = price.SaveProperties();
  ASSERT_FALSE(store.empty());
  EXPECT_EQ(store[0].name, "Version");
  EXPECT_EQ(store[0].kind, "version");

  // Into another box; a malformed entry takes its default and the rest is used.
  vl::Box copy = form.AddBox("copy");
  vl::PropertyStore edited = store;
  for (vl::StoreEntry& e : edited) {
    if (e.name == "Format") e.value = std::string("#,##0.00円");
    if (e.name == "MaxLength") e.value = std::string("not a number");
  }
  copy.LoadProperties(edited);
  EXPECT_EQ(copy.GetDataType(), DataType::Currency);
  EXPECT_EQ(copy.Value(), TypedValue::Currency("12.5"));
  EXPECT_EQ(copy.Format(), "#,##0.00円");
  copy.LoadProperties({});
  EXPECT_EQ(copy.GetDataType(), DataType::String);  // an empty store resets every property

  const std::string file = TempPath("price.json");
  price.SetModified(true);
  price.SavePropertiesFile(file);
  EXPECT_FALSE(price.Modified());  // what is saved is no longer a change
  copy.LoadPropertiesFile(file);
  EXPECT_EQ(copy.SaveProperties(), store);
  { std::ofstream(file) << "{not json"; }
  EXPECT_EQ(ErrorCode([&] { copy.LoadPropertiesFile(file); }), 75);
  EXPECT_EQ(copy.Value(), TypedValue::Currency("12.5"));  // left as it was
  EXPECT_EQ(ErrorCode([&] { copy.LoadPropertiesFile(file + ".missing"); }), 75);

  const std::string formFile = TempPath("form.json");
  form.SaveFile(formFile);
  vl::Form again = vl::Form::LoadFile(formFile, vl::FormOptions{.fixedFont = true});
  EXPECT_EQ(again.BoxNames(), (std::vector<std::string>{"price", "copy"}));
  EXPECT_EQ(again.GetBox("price").Value(), TypedValue::Currency("12.5"));
  EXPECT_EQ(again.GetBox("price").Bounds(), price.Bounds());
  EXPECT_EQ(ErrorCode([&] { vl::Form::LoadFile(file); }), 75);
  std::remove(file.c_str());
  std::remove(formFile.c_str());
}

TEST(PublicPages, ThePagesChangeTheBoxOnApply) {
  vl::Form form{vl::FormOptions{.designMode = true, .fixedFont = true}};
  vl::Box box = form.AddBox("b");
  vl::Palette palette;
  vl::PropertyPages pages = form.OpenPropertyPages(box, palette);
  const int general = pages.IndexOf("General");
  ASSERT_GE(general, 0);
  EXPECT_EQ(pages.IndexOf("Nothing"), -1);
  EXPECT_EQ(pages.Title(general), "General");
  EXPECT_EQ(pages.Field(general, 229)->label, "L&owerValue:");
  EXPECT_FALSE(pages.Field(general, 9999));
  EXPECT_FALSE(pages.IsDirty());

  const std::vector<std::string> types = pages.Field(general, 241)->items;
  const auto longType = std::find(types.begin(), types.end(), "3 - Long");
  ASSERT_NE(longType, types.end());
  ASSERT_TRUE(pages.Choose(general, 241, static_cast<int>(longType - types.begin())));
  EXPECT_TRUE(pages.IsDirty());
  EXPECT_EQ(box.GetDataType(), DataType::String);  // nothing written before Apply
  EXPECT_FALSE(pages.Apply());
  EXPECT_EQ(box.GetDataType(), DataType::Long);
  EXPECT_FALSE(pages.IsDirty());

  const int caption = pages.IndexOf("Caption");
  const std::vector<vl::ColourItem> colours = pages.ListItems(caption, 217);
  ASSERT_FALSE(colours.empty());
  EXPECT_TRUE(pages.ListColour(caption, 217));
  EXPECT_FALSE(pages.ListColour(general, 241));
  EXPECT_GT(pages.Render(general, true).Width(), 0);

  pages.Close();
  EXPECT_EQ(ErrorCode([&] { pages.IsDirty(); }), 5);
  pages.Close();  // closing twice is harmless
}

TEST(PublicPages, CommonDialogsAreAnsweredForTheUser) {
  vl::Form form{vl::FormOptions{.designMode = true, .fixedFont = true}};
  form.AnswerDialog(vl::DialogKind::Colour, vl::DialogAnswer{.colour = 0x336699});
  form.AnswerDialog(vl::DialogKind::Font,
                    vl::DialogAnswer{.font = vl::FontChoice{.name = "ＭＳ ゴシック", .size = 12}});
  EXPECT_EQ(ErrorCode([&] {
              form.AnswerDialog(vl::DialogKind::Font, vl::DialogAnswer{.font = vl::FontChoice{.name = "x", .size = 0}});
            }),
            380);
  EXPECT_TRUE(form.TakeDialogs().empty());  // answers wait for dialogs; none was opened
}

TEST(PublicInput, TheWheelScrollsTheFocusedMultiLineBox) {
  vl::Form form{vl::FormOptions{.designMode = true, .fixedFont = true}};
  vl::Box memo = form.AddBox("memo", vl::Rect{0, 0, 160, 40});
  memo.Set("MultiLine", TypedValue::Boolean(true));  // a design-time property
  form.SetUserMode(true);
  memo.SetValue(TypedValue::String("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8"));
  const vl::Point over = memo.ToForm(5, 5);
  const vl::Picture unfocused = form.Render(true);
  form.Wheel(over, -120);  // nothing has the focus: nothing scrolls
  EXPECT_EQ(form.Render(true).Rgba(), unfocused.Rgba());

  form.Focus("memo");
  const vl::Picture top = form.Render(true);
  form.Wheel(over, -120);
  EXPECT_NE(form.Render(true).Rgba(), top.Rgba());
  form.Wheel(over, 120);
  EXPECT_EQ(form.Render(true).Rgba(), top.Rgba());
  EXPECT_EQ(memo.Value(), TypedValue::String("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8"));
}

}  // namespace
