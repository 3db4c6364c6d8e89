-- MerDKP: the guild's DKP standings, from the list that Raidledger writes to dkp_list.lua.
--
-- The list (loaded after this file) sets Mer_DKP_UPDATETIME to the time of its last update,
-- milliseconds since 1970 UTC as a quoted number, and MerDKP_Table to one entry per DKP system
-- of the guild, keyed by the system's id:
--
--   MerDKP_Table[systemId] = { name = "System name",
--       players = { ["Player"] = { class = "Warrior", earned = 10, spent = 50, dkp = -40 } } }
--
-- Until Raidledger has written a list, dkp_list.lua defines nothing: there are no systems and
-- every player has 0 points. Entries of another shape are passed over.
--
--   MerDKP_GetSystems()                   ids of the guild's DKP systems, ascending
--   MerDKP_GetSystemName(systemId)        a system's name, or nil
--   MerDKP_GetDefaultSystem()             the system with the lowest id, or nil without any
--   MerDKP_GetPlayers([systemId])         names of the players listed in the system (every
--                                         system when nil), sorted
--   MerDKP_GetPoints(name [, systemId])   the player's dkp in the system (the default system
--                                         when nil); 0 when the system does not list the player
--   MerDKP_GetPointsBySystem(name)        { [systemId] = dkp } for each system listing the player
--   MerDKP_GetPlayer(name [, systemId])   class, earned, spent, dkp of the player in the system
--                                         (the default system when nil), or nil when unlisted
--   MerDKP_GetUpdateTime()                Mer_DKP_UPDATETIME, or nil before the first list
MerDKP_Table = MerDKP_Table or {}

local function systemEntry(systemId)
    local systems = MerDKP_Table
    if type(systems) ~= "table" or systemId == nil then
        return nil
    end
    local system = systems[systemId]
    if type(system) ~= "table" or type(system.players) ~= "table" then
        return nil
    end
    return system
end

local function playerEntry(name, systemId)
    local system = systemEntry(systemId)
    if system == nil or name == nil then
        return nil
    end
    local player = system.players[name]
    if type(player) ~= "table" or type(player.dkp) ~= "number" then
        return nil
    end
    return player
end

function MerDKP_GetSystems()
    local ids = {}
    if type(MerDKP_Table) == "table" then
        for id in pairs(MerDKP_Table) do
            if type(id) == "number" and systemEntry(id) ~= nil then
                table.insert(ids, id)
            end
        end
    end
    table.sort(ids)
    return ids
end

function MerDKP_GetSystemName(systemId)
    local system = systemEntry(systemId)
    if system == nil or type(system.name) ~= "string" then
        return nil
    end
    return system.name
end

function MerDKP_GetDefaultSystem()
    return MerDKP_GetSystems()[1]
end

function MerDKP_GetPlayers(systemId)
    local ids = systemId ~= nil and { systemId } or MerDKP_GetSystems()
    local seen, names = {}, {}
    for _, id in ipairs(ids) do
        local system = systemEntry(id)
        if system ~= nil then
            for name in pairs(system.players) do
                if type(name) == "string" and not seen[name] and playerEntry(name, id) ~= nil then
                    seen[name] = true
                    table.insert(names, name)
                end
            end
        end
    end
    table.sort(names)
    return names
end

function MerDKP_GetPoints(name, systemId)
    local player = playerEntry(name, systemId or MerDKP_GetDefaultSystem())
    return player and player.dkp or 0
end

function MerDKP_GetPointsBySystem(name)
    local points = {}
    for _, id in ipairs(MerDKP_GetSystems()) do
        local player = playerEntry(name, id)
        if player ~= nil then
            points[id] = player.dkp
        end
    end
    return points
end

function MerDKP_GetPlayer(name, systemId)
    local player = playerEntry(name, systemId or MerDKP_GetDefaultSystem())
    if player == nil then
        return nil
    end
    return player.class, player.earned, player.spent, player.dkp
end

function MerDKP_GetUpdateTime()
    return Mer_DKP_UPDATETIME
end
