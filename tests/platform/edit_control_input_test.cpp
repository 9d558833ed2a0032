// The edit control as other windows and the user reach it: subclasses, the mouse, the clipboard,
// and a long random session.
#include "platform/edit_control.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "edit_test_support.h"
#include "text/mbcs.h"

namespace vl::win::edit_test {
namespace {

// ---------------------------------------------------------------------------------------------
// Subclassing and mouse

// A window that subclasses the edit control the way the project's edit window does.
class RecordingEdit : public EditControl {
 public:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CHAR) chars.push_back(static_cast<unsigned>(wParam));
    if (msg == WM_CUT || msg == WM_COPY || msg == WM_PASTE || msg == WM_UNDO) commands.push_back(msg);
    return EditControl::WndProc(msg, wParam, lParam);
  }
  std::vector<unsigned> chars;
  std::vector<UINT> commands;
};

TEST_F(EditTest, ImeCharReachesTheSubclassAsTwoByteMessages) {
  RecordingEdit sub;
  HWND h = sub.Create(sys, WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 20}, Parent());
  sys.SendMessage(h, WM_IME_CHAR, 0x8ABF, 0);
  EXPECT_EQ(sub.chars, (std::vector<unsigned>{0x8A, 0xBF}));
  EXPECT_EQ(sub.Text(), Cp932Literal("漢"));
}

TEST_F(EditTest, ShortcutsBecomeCommandMessagesTheSubclassSees) {
  RecordingEdit sub;
  HWND h = sub.Create(sys, WS_CHILD | WS_VISIBLE | ES_MULTILINE, RECT{0, 0, 80, 20}, Parent());
  for (unsigned c : {0x03u, 0x16u, 0x18u, 0x1Au}) sys.SendMessage(h, WM_CHAR, c, 0);
  Hold(VK_SHIFT, true);
  sys.SendMessage(h, WM_KEYDOWN, VK_DELETE, 0);
  sys.SendMessage(h, WM_KEYDOWN, VK_INSERT, 0);
  Hold(VK_SHIFT, false);
  Hold(VK_CONTROL, true);
  sys.SendMessage(h, WM_KEYDOWN, VK_INSERT, 0);
  Hold(VK_CONTROL, false);
  EXPECT_EQ(sub.commands, (std::vector<UINT>{WM_COPY, WM_PASTE, WM_CUT, WM_UNDO, WM_CUT, WM_PASTE, WM_COPY}));
}

// A subclass that keeps WM_CREATE to itself, as a careless one might.
class CreateSwallowingEdit : public EditControl {
 public:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    return msg == WM_CREATE ? 0 : EditControl::WndProc(msg, wParam, lParam);
  }
};

TEST_F(EditTest, SubclassKeepingCreateStillGetsItsStyles) {
  CreateSwallowingEdit sub;
  HWND h = sub.Create(sys, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_PASSWORD, RECT{0, 0, 80, 20}, Parent());
  sys.SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a\r\nb"));
  EXPECT_EQ(sys.SendMessage(h, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(sub.ShownText(), "*\r\n*");
}

TEST_F(EditTest, RecreatedWindowStartsFromANewControlsState) {
  Make(kMulti);
  Load("ab\r\n[cd|");
  Send(EM_LIMITTEXT, 3);
  Send(EM_SETPASSWORDCHAR, '#');
  sys.DestroyWindow(hwnd);
  hwnd = edit.Create(sys, WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 20}, Parent());
  EXPECT_EQ(State(), "|");
  EXPECT_FALSE(edit.IsMultiLine());
  EXPECT_EQ(edit.PasswordChar(), 0);
  EXPECT_EQ(Send(EM_GETLIMITTEXT), EditBuffer::kDefaultLimit);
}

TEST_F(EditTest, ClickPlacesTheCaretAtTheNearestBoundaryAndDragSelects) {
  Make(kMulti, RECT{0, 0, 200, 64});
  SetText(Cp932Literal("a漢b\r\nxyz"));
  const int w = EditControl::kDefaultCharWidth;
  const int h = EditControl::kDefaultLineHeight;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w + w + 1, 2));  // right half of 漢
  EXPECT_EQ(State(), "a漢|b\r\nxyz");
  EXPECT_EQ(sys.GetFocus(), hwnd);
  EXPECT_EQ(sys.GetCapture(), hwnd);
  Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w + 1, h + 2));  // second line, after 'x'
  Send(WM_LBUTTONUP, 0, MAKELPARAM(w + 1, h + 2));
  EXPECT_EQ(State(), "a漢[b\r\nx|yz");
  EXPECT_EQ(sys.GetCapture(), kNoWindow);
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));  // no button held: nothing changes
  EXPECT_EQ(State(), "a漢[b\r\nx|yz");
}

TEST_F(EditTest, ClicksFollowTheLineAlignment) {
  const int w = EditControl::kDefaultCharWidth;
  struct Row { DWORD align; int x; const char* after; };
  // "abc" is 3 cells in a 100-pixel rectangle: right-aligned it starts at 76, centred at 38.
  for (const Row& r : {Row{ES_RIGHT, 75, "|abc"}, Row{ES_RIGHT, 76 + w + w / 2 + 1, "ab|c"},
                       Row{ES_CENTER, 38 + w / 2 + 1, "a|bc"}, Row{ES_CENTER, 37, "|abc"},
                       Row{ES_LEFT, w / 2 + 1, "a|bc"}}) {
    EditControl e;
    const HWND h = e.Create(sys, WS_CHILD | WS_VISIBLE | ES_MULTILINE | r.align, RECT{0, 0, 100, 20}, Parent());
    sys.SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    sys.SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.x, 2));
    sys.SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(r.x, 2));
    EXPECT_EQ(Markup(e.Text(), e.Buffer().Anchor(), e.Caret()), r.after) << r.align << " x=" << r.x;
  }
}

// An edit control with a proportional font: 'W' is 10 pixels wide, every other byte 3.
class ProportionalEdit : public EditControl {
 protected:
  int MeasureText(std::string_view shown) const override {
    int w = 0;
    for (char c : shown) w += c == 'W' ? 10 : 3;
    return w;
  }
};

TEST_F(EditTest, ClicksLandOnTheCharacterTheFontDrawsThere) {
  struct Row {
    DWORD style;
    const char* state;  // text and caret before the click
    int x;
    const char* after;
    const char* what;
  } rows[] = {
      {0, "|WiW", 12, "Wi|W", "right half of the narrow i"},
      {0, "|WiW", 10, "W|iW", "left half of the narrow i"},
      {0, "|WiW", 4, "|WiW", "left half of the wide W"},
      {ES_RIGHT, "|WiW", 100 - 1 - 23 + 10, "W|iW", "right-aligned: the line ends one pixel before the edge"},
      {ES_CENTER, "|WiW", 50 - 11 + 5, "W|iW", "centred by the measured width"},
      // 12 W's are 120 pixels in a 100-pixel box: scrolled so the caret at the end is in view.
      {ES_AUTOHSCROLL, "WWWWWWWWWWWW|", 98, "WWWWWWWWWWWW|", "a scrolled line: the right edge is the end"},
      {ES_AUTOHSCROLL, "WWWWWWWWWWWW|", 3, "WW|WWWWWWWWWW", "a scrolled line: the left edge is the third W"},
      {ES_MULTILINE | ES_RIGHT, "WWWWWWWWWWWW|", 3, "|WWWWWWWWWWWW", "no scrolling: a wide line starts at the left"},
      {ES_PASSWORD, "|WiW", 7, "WiW|", "a password box measures its placeholders"},
  };
  for (const Row& r : rows) {
    ProportionalEdit e;
    const HWND h = e.Create(sys, WS_CHILD | WS_VISIBLE | r.style, RECT{0, 0, 100, 20}, Parent());
    const Marked m = ParseMarkup(r.state);
    sys.SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m.text.c_str()));
    sys.SendMessage(h, EM_SETSEL, static_cast<WPARAM>(m.caret), m.caret);
    sys.SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.x, 2));
    sys.SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(r.x, 2));
    EXPECT_EQ(Markup(e.Text(), e.Buffer().Anchor(), e.Caret()), r.after) << r.what;
  }
}

TEST_F(EditTest, DoubleClickSelectsTheWord) {
  Make(kSingle);
  SetText("ab cde f");
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4 * EditControl::kDefaultCharWidth, 2));
  EXPECT_EQ(State(), "ab [cde| f");
  SetText(Cp932Literal("x 亜亜"));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5 * EditControl::kDefaultCharWidth, 2));
  EXPECT_EQ(State(), "x [亜亜|");
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50 * EditControl::kDefaultCharWidth, 2));  // past the end
  EXPECT_EQ(State(), "x [亜亜|");
}

TEST_F(EditTest, DisabledEditIgnoresClicks) {
  Make(kSingle);
  Load("ab|");
  sys.EnableWindow(hwnd, false);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 2));
  EXPECT_EQ(State(), "ab|");
  EXPECT_EQ(sys.GetCapture(), kNoWindow);
}

// ---------------------------------------------------------------------------------------------
// Invariants under a long random session of keys, characters and messages (fixed seed)

// Every character typed is whole, so the text must stay well-formed: each lead byte followed by
// a trail byte, and every position the control reports on a character boundary.
void ExpectWellFormed(const EditControl& edit, int step) {
  const std::string& t = edit.Text();
  for (std::size_t i = 0; i < t.size(); i += CharLengthAt(t, i)) {
    if (IsLeadByte(t[i])) {
      ASSERT_LT(i + 1, t.size()) << "lone lead byte at the end, step " << step;
      const auto trail = static_cast<unsigned char>(t[i + 1]);
      ASSERT_TRUE((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))
          << "lead byte without its trail at " << i << ", step " << step;
    }
  }
  for (std::int32_t pos : {edit.Buffer().Anchor(), edit.Caret()}) {
    ASSERT_FALSE(MbcsSplitsChar(t, pos)) << "position " << pos << " splits a character, step " << step;
    if (edit.IsMultiLine() && pos > 0 && pos < static_cast<std::int32_t>(t.size())) {
      ASSERT_FALSE(t[pos - 1] == '\r' && t[pos] == '\n') << "position inside a line break, step " << step;
    }
  }
  ASSERT_LE(edit.Text().size(), 40u) << "limit passed, step " << step;
  ASSERT_GE(edit.FirstVisibleLine(), 0);
  ASSERT_LE(edit.FirstVisibleLine(), std::max(0, edit.Buffer().LineCount() - 1));
}

TEST_F(EditTest, RandomSessionKeepsTextAndPositionsWellFormed) {
  for (DWORD style : {kSingle, kMulti}) {
    EditControl e;
    const HWND h = e.Create(sys, WS_CHILD | WS_VISIBLE | style, RECT{0, 0, 200, 48}, Parent());
    sys.SendMessage(h, EM_LIMITTEXT, 40, 0);
    std::mt19937 rng(20261206);
    const unsigned chars[] = {'a', ' ', '\b', '\r', '\t', 0x8A, 0xBF, 0x88, 0x9F, 0x83, 0x5C, 0x8ABF, 0x01, 0x18, 0x16, 0x1A};
    const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_DELETE, VK_INSERT};
    for (int step = 0; step < 4000; ++step) {
      const unsigned r = rng() % 100;
      if (r < 10) {
        sys.keybd_event(rng() % 2 ? VK_SHIFT : VK_CONTROL, rng() % 2 ? 0 : KEYEVENTF_KEYUP);
        sys.ProcessInput();
      } else if (r < 45) {
        sys.SendMessage(h, WM_CHAR, chars[rng() % std::size(chars)], 0);
      } else if (r < 80) {
        sys.SendMessage(h, WM_KEYDOWN, static_cast<WPARAM>(keys[rng() % std::size(keys)]), 0);
      } else if (r < 90) {
        sys.SendMessage(h, EM_SETSEL, rng() % 50, static_cast<LPARAM>(rng() % 50) - 5);
      } else if (r < 95) {
        sys.SendMessage(h, WM_COPY, 0, 0);
      } else {
        sys.SendMessage(h, WM_LBUTTONDOWN, 0, MAKELPARAM(rng() % 200, rng() % 60));
        sys.SendMessage(h, WM_LBUTTONUP, 0, 0);
      }
      ExpectWellFormed(e, step);
      if (HasFatalFailure()) return;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Clipboard

TEST_F(EditTest, CopyPutsTheSelectionOnTheClipboardAsText) {
  Make(kSingle);
  Load("a[漢|b");
  Send(WM_COPY);
  EXPECT_EQ(sys.GetClipboardData(CF_TEXT), Cp932Literal("漢") + '\0');
  EXPECT_EQ(State(), "a[漢|b");
}

TEST_F(EditTest, CopyWithoutSelectionLeavesTheClipboard) {
  Make(kSingle);
  SetClipboard("old");
  Load("a|b");
  Send(WM_COPY);
  EXPECT_EQ(Clipboard(), "old");
}

TEST_F(EditTest, CutCopiesThenDeletes) {
  Make(kSingle);
  Load("a[bc|d");
  Send(WM_CUT);
  EXPECT_EQ(Clipboard(), "bc");
  EXPECT_EQ(State(), "a|d");
  Send(WM_UNDO);
  EXPECT_EQ(State(), "a[bc|d");
}

TEST_F(EditTest, CutKeepsTheTextWhenTheClipboardCannotOpen) {
  Make(kSingle);
  Load("a[bc|d");
  sys.SetClipboardLocked(true);
  Send(WM_CUT);
  EXPECT_EQ(State(), "a[bc|d");
}

TEST_F(EditTest, PasteTakesTheTextUpToItsTerminatingZero) {
  Make(kSingle);
  SetClipboard(std::string("ab\0cd", 5));
  Send(WM_PASTE);
  EXPECT_EQ(State(), "ab|");
}

TEST_F(EditTest, PasteReplacesTheSelection) {
  Make(kSingle);
  SetClipboard(Cp932Literal("漢字"));
  Load("a[b|c");
  Send(WM_PASTE);
  EXPECT_EQ(State(), "a漢字|c");
}

TEST_F(EditTest, SingleLinePasteStopsAtTheFirstLineBreak) {
  Make(kSingle);
  SetClipboard("one\r\ntwo");
  Load("|");
  Send(WM_PASTE);
  EXPECT_EQ(State(), "one|");
}

TEST_F(EditTest, MultiLinePasteKeepsLineBreaks) {
  Make(kMulti);
  SetClipboard("one\r\ntwo");
  Load("|");
  Send(WM_PASTE);
  EXPECT_EQ(State(), "one\r\ntwo|");
  EXPECT_EQ(Send(EM_GETLINECOUNT), 2);
}

TEST_F(EditTest, PasteIsCutToTheLimitOnACharacterBoundary) {
  Make(kSingle);
  Send(EM_LIMITTEXT, 4);
  SetClipboard(Cp932Literal("x漢字"));
  Load("a|");
  Send(WM_PASTE);
  EXPECT_EQ(State(), "ax漢|");
}

TEST_F(EditTest, PasteConvertsLettersUnderTheCaseStyle) {
  Make(ES_UPPERCASE);
  SetClipboard(Cp932Literal("ab漢c"));
  Send(WM_PASTE);
  EXPECT_EQ(State(), "AB漢C|");
}

TEST_F(EditTest, ReadOnlyCopiesButRefusesCutPasteAndClear) {
  Make(ES_READONLY);
  Load("a[bc|d");
  Send(WM_COPY);
  EXPECT_EQ(Clipboard(), "bc");
  SetClipboard("zz");
  Send(WM_PASTE);
  Send(WM_CUT);
  Send(WM_CLEAR);
  Send(WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(State(), "a[bc|d");
  EXPECT_EQ(Clipboard(), "zz");
}

TEST_F(EditTest, PasswordRefusesCopyAndCut) {
  Make(ES_PASSWORD);
  SetClipboard("old");
  Load("[secret|");
  Send(WM_COPY);
  Send(WM_CUT);
  EXPECT_EQ(Clipboard(), "old");
  EXPECT_EQ(State(), "[secret|");
}

TEST_F(EditTest, KeyboardShortcutsReachTheClipboardThroughTheInputQueue) {
  Make(kSingle);
  sys.SetFocus(hwnd);
  Load("[ab|");
  Hold(VK_CONTROL, true);
  sys.keybd_event('C', 0);  // makes the character Ctrl+C
  sys.keybd_event('C', KEYEVENTF_KEYUP);
  Hold(VK_CONTROL, false);
  EXPECT_EQ(Clipboard(), "ab");
  Send(WM_KEYDOWN, VK_END);
  Hold(VK_SHIFT, true);
  sys.keybd_event(VK_INSERT, 0);  // Shift+Insert pastes
  sys.keybd_event(VK_INSERT, KEYEVENTF_KEYUP);
  Hold(VK_SHIFT, false);
  EXPECT_EQ(State(), "abab|");
}

}  // namespace
}  // namespace vl::win::edit_test
