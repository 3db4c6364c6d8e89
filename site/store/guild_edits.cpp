// Changes of a guild's own settings made after it was set up.
#include "store/site_store.h"

#include "store/guild_repository.h"

namespace dkpsite {

void SiteStore::renameDkpSystem(std::int64_t dkpSystemId, const std::string& name,
                                const Origin& origin) {
    std::optional<long long> guild;
    {
        Database::Connection connection(db_);
        guild = systemGuild(connection.sql(), dkpSystemId);
    }
    if (!guild)
        throw LedgerError("no DKP system " + std::to_string(dkpSystemId));
    inWriteTransaction(db_, *guild, [&](soci::session& sql) {
        const long long id = dkpSystemId;
        std::string before;
        sql << "SELECT name FROM dkp_systems WHERE id = :id", soci::use(id, "id"),
            soci::into(before);
        sql << "UPDATE dkp_systems SET name = :name WHERE id = :id", soci::use(name, "name"),
            soci::use(id, "id");
        recordAudit(sql, {origin, *guild, "rename DKP system", std::to_string(id), before, name});
    });
}

} // namespace dkpsite
