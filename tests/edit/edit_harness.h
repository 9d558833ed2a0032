// An edit window on its own: a parent that writes down what the editor tells the control, and a
// second window for the focus to go to.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/edit_messages.h"
#include "edit/edit_wnd.h"
#include "platform/imm.h"
#include "platform/window.h"

namespace vl::testing {

class ControlRecorder : public win::Window {
 public:
  std::vector<VlErrorRecord> errors;
  std::vector<TypedValue> userChecks;
  std::vector<std::string> furigana;
  std::vector<win::UINT> navigation;  // VLM_NEXTCONTROL / VLM_PREVCONTROL
  int changes = 0;
  int focusLeft = 0;
  std::int32_t userCheckAnswer = 0;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override {
    switch (msg) {
      case VLM_ERROR:
        if (const auto* record = ReceiveVlm<const VlErrorRecord>(msg, lParam)) errors.push_back(*record);
        return 0;
      case VLM_USERCHECK:
        if (auto* record = ReceiveVlm<VlUserCheckRecord>(msg, lParam)) {
          userChecks.push_back(record->newValue);
          record->errCode = userCheckAnswer;
        }
        return 0;
      case VLM_FURIGANA:
        if (const auto* kana = ReceiveVlm<const std::string>(msg, lParam)) furigana.push_back(*kana);
        return 0;
      case VLM_NEXTCONTROL:
      case VLM_PREVCONTROL: navigation.push_back(msg); return 0;
      case VLM_CHANGE: ++changes; return 0;
      case VLM_FOCUSLEFT: ++focusLeft; return 0;
      default: return DefWindowProc(msg, wParam, lParam);
    }
  }
};

class Plain : public win::Window {};

// Owns the system, the parent and another focusable window; the editor is the test's own.
struct EditHarness {
  VirtualClock clock;
  win::System sys{clock};
  ControlRecorder parent;
  Plain elsewhere;

  EditHarness() {
    sys.CreateWindowEx(parent, "VLTEXT", win::WS_VISIBLE, win::RECT{0, 0, 200, 24}, win::kNoWindow);
    sys.CreateWindowEx(elsewhere, "VLTEXT", win::WS_VISIBLE, win::RECT{0, 30, 200, 54}, win::kNoWindow);
  }
  win::InputMethodManager& Imm() { return sys.Imm(); }

  // Creates the editor's window in the parent (80 pixels wide: ten half-width cells) and shows it.
  void Create(CVlEditWnd& edit, std::uint32_t bits = 0, int width = 80) {
    ASSERT_TRUE(edit.Create(sys, bits, win::RECT{0, 0, width, 24}, parent.Handle()));
    edit.ShowEditor(true);
  }
  void Focus(CVlEditWnd& edit) { sys.SetFocus(edit.Handle()); }
  void Leave() { sys.SetFocus(elsewhere.Handle()); }
  // Characters as typed: single bytes as WM_CHAR, double-byte ones from the input method.
  void Type(const std::string& cp932) {
    for (std::size_t p = 0; p < cp932.size(); ++p) {
      const auto c = static_cast<unsigned char>(cp932[p]);
      if (c >= 0x81 && (c <= 0x9F || c >= 0xE0) && p + 1 < cp932.size()) {
        sys.QueueChar((static_cast<std::uint32_t>(c) << 8) | static_cast<unsigned char>(cp932[++p]));
      } else {
        sys.QueueChar(c);
      }
      sys.ProcessInput();
    }
  }
  void SetClipboardText(const std::string& text) {
    sys.OpenClipboard(win::kNoWindow);
    sys.EmptyClipboard();
    sys.SetClipboardData(win::CF_TEXT, text + '\0');
    sys.CloseClipboard();
  }
  std::string ClipboardText() const {
    auto t = sys.GetClipboardData(win::CF_TEXT);
    return t ? t->substr(0, t->find('\0')) : std::string("<none>");
  }
};

}  // namespace vl::testing
