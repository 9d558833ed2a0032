-- Caption lengths in the container's units (points), with the setters' limits.
local check = require "check"

local f = vl.Form{}
local b = f:add("b", { x = 0, y = 0, w = 160, h = 60 })  -- 120 x 45 points
local left, right, top = b.Captions[vl.VlTextCapLeft], b.Captions[vl.VlTextCapRight], b.Captions[vl.VlTextCapTop]

check.eq(left.Size, 0, "initial size")
check.eq(left.BackColor, 0x8000000F, "initial back colour")
check.eq(left.TextColor, 0x80000012, "initial text colour")
check.eq(left.Font, nil, "no font until one is given")

left.Size = 30
check.near(left.Size, 30, "size kept")
left.Spacing = 40
check.near(left.Spacing, 30, "spacing above size stores size")
left.Spacing = 5
left.Size = 2
check.near(left.Size, 5, "size below spacing stores spacing")
left.Padding = 50
check.near(left.Padding, 5, "padding at most the size")
left.Padding = -3
check.near(left.Padding, -3, "padding has no lower bound")

-- The text area keeps 8 pixels (6 points): width 120 pt, right caption 20 pt.
right.Size = 20
left.Size = 500
check.near(left.Size, 120 - 20 - 6, "left size leaves the right caption and 8 pixels")
top.Size = 100
check.near(top.Size, 45 - 6, "top size leaves 8 pixels")

-- Alignment and border are stored as given, even out of range.
left.Alignment = 42
check.eq(left.Alignment, 42, "alignment stored")
left.BorderStyle = vl.VlTextCapBorderSunken
check.eq(left.BorderStyle, 3, "border")

-- A font given to a caption is a copy.
left.Font = b.Font
check.eq(left.Font.Name, "ＭＳ Ｐゴシック", "caption font")
b.FontBold = true
check.eq(left.Font.Bold, false, "the caption's font is a copy")

-- Every caption change marks the control modified.
f:modified(b, false)
top.Text = "Top"
check.eq(f:modified(b), true, "modified")
f:modified(b, false)
top.Text = "Top"
check.eq(f:modified(b), false, "an equal text changes nothing")

print("captions: ok")
