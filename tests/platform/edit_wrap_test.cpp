// A multi-line edit without horizontal scrolling wraps its lines into rows at its width.
#include <cstring>
#include <vector>

#include "edit_test_support.h"

namespace vl::win::edit_test {
namespace {

// Ten half-width cells of the plain control's metrics, and the pixel kept for the caret.
constexpr RECT kTenCells{0, 0, 10 * EditControl::kDefaultCharWidth + 1, 80};

struct WrapRow {
  const char* name;
  DWORD style;
  const char* text;         // UTF-8
  std::vector<int> starts;  // byte offset of each row
};

class EditWrapTest : public EditTest, public ::testing::WithParamInterface<WrapRow> {};

TEST_P(EditWrapTest, RowsBreakWhereTheWidthEnds) {
  const WrapRow& r = GetParam();
  Make(r.style, kTenCells);
  SetText(Cp932Literal(r.text));
  ASSERT_EQ(Send(EM_GETLINECOUNT), static_cast<LRESULT>(r.starts.size()));
  for (std::size_t i = 0; i < r.starts.size(); ++i) {
    EXPECT_EQ(Send(EM_LINEINDEX, i), r.starts[i]) << "row " << i;
    EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(r.starts[i])), static_cast<LRESULT>(i)) << "row " << i;
  }
}

const WrapRow kWrapRows[] = {
    {"ShortLineIsOneRow", kMulti, "the quick", {0}},
    {"BreaksAfterTheBlankEndingAWord", kMulti, "the quick brown fox", {0, 10}},
    {"BlanksHangAtTheEndOfTheirRow", kMulti, "abcdefghi   jk", {0, 12}},
    {"LongWordBreaksWhereItMust", kMulti, "abcdefghijklmnop", {0, 10}},
    {"DoubleByteTextBreaksBetweenAnyTwo", kMulti, "日本語の文章を書きます", {0, 10, 20}},
    {"AWordMovesWholeAfterDoubleByteText", kMulti, "日本語の abcdefg", {0, 9}},
    {"EachLineWrapsOnItsOwn", kMulti, "ab\r\nthe quick brown", {0, 4, 14}},
    {"EmptyLinesStayRows", kMulti, "\r\n\r\nx", {0, 2, 4}},
    {"HorizontalScrollingKeepsOneRowPerLine", kMulti | ES_AUTOHSCROLL, "the quick brown fox", {0}},
    {"ScrollBarKeepsOneRowPerLine", kMulti | WS_HSCROLL, "the quick brown fox", {0}},
    {"SingleLineNeverWraps", kSingle, "the quick brown fox", {0}},
};
INSTANTIATE_TEST_SUITE_P(Wrap, EditWrapTest, ::testing::ValuesIn(kWrapRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, KeysMoveByRowsOfAWrappedLine) {
  Make(kMulti, kTenCells);
  Load("th|e quick brown fox");  // rows «the quick » and «brown fox»
  Apply(Key(VK_DOWN));
  EXPECT_EQ(State(), "the quick br|own fox") << "Down keeps the column on the next row";
  Apply(Key(VK_HOME));
  EXPECT_EQ(State(), "the quick |brown fox") << "Home goes to the row's start";
  Apply(Key(VK_UP));
  Apply(Key(VK_END));
  EXPECT_EQ(State(), "the quick |brown fox") << "End goes to where the row breaks";
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0) << "and the caret stays on that row";
  Apply(Key(VK_END));
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0) << "End again does not move on";
  Apply(Key(VK_LEFT));
  Apply(Key(VK_RIGHT));
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1) << "arriving by Right it is the next row's start";
}

TEST_F(EditTest, LineMessagesAnswerForRows) {
  Make(kMulti, kTenCells);
  SetText("the quick brown fox");
  EXPECT_EQ(Send(EM_LINELENGTH, 12), 9);
  char buf[16] = {};
  std::uint16_t size = sizeof buf;
  std::memcpy(buf, &size, sizeof size);
  EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(buf)), 9);
  EXPECT_EQ(std::string(buf, 9), "brown fox");
}

TEST_F(EditTest, RowsFollowTheTextAndTheWidth) {
  Make(kMulti, kTenCells);
  SetText("the quick");
  EXPECT_EQ(Send(EM_GETLINECOUNT), 1);
  Type(" brown");
  EXPECT_EQ(Send(EM_GETLINECOUNT), 2) << "typing past the width makes a row";
  sys.MoveWindow(hwnd, RECT{0, 0, 200, 80});
  EXPECT_EQ(Send(EM_GETLINECOUNT), 1) << "a wider window takes the line on one row";
}

// After each edit only the lines it touched are wrapped again: the rows must be those a fresh
// layout of the whole text gives (a width change forces one), also when the edit makes, joins or
// splits lines, spans several of them, or is undone.
struct EditStep {
  const char* name;
  Input input;
  const char* replace = nullptr;  // UTF-8 for EM_REPLACESEL after selecting [selFrom, selTo)
  int selFrom = 0;
  int selTo = 0;
};

TEST_F(EditTest, RowsAfterAnEditAreThoseOfAFreshLayout) {
  Make(kMulti, kTenCells);
  SetText(Cp932Literal("the quick brown fox\r\njumps over\r\n\r\n日本語の文章を書きます\r\nlazy dog end"));
  auto rowStarts = [&] {
    std::vector<LRESULT> starts;
    for (LRESULT i = 0, n = Send(EM_GETLINECOUNT); i < n; ++i) starts.push_back(Send(EM_LINEINDEX, i));
    return starts;
  };
  const EditStep steps[] = {
      {"TypeAtTheStart", Char('x')},
      {"TypeOnInTheRun", Char('a')},
      {"EnterSplitsALine", Char('\r')},
      {"BackspaceJoinsLines", Key(VK_BACK)},
      {"ReplaceAcrossLines", Char(0), "one two three four\r\nfive", 5, 40},
      {"DeleteAcrossLines", Char(0), "", 2, 30},
      {"InsertBeforeALineBreak", Char(0), "wordy words", 4, 4},
      {"InsertLineBreaksAtTheStart", Char(0), "\r\n\r\n", 0, 0},
      {"CtrlZUndoes", Char(0x1A)},
      {"TypeIntoDoubleByteText", Char(0), "日本", 12, 12},
      {"LongWordInsideAWrappedLine", Char(0), "abcdefghijklmnopqrstuvwxyz0123456789", 20, 20},
      {"BlanksWhereARowBreaks", Char(0), "   ", 30, 30},
      {"DeleteLetsRowsJoin", Char(0), "", 22, 50},
      {"EmptyTheText", Char(0), "", 0, -1},
      {"TypeIntoEmpty", Char('q')},
  };
  for (const EditStep& step : steps) {
    if (step.replace != nullptr) {
      Send(EM_SETSEL, static_cast<WPARAM>(step.selFrom), step.selTo);
      const std::string text = Cp932Literal(step.replace);
      Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
      Apply(step.input);
    }
    const std::vector<LRESULT> kept = rowStarts();
    sys.MoveWindow(hwnd, RECT{0, 0, 300, 80});
    rowStarts();
    sys.MoveWindow(hwnd, kTenCells);
    EXPECT_EQ(kept, rowStarts()) << step.name;
  }
}

TEST_F(EditTest, ClickPastAWrappedRowsEndStaysOnIt) {
  Make(kMulti, kTenCells);
  SetText("the quick brown fox");
  const int x = 79, y = 4;  // the first row, past the blank after «the quick»
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0);
  const int below = EditControl::kDefaultLineHeight + 4;  // the second row, its start
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, below));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(0, below));
  EXPECT_EQ(edit.Caret(), 10);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1);
}

}  // namespace
}  // namespace vl::win::edit_test
