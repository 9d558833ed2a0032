-- A Boolean box: a check box with its caption, cycled by clicks and Space, its keys, its commit
-- on leaving, and the plain-text clipboard.
local check = require "check"

local names = check.events

local f = vl.Form{}
f:add_button("before")
local b = f:add("agree")
f:add_button("after")
b.DataType = vl.VlTextBoolean
b.Caption = "&Agree"
check.eq(b.Value, vl.Null, "a new Boolean box is Null")
check.eq(b.BackColor, 2147483663, "a Boolean box takes the button face colour")
local m = f:mnemonic(b)
check.eq(m and m.key, "A", "the caption's ampersand is the accelerator")
f:events()

-- The focus ends Null (KeepNull is off): the box is unchecked, then clicks check and uncheck it.
f:focus(b)
check.eq(b.Value, vl.Boolean(false), "Null ended on focus")
check.eq(f:shown(b), "False", "shown while edited")
f:events()
f:click(b, 5, 5)
check.eq(names(f), "MouseDown MouseUp Click", "events of a click")
check.eq(b.Value, vl.Boolean(true), "first click checks")
f:click(b, 5, 5)
check.eq(b.Value, vl.Boolean(false), "second click unchecks")
f:click(b, 5, 5)
check.eq(b.Value, vl.Boolean(true), "third click checks again")
f:events()

-- Leaving runs the host's check with a Boolean.
local checked
b.UserCheckValue = function(e) checked = e.NewValue end
f:events()
f:focus("after")
check.eq(checked, vl.Boolean(true), "UserCheckValue carries the Boolean")
check.eq(names(f), "UserCheckValue", "leaving raises the check only")
check.eq(b.Value, vl.Boolean(true), "the value stays after leaving")

-- The host refuses: its code comes back as ValueError and the focus returns to the box.
b.UserCheckValue = function(e) e.ErrCode = 500; e.ErrString = "not now" end
b.ValueError = function(e) e.CancelDisplay = true end
f:focus(b)
f:events()
f:focus("after")
local ev = f:events()
check.eq(ev[#ev].name, "ValueError", "the host's code is a value error")
check.eq(ev[#ev].ErrCode, 500, "with the host's code")
check.eq(f:focused(), "agree", "the focus came back")
b.UserCheckValue = nil
b.ValueError = nil

-- Space toggles through the button; the events of one press.
f:focus(b)
f:events()
f:key("Space")
check.eq(names(f), "KeyDown KeyPress Click KeyUp", "events of Space")
check.eq(b.Value, vl.Boolean(false), "Space unchecks")
f:key("Space")
check.eq(b.Value, vl.Boolean(true), "Space checks")

-- A double click is two clicks.
f:dblclick(b, 5, 5)
check.eq(b.Value, vl.Boolean(true), "a double click toggles twice")

-- KeepNull: the focus keeps Null, and a click on a Null box checks it.
local k = f:add("kept")
k.DataType = vl.VlTextBoolean
k.KeepNull = true
f:focus(k)
check.eq(k.Value, vl.Null, "KeepNull keeps Null on focus")
check.eq(f:shown(k), "", "a Null box shows no value")
f:click(k, 5, 5)
check.eq(k.Value, vl.Boolean(true), "Null -> checked")
f:click(k, 5, 5)
check.eq(k.Value, vl.Boolean(false), "checked -> unchecked")
k.Value = vl.Null
check.eq(k.Value, vl.Null, "Null again by a write")
f:click(k, 5, 5)
check.eq(k.Value, vl.Boolean(true), "and the next click checks")

-- TabByInputLast: a click moves on to the next control.
b.TabByInputLast = true
f:focus(b)
f:click(b, 5, 5)
check.eq(b.Value, vl.Boolean(false), "the click toggled")
check.eq(f:focused(), "after", "and moved on")
b.TabByInputLast = false

-- The navigation keys on the button.
b.TabByReturn = true
f:focus(b)
f:key("Enter")
check.eq(f:focused(), "after", "Enter with TabByReturn moves on")
f:focus(b)
f:key("Shift+Enter")
check.eq(f:focused(), "before", "Shift+Enter moves back")
b.TabByHorzKey = true
f:focus(b)
f:key("Right")
check.eq(f:focused(), "after", "Right with TabByHorzKey moves on")
f:focus(b)
f:key("Left")
check.eq(f:focused(), "before", "Left with TabByHorzKey moves back")
b.TabByVertKey = true
f:focus(b)
f:key("Down")
check.eq(f:focused(), "after", "Down with TabByVertKey moves on")
f:focus(b)
f:key("Up")
check.eq(f:focused(), "before", "Up with TabByVertKey moves back")

-- A KeyPress handler that cancels the character changes nothing.
f:focus(b)
b.KeyPress = function(e) e.KeyAscii = 0 end
local before = b.Value
f:type("x")
check.eq(b.Value, before, "a cancelled character does nothing")
b.KeyPress = nil

-- The clipboard: plain text only.
b.Value = true
f:key("Ctrl+C")
local clip = f:clipboard()
check.eq(clip.text, "True", "Copy puts the value's text")
check.eq(#clip.formats, 1, "and nothing but text")
f:set_clipboard("False")
f:key("Ctrl+V")
check.eq(b.Value, vl.Boolean(false), "Paste of a Boolean text")
f:set_clipboard("12a")
f:key("Ctrl+V")
check.eq(b.Value, vl.Boolean(false), "Paste of another text changes nothing")

-- Locked: the value can still be changed by the button.
b.Locked = true
f:click(b, 5, 5)
check.eq(b.Value, vl.Boolean(true), "a locked box still toggles")
f:set_clipboard("False")
f:key("Ctrl+V")
check.eq(b.Value, vl.Boolean(true), "but takes no paste")
b.Locked = false

-- Appearance Flat remakes the check box; the value and the focus survive.
b.Appearance = 0
check.eq(b.Value, vl.Boolean(true), "value kept over a flat appearance")
check.eq(f:focused(), "agree", "focus kept")

-- Once shown, the check box stays: a click on it after the focus left takes the focus and toggles.
f:focus("after")
local was = b.Value
f:events()
f:click(b, 5, 5)
check.eq(f:focused(), "agree", "the click brought the focus back")
check.eq(b.Value == was, false, "and toggled")

-- Tab in and out through the form's navigation; the Tab that brought the focus has no KeyUp here.
f:focus("before")
f:events()
f:key("Tab")
check.eq(f:focused(), "agree", "tabbed in")
check.eq(names(f), "", "no key events for the Tab that came in")
f:key("Tab")
check.eq(f:focused(), "after", "tabbed out")

-- A DataType change while the box is edited: the new editor takes over.
f:focus(b)
b.Value = false
b.DataType = vl.VlTextLong
check.eq(f:focused(), "agree", "still edited")
check.eq(f:shown(b), "0", "False became 0")
f:key("Backspace")
f:type("7")
f:focus("after")
check.eq(b.Value, vl.Long(7), "a Long box now")
b.DataType = vl.VlTextBoolean
check.eq(b.Value, vl.Boolean(true), "7 converts to True")

-- A click on a Boolean box that was never edited starts editing and reaches the check box.
local fresh = f:add("fresh")
fresh.DataType = vl.VlTextBoolean
fresh.Value = false
f:focus("after")
f:events()
f:click(fresh, 5, 5)
check.eq(f:focused(), "fresh", "the click started editing")
check.eq(names(f), "MouseDown MouseUp Click", "one click's events")
check.eq(fresh.Value, vl.Boolean(true), "and toggled the box")
