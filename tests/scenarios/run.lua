-- Runs one scenario script and reports every check of it that failed, not only the first:
--   vltext run run.lua SCENARIO.lua
-- A failed check is recorded and the scenario goes on; an error that escapes it ends it. The run
-- fails when either happened.
local check = require "check"
local script = arg[1]
if not script then error("usage: vltext run run.lua SCENARIO.lua", 0) end
check.collecting = true
local ok, err = xpcall(dofile, debug.traceback, script)
local failed = #check.failures()
if not ok then
  error(("%s\n%s"):format(err, failed > 0 and (failed .. " check(s) had failed before") or ""), 0)
end
if failed > 0 then error(("%s: %d check(s) failed (listed above)"):format(script, failed), 0) end
