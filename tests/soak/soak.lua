-- The soak: a seeded random walk through one box of a data type — typing, keys, the mouse, focus
-- moves, compositions, property writes good and bad, handlers that change the box under their
-- own events — checking after every step what must always hold (soak_actions.lua, S.Check).
--
--   vltext run tests/soak/soak.lua TYPE SEED ACTIONS [LOG [FONT]]
--
-- FONT "real" measures with the Japanese gothic instead of the fixed-metrics font (slower).
-- Every action is written to LOG (default soak-TYPE-SEED.lua) as a line of a replay script before
-- it runs, so that after a crash the log holds the walk up to it. Exit status 0 when the walk ends
-- clean; 3 after a broken check (the message on stderr). scripts/soak.sh runs the walks and turns
-- a failing log into a minimal replay script.
local S = require "soak_actions"

local dataType = tonumber(arg[1]) or 3
local seed = tonumber(arg[2]) or 1
local count = tonumber(arg[3]) or 1000
local logPath = arg[4] or ("soak-%d-%d.lua"):format(dataType, seed)
local font = arg[5] or "fixed"

local log = assert(io.open(logPath, "w"))
log:write(S.Header(dataType, seed, font))
log:flush()

local r = S.Random(seed * 1000 + dataType)
local w = S.World(dataType, seed, font)
for step = 1, count do
  -- Back to the data type under test now and then, so the walk stays about it.
  local action = step % 500 == 0 and { "home" } or S.Next(w, r)
  log:write(S.Line(action), "\n")
  log:flush()
  local bad = S.Run(w, action)
  if bad then
    log:close()
    io.stderr:write(("soak: type %d seed %d step %d: %s\n"):format(dataType, seed, step, bad))
    os.exit(3)
  end
  -- The transcript is read back now and then, as a host would; it must not grow without end.
  if step % 50 == 0 then
    w.f:events()
    w.f:messages()
    w.f:notifications()
  end
end
log:close()
os.remove(logPath)
print(("soak: type %d seed %d: %d actions clean"):format(dataType, seed, count))
