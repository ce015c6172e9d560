-- SPDX-License-Identifier: MIT
-- Runs an exported LIKO-12 program outside the console: a stub of the functions a LIKO-12
-- game sees (the GPU peripheral's methods and DiskOS's game functions, as its API
-- documentation names them) with their required arguments, which must be there and must
-- not be NaN; image() takes only a well-formed GPUIMG text. Then the program, _init once,
-- and _update and _draw for 60 frames, the way DiskOS runs a game.
-- Usage: luajit liko12.lua PROGRAM
local frame, calls = 0, 0

local function checked(name, required, ...)
  local n = select("#", ...)
  if n < required then
    error(name .. "() needs " .. required .. " arguments, got " .. n, 3)
  end
  for i = 1, n do
    local v = select(i, ...)
    if (i <= required and v == nil) or v ~= v then
      error(name .. "(): argument " .. i .. " is " .. tostring(v), 3)
    end
  end
  calls = calls + 1
end

local function define(name, required, result)
  _G[name] = function(...)
    checked(name, required, ...)
    if type(result) == "function" then return result(...) end
    return result
  end
end

-- An image: the GPUIMG text "LK12;GPUIMG;WxH;" followed by one hexadecimal digit per pixel.
local function newImage(data)
  if type(data) ~= "string" then error("image(): the data is a " .. type(data), 3) end
  local w, h, digits = data:match("^LK12;GPUIMG;(%d+)x(%d+);(.*)$")
  if not w then error("image(): not a GPUIMG text: " .. data:sub(1, 24), 3) end
  if #digits ~= w * h or digits:find("[^%x]") then
    error("image(): " .. w .. "x" .. h .. " needs " .. w * h .. " hexadecimal digits", 3)
  end
  local img = {}
  function img:draw(...) checked("image:draw", 0, ...) return self end
  function img:width() return tonumber(w) end
  function img:height() return tonumber(h) end
  function img:data() return data end
  return img
end

-- GPU
define("clear", 0)
define("color", 0, 7)
define("colorPalette", 0)
define("pal", 0)
define("palt", 0)
define("pushPalette", 0)
define("popPalette", 0)
define("pushColor", 0)
define("popColor", 0)
define("patternFill", 0)
define("point", 2)
define("points", 1)
define("line", 4)
define("lines", 1)
define("rect", 4)
define("circle", 3)
define("ellipse", 4)
define("triangle", 6)
define("polygon", 6)
define("print", 0)
define("printCursor", 0, 0)
_G.image = function(data) calls = calls + 1 return newImage(data) end
define("clip", 0)
define("cam", 0)
define("cursor", 0)
define("flip", 0)
define("screenSize", 0, function() return 192, 128 end)
define("screenWidth", 0, 192)
define("screenHeight", 0, 128)
define("termWidth", 0, 32)
define("termHeight", 0, 16)
define("fontSize", 0, function() return 4, 6 end)
define("fontWidth", 0, 4)
define("fontHeight", 0, 6)
define("getMPos", 0, function() return 0, 0 end)
define("isMDown", 0, false)
-- DiskOS games
define("btn", 1, false)
define("btnp", 1, false)
define("exit", 0)
define("pause", 0)
define("fget", 1, 0)
define("fset", 2)
define("map", 0)
define("mget", 2, 0)
define("mset", 3)
define("pget", 2, 0)
define("pset", 3)
define("sget", 2, 0)
define("sset", 3)
define("isInRect", 3, false)
define("whereInGrid", 3, false)
define("getBtnName", 1, "")

local program = assert(loadfile(arg[1]))
program()
if type(_init) == "function" then _init() end
while frame < 60 do
  if type(_update) == "function" then _update(1 / 60) end
  if type(_draw) == "function" then _draw() end
  frame = frame + 1
end
io.write("ran ", frame, " frames, ", calls, " API calls\n")
