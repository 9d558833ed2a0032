// Ten thousand random moves, edits, adds, updates, cancels, deletes and program sets over a table
// with four bound boxes, checked step by step against a model of the rows, the edit in progress
// and each box's value and change flag; at the end the table must hold exactly the model's rows.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "host/form.h"
#include "host/record_source.h"
#include "host/sql_values.h"
#include "runtime/automation_error.h"
#include "runtime/date_serial.h"
#include "value/typed_value.h"

namespace vl {

void PrintTo(const Variant& v, std::ostream* os);

namespace {

constexpr std::size_t kColumns = 4;
constexpr std::uint16_t kTypes[kColumns] = {VlTextInteger, VlTextString, VlTextCurrency, VlTextDate};
const char* const kNames[kColumns] = {"a", "b", "c", "d"};
using RowValues = std::array<Variant, kColumns>;

// What the rows, the source and the boxes should hold.
struct Model {
  std::vector<RowValues> rows;
  std::int64_t pos = 1;
  CursorEditMode mode = CursorEditMode::None;
  std::array<std::optional<Variant>, kColumns> buffer;
  RowValues box;
  std::array<bool, kColumns> changed{};
  Variant defaultC = Variant::Cy(Currency{15000});  // box c takes it for a new row

  std::int64_t Count() const { return static_cast<std::int64_t>(rows.size()); }
  bool HasRow() const { return pos >= 1 && pos <= Count(); }
  bool Bof() const { return pos == 0 || Count() == 0; }
  bool Eof() const { return pos > Count() || Count() == 0; }
  Variant Stored(std::size_t c) const { return HasRow() ? rows[static_cast<std::size_t>(pos - 1)][c] : Variant::Null(); }
  Variant RowValue(std::size_t c) const {
    if (mode == CursorEditMode::None) return Stored(c);
    if (buffer[c]) return *buffer[c];
    return mode == CursorEditMode::Add ? Variant::Null() : Stored(c);
  }
  void ReadAll() {
    for (std::size_t c = 0; c < kColumns; ++c) {
      box[c] = RowValue(c);
      changed[c] = false;
    }
  }
  // The boxes write back their changes (SyncBefore).
  void Flush() {
    for (std::size_t c = 0; c < kColumns; ++c) {
      if (!changed[c]) continue;
      if (mode == CursorEditMode::None) {
        if (!HasRow()) continue;  // nowhere to write: the change stays the box's
        mode = CursorEditMode::Edit;
      }
      buffer[c] = box[c];
      changed[c] = false;
    }
  }
  // The source stores the edit or the new row.
  void Complete() {
    if (mode == CursorEditMode::Edit) {
      for (std::size_t c = 0; c < kColumns; ++c) {
        if (buffer[c]) rows[static_cast<std::size_t>(pos - 1)][c] = *buffer[c];
      }
    } else if (mode == CursorEditMode::Add) {
      RowValues row;
      for (std::size_t c = 0; c < kColumns; ++c) row[c] = buffer[c] ? *buffer[c] : Variant::Null();
      rows.push_back(row);
    }
    mode = CursorEditMode::None;
    buffer = {};
  }
};

class Random {
 public:
  explicit Random(unsigned seed) : gen_(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }
  Variant Value(std::size_t c) {
    if (Int(0, 9) == 0) return Variant::Null();
    switch (c) {
      case 0: return Variant::I2(static_cast<std::int16_t>(Int(-500, 500)));
      case 1: return Variant::Bstr("s" + std::to_string(Int(0, 99999)));
      case 2: return Variant::Cy(Currency{static_cast<std::int64_t>(Int(-1000000, 1000000)) * Int(1, 99999)});
      default: return Variant::Date(*FieldsToSerial(Int(1900, 2100), Int(1, 12), Int(1, 28), Int(0, 23), Int(0, 59), Int(0, 59)));
    }
  }

 private:
  std::mt19937 gen_;
};

TEST(BindingModel, TenThousandRandomStepsLoseNoUpdate) {
  Random rnd(20261206);
  auto db = std::make_shared<SqliteDatabase>(":memory:");
  db->Exec("create table t(a smallint, b varchar(10), c currency, d date)");
  Model m;
  for (int i = 0; i < 6; ++i) {
    RowValues row;
    std::vector<SqlValue> params;
    for (std::size_t c = 0; c < kColumns; ++c) {
      row[c] = rnd.Value(c);
      params.push_back(VariantToSql(row[c]));
    }
    db->Exec("insert into t values (?, ?, ?, ?)", params);
    m.rows.push_back(row);
  }
  auto source = std::make_shared<SqliteRecordSource>(db, "t");
  Form form;
  std::array<CVlTypedBoxCtrl*, kColumns> boxes{};
  for (std::size_t c = 0; c < kColumns; ++c) {
    boxes[c] = &form.AddBox(kNames[c]);
    form.SetDataSource(*boxes[c], source);
    boxes[c]->SetProperty(kDispDataField, Variant::Bstr(kNames[c]));
  }
  boxes[2]->SetProperty(kDispAllowDefaultValue, Variant::Bool(true));
  boxes[2]->SetProperty(kDispDefaultValue, m.defaultC);
  m.ReadAll();

  auto attempt = [](auto&& op) {
    try {
      op();
      return true;
    } catch (const AutomationError&) {
      return false;
    }
  };

  for (int step = 0; step < 10000; ++step) {
    const int kind = rnd.Int(0, 15);
    bool expectOk = true;
    bool ok = true;
    std::string what;
    if (kind <= 5) {  // the user changes a box
      const auto c = static_cast<std::size_t>(rnd.Int(0, kColumns - 1));
      const Variant v = rnd.Value(c);
      what = std::string("edit ") + kNames[c];
      if (!m.HasRow() && m.mode != CursorEditMode::Add) continue;  // the box shows no row
      boxes[c]->SetProperty(kDispValue, v);
      if (!(v == m.box[c])) {
        m.box[c] = v;
        m.changed[c] = true;
      }
    } else if (kind <= 9) {  // a move
      const int which = rnd.Int(0, 4);
      std::int64_t target = 0;
      switch (which) {
        case 0: what = "next"; expectOk = !m.Eof(); target = m.pos + 1; ok = attempt([&] { source->MoveNext(); }); break;
        case 1: what = "prev"; expectOk = !m.Bof(); target = m.pos - 1; ok = attempt([&] { source->MovePrev(); }); break;
        case 2: what = "first"; expectOk = m.Count() > 0; target = 1; ok = attempt([&] { source->MoveFirst(); }); break;
        case 3: what = "last"; expectOk = m.Count() > 0; target = m.Count(); ok = attempt([&] { source->MoveLast(); }); break;
        default: {
          target = rnd.Int(-1, static_cast<int>(m.Count()) + 2);
          what = "move " + std::to_string(target);
          expectOk = target >= 0 && target <= m.Count() + 1;
          ok = attempt([&] { source->MoveTo(target); });
        }
      }
      if (expectOk) {
        m.Flush();
        m.Complete();
        m.pos = std::clamp<std::int64_t>(target, 0, m.Count() + 1);
        m.ReadAll();
      }
    } else if (kind == 10) {
      what = "edit";
      expectOk = m.mode != CursorEditMode::None || m.HasRow();
      ok = attempt([&] { source->Edit(); });
      if (expectOk && m.mode == CursorEditMode::None) m.mode = CursorEditMode::Edit;
    } else if (kind == 11) {
      what = "add";
      ok = attempt([&] { source->AddNew(); });
      m.Flush();
      m.Complete();
      m.mode = CursorEditMode::Add;
      m.ReadAll();
      m.box[2] = m.defaultC;
      m.changed[2] = true;
    } else if (kind == 12) {
      what = "update";
      expectOk = m.mode != CursorEditMode::None;
      ok = attempt([&] { source->Update(); });
      if (expectOk) {
        const bool adding = m.mode == CursorEditMode::Add;
        m.Flush();
        m.Complete();
        if (adding) m.pos = m.Count();
        m.ReadAll();
      }
    } else if (kind == 13) {
      what = "cancel";
      ok = attempt([&] { source->Cancel(); });
      if (m.mode != CursorEditMode::None) {
        m.mode = CursorEditMode::None;
        m.buffer = {};
        for (std::size_t c = 0; c < kColumns; ++c) {
          if (!m.changed[c]) m.box[c] = m.RowValue(c);
        }
      }
    } else if (kind == 14) {
      if (rnd.Int(0, 2) != 0) continue;  // deletes are rarer, so the table does not empty
      what = "delete";
      expectOk = m.mode != CursorEditMode::Add && m.HasRow();
      ok = attempt([&] { source->Delete(); });
      if (expectOk) {
        m.rows.erase(m.rows.begin() + (m.pos - 1));
        m.mode = CursorEditMode::None;
        m.buffer = {};
        m.pos = std::min(m.pos, m.Count());
        m.ReadAll();
      }
    } else {
      const auto c = static_cast<std::size_t>(rnd.Int(0, kColumns - 1));
      const Variant v = rnd.Value(c);
      what = std::string("set ") + kNames[c];
      expectOk = m.mode != CursorEditMode::None || m.HasRow();
      ok = attempt([&] { source->SetByProgram(c, v); });
      if (expectOk) {
        m.Flush();
        if (m.mode == CursorEditMode::None) m.mode = CursorEditMode::Edit;
        m.buffer[c] = v;
        m.ReadAll();
      }
    }
    const std::string at = "step " + std::to_string(step) + ": " + what;
    ASSERT_EQ(ok, expectOk) << at;
    ASSERT_EQ(source->Position(), m.pos) << at;
    ASSERT_EQ(source->Count(), m.Count()) << at;
    ASSERT_EQ(source->EditMode(), m.mode) << at;
    for (std::size_t c = 0; c < kColumns; ++c) {
      ASSERT_EQ(boxes[c]->GetProperty(kDispValue), m.box[c]) << at << ", box " << kNames[c];
      ASSERT_EQ(boxes[c]->GetProperty(kDispDataChanged).AsBool(), m.changed[c]) << at << ", box " << kNames[c];
    }
    for (const EventRecord& e : form.TakeEvents()) ASSERT_NE(e.name, "ValueError") << at;
  }

  // Whatever the boxes and the source still hold goes into the table.
  source->MoveTo(1);
  m.Flush();
  m.Complete();
  const SqlResult table = db->Query("select a, b, c, d from t order by rowid");
  ASSERT_EQ(table.rows.size(), m.rows.size());
  const VirtualClock clock;
  for (std::size_t r = 0; r < m.rows.size(); ++r) {
    for (std::size_t c = 0; c < kColumns; ++c) {
      Variant stored = SqlToVariant(table.rows[r][c], kTypes[c]);
      ConvertTypedValue(kTypes[c], stored, true, clock);
      EXPECT_EQ(stored, m.rows[r][c]) << "row " << r << ", column " << kNames[c];
    }
  }
}

}  // namespace
}  // namespace vl
