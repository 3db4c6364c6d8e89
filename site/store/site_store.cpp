#include "store/site_store.h"

#include <algorithm>
#include <cctype>

namespace dkpsite {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS users(
    id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL,
    salt TEXT NOT NULL DEFAULT '', password_hash TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS guilds(
    id INTEGER PRIMARY KEY, guild_id TEXT UNIQUE NOT NULL, site TEXT UNIQUE NOT NULL,
    created_ms INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS dkp_systems(
    id INTEGER PRIMARY KEY, guild INTEGER NOT NULL REFERENCES guilds(id), name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS memberships(
    user INTEGER NOT NULL REFERENCES users(id), guild INTEGER NOT NULL REFERENCES guilds(id),
    is_default INTEGER NOT NULL DEFAULT 0, UNIQUE(user, guild));
CREATE TABLE IF NOT EXISTS sessions(
    token TEXT PRIMARY KEY, user INTEGER NOT NULL REFERENCES users(id),
    last_used_ms INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS events(
    id INTEGER PRIMARY KEY, guild INTEGER NOT NULL REFERENCES guilds(id),
    dkp_system INTEGER NOT NULL REFERENCES dkp_systems(id),
    uploader INTEGER NOT NULL REFERENCES users(id), name TEXT NOT NULL, note TEXT NOT NULL,
    document TEXT NOT NULL, raid_key TEXT, realm TEXT, start_time TEXT, end_time TEXT,
    zone TEXT, raid_note TEXT, created_ms INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS event_members(
    event INTEGER NOT NULL REFERENCES events(id), position INTEGER NOT NULL, name TEXT,
    race TEXT, guild TEXT, sex TEXT, class TEXT, level INTEGER);
CREATE TABLE IF NOT EXISTS event_kills(
    id INTEGER PRIMARY KEY, event INTEGER NOT NULL REFERENCES events(id),
    position INTEGER NOT NULL, boss TEXT, dkp INTEGER, time TEXT);
CREATE TABLE IF NOT EXISTS kill_attendees(
    kill INTEGER NOT NULL REFERENCES event_kills(id), position INTEGER NOT NULL, name TEXT);
CREATE TABLE IF NOT EXISTS event_loot(
    event INTEGER NOT NULL REFERENCES events(id), position INTEGER NOT NULL, item_name TEXT,
    item_id TEXT, icon TEXT, item_class TEXT, sub_class TEXT, color TEXT, count INTEGER,
    player TEXT, costs INTEGER, time TEXT, zone TEXT, boss TEXT, tooltip TEXT);
)sql";

} // namespace

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

SiteStore::SiteStore(const std::string& databasePath, int passwordIterations)
    : db_(databasePath), passwordIterations_(passwordIterations) {
    createSchema();
    migrate();
}

void SiteStore::createSchema() {
    db_.exec(kSchema);
}

std::int64_t SiteStore::addUser(const std::string& name, const std::string& passwordDigest) {
    const std::string verifier = makePasswordVerifier(passwordDigest, passwordIterations_);
    std::lock_guard lock(mutex_);
    // The salt column only serves hashes of the earlier form (a verifier holds its own salt).
    db_.prepare("INSERT INTO users(name, salt, password_hash) VALUES(?, '', ?)")
        .bind(1, lowerCase(name))
        .bind(2, verifier)
        .step();
    return db_.lastInsertId();
}

std::optional<std::int64_t> SiteStore::findUser(const std::string& name) {
    std::lock_guard lock(mutex_);
    auto query = db_.prepare("SELECT id FROM users WHERE name = ?");
    query.bind(1, lowerCase(name));
    if (!query.step())
        return std::nullopt;
    return query.integer(0);
}

std::int64_t SiteStore::addGuild(const std::string& guildId, const std::string& site,
                                 std::int64_t createdMs) {
    std::lock_guard lock(mutex_);
    db_.prepare("INSERT INTO guilds(guild_id, site, created_ms) VALUES(?, ?, ?)")
        .bind(1, guildId)
        .bind(2, site)
        .bind(3, createdMs)
        .step();
    return db_.lastInsertId();
}

std::int64_t SiteStore::addDkpSystem(std::int64_t guildRowId, const std::string& name) {
    std::lock_guard lock(mutex_);
    db_.prepare("INSERT INTO dkp_systems(guild, name) VALUES(?, ?)")
        .bind(1, guildRowId)
        .bind(2, name)
        .step();
    return db_.lastInsertId();
}

void SiteStore::addMembership(std::int64_t userId, std::int64_t guildRowId, bool isDefault) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    if (isDefault)
        db_.prepare("UPDATE memberships SET is_default = 0 WHERE user = ?").bind(1, userId).step();
    db_.prepare("INSERT INTO memberships(user, guild, is_default) VALUES(?, ?, ?)")
        .bind(1, userId)
        .bind(2, guildRowId)
        .bind(3, isDefault ? 1 : 0)
        .step();
    transaction.commit();
}

SiteGuild SiteStore::loadGuild(std::int64_t rowId) {
    SiteGuild guild;
    guild.rowId = rowId;
    auto query = db_.prepare("SELECT guild_id, site FROM guilds WHERE id = ?");
    query.bind(1, rowId);
    if (query.step()) {
        guild.guildId = query.text(0);
        guild.site = query.text(1);
    }
    auto systems = db_.prepare("SELECT id, name FROM dkp_systems WHERE guild = ? ORDER BY id");
    systems.bind(1, rowId);
    while (systems.step())
        guild.systems.push_back({systems.integer(0), systems.text(1)});
    return guild;
}

std::optional<SiteAccount> SiteStore::account(const std::string& token, std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    const auto userId = sessionUser(token, nowMs);
    if (!userId)
        return std::nullopt;
    SiteAccount account;
    auto user = db_.prepare("SELECT name FROM users WHERE id = ?");
    user.bind(1, *userId);
    if (user.step())
        account.user = user.text(0);
    auto guilds =
        db_.prepare("SELECT guild, is_default FROM memberships WHERE user = ? ORDER BY rowid");
    guilds.bind(1, *userId);
    while (guilds.step()) {
        account.guilds.push_back(loadGuild(guilds.integer(0)));
        if (guilds.integer(1) != 0)
            account.defaultGuild = account.guilds.back();
    }
    return account;
}

std::optional<SiteGuild> SiteStore::userGuild(std::int64_t userId, const std::string& guildId) {
    auto query = db_.prepare("SELECT g.id FROM guilds g JOIN memberships m ON m.guild = g.id "
                             "WHERE m.user = ? AND g.guild_id = ?");
    query.bind(1, userId).bind(2, guildId);
    if (!query.step())
        return std::nullopt;
    return loadGuild(query.integer(0));
}

std::optional<SiteGuild> SiteStore::guildBySite(const std::string& site) {
    std::lock_guard lock(mutex_);
    auto query = db_.prepare("SELECT id FROM guilds WHERE site = ?");
    query.bind(1, site);
    if (!query.step())
        return std::nullopt;
    return loadGuild(query.integer(0));
}

} // namespace dkpsite
