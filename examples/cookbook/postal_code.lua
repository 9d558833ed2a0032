-- A postal code: seven digits shown as 〒100-0001. The box holds only the digits; the mask adds
-- the 〒 and the dash for display and while the user types.
--   vltext run examples/cookbook/postal_code.lua [picture.png]
local f = vl.Form{}

local zip = f:add("zip", {x = 8, y = 8, w = 200, h = 24})
zip.DataType = vl.VlTextString
zip.Format = "\\〒000\\-0000"           -- in Lua source a backslash is written twice
zip.IMEMode = vl.VlTextIMEDisable       -- digits only: no input method in this box
zip.Captions[vl.VlTextCapLeft].Text = "郵便番号"
zip.Captions[vl.VlTextCapLeft].Size = 60
zip.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
f:add_button("next")

-- A user types the code; letters are refused, the dash is the mask's.
f:focus(zip)
f:type("100a0001")
f:key("Tab")

assert(zip.Value == vl.String("1000001"), tostring(zip.Value))
assert(f:shown(zip) == "〒100-0001", f:shown(zip))
print("postal code: " .. tostring(zip.Value) .. " shown as " .. f:shown(zip))

f:render(arg[1] or "postal_code.png")
