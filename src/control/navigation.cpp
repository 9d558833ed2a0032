// Keyboard focus and tab navigation: activating editing, moving to the next or previous control
// through the host's own dialog navigation, the keyboard filter and the mnemonic.
#include "control/typed_box_ctrl.h"
#include "text/mbcs.h"

namespace vl {

namespace {

constexpr const char* kBrowserWindowClass = "Internet Explorer_Server";

}  // namespace

void CVlTypedBoxCtrl::MoveToControl(bool next) {
  // A synthetic Tab lets the host's dialog navigation do the move; the user's Shift state is
  // restored afterwards, so a held Shift still reads as held.
  win::System& sys = site_.WindowSystem();
  const bool shiftHeld = (sys.GetKeyState(win::VK_SHIFT) & 0x8000) != 0;
  auto tab = [&] {
    sys.keybd_event(win::VK_TAB, 0);
    sys.keybd_event(win::VK_TAB, win::KEYEVENTF_KEYUP);
  };
  if (!next) {
    if (!shiftHeld) sys.keybd_event(win::VK_SHIFT, 0);
    tab();
    if (!shiftHeld) sys.keybd_event(win::VK_SHIFT, win::KEYEVENTF_KEYUP);
  } else {
    if (shiftHeld) sys.keybd_event(win::VK_SHIFT, win::KEYEVENTF_KEYUP);
    tab();
    if (shiftHeld) sys.keybd_event(win::VK_SHIFT, 0);
  }
}

bool CVlTypedBoxCtrl::IsBrowserHosted() const {
  const win::System& sys = site_.WindowSystem();
  for (win::HWND h = sys.GetParent(Handle()); h != win::kNoWindow; h = sys.GetParent(h)) {
    if (sys.GetClassName(h).substr(0, 256) == kBrowserWindowClass) return true;
  }
  return false;
}

bool CVlTypedBoxCtrl::PreTranslateKeyboard(const win::MSG& msg) {
  const win::HWND edit = EditorWindow();
  if (edit == win::kNoWindow) return false;
  win::System& sys = site_.WindowSystem();
  if (msg.message == win::WM_KEYDOWN || msg.message == win::WM_KEYUP) {
    switch (static_cast<int>(msg.wParam)) {
      case win::VK_LEFT: case win::VK_UP: case win::VK_RIGHT: case win::VK_DOWN:
        sys.SendMessage(edit, msg.message, msg.wParam, msg.lParam);
        return true;
      case win::VK_PRIOR: case win::VK_NEXT: case win::VK_END: case win::VK_HOME: case win::VK_DELETE:
        // A browser would scroll its page on these; elsewhere the host's handling is left alone.
        if (!IsBrowserHosted()) return false;
        sys.SendMessage(edit, msg.message, msg.wParam, msg.lParam);
        return true;
      default:
        return false;
    }
  }
  if (msg.message == win::WM_CHAR && msg.wParam == 9) {
    sys.SendMessage(edit, msg.message, msg.wParam, msg.lParam);
    return true;
  }
  return false;
}

std::string CVlTypedBoxCtrl::ShownText() const {
  CVlEditWnd* editor = Editor();
  if (editor == nullptr) return "";
  // While editing: what the edit window shows, layout literals and password placeholders
  // included, so the text and the positions SelStart counts are the ones on screen.
  if (EditorVisible()) return editor->EditingText();
  std::string display;
  editor->GetDisplayText(display);
  return display;
}

std::optional<Mnemonic> CVlTypedBoxCtrl::GetMnemonic() const {
  auto after = [](const std::string& text) -> char {
    // The character after the first "&"; a double-byte character cannot be an accelerator.
    for (std::size_t p = 0; p < text.size(); p += static_cast<std::size_t>(CharLengthAt(text, p))) {
      if (text[p] == '&') return p + 1 < text.size() && !IsLeadByte(text[p + 1]) ? text[p + 1] : 0;
    }
    return 0;
  };
  char key = 0;
  if (core_.dataType == VlTextBoolean && !core_.caption.empty()) key = after(core_.caption);
  for (int d = 0; d < 4 && key == 0; ++d) {
    const std::string& text = captions_[static_cast<std::size_t>(d)]->Text();
    if (text.find('&') != std::string::npos) key = after(text);
  }
  if (key == 0) return std::nullopt;
  return Mnemonic{static_cast<std::uint8_t>(key), true, 102};
}

}  // namespace vl
