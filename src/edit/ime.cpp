// The box and the input method: IMEMode applied while the box has the focus and the user's last
// mode read back when it leaves, the mask-driven modes of a String box, and the reading of every
// confirmed composition handed to the control as furigana.
//
// The input method's state is shared by every window that uses the default context, so the box
// takes care to leave it as it found it where it can: the sentence mode it captured at focus gain
// goes back at focus loss, and the context that mode 3 detached is attached again.
#include <algorithm>

#include "edit/edit_wnd.h"
#include "edit/furigana.h"

namespace vl {

namespace {

// Conversion bits a mode sets; the bits above 0x08 (roman, character code, hanja, soft keyboard)
// are the user's and are carried over.
win::DWORD ModeBits(std::uint16_t mode) {
  switch (mode) {
    case 4: return win::IME_CMODE_NATIVE | win::IME_CMODE_FULLSHAPE;
    case 5: case 9: return win::IME_CMODE_NATIVE | win::IME_CMODE_KATAKANA | win::IME_CMODE_FULLSHAPE;
    case 6: case 10: return win::IME_CMODE_NATIVE | win::IME_CMODE_KATAKANA;
    case 7: case 11: return win::IME_CMODE_FULLSHAPE;
    default: return 0;
  }
}

// The mode a user's state reads as: closed 2; full-width 7, hiragana 4, katakana 5; half-width 8,
// half-width katakana 6.
std::uint16_t ModeOfState(bool open, win::DWORD conversion) {
  if (!open) return 2;
  if (conversion & win::IME_CMODE_FULLSHAPE) {
    if (conversion & win::IME_CMODE_KATAKANA) return 5;
    if (conversion & win::IME_CMODE_NATIVE) return 4;
    return 7;
  }
  return (conversion & win::IME_CMODE_KATAKANA) ? 6 : 8;
}

}  // namespace

void CVlEditWnd::SetIMEMode(std::uint16_t mode) {
  imeMode = mode;
  // A change while editing takes effect at once; the old mode's restoration is not run first.
  if (IsFocusedWindow()) ApplyImeOnFocus();
}

void CVlEditWnd::ApplyImeMode(win::HIMC himc, std::uint16_t mode) {
  win::InputMethodManager& imm = Sys()->Imm();
  win::DWORD conversion = 0, sentence = 0;
  imm.ImmGetConversionStatus(himc, &conversion, &sentence);
  if (!imeOpenedByBox) return;
  if (mode < 4 || mode > 12) return;  // 1 and 2 only open or close
  const win::DWORD next = (conversion & 0xF0) | ModeBits(mode);
  if (mode >= 9) {
    // Mask-driven modes convert character by character; the user's sentence mode is kept aside.
    if (sentence != 0) savedSentenceMode = sentence;
    imm.ImmSetConversionStatus(himc, next, 0);
  } else {
    imm.ImmSetConversionStatus(himc, next, sentence == 0 ? savedSentenceMode : sentence);
  }
  appliedImeMode = mode;
}

void CVlEditWnd::ApplyImeOnFocus() {
  if (!created || Sys() == nullptr || imeMode == 0) return;
  win::InputMethodManager& imm = Sys()->Imm();
  if (imeMode == 3) {
    // Only the first detachment keeps a context: a second would keep "none".
    const win::HIMC previous = imm.ImmAssociateContext(Handle(), win::kNoContext);
    if (previous != win::kNoContext) savedContext = previous;
    return;
  }
  const win::HWND imeWindow = imm.ImmGetDefaultIMEWnd(Handle());
  if (imeWindow == win::kNoWindow) return;
  const win::HIMC himc = imm.ImmGetContext(imeWindow);
  if (imm.ImmSetOpenStatus(himc, imeMode != 2)) {
    imeOpenedByBox = true;
    win::DWORD conversion = 0, sentence = 0;
    imm.ImmGetConversionStatus(himc, &conversion, &sentence);
    savedSentenceMode = sentence;
    ApplyImeMode(himc, imeMode);
  }
  imm.ImmReleaseContext(imeWindow, himc);
}

void CVlEditWnd::RestoreImeOnFocusLost() {
  if (!created || Sys() == nullptr) return;
  win::InputMethodManager& imm = Sys()->Imm();
  // A context detached under mode 3 always returns, even when the mode changed meanwhile, so the
  // window is never left unable to compose.
  if (savedContext != win::kNoContext) imm.ImmAssociateContext(Handle(), savedContext);
  savedContext = win::kNoContext;
  const bool opened = imeOpenedByBox;
  imeOpenedByBox = false;
  appliedImeMode = 0;
  if (imeMode == 0 || imeMode == 3 || !opened) return;
  const win::HWND imeWindow = imm.ImmGetDefaultIMEWnd(Handle());
  if (imeWindow == win::kNoWindow) return;
  const win::HIMC himc = imm.ImmGetContext(imeWindow);
  win::DWORD conversion = 0, sentence = 0;
  imm.ImmGetConversionStatus(himc, &conversion, &sentence);
  imm.ImmSetConversionStatus(himc, conversion, savedSentenceMode);
  // IMEMode now reads the mode the user left the input method in.
  imeMode = ModeOfState(imm.ImmGetOpenStatus(himc), conversion);
  imm.ImmSetOpenStatus(himc, false);
  imm.ImmReleaseContext(imeWindow, himc);
}

void CVlEditWnd::SwitchImeMode(std::uint16_t mode) {
  if (!imeOpenedByBox || !created || Sys() == nullptr) return;
  win::InputMethodManager& imm = Sys()->Imm();
  const win::HWND imeWindow = imm.ImmGetDefaultIMEWnd(Handle());
  if (imeWindow == win::kNoWindow) return;
  const win::HIMC himc = imm.ImmGetContext(imeWindow);
  if (imm.ImmSetOpenStatus(himc, true)) ApplyImeMode(himc, mode);
  imm.ImmReleaseContext(imeWindow, himc);
}

void CVlEditWnd::OnImeComposition(win::LPARAM flags) {
  if ((static_cast<win::DWORD>(flags) & win::GCS_RESULTREADSTR) == 0 || !created || Sys() == nullptr) return;
  win::InputMethodManager& imm = Sys()->Imm();
  const win::HWND imeWindow = imm.ImmGetDefaultIMEWnd(Handle());
  if (imeWindow == win::kNoWindow) return;
  const win::HIMC himc = imm.ImmGetContext(imeWindow);
  const win::LONG length = imm.ImmGetCompositionString(himc, win::GCS_RESULTREADSTR, nullptr, 0);
  std::string reading;
  if (length > 0) {
    reading.resize(static_cast<std::size_t>(length));
    reading.resize(static_cast<std::size_t>(
        std::max<win::LONG>(0, imm.ImmGetCompositionString(himc, win::GCS_RESULTREADSTR, reading.data(),
                                                           static_cast<win::DWORD>(length)))));
  }
  // Released at once, like every other context the box obtains.
  imm.ImmReleaseContext(imeWindow, himc);
  const std::string kana = ConvertReading(reading, furiganaType);
  SendToControl(VLM_FURIGANA, kana);
}

}  // namespace vl
