-- The screenshot of the end-to-end window: the form's size, its face where no box is, and the
-- three boxes with dark text on white.
local shot = vl.read_png(arg[1])
local face = vl.Form{}
face:add("b")
local path = os.tmpname()
face:render(path)
local faceColour = vl.read_png(path).pixel(0, 0)
os.remove(path)

local function count(x0, y0, x1, y1, test)
  local n = 0
  for y = y0, y1 do
    for x = x0, x1 do
      if test(shot.pixel(x, y)) then n = n + 1 end
    end
  end
  return n
end
local function dark(c) return c & 0xFF < 0x60 and (c >> 8) & 0xFF < 0x60 and (c >> 16) & 0xFF < 0x60 end

print(("screenshot %dx%d, face %06X"):format(shot.width, shot.height, faceColour))
assert(shot.width == 176 and shot.height == 104, "the window has the form's size")
assert(count(0, 0, 175, 5, function(c) return c == faceColour end) == 176 * 6, "the form's face above the boxes")
for _, top in ipairs{8, 40, 72} do
  assert(count(12, top + 4, 120, top + 19, function(c) return c == 0xFFFFFF end) > 500, "a white box at " .. top)
  assert(count(10, top + 2, 165, top + 21, dark) > 20, "text in the box at " .. top)
end
