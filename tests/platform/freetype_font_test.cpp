#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/face_cache.h"
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

// The backend keeps few faces however many sizes are drawn: each new size realised finds the
// cache within its count and bytes, and text still draws in every size.
TEST(FreeTypeFont, RealisedFacesStayBoundedOverManySizes) {
  FreeTypeFontBackend fonts;
  if (!fonts.Available()) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  const FaceCacheLimits limits;
  Surface surface(64, 64, RGB(255, 255, 255));
  DeviceContext dc(&surface, fonts);
  const std::string text = Cp932Literal("金額 1,234円");
  std::size_t mostFaces = 0;
  for (int size = 2; size <= 400; size += 5) {
    HFONT font = CreateFontIndirect(Gothic(-size * 96 / 72));
    HFONT old = SelectObject(dc, font);
    const FontCacheUsage usage = fonts.CacheUsage();
    ASSERT_LE(usage.faces, limits.faces) << size;
    ASSERT_LE(usage.bytes, limits.bytes) << size;
    mostFaces = std::max(mostFaces, usage.faces);
    EXPECT_GT(GetTextExtentPoint32(dc, text).cx, 0) << size;
    TextOut(dc, 0, 0, text);
    SelectObject(dc, old);
  }
  EXPECT_EQ(mostFaces, limits.faces);  // faces are kept for reuse, up to the limit
}

// The CP932 text of the n-th level-1 kanji (lead bytes 0x88 onwards), n < 400.
std::string Kanji(int n) {
  static const std::string trails = [] {
    std::string t;
    for (int b = 0x40; b <= 0xFC; ++b)
      if (b != 0x7F) t.push_back(static_cast<char>(b));
    return t;
  }();
  const int lead = 0x89 + n / static_cast<int>(trails.size());
  return std::string{static_cast<char>(lead), trails[static_cast<std::size_t>(n) % trails.size()]};
}

// The pixels of one character drawn alone at the given size.
std::vector<COLORREF> Drawn(FontBackend& fonts, int height, const std::string& ch) {
  Surface surface(-height + 8, -height + 8, RGB(255, 255, 255));
  DeviceContext dc(&surface, fonts);
  SelectObject(dc, CreateFontIndirect(Gothic(height)));
  TextOut(dc, 0, 0, ch);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) pixels.push_back(surface.GetPixel(x, y));
  return pixels;
}

// A face drawing many large glyphs keeps only the recent ones, and a glyph dropped and drawn again
// is the same picture.
TEST(FreeTypeFont, GlyphsOfAFaceStayBoundedAndRedrawAlike) {
  FreeTypeFontBackend fonts;
  if (!fonts.Available()) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  constexpr int kHeight = -240;  // about 57 KB of coverage a kanji: 100 of them pass 4 MB
  const std::vector<COLORREF> first = Drawn(fonts, kHeight, Kanji(0));
  for (int n = 1; n < 100; ++n) Drawn(fonts, kHeight, Kanji(n));
  // The large face and the device context's default one, which holds a glyph or two.
  const FontCacheUsage usage = fonts.CacheUsage();
  EXPECT_EQ(usage.faces, 2u);
  EXPECT_LT(usage.glyphs, 80u);
  EXPECT_LE(usage.bytes, (std::size_t{4} << 20) + (std::size_t{64} << 10));
  EXPECT_EQ(Drawn(fonts, kHeight, Kanji(0)), first);
}

}  // namespace
}  // namespace vl::win
