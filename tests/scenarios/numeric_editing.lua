-- Typing into numeric boxes: the events of each keystroke, the commit on leaving, and the
-- host's answers.
local check = require "check"

local names = check.events

local f = vl.Form{}
f:add_button("before")
local b = f:add("price")
f:add_button("after")
b.DataType = vl.VlTextLong
b.Format = "#,##0"
b.CheckValue = true
b.UpperValue = 100
b.TabByReturn = true
f:events()

-- Tab in, type 150, leave with Enter: each keystroke's events, then ValueError 1000.
f:focus("before")
f:key("Tab")
check.eq(f:focused(), "price", "tabbed in")
f:type("150")
f:key("Enter")
local events = f:events()
local seen = {}
for _, e in ipairs(events) do seen[#seen + 1] = e.name end
check.eq(table.concat(seen, " "),
  "KeyDown KeyPress Change KeyUp KeyDown KeyPress Change KeyUp KeyDown KeyPress Change KeyUp KeyDown KeyPress ValueError",
  "events of typing 150 and Enter")
local err = events[#events]
check.eq(err.ErrCode, 1000, "ErrCode")
check.eq(err.ErrValue, vl.String("150"), "ErrValue is the typed text")
check.eq(err.ErrString, "入力値が上限値を超えました", "ErrString")
local shown = f:messages()
check.eq(#shown, 1, "message box")
check.eq(shown[1].owner, "price", "owned by the box")
check.eq(f:focused(), "price", "the focus came back")
-- While the refused text is still in the box, reading Value gives the refused text.
check.eq(b.Value, vl.String("150"), "Value read while the text is refused")

-- ReturnFocus False: the text is dropped, the box shows its previous value, the focus moves on.
f:key("Escape")
b.ValueError = function(e) e.ReturnFocus = false end
f:focus("before")
b.Value = 42
f:focus(b)
f:key("End")
f:type("9")
f:key("Enter")
check.eq(f:focused(), "after", "the focus moved on")
check.eq(b.Value, vl.Long(42), "previous value kept")
check.eq(f:shown(b), "42", "previous value shown")
b.ValueError = nil
f:messages()

-- The host's user check: a code of its own, or an editor status.
b.UserCheckValue = function(e)
  if e.NewValue == vl.Long(13) then e.ErrCode = 500; e.ErrString = "unlucky" end
  if e.NewValue == vl.Long(7) then e.ErrCode = 2; e.ErrString = "too small" end
end
for _, row in ipairs({ { "13", 500, "unlucky", vl.String("unlucky") }, { "7", 1001, "入力値が下限値を超えました", vl.String("too small") } }) do
  f:focus(b)
  f:key("Ctrl+A")
  f:type(row[1])
  f:events()
  f:focus("after")
  local evs = f:events()
  local last
  for _, e in ipairs(evs) do if e.name == "ValueError" then last = e end end
  check.eq(last ~= nil, true, "ValueError after UserCheckValue " .. row[1])
  check.eq(last.ErrCode, row[2], "code for " .. row[1])
  check.eq(last.ErrString, row[3], "message for " .. row[1])
  check.eq(last.ErrValue, row[4], "ErrValue for " .. row[1])
  f:key("Escape")
end
b.UserCheckValue = nil
f:messages()

-- KeyPress can cancel a character; KeyDown's KeyCode is only a copy.
f:focus("before")
b.Value = 1
f:focus(b)
f:key("End")
b.KeyPress = function(e) if e.KeyAscii == 50 then e.KeyAscii = 0 end end
b.KeyDown = function(e) e.KeyCode = 0 end
f:type("23")
check.eq(f:shown(b), "13", "2 cancelled, 3 typed despite KeyCode rewritten")
b.KeyPress = nil
b.KeyDown = nil

-- Character filters.
local byte = f:add("byte")
byte.DataType = vl.VlTextByte
local int = f:add("int")
int.DataType = vl.VlTextInteger
f:focus(byte)
f:type("+-.7")
check.eq(f:shown(byte), "7", "a Byte box takes digits only")
f:focus(int)
f:type("-3.5")
check.eq(f:shown(int), "-35", "an Integer box refuses the point")
f:focus("after")
check.eq(int.Value, vl.Integer(-35), "committed")

-- The decimal point key jumps behind an existing point.
local dbl = f:add("dbl")
dbl.DataType = vl.VlTextDouble
dbl.Value = 12.5
f:focus(dbl)
f:key("Home")
f:type(".")
check.eq(f:shown(dbl), "12.5", "no second point")
check.eq(f:selection(dbl).start, 3, "caret behind the point")
f:type("7")
check.eq(f:shown(dbl), "12.75", "typing goes on after the point")

-- Values loaded into a format that cannot hold them.
f:focus("after")
dbl.Format = "#,##0.00"
f:events()
dbl.Value = 12345.6
local e = f:events()[1]
check.eq(e.ErrCode, 1003, "five integer digits into four places")
check.eq(dbl.Value, vl.Double(12.75), "kept")
dbl.Value = 1.234
e = f:events()[1]
check.eq(e.ErrCode, 1005, "three decimals into two")
check.eq(dbl.Value, vl.Double(1.23), "rounded to the format")
check.eq(f:shown(dbl), "1.23", "display through the format")
local cents = f:add("cents")
cents.DataType = vl.VlTextDouble
cents.Format = "0.00"
f:events()
cents.Value = 9.995
check.eq(f:events()[1].ErrCode, 1003, "a carry the format has no place for is refused, not cut to 0.00")
check.eq(cents.Value, vl.Null, "nothing stored")
f:messages()

-- Commits that overflow the type.
local long = f:add("long")
long.DataType = vl.VlTextLong
long.ValueError = function(ev) ev.ReturnFocus = false; ev.CancelDisplay = true end
for _, row in ipairs({ { "99999999999", 1000 }, { "-99999999999", 1001 } }) do
  f:focus(long)
  f:key("Ctrl+A")
  f:type(row[1])
  f:events()
  f:focus("after")
  local got
  for _, ev in ipairs(f:events()) do if ev.name == "ValueError" then got = ev.ErrCode end end
  check.eq(got, row[2], "eleven digits " .. row[1])
end

print("numeric_editing: ok")
