// The host's record source over SQLite: a cursor over the rows of a table (updatable columns,
// rows in rowid order) or of a select text (read-only columns, rows read once), with a current
// row, moves, edit/add/update/cancel/delete, and the notifications every bound box hears.
//
// Every statement is prepared with bound parameters; table and column names enter SQL only as
// quoted identifiers. A row is written only once SQLite has kept every value exactly (checked by
// reading it back inside a savepoint), so nothing a box holds is silently altered on the way.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/data_cursor.h"
#include "host/sqlite_database.h"

namespace vl {

struct SourceColumn {
  std::string utf8Name;
  CursorColumn column;  // the name in CP932, the data type, width and updatable flag
  std::string declType;
};

class SqliteRecordSource : public IVlCursor {
 public:
  // `what` is a table name or a text beginning with "select" (or "with"). Throws AutomationError
  // when the table does not exist, has no rowids, or the query does not prepare.
  SqliteRecordSource(std::shared_ptr<SqliteDatabase> db, const std::string& what);
  ~SqliteRecordSource() override;

  // --- IVlCursor (the boxes' side) ---
  std::vector<CursorColumn> Columns() override;
  CursorEditMode EditMode() override { return mode_; }
  Variant FetchCurrent(std::size_t column) override;
  void BeginUpdate() override;
  Variant GetColumn(std::size_t column) override;
  void SetColumn(std::size_t column, const Variant& value) override;
  std::uint32_t Advise(IVlCursorEvents& sink) override;
  void Unadvise(std::uint32_t cookie) override;

  // --- The host's side (what a script does) ---
  const std::vector<SourceColumn>& SourceColumns() const { return columns_; }
  std::optional<std::size_t> FindColumn(std::string_view utf8Name) const;
  bool ReadOnly() const { return readOnly_; }

  // 1-based current position: 0 before the first row, Count() + 1 after the last.
  std::int64_t Position() const { return position_; }
  std::int64_t Count() const;
  bool Bof() const { return position_ == 0 || Count() == 0; }
  bool Eof() const { return position_ > Count() || Count() == 0; }

  // Moves notify the boxes before (they write back; a pending edit or add is then stored) and
  // after (they read the new current row). A move that cannot be made changes nothing.
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrev();
  void MoveTo(std::int64_t position);
  void Edit();
  void AddNew();
  // Stores the row being edited or added; an added row becomes the current row.
  void Update();
  void Cancel();
  void Delete();
  // One column of the row being edited (an edit begins when none is in progress) or added, set
  // by the program. The boxes write back their pending changes before, and read the row after.
  void SetByProgram(std::size_t column, const Variant& value);
  // One column of the row being edited or added, else of the current row, as the column's data
  // type when it converts.
  Variant Get(std::size_t column);
  // The current row as stored, each value as its column's data type when it converts.
  std::vector<Variant> Row();
  // Sends exactly this notification to every advised box.
  void Notify(bool before, std::uint32_t eventBits, const std::vector<std::int32_t>& reasons);

 private:
  bool HasCurrentRow() const { return position_ >= 1 && position_ <= Count(); }
  void CheckIdle() const;
  void CheckWritable(std::size_t column) const;
  void CheckColumn(std::size_t column) const;
  SqlValue StoredValue(std::size_t column);
  // Stores a pending edit or add (mode back to None); an added row's key is appended.
  void CompleteUpdate();
  void VerifyKept(std::int64_t rowid, const std::vector<std::size_t>& written, const std::vector<SqlValue>& values);
  Variant AsColumnType(std::size_t column, const Variant& v) const;
  // A move to `target` with its two notifications.
  void MoveWith(std::int64_t target);

  std::shared_ptr<SqliteDatabase> db_;
  std::string table_;  // empty for a query source
  bool readOnly_ = false;
  std::vector<SourceColumn> columns_;
  std::vector<std::int64_t> keys_;              // rowids of a table source
  std::vector<std::vector<SqlValue>> rows_;     // rows of a query source
  std::int64_t position_ = 0;

  CursorEditMode mode_ = CursorEditMode::None;
  std::vector<std::optional<Variant>> buffer_;  // columns set in the row being edited or added

  struct Sink {
    std::uint32_t cookie;
    IVlCursorEvents* sink;
  };
  std::vector<Sink> sinks_;
  std::uint32_t nextCookie_ = 1;
  int notifying_ = 0;
};

}  // namespace vl
