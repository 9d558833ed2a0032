#include <gtest/gtest.h>

#include "edit/string_edit.h"
#include "edit_harness.h"
#include "text/encoding.h"

namespace vl {
namespace {

using testing::EditHarness;

constexpr win::DWORD kRoman = win::IME_CMODE_ROMAN;
constexpr win::DWORD kPredict = win::IME_SMODE_PHRASEPREDICT;

win::ImeState State(EditHarness& h) { return *h.Imm().GetState(h.Imm().DefaultContext()); }

// --- Focus gain -------------------------------------------------------------------------------

struct GainRow {
  const char* name;
  std::uint16_t mode;
  bool open;
  win::DWORD conversion;  // after focus gain, from a closed hiragana input method with ROMAN set
};

class ImeFocusGain : public ::testing::TestWithParam<GainRow> {};

TEST_P(ImeFocusGain, ModeSetsOpenStatusAndConversionKeepingTheUsersBits) {
  const GainRow& row = GetParam();
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(row.mode);
  h.Create(e);
  h.Imm().UserSetState(false, win::IME_CMODE_NATIVE | win::IME_CMODE_FULLSHAPE | kRoman | 0x100, kPredict);
  h.Focus(e);
  EXPECT_EQ(State(h).open, row.open);
  EXPECT_EQ(State(h).conversion, row.conversion);
  EXPECT_EQ(State(h).sentence, kPredict) << "the user's sentence mode is kept";
  EXPECT_EQ(h.Imm().OutstandingContexts(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImeFocusGain,
    ::testing::Values(GainRow{"NoOpLeavesAllAlone", 0, false, 0x119},
                      GainRow{"OnKeepsConversion", 1, true, 0x119},
                      GainRow{"OffCloses", 2, false, 0x119},
                      GainRow{"Hiragana", 4, true, 0x19},
                      GainRow{"FullWidthKatakana", 5, true, 0x1B},
                      GainRow{"HalfWidthKatakana", 6, true, 0x13},
                      GainRow{"FullWidthAlphanumeric", 7, true, 0x18},
                      GainRow{"HalfWidthAlphanumeric", 8, true, 0x10}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Focus loss -------------------------------------------------------------------------------

struct LossRow {
  const char* name;
  bool open;
  win::DWORD conversion;  // what the user left
  std::uint16_t readsBack;
};

class ImeFocusLoss : public ::testing::TestWithParam<LossRow> {};

TEST_P(ImeFocusLoss, ModeReadsTheStateTheUserLeftAndTheInputMethodCloses) {
  const LossRow& row = GetParam();
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(1);
  h.Create(e);
  h.Focus(e);
  h.Imm().UserSetState(row.open, row.conversion, 0);
  h.Leave();
  EXPECT_EQ(e.GetIMEMode(), row.readsBack);
  EXPECT_FALSE(State(h).open);
  EXPECT_EQ(State(h).sentence, kPredict) << "the sentence mode of focus gain returns";
  EXPECT_EQ(h.Imm().OutstandingContexts(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImeFocusLoss,
    ::testing::Values(LossRow{"Closed", false, 0x19, 2},
                      LossRow{"Hiragana", true, 0x19, 4},
                      LossRow{"FullWidthKatakana", true, 0x1B, 5},
                      LossRow{"HalfWidthKatakana", true, 0x13, 6},
                      LossRow{"FullWidthAlphanumeric", true, 0x18, 7},
                      LossRow{"HalfWidthAlphanumeric", true, 0x10, 8},
                      LossRow{"KatakanaWithoutNativeBit", true, 0x02, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Ime, NoOpModeNeverWritesBack) {
  EditHarness h;
  CVlStringEdit e;
  h.Create(e);
  h.Imm().UserSetState(true, 0x13, kPredict);
  h.Focus(e);
  h.Leave();
  EXPECT_EQ(e.GetIMEMode(), 0);
  EXPECT_TRUE(State(h).open) << "left alone";
}

TEST(Ime, DisabledModeDetachesTheContextUntilFocusLoss) {
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(3);
  h.Create(e);
  const win::HIMC own = h.Imm().ImmCreateContext();
  h.Imm().ImmAssociateContext(e.Handle(), own);
  h.Imm().UserSetState(true, std::nullopt, std::nullopt);
  h.Focus(e);
  EXPECT_EQ(h.Imm().UserContext(), win::kNoContext);
  EXPECT_FALSE(h.Imm().Compose(Cp932Literal("学校"), Cp932Literal("ｶﾞｯｺｳ"))) << "no composition in the box";
  h.Leave();
  h.Focus(e);
  h.Leave();
  EXPECT_EQ(h.Imm().ImmAssociateContext(e.Handle(), own), own) << "the box's own context came back";
  EXPECT_EQ(e.GetIMEMode(), 3);
}

TEST(Ime, ADetachedContextReturnsEvenWhenTheModeChangedWhileFocused) {
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(3);
  h.Create(e);
  h.Focus(e);
  e.SetIMEMode(4);
  h.Leave();
  EXPECT_EQ(h.Imm().ImmAssociateContext(e.Handle(), win::kNoContext), h.Imm().DefaultContext());
}

TEST(Ime, SwitchingToNoOpWhileFocusedWritesNothingBack) {
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(4);
  h.Create(e);
  h.Focus(e);
  e.SetIMEMode(0);
  h.Imm().UserSetState(std::nullopt, 0x13, std::nullopt);
  h.Leave();
  EXPECT_EQ(e.GetIMEMode(), 0);
  EXPECT_TRUE(State(h).open) << "mode 0 leaves the input method as the user has it";
}

TEST(Ime, RefusedOpenStatusLeavesTheBoxFlagsSoNothingIsWrittenBack) {
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(4);
  h.Create(e);
  h.Imm().SetOpenStatusRefused(true);
  h.Focus(e);
  h.Imm().SetOpenStatusRefused(false);
  h.Imm().UserSetState(true, 0x13, std::nullopt);
  h.Leave();
  EXPECT_EQ(e.GetIMEMode(), 4);
  EXPECT_TRUE(State(h).open);
}

TEST(Ime, WithoutAnInputMethodTheWholeStepIsSkipped) {
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(6);
  h.Create(e);
  h.Imm().SetInstalled(false);
  h.Focus(e);
  h.Leave();
  EXPECT_FALSE(State(h).open);
  EXPECT_EQ(e.GetIMEMode(), 6);
}

TEST(Ime, ChangingTheModeWhileFocusedAppliesAtOnce) {
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(4);
  h.Create(e);
  h.Focus(e);
  e.SetIMEMode(8);
  EXPECT_EQ(State(h).conversion & 0x0F, 0u);
  e.SetIMEMode(2);
  EXPECT_FALSE(State(h).open);
}

// --- Mask-driven switching -----------------------------------------------------------------------

struct MaskRow {
  const char* name;
  const char* mask;
  std::uint16_t imeMode;
  bool open;
  win::DWORD conversion;
  win::DWORD sentence;
};

class ImeMask : public ::testing::TestWithParam<MaskRow> {};

TEST_P(ImeMask, TheRunAtTheCaretPicksTheMode) {
  const MaskRow& row = GetParam();
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat(Cp932Literal(row.mask));
  e.SetIMEMode(row.imeMode);
  h.Create(e);
  h.Imm().UserSetState(false, 0x19, kPredict);
  h.Focus(e);
  EXPECT_EQ(State(h).open, row.open);
  EXPECT_EQ(State(h).conversion, row.conversion);
  EXPECT_EQ(State(h).sentence, row.sentence);
  h.Leave();
  EXPECT_EQ(State(h).sentence, kPredict) << "the saved sentence mode returns at focus loss";
  EXPECT_EQ(h.Imm().OutstandingContexts(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImeMask,
    ::testing::Values(MaskRow{"OffBoxOpensOnHiraganaPosition", "@J@J", 2, true, 0x19, kPredict},
                      MaskRow{"FullWidthKatakanaTurnsSentenceOff", "@K@K", 1, true, 0x1B, 0},
                      MaskRow{"HalfWidthKatakana", "KK", 1, true, 0x13, 0},
                      MaskRow{"FullWidthDigits", "@9@9", 1, true, 0x18, 0},
                      MaskRow{"HalfWidthDigits", "99", 4, true, 0x10, 0},
                      MaskRow{"CaseMarkerLooksAtItsRun", "<LL", 1, true, 0x10, 0},
                      MaskRow{"NoOpBoxIsNeverSwitched", "KK", 0, false, 0x19, kPredict},
                      MaskRow{"NoMaskNoSwitch", "", 2, false, 0x19, kPredict}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Ime, MovingIntoAnotherRunSwitchesAndBackToHiraganaRestoresSentence) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat(Cp932Literal("@J@J99"));
  e.SetIMEMode(1);
  h.Create(e);
  h.Imm().UserSetState(false, 0x19, kPredict);
  h.Focus(e);
  EXPECT_EQ(State(h).conversion, 0x19u);
  h.Type(Cp932Literal("あい"));
  EXPECT_EQ(State(h).conversion, 0x10u) << "the caret stands in the digit run";
  EXPECT_EQ(State(h).sentence, 0u);
  e.SetSel(0, 0);
  EXPECT_EQ(State(h).conversion, 0x19u);
  EXPECT_EQ(State(h).sentence, kPredict);
}

// --- Furigana ---------------------------------------------------------------------------------

struct FuriganaRow {
  const char* name;
  std::uint16_t type;
  const char* kana;
};

class ImeFurigana : public ::testing::TestWithParam<FuriganaRow> {};

TEST_P(ImeFurigana, ConfirmedCompositionSendsItsReadingThenItsCharacters) {
  const FuriganaRow& row = GetParam();
  EditHarness h;
  CVlStringEdit e;
  e.SetIMEMode(4);
  e.SetFuriganaType(row.type);
  h.Create(e);
  h.Focus(e);
  ASSERT_TRUE(h.Imm().Compose(Cp932Literal("学校"), Cp932Literal("ｶﾞｯｺｳ")));
  ASSERT_EQ(h.parent.furigana.size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(h.parent.furigana[0]), row.kana);
  EXPECT_EQ(h.parent.changes, 0) << "the reading comes before the characters";
  h.sys.ProcessInput();
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), "学校");
  EXPECT_EQ(h.parent.changes, 2);
  EXPECT_EQ(h.Imm().OutstandingContexts(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImeFurigana,
                         ::testing::Values(FuriganaRow{"HanKata", 0, "ｶﾞｯｺｳ"}, FuriganaRow{"ZenKata", 1, "ガッコウ"},
                                           FuriganaRow{"Hira", 2, "がっこう"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl
