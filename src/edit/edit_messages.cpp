#include "edit/edit_messages.h"

#include <vector>

namespace vl {

namespace {

struct Sending {
  win::UINT msg;
  const void* record;
  bool writable;
};

// One list per thread: a window system and its windows live on one thread, and a record lives
// on its sender's stack only while the send lasts.
std::vector<Sending>& InFlight() {
  thread_local std::vector<Sending> records;
  return records;
}

}  // namespace

VlmInFlight::VlmInFlight(win::UINT msg, const void* record, bool writable) {
  InFlight().push_back(Sending{msg, record, writable});
}

VlmInFlight::~VlmInFlight() { InFlight().pop_back(); }

bool VlmInFlight::Holds(win::UINT msg, win::LPARAM lParam, bool write) {
  if (lParam == 0) return false;
  const auto& records = InFlight();
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    if (it->msg == msg && reinterpret_cast<win::LPARAM>(it->record) == lParam) return !write || it->writable;
  }
  return false;
}

win::LRESULT SendVlm(win::System& sys, win::HWND to, win::UINT msg, win::WPARAM from) {
  const VlmRow* row = FindVlm(msg);
  if (row == nullptr || row->record != VlmRecord::kNone) return 0;
  return sys.SendMessage(to, msg, from, 0);
}

}  // namespace vl
