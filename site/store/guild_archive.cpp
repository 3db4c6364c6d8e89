#include "store/guild_archive.h"

#include "ledger/points_rules.h"
#include "store/audit_log.h"
#include "store/event_repository.h"
#include "store/guild_repository.h"
#include "store/ledger_repository.h"
#include "store/site_store.h"
#include "store/user_repository.h"

#include "utilkit/encrypt.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

namespace dkpsite {

namespace {

using nlohmann::json;
using soci::into;
using soci::use;

json raidJson(const RaidDocument& raid) {
    json members = json::array(), kills = json::array(), loot = json::array();
    for (const RaidMember& m : raid.members)
        members.push_back({m.name, m.race, m.guild, m.sex, m.playerClass, m.level});
    for (const RaidKill& k : raid.kills)
        kills.push_back({k.boss, k.dkp, k.time, k.attendees});
    for (const RaidLoot& l : raid.loot)
        loot.push_back({l.itemName, l.itemId, l.icon, l.itemClass, l.subClass, l.color, l.count,
                        l.player, l.costs, l.time, l.zone, l.boss, l.tooltip});
    return {{"key", raid.key},    {"realm", raid.realm}, {"start", raid.start},
            {"end", raid.end},    {"zone", raid.zone},   {"note", raid.note},
            {"members", members}, {"kills", kills},      {"loot", loot}};
}

RaidDocument raidFromJson(const json& j) {
    RaidDocument raid;
    raid.key = j.at("key");
    raid.realm = j.at("realm");
    raid.start = j.at("start");
    raid.end = j.at("end");
    raid.zone = j.at("zone");
    raid.note = j.at("note");
    for (const json& m : j.at("members"))
        raid.members.push_back({m.at(0), m.at(1), m.at(2), m.at(3), m.at(4), m.at(5)});
    for (const json& k : j.at("kills"))
        raid.kills.push_back({k.at(0), k.at(1), k.at(2), k.at(3)});
    for (const json& l : j.at("loot"))
        raid.loot.push_back({l.at(0), l.at(1), l.at(2), l.at(3), l.at(4), l.at(5), l.at(6), l.at(7),
                             l.at(8), l.at(9), l.at(10), l.at(11), l.at(12)});
    return raid;
}

std::vector<long long> ids(soci::session& sql, const std::string& query, long long key) {
    std::vector<long long> found;
    long long id = 0;
    soci::statement statement = (sql.prepare << query, use(key, "key"), into(id));
    statement.execute();
    while (statement.fetch())
        found.push_back(id);
    return found;
}

json membersJson(soci::session& sql, long long guild) {
    json users = json::array();
    std::string name, salt, hash, role;
    long long isDefault = 0;
    soci::statement query =
        (sql.prepare << "SELECT u.name, u.salt, u.password_hash, m.role, m.is_default "
                        "FROM memberships m JOIN users u ON u.id = m.user_id "
                        "WHERE m.guild = :guild ORDER BY u.name",
         use(guild, "guild"), into(name), into(salt), into(hash), into(role), into(isDefault));
    query.execute();
    while (query.fetch())
        users.push_back({{"name", name},
                         {"salt", salt},
                         {"passwordHash", hash},
                         {"role", role},
                         {"default", isDefault != 0}});
    return users;
}

json charactersJson(soci::session& sql, long long guild) {
    json characters = json::array();
    std::string name, playerClass, main;
    long long level = 0, active = 1;
    soci::statement query =
        (sql.prepare << "SELECT c.name, c.player_class, c.level, COALESCE(m.name, ''), c.active "
                        "FROM characters c LEFT JOIN characters m ON m.id = c.main "
                        "WHERE c.guild = :guild ORDER BY c.id",
         use(guild, "guild"), into(name), into(playerClass), into(level), into(main), into(active));
    query.execute();
    while (query.fetch())
        characters.push_back({{"name", name},
                              {"class", playerClass},
                              {"level", level},
                              {"main", main},
                              {"active", active != 0}});
    return characters;
}

} // namespace

std::string exportGuild(Database& db, const std::string& site) {
    Database::Connection connection(db);
    soci::session& sql = connection.sql();
    const auto guild = guildWithSite(sql, site);
    if (!guild)
        throw ArchiveError({RefusalKind::NoGuildSite, {site}});
    long long createdMs = 0, isPublic = 0;
    std::string registration;
    sql << "SELECT created_ms, standings_public, registration FROM guilds WHERE id = :id",
        use(guild->rowId, "id"), into(createdMs), into(isPublic), into(registration);

    json archive = {{"format", kArchiveFormat}, {"version", kArchiveVersion}};
    archive["guild"] = {{"guildId", guild->guildId},
                        {"site", guild->site},
                        {"createdMs", createdMs},
                        {"standingsPublic", isPublic != 0},
                        {"registration", registration}};
    std::map<long long, std::size_t> systemIndex, eventIndex, entryIndex;
    json systems = json::array();
    for (const SiteDkpSystem& system : guild->systems) {
        systemIndex[system.id] = systems.size();
        systems.push_back({{"name", system.name}, {"archivedMs", system.archivedMs}});
    }
    archive["dkpSystems"] = systems;
    archive["members"] = membersJson(sql, guild->rowId);
    archive["characters"] = charactersJson(sql, guild->rowId);

    json events = json::array();
    for (const long long id :
         ids(sql, "SELECT id FROM events WHERE guild = :key ORDER BY id", guild->rowId)) {
        const auto event = loadEvent(sql, id);
        std::string digest;
        soci::indicator present = soci::i_null;
        sql << "SELECT document_digest FROM events WHERE id = :id", use(id, "id"),
            into(digest, present);
        eventIndex[id] = events.size();
        events.push_back({{"system", systemIndex.at(event->dkpId)},
                          {"uploader", event->uploader},
                          {"name", event->name},
                          {"note", event->note},
                          {"document", event->document},
                          {"answersRepeats", present == soci::i_ok},
                          {"createdMs", event->createdMs},
                          {"removedMs", event->removedMs},
                          {"raid", raidJson(event->raid)}});
    }
    archive["events"] = events;

    json ledger = json::array();
    std::vector<LedgerEntry> entries;
    for (const SiteDkpSystem& system : guild->systems)
        for (LedgerEntry& entry : ledgerEntries(sql, system.id))
            entries.push_back(std::move(entry));
    std::sort(entries.begin(), entries.end(),
              [](const LedgerEntry& a, const LedgerEntry& b) { return a.id < b.id; });
    for (const LedgerEntry& entry : entries) {
        entryIndex[entry.id] = ledger.size();
        ledger.push_back(
            {{"system", systemIndex.at(entry.dkpSystem)},
             {"character", entry.character},
             {"kind", entryKindName(entry.kind)},
             {"earned", entry.earned},
             {"spent", entry.spent},
             {"event", entry.event ? json(eventIndex.at(entry.event)) : json()},
             {"reverses", entry.reverses ? json(entryIndex.at(entry.reverses)) : json()},
             {"reason", entry.reason},
             {"actor", entry.origin.who},
             {"source", entrySourceName(entry.origin.source)},
             {"address", entry.origin.address},
             {"atMs", entry.origin.atMs}});
    }
    archive["ledger"] = ledger;

    json audit = json::array();
    for (const AuditRecord& record : guildAudit(sql, guild->rowId))
        audit.push_back({{"atMs", record.origin.atMs},
                         {"actor", record.origin.who},
                         {"source", entrySourceName(record.origin.source)},
                         {"address", record.origin.address},
                         {"action", record.action},
                         {"subject", record.subject},
                         {"before", record.before},
                         {"after", record.after}});
    archive["audit"] = audit;
    return archive.dump(1, ' ', false, json::error_handler_t::strict) + "\n";
}

namespace {

Origin originFromJson(const json& j) {
    const auto source = entrySourceFromName(j.at("source").get<std::string>());
    if (!source)
        throw ArchiveError({RefusalKind::ArchiveSource, {j.at("source").dump()}});
    return {j.at("actor"), *source, j.at("address"), j.at("atMs")};
}

long long importUser(soci::session& sql, const json& member) {
    const std::string name = member.at("name");
    if (const auto user = userNamed(sql, name))
        return user->id;
    long long id = insertUser(sql, name, member.at("passwordHash"), false);
    const std::string salt = member.at("salt");
    sql << "UPDATE users SET salt = :salt WHERE id = :id", use(salt, "salt"), use(id, "id");
    return id;
}

void checkFormat(const json& archive) {
    const json& version = archive.at("version");
    if (archive.at("format") != kArchiveFormat || !version.is_number_integer() ||
        version.get<int>() < 1 || version.get<int>() > kArchiveVersion)
        throw ArchiveError(
            {RefusalKind::ArchiveVersion,
             {std::to_string(kArchiveVersion), archive.at("format").dump(), version.dump()}});
}

// Every account of the archive has a name the site's users may have, kept as the site keeps
// it: lower-cased. Checked before anything is written.
void checkAccountNames(const json& archive) {
    for (const json& member : archive.at("members")) {
        const std::string name = member.at("name");
        auto problem = userNameRefusal(name);
        if (!problem && lowerCase(name) != name)
            problem = Refusal(RefusalKind::UserNameCase);
        if (problem)
            throw ArchiveError({RefusalKind::ArchiveUserName, {name}, *problem});
    }
}

// Version 1 names each DKP system by its name alone; none of them is archived.
std::string systemName(const json& system) {
    return system.is_string() ? system.get<std::string>() : system.at("name").get<std::string>();
}

long long systemArchivedMs(const json& system) {
    return system.is_string() ? 0 : system.at("archivedMs").get<long long>();
}

// The archive's DKP systems, characters, events, ledger and audit log into the guild; its
// members' accounts are made unless an account of that name exists, and joined to the guild
// unless `joinExisting` is false and the account existed. The guild's own first DKP systems
// take the archive's first ones (their names included); the rest are made.
void importContents(soci::session& sql, long long guild, const std::string& guildId,
                    const json& archive, bool joinExisting) {
    const SiteGuild existing = loadGuild(sql, guild);
    std::vector<long long> systems;
    for (const json& system : archive.at("dkpSystems")) {
        const std::string name = systemName(system);
        if (systems.size() < existing.systems.size()) {
            const long long id = existing.systems[systems.size()].id;
            sql << "UPDATE dkp_systems SET name = :name WHERE id = :id", use(name, "name"),
                use(id, "id");
            systems.push_back(id);
        } else {
            systems.push_back(insertDkpSystem(sql, guild, name));
        }
    }
    for (const json& member : archive.at("members")) {
        const bool known = userNamed(sql, member.at("name").get<std::string>()).has_value();
        const long long user = importUser(sql, member);
        if (membershipRole(sql, user, guild) || (known && !joinExisting))
            continue;
        insertMembership(sql, user, guild, member.at("default"), member.at("role"));
    }
    for (const json& character : archive.at("characters")) {
        const long long id = characterId(sql, guild, character.at("name"));
        const std::string playerClass = character.at("class");
        const long long level = character.at("level");
        const long long active = character.value("active", true) ? 1 : 0;
        sql << "UPDATE characters SET player_class = :class, level = :level, active = :active "
               "WHERE id = :id",
            use(playerClass, "class"), use(level, "level"), use(active, "active"), use(id, "id");
    }
    for (const json& character : archive.at("characters"))
        if (character.at("main") != "") {
            if (const auto refusal =
                    linkAlt(sql, guild, character.at("name"), character.at("main")))
                throw ArchiveError(*refusal);
        }

    std::vector<long long> events;
    for (const json& e : archive.at("events")) {
        const long long system = systems.at(e.at("system"));
        const auto uploader = userNamed(sql, e.at("uploader").get<std::string>());
        if (!uploader)
            throw ArchiveError({RefusalKind::ArchiveUploader, {e.at("uploader").dump()}});
        NewEvent event{guildId,      system,           e.at("name"),
                       e.at("note"), e.at("document"), raidFromJson(e.at("raid"))};
        const std::string digest = e.at("answersRepeats") ? encrypt::SHA(event.document) : "";
        const long long id =
            insertEvent(sql, guild, uploader->id, event, digest, e.at("createdMs"));
        if (!e.at("answersRepeats"))
            sql << "UPDATE events SET document_digest = NULL WHERE id = :id", use(id, "id");
        if (e.at("removedMs") != 0)
            markEventRemoved(sql, id, e.at("removedMs"));
        for (const RaidMember& member : event.raid.members)
            if (!member.name.empty())
                addToStanding(sql, system, characterId(sql, guild, member.name), 0, 0);
        events.push_back(id);
    }

    std::vector<long long> entries;
    for (const json& e : archive.at("ledger")) {
        LedgerEntry entry;
        entry.dkpSystem = systems.at(e.at("system"));
        entry.character = e.at("character");
        const auto kind = entryKindFromName(e.at("kind").get<std::string>());
        if (!kind)
            throw ArchiveError({RefusalKind::ArchiveEntryKind, {e.at("kind").dump()}});
        entry.kind = *kind;
        entry.earned = e.at("earned");
        entry.spent = e.at("spent");
        entry.event = e.at("event").is_null() ? 0 : events.at(e.at("event"));
        entry.reverses = e.at("reverses").is_null() ? 0 : entries.at(e.at("reverses"));
        entry.reason = e.at("reason");
        entry.origin = originFromJson(e);
        entries.push_back(appendEntry(sql, guild, entry));
    }
    for (const json& record : archive.at("audit"))
        recordAudit(sql, {originFromJson(record), guild, record.at("action"), record.at("subject"),
                          record.at("before"), record.at("after")});
    // Archived last: their entries were written while they were open.
    const json& archived = archive.at("dkpSystems");
    for (std::size_t i = 0; i < archived.size(); ++i)
        if (systemArchivedMs(archived[i]) != 0)
            updateSystemArchived(sql, systems[i], systemArchivedMs(archived[i]));
}

std::string importInto(soci::session& sql, const json& archive, const Origin& origin) {
    checkFormat(archive);
    const json& g = archive.at("guild");
    const std::string site = g.at("site"), guildId = g.at("guildId");
    long long clash = 0;
    sql << "SELECT COUNT(*) FROM guilds WHERE site = :site OR guild_id = :guild_id",
        use(site, "site"), use(guildId, "guild_id"), into(clash);
    if (clash > 0)
        throw ArchiveError({RefusalKind::ArchiveGuildExists, {guildId, site}});
    const long long guild =
        insertGuild(sql, guildId, site, g.at("createdMs"), g.at("standingsPublic"));
    const std::string registration = g.at("registration");
    sql << "UPDATE guilds SET registration = :registration WHERE id = :id",
        use(registration, "registration"), use(guild, "id");
    importContents(sql, guild, guildId, archive, true);
    // The import itself is the site's business, not the guild's history.
    recordAudit(sql, {origin, std::nullopt, "import guild", site, "", guildId});
    return site;
}

// What keeps a guild from taking an archive: anything its raids or officers wrote.
std::optional<Refusal> guildContentProblem(soci::session& sql, long long guild) {
    long long events = 0, characters = 0, entries = 0;
    sql << "SELECT COUNT(*) FROM events WHERE guild = :guild", use(guild, "guild"), into(events);
    sql << "SELECT COUNT(*) FROM characters WHERE guild = :guild", use(guild, "guild"),
        into(characters);
    sql << "SELECT COUNT(*) FROM ledger_entries l JOIN dkp_systems d ON d.id = l.dkp_system "
           "WHERE d.guild = :guild",
        use(guild, "guild"), into(entries);
    if (events + characters + entries == 0)
        return std::nullopt;
    return Refusal(RefusalKind::ArchiveGuildNotEmpty,
                   {std::to_string(events), std::to_string(characters), std::to_string(entries)});
}

} // namespace

namespace {

template <typename Import> auto readingArchive(const std::string& archive, Import&& import) {
    const json parsed = json::parse(archive, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object())
        throw ArchiveError(RefusalKind::ArchiveNotJson);
    try {
        return import(parsed);
    } catch (const json::exception& e) {
        throw ArchiveError({RefusalKind::ArchiveIncomplete, {e.what()}});
    } catch (const LedgerError& e) {
        throw ArchiveError({RefusalKind::ArchiveLedger, {}, e.refusal});
    }
}

} // namespace

std::string importGuild(Database& db, const std::string& archive, const Origin& origin) {
    return readingArchive(archive, [&](const json& parsed) {
        checkFormat(parsed);
        checkAccountNames(parsed);
        return inWriteTransaction(
            db, std::nullopt, [&](soci::session& sql) { return importInto(sql, parsed, origin); });
    });
}

void importIntoGuild(Database& db, long long guildRowId, const std::string& archive,
                     const Origin& origin) {
    readingArchive(archive, [&](const json& parsed) {
        checkFormat(parsed);
        checkAccountNames(parsed);
        inWriteTransaction(db, guildRowId, [&](soci::session& sql) {
            if (const auto problem = guildContentProblem(sql, guildRowId))
                throw ArchiveError(*problem);
            const SiteGuild guild = loadGuild(sql, guildRowId);
            importContents(sql, guildRowId, guild.guildId, parsed, false);
            const json& from = parsed.at("guild");
            recordAudit(sql, {origin, guildRowId, "import guild", guild.site,
                              from.at("guildId").get<std::string>() + " (" +
                                  from.at("site").get<std::string>() + ")",
                              guild.guildId});
        });
        return 0;
    });
}

} // namespace dkpsite
