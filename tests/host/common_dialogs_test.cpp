#include <gtest/gtest.h>

#include "host/form.h"
#include "platform/common_dialogs.h"

namespace vl {
namespace {

TEST(CommonDialogs, TheFormAnswersEachKindInTurnAndCancelsWhenItHasNoAnswer) {
  Form form;
  win::System& sys = form.WindowSystem();
  FontDesc font;
  font.name = "Courier";
  font.sizeCy = 125000;  // 12.5 points
  font.bold = true;
  font.weight = 700;
  form.AnswerDialog(win::CommonDialogKind::Colour, DialogAnswer{0x336699, "", {}});
  form.AnswerDialog(win::CommonDialogKind::Colour, std::nullopt);
  form.AnswerDialog(win::CommonDialogKind::Font, DialogAnswer{0, "", font});

  std::uint32_t colour = 0x80000012;
  EXPECT_TRUE(win::ChooseColor(sys, form.Handle(), colour));
  EXPECT_EQ(colour, 0x336699u);
  EXPECT_FALSE(win::ChooseColor(sys, form.Handle(), colour)) << "an answered Cancel";
  EXPECT_FALSE(win::ChooseColor(sys, form.Handle(), colour)) << "no answer left";
  EXPECT_EQ(colour, 0x336699u) << "a cancelled dialog changes nothing";

  win::LOGFONT lf;
  int size = 90;
  EXPECT_TRUE(win::ChooseFont(sys, win::kNoWindow, lf, size));
  EXPECT_EQ(lf.FaceName(), "Courier");
  EXPECT_EQ(size, 125);
  EXPECT_GE(lf.lfWeight, 700);

  const std::vector<DialogRecord> shown = form.TakeDialogs();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].kind, win::CommonDialogKind::Colour);
  EXPECT_EQ(shown[0].owner, "form");
  EXPECT_EQ(shown[0].colour, 0x80000012u) << "what the dialog opened on";
  EXPECT_EQ(shown[3].font.sizeCy, 90000);
  EXPECT_TRUE(form.TakeDialogs().empty());
}

TEST(CommonDialogs, WithoutAHandlerEveryDialogIsCancelled) {
  VirtualClock clock;
  win::System sys(clock);
  std::string path = "keep.ini";
  EXPECT_FALSE(win::GetOpenFileName(sys, win::kNoWindow, "All Files (*.*)|*.*||", path));
  EXPECT_EQ(path, "keep.ini");
}

}  // namespace
}  // namespace vl
