#include "pages/caption_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "page_test_support.h"

namespace vl::pages {
namespace {

using namespace caption;
using test::DesignForm;

class CaptionPage : public DesignForm {
 protected:
  void Open() {
    page = std::make_unique<CVlTextPPGCaption>(palette);
    page->SetServices(&services);
    page->Read(box);
    form.TakeNotifications();
    form.FindBox("b")->modified = false;
  }
  VlTextCaption& Cap(int d) { return box.Caption(d); }
  const PageField& F(int id) { return *page->Find(id); }

  SharedPalette palette;
  std::unique_ptr<CVlTextPPGCaption> page;
};

TEST_F(CaptionPage, ShowsACopyPerSideWithSixDecimalLengths) {
  Cap(VlTextCapTop).SetText("Top");
  Cap(VlTextCapTop).SetSize(18);
  Cap(VlTextCapTop).SetAlignment(42);  // out of the list: kept, shown as no item
  Open();
  EXPECT_EQ(F(kText).text, "");
  EXPECT_EQ(F(kSize).text, "0.000000");
  page->Choose(kDirection, VlTextCapTop);
  EXPECT_EQ(F(kText).text, "Top");
  EXPECT_EQ(F(kSize).text, "18.000000");
  EXPECT_EQ(F(kAlignment).selected, -1);
  EXPECT_EQ(F(kSample).text, "Top");
  page->Apply(box);
  EXPECT_EQ(Cap(VlTextCapTop).Alignment(), 42) << "a value the page could not show is not written";
}

TEST_F(CaptionPage, ChangingTheDirectionKeepsWhatWasTypedForTheSideLeft) {
  Open();
  page->Type(kText, "&Name");
  EXPECT_EQ(F(kSample).text, "&Name") << "the sample follows the text as it is typed";
  page->Type(kSize, "36");
  page->Choose(kDirection, VlTextCapRight);
  EXPECT_EQ(F(kText).text, "");
  page->Choose(kDirection, VlTextCapLeft);
  EXPECT_EQ(F(kText).text, "&Name");
  EXPECT_EQ(F(kSize).text, "36.000000");
  EXPECT_EQ(Cap(VlTextCapLeft).Text(), "") << "nothing is written before Apply";
  EXPECT_TRUE(page->IsDirty());
  page->Apply(box);
  EXPECT_EQ(Cap(VlTextCapLeft).Text(), "&Name");
  EXPECT_NEAR(Cap(VlTextCapLeft).Size(), 36, 0.05);
}

TEST_F(CaptionPage, ApplyWithoutAChangeTouchesNoCaption) {
  Cap(VlTextCapLeft).SetSize(20);  // 706 HIMETRIC: not a whole number of points
  Cap(VlTextCapBottom).SetFont(nullptr);
  Open();
  for (int d : {1, 2, 3, 0}) page->Choose(kDirection, d);
  EXPECT_FALSE(page->IsDirty());
  page->Apply(box);
  EXPECT_FALSE(form.FindBox("b")->modified) << "nothing written, not even the font";
}

TEST_F(CaptionPage, TheFontDialogStartsOnTheCopysFontAndItsChoiceIsWritten) {
  Open();
  page->Click(kFont);
  ASSERT_TRUE(services.fontAsked);
  EXPECT_EQ(services.fontAsked->name, DefaultCaptionFont().name) << "a caption without a font shows the default one";
  EXPECT_FALSE(page->IsDirty()) << "cancelled";
  FontDesc chosen = DefaultCaptionFont();
  chosen.sizeCy = 120000;
  services.font = chosen;
  page->Click(kFont);
  EXPECT_EQ(page->SampleFont().sizeCy, 120000) << "the sample shows it";
  page->Apply(box);
  ASSERT_NE(Cap(VlTextCapLeft).Font(), nullptr);
  EXPECT_EQ(Cap(VlTextCapLeft).Font()->Desc().sizeCy, 120000);
  EXPECT_EQ(Cap(VlTextCapRight).Font(), nullptr);
}

TEST_F(CaptionPage, ColoursGoIntoTheCopyOfTheSideShown) {
  Open();
  page->Choose(kDirection, VlTextCapBottom);
  ColourList& back = *page->ColourListOf(kBackColor);
  back.DropDown();
  back.Choose(3);
  const std::uint32_t chosen = back.Colour();
  EXPECT_EQ(page->Pending(VlTextCapBottom).backColor, chosen);
  EXPECT_EQ(page->Pending(VlTextCapLeft).backColor, 0x8000000Fu);
  page->Choose(kDirection, VlTextCapLeft);
  EXPECT_EQ(page->ColourListOf(kBackColor)->Colour(), 0x8000000Fu) << "the list shows the Left copy's colour";
  page->Apply(box);
  EXPECT_EQ(Cap(VlTextCapBottom).BackColor(), chosen);
}

struct LengthRow {
  const char* name;
  float leftSize, leftSpacing, rightSize;  // before
  const char* newLeftSize;
  const char* newLeftSpacing;
  const char* newRightSize;
  float wantLeftSize, wantLeftSpacing, wantRightSize;  // after Apply
};

TEST_F(CaptionPage, LengthsAreWrittenSoNoOldLimitCutsThem) {
  // The box is 150 points wide; a side keeps at most the width less the other side and 8 pixels.
  const LengthRow rows[] = {
      {"one side grows as the other shrinks", 0, 0, 90, "90", "0", "18", 90, 0, 18},
      {"size and spacing both shrink", 36, 18, 0, "9", "4.5", "0", 9, 4.5, 0},
      {"size and spacing both grow", 9, 4.5, 0, "36", "18", "0", 36, 18, 0},
  };
  for (const LengthRow& row : rows) {
    for (int d : {0, 1}) {
      Cap(d).SetSpacing(0);
      Cap(d).SetSize(0);
    }
    Cap(VlTextCapRight).SetSize(row.rightSize);
    Cap(VlTextCapLeft).SetSize(row.leftSize);
    Cap(VlTextCapLeft).SetSpacing(row.leftSpacing);
    Open();
    page->Type(kSize, row.newLeftSize);
    page->Type(kSpacing, row.newLeftSpacing);
    page->Choose(kDirection, VlTextCapRight);
    page->Type(kSize, row.newRightSize);
    page->Apply(box);
    EXPECT_NEAR(Cap(VlTextCapLeft).Size(), row.wantLeftSize, 0.05) << row.name;
    EXPECT_NEAR(Cap(VlTextCapLeft).Spacing(), row.wantLeftSpacing, 0.05) << row.name;
    EXPECT_NEAR(Cap(VlTextCapRight).Size(), row.wantRightSize, 0.05) << row.name;
  }
}

TEST_F(CaptionPage, ALengthThatIsNoNumberGoesBack) {
  Open();
  for (const char* text : {"abc", "1e999", "nan", ""}) {
    page->Type(kPadding, text);
    page->Leave(kPadding);
    EXPECT_EQ(F(kPadding).text, "0.000000") << text;
    EXPECT_EQ(services.Messages(), "設定値を変換できませんでした") << text;
  }
  page->Type(kPadding, " -2.5 ");
  page->Leave(kPadding);
  EXPECT_EQ(services.Messages(), "") << "a number with blanks around it";
}

}  // namespace
}  // namespace vl::pages
