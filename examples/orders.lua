-- A small order form bound to an SQLite table: the boxes show the current order, follow the
-- record source as it moves, write back what was changed, and a new order takes the boxes'
-- default values. Prints the table before and after, and draws the form as orders.png.
--
--   build/apps/vltext/vltext run examples/orders.lua

local db = vl.Database(":memory:")
db:exec([[
  create table orders(
    customer varchar(20),
    item     varchar(20),
    qty      smallint,
    price    currency,
    due      date,
    paid     boolean)]])
local seed = {
  {"山田商店", "りんご", 3, "120.5", "2026-12-06", true},
  {"鈴木食品", "みかん", 10, "98", "2026-12-10", false},
  {"佐藤青果", "ぶどう", 2, "450.25", "2026-12-24", false},
}
for _, o in ipairs(seed) do
  db:exec("insert into orders values (?, ?, ?, ?, ?, ?)", table.unpack(o))
end

local function show(title)
  print(title)
  for _, r in ipairs(db:query("select rowid, * from orders order by rowid")) do
    print(("  %d | %s | %s | %s | %s | %s | %s"):format(r.rowid, r.customer, r.item, tostring(r.qty), tostring(r.price),
                                                      r.due, r.paid == 1 and "paid" or "open"))
  end
end

show("Orders before:")

local f = vl.Form{}
local src = f:add_source("orders", db, "orders")
local boxes = {}
for i, column in ipairs{"customer", "item", "qty", "price", "due", "paid"} do
  local b = f:add(column, {x = 10, y = 10 + (i - 1) * 32, w = 200, h = 26})
  b.Captions[vl.VlTextCapLeft].Text = column
  b.Captions[vl.VlTextCapLeft].Size = 60
  b.DataSource = src
  b.DataField = column  -- the box takes the column's data type (and a text column's width)
  boxes[column] = b
end
boxes.price.Format = "#,##0.00"
boxes.due.Format = "yyyy年m月d日"
boxes.paid.Caption = "入金済"

-- A new order: one piece, due on the first of next month, not paid yet.
boxes.qty.AllowDefaultValue = true
boxes.qty.DefaultValue = 1
boxes.due.AllowDefaultValue = true
boxes.due.DefaultValue = vl.Date(2027, 1, 1)
boxes.paid.AllowDefaultValue = true
boxes.paid.DefaultValue = false

local function current()
  return ("row %d of %d: %s, %s x %s at %s, due %s"):format(src.position, src.count, tostring(boxes.customer.Value),
    tostring(boxes.item.Value), tostring(boxes.qty.Value), tostring(boxes.price.Value), f:shown(boxes.due))
end

print("\nMoving through the orders:")
print("  " .. current())
src:move_next()
print("  " .. current())
src:move_last()
print("  " .. current())

print("\nThe second order is changed in its boxes; moving on writes it back:")
src:move(2)
f:focus(boxes.qty)
f:key("End")
f:key("Backspace")
f:key("Backspace")
f:type("12")
boxes.paid.Value = true
print("  qty changed: " .. tostring(boxes.qty.DataChanged))
src:move_first()
print("  " .. current())

print("\nA new order takes the default values:")
src:add_new()
boxes.customer.Value = "高橋商会"
boxes.item.Value = "なし"
boxes.price.Value = vl.Currency("310")
src:update()
print("  " .. current())

show("\nOrders after:")
f:render("orders.png")
print("\nThe form is drawn in orders.png.")
