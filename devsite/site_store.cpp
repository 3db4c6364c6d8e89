#include "site_store.h"

#include "utilkit/encrypt.h"

#include <algorithm>
#include <cctype>
#include <random>

namespace devsite {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS users(
    id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL,
    salt TEXT NOT NULL, password_hash TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS guilds(
    id INTEGER PRIMARY KEY, guild_id TEXT UNIQUE NOT NULL, site TEXT UNIQUE NOT NULL,
    created_ms INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS dkp_systems(
    id INTEGER PRIMARY KEY, guild INTEGER NOT NULL REFERENCES guilds(id), name TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS memberships(
    user INTEGER NOT NULL REFERENCES users(id), guild INTEGER NOT NULL REFERENCES guilds(id),
    is_default INTEGER NOT NULL DEFAULT 0, UNIQUE(user, guild));
CREATE TABLE IF NOT EXISTS sessions(
    token TEXT PRIMARY KEY, user INTEGER NOT NULL REFERENCES users(id));
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

std::string randomHex(size_t bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device source;
    std::string text;
    for (size_t i = 0; i < bytes; ++i) {
        const unsigned value = source() & 0xffu;
        text += kDigits[value >> 4];
        text += kDigits[value & 0xfu];
    }
    return text;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The site keeps only a salted hash of the password digest it is sent.
std::string passwordHash(const std::string& salt, const std::string& digest) {
    return encrypt::SHA(salt + ":" + digest);
}

} // namespace

SiteStore::SiteStore(const std::string& databasePath) : db_(databasePath) {
    createSchema();
}

void SiteStore::createSchema() {
    db_.exec(kSchema);
}

std::int64_t SiteStore::addUser(const std::string& name, const std::string& passwordDigest) {
    std::lock_guard lock(mutex_);
    const std::string salt = randomHex(16);
    db_.prepare("INSERT INTO users(name, salt, password_hash) VALUES(?, ?, ?)")
        .bind(1, lowerCase(name))
        .bind(2, salt)
        .bind(3, passwordHash(salt, passwordDigest))
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

std::optional<std::string> SiteStore::login(const std::string& name,
                                            const std::string& passwordDigest) {
    std::lock_guard lock(mutex_);
    auto query = db_.prepare("SELECT id, salt, password_hash FROM users WHERE name = ?");
    query.bind(1, lowerCase(name));
    if (!query.step() || passwordHash(query.text(1), passwordDigest) != query.text(2))
        return std::nullopt;
    const std::string token = randomHex(24);
    db_.prepare("INSERT INTO sessions(token, user) VALUES(?, ?)")
        .bind(1, token)
        .bind(2, query.integer(0))
        .step();
    return token;
}

std::optional<std::int64_t> SiteStore::sessionUser(const std::string& token) {
    auto query = db_.prepare("SELECT user FROM sessions WHERE token = ?");
    query.bind(1, token);
    if (token.empty() || !query.step())
        return std::nullopt;
    return query.integer(0);
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

std::optional<SiteAccount> SiteStore::account(const std::string& token) {
    std::lock_guard lock(mutex_);
    const auto userId = sessionUser(token);
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

} // namespace devsite
