#include "platform/edit_control.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "edit_test_support.h"

namespace vl::win::edit_test {
namespace {

// ---------------------------------------------------------------------------------------------
// Keys and characters, one row per behaviour: the state before, the input, the state after.

struct KeyRow {
  const char* name;
  DWORD style;
  const char* before;
  std::vector<Input> inputs;
  const char* after;
};

void PrintTo(const KeyRow& row, std::ostream* os) { *os << row.name; }

class EditKeyTest : public EditTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(EditKeyTest, EditsAsTheStandardControl) {
  const KeyRow& row = GetParam();
  Make(row.style);
  Load(row.before);
  for (const Input& in : row.inputs) Apply(in);
  EXPECT_EQ(State(), row.after);
}

const KeyRow kSingleLineRows[] = {
    {"BackspaceAfterDoubleByteDeletesBothBytes", kSingle, "a漢|b", {Char('\b')}, "a|b"},
    {"BackspaceAtStartDoesNothing", kSingle, "|ab", {Char('\b')}, "|ab"},
    {"BackspaceDeletesOnlyTheSelection", kSingle, "a[bc|d", {Char('\b')}, "a|d"},
    {"DeleteBeforeDoubleByteDeletesBothBytes", kSingle, "a|漢b", {Key(VK_DELETE)}, "a|b"},
    {"DeleteAtEndDoesNothing", kSingle, "ab|", {Key(VK_DELETE)}, "ab|"},
    {"DeleteTakesSoWhoseTrailLooksLikeBackslash", kSingle, "|ソ\\", {Key(VK_DELETE)}, "|\\"},
    {"BackspaceTakesSoWhoseTrailLooksLikeBackslash", kSingle, "ソ|\\", {Char('\b')}, "|\\"},
    {"LeftOverDoubleByteMovesTwoBytes", kSingle, "a漢|", {Key(VK_LEFT)}, "a|漢"},
    {"RightOverDoubleByteMovesTwoBytes", kSingle, "a|漢b", {Key(VK_RIGHT)}, "a漢|b"},
    {"ShiftLeftOverDoubleByteSelectsBothBytes", kSingle, "a漢|", {ShiftKey(VK_LEFT)}, "a|漢["},
    {"ShiftRightTwiceGrowsFromTheAnchor", kSingle, "|a漢b", {ShiftKey(VK_RIGHT), ShiftKey(VK_RIGHT)}, "[a漢|b"},
    {"ShiftLeftPastTheAnchorReversesSelection", kSingle, "a[b|c", {ShiftKey(VK_LEFT), ShiftKey(VK_LEFT)}, "|a[bc"},
    {"LeftCollapsesSelectionToItsStart", kSingle, "a[bc|d", {Key(VK_LEFT)}, "a|bcd"},
    {"RightCollapsesSelectionToItsEnd", kSingle, "a|bc[d", {Key(VK_RIGHT)}, "abc|d"},
    {"LeftAtStartStays", kSingle, "|ab", {Key(VK_LEFT)}, "|ab"},
    {"HomeGoesToTextStart", kSingle, "ab|c", {Key(VK_HOME)}, "|abc"},
    {"ShiftEndSelectsToTextEnd", kSingle, "a|b漢", {ShiftKey(VK_END)}, "a[b漢|"},
    {"UpActsAsLeft", kSingle, "ab|", {Key(VK_UP)}, "a|b"},
    {"DownActsAsRight", kSingle, "|ab", {Key(VK_DOWN)}, "a|b"},
    {"PageDownDoesNothing", kSingle, "a|b", {Key(VK_NEXT)}, "a|b"},
    {"CtrlRightGoesToNextWordStart", kSingle, "|ab  cd", {CtrlKey(VK_RIGHT)}, "ab  |cd"},
    {"CtrlLeftGoesToWordStart", kSingle, "ab cd|", {CtrlKey(VK_LEFT)}, "ab |cd"},
    {"CtrlLeftSkipsBlanksFirst", kSingle, "ab cd |", {CtrlKey(VK_LEFT)}, "ab |cd "},
    {"CtrlLeftOverDoubleByteWord", kSingle, "ab 漢字|", {CtrlKey(VK_LEFT)}, "ab |漢字"},
    {"CtrlLeftWhereTrailBytesLookLikeLeadBytes", kSingle, "亜亜 亜亜|", {CtrlKey(VK_LEFT)}, "亜亜 |亜亜"},
    {"CtrlRightOverDoubleByteWord", kSingle, "|亜亜 x", {CtrlKey(VK_RIGHT)}, "亜亜 |x"},
    {"CtrlShiftRightSelectsAWord", kSingle, "|ab cd", {Input{Input::kKey, VK_RIGHT, true, true}}, "[ab |cd"},
    {"TypedCharReplacesSelection", kSingle, "a[bc|d", {Char('x')}, "ax|d"},
    {"DoubleByteCharInOneMessage", kSingle, "a|b", {Char(0x8ABF)}, "a漢|b"},
    {"DoubleByteCharInTwoMessages", kSingle, "a|b", {Char(0x8A), Char(0xBF)}, "a漢|b"},
    {"LoneLeadByteNeverReachesTheText", kSingle, "a|", {Char(0x8A)}, "a|"},
    {"LeadByteFollowedByNonTrailIsDropped", kSingle, "a|", {Char(0x8A), Char('1')}, "a1|"},
    {"ImeCharInsertsOneCharacter", kSingle, "|", {Ime(0x8ABF)}, "漢|"},
    {"ImeSingleByteCharInserts", kSingle, "|", {Ime('k')}, "k|"},
    {"EnterIsIgnored", kSingle, "ab|", {Char('\r')}, "ab|"},
    {"TabIsIgnored", kSingle, "ab|", {Char('\t')}, "ab|"},
    {"ControlCharsAreNotInserted", kSingle, "a|", {Char(0x02), Char(0x1B), Char(0x7F)}, "a|"},
    {"CtrlASelectsAll", kSingle, "a|bc", {Char(0x01)}, "[abc|"},
    {"UpperCaseStyleConvertsLetters", ES_UPPERCASE, "|", {Char('a'), Char('Z'), Char('1')}, "AZ1|"},
    {"LowerCaseStyleConvertsLetters", ES_LOWERCASE, "|", {Char('A'), Char('z')}, "az|"},
    {"CaseStyleLeavesDoubleByteAlone", ES_UPPERCASE, "|", {Char(0x8281)}, "ａ|"},
    {"ReadOnlyRefusesTyping", ES_READONLY, "a|", {Char('x'), Char(0x8ABF)}, "a|"},
    {"ReadOnlyRefusesBackspaceAndDelete", ES_READONLY, "a|b", {Char('\b'), Key(VK_DELETE)}, "a|b"},
    {"ReadOnlyStillMovesTheCaret", ES_READONLY, "a|b", {Key(VK_RIGHT)}, "ab|"},
    {"ReadOnlyStillSelects", ES_READONLY, "|ab", {ShiftKey(VK_END)}, "[ab|"},
};
INSTANTIATE_TEST_SUITE_P(SingleLine, EditKeyTest, ::testing::ValuesIn(kSingleLineRows),
                         [](const auto& info) { return std::string(info.param.name); });

const KeyRow kMultiLineRows[] = {
    {"EnterInsertsLineBreak", kMulti, "ab|", {Char('\r')}, "ab\r\n|"},
    {"CtrlEnterInsertsLineBreak", kMulti, "a|b", {Char('\n')}, "a\r\n|b"},
    {"TabInsertsTab", kMulti, "a|", {Char('\t')}, "a\t|"},
    {"BackspaceAfterLineBreakDeletesBothBytes", kMulti, "a\r\n|b", {Char('\b')}, "a|b"},
    {"DeleteBeforeLineBreakDeletesBothBytes", kMulti, "a|\r\nb", {Key(VK_DELETE)}, "a|b"},
    {"RightOverLineBreakMovesPastBoth", kMulti, "a|\r\nb", {Key(VK_RIGHT)}, "a\r\n|b"},
    {"LeftOverLineBreakMovesBeforeBoth", kMulti, "a\r\n|b", {Key(VK_LEFT)}, "a|\r\nb"},
    {"LoneCarriageReturnIsACharacter", kMulti, "a\r|b", {Key(VK_LEFT)}, "a|\rb"},
    {"DownKeepsColumn", kMulti, "ab|c\r\nxyz", {Key(VK_DOWN)}, "abc\r\nxy|z"},
    {"UpKeepsColumn", kMulti, "abc\r\nx|yz", {Key(VK_UP)}, "a|bc\r\nxyz"},
    {"DownToShorterLineStopsAtItsEnd", kMulti, "abc|\r\nx", {Key(VK_DOWN)}, "abc\r\nx|"},
    {"ColumnSurvivesAShortLine", kMulti, "abc|\r\nx\r\nxyzw", {Key(VK_DOWN), Key(VK_DOWN)}, "abc\r\nx\r\nxyz|w"},
    {"DownKeepsDisplayColumnPastDoubleByte", kMulti, "漢|a\r\nxyz", {Key(VK_DOWN)}, "漢a\r\nxy|z"},
    {"DownOntoDoubleByteNeverSplitsIt", kMulti, "a|bc\r\n漢字", {Key(VK_DOWN)}, "abc\r\n|漢字"},
    {"UpOnFirstLineStays", kMulti, "a|b\r\ncd", {Key(VK_UP)}, "a|b\r\ncd"},
    {"DownOnLastLineStays", kMulti, "ab\r\nc|d", {Key(VK_DOWN)}, "ab\r\nc|d"},
    {"ShiftDownSelectsToSameColumn", kMulti, "a|bc\r\nxyz", {ShiftKey(VK_DOWN)}, "a[bc\r\nx|yz"},
    {"HomeGoesToLineStart", kMulti, "ab\r\ncd|", {Key(VK_HOME)}, "ab\r\n|cd"},
    {"EndStopsBeforeLineBreak", kMulti, "|ab\r\ncd", {Key(VK_END)}, "ab|\r\ncd"},
    {"CtrlHomeGoesToTextStart", kMulti, "ab\r\ncd|", {CtrlKey(VK_HOME)}, "|ab\r\ncd"},
    {"CtrlEndGoesToTextEnd", kMulti, "|ab\r\ncd", {CtrlKey(VK_END)}, "ab\r\ncd|"},
    {"ShiftHomeSelectsToLineStart", kMulti, "ab\r\ncd|", {ShiftKey(VK_HOME)}, "ab\r\n|cd["},
    {"CtrlRightStopsAtLineEnd", kMulti, "|ab\r\ncd", {CtrlKey(VK_RIGHT)}, "ab|\r\ncd"},
    {"CtrlRightAtLineEndGoesToNextLine", kMulti, "ab|\r\ncd", {CtrlKey(VK_RIGHT)}, "ab\r\n|cd"},
    {"CtrlLeftAtLineStartGoesToPreviousLineEnd", kMulti, "ab\r\n|cd", {CtrlKey(VK_LEFT)}, "ab|\r\ncd"},
    {"CtrlLeftStaysOnItsLine", kMulti, "ab\r\ncd ef|", {CtrlKey(VK_LEFT), CtrlKey(VK_LEFT)}, "ab\r\n|cd ef"},
    {"CaretInsideLineBreakSnapsBeforeIt", kMulti, "a\r|\nb", {}, "a|\r\nb"},
};
INSTANTIATE_TEST_SUITE_P(MultiLine, EditKeyTest, ::testing::ValuesIn(kMultiLineRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Selection messages

TEST_F(EditTest, SetSelInsideDoubleByteSnapsToItsStart) {
  Make(kSingle);
  Load("漢a|");
  Send(EM_SETSEL, 1, 1);
  EXPECT_EQ(State(), "|漢a");
  Send(EM_SETSEL, 1, 3);
  EXPECT_EQ(State(), "[漢a|");
}

TEST_F(EditTest, SetSelNegativeEndSelectsToTheEnd) {
  Make(kSingle);
  Load("|abc");
  Send(EM_SETSEL, 1, -1);
  EXPECT_EQ(State(), "a[bc|");
  Send(EM_SETSEL, 0, static_cast<LPARAM>(0xFFFFFFFFu));  // -1 as a 32-bit value
  EXPECT_EQ(State(), "[abc|");
}

TEST_F(EditTest, SetSelNegativeStartDropsTheSelectionAndKeepsTheCaret) {
  Make(kSingle);
  Load("a[bc|");
  Send(EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(State(), "abc|");
}

TEST_F(EditTest, SetSelBackwardsPutsTheCaretAtTheEndArgument) {
  Make(kSingle);
  Load("|abcd");
  Send(EM_SETSEL, 3, 1);
  EXPECT_EQ(State(), "a|bc[d");
  DWORD start = 99, end = 99;
  EXPECT_EQ(Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)), MAKELPARAM(1, 3));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
}

TEST_F(EditTest, SetSelClampsPastTheEnd) {
  Make(kSingle);
  Load("|ab");
  Send(EM_SETSEL, 7, 9);
  EXPECT_EQ(State(), "ab|");
}

TEST_F(EditTest, GetSelPastSixteenBitsAnswersMinusOneButOutParametersAreExact) {
  Make(kSingle);
  SetText(std::string(70000, 'x'));
  Send(EM_SETSEL, 65530, 70000);
  DWORD start = 0, end = 0;
  EXPECT_EQ(Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)), -1);
  EXPECT_EQ(start, 65530u);
  EXPECT_EQ(end, 70000u);
  Send(EM_SETSEL, 65535, 65535);
  EXPECT_EQ(Send(EM_GETSEL), MAKELPARAM(65535, 65535));  // the largest pair that still packs
}

TEST_F(EditTest, LongTextKeepsFullPositionsThroughEditing) {
  Make(kSingle);
  Send(EM_LIMITTEXT, 0);
  SetText(std::string(70000, 'x'));
  Send(EM_SETSEL, 69999, 69999);
  Send(WM_CHAR, 'y');
  EXPECT_EQ(edit.Caret(), 70000);
  EXPECT_EQ(edit.Text().substr(69998), "xyx");
}

TEST_F(EditTest, SetTextPutsTheCaretAtTheStartAndIsNotLimited) {
  Make(kSingle);
  Send(EM_LIMITTEXT, 2);
  Load("ab[c|");
  SetText("hello");
  EXPECT_EQ(State(), "|hello");
  EXPECT_EQ(Send(WM_GETTEXTLENGTH), 5);
}

TEST_F(EditTest, GetTextNeverCopiesHalfACharacter) {
  Make(kSingle);
  SetText(Cp932Literal("a漢b"));
  char buf[3] = {'?', '?', '?'};
  EXPECT_EQ(Send(WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)), 1);
  EXPECT_STREQ(buf, "a");
  char full[16];
  EXPECT_EQ(Send(WM_GETTEXT, sizeof full, reinterpret_cast<LPARAM>(full)), 4);
  EXPECT_EQ(std::string(full), Cp932Literal("a漢b"));
}

// ---------------------------------------------------------------------------------------------
// Limit

TEST_F(EditTest, LimitCountsBytesSoADoubleByteCharNeedsTwo) {
  Make(kSingle);
  Send(EM_LIMITTEXT, 3);
  EXPECT_EQ(Send(EM_GETLIMITTEXT), 3);
  Load("ab|");
  Send(WM_CHAR, 0x8ABF);
  EXPECT_EQ(State(), "ab|");  // refused whole, not half inserted
  Send(WM_CHAR, 'c');
  EXPECT_EQ(State(), "abc|");
  Send(WM_CHAR, 'd');
  EXPECT_EQ(State(), "abc|");
}

TEST_F(EditTest, LimitCountsTheSelectionAsRoom) {
  Make(kSingle);
  Send(EM_LIMITTEXT, 3);
  Load("[ab|c");
  Send(WM_CHAR, 0x8ABF);
  EXPECT_EQ(State(), "漢|c");
}

TEST_F(EditTest, LimitZeroAndHugeValuesMeanTheLargest) {
  Make(kSingle);
  EXPECT_EQ(Send(EM_GETLIMITTEXT), EditBuffer::kDefaultLimit);
  Send(EM_LIMITTEXT, 0);
  EXPECT_EQ(Send(EM_GETLIMITTEXT), EditBuffer::kMaxLimit);
  Send(EM_LIMITTEXT, static_cast<WPARAM>(-1));  // what a "no limit" of -1 arrives as
  EXPECT_EQ(Send(EM_GETLIMITTEXT), EditBuffer::kMaxLimit);
}

TEST_F(EditTest, ReplaceSelCutsToTheRoomLeftWithoutSplittingACharacter) {
  Make(kSingle);
  Send(EM_LIMITTEXT, 5);
  Load("ab|");
  const std::string text = Cp932Literal("漢字");
  Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text.c_str()));
  EXPECT_EQ(State(), "ab漢|");  // 字 would need bytes 5 and 6
  Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text.c_str()));
  EXPECT_EQ(State(), "ab漢|");  // one byte left cannot take half of 漢
}

TEST_F(EditTest, ReplaceSelNeverKeepsHalfALineBreak) {
  Make(kMulti);
  Send(EM_LIMITTEXT, 2);
  Load("a|");
  Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("\r\nb"));
  EXPECT_EQ(State(), "a|");
}

TEST_F(EditTest, LimitBelowTheTextRefusesInsertionsButKeepsTheText) {
  Make(kSingle);
  Load("abcd|");
  Send(EM_LIMITTEXT, 2);
  Send(WM_CHAR, 'e');
  EXPECT_EQ(State(), "abcd|");
  Send(WM_CHAR, '\b');
  EXPECT_EQ(State(), "abc|");
}

// ---------------------------------------------------------------------------------------------
// Read-only, password, undo, formatting rectangle

TEST_F(EditTest, SetReadOnlyTogglesTheStyleAndRefusesEdits) {
  Make(kSingle);
  Load("a|");
  EXPECT_EQ(Send(EM_SETREADONLY, 1), 1);
  EXPECT_TRUE(sys.GetStyle(hwnd) & ES_READONLY);
  Send(WM_CHAR, 'x');
  Send(WM_CLEAR);
  EXPECT_EQ(State(), "a|");
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("z"));  // the program's own write still works
  EXPECT_EQ(State(), "az|");
  Send(EM_SETREADONLY, 0);
  Send(WM_CHAR, 'x');
  EXPECT_EQ(State(), "azx|");
}

TEST_F(EditTest, PasswordCharShowsOnePerByteButGetTextIsReal) {
  Make(kSingle);
  SetText(Cp932Literal("a漢"));
  EXPECT_EQ(edit.ShownText(), Cp932Literal("a漢"));
  Send(EM_SETPASSWORDCHAR, '#');
  EXPECT_EQ(edit.ShownText(), "###");
  EXPECT_EQ(Send(EM_GETPASSWORDCHAR), '#');
  EXPECT_TRUE(sys.GetStyle(hwnd) & ES_PASSWORD);
  char buf[8];
  Send(WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(std::string(buf), Cp932Literal("a漢"));
  Send(EM_SETPASSWORDCHAR, 0);
  EXPECT_EQ(edit.ShownText(), Cp932Literal("a漢"));
  EXPECT_FALSE(sys.GetStyle(hwnd) & ES_PASSWORD);
}

TEST_F(EditTest, PasswordStyleAtCreationUsesTheDefaultCharAndKeepsLineBreaks) {
  Make(ES_PASSWORD | ES_MULTILINE);
  SetText("ab\r\nc");
  EXPECT_EQ(edit.ShownText(), "**\r\n*");
}

TEST_F(EditTest, UndoRestoresTheTextBeforeARunOfTypingAndUndoesItself) {
  Make(kSingle);
  EXPECT_EQ(Send(EM_CANUNDO), 0);
  EXPECT_EQ(Type("ab"), "ab");
  EXPECT_EQ(Send(EM_CANUNDO), 1);
  EXPECT_EQ(Send(WM_UNDO), 1);
  EXPECT_EQ(State(), "|");
  Send(EM_UNDO);
  EXPECT_EQ(State(), "ab|");
  Send(WM_CHAR, '\b');
  Send(WM_UNDO);
  EXPECT_EQ(State(), "ab|");
}

TEST_F(EditTest, ReplaceSelWithoutUndoEmptiesTheUndoBuffer) {
  Make(kSingle);
  Type("ab");
  Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("c"));
  EXPECT_EQ(Send(EM_CANUNDO), 1);
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("d"));
  EXPECT_EQ(Send(EM_CANUNDO), 0);
  EXPECT_EQ(Send(WM_UNDO), 0);
  EXPECT_EQ(State(), "abcd|");
}

TEST_F(EditTest, ModifyFlagFollowsUserEditsNotSetText) {
  Make(kSingle);
  SetText("abc");
  EXPECT_EQ(Send(EM_GETMODIFY), 0);
  Send(WM_CHAR, 'x');
  EXPECT_EQ(Send(EM_GETMODIFY), 1);
  Send(EM_SETMODIFY, 0);
  EXPECT_EQ(Send(EM_GETMODIFY), 0);
  Send(EM_EMPTYUNDOBUFFER);
  EXPECT_EQ(Send(EM_CANUNDO), 0);
}

TEST_F(EditTest, MovingTheCaretEndsTheTypingRun) {
  Make(kSingle);
  Type("ab");
  Send(WM_KEYDOWN, VK_LEFT);
  Type("x");
  Send(WM_UNDO);
  EXPECT_EQ(State(), "a|b");
}

TEST_F(EditTest, ReadOnlyRefusesUndo) {
  Make(kSingle);
  Type("ab");
  Send(EM_SETREADONLY, 1);
  EXPECT_EQ(Send(WM_UNDO), 0);
  EXPECT_EQ(State(), "ab|");
}

TEST_F(EditTest, FormatRectIsStoredAndFallsBackToTheClientArea) {
  Make(kMulti, RECT{10, 10, 110, 58});
  RECT r;
  Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{0, 0, 100, 48}));
  EXPECT_EQ(edit.VisibleLineCount(), 3);
  const RECT set{2, 3, 90, 35};
  Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&set));
  Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, set);
  EXPECT_EQ(edit.VisibleLineCount(), 2);
  Send(EM_SETRECT, 0, 0);
  Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{0, 0, 100, 48}));
}

// ---------------------------------------------------------------------------------------------
// Lines, paging and scrolling

TEST_F(EditTest, LineQueriesCountLinesSplitOnCrLf) {
  Make(kMulti);
  // Bytes: "ab" 0-1, CRLF 2-3, 漢字 4-7, CRLF 8-9, CRLF 10-11, "xyz" 12-14.
  SetText(Cp932Literal("ab\r\n漢字\r\n\r\nxyz"));
  EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
  struct Row { int pos; int line; int length; };
  for (const Row& r : {Row{0, 0, 2}, Row{2, 0, 2}, Row{4, 1, 4}, Row{8, 1, 4}, Row{10, 2, 0}, Row{12, 3, 3},
                       Row{15, 3, 3}, Row{99, 3, 3}}) {
    EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(r.pos)), r.line) << r.pos;
    EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(r.pos)), r.length) << r.pos;
  }
  for (const auto& [line, index] : {std::pair{0, 0}, {1, 4}, {2, 10}, {3, 12}, {4, -1}}) {
    EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(line)), index) << line;
  }
  char buf[16] = {};
  std::uint16_t size = sizeof buf;
  std::memcpy(buf, &size, sizeof size);
  EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(buf)), 4);
  EXPECT_EQ(std::string(buf, 4), Cp932Literal("漢字"));
}

TEST_F(EditTest, MinusOneQueriesUseTheCaretOrTheSelectionStart) {
  Make(kMulti);
  SetText("ab\r\ncd\r\nef");
  Send(EM_SETSEL, 5, 5);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1);
  EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 4);
  Send(EM_SETSEL, 9, 1);  // selection from 1 to 9, caret at 1
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0);
  Send(EM_SETSEL, 1, 9);  // caret on the last line, selection still starts on the first
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0);
  EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 8);
  // Unselected bytes on the lines the selection touches: "a" before it, nothing after "e".
  Send(EM_SETSEL, 1, 9);
  EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 1 + 1);
}

TEST_F(EditTest, SingleLineIsOneLineWhateverItsBytes) {
  Make(kSingle);
  SetText("ab\r\ncd");
  EXPECT_EQ(Send(EM_GETLINECOUNT), 1);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 5), 0);
  EXPECT_EQ(Send(EM_LINELENGTH, 0), 6);
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? "\r\n" : "") + std::string("line") + std::to_string(i);
  return text;
}

TEST_F(EditTest, PageDownMovesCaretAndViewByAPageOfLines) {
  Make(kMulti, RECT{0, 0, 200, 3 * EditControl::kDefaultLineHeight + 5});  // three whole lines fit
  SetText(Lines(10));
  Send(EM_SETSEL, 2, 2);  // line 0, column 2
  Send(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 3);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 3);
  EXPECT_EQ(edit.Caret() - Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 2);
  Send(WM_KEYDOWN, VK_NEXT);
  Send(WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 9);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 7);  // the last page is full, not scrolled past the end
  Send(WM_KEYDOWN, VK_PRIOR);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 6);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 4);
}

TEST_F(EditTest, ShiftPageDownExtendsTheSelection) {
  Make(kMulti, RECT{0, 0, 200, 2 * EditControl::kDefaultLineHeight});
  SetText(Lines(5));
  Hold(VK_SHIFT, true);
  Send(WM_KEYDOWN, VK_NEXT);
  Hold(VK_SHIFT, false);
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelEnd(), Send(EM_LINEINDEX, 2));
}

TEST_F(EditTest, LineScrollMovesTheViewWithinTheText) {
  Make(kMulti, RECT{0, 0, 200, 2 * EditControl::kDefaultLineHeight});
  SetText(Lines(5));
  EXPECT_EQ(Send(EM_LINESCROLL, 0, 2), 1);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 2);
  Send(EM_LINESCROLL, 0, 10);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 3);
  Send(EM_LINESCROLL, 0, -10);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
  EXPECT_EQ(edit.Caret(), 0);  // scrolling leaves the caret alone
}

TEST_F(EditTest, TheWheelScrollsAMultiLineTextThreeLinesANotch) {
  // Twelve lines, two in view: the view can start at lines 0 to 10.
  struct Row {
    const char* what;
    std::vector<int> turns;  // WM_MOUSEWHEEL deltas, in order
    int first;               // the first line in view after them
  };
  const Row rows[] = {
      {"a notch toward the user shows later lines", {-120}, 3},
      {"notches add up", {-120, -120}, 6},
      {"a notch away from the user goes back", {-120, 120}, 0},
      {"nothing lies above the first line", {120}, 0},
      {"one turn of five notches stops at the last page", {-600}, 10},
      {"parts of a notch wait for the rest", {-40, -40}, 0},
      {"three parts make a notch", {-40, -40, -40}, 3},
  };
  for (const Row& row : rows) {
    Make(kMulti, RECT{0, 0, 200, 2 * EditControl::kDefaultLineHeight});
    SetText(Lines(12));
    Send(EM_SETSEL, 4, 4);
    for (int turn : row.turns) EXPECT_EQ(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, turn)), 0) << row.what;
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), row.first) << row.what;
    EXPECT_EQ(edit.Caret(), 4) << row.what << ": the wheel leaves the caret alone";
  }
  Make(kSingle, RECT{0, 0, 200, 2 * EditControl::kDefaultLineHeight});
  SetText("one line");
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120));
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
}

TEST_F(EditTest, LineHeightFromTheFontSetsThePage) {
  Make(kMulti, RECT{0, 0, 200, 40});
  edit.SetLineMetrics(20, 10);
  EXPECT_EQ(edit.VisibleLineCount(), 2);
  edit.SetLineMetrics(100, 10);
  EXPECT_EQ(edit.VisibleLineCount(), 1);  // never less than one line
}

TEST_F(EditTest, ScrollCaretBringsTheCaretLineIntoViewButSetSelDoesNot) {
  Make(kMulti, RECT{0, 0, 200, 2 * EditControl::kDefaultLineHeight});
  SetText(Lines(6));
  Send(EM_SETSEL, Send(EM_LINEINDEX, 4), Send(EM_LINEINDEX, 4));
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
  Send(EM_SCROLLCARET);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 3);
  Send(WM_KEYDOWN, VK_HOME);
  Hold(VK_CONTROL, true);
  Send(WM_KEYDOWN, VK_HOME);
  Hold(VK_CONTROL, false);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
}

}  // namespace
}  // namespace vl::win::edit_test
