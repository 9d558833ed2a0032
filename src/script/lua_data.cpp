// Databases and record sources in Lua: vl.Database, f:add_source, and the source's moves, edits
// and notifications. Boxes bind through b.DataSource and b.DataField.
#include <memory>
#include <optional>

#include "script/lua_form_internal.h"
#include "vltext/data.h"

namespace vl::script {

namespace {

constexpr const char* kDatabaseMeta = "vl.Database";
constexpr const char* kSourceMeta = "vl.Source";

struct DatabaseRef {
  std::optional<vl::Database> db;
};

struct SourceRef {
  std::optional<vl::RecordSource> source;
};

[[noreturn]] void BadArgument(const std::string& message) { throw HostError{kErrTypeMismatch, message}; }

std::string ArgUtf8(lua_State* L, int index, const char* what) { return CheckUtf8(L, index, what); }

vl::Database& CheckDatabase(lua_State* L, int index) {
  auto* ref = static_cast<DatabaseRef*>(luaL_testudata(L, index, kDatabaseMeta));
  if (ref == nullptr || !ref->db) BadArgument("a database (vl.Database) is expected");
  return *ref->db;
}

vl::RecordSource& CheckSource(lua_State* L, int index) {
  auto* ref = static_cast<SourceRef*>(luaL_testudata(L, index, kSourceMeta));
  if (ref == nullptr || !ref->source) BadArgument("a record source (f:add_source) is expected");
  return *ref->source;
}

// A Lua value as an SQL parameter.
vl::DbValue ToDbValue(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TNIL:
    case LUA_TNONE:
      return vl::DbValue::Null();
    case LUA_TBOOLEAN:
      return vl::DbValue::Integer(lua_toboolean(L, index) ? 1 : 0);
    case LUA_TNUMBER:
      if (lua_isinteger(L, index)) return vl::DbValue::Integer(lua_tointeger(L, index));
      return vl::DbValue::Real(lua_tonumber(L, index));
    case LUA_TSTRING:
      return vl::DbValue::Text(ArgUtf8(L, index, "a text parameter"));
    case LUA_TUSERDATA:
      if (IsValue(L, index)) return vl::DbValue::From(ToValue(L, index));
      break;
    default:
      break;
  }
  BadArgument("a parameter is nil, a boolean, a number, a string or a vl value");
}

std::vector<vl::DbValue> Params(lua_State* L, int from) {
  std::vector<vl::DbValue> params;
  for (int i = from; i <= lua_gettop(L); ++i) params.push_back(ToDbValue(L, i));
  return params;
}

void PushDbValue(lua_State* L, const vl::DbValue& v) {
  switch (v.kind) {
    case vl::DbValue::Kind::Null:
      lua_pushnil(L);
      break;
    case vl::DbValue::Kind::Integer:
      lua_pushinteger(L, v.integer);
      break;
    case vl::DbValue::Kind::Real:
      lua_pushnumber(L, v.real);
      break;
    case vl::DbValue::Kind::Text:
    case vl::DbValue::Kind::Blob:
      lua_pushlstring(L, v.bytes.data(), v.bytes.size());
      break;
  }
}

// Runs an operation of a record source; its errors, and an error a box's handler raised
// meanwhile, are raised once the source is done.
template <typename Work>
int SourceCall(lua_State* L, Work&& work) {
  return Guarded(L, [&] { return work(CheckSource(L, 1)); });
}

// ---------------------------------------------------------------------------------------------
// vl.Database

int NewDatabase(lua_State* L) {
  return Guarded(L, [&] {
    const std::string path = ArgUtf8(L, 1, "vl.Database(path): a file name or \":memory:\"");
    vl::Database db(path);
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
    vl::Database& db = CheckDatabase(L, 1);
    const std::string sql = ArgUtf8(L, 2, "db:exec(sql, ...): an SQL text");
    lua_pushinteger(L, db.Exec(sql, Params(L, 3)));
    return 1;
  });
}

int DatabaseQuery(lua_State* L) {
  return Guarded(L, [&] {
    vl::Database& db = CheckDatabase(L, 1);
    const std::string sql = ArgUtf8(L, 2, "db:query(sql, ...): an SQL text");
    const vl::QueryResult result = db.Query(sql, Params(L, 3));
    lua_createtable(L, static_cast<int>(result.rows.size()), 0);
    lua_Integer i = 1;
    for (const auto& row : result.rows) {
      lua_createtable(L, 0, static_cast<int>(row.size()));
      for (std::size_t c = 0; c < row.size(); ++c) {
        PushDbValue(L, row[c]);
        lua_setfield(L, -2, result.columns[c].c_str());
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
    vl::Database& db = CheckDatabase(L, 3);
    const std::string what = ArgUtf8(L, 4, "f:add_source(name, db, table or select): a table name or a select text");
    vl::RecordSource source = host.form->AddSource(name, db, what);
    auto* ref = static_cast<SourceRef*>(lua_newuserdatauv(L, sizeof(SourceRef), 1));
    new (ref) SourceRef{std::move(source)};
    luaL_setmetatable(L, kSourceMeta);
    lua_pushvalue(L, 1);
    lua_setiuservalue(L, -2, 1);  // the form lives while its source is held
    return 1;
  });
}

int SourceGc(lua_State* L) {
  if (auto* ref = static_cast<SourceRef*>(luaL_testudata(L, 1, kSourceMeta))) {
    ref->~SourceRef();
    new (ref) SourceRef{};
  }
  return 0;
}

int SourceColumns(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    const std::vector<vl::SourceColumnInfo> columns = source.Columns();
    lua_createtable(L, static_cast<int>(columns.size()), 0);
    lua_Integer i = 1;
    for (const vl::SourceColumnInfo& c : columns) {
      lua_createtable(L, 0, 4);
      lua_pushlstring(L, c.name.data(), c.name.size());
      lua_setfield(L, -2, "name");
      lua_pushinteger(L, static_cast<lua_Integer>(c.type));
      lua_setfield(L, -2, "type");
      lua_pushinteger(L, c.length);
      lua_setfield(L, -2, "length");
      lua_pushboolean(L, c.updatable);
      lua_setfield(L, -2, "updatable");
      lua_rawseti(L, -2, i++);
    }
    return 1;
  });
}

int SourceRow(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    const auto row = source.Row();
    lua_createtable(L, 0, static_cast<int>(row.size()));
    for (const auto& [name, value] : row) {
      PushTypedValue(L, value);
      lua_setfield(L, -2, name.c_str());
    }
    return 1;
  });
}

int SourceGet(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    PushTypedValue(L, source.Get(ArgUtf8(L, 2, "a column name")));
    return 1;
  });
}

int SourceSet(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    const std::string column = ArgUtf8(L, 2, "a column name");
    if (lua_isnone(L, 3) || !IsValue(L, 3)) BadArgument("src:set(column, value): a value is expected");
    source.Set(column, ToValue(L, 3));
    return 0;
  });
}

int SourceEditMode(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    lua_pushinteger(L, static_cast<lua_Integer>(source.GetEditMode()));
    return 1;
  });
}

template <void (vl::RecordSource::*Op)()>
int SourceOp(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    (source.*Op)();
    return 0;
  });
}

int SourceMove(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
    if (!lua_isinteger(L, 2)) BadArgument("src:move(n): a row number is expected");
    source.MoveTo(lua_tointeger(L, 2));
    return 0;
  });
}

int SourceNotify(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& source) {
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
    source.Notify(before, bits, reasons);
    return 0;
  });
}

int SourceIndex(lua_State* L) {
  return SourceCall(L, [&](vl::RecordSource& s) {
    const char* key = lua_type(L, 2) == LUA_TSTRING ? lua_tostring(L, 2) : "";
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
      lua_pushlstring(L, s.Name().data(), s.Name().size());
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

const vl::RecordSource* TestSource(lua_State* L, int index) {
  auto* ref = static_cast<SourceRef*>(luaL_testudata(L, index, kSourceMeta));
  if (ref == nullptr || !ref->source) return nullptr;
  return &*ref->source;
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
      {"move_first", SourceOp<&vl::RecordSource::MoveFirst>},
      {"move_last", SourceOp<&vl::RecordSource::MoveLast>},
      {"move_next", SourceOp<&vl::RecordSource::MoveNext>},
      {"move_prev", SourceOp<&vl::RecordSource::MovePrev>},
      {"move", SourceMove},
      {"edit", SourceOp<&vl::RecordSource::Edit>},
      {"add_new", SourceOp<&vl::RecordSource::AddNew>},
      {"update", SourceOp<&vl::RecordSource::Update>},
      {"cancel", SourceOp<&vl::RecordSource::Cancel>},
      {"delete", SourceOp<&vl::RecordSource::Delete>},
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
