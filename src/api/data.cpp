// vl::Database and vl::RecordSource over the host's SQLite record source, and value conversion.
#include "host/record_source.h"
#include "host/sql_values.h"
#include "host/sqlite_database.h"
#include "runtime/coerce.h"
#include "value/value_exception.h"
// Last: the component's own headers come before the public ones (api/bridge.h).
#include "api/bridge.h"

namespace vl::v1 {

using detail::FormState;
using detail::FromHost;
using detail::HostForm;
using detail::Throw;
using detail::ToHost;
using detail::ToUtf8;

struct Database::Impl {
  std::shared_ptr<SqliteDatabase> db;
};

struct RecordSource::Impl {
  std::shared_ptr<FormState> form;
  std::string name;
  std::shared_ptr<SqliteRecordSource> source;
};

namespace {

using HostSql = ::vl::SqlValue;

HostSql ToSql(const DbValue& v) {
  switch (v.kind) {
    case DbValue::Kind::Null:
      return HostSql::Null();
    case DbValue::Kind::Integer:
      return HostSql::Integer(v.integer);
    case DbValue::Kind::Real:
      return HostSql::Real(v.real);
    case DbValue::Kind::Text:
      return HostSql::Text(v.bytes);
    case DbValue::Kind::Blob:
      return HostSql::Blob(v.bytes);
  }
  return HostSql::Null();
}

DbValue FromSql(const HostSql& v) {
  switch (v.kind) {
    case HostSql::Kind::Null:
      return DbValue::Null();
    case HostSql::Kind::Integer:
      return DbValue::Integer(v.integer);
    case HostSql::Kind::Real:
      return DbValue::Real(v.real);
    case HostSql::Kind::Text:
      return DbValue::Text(v.bytes);
    case HostSql::Kind::Blob:
      return DbValue::Blob(v.bytes);
  }
  return DbValue::Null();
}

std::vector<HostSql> ToSql(const std::vector<DbValue>& params) {
  std::vector<HostSql> out;
  out.reserve(params.size());
  for (const DbValue& p : params) out.push_back(ToSql(p));
  return out;
}

// Data access outside any form: automation errors become vl::Error.
template <typename Work>
decltype(auto) Translated(Work&& work) {
  try {
    return work();
  } catch (const AutomationError& e) {
    throw detail::ToError(e);
  }
}

SqliteDatabase& CheckDatabase(const std::shared_ptr<Database::Impl>& impl) {
  if (!impl || !impl->db) Throw(5, "the database is closed");
  return *impl->db;
}

// Runs an operation of a record source on its form: a value a column cannot take becomes the
// box's value error, and a handler's failure meanwhile is raised when the operation returns.
template <typename Work>
decltype(auto) WithSource(const std::shared_ptr<RecordSource::Impl>& impl, Work&& work) {
  if (!impl || !impl->form) Throw(5, "the form is closed");
  return impl->form->Run([&](HostForm&) {
    try {
      return work(*impl->source);
    } catch (const CVlValueException& e) {
      const std::string message = ToUtf8(e.MessageText());
      throw Error(static_cast<std::int32_t>(e.Code()), message.empty() ? "value error" : message);
    }
  });
}

std::size_t Column(const SqliteRecordSource& source, std::string_view name) {
  const auto column = source.FindColumn(name);
  if (!column) throw Error(kErrItemNotFound, "no column named " + std::string(name));
  return *column;
}

}  // namespace

DbValue DbValue::From(const TypedValue& value) { return FromSql(VariantToSql(ToHost(value))); }

Database::Database(const std::string& path)
    : impl_(std::make_shared<Impl>(Impl{Translated([&] { return std::make_shared<SqliteDatabase>(path); })})) {}

std::int64_t Database::Exec(std::string_view sql, const std::vector<DbValue>& params) {
  SqliteDatabase& db = CheckDatabase(impl_);
  return Translated([&] { return db.Exec(sql, ToSql(params)); });
}

QueryResult Database::Query(std::string_view sql, const std::vector<DbValue>& params) {
  SqliteDatabase& db = CheckDatabase(impl_);
  return Translated([&] {
    const SqlResult result = db.Query(sql, ToSql(params));
    QueryResult out;
    for (const SqlColumn& c : result.columns) out.columns.push_back(c.name);
    for (const auto& row : result.rows) {
      std::vector<DbValue>& values = out.rows.emplace_back();
      for (const HostSql& v : row) values.push_back(FromSql(v));
    }
    return out;
  });
}

RecordSource::RecordSource(std::shared_ptr<Impl> impl) : impl_(std::move(impl)), name_(impl_->name) {}

std::vector<SourceColumnInfo> RecordSource::Columns() const {
  return WithSource(impl_, [](SqliteRecordSource& s) {
    std::vector<SourceColumnInfo> out;
    for (const SourceColumn& c : s.SourceColumns()) {
      out.push_back(SourceColumnInfo{c.utf8Name, static_cast<DataType>(c.column.dataType), c.column.maxLength,
                                     c.column.updatable});
    }
    return out;
  });
}

std::int64_t RecordSource::Position() const {
  return WithSource(impl_, [](SqliteRecordSource& s) { return s.Position(); });
}
std::int64_t RecordSource::Count() const {
  return WithSource(impl_, [](SqliteRecordSource& s) { return s.Count(); });
}
bool RecordSource::Bof() const {
  return WithSource(impl_, [](SqliteRecordSource& s) { return s.Bof(); });
}
bool RecordSource::Eof() const {
  return WithSource(impl_, [](SqliteRecordSource& s) { return s.Eof(); });
}
void RecordSource::MoveFirst() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.MoveFirst(); });
}
void RecordSource::MoveLast() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.MoveLast(); });
}
void RecordSource::MoveNext() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.MoveNext(); });
}
void RecordSource::MovePrev() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.MovePrev(); });
}
void RecordSource::MoveTo(std::int64_t position) {
  WithSource(impl_, [&](SqliteRecordSource& s) { s.MoveTo(position); });
}
void RecordSource::Edit() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.Edit(); });
}
void RecordSource::AddNew() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.AddNew(); });
}
void RecordSource::Update() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.Update(); });
}
void RecordSource::Cancel() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.Cancel(); });
}
void RecordSource::Delete() {
  WithSource(impl_, [](SqliteRecordSource& s) { s.Delete(); });
}

vl::EditMode RecordSource::GetEditMode() const {
  return WithSource(impl_, [](SqliteRecordSource& s) { return static_cast<vl::EditMode>(s.EditMode()); });
}

std::vector<std::pair<std::string, TypedValue>> RecordSource::Row() const {
  return WithSource(impl_, [](SqliteRecordSource& s) {
    const std::vector<detail::HostVariant> row = s.Row();
    std::vector<std::pair<std::string, TypedValue>> out;
    for (std::size_t c = 0; c < row.size(); ++c) out.emplace_back(s.SourceColumns()[c].utf8Name, FromHost(row[c]));
    return out;
  });
}

TypedValue RecordSource::Get(std::string_view column) const {
  return WithSource(impl_, [&](SqliteRecordSource& s) { return FromHost(s.Get(Column(s, column))); });
}

void RecordSource::Set(std::string_view column, const TypedValue& value) {
  WithSource(impl_, [&](SqliteRecordSource& s) {
    const std::size_t c = Column(s, column);
    s.SetByProgram(c, value.IsEmpty() ? detail::HostVariant::Null() : ToHost(value));
  });
}

void RecordSource::Notify(bool before, std::uint32_t eventBits, const std::vector<std::int32_t>& reasons) {
  WithSource(impl_, [&](SqliteRecordSource& s) { s.Notify(before, eventBits, reasons); });
}

RecordSource Form::AddSource(std::string_view name, const Database& db, std::string_view tableOrSelect) {
  if (!state_) Throw(5, "the form is closed");
  SqliteDatabase& database = CheckDatabase(db.Internal());
  (void)database;
  auto impl = std::make_shared<RecordSource::Impl>();
  impl->form = state_;
  impl->name = std::string(name);
  state_->Run([&](HostForm& f) {
    if (f.FindSource(impl->name)) Throw(5, "a record source named " + impl->name + " exists");
    impl->source = std::make_shared<SqliteRecordSource>(db.Internal()->db, std::string(tableOrSelect));
    f.AddSource(impl->name, impl->source);
  });
  return RecordSource(std::move(impl));
}

void Box::SetDataSource(const RecordSource* source) {
  if (!form_) Throw(5, "the form is closed");
  if (source != nullptr && source->Internal()->form != form_) Throw(5, "the record source belongs to another form");
  FormState& state = *form_;
  state.Run([&](HostForm& f) {
    CVlTypedBoxCtrl& control = state.Control(name_);
    control.SetProperty(kDispDataSource,
                        source != nullptr ? detail::HostVariant::Object(nullptr) : detail::HostVariant::Empty());
    f.SetDataSource(control, source != nullptr ? source->Internal()->source : nullptr);
  });
}

TypedValue ConvertValue(const TypedValue& value, DataType type) {
  detail::HostVariant out;
  switch (ChangeType(ToHost(value), static_cast<VarType>(type), out)) {
    case CoerceStatus::Ok:
      return FromHost(out);
    case CoerceStatus::Overflow:
      Throw(6, "");
    default:
      Throw(13, "");
  }
}

}  // namespace vl::v1
