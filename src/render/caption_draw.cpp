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

int CheckBoxSide(int n) {
  if (n <= 6) return n;
  if (n == 7) return 6;
  if (n <= 11) return n - 2;
  if (n <= 14) return n - 3;
  if (n <= 19) return n - 4;
  if (n <= 26) return n - 6;
  if (n <= 39) return n - 9;
  return n - 14;
}

void DrawCheckBox(win::DeviceContext& dc, const win::RECT& rect, const std::string& caption, std::uint32_t flags,
                  const CheckBoxLook& look) {
  const win::TEXTMETRIC tm = win::GetTextMetrics(dc);
  const int side = std::max(CheckBoxSide(std::min(rect.Height(), tm.tmHeight)), 0);
  const int top = rect.top + (rect.Height() - side) / 2;
  win::RECT box{rect.left + 1, top, rect.left + 1 + side, top + side};
  unsigned state = win::DFCS_BUTTONCHECK;
  if (look.isNull) {
    state |= win::DFCS_BUTTON3STATE | win::DFCS_INACTIVE;
  } else if (look.checked) {
    state |= win::DFCS_CHECKED;
  }
  if (!look.enabled) state |= win::DFCS_INACTIVE;
  if (look.pushed) state |= win::DFCS_PUSHED;
  if (look.flat) state |= win::DFCS_FLAT;
  win::DrawFrameControl(dc, box, win::DFC_BUTTON, state);
  if (caption.empty()) return;
  // The label starts a quarter line past the square and is centred on it.
  const int gap = std::max(tm.tmHeight / 4, 2);
  const win::SIZE extent = win::GetTextExtentPoint32(dc, caption);
  win::RECT text{box.right + gap, rect.top + (rect.Height() - extent.cy) / 2, rect.right, rect.bottom};
  const int mode = win::SetBkMode(dc, win::TRANSPARENT);
  const win::COLORREF colour = look.enabled ? win::GetTextColor(dc) : win::GetSysColor(win::COLOR_GRAYTEXT);
  const win::COLORREF previous = win::SetTextColor(dc, colour);
  const int saved = win::SaveDC(dc);
  win::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  DrawTextLine(dc, caption, text, flags & (kDrawCenter | kDrawRight));
  if (look.focused) {
    int x = text.left;
    if (flags & kDrawCenter) x = text.left + (text.Width() / 2 - extent.cx / 2);
    if (flags & kDrawRight) x = text.right - extent.cx;
    win::DrawFocusRect(dc, win::RECT{x - 1, text.top, x + extent.cx + 1, text.top + extent.cy});
  }
  win::RestoreDC(dc, saved);
  win::SetTextColor(dc, previous);
  win::SetBkMode(dc, mode);
}

}  // namespace vl
