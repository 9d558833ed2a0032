#include "desktop/key_map.h"

namespace vl::desktop {

int VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return keys::kF1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);  // VK_NUMPAD1..9
  struct Pair {
    SDL_Keycode sdl;
    int vk;
  };
  static constexpr Pair kKeys[] = {
      {SDLK_RETURN, keys::kReturn},
      {SDLK_KP_ENTER, keys::kReturn},
      {SDLK_TAB, keys::kTab},
      {SDLK_BACKSPACE, keys::kBack},
      {SDLK_ESCAPE, keys::kEscape},
      {SDLK_SPACE, keys::kSpace},
      {SDLK_PAGEUP, keys::kPrior},
      {SDLK_PAGEDOWN, keys::kNext},
      {SDLK_END, keys::kEnd},
      {SDLK_HOME, keys::kHome},
      {SDLK_LEFT, keys::kLeft},
      {SDLK_UP, keys::kUp},
      {SDLK_RIGHT, keys::kRight},
      {SDLK_DOWN, keys::kDown},
      {SDLK_INSERT, keys::kInsert},
      {SDLK_DELETE, keys::kDelete},
      {SDLK_LSHIFT, keys::kShift},
      {SDLK_RSHIFT, keys::kShift},
      {SDLK_LCTRL, keys::kControl},
      {SDLK_RCTRL, keys::kControl},
      {SDLK_LALT, keys::kMenu},
      {SDLK_RALT, keys::kMenu},
      {SDLK_KP_0, 0x60},
      {SDLK_KP_MULTIPLY, 0x6A},
      {SDLK_KP_PLUS, 0x6B},
      {SDLK_KP_MINUS, 0x6D},
      {SDLK_KP_PERIOD, 0x6E},
      {SDLK_KP_DIVIDE, 0x6F},
      {SDLK_SEMICOLON, 0xBA},
      {SDLK_EQUALS, 0xBB},
      {SDLK_COMMA, 0xBC},
      {SDLK_MINUS, 0xBD},
      {SDLK_PERIOD, 0xBE},
      {SDLK_SLASH, 0xBF},
      {SDLK_BACKQUOTE, 0xC0},
      {SDLK_LEFTBRACKET, 0xDB},
      {SDLK_BACKSLASH, 0xDC},
      {SDLK_RIGHTBRACKET, 0xDD},
      {SDLK_QUOTE, 0xDE},
  };
  for (const Pair& p : kKeys) {
    if (p.sdl == key) return p.vk;
  }
  return 0;
}

std::vector<DialogButton> MessageBoxButtons(std::uint32_t flags) {
  std::vector<DialogButton> buttons;
  switch (flags & 0x0F) {
    case 1:
      buttons = {{1, "OK"}, {2, "キャンセル"}};
      break;
    case 2:
      buttons = {{3, "中止"}, {4, "再試行"}, {5, "無視"}};
      break;
    case 3:
      buttons = {{6, "はい"}, {7, "いいえ"}, {2, "キャンセル"}};
      break;
    case 4:
      buttons = {{6, "はい"}, {7, "いいえ"}};
      break;
    case 5:
      buttons = {{4, "再試行"}, {2, "キャンセル"}};
      break;
    default:
      buttons = {{1, "OK"}};
      break;
  }
  // MB_DEFBUTTON2 and 3 (0x100, 0x200) move the default to the second or third button.
  const std::size_t def = (flags >> 8) & 0x0F;
  if (def > 0 && def < buttons.size()) std::swap(buttons[0], buttons[def]);
  return buttons;
}

std::uint32_t MessageBoxKind(std::uint32_t flags) {
  switch (flags & 0xF0) {
    case 0x10:
      return SDL_MESSAGEBOX_ERROR;
    case 0x30:
      return SDL_MESSAGEBOX_WARNING;
    default:
      return SDL_MESSAGEBOX_INFORMATION;
  }
}

SDL_SystemCursor SystemCursorOf(vl::Cursor cursor) {
  switch (cursor) {
    case vl::Cursor::IBeam:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case vl::Cursor::SizeWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case vl::Cursor::SizeNS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case vl::Cursor::SizeNWSE:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case vl::Cursor::SizeNESW:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case vl::Cursor::Arrow:
      break;
  }
  return SDL_SYSTEM_CURSOR_ARROW;
}

bool IsKanaText(std::string_view utf8) {
  if (utf8.empty()) return false;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    // Every kana is a three-byte UTF-8 sequence.
    if ((b & 0xF0) != 0xE0 || i + 3 > utf8.size()) return false;
    const std::uint32_t cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                             (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
    // Hiragana and katakana (U+3041-U+30FF, with the prolonged sound mark), half-width katakana.
    const bool kana = (cp >= 0x3041 && cp <= 0x30FF) || (cp >= 0xFF66 && cp <= 0xFF9F);
    if (!kana) return false;
    i += 3;
  }
  return true;
}

}  // namespace vl::desktop
