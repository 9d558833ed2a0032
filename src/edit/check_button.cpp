#include "edit/check_button.h"

#include <algorithm>

#include "edit/boolean_edit.h"
#include "edit/edit_messages.h"
#include "render/text_draw.h"

namespace vl {

// --- Geometry ----------------------------------------------------------------------------------

int CheckBoxSide(int n) {
  if (n <= 6) return std::max(n, 0);
  if (n == 7) return 6;
  if (n <= 11) return n - 2;
  if (n <= 14) return n - 3;
  if (n <= 19) return n - 4;
  if (n <= 26) return n - 6;
  if (n <= 39) return n - 9;
  return n - 14;
}

int CheckBoxBaseSize(const win::RECT& rect, int textHeight) {
  return std::max(0, std::min(rect.Height(), textHeight));
}

CheckBoxLayout LayoutCheckBox(const win::RECT& rect, int textHeight, win::SIZE captionExtent, int alignment) {
  CheckBoxLayout out;
  const int side = CheckBoxSide(CheckBoxBaseSize(rect, textHeight));
  const int top = rect.top + (rect.Height() - side) / 2;
  out.box = win::RECT{rect.left, top, rect.left + side, top + side};
  out.captionArea = win::RECT{std::min(out.box.right + kCheckCaptionGap, rect.right), rect.top, rect.right, rect.bottom};
  if (captionExtent.cx <= 0) {
    out.caption = win::RECT{out.captionArea.left, rect.top, out.captionArea.left, rect.top};
    out.focus = out.caption;
    return out;
  }
  const int room = out.captionArea.Width();
  int x = out.captionArea.left;
  if (alignment == 1) x = out.captionArea.right - captionExtent.cx;
  if (alignment == 2) x = out.captionArea.left + (room - captionExtent.cx) / 2;
  x = std::max(x, out.captionArea.left);
  const int y = rect.top + (rect.Height() - captionExtent.cy) / 2;
  out.caption = win::RECT{x, std::max(y, rect.top), std::min(x + captionExtent.cx, rect.right),
                          std::min(y + captionExtent.cy, rect.bottom)};
  out.focus = win::RECT{std::max(out.caption.left - 1, out.captionArea.left - 1), std::max(out.caption.top - 1, rect.top),
                        std::min(out.caption.right + 1, rect.right), std::min(out.caption.bottom + 1, rect.bottom)};
  out.focus.left = std::max(out.focus.left, rect.left);
  return out;
}

unsigned CheckBoxFrameState(const CheckBoxLook& look) {
  unsigned state = win::DFCS_BUTTONCHECK;
  if (look.isNull) {
    state |= win::DFCS_BUTTON3STATE | win::DFCS_INACTIVE;
  } else if (look.checked) {
    state |= win::DFCS_CHECKED;
  }
  if (!look.enabled) state |= win::DFCS_INACTIVE;
  if (look.pushed) state |= win::DFCS_PUSHED;
  if (look.flat) state |= win::DFCS_FLAT;
  return state;
}

CheckBoxLayout DrawCheckBox(win::DeviceContext& dc, const win::RECT& rect, const std::string& caption, int alignment,
                            const CheckBoxLook& look) {
  const win::TEXTMETRIC tm = win::GetTextMetrics(dc);
  const win::SIZE extent = caption.empty() ? win::SIZE{} : win::GetTextExtentPoint32(dc, caption);
  const CheckBoxLayout layout = LayoutCheckBox(rect, tm.tmHeight, extent, alignment);
  win::RECT box = layout.box;
  if (!box.IsEmpty()) win::DrawFrameControl(dc, box, win::DFC_BUTTON, CheckBoxFrameState(look));
  if (!caption.empty() && !layout.captionArea.IsEmpty()) {
    // The label is a text line like a caption's: "&" marks the mnemonic letter.
    const int saved = win::SetBkMode(dc, win::TRANSPARENT);
    const win::RECT line{layout.caption.left, layout.caption.top, layout.captionArea.right, layout.captionArea.bottom};
    DrawTextLine(dc, caption, line, 0);
    win::SetBkMode(dc, saved);
    if (look.focused && !layout.focus.IsEmpty()) win::DrawFocusRect(dc, layout.focus);
  }
  return layout;
}

// --- The button --------------------------------------------------------------------------------

CVlCheckButton::~CVlCheckButton() {
  if (Sys() != nullptr && Handle() != win::kNoWindow) Sys()->DestroyWindow(Handle());
}

void CVlCheckButton::Repaint() {
  if (!updatesLocked_) ++repaints_;
}

void CVlCheckButton::Paint(win::DeviceContext& dc, const win::LOGFONT& font) {
  if (updatesLocked_ || !IsCreated()) return;
  const win::RECT r = Sys()->GetWindowRect(Handle());
  const win::RECT client{0, 0, r.Width(), r.Height()};
  const win::HFONT previous = win::SelectObject(dc, win::CreateFontIndirect(font));
  CheckBoxLook look = owner_->Look(false);
  look.pushed = IsPushed();
  look.focused = HasFocusState();
  DrawCheckBox(dc, client, Label(), owner_->StyleAlignment(), look);
  win::SelectObject(dc, previous);
}

void CVlCheckButton::PrintClient(win::DeviceContext& dc) {
  owner_->PaintEditor(dc);
  win::LOGFONT font;
  owner_->GetFont(font);
  Paint(dc, font);
}

std::int32_t CVlCheckButton::ShiftState() const {
  std::int32_t s = 0;
  if (Sys()->GetKeyState(win::VK_SHIFT) < 0) s |= 1;
  if (Sys()->GetKeyState(win::VK_CONTROL) < 0) s |= 2;
  if (Sys()->GetKeyState(win::VK_MENU) < 0) s |= 4;
  return s;
}

void CVlCheckButton::SendKey(win::UINT vlm, int vk) {
  VlKeyRecord record{vk, ShiftState()};
  owner_->SendToControlFromButton(vlm, record);
}

void CVlCheckButton::SendMove(bool next, int vk) {
  std::int32_t key = vk;
  owner_->SendToControlFromButton(next ? VLM_NEXTCONTROL : VLM_PREVCONTROL, key);
}

bool CVlCheckButton::OnNotify(int code) {
  // The click is the button's own business (reflected), not the control's.
  if (code == win::BN_CLICKED) {
    owner_->OnButtonClicked();
    return true;
  }
  return code == win::BN_DOUBLECLICKED;
}

win::LRESULT CVlCheckButton::OnKeyDown(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  const int vk = static_cast<int>(wParam);
  if (msg == win::WM_SYSKEYDOWN) {
    ButtonControl::WndProc(msg, wParam, lParam);
    SendKey(VLM_KEYDOWN, vk);
    keyDownSeen_ = true;
    return 0;
  }
  const std::uint16_t tabs = owner_->TabFlags();
  const bool shift = Sys()->GetKeyState(win::VK_SHIFT) < 0;
  const bool ctrl = Sys()->GetKeyState(win::VK_CONTROL) < 0;
  switch (vk) {
    case win::VK_RETURN:
      if (tabs & kTabByReturn) {
        SendMove(!shift, vk);
        return 0;
      }
      break;
    case win::VK_LEFT:
    case win::VK_RIGHT:
      if (tabs & kTabByHorzKey) {
        SendMove(vk == win::VK_RIGHT, vk);
        return 0;
      }
      break;
    case win::VK_UP:
    case win::VK_DOWN:
      if (tabs & kTabByVertKey) {
        SendMove(vk == win::VK_DOWN, vk);
        return 0;
      }
      break;
    default:
      break;
  }
  const win::HWND self = Handle();
  win::System* sys = Sys();
  ButtonControl::WndProc(msg, wParam, lParam);
  if (!sys->IsWindow(self)) return 0;
  // The clipboard keys of every box: Ctrl+Insert copies, Shift+Insert pastes, Shift+Delete cuts.
  if (vk == win::VK_INSERT && ctrl) {
    owner_->Copy();
  } else if (vk == win::VK_INSERT && shift) {
    if (owner_->Paste()) owner_->SendToControlFromButton(VLM_CHANGE);
  } else if (vk == win::VK_DELETE && shift) {
    owner_->CutText();
  }
  SendKey(VLM_KEYDOWN, vk);
  keyDownSeen_ = true;
  return 0;
}

win::LRESULT CVlCheckButton::OnChar(win::WPARAM wParam, win::LPARAM lParam) {
  const std::int32_t original = static_cast<std::int32_t>(wParam);
  std::int32_t ch = original;
  owner_->SendToControlFromButton(VLM_KEYPRESS, ch);
  ch &= 0xFFFF;
  if (ch == 0 || (ch == 9 && original != 9)) return 0;
  switch (ch) {
    case 3:  // Ctrl+C
      owner_->Copy();
      return 0;
    case 22:  // Ctrl+V
      if (owner_->Paste()) owner_->SendToControlFromButton(VLM_CHANGE);
      return 0;
    case 24:  // Ctrl+X
      owner_->CutText();
      return 0;
    default:
      return ButtonControl::WndProc(win::WM_CHAR, static_cast<win::WPARAM>(ch), lParam);
  }
}

void CVlCheckButton::ForwardMouse(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  VlMouseRecord record;
  const win::UINT vlm = MouseRecordOf(msg, wParam, lParam, Sys()->GetKeyState(win::VK_MENU) < 0, record);
  owner_->SendToControlFromButton(vlm, record);
}

win::LRESULT CVlCheckButton::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  win::System* sys = Sys();
  const win::HWND self = Handle();
  switch (msg) {
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
      return OnKeyDown(msg, wParam, lParam);
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
      if (msg == win::WM_KEYUP) ButtonControl::WndProc(msg, wParam, lParam);
      // A key pressed elsewhere (the Tab that brought the focus here) has no KeyUp in this box.
      if (sys->IsWindow(self) && keyDownSeen_) {
        keyDownSeen_ = false;
        SendKey(VLM_KEYUP, static_cast<int>(wParam));
      }
      return 0;
    case win::WM_CHAR:
      return OnChar(wParam, lParam);
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP:
      // The release is reported before the platform turns it into a click, so the host hears
      // MouseUp before Click, as from every other box.
      ForwardMouse(msg, wParam, lParam);
      if (sys->IsWindow(self)) ButtonControl::WndProc(msg, wParam, lParam);
      return 0;
    case win::WM_LBUTTONDOWN: case win::WM_RBUTTONDOWN: case win::WM_MBUTTONDOWN: case win::WM_MOUSEMOVE:
      ButtonControl::WndProc(msg, wParam, lParam);
      if (sys->IsWindow(self)) ForwardMouse(msg, wParam, lParam);
      return 0;
    case win::WM_LBUTTONDBLCLK:
      // The platform takes a double click on an owner-drawn button as no press at all; the
      // second click of a quick pair must toggle like the first, so it is pressed here.
      ButtonControl::WndProc(msg, wParam, lParam);
      if (!sys->IsWindow(self)) return 0;
      owner_->SendToControlFromButton(VLM_DBLCLICK);
      if (sys->IsWindow(self)) sys->SendMessage(self, win::WM_LBUTTONDOWN, wParam | win::MK_LBUTTON, lParam);
      return 0;
    case win::WM_SETFOCUS:
      keyDownSeen_ = false;
      ButtonControl::WndProc(msg, wParam, lParam);
      owner_->OnButtonFocus(win::HWND{static_cast<std::uint32_t>(wParam)});
      return 0;
    case win::WM_KILLFOCUS:
      ButtonControl::WndProc(msg, wParam, lParam);
      owner_->OnButtonKillFocus(win::HWND{static_cast<std::uint32_t>(wParam)});
      return 0;
    case win::WM_COPY:
      owner_->Copy();
      return 0;
    case win::WM_CUT:
      owner_->CutText();
      return 0;
    case win::WM_PASTE:
      if (owner_->Paste()) owner_->SendToControlFromButton(VLM_CHANGE);
      return 0;
    case win::WM_DESTROY:
      ButtonControl::WndProc(msg, wParam, lParam);
      owner_->OnButtonDestroyed();
      return 0;
    default:
      return ButtonControl::WndProc(msg, wParam, lParam);
  }
}

}  // namespace vl
