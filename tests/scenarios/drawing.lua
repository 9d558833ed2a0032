-- Pictures of boxes on the fixed-metrics font: caption strips and gaps, borders, the spin strip,
-- disabled colours, the alignment fit and the box being edited.
local check = require "check"

local f = vl.Form{ font = "fixed" }
local path = os.tmpname()

local function picture(box)
  f:render(path, box, { font = "fixed" })
  return vl.read_png(path)
end

-- Colours as 0x00BBGGRR: the screen's frame, face, shadow and highlight colours.
local WHITE, BLACK, FRAME = 0xFFFFFF, 0x000000, 0x646464
local FACE, SHADOW, DARK = 0xF0F0F0, 0xA0A0A0, 0x696969
local HIGHLIGHT = 0xD77800

-- A Left caption of 40 pixels (30 points) with 5 pixels (3.75 points) of spacing.
local b = f:add("b", { x = 8, y = 8, w = 200, h = 30 })
b.ControlBackColor = 0x00CCEEDD
b.Captions[0].Size = 30
b.Captions[0].Spacing = 3.75
b.Captions[0].BackColor = 0x00336699
local p = picture(b)
check.eq(p.pixel(0, 15), 0x336699, "caption strip at x 0")
check.eq(p.pixel(34, 15), 0x336699, "caption strip at x 34")
check.eq(p.pixel(35, 15), 0xCCEEDD, "spacing gap at x 35")
check.eq(p.pixel(39, 15), 0xCCEEDD, "spacing gap at x 39")
check.eq(p.pixel(40, 15), SHADOW, "the box's sunken edge at x 40")
check.eq(p.pixel(41, 15), DARK, "its inner ring at x 41")
check.eq(p.pixel(42, 15), WHITE, "the box inside")

-- Spacing above Size stores Size.
b.Captions[0].Spacing = 60
check.eq(b.Captions[0].Spacing, b.Captions[0].Size, "Spacing above Size")

-- The control cannot be made smaller than its captions plus 8 pixels.
b.Captions[0].Spacing = 3.75
local got = f:move(b, { w = 10, h = 5 })
check.eq(got.w, 40 + 5 + 8, "minimum width")
check.eq(got.h, 8, "minimum height")
f:move(b, { w = 200, h = 30 })

-- A flat fixed-single border is one pixel; the edit window lies one pixel inside it.
local flat = f:add("flat", { x = 8, y = 48, w = 120, h = 24 })
flat.Appearance = 0
p = picture(flat)
check.eq(p.pixel(0, 12), FRAME, "flat border")
check.eq(p.pixel(1, 12), WHITE, "inside the flat border")
check.eq(p.pixel(119, 12), FRAME, "flat border, right")

-- A spin button on the right: the arrows cover the border on that side.
local spin = f:add("spin", { x = 8, y = 80, w = 120, h = 24 })
spin.DataType = vl.VlTextLong
spin.SpinButton = 2
spin.Value = vl.Long(5)
p = picture(spin)
check.eq(p.pixel(120 - 17 + 4, 5), FACE, "up arrow face")
check.eq(p.pixel(120 - 17 + 4, 18), FACE, "down arrow face")
check.eq(p.pixel(120 - 17 - 3, 12), WHITE, "the text area stops at the spin strip")

-- A disabled Long box is drawn with DisabledBackColor, a disabled Boolean box with BackColor.
local off = f:add("off", { x = 8, y = 112, w = 120, h = 24 })
off.DataType = vl.VlTextLong
off.DisabledBackColor = 0x00123456
off.Enabled = false
check.eq(picture(off).pixel(60, 12), 0x123456, "disabled Long")
off.DataType = vl.VlTextBoolean
off.BackColor = 0x00ABCDEF
check.eq(picture(off).pixel(60, 3), 0xABCDEF, "disabled Boolean")

-- A right-aligned box whose value is too wide is shown left-aligned until it fits again:
-- 100 pixels less a 3D border leave 94 for the text, fifteen cells of six.
local wide = f:add("wide", { x = 8, y = 144, w = 100, h = 24 })
wide.Alignment = 1
wide.Value = "abc"
check.eq(picture(wide).pixel(2 + 1 + 94 - 18, 7), BLACK, "right-aligned while it fits")
wide.Value = "abcdefghijklmnop"
check.eq(picture(wide).pixel(3, 7), BLACK, "left-aligned when too wide")
wide.Value = "xy"
check.eq(picture(wide).pixel(2 + 1 + 94 - 12, 7), BLACK, "right-aligned again")

-- The same for a Double box, right-aligned by its type.
local dbl = f:add("dbl", { x = 120, y = 144, w = 100, h = 24 })
dbl.DataType = vl.VlTextDouble
dbl.Value = 1.5
check.eq(picture(dbl).pixel(2 + 1 + 94 - 18, 7), BLACK, "Double right-aligned while it fits")
dbl.Value = 1234567890123.25
check.eq(picture(dbl).pixel(3, 7), BLACK, "Double left-aligned when too wide")
dbl.Value = 2.5
check.eq(picture(dbl).pixel(2 + 1 + 94 - 18, 7), BLACK, "Double right-aligned again")
check.eq(dbl.Alignment, 1, "the configured alignment is kept")

-- The edit window follows the fit too: made left-aligned for a too-wide value, it is
-- right-aligned again the next time the box is edited with a value that fits.
local function inked(pic, x0, x1)
  for y = 4, 18 do
    for x = x0, x1 do
      if pic.pixel(x, y) == BLACK then return true end
    end
  end
  return false
end
dbl.Value = 1234567890123.25
f:focus(dbl)
check.eq(inked(picture(dbl), 3, 12), true, "edited left-aligned while too wide")
f:focus(wide)
dbl.Value = 2.5
f:focus(dbl)
local edited = picture(dbl)
check.eq(inked(edited, 3, 40), false, "edited right-aligned again once it fits: nothing at the left")
check.eq(inked(edited, 60, 96), true, "and the text at the right")

-- A Boolean box's label is a text line: "&" underlines the mnemonic letter instead of showing,
-- and the label keeps the box's alignment also while the check button is shown.
local function ink_span(pic, x0, x1)
  local lo, hi = nil, nil
  for y = 0, 23 do
    for x = x0, x1 do
      if pic.pixel(x, y) == BLACK then
        lo = math.min(lo or x, x)
        hi = math.max(hi or x, x)
      end
    end
  end
  return lo, hi
end
local yes = f:add("yes", { x = 8, y = 240, w = 160, h = 24 })
yes.DataType = vl.VlTextBoolean
yes.Value = false
yes.Caption = "Yes"
local plainLo, plainHi = ink_span(picture(yes), 14, 159)
yes.Caption = "&Yes"
local markedLo, markedHi = ink_span(picture(yes), 14, 159)
check.eq(markedLo .. ".." .. markedHi, plainLo .. ".." .. plainHi, "the ampersand is not drawn")
yes.Alignment = 1
f:focus(yes)
local lo = ink_span(picture(yes), 14, 159)
check.eq(lo > 100, true, "right-aligned label while the button is shown (ink from x " .. lo .. ")")
f:focus(wide)

-- The box being edited shows its selection.
local name = f:add("name", { x = 8, y = 176, w = 120, h = 24 })
name.Value = "abcdef"
f:focus(name)
f:key("Home")
f:key("Right")
f:key("Shift+Right")
f:key("Shift+Right")
p = picture(name)
check.eq(p.pixel(2 + 6 + 2, 3), HIGHLIGHT, "selection start")
check.eq(p.pixel(2 + 12 + 2, 3), HIGHLIGHT, "selection end")
check.eq(p.pixel(2 + 18 + 2, 3), WHITE, "after the selection")

-- The host's picture of the edited box: on the container's back colour, the text drawn anyway.
f:render(path, name, { font = "fixed", metafile = true })
p = vl.read_png(path)
check.eq(p.pixel(3, 7), BLACK, "metafile: first glyph drawn by the control")

-- Design time: dragging the tracker's left edge from 10 to 30 pixels gives the Left caption
-- 30 pixels, 22.5 points.
local d = vl.Form{ mode = "design", font = "fixed" }
local t = d:add("t", { x = 8, y = 8, w = 200, h = 60 })
t.Captions[0].Size = 7.5
t.Captions[vl.VlTextCapTop].Size = 7.5
check.eq(d:design_edit(t), true, "design_edit")
-- The pointer follows the tracker's handles; inside the box a designer gets no text cursor.
for _, r in ipairs({ { 5, 30, "sizewe" }, { 100, 5, "sizens" }, { 5, 5, "sizenwse" }, { 100, 30, "arrow" } }) do
  d:mousemove(t, r[1], r[2])
  check.eq(d:cursor(), r[3], "pointer at " .. r[1] .. "," .. r[2])
end
d:mousedown(t, 5, 30)
d:mousemove(t, 25, 30, { buttons = { "left" } })
check.eq(d:cursor(), "sizewe", "the pointer keeps its shape during the drag")
d:mouseup(t, 25, 30)
check.eq(math.abs(t.Captions[0].Size - 22.5) < 0.05, true, "Left caption size after the drag: " .. t.Captions[0].Size)
-- A caption set while the tracker is shown moves the handles with the box.
t.Captions[vl.VlTextCapRight].Size = 7.5
d:mousemove(t, 194, 30)
check.eq(d:cursor(), "sizewe", "the right handle followed the box")

-- The whole form renders too.
local w, h = f:render(path, { font = "fixed" })
check.eq(w > 200 and h > 200, true, "form picture size")
os.remove(path)
