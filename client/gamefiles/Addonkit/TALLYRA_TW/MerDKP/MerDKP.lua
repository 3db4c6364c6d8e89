-- MerDKP: shows the guild DKP standings that Raidledger stores in dkp_list.lua.
MerDKP_Table = MerDKP_Table or {}
Mer_DKP_UPDATETIME = Mer_DKP_UPDATETIME or "0"

function MerDKP_GetPoints(name)
    local entry = MerDKP_Table[name]
    return entry and entry.dkp or 0
end
