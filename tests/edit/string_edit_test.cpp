#include "edit/string_edit.h"

#include <gtest/gtest.h>

#include "edit_harness.h"
#include "text/encoding.h"

namespace vl {
namespace {

using testing::EditHarness;

std::string J(std::string_view utf8) { return Cp932Literal(utf8); }
TypedValue S(std::string_view utf8) { return TypedValue::Bstr(Cp932Literal(utf8)); }

std::string Shown(CVlStringEdit& e) {
  std::string out;
  e.GetDisplayText(out);
  return out;
}

// --- Display through the mask -----------------------------------------------------------------

struct DisplayRow {
  const char* name;
  const char* format;
  const char* value;  // UTF-8
  const char* shown;  // UTF-8
};

class StringDisplay : public ::testing::TestWithParam<DisplayRow> {};

TEST_P(StringDisplay, LoadedValueShowsThroughTheMask) {
  const DisplayRow& row = GetParam();
  CVlStringEdit e;
  ASSERT_TRUE(e.SetFormat(J(row.format)));
  std::string produced;
  ASSERT_TRUE(e.SetValue(S(row.value), produced)) << e.GetLastError();
  EXPECT_EQ(Cp932ToUtf8(Shown(e)), row.shown);
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), row.value) << "the value never holds the literals";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StringDisplay,
    ::testing::Values(
        DisplayRow{"RightFillFullNumber", "!\\(99\\)9999\\-9999", "0312345678", "(03)1234-5678"},
        DisplayRow{"RightFillLeavesFirstPositionBlank", "!\\(99\\)9999\\-9999", "312345678", "( 3)1234-5678"},
        DisplayRow{"RightFillSplitsAcrossRuns", "!9999\\-9999", "12345", "   1-2345"},
        DisplayRow{"LeftFillPadsOnTheRight", "999\\-99", "12", "12 -  "},
        DisplayRow{"PrefixLiteral", "\\〒000\\-9999", "1234567", "〒123-4567"},
        DisplayRow{"NoMaskShowsTheText", "", "漢字abc", "漢字abc"},
        DisplayRow{"NullSectionOnlyKeepsTextPlain", ";(none)", "abc", "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StringEdit, NullShowsTheLaterSectionsAndAnEmptyTextShowsNothing) {
  CVlStringEdit e;
  e.SetFormat("999;(none)");
  e.SetNull(true);
  EXPECT_EQ(Shown(e), "(none)");
  std::string produced;
  e.SetFormat("999");
  e.SetNull(true);
  EXPECT_EQ(Shown(e), "");
}

TEST(StringEdit, PasswordShowsOneCharacterPerByte) {
  CVlStringEdit e;
  std::string produced;
  e.SetValue(S("漢a"), produced);
  e.SetPasswordChar('*');
  EXPECT_EQ(Shown(e), "***");
  EXPECT_EQ(e.GetPasswordChar(), '*');
  e.SetFormat("\\(CCC\\)");
  EXPECT_EQ(Shown(e), "(***)") << "the literals stay readable";
}

// --- Loading, cutting ---------------------------------------------------------------------------

TEST(StringEdit, MaxLengthCutsWholeCharactersAndReportsTheCut) {
  CVlStringEdit e;
  std::string produced;
  ASSERT_TRUE(e.SetValue(S("漢字漢"), produced));
  EXPECT_FALSE(e.SetMaxLength(4));
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), "漢字");
  EXPECT_FALSE(e.SetMaxLength(3)) << "a cut never splits a character";
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), "漢");
  EXPECT_TRUE(e.SetMaxLength(0)) << "no limit cuts nothing";
}

struct LoadRow {
  const char* name;
  const char* format;
  std::int32_t maxLength;
  std::uint32_t style;
  const char* value;
  bool result;
  std::int32_t lastError;
  const char* loaded;
};

class StringLoad : public ::testing::TestWithParam<LoadRow> {};

TEST_P(StringLoad, ValueIsCutOrRefusedAsTheLimitsSay) {
  const LoadRow& row = GetParam();
  CVlStringEdit e;
  e.SetStyleBits(row.style);
  e.SetFormat(J(row.format));
  e.SetMaxLength(row.maxLength);
  std::string produced;
  EXPECT_EQ(e.SetValue(S(row.value), produced), row.result);
  EXPECT_EQ(e.GetLastError(), row.lastError);
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), row.loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StringLoad,
    ::testing::Values(
        LoadRow{"FitsAsIs", "", 0, 0, "abc", true, 0, "abc"},
        LoadRow{"LongerThanMaxLengthIsCutWith3", "", 4, 0, "漢字漢", false, 3, "漢字"},
        LoadRow{"DoubleByteNeedsTwoFreeBytes", "", 4, 0, "a漢字", false, 3, "a漢"},
        LoadRow{"MoreCharactersThanPositionsIsCutWith5", "CCC", 0, 0, "abcde", false, 5, "abc"},
        LoadRow{"MultiLineIsNotCutButStillChecked", "CCC", 0, kStyleMultiLine, "abcde", false, 7, ""},
        LoadRow{"MultiLineWithinTheMask", "CCC", 0, kStyleMultiLine, "abc", true, 0, "abc"},
        LoadRow{"MaskMismatchRefusesTheLoadWith7", "9999", 0, 0, "12a", false, 7, ""},
        LoadRow{"RequiredPositionEmptyRefusesWith7", "0000", 0, 0, "12", false, 7, ""},
        LoadRow{"OptionalPositionsMayStayEmpty", "9999", 0, 0, "12", true, 0, "12"},
        LoadRow{"LoneCarriageReturnGetsItsLineFeed", "", 0, kStyleMultiLine, "a\rb\r\nc", true, 0, "a\r\nb\r\nc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StringEdit, FormatReportsTextsThatNoLongerFitButStillLaysThemIn) {
  CVlStringEdit e;
  std::string produced;
  e.SetValue(S("abcde"), produced);
  EXPECT_FALSE(e.SetFormat("CCC"));
  EXPECT_EQ(e.GetLastError(), kEditAdjustedToFormat);
  EXPECT_EQ(e.GetValue().text.size(), 3u);
  CVlStringEdit f;
  f.SetValue(S("abcdef"), produced);
  f.SetMaxLength(0);
  f.SetMaxLength(4);  // cut to abcd
  f.SetMaxLength(2);  // cut to ab
  EXPECT_TRUE(f.SetFormat(""));
  EXPECT_EQ(f.GetValue().text, "ab");
  std::string format;
  f.SetFormat("99;x");
  f.GetFormat(format);
  EXPECT_EQ(format, "99;x");
}

// --- Commit checks --------------------------------------------------------------------------

struct CheckRow {
  const char* name;
  const char* mask;
  bool checkValue;
  const char* lower;
  const char* upper;
  const char* text;
  std::int32_t expected;
};

class StringCheck : public ::testing::TestWithParam<CheckRow> {};

TEST_P(StringCheck, CommitCheckCode) {
  const CheckRow& row = GetParam();
  CVlStringEdit e;
  e.SetFormat(J(row.mask));
  e.SetCheckValue(row.checkValue);
  e.SetLowerValue(S(row.lower));
  e.SetUpperValue(S(row.upper));
  EXPECT_EQ(e.CheckText(J(row.text)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StringCheck,
    ::testing::Values(
        CheckRow{"RequiredZeroLeftEmpty", "0000", false, "", "", "12", 7},
        CheckRow{"OptionalNineLeftEmpty", "9999", false, "", "", "12", 0},
        CheckRow{"RefusedCharacter", "9999", false, "", "", "1a", 7},
        CheckRow{"RightFillMayLeaveLeadingOptional", "!\\(99\\)9999\\-9999", false, "", "", "312345678", 0},
        CheckRow{"RequiredDoubleByteEmpty", "@0@0", false, "", "", "１", 7},
        CheckRow{"BelowLower", "", true, "B", "D", "A", 2},
        CheckRow{"AboveUpper", "", true, "B", "D", "E", 1},
        CheckRow{"PrefixOfUpperIsBelowIt", "", true, "B", "D", "D", 0},
        CheckRow{"ExchangedBoundsAcceptBetween", "", true, "B", "A", "AB", 0},
        CheckRow{"ExchangedBoundsRefuseAfter", "", true, "B", "A", "C", 1},
        CheckRow{"EmptyUpperIsNoBound", "", true, "B", "", "ZZZ", 0},
        CheckRow{"RangeIgnoredWithoutCheckValue", "", false, "B", "D", "Z", 0},
        CheckRow{"BytesCompareUnsigned", "", true, "", "z", "漢", 1},
        CheckRow{"MaskBeforeRange", "9", true, "5", "", "a", 7}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Typing -----------------------------------------------------------------------------------

struct TypeRow {
  const char* name;
  const char* mask;
  const char* typed;   // UTF-8
  const char* stored;  // UTF-8
};

class StringTyping : public ::testing::TestWithParam<TypeRow> {};

TEST_P(StringTyping, CharactersAreCheckedAndConvertedByTheirRun) {
  const TypeRow& row = GetParam();
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat(J(row.mask));
  h.Create(e);
  h.Focus(e);
  h.Type(J(row.typed));
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), row.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StringTyping,
    ::testing::Values(
        TypeRow{"UpperCaseRunStoresCapitals", "<LLL", "abc", "ABC"},
        TypeRow{"UpperCaseRunFullWidthLetter", "<@L@L", "ａｂ", "ＡＢ"},
        TypeRow{"LowerCaseRun", ">LL", "AB", "ab"},
        TypeRow{"CaseMarkerOnlyTouchesLetters", "<AAA", "a1b", "A1B"},
        TypeRow{"DigitRunDropsLetters", "9999", "1a2", "12"},
        TypeRow{"SingleBytePositionRefusesDoubleByte", "CC", "漢x", "x"},
        TypeRow{"DoubleBytePositionRefusesSingleByte", "@C@C", "x漢", "漢"},
        TypeRow{"HalfWidthKatakanaRun", "KK", "ｱaｲ", "ｱｲ"},
        TypeRow{"FullWidthKatakanaRun", "@K@K", "アあイ", "アイ"},
        TypeRow{"HiraganaRun", "@J@J", "あアい", "あい"},
        TypeRow{"LiteralsAreSkipped", "99\\-99", "1234", "1234"},
        TypeRow{"NoMaskTakesEverything", "", "a漢1", "a漢1"},
        TypeRow{"FullPositionsRefuseMore", "99", "123", "12"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StringEdit, RefusedCharacterMakesNoChangeNotice) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat("9999");
  h.Create(e);
  h.Focus(e);
  h.Type("1");
  EXPECT_EQ(h.parent.changes, 1);
  h.Type("a");
  EXPECT_EQ(h.parent.changes, 1);
}

TEST(StringEdit, UnmaskedLengthLimitCountsBytes) {
  EditHarness h;
  CVlStringEdit e;
  e.SetMaxLength(3);
  h.Create(e);
  h.Focus(e);
  h.Type(J("a漢字b"));
  EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), "a漢");
  EXPECT_EQ(e.GetLastError(), kEditMaxLength);
}

// --- Commit on focus loss -----------------------------------------------------------------------

TEST(StringEdit, FocusLossReportsAnEmptyRequiredPositionWith7) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat("0000");
  h.Create(e);
  h.Focus(e);
  h.Type("12");
  const EditorValue typed = e.GetValue();
  EXPECT_FALSE(typed.error) << "reading the value mid-typing checks nothing: a half-filled mask is no error yet";
  EXPECT_EQ(typed.value, TypedValue::Bstr("12"));
  h.Leave();
  ASSERT_EQ(h.parent.errors.size(), 1u);
  EXPECT_EQ(h.parent.errors[0].code, kEditFormatMismatch);
  EXPECT_EQ(h.parent.errors[0].text, "12");
  EXPECT_TRUE(h.parent.userChecks.empty()) << "the host's check runs only on an accepted text";
  EXPECT_EQ(h.parent.focusLeft, 1);
}

TEST(StringEdit, PassingTextGoesToTheUserCheckAsAString) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat("!9999\\-9999");
  h.Create(e);
  h.Focus(e);
  h.Type("12345");
  h.Leave();
  EXPECT_TRUE(h.parent.errors.empty());
  ASSERT_EQ(h.parent.userChecks.size(), 1u);
  EXPECT_EQ(h.parent.userChecks[0], TypedValue::Bstr("12345"));
  EXPECT_EQ(Shown(e), "   1-2345") << "laid in again from the right";
}

TEST(StringEdit, RangeFailureAtCommitIsSentWithTheText) {
  EditHarness h;
  CVlStringEdit e;
  e.SetCheckValue(true);
  e.SetLowerValue(TypedValue::Bstr("B"));
  e.SetUpperValue(TypedValue::Bstr("A"));
  h.Create(e);
  h.Focus(e);
  h.Type("C");
  h.Leave();
  ASSERT_EQ(h.parent.errors.size(), 1u);
  EXPECT_EQ(h.parent.errors[0].code, kEditAboveUpper);
  EXPECT_EQ(e.GetLastError(), kEditAboveUpper);
}

// --- Clipboard --------------------------------------------------------------------------------

TEST(StringEdit, PasteMustPassTheMaskFromTheCaretOn) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat("<LL99");
  h.Create(e);
  h.Focus(e);
  h.SetClipboardText("ab1");
  h.sys.SendMessage(e.Handle(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(e.GetValue().text, "AB1") << "pasted letters take the run's case";
  EXPECT_EQ(h.parent.changes, 1);
  h.SetClipboardText("x");
  h.sys.SendMessage(e.Handle(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(e.GetValue().text, "AB1") << "a letter for a digit position refuses the whole text";
  EXPECT_EQ(h.parent.changes, 1);
}

TEST(StringEdit, PasswordBoxCopiesNothingButCutStillCopies) {
  EditHarness h;
  CVlStringEdit e;
  std::string produced;
  e.SetValue(TypedValue::Bstr("secret"), produced);
  e.SetPasswordChar('*');
  h.Create(e);
  h.Focus(e);
  h.SetClipboardText("before");
  e.SetSel(0, 3);
  h.sys.SendMessage(e.Handle(), win::WM_COPY, 0, 0);
  EXPECT_EQ(h.ClipboardText(), "before");
  h.sys.SendMessage(e.Handle(), win::WM_CUT, 0, 0);
  EXPECT_EQ(h.ClipboardText(), "sec");
  EXPECT_EQ(e.GetValue().text, "ret");
}

TEST(StringEdit, CopyTakesTheSelectionWithoutMarkersOrLiterals) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat("99\\-99");
  std::string produced;
  e.SetValue(TypedValue::Bstr("123"), produced);
  h.Create(e);
  h.Focus(e);
  e.SetSel(0, 5);
  h.sys.SendMessage(e.Handle(), win::WM_COPY, 0, 0);
  EXPECT_EQ(h.ClipboardText(), "123");
}

TEST(StringEdit, CopyLeavesAClipboardHeldByAnotherProgramAlone) {
  EditHarness h;
  CVlStringEdit e;
  std::string produced;
  e.SetValue(TypedValue::Bstr("abc"), produced);
  h.Create(e);
  h.Focus(e);
  e.SetSel(0, 3);
  h.SetClipboardText("theirs");
  h.sys.SetClipboardLocked(true);
  h.sys.SendMessage(e.Handle(), win::WM_COPY, 0, 0);
  h.sys.SendMessage(e.Handle(), win::WM_CUT, 0, 0);
  h.sys.SetClipboardLocked(false);
  EXPECT_EQ(h.ClipboardText(), "theirs");
  EXPECT_EQ(e.GetValue().text, "abc") << "a Cut that could not copy deletes nothing";
}

TEST(StringEdit, CentredOrRightTypingStopsAtTheWidthWith4) {
  // 80 pixels of window: the text may take its formatting rectangle less the caret's pixel.
  struct Row {
    std::uint32_t bits;
    const char* typed;
    const char* kept;
    std::int32_t status;
  } rows[] = {
      {kStyleRight, "12345678901234", "123456789", kEditTooWide},
      {kStyleCenter, "1234567漢字", "1234567漢", kEditTooWide},
      {0, "12345678901234", "12345678901234", kEditOk},
  };
  for (const Row& r : rows) {
    EditHarness h;
    CVlStringEdit e;
    e.SetStyleBits(r.bits);
    h.Create(e, 0, 80);
    h.Focus(e);
    h.Type(J(r.typed));
    EXPECT_EQ(Cp932ToUtf8(e.GetValue().text), r.kept) << r.typed;
    EXPECT_EQ(e.GetLastError(), r.status) << r.typed;
  }
}

TEST(StringEdit, RightAlignedPasteKeepsWhatFitsAndReports4) {
  EditHarness h;
  CVlStringEdit e;
  e.SetStyleBits(kStyleRight);
  h.Create(e, 0, 80);  // ten half-width cells
  h.Focus(e);
  h.SetClipboardText(J("123456789漢字"));
  h.sys.SendMessage(e.Handle(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(e.GetValue().text, "123456789") << "the double-byte character would need two more cells";
  EXPECT_EQ(e.GetLastError(), kEditTooWide);
  CVlStringEdit left;
  EditHarness h2;
  h2.Create(left, 0, 80);
  h2.Focus(left);
  h2.SetClipboardText(J("123456789漢字"));
  h2.sys.SendMessage(left.Handle(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(Cp932ToUtf8(left.GetValue().text), "123456789漢字") << "a left-aligned box scrolls instead";
}

TEST(StringEdit, LockedBoxPastesNothingButCopies) {
  EditHarness h;
  CVlStringEdit e;
  std::string produced;
  e.SetValue(TypedValue::Bstr("abc"), produced);
  h.Create(e);
  e.SetLocked(true);
  h.Focus(e);
  e.SetSel(0, 3);
  h.SetClipboardText("xyz");
  h.sys.SendMessage(e.Handle(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(e.GetValue().text, "abc");
  h.sys.SendMessage(e.Handle(), win::WM_CUT, 0, 0);
  EXPECT_EQ(e.GetValue().text, "abc");
  EXPECT_EQ(h.ClipboardText(), "xyz") << "a locked Cut copies nothing either";
  h.sys.SendMessage(e.Handle(), win::WM_COPY, 0, 0);
  EXPECT_EQ(h.ClipboardText(), "abc");
  EXPECT_EQ(h.parent.changes, 0);
}

TEST(StringEdit, RightFillLayoutPutsTheEmptyPositionsFirst) {
  EditHarness h;
  CVlStringEdit e;
  e.SetFormat("!9999\\-9999");
  std::string produced;
  e.SetValue(TypedValue::Bstr("12345"), produced);
  h.Create(e);
  h.Focus(e);
  EXPECT_EQ(e.Text(), "   1-2345") << "the first run holds three empty positions and 1";
  const auto& segments = e.Segments();
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0].content, "\x7f\x7f\x7f" "1");
  EXPECT_EQ(segments[1].content, "2345");
}

TEST(StringEdit, SpinSettingsAreTakenAndIgnored) {
  EditHarness h;
  CVlStringEdit e;
  e.SetSpinButton(2);
  EXPECT_TRUE(e.SetSpinDelay(40000));
  EXPECT_EQ(e.GetSpinIncrease(), 0.0f);
  h.Create(e);
  EXPECT_EQ(e.Spin(), nullptr);
  EXPECT_FALSE(e.SpinUp());
}

TEST(StringEdit, SelTextIsCheckedAndConverted) {
  CVlStringEdit e;
  e.SetFormat("<LLL");
  EXPECT_TRUE(e.SetSelText("ab"));
  EXPECT_EQ(e.GetValue().text, "AB");
  EXPECT_FALSE(e.SetSelText("1"));
}

// --- Keys -------------------------------------------------------------------------------------

TEST(StringEdit, MultiLineEnterWithTabByReturnMovesOnKeyUp) {
  EditHarness h;
  CVlStringEdit e;
  e.SetStyleBits(kStyleMultiLine);
  e.SetTabByReturn(true);
  h.Create(e);
  h.Focus(e);
  h.sys.SendMessage(e.Handle(), win::WM_KEYDOWN, win::VK_RETURN, 1);
  EXPECT_TRUE(h.parent.navigation.empty());
  h.sys.SendMessage(e.Handle(), win::WM_CHAR, '\r', 1);
  h.sys.SendMessage(e.Handle(), win::WM_KEYUP, win::VK_RETURN, 1);
  EXPECT_EQ(h.parent.navigation, std::vector<win::UINT>{VLM_NEXTCONTROL});
  EXPECT_EQ(e.GetValue().text, "") << "no line break on the way out";
  e.SetTabByReturn(false);
  h.sys.SendMessage(e.Handle(), win::WM_CHAR, '\r', 1);
  EXPECT_EQ(e.GetValue().text, "\r\n");
}

TEST(StringEdit, MultiLineVerticalKeysLeaveFromTheFirstAndLastLine) {
  EditHarness h;
  CVlStringEdit e;
  e.SetStyleBits(kStyleMultiLine);
  e.SetTabByVertKey(true);
  std::string produced;
  e.SetValue(TypedValue::Bstr("one\r\ntwo"), produced);
  h.Create(e);
  h.Focus(e);
  h.sys.SendMessage(e.Handle(), win::EM_SETSEL, 0, 0);
  h.sys.SendMessage(e.Handle(), win::WM_KEYDOWN, win::VK_DOWN, 1);
  EXPECT_TRUE(h.parent.navigation.empty()) << "the caret was on the first of two lines";
  h.sys.SendMessage(e.Handle(), win::WM_KEYDOWN, win::VK_DOWN, 1);
  EXPECT_EQ(h.parent.navigation, std::vector<win::UINT>{VLM_NEXTCONTROL});
  h.sys.SendMessage(e.Handle(), win::EM_SETSEL, 0, 0);
  h.sys.SendMessage(e.Handle(), win::WM_KEYDOWN, win::VK_UP, 1);
  EXPECT_EQ(h.parent.navigation.back(), VLM_PREVCONTROL);
}

}  // namespace
}  // namespace vl
