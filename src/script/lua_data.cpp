// Databases and record sources in Lua: vl.Database, f:add_source, and the source's moves, edits
// and notifications. Boxes bind through b.DataSource and b.DataField.
#include <cmath>
#include <memory>

#include "host/form.h"
#include "host/record_source.h"
#include "host/sql_values.h"
#include "host/sqlite_database.h"
#include "script/lua_form_internal.h"
#include "text/encoding.h"
#include "value/value_exception.h"

namespace vl::script {

namespace {

constexpr const char* kDatabaseMeta = "vl.Database";
constexpr const char* kSourceMeta = "vl.Source";

struct DatabaseRef {
  std::shared_ptr<SqliteDatabase> db;
};

struct SourceRef {
  FormHost* host;
  std::string name;
  std::shared_ptr<SqliteRecordSource> source;
};

[[noreturn]] void BadArgument(const std::string& message) { throw HostError{kErrTypeMismatch, message}; }

std::string ArgUtf8(lua_State* L, int index, const char* what) {
  if (lua_type(L, index) != LUA_TSTRING) BadArgument(std::string(what) + " is expected");
  std::size_t n = 0;
  const char* s = lua_tolstring(L, index, &n);
  std::string text(s, n);
  if (!IsValidUtf8(text)) BadArgument(std::string(what) + " is not UTF-8 text");
  return text;
}

SqliteDatabase& CheckDatabase(lua_State* L, int index) {
  auto* ref = static_cast<DatabaseRef*>(luaL_testudata(L, index, kDatabaseMeta));
  if (ref == nullptr || !ref->db) BadArgument("a database (vl.Database) is expected");
  return *ref->db;
}

std::shared_ptr<SqliteDatabase> CheckDatabaseShared(lua_State* L, int index) {
  CheckDatabase(L, index);
  return static_cast<DatabaseRef*>(lua_touserdata(L, index))->db;
}

SourceRef& CheckSource(lua_State* L, int index) {
  auto* ref = static_cast<SourceRef*>(luaL_testudata(L, index, kSourceMeta));
  if (ref == nullptr || !ref->source || ref->host == nullptr || !ref->host->form) {
    BadArgument("a record source (f:add_source) is expected");
  }
  return *ref;
}

// A Lua value as an SQL parameter.
SqlValue ToSqlValue(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TNIL:
    case LUA_TNONE: return SqlValue::Null();
    case LUA_TBOOLEAN: return SqlValue::Integer(lua_toboolean(L, index) ? 1 : 0);
    case LUA_TNUMBER:
      if (lua_isinteger(L, index)) return SqlValue::Integer(lua_tointeger(L, index));
      return SqlValue::Real(lua_tonumber(L, index));
    case LUA_TSTRING: return SqlValue::Text(ArgUtf8(L, index, "a text parameter"));
    case LUA_TUSERDATA: {
      const Variant v = ToVariant(L, index);
      if (v.Type() == VarType::Dispatch) break;
      return VariantToSql(v);
    }
    default: break;
  }
  BadArgument("a parameter is nil, a boolean, a number, a string or a vl value");
}

std::vector<SqlValue> Params(lua_State* L, int from) {
  std::vector<SqlValue> params;
  for (int i = from; i <= lua_gettop(L); ++i) params.push_back(ToSqlValue(L, i));
  return params;
}

void PushSqlValue(lua_State* L, const SqlValue& v) {
  switch (v.kind) {
    case SqlValue::Kind::Null: lua_pushnil(L); break;
    case SqlValue::Kind::Integer: lua_pushinteger(L, v.integer); break;
    case SqlValue::Kind::Real: lua_pushnumber(L, v.real); break;
    case SqlValue::Kind::Text:
    case SqlValue::Kind::Blob: lua_pushlstring(L, v.bytes.data(), v.bytes.size()); break;
  }
}

// Runs an operation of a record source: value errors of the source become {code, message}, and
// an error a box's handler raised meanwhile is raised once the source is done.
template <typename Work>
int SourceCall(lua_State* L, Work&& work) {
  return Guarded(L, [&] {
    SourceRef& ref = CheckSource(L, 1);
    FormHost& host = *ref.host;
    int results = 0;
    try {
      results = work(ref);
    } catch (const CVlValueException& e) {
      std::string utf8;
      if (!TryCp932ToUtf8(e.MessageText(), utf8)) utf8 = "value error";
      throw HostError{static_cast<std::int32_t>(e.Code()), utf8};
    }
    ThrowPending(host);
    return results;
  });
}

std::size_t ColumnArg(lua_State* L, int index, const SqliteRecordSource& source) {
  const std::string name = ArgUtf8(L, index, "a column name");
  const auto column = source.FindColumn(name);
  if (!column) throw HostError{kErrItemNotFound, "no column named " + name};
  return *column;
}

// ---------------------------------------------------------------------------------------------
// vl.Database

int NewDatabase(lua_State* L) {
  return Guarded(L, [&] {
    const std::string path = ArgUtf8(L, 1, "vl.Database(path): a file name or \":memory:\"");
    auto db = std::make_shared<SqliteDatabase>(path);
    auto* ref = static_cast<DatabaseRef*>(lua_newuserdatauv(L, sizeof(DatabaseRef), 0));
    new (ref) DatabaseRef{std::move(db)};
    luaL_setmetatable(L, kDatabaseMeta);
    return 1;
  });
}

int DatabaseGc(lua_State* L) {
  if (auto* ref = static_cast<DatabaseRef*>(luaL_testudata(L, 1, kDatabaseMeta))) {
    ref->~DatabaseRef();
    new (ref) DatabaseRef{};  // a second collection finds nothing to free
  }
  return 0;
}

int DatabaseExec(lua_State* L) {
  return Guarded(L, [&] {
    SqliteDatabase& db = CheckDatabase(L, 1);
    const std::string sql = ArgUtf8(L, 2, "db:exec(sql, ...): an SQL text");
    lua_pushinteger(L, db.Exec(sql, Params(L, 3)));
    return 1;
  });
}

int DatabaseQuery(lua_State* L) {
  return Guarded(L, [&] {
    SqliteDatabase& db = CheckDatabase(L, 1);
    const std::string sql = ArgUtf8(L, 2, "db:query(sql, ...): an SQL text");
    const SqlResult result = db.Query(sql, Params(L, 3));
    lua_createtable(L, static_cast<int>(result.rows.size()), 0);
    lua_Integer i = 1;
    for (const auto& row : result.rows) {
      lua_createtable(L, 0, static_cast<int>(row.size()));
      for (std::size_t c = 0; c < row.size(); ++c) {
        PushSqlValue(L, row[c]);
        lua_setfield(L, -2, result.columns[c].name.c_str());
      }
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

// ---------------------------------------------------------------------------------------------
// f:add_source and the source

int FormAddSource(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& host = CheckForm(L, 1);
    const std::string name = ArgUtf8(L, 2, "f:add_source(name, db, table or select): a name");
    std::shared_ptr<SqliteDatabase> db = CheckDatabaseShared(L, 3);
    const std::string what = ArgUtf8(L, 4, "f:add_source(name, db, table or select): a table name or a select text");
    if (host.form->FindSource(name)) throw HostError{kErrInvalidProcedureCall, "a record source named " + name + " exists"};
    auto source = std::make_shared<SqliteRecordSource>(std::move(db), what);
    host.form->AddSource(name, source);
    auto* ref = static_cast<SourceRef*>(lua_newuserdatauv(L, sizeof(SourceRef), 1));
    new (ref) SourceRef{&host, name, std::move(source)};
    luaL_setmetatable(L, kSourceMeta);
    lua_pushvalue(L, 1);
    lua_setiuservalue(L, -2, 1);  // the form lives while its source is held
    return 1;
  });
}

int SourceGc(lua_State* L) {
  if (auto* ref = static_cast<SourceRef*>(luaL_testudata(L, 1, kSourceMeta))) {
    ref->~SourceRef();
    new (ref) SourceRef{nullptr, {}, nullptr};
  }
  return 0;
}

int SourceColumns(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    const auto& columns = ref.source->SourceColumns();
    lua_createtable(L, static_cast<int>(columns.size()), 0);
    lua_Integer i = 1;
    for (const SourceColumn& c : columns) {
      lua_createtable(L, 0, 4);
      lua_pushlstring(L, c.utf8Name.data(), c.utf8Name.size());
      lua_setfield(L, -2, "name");
      lua_pushinteger(L, c.column.dataType);
      lua_setfield(L, -2, "type");
      lua_pushinteger(L, c.column.maxLength);
      lua_setfield(L, -2, "length");
      lua_pushboolean(L, c.column.updatable);
      lua_setfield(L, -2, "updatable");
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int SourceRow(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    const std::vector<Variant> row = ref.source->Row();
    const auto& columns = ref.source->SourceColumns();
    lua_createtable(L, 0, static_cast<int>(row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) {
      PushTypedValue(L, row[c]);
      lua_setfield(L, -2, columns[c].utf8Name.c_str());
    }
    return 1;
  });
}

int SourceGet(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    PushTypedValue(L, ref.source->Get(ColumnArg(L, 2, *ref.source)));
    return 1;
  });
}

int SourceSet(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    const std::size_t column = ColumnArg(L, 2, *ref.source);
    if (lua_isnone(L, 3)) BadArgument("src:set(column, value): a value is expected");
    const Variant v = ToVariant(L, 3);
    if (v.Type() == VarType::Dispatch) BadArgument("src:set(column, value): a value is expected");
    ref.source->SetByProgram(column, v.Type() == VarType::Empty ? Variant::Null() : v);
    return 0;
  });
}

int SourceEditMode(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    lua_pushinteger(L, static_cast<lua_Integer>(ref.source->EditMode()));
    return 1;
  });
}

template <void (SqliteRecordSource::*Op)()>
int SourceOp(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    ((*ref.source).*Op)();
    return 0;
  });
}

int SourceMove(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    if (!lua_isinteger(L, 2)) BadArgument("src:move(n): a row number is expected");
    ref.source->MoveTo(lua_tointeger(L, 2));
    return 0;
  });
}

int SourceNotify(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    if (!lua_istable(L, 2)) BadArgument("src:notify{before =, bits =, reasons =}: a table is expected");
    lua_getfield(L, 2, "before");
    if (!lua_isnil(L, -1) && !lua_isboolean(L, -1)) BadArgument("src:notify: before is a boolean");
    const bool before = lua_toboolean(L, -1) != 0;
    lua_pop(L, 1);
    lua_getfield(L, 2, "bits");
    if (!lua_isinteger(L, -1) || lua_tointeger(L, -1) < 0 || lua_tointeger(L, -1) > 0xFFFFFFFF) {
      BadArgument("src:notify: bits is an unsigned 32-bit integer");
    }
    const auto bits = static_cast<std::uint32_t>(lua_tointeger(L, -1));
    lua_pop(L, 1);
    lua_getfield(L, 2, "reasons");
    if (!lua_istable(L, -1)) BadArgument("src:notify: reasons is a list of reason codes");
    std::vector<std::int32_t> reasons;
    const lua_Integer n = static_cast<lua_Integer>(lua_rawlen(L, -1));
    for (lua_Integer i = 1; i <= n; ++i) {
      lua_rawgeti(L, -1, i);
      if (!lua_isinteger(L, -1) || lua_tointeger(L, -1) < INT32_MIN || lua_tointeger(L, -1) > INT32_MAX) {
        BadArgument("src:notify: each reason is a 32-bit integer");
      }
      reasons.push_back(static_cast<std::int32_t>(lua_tointeger(L, -1)));
      lua_pop(L, 1);
    }
    lua_pop(L, 1);
    ref.source->Notify(before, bits, reasons);
    return 0;
  });
}

int SourceIndex(lua_State* L) {
  return SourceCall(L, [&](SourceRef& ref) {
    const char* key = lua_type(L, 2) == LUA_TSTRING ? lua_tostring(L, 2) : "";
    const SqliteRecordSource& s = *ref.source;
    const std::string k = key;
    if (k == "position") {
      lua_pushinteger(L, s.Position());
    } else if (k == "count") {
      lua_pushinteger(L, s.Count());
    } else if (k == "bof") {
      lua_pushboolean(L, s.Bof());
    } else if (k == "eof") {
      lua_pushboolean(L, s.Eof());
    } else if (k == "name") {
      lua_pushlstring(L, ref.name.data(), ref.name.size());
    } else {
      luaL_getmetatable(L, kSourceMeta);
      lua_getfield(L, -1, "methods");
      lua_pushvalue(L, 2);
      lua_rawget(L, -2);
    }
    return 1;
  });
}

int SourceNewIndex(lua_State* L) {
  return Guarded(L, [&]() -> int {
    CheckSource(L, 1);
    throw HostError{kErrInvalidProcedureCall, "a record source's fields are read-only; move with its methods"};
  });
}

}  // namespace

std::shared_ptr<IVlCursor> TestSource(lua_State* L, int index, FormHost*& host) {
  auto* ref = static_cast<SourceRef*>(luaL_testudata(L, index, kSourceMeta));
  if (ref == nullptr || !ref->source) return nullptr;
  host = ref->host;
  return ref->source;
}

void RegisterDataMethods(lua_State* L) {
  lua_pushcfunction(L, FormAddSource);
  lua_setfield(L, -2, "add_source");
}

void OpenData(lua_State* L) {
  luaL_newmetatable(L, kDatabaseMeta);
  const luaL_Reg dbMethods[] = {{"exec", DatabaseExec}, {"query", DatabaseQuery}, {nullptr, nullptr}};
  luaL_newlib(L, dbMethods);
  lua_setfield(L, -2, "__index");
  lua_pushcfunction(L, DatabaseGc);
  lua_setfield(L, -2, "__gc");
  lua_pop(L, 1);

  luaL_newmetatable(L, kSourceMeta);
  const luaL_Reg sourceMethods[] = {
      {"columns", SourceColumns},
      {"row", SourceRow},
      {"get", SourceGet},
      {"set", SourceSet},
      {"edit_mode", SourceEditMode},
      {"move_first", SourceOp<&SqliteRecordSource::MoveFirst>},
      {"move_last", SourceOp<&SqliteRecordSource::MoveLast>},
      {"move_next", SourceOp<&SqliteRecordSource::MoveNext>},
      {"move_prev", SourceOp<&SqliteRecordSource::MovePrev>},
      {"move", SourceMove},
      {"edit", SourceOp<&SqliteRecordSource::Edit>},
      {"add_new", SourceOp<&SqliteRecordSource::AddNew>},
      {"update", SourceOp<&SqliteRecordSource::Update>},
      {"cancel", SourceOp<&SqliteRecordSource::Cancel>},
      {"delete", SourceOp<&SqliteRecordSource::Delete>},
      {"notify", SourceNotify},
      {nullptr, nullptr},
  };
  luaL_newlib(L, sourceMethods);
  lua_setfield(L, -2, "methods");
  const luaL_Reg sourceMeta[] = {{"__index", SourceIndex}, {"__newindex", SourceNewIndex}, {"__gc", SourceGc}, {nullptr, nullptr}};
  luaL_setfuncs(L, sourceMeta, 0);
  lua_pop(L, 1);

  lua_pushcfunction(L, NewDatabase);
  lua_setfield(L, -2, "Database");
}

}  // namespace vl::script
