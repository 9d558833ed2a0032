-- Handlers that change the box under the event that called them: the box survives its own events.
-- Each row raises one event with a handler that changes DataType, re-makes the edit window, moves
-- the focus, writes Value or raises an error; afterwards the box still answers and holds a value
-- of its data type. The sanitizer build runs this too: a use of a freed editor fails it there.
local check = require "check"

local function typeOk(b)
  local v = b.Value
  return v.type == 1 or v.type == 0 or v.type == b.DataType
end

-- A fresh form with box b (Long unless told) and a button to move the focus to.
local function form(dataType)
  local f = vl.Form{ font = "fixed" }
  local b = f:add("b", { x = 0, y = 0, w = 160, h = 24 })
  f:add_button("ok")
  b.DataType = dataType or vl.VlTextLong
  return f, b
end

local actions = {
  datatype = function(f, b) b.DataType = b.DataType == vl.VlTextDate and vl.VlTextLong or vl.VlTextDate end,
  recreate = function(f, b) b.Locked = not b.Locked end,
  align = function(f, b) b.Alignment = (b.Alignment + 1) % 3 end,
  focus = function(f, b) f:focus("ok") end,
  value = function(f, b) b.Value = vl.Null end,
  raise = function(f, b) error("handler fails") end,
}

-- How each event is raised, from a focused box.
local triggers = {
  KeyPress = function(f, b) f:type("7") end,
  KeyDown = function(f, b) f:key("Right") end,
  KeyUp = function(f, b) f:key("Right") end,
  Change = function(f, b) f:type("7") end,
  UserCheckValue = function(f, b) f:type("7"); f:focus("ok") end,
  ValueError = function(f, b) b.CheckValue = true; b.UpperValue = 5; f:type("9"); f:focus("ok") end,
  SpinUp = function(f, b) b.SpinButton = 2; f:key("Ctrl+Up") end,
  SpinDown = function(f, b) b.SpinButton = 2; f:key("Ctrl+Down") end,
  MouseDown = function(f, b) f:click(b, 20, 10) end,
  MouseUp = function(f, b) f:click(b, 20, 10) end,
  Click = function(f, b) f:click(b, 20, 10) end,
  DblClick = function(f, b) f:dblclick(b, 20, 10) end,
}

local events = {}
for name in pairs(triggers) do events[#events + 1] = name end
table.sort(events)
local actionNames = {}
for name in pairs(actions) do actionNames[#actionNames + 1] = name end
table.sort(actionNames)

for _, event in ipairs(events) do
  for _, action in ipairs(actionNames) do
    for _, dataType in ipairs({ vl.VlTextLong, vl.VlTextBoolean }) do
      local what = event .. " handler does " .. action .. " (type " .. dataType .. ")"
      local f, b = form(dataType)
      local fired = 0
      b[event] = function(e)
        fired = fired + 1
        if fired == 1 then actions[action](f, b) end
      end
      f:focus(b)
      local ok, err = pcall(triggers[event], f, b)
      if not ok and action ~= "raise" then error(what .. ": " .. tostring(err)) end
      -- The box is still whole: it answers, shows text, takes keys, and once left (a refused
      -- text given up) its value has its type.
      check.eq(type(f:shown(b)), "string", what .. ": shown")
      b[event] = nil
      b.ValueError = function(e) e.ReturnFocus = false end
      f:focus(b)
      f:type("1")
      f:focus("ok")
      check.eq(f:focused(), "ok", what .. ": left")
      check.eq(typeOk(b), true, what .. ": Value of the data type")
    end
  end
end

-- A KeyPress handler that changes DataType: the character goes with the old editor; the new one
-- takes the next keys.
do
  local f, b = form(vl.VlTextLong)
  b.KeyPress = function(e) b.DataType = vl.VlTextString end
  f:focus(b)
  f:type("7")
  check.eq(b.DataType, vl.VlTextString, "the handler's type stands")
  b.KeyPress = nil
  f:type("ab")
  check.eq(f:shown(b), "ab", "the new editor takes the keys")
  check.eq(f:focused(), "b", "the box keeps the focus")
end

-- DataType written while the box holds a value its new bounds refuse: no endless focus fight,
-- and the box keeps the focus whatever the host answers.
for _, returnFocus in ipairs({ true, false }) do
  local f, b = form(vl.VlTextLong)
  b.Value = 1
  f:focus(b)
  b.CheckValue = true
  b.UpperValue = -16
  b.ValueError = function(e) e.ReturnFocus = returnFocus end
  b.DataType = vl.VlTextInteger
  check.eq(b.DataType, vl.VlTextInteger, "type changed (ReturnFocus " .. tostring(returnFocus) .. ")")
  check.eq(f:focused(), "b", "the box holds the focus (ReturnFocus " .. tostring(returnFocus) .. ")")
end

-- A style change (Locked, Alignment) while the box holds a text its check refuses: making the
-- window anew is no leaving of the box, so nothing is checked or reported, whatever the host's
-- handlers would answer; the text and the focus stay.
for _, prop in ipairs({ "Locked", "Alignment" }) do
  for _, handler in ipairs({ "answers", "raises" }) do
    local what = prop .. " with a handler that " .. handler
    local f, b = form(vl.VlTextLong)
    b.CheckValue = true
    b.UpperValue = 100
    f:focus(b)
    f:type("500")
    local answers, n = { false, true, false }, 0
    b.ValueError = function(e)
      n = n + 1
      if handler == "raises" then error("refused") end
      e.ReturnFocus = answers[n] or false
    end
    f:events()
    if prop == "Locked" then b.Locked = true else b.Alignment = 2 end
    check.eq(n, 0, what .. ": no ValueError from re-making the window")
    check.eq(f:shown(b), "500", what .. ": the text stays")
    check.eq(f:focused(), "b", what .. ": the focus stays")
    -- Leaving the box checks the text as usual, once.
    b.ValueError = function(e) n = n + 1; e.ReturnFocus = false end
    f:focus("ok")
    check.eq(n, 1, what .. ": one ValueError on leaving")
  end
end

-- A handler of the focus loss that puts the focus back into the box: the box is edited again, and
-- the report of the loss that follows the handler neither commits nor hides it (it used to hide the
-- editor, whose focus loss ran the handler again, without end).
for _, event in ipairs({ "UserCheckValue", "ValueError" }) do
  local f, b = form(vl.VlTextInteger)
  b.CheckValue = true
  b.UpperValue = 5
  f:focus(b)
  f:type(event == "ValueError" and "9" or "3")
  b[event] = function(e)
    if event == "ValueError" then e.ReturnFocus = false end
    f:focus(b)
  end
  f:focus("ok")
  check.eq(f:focused(), "b", event .. ": the handler's focus stands")
  check.eq(f:editing(b), true, event .. ": the box is being edited")
  b[event] = nil
  b.ValueError = function(e) e.ReturnFocus = false end
  f:focus("ok")
  check.eq(f:editing(b), false, event .. ": leaving afterwards ends the editing")
end

-- Bounds the new type cannot order (Long 5..10 become the texts "5" and "10", and "10" sorts
-- first): the DataType write still completes, from inside the editor's own event too, and the box
-- takes the type's whole range.
for _, inHandler in ipairs({ false, true }) do
  local what = inHandler and "from a KeyPress handler" or "from the script"
  local f, b = form(vl.VlTextLong)
  b.LowerValue = 5
  b.UpperValue = 10
  f:focus(b)
  local ok, err = true, nil
  if inHandler then
    b.KeyPress = function() b.DataType = vl.VlTextString end
    ok, err = pcall(f.type, f, "7")
  else
    ok, err = pcall(function() b.DataType = vl.VlTextString end)
  end
  check.eq(ok, true, what .. ": the write completes (" .. tostring(err) .. ")")
  check.eq(b.DataType, vl.VlTextString, what .. ": the new type")
  check.eq(f:focused(), "b", what .. ": the box keeps the focus")
end

-- Date to String keeps the whole value: the Date's MaxLength of 8 is not applied to the text.
do
  local f, b = form(vl.VlTextDate)
  b.Value = vl.Date(2026, 1, 1, 12, 30, 0)
  f:events()
  b.DataType = vl.VlTextString
  check.eq(b.Value, vl.String("2026/01/01 12:30:00"), "Date to String keeps the time")
  check.eq(b.MaxLength, 0, "a String box has no length limit")
  check.eq(check.events(f):find("ValueError"), nil, "nothing cut, nothing reported")
end

-- A ValueError raised while the box is edited and still holds the focus (a Format write that
-- rounds the value) returns no focus, so it leaves no focus-loss report to swallow: the next
-- leaving commits and ends the editing. Disabling a box that is being edited ends the editing too,
-- keeping what was typed, and no edit window stays behind without the focus. A window made anew
-- by a handler of the leaving is still left.
local leaving = {
  { "error raised while focused", vl.VlTextDouble, function(f, b)
    b.Value = 5.678
    f:focus(b)
    b.Format = "0.00"
    f:focus("ok")
  end, vl.Double(5.68) },
  { "window made anew by the check of the leaving", vl.VlTextLong, function(f, b)
    f:focus(b)
    f:type("12")
    b.UserCheckValue = function() b.Locked = not b.Locked end
    f:focus("ok")
  end, vl.Long(12) },
  { "disabled while edited", vl.VlTextLong, function(f, b)
    f:focus(b)
    f:type("12")
    b.Enabled = false
  end, vl.Long(12) },
}
for _, row in ipairs(leaving) do
  local what, dataType, act, value = table.unpack(row)
  local f, b = form(dataType)
  act(f, b)
  check.eq(f:editing(b), false, what .. ": no longer edited")
  check.eq(b.Value, value, what .. ": the value")
  check.eq(f:focused() ~= "b", true, what .. ": the box does not hold the focus")
end

collectgarbage()
collectgarbage()
