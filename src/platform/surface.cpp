#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace vl::win {

RECT IntersectRects(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? RECT{} : r;
}

RECT OffsetRectBy(const RECT& r, int dx, int dy) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Surface::Surface(int width, int height, COLORREF fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  rgba_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
  Fill(Bounds(), fill);
}

COLORREF Surface::GetPixel(int x, int y) const {
  if (!Contains(x, y)) return 0;
  const std::uint8_t* p = &rgba_[Offset(x, y)];
  return RGB(p[0], p[1], p[2]);
}

int Surface::GetAlpha(int x, int y) const { return Contains(x, y) ? rgba_[Offset(x, y) + 3] : 0; }

void Surface::SetPixel(int x, int y, COLORREF color) {
  if (!Contains(x, y)) return;
  std::uint8_t* p = &rgba_[Offset(x, y)];
  p[0] = static_cast<std::uint8_t>(GetRValue(color));
  p[1] = static_cast<std::uint8_t>(GetGValue(color));
  p[2] = static_cast<std::uint8_t>(GetBValue(color));
  p[3] = 255;
}

namespace {

// Source-over of one pixel at `p`, for 0 < alpha.
void Blend(std::uint8_t* p, const int (&src)[3], int alpha) {
  if (alpha >= 255) {
    p[0] = static_cast<std::uint8_t>(src[0]);
    p[1] = static_cast<std::uint8_t>(src[1]);
    p[2] = static_cast<std::uint8_t>(src[2]);
    p[3] = 255;
    return;
  }
  for (int i = 0; i < 3; ++i) {
    // Rounded division by 255 so that blending is symmetric and never drifts by one.
    const int v = src[i] * alpha + p[i] * (255 - alpha);
    p[i] = static_cast<std::uint8_t>((v + 127) / 255);
  }
  p[3] = static_cast<std::uint8_t>(alpha + (p[3] * (255 - alpha) + 127) / 255);
}

}  // namespace

void Surface::BlendPixel(int x, int y, COLORREF color, int alpha) {
  if (!Contains(x, y) || alpha <= 0) return;
  const int src[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
  Blend(&rgba_[Offset(x, y)], src, alpha);
}

void Surface::BlendRow(int x, int y, COLORREF color, const std::uint8_t* coverage, int count) {
  if (y < 0 || y >= height_) return;
  const int from = std::max(0, -x);
  const int to = std::min(count, width_ - x);
  if (from >= to) return;
  const int src[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
  std::uint8_t* p = &rgba_[Offset(x + from, y)];
  for (int i = from; i < to; ++i, p += 4) {
    if (coverage[i] != 0) Blend(p, src, coverage[i]);
  }
}

void Surface::Fill(const RECT& rect, COLORREF color) {
  const RECT r = IntersectRects(rect, Bounds());
  if (r.IsEmpty()) return;
  const std::uint8_t pixel[4] = {static_cast<std::uint8_t>(GetRValue(color)),
                                 static_cast<std::uint8_t>(GetGValue(color)),
                                 static_cast<std::uint8_t>(GetBValue(color)), 255};
  // The first row is written pixel by pixel, the others copied from it: boxes repaint their
  // whole area several times per key, so this is the surface's hottest loop.
  const std::size_t rowBytes = static_cast<std::size_t>(r.Width()) * 4;
  std::uint8_t* first = &rgba_[Offset(r.left, r.top)];
  for (std::size_t i = 0; i < rowBytes; i += 4) std::memcpy(first + i, pixel, 4);
  for (int y = r.top + 1; y < r.bottom; ++y) std::memcpy(&rgba_[Offset(r.left, y)], first, rowBytes);
}

void Surface::Invert(const RECT& rect) {
  const RECT r = IntersectRects(rect, Bounds());
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      std::uint8_t* p = &rgba_[Offset(x, y)];
      p[0] = static_cast<std::uint8_t>(255 - p[0]);
      p[1] = static_cast<std::uint8_t>(255 - p[1]);
      p[2] = static_cast<std::uint8_t>(255 - p[2]);
    }
  }
}

}  // namespace vl::win
