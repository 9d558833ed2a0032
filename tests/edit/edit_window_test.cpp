// The edit window's common behaviour, driven through a form as a user would.
#include <gtest/gtest.h>

#include "edit/number_edit.h"
#include "host/form.h"

namespace vl {
namespace {

class EditWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.AddButton("other");
    box_ = &form_.AddBox("b");
    box_->SetProperty(kDispDataType, Variant::I4(VlTextLong));
    box_->SetProperty(kDispValue, Variant::I4(1234));
    form_.Focus(*box_);
    form_.PumpMessages();
    form_.TakeEvents();
  }
  win::System& Sys() { return form_.WindowSystem(); }
  CVlEditWnd& Edit() { return *box_->Editor(); }
  void Key(int vk, bool ctrl = false, bool shift = false) {
    if (ctrl) Sys().keybd_event(win::VK_CONTROL, 0);
    if (shift) Sys().keybd_event(win::VK_SHIFT, 0);
    Sys().keybd_event(vk, 0);
    Sys().keybd_event(vk, win::KEYEVENTF_KEYUP);
    if (shift) Sys().keybd_event(win::VK_SHIFT, win::KEYEVENTF_KEYUP);
    if (ctrl) Sys().keybd_event(win::VK_CONTROL, win::KEYEVENTF_KEYUP);
    form_.PumpMessages();
  }
  int Changes() {
    int n = 0;
    for (const EventRecord& r : form_.TakeEvents()) n += r.name == "Change";
    return n;
  }

  Form form_;
  CVlTypedBoxCtrl* box_ = nullptr;
};

TEST_F(EditWindow, SpinDelayOutsideItsRangeIsRefused) {
  EXPECT_TRUE(Edit().SetSpinDelay(300));
  EXPECT_FALSE(Edit().SetSpinDelay(40000));
  EXPECT_FALSE(Edit().SetSpinDelay(-1));
  EXPECT_EQ(Edit().GetSpinDelay(), 300);
}

TEST_F(EditWindow, LockedBoxEditsNothingButStillCopies) {
  box_->SetProperty(kDispLocked, Variant::Bool(true));
  box_->SetProperty(kDispSpinButton, Variant::I4(2));
  form_.TakeEvents();
  Sys().QueueChar('5');
  form_.PumpMessages();
  Key(win::VK_BACK);
  Key(win::VK_DELETE);
  Key('X', true);
  Key('Z', true);
  Key(win::VK_UP, true);
  Sys().OpenClipboard(win::kNoWindow);
  Sys().EmptyClipboard();
  Sys().SetClipboardData(win::CF_TEXT, std::string("9\0", 2));
  Sys().CloseClipboard();
  Key('V', true);
  EXPECT_EQ(Changes(), 0);
  EXPECT_EQ(Edit().WindowText(), "1234");
  Key('A', true);
  Key('C', true);
  EXPECT_EQ(Sys().GetClipboardData(win::CF_TEXT).value_or(""), std::string("1234\0", 5));
}

TEST_F(EditWindow, SelectByFocusOnlyWhenTheFocusComesFromTheSameForm) {
  box_->SetProperty(kDispSelectByFocus, Variant::Bool(true));
  form_.FocusButton("other");
  form_.Focus(*box_);
  std::int32_t start = 0, length = 0;
  Edit().GetSel(start, length);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(length, 4);
  // The application loses the focus to another top-level window and gets it back.
  Edit().SetSel(2, 0);
  win::Window elsewhere;
  win::HWND other = Sys().CreateWindowEx(elsewhere, "OtherApp", win::WS_VISIBLE, win::RECT{0, 0, 10, 10}, win::kNoWindow);
  Sys().SetFocus(other);
  Sys().SetFocus(Edit().Handle());
  Edit().GetSel(start, length);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(length, 0);
}

TEST_F(EditWindow, BackspaceAndUndo) {
  Key(win::VK_END);
  Key(win::VK_BACK);
  Key(win::VK_BACK);
  EXPECT_EQ(Edit().WindowText(), "12");
  EXPECT_EQ(Changes(), 2);
  Key('Z', true);
  EXPECT_EQ(Edit().WindowText(), "1234");
  EXPECT_EQ(Changes(), 1);
}

// A key writes only what changed into the window while the window still holds the text the
// editor last gave it; a window text changed behind the editor's back is replaced whole.
TEST_F(EditWindow, TheWindowTextFollowsTheDisplayTextKeyByKey) {
  box_->SetProperty(kDispDataType, Variant::I4(VlTextString));
  box_->SetProperty(kDispValue, Variant::Bstr("abc"));
  Key(win::VK_END);
  struct Row {
    const char* name;
    const char* behind;  // written into the window directly, or nothing
    char key;
    const char* shown;
  };
  for (const Row& r : {Row{"typed at the end", nullptr, 'd', "abcd"}, Row{"again", nullptr, 'e', "abcde"},
                       Row{"after a text set behind the editor", "zz", 'f', "abcdef"},
                       Row{"and once more", nullptr, 'g', "abcdefg"}}) {
    if (r.behind != nullptr)
      Sys().SendMessage(Edit().Handle(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(r.behind));
    Sys().QueueChar(static_cast<std::uint8_t>(r.key));
    form_.PumpMessages();
    std::string shown;
    Edit().GetDisplayText(shown);
    EXPECT_EQ(shown, r.shown) << r.name;
    EXPECT_EQ(Edit().Text(), r.shown) << r.name;
  }
}

TEST_F(EditWindow, SelStartFromTheHostPlacesTheCaret) {
  box_->SetProperty(kDispSelStart, Variant::I4(1));
  box_->SetProperty(kDispSelLength, Variant::I4(2));
  std::int32_t start = 0, length = 0;
  Edit().GetSel(start, length);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(length, 2);
  EXPECT_EQ(box_->GetProperty(kDispSelText), Variant::Bstr("23"));
  box_->SetProperty(kDispSelText, Variant::Bstr("9"));
  EXPECT_EQ(Edit().WindowText(), "194");
}

TEST_F(EditWindow, NumericSelectionSkipsTheSign) {
  box_->SetProperty(kDispValue, Variant::I4(-12));
  Edit().SetSel(0, 3);
  std::int32_t start = 0, length = 0;
  Edit().GetSel(start, length);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(length, 2);
}

}  // namespace
}  // namespace vl
