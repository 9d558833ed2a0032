-- Nothing the user typed or the host loaded changes by itself, and every box reads back what it
-- shows: undo, the host's check on narrow boxes, Tab-throughs, placeholders, mask blanks, spin
-- steps at the extremes, and the selection the box reports.
local check = require "check"
local names = check.events

local f = vl.Form{}
f:add_button("before")
local b = f:add("b", { x = 0, y = 30, w = 200, h = 24 })
f:add_button("after")
b.SpinButton = 2

local function load(dataType, value, format)
  f:focus("before")
  b.DataType = dataType
  b.Format = format or ""
  b.Value = value
  f:events()
end

local function tabThrough()
  f:focus("before")
  f:key("Tab")
  check.eq(f:focused(), "b", "tabbed into the box")
  f:key("Tab")
end

-- Undo with nothing saved since the box took the focus does nothing: no emptied box, no Change,
-- no made-up value committed on leaving.
for _, row in ipairs({
  { vl.VlTextInteger, vl.Integer(12) },
  { vl.VlTextDouble, vl.Double(12.5) },
  { vl.VlTextCurrency, vl.Currency("12.5") },
  { vl.VlTextDate, vl.Date(2026, 5, 17) },
  { vl.VlTextString, vl.String("Alice") },
  { vl.VlTextByte, vl.Byte(12) },
}) do
  local dataType, value = row[1], row[2]
  load(dataType, value)
  f:focus(b)
  local shown = f:shown(b)
  f:key("Ctrl+Z")
  check.eq(f:shown(b), shown, value.typename .. ": Ctrl+Z with nothing to undo leaves the text")
  check.eq(names(f):find("Change"), nil, value.typename .. ": no Change")
  f:focus("after")
  check.eq(b.Value, value, value.typename .. ": the value is kept")
end

-- The undo text belongs to the value being edited: Alice's edit never comes back into Bob's record.
load(vl.VlTextString, "Alice")
f:focus(b)
f:key("End")
f:key("Backspace")
f:focus("after")
check.eq(b.Value, vl.String("Alic"), "Alice edited")
b.Value = "Bob"
f:focus(b)
f:key("End")
f:type("x")
f:key("Ctrl+Z")
f:focus("after")
check.eq(b.Value, vl.String("Bobx"), "Undo does not bring Alice back")
-- A value handed over while the box is being edited also starts afresh.
f:focus(b)
f:key("End")
f:key("Backspace")
b.Value = "Carol"
f:key("Ctrl+Z")
f:focus("after")
check.eq(b.Value, vl.String("Carol"), "Undo after a load changes nothing")
-- What was saved for this value still comes back.
f:focus(b)
f:key("End")
f:key("Backspace")
f:key("Ctrl+Z")
f:focus("after")
check.eq(b.Value, vl.String("Carol"), "Undo restores a deletion")
load(vl.VlTextLong, 12)
f:focus(b)
f:key("End")
f:key("Backspace")
f:key("Backspace")
f:key("Ctrl+Z")
f:focus("after")
check.eq(b.Value, vl.Long(12), "Undo brings back every deleted digit")

-- A text wider than a narrow box never skips the host's check: not on leaving, not on a Value
-- write, and it hides no adjustment of the format.
local narrow = vl.Form{}
narrow:add_button("before")
local n = narrow:add("n", { x = 0, y = 30, w = 30, h = 24 })
narrow:add_button("after")
local checks = 0
n.UserCheckValue = function(e) checks = checks + 1; e.ErrCode = 500; e.ErrString = "no" end
n.ValueError = function(e) e.ReturnFocus = false; e.CancelDisplay = true end
for _, row in ipairs({
  { vl.VlTextDouble, "123", vl.Double(987654321) },
  { vl.VlTextDate, "20260517", vl.Date(2020, 1, 1) },
}) do
  n.DataType = row[1]
  checks = 0
  narrow:focus(n)
  narrow:type(row[2])
  narrow:focus("after")
  check.eq(checks > 0, true, "DataType " .. row[1] .. ": UserCheckValue on leaving a narrow box")
  check.eq(n.Value, vl.Null, "DataType " .. row[1] .. ": the refused text is not committed")
  checks = 0
  narrow:focus(n)
  n.Value = row[3]
  check.eq(checks > 0, true, "DataType " .. row[1] .. ": UserCheckValue on a Value write")
  narrow:focus("after")
end
n.UserCheckValue = nil
n.DataType = vl.VlTextDouble
n.Format = "0.00"
narrow:events()
n.Value = 5.678
local adjusted = narrow:events()
check.eq(#adjusted, 1, "the adjustment is reported")
check.eq(adjusted[1].ErrCode, 1005, "adjusted to the format")
check.eq(n.Value, vl.Double(5.68), "Value holds what the box shows")

-- A Tab through a box keeps the value exactly, whatever the edit form shows of it.
for _, value in ipairs({
  vl.Double(0.1234567), vl.Double(1e-7), vl.Double(1 / 3), vl.Double(-5e-10), vl.Double(5e-324),
  vl.Single(0.1234567), vl.Single(1e-7),
  vl.DateSerial(45000.5000001),
}) do
  load(value.type, value)
  tabThrough()
  check.eq(b.Value, value, tostring(value) .. " after a Tab through")
end
-- What the user types still goes through the edit form's rules.
load(vl.VlTextDouble, vl.Double(0.1234567))
f:focus(b)
f:key("End")
f:key("Backspace")
f:type("8")
f:focus("after")
check.eq(b.Value, vl.Double(0.123458), "an edited text is read as typed")

-- A Format written while the user types re-formats what was typed: the typed digits are not
-- dropped for the value last committed, and a Null box does not become 0.
for _, row in ipairs({
  { vl.VlTextLong, vl.Null, "12", "#,##0", vl.Long(12) },
  { vl.VlTextLong, vl.Long(7), "12", "#,##0", vl.Long(712) },
  { vl.VlTextCurrency, vl.Null, "12", "#,##0.0", vl.Currency("12") },
  { vl.VlTextDouble, vl.Double(7), "12", "0.0", vl.Double(712) },
}) do
  local dataType, value, typed, format, want = table.unpack(row)
  load(dataType, value)
  f:focus(b)
  f:key("End")
  f:type(typed)
  b.Format = format
  f:focus("after")
  check.eq(b.Value, want, ("%q, typed %s, then Format %q"):format(tostring(value), typed, format))
end

-- A lone "0" holds the place of the integer part: Tab through an empty box (KeepNull False
-- commits 0), come back with Shift+Tab and type: the digits replace it.
for _, dataType in ipairs({ vl.VlTextInteger, vl.VlTextLong, vl.VlTextSingle, vl.VlTextDouble,
                            vl.VlTextCurrency, vl.VlTextByte }) do
  load(dataType, vl.Null)
  b.KeepNull = false
  tabThrough()
  check.eq(tonumber(b.Value.value), 0, "DataType " .. dataType .. ": Null committed as 0")
  f:key("Shift+Tab")
  f:type("123")
  f:focus("after")
  check.eq(tonumber(b.Value.value), 123, "DataType " .. dataType .. ": 123 typed over the placeholder")
end

-- An "@" run shows its empty positions as spaces, but the value never carries them; a typed
-- space is kept.
for _, row in ipairs({
  { "@@@@", "ab", "ab" },
  { "!@@@@", "ab", "ab" },
  { "@@\\-@@", "abc", "abc" },
  { "@@@@", "a b", "a b" },
}) do
  load(vl.VlTextString, row[2], row[1])
  tabThrough()
  check.eq(b.Value, vl.String(row[3]), row[1] .. " holding " .. row[2])
  check.eq(names(f):find("Change"), nil, row[1] .. ": no Change")
end
load(vl.VlTextString, "", "@@@@")
f:focus(b)
f:type("a b")
f:focus("after")
check.eq(b.Value, vl.String("a b"), "a typed space stays")

-- Spin steps saturate: an enormous increase takes integers to their bounds (no out-of-range
-- conversion), a date year wraps as a step past its range does.
for _, row in ipairs({
  { vl.VlTextInteger, vl.Integer(32767), vl.Integer(-32768) },
  { vl.VlTextLong, vl.Long(2147483647), vl.Long(-2147483648) },
  { vl.VlTextByte, vl.Byte(255), vl.Byte(0) },
  { vl.VlTextCurrency, vl.Currency("922337203685477.5807"), vl.Currency("-922337203685477.5808") },
}) do
  load(row[1], 5)
  b.SpinIncrease = 1e19
  f:focus(b)
  f:key("Ctrl+Up")
  check.eq(b.Value, row[2], row[2].typename .. " spun up by 1e19")
  f:key("Ctrl+Down")
  check.eq(b.Value, row[3], row[3].typename .. " spun down by 1e19")
  f:focus("after")
end
load(vl.VlTextCurrency, vl.Currency("-900000000000000"))
b.SpinIncrease = 1e15
f:focus(b)
f:key("Ctrl+Up")
f:focus("after")
check.eq(b.Value.value:sub(1, 5), "99999", "a step beyond every amount still adds exactly: " .. tostring(b.Value))
load(vl.VlTextDate, vl.Date(2026, 5, 17), "yyyy/mm/dd")
b.SpinIncrease = 2147483520
f:focus(b)
f:key("Home")
f:key("Ctrl+Up")
check.eq(b.Value, vl.Date(100, 5, 17), "a year past the maximum wraps to the minimum")
f:key("Ctrl+Down")
check.eq(b.Value, vl.Date(9999, 5, 17), "and one below the minimum to the maximum")
f:focus("after")

-- A step that is not a number is refused; the box keeps its increase.
b.SpinIncrease = 2
check.refused(380, nil, function() b.SpinIncrease = 0 / 0 end, "NaN SpinIncrease")
check.eq(b.SpinIncrease, 2.0, "SpinIncrease kept")
b.SpinIncrease = 1

-- The selection the box reports is where the next character goes.
local function typesAtSelection(what)
  local sel = f:selection(b)
  local text = f:shown(b)
  f:type("9")
  check.eq(f:shown(b), text:sub(1, sel.start) .. "9" .. text:sub(sel.start + sel.length + 1),
    what .. ": typed at the reported selection " .. sel.start)
end
for _, dataType in ipairs({ vl.VlTextLong, vl.VlTextDouble, vl.VlTextCurrency }) do
  load(dataType, 12)
  f:focus(b)
  f:key("Home")
  f:key("Ctrl+Up")
  typesAtSelection("DataType " .. dataType .. " after a spin")
  typesAtSelection("DataType " .. dataType .. " after typing")
  f:focus("after")
  load(dataType, vl.Null)
  f:focus(b)
  f:key("Ctrl+Up")
  check.eq(f:selection(b).start, 1, "DataType " .. dataType .. ": after a spin from Null the caret follows the digit")
  typesAtSelection("DataType " .. dataType .. " after a spin from Null")
  f:focus("after")
end

-- A Date spin step selects the field it stepped, not the separator after it.
load(vl.VlTextDate, vl.Date(2026, 5, 17), "yyyy/mm/dd")
f:focus(b)
f:key("Home")
for _ = 1, 4 do f:key("Right") end
check.eq(f:selection(b).start, 5, "caret in the month")
f:key("Ctrl+Up")
check.eq(f:shown(b), "2026/06/17", "month stepped")
check.eq(f:selection(b).start, 5, "month selected from its first digit")
check.eq(f:selection(b).length, 2, "month only")
check.eq(b.SelText, "06", "SelText is the month")
f:key("Ctrl+Up")
check.eq(b.SelText, "07", "a second step keeps the month selected")
f:focus("after")
