#include "desktop/kana.h"

#include <cstdint>

namespace vl::desktop {

namespace {

// Full-width katakana U+30A1 (ァ) to U+30F6 (ヶ), in code order.
constexpr const char* kHalfWidth[] = {
    "ｧ", "ｱ",  "ｨ",  "ｲ",  "ｩ",  "ｳ",  "ｪ",  "ｴ",  "ｫ",  "ｵ",                                // ァ-オ
    "ｶ", "ｶﾞ", "ｷ",  "ｷﾞ", "ｸ",  "ｸﾞ", "ｹ",  "ｹﾞ", "ｺ",  "ｺﾞ",                               // カ-ゴ
    "ｻ", "ｻﾞ", "ｼ",  "ｼﾞ", "ｽ",  "ｽﾞ", "ｾ",  "ｾﾞ", "ｿ",  "ｿﾞ",                               // サ-ゾ
    "ﾀ", "ﾀﾞ", "ﾁ",  "ﾁﾞ", "ｯ",  "ﾂ",  "ﾂﾞ", "ﾃ",  "ﾃﾞ", "ﾄ",  "ﾄﾞ",                         // タ-ド
    "ﾅ", "ﾆ",  "ﾇ",  "ﾈ",  "ﾉ",                                                              // ナ-ノ
    "ﾊ", "ﾊﾞ", "ﾊﾟ", "ﾋ",  "ﾋﾞ", "ﾋﾟ", "ﾌ",  "ﾌﾞ", "ﾌﾟ", "ﾍ",  "ﾍﾞ", "ﾍﾟ", "ﾎ", "ﾎﾞ", "ﾎﾟ",  // ハ-ポ
    "ﾏ", "ﾐ",  "ﾑ",  "ﾒ",  "ﾓ",                                                              // マ-モ
    "ｬ", "ﾔ",  "ｭ",  "ﾕ",  "ｮ",  "ﾖ",                                                        // ャ-ヨ
    "ﾗ", "ﾘ",  "ﾙ",  "ﾚ",  "ﾛ",                                                              // ラ-ロ
    "ﾜ", "ﾜ",  "ｲ",  "ｴ",  "ｦ",  "ﾝ",  "ｳﾞ", "ｶ",  "ｹ",                                      // ヮ-ヶ
};

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string HalfWidthReading(std::string_view utf8) {
  static_assert(std::size(kHalfWidth) == 0x30F6 - 0x30A1 + 1);
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if ((b & 0xF0) != 0xE0 || i + 3 > utf8.size()) {
      out += utf8[i++];
      continue;
    }
    std::uint32_t cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                       (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
    if (cp >= 0x3041 && cp <= 0x3096) cp += 0x60;  // hiragana to katakana
    if (cp >= 0x30A1 && cp <= 0x30F6) {
      out += kHalfWidth[cp - 0x30A1];
    } else if (cp == 0x30FC) {
      out += "ｰ";
    } else {
      AppendUtf8(out, cp);
    }
    i += 3;
  }
  return out;
}

}  // namespace vl::desktop
