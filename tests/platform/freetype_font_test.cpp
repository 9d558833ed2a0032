#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/freetype_font.h"
#include "platform/gdi.h"
#include "text/encoding.h"

namespace vl::win {
namespace {

TEST(FreeTypeFont, WindowsFaceNamesMapToTheJapaneseGothic) {
  struct Row {
    const char* utf8Name;
    const char* family;
  };
  const Row rows[] = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},
      {"", "IPAPGothic"},  // the ambient font: no face name of its own
      {"ＭＳ ゴシック", "IPAGothic"},
      {"DejaVu Sans", "DejaVu Sans"},
  };
  for (const Row& row : rows) EXPECT_EQ(FontconfigFamilyFor(Cp932Literal(row.utf8Name)), row.family) << row.utf8Name;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return s;
}

LOGFONT Gothic(int height) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.SetFaceName(Cp932Literal("ＭＳ Ｐゴシック"));
  return lf;
}

TEST(FreeTypeFont, DrawsAKanjiWithAntialiasedInk) {
  FreeTypeFontBackend fonts;
  if (!fonts.Available()) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  for (const char* name : {"ＭＳ Ｐゴシック", "MS UI Gothic", "ＭＳ ゴシック", ""}) {
    LOGFONT lf = Gothic(-12);
    lf.SetFaceName(Cp932Literal(name));
    const std::string file = Lower(fonts.ResolveFile(lf));
    EXPECT_NE(file.find("gothic"), std::string::npos) << name << " → " << file;
  }

  Surface surface(48, 48, RGB(255, 255, 255));
  DeviceContext dc(&surface, fonts);
  SelectObject(dc, CreateFontIndirect(Gothic(-32)));
  SetBkMode(dc, TRANSPARENT);
  const std::string kan = Cp932Literal("漢");
  const SIZE size = GetTextExtentPoint32(dc, kan);
  EXPECT_GE(size.cx, 28);  // a full-width character is about an em wide
  EXPECT_GE(size.cy, 32);
  EXPECT_LT(GetTextExtentPoint32(dc, "i").cx, size.cx);  // proportional face
  const TEXTMETRIC tm = GetTextMetrics(dc);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);

  TextOut(dc, 4, 4, kan);
  int dark = 0;
  int grey = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      const int v = GetRValue(surface.GetPixel(x, y));
      if (v < 96) ++dark;
      else if (v < 250) ++grey;
    }
  }
  EXPECT_GT(dark, 40);
  EXPECT_GT(grey, 10);  // edges are blended, not thresholded
  // Nothing lands left of or above the text origin.
  for (int y = 0; y < surface.Height(); ++y) EXPECT_EQ(surface.GetPixel(3, y), RGB(255, 255, 255));
}

// Dark pixels of 漢 drawn in the given face at 16 pixels.
int KanjiInk(FontBackend& fonts, const LOGFONT& lf) {
  Surface surface(24, 24, RGB(255, 255, 255));
  DeviceContext dc(&surface, fonts);
  SelectObject(dc, CreateFontIndirect(lf));
  TextOut(dc, 0, 0, Cp932Literal("漢"));
  int dark = 0;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) dark += GetRValue(surface.GetPixel(x, y)) < 96 ? 1 : 0;
  return dark;
}

TEST(FreeTypeFont, ALatinFaceBorrowsKanjiFromTheGothic) {
  FreeTypeFontBackend fonts;
  if (!fonts.Available()) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  LOGFONT latin = Gothic(-16);
  latin.SetFaceName("DejaVu Sans");
  if (Lower(fonts.ResolveFile(latin)).find("dejavu") == std::string::npos) GTEST_SKIP() << "no DejaVu Sans";
  // The same glyph, only placed on the Latin face's baseline: not the Latin face's missing-glyph box.
  const int borrowed = KanjiInk(fonts, latin);
  EXPECT_GT(borrowed, 20);
  EXPECT_EQ(borrowed, KanjiInk(fonts, Gothic(-16)));
}

}  // namespace
}  // namespace vl::win
