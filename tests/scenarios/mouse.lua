-- Mouse input on a box: one click is one MouseDown, a click starts editing, a disabled box takes
-- nothing, moves report their buttons and keys.
local check = require "check"

local function seen(f)
  local out = {}
  for _, e in ipairs(f:events()) do out[#out + 1] = e.name end
  return table.concat(out, " ")
end

local f = vl.Form{}
f:add_button("x")
local b = f:add("b", { x = 0, y = 0, w = 160, h = 24 })
b.Value = "hello"
f:focus("x")
f:events()

f:click(b, 20, 10)
check.eq(f:focused(), "b", "a click starts editing")
check.eq(seen(f), "MouseDown MouseUp Click", "one click, one MouseDown")

f:dblclick(b, 20, 10)
check.eq(seen(f), "MouseDown MouseUp Click DblClick MouseUp", "double click")

f:mousemove(b, 30, 10, { buttons = { "left", "right" } })
local moves = f:events()
check.eq(moves[#moves].name, "MouseMove", "move")
check.eq(moves[#moves].Button, 2, "right wins a move")

f:mousedown(b, 30, 10, { button = "right" })
local down = f:events()
check.eq(down[#down].Button, 2, "right press")
f:mouseup(b, 30, 10, { button = "right" })
f:events()

-- A box that has never been edited reports moves itself.
local fresh = f:add("fresh", { x = 0, y = 30, w = 160, h = 24 })
f:events()
f:mousemove(fresh, 40, 12, { alt = true })
local m
for _, e in ipairs(f:events()) do if e.name == "MouseMove" then m = e end end
check.eq(m ~= nil, true, "MouseMove from the control")
check.eq(m.Shift, 4, "Alt held")
check.eq(m.x, 40, "control coordinates")

-- A disabled box swallows clicks.
local off = f:add("off", { x = 0, y = 60, w = 160, h = 24 })
off.Enabled = false
f:focus("x")
f:events()
f:click(off, 20, 10)
check.eq(f:focused(), "x", "no focus")
check.eq(seen(f), "", "no events")

-- A drag into a box that is not being edited starts editing and selects what it crosses.
do
  local g = vl.Form{ font = "fixed" }
  g:add_button("x")
  local d = g:add("d", { x = 0, y = 0, w = 160, h = 24 })
  d.Value = "hello world"
  g:focus("x")
  g:mousedown(d, 4, 10)
  g:mousemove(d, 40, 10, { buttons = { "left" } })
  g:mouseup(d, 40, 10)
  local sel = g:selection(d)
  check.eq(g:focused(), "d", "the drag started editing")
  check.eq(sel.start, 0, "selection from the press")
  check.eq(sel.length > 0, true, "the drag selected text")
end

print("mouse: ok")
