// The desktop host's translation of the desktop's events, driven by synthesized SDL events under
// SDL's offscreen video driver (no display needed).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "desktop/desktop_window.h"
#include "desktop/kana.h"
#include "desktop/key_map.h"
#include "vltext/vltext.h"

namespace {

using vl::DataType;
using vl::TypedValue;

class OffscreenDesktop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

  // A form with a Long box, a String box and a button, in a window.
  OffscreenDesktop() {
    qty.SetDataType(DataType::Long);
    name.SetDataType(DataType::String);
    form.AddButton("ok");
  }

  void Open() {
    window = std::make_unique<vl::desktop::DesktopWindow>(form, options);
    form.Focus("qty");
  }

  void Push(SDL_Event e) {
    e.common.timestamp = SDL_GetTicks();
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    window->Pump();
  }
  void Key(SDL_Keycode key, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.windowID = SDL_GetWindowID(window->Window());
    Push(e);
  }
  void Tap(SDL_Keycode key) {
    Key(key, true);
    Key(key, false);
  }
  void Text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = SDL_GetWindowID(window->Window());
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    Push(e);
  }
  void Editing(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING;
    e.edit.windowID = SDL_GetWindowID(window->Window());
    std::strncpy(e.edit.text, utf8, sizeof e.edit.text - 1);
    Push(e);
  }
  // A printable key as the desktop delivers it: the key, its text, the key let go.
  void Type(SDL_Keycode key, const char* text) {
    Key(key, true);
    Text(text);
    Key(key, false);
  }
  void Button(Uint8 button, bool down, vl::Point at, Uint8 clicks = 1) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = SDL_GetWindowID(window->Window());
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = at.x;
    e.button.y = at.y;
    Push(e);
  }

  vl::Form form{vl::FormOptions{.fixedFont = true}};
  vl::Box qty = form.AddBox("qty");
  vl::Box name = form.AddBox("name");
  vl::desktop::ShowOptions options{"test", [this](const vl::MessageBoxRequest& r) {
                                     dialogs.push_back(r.text);
                                     return 1;
                                   }};
  std::vector<std::string> dialogs;
  std::unique_ptr<vl::desktop::DesktopWindow> window;
};

TEST_F(OffscreenDesktop, KeysAndTextInputTypeEachCharacterOnce) {
  Open();
  Type(SDLK_1, "1");
  Type(SDLK_2, "2");
  Type(SDLK_3, "3");
  Tap(SDLK_BACKSPACE);  // a control character: from the key alone
  Type(SDLK_4, "4");
  EXPECT_EQ(qty.ShownText(), "124");
  Tap(SDLK_TAB);
  EXPECT_EQ(form.Focused(), "name");
  EXPECT_EQ(qty.Value(), TypedValue::Long(124));

  // Shift+Tab goes back: the modifier is a key of its own, held around the Tab.
  Key(SDLK_LSHIFT, true);
  Tap(SDLK_TAB);
  Key(SDLK_LSHIFT, false);
  EXPECT_EQ(form.Focused(), "qty");
  EXPECT_FALSE(form.IsKeyDown(vl::keys::kShift));
}

TEST_F(OffscreenDesktop, HeldKeysRepeatOnTheRealClockAndAreLetGoWhenTheWindowLosesTheKeyboard) {
  qty.SetValue(TypedValue::Long(5));
  qty.Set("SpinButton", TypedValue::Integer(2));
  Open();
  Key(SDLK_LCTRL, true);
  Key(SDLK_UP, true);  // steps at once
  Key(SDLK_UP, true);  // the desktop's auto-repeat: too soon after the step
  EXPECT_EQ(qty.ShownText(), "6");
  SDL_Delay(300);  // the spin delay (250 ms) passes on the real clock
  Key(SDLK_UP, true);
  Key(SDLK_UP, false);
  Key(SDLK_LCTRL, false);
  EXPECT_EQ(qty.ShownText(), "7");

  Key(SDLK_LSHIFT, true);
  SDL_Event lost{};
  lost.type = SDL_WINDOWEVENT;
  lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  lost.window.windowID = SDL_GetWindowID(window->Window());
  Push(lost);
  EXPECT_FALSE(form.IsKeyDown(vl::keys::kShift));
}

TEST_F(OffscreenDesktop, ACompositionIsShownThenConfirmedWithItsReading) {
  Open();
  form.Focus("name");
  std::vector<std::string> furigana;
  name.On("Furigana", [&](vl::Event& e) { furigana.push_back(e["KanaString"].AsString()); });
  const vl::Picture before = form.Render();
  Editing("が");
  Editing("がっこう");
  EXPECT_EQ(window->Composition(), "がっこう");
  EXPECT_EQ(form.Preedit(), "がっこう");
  // The composition is drawn at the caret, over the box, until it is confirmed.
  const vl::Picture composing = form.Render();
  EXPECT_NE(composing.Rgba(), before.Rgba());
  if (const char* keep = std::getenv("VL_KEEP_PICTURES")) composing.WritePng(std::string(keep) + "/composition.png");
  Editing("学校");  // converted: no longer the reading
  Editing("");
  Text("学校");
  EXPECT_EQ(window->Composition(), "");
  EXPECT_EQ(form.Preedit(), "");
  EXPECT_EQ(name.ShownText(), "学校");
  ASSERT_EQ(furigana.size(), 1u);
  EXPECT_EQ(furigana[0], "ｶﾞｯｺｳ");  // the reading as the input method reports it

  // Double-byte text that no composition made still arrives as input-method characters.
  Text("円");
  EXPECT_EQ(name.ShownText(), "学校円");
  // Text the box cannot hold is dropped; the box goes on.
  Text("😀");
  Type(SDLK_a, "a");
  EXPECT_EQ(name.ShownText(), "学校円a");
}

TEST_F(OffscreenDesktop, TheDesktopClipboardCarriesTextBothWays) {
  Open();
  ASSERT_EQ(SDL_SetClipboardText("4321"), 0) << SDL_GetError();
  Key(SDLK_LCTRL, true);
  Tap(SDLK_v);
  Key(SDLK_LCTRL, false);
  EXPECT_EQ(qty.ShownText(), "4321");

  Key(SDLK_LCTRL, true);
  Tap(SDLK_a);
  Key(SDLK_LCTRL, false);
  qty.SetValue(TypedValue::Long(99));
  form.Focus("qty");
  Key(SDLK_LCTRL, true);
  Tap(SDLK_c);
  Key(SDLK_LCTRL, false);
  char* copied = SDL_GetClipboardText();
  EXPECT_STREQ(copied, "99");
  SDL_free(copied);
  // The box's own formats stay with the copy while the desktop holds the same text.
  const vl::ClipboardContents inside = form.Clipboard();
  EXPECT_NE(std::find(inside.formats.begin(), inside.formats.end(), "VlCF_LONG"), inside.formats.end());
}

TEST_F(OffscreenDesktop, MouseClicksMovesAndThePointer) {
  name.SetValue(TypedValue::String("abc"));
  Open();
  const vl::Point inside = name.ToForm(5, 8);
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.windowID = SDL_GetWindowID(window->Window());
  move.motion.x = inside.x;
  move.motion.y = inside.y;
  Push(move);
  EXPECT_EQ(form.Cursor(), vl::Cursor::IBeam);
  Button(SDL_BUTTON_LEFT, true, inside);
  Button(SDL_BUTTON_LEFT, false, inside);
  form.Wait(0);
  SDL_Delay(600);  // the click's wait for a second click runs out on the real clock
  window->Pump();
  EXPECT_EQ(form.Focused(), "name");
}

TEST_F(OffscreenDesktop, TheWheelScrollsTheMultiLineBoxWithTheFocus) {
  form.SetUserMode(false);  // MultiLine is set at design time
  name.Set("MultiLine", TypedValue::Boolean(true));
  form.SetUserMode(true);
  name.Move(vl::Rect{name.Bounds().x, name.Bounds().y, 160, 40});
  name.SetValue(TypedValue::String("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9"));
  Open();
  form.Focus("name");
  window->Pump();
  const vl::Picture top = form.Render();
  auto wheel = [&](float notches) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = SDL_GetWindowID(window->Window());
    e.wheel.y = static_cast<Sint32>(notches);
    e.wheel.preciseY = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    const vl::Point at = name.ToForm(5, 5);
    e.wheel.mouseX = at.x;
    e.wheel.mouseY = at.y;
    Push(e);
  };
  wheel(-1);  // toward the user: later lines come into view
  const vl::Picture scrolled = form.Render();
  EXPECT_NE(scrolled.Rgba(), top.Rgba());
  wheel(0.5F);  // half a notch back is not yet a notch
  EXPECT_EQ(form.Render().Rgba(), scrolled.Rgba());
  wheel(0.5F);
  EXPECT_EQ(form.Render().Rgba(), top.Rgba());
  EXPECT_EQ(name.Value(), TypedValue::String("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9"));
}

TEST_F(OffscreenDesktop, MessageBoxesGoToTheDialogAndClosingCommitsTheEdit) {
  qty.SetUpperValue(TypedValue::Long(10));
  qty.SetCheckValue(true);
  Open();
  Type(SDLK_5, "5");
  Type(SDLK_0, "0");
  Tap(SDLK_TAB);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0], "入力値が上限値を超えました");
  EXPECT_EQ(form.Focused(), "qty");

  Tap(SDLK_BACKSPACE);  // 5 is within the bounds
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(window->Window());
  Push(close);
  EXPECT_TRUE(window->Closed());
  window->Finish();
  EXPECT_EQ(qty.Value(), TypedValue::Long(5));  // as the user left it
  EXPECT_FALSE(form.Focused());
  EXPECT_EQ(form.GetClockKind(), vl::ClockKind::Real);
}

TEST_F(OffscreenDesktop, ThePictureIsPresentedWhenItChanges) {
  Open();
  form.Focus("ok");  // no caret blinks on a button
  window->Pump();
  const int before = window->Presents();
  window->Pump();
  EXPECT_EQ(window->Presents(), before);  // nothing happened: nothing presented
  Tap(SDLK_TAB);
  Type(SDLK_7, "7");
  EXPECT_GT(window->Presents(), before);
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window->Window(), &w, &h);
  EXPECT_EQ(w, form.Extent().width);
  EXPECT_EQ(h, form.Extent().height);
}

TEST(DesktopTables, KeysButtonsAndReadings) {
  struct KeyRow {
    SDL_Keycode key;
    int vk;
  };
  for (const KeyRow& r : {KeyRow{SDLK_a, 'A'}, KeyRow{SDLK_9, '9'}, KeyRow{SDLK_F5, vl::keys::kF1 + 4},
                          KeyRow{SDLK_RSHIFT, vl::keys::kShift}, KeyRow{SDLK_RCTRL, vl::keys::kControl},
                          KeyRow{SDLK_KP_ENTER, vl::keys::kReturn}, KeyRow{SDLK_KP_3, 0x63}, KeyRow{SDLK_MINUS, 0xBD},
                          KeyRow{SDLK_CAPSLOCK, 0}}) {
    EXPECT_EQ(vl::desktop::VirtualKeyOf(r.key), r.vk) << SDL_GetKeyName(r.key);
  }

  struct ButtonRow {
    std::uint32_t flags;
    std::vector<int> codes;
  };
  for (const ButtonRow& r : {ButtonRow{0x00, {1}}, ButtonRow{0x01, {1, 2}}, ButtonRow{0x04, {6, 7}},
                             ButtonRow{0x03, {6, 7, 2}}, ButtonRow{0x104, {7, 6}}, ButtonRow{0x33, {6, 7, 2}}}) {
    std::vector<int> codes;
    for (const auto& b : vl::desktop::MessageBoxButtons(r.flags)) codes.push_back(b.code);
    EXPECT_EQ(codes, r.codes) << std::hex << r.flags;
  }

  struct ReadingRow {
    const char* in;
    const char* out;
  };
  for (const ReadingRow& r : {ReadingRow{"がっこう", "ｶﾞｯｺｳ"}, ReadingRow{"パーティー", "ﾊﾟｰﾃｨｰ"},
                              ReadingRow{"ヴぁ", "ｳﾞｧ"}, ReadingRow{"abc", "abc"}, ReadingRow{"学校", "学校"}}) {
    EXPECT_EQ(vl::desktop::HalfWidthReading(r.in), r.out) << r.in;
  }
  EXPECT_TRUE(vl::desktop::IsKanaText("がっこう"));
  EXPECT_TRUE(vl::desktop::IsKanaText("ガッコー"));
  EXPECT_FALSE(vl::desktop::IsKanaText("学校"));
  EXPECT_FALSE(vl::desktop::IsKanaText(""));
  EXPECT_FALSE(vl::desktop::IsKanaText("\xE3\x81"));  // cut inside a character
}

// Without a display f:show is a clear error: tests/desktop/show_without_display.lua, in a process of
// its own (the video subsystem stays up once it came up).

}  // namespace
