// Changes of a guild's own settings made after it was set up.
#include "store/site_store.h"

#include "store/guild_repository.h"

#include <algorithm>

namespace dkpsite {

void SiteStore::renameDkpSystem(std::int64_t dkpSystemId, const std::string& name,
                                const Origin& origin) {
    const long long guild = guildOfSystem(db_, dkpSystemId);
    inWriteTransaction(db_, guild, [&](soci::session& sql) {
        const long long id = dkpSystemId;
        std::string before;
        sql << "SELECT name FROM dkp_systems WHERE id = :id", soci::use(id, "id"),
            soci::into(before);
        sql << "UPDATE dkp_systems SET name = :name WHERE id = :id", soci::use(name, "name"),
            soci::use(id, "id");
        recordAudit(sql, {origin, guild, "rename DKP system", std::to_string(id), before, name});
    });
}

void SiteStore::setDkpSystemArchived(std::int64_t dkpSystemId, bool archived,
                                     const Origin& origin) {
    const long long guild = guildOfSystem(db_, dkpSystemId);
    inWriteTransaction(db_, guild, [&](soci::session& sql) {
        const SiteGuild current = loadGuild(sql, guild);
        const auto system =
            std::find_if(current.systems.begin(), current.systems.end(),
                         [&](const SiteDkpSystem& s) { return s.id == dkpSystemId; });
        if (system->archived() == archived)
            return;
        const auto open = std::count_if(current.systems.begin(), current.systems.end(),
                                        [](const SiteDkpSystem& s) { return !s.archived(); });
        if (archived && open == 1)
            throw LedgerError({RefusalKind::SystemLastOpen, {system->name}});
        updateSystemArchived(sql, dkpSystemId,
                             archived ? std::max<std::int64_t>(origin.atMs, 1) : 0);
        recordAudit(sql, {origin, guild, archived ? "archive DKP system" : "reopen DKP system",
                          std::to_string(dkpSystemId), archived ? "open" : "archived",
                          (archived ? "archived: " : "open: ") + system->name});
    });
}

std::vector<GuildCharacter> SiteStore::characters(std::int64_t guildRowId) {
    Database::Connection connection(db_);
    return guildCharacters(connection.sql(), guildRowId);
}

void SiteStore::setCharacterActive(std::int64_t guildRowId, const std::string& name, bool active,
                                   const Origin& origin) {
    inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const auto before = characterActive(sql, guildRowId, name);
        if (!before)
            throw LedgerError({RefusalKind::NoCharacter, {name}});
        if (*before == active)
            return;
        updateCharacterActive(sql, guildRowId, name, active);
        recordAudit(sql, {origin, guildRowId,
                          active ? "mark character active" : "mark character inactive", name,
                          *before ? "active" : "inactive", active ? "active" : "inactive"});
    });
}

} // namespace dkpsite
