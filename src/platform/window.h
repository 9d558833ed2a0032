// The small window system the control runs on: handles in a table, parents, class names,
// visibility, enabling, synchronous SendMessage, a posted-message queue, the keyboard focus and
// message boxes answered by the host.
//
// Handles are ids in a table owned by one System, so a destroyed window's handle resolves to
// nothing instead of dangling. Window objects are owned by their C++ owners; the table only
// points at them while the window exists.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/messages.h"
#include "runtime/clock.h"

namespace vl::win {

enum class HWND : std::uint32_t {};
inline constexpr HWND kNoWindow{};
inline std::uint32_t HandleId(HWND h) { return static_cast<std::uint32_t>(h); }

struct RECT {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
  int x = 0;
  int y = 0;
};

class System;

// A window's behaviour: its window procedure. Subclasses handle messages and pass the rest to
// DefWindowProc.
class Window {
 public:
  virtual ~Window();
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  System* Sys() const { return system_; }

  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  friend class System;
  HWND hwnd_ = kNoWindow;
  System* system_ = nullptr;
};

// What a message box shows; the host answers it.
struct MessageBoxRequest {
  HWND owner = kNoWindow;
  std::string text;   // CP932
  std::string title;  // CP932
  UINT flags = MB_OK;
};

class System {
 public:
  explicit System(Clock& clock);
  ~System();
  System(const System&) = delete;
  System& operator=(const System&) = delete;

  Clock& GetClock() const { return clock_; }

  // Creates a window for `behaviour` (not owned). WM_CREATE is sent before this returns.
  HWND CreateWindowEx(Window& behaviour, std::string className, DWORD style, RECT rect, HWND parent);
  // Destroys the window and its children (children first); false for an unknown handle.
  bool DestroyWindow(HWND hwnd);
  bool IsWindow(HWND hwnd) const;
  Window* FromHandle(HWND hwnd) const;

  LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Dispatches posted messages until the queue is empty (messages posted meanwhile included).
  void DispatchPosted();

  HWND GetParent(HWND hwnd) const;
  // The top-level window that holds hwnd (hwnd itself when it has no parent).
  HWND GetAncestorRoot(HWND hwnd) const;
  std::string GetClassName(HWND hwnd) const;
  DWORD GetStyle(HWND hwnd) const;
  void SetStyle(HWND hwnd, DWORD style);

  bool ShowWindow(HWND hwnd, bool show);  // returns the previous visibility
  // Visible when the window and all its ancestors are shown.
  bool IsWindowVisible(HWND hwnd) const;
  bool EnableWindow(HWND hwnd, bool enable);  // returns true when it was disabled
  bool IsWindowEnabled(HWND hwnd) const;

  RECT GetWindowRect(HWND hwnd) const;  // in the parent's client coordinates
  bool MoveWindow(HWND hwnd, RECT rect);

  // The focus moves: WM_KILLFOCUS to the old window (wParam the new one), then WM_SETFOCUS to the
  // new one (wParam the old one). A hidden or disabled window does not take the focus.
  HWND SetFocus(HWND hwnd);
  HWND GetFocus() const;

  // Shows a modal message box; the host's handler answers it (IDOK when none is installed).
  int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags);
  void SetMessageBoxHandler(std::function<int(const MessageBoxRequest&)> handler) {
    messageBoxHandler_ = std::move(handler);
  }

 private:
  struct Entry {
    Window* behaviour = nullptr;
    std::string className;
    DWORD style = 0;
    RECT rect;
    HWND parent = kNoWindow;
  };
  struct Posted {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };

  const Entry* Find(HWND hwnd) const;
  Entry* Find(HWND hwnd);

  Clock& clock_;
  std::map<std::uint32_t, Entry> windows_;
  std::uint32_t nextId_ = 1;
  HWND focus_ = kNoWindow;
  std::deque<Posted> posted_;
  std::function<int(const MessageBoxRequest&)> messageBoxHandler_;
};

}  // namespace vl::win
