#include "render/check_box_draw.h"

#include <algorithm>

#include "render/text_draw.h"

namespace vl {

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
