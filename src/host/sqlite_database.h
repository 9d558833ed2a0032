// An SQLite database as the host uses it: statements prepared with bound parameters (no value is
// ever pasted into SQL text), rows read back as SQLite holds them. Texts here are UTF-8, as
// SQLite stores them; the record source converts them for the component.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_errors.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vl {

// One SQLite value.
struct SqlValue {
  enum class Kind { Null, Integer, Real, Text, Blob };
  Kind kind = Kind::Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string bytes;  // Text (UTF-8) or Blob

  static SqlValue Null() { return {}; }
  static SqlValue Integer(std::int64_t v) { SqlValue s; s.kind = Kind::Integer; s.integer = v; return s; }
  static SqlValue Real(double v) { SqlValue s; s.kind = Kind::Real; s.real = v; return s; }
  static SqlValue Text(std::string utf8) { SqlValue s; s.kind = Kind::Text; s.bytes = std::move(utf8); return s; }
  static SqlValue Blob(std::string b) { SqlValue s; s.kind = Kind::Blob; s.bytes = std::move(b); return s; }
  friend bool operator==(const SqlValue&, const SqlValue&) = default;
};

struct SqlColumn {
  std::string name;      // UTF-8
  std::string declType;  // the declared type as written; empty for an expression
};

struct SqlResult {
  std::vector<SqlColumn> columns;
  std::vector<std::vector<SqlValue>> rows;
};

// "name" with its double quotes doubled: an identifier SQL can never read as anything else.
std::string QuoteIdentifier(std::string_view name);

class SqliteDatabase {
 public:
  // Opens (or creates) the database file; ":memory:" is a scratch database. Throws
  // AutomationError 75 when the file cannot be opened.
  explicit SqliteDatabase(const std::string& path);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Runs the statements of `sql` in order. Parameters bind to the placeholders of a text that
  // holds one statement; a text of several statements takes none. Returns the rows the last
  // statement changed. Throws AutomationError 3146 with SQLite's message.
  std::int64_t Exec(std::string_view sql, const std::vector<SqlValue>& params = {});
  // Runs one statement and returns its rows.
  SqlResult Query(std::string_view sql, const std::vector<SqlValue>& params = {});
  std::int64_t LastInsertRowid() const;

  // The columns a one-statement text would return, without running it.
  std::vector<SqlColumn> Describe(std::string_view sql);

 private:
  friend class SqlStatement;
  [[noreturn]] void Fail(int code) const;

  sqlite3* db_ = nullptr;
};

// One prepared statement of a database.
class SqlStatement {
 public:
  // Prepares the first statement of `sql`; `tail` (when given) receives what follows it.
  SqlStatement(SqliteDatabase& db, std::string_view sql, std::string_view* tail = nullptr);
  ~SqlStatement();
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;

  bool Empty() const { return stmt_ == nullptr; }  // the text held only spaces or comments
  int ParameterCount() const;
  void Bind(const std::vector<SqlValue>& params);
  // Steps once: true while a row is there to read.
  bool Step();
  int ColumnCount() const;
  SqlColumn Column(int index) const;
  SqlValue Value(int index) const;

 private:
  SqliteDatabase& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace vl
