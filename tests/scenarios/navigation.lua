-- Moving the focus from a box: Tab, TabByHorzKey, TabByVertKey, TabByReturn, TabByInputLast,
-- the user's Shift state, the browser host's keyboard filter, and the mnemonic.
local check = require "check"

local names = check.events

local f = vl.Form{}
f:add_button("first")
local a = f:add("a")
local b = f:add("b")
f:add_button("last")
for _, box in ipairs({ a, b }) do box.DataType = vl.VlTextLong end
a.Value = 12
b.Value = 34

-- Plain Tab and Shift+Tab go through the host's dialog navigation.
f:focus("first")
f:key("Tab")
check.eq(f:focused(), "a", "Tab")
f:key("Tab")
check.eq(f:focused(), "b", "Tab again")
f:key("Shift+Tab")
check.eq(f:focused(), "a", "Shift+Tab")

-- Left at the first position with TabByHorzKey: previous control, no KeyDown.
a.TabByHorzKey = true
f:key("Home")
f:events()
f:key("Left")
check.eq(f:focused(), "first", "Left at the first position")
for _, e in ipairs(f:events()) do
  check.eq(e.name == "KeyDown" and e.KeyCode == 37, false, "no KeyDown for the Left that moved")
end
-- Right at the last position moves on.
f:focus(a)
f:key("End")
f:key("Right")
check.eq(f:focused(), "b", "Right at the last position")

-- TabByVertKey: Up and Down move.
b.TabByVertKey = true
f:key("Down")
check.eq(f:focused(), "last", "Down")
f:focus(b)
f:key("Up")
check.eq(f:focused(), "a", "Up")

-- TabByReturn: Enter moves on key-up without a KeyUp; Shift+Enter moves back.
a.TabByReturn = true
f:focus(a)
f:events()
f:keydown("Enter")
check.eq(f:focused(), "a", "not yet on key-down")
f:keyup("Enter")
check.eq(f:focused(), "b", "moved on key-up")
for _, e in ipairs(f:events()) do
  check.eq(e.name == "KeyUp" and e.KeyCode == 13, false, "no KeyUp for that Enter")
end
f:focus(a)
f:key("Shift+Enter")
check.eq(f:focused(), "first", "Shift+Enter goes back")

-- The user's Shift state is restored after the synthetic Tab.
f:focus(a)
f:keydown("Shift")
f:key("Enter")
check.eq(f:focused(), "first", "Shift held: backwards")
f:focus(a)
f:key("Tab")  -- still holding Shift
check.eq(f:focused(), "first", "Shift still reads as held")
f:keyup("Shift")

-- TabByInputLast: filling the last position moves on after the Change.
local zip = f:add("zip")
zip.DataType = vl.VlTextInteger
zip.Format = "000"
zip.TabByInputLast = true
f:focus(zip)
f:events()
f:type("123")
check.eq(f:focused(), "first", "moved after the last digit")
check.eq(zip.Value, vl.Integer(123), "committed")

-- A browser host keeps Home and End in the box; another host handles them itself.
local web = vl.Form{ browser = true }
local w = web:add("w")
w.Value = "abcdef"
web:focus(w)
web:key("End")
check.eq(web:selection(w).start, 6, "End in a browser host")
web:key("Home")
check.eq(web:selection(w).start, 0, "Home in a browser host")

-- Mnemonics: the first "&" of the Boolean caption, else of the captions Left, Right, Top, Bottom.
local m = f:add("m")
m.DataType = vl.VlTextBoolean
m.Caption = "&Yes"
local acc = f:mnemonic(m)
check.eq(acc.key, "Y", "Boolean caption")
check.eq(acc.alt, true, "with Alt")
m.Caption = "No mnemonic"
check.eq(f:mnemonic(m), nil, "no ampersand anywhere")
m.Captions[vl.VlTextCapTop].Text = "&Top"
m.Captions[vl.VlTextCapLeft].Text = "&Name"
check.eq(f:mnemonic(m).key, "N", "the Left caption comes first")

-- Clicking into a disabled box does not start editing.
local off = f:add("off")
off.Enabled = false
f:focus("last")
f:click(off, 10, 10)
check.eq(f:focused(), "last", "a disabled box takes no focus")

-- Names are the form's: a box cannot take a button's name, nor a button a box's.
check.eq(pcall(function() f:add("first") end), false, "a box named like a button")
check.eq(pcall(function() f:add_button("a") end), false, "a button named like a box")

print("navigation: ok")
