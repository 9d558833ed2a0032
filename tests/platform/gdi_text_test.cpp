#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/fixed_font.h"
#include "platform/gdi.h"
#include "text/encoding.h"

namespace vl::win {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);

// 漢 and 字 in CP932; ｱ is the single-byte half-width katakana 0xB1.
const std::string kKan = "\x8A\xBF";
const std::string kJi = "\x8E\x9A";
const std::string kHalfA = "\xB1";

LOGFONT Font(int height, int width = 0, int weight = FW_NORMAL) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfWeight = weight;
  return lf;
}

struct Canvas {
  Surface surface{60, 30, kWhite};
  FixedFontBackend fonts;
  DeviceContext dc{&surface, fonts};
  Canvas() {
    SelectObject(dc, CreateFontIndirect(Font(-12)));
    SetBkMode(dc, TRANSPARENT);
  }
  COLORREF At(int x, int y) const { return surface.GetPixel(x, y); }
};

TEST(FixedFont, GeometryFromTheLogfont) {
  struct Row {
    const char* name;
    LOGFONT font;
    int height, width, ascent, descent;
  };
  const Row rows[] = {
      {"negative height is the line height", Font(-12), 12, 6, 10, 2},
      {"positive height gives the same", Font(12), 12, 6, 10, 2},
      {"zero takes the default", Font(0), 12, 6, 10, 2},
      {"odd height rounds the width up", Font(-15), 15, 8, 12, 3},
      {"twenty pixels", Font(-20), 20, 10, 16, 4},
      {"an explicit width wins", Font(-12, 5), 12, 5, 10, 2},
      {"the smallest font still has a pixel", Font(-1), 1, 1, 1, 0},
      {"absurd heights are clamped", Font(INT_MIN), 1024, 512, 820, 204},
  };
  for (const Row& row : rows) {
    const FixedFontGeometry g = FixedGeometryFor(row.font);
    EXPECT_EQ(g.height, row.height) << row.name;
    EXPECT_EQ(g.charWidth, row.width) << row.name;
    EXPECT_EQ(g.ascent, row.ascent) << row.name;
    EXPECT_EQ(g.descent, row.descent) << row.name;
  }
}

TEST(FixedFont, TextMetricsOfTheSelectedFont) {
  Canvas c;
  SelectObject(c.dc, CreateFontIndirect(Font(-20, 0, FW_BOLD)));
  const TEXTMETRIC tm = GetTextMetrics(c.dc);
  EXPECT_EQ(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_EQ(tm.tmAveCharWidth, 10);
  EXPECT_EQ(tm.tmMaxCharWidth, 20);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
}

TEST(TextExtent, MixedSingleAndDoubleByteText) {
  struct Row {
    const char* name;
    std::string text;
    int cx;
  };
  const Row rows[] = {
      {"empty text is one line high and no width", "", 0},
      {"single-byte letters", "abc", 18},
      {"double-byte characters are twice as wide", kKan + kJi, 24},
      {"mixed", "a" + kKan + "b", 24},
      {"half-width katakana is single-byte", kHalfA + kHalfA, 12},
      {"a trail byte that looks like a backslash stays with its lead", "\x83\x5C", 12},
      {"a lead byte at the very end counts alone", "a\x8A", 12},
  };
  Canvas c;
  for (const Row& row : rows) {
    const SIZE size = GetTextExtentPoint32(c.dc, row.text);
    EXPECT_EQ(size.cx, row.cx) << row.name;
    EXPECT_EQ(size.cy, 12) << row.name;
  }
}

TEST(TextExtent, FitNeverEndsInsideADoubleByteCharacter) {
  // "a漢b" is 4 bytes and 6 + 12 + 6 pixels: the limit 17 falls inside 漢.
  const std::string text = "a" + kKan + "b";
  struct Row {
    const char* name;
    int maxExtent;
    int fit;
  };
  const Row rows[] = {
      {"not even the first character", 5, 0},
      {"exactly the first character", 6, 1},
      {"one pixel into the double-byte character", 7, 1},
      {"one pixel short of its end", 17, 1},
      {"exactly its end", 18, 3},
      {"inside the last character", 23, 3},
      {"everything", 24, 4},
      {"more than enough", 500, 4},
      {"a negative width fits nothing", -1, 0},
  };
  Canvas c;
  for (const Row& row : rows) {
    int fit = -99;
    const SIZE size = GetTextExtentExPoint(c.dc, text, row.maxExtent, &fit);
    EXPECT_EQ(fit, row.fit) << row.name;
    EXPECT_EQ(size.cx, 24) << row.name;
  }
  std::vector<int> partial;
  GetTextExtentExPoint(c.dc, text, 0, nullptr, &partial);
  EXPECT_EQ(partial, (std::vector<int>{6, 18, 18, 24}));
}

// Glyph boxes of the -12 font drawn at (10, 5): ink rows 7 to 14, a single-byte box over columns
// 10 to 14 (column 15 is the blank gap), the next character from column 16.
TEST(ExtTextOut, SingleByteGlyphIsAHollowBoxInItsCell) {
  Canvas c;
  TextOut(c.dc, 10, 5, "a");
  struct Probe {
    int x, y;
    COLORREF color;
  };
  const Probe probes[] = {{10, 7, kInk},   {14, 7, kInk},   {10, 14, kInk}, {14, 14, kInk},
                          {15, 7, kWhite}, {10, 6, kWhite}, {10, 15, kWhite}, {12, 10, kWhite},
                          {9, 7, kWhite}};
  for (const Probe& p : probes) EXPECT_EQ(c.At(p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST(ExtTextOut, DoubleByteGlyphIsTwiceAsWideWithABar) {
  Canvas c;
  TextOut(c.dc, 10, 5, "a" + kKan + "b");
  EXPECT_EQ(c.At(16, 7), kInk);    // 漢 starts after a's 6-pixel cell
  EXPECT_EQ(c.At(26, 7), kInk);    // and is 11 pixels of ink
  EXPECT_EQ(c.At(27, 7), kWhite);
  EXPECT_EQ(c.At(20, 11), kInk);   // its middle bar
  EXPECT_EQ(c.At(12, 11), kWhite); // a has none
  EXPECT_EQ(c.At(28, 7), kInk);    // b starts at 10 + 18
}

TEST(ExtTextOut, ClippedToTheRectangleOnBothSides) {
  Canvas c;
  const RECT clip{12, 0, 18, 30};
  ExtTextOut(c.dc, 10, 5, ETO_CLIPPED, &clip, "ab");
  EXPECT_EQ(c.At(11, 7), kWhite);  // a's left stroke is cut off
  EXPECT_EQ(c.At(11, 10), kWhite);
  EXPECT_EQ(c.At(12, 7), kInk);    // first column inside
  EXPECT_EQ(c.At(14, 10), kInk);   // a's right stroke survives
  EXPECT_EQ(c.At(17, 7), kInk);    // last column inside
  EXPECT_EQ(c.At(18, 7), kWhite);  // b's top is cut at the right edge
  EXPECT_EQ(c.At(20, 10), kWhite);
}

TEST(ExtTextOut, UnclippedTextIgnoresTheRectangle) {
  Canvas c;
  const RECT rect{12, 0, 18, 30};
  ExtTextOut(c.dc, 10, 5, 0, &rect, "ab");
  EXPECT_EQ(c.At(10, 7), kInk);
  EXPECT_EQ(c.At(20, 10), kInk);
}

TEST(ExtTextOut, OpaqueModeFillsTheTextCellsOnly) {
  Canvas c;
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, RGB(0, 255, 0));
  TextOut(c.dc, 10, 5, "a");
  EXPECT_EQ(c.At(15, 5), RGB(0, 255, 0));   // the cell's gap column, top row
  EXPECT_EQ(c.At(10, 16), RGB(0, 255, 0));  // the cell's last row
  EXPECT_EQ(c.At(16, 5), kWhite);
  EXPECT_EQ(c.At(10, 17), kWhite);
  EXPECT_EQ(c.At(10, 7), kInk);
}

TEST(ExtTextOut, EtoOpaqueFillsTheRectangleEvenWhenTransparent) {
  Canvas c;
  SetBkColor(c.dc, RGB(0, 0, 255));
  const RECT rect{0, 0, 40, 20};
  ExtTextOut(c.dc, 10, 5, ETO_OPAQUE | ETO_CLIPPED, &rect, "a");
  EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(c.At(39, 19), RGB(0, 0, 255));
  EXPECT_EQ(c.At(40, 19), kWhite);
  EXPECT_EQ(c.At(10, 7), kInk);
}

TEST(ExtTextOut, TextColourAndUnderline) {
  Canvas c;
  LOGFONT lf = Font(-12);
  lf.lfUnderline = 1;
  SelectObject(c.dc, CreateFontIndirect(lf));
  SetTextColor(c.dc, RGB(200, 0, 0));
  TextOut(c.dc, 10, 5, "ab");
  EXPECT_EQ(c.At(10, 7), RGB(200, 0, 0));
  EXPECT_EQ(c.At(15, 15), RGB(200, 0, 0));  // underline row (5 + ascent) runs through the gap
  EXPECT_EQ(c.At(21, 15), RGB(200, 0, 0));  // to the end of the text
  EXPECT_EQ(c.At(22, 15), kWhite);
  EXPECT_EQ(c.At(15, 16), kWhite);
}

TEST(ExtTextOut, StrikeOutCrossesAtHalfTheAscent) {
  Canvas c;
  LOGFONT lf = Font(-12);
  lf.lfStrikeOut = 1;
  SelectObject(c.dc, CreateFontIndirect(lf));
  TextOut(c.dc, 10, 5, "a");
  EXPECT_EQ(c.At(12, 10), kInk);  // row 5 + 10 / 2, inside the hollow box
  EXPECT_EQ(c.At(15, 10), kInk);  // and through the gap column
  EXPECT_EQ(c.At(12, 9), kWhite);
  EXPECT_EQ(c.At(16, 10), kWhite);
}

TEST(ExtTextOut, BoldDoublesTheStrokes) {
  Canvas c;
  SelectObject(c.dc, CreateFontIndirect(Font(-12, 0, FW_BOLD)));
  TextOut(c.dc, 10, 5, "a");
  EXPECT_EQ(c.At(11, 10), kInk);
  EXPECT_EQ(c.At(13, 10), kInk);
  EXPECT_EQ(c.At(12, 10), kWhite);
  EXPECT_EQ(c.At(12, 8), kInk);
}

TEST(ExtTextOut, SpacesAdvanceWithoutInk) {
  Canvas c;
  TextOut(c.dc, 10, 5, " \x81\x40x");  // half-width space, full-width space, x
  for (int x = 10; x < 28; ++x) EXPECT_EQ(c.At(x, 7), kWhite) << x;
  EXPECT_EQ(c.At(28, 7), kInk);
}

TEST(ExtTextOut, FollowsTheViewportOriginAndTheClip) {
  Canvas c;
  SetViewportOrgEx(c.dc, 5, 5);
  IntersectClipRect(c.dc, 0, 0, 3, 20);  // device columns 5 to 7
  TextOut(c.dc, 5, 0, "a");                 // device (10, 5)
  EXPECT_EQ(c.At(10, 7), kWhite);
  SelectClipRect(c.dc, nullptr);
  TextOut(c.dc, 5, 0, "a");
  EXPECT_EQ(c.At(10, 7), kInk);
  EXPECT_EQ(c.At(5, 2), kWhite);
}

TEST(Fonts, SelectObjectHandsBackThePreviousFont) {
  Canvas c;
  const HFONT big = CreateFontIndirect(Font(-20));
  const HFONT before = SelectObject(c.dc, big);
  LOGFONT lf;
  ASSERT_TRUE(GetObject(before, lf));
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(GetCurrentFont(c.dc), big);
  EXPECT_EQ(GetTextExtentPoint32(c.dc, "a").cx, 10);
  EXPECT_FALSE(SelectObject(c.dc, HFONT()));  // the null font is refused
  EXPECT_EQ(GetCurrentFont(c.dc), big);
  SelectObject(c.dc, before);
  EXPECT_EQ(GetTextExtentPoint32(c.dc, "a").cx, 6);
}

TEST(Fonts, HandlesOutliveDeleteObjectOnACopy) {
  HFONT font = CreateFontIndirect(Font(-16));
  HFONT copy = font;
  DeleteObject(font);
  EXPECT_FALSE(font);
  LOGFONT lf;
  EXPECT_FALSE(GetObject(font, lf));
  ASSERT_TRUE(GetObject(copy, lf));
  EXPECT_EQ(lf.lfHeight, -16);
}

TEST(Fonts, DefaultFontIsTheNinePointDialogFont) {
  FixedFontBackend fonts;
  DeviceContext dc(nullptr, fonts);
  LOGFONT lf;
  ASSERT_TRUE(GetObject(GetCurrentFont(dc), lf));
  EXPECT_EQ(lf.lfHeight, -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72));
  EXPECT_EQ(lf.FaceName(), "MS UI Gothic");
}

}  // namespace
}  // namespace vl::win
