// CVlDateEdit as a window: loading values, typing, deleting, stepping and leaving, with what it
// tells its control written down by a stand-in parent.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "edit/date_edit.h"
#include "platform/window.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {
namespace {

std::string Sj(const char* utf8) { return Utf8ToCp932(utf8); }

class Recorder : public win::Window {
 public:
  std::vector<VlErrorRecord> errors;
  std::vector<TypedValue> userChecks;
  int changes = 0;
  int nextControl = 0;
  int focusLeft = 0;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override {
    switch (msg) {
      case VLM_ERROR:
        if (const auto* record = ReceiveVlm<const VlErrorRecord>(msg, lParam)) errors.push_back(*record);
        return 0;
      case VLM_USERCHECK:
        if (const auto* record = ReceiveVlm<const VlUserCheckRecord>(msg, lParam))
          userChecks.push_back(record->newValue);
        return 0;
      case VLM_CHANGE: ++changes; return 0;
      case VLM_NEXTCONTROL: ++nextControl; return 0;
      case VLM_FOCUSLEFT: ++focusLeft; return 0;
      default: return DefWindowProc(msg, wParam, lParam);
    }
  }
};

class Other : public win::Window {};

class DateEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_.SetNow(FieldsToSerial(2026, 12, 6, 9, 30).value());
    sys_.CreateWindowEx(parent_, "VLTEXT", win::WS_VISIBLE, win::RECT{0, 0, 200, 24}, win::kNoWindow);
    sys_.CreateWindowEx(other_, "VLTEXT", win::WS_VISIBLE, win::RECT{0, 30, 200, 54}, win::kNoWindow);
  }

  void Create(const char* format) {
    edit_.SetClock(clock_);
    edit_.SetFormat(Sj(format));
    ASSERT_TRUE(edit_.Create(sys_, kStyleVisible, win::RECT{0, 0, 160, 24}, parent_.Handle()));
  }
  void Load(DateParts p) {
    std::string produced;
    ASSERT_TRUE(edit_.SetValue(TypedValue::Date(SerialOfDateParts(p).value()), produced));
  }
  void Focus() { sys_.SetFocus(edit_.Handle()); }
  void Leave() { sys_.SetFocus(other_.Handle()); }
  void Type(const std::string& cp932) {
    for (std::size_t p = 0; p < cp932.size(); ++p) {
      const auto c = static_cast<unsigned char>(cp932[p]);
      if (c >= 0x81 && (c <= 0x9F || c >= 0xE0) && p + 1 < cp932.size()) {
        sys_.QueueChar((static_cast<std::uint32_t>(c) << 8) | static_cast<unsigned char>(cp932[++p]));
      } else {
        sys_.QueueChar(c);
      }
      sys_.ProcessInput();
    }
  }
  void Key(int vk) {
    sys_.keybd_event(vk, 0);
    sys_.ProcessInput();
    sys_.keybd_event(vk, win::KEYEVENTF_KEYUP);
    sys_.ProcessInput();
  }
  void Caret(std::int32_t at, std::int32_t length = 0) { edit_.SetSel(at, length); }
  std::string Text() { return edit_.GetText(); }
  std::string Display() {
    std::string out;
    edit_.GetDisplayText(out);
    return out;
  }

  VirtualClock clock_;
  win::System sys_{clock_};
  Recorder parent_;
  Other other_;
  CVlDateEdit edit_;
};

TEST_F(DateEditTest, StartsNullWithTheDefaultForm) {
  CVlDateEdit fresh;
  std::string format;
  fresh.GetFormat(format);
  EXPECT_EQ(format, "yyyy/mm/dd hh:nn:ss");
  EXPECT_TRUE(fresh.IsNullValue());
  EXPECT_EQ(fresh.Fields(), (DateParts{1899, 12, 30, 0, 0, 0}));
  EXPECT_TRUE(fresh.GetValue().isNull);
}

// The same edit text reached by loading a value and by typing its digits over another date.
TEST_F(DateEditTest, TypedDigitsAndLoadedValueAgree) {
  const struct {
    const char* name;
    const char* format;
    DateParts date;
    const char* typed;
    const char* text;
  } rows[] = {
      {"date", "yyyy/mm/dd", {2024, 2, 29}, "20240229", "2024/02/29"},
      {"date and time", "yyyy/mm/dd hh:nn:ss", {1999, 12, 31, 23, 59, 58}, "19991231235958", "1999/12/31 23:59:58"},
      {"two-digit year", "yy/mm/dd", {2005, 7, 8}, "050708", "05/07/08"},
      {"auto zeros", "mm/dd hh:nn", {2026, 5, 7, 8, 9}, "5789", "05/07 08:09"},
  };
  Create("yyyy/mm/dd");
  for (const auto& row : rows) {
    edit_.SetFormat(row.format);
    Load(row.date);
    EXPECT_EQ(Text(), row.text) << row.name << " (loaded)";
    Load(DateParts{2026, 1, 1, 0, 0, 0});
    Focus();
    Caret(0);
    Type(row.typed);
    EXPECT_EQ(Text(), row.text) << row.name << " (typed)";
    const EditorValue v = edit_.GetValue();
    ASSERT_FALSE(v.error) << row.name;
    EXPECT_EQ(v.value, TypedValue::Date(SerialOfDateParts(row.date).value())) << row.name;
    Leave();
  }
}

TEST_F(DateEditTest, RefusedCharactersChangeNothing) {
  Create("yyyy/mm/dd");
  Load({2000, 1, 10});
  Focus();
  Caret(5);
  const int before = parent_.changes;
  Type("x/ ");
  EXPECT_EQ(Text(), "2000/01/10");
  EXPECT_EQ(parent_.changes, before);
  Caret(8);
  Type("1");
  EXPECT_EQ(Text(), "2000/01/10");
  EXPECT_EQ(parent_.changes, before + 1) << "an accepted digit is a change";
}

TEST_F(DateEditTest, DeletingClearsDigitsInPlace) {
  Create("yyyy/mm/dd hh:nn");
  Load({2000, 12, 25, 13, 14});
  Focus();
  Caret(6);
  Type("\b");
  EXPECT_EQ(Text(), "2000/02/25 13:14") << "Backspace clears the digit before the caret; nothing slides";
  Caret(11, 5);
  Key(win::VK_DELETE);
  EXPECT_EQ(Text(), "2000/02/25 00:00") << "Delete clears the selected digits";
  Caret(5, 5);
  Key(win::VK_DELETE);
  EXPECT_EQ(Text(), "2000/01/01 00:00") << "a cleared month and day read as 1";
}

TEST_F(DateEditTest, NullPreFillsTodayOrTheLowerBound) {
  Create("yyyy/mm/dd hh:nn");
  edit_.SetNull(true);
  EXPECT_EQ(Text(), "2026/12/06 00:00") << "today at midnight";
  EXPECT_TRUE(edit_.GetValue().isNull);
  EXPECT_EQ(Display(), "");
  edit_.SetCheckValue(true);
  edit_.SetLowerValue(TypedValue::Date(FieldsToSerial(2010, 4, 5, 6, 7).value()));
  edit_.SetUpperValue(TypedValue::Date(FieldsToSerial(2011, 1, 1).value()));
  edit_.SetNull(true);
  EXPECT_EQ(Text(), "2010/04/05 06:07") << "with CheckValue the lower bound";
  Focus();
  Caret(8);
  Type("9");
  EXPECT_FALSE(edit_.IsNullValue()) << "a typed digit ends Null";
  EXPECT_EQ(Text(), "2010/04/09 06:07");
}

TEST_F(DateEditTest, LoadsOutsideTheRangeAreRefused) {
  Create("yyyy/mm/dd");
  edit_.SetCheckValue(true);
  // Reversed bounds are the same range.
  edit_.SetLowerValue(TypedValue::Date(FieldsToSerial(2000, 12, 31).value()));
  edit_.SetUpperValue(TypedValue::Date(FieldsToSerial(2000, 1, 1).value()));
  std::string produced;
  EXPECT_FALSE(edit_.SetValue(TypedValue::Date(FieldsToSerial(2001, 1, 1).value()), produced));
  EXPECT_EQ(edit_.GetLastError(), kEditAboveUpper);
  EXPECT_FALSE(edit_.SetValue(TypedValue::Date(FieldsToSerial(1999, 12, 31).value()), produced));
  EXPECT_EQ(edit_.GetLastError(), kEditBelowLower);
  EXPECT_TRUE(edit_.SetValue(TypedValue::Date(FieldsToSerial(2000, 6, 1).value()), produced));
  EXPECT_EQ(edit_.GetLastError(), kEditOk);
}

TEST_F(DateEditTest, FocusLossCommitsAndChecksWithADouble) {
  Create("yyyy/mm/dd");
  Load({2000, 1, 2});
  Focus();
  Caret(8);
  Type("05");
  Leave();
  ASSERT_EQ(parent_.userChecks.size(), 1u);
  EXPECT_EQ(parent_.userChecks[0], TypedValue::R8(FieldsToSerial(2000, 1, 5).value()));
  EXPECT_TRUE(parent_.errors.empty());
  EXPECT_EQ(parent_.focusLeft, 1);
  EXPECT_EQ(Display(), "2000/01/05");
}

TEST_F(DateEditTest, FocusLossWithNoDateReportsFormatMismatch) {
  Create("yyyy/mm/dd");
  Load({2000, 1, 31});
  Focus();
  Caret(5);
  Type("02");
  EXPECT_EQ(Text(), "2000/02/31");
  Leave();
  ASSERT_EQ(parent_.errors.size(), 1u);
  EXPECT_EQ(parent_.errors[0].code, kEditFormatMismatch);
  EXPECT_EQ(parent_.errors[0].text, "2000/02/31");
  EXPECT_TRUE(parent_.userChecks.empty()) << "no host check for a refused text";
  EXPECT_TRUE(edit_.GetValue().error);
}

TEST_F(DateEditTest, CaretWaitsOnTheFirstFieldUntilPlaced) {
  Create("No. yyyy/mm/dd");
  Load({2000, 1, 2});
  std::int32_t start = -1, length = -1;
  edit_.GetSel(start, length);
  EXPECT_EQ(start, 4) << "after the prefix";
  EXPECT_EQ(length, 0);
  edit_.SetSel(9, 0);
  edit_.GetSel(start, length);
  EXPECT_EQ(start, 9);
  edit_.SetSel(-1, 0);
  edit_.GetSel(start, length);
  EXPECT_EQ(start, 4);
}

TEST_F(DateEditTest, SpinStepsTheFieldUnderTheCaret) {
  Create("yyyy/mm/dd hh:nn");
  Load({2000, 12, 15, 10, 59});
  Focus();
  Caret(5);
  edit_.SetSpinIncrease(1.9f);
  EXPECT_TRUE(edit_.SpinUp()) << "1.9 steps by 1";
  EXPECT_EQ(Text(), "2000/01/15 10:59");
  std::int32_t start = -1, length = -1;
  edit_.GetSel(start, length);
  EXPECT_EQ(start, 5) << "the field stays selected";
  edit_.SetSpinIncrease(0.5f);
  EXPECT_FALSE(edit_.SpinUp()) << "0.5 steps by nothing";
  edit_.SetSpinIncrease(1.0f);
  Caret(14);
  EXPECT_TRUE(edit_.SpinUp());
  EXPECT_EQ(Text(), "2000/01/15 10:00");
  EXPECT_TRUE(edit_.SpinDown());
  EXPECT_EQ(Text(), "2000/01/15 10:59");
}

TEST_F(DateEditTest, SpinFromNullStartsAtThePreFill) {
  Create("yyyy/mm/dd");
  edit_.SetNull(true);
  Focus();
  Caret(8);
  EXPECT_TRUE(edit_.SpinUp());
  EXPECT_FALSE(edit_.IsNullValue());
  EXPECT_EQ(Text(), "2026/12/07");
}

TEST_F(DateEditTest, SpinOutsideTheRangeStartsFromTheBound) {
  Create("yyyy/mm/dd");
  Load({2005, 6, 1});
  edit_.SetCheckValue(true);
  edit_.SetLowerValue(TypedValue::Date(FieldsToSerial(2000, 1, 1).value()));
  edit_.SetUpperValue(TypedValue::Date(FieldsToSerial(2001, 12, 31).value()));
  Focus();
  Caret(8);
  edit_.SpinUp();
  EXPECT_EQ(Text(), "2001/12/01") << "moved to the upper bound, then its day wrapped";
}

TEST_F(DateEditTest, EraTypedByLetterOrName) {
  Create("ggge年mm月dd日");
  Load({2026, 12, 6});
  EXPECT_EQ(Text(), Sj("令和08年12月06日"));
  Focus();
  Caret(0);
  Type("h");
  EXPECT_EQ(Text(), Sj("平成08年12月06日"));
  Caret(0);
  Type(Sj("昭"));
  EXPECT_EQ(Text(), Sj("昭和08年12月06日")) << "the first character of a full name";
  EXPECT_EQ(edit_.Fields().year, 1933);
  Caret(0);
  Type("z");
  EXPECT_EQ(Text(), Sj("昭和08年12月06日")) << "no era has that letter";
}

TEST_F(DateEditTest, DisplayUsesTheFormatAndTheEras) {
  Create("gee年m月d日");
  Load({2000, 1, 2});
  EXPECT_EQ(Display(), Sj("H12年1月2日"));
  Load({2026, 12, 6});
  EXPECT_EQ(Display(), Sj("R08年12月6日"));
  edit_.SetFormat("yyyy/m/d hh:nn AM/PM");
  Load({2000, 1, 2, 15, 4});
  EXPECT_EQ(Display(), "2000/1/2 03:04 PM");
  EXPECT_EQ(Text(), "2000/01/02 15:04 ");
}

TEST_F(DateEditTest, ClipboardCarriesTheDateSerial) {
  Create("yyyy/mm/dd");
  Load({2019, 5, 1});
  Focus();
  edit_.Copy();
  const win::UINT format = sys_.RegisterClipboardFormat("VlCF_DATE");
  const std::optional<std::string> raw = sys_.GetClipboardData(format);
  ASSERT_TRUE(raw.has_value());
  ASSERT_EQ(raw->size(), sizeof(double));
  double serial = 0;
  std::memcpy(&serial, raw->data(), sizeof serial);
  EXPECT_EQ(serial, FieldsToSerial(2019, 5, 1).value());
  EXPECT_EQ(sys_.GetClipboardData(win::CF_TEXT).value_or(""), std::string("2019/05/01") + '\0');

  Load({2000, 1, 1});
  EXPECT_TRUE(edit_.Paste());
  EXPECT_EQ(Text(), "2019/05/01");
  EXPECT_EQ(edit_.GetLastError(), kEditOk);
}

TEST_F(DateEditTest, PastedTextMustReadAsADate) {
  Create("yyyy/mm/dd");
  Load({2000, 1, 1});
  Focus();
  const struct {
    const char* text;
    bool accepted;
    const char* result;
  } rows[] = {
      {"2019/05/01", true, "2019/05/01"},
      {"20180102", true, "2018/01/02"},
      {"2017-3-4", true, "2017/03/04"},
      {"12a", false, "2017/03/04"},
      {"2001/02/29", false, "2017/03/04"},
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(sys_.OpenClipboard(other_.Handle()));
    sys_.EmptyClipboard();
    sys_.SetClipboardData(win::CF_TEXT, std::string(row.text) + '\0');
    sys_.CloseClipboard();
    EXPECT_EQ(edit_.Paste(), row.accepted) << row.text;
    EXPECT_EQ(Text(), row.result) << row.text;
  }
}

TEST_F(DateEditTest, SelTextTypesDigitsOrReplacesTheDate) {
  Create("yyyy/mm/dd");
  Load({2000, 1, 1});
  edit_.SetSel(5, 2);
  EXPECT_TRUE(edit_.SetSelText("1231"));
  EXPECT_EQ(Text(), "2000/12/31") << "digits typed from the selection's start";
  edit_.SetSel(5, 0);
  EXPECT_FALSE(edit_.SetSelText("13"));
  EXPECT_EQ(Text(), "2000/12/31") << "a refused digit leaves everything as it was";
  edit_.SetSel(0, 0);
  EXPECT_TRUE(edit_.SetSelText("1999/02/03"));
  EXPECT_EQ(Text(), "1999/02/03");
  EXPECT_FALSE(edit_.SetSelText("2001/02/29"));
}

TEST_F(DateEditTest, FillingTheLastFieldMovesOnWithTabByInputLast) {
  Create("yyyy/mm/dd");
  edit_.SetTabByInputLast(true);
  Load({2000, 1, 1});
  Focus();
  Caret(8);
  Type("1");
  EXPECT_EQ(parent_.nextControl, 0);
  Type("5");
  EXPECT_EQ(parent_.nextControl, 1) << "the last digit of the last field";
  Caret(5);
  Type("1");
  EXPECT_EQ(parent_.nextControl, 1) << "an inner field does not move on";
}

TEST_F(DateEditTest, EraProfileReplacesTheEras) {
  const std::string path = ::testing::TempDir() + "date_edit_eras.ini";
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Velbrin/OCX Eras]\n" << Sj("新元=新 N 2030/01/01") << "\n";
  }
  Create("ggge年");
  Load({2031, 5, 1});
  EXPECT_EQ(Display(), Sj("令和13年"));
  edit_.SetEraProfile(path);
  EXPECT_EQ(Display(), Sj("新元2年"));
  Focus();
  Caret(0);
  Type("r");
  EXPECT_EQ(Text(), Sj("令和02年")) << "a letter of the profile's table";
  edit_.SetEraProfile(path + ".missing");
  Caret(0);
  Type("n");
  EXPECT_EQ(Text(), Sj("新元02年")) << "an unreadable profile keeps the eras";
}

TEST_F(DateEditTest, LockedPasteDoesNothing) {
  Create("yyyy/mm/dd");
  Load({2000, 1, 1});
  edit_.SetLocked(true);
  ASSERT_TRUE(sys_.OpenClipboard(other_.Handle()));
  sys_.EmptyClipboard();
  sys_.SetClipboardData(win::CF_TEXT, std::string("2019/05/01") + '\0');
  sys_.CloseClipboard();
  EXPECT_TRUE(edit_.Paste());
  EXPECT_EQ(Text(), "2000/01/01");
}

}  // namespace
}  // namespace vl
