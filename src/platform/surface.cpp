#include "platform/surface.h"

#include <algorithm>

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

void Surface::BlendPixel(int x, int y, COLORREF color, int alpha) {
  if (!Contains(x, y) || alpha <= 0) return;
  if (alpha >= 255) {
    SetPixel(x, y, color);
    return;
  }
  std::uint8_t* p = &rgba_[Offset(x, y)];
  const int src[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
  for (int i = 0; i < 3; ++i) {
    // Rounded division by 255 so that blending is symmetric and never drifts by one.
    const int v = src[i] * alpha + p[i] * (255 - alpha);
    p[i] = static_cast<std::uint8_t>((v + 127) / 255);
  }
  p[3] = static_cast<std::uint8_t>(alpha + (p[3] * (255 - alpha) + 127) / 255);
}

void Surface::Fill(const RECT& rect, COLORREF color) {
  const RECT r = IntersectRects(rect, Bounds());
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) SetPixel(x, y, color);
  }
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
