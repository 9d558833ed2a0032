-- A tour of VlText: a form with a box of every data type, captions on all four sides, a spin
-- button and a disabled box. The script types into some of the boxes, prints what the host heard
-- and writes two pictures: the form at rest and the form while a box is being edited.
--
--   vltext run examples/tour.lua [output-folder]
local out = arg and arg[1] or "."
local f = vl.Form{ mode = "user" }

-- Caption lengths are in the form's units, points: 45 points are 60 pixels on a 96-dpi screen.
local function caption(box, side, text, size, spacing)
  local c = box.Captions[side]
  c.Text = text
  c.Size = size
  c.Spacing = spacing or 3
  c.Alignment = vl.VlTextCapAlignMiddleLeft
end

-- Numbers: an amount with thousands separators, a negative section and a zero section.
local amount = f:add("amount", {x = 8, y = 8, w = 260, h = 24})
amount.DataType = vl.VlTextCurrency
amount.Format = '#,###,##0.00;"△"#,###,##0.00;"ゼロ"'
amount.Value = vl.Currency("-1234567.5")
caption(amount, vl.VlTextCapLeft, "金額(&A)", 45)

-- A quantity with a spin button on the right.
local qty = f:add("qty", {x = 8, y = 40, w = 260, h = 24})
qty.DataType = vl.VlTextLong
qty.Format = "#,##0"
qty.SpinButton = 2
qty.LowerValue = vl.Long(0)
qty.UpperValue = vl.Long(9999)
qty.Value = vl.Long(12)
caption(qty, vl.VlTextCapLeft, "数量(&Q)", 45)

-- A rate, shown as a percentage.
local rate = f:add("rate", {x = 8, y = 72, w = 260, h = 24})
rate.DataType = vl.VlTextDouble
rate.Format = '0.0%;"("0.0%")"'
rate.Value = vl.Double(0.0825)
caption(rate, vl.VlTextCapLeft, "率(&R)", 45)

-- A date with a Japanese era.
local due = f:add("due", {x = 8, y = 104, w = 260, h = 24})
due.DataType = vl.VlTextDate
due.Format = "ggge年m月d日"
due.Value = vl.Date(2026, 12, 6)
caption(due, vl.VlTextCapLeft, "期日(&D)", 45)

-- A telephone number through a mask.
local phone = f:add("phone", {x = 8, y = 136, w = 260, h = 24})
phone.DataType = vl.VlTextString
phone.Format = "!\\(99\\)9999\\-9999"
phone.Value = "0312345678"
caption(phone, vl.VlTextCapLeft, "電話(&T)", 45)

-- A password.
local secret = f:add("secret", {x = 8, y = 168, w = 260, h = 24})
secret.DataType = vl.VlTextString
secret.PasswordChar = "*"
secret.Value = "hunter2"
caption(secret, vl.VlTextCapLeft, "暗証(&P)", 45)

-- A Boolean check box with its own caption.
local agree = f:add("agree", {x = 8, y = 200, w = 260, h = 24})
agree.DataType = vl.VlTextBoolean
agree.Caption = "規約に同意する"
agree.Value = true
caption(agree, vl.VlTextCapLeft, "同意(&G)", 45)

-- A name with captions on all four sides.
local name = f:add("name", {x = 8, y = 232, w = 260, h = 84})
name.DataType = vl.VlTextString
name.Value = "山田 太郎"
caption(name, vl.VlTextCapLeft, "氏名(&N)", 45)
caption(name, vl.VlTextCapRight, "様", 18)
caption(name, vl.VlTextCapTop, "お客様の情報", 15, 2)
caption(name, vl.VlTextCapBottom, "全角で入力してください", 15, 2)
name.Captions[vl.VlTextCapTop].BorderStyle = vl.VlTextCapBorderSunken
name.Captions[vl.VlTextCapTop].Alignment = vl.VlTextCapAlignMiddleCenter
name.Captions[vl.VlTextCapBottom].Alignment = vl.VlTextCapAlignMiddleRight
name.Captions[vl.VlTextCapRight].Alignment = vl.VlTextCapAlignMiddleCenter

-- A disabled box.
local fixed = f:add("fixed", {x = 8, y = 324, w = 260, h = 24})
fixed.DataType = vl.VlTextInteger
fixed.Value = vl.Integer(42)
fixed.Enabled = false
caption(fixed, vl.VlTextCapLeft, "固定", 45)

f:add_button("ok", {x = 188, y = 356, w = 80, h = 24})

local before = out .. "/tour-before.png"
f:render(before)
print("wrote " .. before)

-- Type into some boxes, as a user would.
f:focus(qty)
f:key("Ctrl+Up")
f:key("Ctrl+Up")
f:focus(rate)
f:key("Home")
f:key("Shift+End")
f:type("0.125")
f:focus(name)
f:key("Home")
f:key("Right")
f:key("Right")
f:key("Shift+Right")
f:key("Shift+Right")
f:key("Shift+Right")

-- The mouse over a box that is not being edited shows the text-insertion pointer.
f:mousemove(due, 150, 10)
print("pointer over the date box: " .. f:cursor())

local during = out .. "/tour-editing.png"
f:render(during)
print("wrote " .. during)

print("shown while editing:")
for _, b in ipairs({amount, qty, rate, due, phone, secret, agree, name, fixed}) do
  print(("  %s"):format(f:shown(b)))
end

print("events:")
for _, e in ipairs(f:events()) do
  local params = {}
  for k, v in pairs(e) do
    if k ~= "control" and k ~= "name" then params[#params + 1] = k .. "=" .. tostring(v) end
  end
  table.sort(params)
  print(("  %-7s %-10s %s"):format(e.control, e.name, table.concat(params, " ")))
end
for _, m in ipairs(f:messages()) do print("message box: " .. m.text) end
