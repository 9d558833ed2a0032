// CVlCheckButton: the check box a Boolean box shows while it is edited, an owner-drawn push
// button whose look (unchecked, checked, Null) its owner decides. It turns the platform button's
// click into a toggle of the owner's value, keeps the tab-navigation keys of the box, and
// reports keys, characters and mouse input to the control as the edit window does.
//
// Also here: the geometry and drawing of a check box with its caption, shared by the button's
// own drawing and by the control's drawing of a Boolean box that is not being edited.
#pragma once

#include <cstdint>
#include <string>

#include "platform/button_control.h"
#include "platform/gdi.h"

namespace vl {

class CVlBooleanEdit;

// --- Geometry ----------------------------------------------------------------------------------

// The side of the drawn box for a base size n: a large font would make a clumsy square, so the
// box grows more slowly than the text. n up to 6 as is; 7 gives 6; 8-11: n - 2; 12-14: n - 3;
// 15-19: n - 4; 20-26: n - 6; 27-39: n - 9; 40 and above: n - 14 (a 16-pixel font: 12).
int CheckBoxSide(int n);

// The base size: the font's text height, but never more than the rectangle is high, so the box
// always fits the rectangle it is drawn in.
int CheckBoxBaseSize(const win::RECT& rect, int textHeight);

// Gap between the box and its caption, in pixels.
inline constexpr int kCheckCaptionGap = 4;

struct CheckBoxLayout {
  win::RECT box;          // the square, at the left, vertically centred
  win::RECT captionArea;  // where the caption may draw: right of the box, clipped to the rectangle
  win::RECT caption;      // the caption's own extent inside that area (empty when no caption)
  win::RECT focus;        // the focus rectangle: the caption grown by one pixel, inside the rectangle
};

// Lays a check box and a caption of `captionExtent` (empty for none) out in `rect`. alignment:
// 0 left, 1 right, 2 centre, for the caption inside its area; a caption wider than its area
// starts at the area's left edge and is cut at the right.
CheckBoxLayout LayoutCheckBox(const win::RECT& rect, int textHeight, win::SIZE captionExtent, int alignment);

// What the box looks like.
struct CheckBoxLook {
  bool isNull = false;   // the grey, indeterminate look
  bool checked = false;  // the value (ignored while Null)
  bool enabled = true;
  bool pushed = false;   // the button is held down
  bool flat = false;     // flat appearance (style bit 0x2000)
  bool focused = false;  // the focus rectangle around the caption
};

// The DrawFrameControl state of DFC_BUTTON for a look.
unsigned CheckBoxFrameState(const CheckBoxLook& look);

// Draws the box and its caption (CP932) in `rect` with the context's font and text colour.
// Returns the layout used.
CheckBoxLayout DrawCheckBox(win::DeviceContext& dc, const win::RECT& rect, const std::string& caption, int alignment,
                            const CheckBoxLook& look);

// --- The button --------------------------------------------------------------------------------

class CVlCheckButton : public win::ButtonControl {
 public:
  explicit CVlCheckButton(CVlBooleanEdit& owner) : owner_(&owner) {}
  ~CVlCheckButton() override;

  bool IsCreated() const { return Handle() != win::kNoWindow; }

  // Mirrors the owner's value (Null shows unchecked).
  bool checked = false;

  // A locked box freezes the button's drawing (the value can still change).
  void SetUpdatesLocked(bool locked) { updatesLocked_ = locked; }
  bool UpdatesLocked() const { return updatesLocked_; }
  // How many times the button was asked to draw itself again while its drawing was not frozen.
  int RepaintCount() const { return repaints_; }
  void Repaint();

  // Draws the button as it is now.
  void Paint(win::DeviceContext& dc, const win::LOGFONT& font);
  // The button's window is the Boolean box's edit window: the box's area as its editor paints it,
  // then what only the button shows, its focus rectangle and its press.
  void PrintClient(win::DeviceContext& dc) override;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

 protected:
  bool OnNotify(int code) override;
  void OnStateChanged() override { Repaint(); }

 private:
  win::LRESULT OnKeyDown(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  win::LRESULT OnChar(win::WPARAM wParam, win::LPARAM lParam);
  void ForwardMouse(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  void SendKey(win::UINT vlm, int vk);
  void SendMove(bool next, int vk);
  std::int32_t ShiftState() const;

  CVlBooleanEdit* owner_;
  bool updatesLocked_ = false;
  bool keyDownSeen_ = false;
  int repaints_ = 0;
};

}  // namespace vl
