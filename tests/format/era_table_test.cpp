#include "format/era_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {
namespace {

double Serial(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  const auto serial = FieldsToSerial(y, m, d, h, mi, s);
  EXPECT_TRUE(serial.has_value()) << y << "-" << m << "-" << d;
  return serial.value_or(0.0);
}

std::string U(std::string_view cp932) { return Cp932ToUtf8(cp932); }
std::string C(std::string_view utf8) { return Cp932Literal(utf8); }

// A profile file in the test's temporary folder, removed at the end of the test.
class ProfileFile {
 public:
  explicit ProfileFile(const std::string& bytes) {
    static int counter = 0;
    path_ = testing::TempDir() + "era_profile_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + ".ini";
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~ProfileFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string EraNames(const EraTable& table) {
  std::string names;
  for (const EraEntry& e : table.eras()) names += (names.empty() ? "" : ",") + U(e.name);
  return names;
}

// ---------------------------------------------------------------------------------------------

struct EraOfDateRow {
  const char* name;
  double date;
  const char* fullName;   // UTF-8
  const char* shortName;  // UTF-8
  const char* letter;
  bool found;
  const char* eraYear;  // "e" form
  const char* eraYear2; // "ee" form
  bool yearFound;
};

void PrintTo(const EraOfDateRow& row, std::ostream* os) { *os << row.name; }

class EraOfDate : public testing::TestWithParam<EraOfDateRow> {};

TEST_P(EraOfDate, GivesTextsAndYear) {
  const EraOfDateRow& row = GetParam();
  const EraTable table;
  const EraText full = table.EraTextOfDate(row.date, EraForm::Name);
  const EraText shortName = table.EraTextOfDate(row.date, EraForm::ShortName);
  const EraText letter = table.EraTextOfDate(row.date, EraForm::Letter);
  EXPECT_EQ(U(full.text), row.fullName);
  EXPECT_EQ(U(shortName.text), row.shortName);
  EXPECT_EQ(letter.text, row.letter);
  EXPECT_EQ(full.found, row.found);
  EXPECT_EQ(letter.found, row.found);
  const EraText year = table.EraYearOfDate(row.date, false);
  const EraText year2 = table.EraYearOfDate(row.date, true);
  EXPECT_EQ(year.found, row.yearFound);
  EXPECT_EQ(year2.found, row.yearFound);
  if (row.yearFound) {
    EXPECT_EQ(year.text, row.eraYear);
    EXPECT_EQ(year2.text, row.eraYear2);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EraOfDate,
    testing::Values(
        EraOfDateRow{"ShowaLastDay", Serial(1989, 1, 7), "昭和", "昭", "S", true, "64", "64", true},
        EraOfDateRow{"HeiseiFirstDayIsYearOne", Serial(1989, 1, 8), "平成", "平", "H", true, "1", "01", true},
        EraOfDateRow{"HeiseiStartDayAfternoon", Serial(1989, 1, 8, 15, 30), "平成", "平", "H", true, "1", "01", true},
        EraOfDateRow{"MeijiLastDay", Serial(1912, 7, 29), "明治", "明", "M", true, "45", "45", true},
        EraOfDateRow{"TaishoFirstDay", Serial(1912, 7, 30), "大正", "大", "T", true, "1", "01", true},
        EraOfDateRow{"TaishoLastDay", Serial(1926, 12, 24), "大正", "大", "T", true, "15", "15", true},
        EraOfDateRow{"ShowaFirstDay", Serial(1926, 12, 25), "昭和", "昭", "S", true, "1", "01", true},
        EraOfDateRow{"HeiseiLastDay", Serial(2019, 4, 30), "平成", "平", "H", true, "31", "31", true},
        EraOfDateRow{"ReiwaFirstDay", Serial(2019, 5, 1), "令和", "令", "R", true, "1", "01", true},
        EraOfDateRow{"ReiwaLaterYear", Serial(2026, 1, 1), "令和", "令", "R", true, "8", "08", true},
        EraOfDateRow{"Year2000IsHeisei12", Serial(2000, 1, 1), "平成", "平", "H", true, "12", "12", true},
        EraOfDateRow{"MeijiFirstDay", Serial(1868, 1, 1), "明治", "明", "M", true, "1", "01", true},
        // Before 1899-12-30 a serial's fraction counts forward from the day's midnight; a time on
        // the first day of 明治 must not fall before the era.
        EraOfDateRow{"MeijiFirstDayMorningNegativeSerial", Serial(1868, 1, 1, 6), "明治", "明", "M", true, "1", "01",
                     true},
        EraOfDateRow{"BeforeFirstEra", Serial(1867, 12, 31), "西暦", "西", "A", false, "", "", false},
        EraOfDateRow{"LongBeforeFirstEra", Serial(1800, 1, 1), "西暦", "西", "A", false, "", "", false},
        // 99 calendar years after the start still names the era but its year has three digits.
        EraOfDateRow{"NinetyNineYearsAfterStartKeepsEraButNotYear", Serial(2118, 12, 31), "令和", "令", "R", true, "",
                     "", false},
        EraOfDateRow{"HundredYearsAfterStartHasNoEra", Serial(2119, 1, 1), "西暦", "西", "A", false, "", "", false},
        EraOfDateRow{"LastTwoDigitEraYear", Serial(2117, 6, 1), "令和", "令", "R", true, "99", "99", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EraTable, InvalidDateGivesEmptyTextNotFound) {
  const EraTable table;
  for (double bad : {kMaxDateSerial + 1.0, kMinDateSerial - 1.0, std::nan("")}) {
    const EraText text = table.EraTextOfDate(bad, EraForm::Name);
    EXPECT_TRUE(text.text.empty());
    EXPECT_FALSE(text.found);
    EXPECT_FALSE(table.EraYearOfDate(bad, true).found);
    EXPECT_EQ(table.EraIndexOfDate(bad), -1);
  }
}

TEST(EraTable, StartsWithFiveBuiltInErasInOrder) {
  const EraTable table;
  EXPECT_EQ(EraNames(table), "明治,大正,昭和,平成,令和");
  EXPECT_FALSE(table.profileLoaded());
  EXPECT_EQ(table.profilePath(), "");
  EXPECT_EQ(EraTable::kSectionName, "Velbrin/OCX Eras");
  const EraEntry& reiwa = table.eras().back();
  EXPECT_EQ(U(reiwa.shortName), "令");
  EXPECT_EQ(reiwa.letter, "R");
  EXPECT_EQ(reiwa.start, (EraStart{Serial(2019, 5, 1), true}));
}

TEST(EraTable, NoEraTexts) {
  EXPECT_EQ(U(EraTable::NoEraText(EraForm::Name)), "西暦");
  EXPECT_EQ(U(EraTable::NoEraText(EraForm::ShortName)), "西");
  EXPECT_EQ(EraTable::NoEraText(EraForm::Letter), "A");
}

struct GregorianRow {
  const char* name;
  EraForm form;
  const char* text;  // UTF-8
  int eraYear;
  int year;
};

void PrintTo(const GregorianRow& row, std::ostream* os) { *os << row.name; }

class GregorianYear : public testing::TestWithParam<GregorianRow> {};

TEST_P(GregorianYear, FromEraTextAndYear) {
  const GregorianRow& row = GetParam();
  EXPECT_EQ(EraTable().GregorianYearFromEra(row.form, C(row.text), row.eraYear), row.year);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GregorianYear,
    testing::Values(GregorianRow{"FullName", EraForm::Name, "平成", 12, 2000},
                    GregorianRow{"ShortName", EraForm::ShortName, "昭", 64, 1989},
                    GregorianRow{"Letter", EraForm::Letter, "R", 1, 2019},
                    GregorianRow{"MeijiFirstYear", EraForm::Letter, "M", 1, 1868},
                    GregorianRow{"TextOfAnotherForm", EraForm::Letter, "平成", 12, -1},
                    GregorianRow{"UnknownText", EraForm::Name, "未来", 1, -1},
                    GregorianRow{"LetterIsCaseSensitiveHere", EraForm::Letter, "h", 1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EraTable, EraPartsOfCalendarDate) {
  const EraTable table;
  EraParts parts = table.EraPartsOfDate(2019, 5, 1, EraForm::Letter);
  EXPECT_TRUE(parts.found);
  EXPECT_EQ(parts.text, "R");
  EXPECT_EQ(parts.eraYear, 1);

  parts = table.EraPartsOfDate(2019, 4, 30, EraForm::Name);
  EXPECT_TRUE(parts.found);
  EXPECT_EQ(U(parts.text), "平成");
  EXPECT_EQ(parts.eraYear, 31);

  parts = table.EraPartsOfDate(1800, 1, 1, EraForm::Letter);
  EXPECT_FALSE(parts.found);
  EXPECT_EQ(parts.text, "A");
  EXPECT_EQ(parts.eraYear, 0);

  parts = table.EraPartsOfDate(2019, 2, 30, EraForm::Letter);  // no such day
  EXPECT_FALSE(parts.found);
  EXPECT_EQ(parts.eraYear, 0);
}

TEST(EraTable, EraByTypedLetterIgnoresCase) {
  const EraTable table;
  EXPECT_EQ(U(table.EraByLetter(EraForm::Name, "h").text), "平成");
  EXPECT_EQ(U(table.EraByLetter(EraForm::ShortName, "H").text), "平");
  EXPECT_EQ(table.EraByLetter(EraForm::Letter, "r").text, "R");
  EXPECT_TRUE(table.EraByLetter(EraForm::Letter, "s").found);
  EXPECT_FALSE(table.EraByLetter(EraForm::Letter, "x").found);
  EXPECT_FALSE(table.EraByLetter(EraForm::Letter, "").found);
  EXPECT_FALSE(table.EraByLetter(EraForm::Letter, C("平")).found);
}

TEST(EraTable, IndexByText) {
  const EraTable table;
  EXPECT_EQ(table.EraIndexByText(EraForm::Name, C("明治")), 0);
  EXPECT_EQ(table.EraIndexByText(EraForm::ShortName, C("令")), 4);
  EXPECT_EQ(table.EraIndexByText(EraForm::Letter, "S"), 2);
  EXPECT_EQ(table.EraIndexByText(EraForm::Letter, C("昭和")), -1);
  EXPECT_EQ(table.EraIndexByText(EraForm::Name, ""), -1);
}

struct StepRow {
  const char* name;
  EraForm form;
  const char* current;  // UTF-8
  const char* next;
  const char* previous;
};

void PrintTo(const StepRow& row, std::ostream* os) { *os << row.name; }

class EraStep : public testing::TestWithParam<StepRow> {};

TEST_P(EraStep, NextAndPreviousWrap) {
  const StepRow& row = GetParam();
  const EraTable table;
  EXPECT_EQ(U(table.NextEraText(row.form, C(row.current))), row.next);
  EXPECT_EQ(U(table.PreviousEraText(row.form, C(row.current))), row.previous);
}

INSTANTIATE_TEST_SUITE_P(Rows, EraStep,
                         testing::Values(StepRow{"HeiseiToReiwa", EraForm::Name, "平成", "令和", "昭和"},
                                         StepRow{"LastWrapsToFirst", EraForm::Name, "令和", "明治", "平成"},
                                         StepRow{"FirstWrapsBackToLast", EraForm::ShortName, "明", "大", "令"},
                                         StepRow{"Letters", EraForm::Letter, "T", "S", "M"},
                                         StepRow{"EmptyGivesFirst", EraForm::Name, "", "明治", "明治"},
                                         StepRow{"UnknownGivesNothing", EraForm::Name, "西暦", "", ""},
                                         StepRow{"TextOfOtherFormIsUnknown", EraForm::Letter, "平成", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Profile lines

struct LineRow {
  const char* name;
  const char* line;  // UTF-8
  bool parses;
  const char* fullName;
  const char* shortName;
  const char* letter;
  int y, m, d;
};

void PrintTo(const LineRow& row, std::ostream* os) { *os << row.name; }

class ProfileLine : public testing::TestWithParam<LineRow> {};

TEST_P(ProfileLine, ParsesOrIsSkipped) {
  const LineRow& row = GetParam();
  EraEntry entry;
  ASSERT_EQ(ParseEraProfileLine(C(row.line), entry), row.parses);
  if (!row.parses) return;
  EXPECT_EQ(U(entry.name), row.fullName);
  EXPECT_EQ(U(entry.shortName), row.shortName);
  EXPECT_EQ(U(entry.letter), row.letter);
  EXPECT_EQ(entry.start, (EraStart{Serial(row.y, row.m, row.d), true}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileLine,
    testing::Values(LineRow{"Plain", "平成=平 H 1989/01/08", true, "平成", "平", "H", 1989, 1, 8},
                    LineRow{"DashDate", "令和=令 R 2019-05-01", true, "令和", "令", "R", 2019, 5, 1},
                    LineRow{"BlanksAroundEverything", "平成 \t= \t平  H \t 1989/1/8", true, "平成", "平", "H", 1989, 1, 8},
                    LineRow{"LongerTexts", "未来元号=未来 FX 2100/01/01", true, "未来元号", "未来", "FX", 2100, 1, 1},
                    LineRow{"NoEquals", "平成 平 H 1989/01/08", false},
                    LineRow{"EqualsFirst", "=平 H 1989/01/08", false},
                    LineRow{"OnlyBlanksBeforeEquals", "  =平 H 1989/01/08", false},
                    LineRow{"NothingAfterEquals", "平成=", false},
                    LineRow{"NoSpaceAfterShortName", "平成=平", false},
                    LineRow{"NoSpaceAfterLetter", "平成=平 H", false},
                    LineRow{"LetterThenBlanksOnly", "平成=平 H   ", false},
                    LineRow{"DateDoesNotParse", "平成=平 H 1989/13/45", false},
                    LineRow{"DateIsText", "平成=平 H heisei", false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Loading profiles

std::string Section(const std::string& utf8Lines) { return "[Velbrin/OCX Eras]\n" + utf8Lines; }

struct MergeRow {
  const char* name;
  std::vector<const char*> lines;  // UTF-8
  const char* eras;                // full names in table order
  const char* letters;             // letters in table order
};

void PrintTo(const MergeRow& row, std::ostream* os) { *os << row.name; }

class ProfileMerge : public testing::TestWithParam<MergeRow> {};

TEST_P(ProfileMerge, GivesTable) {
  const MergeRow& row = GetParam();
  std::vector<std::string> lines;
  for (const char* l : row.lines) lines.push_back(C(l));
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfileLines(lines, "p.ini"));
  EXPECT_TRUE(table.profileLoaded());
  EXPECT_EQ(EraNames(table), row.eras);
  std::string letters;
  for (const EraEntry& e : table.eras()) letters += e.letter;
  EXPECT_EQ(letters, row.letters);
  for (std::size_t i = 1; i < table.eras().size(); ++i) {
    EXPECT_LT(table.eras()[i - 1].start.serial, table.eras()[i].start.serial) << "not sorted at " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProfileMerge,
    testing::Values(
        MergeRow{"EqualLineChangesNothing", {"平成=平 H 1989/01/08"}, "明治,大正,昭和,平成,令和", "MTSHR"},
        MergeRow{"LaterEraIsAppended", {"未来=未 F 2100/01/01"}, "明治,大正,昭和,平成,令和,未来", "MTSHRF"},
        MergeRow{"ReusedLetterReplacesThatEra", {"新元=新 H 1989/01/08"}, "明治,大正,昭和,新元,令和", "MTSHR"},
        MergeRow{"SameStartReplacesThatEra", {"別元=別 B 1989/01/08"}, "明治,大正,昭和,別元,令和", "MTSBR"},
        MergeRow{"SameShortNameReplacesThatEra", {"大化=大 X 1000/01/01"}, "大化,明治,昭和,平成,令和", "XMSHR"},
        MergeRow{"SameNameMovesTheEra", {"平成=平 H 2030/01/01"}, "明治,大正,昭和,令和,平成", "MTSRH"},
        MergeRow{"EarlierEraInsertedInStartOrder", {"中間=中 C 1950/01/01"}, "明治,大正,昭和,中間,平成,令和",
                 "MTSCHR"},
        // Same name and start as 昭和, same letter as 平成: only the first match gives way.
        MergeRow{"OneLineRemovesAtMostOneEra", {"昭和=昭 H 1926/12/25"}, "明治,大正,昭和,平成,令和", "MTHHR"},
        MergeRow{"BadLinesSkippedGoodOnesKept",
                 {"no equals sign", "=平 H 1989/01/08", "壊れ=壊", "壊れ=壊 K", "壊れ=壊 K not-a-date",
                  "未来=未 F 2100/01/01"},
                 "明治,大正,昭和,平成,令和,未来", "MTSHRF"},
        MergeRow{"OnlyBadLinesStillLoads", {"junk"}, "明治,大正,昭和,平成,令和", "MTSHR"},
        MergeRow{"ManyLinesStaySorted",
                 {"後=後 Z 2200/01/01", "前=前 B 1870/01/01", "中=中 C 1950/01/01", "大正=大 T 1913/01/01"},
                 "明治,前,大正,昭和,中,平成,令和,後", "MBTSCHRZ"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EraProfile, MergedErasAreUsed) {
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfileLines({C("中間=中 C 1950/01/01"), C("未来=未 F 2100/01/01")}, "p.ini"));
  EXPECT_EQ(table.EraYearOfDate(Serial(1960, 5, 5), false).text, "11");
  EXPECT_EQ(table.EraTextOfDate(Serial(1949, 12, 31), EraForm::Letter).text, "S");
  EXPECT_EQ(U(table.EraTextOfDate(Serial(2100, 1, 1), EraForm::Name).text), "未来");
  EXPECT_EQ(table.EraTextOfDate(Serial(2099, 12, 31), EraForm::Letter).text, "R");
  EXPECT_EQ(table.GregorianYearFromEra(EraForm::Letter, "C", 3), 1952);
  EXPECT_EQ(U(table.NextEraText(EraForm::Name, C("令和"))), "未来");
  EXPECT_EQ(U(table.NextEraText(EraForm::Name, C("未来"))), "明治");
}

TEST(EraProfile, TypedLetterFindsTheFirstOfTwoEqualLetters) {
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfileLines({C("昭和=昭 H 1926/12/25")}, "p.ini"));
  EXPECT_EQ(U(table.EraByLetter(EraForm::Name, "h").text), "昭和");
}

TEST(EraProfile, FileIsReadAndPathRemembered) {
  const ProfileFile file(Section("; comment\n未来=未 F 2100/01/01\n"));
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfile(file.path()));
  EXPECT_TRUE(table.profileLoaded());
  EXPECT_EQ(table.profilePath(), file.path());
  EXPECT_EQ(EraNames(table), "明治,大正,昭和,平成,令和,未来");
}

struct UnreadableRow {
  const char* name;
  const char* contents;  // nullptr: no file at all
};

void PrintTo(const UnreadableRow& row, std::ostream* os) { *os << row.name; }

class UnreadableProfile : public testing::TestWithParam<UnreadableRow> {};

TEST_P(UnreadableProfile, LeavesPreviousErasAndPath) {
  const ProfileFile first(Section("未来=未 F 2100/01/01\n"));
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfile(first.path()));

  const UnreadableRow& row = GetParam();
  bool loaded = false;
  if (row.contents) {
    const ProfileFile second(C(row.contents));
    loaded = table.LoadEraProfile(second.path());
  } else {
    loaded = table.LoadEraProfile(testing::TempDir() + "no_such_era_profile.ini");
  }
  EXPECT_FALSE(loaded);
  EXPECT_TRUE(table.profileLoaded());
  EXPECT_EQ(table.profilePath(), first.path());
  EXPECT_EQ(EraNames(table), "明治,大正,昭和,平成,令和,未来");
}

INSTANTIATE_TEST_SUITE_P(Rows, UnreadableProfile,
                         testing::Values(UnreadableRow{"MissingFile", nullptr},
                                         UnreadableRow{"NoSuchSection", "[Other]\n未来2=来 G 2200/01/01\n"},
                                         UnreadableRow{"EmptySection", "[Velbrin/OCX Eras]\n; nothing\n\n[Next]\n"},
                                         UnreadableRow{"EmptyFile", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EraProfile, NewProfileStartsAgainFromBuiltIns) {
  const ProfileFile first(Section("未来=未 F 2100/01/01\n"));
  const ProfileFile second(Section("中間=中 C 1950/01/01\n"));
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfile(first.path()));
  ASSERT_TRUE(table.LoadEraProfile(second.path()));
  EXPECT_EQ(EraNames(table), "明治,大正,昭和,中間,平成,令和");
  EXPECT_EQ(table.profilePath(), second.path());
}

TEST(EraProfile, Cp932AndUtf8FilesGiveTheSameTable) {
  const std::string utf8 = Section("未来=未 F 2100/01/01\n中間=中 C 1950/01/01\n");
  const ProfileFile utf8File(utf8);
  const ProfileFile bomFile("\xEF\xBB\xBF" + utf8);
  const ProfileFile cp932File(C(utf8));
  EraTable a, b, c;
  ASSERT_TRUE(a.LoadEraProfile(utf8File.path()));
  ASSERT_TRUE(b.LoadEraProfile(bomFile.path()));
  ASSERT_TRUE(c.LoadEraProfile(cp932File.path()));
  EXPECT_EQ(EraNames(a), "明治,大正,昭和,中間,平成,令和,未来");
  EXPECT_EQ(EraNames(b), EraNames(a));
  EXPECT_EQ(EraNames(c), EraNames(a));
  EXPECT_EQ(c.eras()[3].shortName, C("中"));
}

TEST(EraProfile, SectionNameIgnoresCase) {
  const ProfileFile file("[velbrin/ocx ERAS]\n未来=未 F 2100/01/01\n");
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfile(file.path()));
  EXPECT_EQ(table.eras().size(), 6u);
}

TEST(EraProfile, LinesBeyondTheSectionBufferAreLost) {
  // Each filler line takes 10 bytes of the 10240-byte buffer (9 characters and its zero byte).
  std::string filler;
  for (int i = 0; i < 1022; ++i) filler += "xxxxxxxxx\n";
  const std::string fits = "A=a a 2100/01/01\n";  // 16 bytes + zero: 10220 + 17 + 1 <= 10240
  const ProfileFile within(Section(filler + fits));
  // 14 more bytes leave 5: the era line is cut to «A=a », which no longer parses.
  const ProfileFile beyond(Section(filler + "padding-13-ch\n" + fits));
  EraTable table;
  ASSERT_TRUE(table.LoadEraProfile(within.path()));
  EXPECT_EQ(table.eras().size(), 6u);
  ASSERT_TRUE(table.LoadEraProfile(beyond.path()));
  EXPECT_EQ(table.eras().size(), 5u);
}

}  // namespace
}  // namespace vl
