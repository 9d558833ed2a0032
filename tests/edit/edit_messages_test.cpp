// The typed VLM_ messages: a receiver reads a record only when it is one its sender is sending
// with that very message, so a missing, foreign or stale pointer is refused unread.
#include "edit/edit_messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/clock.h"

namespace vl {
namespace {

// Asks for the record as `receive` says and notes what it got.
class Receiver : public win::Window {
 public:
  std::function<bool(win::UINT, win::LPARAM)> receive;
  int heard = 0;
  int got = 0;
  win::LPARAM last = 0;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override {
    if (FindVlm(msg) == nullptr) return DefWindowProc(msg, wParam, lParam);
    ++heard;
    last = lParam;
    if (receive && receive(msg, lParam)) ++got;
    return 0;
  }
};

class VlmTest : public ::testing::Test {
 protected:
  void SetUp() override { sys.CreateWindowEx(to, "VLTEXT", win::WS_VISIBLE, win::RECT{0, 0, 10, 10}, win::kNoWindow); }
  win::LRESULT Raw(win::UINT msg, const void* p) {
    return sys.SendMessage(to.Handle(), msg, 0, reinterpret_cast<win::LPARAM>(p));
  }

  VirtualClock clock;
  win::System sys{clock};
  Receiver to;
};

// Every message with a record: sent by hand, with no pointer or with a live object of the right
// type, the receiver gets nothing.
TEST_F(VlmTest, RecordsNotSentThroughTheTypedSendAreRefused) {
  VlKeyRecord key{65, 1};
  std::int32_t code = 65;
  VlMouseRecord mouse{1, 0};
  VlErrorRecord error{1, "t"};
  std::string kana = "k";
  VlUserCheckRecord check{TypedValue::I4(1), 0, ""};
  win::HWND target = win::kNoWindow;
  struct Row {
    win::UINT msg;
    const void* live;
    std::function<bool(win::UINT, win::LPARAM)> receive;
  };
  const Row rows[] = {
      {VLM_FOCUSLEFT, &target, [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const win::HWND>(m, l) != nullptr; }},
      {VLM_KEYDOWN, &key, [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlKeyRecord>(m, l) != nullptr; }},
      {VLM_KEYUP, &key, [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlKeyRecord>(m, l) != nullptr; }},
      {VLM_KEYPRESS, &code, [](win::UINT m, win::LPARAM l) { return ReceiveVlm<std::int32_t>(m, l) != nullptr; }},
      {VLM_MOUSEDOWN, &mouse,
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlMouseRecord>(m, l) != nullptr; }},
      {VLM_MOUSEMOVE, &mouse,
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlMouseRecord>(m, l) != nullptr; }},
      {VLM_MOUSEUP, &mouse,
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlMouseRecord>(m, l) != nullptr; }},
      {VLM_ERROR, &error, [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlErrorRecord>(m, l) != nullptr; }},
      {VLM_PREVCONTROL, &code,
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const std::int32_t>(m, l) != nullptr; }},
      {VLM_NEXTCONTROL, &code,
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const std::int32_t>(m, l) != nullptr; }},
      {VLM_FURIGANA, &kana, [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const std::string>(m, l) != nullptr; }},
      {VLM_USERCHECK, &check,
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<VlUserCheckRecord>(m, l) != nullptr; }},
  };
  for (const Row& r : rows) {
    to.receive = r.receive;
    to.heard = to.got = 0;
    Raw(r.msg, nullptr);
    Raw(r.msg, r.live);
    EXPECT_EQ(to.heard, 2) << r.msg;
    EXPECT_EQ(to.got, 0) << r.msg;
  }
}

TEST_F(VlmTest, TheTypedSendDeliversItsRecordAndTheHostsAnswer) {
  to.receive = [](win::UINT m, win::LPARAM l) {
    auto* ch = ReceiveVlm<std::int32_t>(m, l);
    if (ch != nullptr) *ch = 0;
    return ch != nullptr;
  };
  std::int32_t ch = 65;
  SendVlm(sys, to.Handle(), VLM_KEYPRESS, 0, ch);
  EXPECT_EQ(to.got, 1);
  EXPECT_EQ(ch, 0);
  // Once the send is over the pointer is stale: the same address is refused.
  EXPECT_FALSE(VlmInFlight::Holds(VLM_KEYPRESS, to.last, false));
}

// A typed send of the wrong record for a message never reaches the receiver; a receiver that
// asks for the wrong type, for another message's record, or for write access to a record the
// host only reads gets nothing.
TEST_F(VlmTest, MismatchedRecordsAreRefusedOnBothSides) {
  VlKeyRecord key{65, 0};
  const std::int32_t readOnlyChar = 65;
  VlErrorRecord error{1, "t"};
  to.receive = [](win::UINT, win::LPARAM) { return true; };
  EXPECT_EQ(SendVlm(sys, to.Handle(), VLM_KEYDOWN, 0, error), 0);
  EXPECT_EQ(SendVlm(sys, to.Handle(), VLM_KEYPRESS, 0, readOnlyChar), 0);  // the host writes KeyAscii
  EXPECT_EQ(SendVlm(sys, to.Handle(), VLM_ERROR, 0), 0);                   // needs its record
  EXPECT_EQ(to.heard, 0);

  struct Row {
    const char* name;
    std::function<bool(win::UINT, win::LPARAM)> receive;
  };
  const Row rows[] = {
      {"right type, read-only",
       [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlKeyRecord>(m, l) != nullptr; }},
      {"wrong type", [](win::UINT m, win::LPARAM l) { return ReceiveVlm<const VlMouseRecord>(m, l) != nullptr; }},
      {"another message",
       [](win::UINT, win::LPARAM l) { return ReceiveVlm<const VlKeyRecord>(VLM_KEYUP, l) != nullptr; }},
      {"written", [](win::UINT m, win::LPARAM l) { return ReceiveVlm<VlKeyRecord>(m, l) != nullptr; }},
  };
  const int expected[] = {1, 0, 0, 0};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    to.receive = rows[i].receive;
    to.heard = to.got = 0;
    SendVlm(sys, to.Handle(), VLM_KEYDOWN, 0, key);
    EXPECT_EQ(to.heard, 1) << rows[i].name;
    EXPECT_EQ(to.got, expected[i]) << rows[i].name;
  }
}

// A handler that sends again inside a send: the outer record stays readable after the inner send.
TEST_F(VlmTest, NestedSendsKeepTheOuterRecord) {
  VlKeyRecord inner{66, 0};
  bool outerStillThere = false;
  to.receive = [&](win::UINT m, win::LPARAM l) {
    const auto* rec = ReceiveVlm<const VlKeyRecord>(m, l);
    if (rec == nullptr || rec->keyCode != 65) return rec != nullptr;
    SendVlm(sys, to.Handle(), VLM_KEYUP, 0, inner);
    outerStillThere = ReceiveVlm<const VlKeyRecord>(m, l) == rec;
    return true;
  };
  const VlKeyRecord outer{65, 0};
  SendVlm(sys, to.Handle(), VLM_KEYDOWN, 0, outer);
  EXPECT_EQ(to.got, 2);
  EXPECT_TRUE(outerStillThere);
}

}  // namespace
}  // namespace vl
