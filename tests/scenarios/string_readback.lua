-- What a String box reports is what it shows: bounds that have no order, the edit layout and
-- selection of masked and multi-line boxes, Ctrl+Enter, wrapping while edited, a selection kept
-- visible after leaving, the input mode at the end of a mask, the Null text, and pastes that
-- carry the mask's literals.
local check = require "check"

local f = vl.Form{ font = "fixed" }
f:add_button("before")
local s = f:add("s")
f:add_button("after")
s.DataType = vl.VlTextString
local path = os.tmpname()

local function picture(box)
  f:render(path, box, { font = "fixed" })
  return vl.read_png(path)
end

-- Highlight pixels in a row band of a picture.
local HIGHLIGHT = 0xD77800
local function highlighted(p, y0, y1)
  local n = 0
  for y = y0, y1 do
    for x = 0, p.width - 1 do
      if p.pixel(x, y) == HIGHLIGHT then n = n + 1 end
    end
  end
  return n
end

-- String and Boolean bounds are never refused for their order: a String box exchanges a
-- reversed pair when it checks, and Booleans have no order.
do
  local g = vl.Form{}
  local rows = {
    { type = vl.VlTextString, lower = "b", upper = nil, what = "LowerValue b above the empty upper bound" },
    { type = vl.VlTextString, lower = "z", upper = "a", what = "a reversed String pair" },
    { type = vl.VlTextBoolean, lower = true, upper = false, what = "True below False" },
  }
  for i, r in ipairs(rows) do
    local b = g:add("b" .. i)
    b.DataType = r.type
    if r.upper ~= nil then b.UpperValue = r.upper end
    local ok, err = pcall(function() b.LowerValue = r.lower end)
    check.eq(ok, true, r.what .. ": " .. tostring(err))
    check.eq(b.LowerValue, r.type == vl.VlTextString and vl.String(r.lower) or vl.Boolean(r.lower), r.what)
  end
  -- Numbers keep their order.
  local n = g:add("n")
  n.DataType = vl.VlTextLong
  n.UpperValue = 5
  check.refused(380, nil, function() n.LowerValue = 10 end, "LowerValue above UpperValue of a Long box")
  -- The exchanged pair checks as B..A would: AB passes, C is above.
  local r = g:add("r")
  g:add_button("away")
  r.DataType = vl.VlTextString
  r.LowerValue = "B"
  r.UpperValue = "A"
  r.CheckValue = true
  r.ValueError = function(e) e.CancelDisplay = true; e.ReturnFocus = false end
  g:focus(r)
  g:type("AB")
  g:focus("away")
  check.eq(r.Value, vl.String("AB"), "AB lies between the exchanged bounds")
  g:events()
  g:focus(r)
  g:key("Ctrl+A")
  g:type("C")
  g:focus("away")
  local code
  for _, e in ipairs(g:events()) do if e.name == "ValueError" then code = e.ErrCode end end
  check.eq(code, 1000, "C is above the exchanged upper bound")
end
print("string_readback (bounds): ok")

-- A focused masked box shows its edit layout, and SelStart counts its positions.
s.Format = "\\(999\\)9999\\-9999"
s.Value = "0312"
f:focus(s)
check.eq(f:shown(s), "(031)2   -    ", "the edit layout while editing")
f:key("Home")
check.eq(s.SelStart, 1, "the first position stands after the literal")
check.eq(f:shown(s):sub(s.SelStart + 1, s.SelStart + 1), "0", "SelStart points at the first digit shown")
f:focus("after")
check.eq(f:shown(s), "(031)2   -    ", "the display form after leaving")
print("string_readback (shown): ok")

-- The input mode follows the caret to the end of the last run (End).
do
  local NATIVE, KATAKANA, FULLSHAPE = 0x01, 0x02, 0x08
  local k = f:add("k")
  k.DataType = vl.VlTextString
  k.Format = "999@k@k"
  k.IMEMode = vl.VlTextIMEOn
  k.Value = "12"
  f:focus(k)
  f:key("Home")
  check.eq(f:ime().conversion & 0x0F, 0, "half-width alphanumerics on a digit position")
  f:key("End")
  check.eq(f:ime().conversion & 0x0F, NATIVE | KATAKANA | FULLSHAPE, "full-width katakana at the end of the last run")
  check.eq(f:focus("after"), true, "left")
end
print("string_readback (ime at the end): ok")

-- A Null text in quotes or with escapes shows without them, as in numeric sections.
do
  local rows = {
    { format = ";\"(none)\"", shown = "(none)" },
    { format = ";null", shown = "null" },
    { format = ";\\\"x\\\"", shown = "\"x\"" },
    { format = ";a\\;b", shown = "a;b" },
    { format = "999;\"未入力\"", shown = "未入力" },
  }
  for _, r in ipairs(rows) do
    s.Format = r.format
    s.Value = vl.Null
    check.eq(f:shown(s), r.shown, "Null text of " .. r.format)
    check.eq(vl.format(vl.Null, r.format, vl.VlTextString), r.shown, "vl.format of " .. r.format)
    check.eq(s.Format, r.format, "Format reads back as written")
  end
end
print("string_readback (null text): ok")

-- A paste carrying the mask's literals where the mask has them is laid in without them; what the
-- mask takes as it is stays as before.
do
  local rows = {
    { format = "999\\-9999", paste = "123-4567", value = "1234567" },
    { format = "!\\(99\\)9999\\-9999", paste = "(03)1234-5678", value = "0312345678" },
    { format = "\\〒999\\-9999", paste = "〒123-4567", value = "1234567" },
    { format = "###\\-####", paste = "1-2", value = "1-2" },              -- "#" takes "-": as typed
    { format = "999\\-9999", paste = "12-34", value = nil },              -- a literal out of place
    { format = "999\\-9999", paste = "123-45678", value = nil },          -- too long
  }
  for _, r in ipairs(rows) do
    s.Format = r.format
    s.Value = ""
    f:set_clipboard(r.paste)
    f:focus(s)
    f:key("Home")
    f:key("Ctrl+V")
    f:focus("after")
    check.eq(s.Value, vl.String(r.value or ""), "paste of " .. r.paste .. " into " .. r.format)
  end
end
print("string_readback (paste): ok")

-- With HideSelection False a single-line box keeps its selection in sight after leaving.
s.Format = ""
s.Value = "abcdefgh"
s.HideSelection = false
f:focus(s)
f:key("Home")
f:key("Shift+Right")
f:key("Shift+Right")
f:key("Shift+Right")
f:focus("after")
check.eq(s.SelLength, 3, "the selection is kept")
check.eq(highlighted(picture(s), 0, 23) > 0, true, "and drawn after leaving")
s.HideSelection = true
check.eq(highlighted(picture(s), 0, 23), 0, "HideSelection True hides it")
print("string_readback (hide selection): ok")

-- A multi-line box: the selection is the window's, read and written.
local m = f:add("m", { x = 8, y = 200, w = 120, h = 80 })
m.DataType = vl.VlTextString
f.mode = "design"
m.MultiLine = true
f.mode = "user"
m.Value = "one\r\ntwo three"
f:focus(m)
f:key("Ctrl+Home")
f:key("Shift+Right")
f:key("Shift+Right")
check.eq(m.SelStart, 0, "SelStart of the window's selection")
check.eq(m.SelLength, 2, "SelLength of the window's selection")
check.eq(m.SelText, "on", "SelText of the window's selection")
m.SelStart = 5
check.eq(m.SelStart, 5, "SelStart written")
check.eq(m.SelLength, 0, "an empty selection")
m.SelLength = 3
check.eq(m.SelText, "two", "SelLength written")
m.SelText = "2"
check.eq(m.Text, "one\r\n2 three", "SelText replaces the selection")
print("string_readback (multi-line selection): ok")

-- Ctrl+Enter breaks a line, with and without TabByReturn.
m.Value = "ab"
f:focus(m)
f:key("Ctrl+End")
f:key("Ctrl+Enter")
f:type("c")
check.eq(m.Text, "ab\r\nc", "Ctrl+Enter inserts CR LF")
m.TabByReturn = true
f:key("Ctrl+Enter")
check.eq(f:focused(), "m", "Ctrl+Enter stays in the box with TabByReturn")
check.eq(m.Text, "ab\r\nc\r\n", "and still breaks the line")
f:key("Enter")
check.eq(f:focused(), "before", "Enter alone moves on")
m.TabByReturn = false
print("string_readback (ctrl+enter): ok")

-- A focused multi-line box wraps at its width as it does when it is not focused.
m.Value = "the quick brown fox jumps over the lazy dog"
f:focus(m)
f:key("Ctrl+Home")
f:key("Down")
check.eq(m.SelStart > 0 and m.SelStart < 43, true, "Down moves to the next wrapped row of the one line")
local focusedRows = 0
local p = picture(m)
for y = 0, p.height - 1 do
  for x = 0, p.width - 1 do
    local c = p.pixel(x, y)
    if c == 0x000000 and x > 2 then focusedRows = math.max(focusedRows, y) break end
  end
end
f:focus("after")
local q = picture(m)
local shownRows = 0
for y = 0, q.height - 1 do
  for x = 0, q.width - 1 do
    if q.pixel(x, y) == 0x000000 and x > 2 then shownRows = math.max(shownRows, y) break end
  end
end
check.eq(focusedRows > 20, true, "the focused box draws text below its first line")
check.eq(math.abs(focusedRows - shownRows) <= 2, true, "and as far down as the box it was")
print("string_readback (wrap): ok")

os.remove(path)
print("string_readback: ok")
