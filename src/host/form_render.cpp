#include "host/form_render.h"

#include <algorithm>

#include "platform/gdi.h"
#include "text/encoding.h"

namespace vl {

namespace {

// A window's rectangle in the form's client coordinates.
win::RECT FormRect(win::System& sys, win::HWND form, win::HWND hwnd) {
  const win::RECT r = sys.GetWindowRect(hwnd);
  const win::HWND parent = sys.GetParent(hwnd);
  win::POINT origin{0, 0};
  if (parent != win::kNoWindow && parent != form) {
    const win::POINT screen = sys.ClientToScreen(parent, win::POINT{0, 0});
    const win::POINT formScreen = sys.ClientToScreen(form, win::POINT{0, 0});
    origin = win::POINT{screen.x - formScreen.x, screen.y - formScreen.y};
  }
  return win::OffsetRectBy(r, origin.x, origin.y);
}

win::LOGFONT AmbientLogFont(const Form& form) { return form.AmbientFont().ToLogFont(); }

}  // namespace

// The caption is the button's name, which the host gives in UTF-8; it is drawn in CP932 like
// every other text of the form.
void PlainButton::PrintClient(win::DeviceContext& dc) {
  const win::RECT r = Sys()->GetWindowRect(Handle());
  win::RECT face{0, 0, r.Width(), r.Height()};
  win::DrawFrameControl(dc, face, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
  std::string caption;
  if (!TryUtf8ToCp932(name_, caption)) caption = name_;
  const win::SIZE extent = win::GetTextExtentPoint32(dc, caption);
  const int mode = win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNTEXT));
  win::TextOut(dc, (r.Width() - extent.cx) / 2, (r.Height() - extent.cy) / 2, caption);
  if (Sys()->GetFocus() == Handle()) win::DrawFocusRect(dc, win::RECT{3, 3, r.Width() - 3, r.Height() - 3});
  win::SetBkMode(dc, mode);
}

win::Surface RenderForm(Form& form, win::FontBackend& fonts) {
  win::System& sys = form.WindowSystem();
  const win::HWND formWindow = form.Handle();
  win::RECT extent{0, 0, 0, 0};
  auto include = [&](const win::RECT& r) {
    extent.right = std::max(extent.right, r.right + 8);
    extent.bottom = std::max(extent.bottom, r.bottom + 8);
  };
  for (const auto& box : form.Boxes()) {
    if (sys.IsWindowVisible(box->Control().Handle())) include(FormRect(sys, formWindow, box->Control().Handle()));
  }
  for (const auto& [name, hwnd] : form.Buttons()) {
    if (sys.IsWindowVisible(hwnd)) include(FormRect(sys, formWindow, hwnd));
  }
  if (extent.right == 0) extent = win::RECT{0, 0, 16, 16};
  win::Surface surface(extent.right, extent.bottom, win::GetSysColor(win::COLOR_BTNFACE));
  win::DeviceContext dc(&surface, fonts);
  win::HFONT font = win::CreateFontIndirect(AmbientLogFont(form));
  win::SelectObject(dc, font);
  // The window system paints the form's windows, each window painting itself: a box's control,
  // over it the edit window while the box is edited and the spin button, and the buttons.
  sys.PrintWindow(formWindow, dc, win::POINT{0, 0});
  return surface;
}

void DrawComposition(Form& form, win::Surface& surface, win::FontBackend& fonts, const std::string& text) {
  if (text.empty()) return;
  win::System& sys = form.WindowSystem();
  const std::optional<win::System::CaretPlace> caret = sys.GetCaretPlace();
  if (!caret) return;
  const win::POINT at = sys.ClientToScreen(caret->owner, caret->client);
  const win::POINT formOrigin = sys.ClientToScreen(form.Handle(), win::POINT{0, 0});
  win::DeviceContext dc(&surface, fonts);
  win::SelectObject(dc, win::CreateFontIndirect(AmbientLogFont(form)));
  const win::SIZE extent = win::GetTextExtentPoint32(dc, text);
  const int x = at.x - formOrigin.x;
  const int y = at.y - formOrigin.y;
  const int height = std::max(extent.cy, caret->height);
  win::FillRect(dc, win::RECT{x, y, x + extent.cx + 2, y + height + 2}, win::CreateSolidBrush(win::RGB(255, 255, 255)));
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, win::RGB(0, 0, 0));
  win::TextOut(dc, x + 1, y + (height - extent.cy) / 2, text);
  win::FillRect(dc, win::RECT{x + 1, y + height, x + 1 + extent.cx, y + height + 1},
                win::CreateSolidBrush(win::RGB(0, 0, 0)));
}

win::Surface RenderBox(Form& form, BoxSite& box, win::FontBackend& fonts, bool metafile) {
  win::System& sys = form.WindowSystem();
  const win::RECT r = sys.GetWindowRect(box.Control().Handle());
  win::Surface surface(std::max(r.Width(), 1), std::max(r.Height(), 1), win::GetSysColor(win::COLOR_BTNFACE));
  win::DeviceContext dc(&surface, fonts);
  win::SelectObject(dc, win::CreateFontIndirect(AmbientLogFont(form)));
  if (metafile) {
    box.Control().OnDraw(dc, win::RECT{0, 0, r.Width(), r.Height()}, true);
  } else {
    sys.PrintWindow(box.Control().Handle(), dc, win::POINT{0, 0});
  }
  return surface;
}

}  // namespace vl
