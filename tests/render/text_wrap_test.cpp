#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fixed_font.h"
#include "platform/gdi.h"
#include "render/text_draw.h"
#include "text/encoding.h"

namespace vl {
namespace {

// With the fixed-metrics font of 12 pixels a one-byte character is 6 pixels wide and a two-byte
// character 12, so widths below are counted in half-width cells.
struct Measure {
  win::FixedFontBackend fonts;
  win::DeviceContext dc{nullptr, fonts};
  Measure() {
    win::LOGFONT lf;
    lf.lfHeight = -12;
    win::SelectObject(dc, win::CreateFontIndirect(lf));
  }
};

const std::string kKan = Cp932Literal("漢");
const std::string kJi = Cp932Literal("字");

std::string Visible(std::string s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

TEST(TokenizeForWrap, RunsSpacesAndLineEnds) {
  struct Row {
    const char* name;
    std::string text;
    std::vector<WrapToken> tokens;
  };
  const Row rows[] = {
      {"words and a space", "ab cd", {{0, 0, "ab"}, {0, 0, " "}, {0, 0, "cd"}}},
      {"a two-byte run is one token", "a" + kKan + kJi + "b", {{0, 0, "a"}, {1, 0, kKan + kJi}, {0, 0, "b"}}},
      {"CR LF ends the token before it", "ab\r\ncd", {{0, 1, "ab"}, {0, 0, "cd"}}},
      {"an empty line is an empty token", "a\r\n\r\nb", {{0, 1, "a"}, {0, 1, ""}, {0, 0, "b"}}},
      {"a lone LF is an ordinary byte", "a\nb", {{0, 0, "a\nb"}}},
      {"a final CR LF leaves an empty last token", "a\r\n", {{0, 1, "a"}, {0, 0, ""}}},
      {"space after space", "a  b", {{0, 0, "a"}, {0, 0, " "}, {0, 0, " "}, {0, 0, "b"}}},
  };
  for (const Row& row : rows) EXPECT_EQ(TokenizeForWrap(row.text), row.tokens) << row.name;
}

TEST(WordWrapText, Lines) {
  struct Row {
    const char* name;
    std::string text;
    int cells;
    std::string wrapped;
  };
  const Row rows[] = {
      {"everything fits", "abc def", 20, "abc def"},
      {"a word that does not fit moves down", "abc defg", 5, "abc \r\ndefg"},
      {"CR LF after a moved word still ends the line", "abc de\r\nxy", 5, "abc \r\nde\r\nxy"},
      {"a last word wider than the line is left to the character wrap", "abcdefgh", 3, "abcdefgh"},
      {"a word wider than the line is broken before the next word", "abcdefgh ij", 3, "abc\r\ndef\r\ngh \r\nij"},
      {"a two-byte run breaks between characters", "a" + kKan + kJi + kKan + " b", 4,
       "a" + kKan + "\r\n" + kJi + kKan + "\r\n b"},
      {"a final CR LF adds no line", "ab\r\n", 5, "ab"},
      {"an empty line is kept", "a\r\n\r\nb", 5, "a\r\n\r\nb"},
      {"a lone CR ends a line", "ab\rcd", 10, "ab\r\ncd"},
      {"narrower than one character: one token per line", "a b", 0, "a\r\n \r\nb"},
  };
  Measure m;
  for (const Row& row : rows) {
    EXPECT_EQ(Visible(WordWrapText(m.dc, row.text, row.cells * 6)), Visible(row.wrapped)) << row.name;
  }
}

TEST(CharWrapText, Pieces) {
  struct Row {
    const char* name;
    std::string text;
    int cells;
    std::string wrapped;
  };
  const Row rows[] = {
      {"empty text", "", 5, ""},
      {"one line", "abc", 5, "abc\n"},
      {"lines of a word wrap", "ab\r\ncd", 5, "ab\ncd\n"},
      {"a long line in pieces", "abcdefg", 3, "abc\ndef\ng\n"},
      {"a tab is eight spaces", "\tb", 20, "        b\n"},
      {"a two-byte character that straddles moves on", "ab" + kKan, 3, "ab\n" + kKan + "\n"},
      {"a piece holds one character even when none fits", kKan + kJi, 1, kKan + "\n" + kJi + "\n"},
      {"a final CR LF makes no extra line", "ab\r\n", 5, "ab\n"},
      {"an empty middle line", "a\r\n\r\nb", 5, "a\n\nb\n"},
  };
  Measure m;
  for (const Row& row : rows) {
    const win::RECT rect{10, 0, 10 + row.cells * 6, 100};
    EXPECT_EQ(Visible(CharWrapText(m.dc, row.text, rect, 0)), Visible(row.wrapped)) << row.name;
  }
}

TEST(SplitDisplayLines, TextAfterTheLastBreakOnlyWhenNotEmpty) {
  EXPECT_EQ(SplitDisplayLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitDisplayLines("a\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(SplitDisplayLines("").empty());
}

TEST(TextFitsArea, FrameAndSpinAreTakenOff) {
  struct Row {
    const char* name;
    int width;
    bool threeD, spin, fits;
  };
  // "abcde" is 30 pixels wide.
  const Row rows[] = {
      {"flat frame: exactly wide enough", 32, false, false, true},
      {"flat frame: one pixel short", 31, false, false, false},
      {"3-D edges take four", 34, true, false, true},
      {"3-D edges, one short", 33, true, false, false},
      {"a spin button takes its width", 49, false, true, true},
      {"a spin button, one short", 48, false, true, false},
  };
  Measure m;
  for (const Row& row : rows) {
    EXPECT_EQ(TextFitsArea(m.dc, "abcde", win::RECT{0, 0, row.width, 20}, row.threeD, row.spin), row.fits) << row.name;
  }
}

}  // namespace
}  // namespace vl
