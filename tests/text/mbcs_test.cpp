#include "text/mbcs.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

// 漢 in CP932 is 0x8A 0xBF; 0x5C ("\") as a trail byte is the classic trap: ソ is 0x83 0x5C.
const std::string kKan = "\x8A\xBF";
const std::string kSo = "\x83\x5C";

TEST(Mbcs, CountsAndIndexesAroundADoubleByteCharacter) {
  const std::string text = kKan + "a";
  EXPECT_EQ(MbcsCharCount(text), 2);
  EXPECT_EQ(MbcsByteIndexOfChar(text, 1), 2);
  EXPECT_EQ(MbcsByteIndexOfChar(text, 9), 3);
  EXPECT_EQ(MbcsCharIndexOfByte(text, 3), 2);
  EXPECT_EQ(MbcsCharIndexOfByte(text, 1), 1);  // a character that starts before byte 1
  EXPECT_TRUE(MbcsSplitsChar(text, 1));
  EXPECT_FALSE(MbcsSplitsChar(text, 2));
  EXPECT_FALSE(MbcsSplitsChar(text, 0));
  EXPECT_FALSE(MbcsSplitsChar(text, 7));
  EXPECT_EQ(MbcsCharByteLength(text, 1), 2);
  EXPECT_EQ(MbcsCharByteLength(text, 2), 1);
  EXPECT_EQ(MbcsCharByteLength(text, 3), 0);
  EXPECT_EQ(MbcsCharByteLength(text, 0), 0);
}

TEST(Mbcs, TrailByteThatLooksLikeABackslashStaysWithItsLead) {
  const std::string text = kSo + "\\";
  EXPECT_EQ(MbcsCharCount(text), 2);
  EXPECT_TRUE(MbcsSplitsChar(text, 1));
  EXPECT_EQ(RemoveAllOccurrences(text, "\\"), kSo.substr(0, 1));  // byte-wise, as specified
}

TEST(Mbcs, ByteLengthOfChars) {
  const std::string text = "a" + kKan + "b";
  EXPECT_EQ(MbcsByteLengthOfChars(text, 1, 1), 2);
  EXPECT_EQ(MbcsByteLengthOfChars(text, 0, 2), 3);
  EXPECT_EQ(MbcsByteLengthOfChars(text, 0, 10), 4);
  EXPECT_EQ(MbcsByteLengthOfChars(text, 0, 0), 0);
  EXPECT_EQ(MbcsByteLengthOfChars(text, 4, 1), 0);
}

TEST(Mbcs, LoneLeadByteAtTheEndNeverReadsPastIt) {
  const std::string text = "a\x8A";
  EXPECT_EQ(MbcsCharCount(text), 2);
  EXPECT_EQ(MbcsByteIndexOfChar(text, 2), 2);
}

TEST(Mbcs, CutNeverEndsInsideACharacter) {
  const std::string text = "ab" + kKan + kKan;
  EXPECT_EQ(MbcsCutBytes(text, 3), "ab");
  EXPECT_EQ(MbcsCutBytes(text, 4), "ab" + kKan);
  EXPECT_EQ(MbcsCutBytes(text, 100), text);
}

TEST(Mbcs, ZeroTrimming) {
  struct Row { const char* in; const char* leading; const char* trailing; };
  for (const Row& r : {Row{"000", "0", ""}, Row{"0012", "12", "0012"}, Row{"1200", "1200", "12"},
                       Row{"", "", ""}, Row{"0", "0", ""}}) {
    std::string a = r.in, b = r.in;
    TrimLeadingZeros(a);
    TrimTrailingZeros(b);
    EXPECT_EQ(a, r.leading) << r.in;
    EXPECT_EQ(b, r.trailing) << r.in;
  }
}

TEST(Mbcs, RemoveAllOccurrencesScansWithoutOverlap) {
  EXPECT_EQ(RemoveAllOccurrences("a\r\n\r\nb", "\r\n"), "ab");
  EXPECT_EQ(RemoveAllOccurrences("aaa", "aa"), "a");
  EXPECT_EQ(RemoveAllOccurrences("abc", ""), "abc");
}

TEST(Mbcs, CursorReadsWholeCharactersBothWays) {
  const std::string text = "xy" + kKan;
  MbcsStringCursor c(text);
  c.ToEnd();
  EXPECT_EQ(c.ReadBackward(2), "y" + kKan);
  EXPECT_EQ(c.Position(), 1);
  EXPECT_EQ(c.ReadBackward(5), "x");
  EXPECT_EQ(c.Position(), 0);
  EXPECT_EQ(c.ReadForward(2), "xy");
  EXPECT_EQ(c.ReadForward(5), kKan);
  EXPECT_EQ(c.Position(), 4);
  c.Reset();
  EXPECT_EQ(c.ReadForward(0), "");
}

}  // namespace
}  // namespace vl
