// The SQLite record source: declared types, stored values and their way back, moves and edits,
// the notifications each operation sends, and the writes it refuses.
#include "host/record_source.h"

#include <gtest/gtest.h>

#include "host/sql_values.h"
#include "runtime/automation_error.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"
#include "value/typed_value.h"
#include "value/value_exception.h"

namespace vl {
namespace {

TEST(SqlValues, DeclaredTypesMapByName) {
  struct Row { const char* decl; std::uint16_t type; std::int32_t length; };
  for (const Row& r : {Row{"smallint", 2, 0}, Row{"INT", 3, 0}, Row{"integer", 3, 0}, Row{"single", 4, 0},
                       Row{"real", 5, 0}, Row{"Double", 5, 0}, Row{"float", 5, 0}, Row{"currency", 6, 0},
                       Row{"money", 6, 0}, Row{"date", 7, 0}, Row{"datetime", 7, 0}, Row{"time", 7, 0},
                       Row{"varchar(20)", 8, 20}, Row{" CHAR ( 4 ) ", 8, 4}, Row{"text", 8, 0}, Row{"boolean", 11, 0},
                       Row{"bit", 11, 0}, Row{"tinyint", 17, 0}, Row{"", 8, 0}, Row{"blob", 8, 0},
                       Row{"varchar(x)", 8, 0}, Row{"varchar(99999999999)", 8, 2147483647}, Row{"bigint", 8, 0},
                       Row{"text(5)", 8, 0}}) {
    const DeclaredType t = MapDeclaredType(r.decl);
    EXPECT_EQ(t.dataType, r.type) << r.decl;
    EXPECT_EQ(t.length, r.length) << r.decl;
  }
}

TEST(SqlValues, IsoDatesReadAndWrite) {
  struct Row { const char* text; std::optional<double> serial; };
  for (const Row& r : {Row{"2026-12-06", FieldsToSerial(2026, 12, 6)},
                       Row{"2026-12-06 09:30:00", FieldsToSerial(2026, 12, 6, 9, 30, 0)},
                       Row{"2026-12-06T09:30", FieldsToSerial(2026, 12, 6, 9, 30, 0)},
                       Row{"0100-01-01", FieldsToSerial(100, 1, 1)}, Row{"12:00:00", 0.5},
                       Row{"2026-02-29", std::nullopt}, Row{"2026-1-2", std::nullopt}, Row{"2026-12-06 24:00", std::nullopt},
                       Row{"2026/12/06", std::nullopt}, Row{"", std::nullopt}, Row{"2026-12-06 09:30:00x", std::nullopt}}) {
    EXPECT_EQ(IsoToDateSerial(r.text), r.serial) << r.text;
  }
  EXPECT_EQ(DateSerialToIso(*FieldsToSerial(2026, 12, 6)), "2026-12-06");
  EXPECT_EQ(DateSerialToIso(*FieldsToSerial(2026, 12, 6, 23, 59, 59)), "2026-12-06 23:59:59");
  EXPECT_EQ(DateSerialToIso(*FieldsToSerial(2026, 12, 6) + 0.1 / 86400), std::nullopt);  // not a whole second
}

TEST(SqlValues, DatesAndCurrencySurviveTheTripExactly) {
  const std::vector<Variant> values = {
      Variant::Date(*FieldsToSerial(2026, 12, 6)), Variant::Date(*FieldsToSerial(9999, 12, 31, 23, 59, 59)),
      Variant::Date(*FieldsToSerial(100, 1, 1)), Variant::Date(46023.123456789),  // not a whole second
      Variant::Date(-1.25), Variant::Cy(Currency{1205000}), Variant::Cy(Currency{-1}),
      Variant::Cy(Currency{999999999999999}),  // 15 significant digits
  };
  SqliteDatabase db(":memory:");
  db.Exec("create table t(d date, c currency)");
  for (const Variant& v : values) {
    const bool date = v.Type() == VarType::Date;
    db.Exec("delete from t");
    db.Exec(date ? "insert into t(d) values (?)" : "insert into t(c) values (?)", {VariantToSql(v)});
    const SqlValue stored = db.Query(date ? "select d from t" : "select c from t").rows.at(0).at(0);
    EXPECT_EQ(SqlToVariant(stored, date ? VlTextDate : VlTextCurrency), v) << TypedValueToText(v);
  }
}

TEST(SqlValues, StoredValuesReadAsTheColumnsType) {
  struct Row { SqlValue stored; std::uint16_t column; Variant expected; };
  for (const Row& r : {
           Row{SqlValue::Null(), VlTextLong, Variant::Null()},
           Row{SqlValue::Integer(7), VlTextCurrency, Variant::Cy(Currency{70000})},
           Row{SqlValue::Integer(1), VlTextBoolean, Variant::Bool(true)},
           Row{SqlValue::Integer(0), VlTextBoolean, Variant::Bool(false)},
           Row{SqlValue::Integer(5000000000), VlTextLong, Variant::I8(5000000000)},
           Row{SqlValue::Real(0.1), VlTextCurrency, Variant::Cy(Currency{1000})},
           Row{SqlValue::Text("12.3456"), VlTextCurrency, Variant::Cy(Currency{123456})},
           Row{SqlValue::Text("abc"), VlTextLong, Variant::Bstr("abc")},  // the box's conversion reports it
           Row{SqlValue::Text("2026/12/06"), VlTextDate, Variant::Bstr("2026/12/06")},
           Row{SqlValue::Real(46023.5), VlTextDate, Variant::Date(46023.5)},
       }) {
    EXPECT_EQ(SqlToVariant(r.stored, r.column), r.expected) << r.stored.integer << " " << r.stored.bytes;
  }
  try {
    SqlToVariant(SqlValue::Text("\xF0\x9F\x98\x80"), VlTextString);  // an emoji: no CP932 form
    ADD_FAILURE() << "text without a CP932 form was read";
  } catch (const CVlValueException& e) {
    EXPECT_EQ(e.Code(), 1102u);
  }
}

// What a box hears, in order.
struct Recorder : IVlCursorEvents {
  std::vector<std::string> heard;
  void SyncBefore(std::uint32_t bits, const std::vector<std::int32_t>& reasons) override { Add("before", bits, reasons); }
  void DidEvent(std::uint32_t bits, const std::vector<std::int32_t>& reasons) override { Add("after", bits, reasons); }
  void Add(const char* what, std::uint32_t bits, const std::vector<std::int32_t>& reasons) {
    std::string s = std::string(what) + " " + std::to_string(bits) + ":";
    for (auto r : reasons) s += " " + std::to_string(r);
    heard.push_back(s);
  }
  std::string Take() {
    std::string all;
    for (const auto& h : heard) all += (all.empty() ? "" : ", ") + h;
    heard.clear();
    return all;
  }
};

class Source : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = std::make_shared<SqliteDatabase>(":memory:");
    db_->Exec("create table item(id integer primary key, name varchar(20), qty smallint default 1, note text)");
    for (const char* n : {"a", "b", "c"}) db_->Exec("insert into item(name, qty) values (?, 2)", {SqlValue::Text(n)});
    source_ = std::make_unique<SqliteRecordSource>(db_, "item");
    source_->Advise(recorder_);
  }
  std::string Names() {
    std::string out;
    for (const auto& row : db_->Query("select name from item order by rowid").rows) out += row[0].bytes;
    return out;
  }
  std::string Current() { return source_->FetchCurrent(1).AsBstr(); }

  std::shared_ptr<SqliteDatabase> db_;
  std::unique_ptr<SqliteRecordSource> source_;
  Recorder recorder_;
};

TEST_F(Source, ColumnsKeepTheirOrderTypesAndTheRowidStaysReadOnly) {
  const auto columns = source_->Columns();
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].name, "id");
  EXPECT_FALSE(columns[0].updatable);  // the rowid itself
  EXPECT_EQ(columns[1].dataType, VlTextString);
  EXPECT_EQ(columns[1].maxLength, 20);
  EXPECT_TRUE(columns[1].updatable);
  EXPECT_EQ(columns[2].dataType, VlTextInteger);
}

TEST_F(Source, EachOperationSendsItsNotifications) {
  struct Row { const char* what; std::function<void(SqliteRecordSource&)> op; const char* heard; };
  const std::vector<Row> rows = {
      {"move", [](SqliteRecordSource& s) { s.MoveNext(); }, "before 2: 3, after 1: 6"},
      {"move to", [](SqliteRecordSource& s) { s.MoveTo(1); }, "before 2: 3, after 1: 6"},
      {"edit", [](SqliteRecordSource& s) { s.Edit(); }, ""},
      {"set", [](SqliteRecordSource& s) { s.SetByProgram(1, Variant::Bstr("x")); }, "before 2: 3, after 2: 29"},
      {"update edit", [](SqliteRecordSource& s) { s.Update(); }, "before 2: 3, after 2: 3"},
      {"add new", [](SqliteRecordSource& s) { s.AddNew(); }, "before 2: 3, after 32: 20"},
      {"update add", [](SqliteRecordSource& s) { s.Update(); }, "before 32: 2, after 32: 2"},
      {"edit again", [](SqliteRecordSource& s) { s.Edit(); }, ""},
      {"cancel", [](SqliteRecordSource& s) { s.Cancel(); }, "after 2: 31"},
      {"cancel idle", [](SqliteRecordSource& s) { s.Cancel(); }, ""},
      {"delete", [](SqliteRecordSource& s) { s.Delete(); }, "after 32: 1, after 1: 6"},
  };
  for (const Row& r : rows) {
    r.op(*source_);
    EXPECT_EQ(recorder_.Take(), r.heard) << r.what;
  }
}

TEST_F(Source, MovesStopAtTheEndsAndRefuseBeyondThem) {
  EXPECT_EQ(source_->Position(), 1);
  EXPECT_FALSE(source_->Bof());
  source_->MovePrev();
  EXPECT_TRUE(source_->Bof());
  EXPECT_EQ(source_->FetchCurrent(1), Variant::Null());  // no current row
  EXPECT_THROW(source_->MovePrev(), AutomationError);
  source_->MoveLast();
  EXPECT_EQ(Current(), "c");
  source_->MoveNext();
  EXPECT_TRUE(source_->Eof());
  EXPECT_EQ(source_->Position(), 4);
  recorder_.Take();
  EXPECT_THROW(source_->MoveNext(), AutomationError);
  EXPECT_THROW(source_->MoveTo(5), AutomationError);
  EXPECT_THROW(source_->Edit(), AutomationError);
  EXPECT_EQ(recorder_.Take(), "");  // a refused move notifies nobody
  source_->MoveTo(2);
  EXPECT_EQ(Current(), "b");
}

TEST_F(Source, EditsAreStoredOnUpdateAndOnAMoveAndCancelledOnCancel) {
  source_->SetByProgram(1, Variant::Bstr("A"));
  EXPECT_EQ(source_->EditMode(), CursorEditMode::Edit);
  EXPECT_EQ(Names(), "abc");  // not yet stored
  source_->MoveNext();        // a move stores the pending edit
  EXPECT_EQ(Names(), "Abc");
  source_->SetByProgram(1, Variant::Bstr("B"));
  source_->Cancel();
  EXPECT_EQ(Names(), "Abc");
  EXPECT_EQ(Current(), "b");
  source_->SetByProgram(1, Variant::Bstr("B"));
  source_->Update();
  EXPECT_EQ(Names(), "ABc");
  EXPECT_EQ(source_->EditMode(), CursorEditMode::None);
  EXPECT_THROW(source_->Update(), AutomationError);  // nothing to update
}

TEST_F(Source, AnAddedRowTakesTheTablesDefaultsAndBecomesCurrent) {
  source_->AddNew();
  EXPECT_EQ(source_->EditMode(), CursorEditMode::Add);
  EXPECT_EQ(source_->GetColumn(2), Variant::Null());
  source_->SetByProgram(1, Variant::Bstr("d"));
  source_->Update();
  EXPECT_EQ(Names(), "abcd");
  EXPECT_EQ(source_->Position(), 4);
  EXPECT_EQ(source_->Count(), 4);
  EXPECT_EQ(Current(), "d");
  EXPECT_EQ(source_->FetchCurrent(2), Variant::I4(1));  // the column's default
  EXPECT_EQ(source_->FetchCurrent(0), Variant::I4(4));  // a rowid was given
  source_->AddNew();
  EXPECT_THROW(source_->Delete(), AutomationError);  // the added row would be lost
  source_->MoveFirst();                              // a move stores it
  EXPECT_EQ(source_->Count(), 5);
}

TEST_F(Source, DeletingKeepsThePositionOnTheNextRow) {
  source_->MoveTo(2);
  source_->Delete();
  EXPECT_EQ(Names(), "ac");
  EXPECT_EQ(Current(), "c");
  source_->Delete();
  EXPECT_EQ(Current(), "a");  // the last row went: the new last row is current
  source_->Delete();
  EXPECT_EQ(source_->Count(), 0);
  EXPECT_TRUE(source_->Bof() && source_->Eof());
  EXPECT_THROW(source_->Delete(), AutomationError);
}

TEST_F(Source, AValueTheColumnWouldChangeIsRefusedAndNothingIsStored) {
  db_->Exec("create table odd(code string, amount currency)");  // "string" has numeric affinity
  db_->Exec("insert into odd values ('x', 1)");
  SqliteRecordSource odd(db_, "odd");
  odd.SetByProgram(0, Variant::Bstr("007"));
  EXPECT_THROW(odd.Update(), AutomationError);
  EXPECT_EQ(odd.EditMode(), CursorEditMode::Edit);  // the edit is kept for the user to mend
  EXPECT_EQ(odd.FetchCurrent(0), Variant::Bstr("x"));
  odd.Cancel();
  odd.SetByProgram(1, Variant::Cy(Currency{9223372036854775807}));  // a double cannot hold it
  EXPECT_THROW(odd.MoveFirst(), AutomationError);
  EXPECT_EQ(odd.FetchCurrent(1), Variant::Cy(Currency{10000}));
  odd.Cancel();
  for (std::int64_t kept : {std::int64_t{1234567}, std::int64_t{10000000000000001}, std::int64_t{-9999999999999999}}) {
    odd.SetByProgram(1, Variant::Cy(Currency{kept}));
    odd.Update();
    EXPECT_EQ(odd.FetchCurrent(1), Variant::Cy(Currency{kept}));
  }
}

TEST_F(Source, QueriesAreReadOnly) {
  SqliteRecordSource query(db_, "select name, qty * 2 as twice from item");
  EXPECT_TRUE(query.ReadOnly());
  ASSERT_EQ(query.Columns().size(), 2u);
  EXPECT_FALSE(query.Columns()[0].updatable);
  EXPECT_EQ(query.Columns()[1].dataType, VlTextString);  // an expression has no declared type
  EXPECT_EQ(query.Count(), 3);
  EXPECT_THROW(query.Edit(), AutomationError);
  EXPECT_THROW(query.AddNew(), AutomationError);
  EXPECT_THROW(query.SetByProgram(0, Variant::Bstr("z")), AutomationError);
  EXPECT_THROW(query.Delete(), AutomationError);
}

TEST_F(Source, NamesNeverBecomeSql) {
  const std::string odd = "it\"em; drop table item; --";
  db_->Exec("create table " + QuoteIdentifier(odd) + "(" + QuoteIdentifier("na\"me") + " text)");
  SqliteRecordSource s(db_, odd);
  s.AddNew();
  s.SetByProgram(0, Variant::Bstr("'); drop table item; --"));
  s.Update();
  EXPECT_EQ(s.FetchCurrent(0), Variant::Bstr("'); drop table item; --"));
  EXPECT_EQ(Names(), "abc");
  EXPECT_THROW(SqliteRecordSource(db_, "nothing"), AutomationError);
  db_->Exec("create view v as select * from item");
  EXPECT_THROW(SqliteRecordSource(db_, "v"), AutomationError);  // a view is read with a select
}

TEST_F(Source, ChangesAreRefusedWhileTheBoxesAreNotified) {
  struct Meddler : IVlCursorEvents {
    SqliteRecordSource* s = nullptr;
    int refused = 0;
    void SyncBefore(std::uint32_t, const std::vector<std::int32_t>&) override {}
    void DidEvent(std::uint32_t, const std::vector<std::int32_t>&) override {
      try {
        s->MoveNext();
      } catch (const AutomationError&) {
        ++refused;
      }
    }
  } meddler;
  meddler.s = source_.get();
  const std::uint32_t cookie = source_->Advise(meddler);
  source_->MoveNext();
  EXPECT_EQ(meddler.refused, 1);
  EXPECT_EQ(source_->Position(), 2);
  source_->Unadvise(cookie);
}

}  // namespace
}  // namespace vl
