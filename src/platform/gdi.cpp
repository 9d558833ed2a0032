#include "platform/gdi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "text/mbcs.h"

namespace vl::win {

// ---- Objects ---------------------------------------------------------------------------------

HFONT CreateFontIndirect(const LOGFONT& font) {
  HFONT h;
  h.font_ = std::make_shared<const LOGFONT>(font);
  return h;
}

bool GetObject(const HFONT& font, LOGFONT& out) {
  if (!font) return false;
  out = *font.Get();
  return true;
}

HBRUSH CreateSolidBrush(COLORREF color) { return HBRUSH{color & 0x00FFFFFF, true}; }

void DeleteObject(HFONT& font) { font = HFONT(); }
void DeleteObject(HBRUSH& brush) { brush = HBRUSH(); }

LOGFONT DefaultGuiLogFont() {
  LOGFONT lf;
  lf.lfHeight = -12;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.SetFaceName("MS UI Gothic");
  return lf;
}

// ---- System colours and metrics --------------------------------------------------------------

COLORREF GetSysColor(int index) {
  // The standard scheme of current desktops, so that pictures look like what users know.
  static constexpr std::array<COLORREF, 31> kColors = {
      RGB(200, 200, 200),  // SCROLLBAR
      RGB(0, 0, 0),        // BACKGROUND
      RGB(153, 180, 209),  // ACTIVECAPTION
      RGB(191, 205, 219),  // INACTIVECAPTION
      RGB(240, 240, 240),  // MENU
      RGB(255, 255, 255),  // WINDOW
      RGB(100, 100, 100),  // WINDOWFRAME
      RGB(0, 0, 0),        // MENUTEXT
      RGB(0, 0, 0),        // WINDOWTEXT
      RGB(0, 0, 0),        // CAPTIONTEXT
      RGB(180, 180, 180),  // ACTIVEBORDER
      RGB(244, 247, 252),  // INACTIVEBORDER
      RGB(171, 171, 171),  // APPWORKSPACE
      RGB(0, 120, 215),    // HIGHLIGHT
      RGB(255, 255, 255),  // HIGHLIGHTTEXT
      RGB(240, 240, 240),  // BTNFACE
      RGB(160, 160, 160),  // BTNSHADOW
      RGB(109, 109, 109),  // GRAYTEXT
      RGB(0, 0, 0),        // BTNTEXT
      RGB(0, 0, 0),        // INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // BTNHIGHLIGHT
      RGB(105, 105, 105),  // 3DDKSHADOW
      RGB(227, 227, 227),  // 3DLIGHT
      RGB(0, 0, 0),        // INFOTEXT
      RGB(255, 255, 225),  // INFOBK
      RGB(0, 0, 0),        // 25: unused
      RGB(0, 102, 204),    // HOTLIGHT
      RGB(185, 209, 234),  // GRADIENTACTIVECAPTION
      RGB(215, 228, 242),  // GRADIENTINACTIVECAPTION
      RGB(51, 153, 255),   // MENUHILIGHT
      RGB(240, 240, 240),  // MENUBAR
  };
  if (index < 0 || index >= static_cast<int>(kColors.size())) return 0;
  return kColors[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) { return CreateSolidBrush(GetSysColor(index)); }

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return 1024;
    case SM_CYSCREEN: return 768;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    default: return 0;
  }
}

// ---- Device context --------------------------------------------------------------------------

DeviceContext::DeviceContext(Surface* surface, FontBackend& fonts, int dpi, int technology)
    : surface_(surface), fonts_(fonts), dpi_(dpi > 0 ? dpi : 96), technology_(technology) {
  state_.font = CreateFontIndirect(DefaultGuiLogFont());
  state_.face = fonts_.Realize(*state_.font.Get());
  state_.clip = surface_ ? surface_->Bounds() : RECT{};
}

HFONT SelectObject(DeviceContext& dc, const HFONT& font) {
  if (!font) return HFONT();
  HFONT previous = dc.state_.font;
  dc.state_.face = dc.fonts_.Realize(*font.Get());
  dc.state_.font = font;
  return previous;
}

HFONT GetCurrentFont(const DeviceContext& dc) { return dc.state_.font; }

COLORREF SetTextColor(DeviceContext& dc, COLORREF color) {
  return std::exchange(dc.state_.textColor, color & 0x00FFFFFF);
}
COLORREF GetTextColor(const DeviceContext& dc) { return dc.TextColor(); }

COLORREF SetBkColor(DeviceContext& dc, COLORREF color) {
  return std::exchange(dc.state_.bkColor, color & 0x00FFFFFF);
}
COLORREF GetBkColor(const DeviceContext& dc) { return dc.BkColor(); }

int SetBkMode(DeviceContext& dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(dc.state_.bkMode, mode);
}
int GetBkMode(const DeviceContext& dc) { return dc.BkMode(); }

bool SetViewportOrgEx(DeviceContext& dc, int x, int y, POINT* previous) {
  if (previous) *previous = dc.state_.origin;
  dc.state_.origin = POINT{x, y};
  return true;
}

int IntersectClipRect(DeviceContext& dc, int left, int top, int right, int bottom) {
  dc.state_.clip = IntersectRects(dc.state_.clip, dc.ToDevice(RECT{left, top, right, bottom}));
  return dc.state_.clip.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

int SelectClipRect(DeviceContext& dc, const RECT* rect) {
  const RECT bounds = dc.surface_ ? dc.surface_->Bounds() : RECT{};
  dc.state_.clip = rect ? IntersectRects(bounds, dc.ToDevice(*rect)) : bounds;
  return dc.state_.clip.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

RECT GetClipBox(const DeviceContext& dc) {
  const POINT o = dc.Origin();
  return OffsetRectBy(dc.ClipDevice(), -o.x, -o.y);
}

int SaveDC(DeviceContext& dc) {
  dc.saved_.push_back(dc.state_);
  return static_cast<int>(dc.saved_.size());
}

bool RestoreDC(DeviceContext& dc, int saved) {
  const int depth = static_cast<int>(dc.saved_.size());
  const int target = saved < 0 ? depth + 1 + saved : saved;
  if (target < 1 || target > depth) return false;
  dc.state_ = dc.saved_[static_cast<std::size_t>(target - 1)];
  dc.saved_.resize(static_cast<std::size_t>(target - 1));
  return true;
}

int GetDeviceCaps(const DeviceContext& dc, int index) {
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return dc.Dpi();
    case HORZRES: return dc.GetSurface() ? dc.GetSurface()->Width() : GetSystemMetrics(SM_CXSCREEN);
    case VERTRES: return dc.GetSurface() ? dc.GetSurface()->Height() : GetSystemMetrics(SM_CYSCREEN);
    case TECHNOLOGY: return dc.Technology();
    default: return 0;
  }
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long num = static_cast<long long>(a) * b;
  long long q = num / c;
  const long long r = num % c;
  // Round half away from zero, as the platform's helper does.
  if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(c))) q += ((num < 0) != (c < 0)) ? -1 : 1;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int>(q);
}

void HIMETRICtoDP(const DeviceContext& dc, SIZE& size) {
  size.cx = MulDiv(size.cx, dc.Dpi(), kHimetricPerInch);
  size.cy = MulDiv(size.cy, dc.Dpi(), kHimetricPerInch);
}

void DPtoHIMETRIC(const DeviceContext& dc, SIZE& size) {
  size.cx = MulDiv(size.cx, kHimetricPerInch, dc.Dpi());
  size.cy = MulDiv(size.cy, kHimetricPerInch, dc.Dpi());
}

// ---- Shapes ----------------------------------------------------------------------------------

namespace {

// Fills a logical rectangle through the clip rectangle.
void FillDevice(DeviceContext& dc, const RECT& logical, COLORREF color) {
  if (Surface* s = dc.GetSurface()) s->Fill(IntersectRects(dc.ToDevice(logical), dc.ClipDevice()), color);
}

}  // namespace

bool FillRect(DeviceContext& dc, const RECT& rect, const HBRUSH& brush) {
  if (!brush) return false;
  FillDevice(dc, rect, brush.color);
  return true;
}

bool FrameRect(DeviceContext& dc, const RECT& rect, const HBRUSH& brush) {
  if (!brush || rect.IsEmpty()) return false;
  FillDevice(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, brush.color);
  FillDevice(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush.color);
  FillDevice(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, brush.color);
  FillDevice(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, brush.color);
  return true;
}

bool InvertRect(DeviceContext& dc, const RECT& rect) {
  if (Surface* s = dc.GetSurface()) s->Invert(IntersectRects(dc.ToDevice(rect), dc.ClipDevice()));
  return true;
}

bool DrawFocusRect(DeviceContext& dc, const RECT& rect) {
  Surface* s = dc.GetSurface();
  if (!s || rect.IsEmpty()) return false;
  const RECT d = dc.ToDevice(rect);
  const RECT clip = dc.ClipDevice();
  auto dot = [&](int x, int y) {
    // The pattern is anchored to the rectangle, not the surface, so the same rectangle always
    // gets the same dots and a second call erases the first.
    if (((x - d.left) + (y - d.top)) % 2 != 0) return;
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
    s->Invert(RECT{x, y, x + 1, y + 1});
  };
  for (int x = d.left; x < d.right; ++x) {
    dot(x, d.top);
    if (d.bottom - 1 != d.top) dot(x, d.bottom - 1);
  }
  for (int y = d.top + 1; y < d.bottom - 1; ++y) {
    dot(d.left, y);
    if (d.right - 1 != d.left) dot(d.right - 1, y);
  }
  return true;
}

COLORREF SetPixel(DeviceContext& dc, int x, int y, COLORREF color) {
  FillDevice(dc, RECT{x, y, x + 1, y + 1}, color);
  return GetPixel(dc, x, y);
}

COLORREF GetPixel(const DeviceContext& dc, int x, int y) {
  const Surface* s = dc.GetSurface();
  const POINT o = dc.Origin();
  const int dx = x + o.x;
  const int dy = y + o.y;
  const RECT clip = dc.ClipDevice();
  if (!s || dx < clip.left || dx >= clip.right || dy < clip.top || dy >= clip.bottom) return CLR_INVALID;
  return s->GetPixel(dx, dy);
}

namespace {

// One ring's colours: top/left and bottom/right, -1 when the ring is not drawn.
struct RingColors {
  int topLeft = -1;
  int bottomRight = -1;
};

RingColors OuterRing(unsigned edge, unsigned flags) {
  const unsigned bits = edge & BDR_OUTER;
  if (bits == 0) return {};
  if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  const bool soft = (flags & BF_SOFT) != 0;
  if (bits & BDR_SUNKENOUTER) return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
}

RingColors InnerRing(unsigned edge, unsigned flags) {
  const unsigned bits = edge & BDR_INNER;
  if (bits == 0) return {};
  if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
  const bool soft = (flags & BF_SOFT) != 0;
  if (bits & BDR_SUNKENINNER) return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
  return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
}

// Draws one ring on the named sides of r and shrinks r on those sides.
void DrawRing(DeviceContext& dc, RECT& r, const RingColors& c, unsigned flags) {
  if (c.topLeft < 0 || r.IsEmpty()) return;
  const COLORREF tl = GetSysColor(c.topLeft);
  const COLORREF br = GetSysColor(c.bottomRight);
  // Top and left first; bottom and right then paint over the two corners they share.
  if (flags & BF_TOP) FillDevice(dc, RECT{r.left, r.top, r.right, r.top + 1}, tl);
  if (flags & BF_LEFT) FillDevice(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl);
  if (flags & BF_BOTTOM) FillDevice(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
  if (flags & BF_RIGHT) FillDevice(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_BOTTOM) --r.bottom;
  if (flags & BF_RIGHT) --r.right;
}

}  // namespace

bool DrawEdge(DeviceContext& dc, RECT& rect, unsigned edge, unsigned flags) {
  RECT inner = rect;
  DrawRing(dc, inner, OuterRing(edge, flags), flags);
  DrawRing(dc, inner, InnerRing(edge, flags), flags);
  if ((flags & BF_MIDDLE) && !inner.IsEmpty()) {
    FillDevice(dc, inner, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  if (flags & BF_ADJUST) rect = inner;
  return true;
}

namespace {

// The largest square that fits the rectangle, centred in it.
RECT CentredSquare(const RECT& r) {
  const int side = std::min(r.Width(), r.Height());
  const int left = r.left + (r.Width() - side) / 2;
  const int top = r.top + (r.Height() - side) / 2;
  return RECT{left, top, left + side, top + side};
}

void DrawScrollArrow(DeviceContext& dc, const RECT& rect, unsigned state) {
  RECT inner = rect;
  const bool pushed = (state & DFCS_PUSHED) != 0;
  if (pushed || (state & DFCS_FLAT)) {
    DrawEdge(dc, inner, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    FillDevice(dc, inner, GetSysColor(COLOR_BTNFACE));
  } else {
    DrawEdge(dc, inner, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  }
  // Measure the triangle on the area inside the full edge so that the arrow keeps its size and
  // place whether the button is raised or pushed.
  RECT area = rect;
  area.left += 2;
  area.top += 2;
  area.right -= 2;
  area.bottom -= 2;
  const unsigned dir = state & 0x000F;
  const bool vertical = dir == DFCS_SCROLLUP || dir == DFCS_SCROLLDOWN;
  const int along = vertical ? area.Width() : area.Height();   // the base runs along this
  const int across = vertical ? area.Height() : area.Width();  // the height runs along this
  const int height = std::max(1, std::min(along, 2 * across) / 3);
  const int base = 2 * height - 1;
  const int shift = pushed ? 1 : 0;
  const COLORREF color = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  // Centre of the base line and of the height, along both axes.
  const int baseStart = (vertical ? area.left : area.top) + (along - base) / 2 + shift;
  const int heightStart = (vertical ? area.top : area.left) + (across - height) / 2 + shift;
  for (int i = 0; i < height; ++i) {
    // Row i of the triangle counted from its apex: 2i + 1 pixels wide, centred on the base.
    const int from = baseStart + (height - 1 - i);
    const int to = from + 2 * i + 1;
    const bool apexFirst = dir == DFCS_SCROLLUP || dir == DFCS_SCROLLLEFT;
    const int line = apexFirst ? heightStart + i : heightStart + height - 1 - i;
    const RECT r = vertical ? RECT{from, line, to, line + 1} : RECT{line, from, line + 1, to};
    FillDevice(dc, r, color);
  }
}

// The check mark of a 9-pixel box, as the top row of its three-pixel-high stroke per column.
constexpr std::array<int, 7> kCheckTop = {2, 3, 4, 3, 2, 1, 0};

void DrawCheckBox(DeviceContext& dc, const RECT& rect, unsigned state) {
  RECT box = CentredSquare(rect);
  if (box.IsEmpty()) return;
  const bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
  if (flat) {
    DrawEdge(dc, box, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
  } else {
    DrawEdge(dc, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE | DFCS_BUTTON3STATE)) != 0;
  FillDevice(dc, box, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
  if (!(state & DFCS_CHECKED) || box.IsEmpty()) return;
  const COLORREF mark =
      GetSysColor((state & (DFCS_INACTIVE | DFCS_BUTTON3STATE)) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  // The mark is designed for a 9-pixel inside (the standard 13-pixel box) and scaled by whole
  // pixels for larger boxes, centred.
  const int scale = std::max(1, box.Width() / 9);
  const int markLeft = box.left + (box.Width() - 7 * scale) / 2;
  const int markTop = box.top + (box.Height() - 5 * scale) / 2;
  for (int i = 0; i < 7; ++i) {
    const int x = markLeft + i * scale;
    const int y = markTop + kCheckTop[static_cast<std::size_t>(i)] * scale;
    FillDevice(dc, IntersectRects(RECT{x, y, x + scale, y + 3 * scale}, box), mark);
  }
}

}  // namespace

bool DrawFrameControl(DeviceContext& dc, RECT& rect, unsigned type, unsigned state) {
  if (rect.IsEmpty()) return false;
  switch (type) {
    case DFC_SCROLL:
      if ((state & 0x000F) > DFCS_SCROLLRIGHT) return false;
      DrawScrollArrow(dc, rect, state);
      return true;
    case DFC_BUTTON:
      // The check box is the kind with neither the radio nor the push bit; the three-state bit
      // only changes its look.
      if ((state & (DFCS_BUTTONRADIO | DFCS_BUTTONPUSH)) == 0) {
        DrawCheckBox(dc, rect, state);
        return true;
      }
      if (state & DFCS_BUTTONPUSH) {
        RECT r = rect;
        DrawEdge(dc, r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_MIDDLE | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0));
        if (state & DFCS_ADJUSTRECT) rect = r;
        return true;
      }
      return false;
    default:
      return false;
  }
}

// ---- Text ------------------------------------------------------------------------------------

namespace {

// Calls f(bytePosition, characterBytes) for each character, lead and trail byte together.
template <typename F>
void ForEachChar(std::string_view text, F&& f) {
  for (std::size_t p = 0; p < text.size();) {
    const auto n = static_cast<std::size_t>(CharLengthAt(text, p));
    f(p, text.substr(p, n));
    p += n;
  }
}

}  // namespace

bool ExtTextOut(DeviceContext& dc, int x, int y, unsigned options, const RECT* rect, std::string_view text) {
  RECT clip = dc.ClipDevice();
  if (rect && (options & ETO_CLIPPED)) clip = IntersectRects(clip, dc.ToDevice(*rect));
  if (rect && (options & ETO_OPAQUE)) FillDevice(dc, *rect, dc.BkColor());
  Surface* surface = dc.GetSurface();
  if (!surface || text.empty()) return true;

  FontFace& face = dc.Face();
  const TEXTMETRIC& tm = face.Metrics();
  const int width = GetTextExtentPoint32(dc, text).cx;
  const int left = x + dc.Origin().x;
  const int top = y + dc.Origin().y;
  if (dc.BkMode() == OPAQUE) {
    surface->Fill(IntersectRects(RECT{left, top, left + width, top + tm.tmHeight}, clip), dc.BkColor());
  }
  int pen = left;
  ForEachChar(text, [&](std::size_t, std::string_view ch) {
    face.DrawChar(*surface, pen, top, ch, dc.TextColor(), clip);
    pen += face.CharWidth(ch);
  });
  const DecorationLines lines = face.Decorations();
  if (tm.tmUnderlined) {
    const RECT u{left, top + lines.underlineTop, left + width, top + lines.underlineTop + lines.underlineHeight};
    surface->Fill(IntersectRects(u, clip), dc.TextColor());
  }
  if (tm.tmStruckOut) {
    const RECT s{left, top + lines.strikeOutTop, left + width, top + lines.strikeOutTop + lines.strikeOutHeight};
    surface->Fill(IntersectRects(s, clip), dc.TextColor());
  }
  return true;
}

bool TextOut(DeviceContext& dc, int x, int y, std::string_view text) {
  return ExtTextOut(dc, x, y, 0, nullptr, text);
}

SIZE GetTextExtentPoint32(const DeviceContext& dc, std::string_view text) {
  return GetTextExtentExPoint(dc, text, 0, nullptr, nullptr);
}

SIZE GetTextExtentExPoint(const DeviceContext& dc, std::string_view text, int maxExtent, int* fit,
                          std::vector<int>* partialExtents) {
  FontFace& face = dc.Face();
  if (partialExtents) partialExtents->assign(text.size(), 0);
  int width = 0;
  int fitting = 0;
  bool stillFits = true;
  ForEachChar(text, [&](std::size_t p, std::string_view ch) {
    width += face.CharWidth(ch);
    if (partialExtents) {
      for (std::size_t i = 0; i < ch.size(); ++i) (*partialExtents)[p + i] = width;
    }
    // Whole characters only: a double-byte character that crosses the limit does not fit at
    // all, so the count never ends between its two bytes.
    if (stillFits && width <= maxExtent) {
      fitting = static_cast<int>(p + ch.size());
    } else {
      stillFits = false;
    }
  });
  if (fit) *fit = fitting;
  return SIZE{width, face.Metrics().tmHeight};
}

TEXTMETRIC GetTextMetrics(const DeviceContext& dc) { return dc.Face().Metrics(); }

}  // namespace vl::win
