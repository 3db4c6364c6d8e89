-- TALLYRA: keeps the raid log that Raidledger reads from this addon's saved variables.
CT_RaidTracker_RaidLog = CT_RaidTracker_RaidLog or {}

local frame = CreateFrame("Frame")
frame:RegisterEvent("VARIABLES_LOADED")
frame:SetScript("OnEvent", function()
    if type(CT_RaidTracker_RaidLog) ~= "table" then
        CT_RaidTracker_RaidLog = {}
    end
end)
