#include "platform/fixed_font.h"

#include <algorithm>
#include <cstdlib>

namespace vl::win {

FixedFontGeometry FixedGeometryFor(const LOGFONT& font) {
  FixedFontGeometry g;
  const long long requested = font.lfHeight == 0 ? 12 : std::llabs(static_cast<long long>(font.lfHeight));
  g.height = static_cast<int>(std::clamp<long long>(requested, 1, 1024));
  g.charWidth = font.lfWidth > 0 ? std::min(font.lfWidth, 1024) : std::max(1, (g.height + 1) / 2);
  g.descent = g.height / 5;
  g.ascent = g.height - g.descent;
  g.inkTop = g.height / 6;
  g.inkBottom = g.ascent;
  g.stroke = font.lfWeight >= kBoldWeight ? 2 : 1;
  return g;
}

namespace {

bool DrawsNothing(std::string_view ch) {
  if (ch.size() == 2) return static_cast<unsigned char>(ch[0]) == 0x81 && static_cast<unsigned char>(ch[1]) == 0x40;
  const auto b = static_cast<unsigned char>(ch.empty() ? 0 : ch[0]);
  return b <= 0x20 || b == 0x7F;
}

class FixedFace final : public FontFace {
 public:
  explicit FixedFace(const LOGFONT& font) : g_(FixedGeometryFor(font)) {
    metrics_.tmHeight = g_.height;
    metrics_.tmAscent = g_.ascent;
    metrics_.tmDescent = g_.descent;
    metrics_.tmAveCharWidth = g_.charWidth;
    metrics_.tmMaxCharWidth = 2 * g_.charWidth;
    metrics_.tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
    metrics_.tmItalic = font.lfItalic;
    metrics_.tmUnderlined = font.lfUnderline;
    metrics_.tmStruckOut = font.lfStrikeOut;
    metrics_.tmCharSet = SHIFTJIS_CHARSET;
  }

  const TEXTMETRIC& Metrics() const override { return metrics_; }

  DecorationLines Decorations() const override {
    DecorationLines d;
    d.underlineTop = g_.descent > 0 ? g_.ascent : g_.height - 1;
    d.strikeOutTop = g_.ascent / 2;
    return d;
  }

  int CharWidth(std::string_view ch) override { return ch.size() == 2 ? 2 * g_.charWidth : g_.charWidth; }

  void DrawChar(Surface& surface, int x, int top, std::string_view ch, COLORREF color,
                const RECT& clip) override {
    if (DrawsNothing(ch)) return;
    const int width = std::max(1, CharWidth(ch) - 1);
    const RECT box{x, top + g_.inkTop, x + width, top + g_.inkBottom};
    const int s = std::min({g_.stroke, std::max(1, box.Width() / 2), std::max(1, box.Height() / 2)});
    auto fill = [&](RECT r) { surface.Fill(IntersectRects(r, clip), color); };
    fill(RECT{box.left, box.top, box.right, box.top + s});
    fill(RECT{box.left, box.bottom - s, box.right, box.bottom});
    fill(RECT{box.left, box.top, box.left + s, box.bottom});
    fill(RECT{box.right - s, box.top, box.right, box.bottom});
    if (ch.size() == 2) {
      const int mid = (box.top + box.bottom) / 2;
      fill(RECT{box.left, mid, box.right, mid + 1});
    }
  }

 private:
  FixedFontGeometry g_;
  TEXTMETRIC metrics_;
};

}  // namespace

std::shared_ptr<FontFace> FixedFontBackend::Realize(const LOGFONT& font) {
  if (auto face = faces_.Find(font)) return face;
  auto face = std::make_shared<FixedFace>(font);
  faces_.Add(font, face);
  return face;
}

}  // namespace vl::win
