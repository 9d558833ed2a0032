-- The host's own calls: button captions cross the UTF-8 boundary like every other text, and
-- f:focus says whether the focus went where it was asked to.
local check = require "check"

local f = vl.Form{ font = "fixed" }
local b = f:add("b", { x = 8, y = 8, w = 160, h = 24 })
f:add_button("登録", { x = 8, y = 38, w = 160, h = 24 })
local path = os.tmpname()

-- The caption 登録 is as wide as the same text in a box: two double-byte characters, not the
-- six bytes of its UTF-8 form read as CP932.
b.Value = "登録"
f:render(path, { font = "fixed" })
local p = vl.read_png(path)
local function inkWidth(y0, y1)
  local lo, hi
  for y = y0, y1 do
    for x = 12, 160 do
      if p.pixel(x, y) == 0x000000 then
        lo = math.min(lo or x, x)
        hi = math.max(hi or x, x)
      end
    end
  end
  return lo and (hi - lo + 1) or 0
end
local boxText, caption = inkWidth(12, 28), inkWidth(42, 58)
check.eq(boxText > 0, true, "the box shows its text")
check.eq(math.abs(caption - boxText) <= 2, true, ("the caption is as wide as the text (%d, %d)"):format(caption, boxText))
check.refused(380, nil, function() f:add_button("한") end, "a caption CP932 cannot hold")
os.remove(path)
print("host_calls (button caption): ok")

-- f:focus answers true when the focus went there, false when a box kept it.
local n = f:add("n", { x = 8, y = 68, w = 160, h = 24 })
n.DataType = vl.VlTextLong
n.CheckValue = true
n.UpperValue = 100
n.ValueError = function(e) e.CancelDisplay = true end
check.eq(f:focus(n), true, "to a box")
f:type("150")
check.eq(f:focus("登録"), false, "a pending ValueError keeps the focus in the box")
check.eq(f:focused(), "n", "where the focus is")
f:key("Ctrl+A")
f:type("50")
check.eq(f:focus("登録"), true, "to a button once the value is good")
check.eq(f:focus(b), true, "to a box again")
print("host_calls (focus): ok")
