-- Defaults, write rules and refusals of the control's properties, as a host sees them.
local check = require "check"

local f = vl.Form{ mode = "user" }
local b = f:add("b")

-- A fresh box is a String box.
check.eq(b.DataType, vl.VlTextString, "DataType")
check.eq(b.Format, "", "Format")
check.eq(b.Alignment, 0, "Alignment")
check.eq(b.MaxLength, 0, "MaxLength")
check.eq(b.BackColor, 0x80000005, "BackColor")
check.eq(b.ForeColor, 0x80000008, "ForeColor")
check.eq(b.DisabledForeColor, 0x80000010, "DisabledForeColor")
check.eq(b.ControlBackColor, 0x8000000F, "ControlBackColor")
check.eq(b.BorderStyle, 1, "BorderStyle")
check.eq(b.Appearance, 1, "Appearance")
check.eq(b.HideSelection, true, "HideSelection")
check.eq(b.Enabled, true, "Enabled")
check.eq(b.SpinIncrease, 1.0, "SpinIncrease")
check.eq(b.SpinDelay, 250, "SpinDelay")
check.eq(b.Value, vl.Null, "Value")
check.eq(b.LowerValue, vl.String(""), "LowerValue")
check.eq(b.FontSize, 9.0, "FontSize")
check.eq(b.FontName, "ＭＳ Ｐゴシック", "FontName")

-- DataType 7: the date defaults follow, the user's colours are not touched.
b.DataType = vl.VlTextDate
check.eq(b.Format, "yyyy/mm/dd", "Date Format")
check.eq(b.Alignment, 1, "Date Alignment")
check.eq(b.MaxLength, 8, "Date MaxLength")
check.eq(b.BackColor, 0x80000005, "Date BackColor")
check.eq(tostring(b.LowerValue), "100/01/01", "Date LowerValue")
check.eq(tostring(b.UpperValue), "9999/12/31 23:59:59", "Date UpperValue")
check.eq(check.notified(f), "DataType", "one notification for the type change")

-- Boolean swaps the default back colour, but a colour the user chose stays.
b.DataType = vl.VlTextBoolean
check.eq(b.BackColor, 0x8000000F, "Boolean BackColor")
b.BackColor = 0x00FF00
b.DataType = vl.VlTextLong
check.eq(b.BackColor, 0x00FF00, "user BackColor kept")
b.DataType = vl.VlTextBoolean
check.eq(b.BackColor, 0x00FF00, "user BackColor kept on Boolean")

-- Codes other than the nine data types change nothing.
f:notifications()
for _, code in ipairs({14, 9, 0, 1, 12, 100000}) do
  check.refused(380, "Invalid property value", function() b.DataType = code end, "DataType " .. code)
end
check.eq(b.DataType, vl.VlTextBoolean, "DataType unchanged")
check.eq(check.notified(f), "", "refused writes notify nothing")

-- Enumerations outside their range.
local ranges = { BorderStyle = 1, Appearance = 1, Alignment = 2, IMEMode = 8, SpinButton = 2, FuriganaType = 2 }
for name, top in pairs(ranges) do
  check.refused(380, nil, function() b[name] = top + 1 end, name .. " above")
  check.refused(380, nil, function() b[name] = -1 end, name .. " below")
end
check.refused(380, nil, function() b.SpinDelay = -1 end, "SpinDelay negative")

-- PasswordChar: one single-byte character, nothing above 0x7F.
b.PasswordChar = "*"
check.eq(b.PasswordChar, "*", "PasswordChar")
check.refused(380, "2バイト文字は設定できません", function() b.PasswordChar = "ｱ" end, "half-width katakana")
check.refused(380, "2バイト文字は設定できません", function() b.PasswordChar = "漢" end, "double-byte")
check.eq(b.PasswordChar, "*", "PasswordChar kept")

-- MaxLength only for String boxes, never negative.
b.DataType = vl.VlTextLong
check.refused(380, "DataTypeプロパティがString以外の時は設定する事ができません", function() b.MaxLength = 10 end, "MaxLength on Long")
b.DataType = vl.VlTextString
check.refused(380, nil, function() b.MaxLength = -1 end, "negative MaxLength")
b.MaxLength = 10
check.eq(b.MaxLength, 10, "MaxLength")

-- Equal writes are no change: notified once, never twice.
f:notifications()
b.Format = ";null"
b.Format = ";null"
check.eq(check.notified(f), "Format", "equal Format write")
b.Locked = true
b.Locked = true
b.FontBold = true
b.FontBold = true
b.FontSize = 12
check.eq(check.notified(f), "Locked Font Font", "flags and font attributes")
check.eq(b.FontSize, 12.0, "FontSize")
b.FontSize = 10.123456
check.eq(math.floor(b.FontSize * 10000 + 0.5), 101234, "FontSize in ten-thousandths, truncated")

-- A text the code page cannot hold is refused and changes nothing.
check.refused(380, "設定値を変換できませんでした", function() b.Format = "한" end, "Format in Hangul")
check.eq(b.Format, ";null", "Format kept")
check.refused(380, "設定値を変換できませんでした", function() b.Caption = "€" end, "Caption with euro sign")

-- Text can never be written.
check.refused(383, nil, function() b.Text = "x" end, "Text write")

-- Run-time only and design-time only properties.
for _, name in ipairs({ "ScrollBars", "MultiLine", "EraProfile" }) do
  check.refused(383, nil, function() b[name] = 1 end, name .. " in user mode")
end
f.mode = "design"
for _, name in ipairs({ "FontBold", "Text", "SelStart", "SelLength", "SelText", "Value", "DataChanged" }) do
  check.refused(394, nil, function() return b[name] end, name .. " read in design mode")
end
for _, name in ipairs({ "FontBold", "SelStart", "Value" }) do
  check.refused(383, nil, function() b[name] = 1 end, name .. " write in design mode")
end
b.MultiLine = true
b.ScrollBars = 3
b.EraProfile = "eras.ini"
check.eq(b.MultiLine, true, "MultiLine")
check.eq(b.ScrollBars, 3, "ScrollBars")
check.eq(b.EraProfile, "eras.ini", "EraProfile")
check.refused(380, nil, function() b.ScrollBars = 4 end, "ScrollBars 4")

-- Captions: four of them, copied by value, nothing else accepted.
f.mode = "user"
b.Captions[0].Text = "&Name"
check.eq(b.Captions[0].Text, "&Name", "caption text")
check.refused(381, nil, function() return b.Captions[4] end, "Captions(4)")
check.refused(381, nil, function() return b.Captions[-1] end, "Captions(-1)")
check.refused(5, nil, function() b.Captions[1] = {} end, "Captions from a table")
check.refused(5, nil, function() b.Captions[1] = vl.Long(1) end, "Captions from a value")
local other = f:add("other")
other.Captions[2] = b.Captions[0]
check.eq(other.Captions[2].Text, "&Name", "copied caption")
b.Captions[0].Text = "changed"
check.eq(other.Captions[2].Text, "&Name", "a copy, not a reference")

-- Options handed to the editor survive a change of data type: the new editor gets them all.
local s = f:add("sel")
f:add_button("away")
s.SelectByFocus = true
s.DataType = vl.VlTextLong
s.Value = vl.Long(12345)
f:focus(s)
check.eq(f:selection(s).length, 5, "SelectByFocus selects the whole text of a Long box")
f:focus("away")
s.DataType = vl.VlTextDouble
s.Value = vl.Double(12345)
f:focus(s)
check.eq(f:selection(s).length, 5, "SelectByFocus still selects after the type changed")

print("properties: ok")
