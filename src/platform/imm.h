// The input-method manager: input contexts with their open status, conversion and sentence
// modes and the last confirmed composition, the association of contexts with windows, and the
// default input-method window.
//
// As on a Japanese desktop, the input method's state belongs to an input context, not to a box:
// every window uses the one default context unless a context was associated with it (or it was
// detached with ImmAssociateContext(hwnd, kNoContext)), so the mode a user leaves the input
// method in carries over from box to box. A window without a context gets no composition at all.
//
// The program side is the Imm... calls, named and behaving as the platform's. The user side
// (turning the input method on, switching its mode, confirming a composition) is driven by the
// host through UserSetState and Compose, which deliver what the platform delivers: a confirmed
// composition reaches the focus window as WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION (with
// GCS_RESULTSTR | GCS_RESULTREADSTR) and WM_IME_ENDCOMPOSITION, and the default processing of
// WM_IME_COMPOSITION posts one WM_IME_CHAR per character of the result.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/window.h"

namespace vl::win {

enum class HIMC : std::uint32_t {};
inline constexpr HIMC kNoContext{};

using LONG = std::int32_t;

inline constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;

// Conversion-mode bits.
inline constexpr DWORD IME_CMODE_ALPHANUMERIC = 0x0000;
inline constexpr DWORD IME_CMODE_NATIVE = 0x0001;
inline constexpr DWORD IME_CMODE_KATAKANA = 0x0002;
inline constexpr DWORD IME_CMODE_FULLSHAPE = 0x0008;
inline constexpr DWORD IME_CMODE_ROMAN = 0x0010;
inline constexpr DWORD IME_CMODE_CHARCODE = 0x0020;
inline constexpr DWORD IME_CMODE_HANJACONVERT = 0x0040;
inline constexpr DWORD IME_CMODE_SOFTKBD = 0x0080;

// Sentence-mode bits.
inline constexpr DWORD IME_SMODE_NONE = 0x0000;
inline constexpr DWORD IME_SMODE_PHRASEPREDICT = 0x0008;

// Composition-string indexes (and the flags of WM_IME_COMPOSITION's lParam).
inline constexpr DWORD GCS_COMPREADSTR = 0x0001;
inline constexpr DWORD GCS_COMPSTR = 0x0008;
inline constexpr DWORD GCS_RESULTREADSTR = 0x0200;
inline constexpr DWORD GCS_RESULTSTR = 0x0800;

inline constexpr LONG IMM_ERROR_NODATA = -1;
inline constexpr LONG IMM_ERROR_GENERAL = -2;

// The state a user sees in the input method's indicator.
struct ImeState {
  bool open = false;
  DWORD conversion = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN;
  DWORD sentence = IME_SMODE_PHRASEPREDICT;
};

class InputMethodManager {
 public:
  explicit InputMethodManager(System& system);
  ~InputMethodManager();
  InputMethodManager(const InputMethodManager&) = delete;
  InputMethodManager& operator=(const InputMethodManager&) = delete;

  // --- Program side ---------------------------------------------------------------------------
  // The input-method window that serves `hwnd` (one per system, made on first use); kNoWindow
  // when hwnd is not a window or no input method is installed.
  HWND ImmGetDefaultIMEWnd(HWND hwnd);
  // The context associated with the window (the default context unless another was associated);
  // kNoContext for a detached window or an unknown one. Every context obtained is released.
  HIMC ImmGetContext(HWND hwnd);
  bool ImmReleaseContext(HWND hwnd, HIMC himc);
  // Associates `himc` (kNoContext: none) with the window and returns the previous association.
  HIMC ImmAssociateContext(HWND hwnd, HIMC himc);
  HIMC ImmCreateContext();
  bool ImmDestroyContext(HIMC himc);

  bool ImmGetOpenStatus(HIMC himc) const;
  bool ImmSetOpenStatus(HIMC himc, bool open);
  bool ImmGetConversionStatus(HIMC himc, DWORD* conversion, DWORD* sentence) const;
  bool ImmSetConversionStatus(HIMC himc, DWORD conversion, DWORD sentence);
  // The bytes of a composition string (GCS_RESULTSTR, GCS_RESULTREADSTR, GCS_COMPSTR,
  // GCS_COMPREADSTR), CP932 without a terminating zero. With a zero `bufferLength` only the byte
  // length is returned; otherwise at most bufferLength bytes are copied and their count returned.
  LONG ImmGetCompositionString(HIMC himc, DWORD index, char* buffer, DWORD bufferLength) const;

  // --- User side (the host) -------------------------------------------------------------------
  // Whether an input method is installed at all (without one there is no input-method window).
  void SetInstalled(bool installed) { installed_ = installed; }
  // An input method that refuses to change its open status, as a busy one can.
  void SetOpenStatusRefused(bool refused) { openRefused_ = refused; }
  // The context the user works on: the focus window's, or the default one when nothing has the
  // focus. kNoContext when the focus window has none.
  HIMC UserContext() const;
  std::optional<ImeState> GetState(HIMC himc) const;
  // The user opens or closes the input method, or switches its modes; false when the focus
  // window has no context.
  bool UserSetState(std::optional<bool> open, std::optional<DWORD> conversion, std::optional<DWORD> sentence);
  // The user confirms a composition with its reading in the focus window. False (nothing sent)
  // when the focus window has no context or the input method is closed.
  bool Compose(const std::string& result, const std::string& reading);
  // The default processing of WM_IME_COMPOSITION: the result string's characters are posted to
  // the window as WM_IME_CHAR, lead byte * 256 + trail byte for a double-byte character.
  void PostResultChars(HWND hwnd, LPARAM flags);

  // Contexts obtained and not yet released (for tests of the release discipline).
  int OutstandingContexts() const { return outstanding_; }
  HIMC DefaultContext() const { return defaultContext_; }

 private:
  struct Context {
    ImeState state;
    std::string compStr, compReadStr, resultStr, resultReadStr;
  };
  Context* Find(HIMC himc);
  const Context* Find(HIMC himc) const;
  HIMC AssociatedContext(HWND hwnd) const;

  System& system_;
  std::unique_ptr<Window> imeWindow_;
  std::map<std::uint32_t, Context> contexts_;
  std::map<std::uint32_t, HIMC> associations_;  // windows with an explicit association
  HIMC defaultContext_;
  std::uint32_t nextContext_ = 1;
  bool installed_ = true;
  bool openRefused_ = false;
  int outstanding_ = 0;
};

}  // namespace vl::win
