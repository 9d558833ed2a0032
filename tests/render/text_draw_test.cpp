#include <gtest/gtest.h>

#include <string>

#include "platform/fixed_font.h"
#include "platform/gdi.h"
#include "render/caption_draw.h"
#include "render/text_draw.h"
#include "text/encoding.h"

namespace vl {
namespace {

using win::COLORREF;
using win::RECT;

constexpr COLORREF kWhite = win::RGB(255, 255, 255);
constexpr COLORREF kInk = win::RGB(0, 0, 0);

// A 12-pixel fixed-metrics font: one-byte cells are 6 pixels wide, and a glyph is a hollow box
// whose left edge is inked from row 2 to row 9 of its line; the underline is row 10.
struct Canvas {
  win::Surface surface{120, 60, kWhite};
  win::FixedFontBackend fonts;
  win::DeviceContext dc{&surface, fonts};
  Canvas() {
    win::LOGFONT lf;
    lf.lfHeight = -12;
    win::SelectObject(dc, win::CreateFontIndirect(lf));
    win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, kInk);
  }
  COLORREF At(int x, int y) const { return surface.GetPixel(x, y); }
  // Whether the glyph cell that starts at x on the line at `top` has ink on its left edge.
  bool Glyph(int x, int top = 0) const { return At(x, top + 5) == kInk; }
  // The number of glyph cells drawn from x = left, one after another.
  int Glyphs(int left, int top = 0) const {
    int n = 0;
    while (Glyph(left + 6 * n, top)) ++n;
    return n;
  }
  bool Underlined(int x, int top = 0) const { return At(x + 2, top + 10) == kInk; }
};

TEST(DrawTextLine, Mnemonics) {
  struct Row {
    const char* name;
    std::string text;
    int glyphs;
    int underlinedCell;  // -1 for none
  };
  const Row rows[] = {
      {"a doubled ampersand is one literal", "a&&b", 3, -1},
      {"an ampersand underlines the next character", "&File", 4, 0},
      {"only the first mnemonic is underlined", "a&bc&d", 4, 1},
      {"three ampersands draw two and the next character plainly", "&&&x", 3, -1},
      {"a lone ampersand at the end draws nothing", "ab&", 2, -1},
  };
  for (const Row& row : rows) {
    Canvas c;
    DrawTextLine(c.dc, row.text, RECT{0, 0, 120, 12}, 0);
    EXPECT_EQ(c.Glyphs(0), row.glyphs) << row.name;
    for (int i = 0; i < row.glyphs + 1; ++i) {
      EXPECT_EQ(c.Underlined(6 * i), i == row.underlinedCell) << row.name << " cell " << i;
    }
  }
}

TEST(DrawTextLine, NoPrefixDrawsAmpersandsAndAlignmentCountsThem) {
  Canvas c;
  DrawTextLine(c.dc, "a&&b", RECT{0, 0, 120, 12}, kDrawNoPrefix);
  EXPECT_EQ(c.Glyphs(0), 4);
  Canvas r;
  // Right alignment measures the text with its ampersands: 4 cells, 24 pixels, though 3 are drawn.
  DrawTextLine(r.dc, "a&&b", RECT{0, 0, 60, 12}, kDrawRight);
  EXPECT_TRUE(r.Glyph(36));
  EXPECT_EQ(r.Glyphs(36), 3);
  Canvas m;
  // Centre: 60/2 − 18/2 = 21.
  DrawTextLine(m.dc, "abc", RECT{0, 0, 60, 12}, kDrawCenter);
  EXPECT_TRUE(m.Glyph(21));
  EXPECT_FALSE(m.Glyph(15));
}

TEST(DrawSingleLineText, SelectionHighlightAndClipping) {
  const COLORREF highlight = win::GetSysColor(win::COLOR_HIGHLIGHT);
  {
    Canvas c;
    DrawSingleLineText(c.dc, "abcdef", RECT{0, 0, 100, 12}, 0, false, 2, 4);
    // The text starts one pixel in; cells 2 and 3 carry the highlight background.
    EXPECT_EQ(c.At(1 + 12 + 2, 0), highlight);
    EXPECT_EQ(c.At(1 + 18 + 2, 0), highlight);
    EXPECT_EQ(c.At(1 + 6 + 2, 0), kWhite);
    EXPECT_EQ(c.At(1 + 24 + 2, 0), kWhite);
    EXPECT_EQ(c.Glyphs(1), 2);  // the highlighted cells are drawn in highlight text colour
    EXPECT_EQ(win::GetBkMode(c.dc), win::TRANSPARENT);
    EXPECT_EQ(win::GetTextColor(c.dc), kInk);
  }
  {
    Canvas c;
    DrawSingleLineText(c.dc, "abcdef", RECT{0, 0, 100, 12}, 0, true, 2, 4);
    EXPECT_EQ(c.Glyphs(1), 6);  // hidden selection: one piece, nothing highlighted
  }
  {
    Canvas c;
    // Right-aligned text wider than the box: 72 pixels into 1..39 starts at −33 and is clipped
    // on the left; the last cell ends at 38.
    DrawSingleLineText(c.dc, "abcdefghijkl", RECT{0, 0, 40, 12}, kDrawRight, true, 0, 0);
    EXPECT_EQ(c.At(0, 5), kWhite);
    EXPECT_TRUE(c.Glyph(3));
    EXPECT_TRUE(c.Glyph(33));
    EXPECT_EQ(c.At(39, 5), kWhite);
  }
  {
    Canvas c;
    // Centred text wider than the box starts left of it and is clipped on both sides.
    DrawSingleLineText(c.dc, "abcdefghijkl", RECT{10, 0, 50, 12}, kDrawCenter, true, 0, 0);
    // T = 11..49: 11 + (19 − 36) = −6.
    EXPECT_EQ(c.At(10, 5), kWhite);
    EXPECT_TRUE(c.Glyph(12));
    EXPECT_EQ(c.At(54, 5), kWhite);
  }
}

TEST(DrawMultiLineText, LinesBreaksTabsAndSelection) {
  const COLORREF highlight = win::GetSysColor(win::COLOR_HIGHLIGHT);
  {
    Canvas c;
    DrawMultiLineText(c.dc, "abc def\r\nxy", RECT{0, 0, 30, 60}, 0, 0);
    EXPECT_EQ(c.Glyphs(0, 0), 3);   // "abc " (the space draws nothing)
    EXPECT_EQ(c.Glyphs(0, 12), 3);  // "def"
    EXPECT_EQ(c.Glyphs(0, 24), 2);  // "xy"
    EXPECT_EQ(c.Glyphs(0, 36), 0);
  }
  {
    Canvas c;
    DrawMultiLineText(c.dc, "a\r\n\r\nb\r\n", RECT{0, 0, 30, 60}, 0, 0);
    EXPECT_EQ(c.Glyphs(0, 0), 1);
    EXPECT_EQ(c.Glyphs(0, 12), 0);
    EXPECT_EQ(c.Glyphs(0, 24), 1);
  }
  {
    Canvas c;
    DrawMultiLineText(c.dc, "\tb", RECT{0, 0, 60, 60}, 0, 0);
    EXPECT_TRUE(c.Glyph(48));
    EXPECT_FALSE(c.Glyph(0));
  }
  {
    Canvas c;
    DrawMultiLineText(c.dc, "a\rb\nc", RECT{0, 0, 60, 60}, 0, 0);  // lone CR and lone LF end lines
    EXPECT_EQ(c.Glyphs(0, 0), 1);
    EXPECT_EQ(c.Glyphs(0, 12), 1);
    EXPECT_EQ(c.Glyphs(0, 24), 1);
  }
  {
    Canvas c;
    // "abcdefghijklmno" in 5-cell lines, selection 3..12: tail of line 1, all of line 2, head of 3.
    DrawMultiLineText(c.dc, "abcdefghijklmno", RECT{0, 0, 30, 60}, 0, PackSelection(3, 12));
    EXPECT_EQ(c.At(2 * 6 + 2, 0), kWhite);
    EXPECT_EQ(c.At(3 * 6 + 2, 0), highlight);
    EXPECT_EQ(c.At(0 * 6 + 2, 12), highlight);
    EXPECT_EQ(c.At(4 * 6 + 2, 12), highlight);
    EXPECT_EQ(c.At(1 * 6 + 2, 24), highlight);
    EXPECT_EQ(c.At(2 * 6 + 2, 24), kWhite);
    EXPECT_EQ(win::GetBkMode(c.dc), win::TRANSPARENT);
  }
  {
    Canvas c;
    // Right alignment per line: "ab" in a 30-pixel line starts at 18.
    DrawMultiLineText(c.dc, "ab", RECT{0, 0, 30, 60}, kDrawRight, 0);
    EXPECT_TRUE(c.Glyph(18));
  }
}

// Lines outside the clip are not drawn, but those above it still place the selection: a band of
// the box drawn through a clip has exactly the pixels of the whole drawing inside the band, and
// none outside it, whatever the selection and the text below.
TEST(DrawMultiLineText, AClippedBandDrawsAsTheWholeDoesThere) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += (i % 7 == 6) ? "\r\n" : "word ";
  struct Row {
    const char* name;
    std::uint32_t selection;
    RECT band;
  };
  const Row rows[] = {
      {"no selection", 0, RECT{0, 13, 120, 37}},
      {"selection from above the band into it", PackSelection(5, 60), RECT{0, 20, 120, 50}},
      {"selection through the whole band", PackSelection(2, 200), RECT{0, 12, 120, 24}},
      {"selection after the band", PackSelection(150, 160), RECT{0, 0, 120, 30}},
  };
  for (const Row& row : rows) {
    Canvas whole;
    DrawMultiLineText(whole.dc, text, RECT{0, 0, 120, 60}, 0, row.selection);
    Canvas band;
    win::IntersectClipRect(band.dc, row.band.left, row.band.top, row.band.right, row.band.bottom);
    DrawMultiLineText(band.dc, text, RECT{0, 0, 120, 60}, 0, row.selection);
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 120; ++x) {
        const bool inside = y >= row.band.top && y < row.band.bottom;
        ASSERT_EQ(band.At(x, y), inside ? whole.At(x, y) : kWhite) << row.name << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(win::GetBkMode(band.dc), win::TRANSPARENT) << row.name;
  }
}

TEST(DrawEditAreaFrame, BordersAndSpinStrip) {
  struct Row {
    const char* name;
    EditAreaFrame frame;
    RECT inner;
    RECT spin;
  };
  const RECT outer{10, 10, 110, 34};
  const Row rows[] = {
      {"no border", {false, false, 0}, outer, RECT{}},
      {"flat border is one pixel", {true, false, 0}, RECT{11, 11, 109, 33}, RECT{}},
      {"3-D border is two", {true, true, 0}, RECT{12, 12, 108, 32}, RECT{}},
      {"right spin over the frame", {true, true, 2}, RECT{12, 12, 108 - 17, 32}, RECT{110 - 17, 10, 110, 34}},
      {"left spin over the frame", {true, false, 1}, RECT{11 + 17, 11, 109, 33}, RECT{10, 10, 27, 34}},
  };
  for (const Row& row : rows) {
    Canvas c;
    RECT spin;
    EXPECT_EQ(DrawEditAreaFrame(c.dc, outer, row.frame, 1.0, true, spin), row.inner) << row.name;
    EXPECT_EQ(spin, row.spin) << row.name;
  }
  Canvas flat;
  RECT spin;
  DrawEditAreaFrame(flat.dc, outer, {true, false, 0}, 1.0, false, spin);
  EXPECT_EQ(flat.At(10, 20), win::GetSysColor(win::COLOR_WINDOWFRAME));
  EXPECT_EQ(flat.At(11, 20), kWhite);
  Canvas sunken;
  DrawEditAreaFrame(sunken.dc, outer, {true, true, 0}, 1.0, false, spin);
  EXPECT_EQ(sunken.At(10, 20), win::GetSysColor(win::COLOR_BTNSHADOW));
  EXPECT_EQ(sunken.At(11, 20), win::GetSysColor(win::COLOR_3DDKSHADOW));
  EXPECT_EQ(sunken.At(12, 20), kWhite);
  EXPECT_EQ(sunken.At(109, 20), win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
  Canvas arrows;
  DrawEditAreaFrame(arrows.dc, outer, {false, false, 2}, 2.0, true, spin);
  EXPECT_EQ(spin, (RECT{110 - 34, 10, 110, 34}));  // the scale widens the strip
  EXPECT_EQ(arrows.At(110 - 34 + 5, 14), win::GetSysColor(win::COLOR_BTNFACE));
}

TEST(LayoutCaptions, Strips) {
  struct Row {
    const char* name;
    std::array<CaptionMetrics, 4> metrics;
    std::array<RECT, 4> captions;
    RECT text;
  };
  const RECT bounds{0, 0, 200, 100};
  const Row rows[] = {
      {"no captions", {}, {RECT{0, 0, 0, 100}, RECT{200, 0, 200, 100}, RECT{0, 0, 200, 0}, RECT{0, 100, 200, 100}}, bounds},
      {"left 40 with spacing 5",
       {CaptionMetrics{40, 5, 0}, {}, {}, {}},
       {RECT{0, 0, 35, 100}, RECT{200, 0, 200, 100}, RECT{40, 0, 200, 0}, RECT{40, 100, 200, 100}},
       RECT{40, 0, 200, 100}},
      {"all four sides",
       {CaptionMetrics{40, 5, 0}, {30, 2, 0}, {20, 4, 0}, {10, 1, 0}},
       {RECT{0, 20, 35, 90}, RECT{172, 20, 200, 90}, RECT{40, 0, 170, 16}, RECT{40, 91, 170, 100}},
       RECT{40, 20, 170, 90}},
  };
  for (const Row& row : rows) {
    const CaptionLayout layout = LayoutCaptions(row.metrics, bounds);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(layout.captions[static_cast<std::size_t>(i)], row.captions[static_cast<std::size_t>(i)]) << row.name << " side " << i;
    EXPECT_EQ(layout.textArea, row.text) << row.name;
  }
}

TEST(DrawCaptionStrip, BorderPaddingAndAlignment) {
  const COLORREF back = win::RGB(200, 220, 240);
  struct Row {
    const char* name;
    std::int16_t border;
    std::uint32_t flags;
    int padding;
    int glyphX, glyphTop;
  };
  // Strip 0..60 × 0..40, text "ab" (12 × 12).
  const Row rows[] = {
      {"top left, no border", 0, 0x20, 0, 0, 0},
      {"middle centre", 0, 0x25, 0, 24, 14},
      {"bottom right inside a sunken border and padding 3", 3, 0x2A, 3, 60 - 2 - 3 - 12, 40 - 2 - 3 - 12},
      {"simple border insets one", 1, 0x20, 0, 1, 1},
      {"unknown border style draws none", 7, 0x20, 0, 0, 0},
  };
  for (const Row& row : rows) {
    Canvas c;
    DrawCaptionStrip(c.dc, RECT{0, 0, 60, 40}, CaptionLook{"ab", row.border, row.padding, row.flags, back, kInk});
    EXPECT_TRUE(c.Glyph(row.glyphX, row.glyphTop)) << row.name;
    EXPECT_TRUE(c.Glyph(row.glyphX + 6, row.glyphTop)) << row.name;
    EXPECT_EQ(c.At(30, 39 - (row.border ? 2 : 0)), back) << row.name;
    EXPECT_EQ(c.At(60, 20), kWhite) << row.name;  // nothing outside the strip
  }
  Canvas simple;
  DrawCaptionStrip(simple.dc, RECT{0, 0, 60, 40}, CaptionLook{"", 1, 0, 0, back, kInk});
  EXPECT_EQ(simple.At(0, 20), win::GetSysColor(win::COLOR_WINDOWFRAME));
  EXPECT_EQ(simple.At(1, 20), back);
}

}  // namespace
}  // namespace vl
