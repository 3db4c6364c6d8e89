-- Loads an addon folder as the game does and prints the DKP points its MerDKP part knows.
--
--   lua5.4 addon_harness.lua ADDON_FOLDER [TOC_NAME]
--
-- TOC_NAME defaults to the folder's own name with ".toc". The files that the .toc names are
-- run in its order ("\" read as "/") in one shared global table that holds the Lua functions
-- the game offers and a stand-in for the few game functions the addon calls (CreateFrame and
-- its frames' RegisterEvent, SetScript and so on). Then the frames get the events of the end
-- of loading (ADDON_LOADED, VARIABLES_LOADED, PLAYER_LOGIN), and the MerDKP functions are
-- asked for every player's points. One line per finding, fields separated by tabs:
--
--   missing <file>               a file the .toc names that is not there; like the game, the
--                                harness goes on without it
--   error <where> <message>      a file that did not load or run, a failed event handler, or
--                                MerDKP functions that disagree with each other
--   system <id> <name>           each DKP system, ascending by id
--   points <id> <dkp> <player>   each player's points in each system listing the player
--   default <dkp> <player>       MerDKP_GetPoints(player) without a system
--
-- In names "\", tab, line feed and carriage return are written as \\, \t, \n and \r. The exit
-- status is 0 when nothing failed, 1 after an error line, 2 for wrong arguments.

local folder, tocName = arg[1], arg[2]
if folder == nil then
    io.stderr:write("usage: lua5.4 addon_harness.lua ADDON_FOLDER [TOC_NAME]\n")
    os.exit(2)
end
folder = folder:gsub("/+$", "")
tocName = tocName or (folder:match("([^/]+)$") .. ".toc")

local failed = false

local function escaped(text)
    return (tostring(text):gsub("[\\\t\n\r]", { ["\\"] = "\\\\", ["\t"] = "\\t", ["\n"] = "\\n", ["\r"] = "\\r" }))
end

local function report(...)
    local fields = { ... }
    for i = 1, #fields do
        fields[i] = escaped(fields[i])
    end
    io.write(table.concat(fields, "\t"), "\n")
end

local function fail(where, message)
    failed = true
    report("error", where, message)
end

-- The game's global table: its Lua functions, nothing that reaches files or the system.
local game = {}
for _, name in ipairs({ "assert", "error", "ipairs", "next", "pairs", "pcall", "rawequal",
                        "rawget", "rawset", "select", "setmetatable", "getmetatable", "tonumber",
                        "tostring", "type", "xpcall", "string", "table", "math" }) do
    game[name] = _G[name]
end
game.unpack = table.unpack
game._G = game

-- Frames keep their registered events and scripts; only the end-of-loading events are sent.
local frames = {}

local Frame = {}
Frame.__index = Frame
function Frame:RegisterEvent(event) self.events[event] = true end
function Frame:UnregisterEvent(event) self.events[event] = nil end
function Frame:IsEventRegistered(event) return self.events[event] == true end
function Frame:SetScript(handler, script) self.scripts[handler] = script end
function Frame:GetScript(handler) return self.scripts[handler] end
function Frame:Show() self.shown = true end
function Frame:Hide() self.shown = false end
function Frame:IsShown() return self.shown end
function Frame:GetName() return self.name end

function game.CreateFrame(frameType, name)
    local frame = setmetatable({ frameType = frameType, name = name, events = {}, scripts = {},
                                 shown = true }, Frame)
    table.insert(frames, frame)
    if name ~= nil then
        game[name] = frame
    end
    return frame
end

local function sendEvent(event, ...)
    for _, frame in ipairs(frames) do
        local script = frame.scripts.OnEvent
        if frame.events[event] and script ~= nil then
            -- Handlers of this game version read this, event and arg1... as globals.
            game.this, game.event = frame, event
            local args = { ... }
            for i = 1, 9 do
                game["arg" .. i] = args[i]
            end
            local ok, message = pcall(script, frame, event, ...)
            if not ok then
                fail(event, message)
            end
        end
    end
end

local function loadAddonFile(relative)
    local path = folder .. "/" .. relative
    local file = io.open(path, "rb")
    if file == nil then
        report("missing", relative)
        return
    end
    file:close()
    local chunk, message = loadfile(path, "t", game)
    if chunk == nil then
        fail(relative, message)
        return
    end
    local ok, runMessage = pcall(chunk)
    if not ok then
        fail(relative, runMessage)
    end
end

local toc = io.open(folder .. "/" .. tocName, "rb")
if toc == nil then
    fail(tocName, "cannot open " .. folder .. "/" .. tocName)
    os.exit(1)
end
for line in toc:lines() do
    line = line:gsub("\r$", ""):match("^%s*(.-)%s*$")
    if line ~= "" and line:sub(1, 1) ~= "#" then
        loadAddonFile((line:gsub("\\", "/")))
    end
end
toc:close()

sendEvent("ADDON_LOADED", folder:match("([^/]+)$"))
sendEvent("VARIABLES_LOADED")
sendEvent("PLAYER_LOGIN")

local function number(value)
    if type(value) == "number" and value == math.floor(value) then
        return string.format("%d", value)
    end
    return tostring(value)
end

local function call(name, ...)
    local ok, a, b = pcall(game[name], ...)
    if not ok then
        fail(name, a)
        return nil
    end
    return a, b
end

local systems = call("MerDKP_GetSystems") or {}
for _, id in ipairs(systems) do
    report("system", number(id), call("MerDKP_GetSystemName", id) or "")
end
for _, name in ipairs(call("MerDKP_GetPlayers") or {}) do
    local bySystem = call("MerDKP_GetPointsBySystem", name) or {}
    for _, id in ipairs(systems) do
        local points = call("MerDKP_GetPoints", name, id)
        if bySystem[id] ~= nil then
            report("points", number(id), number(bySystem[id]), name)
            if points ~= bySystem[id] then
                fail("MerDKP_GetPoints", name .. " has " .. number(points) .. " in " .. number(id))
            end
        elseif points ~= 0 then
            fail("MerDKP_GetPoints", name .. " is not listed in " .. number(id))
        end
    end
    report("default", number(call("MerDKP_GetPoints", name)), name)
end

os.exit(failed and 1 or 0)
