// One form in one desktop window: the desktop's events become the box's input, the form's
// picture is presented whenever it changes, and the clipboard, the pointer, the input method's
// composition and the caret's blink follow the desktop.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "vltext/desktop.h"

namespace vl::desktop {

class DesktopWindow {
 public:
  // Opens the window (of the form's size, titled) and moves the form onto the real clock.
  // Throws vl::Error 5 when no window can be opened.
  DesktopWindow(vl::Form& form, const ShowOptions& options);
  ~DesktopWindow();
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;

  // Runs the desktop's event loop until the user closes the window.
  void Run();
  // One desktop event. An exception of the form's handlers ends the loop and reaches Run's caller.
  void Handle(const SDL_Event& event);
  // Every event waiting now, then the time that passed: timers, the caret's blink, the picture.
  void Pump();
  bool Closed() const { return closed_; }
  // What the user closed the window with is done: the box being edited gives up the focus.
  void Finish();

  SDL_Window* Window() const { return window_; }
  const std::string& Composition() const { return preedit_; }
  // How often the picture was presented (tests count it).
  int Presents() const { return presents_; }

 private:
  void KeyDown(const SDL_KeyboardEvent& key);
  void KeyUp(const SDL_KeyboardEvent& key);
  void TextInput(const char* utf8);
  void TextEditing(const char* utf8);
  void Mouse(vl::MouseAction action, int x, int y);
  void ReleaseHeldKeys();
  void ClipboardIn();
  void ClipboardOut();
  void FollowCursor();
  void Present(bool force);
  int ShowMessageBox(const vl::MessageBoxRequest& request);

  vl::Form& form_;
  ShowOptions options_;
  SDL_Window* window_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  vl::Cursor cursorShape_ = vl::Cursor::Arrow;
  bool closed_ = false;
  bool dirty_ = true;
  std::set<int> heldKeys_;
  int heldButtons_ = 0;
  std::string preedit_;
  std::string lastKana_;
  bool composing_ = false;
  std::optional<std::string> sharedClipboard_;  // the text both clipboards last agreed on
  std::uint32_t lastInputTicks_ = 0;
  bool caretShown_ = true;
  std::vector<std::uint8_t> lastPicture_;
  int presents_ = 0;
};

}  // namespace vl::desktop
