// The control's view of a record source: the host's data cursor over a table or a query, and the
// two notifications it sends to every bound box.
//
// The host implements the cursor; the control's binding side implements the notification sink
// and advises it on the cursor. Every cursor call that fails throws AutomationError with the
// record source's code, so a caller can leave the box unbound, or the row unread, and go on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/variant.h"

namespace vl {

// One column of a record source, in the source's order.
struct CursorColumn {
  std::string name;             // CP932; empty when the name has no CP932 form (never bindable)
  std::uint16_t dataType = 8;   // one of the nine data types
  std::int32_t maxLength = 0;   // width of a text column; 0 when unlimited
  bool updatable = false;
};

// What the current row is going through.
enum class CursorEditMode : std::int32_t {
  None = 1,  // no edit in progress: the row is read as stored
  Edit = 2,  // the current row is being edited
  Add = 3,   // a new row is being added
};

// Event bits of a notification.
inline constexpr std::uint32_t kDbeCurrentRowChanged = 1;
inline constexpr std::uint32_t kDbeCurrentRowDataChanged = 2;
inline constexpr std::uint32_t kDbeSetOfRowsChanged = 32;

// Reason codes this host sends (their meaning is the record source's; the box only reacts to
// the codes listed in its reason matrix).
inline constexpr std::int32_t kDbReasonDeleted = 1;
inline constexpr std::int32_t kDbReasonInserted = 2;
inline constexpr std::int32_t kDbReasonModified = 3;
inline constexpr std::int32_t kDbReasonMove = 6;
inline constexpr std::int32_t kDbReasonFind = 7;
inline constexpr std::int32_t kDbReasonAddNew = 20;
inline constexpr std::int32_t kDbReasonRollback = 23;
inline constexpr std::int32_t kDbReasonSetColumn = 29;
inline constexpr std::int32_t kDbReasonCancelUpdate = 31;

// The notification sink a bound box advises on the cursor.
class IVlCursorEvents {
 public:
  virtual ~IVlCursorEvents() = default;
  // Before the source changes the current row or the set of rows: a box writes back.
  virtual void SyncBefore(std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) = 0;
  // After it did: a box reads the current row.
  virtual void DidEvent(std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) = 0;
};

class IVlCursor {
 public:
  virtual ~IVlCursor() = default;

  virtual std::vector<CursorColumn> Columns() = 0;
  virtual CursorEditMode EditMode() = 0;
  // One column of the current row as stored (edit mode None); Null when there is no current row.
  // A stored value the component cannot hold (text without a CP932 form) throws
  // CVlValueException 1102.
  virtual Variant FetchCurrent(std::size_t column) = 0;
  // Starts editing the current row (edit mode None → Edit).
  virtual void BeginUpdate() = 0;
  // One column of the row being edited or added.
  virtual Variant GetColumn(std::size_t column) = 0;
  virtual void SetColumn(std::size_t column, const Variant& value) = 0;

  // The sink hears every notification until it is unadvised; the cookie names the connection.
  virtual std::uint32_t Advise(IVlCursorEvents& sink) = 0;
  virtual void Unadvise(std::uint32_t cookie) = 0;
};

}  // namespace vl
