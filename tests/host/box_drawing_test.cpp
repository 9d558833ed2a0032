// Pictures of boxes on the fixed-metrics font: the pixels that prove the geometry.
#include <gtest/gtest.h>

#include "host/form.h"
#include "host/form_render.h"
#include "platform/fixed_font.h"
#include "platform/gdi.h"

namespace vl {
namespace {

using win::COLORREF;
using win::RECT;

constexpr COLORREF kCaptionBack = 0x00336699;
constexpr COLORREF kControlBack = 0x00CCEEDD;
constexpr COLORREF kBoxBack = 0x00F0F8FF;
constexpr COLORREF kDisabledBack = 0x00123456;
const COLORREF kFrame = win::GetSysColor(win::COLOR_WINDOWFRAME);
const COLORREF kShadow = win::GetSysColor(win::COLOR_BTNSHADOW);
const COLORREF kDarkShadow = win::GetSysColor(win::COLOR_3DDKSHADOW);

// Pixels in HIMETRIC at 96 dpi, halves rounded away from zero as the screen converts them.
std::int32_t Himetric(int pixels) { return win::MulDiv(pixels, 2540, 96); }

struct Box {
  Form form;
  CVlTypedBoxCtrl& box;
  win::FixedFontBackend fonts;

  explicit Box(RECT rect = RECT{0, 0, 200, 30}) : box(form.AddBox("b", rect)) {
    Set(kDispControlBackColor, Variant::I4(static_cast<std::int32_t>(kControlBack)));
    Set(kDispBackColor, Variant::I4(static_cast<std::int32_t>(kBoxBack)));
  }
  void Set(std::int32_t dispid, const Variant& v) { box.SetProperty(dispid, v); }
  win::Surface Picture() { return RenderBox(form, *form.Boxes().front(), fonts); }
};

TEST(BoxLayout, LeftCaptionStripGapAndBox) {
  Box b;
  VlTextCaption& left = b.box.Caption(VlTextCapLeft);
  left.SetSizeHimetric(Himetric(40));
  left.SetSpacingHimetric(Himetric(5));
  left.SetBackColor(kCaptionBack);
  EXPECT_EQ(b.box.Core().editRect, (RECT{40, 0, 200, 30}));
  const win::Surface p = b.Picture();
  struct Row {
    const char* name;
    int x;
    COLORREF colour;
  };
  const Row rows[] = {
      {"caption strip starts at the edge", 0, kCaptionBack},
      {"caption strip ends at 34", 34, kCaptionBack},
      {"the spacing shows the control's background", 35, kControlBack},
      {"the gap ends at 39", 39, kControlBack},
      {"the box's sunken edge starts at 40", 40, kShadow},
      {"its inner ring", 41, kDarkShadow},
      {"then the box background", 42, kBoxBack},
  };
  for (const Row& row : rows) EXPECT_EQ(p.GetPixel(row.x, 15), row.colour) << row.name;
}

TEST(BoxLayout, CaptionsOnAllSidesMoveTheEditWindow) {
  Box b;
  b.box.Caption(VlTextCapTop).SetSizeHimetric(Himetric(10));
  b.box.Caption(VlTextCapRight).SetSizeHimetric(Himetric(30));
  b.box.Caption(VlTextCapRight).SetSpacingHimetric(Himetric(3));
  b.form.Focus(b.box);
  ASSERT_NE(b.box.Editor(), nullptr);
  EXPECT_EQ(b.box.Core().editRect, (RECT{0, 10, 170, 30}));
  EXPECT_EQ(b.form.WindowSystem().GetWindowRect(b.box.Editor()->Handle()), (RECT{2, 12, 168, 28}));
  // A caption that grows while the box is edited moves the edit window at once.
  b.box.Caption(VlTextCapLeft).SetSizeHimetric(Himetric(20));
  EXPECT_EQ(b.form.WindowSystem().GetWindowRect(b.box.Editor()->Handle()), (RECT{22, 12, 168, 28}));
}

TEST(BoxLayout, SettersKeepTheirLimits) {
  Box b;
  VlTextCaption& left = b.box.Caption(VlTextCapLeft);
  left.SetSizeHimetric(Himetric(40));
  left.SetSpacingHimetric(Himetric(60));
  EXPECT_EQ(left.SpacingHimetric(), Himetric(40)) << "spacing above size stores size";
  left.SetSizeHimetric(Himetric(10));
  EXPECT_EQ(left.SizeHimetric(), Himetric(40)) << "size below spacing stores spacing";
  left.SetSpacingHimetric(0);
  left.SetSizeHimetric(Himetric(500));
  EXPECT_EQ(left.SizeHimetric(), Himetric(200) - Himetric(8)) << "8 pixels stay for the box";
  // 36 pixels are 952.5 HIMETRIC and 8 pixels 211.67: the screen makes them 953 and 212.
  Box narrow(RECT{0, 0, 36, 30});
  narrow.box.Caption(VlTextCapLeft).SetSizeHimetric(5000);
  EXPECT_EQ(narrow.box.Caption(VlTextCapLeft).SizeHimetric(), 953 - 212);
}

TEST(BoxLayout, MinimumExtent) {
  Box b;
  b.box.Caption(VlTextCapLeft).SetSizeHimetric(Himetric(40));
  b.box.Caption(VlTextCapLeft).SetSpacingHimetric(Himetric(5));
  b.box.Caption(VlTextCapTop).SetSizeHimetric(Himetric(12));
  b.box.Caption(VlTextCapTop).SetSpacingHimetric(Himetric(2));
  struct Row {
    const char* name;
    RECT proposed;
    RECT got;
  };
  const Row rows[] = {
      {"too small both ways", RECT{5, 5, 10, 10}, RECT{5, 5, 5 + 40 + 5 + 8, 5 + 12 + 2 + 8}},
      {"wide enough", RECT{0, 0, 300, 10}, RECT{0, 0, 300, 22}},
      {"large", RECT{0, 0, 300, 60}, RECT{0, 0, 300, 60}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(b.form.MoveBox(b.box, row.proposed), row.got) << row.name;
    EXPECT_EQ(b.form.WindowSystem().GetWindowRect(b.box.Handle()), row.got) << row.name;
  }
}

TEST(BoxDrawing, BordersAndEditWindowInset) {
  struct Row {
    const char* name;
    int appearance;
    int border;
    std::vector<std::pair<int, COLORREF>> columns;  // x at the box's middle row
    RECT editor;
  };
  const Row rows[] = {
      {"flat fixed single: one pixel", 0, 1, {{0, kFrame}, {1, kBoxBack}}, RECT{1, 1, 199, 29}},
      {"3D: a two-pixel sunken edge", 1, 1, {{0, kShadow}, {1, kDarkShadow}, {2, kBoxBack}}, RECT{2, 2, 198, 28}},
      {"no border", 1, 0, {{0, kBoxBack}}, RECT{0, 0, 200, 30}},
  };
  for (const Row& row : rows) {
    Box b;
    b.Set(kDispAppearance, Variant::I4(row.appearance));
    b.Set(kDispBorderStyle, Variant::I4(row.border));
    const win::Surface p = b.Picture();
    for (auto [x, colour] : row.columns) EXPECT_EQ(p.GetPixel(x, 15), colour) << row.name << " x " << x;
    b.form.Focus(b.box);
    EXPECT_EQ(b.form.WindowSystem().GetWindowRect(b.box.Editor()->Handle()), row.editor) << row.name;
  }
}

TEST(BoxDrawing, DisabledColours) {
  struct Row {
    const char* name;
    std::int32_t dataType;
    COLORREF inside;
  };
  const Row rows[] = {
      {"a disabled Long box takes DisabledBackColor", VlTextLong, kDisabledBack},
      {"a disabled Boolean box keeps BackColor", VlTextBoolean, kBoxBack},
  };
  for (const Row& row : rows) {
    Box b;
    b.Set(kDispDataType, Variant::I4(row.dataType));
    b.Set(kDispDisabledBackColor, Variant::I4(static_cast<std::int32_t>(kDisabledBack)));
    b.Set(kDispEnabled, Variant::Bool(false));
    EXPECT_EQ(b.Picture().GetPixel(100, 15), row.inside) << row.name;
    b.Set(kDispEnabled, Variant::Bool(true));
    EXPECT_EQ(b.Picture().GetPixel(100, 15), kBoxBack) << row.name << " enabled again";
  }
}

TEST(BoxDrawing, EditWindowAsksForTheBoxColours) {
  Box b;
  b.Set(kDispDataType, Variant::I4(VlTextLong));
  b.form.Focus(b.box);
  const win::Surface p = b.Picture();
  EXPECT_EQ(p.GetPixel(100, 15), kBoxBack);
  EXPECT_EQ(p.GetPixel(0, 15), kShadow);  // the control's border around the edit window
}

TEST(BoxDrawing, RightAlignedValueTooWideIsShownLeftAligned) {
  // 100 pixels with a 3D border leave 96 for the text area and 94 for the text: fifteen cells.
  Box b(RECT{0, 0, 100, 24});
  b.Set(kDispDataType, Variant::I4(VlTextString));
  b.Set(kDispAlignment, Variant::I4(1));
  struct Row {
    const char* name;
    std::string value;
    bool left;
  };
  const Row rows[] = {
      {"fits", "abc", false},
      {"exactly fifteen cells fit", "abcdefghijklmno", false},
      {"sixteen do not", "abcdefghijklmnop", true},
      {"fits again", "xy", false},
  };
  for (const Row& row : rows) {
    b.Set(kDispValue, Variant::Bstr(row.value));
    EXPECT_EQ(b.box.AlignmentFitLeft(), row.left) << row.name;
    const win::Surface p = b.Picture();
    // The first glyph's left edge: one pixel into the text area when left-aligned.
    const int firstCell = row.left ? 3 : 2 + 1 + (94 - 6 * static_cast<int>(row.value.size()));
    EXPECT_EQ(p.GetPixel(firstCell, 7), win::RGB(0, 0, 0)) << row.name;
  }
}

TEST(BoxDrawing, EditedBoxShowsSelectionAndCaret) {
  Box b;
  b.Set(kDispValue, Variant::Bstr("abcdef"));
  b.Set(kDispHideSelection, Variant::Bool(false));
  b.form.Focus(b.box);
  b.box.Editor()->SetSel(1, 2);
  const win::Surface p = b.Picture();
  const COLORREF highlight = win::GetSysColor(win::COLOR_HIGHLIGHT);
  // The edit window lies at x 2; its text starts at its left edge.
  EXPECT_EQ(p.GetPixel(2 + 6 + 2, 3), highlight);
  EXPECT_EQ(p.GetPixel(2 + 12 + 2, 3), highlight);
  EXPECT_EQ(p.GetPixel(2 + 18 + 2, 3), kBoxBack);
  EXPECT_EQ(p.GetPixel(2 + 2, 3), kBoxBack);
  // The caret stands at the selection's end, a line the height of the font above the glyph rows.
  EXPECT_EQ(p.GetPixel(2 + 18, 2), win::RGB(0, 0, 0));
  EXPECT_EQ(p.GetPixel(2 + 18 + 1, 2), kBoxBack);
  // Without the focus the control draws the box, and there is no caret.
  b.form.AddButton("away", RECT{0, 40, 50, 60});
  b.form.FocusButton("away");
  const win::Surface q = b.Picture();
  EXPECT_NE(q.GetPixel(2 + 18, 2), win::RGB(0, 0, 0));
  EXPECT_EQ(q.GetPixel(3, 7), win::RGB(0, 0, 0)) << "the control drew the text one pixel into the area";
}

TEST(BoxDrawing, DisplayTextWiderThanTheDrawnAreaIsReported) {
  // 200 pixels less the 3D border: 196 for the area, 194 for the text, 32 cells.
  Box b;
  CVlEditWnd& editor = *b.box.Editor();
  EXPECT_TRUE(editor.SetDisplayText(std::string(40, 'x'))) << "nothing drawn yet: every text fits";
  b.Picture();
  struct Row {
    const char* name;
    int cells;
    bool fits;
  };
  const Row rows[] = {{"32 cells fit", 32, true}, {"33 do not", 33, false}, {"short again", 3, true}};
  for (const Row& row : rows) {
    EXPECT_EQ(editor.SetDisplayText(std::string(static_cast<std::size_t>(row.cells), 'x')), row.fits) << row.name;
    if (!row.fits) {
      EXPECT_EQ(editor.GetLastError(), 4) << row.name;
    }
    std::string kept;
    editor.GetDisplayText(kept);
    EXPECT_EQ(kept.size(), static_cast<std::size_t>(row.cells)) << row.name << ": the text is kept";
  }
}

TEST(BoxDrawing, MultiLineTextStaysInsideTheBox) {
  Form form(false);
  CVlTypedBoxCtrl& box = form.AddBox("b", RECT{0, 0, 100, 40});
  box.SetProperty(kDispMultiLine, Variant::Bool(true));
  form.SetUserMode(true);
  box.SetProperty(kDispBorderStyle, Variant::I4(0));
  VlTextCaption& bottom = box.Caption(VlTextCapBottom);
  bottom.SetSizeHimetric(Himetric(10));
  bottom.SetBackColor(kCaptionBack);
  box.SetProperty(kDispValue, Variant::Bstr("a\r\nb\r\nc\r\nd"));
  win::FixedFontBackend fonts;
  const win::Surface p = RenderBox(form, *form.Boxes().front(), fonts);
  // Lines of 12 pixels from the top of the 30-pixel box, no inset: a, b, then c, whose glyph
  // would reach row 33, cut at the box's bottom.
  EXPECT_EQ(p.GetPixel(0, 0 + 5), win::RGB(0, 0, 0));
  EXPECT_EQ(p.GetPixel(0, 12 + 5), win::RGB(0, 0, 0));
  EXPECT_EQ(p.GetPixel(0, 24 + 5), win::RGB(0, 0, 0));
  for (int y = 30; y < 40; ++y) EXPECT_EQ(p.GetPixel(0, y), kCaptionBack) << "caption row " << y;
}

TEST(BoxDrawing, MetafileTakesTheAmbientBackColourAndAlwaysDrawsTheText) {
  Box b;
  b.Set(kDispValue, Variant::Bstr("abc"));
  b.box.Caption(VlTextCapLeft).SetSizeHimetric(Himetric(20));
  b.box.Caption(VlTextCapLeft).SetSpacingHimetric(Himetric(5));
  b.form.Focus(b.box);
  struct Row {
    const char* name;
    bool metafile;
    COLORREF gap;
    COLORREF firstGlyph;
  };
  const COLORREF ambient = b.form.Boxes().front()->AmbientBackColor();
  const Row rows[] = {
      {"screen: the edit window draws the text", false, kControlBack, kBoxBack},
      {"metafile: the text is drawn anyway", true, ambient, win::RGB(0, 0, 0)},
  };
  for (const Row& row : rows) {
    win::Surface s(200, 30, win::RGB(1, 2, 3));
    win::DeviceContext dc(&s, b.fonts);
    b.box.OnDraw(dc, RECT{0, 0, 200, 30}, row.metafile);
    EXPECT_EQ(s.GetPixel(17, 15), row.gap) << row.name;
    // Box from x 20, sunken edge 2, text one pixel in: the first glyph's left edge at 23.
    EXPECT_EQ(s.GetPixel(23, 7), row.firstGlyph) << row.name;
  }
}

TEST(BoxDrawing, ZoomedPictureScalesTheText) {
  win::FixedFontBackend fonts;
  // Rows that hold text ink, in a picture of the box drawn into `scale` times its size.
  auto inkRows = [&](CVlTypedBoxCtrl& box, int scale) {
    win::Surface s(200 * scale, 30 * scale, win::RGB(1, 2, 3));
    win::DeviceContext dc(&s, fonts);
    box.OnDraw(dc, RECT{0, 0, 200 * scale, 30 * scale}, false);
    int rows = 0;
    for (int y = 0; y < 30 * scale; ++y) {
      for (int x = 4 * scale; x < 60 * scale; ++x) {
        if (s.GetPixel(x, y) == win::RGB(0, 0, 0)) {
          ++rows;
          break;
        }
      }
    }
    return rows;
  };
  for (const bool multi : {false, true}) {
    Form form(false);
    CVlTypedBoxCtrl& box = form.AddBox("b", RECT{0, 0, 200, 30});
    box.SetProperty(kDispMultiLine, Variant::Bool(multi));
    form.SetUserMode(true);
    box.SetProperty(kDispValue, Variant::Bstr("Hg"));
    const int plain = inkRows(box, 1);
    ASSERT_GT(plain, 0);
    EXPECT_GE(inkRows(box, 2), plain * 3 / 2) << (multi ? "multi-line" : "single-line");
  }
}

TEST(BoxDrawing, CaptionTextAlignedInsideItsStrip) {
  Box b(RECT{0, 0, 200, 40});
  VlTextCaption& left = b.box.Caption(VlTextCapLeft);
  left.SetSizeHimetric(Himetric(60));
  left.SetText("&ab");
  left.SetAlignment(8);  // bottom right
  left.SetBackColor(kCaptionBack);
  left.SetTextColor(0);
  FontDesc small;
  small.name = "fixed";
  small.sizeCy = 90000;  // 12 pixels
  VlFont font(small);
  left.SetFont(&font);
  const win::Surface p = b.Picture();
  // Alignment measures "&ab" with its ampersand, 18 pixels: in the strip 0..60 × 0..40 the text
  // starts at (42, 28) and draws "ab" there.
  EXPECT_EQ(p.GetPixel(42, 28 + 5), win::RGB(0, 0, 0));
  EXPECT_EQ(p.GetPixel(48, 28 + 5), win::RGB(0, 0, 0));
  EXPECT_EQ(p.GetPixel(54, 28 + 5), kCaptionBack);
  EXPECT_EQ(p.GetPixel(42 + 2, 28 + 10), win::RGB(0, 0, 0)) << "the mnemonic a is underlined";
  EXPECT_EQ(p.GetPixel(48 + 2, 28 + 10), kCaptionBack) << "b is not";
  EXPECT_EQ(p.GetPixel(36, 28 + 5), kCaptionBack);
}

TEST(SizingTracker, DraggedEdgesSetCaptionSizes) {
  struct Row {
    const char* name;
    win::POINT press, release;
    RECT editRect;
  };
  // The box is 200 × 60 with no captions; handles lie 8 pixels outside the edit rectangle, so
  // the presses below land on the control's own pixels only where the rectangle has moved in.
  const Row rows[] = {
      {"left edge from 10 to 30", {5, 30}, {25, 30}, RECT{30, 10, 190, 50}},
      {"top edge from 10 to 20", {100, 5}, {100, 15}, RECT{10, 20, 190, 50}},
      {"bottom-right corner in by 10 and 5", {195, 55}, {185, 50}, RECT{10, 10, 180, 45}},
      {"a press inside the box moves nothing", {100, 30}, {120, 40}, RECT{10, 10, 190, 50}},
  };
  for (const Row& row : rows) {
    Form form(false);
    CVlTypedBoxCtrl& box = form.AddBox("b", RECT{0, 0, 200, 60});
    for (int d = 0; d < 4; ++d) box.Caption(d).SetSizeHimetric(Himetric(10));
    ASSERT_EQ(box.Core().editRect, (RECT{10, 10, 190, 50})) << row.name;
    ASSERT_TRUE(box.DesignEdit()) << row.name;
    win::System& sys = form.WindowSystem();
    sys.SendMessage(box.Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(row.press.x, row.press.y));
    sys.SendMessage(box.Handle(), win::WM_MOUSEMOVE, win::MK_LBUTTON, win::MAKELPARAM(row.release.x, row.release.y));
    sys.SendMessage(box.Handle(), win::WM_LBUTTONUP, 0, win::MAKELPARAM(row.release.x, row.release.y));
    EXPECT_EQ(box.Core().editRect, row.editRect) << row.name;
    EXPECT_TRUE(box.Tracker().Shown()) << row.name;
  }
}

TEST(SizingTracker, DrawnInBlueAndGoneWithTheFocus) {
  Form form(false);
  CVlTypedBoxCtrl& box = form.AddBox("b", RECT{0, 0, 200, 60});
  for (int d = 0; d < 4; ++d) box.Caption(d).SetSizeHimetric(Himetric(10));
  form.AddButton("other", RECT{0, 70, 50, 90});
  ASSERT_TRUE(box.DesignEdit());
  win::FixedFontBackend fonts;
  const COLORREF blue = 0x00FF0000;
  const win::Surface shown = RenderBox(form, *form.Boxes().front(), fonts);
  EXPECT_EQ(shown.GetPixel(5, 5), blue) << "top-left handle";
  EXPECT_EQ(shown.GetPixel(9, 30), blue) << "frame just outside the box";
  EXPECT_EQ(shown.GetPixel(5, 30), blue) << "left middle handle";
  form.FocusButton("other");
  EXPECT_FALSE(box.Tracker().Shown());
  const win::Surface gone = RenderBox(form, *form.Boxes().front(), fonts);
  EXPECT_NE(gone.GetPixel(5, 5), blue);
}

TEST(SizingTracker, NotInUserMode) {
  Form form(true);
  CVlTypedBoxCtrl& box = form.AddBox("b", RECT{0, 0, 200, 60});
  EXPECT_FALSE(box.DesignEdit());
  EXPECT_FALSE(box.Tracker().Shown());
}

}  // namespace
}  // namespace vl
