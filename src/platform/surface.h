// An RGBA pixel surface: the canvas every device context draws on and PNG output reads.
//
// Colours cross the graphics interface as COLORREF, 0x00BBGGRR (red in the low byte), the
// layout the control's colour properties already use. The surface stores 8-bit R, G, B, A per
// pixel, rows top to bottom, which is the layout PNG wants, so writing a picture copies nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window.h"

namespace vl::win {

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// The intersection of two rectangles; empty rectangles come back as {0, 0, 0, 0}.
RECT IntersectRects(const RECT& a, const RECT& b);
RECT OffsetRectBy(const RECT& r, int dx, int dy);

class Surface {
 public:
  Surface() = default;
  // A surface of width × height pixels filled with `fill`, fully opaque. Negative sizes give an
  // empty surface.
  Surface(int width, int height, COLORREF fill = RGB(255, 255, 255));

  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT Bounds() const { return RECT{0, 0, width_, height_}; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Pixels outside the surface read as 0 with alpha 0 and ignore writes, so callers clip once
  // at the rectangle level and never per pixel.
  COLORREF GetPixel(int x, int y) const;
  int GetAlpha(int x, int y) const;
  void SetPixel(int x, int y, COLORREF color);
  // Source-over blend of `color` with coverage `alpha` (0 leaves the pixel, 255 replaces it):
  // how anti-aliased glyphs land on the background.
  void BlendPixel(int x, int y, COLORREF color, int alpha);
  // BlendPixel along a row: pixel (x + i, y) takes coverage[i] for i < count; the part outside
  // the surface is left alone. Glyphs land row by row through this.
  void BlendRow(int x, int y, COLORREF color, const std::uint8_t* coverage, int count);
  // Replaces the colour of every pixel of the rectangle (clipped to the surface).
  void Fill(const RECT& rect, COLORREF color);
  // Inverts the colour of every pixel of the rectangle (clipped to the surface), alpha kept.
  void Invert(const RECT& rect);

  // Rows of 4-byte R, G, B, A pixels, top row first.
  const std::vector<std::uint8_t>& Rgba() const { return rgba_; }
  std::vector<std::uint8_t>& Rgba() { return rgba_; }

 private:
  std::size_t Offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 4;
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgba_;
};

}  // namespace vl::win
