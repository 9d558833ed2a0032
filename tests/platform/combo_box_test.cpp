#include "platform/combo_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/clock.h"

namespace vl::win {
namespace {

constexpr std::uintptr_t kId = 77;

// The parent writes down each notification as a word, and may act on one.
class Parent : public Window {
 public:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_COMMAND) return DefWindowProc(msg, wParam, lParam);
    EXPECT_EQ(LOWORD(wParam), static_cast<int>(kId));
    static const char* kNames[] = {"?",          "selchange", "dblclk",  "setfocus", "killfocus",   "editchange",
                                   "editupdate", "dropdown",  "closeup", "selendok", "selendcancel"};
    const int code = HIWORD(wParam);
    heard.push_back(code >= 1 && code <= 10 ? kNames[code] : "?");
    if (onCode) onCode(code);
    return 0;
  }
  std::string Heard() {
    std::string out;
    for (const std::string& h : heard) out += (out.empty() ? "" : " ") + h;
    heard.clear();
    return out;
  }
  std::vector<std::string> heard;
  std::function<void(int)> onCode;
};

class Other : public Window {};

class ComboBoxTest : public ::testing::Test {
 protected:
  void Make(DWORD type, std::vector<std::string> items = {"apple", "Banana", "cherry", "date"}) {
    sys.CreateWindowEx(parent, "Dialog", WS_VISIBLE, RECT{0, 0, 300, 300}, kNoWindow);
    sys.CreateWindowEx(other, "Other", WS_CHILD | WS_VISIBLE, RECT{0, 250, 50, 270}, parent.Handle());
    hwnd = box.Create(sys, WS_CHILD | WS_VISIBLE | type, RECT{10, 10, 110, 30}, parent.Handle(), kId);
    for (const std::string& s : items) Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    parent.heard.clear();
  }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return sys.SendMessage(hwnd, msg, w, l); }
  void Key(int vk, bool alt = false) {
    if (alt) sys.keybd_event(VK_MENU, 0);
    sys.keybd_event(vk, 0);
    sys.keybd_event(vk, KEYEVENTF_KEYUP);
    if (alt) sys.keybd_event(VK_MENU, KEYEVENTF_KEYUP);
    sys.ProcessInput();
  }
  void Mouse(MouseAction action, POINT client) {
    sys.QueueMouse(action, sys.ClientToScreen(hwnd, client));
    sys.ProcessInput();
  }
  POINT Row(int row) const {
    const RECT list = box.DroppedRect();
    return POINT{list.left + 5, list.top + 1 + row * box.ItemHeight() + 2};
  }

  VirtualClock clock;
  System sys{clock};
  Parent parent;
  Other other;
  ComboBoxControl box;
  HWND hwnd = kNoWindow;
};

struct KeyRow {
  const char* name;
  int startSel;
  std::vector<std::pair<int, bool>> keys;  // key, with Alt
  int sel;
  bool dropped;
  const char* heard;
};

TEST_F(ComboBoxTest, KeysChangeTheSelectionAtOnceWhenClosedAndOnlyOnChoosingWhenOpen) {
  const KeyRow rows[] = {
      {"Down on a closed list", 0, {{VK_DOWN, false}}, 1, false, "selchange"},
      {"Up at the top stays", 0, {{VK_UP, false}}, 0, false, ""},
      {"End chooses the last", 0, {{VK_END, false}}, 3, false, "selchange"},
      {"F4 opens", 0, {{VK_F4, false}}, 0, true, "dropdown"},
      {"Alt+Down opens", 0, {{VK_DOWN, true}}, 0, true, "dropdown"},
      {"moving in an open list chooses nothing",
       0,
       {{VK_F4, false}, {VK_DOWN, false}, {VK_DOWN, false}},
       0,
       true,
       "dropdown"},
      {"Enter chooses the highlighted row",
       0,
       {{VK_F4, false}, {VK_DOWN, false}, {VK_RETURN, false}},
       1,
       false,
       "dropdown selendok closeup selchange"},
      {"Escape closes without a choice",
       0,
       {{VK_F4, false}, {VK_DOWN, false}, {VK_ESCAPE, false}},
       0,
       false,
       "dropdown selendcancel closeup"},
      {"F4 again closes on the highlight",
       0,
       {{VK_F4, false}, {VK_END, false}, {VK_F4, false}},
       3,
       false,
       "dropdown selendok closeup selchange"},
  };
  Make(CBS_DROPDOWNLIST);
  sys.SetFocus(hwnd);
  for (const KeyRow& row : rows) {
    if (box.IsDropped()) Send(CB_SHOWDROPDOWN, 0);
    Send(CB_SETCURSEL, static_cast<WPARAM>(row.startSel));
    parent.heard.clear();
    for (const auto& [vk, alt] : row.keys) Key(vk, alt);
    EXPECT_EQ(box.CurSel(), row.sel) << row.name;
    EXPECT_EQ(box.IsDropped(), row.dropped) << row.name;
    EXPECT_EQ(parent.Heard(), row.heard) << row.name;
  }
}

TEST_F(ComboBoxTest, ProgramChangesNotifyNothing) {
  Make(CBS_DROPDOWNLIST);
  Send(CB_SETCURSEL, 2);
  Send(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("aardvark"));
  EXPECT_EQ(box.CurSel(), 3) << "the selection follows its item";
  EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("DATE")), 1) << "a list selects an item by its text";
  EXPECT_EQ(box.CurSel(), 4);
  EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("fig")), CB_ERR);
  Send(CB_DELETESTRING, 4);
  EXPECT_EQ(box.CurSel(), -1) << "deleting the chosen item leaves none";
  EXPECT_EQ(parent.Heard(), "");
}

TEST_F(ComboBoxTest, SearchesIgnoreTheCaseOfLetters) {
  Make(CBS_DROPDOWNLIST);
  EXPECT_EQ(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("BANANA")), 1);
  EXPECT_EQ(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Ban")), CB_ERR);
  EXPECT_EQ(Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("CH")), 2);
  EXPECT_EQ(box.CurSel(), 2);
  sys.SetFocus(hwnd);
  sys.QueueChar('d');
  sys.ProcessInput();
  EXPECT_EQ(box.CurSel(), 3) << "a typed letter goes to the next item that starts with it";
}

TEST_F(ComboBoxTest, ClickingARowChoosesItAndPressingElsewhereCancels) {
  Make(CBS_DROPDOWNLIST);
  Mouse(MouseAction::LeftDown, POINT{20, 10});
  Mouse(MouseAction::LeftUp, POINT{20, 10});
  EXPECT_TRUE(box.IsDropped()) << "a click opens the list";
  EXPECT_EQ(sys.GetFocus(), hwnd);
  Mouse(MouseAction::Move, Row(2));
  EXPECT_EQ(box.Highlight(), 2) << "the row under the pointer is highlighted";
  Mouse(MouseAction::LeftDown, Row(2));
  Mouse(MouseAction::LeftUp, Row(2));
  EXPECT_FALSE(box.IsDropped());
  EXPECT_EQ(box.CurSel(), 2);
  EXPECT_EQ(parent.Heard(), "setfocus dropdown selendok closeup selchange");

  Mouse(MouseAction::LeftDown, POINT{20, 10});
  Mouse(MouseAction::LeftUp, POINT{20, 10});
  Mouse(MouseAction::LeftDown, POINT{250, 5});  // outside the box and its list
  EXPECT_FALSE(box.IsDropped());
  EXPECT_EQ(box.CurSel(), 2);
  EXPECT_EQ(parent.Heard(), "dropdown selendcancel closeup");
  EXPECT_EQ(sys.GetCapture(), kNoWindow) << "the capture goes with the list";
}

TEST_F(ComboBoxTest, LosingTheFocusClosesTheListWithoutAChoice) {
  Make(CBS_DROPDOWNLIST);
  sys.SetFocus(hwnd);
  Key(VK_F4);
  Key(VK_DOWN);
  parent.heard.clear();
  sys.SetFocus(other.Handle());
  EXPECT_FALSE(box.IsDropped());
  EXPECT_EQ(box.CurSel(), -1);
  EXPECT_EQ(parent.Heard(), "selendcancel closeup killfocus");
}

TEST_F(ComboBoxTest, AHandlerMayOpenTheListAgainWhenTheSelectionChanged) {
  Make(CBS_DROPDOWNLIST);
  int opened = 0;
  parent.onCode = [&](int code) {
    if (code == CBN_DROPDOWN) ++opened;
    if (code == CBN_SELCHANGE && box.CurSel() == 0) sys.SendMessage(hwnd, CB_SHOWDROPDOWN, 1, 0);
  };
  Send(CB_SETCURSEL, 2);
  EXPECT_TRUE(box.ChooseItem(0));
  EXPECT_TRUE(box.IsDropped()) << "open again after the choice";
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(sys.GetCapture(), hwnd);
}

TEST_F(ComboBoxTest, ChooseItemRefusesMissingRowsAndDisabledBoxes) {
  Make(CBS_DROPDOWNLIST);
  EXPECT_FALSE(box.ChooseItem(9));
  EXPECT_FALSE(box.IsDropped());
  EXPECT_EQ(box.CurSel(), -1);
  sys.EnableWindow(hwnd, false);
  EXPECT_FALSE(box.ChooseItem(1));
  EXPECT_EQ(parent.Heard(), "dropdown selendcancel closeup");
}

TEST_F(ComboBoxTest, TheEditPartReportsTypingAndTheBoxsFocus) {
  Make(CBS_DROPDOWN);
  ASSERT_NE(box.Edit(), nullptr);
  sys.SetFocus(hwnd);
  EXPECT_EQ(sys.GetFocus(), box.Edit()->Handle()) << "the box hands the focus to its edit part";
  EXPECT_EQ(parent.Heard(), "setfocus");
  sys.QueueChar('k');
  sys.ProcessInput();
  EXPECT_EQ(box.Text(), "k");
  EXPECT_EQ(parent.Heard(), "editupdate editchange");
  Key(VK_DOWN);
  EXPECT_EQ(box.Text(), "apple") << "Down in a closed box chooses the first item and shows it";
  EXPECT_EQ(parent.Heard(), "selchange");
  Key(VK_HOME);
  EXPECT_EQ(box.CurSel(), 0) << "Home moves the caret in the edit part";
  sys.SetFocus(hwnd);
  EXPECT_EQ(parent.Heard(), "") << "a move inside the box is no focus change";
  sys.SetFocus(other.Handle());
  EXPECT_EQ(parent.Heard(), "killfocus");
  Send(CB_RESETCONTENT);
  EXPECT_EQ(box.Text(), "") << "emptying the list empties the edit part";
}

TEST_F(ComboBoxTest, AnOwnerDrawnListWithoutStringsCarriesValues) {
  Make(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {});
  for (LPARAM v : {0xF1000000L, 0x00FF00L, 0x80000012L}) Send(CB_ADDSTRING, 0, v);
  EXPECT_EQ(Send(CB_GETITEMDATA, 2), 0x80000012L);
  EXPECT_EQ(Send(CB_GETLBTEXTLEN, 1), 0) << "no text";
  Send(CB_SETCURSEL, 1);
  EXPECT_EQ(box.Text(), "");
}

struct GeometryRow {
  const char* name;
  int items;
  WPARAM minVisible;
  WPARAM droppedWidth;
  int rows;
  int width;
};

TEST_F(ComboBoxTest, TheListShowsAsManyRowsAsAllowedAndIsAtLeastAsWideAsTheBox) {
  const GeometryRow rows[] = {
      {"a short list", 3, 30, 0, 3, 100},
      {"capped by the minimum visible", 40, 30, 0, 30, 100},
      {"more rows allowed", 40, 40, 0, 40, 100},
      {"never taller than the screen", 200, 200, 0, (768 - 2) / ComboBoxControl::kDefaultItemHeight, 100},
      {"widened for its items", 3, 30, 240, 3, 240},
      {"never narrower than the box", 3, 30, 40, 3, 100},
      {"an empty list keeps one row", 0, 30, 0, 1, 100},
  };
  for (const GeometryRow& row : rows) {
    Make(CBS_DROPDOWNLIST, std::vector<std::string>(static_cast<std::size_t>(row.items), "x"));
    Send(CB_SETMINVISIBLE, row.minVisible);
    Send(CB_SETDROPPEDWIDTH, row.droppedWidth);
    EXPECT_EQ(box.VisibleRows(), row.rows) << row.name;
    EXPECT_EQ(box.DroppedRect().Width(), row.width) << row.name;
    EXPECT_EQ(box.DroppedRect().top, 20) << row.name << ": right below the box";
    sys.DestroyWindow(parent.Handle());
  }
}

}  // namespace
}  // namespace vl::win
