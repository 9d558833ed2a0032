// The edit window's drawing: the display text the control asks for while the box is not being
// edited (DrawEditArea and its fit test), and the window's own painting while it is.
#include <algorithm>

#include "edit/edit_wnd.h"
#include "platform/gdi.h"
#include "render/text_draw.h"

namespace vl {

namespace {

// The window's font selected for the lifetime of the object.
class SelectedFont {
 public:
  SelectedFont(win::DeviceContext& dc, const win::LOGFONT& font) : dc_(dc), font_(win::CreateFontIndirect(font)) {
    previous_ = win::SelectObject(dc_, font_);
  }
  ~SelectedFont() {
    win::SelectObject(dc_, previous_);
    win::DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  win::DeviceContext& dc_;
  win::HFONT font_;
  win::HFONT previous_;
};

int DcTextWidth(const win::DeviceContext& dc, std::string_view text) { return win::GetTextExtentPoint32(dc, text).cx; }

// Draws `text` from x on one line, the bytes [selA, selB) in the highlight colours, clipped to
// `clip`.
void DrawLineWithSelection(win::DeviceContext& dc, int x, int y, const win::RECT& clip, std::string_view text,
                           int selA, int selB) {
  const int n = static_cast<int>(text.size());
  selA = std::clamp(selA, 0, n);
  selB = std::clamp(selB, selA, n);
  const std::string_view before = text.substr(0, static_cast<std::size_t>(selA));
  const std::string_view selected = text.substr(static_cast<std::size_t>(selA), static_cast<std::size_t>(selB - selA));
  const std::string_view after = text.substr(static_cast<std::size_t>(selB));
  if (!before.empty()) win::ExtTextOut(dc, x, y, win::ETO_CLIPPED, &clip, before);
  x += DcTextWidth(dc, before);
  if (!selected.empty()) {
    const int mode = win::SetBkMode(dc, win::OPAQUE);
    const win::COLORREF back = win::SetBkColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHT));
    const win::COLORREF fore = win::SetTextColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHTTEXT));
    win::ExtTextOut(dc, x, y, win::ETO_CLIPPED, &clip, selected);
    win::SetBkMode(dc, mode);
    win::SetBkColor(dc, back);
    win::SetTextColor(dc, fore);
    x += DcTextWidth(dc, selected);
  }
  if (!after.empty()) win::ExtTextOut(dc, x, y, win::ETO_CLIPPED, &clip, after);
}

void DrawCaret(win::DeviceContext& dc, int x, int top, int height, const win::RECT& clip) {
  const win::RECT caret = win::IntersectRects(win::RECT{x, top, x + 1, top + height}, clip);
  if (!caret.IsEmpty()) win::FillRect(dc, caret, win::CreateSolidBrush(win::GetTextColor(dc)));
}

}  // namespace

int CVlEditWnd::MeasureText(std::string_view shown) const {
  if (screenFonts == nullptr) return EditControl::MeasureText(shown);
  win::DeviceContext dc(nullptr, *screenFonts);
  SelectedFont selected(dc, font);
  return DcTextWidth(dc, shown);
}

void CVlEditWnd::MeasurePieces(std::string_view shown, const std::vector<std::int32_t>& cuts,
                               std::vector<int>& widths) const {
  if (screenFonts == nullptr) return EditControl::MeasurePieces(shown, cuts, widths);
  win::DeviceContext dc(nullptr, *screenFonts);
  SelectedFont selected(dc, font);
  widths.clear();
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const auto from = static_cast<std::size_t>(cuts[i]);
    widths.push_back(DcTextWidth(dc, shown.substr(from, static_cast<std::size_t>(cuts[i + 1]) - from)));
  }
}

int CVlEditWnd::MeasureLineHeight() const {
  if (screenFonts == nullptr) return EditControl::MeasureLineHeight();
  win::DeviceContext dc(nullptr, *screenFonts);
  SelectedFont selected(dc, font);
  return std::max(1, win::GetTextMetrics(dc).tmHeight);
}

bool CVlEditWnd::FitsFormatRect(const std::string& windowText) const {
  const char pw = PasswordChar();
  return TextWidth(pw != 0 ? std::string(windowText.size(), pw) : windowText) <= FormatRect().Width() - 1;
}

// Measured against the area the window was last drawn in, its spin strip included.
bool CVlEditWnd::FitsDisplayWidth(win::DeviceContext* dc) {
  if (!singleLine || dc == nullptr) return true;
  SelectedFont selected(*dc, font);
  const bool threeD = (styleBits & (kStyleWindowEdge | kStyleClientEdge)) != 0;
  return TextFitsArea(*dc, WindowText(), textRect, threeD, spinButton != 0);
}

bool CVlEditWnd::FitsLastDrawArea(const std::string& text) {
  if (screenFonts == nullptr || textRect.IsEmpty()) return true;
  win::DeviceContext dc(nullptr, *screenFonts);
  SelectedFont selected(dc, font);
  const bool threeD = (styleBits & (kStyleWindowEdge | kStyleClientEdge)) != 0;
  return TextFitsArea(dc, text, textRect, threeD, spinButton != 0);
}

bool CVlEditWnd::DrawEditArea(win::DeviceContext* dc, win::RECT rect, double spinRatio, int alignment,
                              std::uint32_t flags) {
  if (dc == nullptr) return true;
  textRect = rect;
  if (alignment == -1) alignment = StyleAlignment();
  const std::uint32_t align = alignment == 1 ? kDrawRight : alignment == 2 ? kDrawCenter : 0;
  EditAreaFrame frame;
  frame.bordered = (styleBits & kStyleBorder) != 0;
  frame.threeD = (styleBits & (kStyleWindowEdge | kStyleClientEdge)) != 0;
  frame.spinPosition = spinButton;
  win::RECT spin;
  const win::RECT r = DrawEditAreaFrame(*dc, rect, frame, spinRatio, (flags & 1) != 0, spin);
  if (!spin.IsEmpty()) spinRect = spin;
  // Read where it is, not copied: a multi-line text may be long, and only the lines that meet the
  // rectangle are drawn. (The one editor that shows another text draws its own edit area.)
  const std::string& text = displayText;
  // The text takes the font the caller selected: the control's, scaled to the drawn height.
  if (singleLine) {
    DrawSingleLineText(*dc, text, r, align);
  } else {
    DrawMultiLineText(*dc, text, r, align, hideSelection ? 0 : savedSelection);
  }
  // The fit test takes the frame and the spin width off what is left for the text once more, so
  // a text that only just fits beside a spin button already counts as too wide.
  if (singleLine) {
    SelectedFont selected(*dc, font);
    const bool threeD = frame.threeD;
    if (!TextFitsArea(*dc, WindowText(), r, threeD, spinButton != 0)) {
      lastError = 4;
      return false;
    }
  }
  return true;
}

void CVlEditWnd::DrawSingleLineText(win::DeviceContext& dc, const std::string& text, win::RECT rect,
                                    std::uint32_t flags) {
  const int start = created ? std::min(SelStart(), SelEnd()) : 0;
  const int end = created ? std::max(SelStart(), SelEnd()) : 0;
  vl::DrawSingleLineText(dc, text, rect, flags, hideSelection, start, end);
}

void CVlEditWnd::ShowCaret(win::DeviceContext& dc, int x, int top, int height, const win::RECT& clip) {
  win::System& sys = *Sys();
  sys.SetCaretPos(Handle(), win::POINT{x, top}, height);
  if (sys.CaretBlinkShown()) DrawCaret(dc, x, top, height, clip);
}

void CVlEditWnd::PaintEditor(win::DeviceContext& dc) {
  if (Handle() == win::kNoWindow || Sys() == nullptr) return;
  win::System& sys = *Sys();
  const win::RECT window = sys.GetWindowRect(Handle());
  const win::RECT client{0, 0, window.Width(), window.Height()};
  // An editor whose window is not a text box (the Boolean box's check button) looks the same
  // focused or not: its display drawing, in the colours the control gives its edit window.
  const bool textBox = sys.GetClassName(Handle()) == win::EditControl::kClassName;

  win::SetTextColor(dc, win::GetSysColor(win::COLOR_WINDOWTEXT));
  win::SetBkColor(dc, win::GetSysColor(win::COLOR_WINDOW));
  win::SetBkMode(dc, win::OPAQUE);
  win::HBRUSH brush = win::GetSysColorBrush(win::COLOR_WINDOW);
  const win::LRESULT answer = sys.SendMessage(sys.GetParent(Handle()), win::WM_CTLCOLOREDIT,
                                              reinterpret_cast<win::WPARAM>(&dc),
                                              static_cast<win::LPARAM>(win::HandleId(Handle())));
  if (answer != 0) brush = *reinterpret_cast<const win::HBRUSH*>(answer);
  win::FillRect(dc, client, brush);
  if (!textBox) {
    win::SetBkMode(dc, win::TRANSPARENT);
    DrawEditArea(&dc, client, 1.0, -1, 0);
    return;
  }
  if (!created) return;

  SelectedFont selected(dc, font);
  win::SetBkMode(dc, win::TRANSPARENT);
  const int lineHeight = win::GetTextMetrics(dc).tmHeight;
  win::RECT area = FormatRect();
  if (area.IsEmpty()) area = client;
  area = win::IntersectRects(area, client);
  const bool focused = IsFocusedWindow();
  const bool showSelection = focused || !hideSelection;
  const int caret = Caret();
  const int selA = showSelection ? std::min(SelStart(), SelEnd()) : 0;
  const int selB = showSelection ? std::max(SelStart(), SelEnd()) : 0;

  if (singleLine) {
    const std::string text = ShownText();
    // One line, placed by the window's own layout: aligned while it fits, else scrolled so the
    // caret stays in view.
    const int caretX = DcTextWidth(dc, std::string_view(text).substr(0, static_cast<std::size_t>(std::clamp(caret, 0, static_cast<int>(text.size())))));
    const int x = LineLeft(0);
    DrawLineWithSelection(dc, x, area.top, area, text, selA, selB);
    if (focused) ShowCaret(dc, x + caretX, area.top, lineHeight, area);
    return;
  }

  // Multi-line: the rows of the window (its lines, wrapped at its width unless it scrolls
  // sideways) from the first visible one. Each row draws inside its own strip, so a row wholly
  // outside the clip draws nothing and is skipped, but for the caret's row, which places the
  // caret; only the rows drawn are read.
  const int caretRow = CaretRow();
  const int rows = RowCount();
  const win::RECT paintClip = win::GetClipBox(dc);
  int y = area.top;
  for (int row = FirstVisibleLine(); row < rows && y < area.bottom; ++row, y += lineHeight) {
    const win::RECT clip{area.left, y, area.right, std::min(area.bottom, y + lineHeight)};
    const bool meetsClip = clip.bottom > paintClip.top && clip.top < paintClip.bottom;
    if (!meetsClip && !(focused && row == caretRow)) continue;
    const int rowStart = RowStart(row);
    const std::string shown = ShownRange(rowStart, RowEnd(row));
    const std::string_view line = shown;
    const int x = LineLeft(row);
    DrawLineWithSelection(dc, x, y, clip, line, selA - rowStart, selB - rowStart);
    if (focused && row == caretRow) {
      ShowCaret(dc, x + DcTextWidth(dc, line.substr(0, static_cast<std::size_t>(caret - rowStart))), y, lineHeight,
                clip);
    }
  }
}

}  // namespace vl
