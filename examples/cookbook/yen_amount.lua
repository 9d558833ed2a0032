-- Yen amounts with △ for negatives: a Currency box keeps the exact amount; the format shows it
-- with thousands separators, a △ in place of the minus sign and 円 after it.
--   vltext run examples/cookbook/yen_amount.lua [picture.png]
local f = vl.Form{}

local function amountBox(name, y, label)
  local b = f:add(name, {x = 8, y = y, w = 220, h = 24})
  b.DataType = vl.VlTextCurrency
  -- positive; negative with △; zero; Null. Texts in double quotes are shown as they are.
  b.Format = '#,###,###,##0"円";"△"#,###,###,##0"円";"0円";""'
  b.IMEMode = vl.VlTextIMEDisable
  b.Captions[vl.VlTextCapLeft].Text = label
  b.Captions[vl.VlTextCapLeft].Size = 45
  b.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
  return b
end

local sales = amountBox("sales", 8, "売上")
local refund = amountBox("refund", 40, "返品")
local balance = amountBox("balance", 72, "差引")
balance.Locked = true           -- computed, not typed
f:add_button("ok")

f:focus(sales)
f:type("1280000")
f:key("Tab")
f:type("-35000")              -- the focus is on refund now: a user types a minus sign
f:key("Tab")
-- Currency reads as its exact decimal text; the sum is written back as a Currency.
balance.Value = vl.Currency(tonumber(sales.Value.value) + tonumber(refund.Value.value))
f:focus("ok")

assert(f:shown(sales) == "1,280,000円", f:shown(sales))
assert(f:shown(refund) == "△35,000円", f:shown(refund))
assert(balance.Value == vl.Currency("1245000"), tostring(balance.Value))
print("sales " .. f:shown(sales) .. ", refund " .. f:shown(refund) .. ", balance " .. f:shown(balance))

f:render(arg[1] or "yen_amount.png")
