-- Small assertions for scenario scripts: each failure names the line of the scenario.
--
-- Run through run.lua (as the suite runs every scenario), a failed check is recorded and the
-- script goes on, so one run reports every check of the file that failed; run on its own, a
-- scenario stops at its first failed check.
local check = { collecting = false }
local failures = {}

local function fail(msg, level)
  local where = debug.getinfo((level or 2) + 1, "Sl")
  local text = where and ("%s:%d: %s"):format(where.short_src, where.currentline, msg) or msg
  if not check.collecting then error(text, 0) end
  failures[#failures + 1] = text
  io.stderr:write("check failed: ", text, "\n")
end

-- The failures recorded so far, oldest first.
function check.failures()
  return failures
end

function check.eq(actual, expected, what)
  if actual ~= expected then
    fail(("%s: expected %s, got %s"):format(what or "value", tostring(expected), tostring(actual)), 2)
  end
end

-- A number within `tolerance` (0.05 unless given) of the expected one.
function check.near(actual, expected, what, tolerance)
  if type(actual) ~= "number" or math.abs(actual - expected) > (tolerance or 0.05) then
    fail(("%s: expected %.2f, got %s"):format(what or "value", expected, tostring(actual)), 2)
  end
end

-- Runs f and expects the control to refuse it with code (and message, when given).
function check.refused(code, message, f, what)
  local ok, err = pcall(f)
  what = what or "call"
  if ok then
    fail(what .. ": expected error " .. code .. ", it succeeded", 2)
  elseif type(err) ~= "table" then
    fail(what .. ": expected error " .. code .. ", got " .. tostring(err), 2)
  elseif err.code ~= code then
    fail(("%s: expected error %d, got %s"):format(what, code, tostring(err)), 2)
  elseif message and err.message ~= message then
    fail(("%s: expected message %q, got %q"):format(what, message, err.message), 2)
  end
end

-- The names of the events raised since the last call, joined by spaces.
function check.events(f)
  local names = {}
  for _, e in ipairs(f:events()) do names[#names + 1] = e.name end
  return table.concat(names, " ")
end

-- The properties notified since the last call, joined by spaces.
function check.notified(f)
  local names = {}
  for _, n in ipairs(f:notifications()) do names[#names + 1] = n.property end
  return table.concat(names, " ")
end

return check
