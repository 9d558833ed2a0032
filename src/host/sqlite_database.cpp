#include "host/sqlite_database.h"

#include <sqlite3.h>

#include <limits>

#include "runtime/automation_error.h"
#include "text/encoding.h"

namespace vl {

namespace {

// An engine message (UTF-8) as the text of an automation error (CP932); a character the code
// page cannot hold shows as "?", since a message is for reading, not for storing.
std::string MessageText(const std::string& utf8) {
  std::string out;
  if (TryUtf8ToCp932(utf8, out)) return out;
  out.clear();
  for (unsigned char c : utf8) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c & 0xC0) != 0x80) {
      out += '?';
    }
  }
  return out;
}

}  // namespace

std::string QuoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

SqliteDatabase::SqliteDatabase(const std::string& path) {
  const int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = "cannot open the database " + path;
    if (db_ != nullptr) message += ": " + std::string(sqlite3_errmsg(db_));
    sqlite3_close(db_);
    db_ = nullptr;
    throw AutomationError(kErrFileAccess, MessageText(message));
  }
  sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close_v2(db_); }

void SqliteDatabase::Fail(int code) const {
  (void)code;
  throw AutomationError(kErrDatabase, MessageText(std::string("SQLite: ") + sqlite3_errmsg(db_)));
}

std::int64_t SqliteDatabase::Exec(std::string_view sql, const std::vector<SqlValue>& params) {
  std::string_view rest = sql;
  bool first = true;
  std::int64_t changes = 0;
  while (!rest.empty()) {
    const std::size_t before = rest.size();
    SqlStatement stmt(*this, rest, &rest);
    if (stmt.Empty()) {
      if (rest.size() >= before) break;
      continue;
    }
    if (!params.empty() && !first) {
      throw AutomationError(kErrDatabase, "SQLite: parameters belong to a text of one statement");
    }
    if (first) stmt.Bind(params);
    first = false;
    while (stmt.Step()) {
    }
    changes = sqlite3_changes64(db_);
  }
  return changes;
}

SqlResult SqliteDatabase::Query(std::string_view sql, const std::vector<SqlValue>& params) {
  std::string_view rest;
  SqlStatement stmt(*this, sql, &rest);
  if (stmt.Empty()) throw AutomationError(kErrDatabase, "SQLite: no statement to run");
  SqlResult result;
  for (int i = 0; i < stmt.ColumnCount(); ++i) result.columns.push_back(stmt.Column(i));
  stmt.Bind(params);
  while (stmt.Step()) {
    std::vector<SqlValue> row;
    row.reserve(result.columns.size());
    for (int i = 0; i < stmt.ColumnCount(); ++i) row.push_back(stmt.Value(i));
    result.rows.push_back(std::move(row));
  }
  return result;
}

std::vector<SqlColumn> SqliteDatabase::Describe(std::string_view sql) {
  SqlStatement stmt(*this, sql);
  std::vector<SqlColumn> columns;
  for (int i = 0; i < stmt.ColumnCount(); ++i) columns.push_back(stmt.Column(i));
  return columns;
}

std::int64_t SqliteDatabase::LastInsertRowid() const { return sqlite3_last_insert_rowid(db_); }

// ---------------------------------------------------------------------------------------------

SqlStatement::SqlStatement(SqliteDatabase& db, std::string_view sql, std::string_view* tail) : db_(db) {
  if (sql.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw AutomationError(kErrDatabase, "SQLite: the statement is too long");
  }
  const char* end = nullptr;
  const int rc = sqlite3_prepare_v2(db.db_, sql.data(), static_cast<int>(sql.size()), &stmt_, &end);
  if (rc != SQLITE_OK) db.Fail(rc);
  if (tail != nullptr) *tail = end != nullptr ? sql.substr(static_cast<std::size_t>(end - sql.data())) : std::string_view();
}

SqlStatement::~SqlStatement() { sqlite3_finalize(stmt_); }

int SqlStatement::ParameterCount() const { return stmt_ != nullptr ? sqlite3_bind_parameter_count(stmt_) : 0; }

void SqlStatement::Bind(const std::vector<SqlValue>& params) {
  if (static_cast<int>(params.size()) != ParameterCount()) {
    throw AutomationError(kErrDatabase, "SQLite: the statement takes " + std::to_string(ParameterCount()) +
                                            " parameters, " + std::to_string(params.size()) + " were given");
  }
  for (std::size_t i = 0; i < params.size(); ++i) {
    const SqlValue& p = params[i];
    const int at = static_cast<int>(i) + 1;
    int rc = SQLITE_OK;
    switch (p.kind) {
      case SqlValue::Kind::Null: rc = sqlite3_bind_null(stmt_, at); break;
      case SqlValue::Kind::Integer: rc = sqlite3_bind_int64(stmt_, at, p.integer); break;
      case SqlValue::Kind::Real: rc = sqlite3_bind_double(stmt_, at, p.real); break;
      case SqlValue::Kind::Text:
        rc = sqlite3_bind_text64(stmt_, at, p.bytes.data(), p.bytes.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
      case SqlValue::Kind::Blob:
        rc = sqlite3_bind_blob64(stmt_, at, p.bytes.data(), p.bytes.size(), SQLITE_TRANSIENT);
        break;
    }
    if (rc != SQLITE_OK) db_.Fail(rc);
  }
}

bool SqlStatement::Step() {
  if (stmt_ == nullptr) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  db_.Fail(rc);
}

int SqlStatement::ColumnCount() const { return stmt_ != nullptr ? sqlite3_column_count(stmt_) : 0; }

SqlColumn SqlStatement::Column(int index) const {
  const char* name = sqlite3_column_name(stmt_, index);
  const char* decl = sqlite3_column_decltype(stmt_, index);
  return SqlColumn{name != nullptr ? name : "", decl != nullptr ? decl : ""};
}

SqlValue SqlStatement::Value(int index) const {
  switch (sqlite3_column_type(stmt_, index)) {
    case SQLITE_INTEGER: return SqlValue::Integer(sqlite3_column_int64(stmt_, index));
    case SQLITE_FLOAT: return SqlValue::Real(sqlite3_column_double(stmt_, index));
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
      const int n = sqlite3_column_bytes(stmt_, index);
      return SqlValue::Text(std::string(text != nullptr ? text : "", static_cast<std::size_t>(n)));
    }
    case SQLITE_BLOB: {
      const auto* blob = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
      const int n = sqlite3_column_bytes(stmt_, index);
      return SqlValue::Blob(blob != nullptr ? std::string(blob, static_cast<std::size_t>(n)) : std::string());
    }
    default: return SqlValue::Null();
  }
}

}  // namespace vl
