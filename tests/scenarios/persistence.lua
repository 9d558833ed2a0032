-- A box's property set through the scripting host: the Lua list, JSON files, reset, whole forms,
-- and what a script gets for files that are not ours.
local check = require "check"

local dir = os.tmpname()
os.remove(dir)
os.execute("mkdir -p '" .. dir .. "'")
local function path(name) return dir .. "/" .. name end

-- An entry's value as text, tables with their fields in order.
local function show(v)
  if type(v) ~= "table" then return tostring(v) end
  local keys = {}
  for k in pairs(v) do keys[#keys + 1] = k end
  table.sort(keys)
  local parts = {}
  for _, k in ipairs(keys) do parts[#parts + 1] = k .. "=" .. tostring(v[k]) end
  return "{" .. table.concat(parts, ",") .. "}"
end

local f = vl.Form{ font = "fixed" }
local b = f:add("price")

-- The list saving writes.
local s = f:store(b)
check.eq(s[1].name .. " " .. s[1].kind .. " " .. s[1].value.major .. "." .. s[1].value.minor, "Version version 1.0", "version")
check.eq(s[2].kind, "extent", "extent")
check.eq(s[3].name .. s[3].kind .. s[3].value, "DataFieldstring", "DataField")
check.eq(s[4].name .. s[4].kind .. s[4].value, "DataTypeu168", "DataType")
local byName = {}
for _, e in ipairs(s) do byName[e.name] = e end
check.eq(byName["CapB.Backolor"].value, 0x8000000F, "caption back colour entry")
check.eq(byName["Font"].value.size, 9.0, "font size in points")
check.eq(byName["Value.VlType"].value, 1, "Null value")
check.eq(byName["Value.VlType.VlValue"], nil, "no value entry for Null")

-- A rich set through the list and through a file.
b.DataType = vl.VlTextCurrency
b.Format = "#,##0.00"
b.CheckValue = true
b.LowerValue = vl.Currency("-10")
b.UpperValue = vl.Currency("99999.9999")
b.DefaultValue = vl.Currency("1.5")
b.Value = vl.Currency("1234.5678")
b.BackColor = 0x00336699
b.FontBold = true
b.Captions[0].Text = "価格(&P)"
b.Captions[0].Size = 40
b.Captions[3].BackColor = 0x000000FF
local list = f:store(b)
local c = f:add("copy")
f:load(c, list)
for _, p in ipairs{"DataType", "Format", "CheckValue", "LowerValue", "UpperValue", "DefaultValue", "Value",
                   "BackColor", "FontBold", "FontSize", "MaxLength"} do
  check.eq(tostring(c[p]), tostring(b[p]), p)
end
check.eq(c.Captions[0].Text, "価格(&P)", "caption text")
check.eq(c.Captions[0].Size, b.Captions[0].Size, "caption size")
check.eq(c.Captions[3].BackColor, 0x000000FF, "caption back colour")
check.eq(f:modified(c), false, "a loaded box is not modified")

f:save(b, path("price.json"))
local d = f:add("fromfile")
f:load(d, path("price.json"))
f:load(d, path("price.json"))
check.eq(tostring(d.Value), "1234.57", "value through a file (the format kept two decimals)")
check.eq(#f:store(d), #list, "same entries")
for i, e in ipairs(f:store(d)) do
  check.eq(show(e.value), show(list[i].value), e.name)
end

-- A malformed entry in the middle: the rest loads.
local odd = {
  {name = "DataType", kind = "u16", value = 3},
  {name = "Alignment", kind = "i16", value = "centre"},
  {name = "BorderStyle", kind = "i16", value = 9},
  {name = "TabByReturn", kind = "i16", value = 1},
  {name = "Font", kind = "font", value = {name = "ＭＳ 明朝", size = 12}},
  {name = "UpperValue.VlType", kind = "u16", value = 3},
  {name = "Unknown.Entry", kind = "i16", value = 1},
  "junk",
}
f:load(d, odd)
check.eq(d.DataType, 3, "DataType loaded")
check.eq(d.Alignment, 1, "malformed alignment: the Long default")
check.eq(d.BorderStyle, 1, "out of range: the default")
check.eq(d.TabByReturn, true, "later entries load")
check.eq(d.FontName, "ＭＳ 明朝", "font name")
check.eq(d.FontSize, 12, "font size")
check.eq(d.UpperValue, vl.Long(2147483647), "a typed value without its value: the default")

-- Files that are not ours leave the box exactly as it was.
local before = f:store(d)
local text = io.open(path("price.json")):read("a")
for name, content in pairs{ truncated = text:sub(1, #text // 2), notjson = "これはJSONではない",
                            other = '{"format": "something", "version": 1, "entries": []}' } do
  local file = io.open(path(name .. ".json"), "w")
  file:write(content)
  file:close()
  check.refused(75, nil, function() f:load(d, path(name .. ".json")) end, name)
end
check.refused(75, nil, function() f:load(d, path("missing.json")) end, "missing")
for i, e in ipairs(f:store(d)) do check.eq(show(e.value), show(before[i].value), "unchanged " .. e.name) end

-- Reset: every property back to its default.
f:reset(d)
check.eq(d.DataType .. "/" .. d.MaxLength .. "/" .. tostring(d.Value) .. "/" .. d.SpinDelay, "8/0//250", "reset")

-- Design mode saves no value.
f.mode = "design"
local designed = f:store(b)
f.mode = "user"
for _, e in ipairs(designed) do
  if e.name == "Value.VlType" then check.eq(e.value, 1, "design saves Null") end
  check.eq(e.name == "Value.VlType.VlValue", false, "no value entry in design mode")
end

-- A whole form.
f:save_form(path("form.json"))
local g = vl.load_form(path("form.json"), { font = "fixed" })
check.eq(table.concat(g:boxes(), ","), "price,copy,fromfile", "boxes in tab order")
check.eq(tostring(g:box("price").Value), "1234.57", "a box of the loaded form")
check.eq(g:box("nothing"), nil, "no such box")
check.refused(75, nil, function() vl.load_form(path("price.json")) end, "a store is not a form")

-- What a script does wrong.
check.refused(13, nil, function() f:load(b, 42) end, "store argument")
check.refused(13, nil, function() f:save(b) end, "file name")
check.refused(13, nil, function() f:store(g:box("price")) end, "a box of another form")
check.refused(75, nil, function() f:save(b, dir .. "/no/such/dir/x.json") end, "unwritable file")

os.execute("rm -rf '" .. dir .. "'")
