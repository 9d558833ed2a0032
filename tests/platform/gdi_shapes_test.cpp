#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fixed_font.h"
#include "platform/gdi.h"

namespace vl::win {
namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);  // a colour no system colour has

struct Canvas {
  Surface surface{40, 30, kPaper};
  FixedFontBackend fonts;
  DeviceContext dc{&surface, fonts};
  COLORREF At(int x, int y) const { return surface.GetPixel(x, y); }
};

// A pixel and what it must be: a system colour index, or kPaper for "left alone".
struct Probe {
  int x;
  int y;
  int color;  // COLOR_* index, or -1 for the untouched paper
};

COLORREF Expected(int color) { return color < 0 ? kPaper : GetSysColor(color); }

std::string Describe(const Probe& p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

TEST(Gdi, FillRectStaysInsideClipAndFollowsTheOrigin) {
  Canvas c;
  IntersectClipRect(c.dc, 0, 0, 10, 10);
  SetViewportOrgEx(c.dc, 2, 3);
  EXPECT_TRUE(FillRect(c.dc, RECT{0, 0, 20, 20}, CreateSolidBrush(RGB(9, 9, 9))));
  EXPECT_EQ(c.At(2, 3), RGB(9, 9, 9));    // logical (0,0)
  EXPECT_EQ(c.At(1, 3), kPaper);           // left of the origin
  EXPECT_EQ(c.At(9, 9), RGB(9, 9, 9));
  EXPECT_EQ(c.At(10, 9), kPaper);          // the clip set before the origin moved stays put
  EXPECT_EQ(GetClipBox(c.dc), (RECT{-2, -3, 8, 7}));
  EXPECT_FALSE(FillRect(c.dc, RECT{0, 0, 5, 5}, HBRUSH()));
}

TEST(Gdi, FrameRectIsOnePixelInsideTheRectangle) {
  Canvas c;
  FrameRect(c.dc, RECT{2, 2, 8, 6}, CreateSolidBrush(RGB(0, 0, 0)));
  const std::vector<std::pair<POINT, COLORREF>> probes = {
      {{2, 2}, 0}, {{7, 2}, 0}, {{2, 5}, 0}, {{7, 5}, 0}, {{4, 5}, 0},
      {{3, 3}, kPaper}, {{8, 2}, kPaper}, {{2, 6}, kPaper}, {{1, 1}, kPaper}};
  for (const auto& [p, color] : probes) EXPECT_EQ(c.At(p.x, p.y), color) << p.x << "," << p.y;
}

TEST(Gdi, DrawEdgeRings) {
  struct Row {
    const char* name;
    unsigned edge;
    unsigned flags;
    RECT adjusted;  // the rectangle after the call (from {2, 2, 12, 10})
    std::vector<Probe> probes;
  };
  const RECT start{2, 2, 12, 10};
  const Row rows[] = {
      {"sunken: grey over dark at top-left, white and light at bottom-right, corners to the right",
       EDGE_SUNKEN, BF_RECT | BF_ADJUST, RECT{4, 4, 10, 8},
       {{2, 2, COLOR_BTNSHADOW}, {6, 2, COLOR_BTNSHADOW}, {2, 6, COLOR_BTNSHADOW},
        {11, 2, COLOR_BTNHIGHLIGHT}, {2, 9, COLOR_BTNHIGHLIGHT}, {11, 9, COLOR_BTNHIGHLIGHT},
        {3, 3, COLOR_3DDKSHADOW}, {6, 3, COLOR_3DDKSHADOW}, {10, 3, COLOR_3DLIGHT},
        {3, 8, COLOR_3DLIGHT}, {10, 8, COLOR_3DLIGHT}, {4, 4, -1}, {1, 1, -1}, {12, 10, -1}}},
      {"raised: light and white at top-left, dark and grey at bottom-right", EDGE_RAISED,
       BF_RECT | BF_ADJUST, RECT{4, 4, 10, 8},
       {{2, 2, COLOR_3DLIGHT}, {11, 9, COLOR_3DDKSHADOW}, {11, 2, COLOR_3DDKSHADOW},
        {3, 3, COLOR_BTNHIGHLIGHT}, {10, 8, COLOR_BTNSHADOW}, {10, 3, COLOR_BTNSHADOW}, {5, 5, -1}}},
      {"mono single ring in the window-frame colour", BDR_RAISEDOUTER | BDR_SUNKENOUTER,
       BF_RECT | BF_ADJUST | BF_MONO, RECT{3, 3, 11, 9},
       {{2, 2, COLOR_WINDOWFRAME}, {11, 2, COLOR_WINDOWFRAME}, {2, 9, COLOR_WINDOWFRAME},
        {11, 9, COLOR_WINDOWFRAME}, {6, 9, COLOR_WINDOWFRAME}, {3, 3, -1}, {10, 8, -1}}},
      {"middle fills the inside with the face colour", EDGE_RAISED, BF_RECT | BF_MIDDLE, start,
       {{4, 4, COLOR_BTNFACE}, {9, 7, COLOR_BTNFACE}, {3, 3, COLOR_BTNHIGHLIGHT}}},
      {"only the named sides; no adjust leaves the rectangle", EDGE_SUNKEN, BF_TOPLEFT, start,
       {{2, 2, COLOR_BTNSHADOW}, {11, 2, COLOR_BTNSHADOW}, {2, 9, COLOR_BTNSHADOW},
        {11, 5, -1}, {5, 9, -1}, {3, 3, COLOR_3DDKSHADOW}}},
      {"flat: shadow ring outside, face ring inside", EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_ADJUST,
       RECT{4, 4, 10, 8},
       {{2, 2, COLOR_BTNSHADOW}, {11, 9, COLOR_BTNSHADOW}, {3, 3, COLOR_BTNFACE}, {10, 8, COLOR_BTNFACE}}},
      {"soft sunken darkens the outer top-left", EDGE_SUNKEN, BF_RECT | BF_SOFT, start,
       {{2, 2, COLOR_3DDKSHADOW}, {3, 3, COLOR_BTNSHADOW}, {11, 9, COLOR_BTNHIGHLIGHT}}},
  };
  for (const Row& row : rows) {
    Canvas c;
    RECT r = start;
    EXPECT_TRUE(DrawEdge(c.dc, r, row.edge, row.flags)) << row.name;
    EXPECT_EQ(r, row.adjusted) << row.name;
    for (const Probe& p : row.probes) EXPECT_EQ(c.At(p.x, p.y), Expected(p.color)) << row.name << " " << Describe(p);
  }
}

TEST(Gdi, ScrollArrowTriangles) {
  // A 17 × 10 spin half: inside the 2-pixel edge the area is 13 × 6, so the triangle is
  // min(13, 12) / 3 = 4 rows high with a 7-pixel base, the base starting at x 5, rows 3 to 6.
  struct Row {
    const char* name;
    unsigned state;
    std::vector<Probe> probes;
  };
  const Row rows[] = {
      {"up: apex on top, centred", DFCS_SCROLLUP,
       {{8, 3, COLOR_BTNTEXT}, {7, 3, COLOR_BTNFACE}, {9, 3, COLOR_BTNFACE},
        {5, 6, COLOR_BTNTEXT}, {11, 6, COLOR_BTNTEXT}, {4, 6, COLOR_BTNFACE}, {12, 6, COLOR_BTNFACE},
        {8, 7, COLOR_BTNFACE}, {0, 0, COLOR_3DLIGHT}, {16, 9, COLOR_3DDKSHADOW}}},
      {"down: apex at the bottom", DFCS_SCROLLDOWN,
       {{8, 6, COLOR_BTNTEXT}, {7, 6, COLOR_BTNFACE}, {5, 3, COLOR_BTNTEXT}, {11, 3, COLOR_BTNTEXT},
        {4, 3, COLOR_BTNFACE}, {8, 2, COLOR_BTNFACE}}},
      {"pushed: flat frame, triangle one pixel right and down", DFCS_SCROLLUP | DFCS_PUSHED,
       {{0, 0, COLOR_BTNSHADOW}, {16, 9, COLOR_BTNSHADOW}, {9, 4, COLOR_BTNTEXT}, {8, 3, COLOR_BTNFACE},
        {6, 7, COLOR_BTNTEXT}}},
      {"inactive: grey triangle", DFCS_SCROLLUP | DFCS_INACTIVE, {{8, 3, COLOR_GRAYTEXT}, {5, 6, COLOR_GRAYTEXT}}},
  };
  for (const Row& row : rows) {
    Canvas c;
    RECT r{0, 0, 17, 10};
    EXPECT_TRUE(DrawFrameControl(c.dc, r, DFC_SCROLL, row.state)) << row.name;
    for (const Probe& p : row.probes) EXPECT_EQ(c.At(p.x, p.y), Expected(p.color)) << row.name << " " << Describe(p);
  }
}

TEST(Gdi, CheckBoxStates) {
  // The standard 13-pixel box: a 2-pixel sunken edge around a 9-pixel inside at (2,2); the mark
  // starts at column 3 and its stroke is three pixels high (columns 3, 5 and 9 probed).
  struct Row {
    const char* name;
    unsigned state;
    std::vector<Probe> probes;
  };
  const Row rows[] = {
      {"unchecked: white inside a sunken edge", DFCS_BUTTONCHECK,
       {{0, 0, COLOR_BTNSHADOW}, {1, 1, COLOR_3DDKSHADOW}, {12, 12, COLOR_BTNHIGHLIGHT},
        {11, 11, COLOR_3DLIGHT}, {2, 2, COLOR_WINDOW}, {3, 6, COLOR_WINDOW}, {9, 4, COLOR_WINDOW}}},
      {"checked: the mark in button text", DFCS_BUTTONCHECK | DFCS_CHECKED,
       {{3, 6, COLOR_BTNTEXT}, {3, 8, COLOR_BTNTEXT}, {3, 5, COLOR_WINDOW}, {3, 9, COLOR_WINDOW},
        {5, 10, COLOR_BTNTEXT}, {9, 4, COLOR_BTNTEXT}, {9, 7, COLOR_WINDOW}, {2, 2, COLOR_WINDOW}}},
      {"null: three-state inactive is the grey box alone", DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_INACTIVE,
       {{2, 2, COLOR_BTNFACE}, {3, 6, COLOR_BTNFACE}, {9, 4, COLOR_BTNFACE}, {0, 0, COLOR_BTNSHADOW}}},
      {"checked but disabled: grey mark on face", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
       {{3, 6, COLOR_GRAYTEXT}, {2, 2, COLOR_BTNFACE}}},
      {"flat: one shadow ring, inside from (1,1)", DFCS_BUTTONCHECK | DFCS_FLAT,
       {{0, 0, COLOR_BTNSHADOW}, {12, 12, COLOR_BTNSHADOW}, {1, 1, COLOR_WINDOW}, {11, 11, COLOR_WINDOW}}},
  };
  for (const Row& row : rows) {
    Canvas c;
    RECT r{0, 0, 13, 13};
    EXPECT_TRUE(DrawFrameControl(c.dc, r, DFC_BUTTON, row.state)) << row.name;
    for (const Probe& p : row.probes) EXPECT_EQ(c.At(p.x, p.y), Expected(p.color)) << row.name << " " << Describe(p);
  }
}

TEST(Gdi, CheckBoxIsASquareCentredInAWideRectangle) {
  Canvas c;
  RECT r{0, 0, 33, 13};
  DrawFrameControl(c.dc, r, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(c.At(10, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(c.At(22, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(9, 0), kPaper);
  EXPECT_EQ(c.At(23, 12), kPaper);
}

TEST(Gdi, UnknownFrameControlsDrawNothing) {
  Canvas c;
  RECT r{0, 0, 10, 10};
  EXPECT_FALSE(DrawFrameControl(c.dc, r, DFC_CAPTION, 0));
  EXPECT_FALSE(DrawFrameControl(c.dc, r, DFC_SCROLL, 5));
  EXPECT_EQ(c.At(0, 0), kPaper);
}

TEST(Gdi, FocusRectIsDottedAndErasesItself) {
  Canvas c;
  FillRect(c.dc, RECT{0, 0, 10, 10}, CreateSolidBrush(RGB(255, 255, 255)));
  DrawFocusRect(c.dc, RECT{1, 1, 8, 6});
  EXPECT_EQ(c.At(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(c.At(2, 1), RGB(255, 255, 255));
  EXPECT_EQ(c.At(3, 1), RGB(0, 0, 0));
  EXPECT_EQ(c.At(1, 3), RGB(0, 0, 0));
  EXPECT_EQ(c.At(3, 3), RGB(255, 255, 255));  // inside stays
  DrawFocusRect(c.dc, RECT{1, 1, 8, 6});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(c.At(x, y), RGB(255, 255, 255)) << x << "," << y;
}

TEST(Gdi, SaveAndRestoreBringBackColoursModeOriginAndClip) {
  Canvas c;
  SetTextColor(c.dc, RGB(1, 1, 1));
  const int depth = SaveDC(c.dc);
  EXPECT_EQ(depth, 1);
  SetTextColor(c.dc, RGB(2, 2, 2));
  SetBkMode(c.dc, TRANSPARENT);
  SetViewportOrgEx(c.dc, 5, 5);
  IntersectClipRect(c.dc, 0, 0, 1, 1);
  SaveDC(c.dc);
  EXPECT_TRUE(RestoreDC(c.dc, depth));
  EXPECT_EQ(GetTextColor(c.dc), RGB(1, 1, 1));
  EXPECT_EQ(GetBkMode(c.dc), OPAQUE);
  EXPECT_EQ(GetClipBox(c.dc), (RECT{0, 0, 40, 30}));
  EXPECT_FALSE(RestoreDC(c.dc, -1));  // the deeper save went with it
}

TEST(Gdi, SettersReturnThePreviousValue) {
  Canvas c;
  EXPECT_EQ(SetTextColor(c.dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(c.dc, RGB(4, 5, 6)), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(c.dc, RGB(7, 8, 9)), RGB(255, 255, 255));
  EXPECT_EQ(SetBkMode(c.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(c.dc, 7), 0);
  EXPECT_EQ(GetBkMode(c.dc), TRANSPARENT);
}

TEST(Gdi, SystemColoursAndMetrics) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), 0x00D77800u);  // blue in the high byte
  EXPECT_EQ(GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetSysColor(99), 0u);
  EXPECT_EQ(GetSysColorBrush(COLOR_WINDOWFRAME).color, GetSysColor(COLOR_WINDOWFRAME));
  // The edge colours must differ or a sunken edge cannot be told from a raised one.
  EXPECT_NE(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_NE(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(-1), 0);
}

TEST(Gdi, MulDivRoundsHalfAwayFromZero) {
  struct Row {
    int a, b, c, expected;
  };
  const Row rows[] = {{9, 96, 72, 12}, {10, 3, 4, 8}, {-10, 3, 4, -8}, {1, 1, 2, 1}, {-1, 1, 2, -1},
                      {5, 1, 0, -1}, {2000000000, 2, 1, -1}, {7, 7, -2, -25}};
  for (const Row& r : rows) EXPECT_EQ(MulDiv(r.a, r.b, r.c), r.expected) << r.a << "*" << r.b << "/" << r.c;
}

TEST(Gdi, HimetricConversionFollowsTheResolution) {
  FixedFontBackend fonts;
  DeviceContext screen(nullptr, fonts);
  DeviceContext printer(nullptr, fonts, 600);
  struct Row {
    const DeviceContext* dc;
    SIZE himetric;
    SIZE pixels;
  };
  const Row rows[] = {{&screen, {1000, 2540}, {38, 96}},
                      {&screen, {1058, 0}, {40, 0}},  // what the control stores for 40 pixels
                      {&printer, {1000, 2540}, {236, 600}}};
  for (const Row& row : rows) {
    SIZE s = row.himetric;
    HIMETRICtoDP(*row.dc, s);
    EXPECT_EQ(s, row.pixels) << row.himetric.cx;
  }
  SIZE back{40, 8};
  DPtoHIMETRIC(screen, back);
  EXPECT_EQ(back, (SIZE{1058, 212}));
}

TEST(Gdi, MetafileContextsSayWhatTheyAre) {
  FixedFontBackend fonts;
  Surface picture(4, 4);
  EXPECT_EQ(GetDeviceCaps(DeviceContext(&picture, fonts), TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(DeviceContext(&picture, fonts, 96, DT_METAFILE), TECHNOLOGY), DT_METAFILE);
  EXPECT_EQ(GetDeviceCaps(DeviceContext(&picture, fonts), HORZRES), 4);
}

TEST(Gdi, PushButtonIsARaisedFaceThatSinksWhenPushed) {
  struct Row {
    const char* name;
    unsigned state;
    RECT adjusted;
    std::vector<Probe> probes;
  };
  const Row rows[] = {
      {"raised", DFCS_BUTTONPUSH, RECT{0, 0, 10, 8},
       {{0, 0, COLOR_3DLIGHT}, {9, 7, COLOR_3DDKSHADOW}, {5, 4, COLOR_BTNFACE}}},
      {"pushed", DFCS_BUTTONPUSH | DFCS_PUSHED, RECT{0, 0, 10, 8},
       {{0, 0, COLOR_BTNSHADOW}, {9, 7, COLOR_BTNHIGHLIGHT}, {5, 4, COLOR_BTNFACE}}},
      {"adjusted to the face", DFCS_BUTTONPUSH | DFCS_ADJUSTRECT, RECT{2, 2, 8, 6}, {{1, 1, COLOR_BTNHIGHLIGHT}}},
  };
  for (const Row& row : rows) {
    Canvas c;
    RECT r{0, 0, 10, 8};
    EXPECT_TRUE(DrawFrameControl(c.dc, r, DFC_BUTTON, row.state)) << row.name;
    EXPECT_EQ(r, row.adjusted) << row.name;
    for (const Probe& p : row.probes) EXPECT_EQ(c.At(p.x, p.y), Expected(p.color)) << row.name << " " << Describe(p);
  }
}

TEST(Gdi, ContextWithoutSurfaceMeasuresButDrawsNothing) {
  FixedFontBackend fonts;
  DeviceContext dc(nullptr, fonts);
  EXPECT_TRUE(FillRect(dc, RECT{0, 0, 5, 5}, CreateSolidBrush(0)));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_EQ(GetTextExtentPoint32(dc, "ab").cx, 12);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
}

}  // namespace
}  // namespace vl::win
