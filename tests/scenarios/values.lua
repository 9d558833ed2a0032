-- Value writes, bounds and the default value, as a host sees them.
local check = require "check"

local f = vl.Form{}
local b = f:add("b")
b.DataType = vl.VlTextLong

-- Conversions on the way in.
b.Value = 2.5
check.eq(b.Value, vl.Long(2), "2.5 rounds to even")
b.Value = 3.5
check.eq(b.Value, vl.Long(4), "3.5 rounds to even")
b.Value = "1,234"
check.eq(b.Value, vl.Long(1234), "text with grouping")
f:events()

b.ValueError = function(e) e.ReturnFocus = false end
b.Value = 40000000000
local events = f:events()
check.eq(#events, 1, "one event for an overflow")
check.eq(events[1].ErrCode, 1100, "overflow code")
check.eq(events[1].ErrString, "変換時にオーバーフローしました", "overflow message")
check.eq(events[1].ErrValue, vl.Double(40000000000), "ErrValue holds what was written")
check.eq(b.Value, vl.Long(1234), "value kept")

b.Value = "abc"
events = f:events()
check.eq(events[1].ErrCode, 1102, "type mismatch code")
check.eq(events[1].ErrValue, vl.String("abc"), "ErrValue abc")
check.eq(#f:messages(), 2, "a message box for each")

-- A refused type is an automation error, not a ValueError.
check.refused(380, nil, function() b.Value = {} end, "table as value")
check.eq(#f:events(), 0, "no ValueError for a refused type")

-- Bounds.
b.ValueError = nil
check.refused(380, "設定値を変換できませんでした", function() b.LowerValue = vl.Null end, "Null lower bound")
b.UpperValue = 5
check.refused(380, "LowerValueプロパティに有効範囲を超えた値を設定する事はできません", function() b.LowerValue = 10 end, "lower above upper")
check.eq(b.LowerValue, vl.Long(-2147483648), "lower kept")
b.LowerValue = 0
check.refused(380, "UpperValueプロパティに有効範囲を超えた値を設定する事はできません", function() b.UpperValue = -1 end, "upper below lower")
b.UpperValue = "x"
check.eq(b.UpperValue, vl.Long(2147483647), "an unconvertible upper bound takes the type's bound")

-- The default value is clamped into the range when both flags are set.
b.CheckValue = true
b.AllowDefaultValue = true
b.LowerValue = 10
b.DefaultValue = 5
check.eq(b.DefaultValue, vl.Long(10), "default raised to the lower bound")
b.UpperValue = 20
b.DefaultValue = 50
check.eq(b.DefaultValue, vl.Long(20), "default lowered to the upper bound")
b.DefaultValue = vl.Null
check.eq(b.DefaultValue, vl.Null, "a Null default")
check.refused(380, "設定値を変換できませんでした", function() b.DefaultValue = nil end, "Empty default")
b.DefaultValue = "zz"
check.eq(b.DefaultValue, vl.Long(10), "an unconvertible default takes the lower bound")

-- CheckValue bounds a Value write (the editor checks it).
b.Value = 15
f:events()
b.Value = 150
events = f:events()
check.eq(events[1].name, "ValueError", "above the upper bound")
check.eq(events[1].ErrCode, 1000, "code 1000")
check.eq(events[1].ErrString, "入力値が上限値を超えました", "message 1000")
check.eq(events[1].ErrValue, vl.String("150"), "ErrValue is the text")
check.eq(b.Value, vl.Long(15), "value kept")
b.Value = 1
check.eq(f:events()[1].ErrCode, 1001, "below the lower bound")

-- MaxLength cuts a String value and says so.
local s = f:add("s")
s.Value = "abcdef"
f:events()
s.MaxLength = 3
events = f:events()
check.eq(events[1].ErrCode, 1200, "cut by MaxLength")
check.eq(events[1].ErrString, "Valueプロパティの値が調整されました", "message 1200")
check.eq(events[1].ErrValue, vl.String("abcdef"), "ErrValue is the value before")
check.eq(s.Value, vl.String("abc"), "value cut")
s.MaxLength = 4
s.Value = "漢字漢"
events = f:events()
check.eq(events[1].ErrCode, 1004, "a value longer than MaxLength")
check.eq(s.Value, vl.String("漢字"), "cut before a split character")

-- In design mode the box previews its default, and no ValueError fires.
local d = f:add("d")
d.DataType = vl.VlTextLong
f.mode = "design"
f:messages()
d.DefaultValue = 42
d.AllowDefaultValue = true
check.refused(394, nil, function() return d.Value end, "Value in design mode")
check.eq(d.DefaultValue, vl.Long(42), "default")
d.DefaultValue = ""
check.eq(d.DefaultValue, vl.String(""), "an empty entry is no default (reads as empty text)")
f:events()
d.Format = "0"
for _, e in ipairs(f:events()) do check.eq(e.name ~= "ValueError", true, "no ValueError in design mode") end
check.eq(#f:messages(), 0, "no message box in design mode")

print("values: ok")
