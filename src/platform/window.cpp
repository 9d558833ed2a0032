#include "platform/window.h"

#include <vector>

namespace vl::win {

Window::~Window() {
  if (system_ != nullptr && system_->IsWindow(hwnd_)) system_->DestroyWindow(hwnd_);
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(msg, wParam, lParam); }

LRESULT Window::DefWindowProc(UINT, WPARAM, LPARAM) { return 0; }

System::System(Clock& clock) : clock_(clock) {}

System::~System() {
  // Detach every behaviour so that owners destroyed later do not reach back into a dead table.
  for (auto& [id, entry] : windows_) {
    if (entry.behaviour != nullptr) {
      entry.behaviour->system_ = nullptr;
      entry.behaviour->hwnd_ = kNoWindow;
    }
  }
}

const System::Entry* System::Find(HWND hwnd) const {
  auto it = windows_.find(HandleId(hwnd));
  return it == windows_.end() ? nullptr : &it->second;
}

System::Entry* System::Find(HWND hwnd) {
  auto it = windows_.find(HandleId(hwnd));
  return it == windows_.end() ? nullptr : &it->second;
}

HWND System::CreateWindowEx(Window& behaviour, std::string className, DWORD style, RECT rect, HWND parent) {
  if (parent != kNoWindow && !IsWindow(parent)) return kNoWindow;
  HWND hwnd{nextId_++};
  windows_[HandleId(hwnd)] = Entry{&behaviour, std::move(className), style, rect, parent};
  behaviour.hwnd_ = hwnd;
  behaviour.system_ = this;
  SendMessage(hwnd, WM_CREATE, 0, 0);
  return hwnd;
}

bool System::DestroyWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  std::vector<HWND> children;
  for (auto& [id, entry] : windows_) {
    if (entry.parent == hwnd) children.push_back(HWND{id});
  }
  for (HWND child : children) DestroyWindow(child);
  if (!IsWindow(hwnd)) return true;  // a child's destruction may have taken it along
  if (focus_ == hwnd) {
    SendMessage(hwnd, WM_KILLFOCUS, 0, 0);
    focus_ = kNoWindow;
  }
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  Entry* e = Find(hwnd);
  if (e == nullptr) return true;
  if (e->behaviour != nullptr) {
    e->behaviour->hwnd_ = kNoWindow;
    e->behaviour->system_ = nullptr;
  }
  windows_.erase(HandleId(hwnd));
  return true;
}

bool System::IsWindow(HWND hwnd) const { return Find(hwnd) != nullptr; }

Window* System::FromHandle(HWND hwnd) const {
  const Entry* e = Find(hwnd);
  return e == nullptr ? nullptr : e->behaviour;
}

LRESULT System::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  return w == nullptr ? 0 : w->WndProc(msg, wParam, lParam);
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
    SendMessage(p.hwnd, p.msg, p.wParam, p.lParam);
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
  if (hwnd != kNoWindow && (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))) return kNoWindow;
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

int System::MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) {
  if (!messageBoxHandler_) return IDOK;
  return messageBoxHandler_(MessageBoxRequest{owner, text, title, flags});
}

}  // namespace vl::win
