// The desktop host: a real window (SDL2) that shows a form and runs the desktop's event loop,
// with the real keyboard, input method, mouse, clipboard and clock.
#pragma once

#include <functional>
#include <string>

#include "vltext/form.h"

namespace vl::desktop {

// Shows a message box as a modal dialog and returns the button pressed (1 OK, 2 Cancel, 6 Yes,
// 7 No); the default shows the desktop's own dialog.
using MessageBoxPresenter = std::function<int(const vl::MessageBoxRequest&)>;

struct ShowOptions {
  std::string title;               // UTF-8; the window's title bar
  MessageBoxPresenter messageBox;  // empty: the desktop's dialog
};

// Opens `form` in a window of the form's size and runs the event loop until the user closes the
// window. The form runs on the real clock from then on. When the window closes, the box being
// edited loses the focus as in any other focus move, so every value is as the user left it.
// Throws vl::Error 5 when no window can be opened (no display).
void Show(vl::Form& form, const ShowOptions& options);

}  // namespace vl::desktop
