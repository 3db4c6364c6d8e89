#include "store/guild_repository.h"

#include "ledger/points_rules.h"
#include "store/registration.h"

#include <algorithm>

namespace dkpsite {

using soci::into;
using soci::use;

long long insertGuild(soci::session& sql, const std::string& guildId, const std::string& site,
                      long long createdMs, bool standingsPublic) {
    long long id = 0;
    const long long isPublic = standingsPublic ? 1 : 0;
    sql << "INSERT INTO guilds(guild_id, site, created_ms, standings_public) "
           "VALUES(:guild_id, :site, :created, :public) RETURNING id",
        use(guildId, "guild_id"), use(site, "site"), use(createdMs, "created"),
        use(isPublic, "public"), into(id);
    return id;
}

long long insertDkpSystem(soci::session& sql, long long guildRowId, const std::string& name) {
    long long id = 0;
    sql << "INSERT INTO dkp_systems(guild, name) VALUES(:guild, :name) RETURNING id",
        use(guildRowId, "guild"), use(name, "name"), into(id);
    return id;
}

void insertMembership(soci::session& sql, long long userId, long long guildRowId, bool isDefault,
                      const std::string& role) {
    if (isDefault)
        sql << "UPDATE memberships SET is_default = 0 WHERE user_id = :user", use(userId, "user");
    long long position = 0;
    sql << "SELECT COALESCE(MAX(position), 0) + 1 FROM memberships WHERE user_id = :user",
        use(userId, "user"), into(position);
    const long long flag = isDefault ? 1 : 0;
    sql << "INSERT INTO memberships(user_id, guild, is_default, position, role) "
           "VALUES(:user, :guild, :default, :position, :role)",
        use(userId, "user"), use(guildRowId, "guild"), use(flag, "default"),
        use(position, "position"), use(role, "role");
}

std::optional<std::string> membershipRole(soci::session& sql, long long userId,
                                          long long guildRowId) {
    std::string role;
    sql << "SELECT role FROM memberships WHERE user_id = :user AND guild = :guild",
        use(userId, "user"), use(guildRowId, "guild"), into(role);
    if (!sql.got_data())
        return std::nullopt;
    return role;
}

void updateMembershipRole(soci::session& sql, long long userId, long long guildRowId,
                          const std::string& role) {
    sql << "UPDATE memberships SET role = :role WHERE user_id = :user AND guild = :guild",
        use(role, "role"), use(userId, "user"), use(guildRowId, "guild");
}

bool deleteMembership(soci::session& sql, long long userId, long long guildRowId) {
    soci::statement statement =
        (sql.prepare << "DELETE FROM memberships WHERE user_id = :user AND guild = :guild",
         use(userId, "user"), use(guildRowId, "guild"));
    statement.execute(true);
    return statement.get_affected_rows() > 0;
}

std::vector<GuildMembership> guildMemberships(soci::session& sql, long long guildRowId) {
    std::vector<GuildMembership> members;
    GuildMembership member;
    soci::statement query =
        (sql.prepare << "SELECT u.name, m.role FROM memberships m JOIN users u ON u.id = "
                        "m.user_id WHERE m.guild = :guild ORDER BY u.name",
         use(guildRowId, "guild"), into(member.user), into(member.role));
    query.execute();
    while (query.fetch())
        members.push_back(member);
    return members;
}

void updateRegistration(soci::session& sql, long long guildRowId, const std::string& policy) {
    sql << "UPDATE guilds SET registration = :policy WHERE id = :id", use(policy, "policy"),
        use(guildRowId, "id");
}

SiteGuild loadGuild(soci::session& sql, long long guildRowId) {
    SiteGuild guild;
    guild.rowId = guildRowId;
    long long standingsPublic = 1;
    std::string registration;
    sql << "SELECT guild_id, site, standings_public, registration FROM guilds WHERE id = :id",
        use(guildRowId, "id"), into(guild.guildId), into(guild.site), into(standingsPublic),
        into(registration);
    guild.standingsPublic = standingsPublic != 0;
    guild.registration = registrationPolicyNamed(registration).value_or(RegistrationPolicy::Closed);
    long long id = 0, archivedMs = 0;
    std::string name;
    soci::statement systems = (sql.prepare << "SELECT id, name, archived_ms FROM dkp_systems "
                                              "WHERE guild = :guild ORDER BY id",
                               use(guildRowId, "guild"), into(id), into(name), into(archivedMs));
    systems.execute();
    while (systems.fetch())
        guild.systems.push_back({id, name, archivedMs});
    return guild;
}

std::optional<SiteGuild> guildWithSite(soci::session& sql, const std::string& site) {
    long long id = 0;
    sql << "SELECT id FROM guilds WHERE site = :site", use(site, "site"), into(id);
    if (!sql.got_data())
        return std::nullopt;
    return loadGuild(sql, id);
}

std::optional<SiteGuild> memberGuild(soci::session& sql, long long userId,
                                     const std::string& guildId) {
    long long id = 0;
    sql << "SELECT g.id FROM guilds g JOIN memberships m ON m.guild = g.id "
           "WHERE m.user_id = :user AND g.guild_id = :guild_id",
        use(userId, "user"), use(guildId, "guild_id"), into(id);
    if (!sql.got_data())
        return std::nullopt;
    return loadGuild(sql, id);
}

SiteAccount accountGuilds(soci::session& sql, long long userId) {
    SiteAccount account;
    long long owner = 0;
    sql << "SELECT name, is_owner FROM users WHERE id = :id", use(userId, "id"), into(account.user),
        into(owner);
    account.siteOwner = owner != 0;
    struct Membership {
        long long guild;
        bool isDefault;
        std::string role;
    };
    std::vector<Membership> memberships;
    long long guild = 0, isDefault = 0;
    std::string role;
    soci::statement query =
        (sql.prepare << "SELECT guild, is_default, role FROM memberships WHERE user_id = :user "
                        "ORDER BY position",
         use(userId, "user"), into(guild), into(isDefault), into(role));
    query.execute();
    while (query.fetch())
        memberships.push_back({guild, isDefault != 0, role});
    for (const Membership& membership : memberships) {
        account.guilds.push_back(loadGuild(sql, membership.guild));
        account.roles[account.guilds.back().guildId] = membership.role;
        if (membership.isDefault)
            account.defaultGuild = account.guilds.back();
    }
    return account;
}

std::optional<long long> systemGuild(soci::session& sql, long long dkpSystem) {
    long long guild = 0;
    sql << "SELECT guild FROM dkp_systems WHERE id = :id", use(dkpSystem, "id"), into(guild);
    if (!sql.got_data())
        return std::nullopt;
    return guild;
}

long long guildOfSystem(soci::session& sql, long long dkpSystem) {
    const auto guild = systemGuild(sql, dkpSystem);
    if (!guild)
        throw LedgerError({RefusalKind::NoDkpSystem, {std::to_string(dkpSystem)}});
    return *guild;
}

long long guildOfSystem(Database& db, long long dkpSystem) {
    Database::Connection connection(db);
    return guildOfSystem(connection.sql(), dkpSystem);
}

bool isSystemArchived(soci::session& sql, long long dkpSystem) {
    long long archivedMs = 0;
    sql << "SELECT archived_ms FROM dkp_systems WHERE id = :id", use(dkpSystem, "id"),
        into(archivedMs);
    return sql.got_data() && archivedMs != 0;
}

void refuseArchivedSystem(soci::session& sql, long long dkpSystem) {
    long long archivedMs = 0;
    std::string name;
    sql << "SELECT archived_ms, name FROM dkp_systems WHERE id = :id", use(dkpSystem, "id"),
        into(archivedMs), into(name);
    if (sql.got_data() && archivedMs != 0)
        throw LedgerError({RefusalKind::SystemArchived, {name}});
}

void updateSystemArchived(soci::session& sql, long long dkpSystem, long long archivedMs) {
    sql << "UPDATE dkp_systems SET archived_ms = :archived WHERE id = :id",
        use(archivedMs, "archived"), use(dkpSystem, "id");
}

std::vector<GuildCharacter> guildCharacters(soci::session& sql, long long guildRowId) {
    std::vector<GuildCharacter> characters;
    GuildCharacter row;
    long long level = 0, active = 1;
    soci::statement query =
        (sql.prepare << "SELECT c.name, c.player_class, c.level, COALESCE(m.name, ''), c.active "
                        "FROM characters c LEFT JOIN characters m ON m.id = c.main "
                        "WHERE c.guild = :guild",
         use(guildRowId, "guild"), into(row.name), into(row.playerClass), into(level),
         into(row.main), into(active));
    query.execute();
    while (query.fetch()) {
        row.level = level;
        row.active = active != 0;
        characters.push_back(row);
    }
    std::sort(characters.begin(), characters.end(),
              [](const GuildCharacter& a, const GuildCharacter& b) { return a.name < b.name; });
    return characters;
}

std::optional<bool> characterActive(soci::session& sql, long long guildRowId,
                                    const std::string& name) {
    long long active = 1;
    sql << "SELECT active FROM characters WHERE guild = :guild AND name = :name",
        use(guildRowId, "guild"), use(name, "name"), into(active);
    if (!sql.got_data())
        return std::nullopt;
    return active != 0;
}

void updateCharacterActive(soci::session& sql, long long guildRowId, const std::string& name,
                           bool active) {
    const long long flag = active ? 1 : 0;
    sql << "UPDATE characters SET active = :active WHERE guild = :guild AND name = :name",
        use(flag, "active"), use(guildRowId, "guild"), use(name, "name");
}

} // namespace dkpsite
