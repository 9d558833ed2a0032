-- A quantity from 1 to 999 with a spin button. The arrows (or Ctrl+Up and Ctrl+Down) step the
-- value by SpinIncrease; with CheckValue set, a typed value outside the range is refused when
-- the user leaves the box: ValueError 1000 (above UpperValue) or 1001 (below LowerValue), a
-- message, and the focus back in the box.
--   vltext run examples/cookbook/quantity.lua [picture.png]
local f = vl.Form{}

local qty = f:add("qty", {x = 8, y = 8, w = 140, h = 24})
qty.DataType = vl.VlTextLong
qty.Format = "##0"                 -- three digits: the box holds at most 999
qty.SpinButton = 2                 -- 0 none, 1 left, 2 right
qty.SpinIncrease = 1
qty.LowerValue = vl.Long(1)
qty.UpperValue = vl.Long(999)
qty.CheckValue = true
qty.Value = vl.Long(1)
qty.Captions[vl.VlTextCapLeft].Text = "数量"
qty.Captions[vl.VlTextCapLeft].Size = 45
qty.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
f:add_button("ok")

f:focus(qty)
f:key("Ctrl+Up")
f:key("Ctrl+Up")
f:key("Tab")
assert(qty.Value == vl.Long(3), tostring(qty.Value))

-- 0 is below the range: the box keeps 3, says why, and takes the focus back.
f:focus(qty)
f:key("Home"); f:key("Shift+End")
f:type("0")
f:key("Tab")
local shown = f:messages()
assert(#shown == 1 and shown[1].text == "入力値が下限値を超えました", #shown)
assert(f:focused() == "qty")
f:key("Home"); f:key("Shift+End")
f:type("12")
f:key("Tab")
assert(qty.Value == vl.Long(12), tostring(qty.Value))
print("quantity " .. tostring(qty.Value) .. "; refused 0 with: " .. shown[1].text)

f:render(arg[1] or "quantity.png")
