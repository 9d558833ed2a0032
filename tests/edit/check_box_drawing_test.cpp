// The check box as drawn: the frame control in the laid-out square, the caption clipped to the
// rectangle, the focus rectangle only with the focus.
#include <gtest/gtest.h>

#include "edit/boolean_edit.h"
#include "edit/check_button.h"
#include "runtime/clock.h"
#include "platform/fixed_font.h"

namespace vl {
namespace {

constexpr win::COLORREF kPaper = win::RGB(1, 2, 3);

struct Canvas {
  win::Surface surface{120, 30, kPaper};
  win::FixedFontBackend fonts;
  win::DeviceContext dc{&surface, fonts};
  win::COLORREF At(int x, int y) const { return surface.GetPixel(x, y); }
};

struct LookRow {
  const char* name;
  CheckBoxLook look;
};

TEST(CheckBoxDrawing, TheBoxIsTheFrameControlOfTheLook) {
  const LookRow rows[] = {
      {"unchecked", {false, false, true, false, false, false}},
      {"checked", {false, true, true, false, false, false}},
      {"Null", {true, false, true, false, false, false}},
      {"disabled and checked", {false, true, false, false, false, false}},
      {"flat", {false, true, true, false, true, false}},
  };
  for (const LookRow& row : rows) {
    Canvas drawn, expected;
    const win::RECT rect{0, 0, 120, 30};
    const CheckBoxLayout l = DrawCheckBox(drawn.dc, rect, "Yes", 0, row.look);
    win::RECT box = l.box;
    win::DrawFrameControl(expected.dc, box, win::DFC_BUTTON, CheckBoxFrameState(row.look));
    for (int y = l.box.top; y < l.box.bottom; ++y) {
      for (int x = l.box.left; x < l.box.right; ++x) {
        ASSERT_EQ(drawn.At(x, y), expected.At(x, y)) << row.name << " at " << x << "," << y;
      }
    }
  }
}

TEST(CheckBoxDrawing, NullAndUncheckedLookDifferent) {
  Canvas plain, null;
  const win::RECT rect{0, 0, 120, 30};
  const CheckBoxLayout l = DrawCheckBox(plain.dc, rect, "", 0, CheckBoxLook{});
  DrawCheckBox(null.dc, rect, "", 0, CheckBoxLook{true, false, true, false, false, false});
  const int cx = (l.box.left + l.box.right) / 2, cy = (l.box.top + l.box.bottom) / 2;
  EXPECT_NE(plain.At(cx, cy), null.At(cx, cy)) << "Null is grey inside";
}

TEST(CheckBoxDrawing, CaptionDrawsBesideTheBoxAndStaysInsideTheRectangle) {
  Canvas c;
  const win::RECT rect{0, 0, 40, 30};
  const CheckBoxLayout l = DrawCheckBox(c.dc, rect, "WWWWWWWWWW", 0, CheckBoxLook{});
  bool inked = false;
  for (int y = l.caption.top; y < l.caption.bottom; ++y) {
    for (int x = l.caption.left; x < l.caption.right; ++x) inked = inked || c.At(x, y) != kPaper;
  }
  EXPECT_TRUE(inked) << "the caption is drawn";
  for (int y = 0; y < 30; ++y) {
    for (int x = 40; x < 120; ++x) ASSERT_EQ(c.At(x, y), kPaper) << "nothing right of the rectangle: " << x << "," << y;
    for (int x = l.box.right; x < l.captionArea.left; ++x) ASSERT_EQ(c.At(x, y), kPaper) << "the gap stays clear";
  }
}

TEST(CheckBoxDrawing, FocusRectangleOnlyWithTheFocus) {
  Canvas focused, plain;
  const win::RECT rect{0, 0, 120, 30};
  CheckBoxLook look;
  const CheckBoxLayout l = DrawCheckBox(plain.dc, rect, "Yes", 0, look);
  look.focused = true;
  DrawCheckBox(focused.dc, rect, "Yes", 0, look);
  EXPECT_EQ(plain.At(l.focus.left, l.focus.top), kPaper);
  EXPECT_NE(focused.At(l.focus.left, l.focus.top), kPaper);
}

// The same box drawn by DrawCheckBox for a look, to compare a drawing with.
bool SameBox(const Canvas& a, const Canvas& b, const win::RECT& box) {
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (a.At(x, y) != b.At(x, y)) return false;
    }
  }
  return true;
}

TEST(CheckBoxDrawing, EditAreaOfANullBoxIsGreyOnlyWithKeepNull) {
  const win::RECT rect{0, 0, 120, 30};
  Canvas nullLook, uncheckedLook;
  const CheckBoxLayout l = DrawCheckBox(nullLook.dc, rect, "", 0, CheckBoxLook{true, false, true, false, false, false});
  DrawCheckBox(uncheckedLook.dc, rect, "", 0, CheckBoxLook{});
  for (std::int32_t keepNull : {0, 1}) {
    CVlBooleanEdit edit;
    edit.keepNull = keepNull;
    edit.SetNull(true);
    Canvas c;
    ASSERT_TRUE(edit.DrawEditArea(&c.dc, rect, 1.0, 0, 0));
    EXPECT_TRUE(SameBox(c, keepNull ? nullLook : uncheckedLook, l.box)) << "keepNull " << keepNull;
  }
}

TEST(CheckBoxDrawing, FlatFlagOfTheDrawingGivesTheFlatBox) {
  const win::RECT rect{0, 0, 120, 30};
  Canvas flat, drawn;
  const CheckBoxLayout l = DrawCheckBox(flat.dc, rect, "", 0, CheckBoxLook{false, true, true, false, true, false});
  CVlBooleanEdit edit;
  std::string produced;
  edit.SetValue(TypedValue::Bool(true), produced);
  edit.DrawEditArea(&drawn.dc, rect, 1.0, 0, kStyleFlat);
  EXPECT_TRUE(SameBox(drawn, flat, l.box));
}

class Plain : public win::Window {};

TEST(CheckBoxDrawing, TheButtonDrawsItselfUnlessFrozen) {
  VirtualClock clock;
  win::System sys{clock};
  Plain parent;
  const win::HWND p = sys.CreateWindowEx(parent, "Ctrl", win::WS_VISIBLE, win::RECT{0, 0, 120, 30}, win::kNoWindow);
  CVlBooleanEdit edit;
  std::string produced;
  edit.SetValue(TypedValue::Bool(true), produced);
  ASSERT_TRUE(edit.Create(sys, 0, win::RECT{0, 0, 120, 30}, p));
  win::LOGFONT font;
  Canvas painted, expected;
  edit.Button().Paint(painted.dc, font);
  const CheckBoxLayout l = DrawCheckBox(expected.dc, win::RECT{0, 0, 120, 30}, "", 0, CheckBoxLook{false, true, true, false, false, false});
  EXPECT_TRUE(SameBox(painted, expected, l.box)) << "checked, as the value says";
  edit.SetLocked(true);
  Canvas frozen;
  edit.Button().Paint(frozen.dc, font);
  EXPECT_EQ(frozen.At((l.box.left + l.box.right) / 2, (l.box.top + l.box.bottom) / 2), kPaper) << "a locked box draws nothing";
}

}  // namespace
}  // namespace vl
