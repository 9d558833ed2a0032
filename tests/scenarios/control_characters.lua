-- Control characters typed into a String box: a DEL (the byte masked layouts use for an empty
-- position) is an ordinary character of an unmasked box, kept in Value as it is shown and selected.
local check = require "check"

local f = vl.Form{ font = "fixed" }
local b = f:add("b")
f:add_button("ok")

f:focus(b)
f:type("a\127b")
check.eq(f:shown(b), "a\127b", "shown while editing")
check.eq(f:selection(b).start, 3, "the caret after the three characters")
check.eq(b.Text, "a\127b", "Text")
f:focus("ok")
check.eq(b.Value, vl.String("a\127b"), "Value keeps the DEL")
f:focus(b)
f:key("Ctrl+A")
f:key("Ctrl+C")
check.eq(f:clipboard().text, "a\127b", "copied whole")

-- A masked box takes no DEL into its positions: the value holds only what was typed.
b.Value = vl.Null
b.Format = "&&&"
f:focus(b)
f:type("x\127y")
f:focus("ok")
check.eq(b.Value, vl.String("xy"), "a masked value has no DEL")
