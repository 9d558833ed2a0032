// Japanese eras: the table behind the "g"/"gg"/"ggg" and "e"/"ee" date tokens and the date
// editor's era field.
//
// A table starts with five built-in eras (明治, 大正, 昭和, 平成, 令和). An era profile, an
// initialisation file with the section "Velbrin/OCX Eras", replaces or adds eras entry by entry:
//
//   [Velbrin/OCX Eras]
//   平成=平 H 1989/01/08        ← full name = short name, letter, first day
//
// A date belongs to the last era that starts on or before it. The era year counts from 1 in the
// era's first calendar year («平成1», never a special word), so 1989-01-07 is 昭和64 and 1989-01-08
// is 平成1; 2019-04-30 is 平成31 and 2019-05-01 is 令和1. A date before the first era, or 100 or
// more calendar years after its era's start, has no era: its texts are 西暦, 西 and A, and the
// date patterns show the Gregorian year instead of an era year.
//
// All texts are CP932.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// Appends a whole number in ASCII digits, whatever the process locale.
void AppendDecimal(std::string& out, int value);


// The three ways an era is written.
enum class EraForm : std::uint8_t {
  Name = 0,       // full name, «平成»
  ShortName = 1,  // «平»
  Letter = 2,     // «H»
};

// The first day of an era: a date serial with its validity. Entries built by the table are always
// valid; the status takes part in the "same start" test of a profile merge.
struct EraStart {
  double serial = 0;
  bool valid = false;

  friend bool operator==(const EraStart&, const EraStart&) = default;
};

struct EraEntry {
  EraStart start;
  std::string name;
  std::string shortName;
  std::string letter;

  const std::string& Text(EraForm form) const;
};

// A text with whether the era table could give it (see each function for what a miss returns).
struct EraText {
  std::string text;
  bool found = false;
};

// Era text and era year of a calendar date, for the date editor.
struct EraParts {
  std::string text;  // the era's text, or 西暦/西/A when none applies
  int eraYear = 0;   // 0 when none applies
  bool found = false;
};

class EraTable {
 public:
  static constexpr std::string_view kSectionName = "Velbrin/OCX Eras";

  // The built-in eras.
  EraTable();

  // Reads the era section of the profile at `path` (UTF-8 or CP932) and merges it into the
  // built-in eras. When the section cannot be read or holds no line, nothing changes and the
  // result is false; otherwise the table starts again from the built-in eras (eras of an earlier
  // profile do not survive), each line that parses replaces the first era with the same start,
  // full name, short name or letter and is inserted in start order, and the result is true.
  // Lines that do not parse are skipped.
  bool LoadEraProfile(const std::string& path);
  // The same for a section's lines already read (ReadProfileSection's form, «key=value»).
  bool LoadEraProfileLines(const std::vector<std::string>& lines, const std::string& path);

  bool profileLoaded() const { return profileLoaded_; }
  const std::string& profilePath() const { return profilePath_; }
  const std::vector<EraEntry>& eras() const { return eras_; }

  // Index of the era that applies to the date serial, or -1 when the date is invalid or lies
  // before the first era. (The 99-year limit is not applied here.)
  int EraIndexOfDate(double date) const;

  // The era's text in `form`, found. An invalid date gives an empty text; a valid date without an
  // era (before the first era, or its calendar year more than 99 years after the era's first
  // year) gives 西暦, 西 or A, not found.
  EraText EraTextOfDate(double date, EraForm form) const;

  // The year within the era, "1" for the era's first calendar year; with `twoDigits` a single
  // digit gets a leading "0" («01»). Not found, with an empty text, when no era applies; not found
  // when the era year has three digits or more (the caller then shows the Gregorian year).
  EraText EraYearOfDate(double date, bool twoDigits) const;

  // The way back from typed era input: the Gregorian year of era year `eraYear` of the era whose
  // text in `form` is `eraText` (era start year + eraYear - 1), or -1 when no era has that text.
  int GregorianYearFromEra(EraForm form, std::string_view eraText, int eraYear) const;

  // Era text and era year of a calendar date; not found (era year 0) when no era applies or the
  // date is not a valid date.
  EraParts EraPartsOfDate(int year, int month, int day, EraForm form) const;

  // The text in `form` of the first era whose letter equals the typed character, both compared
  // upper-cased ("h" selects 平成). Not found, empty, when no era has that letter.
  EraText EraByLetter(EraForm form, std::string_view typedChar) const;

  // Index of the first era whose text in `form` equals `text`, or -1.
  int EraIndexByText(EraForm form, std::string_view text) const;

  // The era after (before) the one named `current` in `form`, wrapping around the table's ends.
  // An empty `current` gives the first era; a text that names no era gives an empty text.
  std::string NextEraText(EraForm form, std::string_view current) const;
  std::string PreviousEraText(EraForm form, std::string_view current) const;

  // The texts shown when no era applies: 西暦, 西, A.
  static const std::string& NoEraText(EraForm form);

  // Calendar year of the era's first day (cached; eras() order).
  int EraStartYear(int index) const { return startYears_[static_cast<std::size_t>(index)]; }

  // The same lookups for a date whose calendar year the caller already knows (the date
  // formatter has split the date into fields once). `year` must be the year of `date`.
  EraText EraTextOfDate(double date, int year, EraForm form) const;
  EraText EraYearOfDate(double date, int year, bool twoDigits) const;

 private:
  void ResetToBuiltIns();
  void Add(EraEntry entry);

  bool profileLoaded_ = false;
  std::string profilePath_;
  std::vector<EraEntry> eras_;   // ascending start
  std::vector<int> startYears_;  // the calendar year of each era's start, same order
};

// Reads one profile line «平成=平 H 1989/01/08» into an era. False when the line does not parse:
// no "=" or "=" first, an empty short name or letter, or a start date the date parser refuses.
bool ParseEraProfileLine(std::string_view line, EraEntry& out);

}  // namespace vl
