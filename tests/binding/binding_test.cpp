// The box's side of data binding, driven through a form and an SQLite record source: the
// DataField rules, the reason matrix of reads, the write-back matrix, new rows and default
// values, and rows the box cannot hold.
#include <gtest/gtest.h>

#include "binding/data_binding.h"
#include "host/form.h"
#include "host/record_source.h"
#include "runtime/automation_error.h"
#include "runtime/date_serial.h"
#include "text/encoding.h"

namespace vl {

void PrintTo(const Variant& v, std::ostream* os) {
  *os << TypeName(TypeCode(v)) << " " << (v.Type() == VarType::Cy ? std::to_string(v.AsCy().value) : TypedValueToText(v));
}

namespace {

class Binding : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = std::make_shared<SqliteDatabase>(":memory:");
    db_->Exec("create table item(name varchar(10), qty smallint, price currency, due date, ok boolean, note text)");
    db_->Exec("insert into item values ('a', 1, '12.5', '2026-12-06', 1, null)");
    db_->Exec("insert into item values ('b', 2, '0.0001', '2026-12-07 09:30:00', 0, 'n')");
    source_ = std::make_shared<SqliteRecordSource>(db_, "item");
    form_.AddSource("items", source_);
    box_ = &Bound("b", "qty");
    form_.TakeEvents();
  }

  CVlTypedBoxCtrl& Bound(const std::string& name, const char* field) {
    CVlTypedBoxCtrl& b = form_.AddBox(name);
    form_.SetDataSource(b, source_);
    b.SetProperty(kDispDataField, Variant::Bstr(field));
    return b;
  }
  Variant Value(CVlTypedBoxCtrl& b) { return b.GetProperty(kDispValue); }
  bool Changed(CVlTypedBoxCtrl& b) { return b.GetProperty(kDispDataChanged).AsBool(); }
  SqlValue Stored(const char* column, int row) {
    return db_->Query(std::string("select ") + column + " from item where rowid = ?", {SqlValue::Integer(row)}).rows.at(0).at(0);
  }
  std::vector<std::string> EventNames() {
    std::vector<std::string> names;
    for (const EventRecord& e : form_.TakeEvents()) names.push_back(e.control + "." + e.name);
    return names;
  }

  Form form_;
  std::shared_ptr<SqliteDatabase> db_;
  std::shared_ptr<SqliteRecordSource> source_;
  CVlTypedBoxCtrl* box_ = nullptr;
};

TEST_F(Binding, ABoxTakesItsColumnsTypeWidthAndReadOnlyState) {
  struct Row { const char* field; std::uint16_t type; Variant value; };
  for (const Row& r : {Row{"name", VlTextString, Variant::Bstr("a")}, Row{"qty", VlTextInteger, Variant::I2(1)},
                       Row{"price", VlTextCurrency, Variant::Cy(Currency{125000})},
                       Row{"due", VlTextDate, Variant::Date(*FieldsToSerial(2026, 12, 6))},
                       Row{"ok", VlTextBoolean, Variant::Bool(true)}, Row{"note", VlTextString, Variant::Null()}}) {
    CVlTypedBoxCtrl& b = Bound(std::string("x") + r.field, r.field);
    EXPECT_EQ(b.Core().dataType, r.type) << r.field;
    EXPECT_EQ(Value(b), r.value) << r.field;
    EXPECT_EQ(b.Core().locked, 0) << r.field;
    EXPECT_FALSE(Changed(b)) << r.field;
  }
  EXPECT_EQ(Bound("n2", "name").Core().maxLength, 10);
  EXPECT_EQ(Bound("n3", "note").Core().maxLength, 0);
  EXPECT_EQ(box_->GetProperty(kDispDataSource), Variant::Empty());  // reads as nothing

  auto query = std::make_shared<SqliteRecordSource>(db_, "select name, qty from item");
  CVlTypedBoxCtrl& q = form_.AddBox("q");
  q.SetProperty(kDispLocked, Variant::Bool(false));
  form_.SetDataSource(q, query);
  q.SetProperty(kDispDataField, Variant::Bstr("qty"));
  EXPECT_NE(q.Core().locked, 0);  // a query's column cannot be written
  EXPECT_EQ(Value(q), Variant::I2(1));
}

TEST_F(Binding, AnUnknownColumnKeepsTheNameAndLeavesTheBoxUnbound) {
  CVlTypedBoxCtrl& b = form_.AddBox("u");
  b.SetProperty(kDispDataType, Variant::I4(VlTextLong));
  form_.SetDataSource(b, source_);
  form_.TakeNotifications();
  b.SetProperty(kDispDataField, Variant::Bstr("nothing"));
  EXPECT_EQ(b.GetProperty(kDispDataField), Variant::Bstr("nothing"));
  EXPECT_EQ(b.Core().dataType, VlTextLong);
  auto n = form_.TakeNotifications();
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].dispid, kDispDataField);
  b.SetProperty(kDispValue, Variant::I4(5));
  EXPECT_FALSE(Changed(b));  // an unbound box tracks no change
  source_->MoveNext();
  EXPECT_EQ(Value(b), Variant::I4(5));
  EXPECT_EQ(Stored("qty", 2).integer, 2);
  b.SetProperty(kDispDataField, Variant::Bstr("nothing"));
  EXPECT_TRUE(form_.TakeNotifications().empty());  // an equal name is no change
}

TEST_F(Binding, WithoutASourceTheNameIsStoredAndTheBoundStateKept) {
  CVlTypedBoxCtrl& b = form_.AddBox("n");
  b.SetProperty(kDispDataField, Variant::Bstr("qty"));
  EXPECT_EQ(b.DataField(), "qty");
  EXPECT_EQ(b.Core().dataType, VlTextString);
  form_.SetDataSource(*box_, nullptr);  // the host takes the source away
  EXPECT_FALSE(box_->Binding()->IsBound());
  box_->SetProperty(kDispValue, Variant::I2(9));
  source_->MoveNext();
  EXPECT_EQ(Value(*box_), Variant::I2(9));
  EXPECT_EQ(Stored("qty", 1).integer, 1);
}

// Each reason record of a DidEvent notification, against a row changed behind the box's back.
TEST_F(Binding, TheReasonMatrixDecidesWhichNotificationsReadTheRow) {
  enum Outcome { Read, Kept, Default };
  struct Row { std::uint32_t bits; std::int32_t reason; bool changed; bool allowDefault; Outcome outcome; };
  const Row rows[] = {
      {1, 6, false, false, Read},   {1, 7, false, false, Read},    {1, 3, false, false, Kept},
      {1, 20, false, true, Kept},   {2, 3, false, false, Read},    {2, 23, false, false, Read},
      {2, 29, false, false, Read},  {2, 29, true, false, Read},    {2, 31, false, false, Read},
      {2, 31, true, false, Kept},   {2, 6, false, false, Kept},    {2, 1, false, false, Kept},
      {2, 20, false, true, Kept},   {32, 1, false, false, Read},   {32, 2, false, false, Read},
      {32, 23, false, false, Read}, {32, 20, false, false, Read},  {32, 20, false, true, Default},
      {32, 20, true, true, Default}, {32, 3, false, false, Kept},  {32, 6, false, false, Kept},
      {4, 6, false, false, Kept},   {1 | 32, 20, false, true, Default}, {2 | 32, 31, true, false, Kept},
  };
  for (const Row& r : rows) {
    box_->SetProperty(kDispDataChanged, Variant::Bool(false));
    db_->Exec("update item set qty = 1 where rowid = 1");
    source_->MoveFirst();
    box_->SetProperty(kDispAllowDefaultValue, Variant::Bool(r.allowDefault));
    box_->SetProperty(kDispDefaultValue, Variant::I2(99));
    if (r.changed) box_->SetProperty(kDispValue, Variant::I2(7));
    db_->Exec("update item set qty = 50 where rowid = 1");
    source_->Notify(false, r.bits, {r.reason});
    const std::string what = std::to_string(r.bits) + "/" + std::to_string(r.reason) + (r.changed ? " changed" : "");
    switch (r.outcome) {
      case Read:
        EXPECT_EQ(Value(*box_), Variant::I2(50)) << what;
        EXPECT_FALSE(Changed(*box_)) << what;
        break;
      case Kept: EXPECT_EQ(Value(*box_), Variant::I2(r.changed ? 7 : 1)) << what; break;
      case Default:
        EXPECT_EQ(Value(*box_), Variant::I2(99)) << what;
        EXPECT_TRUE(Changed(*box_)) << what;
        break;
    }
  }
}

TEST_F(Binding, TheBoxWritesBackOnlyForItsReasonsAndOnlyWhenChanged) {
  struct Row { std::uint32_t bits; std::vector<std::int32_t> reasons; bool changed; bool writes; };
  const Row rows[] = {
      {2, {3}, true, true},  {2, {6}, true, false},  {32, {2}, true, true},  {32, {3}, true, false},
      {1, {3}, true, false}, {2, {3}, false, false}, {2 | 32, {2, 3}, true, true}, {2, {1, 29, 3}, true, true},
  };
  for (const Row& r : rows) {
    source_->Cancel();
    box_->SetProperty(kDispDataChanged, Variant::Bool(false));
    source_->MoveFirst();
    if (r.changed) box_->SetProperty(kDispValue, Variant::I2(7));
    source_->Notify(true, r.bits, r.reasons);
    const std::string what = std::to_string(r.bits) + "/" + std::to_string(r.reasons[0]);
    if (r.writes) {
      EXPECT_EQ(source_->EditMode(), CursorEditMode::Edit) << what;
      EXPECT_EQ(source_->GetColumn(1), Variant::I2(7)) << what;
      EXPECT_EQ(Stored("qty", 1).integer, 1) << what;  // the source stores it, not the box
      EXPECT_FALSE(Changed(*box_)) << what;
    } else {
      EXPECT_EQ(source_->EditMode(), CursorEditMode::None) << what;
      EXPECT_EQ(Changed(*box_), r.changed) << what;
    }
  }
}

TEST_F(Binding, MovesWriteBackOnlyAChangedValue) {
  source_->MoveNext();
  source_->MoveFirst();
  EXPECT_EQ(source_->EditMode(), CursorEditMode::None);
  db_->Exec("update item set qty = 3 where rowid = 1");  // someone else's change survives an untouched box
  source_->MoveNext();
  EXPECT_EQ(Stored("qty", 1).integer, 3);
  box_->SetProperty(kDispValue, Variant::I2(20));
  EXPECT_EQ(box_->Binding()->IsDirty(kDispValue), 0);
  source_->MovePrev();
  EXPECT_EQ(Stored("qty", 2).integer, 20);
  EXPECT_EQ(Value(*box_), Variant::I2(3));
  EXPECT_EQ(box_->Binding()->IsDirty(kDispValue), 1);
}

TEST_F(Binding, TypingIntoTheBoxIsWrittenBackWhenTheSourceMoves) {
  form_.Focus(*box_);
  form_.PumpMessages();
  box_->SetProperty(kDispSelStart, Variant::I4(0));
  box_->SetProperty(kDispSelLength, Variant::I4(10));
  box_->SetProperty(kDispSelText, Variant::Bstr("42"));
  EXPECT_TRUE(Changed(*box_));
  source_->MoveNext();
  EXPECT_EQ(Stored("qty", 1).integer, 42);
  EXPECT_EQ(Value(*box_), Variant::I2(2));
}

TEST_F(Binding, NewRowsTakeTheDefaultValueOnlyWhereAllowed) {
  CVlTypedBoxCtrl& name = Bound("name", "name");
  name.SetProperty(kDispDefaultValue, Variant::Bstr("new"));  // not allowed: the box reads the new row
  box_->SetProperty(kDispAllowDefaultValue, Variant::Bool(true));
  box_->SetProperty(kDispDefaultValue, Variant::I2(5));
  source_->AddNew();
  EXPECT_EQ(Value(*box_), Variant::I2(5));
  EXPECT_TRUE(Changed(*box_));
  EXPECT_EQ(Value(name), Variant::Null());
  EXPECT_FALSE(Changed(name));
  source_->Update();
  EXPECT_EQ(Stored("qty", 3).integer, 5);
  EXPECT_EQ(Stored("name", 3).kind, SqlValue::Kind::Null);
  EXPECT_EQ(source_->Position(), 3);
  EXPECT_FALSE(Changed(*box_));
}

TEST_F(Binding, DatesAndCurrencyGoThroughTheTableExactly) {
  CVlTypedBoxCtrl& price = Bound("price", "price");
  CVlTypedBoxCtrl& due = Bound("due", "due");
  const std::vector<std::pair<Variant, Variant>> values = {
      {Variant::Cy(Currency{-9999999999999999}), Variant::Date(*FieldsToSerial(9999, 12, 31, 23, 59, 59))},
      {Variant::Cy(Currency{1}), Variant::Date(*FieldsToSerial(100, 1, 1))},
      {Variant::Cy(Currency{1234567891}), Variant::Date(*FieldsToSerial(2026, 2, 28, 12, 0, 1))},
  };
  for (const auto& [cy, date] : values) {
    price.SetProperty(kDispValue, cy);
    due.SetProperty(kDispValue, date);
    source_->MoveNext();
    source_->MovePrev();
    EXPECT_EQ(Value(price), cy);
    EXPECT_EQ(Value(due), date);
  }
  EXPECT_EQ(Stored("due", 1).bytes, "2026-02-28 12:00:01");
}

TEST_F(Binding, ARowTheBoxCannotHoldReadsAsNullAndIsNeverWrittenOver) {
  db_->Exec("update item set qty = 'lots' where rowid = 2");
  db_->Exec("update item set name = ? where rowid = 2", {SqlValue::Text("\xF0\x9F\x8D\x8E")});  // no CP932 form
  CVlTypedBoxCtrl& name = Bound("name", "name");
  form_.TakeEvents();
  source_->MoveNext();
  EXPECT_EQ(Value(*box_), Variant::Null());
  EXPECT_EQ(Value(name), Variant::Null());
  EXPECT_FALSE(Changed(*box_));
  auto events = form_.TakeEvents();
  int valueErrors = 0;
  for (const EventRecord& e : events) {
    if (e.name != "ValueError") continue;
    ++valueErrors;
    EXPECT_EQ(e.params[1].value, Variant::I4(1102)) << e.control;
  }
  EXPECT_EQ(valueErrors, 2);
  form_.TakeMessages();
  // The box cannot be edited until a row it can show comes.
  form_.Focus(*box_);
  form_.PumpMessages();
  box_->SetProperty(kDispValue, Variant::I2(9));
  EXPECT_EQ(Value(*box_), Variant::Null());
  form_.FocusButton("none");
  source_->MoveFirst();
  EXPECT_EQ(Stored("qty", 2).bytes, "lots");
  EXPECT_EQ(Stored("name", 2).bytes, "\xF0\x9F\x8D\x8E");
  EXPECT_EQ(Value(*box_), Variant::I2(1));
}

TEST_F(Binding, AValueOutsideTheCheckedRangeIsReportedNotShown) {
  box_->SetProperty(kDispCheckValue, Variant::Bool(true));
  box_->SetProperty(kDispUpperValue, Variant::I2(1));
  form_.TakeEvents();
  source_->MoveNext();  // qty 2
  EXPECT_EQ(Value(*box_), Variant::Null());
  auto events = form_.TakeEvents();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().name, "ValueError");
  source_->MoveFirst();
  EXPECT_EQ(Stored("qty", 2).integer, 2);
}

TEST_F(Binding, AProgramsSetKeepsWhatTheUserTypedIntoOtherBoxes) {
  CVlTypedBoxCtrl& name = Bound("name", "name");
  name.SetProperty(kDispValue, Variant::Bstr("typed"));
  source_->SetByProgram(1, Variant::I2(33));
  EXPECT_EQ(Value(*box_), Variant::I2(33));
  EXPECT_EQ(Value(name), Variant::Bstr("typed"));
  source_->Update();
  EXPECT_EQ(Stored("name", 1).bytes, "typed");
  EXPECT_EQ(Stored("qty", 1).integer, 33);
}

TEST_F(Binding, DesignTimeBindingUsesATemporaryCursor) {
  Form design(false);
  auto source = std::make_shared<SqliteRecordSource>(db_, "item");
  CVlTypedBoxCtrl& b = design.AddBox("d");
  design.SetDataSource(b, source);
  EXPECT_EQ(source.use_count(), 2);  // the form's site holds it; the box does not
  b.SetProperty(kDispDataField, Variant::Bstr("price"));
  EXPECT_EQ(b.Core().dataType, VlTextCurrency);
  EXPECT_EQ(source.use_count(), 2);
  const auto columns = b.Binding()->Columns();
  ASSERT_EQ(columns.size(), 6u);
  EXPECT_EQ(columns[3].name, "due");
  design.SetUserMode(true);  // the form runs: the box connects and reads the row
  EXPECT_EQ(b.GetProperty(kDispValue), Variant::Cy(Currency{125000}));
  EXPECT_EQ(source.use_count(), 3);
  design.SetUserMode(false);
  EXPECT_EQ(source.use_count(), 2);
}

TEST_F(Binding, AHandlerMayMoveOrUnbindDuringANotification) {
  CVlTypedBoxCtrl& name = Bound("name", "name");
  int moves = 0;
  form_.SetEventHandler([&](BoxSite& site, VlEvent id, EventArgs&) {
    if (id != VlEvent::Change || site.Name() != "b") return;
    try {
      source_->MoveNext();
    } catch (const AutomationError&) {
      ++moves;  // refused while the source notifies
    }
    form_.SetDataSource(name, nullptr);
  });
  source_->MoveNext();
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(source_->Position(), 2);
  EXPECT_FALSE(name.Binding()->IsBound());
  form_.SetEventHandler(nullptr);
}

}  // namespace
}  // namespace vl
