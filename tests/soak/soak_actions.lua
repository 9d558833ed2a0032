-- The actions of the soak's random walk, and the checks run after each. A walk is a list of
-- actions, each a name and its arguments; the same list runs from the generator (soak.lua) and
-- from a replay script, which is nothing but this module's Run called on written-out actions.
local S = {}

-- --- Text pools ------------------------------------------------------------------------------

S.texts = {
  "0", "1", "7", "9", "12", "-3", "+", "-", ".", "1.5", "99999", "2147483648", "1e308", "0.0001",
  "a", "Z", "abc", "x y", "!", "@", "#", "&", "(", ")", "/", ":", "\t", "\127",
  "１２３", "ＡＢ", "－", "．",           -- full-width
  "ｱｲｳ", "ｶﾞ", "ﾊﾟ", "ｰ",               -- half-width kana
  "漢字", "日本", "あいう", "カタカナ", "〒", -- double-byte
  "😀", "€", "한", "\u{2603}",            -- characters code page 932 cannot hold
  "2026/12/06", "R08/01/01", "12:30:00", "令和", "$", "¥",
}

S.keys = {
  "Enter", "Tab", "Shift+Tab", "Backspace", "Delete", "Home", "End", "Left", "Right", "Up", "Down",
  "Shift+Left", "Shift+Right", "Shift+Home", "Shift+End", "Ctrl+Left", "Ctrl+Right", "Ctrl+Up",
  "Ctrl+Down", "Insert", "Shift+Insert", "Ctrl+Insert", "Shift+Delete", "Ctrl+A", "Ctrl+C", "Ctrl+V",
  "Ctrl+X", "Ctrl+Z", "Escape", "PageUp", "PageDown", "F2", "Space", "Shift+Enter", "Alt+N", "Ctrl+Enter",
}

S.formats = {
  "", "#,##0", "0.00", "#,##0.00;-#,##0.00;\"zero\";\"null\"", "0%", "0.00E+00", "##0",
  "yyyy/mm/dd", "ggge年m月d日", "hh:nn:ss", "yyyy/mm/dd hh:nn", "ee/mm/dd", "aaa",
  "!(999)999-9999", "999-9999", "&&&&", "AAAA", "@@@@", ">&&&", "<AAA", "9\\-9", "KKKK", "JJJ",
  "#;#;#;#;#", "\"", "[", "0.#####################", "ggg", "\\", ";;;", "###############.#####",
}

-- Values written to Value, the bounds and the default: of every type, and some no box can take.
S.values = {
  function() return vl.Null end, function() return vl.Empty end,
  function(r) return vl.Integer(r:int(-32768, 32767)) end,
  function(r) return vl.Long(r:int(-2147483648, 2147483647)) end,
  function(r) return vl.Long(r:int(-100, 100)) end,
  function(r) return vl.Single(r:int(-1000, 1000) / 8) end,
  function(r) return vl.Double(r:int(-100000, 100000) / 7) end,
  function(r) return vl.Double(({ 1e300, -1e300, 1e-300, 0.5, -0.0 })[r:int(1, 5)]) end,
  function(r) return vl.Currency(r:int(-1000000, 1000000) / 100) end,
  function() return vl.Currency("922337203685477.5807") end,
  function(r) return vl.Date(r:int(1900, 2100), r:int(1, 12), r:int(1, 28), r:int(0, 23), r:int(0, 59), 0) end,
  function(r) return vl.Byte(r:int(0, 255)) end,
  function(r) return vl.Boolean(r:int(0, 1) == 1) end,
  function(r) return vl.String(S.texts[r:int(1, 40)]) end,
  function(r) return r:int(-40000, 40000) end,
  function(r) return r:pick({ "", "abc", "12", "2026/12/06", "x" .. string.rep("y", 300) }) end,
  function(r) return r:pick({ true, false, 3.75, -1e20, {}, print }) end,
}

-- Properties a host writes at run time, with values from sensible to plainly wrong.
S.properties = {
  Format = function(r) return r:pick(S.formats) end,
  MaxLength = function(r) return r:pick({ 0, 1, 3, 8, 20, -1, 100000 }) end,
  CheckValue = function(r) return r:int(0, 1) == 1 end,
  KeepNull = function(r) return r:int(0, 1) == 1 end,
  AllowDefaultValue = function(r) return r:int(0, 1) == 1 end,
  Locked = function(r) return r:int(0, 1) == 1 end,
  Enabled = function(r) return r:int(0, 5) > 0 end,
  Alignment = function(r) return r:int(-1, 3) end,
  SpinButton = function(r) return r:int(0, 3) end,
  SpinIncrease = function(r) return r:pick({ 1, 0.5, 10, 1.9, -2, 0, 1e6 }) end,
  SpinDelay = function(r) return r:pick({ 0, 40, 250, -1, 40000 }) end,
  SelStart = function(r) return r:int(-2, 30) end,
  SelLength = function(r) return r:int(-2, 30) end,
  SelText = function(r) return r:pick(S.texts) end,
  PasswordChar = function(r) return r:pick({ "", "*", "ab", "ｱ", "漢" }) end,
  IMEMode = function(r) return r:int(-1, 9) end,
  SelectByFocus = function(r) return r:int(0, 1) == 1 end,
  HideSelection = function(r) return r:int(0, 1) == 1 end,
  ReplaceCursor = function(r) return r:int(0, 1) == 1 end,
  TabByReturn = function(r) return r:int(0, 1) == 1 end,
  TabByVertKey = function(r) return r:int(0, 1) == 1 end,
  TabByHorzKey = function(r) return r:int(0, 1) == 1 end,
  TabByInputLast = function(r) return r:int(0, 1) == 1 end,
  FuriganaType = function(r) return r:int(-1, 3) end,
  BorderStyle = function(r) return r:int(-1, 2) end,
  Appearance = function(r) return r:int(0, 1) end,
  FontSize = function(r) return r:pick({ 9, 12, 6.5, 20, 0, -1 }) end,
  FontBold = function(r) return r:int(0, 1) == 1 end,
  Caption = function(r) return r:pick({ "", "&Yes", "はい", "x" }) end,
  BackColor = function(r) return r:pick({ 0x80000005, 0x00FFEEDD, 0x8000000F, -5, 0x1FFFFFFFF }) end,
  Text = function() return "x" end,               -- always refused
  MultiLine = function() return true end,         -- refused at run time
  Value = function(r) return r:pick(S.values)(r) end,
  LowerValue = function(r) return r:pick(S.values)(r) end,
  UpperValue = function(r) return r:pick(S.values)(r) end,
  DefaultValue = function(r) return r:pick(S.values)(r) end,
  DataType = function(r) return r:pick({ 2, 3, 4, 5, 6, 7, 8, 11, 17, 9, 14 }) end,
  Nonsense = function() return 1 end,             -- no such property
}

S.events = {
  "Change", "Click", "DblClick", "KeyDown", "KeyPress", "KeyUp", "MouseDown", "MouseMove", "MouseUp",
  "ValueError", "SpinDown", "SpinUp", "Furigana", "UserCheckValue",
}

-- What a host's handler does. Each takes the walk's state, the event's table and the handler's own
-- random numbers (seeded when it was installed, so a replay without some other action makes the
-- same choices).
S.handlers = {
  nothing = function() end,
  datatype = function(w, _, r) w.write("DataType", r:pick({ 2, 3, 4, 5, 6, 7, 8, 11, 17 })) end,
  home = function(w) w.write("DataType", w.dataType) end,
  focusOut = function(w) w.f:focus("ok") end,
  focusOther = function(w) w.f:focus(w.other) end,
  focusBack = function(w) w.f:focus(w.b) end,
  value = function(w, _, r) w.write("Value", r:pick(S.values)(r)) end,
  locked = function(w, _, r) w.write("Locked", r:int(0, 1) == 1) end,
  align = function(w, _, r) w.write("Alignment", r:int(0, 2)) end,
  bounds = function(w, _, r) w.write("CheckValue", true); w.write("UpperValue", r:pick(S.values)(r)) end,
  raise = function() error("the handler fails") end,
  raiseTable = function() error(setmetatable({}, { __tostring = function() error("and its text fails") end })) end,
  cancel = function(_, e) e.KeyAscii = 0 end,
  tab = function(_, e) e.KeyAscii = 9 end,
  answer = function(_, e, r)
    e.ReturnFocus = r:int(0, 1) == 1
    e.CancelDisplay = r:int(0, 1) == 1
    e.ErrCode = r:pick({ 0, 0, 1, 2, 5, 7, 500, 1000 })
    e.ErrString = "host says no"
  end,
  readValue = function(w) local _ = w.b.Value end,
  selText = function(w, _, r) w.write("SelText", r:pick(S.texts)) end,
}
S.handlerNames = {}
for name in pairs(S.handlers) do S.handlerNames[#S.handlerNames + 1] = name end
table.sort(S.handlerNames)

-- --- Random numbers: a fixed generator, so a seed gives the same walk everywhere ---------------

function S.Random(seed)
  local r = { state = (seed * 2654435761 + 1) & 0x7FFFFFFFFFFFFFFF }
  function r:next()
    -- xorshift64*
    local x = self.state
    x = x ~ (x >> 12)
    x = x ~ (x << 25)
    x = x ~ (x >> 27)
    self.state = x
    return ((x * 2685821657736338717) >> 11) & 0xFFFFFFFFFFFF
  end
  function r:int(lo, hi) return lo + self:next() % (hi - lo + 1) end
  function r:pick(list) return list[self:int(1, #list)] end
  return r
end

-- --- The walk's world ------------------------------------------------------------------------

-- A form with the box under test (b), another box (o) and a button (ok), measuring with the
-- fixed-metrics font, or with the real one when `font` is "real".
function S.World(dataType, seed, font)
  local w = { dataType = dataType, seed = seed, boundsTouched = false }
  w.f = vl.Form{ font = font or "fixed" }
  w.b = w.f:add("b", { x = 0, y = 0, w = 200, h = 24 })
  w.o = w.f:add("o", { x = 0, y = 40, w = 200, h = 24 })
  w.other = w.o
  w.f:add_button("ok", { x = 0, y = 80, w = 80, h = 24 })
  w.b.DataType = dataType
  w.lastValue = w.b.Value
  -- A property write of the walk or of a handler: refusals are part of the game.
  function w.write(name, value)
    if name == "LowerValue" or name == "UpperValue" or name == "CheckValue" or name == "DataType" then
      w.boundsTouched = true
    end
    local ok = pcall(function() w.b[name] = value end)
    return ok
  end
  return w
end

-- --- Actions: name -> function(world, ...) ----------------------------------------------------

S.do_ = {}
local A = S.do_

function A.type(w, text) w.f:type(text) end
function A.key(w, name) w.f:key(name) end
function A.click(w, x, y, button) w.f:click(w.b, x, y, { button = button }) end
function A.dblclick(w, x, y) w.f:dblclick(w.b, x, y) end
function A.drag(w, x1, y1, x2, y2)
  w.f:mousedown(w.b, x1, y1)
  w.f:mousemove(w.b, x2, y2, { buttons = { "left" } })
  w.f:mouseup(w.b, x2, y2)
end
function A.move(w, x, y) w.f:mousemove(w.b, x, y) end
function A.wait(w, ms) w.f:wait(ms) end
function A.hold(w, key, ms)
  w.f:keydown(key, { autorepeat = true })
  w.f:wait(ms)
  w.f:keyup(key)
end
function A.focus(w, target)
  if target == "b" then w.f:focus(w.b) elseif target == "o" then w.f:focus(w.o) else w.f:focus("ok") end
end
function A.compose(w, text, reading) w.f:ime_compose(text, reading) end
function A.ime(w, open, conversion) w.f:ime_set{ open = open, conversion = conversion } end
function A.write(w, name, value) w.write(name, value) end
function A.handler(w, event, kind, seed)
  -- Each handler acts once per event raised, and not inside itself.
  local busy = false
  local r = S.Random(seed or 1)
  w.b[event] = function(e)
    if busy then return end
    busy = true
    local ok, err = pcall(S.handlers[kind], w, e, r)
    busy = false
    if not ok then error(err, 0) end
  end
end
function A.unhandle(w, event) w.b[event] = nil end
function A.clipboard(w, text) w.f:set_clipboard(text) end
function A.read(w)
  local _ = w.b.Text
  local _ = w.b.SelText
  local _ = w.b.SelStart
end
function A.home(w) w.write("DataType", w.dataType) end

-- The host reports the script's own failing handlers, and arguments it refuses, as Lua errors:
-- those are expected. Anything else is not.
local function expected(err)
  if type(err) == "table" then return true end
  local text = tostring(err)
  return text:find("handler fails", 1, true) or text:find("nested", 1, true) or text:find("its text fails", 1, true)
      or text:find("__tostring", 1, true)
end

function S.Run(w, action)
  local ok, err = pcall(A[action[1]], w, table.unpack(action, 2))
  if not ok and not expected(err) then return "action failed: " .. tostring(err) end
  return S.Check(w)
end

-- --- Checks after every step -----------------------------------------------------------------

local ordered = { [2] = true, [3] = true, [4] = true, [5] = true, [6] = true, [7] = true, [17] = true }

local function number(v)
  if v.type == 6 then return tonumber(v.value) end
  return v.value
end

-- Nil when everything holds, else what does not.
function S.Check(w)
  local f, b = w.f, w.b
  local shown = f:shown(b)
  if type(shown) ~= "string" or utf8.len(shown) == nil then return "f:shown is not valid UTF-8" end
  if f:editing(b) then
    -- Being edited: the selection lies within the text shown. (A masked String box's f:shown
    -- answers its value, not the layout the selection counts in.)
    if b.DataType == 8 and b.Format ~= "" then return nil end
    local sel = f:selection(b)
    local n = utf8.len(shown)
    if sel.start < 0 or sel.length < 0 or sel.start + sel.length > n then
      return ("selection %d+%d outside the shown text of %d characters (%q)"):format(sel.start, sel.length, n, shown)
    end
    return nil
  end
  -- Not being edited: Value is the committed value, Null or of the data type.
  local ok, v = pcall(function() return b.Value end)
  if not ok then
    if expected(v) then return nil end
    return "Value cannot be read: " .. tostring(v)
  end
  local dataType = b.DataType
  if v.type ~= 0 and v.type ~= 1 and v.type ~= dataType then
    return ("Value is a %s (%s) in a box of type %d"):format(v.typename, tostring(v), dataType)
  end
  -- A value committed while CheckValue is set lies within the bounds. (Once the bounds moved, the
  -- value held may be one they no longer take: a refused text falls back to it. So a value is
  -- checked only when it changed since the last look and the bounds did not.)
  if v ~= w.lastValue and not w.boundsTouched and b.CheckValue and ordered[dataType] and v.type == dataType then
    local lo, hi = b.LowerValue, b.UpperValue
    if lo.type == dataType and hi.type == dataType then
      local x, l, h = number(v), number(lo), number(hi)
      -- The editors take a reversed pair as its range, except an Integer box, which takes nothing.
      if l > h then l, h = h, l end
      if not (dataType == 2 and number(lo) > number(hi)) and (x < l or x > h) then
        return ("committed Value %s outside [%s, %s]"):format(tostring(v), tostring(lo), tostring(hi))
      end
    end
  end
  w.lastValue = v
  w.boundsTouched = false
  return nil
end

-- --- Generating a walk -----------------------------------------------------------------------

local function point(r) return r:int(-5, 205), r:int(-3, 27) end

-- The next action of a walk, as a list: name, arguments.
function S.Next(w, r)
  local roll = r:int(1, 100)
  if roll <= 22 then
    local t = r:pick(S.texts)
    if r:int(1, 4) == 1 then t = t .. r:pick(S.texts) end
    return { "type", t }
  elseif roll <= 40 then
    return { "key", r:pick(S.keys) }
  elseif roll <= 46 then
    local x, y = point(r)
    return { "click", x, y, r:pick({ "left", "left", "left", "right", "middle" }) }
  elseif roll <= 48 then
    local x, y = point(r)
    return { "dblclick", x, y }
  elseif roll <= 51 then
    local x1, y1 = point(r)
    local x2, y2 = point(r)
    return { "drag", x1, y1, x2, y2 }
  elseif roll <= 52 then
    local x, y = point(r)
    return { "move", x, y }
  elseif roll <= 54 then
    return { "wait", r:pick({ 10, 100, 300, 600 }) }
  elseif roll <= 55 then
    return { "hold", r:pick({ "Ctrl+Up", "Ctrl+Down", "Right", "Backspace" }), r:pick({ 300, 700 }) }
  elseif roll <= 62 then
    return { "focus", r:pick({ "b", "b", "b", "o", "ok" }) }
  elseif roll <= 65 then
    return { "compose", r:pick({ "学校", "ｶﾞｯｺｳ", "東京都", "あ", "１２", "😀" }), r:pick({ "ｶﾞｯｺｳ", "ﾄｳｷｮｳﾄ", "" }) }
  elseif roll <= 66 then
    return { "ime", r:int(0, 1) == 1, r:pick({ 0, 0x09, 0x19, 0x08, 0x03 }) }
  elseif roll <= 84 then
    local names = {}
    for name in pairs(S.properties) do names[#names + 1] = name end
    table.sort(names)
    local name = r:pick(names)
    return { "write", name, S.properties[name](r) }
  elseif roll <= 91 then
    return { "handler", r:pick(S.events), r:pick(S.handlerNames), r:int(1, 1000000) }
  elseif roll <= 93 then
    return { "unhandle", r:pick(S.events) }
  elseif roll <= 95 then
    return { "clipboard", r:pick(S.texts) .. r:pick(S.texts) }
  elseif roll <= 97 then
    return { "read" }
  else
    return { "home" }
  end
end

-- --- Writing an action out as Lua ------------------------------------------------------------

local function literal(v)
  local t = type(v)
  if t == "string" then return ("%q"):format(v):gsub("\\\n", "\\n") end
  if t == "number" then
    if math.type(v) == "integer" then return tostring(v) end
    if v ~= v then return "0/0" end
    if v == math.huge then return "math.huge" end
    if v == -math.huge then return "-math.huge" end
    return ("%.17g"):format(v)
  end
  if t == "boolean" or t == "nil" then return tostring(v) end
  if t == "function" then return "print" end
  if t == "table" then return "{}" end
  if t == "userdata" then
    -- A typed value: rebuilt from its type and payload.
    local ctor = { [0] = "vl.Empty", [1] = "vl.Null", [2] = "vl.Integer", [3] = "vl.Long", [4] = "vl.Single",
                   [5] = "vl.Double", [6] = "vl.Currency", [7] = "vl.DateSerial", [8] = "vl.String",
                   [11] = "vl.Boolean", [17] = "vl.Byte" }
    local c = ctor[v.type]
    if v.type <= 1 then return c end
    return c .. "(" .. literal(v.value) .. ")"
  end
  return "nil"
end

function S.Line(action)
  local parts = {}
  for i = 2, #action do parts[#parts + 1] = literal(action[i]) end
  return ("S.Run(w, {%q%s})"):format(action[1], #parts > 0 and (", " .. table.concat(parts, ", ")) or "")
end

-- The head of a replay script for a walk on `dataType`.
function S.Header(dataType, seed, font)
  return table.concat({
    "-- A soak replay: run with LUA_PATH=tests/soak/?.lua build-asan/apps/vltext/vltext run FILE",
    "local S = require \"soak_actions\"",
    ("local w = S.World(%d, %d, %q)"):format(dataType, seed, font or "fixed"),
    -- A broken check ends the replay with status 3 and its message, as it ends the soak.
    "S.Run = (function(run) return function(w, a) local bad = run(w, a); if bad then io.stderr:write(bad, \"\\n\"); os.exit(3) end end end)(S.Run)",
  }, "\n") .. "\n"
end

return S
