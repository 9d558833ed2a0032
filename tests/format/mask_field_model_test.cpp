#include "format/mask_field_model.h"

#include <gtest/gtest.h>

#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl {
namespace {

std::string J(std::string_view utf8) { return Cp932Literal(utf8); }
const std::string kM1 = "\x7F";

// A field model set up the way an editor sets it up.
struct Setup {
  bool numeric = false;
  std::string mask;        // mask mode: the mask text ("" = unmasked)
  std::int32_t intPositions = 0;  // numeric mode
  bool hasFraction = false;
  std::int32_t fracPositions = 0;
};

Setup Mask(std::string mask) { return Setup{false, std::move(mask)}; }
Setup Num(std::int32_t i, bool fraction = false, std::int32_t f = 0) { return Setup{true, "", i, fraction, f}; }

MaskFieldModel Make(const Setup& setup, std::string_view text) {
  MaskFieldModel model;
  if (setup.numeric) {
    model.SetNumericMode(true);
    model.SetLayout(MakeNumericLayout(setup.intPositions, setup.hasFraction, setup.fracPositions));
  } else {
    model.SetLayout(BuildMaskEditLayout(ParseStringMask(setup.mask)));
  }
  model.SetText(text);
  return model;
}

// Types a CP932 text character by character; false at the first refusal.
bool Type(MaskFieldModel& model, std::string_view text) {
  for (std::size_t p = 0; p < text.size(); p += CharLengthAt(text, p)) {
    if (!model.InsertChar(CharCodeAt(text, p))) return false;
  }
  return true;
}

// Runs one scripted operation; returns what the operation returned (true for those that return
// nothing). "'text" types text; the other words name model operations.
bool RunOp(MaskFieldModel& model, const std::string& op) {
  if (!op.empty() && op[0] == '\'') return Type(model, op.substr(1));
  if (op == "Left") model.MoveCaret(CaretMove::kLeft);
  else if (op == "Right") model.MoveCaret(CaretMove::kRight);
  else if (op == "Home") model.MoveCaret(CaretMove::kFirst);
  else if (op == "End") model.MoveCaret(CaretMove::kLast);
  else if (op == "PrevGroup") model.MoveCaret(CaretMove::kPreviousGroup);
  else if (op == "NextGroup") model.MoveCaret(CaretMove::kNextGroup);
  else if (op == "ExtLeft") model.ExtendSelection(SelectionExtend::kLeft);
  else if (op == "ExtRight") model.ExtendSelection(SelectionExtend::kRight);
  else if (op == "All") model.ExtendSelection(SelectionExtend::kAll);
  else if (op == "Seg") model.ExtendSelection(SelectionExtend::kSegment);
  else if (op == "ToStart") model.ExtendSelection(SelectionExtend::kToStart);
  else if (op == "ToEnd") model.ExtendSelection(SelectionExtend::kToEnd);
  else if (op == "Ovr") model.SetEditMode(FieldEditMode::kOverwrite);
  else if (op == "Ins") model.SetEditMode(FieldEditMode::kInsert);
  else if (op == "Del") return model.Delete();
  else if (op == "Back") return model.DeleteBackward();
  else if (op == "Clear") model.DeleteAll();
  else ADD_FAILURE() << "unknown op " << op;
  return true;
}

struct ScriptRow {
  const char* name;
  Setup setup;
  std::string text;  // loaded with SetText (CP932)
  FieldSelection start;
  std::vector<std::string> ops;
  std::string edit;  // expected EditText
  FieldSelection sel;
  bool lastResult = true;
};

class FieldScriptTest : public testing::TestWithParam<ScriptRow> {};

TEST_P(FieldScriptTest, EndsWithTextAndSelection) {
  const ScriptRow& row = GetParam();
  MaskFieldModel model = Make(row.setup, row.text);
  model.SetSelection(row.start.start, row.start.end);
  bool result = true;
  for (const std::string& op : row.ops) result = RunOp(model, op);
  EXPECT_EQ(model.EditText(), row.edit);
  EXPECT_EQ(model.GetSelection(), row.sel) << model.GetSelection().start << "," << model.GetSelection().end;
  EXPECT_EQ(result, row.lastResult);
}

const std::string kM = "999\\-999";

INSTANTIATE_TEST_SUITE_P(
    Mask, FieldScriptTest,
    testing::Values(
        // Deletion flows the rest left; the freed last position shows its marker as a space.
        ScriptRow{"DeleteSecondDigitFlowsLeft", Mask(kM), "123456", {1, 1}, {"Del"}, "134-56 ", {1, 1}},
        ScriptRow{"BackspaceAfterSecondDigit", Mask(kM), "123456", {2, 2}, {"Back"}, "134-56 ", {1, 1}},
        ScriptRow{"DeleteSelectionAcrossLiteral", Mask(kM), "123456", {2, 5}, {"Del"}, "125-6  ", {2, 2}},
        ScriptRow{"BackspaceAcrossLiteral", Mask(kM), "123456", {4, 4}, {"Back"}, "124-56 ", {2, 2}},
        ScriptRow{"BackspaceAtFirstPositionRefused", Mask(kM), "123456", {0, 0}, {"Back"}, "123-456", {0, 0}, false},
        ScriptRow{"DeleteAtEndRemovesNothing", Mask(kM), "123456", {7, 7}, {"Del"}, "123-456", {7, 7}, false},
        ScriptRow{"DeleteOverEmptyPositionsAdvances", Mask(kM), "1", {1, 1}, {"Del"}, "1  -   ", {2, 2}, false},
        ScriptRow{"CaretAfterRunEndStandsBeforeNextRun", Mask(kM), "123456", {3, 3}, {}, "123-456", {4, 4}},
        ScriptRow{"RightFromLastDigitOfRunSkipsLiteral", Mask(kM), "123456", {2, 2}, {"Right"}, "123-456", {4, 4}},
        ScriptRow{"LeftFromRunStartLandsOnPreviousLastChar", Mask(kM), "123456", {4, 4}, {"Left"}, "123-456", {2, 2}},
        ScriptRow{"LeftAtFirstPositionStays", Mask(kM), "123456", {0, 0}, {"Left"}, "123-456", {0, 0}},
        ScriptRow{"RightAtEndStays", Mask(kM), "123456", {7, 7}, {"Right"}, "123-456", {7, 7}},
        ScriptRow{"RightCollapsesSelectionToItsEnd", Mask(kM), "123456", {1, 5}, {"Right"}, "123-456", {5, 5}},
        ScriptRow{"LeftFromReversedSelection", Mask(kM), "123456", {5, 1}, {"Left"}, "123-456", {0, 0}},
        ScriptRow{"HomeAndEnd", Mask(kM), "123456", {5, 5}, {"Home"}, "123-456", {0, 0}},
        ScriptRow{"EndGoesAfterLastPosition", Mask(kM), "12", {0, 0}, {"End"}, "12 -   ", {7, 7}},
        ScriptRow{"PrevGroupGoesToPreviousRunStart", Mask(kM), "123456", {5, 5}, {"PrevGroup"}, "123-456", {0, 0}},
        ScriptRow{"PrevGroupInFirstRunGoesToItsStart", Mask(kM), "123456", {2, 2}, {"PrevGroup"}, "123-456", {0, 0}},
        ScriptRow{"NextGroupGoesPastLiteral", Mask(kM), "123456", {1, 1}, {"NextGroup"}, "123-456", {4, 4}},
        ScriptRow{"NextGroupInLastRunGoesToEnd", Mask(kM), "123456", {5, 5}, {"NextGroup"}, "123-456", {7, 7}},
        ScriptRow{"ExtendRightOneCharacter", Mask(kM), "123456", {1, 1}, {"ExtRight"}, "123-456", {1, 2}},
        ScriptRow{"ExtendRightOverLiteral", Mask(kM), "123456", {1, 1}, {"ExtRight", "ExtRight"}, "123-456", {1, 4}},
        ScriptRow{"ExtendLeftReverses", Mask(kM), "123456", {4, 4}, {"ExtLeft"}, "123-456", {4, 2}},
        ScriptRow{"ExtendAll", Mask(kM), "123456", {2, 2}, {"All"}, "123-456", {0, 7}},
        ScriptRow{"ExtendToWholeRun", Mask(kM), "123456", {5, 5}, {"Seg"}, "123-456", {4, 7}},
        ScriptRow{"WholeRunStopsBeforeItsLiteral", Mask(kM), "123456", {1, 1}, {"Seg"}, "123-456", {0, 3}},
        ScriptRow{"ExtendToStart", Mask(kM), "123456", {5, 5}, {"ToStart"}, "123-456", {5, 0}},
        ScriptRow{"ExtendToEnd", Mask(kM), "123456", {1, 1}, {"ToEnd"}, "123-456", {1, 7}},
        ScriptRow{"OverwriteWidensToBlockCaret", Mask(kM), "123456", {1, 1}, {"Ovr"}, "123-456", {1, 2}},
        ScriptRow{"OverwriteReplacesCharacter", Mask(kM), "123456", {1, 1}, {"Ovr", "'x"}, "1x3-456", {2, 3}},
        ScriptRow{"OverwriteLastOfRunMovesPastLiteral", Mask(kM), "123456", {2, 2}, {"Ovr", "'x"}, "12x-456", {4, 5}},
        ScriptRow{"OverwriteLeftFromRunStart", Mask(kM), "123456", {4, 4}, {"Ovr", "Left"}, "123-456", {2, 3}},
        ScriptRow{"OverwriteAtEndHasNoBlock", Mask(kM), "123456", {1, 1}, {"Ovr", "End"}, "123-456", {7, 7}},
        ScriptRow{"OverwriteExtendLeftDoesNotStick", Mask(kM), "123456", {1, 1}, {"Ovr", "ExtLeft"}, "123-456", {1, 0}},
        ScriptRow{"InsertModeCollapsesBlock", Mask(kM), "123456", {1, 1}, {"Ovr", "Ins"}, "123-456", {1, 1}},
        ScriptRow{"InsertModeKeepsLongerSelection", Mask(kM), "123456", {1, 5}, {"Ins"}, "123-456", {1, 5}},
        ScriptRow{"InsertIntoFullFieldRefused", Mask(kM), "123456", {0, 0}, {"'x"}, "123-456", {0, 0}, false},
        ScriptRow{"InsertConsumesFirstGapOnly", Mask(kM), "1" + kM1 + "3456", {0, 0}, {"'x"}, "x13-456", {1, 1}},
        ScriptRow{"InsertFlowsThroughLiteral", Mask(kM), "1234", {0, 0}, {"'x"}, "x12-34 ", {1, 1}},
        ScriptRow{"InsertReplacesSelection", Mask(kM), "123456", {1, 3}, {"'x"}, "1x4-56 ", {2, 2}},
        ScriptRow{"TypingRunEndPutsCaretPastLiteral", Mask(kM), "", {0, 0}, {"'123"}, "123-   ", {4, 4}},
        ScriptRow{"TypingFillsEveryPosition", Mask(kM), "", {0, 0}, {"'123456"}, "123-456", {7, 7}},
        ScriptRow{"TypingSeventhCharacterRefused", Mask(kM), "", {0, 0}, {"'1234567"}, "123-456", {7, 7}, false},
        ScriptRow{"ClearEmptiesEveryPosition", Mask(kM), "123456", {5, 5}, {"Clear"}, "   -   ", {0, 0}},
        ScriptRow{"DoubleBytePositionTyped", Mask("@9@9"), "", {0, 0}, {"'" + J("１")}, J("１　"), {2, 2}},
        ScriptRow{"SnapOutOfDoubleByteRight", Mask("@9@9@9"), J("１２３"), {3, 3}, {}, J("１２３"), {4, 4}},
        ScriptRow{"LeftOverDoubleByte", Mask("@9@9@9"), J("１２３"), {4, 4}, {"Left"}, J("１２３"), {2, 2}},
        ScriptRow{
            "DoubleByteLiteralSkipped", Mask(J("99年99")), "1234", {2, 2}, {"Left", "Right"}, J("12年34"), {4, 4}},
        ScriptRow{"PrefixIsNeverACaretPosition", Mask("\\(999\\)999"), "123456", {0, 0}, {}, "(123)456", {1, 1}},
        ScriptRow{"EndBeforeTrailingLiteral", Mask("999\\)"), "123", {0, 0}, {"End"}, "123)", {3, 3}},
        ScriptRow{"RightFillTypedFromTheLeft",
                  Mask("!\\(99\\)9999\\-9999"),
                  "",
                  {0, 0},
                  {"'0312345678"},
                  "(03)1234-5678",
                  {13, 13}},
        ScriptRow{"RightFillLoadedThenLeadingDigitTyped",
                  Mask("!\\(99\\)9999\\-9999"),
                  "312345678",
                  {0, 0},
                  {"'0"},
                  "(03)1234-5678",
                  {2, 2}},
        ScriptRow{"UnmaskedInsertInMiddle", Mask(""), "abc", {1, 1}, {"'x"}, "axbc", {2, 2}},
        ScriptRow{"UnmaskedDeleteShrinks", Mask(""), "abc", {1, 1}, {"Del"}, "ac", {1, 1}},
        ScriptRow{"UnmaskedDoubleByteCaretSnaps", Mask(""), J("漢a"), {1, 1}, {}, J("漢a"), {2, 2}},
        ScriptRow{"UnmaskedBackspaceRemovesWholeDoubleByte", Mask(""), J("a漢"), {3, 3}, {"Back"}, "a", {1, 1}},
        ScriptRow{"CaseMarkerRunHoldsNoCaret", Mask(">LL"), "ab", {0, 0}, {"Right", "Right"}, "ab", {2, 2}},
        // Edits whose byte lengths change, or that move characters through several runs.
        ScriptRow{"DoubleByteTypedIntoAnyRunMovesLaterRuns",
                  Mask("@@\\-99"),
                  "a",
                  {1, 1},
                  {"'" + J("漢")},
                  J("a漢-  "),
                  {4, 4}},
        ScriptRow{"InsertShiftsThroughSeveralRunsToTheGap",
                  Mask("99\\-99\\-99\\-99"),
                  "12345",
                  {0, 0},
                  {"'7"},
                  "71-23-45-  ",
                  {1, 1}},
        ScriptRow{"SelectionOverSeveralRunsReplacedByOneDigit",
                  Mask("99\\-99\\-99\\-99"),
                  "12345678",
                  {1, 6},
                  {"'9"},
                  "19-56-78-  ",
                  {3, 3}},
        ScriptRow{"DeleteMovesDoubleBytesBackAndPadsWithTheLastRunsMarker",
                  Mask("99@9@9"),
                  "12" + J("１２"),
                  {0, 0},
                  {"Del"},
                  "2" + J("１２　"),
                  {0, 0}},
        ScriptRow{"BackspaceOverDoubleByteInAnyRun",
                  Mask("@@@\\-@@"),
                  J("漢") + "bc" + J("字") + "e",
                  {2, 2},
                  {"Back"},
                  J("bc字-e "),
                  {0, 0}},
        ScriptRow{"LiteralOnlyMaskTypesAfterPrefix", Mask("hello"), "ab", {0, 0}, {"'x"}, "helloxab", {6, 6}}),
    [](const testing::TestParamInfo<ScriptRow>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Numeric, FieldScriptTest,
    testing::Values(
        // The sign never counts against the integer positions: «#,##0» takes -1234.
        ScriptRow{"NegativeFourDigitsFitFourPositions", Num(4), "", {0, 0}, {"'-1234"}, "-1234", {5, 5}},
        ScriptRow{"FifthIntegerDigitRefused", Num(4), "1234", {4, 4}, {"'5"}, "1234", {4, 4}, false},
        ScriptRow{"TypingIntoZeroReplacesIt", Num(4), "0", {1, 1}, {"'5"}, "5", {1, 1}},
        // A lone "0" is a placeholder, replaced on either side of the caret.
        ScriptRow{"TypingBeforeLoneZeroReplacesIt", Num(4), "0", {0, 0}, {"'5"}, "5", {1, 1}},
        ScriptRow{"TypingOverSelectedFractionReplacesLoneZero", Num(4, true, 2), "0.5", {1, 3}, {"'3"}, "3", {1, 1}},
        ScriptRow{"TypingBeforeZeroWithPointReplacesIt", Num(4, true, 2), "0.5", {0, 0}, {"'7"}, "7.5", {1, 1}},
        ScriptRow{"PointRefusedWithoutFractionPart", Num(4), "12", {2, 2}, {"'."}, "12", {2, 2}, false},
        // Nor does the point: «#,##0.00» takes its second fraction digit.
        ScriptRow{"SecondFractionDigitAccepted", Num(4, true, 2), "", {0, 0}, {"'12.34"}, "12.34", {5, 5}},
        ScriptRow{"ThirdFractionDigitRefused", Num(4, true, 2), "12.34", {5, 5}, {"'5"}, "12.34", {5, 5}, false},
        ScriptRow{"PointKeyMovesAfterExistingPoint", Num(4, true, 2), "12.3", {0, 0}, {"'."}, "12.3", {3, 3}},
        ScriptRow{"PointSplitsIntegerDigits", Num(4, true, 2), "1234", {2, 2}, {"'."}, "12.34", {3, 3}},
        ScriptRow{"PointRefusedWhenFractionWouldOverflow", Num(4, true, 2), "1234", {1, 1}, {"'."}, "1234",
                  {1, 1}, false},
        ScriptRow{"PointIntoEmptyGivesZero", Num(4, true, 2), "", {0, 0}, {"'.5"}, "0.5", {3, 3}},
        ScriptRow{"SignKeepsSelectionOnDigits", Num(4, true, 2), "12", {1, 1}, {"'-"}, "-12", {2, 2}},
        ScriptRow{"SignReplacesSign", Num(4, true, 2), "-12", {3, 3}, {"'+"}, "+12", {3, 3}},
        ScriptRow{"DeleteFirstDigit", Num(4, true, 2), "12.5", {0, 0}, {"Del"}, "2.5", {0, 0}},
        ScriptRow{"DeleteLastIntegerDigitLeavesZero", Num(4, true, 2), "2.5", {0, 0}, {"Del"}, "0.5", {1, 1}},
        ScriptRow{"DeleteBeforePointStepsOverIt", Num(4, true, 2), "12.5", {2, 2}, {"Del"}, "12.5", {3, 3},
                  false},
        ScriptRow{"DeleteBeforeBarePointRemovesIt", Num(4, true, 2), "12.", {2, 2}, {"Del"}, "12", {2, 2}},
        ScriptRow{"DeleteFractionDigit", Num(4, true, 2), "12.56", {3, 3}, {"Del"}, "12.6", {3, 3}},
        ScriptRow{"BackspaceAfterPointStepsBack", Num(4, true, 2), "12.5", {3, 3}, {"Back"}, "12.5", {2, 2},
                  false},
        ScriptRow{"BackspaceAfterBarePointRemovesIt", Num(4, true, 2), "12.", {3, 3}, {"Back"}, "12", {2, 2}},
        ScriptRow{"BackspaceAtFirstDigitRemovesSign", Num(4), "-12", {1, 1}, {"Back"}, "12", {0, 0}},
        ScriptRow{"BackspaceOnlyDigitLeavesZeroThenReplaced", Num(4), "5", {1, 1}, {"Back", "'7"}, "7", {1, 1}},
        ScriptRow{"DeleteAcrossPointKeepsFraction", Num(4, true, 2), "12.56", {1, 4}, {"Del"}, "1.6", {1, 1}},
        ScriptRow{"DeleteThroughFractionEndDropsPoint", Num(4, true, 2), "12.56", {1, 5}, {"Del"}, "1", {1, 1}},
        ScriptRow{"TypingOverSelectionAcrossPoint", Num(4, true, 2), "12.56", {1, 4}, {"'9"}, "19.6", {2, 2}},
        ScriptRow{"SelectAllAndTypeKeepsSign", Num(4, true, 2), "-12.5", {0, 0}, {"All", "'7"}, "-7", {2, 2}},
        ScriptRow{"CaretNeverBeforeSign", Num(4, true, 2), "-12.5", {0, 0}, {}, "-12.5", {1, 1}},
        ScriptRow{"RightStepsOverPoint", Num(4, true, 2), "-12.5", {3, 3}, {"Right"}, "-12.5", {4, 4}},
        ScriptRow{"LeftStepsOverPoint", Num(4, true, 2), "-12.5", {4, 4}, {"Left"}, "-12.5", {3, 3}},
        ScriptRow{"LeftAtFirstDigitStays", Num(4, true, 2), "-12.5", {1, 1}, {"Left"}, "-12.5", {1, 1}},
        ScriptRow{"HomeSkipsSign", Num(4, true, 2), "-12.5", {4, 4}, {"Home"}, "-12.5", {1, 1}},
        ScriptRow{"GroupMovesDoNothing", Num(4, true, 2), "-12.5", {2, 2}, {"PrevGroup", "NextGroup"}, "-12.5",
                  {2, 2}},
        ScriptRow{"OverwriteReplacesDigit", Num(4), "123", {0, 0}, {"Ovr", "'9"}, "923", {1, 2}},
        ScriptRow{"OverwriteOnPointInsertsBeforeIt", Num(4, true, 2), "12.5", {2, 2}, {"Ovr", "'3"}, "123.5",
                  {3, 4}},
        ScriptRow{"UnlimitedLayoutTakesLongNumbers", Num(0, true, 0), "", {0, 0}, {"'12345678901234567890.123456"},
                  "12345678901234567890.123456", {27, 27}},
        ScriptRow{"ClearEmptiesNumber", Num(4, true, 2), "-12.5", {2, 2}, {"Clear"}, "", {0, 0}},
        ScriptRow{"LetterRefused", Num(4), "12", {2, 2}, {"'a"}, "12", {2, 2}, false}),
    [](const testing::TestParamInfo<ScriptRow>& info) { return info.param.name; });

// --- the same text through both paths: loaded whole, and typed from an empty field -------------

struct TwoPathRow {
  const char* name;
  Setup setup;
  std::string text;
  std::string loaded;  // EditText after SetText
  std::string typed;   // EditText after typing the text from the first position
};

class FieldTwoPathTest : public testing::TestWithParam<TwoPathRow> {};

TEST_P(FieldTwoPathTest, LoadAndKeystrokes) {
  const TwoPathRow& row = GetParam();
  MaskFieldModel loaded = Make(row.setup, row.text);
  EXPECT_EQ(loaded.EditText(), row.loaded);

  MaskFieldModel typed = Make(row.setup, "");
  typed.MoveCaret(CaretMove::kFirst);
  EXPECT_TRUE(Type(typed, row.text));
  EXPECT_EQ(typed.EditText(), row.typed);
  if (row.loaded == row.typed) {
    EXPECT_EQ(typed.GetText(), loaded.GetText());
  }

  // A masked field shows what the display through its mask shows for the same value.
  if (!row.setup.numeric) {
    const StringMask mask = ParseStringMask(row.setup.mask);
    EXPECT_EQ(MaskDisplayText(loaded.GetText(), mask, true), row.loaded);
    EXPECT_EQ(MaskDisplayText(row.text, mask, false), row.loaded);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldTwoPathTest,
    testing::Values(
        TwoPathRow{"FullValue", Mask(kM), "123456", "123-456", "123-456"},
        TwoPathRow{"ShortValueFillsFromLeft", Mask("999\\-99"), "12", "12 -  ", "12 -  "},
        TwoPathRow{"PhoneFullValue", Mask("!\\(99\\)9999\\-9999"), "0312345678", "(03)1234-5678",
                   "(03)1234-5678"},
        // A load right-aligns in a "!" mask; keystrokes always fill from the first position.
        TwoPathRow{"PhoneShortValue", Mask("!\\(99\\)9999\\-9999"), "312345678", "( 3)1234-5678",
                   "(31)2345-678 "},
        TwoPathRow{"PostalCode", Mask(J("\\〒000\\-9999")), "1234567", J("〒123-4567"), J("〒123-4567")},
        TwoPathRow{"FullWidthDigits", Mask("@9@9@9"), J("１２"), J("１２　"), J("１２　")},
        TwoPathRow{"Unmasked", Mask(""), J("漢字abc"), J("漢字abc"), J("漢字abc")},
        TwoPathRow{"NegativeDecimal", Num(4, true, 2), "-1234.5", "-1234.5", "-1234.5"},
        TwoPathRow{"ZeroPointFraction", Num(4, true, 2), "0.25", "0.25", "0.25"},
        TwoPathRow{"NegativeZeroPoint", Num(4, true, 2), "-0.5", "-0.5", "-0.5"},
        TwoPathRow{"PlusSign", Num(4), "+12", "+12", "+12"},
        TwoPathRow{"IntegerOnly", Num(4), "1234", "1234", "1234"}),
    [](const testing::TestParamInfo<TwoPathRow>& info) { return info.param.name; });

// --- loading a text: cuts -----------------------------------------------------------------------

struct LoadRow {
  const char* name;
  Setup setup;
  std::int32_t charLimit;
  std::int32_t byteLimit;
  std::string text;
  std::string value;  // GetText
  bool cut;
};

class FieldLoadTest : public testing::TestWithParam<LoadRow> {};

TEST_P(FieldLoadTest, KeepsWhatFitsAndReportsCut) {
  const LoadRow& row = GetParam();
  MaskFieldModel model = Make(row.setup, "");
  model.SetCharLimit(row.charLimit);
  model.SetByteLimit(row.byteLimit);
  EXPECT_EQ(model.SetText(row.text), row.cut);
  EXPECT_EQ(model.GetText(), row.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldLoadTest,
    testing::Values(
        LoadRow{"UnmaskedCutToCharLimit", Mask(""), 3, 0, "abcd", "abc", true},
        LoadRow{"UnmaskedCharLimitCountsDoubleByteAsOne", Mask(""), 2, 0, J("漢字かな"), J("漢字"), true},
        LoadRow{"UnmaskedByteLimitNeverSplitsCharacter", Mask(""), 0, 2, J("a漢"), "a", true},
        LoadRow{"UnmaskedWithinLimits", Mask(""), 3, 6, "abc", "abc", false},
        LoadRow{"MaskDropsBeyondLastPosition", Mask("99"), 0, 0, "123", "12", true},
        LoadRow{"RightFillMaskDropsLeading", Mask("!99"), 0, 0, "123", "23", true},
        LoadRow{"MaskShortValueNotCut", Mask("999"), 0, 0, "1", "1" + kM1 + kM1, false},
        LoadRow{"NumericKeepsRightmostIntegerDigits", Num(4, true, 2), 0, 0, "12345.678", "2345.67", true},
        LoadRow{"NumericDropsFractionWithoutFractionPart", Num(4), 0, 0, "12.5", "12", true},
        LoadRow{"NumericBarePointWithoutFractionPartIsNoCut", Num(4), 0, 0, "12.", "12", false},
        LoadRow{"NumericLeadingPointGetsZero", Num(4, true, 2), 0, 0, ".5", "0.5", false},
        LoadRow{"NumericEmptyStaysEmpty", Num(4, true, 2), 0, 0, "", "", false},
        LoadRow{"NumericTrailingSignAccepted", Num(4), 0, 0, "12-", "-12", false},
        LoadRow{"NumericUnlimited", Num(0, true, 0), 0, 0, "123456789.123", "123456789.123", false}),
    [](const testing::TestParamInfo<LoadRow>& info) { return info.param.name; });

// --- last position filled -------------------------------------------------------------------------

// Types `text` into an empty field and records the flag after each character.
std::string FilledTrace(MaskFieldModel& model, std::string_view text) {
  std::string trace;
  for (std::size_t p = 0; p < text.size(); p += CharLengthAt(text, p)) {
    const bool ok = model.InsertChar(CharCodeAt(text, p));
    trace += !ok ? 'x' : model.LastPositionFilled() ? '1' : '0';
  }
  return trace;
}
std::string FilledTrace(MaskFieldModel&& model, std::string_view text) { return FilledTrace(model, text); }

TEST(FieldLastPositionFilled, SetByTheInsertionThatFillsTheLastPosition) {
  EXPECT_EQ(FilledTrace(Make(Mask(kM), ""), "1234567"), "000001x");
  EXPECT_EQ(FilledTrace(Make(Num(4), ""), "-12345"), "00001x");
  EXPECT_EQ(FilledTrace(Make(Num(4, true, 2), ""), "1234.567"), "00000" "01x");
  EXPECT_EQ(FilledTrace(Make(Num(4, true, 2), ""), "12.5"), "0000");
}

TEST(FieldLastPositionFilled, TypingIntoLastPositionWithAGapBeforeIt) {
  MaskFieldModel model = Make(Mask(kM), "12");
  model.SetSelection(6, 6);
  ASSERT_TRUE(model.InsertChar('x'));
  EXPECT_EQ(model.EditText(), "12 -  x");
  EXPECT_TRUE(model.LastPositionFilled());
  model.SetSelection(3, 3);  // an insertion elsewhere clears the flag
  ASSERT_TRUE(model.InsertChar('y'));
  EXPECT_FALSE(model.LastPositionFilled());
}

TEST(FieldLastPositionFilled, UnmaskedLimitsReachedExactly) {
  MaskFieldModel chars = Make(Mask(""), "");
  chars.SetCharLimit(3);
  EXPECT_EQ(FilledTrace(chars, J("ab漢c")), "001x");

  MaskFieldModel bytes = Make(Mask(""), "");
  bytes.SetByteLimit(4);
  EXPECT_EQ(FilledTrace(bytes, J("ab漢c")), "001x");

  MaskFieldModel tight = Make(Mask(""), "ab");
  tight.SetByteLimit(3);
  tight.MoveCaret(CaretMove::kLast);
  EXPECT_FALSE(tight.InsertChar(CharCodeAt(J("漢"), 0)));
  EXPECT_EQ(tight.GetText(), "ab");
}

TEST(FieldNumericLimits, SignAndPointNeverCountAgainstDigitLimit) {
  MaskFieldModel model = Make(Num(0, true, 0), "");
  model.SetCharLimit(3);
  EXPECT_EQ(FilledTrace(model, "-1.234"), "00001x");
  EXPECT_EQ(model.GetText(), "-1.23");
}

// --- display, selection text, layout changes -----------------------------------------------------

TEST(FieldDisplay, PasswordCharacterPerByte) {
  MaskFieldModel unmasked = Make(Mask(""), J("漢a"));
  unmasked.SetPasswordChar('*');
  EXPECT_EQ(unmasked.GetDisplayText(), "***");  // a double-byte character shows as two
  EXPECT_EQ(unmasked.EditText(), J("漢a"));

  MaskFieldModel masked = Make(Mask("\\(999\\)99"), "12");
  masked.SetPasswordChar('*');
  EXPECT_EQ(masked.GetDisplayText(), "(***)**");

  MaskFieldModel number = Make(Num(4, true, 2), "-12.5");
  number.SetPasswordChar('#');
  EXPECT_EQ(number.GetDisplayText(), "-##.#");
}

TEST(FieldSelection, SelectedTextSkipsPrefixAndLiterals) {
  MaskFieldModel model = Make(Mask("!\\(99\\)9999\\-9999"), "0312345678");
  model.ExtendSelection(SelectionExtend::kAll);
  EXPECT_EQ(model.GetSelectedText(), "0312345678");
  model.SetSelection(2, 6);  // «3)12»
  EXPECT_EQ(model.GetSelectedText(), "312");

  MaskFieldModel gaps = Make(Mask(kM), "1");
  gaps.ExtendSelection(SelectionExtend::kAll);
  EXPECT_EQ(gaps.GetSelectedText(), "1" + kM1 + kM1 + kM1 + kM1 + kM1);  // markers kept
}

TEST(FieldSelection, OutsideSelectionIsClampedAndCurrentSegmentFollows) {
  MaskFieldModel model = Make(Mask(kM), "123456");
  model.SetSelection(-5, 1000);
  EXPECT_EQ(model.GetSelection(), (FieldSelection{0, 7}));
  model.SetSelection(5, 5);
  EXPECT_EQ(model.CurrentSegment(), 1);
  model.SetSelection(1, 1);
  EXPECT_EQ(model.CurrentSegment(), 0);
}

TEST(FieldLayout, ChangingLayoutRelaysTheValue) {
  MaskFieldModel model = Make(Mask(""), "12345");
  EXPECT_FALSE(model.SetLayout(BuildMaskEditLayout(ParseStringMask("999\\-99"))));
  EXPECT_EQ(model.EditText(), "123-45");
  EXPECT_EQ(model.IntPositions(), 5);

  // Markers are not carried into the new layout: the value right-aligns whole.
  MaskFieldModel phone = Make(Mask(kM), "312345678");
  phone.SetLayout(BuildMaskEditLayout(ParseStringMask("!\\(99\\)9999\\-9999")));
  EXPECT_EQ(phone.EditText(), "(  )  31-2345");  // the first mask held only six digits
  phone.SetText("312345678");
  EXPECT_EQ(phone.EditText(), "( 3)1234-5678");

  MaskFieldModel number = Make(Num(0), "12345");
  EXPECT_TRUE(number.SetLayout(MakeNumericLayout(3, false, 0)));
  EXPECT_EQ(number.GetText(), "345");
  EXPECT_EQ(number.IntPositions(), 3);
  EXPECT_EQ(number.FracPositions(), 0);
}

TEST(FieldLayout, NumericLayoutCountsPartsAroundThePoint) {
  MaskFieldModel model;
  model.SetNumericMode(true);
  model.SetLayout(MakeNumericLayout(4, true, 2));
  EXPECT_EQ(model.IntPositions(), 4);
  EXPECT_EQ(model.FracPositions(), 2);
  model.SetText("12.5");
  ASSERT_EQ(model.Segments().size(), 2u);
  EXPECT_EQ(model.Segments()[0].content, "12");
  EXPECT_EQ(model.Segments()[0].literal, ".");
  EXPECT_EQ(model.Segments()[1].content, "5");
  EXPECT_EQ(model.Segments()[1].start, 3);
}

TEST(FieldCase, TypedLettersFollowTheRunsCaseMarker) {
  for (const auto& [maskText, shown] : {std::pair{">LLL", "abc"}, std::pair{"<LLL", "ABC"}}) {
    const StringMask mask = ParseStringMask(maskText);
    MaskFieldModel model;
    model.SetLayout(BuildMaskEditLayout(mask));
    model.MoveCaret(CaretMove::kFirst);
    const std::string typed = "AbC";
    for (std::size_t i = 0; i < typed.size(); ++i) {
      const MaskCharCheck check =
          CheckMaskChar(mask, static_cast<std::size_t>(MaskRunOfPosition(mask, static_cast<std::int32_t>(i))),
                        static_cast<unsigned char>(typed[i]));
      ASSERT_TRUE(check.accepted);
      ASSERT_TRUE(model.InsertChar(check.character));
    }
    EXPECT_EQ(model.EditText(), shown);
    EXPECT_EQ(MaskDisplayText(model.GetText(), mask, false), shown);
  }
}

TEST(FieldInsert, DigitFieldsLetTheLastDigitFallOff) {
  // A date edit form: digit fields padded with "0", never empty.
  MaskFieldModel model;
  model.SetLayout(MaskEditLayout{"", {{'0', 4, "/"}, {'0', 2, "/"}, {'0', 2, ""}}, 8, false});
  model.SetText("20240506");
  EXPECT_EQ(model.EditText(), "2024/05/06");
  model.SetSelection(5, 5);
  ASSERT_TRUE(model.InsertChar('1'));
  EXPECT_EQ(model.EditText(), "2024/10/50");
  EXPECT_EQ(model.GetSelection(), (FieldSelection{6, 6}));
  model.MoveCaret(CaretMove::kLast);
  EXPECT_FALSE(model.InsertChar('9'));  // it would fall off itself
  EXPECT_EQ(model.EditText(), "2024/10/50");
}

TEST(FieldInsert, InvalidCharacterCodesRefused) {
  MaskFieldModel model = Make(Mask(""), "a");
  EXPECT_FALSE(model.InsertChar(0));
  EXPECT_FALSE(model.InsertChar(0x81));    // a lone lead byte
  EXPECT_FALSE(model.InsertChar(0x4142));  // not a lead byte in front
  EXPECT_FALSE(model.InsertChar(0x8100));  // no trail byte
  EXPECT_EQ(model.GetText(), "a");
}

TEST(FieldReplace, AllOrNothing) {
  MaskFieldModel model = Make(Mask(kM), "123456");
  model.SetSelection(1, 3);
  EXPECT_TRUE(model.ReplaceSelection("ab"));
  EXPECT_EQ(model.EditText(), "1ab-456");
  EXPECT_EQ(model.GetSelection(), (FieldSelection{4, 4}));
  EXPECT_FALSE(model.ReplaceSelection("xy"));  // full field: nothing changes
  EXPECT_EQ(model.EditText(), "1ab-456");
  EXPECT_EQ(model.GetSelection(), (FieldSelection{4, 4}));

  MaskFieldModel number = Make(Num(4, true, 2), "1");
  number.MoveCaret(CaretMove::kLast);
  EXPECT_TRUE(number.ReplaceSelection("23.45"));
  EXPECT_EQ(number.GetText(), "123.45");
  EXPECT_FALSE(number.ReplaceSelection("6"));
  EXPECT_EQ(number.GetText(), "123.45");
}

TEST(FieldNumeric, MoveAfterDecimalPointOnlyWithAPoint) {
  MaskFieldModel model = Make(Num(4, true, 2), "12");
  EXPECT_FALSE(model.MoveAfterDecimalPoint());
  model.SetText("12.5");
  model.SetSelection(0, 0);
  EXPECT_TRUE(model.MoveAfterDecimalPoint());
  EXPECT_EQ(model.GetSelection(), (FieldSelection{3, 3}));
}

TEST(FieldLongText, PositionsBeyondSixteenBitsSurvive) {
  MaskFieldModel model;
  const std::string text(70000, 'a');
  model.SetText(text);
  model.MoveCaret(CaretMove::kLast);
  EXPECT_EQ(model.GetSelection().start, 70000);
  ASSERT_TRUE(model.InsertChar('b'));
  EXPECT_EQ(model.GetText().size(), 70001u);
  EXPECT_EQ(model.GetText().back(), 'b');
}

}  // namespace
}  // namespace vl
