// The reading of a confirmed composition as the host asked for it (FuriganaType).
//
// Input methods deliver the reading in half-width katakana («ｶﾞｯｺｳ»); a box that wants full-width
// katakana or hiragana converts it here. A half-width voiced or semi-voiced kana is two bytes (the
// kana and «ﾞ» or «ﾟ») and becomes one full-width character: «ｶﾞ» → «ガ»/«が», «ﾊﾟ» → «パ»/«ぱ»,
// and «ｳﾞ» → «ヴ» in both modes, since hiragana has no voiced «う» of its own here. A mark that
// follows nothing it can voice stands alone as «゛» or «゜». Two-byte characters already in the
// reading pass unchanged; ASCII letters, digits and symbols become their full-width forms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

enum class FuriganaType : std::uint16_t {
  kHalfWidthKatakana = 0,  // VlTextHanKata: the reading as delivered
  kFullWidthKatakana = 1,  // VlTextZenKata
  kHiragana = 2,           // VlTextHira
};

// Full-width form of a CP932 reading; `hiragana` selects hiragana for the kana. The result is at
// most twice as long as the input.
std::string ConvertToFullWidth(std::string_view reading, bool hiragana);

// The reading as FuriganaType asks; a type outside 0-2 leaves it as delivered.
std::string ConvertReading(std::string_view reading, std::uint16_t furiganaType);

}  // namespace vl
