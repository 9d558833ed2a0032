// GDI on a pixel surface: the device context and the drawing calls the control's painting uses.
//
// Names and meanings follow Win32 so that painting code reads like the platform it was designed
// for: coordinates are logical (device = logical + viewport origin), rectangles exclude their
// right and bottom edges, colours are COLORREF 0x00BBGGRR, text is CP932 and a lead byte and its
// trail byte are always measured and drawn as one character. Setters return the previous value
// so callers can restore it.
//
// Fonts and brushes are values (shared handles to immutable descriptions), so a handle never
// dangles and DeleteObject only drops the caller's reference. A font handle is realized into a
// face by the device context's own backend when it is selected.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/font.h"
#include "platform/font_backend.h"
#include "platform/surface.h"
#include "platform/window.h"

namespace vl::win {

struct SIZE {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

// ---- Objects ---------------------------------------------------------------------------------

// A logical font: an immutable LOGFONT behind a shared handle. The null handle is "no font".
class HFONT {
 public:
  HFONT() = default;
  explicit operator bool() const { return font_ != nullptr; }
  const LOGFONT* Get() const { return font_.get(); }
  friend bool operator==(const HFONT& a, const HFONT& b) { return a.font_ == b.font_; }

 private:
  friend HFONT CreateFontIndirect(const LOGFONT& font);
  std::shared_ptr<const LOGFONT> font_;
};

// A solid brush. A default-constructed brush is the null brush: filling with it draws nothing.
struct HBRUSH {
  COLORREF color = 0;
  bool solid = false;
  explicit operator bool() const { return solid; }
  friend bool operator==(const HBRUSH&, const HBRUSH&) = default;
};

HFONT CreateFontIndirect(const LOGFONT& font);
// The description of a font; false (and `out` untouched) for the null handle.
bool GetObject(const HFONT& font, LOGFONT& out);
HBRUSH CreateSolidBrush(COLORREF color);
// Releases the caller's reference; the handle becomes null.
void DeleteObject(HFONT& font);
void DeleteObject(HBRUSH& brush);

// The font a device context starts with: the dialog font of a Japanese system, 9 points at
// 96 dpi, face "MS UI Gothic".
LOGFONT DefaultGuiLogFont();

// ---- System colours and metrics --------------------------------------------------------------

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;

// The colours of the standard desktop scheme; an unknown index gives 0 (black).
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CYVSCROLL = 20;
inline constexpr int SM_CXHSCROLL = 21;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CYDOUBLECLK = 37;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;
inline constexpr int SM_CXMENUCHECK = 71;
inline constexpr int SM_CYMENUCHECK = 72;
inline constexpr int SM_CXFOCUSBORDER = 83;
inline constexpr int SM_CYFOCUSBORDER = 84;

// Metrics of a 96-dpi screen (scroll arrows 17 pixels, 3-D edges 2); unknown indexes give 0.
int GetSystemMetrics(int index);

// ---- Device context --------------------------------------------------------------------------

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int TECHNOLOGY = 2;
inline constexpr int DT_RASDISPLAY = 1;
inline constexpr int DT_METAFILE = 5;

// The state a painting call reads: target surface, font, colours, background mode, viewport
// origin and clip rectangle. A context without a surface measures but draws nothing, like a
// screen-compatible context that no one looks at.
class DeviceContext {
 public:
  // `fonts` must outlive the context's use of it; `surface` may be null. `technology` is what
  // GetDeviceCaps(TECHNOLOGY) reports: DT_METAFILE for a picture the host asked for, which
  // painting code draws without the shortcuts it takes on screen.
  DeviceContext(Surface* surface, FontBackend& fonts, int dpi = 96, int technology = DT_RASDISPLAY);
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  Surface* GetSurface() const { return surface_; }
  FontBackend& Fonts() const { return fonts_; }
  int Dpi() const { return dpi_; }
  int Technology() const { return technology_; }

  // Accessors the drawing functions share; painting code uses the Win32-named functions below.
  FontFace& Face() const { return *state_.face; }
  COLORREF TextColor() const { return state_.textColor; }
  COLORREF BkColor() const { return state_.bkColor; }
  int BkMode() const { return state_.bkMode; }
  POINT Origin() const { return state_.origin; }
  RECT ClipDevice() const { return state_.clip; }  // in device coordinates
  RECT ToDevice(const RECT& r) const { return OffsetRectBy(r, state_.origin.x, state_.origin.y); }

 private:
  friend HFONT SelectObject(DeviceContext& dc, const HFONT& font);
  friend COLORREF SetTextColor(DeviceContext& dc, COLORREF color);
  friend COLORREF SetBkColor(DeviceContext& dc, COLORREF color);
  friend int SetBkMode(DeviceContext& dc, int mode);
  friend bool SetViewportOrgEx(DeviceContext& dc, int x, int y, POINT* previous);
  friend int IntersectClipRect(DeviceContext& dc, int left, int top, int right, int bottom);
  friend int SelectClipRect(DeviceContext& dc, const RECT* rect);
  friend int SaveDC(DeviceContext& dc);
  friend bool RestoreDC(DeviceContext& dc, int saved);
  friend HFONT GetCurrentFont(const DeviceContext& dc);

  struct State {
    HFONT font;
    std::shared_ptr<FontFace> face;
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT origin;
    RECT clip;
  };

  Surface* surface_;
  FontBackend& fonts_;
  int dpi_;
  int technology_;
  State state_;
  std::vector<State> saved_;
};

// Selects a font (realized by the context's backend) and returns the one it replaces. Selecting
// the null handle changes nothing and returns the null handle.
HFONT SelectObject(DeviceContext& dc, const HFONT& font);
// GetCurrentObject(hdc, OBJ_FONT): the font now selected.
HFONT GetCurrentFont(const DeviceContext& dc);
COLORREF SetTextColor(DeviceContext& dc, COLORREF color);
COLORREF GetTextColor(const DeviceContext& dc);
COLORREF SetBkColor(DeviceContext& dc, COLORREF color);
COLORREF GetBkColor(const DeviceContext& dc);
// TRANSPARENT or OPAQUE; another value is refused with 0 and changes nothing.
int SetBkMode(DeviceContext& dc, int mode);
int GetBkMode(const DeviceContext& dc);

// Moves the logical origin: logical (0, 0) lands on device (x, y).
bool SetViewportOrgEx(DeviceContext& dc, int x, int y, POINT* previous = nullptr);
// Narrows the clip rectangle (logical coordinates). Returns NULLREGION (1) when nothing is left,
// else SIMPLEREGION (2).
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
int IntersectClipRect(DeviceContext& dc, int left, int top, int right, int bottom);
// Replaces the clip rectangle (logical coordinates); null resets it to the whole surface.
int SelectClipRect(DeviceContext& dc, const RECT* rect);
// The clip rectangle in logical coordinates.
RECT GetClipBox(const DeviceContext& dc);
// Pushes font, colours, mode, origin and clip; returns the new depth (1 for the first save).
int SaveDC(DeviceContext& dc);
// Restores the state saved at depth `saved`, or the latest one for -1, and drops deeper saves.
bool RestoreDC(DeviceContext& dc, int saved);

int GetDeviceCaps(const DeviceContext& dc, int index);
// a × b / c rounded to nearest, -1 when c is 0 or the result overflows: the scaling helper font
// sizes are computed with.
int MulDiv(int a, int b, int c);

// HIMETRIC (0.01 mm) lengths ⇄ device pixels at the context's resolution, rounded to nearest:
// at 96 dpi 1000 HIMETRIC (1 cm) is 38 pixels and 40 pixels are 1058 HIMETRIC.
inline constexpr int kHimetricPerInch = 2540;
void HIMETRICtoDP(const DeviceContext& dc, SIZE& size);
void DPtoHIMETRIC(const DeviceContext& dc, SIZE& size);

// ---- Shapes ----------------------------------------------------------------------------------

bool FillRect(DeviceContext& dc, const RECT& rect, const HBRUSH& brush);
// A one-pixel border just inside the rectangle.
bool FrameRect(DeviceContext& dc, const RECT& rect, const HBRUSH& brush);
bool InvertRect(DeviceContext& dc, const RECT& rect);
// The dotted focus rectangle: every other pixel of the border just inside the rectangle is
// inverted, starting with the top-left corner, so drawing it twice removes it.
bool DrawFocusRect(DeviceContext& dc, const RECT& rect);
COLORREF SetPixel(DeviceContext& dc, int x, int y, COLORREF color);
// CLR_INVALID outside the surface or the clip rectangle.
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
COLORREF GetPixel(const DeviceContext& dc, int x, int y);

inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x0800;
inline constexpr unsigned BF_SOFT = 0x1000;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

// Draws up to two one-pixel rings (outer, then inner) on the sides named by `flags`. The top and
// left lines of a ring take the "light-from-top-left" colour, the bottom and right lines the
// other, and the bottom/right lines own the two shared corners (top-right, bottom-left):
//   raised outer: 3DLIGHT / 3DDKSHADOW      raised inner: BTNHIGHLIGHT / BTNSHADOW
//   sunken outer: BTNSHADOW / BTNHIGHLIGHT  sunken inner: 3DDKSHADOW / 3DLIGHT
// BF_SOFT swaps in BTNHIGHLIGHT / 3DDKSHADOW for the outer top-left and 3DLIGHT / BTNSHADOW for
// the inner; BF_FLAT draws the outer ring in BTNSHADOW and the inner in BTNFACE on every side;
// BF_MONO draws the outer ring in WINDOWFRAME and the inner in WINDOW. With BDR_RAISEDOUTER |
// BDR_SUNKENOUTER (both bits of a ring) only the mono and flat forms make sense; otherwise the
// sunken bit wins. BF_MIDDLE fills the inside (WINDOW for mono, else BTNFACE); BF_ADJUST shrinks
// `rect` by the width of the drawn rings on the named sides.
bool DrawEdge(DeviceContext& dc, RECT& rect, unsigned edge, unsigned flags);

inline constexpr unsigned DFC_CAPTION = 1;
inline constexpr unsigned DFC_MENU = 2;
inline constexpr unsigned DFC_SCROLL = 3;
inline constexpr unsigned DFC_BUTTON = 4;

inline constexpr unsigned DFCS_SCROLLUP = 0x0000;
inline constexpr unsigned DFCS_SCROLLDOWN = 0x0001;
inline constexpr unsigned DFCS_SCROLLLEFT = 0x0002;
inline constexpr unsigned DFCS_SCROLLRIGHT = 0x0003;
inline constexpr unsigned DFCS_BUTTONCHECK = 0x0000;
inline constexpr unsigned DFCS_BUTTONRADIO = 0x0004;
inline constexpr unsigned DFCS_BUTTON3STATE = 0x0008;
inline constexpr unsigned DFCS_BUTTONPUSH = 0x0010;
inline constexpr unsigned DFCS_INACTIVE = 0x0100;
inline constexpr unsigned DFCS_PUSHED = 0x0200;
inline constexpr unsigned DFCS_CHECKED = 0x0400;
inline constexpr unsigned DFCS_TRANSPARENT = 0x0800;
inline constexpr unsigned DFCS_HOT = 0x1000;
inline constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
inline constexpr unsigned DFCS_FLAT = 0x4000;
inline constexpr unsigned DFCS_MONO = 0x8000;

// Frame controls the box draws itself:
// - DFC_SCROLL with DFCS_SCROLLUP/DOWN/LEFT/RIGHT: a BTNFACE button with a raised edge (a flat
//   BTNSHADOW frame when pushed or flat) and a solid triangle in BTNTEXT (GRAYTEXT when
//   inactive); pushing moves the triangle one pixel right and down. The triangle's height is a
//   third of the smaller of the inner width and twice the inner height, at least 1, and its
//   base is twice that less one, centred.
// - DFC_BUTTON with DFCS_BUTTONCHECK: a square of the smaller side, centred in the rectangle,
//   with a sunken edge (one BTNSHADOW ring when flat) and a WINDOW inside (BTNFACE when
//   pushed, inactive or three-state); DFCS_CHECKED adds the check mark, in BTNTEXT, or in
//   GRAYTEXT when inactive or three-state. DFCS_BUTTON3STATE without DFCS_CHECKED is the
//   indeterminate look: the grey box alone.
// - DFC_BUTTON with DFCS_BUTTONPUSH: a BTNFACE button with a raised edge (sunken when pushed).
// Other kinds draw nothing and return false.
bool DrawFrameControl(DeviceContext& dc, RECT& rect, unsigned type, unsigned state);

// ---- Text ------------------------------------------------------------------------------------

inline constexpr unsigned ETO_OPAQUE = 0x0002;
inline constexpr unsigned ETO_CLIPPED = 0x0004;

// Draws CP932 text with the top-left of its first cell at (x, y) in the text colour. ETO_OPAQUE
// fills `rect` with the background colour first; ETO_CLIPPED keeps every pixel inside `rect`
// (a rectangle is needed for either). In OPAQUE background mode the text's own cells are filled
// with the background colour. The context's clip rectangle always applies. Underline and
// strike-out come from the selected font.
bool ExtTextOut(DeviceContext& dc, int x, int y, unsigned options, const RECT* rect, std::string_view text);
bool TextOut(DeviceContext& dc, int x, int y, std::string_view text);

// Width of the text and height of the font; an empty text is 0 wide and one line high.
SIZE GetTextExtentPoint32(const DeviceContext& dc, std::string_view text);
// The extent of the whole text, plus, when asked, `fit`: how many leading bytes fit in
// `maxExtent` pixels, always a whole number of characters (never between a lead byte and its
// trail byte), and `partialExtents`: for every byte, the width of the text up to the end of the
// character it belongs to (both bytes of a double-byte character carry the same value).
SIZE GetTextExtentExPoint(const DeviceContext& dc, std::string_view text, int maxExtent, int* fit,
                          std::vector<int>* partialExtents = nullptr);
TEXTMETRIC GetTextMetrics(const DeviceContext& dc);

}  // namespace vl::win
