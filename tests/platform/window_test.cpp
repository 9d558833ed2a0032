#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

namespace vl::win {
namespace {

// A window that writes down every message it gets.
class Recorder : public Window {
 public:
  struct Seen {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Seen> seen;
  std::function<void(UINT, WPARAM)> onMessage;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(Seen{msg, wParam, lParam});
    if (onMessage) onMessage(msg, wParam);
    return DefWindowProc(msg, wParam, lParam);
  }
  std::vector<UINT> Messages(std::initializer_list<UINT> only) const {
    std::vector<UINT> out;
    for (const Seen& s : seen) {
      for (UINT m : only) {
        if (s.msg == m) out.push_back(m);
      }
    }
    return out;
  }
};

class WindowSystem : public ::testing::Test {
 protected:
  VirtualClock clock_;
  System sys_{clock_};
  Recorder top_, a_, b_;
  HWND topH_ = sys_.CreateWindowEx(top_, "Top", WS_VISIBLE, RECT{100, 100, 400, 300}, kNoWindow);
  HWND aH_ = sys_.CreateWindowEx(a_, "A", WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 40}, topH_);
  HWND bH_ = sys_.CreateWindowEx(b_, "B", WS_CHILD | WS_VISIBLE, RECT{10, 50, 110, 80}, topH_);
};

TEST_F(WindowSystem, FocusMovesWithKillFocusFirst) {
  sys_.SetFocus(aH_);
  a_.seen.clear();
  std::vector<std::string> order;
  a_.onMessage = [&](UINT m, WPARAM w) {
    if (m == WM_KILLFOCUS) order.push_back("kill a, new " + std::to_string(w));
  };
  b_.onMessage = [&](UINT m, WPARAM w) {
    if (m == WM_SETFOCUS) order.push_back("set b, old " + std::to_string(w));
  };
  sys_.SetFocus(bH_);
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], "kill a, new " + std::to_string(HandleId(bH_)));
  EXPECT_EQ(order[1], "set b, old " + std::to_string(HandleId(aH_)));
}

TEST_F(WindowSystem, HiddenOrDisabledWindowsDoNotTakeTheFocus) {
  sys_.ShowWindow(aH_, false);
  EXPECT_EQ(sys_.SetFocus(aH_), kNoWindow);
  EXPECT_NE(sys_.GetFocus(), aH_);
  sys_.EnableWindow(bH_, false);
  sys_.SetFocus(bH_);
  EXPECT_NE(sys_.GetFocus(), bH_);
}

TEST_F(WindowSystem, DestroyedHandlesResolveToNothing) {
  { Recorder temp; HWND h = sys_.CreateWindowEx(temp, "T", WS_CHILD, RECT{}, topH_); EXPECT_TRUE(sys_.IsWindow(h)); }
  // The recorder's destructor destroyed its window; its handle no longer resolves.
  EXPECT_EQ(sys_.SendMessage(HWND{999}, WM_USER, 0, 0), 0);
  sys_.DestroyWindow(topH_);
  EXPECT_FALSE(sys_.IsWindow(aH_));  // children go with their parent
}

TEST_F(WindowSystem, KeysBecomeKeyAndCharacterMessagesWithKeyState) {
  sys_.SetFocus(aH_);
  a_.seen.clear();
  sys_.keybd_event(VK_SHIFT, 0);
  sys_.keybd_event('A', 0);
  sys_.keybd_event('A', KEYEVENTF_KEYUP);
  sys_.keybd_event(VK_SHIFT, KEYEVENTF_KEYUP);
  sys_.ProcessInput();
  std::vector<UINT> msgs = a_.Messages({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
  EXPECT_EQ(msgs, (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYUP}));
  for (const auto& s : a_.seen) {
    if (s.msg == WM_CHAR) {
      EXPECT_EQ(s.wParam, WPARAM{'A'});
    }
  }
  EXPECT_GE(sys_.GetKeyState(VK_SHIFT), 0);
}

TEST_F(WindowSystem, CharactersOfKeys) {
  struct Row { std::vector<int> held; int vk; std::uint32_t ch; };
  for (const Row& r : {Row{{}, 'A', 'a'}, Row{{VK_SHIFT}, 'A', 'A'}, Row{{VK_CONTROL}, 'V', 22}, Row{{}, '5', '5'},
                       Row{{}, 0xBE, '.'}, Row{{}, 0xBD, '-'}, Row{{}, VK_RETURN, 13}, Row{{}, VK_LEFT, 0},
                       Row{{VK_CONTROL}, '5', 0}, Row{{VK_CONTROL}, VK_RETURN, 10}}) {
    for (int vk : r.held) sys_.keybd_event(vk, 0);
    sys_.ProcessInput();
    EXPECT_EQ(sys_.CharFromKey(r.vk), r.ch) << r.vk;
    for (int vk : r.held) sys_.keybd_event(vk, KEYEVENTF_KEYUP);
    sys_.ProcessInput();
  }
}

TEST_F(WindowSystem, PreTranslateHookCanConsumeInput) {
  sys_.SetFocus(aH_);
  a_.seen.clear();
  sys_.SetPreTranslateHook([](MSG& m) { return m.message == WM_KEYDOWN && m.wParam == VK_TAB; });
  sys_.keybd_event(VK_TAB, 0);
  sys_.keybd_event(VK_TAB, KEYEVENTF_KEYUP);
  sys_.ProcessInput();
  // A consumed key makes no character either.
  EXPECT_EQ(a_.Messages({WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (std::vector<UINT>{WM_KEYUP}));
}

TEST_F(WindowSystem, DoubleByteImeCharacterArrivesAsTwoCharacters) {
  sys_.SetFocus(aH_);
  a_.seen.clear();
  sys_.QueueChar(0x8ABF);  // 漢
  sys_.ProcessInput();
  std::vector<WPARAM> chars;
  for (const auto& s : a_.seen) {
    if (s.msg == WM_CHAR) chars.push_back(s.wParam);
  }
  EXPECT_EQ(chars, (std::vector<WPARAM>{0x8A, 0xBF}));
}

TEST_F(WindowSystem, TimersRunOnTheVirtualClock) {
  sys_.SetTimer(aH_, 7, 100);
  sys_.AdvanceTime(99);
  EXPECT_TRUE(a_.Messages({WM_TIMER}).empty());
  sys_.AdvanceTime(1);
  EXPECT_EQ(a_.Messages({WM_TIMER}).size(), 1u);
  sys_.AdvanceTime(250);
  EXPECT_EQ(a_.Messages({WM_TIMER}).size(), 3u);
  EXPECT_EQ(sys_.GetTickCount(), 350u);
  sys_.KillTimer(aH_, 7);
  sys_.AdvanceTime(1000);
  EXPECT_EQ(a_.Messages({WM_TIMER}).size(), 3u);
}

TEST_F(WindowSystem, HeldKeysRepeatWhileTimePasses) {
  sys_.SetFocus(aH_);
  sys_.keybd_event(VK_UP, 0);
  sys_.SetAutoRepeat(VK_UP, true);
  sys_.ProcessInput();
  a_.seen.clear();
  sys_.AdvanceTime(System::kRepeatDelay - 1);
  EXPECT_TRUE(a_.Messages({WM_KEYDOWN}).empty());
  sys_.AdvanceTime(1 + 3 * System::kRepeatInterval);
  ASSERT_EQ(a_.Messages({WM_KEYDOWN}).size(), 4u);
  EXPECT_NE(a_.seen.back().lParam & (LPARAM{1} << 30), 0);  // marked as a repeat
  sys_.keybd_event(VK_UP, KEYEVENTF_KEYUP);
  sys_.AdvanceTime(1000);
  EXPECT_EQ(a_.Messages({WM_KEYDOWN}).size(), 4u);
}

TEST_F(WindowSystem, MouseGoesToTheWindowUnderThePointOrTheCapture) {
  sys_.QueueMouse(MouseAction::LeftDown, POINT{100 + 20, 100 + 55});
  sys_.ProcessInput();
  ASSERT_EQ(b_.Messages({WM_LBUTTONDOWN}).size(), 1u);
  EXPECT_EQ(b_.seen.back().lParam, MAKELPARAM(10, 5));
  sys_.SetCapture(aH_);
  sys_.QueueMouse(MouseAction::LeftUp, POINT{100 + 20, 100 + 55});
  sys_.ProcessInput();
  EXPECT_EQ(a_.Messages({WM_LBUTTONUP}).size(), 1u);
  EXPECT_EQ(a_.seen.back().lParam, MAKELPARAM(10, 45));  // in the capturing window's coordinates
  EXPECT_EQ(sys_.WindowFromPoint(POINT{0, 0}), kNoWindow);
  EXPECT_EQ(sys_.WindowFromPoint(POINT{105, 105}), topH_);
}

TEST_F(WindowSystem, MessageFilterSeesMessagesBeforeTheHookAndMayRewriteOrConsumeThem) {
  std::vector<UINT> order;
  sys_.SetPreTranslateHook([&](MSG& m) {
    order.push_back(m.message);
    return false;
  });
  sys_.SetMessageFilter(aH_, [&](MSG& m) {
    order.push_back(0x8000 | m.message);
    if (m.message == WM_TIMER) return true;  // a posted message the filter keeps
    if (m.message == WM_LBUTTONDOWN) {       // aimed at another window
      m.hwnd = bH_;
      m.lParam = MAKELPARAM(1, 2);
    }
    return false;
  });
  sys_.SetFocus(aH_);
  sys_.PostMessage(aH_, WM_TIMER, 3, 0);
  sys_.keybd_event(VK_SPACE, 0);
  sys_.QueueMouse(MouseAction::LeftDown, POINT{100 + 20, 100 + 20});
  a_.seen.clear();
  sys_.ProcessInput();
  EXPECT_EQ(order, (std::vector<UINT>{0x8000 | WM_TIMER, 0x8000 | WM_KEYDOWN, WM_KEYDOWN, 0x8000 | WM_CHAR, WM_CHAR,
                                      0x8000 | WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
  EXPECT_TRUE(a_.Messages({WM_TIMER, WM_LBUTTONDOWN}).empty());
  ASSERT_EQ(b_.Messages({WM_LBUTTONDOWN}).size(), 1u);
  EXPECT_EQ(b_.seen.back().lParam, MAKELPARAM(1, 2));

  // Only its owner removes a filter, and the filter goes with the owner's window.
  sys_.ClearMessageFilter(bH_);
  order.clear();
  sys_.PostMessage(aH_, WM_TIMER, 3, 0);
  sys_.ProcessInput();
  EXPECT_EQ(order, (std::vector<UINT>{0x8000 | WM_TIMER}));
  sys_.DestroyWindow(aH_);
  order.clear();
  sys_.PostMessage(bH_, WM_TIMER, 3, 0);
  sys_.ProcessInput();
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(b_.Messages({WM_TIMER}).size(), 1u);
}

// A child whose class shows the text-insertion cursor, inside a parent that may choose itself.
class TextWindow : public Recorder {
 public:
  Cursor ClassCursor() const override { return Cursor::IBeam; }
};
class ChoosingParent : public Window {
 public:
  bool chooses = false;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_SETCURSOR && chooses) {
      Sys()->SetCursor(Cursor::SizeWE);
      return 1;
    }
    return DefWindowProc(msg, wParam, lParam);
  }
};

TEST_F(WindowSystem, PointerShapeComesFromTheParentOrTheWindowUnderIt) {
  ChoosingParent parent;
  TextWindow text;
  const HWND parentH = sys_.CreateWindowEx(parent, "P", WS_CHILD | WS_VISIBLE, RECT{0, 100, 100, 140}, topH_);
  const HWND textH = sys_.CreateWindowEx(text, "T", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, parentH);
  struct Row {
    POINT at;
    bool parentChooses;
    Cursor expected;
    const char* what;
  } rows[] = {
      {{100 + 15, 200 + 5}, false, Cursor::IBeam, "the child's class cursor"},
      {{100 + 80, 200 + 5}, false, Cursor::Arrow, "the parent's own area"},
      {{100 + 15, 200 + 5}, true, Cursor::SizeWE, "a parent may choose for its child"},
  };
  for (const Row& r : rows) {
    parent.chooses = r.parentChooses;
    sys_.SetCursor(Cursor::SizeNS);
    sys_.QueueMouse(MouseAction::Move, r.at);
    sys_.ProcessInput();
    EXPECT_EQ(sys_.GetCursor(), r.expected) << r.what;
    EXPECT_EQ(sys_.GetCursorPos(), r.at) << r.what;
  }
  // A window that holds the capture gets no WM_SETCURSOR: the pointer keeps its shape.
  parent.chooses = false;
  sys_.SetCapture(textH);
  const auto asked = text.Messages({WM_SETCURSOR}).size();
  sys_.SetCursor(Cursor::SizeNS);
  sys_.QueueMouse(MouseAction::Move, POINT{100 + 80, 200 + 5});
  sys_.ProcessInput();
  EXPECT_EQ(sys_.GetCursor(), Cursor::SizeNS);
  EXPECT_EQ(text.Messages({WM_SETCURSOR}).size(), asked);
  EXPECT_EQ(text.Messages({WM_MOUSEMOVE}).size(), 3u);
}

TEST_F(WindowSystem, ClipboardHoldsTextAndRegisteredFormats) {
  const UINT mine = sys_.RegisterClipboardFormat("VlCF_LONG");
  EXPECT_EQ(sys_.RegisterClipboardFormat("VlCF_LONG"), mine);
  EXPECT_GE(mine, 0xC000u);
  EXPECT_FALSE(sys_.SetClipboardData(CF_TEXT, "x"));  // not open
  ASSERT_TRUE(sys_.OpenClipboard(aH_));
  EXPECT_FALSE(sys_.OpenClipboard(bH_));  // one holder at a time
  sys_.EmptyClipboard();
  sys_.SetClipboardData(CF_TEXT, "-12");
  sys_.SetClipboardData(mine, std::string("\xF4\xFF\xFF\xFF", 4));
  sys_.CloseClipboard();
  EXPECT_EQ(sys_.GetClipboardData(CF_TEXT), "-12");
  EXPECT_EQ(sys_.GetClipboardData(mine)->size(), 4u);
  EXPECT_EQ(sys_.GetClipboardFormatName(mine), "VlCF_LONG");
  sys_.SetClipboardLocked(true);
  EXPECT_FALSE(sys_.OpenClipboard(aH_));
}

// A wrapper standing for a window another object made.
class Wrapper : public Window {
 public:
  void Attach(const Window& w) { AttachHandle(w); }
  void Detach() { DetachHandle(); }
};

TEST_F(WindowSystem, AttachedWrapperNamesTheWindowButNeverDestroysIt) {
  {
    Wrapper w;
    w.Attach(a_);
    EXPECT_EQ(w.Handle(), aH_);
    EXPECT_EQ(w.Sys(), &sys_);
    a_.seen.clear();
    sys_.SendMessage(w.Handle(), WM_USER, 0, 0);
    EXPECT_FALSE(a_.seen.empty()) << "messages still reach the window's own behaviour";
  }
  EXPECT_TRUE(sys_.IsWindow(aH_)) << "the wrapper went, the window stays";
  Wrapper w;
  w.Attach(b_);
  w.Detach();
  EXPECT_EQ(w.Handle(), kNoWindow);
  EXPECT_EQ(w.Sys(), nullptr);
}

}  // namespace
}  // namespace vl::win
