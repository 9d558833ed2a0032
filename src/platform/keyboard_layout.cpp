#include "platform/keyboard_layout.h"

#include "platform/messages.h"

namespace vl::win {

namespace {

struct Oem {
  int vk;
  char plain;
  char shifted;
};

// The punctuation keys of the US layout, and the keypad's operators.
constexpr Oem kOemKeys[] = {{0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'},
                            {0xBE, '.', '>'}, {0xBF, '/', '?'}, {0xC0, '`', '~'}, {0xDB, '[', '{'},
                            {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'}};
constexpr Oem kKeypad[] = {{0x6A, '*', '*'}, {0x6B, '+', '+'}, {0x6D, '-', '-'}, {0x6E, '.', '.'}, {0x6F, '/', '/'}};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

std::uint32_t CharacterOfKey(int vk, bool shift, bool ctrl) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<std::uint32_t>(vk - 'A' + 1);
    return static_cast<std::uint32_t>(shift ? vk : vk - 'A' + 'a');
  }
  // Ctrl+Enter makes a line feed, which a multi-line edit takes as a line break.
  if (ctrl) return vk == VK_RETURN ? 10 : 0;
  if (vk >= '0' && vk <= '9') return static_cast<std::uint32_t>(shift ? kShiftedDigits[vk - '0'] : vk);
  switch (vk) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_SPACE: return ' ';
    default: break;
  }
  for (const Oem& o : kOemKeys) {
    if (o.vk == vk) return static_cast<unsigned char>(shift ? o.shifted : o.plain);
  }
  for (const Oem& o : kKeypad) {
    if (o.vk == vk) return static_cast<unsigned char>(o.plain);
  }
  if (vk >= 0x60 && vk <= 0x69) return static_cast<std::uint32_t>('0' + vk - 0x60);  // keypad digits
  return 0;
}

KeyForCharacter KeyOfCharacter(unsigned char c) {
  if (c >= 'a' && c <= 'z') return {c - 'a' + 'A', false};
  if (c >= 'A' && c <= 'Z') return {c, true};
  if (c >= '0' && c <= '9') return {c, false};
  for (int i = 0; i < 10; ++i) {
    if (c == static_cast<unsigned char>(kShiftedDigits[i])) return {'0' + i, true};
  }
  for (const Oem& o : kOemKeys) {
    if (c == static_cast<unsigned char>(o.plain)) return {o.vk, false};
    if (c == static_cast<unsigned char>(o.shifted)) return {o.vk, true};
  }
  switch (c) {
    case ' ': return {VK_SPACE, false};
    case '\r': case '\n': return {VK_RETURN, false};
    case '\t': return {VK_TAB, false};
    default: return {0, false};
  }
}

}  // namespace vl::win
