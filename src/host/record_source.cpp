#include "host/record_source.h"

#include <algorithm>
#include <cctype>

#include "host/sql_values.h"
#include "runtime/automation_error.h"
#include "runtime/coerce.h"
#include "text/encoding.h"
#include "value/typed_value.h"
#include "value/value_exception.h"

namespace vl {

namespace {

bool IsQueryText(std::string_view what) {
  std::size_t i = 0;
  while (i < what.size() && std::isspace(static_cast<unsigned char>(what[i]))) ++i;
  std::string word;
  while (i < what.size() && std::isalpha(static_cast<unsigned char>(what[i]))) {
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(what[i])));
    ++i;
  }
  return word == "select" || word == "with";
}

std::string Cp932Name(const std::string& utf8) {
  std::string out;
  return TryUtf8ToCp932(utf8, out) ? out : std::string();
}

std::string Upper(std::string_view s) {
  std::string out;
  for (char c : s) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Conversions here keep Null and never ask for "now".
const VirtualClock kConversionClock;

// Runs `work` inside a savepoint: kept when it returns, undone when it throws.
template <typename Work>
void InSavepoint(SqliteDatabase& db, Work&& work) {
  db.Exec("SAVEPOINT vl_row");
  try {
    work();
  } catch (...) {
    db.Exec("ROLLBACK TO vl_row; RELEASE vl_row");
    throw;
  }
  db.Exec("RELEASE vl_row");
}

}  // namespace

SqliteRecordSource::SqliteRecordSource(std::shared_ptr<SqliteDatabase> db, const std::string& what) : db_(std::move(db)) {
  std::vector<SqlColumn> described;
  if (IsQueryText(what)) {
    readOnly_ = true;
    SqlResult result = db_->Query(what);
    described = std::move(result.columns);
    rows_ = std::move(result.rows);
  } else {
    const SqlResult found = db_->Query("select 1 from sqlite_master where type = 'table' and name = ?", {SqlValue::Text(what)});
    if (found.rows.empty()) throw AutomationError(kErrDatabase, "there is no table named " + Cp932Name(what));
    table_ = what;
    const std::string quoted = QuoteIdentifier(what);
    try {
      for (const SqlResult keys = db_->Query("select rowid from " + quoted + " order by rowid"); const auto& row : keys.rows) {
        keys_.push_back(row[0].integer);
      }
    } catch (const AutomationError&) {
      throw AutomationError(kErrDatabase, "the table " + Cp932Name(what) + " has no rowids to keep its rows apart");
    }
    described = db_->Describe("select * from " + quoted);
  }
  // The column that is the table's rowid cannot change under the source's feet.
  std::string rowidAlias;
  if (!readOnly_) {
    const SqlResult info = db_->Query("select name, type, pk from pragma_table_info(?)", {SqlValue::Text(table_)});
    int keyColumns = 0;
    for (const auto& row : info.rows) {
      if (row[2].kind == SqlValue::Kind::Integer && row[2].integer > 0) {
        ++keyColumns;
        if (Upper(row[1].bytes) == "INTEGER") rowidAlias = row[0].bytes;
      }
    }
    if (keyColumns != 1) rowidAlias.clear();
  }
  for (const SqlColumn& c : described) {
    const DeclaredType t = MapDeclaredType(c.declType);
    SourceColumn sc;
    sc.utf8Name = c.name;
    sc.declType = c.declType;
    sc.column = CursorColumn{Cp932Name(c.name), t.dataType, t.length, !readOnly_ && c.name != rowidAlias};
    columns_.push_back(std::move(sc));
  }
  buffer_.resize(columns_.size());
  position_ = Count() > 0 ? 1 : 0;
}

SqliteRecordSource::~SqliteRecordSource() = default;

std::int64_t SqliteRecordSource::Count() const {
  return static_cast<std::int64_t>(readOnly_ ? rows_.size() : keys_.size());
}

std::optional<std::size_t> SqliteRecordSource::FindColumn(std::string_view utf8Name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].utf8Name == utf8Name) return i;
  }
  return std::nullopt;
}

std::vector<CursorColumn> SqliteRecordSource::Columns() {
  std::vector<CursorColumn> out;
  for (const SourceColumn& c : columns_) out.push_back(c.column);
  return out;
}

void SqliteRecordSource::CheckColumn(std::size_t column) const {
  if (column >= columns_.size()) throw AutomationError(kErrItemNotFound, "no such column");
}

void SqliteRecordSource::CheckIdle() const {
  if (notifying_ > 0) {
    throw AutomationError(kErrInvalidProcedureCall, "the record source cannot change while it notifies its boxes");
  }
}

void SqliteRecordSource::CheckWritable(std::size_t column) const {
  CheckColumn(column);
  if (readOnly_ || !columns_[column].column.updatable) {
    throw AutomationError(kErrReadOnly, "the column " + columns_[column].column.name + " cannot be updated");
  }
}

SqlValue SqliteRecordSource::StoredValue(std::size_t column) {
  CheckColumn(column);
  if (!HasCurrentRow()) return SqlValue::Null();
  const auto at = static_cast<std::size_t>(position_ - 1);
  if (readOnly_) return rows_[at][column];
  const SqlResult r = db_->Query("select " + QuoteIdentifier(columns_[column].utf8Name) + " from " +
                                     QuoteIdentifier(table_) + " where rowid = ?",
                                 {SqlValue::Integer(keys_[at])});
  // A row deleted behind the source's back reads as Null.
  return r.rows.empty() ? SqlValue::Null() : r.rows[0][0];
}

Variant SqliteRecordSource::FetchCurrent(std::size_t column) {
  return SqlToVariant(StoredValue(column), columns_.at(column).column.dataType);
}

void SqliteRecordSource::BeginUpdate() {
  if (readOnly_) throw AutomationError(kErrReadOnly, "the record source is read-only");
  if (mode_ != CursorEditMode::None) return;
  if (!HasCurrentRow()) throw AutomationError(kErrNoCurrentRecord, "no current record");
  mode_ = CursorEditMode::Edit;
}

Variant SqliteRecordSource::GetColumn(std::size_t column) {
  CheckColumn(column);
  if (buffer_[column]) return *buffer_[column];
  if (mode_ == CursorEditMode::Add) return Variant::Null();
  return FetchCurrent(column);
}

void SqliteRecordSource::SetColumn(std::size_t column, const Variant& value) {
  CheckWritable(column);
  if (mode_ == CursorEditMode::None) throw AutomationError(kErrNoEditInProgress, "no edit in progress");
  buffer_[column] = value;
}

std::uint32_t SqliteRecordSource::Advise(IVlCursorEvents& sink) {
  sinks_.push_back(Sink{nextCookie_, &sink});
  return nextCookie_++;
}

void SqliteRecordSource::Unadvise(std::uint32_t cookie) {
  std::erase_if(sinks_, [&](const Sink& s) { return s.cookie == cookie; });
}

void SqliteRecordSource::Notify(bool before, std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) {
  // A box may unadvise (or another box advise) while it handles the notification: each sink is
  // looked up again before it is called.
  const std::vector<Sink> snapshot = sinks_;
  ++notifying_;
  struct Done {
    int& n;
    ~Done() { --n; }
  } done{notifying_};
  for (const Sink& s : snapshot) {
    auto live = std::find_if(sinks_.begin(), sinks_.end(), [&](const Sink& l) { return l.cookie == s.cookie; });
    if (live == sinks_.end()) continue;
    IVlCursorEvents* sink = live->sink;
    before ? sink->SyncBefore(eventBits, reasons) : sink->DidEvent(eventBits, reasons);
  }
}

Variant SqliteRecordSource::AsColumnType(std::size_t column, const Variant& v) const {
  Variant out = v;
  try {
    ConvertTypedValue(columns_[column].column.dataType, out, true, kConversionClock);
  } catch (const CVlValueException&) {
    return v;
  }
  return out;
}

void SqliteRecordSource::VerifyKept(std::int64_t rowid, const std::vector<std::size_t>& written,
                                    const std::vector<SqlValue>& values) {
  std::string sql = "select ";
  for (std::size_t i = 0; i < written.size(); ++i) {
    sql += (i ? ", " : "") + QuoteIdentifier(columns_[written[i]].utf8Name);
  }
  sql += " from " + QuoteIdentifier(table_) + " where rowid = ?";
  const SqlResult back = db_->Query(sql, {SqlValue::Integer(rowid)});
  if (back.rows.empty()) throw AutomationError(kErrNoCurrentRecord, "the row was not stored");
  for (std::size_t i = 0; i < written.size(); ++i) {
    const std::size_t c = written[i];
    const std::uint16_t type = columns_[c].column.dataType;
    const Variant meant = SqlToVariant(values[i], type);
    const Variant kept = SqlToVariant(back.rows[0][i], type);
    if (meant == kept || AsColumnType(c, meant) == AsColumnType(c, kept)) continue;
    throw AutomationError(kErrValueNotKept, "the column " + columns_[c].column.name + " (" +
                                                Cp932Name(columns_[c].declType) +
                                                ") would not keep the value exactly; nothing was stored");
  }
}

void SqliteRecordSource::CompleteUpdate() {
  if (mode_ == CursorEditMode::None) return;
  std::vector<std::size_t> written;
  std::vector<SqlValue> values;
  for (std::size_t c = 0; c < buffer_.size(); ++c) {
    if (!buffer_[c]) continue;
    written.push_back(c);
    values.push_back(VariantToSql(*buffer_[c]));
  }
  const std::string table = QuoteIdentifier(table_);
  if (mode_ == CursorEditMode::Edit) {
    if (!written.empty()) {
      if (!HasCurrentRow()) throw AutomationError(kErrNoCurrentRecord, "no current record");
      const std::int64_t key = keys_[static_cast<std::size_t>(position_ - 1)];
      std::string sql = "update " + table + " set ";
      for (std::size_t i = 0; i < written.size(); ++i) {
        sql += (i ? ", " : "") + QuoteIdentifier(columns_[written[i]].utf8Name) + " = ?";
      }
      sql += " where rowid = ?";
      std::vector<SqlValue> params = values;
      params.push_back(SqlValue::Integer(key));
      InSavepoint(*db_, [&] {
        if (db_->Exec(sql, params) == 0) throw AutomationError(kErrNoCurrentRecord, "the current row no longer exists");
        VerifyKept(key, written, values);
      });
    }
  } else {
    std::string sql = "insert into " + table;
    if (written.empty()) {
      sql += " default values";
    } else {
      sql += " (";
      std::string marks;
      for (std::size_t i = 0; i < written.size(); ++i) {
        sql += (i ? ", " : "") + QuoteIdentifier(columns_[written[i]].utf8Name);
        marks += i ? ", ?" : "?";
      }
      sql += ") values (" + marks + ")";
    }
    std::int64_t key = 0;
    InSavepoint(*db_, [&] {
      db_->Exec(sql, values);
      key = db_->LastInsertRowid();
      if (!written.empty()) VerifyKept(key, written, values);
    });
    keys_.push_back(key);
  }
  mode_ = CursorEditMode::None;
  std::fill(buffer_.begin(), buffer_.end(), std::nullopt);
}

void SqliteRecordSource::MoveWith(std::int64_t target) {
  Notify(true, kDbeCurrentRowDataChanged, {kDbReasonModified});
  CompleteUpdate();
  position_ = std::clamp<std::int64_t>(target, 0, Count() + 1);
  Notify(false, kDbeCurrentRowChanged, {kDbReasonMove});
}

void SqliteRecordSource::MoveFirst() {
  CheckIdle();
  if (Count() == 0) throw AutomationError(kErrNoCurrentRecord, "no current record");
  MoveWith(1);
}

void SqliteRecordSource::MoveLast() {
  CheckIdle();
  if (Count() == 0) throw AutomationError(kErrNoCurrentRecord, "no current record");
  MoveWith(Count());
}

void SqliteRecordSource::MoveNext() {
  CheckIdle();
  if (Eof()) throw AutomationError(kErrNoCurrentRecord, "no current record");
  MoveWith(position_ + 1);
}

void SqliteRecordSource::MovePrev() {
  CheckIdle();
  if (Bof()) throw AutomationError(kErrNoCurrentRecord, "no current record");
  MoveWith(position_ - 1);
}

void SqliteRecordSource::MoveTo(std::int64_t position) {
  CheckIdle();
  if (position < 0 || position > Count() + 1) throw AutomationError(kErrNoCurrentRecord, "no such row");
  MoveWith(position);
}

void SqliteRecordSource::Edit() {
  CheckIdle();
  BeginUpdate();
}

void SqliteRecordSource::AddNew() {
  CheckIdle();
  if (readOnly_) throw AutomationError(kErrReadOnly, "the record source is read-only");
  Notify(true, kDbeCurrentRowDataChanged, {kDbReasonModified});
  CompleteUpdate();
  mode_ = CursorEditMode::Add;
  Notify(false, kDbeSetOfRowsChanged, {kDbReasonAddNew});
}

void SqliteRecordSource::Update() {
  CheckIdle();
  if (mode_ == CursorEditMode::None) throw AutomationError(kErrNoEditInProgress, "update without edit or add");
  if (mode_ == CursorEditMode::Edit) {
    Notify(true, kDbeCurrentRowDataChanged, {kDbReasonModified});
    CompleteUpdate();
    Notify(false, kDbeCurrentRowDataChanged, {kDbReasonModified});
  } else {
    Notify(true, kDbeSetOfRowsChanged, {kDbReasonInserted});
    CompleteUpdate();
    position_ = Count();  // the added row
    Notify(false, kDbeSetOfRowsChanged, {kDbReasonInserted});
  }
}

void SqliteRecordSource::Cancel() {
  CheckIdle();
  if (mode_ == CursorEditMode::None) return;
  mode_ = CursorEditMode::None;
  std::fill(buffer_.begin(), buffer_.end(), std::nullopt);
  Notify(false, kDbeCurrentRowDataChanged, {kDbReasonCancelUpdate});
}

void SqliteRecordSource::Delete() {
  CheckIdle();
  if (readOnly_) throw AutomationError(kErrReadOnly, "the record source is read-only");
  if (mode_ == CursorEditMode::Add) {
    throw AutomationError(kErrNoEditInProgress, "a new row is being added: update or cancel it first");
  }
  if (!HasCurrentRow()) throw AutomationError(kErrNoCurrentRecord, "no current record");
  const auto at = static_cast<std::size_t>(position_ - 1);
  db_->Exec("delete from " + QuoteIdentifier(table_) + " where rowid = ?", {SqlValue::Integer(keys_[at])});
  // The edit of a row that is gone goes with it.
  mode_ = CursorEditMode::None;
  std::fill(buffer_.begin(), buffer_.end(), std::nullopt);
  keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(at));
  position_ = std::min(position_, Count());
  Notify(false, kDbeSetOfRowsChanged, {kDbReasonDeleted});
  Notify(false, kDbeCurrentRowChanged, {kDbReasonMove});
}

void SqliteRecordSource::SetByProgram(std::size_t column, const Variant& value) {
  CheckIdle();
  CheckWritable(column);
  Variant v = value;
  ConvertTypedValue(columns_[column].column.dataType, v, true, kConversionClock);
  if (mode_ == CursorEditMode::None && !HasCurrentRow()) throw AutomationError(kErrNoCurrentRecord, "no current record");
  // Every box reads the row again after the set: what the user typed into a box goes into the
  // row first, so that no pending change of another column is read over and lost.
  Notify(true, kDbeCurrentRowDataChanged, {kDbReasonModified});
  BeginUpdate();
  buffer_[column] = v;
  Notify(false, kDbeCurrentRowDataChanged, {kDbReasonSetColumn});
}

Variant SqliteRecordSource::Get(std::size_t column) {
  return AsColumnType(column, mode_ == CursorEditMode::None ? FetchCurrent(column) : GetColumn(column));
}

std::vector<Variant> SqliteRecordSource::Row() {
  std::vector<Variant> row;
  for (std::size_t c = 0; c < columns_.size(); ++c) row.push_back(AsColumnType(c, FetchCurrent(c)));
  return row;
}

}  // namespace vl
