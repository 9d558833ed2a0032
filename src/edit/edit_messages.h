// The messages the edit window sends its control, and the records they carry.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "platform/window.h"
#include "value/typed_value.h"

namespace vl {

inline constexpr win::UINT VLM_FOCUSLEFT = win::WM_USER + 102;
inline constexpr win::UINT VLM_CHANGE = win::WM_USER + 103;
inline constexpr win::UINT VLM_CLICK = win::WM_USER + 104;
inline constexpr win::UINT VLM_DBLCLICK = win::WM_USER + 105;
inline constexpr win::UINT VLM_KEYDOWN = win::WM_USER + 106;
inline constexpr win::UINT VLM_KEYPRESS = win::WM_USER + 107;
inline constexpr win::UINT VLM_KEYUP = win::WM_USER + 108;
inline constexpr win::UINT VLM_MOUSEDOWN = win::WM_USER + 109;
inline constexpr win::UINT VLM_MOUSEMOVE = win::WM_USER + 110;
inline constexpr win::UINT VLM_MOUSEUP = win::WM_USER + 111;
inline constexpr win::UINT VLM_SPINDOWN = win::WM_USER + 113;
inline constexpr win::UINT VLM_SPINUP = win::WM_USER + 114;
inline constexpr win::UINT VLM_ERROR = win::WM_USER + 115;
inline constexpr win::UINT VLM_PREVCONTROL = win::WM_USER + 116;
inline constexpr win::UINT VLM_NEXTCONTROL = win::WM_USER + 117;
inline constexpr win::UINT VLM_FURIGANA = win::WM_USER + 118;
inline constexpr win::UINT VLM_USERCHECK = win::WM_USER + 119;

struct VlKeyRecord {
  std::int32_t keyCode = 0;
  std::int32_t shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
};

struct VlMouseRecord {
  std::uint32_t flags = 0;     // 0x01 left, 0x02 right, 0x10 middle, 0x04 Shift, 0x08 Ctrl, 0x20 Alt
  std::uint32_t position = 0;  // x low 16 bits, y high 16 bits
};

// The record of a window's mouse message: the button a press or release is about (a move carries
// every held button), Shift and Ctrl from the message's flags, Alt as the keyboard has it. The
// result is the message that carries it to the control: VLM_MOUSEDOWN, VLM_MOUSEUP or
// VLM_MOUSEMOVE.
inline win::UINT MouseRecordOf(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam, bool altDown, VlMouseRecord& record) {
  win::UINT vlm = VLM_MOUSEMOVE;
  std::uint32_t flags = 0;
  switch (msg) {
    case win::WM_LBUTTONDOWN: vlm = VLM_MOUSEDOWN; flags = 0x01; break;
    case win::WM_LBUTTONUP: vlm = VLM_MOUSEUP; flags = 0x01; break;
    case win::WM_RBUTTONDOWN: vlm = VLM_MOUSEDOWN; flags = 0x02; break;
    case win::WM_RBUTTONUP: vlm = VLM_MOUSEUP; flags = 0x02; break;
    case win::WM_MBUTTONDOWN: vlm = VLM_MOUSEDOWN; flags = 0x10; break;
    case win::WM_MBUTTONUP: vlm = VLM_MOUSEUP; flags = 0x10; break;
    default: flags = static_cast<std::uint32_t>(wParam & (win::MK_LBUTTON | win::MK_RBUTTON | win::MK_MBUTTON)); break;
  }
  if (wParam & win::MK_SHIFT) flags |= 0x04;
  if (wParam & win::MK_CONTROL) flags |= 0x08;
  if (altDown) flags |= 0x20;
  record = VlMouseRecord{flags, static_cast<std::uint32_t>(lParam)};
  return vlm;
}

struct VlErrorRecord {
  std::int32_t code = 0;  // editor status 1-7, or a host code 100-999
  std::string text;       // CP932
};

struct VlUserCheckRecord {
  TypedValue newValue;
  std::int32_t errCode = 0;
  std::string errString;  // CP932
};

// What a VLM_ message carries in its LPARAM, and whether the receiver may write into it (the
// host's answer travels back in the same record).
enum class VlmRecord : std::uint8_t {
  kNone,         // nothing: the LPARAM is 0
  kFocusTarget,  // win::HWND, the window taking the focus
  kKey,          // VlKeyRecord
  kCharCode,     // std::int32_t: the typed character (KeyPress) or the key that moved on
  kMouse,        // VlMouseRecord
  kError,        // VlErrorRecord
  kKana,         // std::string: the reading, CP932
  kUserCheck,    // VlUserCheckRecord
};

struct VlmRow {
  win::UINT msg;
  VlmRecord record;
  bool writable;
};

inline constexpr VlmRow kVlmTable[] = {
    {VLM_FOCUSLEFT, VlmRecord::kFocusTarget, false},
    {VLM_CHANGE, VlmRecord::kNone, false},
    {VLM_CLICK, VlmRecord::kNone, false},
    {VLM_DBLCLICK, VlmRecord::kNone, false},
    {VLM_KEYDOWN, VlmRecord::kKey, false},
    {VLM_KEYPRESS, VlmRecord::kCharCode, true},
    {VLM_KEYUP, VlmRecord::kKey, false},
    {VLM_MOUSEDOWN, VlmRecord::kMouse, false},
    {VLM_MOUSEMOVE, VlmRecord::kMouse, false},
    {VLM_MOUSEUP, VlmRecord::kMouse, false},
    {VLM_SPINDOWN, VlmRecord::kNone, false},
    {VLM_SPINUP, VlmRecord::kNone, false},
    {VLM_ERROR, VlmRecord::kError, false},
    {VLM_PREVCONTROL, VlmRecord::kCharCode, false},
    {VLM_NEXTCONTROL, VlmRecord::kCharCode, false},
    {VLM_FURIGANA, VlmRecord::kKana, false},
    {VLM_USERCHECK, VlmRecord::kUserCheck, true},
};

// The row of a VLM_ message; nullptr for any other message.
constexpr const VlmRow* FindVlm(win::UINT msg) {
  for (const VlmRow& row : kVlmTable) {
    if (row.msg == msg) return &row;
  }
  return nullptr;
}

// The record kind of each type a message may carry; a type no message carries does not compile.
template <typename Record>
inline constexpr VlmRecord kVlmRecordOf = VlmRecord::kNone;
template <>
inline constexpr VlmRecord kVlmRecordOf<win::HWND> = VlmRecord::kFocusTarget;
template <>
inline constexpr VlmRecord kVlmRecordOf<VlKeyRecord> = VlmRecord::kKey;
template <>
inline constexpr VlmRecord kVlmRecordOf<std::int32_t> = VlmRecord::kCharCode;
template <>
inline constexpr VlmRecord kVlmRecordOf<VlMouseRecord> = VlmRecord::kMouse;
template <>
inline constexpr VlmRecord kVlmRecordOf<VlErrorRecord> = VlmRecord::kError;
template <>
inline constexpr VlmRecord kVlmRecordOf<std::string> = VlmRecord::kKana;
template <>
inline constexpr VlmRecord kVlmRecordOf<VlUserCheckRecord> = VlmRecord::kUserCheck;

// The records being sent right now, innermost last. A receiver only ever reads an LPARAM that is
// one of them, sent with the same message, so a missing, stale or foreign pointer is refused
// before anything reads through it.
class VlmInFlight {
 public:
  VlmInFlight(win::UINT msg, const void* record, bool writable);
  ~VlmInFlight();
  VlmInFlight(const VlmInFlight&) = delete;
  VlmInFlight& operator=(const VlmInFlight&) = delete;
  // Whether `lParam` is a record in flight with `msg` (and one its sender lets be written when
  // `write` asks for that).
  static bool Holds(win::UINT msg, win::LPARAM lParam, bool write);
};

// Sends a VLM_ message that carries no record. A message that needs one is not sent (0).
win::LRESULT SendVlm(win::System& sys, win::HWND to, win::UINT msg, win::WPARAM from);

// Sends a VLM_ message with its record. A record of the wrong type for the message, or a
// read-only one where the receiver writes its answer back, is not sent (0).
template <typename Record>
win::LRESULT SendVlm(win::System& sys, win::HWND to, win::UINT msg, win::WPARAM from, Record& record) {
  using Plain = std::remove_const_t<Record>;
  static_assert(kVlmRecordOf<Plain> != VlmRecord::kNone, "no VLM_ message carries this record type");
  const VlmRow* row = FindVlm(msg);
  if (row == nullptr || row->record != kVlmRecordOf<Plain>) return 0;
  constexpr bool kWritable = !std::is_const_v<Record>;
  if (row->writable && !kWritable) return 0;
  const VlmInFlight sending(msg, &record, kWritable);
  return sys.SendMessage(to, msg, from, reinterpret_cast<win::LPARAM>(&record));
}

// The record a received VLM_ message carries, or nullptr when `lParam` is not a record of this
// type sent with `msg` through SendVlm. Records the host answers in come as Record, the others
// only as const Record.
template <typename Record>
Record* ReceiveVlm(win::UINT msg, win::LPARAM lParam) {
  using Plain = std::remove_const_t<Record>;
  static_assert(kVlmRecordOf<Plain> != VlmRecord::kNone, "no VLM_ message carries this record type");
  const VlmRow* row = FindVlm(msg);
  if (row == nullptr || row->record != kVlmRecordOf<Plain>) return nullptr;
  constexpr bool kWrite = !std::is_const_v<Record>;
  if (kWrite && !row->writable) return nullptr;
  if (!VlmInFlight::Holds(msg, lParam, kWrite)) return nullptr;
  return reinterpret_cast<Record*>(lParam);
}

// The editor statuses (lastError).
enum EditError : std::int32_t {
  kEditOk = 0,
  kEditAboveUpper = 1,
  kEditBelowLower = 2,
  kEditMaxLength = 3,
  kEditTooWide = 4,
  kEditAdjustedToFormat = 5,
  kEditTooManyChars = 6,
  kEditFormatMismatch = 7,
};

// Whether a status stops a commit, a value load or the host's check. Status 4 (the text is wider
// than the display area) only describes the picture: the box keeps and shows the whole text, so
// it is never an error.
inline bool IsEditFailure(std::int32_t status) { return status != kEditOk && status != kEditTooWide; }

}  // namespace vl
