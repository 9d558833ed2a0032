// The user's documents stay true: docs/reference.md is what the component's own tables say, and
// every row of a format table in docs/formats.md is what a box shows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vltext/vltext.h"

namespace {

std::string ReadSource(const std::string& relative) {
  std::ifstream in(std::string(VL_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ReferenceDoc, TheCheckedInFileIsWhatTheProgramPrints) {
  const std::string file = ReadSource("docs/reference.md");
  ASSERT_FALSE(file.empty()) << "docs/reference.md is missing";
  // Not EXPECT_EQ on the whole text: a thousand-line diff helps nobody; the first differing line does.
  const std::string generated = vl::ReferenceMarkdown();
  std::istringstream a(file), b(generated);
  std::string lineA, lineB;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) break;
    ASSERT_TRUE(moreA && moreB && lineA == lineB)
        << "docs/reference.md differs from `vltext reference` at line " << line << " (run scripts/docs.sh)\n"
        << "  file:      " << (moreA ? lineA : "(end)") << "\n  generated: " << (moreB ? lineB : "(end)");
  }
}

TEST(ReferenceDoc, EveryPropertyEventAndConstantHasItsEntry) {
  const std::string doc = vl::ReferenceMarkdown();
  std::vector<std::string> entries;
  for (const vl::PropertyDescriptor& p : vl::Properties()) entries.push_back("\n### " + std::string(p.name) + "\n");
  entries.push_back("\n### Captions\n");
  for (const std::string& e : vl::EventNames()) entries.push_back("\n### " + e + "\n");
  for (const vl::NamedConstant& c : vl::TypeLibraryConstants()) {
    entries.push_back("| `" + std::string(c.name) + "` | " + std::to_string(c.value) + " |");
  }
  for (std::int32_t id : {1, 500, 648, 1000, 1102, 1303, 1500}) {
    entries.push_back("\n| " + std::to_string(id) + " | ");
  }
  EXPECT_EQ(vl::Properties().size(), 52u - 1u) << "the 52 properties less the indexed Captions";
  EXPECT_EQ(vl::EventNames().size(), 14u);
  for (const std::string& entry : entries) EXPECT_NE(doc.find(entry), std::string::npos) << entry;
}

// A cell of a Markdown table: a code span gives its text exactly, "*(empty)*" the empty text,
// "Null" the Null value.
struct Cell {
  std::string text;
  bool isNull = false;
};

std::vector<std::string> SplitRow(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  bool inCode = false;
  for (std::size_t i = 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '|') {
      cell += '|';
      ++i;
    } else if (c == '`') {
      inCode = !inCode;
      cell += c;
    } else if (c == '|' && !inCode) {
      cells.push_back(cell);
      cell.clear();
    } else {
      cell += c;
    }
  }
  for (std::string& s : cells) {
    const auto first = s.find_first_not_of(' ');
    const auto last = s.find_last_not_of(' ');
    s = first == std::string::npos ? "" : s.substr(first, last - first + 1);
  }
  return cells;
}

Cell ReadCell(const std::string& cell) {
  if (cell == "Null") return {"", true};
  if (cell == "*(empty)*") return {""};
  const std::size_t ticks = cell.find_first_not_of('`');
  if (ticks == 0 || ticks == std::string::npos) return {cell};
  std::string inner = cell.substr(ticks, cell.size() - 2 * ticks);
  // A double-backtick span pads its text with one space each side.
  if (ticks == 2 && inner.size() >= 2 && inner.front() == ' ' && inner.back() == ' ') {
    inner = inner.substr(1, inner.size() - 2);
  }
  return {inner};
}

vl::DataType TypeNamed(const std::string& name) {
  for (vl::DataType t :
       {vl::DataType::Integer, vl::DataType::Long, vl::DataType::Single, vl::DataType::Double, vl::DataType::Currency,
        vl::DataType::Date, vl::DataType::String, vl::DataType::Boolean, vl::DataType::Byte}) {
    if (name == vl::DataTypeName(t)) return t;
  }
  return vl::DataType::Empty;
}

// Every table whose header is | Format | Type | Value | Shown | (and optionally | Era profile |,
// a file of the repository) is a list of test rows.
TEST(FormatsDoc, EveryTableRowIsWhatABoxShows) {
  std::istringstream doc(ReadSource("docs/formats.md"));
  ASSERT_TRUE(doc.str().size() > 0) << "docs/formats.md is missing";
  std::string line;
  bool inTable = false;
  bool withProfile = false;
  int rows = 0, lineNo = 0;
  while (std::getline(doc, line)) {
    ++lineNo;
    if (line.empty() || line[0] != '|') {
      inTable = false;
      continue;
    }
    const std::vector<std::string> cells = SplitRow(line);
    if (!inTable) {
      const bool header =
          cells.size() >= 4 && cells[0] == "Format" && cells[1] == "Type" && cells[2] == "Value" && cells[3] == "Shown";
      if (header) {
        inTable = true;
        withProfile = cells.size() == 5 && cells[4] == "Era profile";
        std::getline(doc, line);  // the |---| line
        ++lineNo;
      }
      continue;
    }
    ASSERT_EQ(cells.size(), withProfile ? 5u : 4u) << "formats.md line " << lineNo << ": " << line;
    const vl::DataType type = TypeNamed(cells[1]);
    ASSERT_NE(type, vl::DataType::Empty) << "formats.md line " << lineNo << ": no data type " << cells[1];
    const Cell format = ReadCell(cells[0]);
    const Cell value = ReadCell(cells[2]);
    const Cell shown = ReadCell(cells[3]);
    const std::string profile =
        withProfile ? std::string(VL_SOURCE_DIR) + "/" + ReadCell(cells[4]).text : std::string();
    const vl::TypedValue v = value.isNull ? vl::TypedValue::Null() : vl::TypedValue::String(value.text);
    try {
      EXPECT_EQ(vl::FormatValue(v, format.text, type, profile), shown.text)
          << "formats.md line " << lineNo << ": " << line;
    } catch (const vl::Error& e) {
      ADD_FAILURE() << "formats.md line " << lineNo << ": " << e.Message();
    }
    ++rows;
  }
  // The tables are the document's examples: a change that lost them would pass with none.
  EXPECT_GE(rows, 80);
}

}  // namespace
