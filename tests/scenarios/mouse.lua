-- Mouse input on a box: one click is one MouseDown, a click starts editing, a disabled box takes
-- nothing, moves report their buttons and keys.
local check = require "check"

local seen = check.events

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

-- The first click on a box that is not being edited is classified while the control holds the
-- mouse: each way the wait can end gives the host one MouseDown and leaves the box usable.
local function fresh_form()
  local g = vl.Form{ font = "fixed" }
  g:add_button("x")
  local d = g:add("d", { x = 0, y = 0, w = 160, h = 24 })
  local e = g:add("e", { x = 0, y = 30, w = 160, h = 24 })
  d.Value = "hello world"
  e.Value = "other"
  g:focus("x")
  g:events()
  return g, d, e
end

local function count(events, name)
  local n = 0
  for _, ev in ipairs(events) do if ev.name == name then n = n + 1 end end
  return n
end

do -- a drag: the second move before the release selects from the press
  local g, d = fresh_form()
  g:mousedown(d, 4, 10)
  g:mousemove(d, 20, 10, { buttons = { "left" } })
  check.eq(g:selection(d).length, 0, "one move alone is not a drag yet: the control holds the mouse")
  g:mousemove(d, 40, 10, { buttons = { "left" } })
  g:mouseup(d, 40, 10)
  local sel = g:selection(d)
  check.eq(g:focused(), "d", "the drag started editing")
  check.eq(sel.start, 0, "selection from the press")
  check.eq(sel.length > 0, true, "the drag selected text")
  local ev = g:events()
  check.eq(count(ev, "MouseDown"), 1, "a drag is one press")
  check.eq(count(ev, "Click"), 1, "and one click")
end

do -- a press held past the double-click time: the edit window tracks from then on
  local g, d = fresh_form()
  g:mousedown(d, 4, 10)
  g:wait(600)
  g:mousemove(d, 40, 10, { buttons = { "left" } })
  g:mouseup(d, 40, 10)
  check.eq(g:selection(d).length > 0, true, "a move after the wait selects")
  check.eq(count(g:events(), "MouseDown"), 1, "the press handed back raises no second MouseDown")
end

do -- a plain click: the timer ends the wait and nothing more happens
  local g, d = fresh_form()
  g:click(d, 20, 10)
  g:wait(600)
  check.eq(seen(g), "MouseDown MouseUp Click", "one click, the wait adds nothing")
  g:mousemove(d, 60, 10)
  check.eq(g:selection(d).length, 0, "the mouse is free again: a move selects nothing")
end

do -- a click then typing at once: keys go on with the key state they were pressed in
  local g, d = fresh_form()
  g:click(d, 150, 10)
  g:key("Shift+A")
  g:type("b")
  check.eq(g:shown(d), "hello worldAb", "the keys after the click arrive in order, Shift held")
end

do -- a click on another box before the wait ends goes to that box
  local g, d, e = fresh_form()
  g:click(d, 20, 10)
  g:click(e, 20, 10)
  check.eq(g:focused(), "e", "the second box took the click")
  g:mousedown(e, 4, 10)
  g:mousemove(e, 30, 10, { buttons = { "left" } })
  g:mouseup(e, 30, 10)
  check.eq(g:selection(e).length > 0, true, "the second box is being edited directly: a drag selects")
end

-- The pointer: the text-insertion cursor over a box that is not being edited, the class cursor
-- of the edit window while it is, an arrow elsewhere.
do
  local g = vl.Form{ font = "fixed" }
  g:add_button("x")
  local t = g:add("t", { x = 0, y = 0, w = 160, h = 24 })
  t.Captions[0].Size = 30
  t.Captions[0].Text = "名前"
  local flag = g:add("flag", { x = 0, y = 30, w = 160, h = 24 })
  flag.DataType = vl.VlTextBoolean
  local off = g:add("off", { x = 0, y = 60, w = 160, h = 24 })
  off.Enabled = false
  g:focus("x")
  local rows = {
    { t, 60, 10, "ibeam", "over a box at rest" },
    { t, 10, 10, "arrow", "over its caption" },
    { flag, 60, 10, "arrow", "over a Boolean box" },
    { off, 60, 10, "arrow", "over a disabled box" },
  }
  for _, r in ipairs(rows) do
    g:mousemove(r[1], r[2], r[3])
    check.eq(g:cursor(), r[4], r[5])
  end
  g:click(t, 60, 10)
  g:wait(600)
  g:mousemove(t, 70, 10)
  check.eq(g:cursor(), "ibeam", "over the edit window")
  g:events()
  g:mousemove(t, 10, 10)
  check.eq(g:cursor(), "arrow", "back over the caption")
  -- A move over the caption while the box is edited is reported with the control window's point.
  local ev = g:events()
  check.eq(#ev, 1, "one event for the move")
  check.eq(ev[1].name .. " " .. ev[1].x .. "," .. ev[1].y, "MouseMove 10,10", "the control window's point")
end

print("mouse: ok")
