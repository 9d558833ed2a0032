// Shared by the edit control's tests: edit states written as markup, inputs, and a fixture with a
// parent window and one edit control.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/edit_control.h"
#include "runtime/clock.h"
#include "text/encoding.h"

namespace vl::win::edit_test {

inline constexpr DWORD kSingle = 0;
inline constexpr DWORD kMulti = ES_MULTILINE;

// Edit states are written as UTF-8 markup: '|' is the caret and '[' the anchor of a selection
// (no '[' means no selection). Markers are split off before conversion, so they can never be
// mistaken for the trail byte of a double-byte character.
struct Marked {
  std::string text;  // CP932
  std::int32_t anchor = 0;
  std::int32_t caret = 0;
};

inline Marked ParseMarkup(const std::string& markup) {
  Marked m;
  std::string segment;
  bool sawAnchor = false;
  for (char c : markup) {
    if (c == '|' || c == '[') {
      m.text += Cp932Literal(segment);
      segment.clear();
      (c == '|' ? m.caret : m.anchor) = static_cast<std::int32_t>(m.text.size());
      sawAnchor |= c == '[';
    } else {
      segment += c;
    }
  }
  m.text += Cp932Literal(segment);
  if (!sawAnchor) m.anchor = m.caret;
  return m;
}

inline std::string Markup(const std::string& text, std::int32_t anchor, std::int32_t caret) {
  std::string out;
  std::int32_t from = 0;
  auto emit = [&](std::int32_t to, char marker) {
    out += Cp932ToUtf8(text.substr(from, to - from));
    out += marker;
    from = to;
  };
  if (anchor == caret) {
    emit(caret, '|');
  } else if (anchor < caret) {
    emit(anchor, '[');
    emit(caret, '|');
  } else {
    emit(caret, '|');
    emit(anchor, '[');
  }
  out += Cp932ToUtf8(text.substr(from));
  return out;
}

struct Input {
  enum Kind { kKey, kChar, kImeChar } kind;
  unsigned code;
  bool shift = false;
  bool ctrl = false;
};
inline Input Key(int vk) { return {Input::kKey, static_cast<unsigned>(vk)}; }
inline Input ShiftKey(int vk) { return {Input::kKey, static_cast<unsigned>(vk), true}; }
inline Input CtrlKey(int vk) { return {Input::kKey, static_cast<unsigned>(vk), false, true}; }
inline Input Char(unsigned ch) { return {Input::kChar, ch}; }
inline Input Ime(unsigned ch) { return {Input::kImeChar, ch}; }

class EditTest : public ::testing::Test {
 protected:
  // The top-level window every edit of a test lives in, made once.
  HWND Parent() {
    if (parent.Handle() == kNoWindow) sys.CreateWindowEx(parent, "Parent", WS_VISIBLE, RECT{0, 0, 400, 300}, kNoWindow);
    return parent.Handle();
  }
  HWND Make(DWORD style, RECT rect = RECT{0, 0, 200, 80}) {
    hwnd = edit.Create(sys, WS_CHILD | WS_VISIBLE | style, rect, Parent());
    return hwnd;
  }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return sys.SendMessage(hwnd, msg, w, l); }
  void SetText(const std::string& cp932) { Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cp932.c_str())); }
  void Load(const std::string& markup) {
    const Marked m = ParseMarkup(markup);
    SetText(m.text);
    Send(EM_SETSEL, static_cast<WPARAM>(m.anchor), m.caret);
  }
  std::string State() const { return Markup(edit.Text(), edit.Buffer().Anchor(), edit.Caret()); }

  // Modifier keys go through the keyboard, so the control reads them as the key state.
  void Hold(int vk, bool down) {
    sys.keybd_event(vk, down ? 0 : KEYEVENTF_KEYUP);
    sys.ProcessInput();
  }
  void SetClipboard(const std::string& cp932) {
    ASSERT_TRUE(sys.OpenClipboard(kNoWindow));
    sys.EmptyClipboard();
    sys.SetClipboardData(CF_TEXT, cp932);
    sys.CloseClipboard();
  }
  // The clipboard's text up to its terminating zero.
  std::string Clipboard() const {
    const std::string data = sys.GetClipboardData(CF_TEXT).value_or("<none>");
    return data.substr(0, data.find('\0'));
  }
  void Apply(const Input& in) {
    if (in.shift) Hold(VK_SHIFT, true);
    if (in.ctrl) Hold(VK_CONTROL, true);
    switch (in.kind) {
      case Input::kKey:
        Send(WM_KEYDOWN, in.code);
        Send(WM_KEYUP, in.code);
        break;
      case Input::kChar:
        Send(WM_CHAR, in.code);
        break;
      case Input::kImeChar:
        Send(WM_IME_CHAR, in.code);
        break;
    }
    if (in.ctrl) Hold(VK_CONTROL, false);
    if (in.shift) Hold(VK_SHIFT, false);
  }
  std::string Type(const std::string& utf8) {
    for (unsigned char c : Cp932Literal(utf8)) Send(WM_CHAR, c);
    return Cp932ToUtf8(edit.Text());
  }

  VirtualClock clock;
  System sys{clock};
  Window parent;
  EditControl edit;
  HWND hwnd = kNoWindow;
};

}  // namespace vl::win::edit_test
