// Conversion between the host boundary's UTF-8 and the component's CP932.
//
// Conversion happens only where text crosses into or out of the component (scripting host, files
// written for people, test sources). A character that CP932 cannot hold is refused, never
// replaced: silently turning it into "?" would store text the user did not write.
//
// Best-fit forms. A few characters have two Unicode spellings for the one JIS character that
// CP932 holds, and Japanese systems take either spelling; so does this conversion, and reading
// back gives the CP932 table's spelling:
//   〜 U+301C and ～ U+FF5E   -> 0x8160 (back as ～)     ― U+2015 and — U+2014 -> 0x815C (back as ―)
//   ‖ U+2016 and ∥ U+2225     -> 0x8161 (back as ∥)     − U+2212 and － U+FF0D -> 0x817C (back as －)
//   ¢ £ ¬ (U+00A2, A3, AC)    -> 0x8191, 0x8192, 0x81CA (back as ￠ ￡ ￢)
//   ¥ U+00A5                  -> 0x5C, the byte a Japanese font shows as the yen sign (back as \)
// Every other character converts one to one or is refused.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vl {

class EncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws EncodingError naming the first character that has no CP932 form (or invalid UTF-8).
std::string Utf8ToCp932(std::string_view utf8);
// Throws EncodingError on a byte sequence that is not valid CP932.
std::string Cp932ToUtf8(std::string_view cp932);

// Non-throwing forms: false and `out` untouched on failure.
bool TryUtf8ToCp932(std::string_view utf8, std::string& out);
bool TryCp932ToUtf8(std::string_view cp932, std::string& out);

// For showing CP932 text to a person (a terminal, a script's string): every character that
// converts does, and every byte that is not a whole CP932 character becomes U+FFFD, so the
// result is always valid UTF-8.
std::string Cp932ToUtf8ForDisplay(std::string_view cp932);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view bytes);

// A text read from a file written by a person: UTF-8 (with or without a byte-order mark) or CP932.
// Returns the CP932 form; pure ASCII passes unchanged.
std::string PeopleFileTextToCp932(std::string_view bytes);

// CP932 form of a UTF-8 literal from the source code (the string table, locale pictures).
// Aborts on a literal CP932 cannot hold, which is a programming error.
std::string Cp932Literal(std::string_view utf8);

}  // namespace vl
