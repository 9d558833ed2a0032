// Databases and record sources: an SQLite file a form's boxes bind to, column by column.
//
//   vl::Database db("shop.db");
//   db.Exec("create table item(name varchar(20), qty smallint)");
//   vl::RecordSource items = form.AddSource("items", db, "item");
//   qty.SetDataSource(&items);
//   qty.Set("DataField", vl::TypedValue::String("qty"));
//   items.MoveFirst();
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vltext/value.h"

namespace vl {
inline namespace v1 {

// One value as SQLite holds it: texts are UTF-8.
struct DbValue {
  enum class Kind { Null, Integer, Real, Text, Blob };
  Kind kind = Kind::Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string bytes;  // Text (UTF-8) or Blob

  static DbValue Null() { return {}; }
  static DbValue Integer(std::int64_t v) { return DbValue{Kind::Integer, v, 0, {}}; }
  static DbValue Real(double v) { return DbValue{Kind::Real, 0, v, {}}; }
  static DbValue Text(std::string utf8) { return DbValue{Kind::Text, 0, 0, std::move(utf8)}; }
  static DbValue Blob(std::string bytes) { return DbValue{Kind::Blob, 0, 0, std::move(bytes)}; }
  // A typed value as a record source stores it: dates as ISO 8601 text, Currency as its exact
  // decimal text, Boolean as 1 or 0, Null and Empty as NULL.
  static DbValue From(const TypedValue& value);
  friend bool operator==(const DbValue&, const DbValue&) = default;
};

struct QueryResult {
  std::vector<std::string> columns;        // names, UTF-8
  std::vector<std::vector<DbValue>> rows;  // one value per column
};

// An SQLite database. Statements are prepared with bound parameters: no value is ever pasted
// into SQL text. Copies share the connection.
class Database {
 public:
  // Opens (or creates) the file; ":memory:" is a scratch database. Error 75 when it cannot.
  explicit Database(const std::string& path);
  // Runs the statements of `sql` in order (parameters bind to a text of one statement) and
  // returns the rows the last one changed. Error 3146 with SQLite's message when refused.
  std::int64_t Exec(std::string_view sql, const std::vector<DbValue>& params = {});
  // Runs one statement and returns its rows.
  QueryResult Query(std::string_view sql, const std::vector<DbValue>& params = {});

  struct Impl;
  const std::shared_ptr<Impl>& Internal() const noexcept { return impl_; }

 private:
  std::shared_ptr<Impl> impl_;
};

struct SourceColumnInfo {
  std::string name;  // UTF-8
  DataType type = DataType::String;
  std::int32_t length = 0;  // the declared width of a text column, 0 when unbounded
  bool updatable = false;
};

// How a record source's current row is being changed.
enum class EditMode { None = 1, Edit = 2, Add = 3 };

// A form's cursor over the rows of a table (updatable) or of a select text (read only). Every
// move and change notifies the boxes bound to it. A value a column cannot take throws the box's
// value error; data access errors are 3021 no current row, 3020 no edit in progress, 3027 read
// only, 3146 refused by the engine, 3163 value not kept, 3265 no such column. A handle of a form
// that is gone throws Error 5.
class RecordSource {
 public:
  const std::string& Name() const noexcept { return name_; }
  std::vector<SourceColumnInfo> Columns() const;

  // 1-based current row: 0 before the first, Count() + 1 after the last.
  std::int64_t Position() const;
  std::int64_t Count() const;
  bool Bof() const;
  bool Eof() const;

  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrev();
  void MoveTo(std::int64_t position);
  void Edit();
  void AddNew();
  void Update();
  void Cancel();
  void Delete();
  vl::EditMode GetEditMode() const;

  // The current row as stored, each value as its column's data type when it converts.
  std::vector<std::pair<std::string, TypedValue>> Row() const;
  // One column of the row being edited or added, else of the current row.
  TypedValue Get(std::string_view column) const;
  // Sets a column of the row being edited or added (an edit begins when none is), as the
  // program does: the boxes write back first and read the row after.
  void Set(std::string_view column, const TypedValue& value);
  // Sends exactly this notification (event bits, reason codes) to every bound box.
  void Notify(bool before, std::uint32_t eventBits, const std::vector<std::int32_t>& reasons);

  struct Impl;
  explicit RecordSource(std::shared_ptr<Impl> impl);
  const std::shared_ptr<Impl>& Internal() const noexcept { return impl_; }
  friend bool operator==(const RecordSource& a, const RecordSource& b) noexcept { return a.impl_ == b.impl_; }

 private:
  std::shared_ptr<Impl> impl_;
  std::string name_;
};

}  // namespace v1
}  // namespace vl
