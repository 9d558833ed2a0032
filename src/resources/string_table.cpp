#include "resources/string_table.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "text/encoding.h"

namespace vl {
namespace {

// The numeric preset groups: for each digit pattern, positive only, negative with a leading
// "△", negative in parentheses; each with an empty zero section and the literal null for Null.
void AddNumericPresets(std::vector<std::pair<std::uint32_t, std::string>>& rows, std::uint32_t first,
                       std::initializer_list<const char*> patterns, const std::string& prefix = "") {
  std::uint32_t id = first;
  for (const char* digits : patterns) {
    const std::string p = prefix + digits;
    rows.emplace_back(id++, p + ";;;\"null\"");
    rows.emplace_back(id++, p + ";" + prefix + "\"△\"" + digits + ";;\"null\"");
    rows.emplace_back(id++, p + ";\"(\"" + p + "\")\";;\"null\"");
  }
}

std::map<std::uint32_t, std::string> BuildTable() {
  std::vector<std::pair<std::uint32_t, std::string>> rows = {
      {1, "VlText"},
      {100, "General"},
      {101, "Style"},
      {102, "Colors"},
      {103, "Fonts"},
      {104, "Style2"},
      {202, "Caption"},
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
      {1000, "入力値が上限値を超えました"},
      {1001, "入力値が下限値を超えました"},
      {1003, "入力文字数が書式文字数を超えました"},
      {1004, "設定値がMaxLengthプロパティの値により調整されました"},
      {1005, "設定値が書式文字数により調整されました"},
      {1006, "入力値が書式と整合しません"},
      {1100, "変換時にオーバーフローしました"},
      {1101, "変換前のデータが有効ではありません"},
      {1102, "設定値を変換できませんでした"},
      {1200, "Valueプロパティの値が調整されました"},
      {1300, "2バイト文字は設定できません"},
      {1301, "DataTypeプロパティがString以外の時は設定する事ができません"},
      {1302, "LowerValueプロパティに有効範囲を超えた値を設定する事はできません"},
      {1303, "UpperValueプロパティに有効範囲を超えた値を設定する事はできません"},
      {1500, "DefaultValueプロパティの設定値を有効範囲内に変更しました"},
      {2002, "VlText.hlp"},
  };
  AddNumericPresets(rows, 560, {"##,###", "00,000", "##,##0"});
  AddNumericPresets(rows, 580, {"#,###,###,###", "0,000,000,000", "#,###,###,##0"});
  AddNumericPresets(rows, 600, {"#,###.###", "0,000.000", "#,##0.000"});
  AddNumericPresets(rows, 620, {"###,###,###.#####", "000,000,000.00000", "###,###,##0.00000"});
  // Currency: an escaped backslash (the yen sign on a Japanese system) before the digits, also
  // inside the negative sections.
  AddNumericPresets(rows, 640, {"##,###,###.###", "00,000,000.000", "##,###,##0.000"}, "\\\\");

  std::map<std::uint32_t, std::string> table;
  for (auto& [id, utf8] : rows) table.emplace(id, Cp932Literal(utf8));
  return table;
}

const std::map<std::uint32_t, std::string>& Table() {
  static const std::map<std::uint32_t, std::string> table = BuildTable();
  return table;
}

}  // namespace

const std::string& LoadResourceString(std::uint32_t id) {
  static const std::string empty;
  auto it = Table().find(id);
  return it == Table().end() ? empty : it->second;
}

bool HasResourceString(std::uint32_t id) { return Table().count(id) != 0; }

}  // namespace vl
