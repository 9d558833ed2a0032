#include "host/form_render.h"

#include <algorithm>

#include "edit/boolean_edit.h"
#include "edit/check_button.h"
#include "edit/spin_button.h"
#include "platform/gdi.h"
#include "platform/updown_control.h"
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

// Draws with the logical origin at `at`, clipped to the window's own rectangle.
class WindowScope {
 public:
  WindowScope(win::DeviceContext& dc, const win::RECT& at) : dc_(dc), saved_(win::SaveDC(dc)) {
    const win::POINT o = dc.Origin();
    win::SetViewportOrgEx(dc, o.x + at.left, o.y + at.top);
    win::IntersectClipRect(dc, 0, 0, at.Width(), at.Height());
  }
  ~WindowScope() { win::RestoreDC(dc_, saved_); }
  WindowScope(const WindowScope&) = delete;
  WindowScope& operator=(const WindowScope&) = delete;

 private:
  win::DeviceContext& dc_;
  int saved_;
};

void PaintSpin(win::DeviceContext& dc, const CVlSpinButton& spin, const win::RECT& size) {
  const int h = size.Height() / 2;
  win::RECT up{0, 0, size.Width(), h};
  win::RECT down{0, size.Height() - h, size.Width(), size.Height()};
  const auto pressed = spin.Pressed();
  win::DrawFrameControl(dc, up, win::DFC_SCROLL,
                        win::DFCS_SCROLLUP | (pressed == win::UpDownControl::Arrow::kUp ? win::DFCS_PUSHED : 0));
  win::DrawFrameControl(dc, down, win::DFC_SCROLL,
                        win::DFCS_SCROLLDOWN | (pressed == win::UpDownControl::Arrow::kDown ? win::DFCS_PUSHED : 0));
}

// The box at `at`: the control's picture, then its visible children on top.
void PaintBox(Form& form, BoxSite& box, win::DeviceContext& dc, const win::RECT& at) {
  win::System& sys = form.WindowSystem();
  CVlTypedBoxCtrl& control = box.Control();
  {
    WindowScope scope(dc, at);
    control.OnDraw(dc, win::RECT{0, 0, at.Width(), at.Height()}, false);
  }
  CVlEditWnd* editor = control.Editor();
  if (editor == nullptr || !editor->IsCreated()) return;
  if (sys.IsWindowVisible(editor->Handle())) {
    const win::RECT r = win::OffsetRectBy(sys.GetWindowRect(editor->Handle()), at.left, at.top);
    WindowScope scope(dc, r);
    editor->PaintEditor(dc);
    // The check button adds what only a focused button shows: its focus rectangle and its press.
    if (auto* boolean = dynamic_cast<CVlBooleanEdit*>(editor); boolean != nullptr && boolean->Button().IsCreated()) {
      win::LOGFONT font;
      editor->GetFont(font);
      boolean->Button().Paint(dc, font);
    }
  }
  const CVlSpinButton* spin = editor->Spin();
  if (spin != nullptr && spin->IsCreated() && sys.IsWindowVisible(spin->Handle())) {
    const win::RECT r = win::OffsetRectBy(sys.GetWindowRect(spin->Handle()), at.left, at.top);
    WindowScope scope(dc, r);
    PaintSpin(dc, *spin, r);
  }
}

// A button's caption is its name, which the host gives in UTF-8; it is drawn in CP932 like every
// other text of the form.
void PaintButton(win::DeviceContext& dc, const std::string& name, const win::RECT& at, bool focused) {
  std::string caption;
  if (!TryUtf8ToCp932(name, caption)) caption = name;
  WindowScope scope(dc, at);
  win::RECT face{0, 0, at.Width(), at.Height()};
  win::DrawFrameControl(dc, face, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
  const win::SIZE extent = win::GetTextExtentPoint32(dc, caption);
  const int mode = win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, win::GetSysColor(win::COLOR_BTNTEXT));
  const int x = (at.Width() - extent.cx) / 2;
  const int y = (at.Height() - extent.cy) / 2;
  win::TextOut(dc, x, y, caption);
  if (focused) win::DrawFocusRect(dc, win::RECT{3, 3, at.Width() - 3, at.Height() - 3});
  win::SetBkMode(dc, mode);
}

win::LOGFONT AmbientLogFont(const Form& form) { return form.AmbientFont().ToLogFont(); }

}  // namespace

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
  for (const auto& box : form.Boxes()) {
    const win::HWND h = box->Control().Handle();
    if (sys.IsWindowVisible(h)) PaintBox(form, *box, dc, FormRect(sys, formWindow, h));
  }
  for (const auto& [name, hwnd] : form.Buttons()) {
    if (sys.IsWindowVisible(hwnd)) PaintButton(dc, name, FormRect(sys, formWindow, hwnd), sys.GetFocus() == hwnd);
  }
  return surface;
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
    PaintBox(form, box, dc, win::RECT{0, 0, r.Width(), r.Height()});
  }
  return surface;
}

}  // namespace vl
