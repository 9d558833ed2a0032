#include "platform/button_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/clock.h"

namespace vl::win {
namespace {

// The parent records the notifications (WM_COMMAND codes) its button sends.
class CommandParent : public Window {
 public:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_COMMAND) return DefWindowProc(msg, wParam, lParam);
    EXPECT_EQ(LOWORD(wParam), 7) << "the control id";
    codes.push_back(HIWORD(wParam));
    return 0;
  }
  std::vector<int> codes;
};

// A button that keeps its clicks to itself, as a reflected handler does.
class SelfClicking : public ButtonControl {
 public:
  int clicks = 0;

 protected:
  bool OnNotify(int code) override {
    if (code != BN_CLICKED) return false;
    ++clicks;
    return true;
  }
};

class Plain : public Window {};

class ButtonControlTest : public ::testing::Test {
 public:
  void Make(DWORD type) {
    parentHwnd = sys.CreateWindowEx(parent, "Form", WS_VISIBLE, RECT{0, 0, 200, 100}, kNoWindow);
    sys.CreateWindowEx(other, "Other", WS_CHILD | WS_VISIBLE, RECT{0, 60, 50, 80}, parentHwnd);
    ASSERT_NE(button.Create(sys, WS_CHILD | WS_VISIBLE | type, RECT{10, 10, 90, 30}, parentHwnd, 7, "&OK"),
              kNoWindow);
  }
  void Mouse(MouseAction action, int x, int y) {
    sys.QueueMouse(action, sys.ClientToScreen(button.Handle(), POINT{x, y}));
    sys.ProcessInput();
  }

  VirtualClock clock;
  System sys{clock};
  CommandParent parent;
  HWND parentHwnd{};
  Plain other;
  ButtonControl button;
};

struct PressRow {
  const char* name;
  std::vector<std::pair<MouseAction, POINT>> steps;
  int clicks;
};

TEST_F(ButtonControlTest, ClickNeedsPressAndReleaseOnTheButton) {
  Make(BS_PUSHBUTTON);
  const PressRow rows[] = {
      {"press and release inside", {{MouseAction::LeftDown, {5, 5}}, {MouseAction::LeftUp, {5, 5}}}, 1},
      {"release outside", {{MouseAction::LeftDown, {5, 5}}, {MouseAction::Move, {5, 50}}, {MouseAction::LeftUp, {5, 50}}}, 0},
      {"out and back in",
       {{MouseAction::LeftDown, {5, 5}}, {MouseAction::Move, {5, 50}}, {MouseAction::Move, {6, 6}}, {MouseAction::LeftUp, {6, 6}}},
       1},
      {"release without a press", {{MouseAction::LeftUp, {5, 5}}}, 0},
  };
  for (const PressRow& row : rows) {
    parent.codes.clear();
    for (const auto& [action, p] : row.steps) Mouse(action, p.x, p.y);
    EXPECT_EQ(static_cast<int>(parent.codes.size()), row.clicks) << row.name;
    EXPECT_FALSE(button.IsPushed()) << row.name;
    EXPECT_EQ(sys.GetCapture(), kNoWindow) << row.name;
  }
}

TEST_F(ButtonControlTest, PressTakesFocusAndCaptureAndShowsPushed) {
  Make(BS_PUSHBUTTON);
  Mouse(MouseAction::LeftDown, 5, 5);
  EXPECT_EQ(sys.GetFocus(), button.Handle());
  EXPECT_EQ(sys.GetCapture(), button.Handle());
  EXPECT_EQ(sys.SendMessage(button.Handle(), BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
  Mouse(MouseAction::Move, 5, 50);
  EXPECT_EQ(sys.SendMessage(button.Handle(), BM_GETSTATE, 0, 0), BST_FOCUS) << "off the button it shows released";
}

TEST_F(ButtonControlTest, SpaceClicksOnRelease) {
  Make(BS_PUSHBUTTON);
  sys.SetFocus(button.Handle());
  sys.SendMessage(button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(button.IsPushed());
  EXPECT_TRUE(parent.codes.empty()) << "not on the press";
  sys.SendMessage(button.Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(parent.codes, std::vector<int>{BN_CLICKED});
}

TEST_F(ButtonControlTest, FocusLossCancelsASpacePress) {
  Make(BS_PUSHBUTTON);
  sys.SetFocus(button.Handle());
  sys.SendMessage(button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  sys.SetFocus(other.Handle());
  sys.SendMessage(button.Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_TRUE(parent.codes.empty());
}

TEST_F(ButtonControlTest, OwnerDrawnDoubleClickNotifiesInsteadOfPressing) {
  Make(BS_OWNERDRAW);
  Mouse(MouseAction::LeftDown, 5, 5);
  Mouse(MouseAction::LeftUp, 5, 5);
  Mouse(MouseAction::LeftDouble, 5, 5);
  Mouse(MouseAction::LeftUp, 5, 5);
  EXPECT_EQ(parent.codes, (std::vector<int>{BN_CLICKED, BN_DOUBLECLICKED}));
}

TEST_F(ButtonControlTest, PushButtonDoubleClickIsASecondPress) {
  Make(BS_PUSHBUTTON);
  Mouse(MouseAction::LeftDown, 5, 5);
  Mouse(MouseAction::LeftUp, 5, 5);
  Mouse(MouseAction::LeftDouble, 5, 5);
  Mouse(MouseAction::LeftUp, 5, 5);
  EXPECT_EQ(parent.codes, (std::vector<int>{BN_CLICKED, BN_CLICKED}));
}

TEST_F(ButtonControlTest, DisabledButtonIgnoresPressAndBmClick) {
  Make(BS_PUSHBUTTON);
  sys.EnableWindow(button.Handle(), false);
  Mouse(MouseAction::LeftDown, 5, 5);
  Mouse(MouseAction::LeftUp, 5, 5);
  sys.SendMessage(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(parent.codes.empty());
}

TEST_F(ButtonControlTest, ReflectedHandlerKeepsTheClick) {
  parentHwnd = sys.CreateWindowEx(parent, "Form", WS_VISIBLE, RECT{0, 0, 200, 100}, kNoWindow);
  SelfClicking own;
  own.Create(sys, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 50, 20}, parentHwnd, 7);
  sys.SendMessage(own.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(own.clicks, 1);
  EXPECT_TRUE(parent.codes.empty()) << "a reflected notification does not reach the parent";
}

TEST_F(ButtonControlTest, LabelIsTheWindowText) {
  Make(BS_OWNERDRAW);
  EXPECT_EQ(sys.SendMessage(button.Handle(), WM_GETTEXTLENGTH, 0, 0), 3);
  sys.SendMessage(button.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Yes"));
  char small[3] = {};
  EXPECT_EQ(sys.SendMessage(button.Handle(), WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
  EXPECT_STREQ(small, "Ye") << "cut to the buffer, zero-terminated";
  EXPECT_EQ(button.Label(), "Yes");
}

TEST_F(ButtonControlTest, OwnerDrawnButtonKeepsNoCheckState) {
  Make(BS_OWNERDRAW);
  sys.SendMessage(button.Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(sys.SendMessage(button.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

struct CheckRow {
  const char* name;
  DWORD type;
  std::function<void(ButtonControlTest&)> click;
  LRESULT check;  // after one click
  int clicks;     // BN_CLICKED heard
};

TEST_F(ButtonControlTest, AnAutomaticCheckBoxTogglesOnEveryKindOfClick) {
  const CheckRow rows[] = {
      {"mouse", BS_AUTOCHECKBOX,
       [](ButtonControlTest& t) {
         t.Mouse(MouseAction::LeftDown, 5, 5);
         t.Mouse(MouseAction::LeftUp, 5, 5);
       },
       BST_CHECKED, 1},
      {"Space", BS_AUTOCHECKBOX,
       [](ButtonControlTest& t) {
         t.sys.SetFocus(t.button.Handle());
         t.sys.SendMessage(t.button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
         t.sys.SendMessage(t.button.Handle(), WM_KEYUP, VK_SPACE, 0);
       },
       BST_CHECKED, 1},
      {"BM_CLICK", BS_AUTOCHECKBOX, [](ButtonControlTest& t) { t.sys.SendMessage(t.button.Handle(), BM_CLICK, 0, 0); },
       BST_CHECKED, 1},
      {"a release off the box", BS_AUTOCHECKBOX,
       [](ButtonControlTest& t) {
         t.Mouse(MouseAction::LeftDown, 5, 5);
         t.Mouse(MouseAction::LeftUp, 5, 50);
       },
       BST_UNCHECKED, 0},
      {"a plain check box leaves the state to its owner", BS_CHECKBOX,
       [](ButtonControlTest& t) { t.sys.SendMessage(t.button.Handle(), BM_CLICK, 0, 0); }, BST_UNCHECKED, 1},
  };
  for (const CheckRow& row : rows) {
    sys.DestroyWindow(parentHwnd);
    Make(row.type);
    parent.codes.clear();
    row.click(*this);
    EXPECT_EQ(sys.SendMessage(button.Handle(), BM_GETCHECK, 0, 0), row.check) << row.name;
    EXPECT_EQ(static_cast<int>(parent.codes.size()), row.clicks) << row.name;
  }
  sys.SendMessage(button.Handle(), BM_SETCHECK, BST_CHECKED, 0);
  sys.DestroyWindow(parentHwnd);
  Make(BS_AUTOCHECKBOX);
  EXPECT_EQ(sys.SendMessage(button.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a new window starts unchecked";
}

TEST_F(ButtonControlTest, TellsADialogWhatKindOfButtonItIs) {
  const std::pair<DWORD, LRESULT> rows[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},
  };
  for (const auto& [type, code] : rows) {
    sys.DestroyWindow(parentHwnd);
    Make(type);
    EXPECT_EQ(sys.SendMessage(button.Handle(), WM_GETDLGCODE, 0, 0), code) << type;
  }
}

}  // namespace
}  // namespace vl::win
