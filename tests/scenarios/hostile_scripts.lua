-- Scripts that misuse the host: wrong arguments to every function, unknown names, huge and broken
-- texts, failing and recursing handlers, the objects' own metamethods called by hand. Each misuse
-- gives a Lua error — a {code, message} table or a clear text — or is taken; never a crash.
local check = require "check"

-- An error value the host may raise: a text, or a table with a numeric code and a text message.
local function clearError(err, what)
  if type(err) == "string" then
    check.eq(#err > 0, true, what .. ": an empty error text")
  else
    check.eq(type(err), "table", what .. ": error of type " .. type(err))
    check.eq(math.type(err.code), "integer", what .. ": error code")
    check.eq(type(err.message), "string", what .. ": error message")
  end
end

-- Runs f; it may succeed or fail, but a failure must be a clear error.
local function survives(what, f, ...)
  local ok, err = pcall(f, ...)
  if not ok then clearError(err, what) end
  return ok, err
end

local mb = string.rep("x", 1 << 20)
local bad = {
  nil, true, false, 0, -1, 2147483647, -2147483649, 1 << 62, 1e308, -1e308, 0.5, 0 / 0, math.huge,
  "", "x", "a\0b", "\xff\xfe\x80", mb, {}, { x = "y" }, print, coroutine.create(print), vl.Null, vl.Long(3),
}
local badNames = { "nil", "true", "false", "0", "-1", "2^31-1", "-2^31-1", "2^62", "1e308", "-1e308", "0.5",
  "NaN", "inf", "empty text", "x", "NUL inside", "invalid UTF-8", "1 MB", "{}", "table", "function",
  "thread", "vl.Null", "vl.Long(3)" }
local n = #badNames  -- bad[1] is nil: count the names, not the list

local f = vl.Form{ font = "fixed" }
local b = f:add("b", { x = 0, y = 0, w = 160, h = 24 })
f:add_button("ok")
local box2 = f:add("c")

-- 1. Wrong argument types for every function of vl, of a form and of a box. (f:render and
-- vl.read_png take file names: they are tried with names that cannot be files.)
local skip = { render = true, read_png = true, show = true, save = true, save_form = true, load = true,
               load_form = true, Database = true }
local vlFunctions, formMethods = {}, {}
for name, fn in pairs(vl) do if type(fn) == "function" and not skip[name] then vlFunctions[#vlFunctions + 1] = name end end
for name, fn in pairs(getmetatable(f).methods) do
  if type(fn) == "function" and not skip[name] then formMethods[#formMethods + 1] = name end
end
table.sort(vlFunctions)
table.sort(formMethods)
for _, name in ipairs(vlFunctions) do
  for i = 1, n do
    survives("vl." .. name .. "(" .. badNames[i] .. ")", vl[name], bad[i])
    survives("vl." .. name .. "(" .. badNames[i] .. ", " .. badNames[i] .. ")", vl[name], bad[i], bad[i])
  end
end
-- Typing a megabyte key by key would only take long; the input methods get the other values.
local slow = { type = true, ime_compose = true }
for _, name in ipairs(formMethods) do
  local method = f[name]
  for i = 1, n do
    if slow[name] and bad[i] == mb then goto next end
    survives("f:" .. name .. "(" .. badNames[i] .. ")", method, f, bad[i])
    survives("f:" .. name .. "(b, " .. badNames[i] .. ")", method, f, b, bad[i], bad[i])
    survives("f." .. name .. "(" .. badNames[i] .. ")", method, bad[i], b)
    ::next::
  end
  survives("f." .. name .. " on a box", method, b, b)
end
for _, path in ipairs({ "", "a\0b", "/", {}, 5 }) do
  survives("f:render(bad path)", f.render, f, path)
  survives("vl.read_png(bad path)", vl.read_png, path)
end
-- The functions that take file names, with everything that is no file name.
for name in pairs(skip) do
  for i = 1, n do
    if type(bad[i]) ~= "string" then
      if type(vl[name]) == "function" then survives("vl." .. name .. "(" .. badNames[i] .. ")", vl[name], bad[i]) end
      local method = getmetatable(f).methods[name]
      if type(method) == "function" and name ~= "show" then
        survives("f:" .. name .. "(" .. badNames[i] .. ")", method, f, bad[i])
        survives("f:" .. name .. "(b, " .. badNames[i] .. ")", method, f, b, bad[i])
      end
    end
  end
end
for i = 1, n do
  survives("b:Refresh(" .. badNames[i] .. ")", b.Refresh, bad[i])
end

-- 2. Unknown and odd property names, read and written.
for _, key in ipairs({ "Nope", "value", "Value\0x", "", mb, "Captions\0" }) do
  local ok = survives("read b[" .. #key .. " bytes]", function() return b[key] end)
  check.eq(ok, false, "an unknown property " .. key:sub(1, 20) .. " is refused")
  survives("write b[" .. #key .. " bytes]", function() b[key] = 1 end)
end
survives("b[1]", function() return b[1] end)
survives("b[{}] = 1", function() b[{}] = 1 end)

-- 3. Every property written with bad values, in a box of each kind of editor (numeric, date,
-- text, check box); a write the box refuses changes nothing.
-- nil, true, -1, -2^31-1, 2^62, NaN, "x", "a\0b", invalid UTF-8, {}, a function, vl.Null
local some = { 1, 2, 5, 7, 8, 12, 15, 16, 17, 19, 21, 23 }
local properties = { "Format", "Value", "DataType", "PasswordChar", "BorderStyle", "DataField", "DataSource",
  "Appearance", "Alignment", "DataChanged", "Locked", "FontBold", "FontItalic", "FontName", "FontSize",
  "FontStrikethru", "FontUnderLine", "ReplaceCursor", "MaxLength", "HideSelection", "IMEMode", "SelectByFocus",
  "SelLength", "SelStart", "SelText", "TabByReturn", "TabByVertKey", "EraProfile", "SpinButton", "ScrollBars",
  "MultiLine", "SpinDelay", "TabByInputLast", "LowerValue", "UpperValue", "CheckValue", "DefaultValue",
  "AllowDefaultValue", "SpinIncrease", "DisabledBackColor", "DisabledForeColor", "TabByHorzKey", "ForeColor",
  "Font", "Text", "BackColor", "Enabled", "Caption", "FuriganaType", "ControlBackColor", "KeepNull" }
for _, dataType in ipairs({ 3, 7, 8, 11 }) do
  local g = vl.Form{ font = "fixed" }
  local x = g:add("x")
  x.DataType = dataType
  g:focus(x)
  for _, prop in ipairs(properties) do
    for _, i in ipairs(some) do
      local before = x.DataType
      local ok = survives(("type %d: b.%s = %s"):format(dataType, prop, badNames[i]), function() x[prop] = bad[i] end)
      if not ok and prop == "DataType" then check.eq(x.DataType, before, "a refused DataType changes nothing") end
      if prop == "DataType" then x.DataType = dataType end
    end
    survives("read " .. prop, function() return x[prop] end)
  end
  g:type("1a漢")
  g:key("Tab")
  check.eq(type(g:shown(x)), "string", "type " .. dataType .. " still shows")
end

-- 4. A megabyte of text through a String box, a caption and a format; texts with zero bytes and
-- broken UTF-8.
do
  local s = f:add("s")
  s.Value = mb
  check.eq(#s.Value.value, 1 << 20, "a 1 MB value is kept whole")
  s.Format = "@" .. string.rep("&", 1000)
  s.Captions[0].Text = mb
  s.Value = "a\0b"
  check.eq(s.Value.value, "a\0b", "a zero byte is part of the text")
  check.refused(380, nil, function() s.Value = "\xff\xfe" end, "invalid UTF-8")
  check.refused(380, nil, function() s.Format = "\xc3" end, "a cut UTF-8 sequence")
  -- A literal is read whole: what follows a zero byte is not dropped.
  check.eq(pcall(vl.Currency, "1\0x"), false, "a currency text with a zero byte is no amount")
  check.eq(pcall(vl.Date, "2026/01/01\0x"), false, "a date text with a zero byte is no date")
  f:focus(s)
  f:type("\0")
  survives("f:type with a zero byte", f.type, f, "a\0b")
  survives("f:type with invalid UTF-8", f.type, f, "\xff")
  survives("f:ime_compose with invalid UTF-8", f.ime_compose, f, "\xff", "\xfe")
end

-- 5. Errors raised from handlers: texts, tables, nil, and an error value whose own text fails.
local errorValues = {
  function() error("plain") end,
  function() error({ code = 1, message = "table" }) end,
  function() error() end,
  function() error(setmetatable({}, { __tostring = function() error("inner") end })) end,
  function() error(setmetatable({}, { __tostring = function() return {} end })) end,
  function(e) setmetatable(e, { __index = function() error("index") end, __newindex = function() error("ni") end }) end,
}
for i, raise in ipairs(errorValues) do
  local g = vl.Form{ font = "fixed" }
  local x = g:add("x")
  g:add_button("ok")
  for _, event in ipairs({ "Change", "KeyPress", "KeyDown", "KeyUp", "UserCheckValue", "ValueError" }) do
    x[event] = raise
  end
  x.DataType = 3
  x.CheckValue = true
  x.UpperValue = 5
  g:focus(x)
  local _, err = survives("handler error " .. i .. " while typing", g.type, g, "9")
  if i == 4 then
    -- The error value's own __tostring raised: its text is found without running it unprotected.
    check.eq(tostring(err):find("__tostring", 1, true) ~= nil, true, "an error whose text fails: " .. tostring(err))
  end
  survives("handler error " .. i .. " while leaving", g.focus, g, "ok")
  check.eq(type(g:shown(x)), "string", "handler error " .. i .. ": the box answers")
end

-- 6. Recursion through handlers: a Change handler that writes Value raises Change again.
do
  local g = vl.Form{ font = "fixed" }
  local x, y = g:add("x"), g:add("y")
  x.DataType, y.DataType = 3, 3
  x.Change = function() x.Value = (x.Value.value or 0) + 1 end
  local ok, err = pcall(function() x.Value = 1 end)
  check.eq(ok, false, "endless handler recursion stops")
  check.eq(tostring(err):find("nested", 1, true) ~= nil, true, "and says why: " .. tostring(err))
  -- Two boxes writing each other.
  x.Change = function() y.Value = (y.Value.value or 0) + 1 end
  y.Change = function() x.Value = (x.Value.value or 0) + 1 end
  check.eq(pcall(function() x.Value = 100 end), false, "mutual recursion stops")
  x.Change, y.Change = nil, nil
  x.Value = 7
  check.eq(x.Value, vl.Long(7), "the boxes work afterwards")
end

-- 7. A form made inside a coroutine outlives the coroutine.
do
  local co = coroutine.create(function()
    local g = vl.Form{ font = "fixed" }
    local x = g:add("x")
    x.Change = function() end
    coroutine.yield(g, x)
  end)
  local _, g, x = coroutine.resume(co)
  co = nil
  collectgarbage()
  collectgarbage()
  g:focus(x)
  g:type("abc")
  check.eq(x.Value, vl.String("abc"), "a coroutine's form takes keys after the coroutine is gone")
  -- And handlers run while a coroutine is running, on its behalf.
  local inner = coroutine.wrap(function() g:type("d"); return x.Value end)
  check.eq(inner(), vl.String("abcd"), "events raised from inside a coroutine")
end

-- 8. The objects' metamethods, called by hand with the wrong objects, and finalizers called twice.
do
  local g = vl.Form{ font = "fixed" }
  local x = g:add("x")
  local caps = x.Captions
  local cap = caps[0]
  local font = x.Font
  local _, hostError = pcall(function() x.DataType = 99 end)
  local objects = { vl.Null, g, x, caps, cap, font, hostError }
  local wrong = { 5, {}, "s", true, vl.Null, g, x, caps, cap, font }
  for _, object in ipairs(objects) do
    local mt = getmetatable(object)
    for _, method in ipairs({ "__index", "__newindex", "__tostring", "__eq", "__gc", "__call", "__len" }) do
      local fn = type(mt) == "table" and rawget(mt, method)
      if type(fn) == "function" then
        for _, w in ipairs(wrong) do
          if method ~= "__gc" or (w ~= g and w ~= x and w ~= caps and w ~= cap and w ~= font) then
            survives(method .. " with a wrong object", fn, w, "type", 1)
          end
        end
      end
    end
  end
  -- The issue's six: each used to crash.
  survives("Value __index(5)", getmetatable(vl.Null).__index, 5, "type")
  survives("Value __tostring({})", getmetatable(vl.Null).__tostring, {})
  survives("Form __gc(5)", getmetatable(g).__gc, 5)
  local v = vl.Long(3)
  getmetatable(v).__gc(v)
  getmetatable(v).__gc(v)
  survives("a collected value", function() return v.type, tostring(v) end)
  getmetatable(cap).__gc(cap)
  getmetatable(cap).__gc(cap)
  survives("a collected caption", function() return cap.Text end)
  getmetatable(font).__gc(font)
  survives("a collected font", function() return font.Size end)
  local y = g:add("y")
  getmetatable(y).__gc(y)
  getmetatable(y).__gc(y)
  survives("a collected box reference", function() return y.Value end)
  local z = g:add("z")
  getmetatable(g).__gc(g)
  getmetatable(g).__gc(g)
  local ok, err = pcall(function() return z.Value end)
  check.eq(ok, false, "a box of a closed form is refused")
  check.eq(tostring(err):find("closed", 1, true) ~= nil, true, "with a clear message: " .. tostring(err))
  check.eq(pcall(function() return g:focused() end), false, "a closed form is refused")
  -- A form cannot close itself from its own event.
  local h = vl.Form{ font = "fixed" }
  local q = h:add("q")
  q.Change = function() getmetatable(h).__gc(h) end
  survives("closing a form from its own event", function() q.Value = "x" end)
  check.eq(q.Value, vl.String("x"), "the form lives on")
end

-- 9. Only text chunks load: a precompiled chunk is refused by load, loadfile and dofile.
do
  local chunk = string.dump(function() return 1 end)
  local fn, err = load(chunk, "dumped", "b")
  check.eq(fn, nil, "load refuses a binary chunk")
  check.eq(tostring(err):find("binary", 1, true) ~= nil, true, "load says why")
  local path = os.tmpname()
  local file = assert(io.open(path, "wb"))
  file:write(chunk)
  file:close()
  check.eq(loadfile(path), nil, "loadfile refuses a binary chunk")
  check.eq(pcall(dofile, path), false, "dofile refuses a binary chunk")
  os.remove(path)
  check.eq(load("return 2")(), 2, "text still loads")
  check.eq(load("return vl.Null")(), vl.Null, "with the global environment")
  check.eq(load("return x", "env", "t", { x = 3 })(), 3, "or the one given")
  check.eq(debug.setmetatable, nil, "the debug library's object surgery is not offered")
end

-- 10. Rectangles far off the screen are refused with a clear error instead of overflowing.
for _, rect in ipairs({ { x = 2147483647, w = 10 }, { y = -2147483648, h = 5 }, { w = -1 }, { x = 1.5 }, { x = "a" } }) do
  local ok, err = pcall(f.add, f, "r" .. tostring(math.random(1 << 30)), rect)
  check.eq(ok, false, "a rectangle out of range is refused")
  clearError(err, "rectangle")
  check.eq(pcall(f.move, f, b, rect), false, "f:move refuses it too")
end
check.eq(pcall(f.click, f, b, 2147483647, 0), false, "a click far off the box is refused")
