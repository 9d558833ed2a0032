-- Boxes bound to an SQLite table through the scripting host: the database calls, a record
-- source's moves and edits, what the boxes show, and the errors a script gets.
local check = require "check"

local db = vl.Database(":memory:")
check.eq(db:exec("create table item(name varchar(20), qty smallint, price currency, due date)"), 0, "create")
check.eq(db:exec("insert into item values (?, ?, ?, ?)", "りんご", 3, 120.5, "2026-12-06"), 1, "insert")
db:exec("insert into item values (?, ?, ?, ?)", "みかん", nil, vl.Currency("-0.0001"), vl.Date(2026, 1, 2, 3, 4, 5))
local rows = db:query("select * from item where qty is ? or qty = ?", nil, 3)
check.eq(#rows, 2, "query rows")
check.eq(rows[1].name, "りんご", "query text")
check.eq(rows[2].qty, nil, "query NULL")
check.eq(rows[2].due, "2026-01-02 03:04:05", "dates are ISO text")
check.eq(db:query("select price from item")[2].price, -0.0001, "currency as a number")

local f = vl.Form{ font = "fixed" }
local src = f:add_source("items", db, "item")
local cols = src:columns()
check.eq(#cols, 4, "columns")
check.eq(cols[1].name .. cols[1].type .. cols[1].length .. tostring(cols[1].updatable), "name820true", "name column")
check.eq(cols[3].type, vl.VlTextCurrency, "currency column")
check.eq(src.position .. src.count .. tostring(src.bof) .. tostring(src.eof), "12falsefalse", "start")

local name, qty, price, due = f:add("name"), f:add("qty"), f:add("price"), f:add("due")
for _, b in ipairs{name, qty, price, due} do
  b.DataSource = src
  b.DataField = b.name
end
check.eq(name.DataSource, nil, "DataSource reads as nothing")
check.eq(name.MaxLength, 20, "text width")
check.eq(tostring(price.Value), "120.5", "currency read")
check.eq(due.Value, vl.Date(2026, 12, 6), "date read")
check.eq(src:row().qty, vl.Integer(3), "row is typed")

src:move_next()
check.eq(name.Value, vl.String("みかん"), "moved")
check.eq(qty.Value, vl.Null, "NULL reads as Null")
qty.Value = 7
check.eq(qty.DataChanged, true, "typed")
src:move_first()
check.eq(db:query("select qty from item where rowid = 2")[1].qty, 7, "written back on the move")
check.eq(qty.DataChanged, false, "row read")

-- Adding a row: the default value only where allowed.
qty.AllowDefaultValue = true
qty.DefaultValue = 1
src:add_new()
check.eq(src:edit_mode(), 3, "adding")
check.eq(qty.Value, vl.Integer(1), "default value")
check.eq(name.Value, vl.Null, "no default")
name.Value = "ぶどう"
src:update()
check.eq(src.position .. "/" .. src.count, "3/3", "the new row is current")
local added = db:query("select * from item where rowid = 3")[1]
check.eq(added.name .. added.qty, "ぶどう1", "added row")

-- A program's set, a cancel, and the notifications a test can send itself.
src:set("price", vl.Currency("99.99"))
check.eq(tostring(price.Value), "99.99", "set by program shows")
check.eq(tostring(src:get("price")), "99.99", "get reads the edit")
src:cancel()
check.eq(price.Value, vl.Null, "cancel reads the stored row again")
db:exec("update item set qty = 42 where rowid = 3")
src:notify{bits = 2, reasons = {3}}
check.eq(qty.Value, vl.Integer(42), "notify makes the boxes read")
qty.Value = 43
src:notify{before = true, bits = 2, reasons = {3}}
check.eq(src:edit_mode(), 2, "before-notification writes into an edit")
src:update()
check.eq(db:query("select qty from item where rowid = 3")[1].qty, 43, "updated")

-- A read-only query locks its boxes.
local q = f:add_source("names", db, "select name from item")
local qn = f:add("qn")
qn.DataSource = q
qn.DataField = "name"
check.eq(qn.Locked, true, "query columns are read-only")
check.refused(3027, nil, function() q:edit() end, "edit a query")

-- What a script does wrong.
check.refused(3021, nil, function() src:move(9) end, "move past the end")
check.refused(3265, nil, function() src:get("nothing") end, "unknown column")
check.refused(13, nil, function() vl.Database(42) end, "database path")
check.refused(13, nil, function() src.move_next(5) end, "source expected")
check.refused(13, nil, function() db:exec("select ?", {}) end, "a table as parameter")
check.refused(3146, nil, function() db:exec("select ?") end, "a parameter missing")
check.refused(3146, nil, function() db:exec("insert into nowhere values (1)") end, "engine error")
check.refused(3146, nil, function() f:add_source("x", db, "nowhere") end, "no such table")
check.refused(5, nil, function() f:add_source("items", db, "item") end, "name taken")
check.refused(13, nil, function() name.DataSource = 5 end, "DataSource takes a source")
local g = vl.Form{ font = "fixed" }
local other = g:add("o")
check.refused(5, nil, function() other.DataSource = src end, "a source of another form")
check.refused(75, nil, function() vl.Database("/nonexistent/dir/x.db") end, "database file")
check.refused(5, nil, function() src.position = 1 end, "position is read-only")
