-- Small assertions for scenario scripts: each failure names the line of the scenario.
local check = {}

local function fail(msg, level)
  error(msg, (level or 2) + 1)
end

function check.eq(actual, expected, what)
  if actual ~= expected then
    fail(("%s: expected %s, got %s"):format(what or "value", tostring(expected), tostring(actual)), 2)
  end
end

-- Runs f and expects the control to refuse it with code (and message, when given).
function check.refused(code, message, f, what)
  local ok, err = pcall(f)
  if ok then fail((what or "call") .. ": expected error " .. code .. ", it succeeded", 2) end
  if type(err) ~= "table" then fail((what or "call") .. ": expected error " .. code .. ", got " .. tostring(err), 2) end
  if err.code ~= code then fail(("%s: expected error %d, got %s"):format(what or "call", code, tostring(err)), 2) end
  if message and err.message ~= message then
    fail(("%s: expected message %q, got %q"):format(what or "call", message, err.message), 2)
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
