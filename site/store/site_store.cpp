#include "store/site_store.h"

#include "store/event_repository.h"
#include "store/guild_repository.h"
#include "store/ledger_repository.h"
#include "store/migrations.h"
#include "store/session_repository.h"
#include "store/user_repository.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <stdexcept>

namespace dkpsite {

namespace {

std::int64_t currentTimeMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string sums(std::int64_t earned, std::int64_t spent) {
    return "earned " + std::to_string(earned) + ", spent " + std::to_string(spent);
}

} // namespace

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Origin commandLineOrigin() {
    return {"command line", EntrySource::CommandLine, "", currentTimeMs()};
}

SiteStore::SiteStore(const std::string& database, int passwordIterations)
    : db_(database), passwordIterations_(passwordIterations) {
    migrate(db_, {passwordIterations_});
}

std::int64_t SiteStore::addUser(const std::string& name, const std::string& passwordDigest,
                                bool owner, const Origin& origin) {
    if (const std::string problem = userNameProblem(lowerCase(name)); !problem.empty())
        throw std::invalid_argument(problem);
    const std::string verifier = makePasswordVerifier(passwordDigest, passwordIterations_);
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        const long long id = insertUser(sql, lowerCase(name), verifier, owner);
        recordAudit(sql, {origin, std::nullopt, "add user", lowerCase(name), "",
                          owner ? "site owner" : "user"});
        return id;
    });
}

std::optional<std::int64_t> SiteStore::findUser(const std::string& name) {
    Database::Connection connection(db_);
    const auto user = userNamed(connection.sql(), lowerCase(name));
    if (!user)
        return std::nullopt;
    return user->id;
}

bool SiteStore::setPassword(const std::string& name, const std::string& passwordDigest,
                            const Origin& origin) {
    const std::string verifier = makePasswordVerifier(passwordDigest, passwordIterations_);
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        const auto user = userNamed(sql, lowerCase(name));
        if (!user)
            return false;
        setPasswordHash(sql, user->id, verifier);
        deleteUserSessions(sql, user->id);
        recordAudit(sql, {origin, std::nullopt, "change password", user->name, "", ""});
        return true;
    });
}

std::int64_t SiteStore::addGuild(const std::string& guildId, const std::string& site,
                                 std::int64_t createdMs, bool standingsPublic,
                                 const Origin& origin) {
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        const long long id = insertGuild(sql, guildId, site, createdMs, standingsPublic);
        recordAudit(sql, {origin, id, "add guild", site, "", guildId});
        return id;
    });
}

std::int64_t SiteStore::addDkpSystem(std::int64_t guildRowId, const std::string& name,
                                     const Origin& origin) {
    return inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const long long id = insertDkpSystem(sql, guildRowId, name);
        recordAudit(sql, {origin, guildRowId, "add DKP system", std::to_string(id), "", name});
        return id;
    });
}

void SiteStore::addMembership(std::int64_t userId, std::int64_t guildRowId, bool isDefault,
                              const std::string& role, const Origin& origin) {
    if (role != "admin" && role != "officer" && role != "member")
        throw std::invalid_argument("a guild role is admin, officer or member, not " + role);
    inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        insertMembership(sql, userId, guildRowId, isDefault, role);
        const auto user = userWithId(sql, userId);
        recordAudit(sql, {origin, guildRowId, "add member",
                          user ? user->name : "user " + std::to_string(userId), "", role});
    });
}

std::optional<SiteGuild> SiteStore::guildBySite(const std::string& site) {
    Database::Connection connection(db_);
    return guildWithSite(connection.sql(), site);
}

std::optional<SiteGuild> SiteStore::guildByRowId(std::int64_t guildRowId) {
    Database::Connection connection(db_);
    SiteGuild guild = loadGuild(connection.sql(), guildRowId);
    if (guild.guildId.empty())
        return std::nullopt;
    return guild;
}

std::vector<Standing> SiteStore::standings(std::int64_t dkpSystemId) {
    Database::Connection connection(db_);
    return listedStandings(connection.sql(), dkpSystemId);
}

std::vector<Standing> SiteStore::characterStandings(std::int64_t dkpSystemId) {
    Database::Connection connection(db_);
    return dkpsite::characterStandings(connection.sql(), dkpSystemId);
}

std::int64_t SiteStore::historyLength(std::int64_t dkpSystemId, const std::string& name) {
    Database::Connection connection(db_);
    return dkpsite::historyLength(connection.sql(), dkpSystemId, name);
}

std::vector<HistoryEntry> SiteStore::history(std::int64_t dkpSystemId, const std::string& name,
                                             std::int64_t newer, std::int64_t count) {
    Database::Connection connection(db_);
    return historyPage(connection.sql(), dkpSystemId, name, newer, count);
}

HistoryPage SiteStore::historyPageNumbered(std::int64_t dkpSystemId, const std::string& name,
                                           std::int64_t page, std::int64_t pageRows) {
    Database::Connection connection(db_);
    return numberedHistoryPage(connection.sql(), dkpSystemId, name, page, pageRows);
}

std::vector<std::int64_t> SiteStore::historyRunBalances(std::int64_t dkpSystemId,
                                                        const std::string& name) {
    Database::Connection connection(db_);
    return dkpsite::historyRunBalances(connection.sql(), dkpSystemId, name);
}

std::int64_t SiteStore::guildUpdateTimeMs(std::int64_t guildRowId) {
    Database::Connection connection(db_);
    return dkpsite::guildUpdateTimeMs(connection.sql(), guildRowId);
}

std::vector<LedgerEntry> SiteStore::ledger(std::int64_t dkpSystemId) {
    Database::Connection connection(db_);
    return ledgerEntries(connection.sql(), dkpSystemId);
}

std::vector<AuditRecord> SiteStore::audit(std::int64_t guildRowId) {
    Database::Connection connection(db_);
    return guildAudit(connection.sql(), guildRowId);
}

std::vector<std::string> SiteStore::check() {
    Database::Connection connection(db_);
    soci::session& sql = connection.sql();
    std::vector<std::pair<long long, std::string>> systems;
    {
        long long id = 0;
        std::string name;
        soci::statement query = (sql.prepare << "SELECT id, name FROM dkp_systems ORDER BY id",
                                 soci::into(id), soci::into(name));
        query.execute();
        while (query.fetch())
            systems.emplace_back(id, name);
    }
    std::vector<std::string> differences;
    for (const auto& [id, name] : systems) {
        const std::string where = "DKP system " + std::to_string(id) + " (" + name + "), ";
        std::map<std::string, Standing> recomputed;
        try {
            recomputed = sumEntries(ledgerEntries(sql, id));
        } catch (const LedgerError& e) {
            differences.push_back(where + e.what());
            continue;
        }
        for (const Standing& stored : dkpsite::characterStandings(sql, id)) {
            const Standing summed = recomputed[stored.name];
            recomputed.erase(stored.name);
            if (stored.earned != summed.earned || stored.spent != summed.spent)
                differences.push_back(where + stored.name + ": stored " +
                                      sums(stored.earned, stored.spent) + ", ledger " +
                                      sums(summed.earned, summed.spent));
        }
        for (const auto& [character, summed] : recomputed)
            differences.push_back(where + character + ": no stored standing, ledger " +
                                  sums(summed.earned, summed.spent));
    }
    return differences;
}

} // namespace dkpsite
