-- What a String box reports is what it shows: bounds that have no order, the edit layout and
-- selection of masked and multi-line boxes, Ctrl+Enter, wrapping while edited, a selection kept
-- visible after leaving, the input mode at the end of a mask, the Null text, and pastes that
-- carry the mask's literals.
local check = require "check"

local f = vl.Form{ font = "fixed" }
f:add_button("before")
local s = f:add("s")
f:add_button("after")
s.DataType = vl.VlTextString
local path = os.tmpname()

local function picture(box)
  f:render(path, box, { font = "fixed" })
  return vl.read_png(path)
end

-- Highlight pixels in a row band of a picture.
local HIGHLIGHT = 0xD77800
local function highlighted(p, y0, y1)
  local n = 0
  for y = y0, y1 do
    for x = 0, p.width - 1 do
      if p.pixel(x, y) == HIGHLIGHT then n = n + 1 end
    end
  end
  return n
end

-- String and Boolean bounds are never refused for their order: a String box exchanges a
-- reversed pair when it checks, and Booleans have no order.
do
  local g = vl.Form{}
  local rows = {
    { type = vl.VlTextString, lower = "b", upper = nil, what = "LowerValue b above the empty upper bound" },
    { type = vl.VlTextString, lower = "z", upper = "a", what = "a reversed String pair" },
    { type = vl.VlTextBoolean, lower = true, upper = false, what = "True below False" },
  }
  for i, r in ipairs(rows) do
    local b = g:add("b" .. i)
    b.DataType = r.type
    if r.upper ~= nil then b.UpperValue = r.upper end
    local ok, err = pcall(function() b.LowerValue = r.lower end)
    check.eq(ok, true, r.what .. ": " .. tostring(err))
    check.eq(b.LowerValue, r.type == vl.VlTextString and vl.String(r.lower) or vl.Boolean(r.lower), r.what)
  end
  -- Numbers keep their order.
  local n = g:add("n")
  n.DataType = vl.VlTextLong
  n.UpperValue = 5
  check.refused(380, nil, function() n.LowerValue = 10 end, "LowerValue above UpperValue of a Long box")
  -- The exchanged pair checks as B..A would: AB passes, C is above.
  local r = g:add("r")
  g:add_button("away")
  r.DataType = vl.VlTextString
  r.LowerValue = "B"
  r.UpperValue = "A"
  r.CheckValue = true
  r.ValueError = function(e) e.CancelDisplay = true; e.ReturnFocus = false end
  g:focus(r)
  g:type("AB")
  g:focus("away")
  check.eq(r.Value, vl.String("AB"), "AB lies between the exchanged bounds")
  g:events()
  g:focus(r)
  g:key("Ctrl+A")
  g:type("C")
  g:focus("away")
  local code
  for _, e in ipairs(g:events()) do if e.name == "ValueError" then code = e.ErrCode end end
  check.eq(code, 1000, "C is above the exchanged upper bound")
end
print("string_readback (bounds): ok")

os.remove(path)
print("string_readback: ok")
