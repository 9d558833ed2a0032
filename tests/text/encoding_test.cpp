#include "text/encoding.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Encoding, RoundTripsJapaneseText) {
  const std::string utf8 = "漢字〒ｶﾅ～①abc\\";
  const std::string cp932 = Utf8ToCp932(utf8);
  EXPECT_EQ(cp932, "\x8A\xBF\x8E\x9A\x81\xA7\xB6\xC5\x81\x60\x87\x40" "abc\\");
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
}

TEST(Encoding, RefusesWhatCodePage932CannotHold) {
  for (const char* text : {"한", "€", "a😀b", "\xC3\x28"}) {
    std::string out = "kept";
    EXPECT_THROW(Utf8ToCp932(text), EncodingError) << text;
    EXPECT_FALSE(TryUtf8ToCp932(text, out)) << text;
    EXPECT_EQ(out, "kept");
  }
}

TEST(Encoding, ErrorNamesTheCharacter) {
  try {
    Utf8ToCp932("ab한");
    FAIL();
  } catch (const EncodingError& e) {
    EXPECT_NE(std::string(e.what()).find("한"), std::string::npos);
  }
}

TEST(Encoding, RefusesBrokenCodePage932) {
  EXPECT_THROW(Cp932ToUtf8("a\x81"), EncodingError);  // lead byte without its trail byte
}

// Two Unicode spellings of one JIS character are both taken, as Japanese systems take them;
// reading back gives the code page's own spelling.
TEST(Encoding, BestFitSpellingsOfOneJisCharacter) {
  struct Row {
    const char* utf8;
    const char* cp932;
    const char* back;
  };
  for (const Row& r :
       {Row{"〜", "\x81\x60", "～"}, Row{"～", "\x81\x60", "～"}, Row{"—", "\x81\x5C", "―"}, Row{"―", "\x81\x5C", "―"},
        Row{"‖", "\x81\x61", "∥"}, Row{"−", "\x81\x7C", "－"}, Row{"¢", "\x81\x91", "￠"}, Row{"£", "\x81\x92", "￡"},
        Row{"¬", "\x81\xCA", "￢"}, Row{"¥", "\\", "\\"}}) {
    EXPECT_EQ(Utf8ToCp932(r.utf8), r.cp932) << r.utf8;
    EXPECT_EQ(Cp932ToUtf8(r.cp932), r.back) << r.utf8;
  }
}

TEST(Encoding, DisplayFormReplacesWhatIsNoCodePage932Text) {
  struct Row {
    std::string cp932;
    const char* utf8;
  };
  for (const Row& r : {Row{"\x8A\xBF\x8E\x9A", "漢字"}, Row{"a\x81", "a\uFFFD"}, Row{"\x85\x40x", "\uFFFD@x"},
                       Row{"\x8A\xBF\xFF", "漢\uFFFD"}, Row{"", ""}}) {
    const std::string shown = Cp932ToUtf8ForDisplay(r.cp932);
    EXPECT_EQ(shown, r.utf8);
    EXPECT_TRUE(IsValidUtf8(shown));
  }
}

TEST(Encoding, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("平成"));
  EXPECT_FALSE(IsValidUtf8("\xE5\xB9"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\x95\xBD\x90\xAC"));  // 平成 in CP932
}

TEST(Encoding, PeopleFilesInEitherEncoding) {
  const std::string cp932 = "\x95\xBD\x90\xAC";  // 平成
  EXPECT_EQ(PeopleFileTextToCp932("平成"), cp932);
  EXPECT_EQ(PeopleFileTextToCp932("\xEF\xBB\xBF平成"), cp932);
  EXPECT_EQ(PeopleFileTextToCp932(cp932), cp932);
  EXPECT_EQ(PeopleFileTextToCp932("ascii=1"), "ascii=1");
}

}  // namespace
}  // namespace vl
