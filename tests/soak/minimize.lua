-- Shrinks a failing soak log to a minimal replay script: the fewest actions that still fail the
-- same way (the same broken check, or the same kind of crash), found by delta debugging.
--
--   vltext run tests/soak/minimize.lua LOG VLTEXT OUT
--
-- A broken check is replayed in this process (each try on a fresh form); a crash or a sanitizer
-- report only in a process of its own. Prints the replay script and writes it to OUT.
local logPath, vltext, outPath = arg[1], arg[2], arg[3]
local soakDir = (arg[0]:match("^(.*)/[^/]*$") or ".")
package.path = soakDir .. "/?.lua;" .. package.path
local S = require "soak_actions"

local header, actions = {}, {}
local dataType, seed, font
for line in io.lines(logPath) do
  if line:match("^S%.Run%(") then
    actions[#actions + 1] = line
  else
    header[#header + 1] = line
    local t, s, f = line:match('S%.World%((%-?%d+), (%-?%d+), "(%a+)"%)')
    if t then dataType, seed, font = tonumber(t), tonumber(s), f end
  end
end
header = table.concat(header, "\n") .. "\n"

local scratch = outPath .. ".try"
local errPath = outPath .. ".err"

local function shell(s) return "'" .. s:gsub("'", "'\\''") .. "'" end

-- A failure in its own process: nil when clean, else a short signature.
local function outOfProcess(list)
  local f = assert(io.open(scratch, "w"))
  f:write(header, table.concat(list, "\n"), "\n")
  f:close()
  local cmd = ("LUA_PATH=%s/?.lua %s run %s >/dev/null 2>%s"):format(shell(soakDir), shell(vltext), shell(scratch),
                                                                      shell(errPath))
  local ok, how, code = os.execute(cmd)
  if ok then return nil end
  local text = ""
  local e = io.open(errPath)
  if e then text = e:read("a"); e:close() end
  -- A sanitizer names the fault; a broken check its message; otherwise the signal or status.
  local summary = text:match("SUMMARY: (%S+: %S+)") or text:match("runtime error: ([^\n]*)")
  if not summary then summary = (text:match("([^\n]*)") or ""):gsub("^.-:%d+: ", "") end
  return how .. " " .. tostring(code) .. " " .. summary
end

-- Each line compiled once: a function of the module and the world.
local compiled = {}
local function compile(line)
  if not compiled[line] then compiled[line] = assert(load("local S, w = ...; return " .. line)) end
  return compiled[line]
end

-- A broken check replayed here: the message of the first check that breaks, or nil.
local function inProcess(list)
  local w = S.World(dataType, seed, font)
  for _, line in ipairs(list) do
    local ok, bad = pcall(compile(line), S, w)
    if not ok then return "error " .. tostring(bad) end
    if bad then return "exit 3 " .. bad end
  end
  return nil
end

local target = outOfProcess(actions)
if not target then
  io.stderr:write("minimize: the log does not fail when replayed\n")
  os.exit(1)
end
-- A broken check (status 3) replays here, much faster; a crash only in processes of its own.
local oracle = outOfProcess
if target:match("^exit 3 ") and inProcess(actions) == target then oracle = inProcess end
io.stderr:write("minimize: " .. #actions .. " actions fail with: " .. target .. "\n")

-- ddmin: drop chunks of ever finer grain while the failure stays.
local runs, budget = 0, oracle == inProcess and 20000 or 1500
local n = 2
while #actions >= 2 and runs < budget do
  local size = math.ceil(#actions / n)
  local reduced = false
  for start = 1, #actions, size do
    local candidate = {}
    for i, a in ipairs(actions) do
      if i < start or i >= start + size then candidate[#candidate + 1] = a end
    end
    runs = runs + 1
    if #candidate > 0 and oracle(candidate) == target then
      actions = candidate
      n = math.max(n - 1, 2)
      reduced = true
      break
    end
    if runs >= budget then break end
  end
  if not reduced then
    if size == 1 then break end
    n = math.min(n * 2, #actions)
  end
end

local text = header .. table.concat(actions, "\n") .. "\n"
local out = assert(io.open(outPath, "w"))
out:write(text)
out:close()
os.remove(scratch)
os.remove(errPath)
io.stderr:write(("minimize: %d actions after %d runs\n"):format(#actions, runs))
io.write(text)
