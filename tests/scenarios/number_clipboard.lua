-- Copy and Paste between numeric boxes: the private formats carry the value exactly; other
-- boxes take the text; text that is no number is refused.
local check = require "check"

local f = vl.Form{}
local a = f:add("a")
local b = f:add("b")
local d = f:add("d")
a.DataType = vl.VlTextLong
b.DataType = vl.VlTextLong
d.DataType = vl.VlTextDouble
a.Value = -12
b.Value = 7
d.Value = 1.5

f:focus(a)
f:key("Ctrl+C")
local clip = f:clipboard()
check.eq(clip.text, "-12", "CF_TEXT is the whole edit text")
check.eq(table.concat(clip.formats, " "), "CF_TEXT VlCF_LONG", "with the private format")

f:focus(b)
f:key("Ctrl+A")
f:events()
f:key("Ctrl+V")
check.eq(f:shown(b), "-12", "the Long arrives through VlCF_LONG")
local changed = false
for _, e in ipairs(f:events()) do changed = changed or e.name == "Change" end
check.eq(changed, true, "a paste is a change")

f:focus(d)
f:key("Ctrl+A")
f:key("Ctrl+V")
check.eq(f:shown(d), "-12", "a Double box takes the text")

-- Another program's text that is no number is refused and changes nothing.
f:set_clipboard("12a")
f:focus(b)
f:events()
f:key("Ctrl+V")
check.eq(f:shown(b), "-12", "12a refused")
for _, e in ipairs(f:events()) do check.eq(e.name == "Change", false, "no Change for a refused paste") end

-- A Long value out of the range of the receiving box is refused by its range.
b.CheckValue = true
b.LowerValue = 0
b.UpperValue = 100
a.Value = 5000
f:focus(a)
f:key("Ctrl+C")
f:focus(b)
f:key("Ctrl+V")
check.eq(f:shown(b), "-12", "a pasted value above the range is refused")

print("number_clipboard: ok")
