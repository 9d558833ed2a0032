// Input as a user gives it: virtual keys, key chords, mouse actions, the pointer's shape.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vl {
inline namespace v1 {

// Virtual-key codes the box knows (the desktop's usual numbering). Letters and digits are their
// upper-case ASCII codes ('A', '7').
namespace keys {
inline constexpr int kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11, kMenu = 0x12;
inline constexpr int kEscape = 0x1B, kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24;
inline constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E;
inline constexpr int kF1 = 0x70;  // kF1 + n - 1 for Fn, n up to 12
// Keys of a Japanese keyboard: the half-width/full-width key and the conversion keys.
inline constexpr int kKanji = 0x19, kConvert = 0x1C, kNonConvert = 0x1D;
}  // namespace keys

// A key with the modifiers held around it, in the order they are pressed.
struct KeyChord {
  std::vector<int> modifiers;
  int key = 0;
};

// "Enter", "Shift+Tab", "Ctrl+Up", "F5", "A", "7": key names Enter Tab Backspace Escape Space
// PageUp PageDown End Home Left Up Right Down Insert Delete Shift Ctrl Alt F1..F12 A..Z 0..9,
// with Shift+, Ctrl+ and Alt+ prefixes in any combination. nullopt for an unknown name.
std::optional<KeyChord> ParseKeyChord(std::string_view text);

// How a key-down produces its character. The box's own keyboard table makes the character of
// every key (what a script or test wants); a desktop whose text input delivers the printable
// characters itself lets the key make only the control characters (Backspace, Tab, Enter,
// Escape, Ctrl+letter), so nothing arrives twice.
enum class KeyText { All, ControlOnly };

enum class MouseButton { Left, Right, Middle };

enum class MouseAction { Move, LeftDown, LeftUp, LeftDouble, RightDown, RightUp, MiddleDown, MiddleUp };

// The mouse pointer's shape, as the box under it asks for it.
enum class Cursor { Arrow, IBeam, SizeWE, SizeNS, SizeNWSE, SizeNESW };
// "arrow", "ibeam", "sizewe", "sizens", "sizenwse", "sizenesw".
const char* CursorName(Cursor cursor) noexcept;

}  // namespace v1
}  // namespace vl
