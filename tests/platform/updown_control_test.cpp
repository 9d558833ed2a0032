#include "platform/updown_control.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/clock.h"

namespace vl::win {
namespace {

// The parent records every position change offered to it and answers with `answer`.
class NotifyParent : public Window {
 public:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_NOTIFY) return DefWindowProc(msg, wParam, lParam);
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
    EXPECT_EQ(wParam, change->hdr.idFrom);
    changes.push_back(*change);
    return answer;
  }
  std::vector<NMUPDOWN> changes;
  LRESULT answer = 0;
};

// A subclass that answers the reflected notification itself, as a spin button does: it takes the
// step, puts the position back to 0 and lets the change through.
class ResettingUpDown : public UpDownControl {
 protected:
  bool OnDeltaPos(NMUPDOWN& change, LRESULT& answer) override {
    deltas.push_back(change.iDelta);
    Sys()->SendMessage(Handle(), UDM_SETPOS, 0, 0);
    answer = 0;
    return true;
  }

 public:
  std::vector<int> deltas;
};

constexpr RECT kArrows{0, 0, 16, 20};  // upper half y 0-9, lower half y 10-19
constexpr LPARAM kOnUp = MAKELPARAM(8, 4);
constexpr LPARAM kOnDown = MAKELPARAM(8, 15);
constexpr std::uintptr_t kId = 10042;

class UpDownTest : public ::testing::Test {
 protected:
  void Make(UpDownControl& control) {
    sys.CreateWindowEx(parent, "Parent", WS_VISIBLE, RECT{0, 0, 200, 100}, kNoWindow);
    hwnd = control.Create(sys, WS_CHILD | WS_VISIBLE, kArrows, parent.Handle(), kId);
  }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return sys.SendMessage(hwnd, msg, w, l); }
  void SpinRange() { Send(UDM_SETRANGE, 0, MAKELPARAM(32767, -32767)); }
  void Wait(std::uint32_t ms) { sys.AdvanceTime(ms); }

  VirtualClock clock;
  System sys{clock};
  NotifyParent parent;
  HWND hwnd = kNoWindow;
};

TEST_F(UpDownTest, RangeWordsAreSignedAndReadBackPacked) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  EXPECT_EQ(ud.Lower(), -32767);
  EXPECT_EQ(ud.Upper(), 32767);
  EXPECT_EQ(Send(UDM_GETRANGE), MAKELPARAM(32767, -32767));
}

TEST_F(UpDownTest, SetPosReturnsThePreviousPositionAndClampsToTheRange) {
  UpDownControl ud;
  Make(ud);
  Send(UDM_SETRANGE, 0, MAKELPARAM(10, -5));
  EXPECT_EQ(Send(UDM_SETPOS, 0, -3), 0);
  EXPECT_EQ(static_cast<std::int16_t>(LOWORD(Send(UDM_GETPOS))), -3);
  EXPECT_EQ(HIWORD(Send(UDM_GETPOS)), 0);  // valid position
  EXPECT_EQ(Send(UDM_SETPOS, 0, 99), -3);
  EXPECT_EQ(ud.Pos(), 10);
}

TEST_F(UpDownTest, PressOnUpperHalfGivesOneChangeAtOnce) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  ASSERT_EQ(parent.changes.size(), 1u);
  const NMUPDOWN& c = parent.changes[0];
  EXPECT_EQ(c.hdr.code, UDN_DELTAPOS);
  EXPECT_EQ(c.hdr.hwndFrom, HandleId(hwnd));
  EXPECT_EQ(c.hdr.idFrom, kId);
  EXPECT_EQ(c.iPos, 0);
  EXPECT_EQ(c.iDelta, 1);
  EXPECT_EQ(ud.Pos(), 1);
  EXPECT_EQ(ud.Pressed(), UpDownControl::Arrow::kUp);
  Send(WM_LBUTTONUP, 0, kOnUp);
  EXPECT_EQ(ud.Pressed(), UpDownControl::Arrow::kNone);
  EXPECT_EQ(parent.changes.size(), 1u);
}

TEST_F(UpDownTest, PressOnLowerHalfStepsDown) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnDown);
  Send(WM_LBUTTONUP, 0, kOnDown);
  ASSERT_EQ(parent.changes.size(), 1u);
  EXPECT_EQ(parent.changes[0].iDelta, -1);
  EXPECT_EQ(ud.Pos(), -1);
}

TEST_F(UpDownTest, DefaultRangeRunsFromHundredDownToZeroSoUpIsAtItsEnd) {
  UpDownControl ud;
  Make(ud);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);  // up moves toward 0, where the position already is
  Send(WM_LBUTTONUP, 0, kOnUp);
  EXPECT_TRUE(parent.changes.empty());
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnDown);
  Send(WM_LBUTTONUP, 0, kOnDown);
  ASSERT_EQ(parent.changes.size(), 1u);
  EXPECT_EQ(parent.changes[0].iDelta, 1);
  EXPECT_EQ(ud.Pos(), 1);
}

TEST_F(UpDownTest, NonzeroAnswerCancelsTheChange) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  parent.answer = 1;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  EXPECT_EQ(parent.changes.size(), 1u);
  EXPECT_EQ(ud.Pos(), 0);
}

TEST_F(UpDownTest, AtTheEndOfTheRangeNothingIsSent) {
  UpDownControl ud;
  Make(ud);
  Send(UDM_SETRANGE, 0, MAKELPARAM(3, 0));
  Send(UDM_SETPOS, 0, 3);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  Wait(1000);
  EXPECT_TRUE(parent.changes.empty());
  EXPECT_EQ(ud.Pos(), 3);
}

TEST_F(UpDownTest, HeldPressRepeatsAfterTheFirstDelayThenAtTheInterval) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  Wait(UpDownControl::kFirstRepeatDelay - 10);
  EXPECT_EQ(parent.changes.size(), 1u);  // nothing before the first delay has passed
  Wait(10);
  EXPECT_EQ(parent.changes.size(), 2u);
  Wait(UpDownControl::kRepeatInterval - 10);
  EXPECT_EQ(parent.changes.size(), 2u);
  Wait(10);
  EXPECT_EQ(parent.changes.size(), 3u);
  Wait(4 * UpDownControl::kRepeatInterval);
  EXPECT_EQ(parent.changes.size(), 7u);
  EXPECT_EQ(ud.Pos(), 7);
  Send(WM_LBUTTONUP, 0, kOnUp);
  Wait(1000);
  EXPECT_EQ(parent.changes.size(), 7u);  // release stops the repeat
}

TEST_F(UpDownTest, RepeatPausesWhileTheMouseIsOffThePressedArrow) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  Send(WM_MOUSEMOVE, MK_LBUTTON, kOnDown);  // the other arrow does not count
  Wait(1000);
  EXPECT_EQ(parent.changes.size(), 1u);
  Send(WM_MOUSEMOVE, MK_LBUTTON, kOnUp);
  Wait(UpDownControl::kRepeatInterval);
  EXPECT_EQ(parent.changes.size(), 2u);
  EXPECT_EQ(parent.changes.back().iDelta, 1);
}

TEST_F(UpDownTest, LosingTheCaptureStopsTheRepeat) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  EXPECT_EQ(sys.GetCapture(), hwnd);
  sys.ReleaseCapture();
  Wait(1000);
  EXPECT_EQ(parent.changes.size(), 1u);
  EXPECT_EQ(ud.Pressed(), UpDownControl::Arrow::kNone);
}

TEST_F(UpDownTest, SubclassAnswersTheNotificationBeforeTheParent) {
  ResettingUpDown ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnDown);
  Wait(UpDownControl::kFirstRepeatDelay + 10 * UpDownControl::kRepeatInterval);
  Send(WM_LBUTTONUP, 0, kOnDown);
  EXPECT_TRUE(parent.changes.empty());
  // Reset to 0 on every change, the position never runs out of range however long the press.
  EXPECT_EQ(ud.deltas, std::vector<int>(12, -1));
  EXPECT_EQ(ud.Pos(), -1);
}

TEST_F(UpDownTest, CaptureBringsTheReleaseBackFromOutside) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  sys.QueueMouse(MouseAction::LeftDown, POINT{8, 4});
  Wait(UpDownControl::kFirstRepeatDelay);
  EXPECT_EQ(parent.changes.size(), 2u);
  sys.QueueMouse(MouseAction::Move, POINT{150, 80});  // over the parent, off the arrows
  Wait(200);
  EXPECT_EQ(parent.changes.size(), 2u);
  sys.QueueMouse(MouseAction::LeftUp, POINT{150, 80});
  sys.ProcessInput();
  EXPECT_EQ(ud.Pressed(), UpDownControl::Arrow::kNone);
  EXPECT_EQ(sys.GetCapture(), kNoWindow);
  sys.QueueMouse(MouseAction::Move, POINT{8, 4});
  Wait(1000);
  EXPECT_EQ(parent.changes.size(), 2u);
}

TEST_F(UpDownTest, QuickSecondClickIsAnotherPress) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  Send(WM_LBUTTONUP, 0, kOnUp);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, kOnUp);
  Send(WM_LBUTTONUP, 0, kOnUp);
  EXPECT_EQ(parent.changes.size(), 2u);
  EXPECT_EQ(ud.Pos(), 2);
}

TEST_F(UpDownTest, DisabledControlIgnoresPresses) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  sys.EnableWindow(hwnd, false);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  Wait(1000);
  EXPECT_TRUE(parent.changes.empty());
}

TEST_F(UpDownTest, DisablingDuringAPressStopsTheRepeat) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kOnUp);
  sys.EnableWindow(hwnd, false);
  Wait(1000);
  EXPECT_EQ(parent.changes.size(), 1u);
  EXPECT_EQ(sys.GetCapture(), kNoWindow);
}

TEST_F(UpDownTest, RecreatedWindowStartsFromTheDefaultRange) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(UDM_SETPOS, 0, 5);
  sys.DestroyWindow(hwnd);
  hwnd = ud.Create(sys, WS_CHILD | WS_VISIBLE, kArrows, parent.Handle(), kId);
  EXPECT_EQ(ud.Pos(), 0);
  EXPECT_EQ(Send(UDM_GETRANGE), MAKELPARAM(0, 100));
}

TEST_F(UpDownTest, PressOutsideTheArrowsDoesNothing) {
  UpDownControl ud;
  Make(ud);
  SpinRange();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 40));
  Wait(1000);
  EXPECT_TRUE(parent.changes.empty());
  EXPECT_EQ(ud.Pressed(), UpDownControl::Arrow::kNone);
}

}  // namespace
}  // namespace vl::win
