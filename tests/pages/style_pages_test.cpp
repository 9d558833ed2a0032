#include "pages/style_pages.h"

#include <gtest/gtest.h>

#include "page_test_support.h"

namespace vl::pages {
namespace {

using namespace style;
using test::DesignForm;

class StylePage : public DesignForm {
 protected:
  CVlTextPPGStyle& Open() {
    page = std::make_unique<CVlTextPPGStyle>();
    page->SetServices(&services);
    page->Read(box);
    form.TakeNotifications();
    return *page;
  }
  const PageField& F(int id) { return *page->Find(id); }
  std::unique_ptr<CVlTextPPGStyle> page;
};

TEST_F(StylePage, ScrollBarsWaitForMultiLineAndTheSpinSettingsForASpinButton) {
  Open();
  EXPECT_FALSE(F(kScrollBars).enabled);
  EXPECT_FALSE(F(kSpinIncrease).enabled);
  EXPECT_FALSE(F(kSpinDelay).enabled);
  page->Check(kMultiLine, true);
  EXPECT_TRUE(F(kScrollBars).enabled);
  for (const auto& [item, on] : {std::pair{2, true}, {1, true}, {0, false}}) {
    page->Choose(kSpinButton, item);
    EXPECT_EQ(F(kSpinIncrease).enabled, on) << item;
    EXPECT_EQ(F(kSpinDelay).enabled, on) << item;
  }
}

struct NumberRow {
  const char* name;
  int field;
  const char* text;
  const char* kept;
  bool refused;
};

TEST_F(StylePage, NumbersAreCheckedForTheirKindWhenLeft) {
  const NumberRow rows[] = {
      {"a single", kSpinIncrease, "0.25", "0.25", false},
      {"a single out of range", kSpinIncrease, "1e39", "1", true},
      {"no number", kSpinIncrease, "fast", "1", true},
      {"a 16-bit delay", kSpinDelay, "500", "500", false},
      {"a delay past 16 bits", kSpinDelay, "40000", "250", true},
      {"a fraction is no delay", kSpinDelay, "2.5", "250", true},
  };
  Put(kDispSpinButton, Variant::I4(2));
  for (const NumberRow& row : rows) {
    Open();
    page->Type(row.field, row.text);
    page->Leave(row.field);
    EXPECT_EQ(F(row.field).text, row.kept) << row.name;
    EXPECT_EQ(!services.Messages().empty(), row.refused) << row.name;
  }
}

TEST_F(StylePage, ApplyWritesTheListsAsTheirItemIndexAndTheNumbersAsNumbers) {
  Put(kDispSpinButton, Variant::I4(2));
  Open();
  page->Choose(kIMEMode, 4);
  page->Type(kSpinIncrease, "0.5");
  page->Type(kSpinDelay, "100");
  page->Apply(box);
  EXPECT_EQ(Get(kDispIMEMode), Variant::I4(4));
  EXPECT_EQ(Get(kDispSpinIncrease), Variant::R4(0.5f));
  EXPECT_EQ(Get(kDispSpinDelay), Variant::I4(100));
  EXPECT_EQ(Notified(), std::to_string(kDispIMEMode) + " " + std::to_string(kDispSpinIncrease) + " " +
                            std::to_string(kDispSpinDelay));
}

TEST(Style2Page, OffersTheThreeFuriganaForms) {
  CVlTextPPGStyle2 page;
  const PageField& f = *page.Find(style2::kFuriganaType);
  ASSERT_EQ(f.items.size(), 3u);
  EXPECT_EQ(Cp932ToUtf8(f.items[1]), "1 - 全角カタカナ");
  EXPECT_EQ(Cp932ToUtf8(f.label), "&FuriganaType");
}

}  // namespace
}  // namespace vl::pages
