#include "pages/property_frame.h"

#include <gtest/gtest.h>

#include "page_test_support.h"
#include "platform/dialog.h"

namespace vl::pages {
namespace {

using test::DesignForm;

constexpr int kGeneral = 0;
constexpr int kStyle = 1;
constexpr int kCaption = 3;

class Frame : public DesignForm {
 protected:
  PropertyPages& Open() {
    pages = &form.OpenPropertyPages(*form.FindBox("b"), palette);
    form.TakeNotifications();
    form.FindBox("b")->modified = false;
    return *pages;
  }
  bool ApplyEnabled() { return form.WindowSystem().IsWindowEnabled(pages->Button(PropertyPages::kApplyId)); }
  void Key(const std::vector<int>& held, int vk) {
    win::System& sys = form.WindowSystem();
    for (int h : held) sys.keybd_event(h, 0);
    sys.keybd_event(vk, 0);
    sys.keybd_event(vk, win::KEYEVENTF_KEYUP);
    for (auto it = held.rbegin(); it != held.rend(); ++it) sys.keybd_event(*it, win::KEYEVENTF_KEYUP);
    form.PumpMessages();
  }
  std::string Messages() {
    std::string out;
    for (const MessageRecord& m : form.TakeMessages())
      out += (out.empty() ? "" : " / ") + m.owner + ": " + Cp932ToUtf8(m.text);
    return out;
  }

  std::shared_ptr<SharedPalette> palette = std::make_shared<SharedPalette>();
  PropertyPages* pages = nullptr;
};

TEST_F(Frame, ApplyWithoutAChangeWritesNothingOnAnyPage) {
  for (std::uint16_t type : {VlTextLong, VlTextSingle, VlTextDate, VlTextString, VlTextBoolean}) {
    Put(kDispDataType, Variant::I4(type));
    box.Caption(VlTextCapLeft).SetSize(20);
    Open();
    EXPECT_FALSE(pages->IsDirty()) << type;
    EXPECT_FALSE(ApplyEnabled()) << type;
    EXPECT_TRUE(pages->Apply()) << type;
    EXPECT_EQ(Notified(), "") << type;
    EXPECT_FALSE(form.FindBox("b")->modified) << type;
    form.ClosePropertyPages(*pages);
  }
}

TEST_F(Frame, TheApplyButtonWaitsForAChange) {
  Open();
  ASSERT_TRUE(pages->UserCheck(kStyle, style::kMultiLine, true));
  EXPECT_TRUE(ApplyEnabled());
  ASSERT_TRUE(pages->UserCheck(kStyle, style::kMultiLine, false));
  EXPECT_FALSE(ApplyEnabled()) << "changed back";
  ASSERT_TRUE(pages->UserCheck(kStyle, style::kMultiLine, true));
  EXPECT_TRUE(pages->Apply());
  EXPECT_EQ(Get(kDispMultiLine), Variant::Bool(true));
  EXPECT_FALSE(ApplyEnabled()) << "the pages show the box again";
}

TEST_F(Frame, ARefusedWriteStopsApplyWithTheBoxsMessage) {
  Open();
  ASSERT_TRUE(pages->UserType(kGeneral, general::kCaption, "x") == false) << "Caption is for Boolean boxes";
  ASSERT_TRUE(pages->UserType(kGeneral, general::kEraProfile, "eras.ini"));
  ASSERT_TRUE(pages->UserType(kStyle, style::kPasswordChar, test::Sjis("漢")));
  EXPECT_FALSE(pages->Apply());
  ASSERT_TRUE(pages->LastError());
  EXPECT_EQ(pages->LastError()->Code(), 380);
  EXPECT_EQ(Messages(), "pages: 2バイト文字は設定できません");
  EXPECT_EQ(Get(kDispEraProfile), Variant::Bstr("eras.ini")) << "the page before was written";
  EXPECT_EQ(pages->Page(kStyle).Find(style::kPasswordChar)->text, test::Sjis("漢")) << "the user's entry is kept";
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(Frame, ApplyLeavesTheFieldBeingEditedFirst) {
  Put(kDispDataType, Variant::I4(VlTextLong));
  Put(kDispCheckValue, Variant::Bool(true));
  Put(kDispUpperValue, Variant::I4(20));
  Open();
  ASSERT_TRUE(pages->UserType(kGeneral, general::kLowerValue, "30"));
  EXPECT_EQ(pages->Focused(), (std::pair<int, int>{kGeneral, general::kLowerValue}));
  EXPECT_TRUE(pages->Apply());
  EXPECT_EQ(Messages(), "General: LowerValueプロパティに有効範囲を超えた値を設定する事はできません");
  EXPECT_EQ(TypedValueToText(Get(kDispLowerValue)), "-2147483648") << "the refused end is not written";
}

TEST_F(Frame, FocusMovesThroughThePageThenTheButtonsAndCtrlTabChangesThePage) {
  Open();
  pages->Show(kCaption, true);
  EXPECT_EQ(pages->Focused(), (std::pair<int, int>{kCaption, caption::kDirection}));
  Key({win::VK_SHIFT}, win::VK_TAB);  // back past the page to the tabs
  EXPECT_EQ(pages->Focused().first, -1);
  Key({}, win::VK_RIGHT);
  EXPECT_EQ(pages->Shown(), kGeneral) << "Right on the tabs wraps to the first page";
  Key({win::VK_CONTROL}, win::VK_TAB);
  EXPECT_EQ(pages->Shown(), kStyle);
  Key({win::VK_CONTROL, win::VK_SHIFT}, win::VK_TAB);
  EXPECT_EQ(pages->Shown(), kGeneral);
  Key({win::VK_MENU}, 'R');
  EXPECT_EQ(pages->Focused(), (std::pair<int, int>{kGeneral, general::kFormat})) << "Alt+R: Fo&rmat";
}

TEST_F(Frame, ChangingThePageLeavesTheFieldFirst) {
  Put(kDispDataType, Variant::I4(VlTextLong));
  Put(kDispCheckValue, Variant::Bool(true));
  Put(kDispUpperValue, Variant::I4(20));
  Open();
  pages->UserType(kGeneral, general::kLowerValue, "x");
  pages->Show(kStyle);
  EXPECT_EQ(Messages(), "General: LowerValueプロパティに有効範囲を超えた値を設定する事はできません");
}

TEST_F(Frame, TheCommonDialogsAreTheHostsToAnswer) {
  Open();
  form.AnswerDialog(win::CommonDialogKind::OpenFile, DialogAnswer{0, "/data/eras.ini", {}});
  ASSERT_TRUE(pages->UserClick(kGeneral, general::kBrowse));
  EXPECT_EQ(pages->Page(kGeneral).Find(general::kEraProfile)->text, "/data/eras.ini");
  ASSERT_TRUE(pages->UserClick(kGeneral, general::kBrowse));
  EXPECT_EQ(pages->Page(kGeneral).Find(general::kEraProfile)->text, "/data/eras.ini") << "no answer waiting: cancelled";
  const std::vector<DialogRecord> dialogs = form.TakeDialogs();
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[0].owner, "General");
  EXPECT_EQ(dialogs[0].path, "");
  EXPECT_EQ(dialogs[1].path, "/data/eras.ini") << "the dialog opens on the field's path";
}

TEST_F(Frame, APictureShowsThePageAskedForWithoutChangingTheFrame) {
  Open();
  win::FixedFontBackend fonts;
  const win::Surface general = pages->Render(kGeneral, fonts);
  const win::Surface caption = pages->Render(kCaption, fonts);
  EXPECT_EQ(general.Width(), caption.Width());
  EXPECT_EQ(general.Height(), caption.Height());
  EXPECT_NE(general.Rgba(), caption.Rgba());
  EXPECT_EQ(pages->Shown(), kGeneral);
  // An open list lies over the buttons and beyond the frame.
  ColourList& text = *pages->Caption().ColourListOf(caption::kTextColor);
  (void)text;
  ASSERT_TRUE(pages->UserFocus(kCaption, caption::kTextColor));
  form.WindowSystem().SendMessage(pages->Dialog(kCaption).FieldWindow(caption::kTextColor), win::CB_SHOWDROPDOWN, 1, 0);
  const win::Surface dropped = pages->Render(kCaption, fonts);
  EXPECT_GT(dropped.Height(), caption.Height());
}

}  // namespace
}  // namespace vl::pages
