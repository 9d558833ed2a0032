#include "platform/window.h"

#include "platform/gdi.h"
#include "platform/imm.h"
#include "platform/keyboard_layout.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace vl::win {

Window::~Window() {
  if (attached_ || system_ == nullptr) return;
  if (system_->IsWindow(hwnd_)) system_->DestroyWindow(hwnd_);
  // Still bound: an outer DestroyWindow of this window is under way. It finishes without this
  // object, which is going now.
  if (system_ != nullptr) {
    if (System::Entry* e = system_->Find(hwnd_); e != nullptr && e->behaviour == this) e->behaviour = nullptr;
  }
}

void Window::AttachHandle(const Window& other) {
  hwnd_ = other.hwnd_;
  system_ = other.system_;
  attached_ = true;
}

void Window::DetachHandle() {
  if (!attached_) return;
  hwnd_ = kNoWindow;
  system_ = nullptr;
  attached_ = false;
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(msg, wParam, lParam); }

void Window::PrintClient(DeviceContext&) {}

LRESULT Window::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_IME_CHAR && system_ != nullptr) {
    // A double-byte character from the input method arrives as its lead byte, then its trail byte.
    const HWND self = hwnd_;
    System* sys = system_;
    if (wParam > 0xFF) sys->SendMessage(self, WM_CHAR, (wParam >> 8) & 0xFF, lParam);
    sys->SendMessage(self, WM_CHAR, wParam & 0xFF, lParam);
  }
  // A confirmed composition becomes input-method characters for a window that does not take
  // the composition itself.
  if (msg == WM_IME_COMPOSITION && system_ != nullptr) system_->Imm().PostResultChars(hwnd_, lParam);
  if (msg == WM_SETCURSOR && system_ != nullptr) {
    // The parent chooses first; a window shows its class cursor only when it is the one under the
    // pointer, so a parent asked on a child's behalf leaves the choice to the child.
    System* sys = system_;
    const HWND self = hwnd_;
    const HWND parent = sys->GetParent(self);
    if (parent != kNoWindow && sys->SendMessage(parent, WM_SETCURSOR, wParam, lParam) != 0) return 1;
    if (!sys->IsWindow(self) || HWND{static_cast<std::uint32_t>(wParam)} != self) return 0;
    sys->SetCursor(ClassCursor());
    return 1;
  }
  return 0;
}

System::System(Clock& clock) : clock_(clock), imm_(std::make_unique<InputMethodManager>(*this)) {}

System::~System() {
  // Objects waiting for deletion go while the table can still take their windows' destruction.
  while (!deferred_.empty()) {
    std::vector<std::unique_ptr<Window>> batch = std::move(deferred_);
    deferred_.clear();
  }
  // Detach every behaviour so that owners destroyed later do not reach back into a dead table.
  for (auto& entry : windows_) {
    if (entry != nullptr && entry->behaviour != nullptr) {
      entry->behaviour->system_ = nullptr;
      entry->behaviour->hwnd_ = kNoWindow;
    }
  }
}

const System::Entry* System::Find(HWND hwnd) const {
  const std::uint32_t id = HandleId(hwnd);
  return id < windows_.size() ? windows_[id].get() : nullptr;
}

System::Entry* System::Find(HWND hwnd) {
  const std::uint32_t id = HandleId(hwnd);
  return id < windows_.size() ? windows_[id].get() : nullptr;
}

HWND System::CreateWindowEx(Window& behaviour, std::string className, DWORD style, RECT rect, HWND parent) {
  if (parent != kNoWindow && !IsWindow(parent)) return kNoWindow;
  // A behaviour stands for one window at a time: a window it still had keeps no pointer to it, so
  // a message sent there later finds nothing instead of an object that may be gone.
  if (behaviour.system_ == this && !behaviour.attached_) {
    if (Entry* old = Find(behaviour.hwnd_); old != nullptr && old->behaviour == &behaviour) old->behaviour = nullptr;
  }
  HWND hwnd{nextId_++};
  windows_.resize(HandleId(hwnd) + 1);
  windows_[HandleId(hwnd)] = std::make_unique<Entry>(Entry{&behaviour, std::move(className), style, rect, parent});
  if (Entry* p = Find(parent)) p->children.push_back(HandleId(hwnd));
  behaviour.hwnd_ = hwnd;
  behaviour.system_ = this;
  SendMessage(hwnd, WM_CREATE, 0, 0);
  return hwnd;
}

bool System::DestroyWindow(HWND hwnd) {
  Entry* self = Find(hwnd);
  if (self == nullptr) return false;
  if (self->destroying) return true;
  self->destroying = true;
  const std::vector<std::uint32_t> children = self->children;
  for (std::uint32_t child : children) DestroyWindow(HWND{child});
  if (!IsWindow(hwnd)) return true;  // a child's destruction may have taken it along
  if (focus_ == hwnd) {
    // The focus is gone before the window hears of it, so what its handler does with the focus
    // stands.
    focus_ = kNoWindow;
    SendMessage(hwnd, WM_KILLFOCUS, 0, 0);
  }
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  if (filterOwner_ == hwnd) ClearMessageFilter(hwnd);
  Entry* e = Find(hwnd);
  if (e == nullptr) return true;
  if (e->behaviour != nullptr) {
    e->behaviour->hwnd_ = kNoWindow;
    e->behaviour->system_ = nullptr;
  }
  const HWND parent = e->parent;
  windows_[HandleId(hwnd)].reset();
  // The parent's list keeps the id of a child that is gone until half of it is such ids, so that
  // closing a form of many boxes, box by box, stays linear.
  if (Entry* p = Find(parent); p != nullptr && !p->destroying && ++p->goneChildren * 2 > p->children.size()) {
    std::erase_if(p->children, [this](std::uint32_t id) { return !IsWindow(HWND{id}); });
    p->goneChildren = 0;
  }
  return true;
}

bool System::IsWindow(HWND hwnd) const { return Find(hwnd) != nullptr; }

Window* System::FromHandle(HWND hwnd) const {
  const Entry* e = Find(hwnd);
  return e == nullptr ? nullptr : e->behaviour;
}

LRESULT System::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return 0;
  DispatchScope scope(*this);
  return w->WndProc(msg, wParam, lParam);
}

void System::DeleteLater(std::unique_ptr<Window> object) {
  if (!object) return;
  deferred_.push_back(std::move(object));
  if (dispatchDepth_ == 0) {
    ++dispatchDepth_;
    LeaveDispatch();
  }
}

void System::LeaveDispatch() {
  if (dispatchDepth_ > 1 || deferred_.empty()) {
    --dispatchDepth_;
    return;
  }
  // The outermost dispatch is over: nothing of the deferred objects is on the stack. Their
  // destructors may send (their windows' WM_DESTROY) and defer more; the depth stays up meanwhile
  // so that those sends do not start a sweep of their own.
  while (!deferred_.empty()) {
    std::vector<std::unique_ptr<Window>> batch = std::move(deferred_);
    deferred_.clear();
    batch.clear();
  }
  --dispatchDepth_;
}

bool System::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd)) return false;
  posted_.push_back(Posted{hwnd, msg, wParam, lParam});
  return true;
}

void System::DispatchPosted() {
  while (!posted_.empty()) {
    Posted p = posted_.front();
    posted_.pop_front();
    MSG msg{p.hwnd, p.msg, p.wParam, p.lParam};
    if (Filtered(msg)) continue;
    SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
}

HWND System::GetParent(HWND hwnd) const {
  const Entry* e = Find(hwnd);
  return e == nullptr ? kNoWindow : e->parent;
}

HWND System::GetAncestorRoot(HWND hwnd) const {
  if (!IsWindow(hwnd)) return kNoWindow;
  while (GetParent(hwnd) != kNoWindow) hwnd = GetParent(hwnd);
  return hwnd;
}

std::string System::GetClassName(HWND hwnd) const {
  const Entry* e = Find(hwnd);
  return e == nullptr ? std::string() : e->className;
}

DWORD System::GetStyle(HWND hwnd) const {
  const Entry* e = Find(hwnd);
  return e == nullptr ? 0 : e->style;
}

void System::SetStyle(HWND hwnd, DWORD style) {
  if (Entry* e = Find(hwnd)) e->style = style;
}

bool System::ShowWindow(HWND hwnd, bool show) {
  Entry* e = Find(hwnd);
  if (e == nullptr) return false;
  bool was = (e->style & WS_VISIBLE) != 0;
  if (was == show) return was;
  e->style = show ? (e->style | WS_VISIBLE) : (e->style & ~WS_VISIBLE);
  SendMessage(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
  // A window that disappears cannot keep the keyboard focus.
  if (!show && focus_ != kNoWindow) {
    for (HWND h = focus_; h != kNoWindow; h = GetParent(h)) {
      if (h == hwnd) {
        SetFocus(kNoWindow);
        break;
      }
    }
  }
  return was;
}

bool System::IsWindowVisible(HWND hwnd) const {
  if (!IsWindow(hwnd)) return false;
  for (HWND h = hwnd; h != kNoWindow; h = GetParent(h)) {
    if ((GetStyle(h) & WS_VISIBLE) == 0) return false;
  }
  return true;
}

bool System::EnableWindow(HWND hwnd, bool enable) {
  Entry* e = Find(hwnd);
  if (e == nullptr) return false;
  bool wasDisabled = (e->style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  e->style = enable ? (e->style & ~WS_DISABLED) : (e->style | WS_DISABLED);
  SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

bool System::IsWindowEnabled(HWND hwnd) const {
  return IsWindow(hwnd) && (GetStyle(hwnd) & WS_DISABLED) == 0;
}

RECT System::GetWindowRect(HWND hwnd) const {
  const Entry* e = Find(hwnd);
  return e == nullptr ? RECT{} : e->rect;
}

bool System::MoveWindow(HWND hwnd, RECT rect) {
  Entry* e = Find(hwnd);
  if (e == nullptr) return false;
  bool resized = rect.Width() != e->rect.Width() || rect.Height() != e->rect.Height();
  e->rect = rect;
  SendMessage(hwnd, WM_MOVE, 0, 0);
  if (resized) SendMessage(hwnd, WM_SIZE, 0, 0);
  return true;
}

HWND System::SetFocus(HWND hwnd) {
  if (hwnd != kNoWindow && (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || Find(hwnd)->destroying)) {
    return kNoWindow;
  }
  HWND old = focus_;
  if (old == hwnd) return old;
  focus_ = hwnd;
  if (old != kNoWindow && IsWindow(old)) SendMessage(old, WM_KILLFOCUS, static_cast<WPARAM>(HandleId(hwnd)), 0);
  // A handler of WM_KILLFOCUS may have moved the focus elsewhere; only the last move stands.
  if (focus_ == hwnd && hwnd != kNoWindow && IsWindow(hwnd)) {
    SendMessage(hwnd, WM_SETFOCUS, static_cast<WPARAM>(HandleId(old)), 0);
  }
  return old;
}

HWND System::GetFocus() const { return IsWindow(focus_) ? focus_ : kNoWindow; }

std::optional<System::CaretPlace> System::GetCaretPlace() const {
  if (caret_.owner == kNoWindow || caret_.owner != GetFocus()) return std::nullopt;
  return caret_;
}

// --- Coordinates --------------------------------------------------------------------------------

POINT System::ClientToScreen(HWND hwnd, POINT p) const {
  for (HWND h = hwnd; h != kNoWindow; h = GetParent(h)) {
    const RECT r = GetWindowRect(h);
    p.x += r.left;
    p.y += r.top;
  }
  return p;
}

POINT System::ScreenToClient(HWND hwnd, POINT p) const {
  const POINT origin = ClientToScreen(hwnd, POINT{0, 0});
  return POINT{p.x - origin.x, p.y - origin.y};
}

std::vector<HWND> System::ChildrenOf(HWND parent) const {
  std::vector<HWND> out;
  if (const Entry* p = Find(parent)) {
    for (std::uint32_t id : p->children) {
      if (IsWindow(HWND{id})) out.push_back(HWND{id});
    }
    return out;  // in creation order
  }
  for (std::uint32_t id = 0; id < windows_.size(); ++id) {
    if (windows_[id] != nullptr && windows_[id]->parent == parent) out.push_back(HWND{id});
  }
  return out;  // in creation order: ids only grow
}

void System::PrintWindow(HWND root, DeviceContext& dc, POINT at) {
  if (!IsWindow(root)) return;
  const RECT r = GetWindowRect(root);
  PrintTree(root, dc, at, RECT{at.x, at.y, at.x + r.Width(), at.y + r.Height()});
}

void System::PrintTree(HWND hwnd, DeviceContext& dc, POINT origin, RECT clip) {
  if (Window* window = FromHandle(hwnd)) {
    const int saved = SaveDC(dc);
    const POINT o = dc.Origin();
    SetViewportOrgEx(dc, o.x + origin.x, o.y + origin.y);
    IntersectClipRect(dc, clip.left - origin.x, clip.top - origin.y, clip.right - origin.x, clip.bottom - origin.y);
    window->PrintClient(dc);
    RestoreDC(dc, saved);
  }
  for (HWND child : ChildrenOf(hwnd)) {
    if ((GetStyle(child) & WS_VISIBLE) == 0) continue;
    const RECT r = GetWindowRect(child);  // in the parent's client coordinates
    const POINT at{origin.x + r.left, origin.y + r.top};
    PrintTree(child, dc, at, IntersectRects(clip, RECT{at.x, at.y, at.x + r.Width(), at.y + r.Height()}));
  }
}

HWND System::WindowFromPoint(POINT screen) const {
  HWND found = kNoWindow;
  std::vector<HWND> level = ChildrenOf(kNoWindow);
  while (true) {
    HWND hit = kNoWindow;
    for (auto it = level.rbegin(); it != level.rend(); ++it) {
      if ((GetStyle(*it) & WS_VISIBLE) == 0) continue;
      const POINT local = found == kNoWindow ? screen : ScreenToClient(found, screen);
      if (PtInRect(GetWindowRect(*it), local)) {
        hit = *it;
        break;
      }
    }
    if (hit == kNoWindow) return found;
    found = hit;
    level = ChildrenOf(found);
  }
}

// --- Keyboard ------------------------------------------------------------------------------------

short System::GetKeyState(int vk) const {
  const std::uint8_t s = keyState_[static_cast<std::size_t>(vk & 0xFF)];
  return static_cast<short>(((s & 0x80) ? 0x8000 : 0) | (s & 0x01));
}

void System::keybd_event(int vk, DWORD flags) {
  Input in{Input::Kind::Key};
  in.vk = vk & 0xFF;
  in.up = (flags & KEYEVENTF_KEYUP) != 0;
  in.controlCharOnly = (flags & KEYEVENTF_CONTROLCHARONLY) != 0;
  input_.push_back(in);
}

void System::QueueChar(std::uint32_t ch) {
  Input in{Input::Kind::Char};
  in.ch = ch;
  input_.push_back(in);
}

void System::SetAutoRepeat(int vk, bool repeat) {
  if (repeat) {
    repeatKey_ = vk & 0xFF;
    repeatDue_ = now_ + kRepeatDelay;
  } else if (repeatKey_ == (vk & 0xFF)) {
    repeatKey_ = 0;
  }
}

void System::QueueMouse(MouseAction action, POINT screen) {
  Input in{Input::Kind::Mouse};
  in.action = action;
  in.screen = screen;
  input_.push_back(in);
}

void System::SetHeldButtons(const std::vector<MouseAction>& downs) {
  keyState_[1] &= 0x7F;
  keyState_[2] &= 0x7F;
  keyState_[4] &= 0x7F;
  for (MouseAction a : downs) {
    if (a == MouseAction::LeftDown) keyState_[1] |= 0x80;
    if (a == MouseAction::RightDown) keyState_[2] |= 0x80;
    if (a == MouseAction::MiddleDown) keyState_[4] |= 0x80;
  }
}

HWND System::SetCapture(HWND hwnd) {
  HWND old = capture_;
  capture_ = IsWindow(hwnd) ? hwnd : kNoWindow;
  if (old != kNoWindow && old != capture_ && IsWindow(old)) {
    SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(HandleId(capture_)));
  }
  return old;
}

bool System::ReleaseCapture() {
  SetCapture(kNoWindow);
  return true;
}

HWND System::GetCapture() const { return IsWindow(capture_) ? capture_ : kNoWindow; }

std::uint32_t System::CharFromKey(int vk) const {
  return CharacterOfKey(vk, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
}

void System::SetMessageFilter(HWND owner, std::function<bool(MSG&)> filter) {
  filterOwner_ = IsWindow(owner) ? owner : kNoWindow;
  filter_ = filterOwner_ != kNoWindow ? std::move(filter) : nullptr;
}

void System::ClearMessageFilter(HWND owner) {
  if (owner != filterOwner_) return;
  filterOwner_ = kNoWindow;
  filter_ = nullptr;
}

bool System::Filtered(MSG& msg) {
  if (!filter_) return false;
  // A copy: the filter may clear itself while it runs.
  const std::function<bool(MSG&)> filter = filter_;
  return filter(msg);
}

bool System::DispatchMessage(MSG msg) {
  if (Filtered(msg)) return false;
  if (preTranslate_ && preTranslate_(msg)) return false;
  SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  return true;
}

void System::DispatchInput(const Input& in) {
  switch (in.kind) {
    case Input::Kind::Key: {
      const auto idx = static_cast<std::size_t>(in.vk);
      const bool wasDown = (keyState_[idx] & 0x80) != 0;
      if (in.up) {
        keyState_[idx] &= static_cast<std::uint8_t>(~0x80);
        if (repeatKey_ == in.vk) repeatKey_ = 0;
      } else {
        if (!wasDown) keyState_[idx] ^= 0x01;
        keyState_[idx] |= 0x80;
      }
      // The generic modifier keys also set their left-hand codes' state, as the keyboard does.
      const bool alt = GetKeyState(VK_MENU) < 0;
      const bool sys = alt && GetKeyState(VK_CONTROL) >= 0;
      HWND target = GetFocus();
      if (target == kNoWindow) return;
      LPARAM lParam = 1;
      if (alt) lParam |= LPARAM{1} << 29;
      if (in.up || in.repeat || wasDown) lParam |= LPARAM{1} << 30;
      if (in.up) lParam |= static_cast<LPARAM>(std::uint32_t{1} << 31);
      const UINT message = in.up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
      const bool delivered = DispatchMessage(MSG{target, message, static_cast<WPARAM>(in.vk), lParam});
      // A key the host consumed (dialog navigation) makes no character, as with IsDialogMessage.
      if (!in.up && delivered) {
        // TranslateMessage: the key's character follows as its own message.
        const std::uint32_t ch = CharFromKey(in.vk);
        if (ch != 0 && (!in.controlCharOnly || ch < 0x20 || ch == 0x7F)) {
          Input c{Input::Kind::Char};
          c.ch = ch;
          c.vk = sys ? 1 : 0;  // a system character
          input_.push_front(c);
        }
      }
      return;
    }
    case Input::Kind::Char: {
      HWND target = GetFocus();
      if (target == kNoWindow) return;
      const UINT message = in.ch > 0xFF ? WM_IME_CHAR : (in.vk == 1 ? WM_SYSCHAR : WM_CHAR);
      DispatchMessage(MSG{target, message, static_cast<WPARAM>(in.ch), 1});
      return;
    }
    case Input::Kind::Mouse: {
      cursorPos_ = in.screen;
      HWND target = GetCapture();
      const bool captured = target != kNoWindow;
      if (!captured) target = WindowFromPoint(in.screen);
      if (target == kNoWindow) return;
      switch (in.action) {
        case MouseAction::LeftDown: case MouseAction::LeftDouble: keyState_[1] |= 0x80; break;
        case MouseAction::LeftUp: keyState_[1] &= 0x7F; break;
        case MouseAction::RightDown: keyState_[2] |= 0x80; break;
        case MouseAction::RightUp: keyState_[2] &= 0x7F; break;
        case MouseAction::MiddleDown: keyState_[4] |= 0x80; break;
        case MouseAction::MiddleUp: keyState_[4] &= 0x7F; break;
        case MouseAction::Move: break;
      }
      static constexpr UINT kMessages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                           WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP};
      WPARAM flags = 0;
      if (keyState_[1] & 0x80) flags |= MK_LBUTTON;
      if (keyState_[2] & 0x80) flags |= MK_RBUTTON;
      if (keyState_[4] & 0x80) flags |= MK_MBUTTON;
      if (GetKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
      if (GetKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
      const UINT message = kMessages[static_cast<int>(in.action)];
      if (!captured) {
        SendMessage(target, WM_SETCURSOR, static_cast<WPARAM>(HandleId(target)), MAKELPARAM(HTCLIENT, message));
        if (!IsWindow(target)) return;
      }
      const POINT local = ScreenToClient(target, in.screen);
      DispatchMessage(MSG{target, message, flags, MAKELPARAM(local.x, local.y)});
      return;
    }
  }
}

void System::ProcessInput() {
  // Posted messages first, then input, as a message loop takes them; a handler may post or
  // queue more, which this loop then takes as well.
  for (int guard = 0; guard < 100000; ++guard) {
    if (!posted_.empty()) {
      DispatchPosted();
      continue;
    }
    if (input_.empty()) return;
    Input in = input_.front();
    input_.pop_front();
    DispatchInput(in);
  }
}

// --- Timers ----------------------------------------------------------------------------------

bool System::SetTimer(HWND hwnd, std::uintptr_t id, std::uint32_t elapse) {
  if (!IsWindow(hwnd)) return false;
  const std::uint64_t due = now_ + std::max<std::uint32_t>(elapse, 1);
  for (Timer& t : timers_) {
    if (t.hwnd == hwnd && t.id == id) {
      t.elapse = elapse;
      t.due = due;
      return true;
    }
  }
  timers_.push_back(Timer{hwnd, id, elapse, due});
  return true;
}

bool System::KillTimer(HWND hwnd, std::uintptr_t id) {
  auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

void System::AdvanceTime(std::uint32_t milliseconds) {
  auto* clock = dynamic_cast<VirtualClock*>(&clock_);
  const std::uint64_t target = now_ + milliseconds;
  ProcessInput();
  while (true) {
    // The next thing due: a timer or a key repeat, whichever comes first.
    std::uint64_t next = target + 1;
    for (const Timer& t : timers_) next = std::min(next, t.due);
    if (repeatKey_ != 0) next = std::min(next, repeatDue_);
    if (next > target) break;
    if (clock != nullptr && next > now_) clock->Advance(static_cast<std::uint32_t>(next - now_));
    now_ = std::max(now_, next);
    if (repeatKey_ != 0 && repeatDue_ <= now_) {
      Input in{Input::Kind::Key};
      in.vk = repeatKey_;
      in.repeat = true;
      input_.push_back(in);
      repeatDue_ = now_ + kRepeatInterval;
    }
    for (std::size_t i = 0; i < timers_.size(); ++i) {
      if (timers_[i].due > now_) continue;
      timers_[i].due = now_ + std::max<std::uint32_t>(timers_[i].elapse, 1);
      const Timer t = timers_[i];
      if (!IsWindow(t.hwnd)) continue;
      PostMessage(t.hwnd, WM_TIMER, t.id, 0);
    }
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [this](const Timer& t) { return !IsWindow(t.hwnd); }),
                  timers_.end());
    ProcessInput();
  }
  if (clock != nullptr && target > now_) clock->Advance(static_cast<std::uint32_t>(target - now_));
  now_ = target;
}

// --- Clipboard -------------------------------------------------------------------------------

bool System::OpenClipboard(HWND) {
  if (clipboardOpen_ || clipboardLocked_) return false;
  clipboardOpen_ = true;
  return true;
}

bool System::CloseClipboard() {
  if (!clipboardOpen_) return false;
  clipboardOpen_ = false;
  return true;
}

bool System::EmptyClipboard() {
  if (!clipboardOpen_) return false;
  clipboard_.clear();
  return true;
}

bool System::SetClipboardData(UINT format, std::string data) {
  if (!clipboardOpen_ || format == 0) return false;
  clipboard_[format] = std::move(data);
  return true;
}

std::optional<std::string> System::GetClipboardData(UINT format) const {
  auto it = clipboard_.find(format);
  if (it == clipboard_.end()) return std::nullopt;
  return it->second;
}

bool System::IsClipboardFormatAvailable(UINT format) const { return clipboard_.count(format) != 0; }

UINT System::RegisterClipboardFormat(const std::string& name) {
  if (name.empty()) return 0;
  auto it = registeredFormats_.find(name);
  if (it != registeredFormats_.end()) return it->second;
  const UINT id = 0xC000 + static_cast<UINT>(registeredFormats_.size());
  registeredFormats_[name] = id;
  return id;
}

std::string System::GetClipboardFormatName(UINT format) const {
  if (format == CF_TEXT) return "CF_TEXT";
  for (const auto& [name, id] : registeredFormats_) {
    if (id == format) return name;
  }
  return "";
}

std::vector<UINT> System::EnumClipboardFormats() const {
  std::vector<UINT> out;
  for (const auto& [format, data] : clipboard_) out.push_back(format);
  return out;
}

int System::MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) {
  if (!messageBoxHandler_) return IDOK;
  return messageBoxHandler_(MessageBoxRequest{owner, text, title, flags});
}

void NotifyParent(System& system, HWND control, std::uintptr_t controlId, int code) {
  const HWND parent = system.GetParent(control);
  if (parent == kNoWindow) return;
  system.SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<int>(controlId), code),
                     static_cast<LPARAM>(HandleId(control)));
}

}  // namespace vl::win
