// The control's layout and drawing: the edit rectangle among the caption areas, the minimum
// extent, the picture of the control, the edit window's colours and the alignment fit.
#include <algorithm>

#include "control/typed_box_ctrl.h"
#include "render/caption_draw.h"

namespace vl {

namespace {

std::array<CaptionMetrics, 4> MetricsOf(const CVlTypedBoxCtrl& control, const win::DeviceContext& dc) {
  std::array<CaptionMetrics, 4> metrics;
  for (int d = 0; d < 4; ++d) metrics[static_cast<std::size_t>(d)] = control.CaptionAt(d).GetCaptionMetrics(dc);
  return metrics;
}

win::RECT Inset(const win::RECT& r, int by) { return win::RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

win::FontBackend& CVlTypedBoxCtrl::ScreenFonts() const {
  win::FontBackend* fonts = site_.ScreenFonts();
  return fonts != nullptr ? *fonts : fixedFonts_;
}

int CVlTypedBoxCtrl::BorderInset() const {
  if (core_.borderStyle != 1 || core_.dataType == VlTextBoolean) return 0;
  return core_.appearance == 0 ? 1 : 2;
}

win::RECT CVlTypedBoxCtrl::EditorRect() const { return Inset(core_.editRect, BorderInset()); }

void CVlTypedBoxCtrl::LayoutEditRect() {
  if (!HasControlWindow()) return;
  const win::RECT window = site_.WindowSystem().GetWindowRect(Handle());
  win::DeviceContext dc(nullptr, ScreenFonts());
  core_.editRect = LayoutCaptions(MetricsOf(*this, dc), win::RECT{0, 0, window.Width(), window.Height()}).textArea;
  if (CVlEditWnd* e = Editor(); e != nullptr && e->IsCreated()) e->MoveEditor(EditorRect(), true);
  // The designer's handles stay around the box when its captions or size change.
  if (tracker_.Shown() && !tracker_.Dragging()) tracker_.Show(core_.editRect);
  Repaint();
}

void CVlTypedBoxCtrl::CaptionChanged(bool layout) {
  site_.SetModifiedFlag(true);
  if (layout) LayoutEditRect();
  Repaint();
}

win::SIZE CVlTypedBoxCtrl::AdjustExtent(win::SIZE pixels) const {
  // Spacing is part of a caption's size, yet the minimum counts it once more on top.
  win::DeviceContext dc(nullptr, ScreenFonts());
  const std::array<CaptionMetrics, 4> m = MetricsOf(*this, dc);
  const int minWidth = m[kCaptionLeft].size + m[kCaptionRight].size + m[kCaptionLeft].spacing + m[kCaptionRight].spacing + 8;
  const int minHeight = m[kCaptionTop].size + m[kCaptionBottom].size + m[kCaptionTop].spacing + m[kCaptionBottom].spacing + 8;
  return win::SIZE{std::max(pixels.cx, minWidth), std::max(pixels.cy, minHeight)};
}

std::pair<std::uint32_t, std::uint32_t> CVlTypedBoxCtrl::BoxColours(bool forEditWindow) const {
  const bool available = core_.enabled && !core_.unavailable;
  if (available) return {site_.TranslateColor(core_.backColor), site_.TranslateColor(core_.foreColor)};
  // A disabled check box keeps its face when the control draws it; the edit window of any type
  // shows the disabled pair.
  const bool keepBack = core_.dataType == VlTextBoolean && !forEditWindow;
  return {site_.TranslateColor(keepBack ? core_.backColor : core_.disabledBackColor),
          site_.TranslateColor(core_.disabledForeColor)};
}

win::LRESULT CVlTypedBoxCtrl::OnCtlColor(win::WPARAM wParam) {
  auto* dc = reinterpret_cast<win::DeviceContext*>(wParam);
  if (dc == nullptr) return 0;
  const auto [back, fore] = BoxColours(true);
  win::SetTextColor(*dc, fore);
  win::SetBkColor(*dc, back);
  win::SetBkMode(*dc, win::OPAQUE);
  win::DeleteObject(editBrush_);
  editBrush_ = win::CreateSolidBrush(back);
  return reinterpret_cast<win::LRESULT>(&editBrush_);
}

void CVlTypedBoxCtrl::OnDraw(win::DeviceContext& dc, const win::RECT& bounds, bool metafile) {
  const std::uint32_t background = metafile ? site_.AmbientBackColor() : site_.TranslateColor(controlBackColor_);
  win::FillRect(dc, bounds, win::CreateSolidBrush(site_.TranslateColor(background)));

  const CaptionLayout layout = LayoutCaptions(MetricsOf(*this, dc), bounds);
  if (core_.editRect.IsEmpty()) {
    core_.editRect = OffsetRectBy(layout.textArea, -bounds.left, -bounds.top);
  }
  const win::RECT window = HasControlWindow() ? site_.WindowSystem().GetWindowRect(Handle()) : bounds;
  const std::int32_t extentHeight = ControlHeightHimetric();
  for (int d = 0; d < 4; ++d) {
    CaptionAt(d).DrawCaption(dc, layout.captions[static_cast<std::size_t>(d)], bounds, extentHeight);
  }

  // The control's font follows the drawn height, so a zoomed or printed picture scales its text.
  win::LOGFONT lf = core_.font->Desc().ToLogFont();
  if (window.Height() > 0 && window.Height() != bounds.Height()) {
    lf.lfHeight = win::MulDiv(lf.lfHeight, bounds.Height(), window.Height());
  }
  win::HFONT font = win::CreateFontIndirect(lf);
  win::HFONT previous = win::SelectObject(dc, font);
  // The zoom handed to the display drawing (it widens the spin strip) counts whole enlargements:
  // the widths are divided as integers on purpose, so a picture less than twice the box's width
  // keeps the screen's strip (zoom 1) and only a doubled or larger one scales it.
  const double zoom = metafile || window.Width() <= 0 ? 1.0 : static_cast<double>(bounds.Width() / window.Width());
  DrawBox(dc, layout.textArea, zoom, metafile);
  win::SelectObject(dc, previous);
  win::DeleteObject(font);
  if (!metafile && tracker_.Shown()) {
    const int saved = win::SaveDC(dc);
    win::SetViewportOrgEx(dc, dc.Origin().x + bounds.left, dc.Origin().y + bounds.top);
    tracker_.Draw(dc);
    win::RestoreDC(dc, saved);
  }
}

void CVlTypedBoxCtrl::PrintClient(win::DeviceContext& dc) {
  const win::RECT window = site_.WindowSystem().GetWindowRect(Handle());
  OnDraw(dc, win::RECT{0, 0, window.Width(), window.Height()}, false);
}

bool CVlTypedBoxCtrl::DesignEdit() {
  if (UserMode() || !HasControlWindow()) return false;
  tracker_.Show(core_.editRect);
  site_.WindowSystem().SetFocus(Handle());
  Repaint();
  return true;
}

bool CVlTypedBoxCtrl::TrackerMessage(win::UINT msg, win::WPARAM, win::LPARAM lParam) {
  win::System& sys = site_.WindowSystem();
  const win::POINT p{static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
  switch (msg) {
    case win::WM_SETFOCUS:
      return true;  // the designer edits the layout, not the value
    case win::WM_KILLFOCUS:
      tracker_.Hide();
      Repaint();
      return false;
    case win::WM_LBUTTONDOWN:
      if (tracker_.Begin(p)) sys.SetCapture(Handle());
      return true;
    case win::WM_MOUSEMOVE:
      if (tracker_.Dragging()) {
        tracker_.Move(p);
        Repaint();
      }
      return true;
    case win::WM_LBUTTONUP: {
      if (!tracker_.Dragging()) return true;
      const unsigned moved = tracker_.End(p);
      if (sys.GetCapture() == Handle()) sys.ReleaseCapture();
      // Each edge that moved gives its caption the new distance from the control's edge.
      const win::RECT window = sys.GetWindowRect(Handle());
      const win::RECT r = tracker_.Rect();
      auto toHimetric = [&](int pixels) { return ScreenHimetric(std::max(pixels, 0)); };
      if (moved & SizingTracker::kLeft) captions_[VlTextCapLeft]->SetSizeHimetric(toHimetric(r.left));
      if (moved & SizingTracker::kTop) captions_[VlTextCapTop]->SetSizeHimetric(toHimetric(r.top));
      if (moved & SizingTracker::kRight) captions_[VlTextCapRight]->SetSizeHimetric(toHimetric(window.Width() - r.right));
      if (moved & SizingTracker::kBottom) {
        captions_[VlTextCapBottom]->SetSizeHimetric(toHimetric(window.Height() - r.bottom));
      }
      tracker_.Show(core_.editRect);
      Repaint();
      return true;
    }
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
    case win::WM_LBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

void CVlTypedBoxCtrl::DrawBox(win::DeviceContext& dc, const win::RECT& box, double zoom, bool metafile) {
  const auto [back, fore] = BoxColours(false);
  win::FillRect(dc, box, win::CreateSolidBrush(back));
  CVlEditWnd* editor = Editor();
  // The edit window draws the text itself while it is shown exactly over the box.
  const bool editorShown = EditorVisible() && editor->CreateRect() == EditorRect();
  if (editor != nullptr && (metafile || !editorShown)) {
    const int mode = win::SetBkMode(dc, win::TRANSPARENT);
    win::SetTextColor(dc, fore);
    win::SetBkColor(dc, back);
    int alignment = core_.alignment;
    if (alignmentFitLeft_) alignment = 0;
    const bool empty = core_.value.Type() == VarType::Empty && core_.dataType != VlTextBoolean;
    if (!empty) {
      // Lines of a long multi-line text run on below the box; they must not reach the captions.
      const int saved = win::SaveDC(dc);
      win::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
      editor->DrawEditArea(&dc, Inset(box, BorderInset()), zoom, alignment, 1);
      win::RestoreDC(dc, saved);
    }
    win::SetBkMode(dc, mode);
  }
  if (core_.borderStyle == 1 && core_.dataType != VlTextBoolean) {
    if (core_.appearance == 0) {
      win::FrameRect(dc, box, win::GetSysColorBrush(win::COLOR_WINDOWFRAME));
    } else {
      win::RECT edge = box;
      win::DrawEdge(dc, edge, win::EDGE_SUNKEN, win::BF_RECT);
    }
  }
}

void CVlTypedBoxCtrl::ApplyAlignmentFit() {
  CVlEditWnd* editor = Editor();
  const bool applies = editor != nullptr && HasControlWindow() && core_.dataType != VlTextBoolean &&
                       !(core_.dataType == VlTextString && core_.multiLine) && core_.alignment != 0;
  bool fits = true;
  if (applies) {
    win::DeviceContext dc(nullptr, ScreenFonts());
    fits = editor->DrawEditArea(&dc, EditorRect(), 1.0, core_.alignment, 1);
  }
  alignmentFitLeft_ = !fits;
  // A window that exists is not remade here (this runs while the window may be busy losing the
  // focus); it takes the fit when it is next shown (ActivateEditing). The control's picture
  // follows the flag at once.
  if (editor != nullptr && !editor->IsCreated()) {
    editor->SetStyleBits((editor->GetStyleBits() & ~(kStyleRight | kStyleCenter)) | AlignmentStyleBits());
  }
}

std::uint32_t CVlTypedBoxCtrl::AlignmentStyleBits() const {
  if (alignmentFitLeft_) return 0;
  return core_.alignment == 1 ? kStyleRight : core_.alignment == 2 ? kStyleCenter : 0;
}

}  // namespace vl
