-- A phone number: ten digits shown as (03)1234-5678. The "!" fills the mask from the right, so a
-- shorter number keeps its last digits in place and the area code takes what is left.
--   vltext run examples/cookbook/phone.lua [picture.png]
local f = vl.Form{}

local function phoneBox(name, y, label)
  local b = f:add(name, {x = 8, y = y, w = 220, h = 24})
  b.DataType = vl.VlTextString
  b.Format = "!\\(99\\)9999\\-9999"    -- optional digits: a short area code is allowed
  b.IMEMode = vl.VlTextIMEDisable
  b.Captions[vl.VlTextCapLeft].Text = label
  b.Captions[vl.VlTextCapLeft].Size = 45
  b.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
  return b
end

local office = phoneBox("office", 8, "電話")
local fax = phoneBox("fax", 40, "FAX")
f:add_button("ok")

f:focus(office)
f:type("0312345678")
f:key("Tab")
fax.Value = "612345678"                   -- written by the program: nine digits
f:focus("ok")

assert(office.Value == vl.String("0312345678"), tostring(office.Value))
assert(f:shown(office) == "(03)1234-5678", f:shown(office))
assert(f:shown(fax) == "( 6)1234-5678", f:shown(fax))
print("phone: " .. f:shown(office) .. ", fax: " .. f:shown(fax))

f:render(arg[1] or "phone.png")
