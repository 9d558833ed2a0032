#include "desktop/desktop_window.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <utility>

#include "desktop/kana.h"
#include "desktop/key_map.h"

namespace vl::desktop {

namespace {

// The caret blinks at the desktop's usual rate, and shows at once after any input.
constexpr std::uint32_t kCaretBlinkMs = 530;
// How long the loop sleeps at most between looks at the clock (timers, spin repeat, blink).
constexpr int kIdleWaitMs = 15;

[[noreturn]] void NoWindow(const std::string& why) { throw vl::Error(5, "no desktop window can be opened: " + why); }

// Characters the box cannot hold (a code page 932 refusal) are dropped as a keyboard drops an
// unknown key; every other failure belongs to the caller.
template <typename Input>
void Deliver(Input&& input) {
  try {
    input();
  } catch (const vl::Error& e) {
    if (e.Code() != 380) throw;
  }
}

}  // namespace

DesktopWindow::DesktopWindow(vl::Form& form, const ShowOptions& options) : form_(form), options_(options) {
  // Compositions longer than SDL's fixed event text arrive whole.
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
  // The video subsystem stays up for the life of the process once it came up: shutting it down
  // unloads the libraries it loaded (X11, the input method's D-Bus) while they still hold what
  // they allocated, and the next window would load them all again.
  static bool videoUp = false;
  if (!videoUp && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) NoWindow(SDL_GetError());
  videoUp = true;
  const vl::Rect extent = form_.Extent();
  window_ = SDL_CreateWindow(options_.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, extent.width,
                             extent.height, SDL_WINDOW_SHOWN);
  if (window_ == nullptr) NoWindow(SDL_GetError());
  form_.UseRealClock();
  form_.SetMessageBoxHandler([this](const vl::MessageBoxRequest& r) { return ShowMessageBox(r); });
  SDL_StartTextInput();
  lastInputTicks_ = SDL_GetTicks();
  // The desktop's clipboard text is what the box pastes from the start.
  ClipboardIn();
}

DesktopWindow::~DesktopWindow() {
  try {
    form_.SetMessageBoxHandler(nullptr);
    form_.SetPreedit("");
  } catch (const vl::Error&) {
    // A form that went away with its window needs nothing back.
  }
  SDL_StopTextInput();
  if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
  SDL_DestroyWindow(window_);
}

void DesktopWindow::Run() {
  Present(true);
  while (!closed_) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, kIdleWaitMs) != 0) Handle(event);
    Pump();
  }
  Finish();
}

void DesktopWindow::Pump() {
  SDL_Event event;
  while (!closed_ && SDL_PollEvent(&event) != 0) Handle(event);
  form_.Wait(0);  // the real clock: timers and repeats that fell due
  const bool shown = ((SDL_GetTicks() - lastInputTicks_) / kCaretBlinkMs) % 2 == 0;
  if (shown != caretShown_) {
    caretShown_ = shown;
    form_.SetCaretVisible(shown);
    dirty_ = true;
  }
  // While a key or button is held, timers (spin repeat) may change the picture at any moment.
  if (!heldKeys_.empty() || heldButtons_ != 0) dirty_ = true;
  Present(false);
}

void DesktopWindow::Finish() {
  ReleaseHeldKeys();
  composing_ = false;
  preedit_.clear();
  form_.SetPreedit("");
  form_.ReleaseFocus();
  ClipboardOut();
}

void DesktopWindow::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      closed_ = true;
      return;
    case SDL_WINDOWEVENT:
      if (event.window.windowID != SDL_GetWindowID(window_)) return;
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          closed_ = true;
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          ReleaseHeldKeys();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          Present(true);
          break;
        default:
          break;
      }
      return;
    case SDL_KEYDOWN:
      KeyDown(event.key);
      break;
    case SDL_KEYUP:
      KeyUp(event.key);
      break;
    case SDL_TEXTINPUT:
      TextInput(event.text.text);
      break;
    case SDL_TEXTEDITING:
      TextEditing(event.edit.text);
      break;
    case SDL_TEXTEDITING_EXT:
      TextEditing(event.editExt.text != nullptr ? event.editExt.text : "");
      SDL_free(event.editExt.text);
      break;
    case SDL_MOUSEMOTION:
      Mouse(vl::MouseAction::Move, event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEWHEEL: {
      // A notch is 120 as the component counts it; a fine wheel's part turns add up in the box.
      const float turn = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY : event.wheel.preciseY;
      form_.Wheel(vl::Point{event.wheel.mouseX, event.wheel.mouseY}, static_cast<int>(std::lround(turn * 120.0F)));
      ClipboardOut();
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      const SDL_MouseButtonEvent& b = event.button;
      vl::MouseAction action;
      if (b.button == SDL_BUTTON_LEFT) {
        // The second press of a double click is a double click, as the desktop reports it.
        action = down ? (b.clicks >= 2 && b.clicks % 2 == 0 ? vl::MouseAction::LeftDouble : vl::MouseAction::LeftDown)
                      : vl::MouseAction::LeftUp;
      } else if (b.button == SDL_BUTTON_RIGHT) {
        action = down ? vl::MouseAction::RightDown : vl::MouseAction::RightUp;
      } else if (b.button == SDL_BUTTON_MIDDLE) {
        action = down ? vl::MouseAction::MiddleDown : vl::MouseAction::MiddleUp;
      } else {
        return;
      }
      const int bit = 1 << b.button;
      heldButtons_ = down ? heldButtons_ | bit : heldButtons_ & ~bit;
      Mouse(action, b.x, b.y);
      break;
    }
    default:
      return;  // nothing the form sees: no input, no new picture
  }
  lastInputTicks_ = SDL_GetTicks();
  dirty_ = true;
}

void DesktopWindow::KeyDown(const SDL_KeyboardEvent& key) {
  const int vk = VirtualKeyOf(key.keysym.sym);
  if (vk == 0) return;
  // A paste takes the desktop's clipboard: whatever another program put there last.
  ClipboardIn();
  heldKeys_.insert(vk);
  // The printable characters come from the text input (the user's layout and input method).
  form_.KeyDown(vk, vl::KeyText::ControlOnly);
  ClipboardOut();
}

void DesktopWindow::KeyUp(const SDL_KeyboardEvent& key) {
  const int vk = VirtualKeyOf(key.keysym.sym);
  if (vk == 0 || heldKeys_.erase(vk) == 0) return;
  form_.KeyUp(vk);
}

void DesktopWindow::ReleaseHeldKeys() {
  // Keys let go while another window had the keyboard would otherwise stay down for the box.
  const std::set<int> held = std::exchange(heldKeys_, {});
  for (int vk : held) form_.KeyUp(vk);
  heldButtons_ = 0;
}

void DesktopWindow::TextEditing(const char* utf8) {
  preedit_ = utf8;
  if (!preedit_.empty()) {
    composing_ = true;
    // The last all-kana composition before the conversion is the reading of what is confirmed.
    if (IsKanaText(preedit_)) lastKana_ = preedit_;
  }
  Deliver([&] { form_.SetPreedit(preedit_); });
}

void DesktopWindow::TextInput(const char* utf8) {
  const std::string text = utf8;
  if (text.empty()) return;
  const bool composed = composing_;
  const std::string reading = HalfWidthReading(lastKana_);
  composing_ = false;
  lastKana_.clear();
  preedit_.clear();
  Deliver([&] { form_.SetPreedit(""); });
  Deliver([&] {
    if (composed) {
      // The user composed with the desktop's input method, so it is open for this box too.
      const vl::ImeState ime = form_.GetImeState();
      if (ime.attached && !ime.open) form_.SetImeState(true);
      if (form_.Compose(text, reading)) return;
    }
    form_.Characters(text);
  });
  ClipboardOut();
}

void DesktopWindow::Mouse(vl::MouseAction action, int x, int y) {
  form_.Mouse(action, vl::Point{x, y});
  FollowCursor();
  ClipboardOut();
}

void DesktopWindow::FollowCursor() {
  const vl::Cursor shape = form_.Cursor();
  if (shape == cursorShape_ && cursor_ != nullptr) return;
  SDL_Cursor* next = SDL_CreateSystemCursor(SystemCursorOf(shape));
  if (next == nullptr) return;
  SDL_SetCursor(next);
  if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
  cursor_ = next;
  cursorShape_ = shape;
}

void DesktopWindow::ClipboardIn() {
  if (SDL_HasClipboardText() != SDL_TRUE) return;
  char* raw = SDL_GetClipboardText();
  if (raw == nullptr) return;
  std::string text = raw;
  SDL_free(raw);
  if (sharedClipboard_ == text) return;
  sharedClipboard_ = text;
  // A text the box cannot hold stays on the desktop only.
  Deliver([&] { form_.SetClipboardText(text); });
}

void DesktopWindow::ClipboardOut() {
  const std::optional<std::string> text = form_.Clipboard().text;
  if (!text || text == sharedClipboard_) return;
  sharedClipboard_ = text;
  SDL_SetClipboardText(text->c_str());
}

void DesktopWindow::Present(bool force) {
  if (!force && !dirty_) return;
  dirty_ = false;
  vl::Picture picture = form_.Render();
  if (!force && picture.Rgba() == lastPicture_) return;
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (w != picture.Width() || h != picture.Height()) SDL_SetWindowSize(window_, picture.Width(), picture.Height());
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(picture.Rgba().data(), picture.Width(), picture.Height(), 32,
                                                           picture.Width() * 4, SDL_PIXELFORMAT_RGBA32);
  if (source != nullptr) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(window_);
    ++presents_;
  }
  lastPicture_ = std::move(picture.Rgba());
}

int DesktopWindow::ShowMessageBox(const vl::MessageBoxRequest& request) {
  // Keys held when the box appears are let go in the dialog, never seen by the form.
  ReleaseHeldKeys();
  if (options_.messageBox) return options_.messageBox(request);
  const std::vector<DialogButton> buttons = MessageBoxButtons(request.flags);
  std::vector<SDL_MessageBoxButtonData> data;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    std::uint32_t flags = 0;
    if (i == 0) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (buttons[i].code == 2 || (buttons.size() == 1)) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back(SDL_MessageBoxButtonData{flags, buttons[i].code, buttons[i].label});
  }
  const SDL_MessageBoxData box{MessageBoxKind(request.flags),
                               window_,
                               request.title.c_str(),
                               request.text.c_str(),
                               static_cast<int>(data.size()),
                               data.data(),
                               nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0 || pressed < 0) {
    // No dialog could be shown (or it was closed): the first button, as the keyboard default.
    return buttons.front().code;
  }
  dirty_ = true;
  return pressed;
}

void Show(vl::Form& form, const ShowOptions& options) {
  DesktopWindow window(form, options);
  window.Run();
}

}  // namespace vl::desktop
