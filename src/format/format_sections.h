// The outer structure of a `Format` string: sections cut at ";" and the full-width "；".
//
// A numeric box reads up to four sections (positive; negative; zero; Null), a String box reads a
// mask and a Null text, a Date box reads one pattern and never cuts it. Only the separators that
// cut the string are removed here; every escape stays in the section text, because the backslash
// is removed by the parser of the section's own kind (numbers, masks), which knows what it means.
//
// Texts are CP932 byte strings. The scan walks whole characters: a trail byte that equals "\"
// (ソ is 0x83 0x5C) is never taken for a backslash, and the full-width "；" (0x81 0x47) is only a
// separator where a character starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// Cuts a format into its sections. Rules, by example:
//   ""          -> no sections
//   "###"       -> «###»
//   "###;"      -> «###», «»                (a trailing separator opens an empty section)
//   ";null"     -> «», «null»
//   "a\;b;c"    -> «a\;b», «c»              (a backslash right before a separator keeps it as
//                                           text, and the backslash stays for the section parser)
//   "a\;;b"     -> «a\;», «b»
//   "\"x;y\""   -> «"x», «y"»               (double quotes do not protect a separator)
// A full-width "；" cuts exactly like ";".
std::vector<std::string> SplitFormatSections(std::string_view format);

// The class of the value handed to numeric display; the caller decides it from the typed value
// (a Byte is never Negative).
enum class SignClass : std::uint8_t {
  Positive = 0,
  Negative = 1,
  Zero = 2,
  Null = 3,
};

// What a numeric box keeps of its `Format`: the positive section (always present, possibly
// empty) and the three optional ones. A flag is true only when that section exists and is
// non-empty, so "###;;;\"null\"" has a Null section but neither a negative nor a zero one.
struct FormatSectionSet {
  std::string positive;
  std::string negative;
  bool hasNegative = false;
  std::string zero;
  bool hasZero = false;
  std::string null;
  bool hasNull = false;

  friend bool operator==(const FormatSectionSet&, const FormatSectionSet&) = default;
};

// The section set of a numeric `Format`. Sections after the fourth have no effect.
FormatSectionSet MakeFormatSectionSet(std::string_view format);

// The `Format` a numeric box reports back: the positive section, then each present section
// preceded by as many ";" as keep it in its place. A set with a positive and a Null section only
// reads back as «#,##0;;;"null"»; empty or missing sections at the end leave no separator.
std::string JoinFormatSectionSet(const FormatSectionSet& sections);

// What a String box keeps of its `Format`: the first section is the mask, and every later
// non-empty section is appended, without a separator, to the text shown for Null.
struct StringFormatParts {
  std::string mask;
  std::string nullText;

  friend bool operator==(const StringFormatParts&, const StringFormatParts&) = default;
};

StringFormatParts SplitStringFormat(std::string_view format);

// The text a String box shows for Null: its Null text read by the literal-text conventions every
// section shares. Double quotes enclose text and are not shown; outside them a backslash makes the
// next character literal and is not shown either.
//   «null» -> «null»    «"(none)"» -> «(none)»    «\"x\"» -> «"x"»    «a\;b» -> «a;b»
std::string ShownNullText(std::string_view nullText);

// The `Format` a String box reports back: the mask, then ";" and the Null text when there is one.
// ";null" reads back as ";null"; "a;;b;c" reads back as "a;bc".
std::string JoinStringFormat(const StringFormatParts& parts);

}  // namespace vl
