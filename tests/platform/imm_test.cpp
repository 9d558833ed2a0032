#include "platform/imm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window.h"

namespace vl::win {
namespace {

// Writes down the input-method messages and the characters they turn into.
class ImeRecorder : public Window {
 public:
  std::vector<UINT> messages;
  std::vector<WPARAM> imeChars;
  std::string reading;
  bool passOn = true;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_IME_STARTCOMPOSITION || msg == WM_IME_COMPOSITION || msg == WM_IME_ENDCOMPOSITION) {
      messages.push_back(msg);
    }
    if (msg == WM_IME_CHAR) imeChars.push_back(wParam);
    if (msg == WM_IME_COMPOSITION && (lParam & GCS_RESULTREADSTR)) {
      InputMethodManager& imm = Sys()->Imm();
      const HIMC himc = imm.ImmGetContext(Handle());
      const LONG n = imm.ImmGetCompositionString(himc, GCS_RESULTREADSTR, nullptr, 0);
      reading.assign(static_cast<std::size_t>(n), '\0');
      imm.ImmGetCompositionString(himc, GCS_RESULTREADSTR, reading.data(), static_cast<DWORD>(n));
      imm.ImmReleaseContext(Handle(), himc);
      if (!passOn) return 0;
    }
    return DefWindowProc(msg, wParam, lParam);
  }
};

class InputMethod : public ::testing::Test {
 protected:
  InputMethod() {
    sys_.CreateWindowEx(a_, "BOX", WS_VISIBLE, RECT{0, 0, 10, 10}, kNoWindow);
    sys_.CreateWindowEx(b_, "BOX", WS_VISIBLE, RECT{0, 0, 10, 10}, kNoWindow);
  }
  InputMethodManager& imm() { return sys_.Imm(); }

  VirtualClock clock_;
  System sys_{clock_};
  ImeRecorder a_;
  ImeRecorder b_;
};

TEST_F(InputMethod, EveryWindowSharesTheDefaultContextSoAModeCarriesOver) {
  const HIMC ca = imm().ImmGetContext(a_.Handle());
  const HIMC cb = imm().ImmGetContext(b_.Handle());
  EXPECT_EQ(ca, cb);
  EXPECT_TRUE(imm().ImmSetOpenStatus(ca, true));
  EXPECT_TRUE(imm().ImmSetConversionStatus(ca, IME_CMODE_NATIVE | IME_CMODE_KATAKANA, 0));
  DWORD conversion = 0, sentence = 99;
  EXPECT_TRUE(imm().ImmGetOpenStatus(cb));
  EXPECT_TRUE(imm().ImmGetConversionStatus(cb, &conversion, &sentence));
  EXPECT_EQ(conversion, IME_CMODE_NATIVE | IME_CMODE_KATAKANA);
  EXPECT_EQ(sentence, 0u);
  imm().ImmReleaseContext(a_.Handle(), ca);
  imm().ImmReleaseContext(b_.Handle(), cb);
  EXPECT_EQ(imm().OutstandingContexts(), 0);
}

TEST_F(InputMethod, DetachingAWindowLeavesItWithoutContextAndReturnsThePreviousOne) {
  const HIMC own = imm().ImmCreateContext();
  EXPECT_EQ(imm().ImmAssociateContext(a_.Handle(), own), imm().DefaultContext());
  EXPECT_EQ(imm().ImmAssociateContext(a_.Handle(), kNoContext), own);
  EXPECT_EQ(imm().ImmGetContext(a_.Handle()), kNoContext);
  EXPECT_EQ(imm().ImmAssociateContext(a_.Handle(), own), kNoContext);
  EXPECT_EQ(imm().ImmGetContext(a_.Handle()), own);
  imm().ImmReleaseContext(a_.Handle(), own);
  // A destroyed context is no context any more; the default one cannot be destroyed.
  EXPECT_TRUE(imm().ImmDestroyContext(own));
  EXPECT_EQ(imm().ImmGetContext(a_.Handle()), kNoContext);
  EXPECT_FALSE(imm().ImmDestroyContext(imm().DefaultContext()));
}

TEST_F(InputMethod, TheDefaultImeWindowIsOneHiddenWindowAndNoneWithoutAnInputMethod) {
  const HWND w = imm().ImmGetDefaultIMEWnd(a_.Handle());
  ASSERT_NE(w, kNoWindow);
  EXPECT_EQ(imm().ImmGetDefaultIMEWnd(b_.Handle()), w);
  EXPECT_EQ(sys_.GetClassName(w), "IME");
  EXPECT_FALSE(sys_.IsWindowVisible(w));
  EXPECT_EQ(imm().ImmGetDefaultIMEWnd(kNoWindow), kNoWindow);
  imm().SetInstalled(false);
  EXPECT_EQ(imm().ImmGetDefaultIMEWnd(a_.Handle()), kNoWindow);
}

TEST_F(InputMethod, ARefusingInputMethodKeepsItsOpenStatus) {
  const HIMC c = imm().DefaultContext();
  imm().SetOpenStatusRefused(true);
  EXPECT_FALSE(imm().ImmSetOpenStatus(c, true));
  EXPECT_FALSE(imm().ImmGetOpenStatus(c));
}

TEST_F(InputMethod, CompositionStringsReportTheirLengthAndCopyAtMostTheBuffer) {
  sys_.SetFocus(a_.Handle());
  imm().UserSetState(true, std::nullopt, std::nullopt);
  ASSERT_TRUE(imm().Compose("\x8a\x77\x8d\x5a", "\xb6\xde\xaf\xba\xb3"));  // 学校, ｶﾞｯｺｳ
  const HIMC c = imm().DefaultContext();
  EXPECT_EQ(imm().ImmGetCompositionString(c, GCS_RESULTSTR, nullptr, 0), 4);
  EXPECT_EQ(imm().ImmGetCompositionString(c, GCS_RESULTREADSTR, nullptr, 0), 5);
  char two[2] = {};
  EXPECT_EQ(imm().ImmGetCompositionString(c, GCS_RESULTREADSTR, two, 2), 2);
  EXPECT_EQ(std::string(two, 2), "\xb6\xde");
  EXPECT_EQ(imm().ImmGetCompositionString(c, 0x4000, nullptr, 0), IMM_ERROR_GENERAL);
  EXPECT_EQ(imm().ImmGetCompositionString(HIMC{999}, GCS_RESULTSTR, nullptr, 0), IMM_ERROR_GENERAL);
}

TEST_F(InputMethod, AConfirmedCompositionArrivesAsMessagesThenOneImeCharPerCharacter) {
  sys_.SetFocus(a_.Handle());
  imm().UserSetState(true, std::nullopt, std::nullopt);
  ASSERT_TRUE(imm().Compose("\x8a\x77" "A", "\xb6\xde"));
  EXPECT_EQ(a_.messages, (std::vector<UINT>{WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION}));
  EXPECT_EQ(a_.reading, "\xb6\xde");
  EXPECT_TRUE(a_.imeChars.empty()) << "the characters are posted, not sent";
  sys_.ProcessInput();
  EXPECT_EQ(a_.imeChars, (std::vector<WPARAM>{0x8A77, 'A'}));
  EXPECT_TRUE(b_.messages.empty());
}

TEST_F(InputMethod, AWindowThatTakesTheCompositionItselfGetsNoCharacters) {
  a_.passOn = false;
  sys_.SetFocus(a_.Handle());
  imm().UserSetState(true, std::nullopt, std::nullopt);
  ASSERT_TRUE(imm().Compose("\x8a\x77", ""));
  sys_.ProcessInput();
  EXPECT_TRUE(a_.imeChars.empty());
}

TEST_F(InputMethod, NoCompositionWhenClosedDetachedOrUnfocused) {
  EXPECT_FALSE(imm().Compose("x", "x")) << "nothing has the focus";
  sys_.SetFocus(a_.Handle());
  EXPECT_FALSE(imm().Compose("x", "x")) << "the input method is closed";
  imm().UserSetState(true, std::nullopt, std::nullopt);
  imm().ImmAssociateContext(a_.Handle(), kNoContext);
  EXPECT_FALSE(imm().Compose("x", "x")) << "the window has no context";
  EXPECT_FALSE(imm().UserSetState(false, std::nullopt, std::nullopt));
  EXPECT_TRUE(a_.messages.empty());
}

TEST_F(InputMethod, TheUserChangesTheFocusWindowsContextOrTheDefaultOne) {
  const HIMC own = imm().ImmCreateContext();
  imm().ImmAssociateContext(a_.Handle(), own);
  sys_.SetFocus(a_.Handle());
  EXPECT_TRUE(imm().UserSetState(true, IME_CMODE_FULLSHAPE, 0));
  EXPECT_TRUE(imm().GetState(own)->open);
  EXPECT_FALSE(imm().GetState(imm().DefaultContext())->open);
  sys_.SetFocus(kNoWindow);
  EXPECT_TRUE(imm().UserSetState(true, std::nullopt, std::nullopt));
  EXPECT_TRUE(imm().GetState(imm().DefaultContext())->open);
}

}  // namespace
}  // namespace vl::win
