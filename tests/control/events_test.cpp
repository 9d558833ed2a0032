// The control's side of the edit window's messages: each record becomes its event, with the
// host's write-backs where the event has them.
#include <gtest/gtest.h>

#include "edit/edit_messages.h"
#include "host/form.h"

namespace vl {
namespace {

class Events : public ::testing::Test {
 protected:
  void SetUp() override {
    box_ = &form_.AddBox("b");
    form_.TakeEvents();
  }
  template <typename Record>
  win::LRESULT Send(win::UINT msg, Record& record) {
    return SendVlm(form_.WindowSystem(), box_->Handle(), msg, 0, record);
  }
  win::LRESULT Send(win::UINT msg) { return SendVlm(form_.WindowSystem(), box_->Handle(), msg, 0); }
  EventRecord Only() {
    auto events = form_.TakeEvents();
    EXPECT_EQ(events.size(), 1u);
    return events.empty() ? EventRecord{} : events[0];
  }
  static Variant Param(const EventRecord& r, const std::string& name) {
    for (const EventParam& p : r.params) {
      if (p.name == name) return p.value;
    }
    return Variant::Empty();
  }

  Form form_;
  CVlTypedBoxCtrl* box_ = nullptr;
};

TEST_F(Events, MouseButtonPrecedenceDiffersBetweenPressAndMove) {
  struct Row { win::UINT msg; std::uint32_t flags; std::int16_t button; std::int16_t shift; };
  for (const Row& r : {
           Row{VLM_MOUSEDOWN, 0x01 | 0x02, 1, 0},   // left and right: left wins a press
           Row{VLM_MOUSEMOVE, 0x01 | 0x02, 2, 0},   // but right wins a move
           Row{VLM_MOUSEUP, 0x02 | 0x10, 4, 0},     // middle before right
           Row{VLM_MOUSEMOVE, 0x01 | 0x10, 4, 0},   // middle before left on a move
           Row{VLM_MOUSEMOVE, 0x20, 0, 4},          // Alt held, no button
           Row{VLM_MOUSEDOWN, 0x01 | 0x04 | 0x08, 1, 3},
       }) {
    VlMouseRecord rec{r.flags, (7u << 16) | 5u};
    Send(r.msg, rec);
    EventRecord e = Only();
    EXPECT_EQ(Param(e, "Button"), Variant::I2(r.button)) << r.flags;
    EXPECT_EQ(Param(e, "Shift"), Variant::I2(r.shift)) << r.flags;
    EXPECT_EQ(Param(e, "x"), Variant::I4(5));
    EXPECT_EQ(Param(e, "y"), Variant::I4(7));
  }
}

TEST_F(Events, KeyPressWritesBackOnlyTheLowWord) {
  form_.SetEventHandler([](BoxSite&, VlEvent id, EventArgs& args) {
    if (id == VlEvent::KeyPress) args["KeyAscii"] = Variant::I2(0);
    if (id == VlEvent::KeyDown) args["KeyCode"] = Variant::I2(0);
  });
  std::int32_t ch = 0x00010041;  // high bits the host never sees
  Send(VLM_KEYPRESS, ch);
  EXPECT_EQ(ch, 0x00010000);
  VlKeyRecord key{65, 1 | 8};
  Send(VLM_KEYDOWN, key);
  EXPECT_EQ(key.keyCode, 65);  // a copy went to the host
  auto events = form_.TakeEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(Param(events[1], "Shift"), Variant::I2(1));  // masked to Shift, Ctrl, Alt
}

TEST_F(Events, SimpleMessagesRaiseTheirEventsAndWmUser120Nothing) {
  struct Row { win::UINT msg; const char* name; };
  for (const Row& r : {Row{VLM_CLICK, "Click"}, Row{VLM_DBLCLICK, "DblClick"}, Row{VLM_SPINUP, "SpinUp"},
                       Row{VLM_SPINDOWN, "SpinDown"}, Row{VLM_CHANGE, "Change"}}) {
    Send(r.msg);
    EXPECT_EQ(Only().name, r.name);
  }
  form_.WindowSystem().SendMessage(box_->Handle(), win::WM_USER + 120, 0, 0);
  EXPECT_TRUE(form_.TakeEvents().empty());
  std::string kana = "\x82\xAA\x82\xC1";  // がっ
  Send(VLM_FURIGANA, kana);
  EventRecord e = Only();
  EXPECT_EQ(e.name, "Furigana");
  EXPECT_EQ(Param(e, "KanaString"), Variant::Bstr(kana));
}

// A record-carrying message with no record, or with a pointer that was never sent as one, raises
// nothing and reads nothing through the pointer.
TEST_F(Events, MessagesWithoutTheirRecordRaiseNothing) {
  const std::int32_t garbage[8] = {0x41, -1, 0x7FFFFFFF, 0, 0, 0, 0, 0};
  for (win::UINT msg : {VLM_KEYDOWN, VLM_KEYUP, VLM_KEYPRESS, VLM_MOUSEDOWN, VLM_MOUSEMOVE, VLM_MOUSEUP, VLM_ERROR,
                        VLM_FURIGANA, VLM_USERCHECK}) {
    form_.WindowSystem().SendMessage(box_->Handle(), msg, 0, 0);
    form_.WindowSystem().SendMessage(box_->Handle(), msg, 0, reinterpret_cast<win::LPARAM>(garbage));
    EXPECT_TRUE(form_.TakeEvents().empty()) << msg;
  }
  EXPECT_TRUE(form_.TakeMessages().empty());
}

TEST_F(Events, UserCheckValueOnlyInUserMode) {
  VlUserCheckRecord rec{Variant::I4(1), 0, ""};
  form_.SetEventHandler([](BoxSite&, VlEvent id, EventArgs& args) {
    if (id == VlEvent::UserCheckValue) {
      args["ErrCode"] = Variant::I4(600);
      args["ErrString"] = Variant::Bstr("no");
    }
  });
  Send(VLM_USERCHECK, rec);
  EXPECT_EQ(rec.errCode, 600);
  EXPECT_EQ(rec.errString, "no");
  form_.SetUserMode(false);
  VlUserCheckRecord design{Variant::I4(1), 0, ""};
  form_.TakeEvents();
  Send(VLM_USERCHECK, design);
  EXPECT_EQ(design.errCode, 0);
  EXPECT_TRUE(form_.TakeEvents().empty());
}

TEST_F(Events, ErrorRecordsMapStatusesAndHostCodes) {
  // The focus stays where it is, so each record is seen alone.
  form_.SetEventHandler([](BoxSite&, VlEvent id, EventArgs& args) {
    if (id == VlEvent::ValueError) args["ReturnFocus"] = Variant::Bool(false);
  });
  struct Row { std::int32_t code; std::int32_t raised; };
  for (const Row& r : {Row{1, 1000}, Row{2, 1001}, Row{3, 1004}, Row{4, 0}, Row{5, 1005}, Row{6, 1003}, Row{7, 1006},
                       Row{0, 0}, Row{100, 100}, Row{999, 999}, Row{1000, 0}, Row{99, 0}}) {
    VlErrorRecord rec{r.code, "t"};
    Send(VLM_ERROR, rec);
    auto events = form_.TakeEvents();
    if (r.raised == 0) {
      EXPECT_TRUE(events.empty()) << r.code;
    } else {
      ASSERT_EQ(events.size(), 1u) << r.code;
      EXPECT_EQ(Param(events[0], "ErrCode"), Variant::I4(r.raised));
      EXPECT_EQ(Param(events[0], "ErrValue"), Variant::Bstr("t"));
    }
  }
  form_.TakeMessages();
}

}  // namespace
}  // namespace vl
