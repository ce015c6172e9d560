-- SPDX-License-Identifier: MIT
-- Runs an exported TIC-80 Lua program outside the console: a stub of every function of
-- TIC-80's API list (src/api.h, TIC_API_LIST) with its number of required arguments, which
-- must be there and must not be NaN; then the program, BOOT once when there is one, and TIC
-- for 60 frames (one second), the way the console calls them.
-- Usage: lua5.3 tic80.lua PROGRAM
local frame, calls = 0, 0

local function define(name, required, result)
  _G[name] = function(...)
    local n = select("#", ...)
    if n < required then
      error(name .. "() needs " .. required .. " arguments, got " .. n, 2)
    end
    for i = 1, required do
      local v = select(i, ...)
      if v == nil or v ~= v then
        error(name .. "(): argument " .. i .. " is " .. tostring(v), 2)
      end
    end
    calls = calls + 1
    if type(result) == "function" then return result(...) end
    return result
  end
end

define("print", 1, 6)
define("cls", 0)
define("pix", 2, 0)
define("line", 5)
define("rect", 5)
define("rectb", 5)
define("spr", 3)
define("btn", 0, false)
define("btnp", 0, false)
define("sfx", 1)
define("map", 0)
define("mget", 2, 0)
define("mset", 3)
define("peek", 1, 0)
define("poke", 2)
define("peek1", 1, 0)
define("poke1", 2)
define("peek2", 1, 0)
define("poke2", 2)
define("peek4", 1, 0)
define("poke4", 2)
define("memcpy", 3)
define("memset", 3)
define("trace", 1)
define("pmem", 1, 0)
define("time", 0, function() return frame * 1000 / 60 end)
define("tstamp", 0, 0)
define("exit", 0)
define("font", 3, 6)
define("mouse", 0, function() return 0, 0, false, false, false, 0, 0 end)
define("circ", 4)
define("circb", 4)
define("elli", 5)
define("ellib", 5)
define("tri", 7)
define("trib", 7)
define("ttri", 12)
define("clip", 0)
define("music", 0)
define("sync", 0)
define("vbank", 0, 0)
define("reset", 0)
define("key", 0, false)
define("keyp", 0, false)
define("fget", 2, false)
define("fset", 3)

local program = assert(loadfile(arg[1]))
program()
if type(BOOT) == "function" then BOOT() end
assert(type(TIC) == "function", "'function TIC()...' isn't found")
while frame < 60 do
  TIC()
  frame = frame + 1
end
io.write("ran ", frame, " frames, ", calls, " API calls\n")
