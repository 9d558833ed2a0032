// The controls of the page dialogs: the window system's standard controls with the look a
// Japanese dialog gives them. Each one paints itself (Window::PrintClient) when the window system
// paints the dialog; an open list lies over the other controls and is painted after them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/button_control.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/edit_control.h"
#include "platform/gdi.h"
#include "platform/static_control.h"

namespace vl::pages {

// Edit notifications: the page's edit fields tell their dialog when the user changed the text
// and when the focus left.
inline constexpr int EN_SETFOCUS = 0x0100;
inline constexpr int EN_KILLFOCUS = 0x0200;
inline constexpr int EN_CHANGE = 0x0300;

// The dialog's font: 9-point "ＭＳ Ｐゴシック", realised by the fonts the dialog measures with.
class DialogFont {
 public:
  DialogFont(win::FontBackend& fonts, const win::LOGFONT& font);
  const win::LOGFONT& LogFont() const { return font_; }
  win::FontBackend& Fonts() const { return fonts_; }
  int Width(std::string_view text) const;
  int LineHeight() const;
  win::DialogBaseUnits BaseUnits() const;

 private:
  win::FontBackend& fonts_;
  win::LOGFONT font_;
  mutable win::DeviceContext dc_;
};

// The page font of the component's dialogs.
win::LOGFONT PageLogFont();

class PageStatic : public win::StaticControl {
 public:
  void PrintClient(win::DeviceContext& dc) override;
};

class PageButton : public win::ButtonControl {
 public:
  void PrintClient(win::DeviceContext& dc) override;
};

class PageEdit : public win::EditControl {
 public:
  explicit PageEdit(const DialogFont& font) : font_(font) {}
  win::HWND Create(win::System& system, win::DWORD style, win::RECT rect, win::HWND parent, std::uintptr_t controlId);
  std::uintptr_t ControlId() const { return controlId_; }
  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;
  void PrintClient(win::DeviceContext& dc) override;

 protected:
  int MeasureText(std::string_view shown) const override { return font_.Width(shown); }
  int MeasureLineHeight() const override { return font_.LineHeight(); }

 private:
  void Notify(int code);

  const DialogFont& font_;
  std::uintptr_t controlId_ = 0;
};

// Draws the text of an edit (a field or a combo box's edit part) in its formatting rectangle:
// the selection highlighted and the caret shown while it has the focus.
void PaintEditText(win::DeviceContext& dc, const win::EditControl& edit, bool focused, bool enabled);

class PageCombo : public win::ComboBoxControl {
 public:
  // Draws an owner-drawn item's value into a rectangle; `selected` for the highlighted one.
  using ItemPainter = std::function<void(win::DeviceContext&, const win::RECT&, std::uintptr_t value, bool selected)>;

  explicit PageCombo(const DialogFont& font) : font_(font) {}
  void SetItemPainter(ItemPainter painter) { painter_ = std::move(painter); }
  void PrintClient(win::DeviceContext& dc) override;
  // The open list, which lies over the controls below the box, at the box's origin.
  void PaintOverlay(win::DeviceContext& dc);
  // Where the open list reaches, in the box's coordinates (empty while it is closed).
  win::RECT OverlayRect() const { return IsDropped() ? DroppedRect() : win::RECT{}; }

 protected:
  int MeasureText(std::string_view text) const override { return font_.Width(text); }
  int MeasureLineHeight() const override { return font_.LineHeight(); }

 private:
  void PaintItem(win::DeviceContext& dc, const win::RECT& rect, int index, bool selected) const;

  const DialogFont& font_;
  ItemPainter painter_;
};

// The Caption page's sample: a sunken field showing a text in a font and colour of its own.
class PageSample : public win::StaticControl {
 public:
  struct Look {
    std::string text;  // CP932
    win::LOGFONT font;
    std::uint32_t colour = 0;  // 0x00BBGGRR
  };
  void SetLookSource(std::function<Look()> source) { source_ = std::move(source); }
  void PrintClient(win::DeviceContext& dc) override;

 private:
  std::function<Look()> source_;
};

}  // namespace vl::pages
