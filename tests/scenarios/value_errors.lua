-- ValueError as the host sees it: the handler's answers decide the message box and the focus.
local check = require "check"

local f = vl.Form{}
local b = f:add("b")
local other = f:add("other")
b.DataType = vl.VlTextLong
b.CheckValue = true
b.UpperValue = 100
b.Value = 50
f:events()

-- Defaults: the message box is shown (titled with the control's name) and the box takes the focus.
f:focus(other)
b.Value = 150
local shown = f:messages()
check.eq(#shown, 1, "message box shown")
check.eq(shown[1].text, "入力値が上限値を超えました", "message text")
check.eq(shown[1].title, "VlText", "message title")
check.eq(f:focused(), "b", "the focus returns to the box")

-- CancelDisplay: no message box.
b.ValueError = function(e) e.CancelDisplay = true end
b.Value = 150
check.eq(#f:messages(), 0, "CancelDisplay hides the message box")

-- ReturnFocus False: the focus stays where it is and the box keeps its value.
f:focus(other)
b.ValueError = function(e) e.ReturnFocus = false end
b.Value = 150
check.eq(f:focused(), "other", "the focus stays")
check.eq(b.Value, vl.Long(50), "the previous value")
shown = f:messages()
check.eq(#shown, 1, "still a message box")
check.eq(shown[1].owner, nil, "owned by no window")

-- A disabled box never takes the focus back.
b.ValueError = nil
b.Enabled = false
b.Value = 150
check.eq(f:focused(), "other", "disabled: the focus stays")
b.Enabled = true

-- An error inside a handler is the script's error, raised when control returns to it.
b.ValueError = function() error("handler failed") end
local ok, err = pcall(function() b.Value = 150 end)
check.eq(ok, false, "handler error surfaces")
check.eq(tostring(err):find("handler failed") ~= nil, true, "with its message")

print("value_errors: ok")

-- A host that refuses every value and never takes the focus back does not send the box round
-- in circles: the box falls back once and stays usable.
local g = vl.Form{}
local r = g:add("r")
g:add_button("next")
r.DataType = vl.VlTextLong
r.Value = 1
r.UserCheckValue = function(e) e.ErrCode = 501; e.ErrString = "never" end
r.ValueError = function(e) e.ReturnFocus = false; e.CancelDisplay = true end
g:focus(r)
g:type("2")
g:focus("next")
check.eq(g:focused(), "next", "the focus moved on")
local refusals = 0
for _, e in ipairs(g:events()) do if e.name == "ValueError" then refusals = refusals + 1 end end
check.eq(refusals >= 1 and refusals <= 3, true, "a bounded number of reports: " .. refusals)
print("value_errors (refusing host): ok")
