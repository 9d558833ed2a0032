-- Design time: a form builder sets a box up on its property pages, as in a form designer.
-- The box becomes a Date box with a Japanese-era preset and a checked range, gets a caption in a
-- colour of its own, and the pages are applied, drawn to PNG and read back.
--   build/apps/vltext/vltext run examples/design.lua [folder for the pictures]
local out = arg and arg[1] or "."

local f = vl.Form{ mode = "design" }
local due = f:add("due", { x = 8, y = 8, w = 240, h = 28 })
local pages = f:property_pages(due)
local general = pages.General

-- General: the data type, a preset format, the range and a default.
general:set(241, "7 - Date")
print("presets for Date:")
for i, preset in ipairs(general:items(236)) do print(("  %2d  %s"):format(i - 1, preset)) end
general:set(236, 4)                     -- "ggee年mm月dd日"
general:set(231, true)                  -- CheckValue
general:set(229, "2019/05/01")          -- LowerValue
general:set(232, "2030/12/31")          -- UpperValue
general:set(227, true)                  -- AllowDefaultValue
general:set(218, false)                 -- NULL off: a default of its own
general:set(226, "2040/01/01")          -- DefaultValue, outside the range...
general:leave(226)
for _, m in ipairs(f:messages()) do print("message: " .. m.text) end
print("DefaultValue field now " .. general:get(226))   -- ...moved to the upper end

-- Caption: a caption at the left, in a new colour from the colour dialog.
local caption = pages.Caption
caption:set(202, "期&限")
caption:set(204, "36")                  -- Size in points
caption:set(203, 3)                     -- "3 - MiddleLeft"
local colours = caption:colour_list(217)
f:answer_dialog("colour", 0x00206020)   -- what the user picks in the colour dialog
colours:drop_down()
colours:choose(2)                       -- "*New Color"
print(("TextColor %08X, palette front %08X"):format(colours:colour(), vl.palette()[1]))

assert(pages:apply(), "Apply")
for _, name in ipairs{ "General", "Caption" } do
  local path = out .. "/design-" .. name:lower() .. ".png"
  pages:render(path, name)
  print("wrote " .. path)
end

print("after Apply:")
for _, p in ipairs{ "DataType", "Format", "Alignment", "CheckValue", "LowerValue", "UpperValue",
                    "AllowDefaultValue", "DefaultValue" } do
  print(("  %-18s %s"):format(p, tostring(due[p])))
end
local left = due.Captions[vl.VlTextCapLeft]
print(("  Captions[0]        %q, Size %.1f, TextColor %08X"):format(left.Text, left.Size, left.TextColor))
