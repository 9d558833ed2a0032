// The Boolean box's editor and its check box, driven through the window system as the control
// and the user drive them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/boolean_edit.h"
#include "edit/edit_messages.h"
#include "runtime/clock.h"

namespace vl {
namespace {

// The control's side of the conversation: every VLM_ message, in order, with the key of the
// navigation requests and the value of the host checks.
class ControlStub : public win::Window {
 public:
  std::vector<win::UINT> sent;
  std::vector<TypedValue> checked;
  std::vector<std::int32_t> moveKeys;
  std::int32_t keyPressAnswer = -1;  // -1 leaves the character as it is

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override {
    if (msg < VLM_FOCUSLEFT || msg > VLM_USERCHECK) return DefWindowProc(msg, wParam, lParam);
    sent.push_back(msg);
    if (const auto* check = ReceiveVlm<const VlUserCheckRecord>(msg, lParam)) checked.push_back(check->newValue);
    if (const auto* key = ReceiveVlm<const std::int32_t>(msg, lParam); key != nullptr && msg != VLM_KEYPRESS) {
      moveKeys.push_back(*key);
    }
    if (auto* ch = ReceiveVlm<std::int32_t>(msg, lParam); ch != nullptr && msg == VLM_KEYPRESS && keyPressAnswer >= 0) {
      *ch = keyPressAnswer;
    }
    return 0;
  }
  int Count(win::UINT msg) const { return static_cast<int>(std::count(sent.begin(), sent.end(), msg)); }
};

class Plain : public win::Window {};

class BooleanEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys.CreateWindowEx(control, "VlTextCtrl", win::WS_CHILD | win::WS_VISIBLE, win::RECT{0, 0, 200, 40}, form);
    sys.CreateWindowEx(other, "Other", win::WS_CHILD | win::WS_VISIBLE, win::RECT{0, 50, 100, 70}, form);
  }

  void Make(std::int32_t keepNull = 0, std::uint16_t tabs = 0) {
    edit.keepNull = keepNull;
    edit.SetTabByReturn(tabs & kTabByReturn);
    edit.SetTabByVertKey(tabs & kTabByVertKey);
    edit.SetTabByHorzKey(tabs & kTabByHorzKey);
    edit.SetTabByInputLast(tabs & kTabByInputLast);
    edit.SetCaption("&Agree");
    ASSERT_TRUE(edit.Create(sys, 0, win::RECT{0, 0, 200, 40}, control.Handle()));
  }

  // Press and release the left button at a point of the button, as the user's mouse does.
  void Click(int x = 5, int y = 5) {
    const win::POINT p = sys.ClientToScreen(edit.Handle(), win::POINT{x, y});
    sys.QueueMouse(win::MouseAction::LeftDown, p);
    sys.QueueMouse(win::MouseAction::LeftUp, p);
    sys.ProcessInput();
  }
  void Key(int vk) {
    sys.keybd_event(vk, 0);
    sys.keybd_event(vk, win::KEYEVENTF_KEYUP);
    sys.ProcessInput();
  }
  // The state the box would give the control: "Null", "True" or "False".
  std::string State() {
    const EditorValue v = edit.GetValue();
    return v.isNull ? "Null" : (v.value.AsBool() ? "True" : "False");
  }

  VirtualClock clock;
  win::System sys{clock};
  Plain formWindow;
  win::HWND form = sys.CreateWindowEx(formWindow, "Form", win::WS_VISIBLE, win::RECT{0, 0, 300, 200}, win::kNoWindow);
  ControlStub control;
  Plain other;
  CVlBooleanEdit edit;
};

// --- Check-box geometry ------------------------------------------------------------------------

struct SideRow {
  const char* name;
  int n;
  int side;
};

TEST(CheckBoxGeometry, SideFollowsTheStepTable) {
  const SideRow rows[] = {
      {"zero stays zero", 0, 0},          {"small sizes are kept", 6, 6},  {"seven shrinks to six", 7, 6},
      {"eight loses two", 8, 6},           {"eleven loses two", 11, 9},     {"twelve loses three", 12, 9},
      {"fourteen loses three", 14, 11},    {"fifteen loses four", 15, 11},  {"nineteen loses four", 19, 15},
      {"twenty loses six", 20, 14},        {"twenty-six loses six", 26, 20}, {"twenty-seven loses nine", 27, 18},
      {"thirty-nine loses nine", 39, 30}, {"forty loses fourteen", 40, 26}, {"large fonts lose fourteen", 100, 86},
  };
  for (const SideRow& row : rows) EXPECT_EQ(CheckBoxSide(row.n), row.side) << row.name;
}

TEST(CheckBoxGeometry, BaseSizeIsTheTextHeightWithinTheRectangle) {
  EXPECT_EQ(CheckBoxBaseSize(win::RECT{0, 0, 100, 30}, 16), 16) << "a tall rectangle: the text decides";
  EXPECT_EQ(CheckBoxBaseSize(win::RECT{0, 0, 100, 10}, 16), 10) << "a low rectangle: the box must fit it";
  EXPECT_EQ(CheckBoxBaseSize(win::RECT{0, 0, 100, 0}, 16), 0) << "an empty rectangle draws no box";
}

struct LayoutRow {
  const char* name;
  win::RECT rect;
  int textHeight;
  win::SIZE caption;
  int alignment;
  win::RECT box;
  win::RECT captionRect;
};

TEST(CheckBoxGeometry, BoxAtTheLeftCentredCaptionAligned) {
  const LayoutRow rows[] = {
      {"box centred vertically at the left", {10, 0, 210, 30}, 16, {0, 0}, 0, {10, 9, 22, 21}, {26, 0, 26, 0}},
      {"caption beside the box, left", {0, 0, 200, 30}, 16, {40, 16}, 0, {0, 9, 12, 21}, {16, 7, 56, 23}},
      {"caption at the right edge", {0, 0, 200, 30}, 16, {40, 16}, 1, {0, 9, 12, 21}, {160, 7, 200, 23}},
      {"caption centred in its area", {0, 0, 200, 30}, 16, {40, 16}, 2, {0, 9, 12, 21}, {88, 7, 128, 23}},
      {"a wide caption starts after the box and is cut", {0, 0, 60, 30}, 16, {80, 16}, 1, {0, 9, 12, 21}, {16, 7, 60, 23}},
      {"a low box shrinks the square", {0, 0, 200, 10}, 16, {40, 16}, 0, {0, 1, 8, 9}, {12, 0, 52, 10}},
  };
  for (const LayoutRow& row : rows) {
    const CheckBoxLayout l = LayoutCheckBox(row.rect, row.textHeight, row.caption, row.alignment);
    EXPECT_EQ(l.box, row.box) << row.name;
    EXPECT_EQ(l.caption, row.captionRect) << row.name;
  }
}

TEST(CheckBoxGeometry, FocusRectangleSurroundsTheCaptionInsideTheRectangle) {
  const CheckBoxLayout l = LayoutCheckBox(win::RECT{0, 0, 56, 16}, 16, win::SIZE{40, 16}, 0);
  EXPECT_EQ(l.focus, (win::RECT{15, 0, 56, 16}));
}

struct StateRow {
  const char* name;
  CheckBoxLook look;
  unsigned state;
};

TEST(CheckBoxGeometry, FrameStateOfEachLook) {
  using namespace win;
  const StateRow rows[] = {
      {"unchecked", {false, false, true, false, false, false}, DFCS_BUTTONCHECK},
      {"checked", {false, true, true, false, false, false}, DFCS_BUTTONCHECK | DFCS_CHECKED},
      {"Null is grey and indeterminate, never checked", {true, true, true, false, false, false},
       DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_INACTIVE},
      {"disabled is inactive", {false, true, false, false, false, false}, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE},
      {"held down is pushed", {false, false, true, true, false, false}, DFCS_BUTTONCHECK | DFCS_PUSHED},
      {"flat appearance", {false, false, true, false, true, false}, DFCS_BUTTONCHECK | DFCS_FLAT},
  };
  for (const StateRow& row : rows) EXPECT_EQ(CheckBoxFrameState(row.look), row.state) << row.name;
}

// --- Values and clicks -------------------------------------------------------------------------

struct CycleRow {
  const char* name;
  std::int32_t keepNull;
  const char* start;  // "Null", "True", "False"
  std::vector<std::string> afterEachClick;
};

TEST_F(BooleanEditTest, ClicksCycleTheValue) {
  const CycleRow rows[] = {
      {"Null box without KeepNull: focus ends Null, clicks check and uncheck", 0, "Null", {"True", "False", "True"}},
      {"Null box with KeepNull: the first click checks", 1, "Null", {"True", "False"}},
      {"a checked box unchecks", 0, "True", {"False", "True"}},
      {"an unchecked box checks", 1, "False", {"True", "False"}},
  };
  for (const CycleRow& row : rows) {
    CVlBooleanEdit e;
    e.keepNull = row.keepNull;
    std::string produced;
    if (std::string(row.start) == "Null") {
      e.SetNull(true);
    } else {
      e.SetValue(TypedValue::Bool(std::string(row.start) == "True"), produced);
    }
    ASSERT_TRUE(e.Create(sys, 0, win::RECT{0, 0, 200, 40}, control.Handle()));
    for (const std::string& expected : row.afterEachClick) {
      const win::POINT p = sys.ClientToScreen(e.Handle(), win::POINT{5, 5});
      sys.QueueMouse(win::MouseAction::LeftDown, p);
      sys.QueueMouse(win::MouseAction::LeftUp, p);
      sys.ProcessInput();
      const EditorValue v = e.GetValue();
      EXPECT_EQ(v.isNull ? "Null" : v.value.AsBool() ? "True" : "False", expected) << row.name;
      EXPECT_EQ(v.value.Type(), VarType::Bool) << row.name;
    }
    sys.SetFocus(other.Handle());
  }
}

TEST_F(BooleanEditTest, NullEndsOnFocusUnlessKeepNull) {
  Make(0);
  edit.SetNull(true);
  sys.SetFocus(edit.Handle());
  EXPECT_EQ(State(), "False") << "the focus ends Null; the box shows unchecked";

  CVlBooleanEdit kept;
  kept.keepNull = true;
  kept.SetNull(true);
  ASSERT_TRUE(kept.Create(sys, 0, win::RECT{0, 0, 50, 20}, control.Handle()));
  sys.SetFocus(kept.Handle());
  EXPECT_EQ(kept.GetValue().isNull, true) << "KeepNull keeps Null through the focus";
  EXPECT_TRUE(kept.Look(false).isNull) << "and the button draws it grey";
  sys.SetFocus(other.Handle());
}

TEST_F(BooleanEditTest, SetValueEndsNullAndSetNullClearsTheValue) {
  Make(1);
  std::string produced;
  EXPECT_TRUE(edit.SetValue(TypedValue::Bool(true), produced));
  EXPECT_EQ(produced, "True");
  EXPECT_EQ(edit.Button().checked, 1);
  edit.SetNull(true);
  EXPECT_EQ(State(), "Null");
  EXPECT_EQ(edit.Button().checked, 0) << "Null shows as the unchecked button state";
  EXPECT_EQ(edit.GetLastError(), kEditOk);
}

TEST_F(BooleanEditTest, LoadsValuesOfOtherTypesAsBooleans) {
  Make();
  std::string produced;
  EXPECT_TRUE(edit.SetValue(TypedValue::I2(5), produced)) << "nonzero numbers are True";
  EXPECT_EQ(State(), "True");
  EXPECT_TRUE(edit.SetValue(TypedValue::Bstr("False"), produced));
  EXPECT_EQ(State(), "False");
  EXPECT_FALSE(edit.SetValue(TypedValue::Bstr("maybe"), produced)) << "a text that is no Boolean is refused";
  EXPECT_EQ(State(), "False") << "and changes nothing";
}

TEST_F(BooleanEditTest, ClickTellsTheControlAndTabByInputLastMovesOn) {
  Make(0, kTabByInputLast);
  sys.SetFocus(edit.Handle());
  control.sent.clear();
  Click();
  const std::vector<win::UINT> expected{VLM_MOUSEDOWN, VLM_MOUSEUP, VLM_CLICK, VLM_NEXTCONTROL};
  EXPECT_EQ(control.sent, expected);
  EXPECT_EQ(control.moveKeys, std::vector<std::int32_t>{13}) << "the move names Enter as its key";
}

TEST_F(BooleanEditTest, WithoutTabByInputLastAClickStays) {
  Make();
  sys.SetFocus(edit.Handle());
  Click();
  EXPECT_EQ(control.Count(VLM_NEXTCONTROL), 0);
  EXPECT_EQ(sys.GetFocus(), edit.Handle());
}

TEST_F(BooleanEditTest, ReleaseOffTheButtonIsNoClick) {
  Make();
  sys.SetFocus(edit.Handle());
  const win::POINT on = sys.ClientToScreen(edit.Handle(), win::POINT{5, 5});
  const win::POINT off = sys.ClientToScreen(edit.Handle(), win::POINT{5, 60});
  sys.QueueMouse(win::MouseAction::LeftDown, on);
  sys.QueueMouse(win::MouseAction::Move, off);
  sys.QueueMouse(win::MouseAction::LeftUp, off);
  sys.ProcessInput();
  EXPECT_EQ(State(), "False");
  EXPECT_EQ(control.Count(VLM_CLICK), 0);
  EXPECT_EQ(sys.GetCapture(), win::kNoWindow) << "the button gives the capture back";
}

TEST_F(BooleanEditTest, DoubleClickTogglesTwice) {
  Make();
  sys.SetFocus(edit.Handle());
  const win::POINT p = sys.ClientToScreen(edit.Handle(), win::POINT{5, 5});
  for (win::MouseAction a : {win::MouseAction::LeftDown, win::MouseAction::LeftUp, win::MouseAction::LeftDouble,
                             win::MouseAction::LeftUp}) {
    sys.QueueMouse(a, p);
  }
  sys.ProcessInput();
  EXPECT_EQ(State(), "False") << "checked by the first click, unchecked by the second";
  EXPECT_EQ(control.Count(VLM_CLICK), 2);
  EXPECT_EQ(control.Count(VLM_DBLCLICK), 1);
}

TEST_F(BooleanEditTest, DisabledBoxTakesNoClick) {
  Make();
  edit.EnableEditor(false);
  Click();
  EXPECT_EQ(State(), "Null") << "not even the focus reached it";
  EXPECT_EQ(control.Count(VLM_CLICK), 0);
  EXPECT_FALSE(edit.Look(false).enabled);
}

TEST_F(BooleanEditTest, LockedFreezesDrawingButTheButtonStillChangesTheValue) {
  Make();
  edit.SetLocked(true);
  EXPECT_TRUE(edit.Button().UpdatesLocked());
  sys.SetFocus(edit.Handle());
  const int before = edit.Button().RepaintCount();
  Click();
  EXPECT_EQ(State(), "True");
  EXPECT_EQ(edit.Button().RepaintCount(), before) << "no drawing while frozen";
  edit.SetLocked(false);
  EXPECT_FALSE(edit.Button().UpdatesLocked());
}

TEST_F(BooleanEditTest, ReadOnlyStyleBitLocksTheBox) {
  edit.SetStyleBits(kStyleReadOnly | kStyleTabStop);
  Make();
  EXPECT_TRUE(edit.Button().UpdatesLocked());
  const win::DWORD style = sys.GetStyle(edit.Handle());
  EXPECT_EQ(style & win::BS_TYPEMASK, win::BS_OWNERDRAW);
  EXPECT_TRUE(style & win::WS_TABSTOP);
  EXPECT_TRUE(style & win::WS_CHILD);
  edit.SetStyleBits(kStyleFlat);
  EXPECT_FALSE(edit.Button().UpdatesLocked()) << "a new style word while created applies at once";
  EXPECT_FALSE(sys.GetStyle(edit.Handle()) & win::WS_TABSTOP);
  EXPECT_TRUE(edit.Look(false).flat);
}

TEST_F(BooleanEditTest, CaptionIsTheButtonText) {
  Make();
  EXPECT_EQ(edit.Button().Label(), "&Agree");
  edit.SetCaption("Yes");
  char buffer[16] = {};
  sys.SendMessage(edit.Handle(), win::WM_GETTEXT, sizeof buffer, reinterpret_cast<win::LPARAM>(buffer));
  EXPECT_STREQ(buffer, "Yes");
  EXPECT_EQ(edit.GetCaption(), "Yes");
}

TEST_F(BooleanEditTest, TheEditorsHandleIsTheButtons) {
  Make();
  EXPECT_EQ(edit.Handle(), edit.Button().Handle());
  EXPECT_EQ(sys.GetClassName(edit.Handle()), "BUTTON");
  edit.Destroy();
  EXPECT_FALSE(edit.IsCreated());
  EXPECT_EQ(edit.Handle(), win::kNoWindow);
  Make();
  EXPECT_TRUE(edit.IsCreated()) << "made again after a style change";
}

// --- Focus --------------------------------------------------------------------------------------

TEST_F(BooleanEditTest, FocusLossRunsTheHostCheckWithABooleanAndNoFocusLeft) {
  Make();
  sys.SetFocus(edit.Handle());
  Click();
  control.sent.clear();
  sys.SetFocus(other.Handle());
  ASSERT_EQ(control.checked.size(), 1u);
  EXPECT_EQ(control.checked[0], TypedValue::Bool(true));
  EXPECT_EQ(control.Count(VLM_FOCUSLEFT), 0) << "the control keeps the check box shown";
}

TEST_F(BooleanEditTest, DestroyingTheFocusedBoxCommitsNothing) {
  Make();
  sys.SetFocus(edit.Handle());
  edit.Destroy();
  EXPECT_TRUE(control.checked.empty());
}

// --- Keys ---------------------------------------------------------------------------------------

TEST_F(BooleanEditTest, SpaceToggles) {
  Make();
  sys.SetFocus(edit.Handle());
  Key(win::VK_SPACE);
  EXPECT_EQ(State(), "True");
  Key(win::VK_SPACE);
  EXPECT_EQ(State(), "False");
  const std::vector<win::UINT> onePress{VLM_KEYDOWN, VLM_KEYPRESS, VLM_CLICK, VLM_KEYUP};
  EXPECT_EQ(std::vector<win::UINT>(control.sent.end() - 4, control.sent.end()), onePress);
}

TEST_F(BooleanEditTest, SpaceReleasedWithoutItsPressIsNoToggle) {
  Make();
  sys.SetFocus(edit.Handle());
  sys.SendMessage(edit.Handle(), win::WM_KEYUP, win::VK_SPACE, 0);
  EXPECT_EQ(State(), "False");
  EXPECT_EQ(control.Count(VLM_KEYUP), 0) << "a key pressed elsewhere has no KeyUp here";
}

TEST_F(BooleanEditTest, FocusLostWhileSpaceIsDownCancelsThePress) {
  Make();
  sys.SetFocus(edit.Handle());
  sys.SendMessage(edit.Handle(), win::WM_KEYDOWN, win::VK_SPACE, 0);
  EXPECT_TRUE(edit.Button().IsPushed());
  sys.SetFocus(other.Handle());
  EXPECT_FALSE(edit.Button().IsPushed());
  EXPECT_EQ(State(), "False");
}

struct KeyRow {
  const char* name;
  std::uint16_t tabs;
  int vk;
  bool shift;
  win::UINT expected;  // the first message the key sends the control
};

TEST_F(BooleanEditTest, KeyRulesOnTheButton) {
  const KeyRow rows[] = {
      {"Enter with TabByReturn moves on", kTabByReturn, win::VK_RETURN, false, VLM_NEXTCONTROL},
      {"Shift+Enter with TabByReturn moves back", kTabByReturn, win::VK_RETURN, true, VLM_PREVCONTROL},
      {"Enter without TabByReturn is a key", 0, win::VK_RETURN, false, VLM_KEYDOWN},
      {"Left with TabByHorzKey moves back", kTabByHorzKey, win::VK_LEFT, false, VLM_PREVCONTROL},
      {"Right with TabByHorzKey moves on", kTabByHorzKey, win::VK_RIGHT, false, VLM_NEXTCONTROL},
      {"Up with TabByVertKey moves back", kTabByVertKey, win::VK_UP, false, VLM_PREVCONTROL},
      {"Down with TabByVertKey moves on", kTabByVertKey, win::VK_DOWN, false, VLM_NEXTCONTROL},
      {"Left with TabByVertKey only is a key", kTabByVertKey, win::VK_LEFT, false, VLM_KEYDOWN},
      {"Down with TabByHorzKey only is a key", kTabByHorzKey, win::VK_DOWN, false, VLM_KEYDOWN},
  };
  for (const KeyRow& row : rows) {
    CVlBooleanEdit e;
    e.SetTabByReturn(row.tabs & kTabByReturn);
    e.SetTabByVertKey(row.tabs & kTabByVertKey);
    e.SetTabByHorzKey(row.tabs & kTabByHorzKey);
    ASSERT_TRUE(e.Create(sys, 0, win::RECT{0, 0, 200, 40}, control.Handle()));
    sys.SetFocus(e.Handle());
    if (row.shift) sys.keybd_event(win::VK_SHIFT, 0);
    sys.ProcessInput();
    control.sent.clear();
    sys.keybd_event(row.vk, 0);
    sys.ProcessInput();
    ASSERT_FALSE(control.sent.empty()) << row.name;
    EXPECT_EQ(control.sent.front(), row.expected) << row.name;
    if (row.expected != VLM_KEYDOWN) {
      EXPECT_EQ(control.Count(VLM_KEYDOWN), 0) << row.name << ": a move is no KeyDown";
    }
    sys.keybd_event(row.vk, win::KEYEVENTF_KEYUP);
    if (row.shift) sys.keybd_event(win::VK_SHIFT, win::KEYEVENTF_KEYUP);
    sys.ProcessInput();
    sys.SetFocus(other.Handle());
  }
}

struct CharRow {
  const char* name;
  std::int32_t answer;
  bool toggles;
};

TEST_F(BooleanEditTest, KeyPressAnswerDecidesTheCharacter) {
  // A space character itself never toggles (the key does); these rows check that a character
  // the host cancelled or turned into Tab gets no further.
  const CharRow rows[] = {
      {"cancelled character", 0, false},
      {"character rewritten to Tab", 9, false},
  };
  for (const CharRow& row : rows) {
    Make();
    sys.SetFocus(edit.Handle());
    control.keyPressAnswer = row.answer;
    control.sent.clear();
    sys.SendMessage(edit.Handle(), win::WM_CHAR, 'x', 0);
    EXPECT_EQ(control.sent, std::vector<win::UINT>{VLM_KEYPRESS}) << row.name;
    EXPECT_EQ(State() == "True", row.toggles) << row.name;
    edit.Destroy();
  }
}

// --- Clipboard ----------------------------------------------------------------------------------

TEST_F(BooleanEditTest, CopyPutsTheValueAsText) {
  Make();
  std::string produced;
  edit.SetValue(TypedValue::Bool(true), produced);
  sys.SendMessage(edit.Handle(), win::WM_COPY, 0, 0);
  EXPECT_EQ(sys.GetClipboardData(win::CF_TEXT).value_or(""), std::string("True\0", 5));
  EXPECT_EQ(sys.EnumClipboardFormats().size(), 1u) << "plain text only";
}

TEST_F(BooleanEditTest, CopyWithTheClipboardHeldElsewherePutsNothing) {
  Make();
  sys.SetClipboardLocked(true);
  edit.Copy();
  sys.SetClipboardLocked(false);
  EXPECT_FALSE(sys.IsClipboardFormatAvailable(win::CF_TEXT));
}

struct PasteRow {
  const char* name;
  const char* text;
  bool locked;
  bool accepted;
  const char* after;
};

TEST_F(BooleanEditTest, PasteTakesTextThatReadsAsABoolean) {
  const PasteRow rows[] = {
      {"True", "True", false, true, "True"},
      {"false in lower case", "false", false, true, "False"},
      {"a number", "-1", false, true, "True"},
      {"not a Boolean", "12a", false, false, "False"},
      {"locked box", "True", true, true, "False"},
  };
  for (const PasteRow& row : rows) {
    Make();
    std::string produced;
    edit.SetValue(TypedValue::Bool(false), produced);
    edit.SetLocked(row.locked);
    sys.OpenClipboard(win::kNoWindow);
    sys.EmptyClipboard();
    sys.SetClipboardData(win::CF_TEXT, std::string(row.text) + '\0');
    sys.CloseClipboard();
    control.sent.clear();
    sys.SendMessage(edit.Handle(), win::WM_PASTE, 0, 0);
    EXPECT_EQ(State(), row.after) << row.name;
    EXPECT_EQ(control.Count(VLM_CHANGE), row.accepted ? 1 : 0) << row.name;
    edit.Destroy();
  }
}

// --- The control's click ------------------------------------------------------------------------

TEST_F(BooleanEditTest, ClickFromControlToggles) {
  Make();
  sys.SetFocus(edit.Handle());
  edit.ClickFromControl(win::POINT{5, 5});
  EXPECT_EQ(State(), "True");
  EXPECT_EQ(control.Count(VLM_CLICK), 1);
}

TEST_F(BooleanEditTest, PressFromControlCompletesWithTheUsersRelease) {
  Make();
  sys.SetFocus(edit.Handle());
  edit.PressFromControl(win::POINT{5, 5}, 0);
  EXPECT_EQ(sys.GetCapture(), edit.Handle());
  sys.QueueMouse(win::MouseAction::LeftUp, sys.ClientToScreen(edit.Handle(), win::POINT{5, 5}));
  sys.ProcessInput();
  EXPECT_EQ(State(), "True");
}

// --- Drawing ------------------------------------------------------------------------------------

TEST_F(BooleanEditTest, DrawnByTheControlNullLooksNullOnlyWithKeepNull) {
  Make(0);
  edit.SetNull(true);
  EXPECT_FALSE(edit.Look(true).isNull) << "it will be unchecked as soon as it takes the focus";
  edit.keepNull = true;
  EXPECT_TRUE(edit.Look(true).isNull);
}

}  // namespace
}  // namespace vl
