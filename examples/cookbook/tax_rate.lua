-- A tax rate shown as a percent. The box holds the rate as a fraction (0.1 for 10%), which is
-- what a calculation needs; the percent format multiplies it by 100 for display only, so the
-- user edits the fraction itself. Bounds keep it between 0% and 100%.
--   vltext run examples/cookbook/tax_rate.lua [picture.png]
local f = vl.Form{}

local rate = f:add("rate", {x = 8, y = 8, w = 160, h = 24})
rate.DataType = vl.VlTextDouble
rate.Format = "0.0%"
rate.LowerValue = vl.Double(0)
rate.UpperValue = vl.Double(1)
rate.CheckValue = true
rate.Value = vl.Double(0.1)
rate.Captions[vl.VlTextCapLeft].Text = "税率"
rate.Captions[vl.VlTextCapLeft].Size = 45
rate.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

local reduced = f:add("reduced", {x = 8, y = 40, w = 160, h = 24})
reduced.DataType = vl.VlTextDouble
reduced.Format = "0.0%"
reduced.LowerValue = vl.Double(0)
reduced.UpperValue = vl.Double(1)
reduced.CheckValue = true
reduced.Captions[vl.VlTextCapLeft].Text = "軽減"
reduced.Captions[vl.VlTextCapLeft].Size = 45
reduced.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
f:add_button("ok")

assert(f:shown(rate) == "10.0%", f:shown(rate))
-- While the box has the focus it shows the fraction; the user types 0.08 for 8%.
f:focus(reduced)
f:type("0.08")
f:key("Tab")
assert(reduced.Value == vl.Double(0.08), tostring(reduced.Value))
assert(f:shown(reduced) == "8.0%", f:shown(reduced))
print("tax " .. f:shown(rate) .. ", reduced " .. f:shown(reduced))

f:render(arg[1] or "tax_rate.png")
