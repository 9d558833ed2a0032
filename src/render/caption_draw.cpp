#include "render/caption_draw.h"

#include <algorithm>

#include "render/text_draw.h"

namespace vl {

CaptionLayout LayoutCaptions(const std::array<CaptionMetrics, 4>& m, const win::RECT& b) {
  const CaptionMetrics& l = m[kCaptionLeft];
  const CaptionMetrics& r = m[kCaptionRight];
  const CaptionMetrics& t = m[kCaptionTop];
  const CaptionMetrics& o = m[kCaptionBottom];
  CaptionLayout out;
  out.captions[kCaptionLeft] = {b.left, b.top + t.size, b.left + l.size - l.spacing, b.bottom - o.size};
  out.captions[kCaptionRight] = {b.right - r.size + r.spacing, b.top + t.size, b.right, b.bottom - o.size};
  out.captions[kCaptionTop] = {b.left + l.size, b.top, b.right - r.size, b.top + t.size - t.spacing};
  out.captions[kCaptionBottom] = {b.left + l.size, b.bottom - o.size + o.spacing, b.right - r.size, b.bottom};
  out.textArea = {b.left + l.size, b.top + t.size, b.right - r.size, b.bottom - o.size};
  return out;
}

void DrawCaptionStrip(win::DeviceContext& dc, const win::RECT& rect, const CaptionLook& look) {
  const int mode = win::SetBkMode(dc, win::TRANSPARENT);
  win::FillRect(dc, rect, win::CreateSolidBrush(look.backColor));
  win::RECT inner = rect;
  switch (look.borderStyle) {
    case 1:
      win::DrawEdge(dc, inner, win::BDR_RAISEDOUTER | win::BDR_SUNKENOUTER, win::BF_RECT | win::BF_ADJUST | win::BF_MONO);
      break;
    case 2:
      win::DrawEdge(dc, inner, win::EDGE_RAISED, win::BF_RECT | win::BF_ADJUST);
      break;
    case 3:
      win::DrawEdge(dc, inner, win::EDGE_SUNKEN, win::BF_RECT | win::BF_ADJUST);
      break;
    default:
      break;
  }
  inner = win::RECT{inner.left + look.padding, inner.top + look.padding, inner.right - look.padding,
                    inner.bottom - look.padding};
  const int h = win::GetTextExtentPoint32(dc, look.text).cy;
  if (look.alignmentFlags & 0x04) {
    inner.top += ((inner.bottom - inner.top) - h) / 2;
  } else if (look.alignmentFlags & 0x08) {
    inner.top = inner.bottom - h;
  }
  win::SetTextColor(dc, look.textColor);
  DrawTextLine(dc, look.text, inner, look.alignmentFlags & (kDrawCenter | kDrawRight));
  win::SetBkMode(dc, mode);
}

}  // namespace vl
