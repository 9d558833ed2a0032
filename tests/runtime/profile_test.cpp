#include "runtime/profile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "text/encoding.h"

namespace vl {
namespace {

using Lines = std::vector<std::string>;

std::string C(std::string_view utf8) { return Cp932Literal(utf8); }

struct SectionRow {
  const char* name;
  const char* file;     // file bytes (UTF-8 here unless the row says otherwise)
  const char* section;
  bool found;
  Lines lines;  // UTF-8
};

void PrintTo(const SectionRow& row, std::ostream* os) { *os << row.name; }

class ReadSection : public testing::TestWithParam<SectionRow> {};

TEST_P(ReadSection, Lines) {
  const SectionRow& row = GetParam();
  const auto lines = ReadProfileSectionFromText(row.file, row.section);
  ASSERT_EQ(lines.has_value(), row.found);
  if (!row.found) return;
  Lines expected;
  for (const std::string& l : row.lines) expected.push_back(C(l));
  EXPECT_EQ(*lines, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadSection,
    testing::Values(
        SectionRow{"KeyValueLines", "[S]\na=1\nb=2\n", "S", true, {"a=1", "b=2"}},
        SectionRow{"BlanksAroundKeyAndValueRemoved", "[S]\n  key \t=  some value \t\n", "S", true, {"key=some value"}},
        SectionRow{"BlanksInsideValueKept", "[S]\nk=a  b\n", "S", true, {"k=a  b"}},
        SectionRow{"OnlyFirstEqualsSplits", "[S]\nk = a=b\n", "S", true, {"k=a=b"}},
        SectionRow{"LineWithoutEqualsKept", "[S]\n  just text  \n", "S", true, {"just text"}},
        SectionRow{"EqualsFirstKept", "[S]\n= value\n", "S", true, {"=value"}},
        SectionRow{"EmptyValue", "[S]\nk=\n", "S", true, {"k="}},
        SectionRow{"CommentsAndBlankLinesSkipped", "[S]\n; note\n\n   \n  ;indented note\nk=v\n", "S", true, {"k=v"}},
        SectionRow{"SemicolonInsideValueKept", "[S]\nk=a;b\n", "S", true, {"k=a;b"}},
        SectionRow{"SectionNameIgnoresCase", "[velbrin/OCX eras]\nk=v\n", "Velbrin/OCX Eras", true, {"k=v"}},
        SectionRow{"BlanksInsideBracketsIgnored", "[  S  ]\nk=v\n", "S", true, {"k=v"}},
        SectionRow{"IndentedHeader", "   [S]\nk=v\n", "S", true, {"k=v"}},
        SectionRow{"OtherSectionsIgnored", "[A]\na=1\n[S]\ns=2\n[B]\nb=3\n", "S", true, {"s=2"}},
        SectionRow{"LinesBeforeAnyHeaderIgnored", "k=0\n[S]\nk=1\n", "S", true, {"k=1"}},
        SectionRow{"FirstOfTwoEqualSectionsOnly", "[S]\na=1\n[T]\n[s]\nb=2\n", "S", true, {"a=1"}},
        SectionRow{"HeaderWithoutCloseIsIgnored", "[S]\na=1\n[broken\nb=2\n", "S", true, {"a=1", "b=2"}},
        SectionRow{"CrLfLines", "[S]\r\na=1\r\nb=2\r\n", "S", true, {"a=1", "b=2"}},
        SectionRow{"CrOnlyLines", "[S]\ra=1\rb=2", "S", true, {"a=1", "b=2"}},
        SectionRow{"NoFinalNewline", "[S]\na=1", "S", true, {"a=1"}},
        SectionRow{"Utf8WithBom", "\xEF\xBB\xBF[S]\n平成=平 H 1989/01/08\n", "S", true, {"平成=平 H 1989/01/08"}},
        SectionRow{"EmptySectionIsFoundButEmpty", "[S]\n; only a comment\n[T]\nk=v\n", "S", true, {}},
        SectionRow{"SectionAtEndOfFile", "[S]", "S", true, {}},
        SectionRow{"MissingSection", "[A]\nk=v\n", "S", false, {}},
        SectionRow{"EmptyFile", "", "S", false, {}},
        SectionRow{"KeyIsNotASection", "S=1\n", "S", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadSection, Cp932FileComesBackUnchanged) {
  const std::string file = C("[Velbrin/OCX Eras]\n令和=令 R 2019/05/01\n");
  const auto lines = ReadProfileSectionFromText(file, "Velbrin/OCX Eras");
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, Lines{C("令和=令 R 2019/05/01")});
}

TEST(ReadSection, CaseFoldingLeavesTrailBytesAlone) {
  // ヂ is 0x83 0x61 (second byte "a"), ア is 0x83 0x41 (second byte "A"): different names.
  const std::string file = C("[ヂ]\nk=v\n");
  EXPECT_FALSE(ReadProfileSectionFromText(file, C("ア")).has_value());
  EXPECT_TRUE(ReadProfileSectionFromText(file, C("ヂ")).has_value());
}

TEST(ReadSection, ZeroByteEndsTheLine) {
  const std::string file("[S]\nk=v\0junk\nn=2\n", 18);
  const auto lines = ReadProfileSectionFromText(file, "S");
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (Lines{"k=v", "n=2"}));
}

struct BufferRow {
  const char* name;
  std::size_t limit;
  Lines lines;
};

void PrintTo(const BufferRow& row, std::ostream* os) { *os << row.name; }

class SectionBufferLimit : public testing::TestWithParam<BufferRow> {};

// The section «aaaa=1», «bb=22», «c=3» takes 7 + 6 + 4 bytes plus the list's final zero: 18.
TEST_P(SectionBufferLimit, CutsWhatDoesNotFit) {
  const BufferRow& row = GetParam();
  const auto lines = ReadProfileSectionFromText("[S]\naaaa=1\nbb=22\nc=3\n", "S", row.limit);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, SectionBufferLimit,
                         testing::Values(BufferRow{"EverythingFits", 18, {"aaaa=1", "bb=22", "c=3"}},
                                         BufferRow{"LastLineCut", 17, {"aaaa=1", "bb=22", "c="}},
                                         BufferRow{"LastLineGone", 14, {"aaaa=1", "bb=22"}},
                                         BufferRow{"SecondLineCut", 10, {"aaaa=1", "b"}},
                                         BufferRow{"FirstLineCut", 4, {"aa"}},
                                         BufferRow{"NoRoomAtAll", 1, {}},
                                         BufferRow{"ZeroBuffer", 0, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadSection, CutNeverSplitsATwoByteCharacter) {
  // «k=平成» is 6 bytes; 6 bytes of room for text would end inside 成.
  const std::string file = C("[S]\nk=平成\n");
  const auto cut = ReadProfileSectionFromText(file, "S", 7);  // 5 bytes of text fit
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(*cut, Lines{C("k=平")});
  const auto whole = ReadProfileSectionFromText(file, "S", 8);
  EXPECT_EQ(*whole, Lines{C("k=平成")});
}

TEST(ReadSection, DefaultBufferIsTenKilobytes) {
  EXPECT_EQ(kProfileSectionBufferSize, 10240u);
  std::string file = "[S]\n";
  for (int i = 0; i < 2000; ++i) file += "k=67\n";  // 5 bytes each in the buffer
  const auto lines = ReadProfileSectionFromText(file, "S");
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->size(), 2000u);
  file += "k=6789\n";
  file += "k=67\n";
  // 234 bytes more in front leave 5 of the 10239 for text: «k=6789» is cut to «k=67», and
  // the line after it is lost.
  file.insert(4, std::string(233, 'x') + "\n");
  const auto full = ReadProfileSectionFromText(file, "S");
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->size(), 2002u);  // the long line, cut to 4 bytes, is the last
  EXPECT_EQ(full->back(), "k=67");
}

class ProfileOnDisk : public testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    path_ = testing::TempDir() + "profile_test_" + std::to_string(::getpid()) + ".ini";
    std::ofstream(path_, std::ios::binary) << bytes;
    return path_;
  }
  void TearDown() override {
    if (!path_.empty()) std::remove(path_.c_str());
  }

 private:
  std::string path_;
};

TEST_F(ProfileOnDisk, ReadsTheFile) {
  const std::string path = Write("[Velbrin/OCX Eras]\n平成=平 H 1989/01/08\n");
  const auto lines = ReadProfileSection(path, "Velbrin/OCX Eras");
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, Lines{C("平成=平 H 1989/01/08")});
}

TEST_F(ProfileOnDisk, MissingFileGivesNothing) {
  EXPECT_FALSE(ReadProfileSection(testing::TempDir() + "no_such_profile.ini", "S").has_value());
}

TEST_F(ProfileOnDisk, DirectoryGivesNothing) {
  EXPECT_FALSE(ReadProfileSection(testing::TempDir(), "S").has_value());
}

}  // namespace
}  // namespace vl
