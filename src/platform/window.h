// The small window system the control runs on: handles in a table, parents, class names,
// visibility, enabling, synchronous SendMessage, a posted-message queue, the keyboard focus, key
// state and synthetic input, timers on the injectable clock, mouse capture, the clipboard with
// registered formats, and message boxes answered by the host.
//
// Handles are ids in a table owned by one System, so a destroyed window's handle resolves to
// nothing instead of dangling. Window objects are owned by their C++ owners; the table only
// points at them while the window exists.
//
// Re-entrancy: a send runs the receiver's code, and through it the host's, which may change or
// destroy what the sender is still using. A sender that goes on after a send checks that what it
// works on is still there (the weak handle it started with); an object whose code may be on the
// stack is not deleted but handed to DeleteLater, which deletes it once the outermost dispatch
// (send, or host call into a control under a DispatchScope) has returned.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
  friend bool operator==(const POINT&, const POINT&) = default;
};

inline bool PtInRect(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// A message as the message loop sees it before dispatch.
struct MSG {
  HWND hwnd{};
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Shapes of the mouse pointer.
enum class Cursor { Arrow, IBeam, SizeWE, SizeNS, SizeNWSE, SizeNESW };

// Mouse input as the user gives it, in screen coordinates.
enum class MouseAction { Move, LeftDown, LeftUp, LeftDouble, RightDown, RightUp, MiddleDown, MiddleUp };

class System;
class InputMethodManager;
struct CommonDialogRequest;  // platform/common_dialogs.h
class DeviceContext;

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
  // The pointer over this window when neither it nor a parent chooses another on WM_SETCURSOR.
  virtual Cursor ClassCursor() const { return Cursor::Arrow; }
  // Paints the window's client area into `dc`, as WM_PRINTCLIENT does: the origin is the
  // window's top-left corner and the clip its rectangle. A window paints only itself; the window
  // system paints its children over it (System::PrintWindow). The default paints nothing.
  virtual void PrintClient(DeviceContext& dc);

 protected:
  // Makes this object stand for a window another object made and handles (a wrapper around a
  // child control): Handle() and Sys() then name that window, while its messages still go to its
  // own behaviour. An attached object never destroys the window; detach it before the window
  // goes, or when the window tells its wrapper it is going.
  void AttachHandle(const Window& other);
  void DetachHandle();

 private:
  friend class System;
  HWND hwnd_ = kNoWindow;
  System* system_ = nullptr;
  bool attached_ = false;
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
  // The input-method manager of this system (platform/imm.h).
  InputMethodManager& Imm() const { return *imm_; }

  // Creates a window for `behaviour` (not owned). WM_CREATE is sent before this returns.
  HWND CreateWindowEx(Window& behaviour, std::string className, DWORD style, RECT rect, HWND parent);
  // Destroys the window and its children (children first); false for an unknown handle.
  // A window already being destroyed (a handler of its WM_KILLFOCUS or WM_DESTROY asking again)
  // is left to the destruction in progress.
  bool DestroyWindow(HWND hwnd);
  bool IsWindow(HWND hwnd) const;
  Window* FromHandle(HWND hwnd) const;

  LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // --- Deferred deletion. A scope marks host code on the stack as a send does: a control's entry
  // points open one, so that what their callees retire stays alive until they return.
  class DispatchScope {
   public:
    explicit DispatchScope(System& system) : system_(system) { ++system_.dispatchDepth_; }
    ~DispatchScope() { system_.LeaveDispatch(); }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

   private:
    System& system_;
  };
  // Deletes `object` now when no dispatch is on the stack, else once the outermost one returns.
  void DeleteLater(std::unique_ptr<Window> object);
  // How many sends and scopes are on the stack.
  int DispatchDepth() const { return dispatchDepth_; }

  bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Dispatches posted messages until the queue is empty (messages posted meanwhile included).
  void DispatchPosted();

  HWND GetParent(HWND hwnd) const;
  // The direct children of a window (kNoWindow: the top-level windows), in creation order, which
  // is also the order a dialog tabs through them.
  std::vector<HWND> GetChildWindows(HWND parent) const { return ChildrenOf(parent); }
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
  // new one (wParam the old one). A hidden or disabled window, or one being destroyed, does not
  // take the focus.
  HWND SetFocus(HWND hwnd);
  HWND GetFocus() const;

  // Paints `root` and its shown descendants into `dc`, with `root`'s top-left corner at `at`:
  // each window paints itself (Window::PrintClient), clipped to its rectangle and those of its
  // ancestors, parents before children and later children over earlier ones. A hidden child is
  // not painted, nor anything inside it; `root` itself is, since a picture of it was asked for.
  void PrintWindow(HWND root, DeviceContext& dc, POINT at);

  // --- Coordinates: a window's rectangle is in its parent's client coordinates; a top-level
  // window's in screen coordinates. There is no non-client area.
  POINT ClientToScreen(HWND hwnd, POINT p) const;
  POINT ScreenToClient(HWND hwnd, POINT p) const;
  // The deepest visible window under a screen point (later children lie above earlier ones).
  HWND WindowFromPoint(POINT screen) const;

  // --- Keyboard. GetKeyState: bit 15 while the key is down, bit 0 toggled by each press.
  short GetKeyState(int vk) const;
  // Queues a key as the user's keyboard would; the message loop (ProcessInput) turns it into
  // key and character messages for the focus window.
  void keybd_event(int vk, DWORD flags);
  // Queues a character that no key makes (a character from an input method or a layout the
  // keyboard table does not know): WM_CHAR, or WM_IME_CHAR for a double-byte character.
  void QueueChar(std::uint32_t ch);
  // Held keys repeat while time passes (AdvanceTime): first after kRepeatDelay, then every
  // kRepeatInterval milliseconds, with bit 30 of lParam set.
  static constexpr std::uint32_t kRepeatDelay = 500;
  static constexpr std::uint32_t kRepeatInterval = 33;
  void SetAutoRepeat(int vk, bool repeat);

  // --- Mouse input, queued like keys.
  void QueueMouse(MouseAction action, POINT screen);
  // Marks mouse buttons as held (or none), as during a drag that began outside the window.
  void SetHeldButtons(const std::vector<MouseAction>& downs);
  HWND SetCapture(HWND hwnd);
  bool ReleaseCapture();
  HWND GetCapture() const;
  // The pointer: where the last mouse input put it (screen coordinates) and its shape. Before
  // each mouse message to a window that does not hold the capture, the window gets WM_SETCURSOR
  // (wParam the window under the pointer, lParam HTCLIENT and the mouse message); its default
  // processing asks the parent first and else shows the window's class cursor.
  POINT GetCursorPos() const { return cursorPos_; }
  void SetCursor(Cursor cursor) { cursor_ = cursor; }
  Cursor GetCursor() const { return cursor_; }

  // --- The caret: one for the whole system, as on the desktop. The window that shows it puts it
  // where it draws it (in its client coordinates, `height` pixels tall); the host blinks it by
  // hiding and showing it.
  struct CaretPlace {
    HWND owner = kNoWindow;
    POINT client;
    int height = 0;
  };
  void SetCaretPos(HWND owner, POINT client, int height) { caret_ = CaretPlace{owner, client, height}; }
  // Where the caret is, while its owner still holds the focus.
  std::optional<CaretPlace> GetCaretPlace() const;
  void SetCaretBlinkShown(bool shown) { caretShown_ = shown; }
  bool CaretBlinkShown() const { return caretShown_; }

  // A window's own look at the messages the loop takes, before the host's pre-translate hook and
  // dispatch, as a modal loop of that window would see them: input messages and posted ones. The
  // filter may rewrite a message (another target or point) and returns true for one it consumed.
  // One filter at a time; it goes with its owner window.
  void SetMessageFilter(HWND owner, std::function<bool(MSG&)> filter);
  void ClearMessageFilter(HWND owner);

  // --- The message loop: dispatches posted messages and queued input until both are empty.
  // `preTranslate` (the host's hook: keyboard filters, dialog navigation) sees every input
  // message first and may consume it.
  void SetPreTranslateHook(std::function<bool(MSG&)> hook) { preTranslate_ = std::move(hook); }
  void ProcessInput();
  // The character a key-down makes with the current key state (0 for none), as TranslateMessage.
  std::uint32_t CharFromKey(int vk) const;

  // --- Timers on the clock. WM_TIMER (wParam the id) goes to the window when due.
  bool SetTimer(HWND hwnd, std::uintptr_t id, std::uint32_t elapse);
  bool KillTimer(HWND hwnd, std::uintptr_t id);
  // Moves a virtual clock forward, running due timers and key repeats in time order.
  void AdvanceTime(std::uint32_t milliseconds);
  std::uint32_t GetTickCount() const { return clock_.TickCount(); }
  std::uint32_t GetDoubleClickTime() const { return 500; }

  // --- Clipboard. Formats registered by name get numbers from 0xC000 up.
  bool OpenClipboard(HWND owner);
  bool CloseClipboard();
  bool EmptyClipboard();
  bool SetClipboardData(UINT format, std::string data);
  std::optional<std::string> GetClipboardData(UINT format) const;
  bool IsClipboardFormatAvailable(UINT format) const;
  UINT RegisterClipboardFormat(const std::string& name);
  std::string GetClipboardFormatName(UINT format) const;
  std::vector<UINT> EnumClipboardFormats() const;
  // The host can make the clipboard unavailable, as another program holding it open would.
  void SetClipboardLocked(bool locked) { clipboardLocked_ = locked; }

  // Shows a modal message box; the host's handler answers it (IDOK when none is installed).
  int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags);
  void SetMessageBoxHandler(std::function<int(const MessageBoxRequest&)> handler) {
    messageBoxHandler_ = std::move(handler);
  }
  // Shows a common dialog (colour, file open, font; platform/common_dialogs.h). The host's handler
  // answers it: true for OK with the request's results filled in, false for Cancel, which is also
  // the answer when no handler is installed.
  bool RunCommonDialog(CommonDialogRequest& request);
  void SetCommonDialogHandler(std::function<bool(CommonDialogRequest&)> handler) {
    commonDialogHandler_ = std::move(handler);
  }

 private:
  friend class Window;
  struct Entry {
    Window* behaviour = nullptr;
    std::string className;
    DWORD style = 0;
    RECT rect;
    HWND parent = kNoWindow;
    bool destroying = false;              // DestroyWindow is under way
    std::vector<std::uint32_t> children;  // their ids, in creation order, some maybe gone
    std::size_t goneChildren = 0;         // how many of those ids are gone
  };
  struct Posted {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };

  struct Input {
    enum class Kind { Key, Char, Mouse } kind;
    int vk = 0;
    bool up = false;
    bool repeat = false;
    bool controlCharOnly = false;  // KEYEVENTF_CONTROLCHARONLY
    std::uint32_t ch = 0;
    MouseAction action = MouseAction::Move;
    POINT screen;
  };
  struct Timer {
    HWND hwnd;
    std::uintptr_t id;
    std::uint32_t elapse;
    std::uint64_t due;
  };

  const Entry* Find(HWND hwnd) const;
  Entry* Find(HWND hwnd);
  void DispatchInput(const Input& input);
  // False when the message filter or the pre-translate hook consumed the message.
  bool DispatchMessage(MSG msg);
  bool Filtered(MSG& msg);
  std::vector<HWND> ChildrenOf(HWND parent) const;
  void LeaveDispatch();
  // `clip` is where the window may show, in the coordinates `origin` is given in.
  void PrintTree(HWND hwnd, DeviceContext& dc, POINT origin, RECT clip);

  Clock& clock_;
  // Every window by id, so that every message finds its window in one step; empty slots are
  // windows destroyed. Ids only grow and are never reused, so this is also creation order, which
  // is the order children paint in, and an entry stays where it is until its window is destroyed.
  std::vector<std::unique_ptr<Entry>> windows_;
  std::uint32_t nextId_ = 1;
  HWND focus_ = kNoWindow;
  std::deque<Posted> posted_;
  std::function<int(const MessageBoxRequest&)> messageBoxHandler_;
  std::function<bool(CommonDialogRequest&)> commonDialogHandler_;
  std::function<bool(MSG&)> preTranslate_;

  std::deque<Input> input_;
  std::array<std::uint8_t, 256> keyState_{};
  int repeatKey_ = 0;
  std::uint64_t repeatDue_ = 0;
  HWND capture_ = kNoWindow;
  POINT cursorPos_;
  Cursor cursor_ = Cursor::Arrow;
  CaretPlace caret_;
  bool caretShown_ = true;
  HWND filterOwner_ = kNoWindow;
  std::function<bool(MSG&)> filter_;
  std::uint64_t now_ = 0;  // milliseconds of virtual time passed through AdvanceTime
  std::vector<Timer> timers_;

  bool clipboardOpen_ = false;
  bool clipboardLocked_ = false;
  std::map<UINT, std::string> clipboard_;
  std::map<std::string, UINT> registeredFormats_;

  int dispatchDepth_ = 0;
  std::vector<std::unique_ptr<Window>> deferred_;  // DeleteLater's objects, oldest first

  std::unique_ptr<InputMethodManager> imm_;  // last: its window goes before the table
};

// A control tells its parent of a notification: WM_COMMAND with MAKEWPARAM(id, code) and the
// control's handle id as lParam; nothing when the control has no parent.
void NotifyParent(System& system, HWND control, std::uintptr_t controlId, int code);

}  // namespace vl::win
