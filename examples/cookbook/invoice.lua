-- An invoice form (請求書): a customer, two dates in the Japanese calendar, three lines of item,
-- quantity and unit price, and the totals with consumption tax. Every technique of the cookbook
-- in one form: masks, IME modes, yen formats with △, a percent, spin buttons with a range, a
-- required field, your own error message, and totals computed from the Change event.
--   vltext run examples/cookbook/invoice.lua [picture.png]
local f = vl.Form{}
f:set_now(vl.Date(2026, 12, 6, 9, 0, 0))

-- Every box of this form is made the same way: a type, a format, a caption on its left.
local function box(name, rect, dataType, format, label, labelSize)
  local b = f:add(name, rect)
  b.DataType = dataType
  b.Format = format
  if label then
    local c = b.Captions[vl.VlTextCapLeft]
    c.Text = label
    c.Size = labelSize or 50
    c.Alignment = vl.VlTextCapAlignMiddleLeft
  end
  return b
end

local kYen = '#,###,###,##0;"△"#,###,###,##0;0'   -- yen: grouping, △ for negatives

-- The header.
local customer = box("customer", {x = 8, y = 8, w = 200, h = 24}, vl.VlTextString, "<aaaaaa", "得意先*")
customer.IMEMode = vl.VlTextIMEDisable
local customerName = box("customerName", {x = 216, y = 8, w = 296, h = 24}, vl.VlTextString,
                         "@C@C@C@C@C@C@C@C@C@C@C@C@C@C@C", "名称", 40)
customerName.IMEMode = vl.VlTextIMEHiragana
local issued = box("issued", {x = 8, y = 40, w = 200, h = 24}, vl.VlTextDate, "ggge年m月d日", "請求日")
issued.Value = vl.Date(2026, 12, 6)
local due = box("due", {x = 216, y = 40, w = 296, h = 24}, vl.VlTextDate, "ggge年m月d日(aaa)", "支払期限", 60)

customer.UserCheckValue = function(e)
  if e.NewValue == vl.Null or e.NewValue == vl.String("") then
    e.ErrCode = 100
    e.ErrString = "得意先コードを入力してください"
  end
end

-- Three lines: item, quantity (1 to 999, with a spin button), unit price, amount.
local lines = {}
for i = 1, 3 do
  local y = 72 + (i - 1) * 32
  local line = {}
  line.item = box("item" .. i, {x = 8, y = y, w = 200, h = 24}, vl.VlTextString,
                  "@@@@@@@@@@@@", "品名" .. i)
  line.item.IMEMode = vl.VlTextIMEHiragana
  line.qty = box("qty" .. i, {x = 216, y = y, w = 90, h = 24}, vl.VlTextLong, "##0", "数量", 30)
  line.qty.SpinButton = 2
  line.qty.LowerValue = vl.Long(0)
  line.qty.UpperValue = vl.Long(999)
  line.qty.CheckValue = true
  line.price = box("price" .. i, {x = 312, y = y, w = 100, h = 24}, vl.VlTextCurrency, kYen, "単価", 30)
  line.amount = box("amount" .. i, {x = 418, y = y, w = 94, h = 24}, vl.VlTextCurrency, kYen)
  line.amount.Locked = true
  lines[i] = line
end

-- The totals.
local subtotal = box("subtotal", {x = 312, y = 168, w = 200, h = 24}, vl.VlTextCurrency, kYen, "小計", 60)
subtotal.Locked = true
local rate = box("rate", {x = 8, y = 200, w = 200, h = 24}, vl.VlTextDouble, "0%", "税率", 50)
rate.LowerValue = vl.Double(0)
rate.UpperValue = vl.Double(1)
rate.CheckValue = true
rate.Value = vl.Double(0.1)
local tax = box("tax", {x = 312, y = 200, w = 200, h = 24}, vl.VlTextCurrency, kYen, "消費税", 60)
tax.Locked = true
local total = box("total", {x = 312, y = 232, w = 200, h = 24}, vl.VlTextCurrency, kYen, "合計", 60)
total.Locked = true
total.FontBold = true

f:add_button("OK", {x = 8, y = 232, w = 100, h = 24})

-- The status line where the form's own messages go (last in the tab order).
local status = box("status", {x = 8, y = 264, w = 504, h = 22}, vl.VlTextString, "", nil)
status.Locked = true
status.BorderStyle = 0
status.ForeColor = 0x000000C0
status.BackColor = 0x8000000F

-- A number box reads as a typed value, or Null when empty.
local function number(b)
  return b.Value == vl.Null and 0 or tonumber(b.Value.value)
end

-- Amounts are recomputed whenever a quantity, a price or the rate changes, also while typing.
local function recalc()
  local sum = 0
  for _, line in ipairs(lines) do
    local amount = number(line.qty) * number(line.price)
    line.amount.Value = vl.Currency(amount)
    sum = sum + amount
  end
  subtotal.Value = vl.Currency(sum)
  local t = math.floor(sum * number(rate))          -- tax rounded down to the yen
  tax.Value = vl.Currency(t)
  total.Value = vl.Currency(sum + t)
end
for _, line in ipairs(lines) do
  line.qty.Change = recalc
  line.price.Change = recalc
end
rate.Change = recalc

-- Range errors of the quantities go to the status line instead of a message box.
for _, line in ipairs(lines) do
  line.qty.ValueError = function(e)
    status.Value = "数量は0から999までです (" .. tostring(e.ErrValue) .. ")"
    e.CancelDisplay = true
  end
end

-- A user fills the invoice in.
f:focus(customer)
f:type("k0042")
f:key("Tab")
f:ime_compose("株式会社", "ｶﾌﾞｼｷｶﾞｲｼｬ")
f:ime_compose("青葉商店", "ｱｵﾊﾞｼｮｳﾃﾝ")
f:key("Tab")
f:key("Tab")                       -- 請求日 stays today
f:type("R090131")                  -- 支払期限: 令和9年1月31日
f:key("Tab")
f:ime_compose("ボールペン", "ﾎﾞｰﾙﾍﾟﾝ")
f:key("Tab")
f:type("120")
f:key("Tab")
f:type("110")
f:key("Tab")
f:key("Tab")                       -- the amount is computed; Tab goes on to line 2
f:ime_compose("コピー用紙", "ｺﾋﾟｰﾖｳｼ")
f:key("Tab")
f:key("Ctrl+Up"); f:key("Ctrl+Up"); f:key("Ctrl+Up")   -- 3 with the spin button
f:key("Tab")
f:type("2980")
f:key("Tab")
f:key("Tab")
f:ime_compose("値引き", "ﾈﾋﾞｷ")
f:key("Tab")
f:type("1")
f:key("Tab")
f:type("-500")
f:key("Tab")
f:focus("OK")

assert(customer.Value == vl.String("K0042"), tostring(customer.Value))
assert(customerName.Value == vl.String("株式会社青葉商店"), tostring(customerName.Value))
assert(due.Value == vl.Date(2027, 1, 31), tostring(due.Value))
assert(lines[2].qty.Value == vl.Long(3), tostring(lines[2].qty.Value))
assert(f:shown(lines[3].amount) == "△500", f:shown(lines[3].amount))
assert(subtotal.Value == vl.Currency(13200 + 8940 - 500), tostring(subtotal.Value))
assert(tax.Value == vl.Currency(2164), tostring(tax.Value))
assert(f:shown(total) == "23,804", f:shown(total))
print("invoice for " .. tostring(customerName.Value) .. ", due " .. f:shown(due) .. ": total " .. f:shown(total))

f:render(arg[1] or "invoice.png")
