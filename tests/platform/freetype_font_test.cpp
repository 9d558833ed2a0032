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
  std::string file = fonts.ResolveFile(Gothic(-32));
  std::transform(file.begin(), file.end(), file.begin(), [](unsigned char ch) { return std::tolower(ch); });
  EXPECT_NE(file.find("ipa"), std::string::npos) << file;

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

}  // namespace
}  // namespace vl::win
