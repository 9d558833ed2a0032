// The desktop's keys, buttons and pointers in the box's terms.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vltext/form.h"

namespace vl::desktop {

// The virtual key of a desktop key (0 for a key the box has no use for). Left and right
// modifiers are the one generic Shift, Ctrl or Alt key.
int VirtualKeyOf(SDL_Keycode key);

// The buttons of a message box from its flag word (OK, OK/Cancel, Abort/Retry/Ignore,
// Yes/No/Cancel, Yes/No, Retry/Cancel), each with the code the box expects back, the default
// button first as the platform's flag says.
struct DialogButton {
  int code;
  const char* label;
};
std::vector<DialogButton> MessageBoxButtons(std::uint32_t flags);
// SDL's message box kind for the flag word's icon (error, warning or information).
std::uint32_t MessageBoxKind(std::uint32_t flags);

// The desktop's pointer for the box's cursor shape.
SDL_SystemCursor SystemCursorOf(vl::Cursor cursor);

// Whether a composition text is kana only (hiragana, katakana, the prolonged sound mark): such a
// text is the reading a confirmed composition reports as furigana.
bool IsKanaText(std::string_view utf8);

}  // namespace vl::desktop
