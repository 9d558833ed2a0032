// Property stores and forms as JSON files: what is written reads back the same, malformed entries
// stay malformed for the exchange to default, and a file that is not ours is refused whole.
#include "host/store_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/form.h"
#include "host/host_errors.h"
#include "runtime/automation_error.h"
#include "text/encoding.h"

namespace vl {
namespace {

std::string Wrap(const std::string& entries) {
  return R"({"format": "vltext-properties", "version": 1, "entries": [)" + entries + "]}";
}

int RefusalCode(std::string_view text) {
  try {
    PropertySetFromJson(text);
  } catch (const AutomationError& e) {
    return e.Code();
  }
  return 0;
}

TEST(StoreFile, ASavedStoreReadsBackEntryForEntry) {
  Form form;
  CVlTypedBoxCtrl& b = form.AddBox("b");
  b.SetProperty(kDispCaption, Variant::Bstr(Cp932Literal("「確認」 \"quoted\" \\ \n")));
  b.SetProperty(kDispDataType, Variant::I4(VlTextCurrency));
  b.SetProperty(kDispValue, Variant::Cy(Currency{-9223372036854775807}));
  b.SetProperty(kDispSpinIncrease, Variant::R4(0.1f));
  const PropertySet saved = b.SaveProperties();
  const std::string json = PropertySetToJson(saved);
  EXPECT_TRUE(IsValidUtf8(json));
  EXPECT_NE(json.find("「確認」"), std::string::npos);  // UTF-8 on disk
  EXPECT_EQ(PropertySetFromJson(json), saved);
}

TEST(StoreFile, EntriesKeepWhatTheyHeldMalformedOrNot) {
  const PropertySet s = PropertySetFromJson(Wrap(R"(
      {"name": "TabByReturn", "kind": "i16", "value": 1},
      {"name": "Alignment", "kind": "i16", "value": "right"},
      {"name": "Font", "kind": "font", "value": {"name": "ＭＳ 明朝", "size": 12, "bold": "yes"}},
      {"name": "CapL.Font", "kind": "font", "value": {"size": 10.5}},
      {"name": "Extent", "kind": "extent", "value": {"width": 100}},
      {"name": "Version", "value": {"major": 1, "minor": 0}},
      {"name": "Mystery", "kind": "bignum", "value": 1},
      {"kind": "i16", "value": 1},
      "not an entry",
      {"name": "Format", "kind": "string", "value": "\ud83d\ude00"},
      {"name": "MaxLength", "kind": "i32", "value": 18446744073709551615},
      {"name": "TabByReturn", "kind": "i16", "value": 0})"));
  ASSERT_EQ(s.Entries().size(), 10u);
  EXPECT_EQ(std::get<std::int64_t>(s.Find("TabByReturn")->value), 1);  // the first of a repeated name
  EXPECT_EQ(std::get<std::string>(s.Find("Alignment")->value), "right");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Find("Font")->value));
  EXPECT_EQ(std::get<StoredFont>(s.Find("CapL.Font")->value).size, 10.5);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Find("Extent")->value));
  EXPECT_EQ(std::get<StoredPair>(s.Find("Version")->value), (StoredPair{1, 0}));
  EXPECT_FALSE(s.Find("Version")->kind.has_value());
  EXPECT_EQ(s.Find("Mystery")->kind, ValueKind::Unknown);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(s.Find("Format")->value));  // no CP932 form
  EXPECT_TRUE(std::holds_alternative<double>(s.Find("MaxLength")->value));       // too large for an integer

  Form form;
  CVlTypedBoxCtrl& b = form.AddBox("b");
  b.LoadProperties(s);
  EXPECT_EQ(b.GetProperty(kDispTabByReturn), Variant::Bool(true));
  EXPECT_EQ(b.GetProperty(kDispAlignment), Variant::I4(0));
  EXPECT_EQ(b.GetProperty(kDispMaxLength), Variant::I4(0));
  EXPECT_EQ(b.GetProperty(kDispFormat), Variant::Bstr(""));
  EXPECT_EQ(b.Caption(0).Properties().font.sizeCy, 105000);
}

TEST(StoreFile, AFileThatIsNotAStoreIsRefusedWhole) {
  const std::string good = Wrap(R"({"name": "DataType", "kind": "u16", "value": 3})");
  EXPECT_EQ(RefusalCode(good), 0);
  const std::string deep = std::string(100, '[') + std::string(100, ']');
  for (const std::string& bad :
       {good.substr(0, good.size() / 2), std::string("not json"), std::string(""), std::string("[]"),
        std::string(R"({"format": "vltext-form", "version": 1, "boxes": []})"),
        std::string(R"({"format": "vltext-properties", "version": 2, "entries": []})"),
        std::string(R"({"format": "vltext-properties", "version": "1", "entries": []})"),
        std::string(R"({"format": "vltext-properties", "version": 1, "entries": {}})"),
        std::string(R"({"format": "vltext-properties", "version": 1})"),
        R"({"format": "vltext-properties", "version": 1, "entries": [)" + deep + "]}", std::string("\xFF\xFE{}")}) {
    EXPECT_EQ(RefusalCode(bad), kErrFileAccess) << bad;
  }
}

TEST(StoreFile, AFileInTheJapaneseCodePageIsRead) {
  const std::string utf8 = "\xEF\xBB\xBF" + Wrap(R"({"name": "Caption", "kind": "string", "value": "確認"})");
  EXPECT_EQ(std::get<std::string>(PropertySetFromJson(utf8).Find("Caption")->value), Cp932Literal("確認"));
  const std::string cp932 = Utf8ToCp932(Wrap(R"({"name": "Caption", "kind": "string", "value": "確認"})"));
  EXPECT_EQ(std::get<std::string>(PropertySetFromJson(cp932).Find("Caption")->value), Cp932Literal("確認"));
}

class FormFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vl_store_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

TEST_F(FormFiles, AFormReadsBackWithItsBoxesInTabOrder) {
  Form form;
  CVlTypedBoxCtrl& a = form.AddBox("価格", win::RECT{10, 20, 210, 44});
  a.SetProperty(kDispDataType, Variant::I4(VlTextCurrency));
  a.SetProperty(kDispValue, Variant::Cy(Currency{125000}));
  a.Caption(0).SetText("&Price");
  form.AddBox("due").SetProperty(kDispDataType, Variant::I4(VlTextDate));
  WriteFileReplacing(Path("order.json"), FormFileToJson(CaptureForm(form)));

  Form copy;
  RestoreForm(copy, FormFileFromJson(ReadFileBytes(Path("order.json"))));
  ASSERT_EQ(copy.Boxes().size(), 2u);
  EXPECT_EQ(copy.Boxes()[0]->Name(), "価格");
  EXPECT_EQ(copy.Boxes()[1]->Name(), "due");
  CVlTypedBoxCtrl& b = copy.Boxes()[0]->Control();
  const win::RECT r = copy.WindowSystem().GetWindowRect(b.Handle());
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.Width(), 200);
  EXPECT_EQ(b.GetProperty(kDispValue), Variant::Cy(Currency{125000}));
  EXPECT_EQ(b.Caption(0).Text(), "&Price");
  EXPECT_EQ(copy.Boxes()[1]->Control().GetProperty(kDispDataType), Variant::I4(VlTextDate));
  EXPECT_EQ(CaptureForm(copy).size(), 2u);
}

TEST_F(FormFiles, BoxesWithoutAUsableNameAreLeftOutAndBadRectanglesReplaced) {
  const auto boxes = FormFileFromJson(R"({"format": "vltext-form", "version": 1, "boxes": [
      {"name": "a", "rect": {"x": 1, "y": 2, "w": 3, "h": 4}},
      {"name": "a", "rect": {"x": 5, "y": 6, "w": 7, "h": 8}},
      {"name": "", "entries": []}, {"rect": {}}, 7,
      {"name": "b", "rect": {"x": 2147483647, "y": 0, "w": 10, "h": 10}, "entries": "none"},
      {"name": "c", "rect": {"x": 0, "y": 0, "w": -5, "h": 10}}]})");
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].rect.right, 4);
  EXPECT_EQ(boxes[1].name, "b");
  EXPECT_EQ(boxes[1].rect.left, 8);  // the default row's rectangle
  EXPECT_TRUE(boxes[1].entries.Empty());
  EXPECT_EQ(boxes[2].rect.left, 8);
}

TEST_F(FormFiles, AFailedWriteLeavesTheOldFile) {
  const std::string path = Path("keep.json");
  WriteFileReplacing(path, "old");
  EXPECT_THROW(WriteFileReplacing(Path("missing/dir/x.json"), "new"), AutomationError);
  std::filesystem::create_directory(path + ".new");  // the new file cannot be made
  EXPECT_THROW(WriteFileReplacing(path, "new"), AutomationError);
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_THROW(ReadFileBytes(Path("nothing.json")), AutomationError);
}

}  // namespace
}  // namespace vl
