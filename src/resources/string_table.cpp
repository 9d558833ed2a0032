#include "resources/string_table.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "text/encoding.h"

namespace vl {
namespace {

// One entry: its number, its text (UTF-8 here, CP932 in the table) and, for the reference, what it
// is for (preset formats take the note of their group, below).
struct Row {
  std::uint32_t id;
  std::string text;
  std::string note = {};
};

// The preset formats the General page offers, by data type: a group of consecutive numbers each.
struct PresetGroup {
  std::uint32_t first;
  std::uint32_t last;
  const char* note;
};
constexpr PresetGroup kPresetGroups[] = {
    {500, 512, "Date format preset"},    {520, 527, "String format preset"},   {540, 542, "Byte format preset"},
    {560, 568, "Integer format preset"}, {580, 588, "Long format preset"},     {600, 608, "Single format preset"},
    {620, 628, "Double format preset"},  {640, 648, "Currency format preset"},
};

// The numeric preset groups: for each digit pattern, positive only, negative with a leading
// "△", negative in parentheses; each with an empty zero section and the literal null for Null.
void AddNumericPresets(std::vector<Row>& rows, std::uint32_t first, std::initializer_list<const char*> patterns,
                       const std::string& prefix = "") {
  std::uint32_t id = first;
  for (const char* digits : patterns) {
    const std::string p = prefix + digits;
    rows.push_back({id++, p + ";;;\"null\""});
    rows.push_back({id++, p + ";" + prefix + "\"△\"" + digits + ";;\"null\""});
    rows.push_back({id++, p + ";\"(\"" + p + "\")\";;\"null\""});
  }
}

struct Entry {
  std::string text;  // CP932
  std::string note;
};

std::map<std::uint32_t, Entry> BuildTable() {
  std::vector<Row> rows = {
      {1, "VlText", "the component's display name: the title of its message boxes"},
      {100, "General", "title of the General property page"},
      {101, "Style", "title of the Style property page"},
      {102, "Colors", "title of the colour property page"},
      {103, "Fonts", "title of the font property page"},
      {104, "Style2", "title of the Style2 property page"},
      {202, "Caption", "title of the Caption property page"},
      // Date presets.
      {500, "yyyy/mm/dd"},
      {501, "yy/m/d"},
      {502, "yyyy年mm月dd日"},
      {503, "gee年m月d日"},
      {504, "ggee年mm月dd日"},
      {505, "ggee年m月d日"},
      {506, "mmm-yy"},
      {507, "mmmm-yy"},
      {508, "yyyy/m/d hh:nn AM/PM"},
      {509, "yyyy/m/d hh:nn"},
      {510, "hh時nn分ss秒"},
      {511, "hh:nn:ss A/P"},
      {512, "hh:nn:ss am/pm"},
      // String presets.
      {520, ";null"},
      {521, "!9999\\-9999\\-9999"},
      {522, "!\\(99\\)9999\\-9999"},
      {523, "!\\(999\\)999\\-9999"},
      {524, "!\\(9999\\)99\\-9999"},
      {525, "\\〒000\\-9999"},
      {526, "!aaaaaa\"@example.co.jp\""},
      {527, "0000\\-0000\\-0000\\-0000"},
      // Byte presets.
      {540, "###;;;\"null\""},
      {541, "000;;;\"null\""},
      {542, "##0;;;\"null\""},
      // Messages.
      {1000, "入力値が上限値を超えました", "the value is above UpperValue (CheckValue set); the box keeps its value"},
      {1001, "入力値が下限値を超えました", "the value is below LowerValue (CheckValue set); the box keeps its value"},
      {1003, "入力文字数が書式文字数を超えました",
       "the text has more characters than the format has positions; the box keeps its value"},
      {1004, "設定値がMaxLengthプロパティの値により調整されました", "the value was cut to MaxLength bytes and taken"},
      {1005, "設定値が書式文字数により調整されました", "the value was cut to the positions of the format and taken"},
      {1006, "入力値が書式と整合しません", "the value does not match the format; the adjusted value was taken"},
      {1100, "変換時にオーバーフローしました", "the value is too large for the data type (40000 for an Integer box)"},
      {1101, "変換前のデータが有効ではありません", "the value is of a kind no data type converts from"},
      {1102, "設定値を変換できませんでした",
       "the value cannot be read as the data type (\"abc\" for a Long box), or a bound was written as Null"},
      {1200, "Valueプロパティの値が調整されました", "a smaller MaxLength cut the value"},
      {1300, "2バイト文字は設定できません", "error 380 of a PasswordChar that is not a plain single-byte character"},
      {1301, "DataTypeプロパティがString以外の時は設定する事ができません",
       "error 380 of a MaxLength written while DataType is not String"},
      {1302, "LowerValueプロパティに有効範囲を超えた値を設定する事はできません",
       "error 380 of a LowerValue above UpperValue"},
      {1303, "UpperValueプロパティに有効範囲を超えた値を設定する事はできません",
       "error 380 of an UpperValue below LowerValue"},
      {1500, "DefaultValueプロパティの設定値を有効範囲内に変更しました",
       "the General page moved DefaultValue into the range of the bounds"},
      {2002, "VlText.hlp", "the help file the property pages name"},
  };
  AddNumericPresets(rows, 560, {"##,###", "00,000", "##,##0"});
  AddNumericPresets(rows, 580, {"#,###,###,###", "0,000,000,000", "#,###,###,##0"});
  AddNumericPresets(rows, 600, {"#,###.###", "0,000.000", "#,##0.000"});
  AddNumericPresets(rows, 620, {"###,###,###.#####", "000,000,000.00000", "###,###,##0.00000"});
  // Currency: an escaped backslash (the yen sign on a Japanese system) before the digits, also
  // inside the negative sections.
  AddNumericPresets(rows, 640, {"##,###,###.###", "00,000,000.000", "##,###,##0.000"}, "\\\\");

  std::map<std::uint32_t, Entry> table;
  for (Row& row : rows) {
    for (const PresetGroup& g : kPresetGroups) {
      if (row.note.empty() && row.id >= g.first && row.id <= g.last) row.note = g.note;
    }
    table.emplace(row.id, Entry{Cp932Literal(row.text), std::move(row.note)});
  }
  return table;
}

const std::map<std::uint32_t, Entry>& Table() {
  static const std::map<std::uint32_t, Entry> table = BuildTable();
  return table;
}

}  // namespace

const std::string& LoadResourceString(std::uint32_t id) {
  static const std::string empty;
  auto it = Table().find(id);
  return it == Table().end() ? empty : it->second.text;
}

bool HasResourceString(std::uint32_t id) { return Table().count(id) != 0; }

bool IsPresetFormat(std::uint32_t id) {
  for (const PresetGroup& g : kPresetGroups) {
    if (id >= g.first && id <= g.last) return HasResourceString(id);
  }
  return false;
}

std::vector<std::uint32_t> ResourceStringIds() {
  std::vector<std::uint32_t> ids;
  for (const auto& [id, entry] : Table()) ids.push_back(id);
  return ids;
}

const std::string& ResourceStringNote(std::uint32_t id) {
  static const std::string empty;
  auto it = Table().find(id);
  return it == Table().end() ? empty : it->second.note;
}

}  // namespace vl
