// The reading an input method reports for a confirmed composition: half-width katakana, as the
// desktop's Japanese input methods deliver it (and as the box's furigana conversion expects).
#pragma once

#include <string>
#include <string_view>

namespace vl::desktop {

// Hiragana and full-width katakana become half-width katakana (voiced kana as the kana and «ﾞ»
// or «ﾟ»); the prolonged sound mark becomes «ｰ»; anything else passes unchanged.
std::string HalfWidthReading(std::string_view utf8);

}  // namespace vl::desktop
