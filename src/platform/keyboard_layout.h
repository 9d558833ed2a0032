// The keyboard layout: which key (and Shift) makes which character. One table serves the
// translation of keys into characters and the typing of characters as keys.
#pragma once

#include <cstdint>

namespace vl::win {

struct KeyForCharacter {
  int vk = 0;  // 0: no key makes the character
  bool shift = false;
};

// The character a key makes with the given modifiers (0 for none), on the US layout.
std::uint32_t CharacterOfKey(int vk, bool shift, bool ctrl);
// The key that types an ASCII character.
KeyForCharacter KeyOfCharacter(unsigned char c);

}  // namespace vl::win
