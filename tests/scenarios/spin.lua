-- Spin steps from the keyboard and from the arrows, with their bounds, delay and Locked.
local check = require "check"

local function count(f, name)
  local n = 0
  for _, e in ipairs(f:events()) do if e.name == name then n = n + 1 end end
  return n
end

local f = vl.Form{}
local b = f:add("n", { x = 0, y = 0, w = 160, h = 24 })
b.DataType = vl.VlTextLong
b.SpinButton = 2

-- Bounds: the top of a Long stays where it is, still raising SpinUp but no Change.
b.Value = 2147483647
f:focus(b)
f:events()
f:key("Ctrl+Up")
check.eq(b.Value, vl.Long(2147483647), "Long at its top")
local events = f:events()
local seen = {}
for _, e in ipairs(events) do seen[#seen + 1] = e.name end
check.eq(table.concat(seen, " "):find("SpinUp") ~= nil, true, "SpinUp raised")
check.eq(table.concat(seen, " "):find("Change") == nil, true, "no Change at the bound")

-- The increase is truncated toward zero for integers.
b.Value = 5
b.SpinIncrease = 1.9
f:key("Ctrl+Up")
check.eq(b.Value, vl.Long(6), "1.9 steps a Long by 1")
b.SpinIncrease = 0.5
f:key("Ctrl+Up")
check.eq(b.Value, vl.Long(6), "0.5 does not move a Long")
b.SpinIncrease = 1

-- Holding Ctrl+Up: one step at once, then at most one per SpinDelay of the virtual clock.
b.Value = 0
f:events()
f:keydown("Ctrl+Up", { autorepeat = true })
check.eq(b.Value, vl.Long(1), "the first step at once")
f:wait(249)
check.eq(b.Value, vl.Long(1), "no second step within the delay (keyboard repeat waits 500 ms)")
f:wait(751)
-- Repeats from 500 ms on; steps at 500 and 750 (and the one at 1000 is 250 after 750).
local v = b.Value.value
check.eq(v >= 3 and v <= 4, true, "at most one step per 250 ms: got " .. v)
f:keyup("Ctrl+Up")
f:keyup("Ctrl")
check.eq(count(f, "SpinUp"), v, "one SpinUp per step")

-- Without a spin button Ctrl+Up is a plain Up key.
local plain = f:add("plain", { x = 0, y = 30, w = 160, h = 24 })
plain.DataType = vl.VlTextLong
plain.Value = 7
f:focus(plain)
f:events()
f:key("Ctrl+Up")
check.eq(plain.Value, vl.Long(7), "no step")
check.eq(count(f, "SpinUp"), 0, "no SpinUp")

-- Byte at 0 stays on spin down.
local byte = f:add("byte", { x = 0, y = 60, w = 160, h = 24 })
byte.DataType = vl.VlTextByte
byte.SpinButton = 1
byte.Value = 0
f:focus(byte)
f:key("Ctrl+Down")
check.eq(byte.Value, vl.Byte(0), "Byte at 0")

-- Locked: no step, no SpinUp or SpinDown, no Change.
f:focus(b)
b.Locked = true
b.Value = 10
f:events()
f:key("Ctrl+Up")
f:key("Ctrl+Down")
check.eq(b.Value, vl.Long(10), "locked value")
check.eq(count(f, "SpinUp") + count(f, "SpinDown"), 0, "no spin events while locked")
b.Locked = false

-- The arrows: a press steps at once; holding repeats no faster than SpinDelay.
f:events()
f:mousedown(b, 160 - 8, 4)
check.eq(b.Value, vl.Long(11), "press on the up arrow")
f:wait(1000)
f:mouseup(b, 160 - 8, 4)
check.eq(b.Value, vl.Long(14), "held for a second: steps at 500, 750 and 1000 ms")
f:mousedown(b, 160 - 8, 20)
f:mouseup(b, 160 - 8, 20)
check.eq(b.Value, vl.Long(13), "down arrow")
b.SpinDelay = 0
f:mousedown(b, 160 - 8, 4)
f:wait(600)
f:mouseup(b, 160 - 8, 4)
check.eq(b.Value.value >= 16, true, "SpinDelay 0: every repeat steps")

-- A Null box steps from 0.
local n = f:add("null", { x = 0, y = 90, w = 160, h = 24 })
n.DataType = vl.VlTextInteger
n.SpinButton = 2
f:focus(n)
f:key("Ctrl+Down")
check.eq(n.Value, vl.Integer(-1), "Null steps from 0")

print("spin: ok")
