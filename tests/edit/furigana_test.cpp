#include "edit/furigana.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace vl {
namespace {

struct ReadingRow {
  const char* name;
  const char* reading;  // UTF-8
  std::uint16_t type;
  const char* kana;  // UTF-8
};

class Furigana : public ::testing::TestWithParam<ReadingRow> {};

TEST_P(Furigana, ReadingConvertedByType) {
  const ReadingRow& row = GetParam();
  EXPECT_EQ(Cp932ToUtf8(ConvertReading(Cp932Literal(row.reading), row.type)), row.kana);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Furigana,
    ::testing::Values(
        ReadingRow{"HalfWidthAsDelivered", "ｶﾞｯｺｳ", 0, "ｶﾞｯｺｳ"},
        ReadingRow{"FullWidthKatakana", "ｶﾞｯｺｳ", 1, "ガッコウ"},
        ReadingRow{"Hiragana", "ｶﾞｯｺｳ", 2, "がっこう"},
        ReadingRow{"VuIsKatakanaInBothModes", "ｳﾞｧ", 2, "ヴぁ"},
        ReadingRow{"VuFullWidth", "ｳﾞ", 1, "ヴ"},
        ReadingRow{"SemiVoicedKatakana", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", 1, "パピプペポ"},
        ReadingRow{"SemiVoicedHiragana", "ﾊﾟﾎﾟ", 2, "ぱぽ"},
        ReadingRow{"VoicedRowsHiragana", "ｶﾞｻﾞﾀﾞﾊﾞﾄﾞ", 2, "がざだばど"},
        ReadingRow{"SemiVoicedMarkOnlyOnHaRow", "ｶﾟ", 1, "カ゜"},
        ReadingRow{"LoneVoicedMark", "ﾞ", 1, "゛"},
        ReadingRow{"LoneSemiVoicedMark", "ﾟ", 2, "゜"},
        ReadingRow{"UnvoiceableKanaKeepsMark", "ｱﾞ", 1, "ア゛"},
        ReadingRow{"SmallKana", "ｧｨｩｪｫｬｭｮｯ", 1, "ァィゥェォャュョッ"},
        ReadingRow{"SmallKanaHiragana", "ｧｬｯ", 2, "ぁゃっ"},
        ReadingRow{"WoAndN", "ｦﾝ", 2, "をん"},
        ReadingRow{"WoAndNKatakana", "ｦﾝ", 1, "ヲン"},
        ReadingRow{"ProlongedMarkSameInBothModes", "ｰ", 2, "ー"},
        ReadingRow{"KanaPunctuation", "｡｢｣､･", 1, "。「」、・"},
        ReadingRow{"DoubleByteCharactersPassUnchanged", "漢ｶ字", 2, "漢か字"},
        ReadingRow{"LettersAndDigits", "Az09", 1, "Ａｚ０９"},
        ReadingRow{"SpaceBecomesFullWidth", "ｱ ｲ", 1, "ア　イ"},
        ReadingRow{"Symbols", "!\"#$%&'()*+,-./", 1, "！”＃＄％＆’（）＊＋，－．／"},
        ReadingRow{"MoreSymbols", ":;<=>?@[\\]^_`{|}~", 1, "：；＜＝＞？＠［￥］＾＿‘｛｜｝～"},
        ReadingRow{"UnknownTypeAsDelivered", "ｶﾞ", 7, "ｶﾞ"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Furigana, ControlBytesStayAndOutputIsAtMostTwiceTheInput) {
  const std::string in("\x01\x19\x7f", 3);
  const std::string out = ConvertToFullWidth(in, true);
  EXPECT_EQ(out, in);
  const std::string kana = Cp932Literal("ｶﾞｷﾞｸﾞabc");
  EXPECT_LE(ConvertToFullWidth(kana, false).size(), kana.size() * 2);
}

}  // namespace
}  // namespace vl
