-- A form bound to an SQLite table: a customer master. Each box is bound to one column of a
-- record source over the table; the boxes show the current row, a change the user types is
-- written back when the source moves on or is updated, and a new row starts from the boxes'
-- default values. The boxes keep their own formats: the table holds the plain values.
--   vltext run examples/cookbook/sqlite_binding.lua [picture.png]
local db = vl.Database(":memory:")      -- or a file: vl.Database("shop.db")
db:exec([[create table customer(
  code  varchar(6),
  name  varchar(40),
  zip   char(7),
  phone varchar(10),
  since date,
  limit_yen currency)]])
-- Values go in as bound parameters (?), never pasted into the SQL text.
db:exec("insert into customer values (?, ?, ?, ?, ?, ?)", "K0042", "青葉商店", "1000001", "0312345678",
        "2019-05-01", 500000)
db:exec("insert into customer values (?, ?, ?, ?, ?, ?)", "K0043", "みどり食品", "5300001", "0661234567",
        "2024-04-01", 1200000)

local f = vl.Form{}
local src = f:add_source("customers", db, "customer")   -- a table: its columns can be written

-- A box per column. Binding gives the box the column's data type (varchar(40) is a String of
-- at most 40 bytes), so set the format after DataField.
local function bound(column, label, y, format)
  local b = f:add(column, {x = 8, y = y, w = 260, h = 24})
  b.DataSource = src
  b.DataField = column
  if format then b.Format = format end
  b.Captions[vl.VlTextCapLeft].Text = label
  b.Captions[vl.VlTextCapLeft].Size = 50
  b.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
  return b
end
local code = bound("code", "コード", 8, "<aaaaaa")
code.IMEMode = vl.VlTextIMEDisable
local name = bound("name", "名称", 40)
name.IMEMode = vl.VlTextIMEHiragana    -- the input method opens for the name
local zip = bound("zip", "郵便番号", 72, "\\〒000\\-0000")
local phone = bound("phone", "電話", 104, "!\\(99\\)9999\\-9999")
local since = bound("since", "取引開始", 136, "ggge年m月d日")
local limit = bound("limit_yen", "与信限度", 168, '#,###,###,##0"円"')   -- ten digits
f:add_button("ok", {x = 8, y = 200, w = 80, h = 24})

assert(src.position == 1 and src.count == 2)
assert(f:shown(since) == "令和1年5月1日", f:shown(since))

-- The user raises the first customer's limit; moving to the next row writes it back.
f:focus(limit)
f:key("Home"); f:key("Shift+End")
f:type("800000")
f:key("Tab")
src:move_next()
assert(tostring(code.Value) == "K0043")
local first = db:query("select limit_yen from customer where code = ?", "K0042")[1]
assert(tonumber(first.limit_yen) == 800000, tostring(first.limit_yen))

-- A new customer: add_new empties the boxes, the user types, update() inserts the row.
src:add_new()
f:focus(code); f:type("k0044")
f:focus(name); f:ime_compose("さくら物産", "ｻｸﾗﾌﾞｯｻﾝ")
f:focus(zip); f:type("0600001")
f:focus("ok")
src:update()
local rows = db:query("select code, name, zip from customer order by code")
assert(#rows == 3 and rows[3].code == "K0044" and rows[3].name == "さくら物産" and rows[3].zip == "0600001")

src:move_first()
print(("%d customers; first: %s %s, limit %s"):format(src.count, tostring(code.Value), tostring(name.Value),
                                                    f:shown(limit)))
f:render(arg[1] or "sqlite_binding.png")
