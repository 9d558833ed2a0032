#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/png_writer.h"
#include "platform/surface.h"

namespace vl::win {
namespace {

TEST(Surface, ColoursRoundTripWithRedInTheLowByte) {
  Surface s(4, 3, RGB(10, 20, 30));
  EXPECT_EQ(s.GetPixel(3, 2), 0x001E140Au);
  EXPECT_EQ(s.GetAlpha(0, 0), 255);
  s.SetPixel(1, 1, RGB(255, 0, 0));
  EXPECT_EQ(s.Rgba()[(1 * 4 + 1) * 4 + 0], 255);  // R is the first byte of a pixel
  EXPECT_EQ(s.Rgba()[(1 * 4 + 1) * 4 + 2], 0);
}

TEST(Surface, OutsideReadsNothingAndIgnoresWrites) {
  Surface s(2, 2, RGB(1, 1, 1));
  s.SetPixel(-1, 0, RGB(9, 9, 9));
  s.SetPixel(2, 0, RGB(9, 9, 9));
  s.Fill(RECT{-5, -5, 1, 1}, RGB(7, 7, 7));
  EXPECT_EQ(s.GetPixel(0, 0), RGB(7, 7, 7));
  EXPECT_EQ(s.GetPixel(1, 0), RGB(1, 1, 1));
  EXPECT_EQ(s.GetPixel(5, 5), 0u);
  EXPECT_EQ(s.GetAlpha(5, 5), 0);
  EXPECT_EQ(Surface(-3, 4).Width(), 0);
}

TEST(Surface, BlendWeighsColourByCoverage) {
  struct Row {
    const char* name;
    int alpha;
    COLORREF expected;
  };
  const Row rows[] = {
      {"no coverage leaves the background", 0, RGB(255, 255, 255)},
      {"full coverage replaces it", 255, RGB(0, 0, 0)},
      {"half coverage rounds to the middle", 128, RGB(127, 127, 127)},
      {"a quarter", 64, RGB(191, 191, 191)},
  };
  for (const Row& row : rows) {
    Surface s(1, 1, RGB(255, 255, 255));
    s.BlendPixel(0, 0, RGB(0, 0, 0), row.alpha);
    EXPECT_EQ(s.GetPixel(0, 0), row.expected) << row.name;
  }
}

TEST(Surface, InvertKeepsAlphaAndTwiceIsIdentity) {
  Surface s(3, 1, RGB(10, 200, 30));
  s.Invert(RECT{1, 0, 2, 1});
  EXPECT_EQ(s.GetPixel(1, 0), RGB(245, 55, 225));
  EXPECT_EQ(s.GetPixel(0, 0), RGB(10, 200, 30));
  s.Invert(RECT{1, 0, 2, 1});
  EXPECT_EQ(s.GetPixel(1, 0), RGB(10, 200, 30));
  EXPECT_EQ(s.GetAlpha(1, 0), 255);
}

TEST(Png, HeaderSaysEightBitRgba) {
  Surface s(5, 3, RGB(0, 0, 255));
  const auto bytes = EncodePng(s);
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_EQ(bytes[2], 'N');
  EXPECT_EQ(bytes[3], 'G');
  EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
  EXPECT_EQ(bytes[19], 5);   // width, low byte
  EXPECT_EQ(bytes[23], 3);   // height, low byte
  EXPECT_EQ(bytes[24], 8);   // bit depth
  EXPECT_EQ(bytes[25], 6);   // colour type: RGB with alpha
}

TEST(Png, WrittenFileReadsBackPixelForPixel) {
  Surface s(7, 4, RGB(255, 255, 255));
  s.SetPixel(0, 0, RGB(1, 2, 3));
  s.SetPixel(6, 3, RGB(200, 100, 50));
  s.BlendPixel(3, 2, RGB(0, 0, 0), 100);
  const auto path = (std::filesystem::temp_directory_path() / "vl_platform_png_test.png").string();
  ASSERT_TRUE(WritePng(s, path));
  const auto back = ReadPng(path);
  std::remove(path.c_str());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->Width(), 7);
  EXPECT_EQ(back->Height(), 4);
  EXPECT_EQ(back->Rgba(), s.Rgba());
}

// The compressor's matches (the pixel to the left, the row above) against pictures that use them
// everywhere, nowhere, across row ends, and beyond the reach of the row above.
TEST(Png, PicturesOfEveryShapeReadBackPixelForPixel) {
  struct Row {
    const char* what;
    int width, height;
    void (*paint)(Surface&);
  };
  const Row rows[] = {
      {"one pixel", 1, 1, [](Surface& s) { s.SetPixel(0, 0, RGB(1, 2, 3)); }},
      {"flat", 300, 400, [](Surface&) {}},
      {"noise", 97, 61,
       [](Surface& s) {
         std::uint32_t r = 12345;
         for (int y = 0; y < s.Height(); ++y)
           for (int x = 0; x < s.Width(); ++x) {
             r = r * 1103515245u + 12345u;
             s.SetPixel(x, y, r >> 8);
           }
       }},
      {"stripes and runs shorter than a match", 40, 30,
       [](Surface& s) {
         for (int y = 0; y < s.Height(); ++y)
           for (int x = 0; x < s.Width(); ++x) s.SetPixel(x, y, (x / (1 + y % 3)) % 2 ? RGB(0, 0, 0) : RGB(9, 9, 9));
       }},
      {"rows too wide for the row above", 8200, 3,
       [](Surface& s) {
         for (int x = 0; x < s.Width(); x += 7) s.SetPixel(x, 1, RGB(x % 256, 3, 4));
       }},
  };
  const auto path = (std::filesystem::temp_directory_path() / "vl_platform_png_shapes.png").string();
  for (const Row& row : rows) {
    Surface s(row.width, row.height);
    row.paint(s);
    ASSERT_TRUE(WritePng(s, path)) << row.what;
    const auto back = ReadPng(path);
    ASSERT_TRUE(back.has_value()) << row.what;
    EXPECT_EQ(back->Rgba(), s.Rgba()) << row.what;
  }
  std::remove(path.c_str());
}

TEST(Png, RefusesWhatCannotBeWritten) {
  EXPECT_FALSE(WritePng(Surface(), (std::filesystem::temp_directory_path() / "vl_empty.png").string()));
  EXPECT_FALSE(WritePng(Surface(2, 2), "/nonexistent-folder/x/picture.png"));
  EXPECT_FALSE(ReadPng("/nonexistent-folder/x/picture.png").has_value());
}

}  // namespace
}  // namespace vl::win
