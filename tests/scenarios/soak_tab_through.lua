-- Soak: random typing into a box of every data type, and every few steps a Tab through the box
-- without typing, after which Value must be exactly what it was. Seeded, so a failure replays:
-- VL_SOAK_SEED picks the seed, VL_SOAK_STEPS the number of actions per data type.
local seed = tonumber(os.getenv("VL_SOAK_SEED") or "") or 20260517
local steps = tonumber(os.getenv("VL_SOAK_STEPS") or "") or 240
math.randomseed(seed)

local function pick(list) return list[math.random(#list)] end

-- Per data type: formats to edit through and values a host loads, the awkward ones first (more
-- decimals than the edit form shows, markers of empty positions, sub-second times, extremes).
local kinds = {
  [2] = { formats = { "", "#,##0", "0;△0;ゼロ" }, values = { 0, 1, -1, 32767, -32768, 12 } },
  [3] = { formats = { "", "#,##0", "00000000" }, values = { 0, 2147483647, -2147483648, 1234567 } },
  [4] = { formats = { "", "#,##0.###", "0.00E+00" },
          values = { vl.Single(0.1234567), vl.Single(1e-7), vl.Single(3.4e38), vl.Single(-1.5), vl.Single(16777217) } },
  [5] = { formats = { "", "#,##0.00", "0%", "#,##0.###;△#,##0.###;ゼロ;ヌル" },
          values = { vl.Double(0.1234567), vl.Double(1e-7), vl.Double(1 / 3), vl.Double(1e300), vl.Double(-0.5),
                     vl.Double(123456789.12345679), vl.Double(5e-324) } },
  [6] = { formats = { "", "#,##0.00", "\\#,##0" },
          values = { vl.Currency("922337203685477.5807"), vl.Currency("-0.0001"), vl.Currency("12.3456"), 0 } },
  [7] = { formats = { "yyyy/mm/dd", "yyyy/mm/dd hh:nn:ss", "hh:nn", "ggge年m月d日", "yy/mm/dd" },
          values = { vl.Date(2026, 5, 17, 12, 30, 45), vl.Date(100, 1, 1), vl.Date(9999, 12, 31, 23, 59, 59),
                     vl.DateSerial(45000.5000001), vl.Date(2000, 2, 29) } },
  [8] = { formats = { "", "@@@@", "!@@@@", "999-9999", "!\\(99\\)9999\\-9999", ">LLLL", "&&&&&&" },
          values = { "ab", "a b", "ab  ", " ab", "", "漢字", "1234567", "0312345678" } },
  [11] = { formats = { "" }, values = { true, false } },
  [17] = { formats = { "", "000", "#,##0" }, values = { 0, 255, 7 } },
}

local chars = { "0", "1", "5", "9", "-", "+", ".", " ", "a", "Z", "/", ":", "ｱ", "１", "ア", "あ", "漢" }
local keys = { "Left", "Right", "Home", "End", "Backspace", "Delete", "Insert", "Ctrl+Z", "Ctrl+Up", "Ctrl+Down",
               "Shift+Left", "Shift+Right", "Ctrl+A", "Space" }

local function run(dataType, kind)
  -- The tab order is the order of adding: before, the box, after.
  local f = vl.Form{}
  local before = f:add_button("before")
  local b = f:add("b", { x = 0, y = 30, w = pick({ 40, 160 }), h = 24 })
  local after = f:add_button("after")
  local log = {}
  local function note(s) log[#log + 1] = s; if #log > 40 then table.remove(log, 1) end end
  b.DataType = dataType
  b.SpinButton = 2
  b.KeepNull = math.random(2) == 1
  b.Format = pick(kind.formats)
  note(("DataType %d, KeepNull %s, Format %q"):format(dataType, tostring(b.KeepNull), b.Format))
  -- Refused input is given up, so the walk goes on.
  b.ValueError = function(e) e.ReturnFocus = false; e.CancelDisplay = true end

  -- Tabs into the box from "before" and out to "after" without typing; Value must not move.
  local function tabThrough(what)
    local held = b.Value
    f:focus(before); f:key("Tab"); f:key("Tab")
    local now = b.Value
    if held == vl.Null and not b.KeepNull then
      -- KeepNull False commits the editor's own value for an untouched Null; from then on it holds.
      held = now
      f:focus(before); f:key("Tab"); f:key("Tab")
      now = b.Value
    end
    if now ~= held then
      error(("seed %d, %s: Value %s became %s after a Tab through the box\n  %s"):format(
        seed, what, tostring(held), tostring(now), table.concat(log, "\n  ")), 0)
    end
  end

  for step = 1, steps do
    local r = math.random(100)
    if r <= 8 then
      local v = pick(kind.values)
      note("b.Value = " .. tostring(v))
      pcall(function() b.Value = v end)
      tabThrough("step " .. step .. " after a host load")
    elseif r <= 10 then
      note("b.Value = Null")
      b.Value = vl.Null
      tabThrough("step " .. step .. " after a Null load")
    elseif r <= 12 then
      local format = pick(kind.formats)
      note(("b.Format = %q"):format(format))
      f:focus(after)
      b.Format = format
    elseif r <= 25 then
      note("Tab out")
      f:focus(after)
      tabThrough("step " .. step .. " after typing")
      f:focus(b)
    else
      if f:focused() ~= "b" then f:focus(b) end
      if r <= 65 then
        local c = pick(chars)
        note(("type %q"):format(c))
        f:type(c)
      else
        local k = pick(keys)
        note("key " .. k)
        f:key(k)
      end
    end
    f:messages()
    f:events()
  end
  f:focus(after)
  tabThrough("the end")
end

for _, dataType in ipairs({ 2, 3, 4, 5, 6, 7, 8, 11, 17 }) do run(dataType, kinds[dataType]) end
