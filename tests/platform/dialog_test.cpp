#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/button_control.h"
#include "platform/combo_box.h"
#include "platform/edit_control.h"
#include "platform/fixed_font.h"
#include "platform/static_control.h"
#include "runtime/clock.h"

namespace vl::win {
namespace {

// A dialog that counts the clicks of its buttons.
class Dialog : public Window {
 public:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks[LOWORD(wParam)];
    return DefWindowProc(msg, wParam, lParam);
  }
  std::map<int, int> clicks;
};

class Page : public Window {};

// A dialog laid out as a property frame: a page (a child dialog) with a label, an edit, a check
// box, a second label and a list, then the frame's own buttons.
class DialogTest : public ::testing::Test {
 public:
  void SetUp() override {
    sys.CreateWindowEx(dialog, kDialogClass, WS_VISIBLE, RECT{0, 0, 400, 300}, kNoWindow);
    sys.CreateWindowEx(page, kDialogClass, WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 200}, dialog.Handle());
    const DWORD child = WS_CHILD | WS_VISIBLE;
    name.Create(sys, child, RECT{0, 0, 50, 12}, page.Handle(), 0, "&Name:");
    edit.Create(sys, child | WS_TABSTOP, RECT{60, 0, 160, 16}, page.Handle());
    sys.SendMessage(edit.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("text"));
    locked.Create(sys, child | WS_TABSTOP | BS_AUTOCHECKBOX, RECT{0, 20, 80, 32}, page.Handle(), 10, "&Locked");
    kind.Create(sys, child, RECT{0, 40, 50, 52}, page.Handle(), 0, "&Kind:");
    list.Create(sys, child | WS_TABSTOP | CBS_DROPDOWNLIST, RECT{60, 40, 160, 56}, page.Handle(), 11);
    sys.SendMessage(list.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    ok.Create(sys, child | WS_TABSTOP | BS_DEFPUSHBUTTON, RECT{200, 250, 260, 270}, dialog.Handle(), IDOK, "OK");
    cancel.Create(sys, child | WS_TABSTOP, RECT{270, 250, 330, 270}, dialog.Handle(), IDCANCEL, "Cancel");
    apply.Create(sys, child | WS_TABSTOP, RECT{340, 250, 400, 270}, dialog.Handle(), 99, "&Apply");
    sys.SetPreTranslateHook([this](MSG& m) { return IsDialogMessage(sys, dialog.Handle(), m); });
  }
  // A fresh dialog for the next row of a table.
  void Rebuild() {
    sys.DestroyWindow(dialog.Handle());
    SetUp();
  }
  void Key(const std::vector<int>& held, int vk) {
    for (int h : held) sys.keybd_event(h, 0);
    sys.keybd_event(vk, 0);
    sys.keybd_event(vk, KEYEVENTF_KEYUP);
    for (auto it = held.rbegin(); it != held.rend(); ++it) sys.keybd_event(*it, KEYEVENTF_KEYUP);
    sys.ProcessInput();
  }
  std::string Focused() const {
    const HWND f = sys.GetFocus();
    const std::pair<const Window*, const char*> names[] = {{&edit, "edit"}, {&locked, "locked"}, {&list, "list"},
                                                           {&ok, "ok"},     {&cancel, "cancel"}, {&apply, "apply"}};
    for (const auto& [w, n] : names) {
      if (w->Handle() == f) return n;
    }
    return f == kNoWindow ? "none" : "?";
  }

  VirtualClock clock;
  System sys{clock};
  Dialog dialog;
  Page page;
  StaticControl name, kind;
  EditControl edit;
  ButtonControl locked, ok, cancel, apply;
  ComboBoxControl list;
};

struct TabRow {
  const char* name;
  std::function<void(DialogTest&)> setup;
  bool fromApply;           // the focus starts on Apply instead of the edit
  std::vector<bool> backs;  // each a Tab (false) or Shift+Tab (true)
  std::vector<const char*> stops;
};

TEST_F(DialogTest, TabVisitsTheEnabledVisibleTabStopsInOrder) {
  const TabRow rows[] = {
      {"through the page, then the frame",
       nullptr,
       false,
       {false, false, false, false, false, false},
       {"locked", "list", "ok", "cancel", "apply", "edit"}},
      {"Shift+Tab goes back and wraps", nullptr, false, {true, true}, {"apply", "cancel"}},
      {"a disabled control is passed over",
       [](DialogTest& t) { t.sys.EnableWindow(t.locked.Handle(), false); },
       false,
       {false},
       {"list"}},
      {"a hidden page is passed over",
       [](DialogTest& t) { t.sys.ShowWindow(t.page.Handle(), false); },
       true,
       {false, false},
       {"ok", "cancel"}},
      {"a window without WS_TABSTOP is no stop",
       [](DialogTest& t) { t.sys.SetStyle(t.list.Handle(), t.sys.GetStyle(t.list.Handle()) & ~WS_TABSTOP); },
       false,
       {false, false},
       {"locked", "ok"}},
  };
  for (const TabRow& row : rows) {
    Rebuild();
    if (row.setup) row.setup(*this);
    sys.SetFocus(row.fromApply ? apply.Handle() : edit.Handle());
    for (std::size_t i = 0; i < row.backs.size(); ++i) {
      Key(row.backs[i] ? std::vector<int>{VK_SHIFT} : std::vector<int>{}, VK_TAB);
      EXPECT_EQ(Focused(), row.stops[i]) << row.name << ", step " << i;
    }
  }
}

TEST_F(DialogTest, TabIntoAnEditSelectsItsTextAndTypesNoTab) {
  sys.SetFocus(apply.Handle());
  Key({}, VK_TAB);
  EXPECT_EQ(Focused(), "edit");
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelEnd(), 4);
  EXPECT_EQ(edit.Text(), "text");
}

struct MnemonicRow {
  const char* name;
  const char* from;
  std::vector<int> held;
  int key;
  const char* focus;
  bool clicked;    // the check box was clicked
  bool editTyped;  // the letter went into the edit instead
};

TEST_F(DialogTest, MnemonicsLeadToTheControlTheyName) {
  const MnemonicRow rows[] = {
      {"a label leads to the next control", "ok", {VK_MENU}, 'N', "edit", false, false},
      {"a label before a list", "edit", {VK_MENU}, 'K', "list", false, false},
      {"a check box is clicked", "edit", {VK_MENU}, 'L', "locked", true, false},
      {"a plain letter from a button", "ok", {}, 'L', "locked", true, false},
      {"a plain letter in an edit is typed", "edit", {}, 'L', "edit", false, true},
      {"a button of the frame", "edit", {VK_MENU}, 'A', "apply", false, false},
      {"an unknown letter does nothing", "ok", {VK_MENU}, 'Q', "ok", false, false},
  };
  for (const MnemonicRow& row : rows) {
    Rebuild();
    const std::map<std::string, HWND> windows = {{"edit", edit.Handle()}, {"ok", ok.Handle()}};
    sys.SetFocus(windows.at(row.from));
    sys.SendMessage(edit.Handle(), EM_SETSEL, 4, 4);
    Key(row.held, row.key);
    EXPECT_EQ(Focused(), row.focus) << row.name;
    EXPECT_EQ(edit.Text() != "text", row.editTyped) << row.name;
    EXPECT_EQ(locked.IsChecked(), row.clicked) << row.name;
  }
}

TEST_F(DialogTest, DuplicateMnemonicsMoveTheFocusWithoutClicking) {
  sys.SendMessage(apply.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Lock all"));
  sys.SetFocus(edit.Handle());
  Key({VK_MENU}, 'L');
  EXPECT_EQ(Focused(), "locked");
  Key({VK_MENU}, 'L');
  EXPECT_EQ(Focused(), "apply");
  Key({VK_MENU}, 'L');
  EXPECT_EQ(Focused(), "locked");
  EXPECT_FALSE(locked.IsChecked()) << "no click";
  EXPECT_TRUE(dialog.clicks.empty());
}

TEST_F(DialogTest, AMnemonicWhoseControlIsDisabledDoesNothing) {
  sys.EnableWindow(edit.Handle(), false);
  sys.SetFocus(ok.Handle());
  Key({VK_MENU}, 'N');
  EXPECT_EQ(Focused(), "ok");
}

TEST_F(DialogTest, EnterAndEscapeClickTheDefaultAndCancelButtonsUnlessAnOpenListTakesThem) {
  sys.SetFocus(edit.Handle());
  Key({}, VK_RETURN);
  Key({}, VK_ESCAPE);
  EXPECT_EQ(dialog.clicks[IDOK], 1);
  EXPECT_EQ(dialog.clicks[IDCANCEL], 1);
  sys.SetFocus(list.Handle());
  Key({}, VK_F4);
  ASSERT_TRUE(list.IsDropped());
  Key({}, VK_ESCAPE);
  EXPECT_FALSE(list.IsDropped()) << "the list took Escape";
  EXPECT_EQ(dialog.clicks[IDCANCEL], 1);
  Key({}, VK_F4);
  Key({}, VK_DOWN);
  Key({}, VK_RETURN);
  EXPECT_EQ(list.CurSel(), 0) << "the list took Enter";
  EXPECT_EQ(dialog.clicks[IDOK], 1);
}

TEST(MnemonicOf, FindsTheMarkedLetter) {
  const std::pair<const char*, char> rows[] = {
      {"&File", 'f'}, {"L&owerValue:", 'o'}, {"a&&b", 0}, {"a&&&b", 'b'}, {"end&", 0}, {"none", 0}, {"&1 - x", '1'},
  };
  for (const auto& [label, letter] : rows) EXPECT_EQ(MnemonicOf(label), letter) << label;
}

TEST(DialogUnits, FollowTheDialogFont) {
  FixedFontBackend fonts;
  DeviceContext dc(nullptr, fonts);
  LOGFONT font;
  font.lfHeight = -12;
  SelectObject(dc, CreateFontIndirect(font));
  const DialogBaseUnits base = GetDialogBaseUnits(dc);
  EXPECT_EQ(base.cx, 6);   // 6-pixel letters: 52 × 6 / 26 = 12, (12 + 1) / 2
  EXPECT_EQ(base.cy, 12);  // the line height
  EXPECT_EQ(MapDialogRect(RECT{4, 8, 44, 20}, base), (RECT{6, 12, 66, 30}));
  EXPECT_EQ(MapDialogRect(RECT{1, 1, 3, 3}, DialogBaseUnits{7, 13}), (RECT{2, 2, 5, 5})) << "rounded to nearest";
}

}  // namespace
}  // namespace vl::win
