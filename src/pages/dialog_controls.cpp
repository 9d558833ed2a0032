#include "pages/dialog_controls.h"

#include <algorithm>

#include "control/font_object.h"
#include "render/text_draw.h"
#include "text/encoding.h"

namespace vl::pages {

namespace {

win::HBRUSH SysBrush(int index) { return win::CreateSolidBrush(win::GetSysColor(index)); }

win::RECT ClientOf(const win::Window& w) {
  const win::RECT r = w.Sys()->GetWindowRect(w.Handle());
  return win::RECT{0, 0, r.Width(), r.Height()};
}

bool Enabled(const win::Window& w) { return w.Sys()->IsWindowEnabled(w.Handle()); }

constexpr int kCheckSide = 13;
constexpr int kCheckGap = 4;

// A label as it reads: "&" marks dropped, "&&" shown as one.
std::string WithoutMnemonic(std::string_view label) {
  std::string out;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&' && ++i == label.size()) break;
    out += label[i];
  }
  return out;
}

// A one-line text vertically centred in `rect`, clipped to it.
void TextInRect(win::DeviceContext& dc, std::string_view text, const win::RECT& rect, int inset) {
  const int h = win::GetTextMetrics(dc).tmHeight;
  const int y = rect.top + (rect.Height() - h) / 2;
  win::ExtTextOut(dc, rect.left + inset, y, win::ETO_CLIPPED, &rect, text);
}

// Draws with the logical origin moved by (dx, dy) for the life of the scope.
class OriginScope {
 public:
  OriginScope(win::DeviceContext& dc, int dx, int dy) : dc_(dc), saved_(win::SaveDC(dc)) {
    const win::POINT o = dc.Origin();
    win::SetViewportOrgEx(dc, o.x + dx, o.y + dy);
  }
  ~OriginScope() { win::RestoreDC(dc_, saved_); }
  OriginScope(const OriginScope&) = delete;
  OriginScope& operator=(const OriginScope&) = delete;

 private:
  win::DeviceContext& dc_;
  int saved_;
};

}  // namespace

// --- The dialog font -----------------------------------------------------------------------------

win::LOGFONT PageLogFont() {
  FontDesc desc;
  desc.name = Cp932Literal("ＭＳ Ｐゴシック");
  desc.sizeCy = 90000;
  desc.weight = 400;
  desc.charset = 128;
  return desc.ToLogFont();
}

DialogFont::DialogFont(win::FontBackend& fonts, const win::LOGFONT& font)
    : fonts_(fonts), font_(font), dc_(nullptr, fonts) {
  win::SelectObject(dc_, win::CreateFontIndirect(font_));
}

int DialogFont::Width(std::string_view text) const { return win::GetTextExtentPoint32(dc_, text).cx; }
int DialogFont::LineHeight() const { return win::GetTextMetrics(dc_).tmHeight; }
win::DialogBaseUnits DialogFont::BaseUnits() const { return win::GetDialogBaseUnits(dc_); }

// --- Labels and buttons --------------------------------------------------------------------------

void PageStatic::PrintClient(win::DeviceContext& dc) {
  const win::DWORD style = Sys()->GetStyle(Handle());
  std::uint32_t flags = 0;
  if ((style & 3) == win::SS_CENTER) flags |= kDrawCenter;
  if ((style & 3) == win::SS_RIGHT) flags |= kDrawRight;
  if ((style & win::SS_NOPREFIX) != 0) flags |= kDrawNoPrefix;
  win::SetTextColor(dc, win::GetSysColor(Enabled(*this) ? win::COLOR_BTNTEXT : win::COLOR_GRAYTEXT));
  DrawTextLine(dc, Text(), ClientOf(*this), flags);
}

void PageButton::PrintClient(win::DeviceContext& dc) {
  const win::RECT client = ClientOf(*this);
  const bool enabled = Enabled(*this);
  win::SetTextColor(dc, win::GetSysColor(enabled ? win::COLOR_BTNTEXT : win::COLOR_GRAYTEXT));
  if (IsCheckBox()) {
    // The dialog's check box: the standard 13-pixel square, the label after it.
    const int side = std::min(kCheckSide, client.Height());
    win::RECT box{0, (client.Height() - side) / 2, side, (client.Height() - side) / 2 + side};
    win::DrawFrameControl(dc, box, win::DFC_BUTTON,
                          win::DFCS_BUTTONCHECK | (IsChecked() ? win::DFCS_CHECKED : 0) |
                              (IsPushed() ? win::DFCS_PUSHED : 0) | (enabled ? 0 : win::DFCS_INACTIVE));
    const int h = win::GetTextMetrics(dc).tmHeight;
    const int top = (client.Height() - h) / 2;
    const int left = side + kCheckGap;
    win::SetBkMode(dc, win::TRANSPARENT);
    DrawTextLine(dc, Label(), win::RECT{left, top, client.right, top + h}, 0);
    if (HasFocusState()) {
      const int w = win::GetTextExtentPoint32(dc, WithoutMnemonic(Label())).cx;
      win::DrawFocusRect(dc, win::RECT{left - 1, std::max(0, top - 1), std::min(client.right, left + w + 1),
                                       std::min(client.bottom, top + h + 1)});
    }
    return;
  }
  win::RECT r = client;
  if ((Sys()->GetStyle(Handle()) & win::BS_TYPEMASK) == win::BS_DEFPUSHBUTTON) {
    // The default button carries a dark frame of its own.
    win::FrameRect(dc, r, SysBrush(win::COLOR_WINDOWFRAME));
    r = win::RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  win::RECT face = r;
  win::DrawFrameControl(
      dc, face, win::DFC_BUTTON,
      win::DFCS_BUTTONPUSH | (IsPushed() ? win::DFCS_PUSHED : 0) | (enabled ? 0 : win::DFCS_INACTIVE));
  const int shift = IsPushed() ? 1 : 0;
  const int h = win::GetTextMetrics(dc).tmHeight;
  const int top = r.top + (r.Height() - h) / 2 + shift;
  DrawTextLine(dc, Label(), win::RECT{r.left + shift, top, r.right + shift, r.bottom}, kDrawCenter);
  if (HasFocusState()) win::DrawFocusRect(dc, win::RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
}

// --- Edit fields ---------------------------------------------------------------------------------

win::HWND PageEdit::Create(win::System& system, win::DWORD style, win::RECT rect, win::HWND parent,
                           std::uintptr_t controlId) {
  controlId_ = controlId;
  const win::HWND h = win::EditControl::Create(system, style, rect, parent);
  if (h == win::kNoWindow) return h;
  // The text keeps clear of the sunken border.
  const win::RECT format{4, 2, rect.Width() - 4, rect.Height() - 2};
  system.SendMessage(h, win::EM_SETRECT, 0, reinterpret_cast<win::LPARAM>(&format));
  return h;
}

void PageEdit::Notify(int code) {
  if (Sys() != nullptr) win::NotifyParent(*Sys(), Handle(), controlId_, code);
}

win::LRESULT PageEdit::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  switch (msg) {
    case win::WM_SETFOCUS: {
      const win::LRESULT r = win::EditControl::WndProc(msg, wParam, lParam);
      Notify(EN_SETFOCUS);
      return r;
    }
    case win::WM_KILLFOCUS: {
      const win::LRESULT r = win::EditControl::WndProc(msg, wParam, lParam);
      Notify(EN_KILLFOCUS);
      return r;
    }
    case win::WM_CHAR:
    case win::WM_KEYDOWN:
    case win::WM_PASTE:
    case win::WM_CUT:
    case win::WM_CLEAR:
    case win::WM_UNDO:
    case win::EM_UNDO: {
      // The user's typing: the dialog hears of a text that changed.
      const std::string before = Text();
      const win::HWND self = Handle();
      const win::LRESULT r = win::EditControl::WndProc(msg, wParam, lParam);
      if (Sys() != nullptr && Sys()->IsWindow(self) && Text() != before) Notify(EN_CHANGE);
      return r;
    }
    default:
      return win::EditControl::WndProc(msg, wParam, lParam);
  }
}

void PaintEditText(win::DeviceContext& dc, const win::EditControl& edit, bool focused, bool enabled) {
  const win::RECT fr = edit.FormatRect();
  const std::string shown = edit.ShownText();
  const int lineHeight = edit.LineHeight();
  const int y = fr.top + (fr.Height() - lineHeight) / 2;
  const int x = edit.LineLeft(0);
  const int saved = win::SaveDC(dc);
  win::IntersectClipRect(dc, fr.left, fr.top, fr.right, fr.bottom);
  win::SetBkMode(dc, win::TRANSPARENT);
  const win::COLORREF text = win::GetSysColor(enabled ? win::COLOR_WINDOWTEXT : win::COLOR_GRAYTEXT);
  const std::size_t selStart =
      static_cast<std::size_t>(std::clamp<std::int32_t>(edit.SelStart(), 0, static_cast<std::int32_t>(shown.size())));
  const std::size_t selEnd =
      static_cast<std::size_t>(std::clamp<std::int32_t>(edit.SelEnd(), 0, static_cast<std::int32_t>(shown.size())));
  if (focused && selEnd > selStart) {
    int x0 = x;
    const std::string_view all(shown);
    const std::string_view pieces[3] = {all.substr(0, selStart), all.substr(selStart, selEnd - selStart),
                                        all.substr(selEnd)};
    for (int i = 0; i < 3; ++i) {
      const int w = edit.TextWidth(pieces[i]);
      if (i == 1) {
        win::FillRect(dc, win::RECT{x0, y, x0 + w, y + lineHeight}, SysBrush(win::COLOR_HIGHLIGHT));
        win::SetTextColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHTTEXT));
      } else {
        win::SetTextColor(dc, text);
      }
      win::TextOut(dc, x0, y, pieces[i]);
      x0 += w;
    }
  } else {
    win::SetTextColor(dc, text);
    win::TextOut(dc, x, y, shown);
    if (focused) {
      const std::size_t caret =
          static_cast<std::size_t>(std::clamp<std::int32_t>(edit.Caret(), 0, static_cast<std::int32_t>(shown.size())));
      const int cx = x + edit.TextWidth(std::string_view(shown).substr(0, caret));
      win::FillRect(dc, win::RECT{cx, y, cx + 1, y + lineHeight}, SysBrush(win::COLOR_WINDOWTEXT));
    }
  }
  win::RestoreDC(dc, saved);
}

void PageEdit::PrintClient(win::DeviceContext& dc) {
  win::RECT r = ClientOf(*this);
  win::DrawEdge(dc, r, win::EDGE_SUNKEN, win::BF_RECT | win::BF_ADJUST);
  const bool enabled = Enabled(*this);
  win::FillRect(dc, r, SysBrush(enabled && !IsReadOnly() ? win::COLOR_WINDOW : win::COLOR_BTNFACE));
  PaintEditText(dc, *this, Sys()->GetFocus() == Handle(), enabled);
}

// --- Combo boxes ---------------------------------------------------------------------------------

void PageCombo::PaintItem(win::DeviceContext& dc, const win::RECT& rect, int index, bool selected) const {
  const win::ComboItem& item = Items()[static_cast<std::size_t>(index)];
  if (IsOwnerDrawn() && painter_) {
    painter_(dc, rect, item.data, selected);
    return;
  }
  win::FillRect(dc, rect, SysBrush(selected ? win::COLOR_HIGHLIGHT : win::COLOR_WINDOW));
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, win::GetSysColor(selected ? win::COLOR_HIGHLIGHTTEXT : win::COLOR_WINDOWTEXT));
  TextInRect(dc, item.text, rect, 2);
}

void PageCombo::PrintClient(win::DeviceContext& dc) {
  win::RECT r = ClientOf(*this);
  win::DrawEdge(dc, r, win::EDGE_SUNKEN, win::BF_RECT | win::BF_ADJUST);
  const bool enabled = Enabled(*this);
  const bool focused = HasFocusState();
  const win::RECT field = FieldRect();
  win::FillRect(dc, field, SysBrush(enabled ? win::COLOR_WINDOW : win::COLOR_BTNFACE));
  if (Edit() != nullptr) {
    const win::RECT at = Sys()->GetWindowRect(Edit()->Handle());
    OriginScope scope(dc, at.left, at.top);
    PaintEditText(dc, *Edit(), focused, enabled);
  } else if (CurSel() >= 0) {
    const win::RECT inner{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    const bool highlighted = focused && !IsDropped();
    if (IsOwnerDrawn()) {
      PaintItem(dc, inner, CurSel(), highlighted);
    } else if (!enabled) {
      win::SetBkMode(dc, win::TRANSPARENT);
      win::SetTextColor(dc, win::GetSysColor(win::COLOR_GRAYTEXT));
      TextInRect(dc, Items()[static_cast<std::size_t>(CurSel())].text, inner, 2);
    } else {
      PaintItem(dc, inner, CurSel(), highlighted);
    }
    if (highlighted) win::DrawFocusRect(dc, inner);
  } else if (focused && !IsDropped()) {
    win::DrawFocusRect(dc, win::RECT{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1});
  }
  win::RECT button = ButtonRect();
  win::DrawFrameControl(
      dc, button, win::DFC_SCROLL,
      win::DFCS_SCROLLDOWN | (IsDropped() ? win::DFCS_PUSHED : 0) | (enabled ? 0 : win::DFCS_INACTIVE));
}

void PageCombo::PaintOverlay(win::DeviceContext& dc) {
  if (!IsDropped()) return;
  const win::RECT list = DroppedRect();
  win::FillRect(dc, list, SysBrush(win::COLOR_WINDOW));
  win::FrameRect(dc, list, SysBrush(win::COLOR_WINDOWFRAME));
  const int count = static_cast<int>(Items().size());
  const int rows = VisibleRows();
  const bool scrolls = count > rows;
  const int barWidth = scrolls ? win::GetSystemMetrics(win::SM_CXVSCROLL) : 0;
  const int h = ItemHeight();
  for (int row = 0; row < rows && TopIndex() + row < count; ++row) {
    const int i = TopIndex() + row;
    const win::RECT rect{list.left + 1, list.top + 1 + row * h, list.right - 1 - barWidth,
                         list.top + 1 + (row + 1) * h};
    PaintItem(dc, rect, i, i == Highlight());
  }
  if (!scrolls) return;
  // The list's scroll bar: its arrows, its track and a thumb where the first row shown lies.
  const win::RECT bar{list.right - 1 - barWidth, list.top + 1, list.right - 1, list.bottom - 1};
  win::FillRect(dc, bar, SysBrush(win::COLOR_SCROLLBAR));
  win::RECT up{bar.left, bar.top, bar.right, bar.top + barWidth};
  win::RECT down{bar.left, bar.bottom - barWidth, bar.right, bar.bottom};
  win::DrawFrameControl(dc, up, win::DFC_SCROLL, win::DFCS_SCROLLUP);
  win::DrawFrameControl(dc, down, win::DFC_SCROLL, win::DFCS_SCROLLDOWN);
  const int track = std::max(0, bar.Height() - 2 * barWidth);
  const int thumb = std::max(8, track * rows / count);
  const int top = bar.top + barWidth + (track - thumb) * TopIndex() / std::max(1, count - rows);
  win::RECT thumbRect{bar.left, top, bar.right, top + thumb};
  win::DrawFrameControl(dc, thumbRect, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
}

// --- The sample ----------------------------------------------------------------------------------

void PageSample::PrintClient(win::DeviceContext& dc) {
  win::RECT r = ClientOf(*this);
  win::DrawEdge(dc, r, win::EDGE_SUNKEN, win::BF_RECT | win::BF_ADJUST);
  win::FillRect(dc, r, SysBrush(win::COLOR_BTNFACE));
  if (!source_) return;
  const Look look = source_();
  const win::HFONT previous = win::SelectObject(dc, win::CreateFontIndirect(look.font));
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, look.colour);
  const int h = win::GetTextMetrics(dc).tmHeight;
  const int top = r.top + (r.Height() - h) / 2;
  const int saved = win::SaveDC(dc);
  win::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  DrawTextLine(dc, look.text, win::RECT{r.left + 4, top, r.right - 2, r.bottom}, 0);
  win::RestoreDC(dc, saved);
  win::SelectObject(dc, previous);
}

}  // namespace vl::pages
