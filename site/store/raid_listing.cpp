#include "store/raid_listing.h"

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

// Rows fetched at a time where a list is long.
constexpr std::size_t kRowBatch = 1024;

constexpr const char* kLootColumns =
    "SELECT e.id, e.dkp_system, g.guild_id, e.name, COALESCE(l.item_name, ''), "
    "COALESCE(l.player, ''), COALESCE(l.time, ''), COALESCE(l.costs, 0) "
    "FROM event_loot l JOIN events e ON e.id = l.event JOIN guilds g ON g.id = e.guild ";

// `text` as a LIKE pattern that finds it anywhere, its own % and _ taken literally.
std::string containing(const std::string& text) {
    std::string pattern = "%";
    for (const char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

// The loot of kLootColumns under `where`, which binds :key and :text, in `order`.
std::vector<LootRecord> lootRows(soci::session& sql, const std::string& where, long long key,
                                 const std::string& text, const std::string& order) {
    long long event = 0, system = 0, costs = 0;
    std::string guildId, eventName, itemName, player, time;
    soci::statement query =
        (sql.prepare << std::string(kLootColumns) + where + order, use(key, "key"),
         use(text, "text"), into(event), into(system), into(guildId), into(eventName),
         into(itemName), into(player), into(time), into(costs));
    query.execute();
    std::vector<LootRecord> records;
    while (query.fetch())
        records.push_back({event, system, guildId, eventName, itemName, player, time, costs});
    return records;
}

std::string newestFirst(int limit) {
    return " ORDER BY e.id DESC, l.position LIMIT " + std::to_string(limit);
}

} // namespace

std::vector<std::string> publicGuildSites(soci::session& sql) {
    std::string site;
    soci::statement query =
        (sql.prepare << "SELECT site FROM guilds WHERE standings_public = 1 ORDER BY site",
         into(site));
    query.execute();
    std::vector<std::string> sites;
    while (query.fetch())
        sites.push_back(site);
    return sites;
}

std::optional<std::string> siteOfGuild(soci::session& sql, const std::string& guildId) {
    std::string site;
    sql << "SELECT site FROM guilds WHERE guild_id = :guild_id", use(guildId, "guild_id"),
        into(site);
    if (!sql.got_data())
        return std::nullopt;
    return site;
}

std::map<std::string, std::int64_t> raidsAttended(soci::session& sql, long long dkpSystem) {
    // The members of every raid (450 raids of 40 are 18,000 rows) are counted here: both engines
    // sort them by name for a COUNT(DISTINCT …) in SQL, several times slower than this map.
    struct Count {
        long long lastEvent = 0;
        std::int64_t raids = 0;
    };
    std::map<std::string, Count> counts;
    std::vector<long long> events(kRowBatch);
    std::vector<std::string> names(kRowBatch);
    soci::statement query =
        (sql.prepare << "SELECT m.event, m.name FROM event_members m "
                        "JOIN events e ON e.id = m.event WHERE e.dkp_system = :system "
                        "AND m.name IS NOT NULL ORDER BY e.id",
         use(dkpSystem, "system"), into(events), into(names));
    query.execute();
    while (query.fetch()) {
        for (std::size_t i = 0; i < events.size(); ++i) {
            Count& count = counts[names[i]];
            if (count.raids == 0 || count.lastEvent != events[i])
                ++count.raids;
            count.lastEvent = events[i];
        }
        events.resize(kRowBatch);
        names.resize(kRowBatch);
    }
    std::map<std::string, std::int64_t> attended;
    for (const auto& [name, count] : counts)
        attended.emplace(name, count.raids);
    return attended;
}

std::int64_t raidCount(soci::session& sql, long long dkpSystem) {
    long long count = 0;
    sql << "SELECT COUNT(*) FROM events WHERE dkp_system = :system", use(dkpSystem, "system"),
        into(count);
    return count;
}

std::vector<EventSummary> latestEvents(soci::session& sql, long long guildRowId, int limit) {
    long long most = limit, id = 0, system = 0, members = 0;
    std::string name, zone, start;
    soci::statement query =
        (sql.prepare << "SELECT e.id, e.dkp_system, e.name, COALESCE(e.zone, ''), "
                        "COALESCE(e.start_time, ''), "
                        "(SELECT COUNT(*) FROM event_members m WHERE m.event = e.id) "
                        "FROM events e WHERE e.guild = :guild ORDER BY e.id DESC LIMIT :most",
         use(guildRowId, "guild"), use(most, "most"), into(id), into(system), into(name),
         into(zone), into(start), into(members));
    query.execute();
    std::vector<EventSummary> events;
    while (query.fetch())
        events.push_back({id, system, name, zone, start, members});
    return events;
}

// The two lists of loot bind the same two values, a guild and a search text; each condition uses
// one of them and holds whatever the other is.
std::vector<LootRecord> latestLoot(soci::session& sql, long long guildRowId, int limit) {
    return lootRows(sql, "WHERE e.guild = :key AND :text = ''", guildRowId, "", newestFirst(limit));
}

std::vector<LootRecord> findLoot(soci::session& sql, const std::string& text, int limit) {
    return lootRows(sql,
                    "WHERE :key = 0 AND g.standings_public = 1 AND e.removed_ms = 0 "
                    "AND LOWER(l.item_name) LIKE LOWER(:text) ESCAPE '\\'",
                    0, containing(text), newestFirst(limit));
}

std::vector<LootRecord> playerLoot(soci::session& sql, long long dkpSystem,
                                   const std::string& name) {
    return lootRows(sql, "WHERE e.dkp_system = :key AND l.player = :text AND e.removed_ms = 0 ",
                    dkpSystem, name, " ORDER BY e.id DESC, l.position");
}

std::vector<RaidPresence> raidPresence(soci::session& sql, long long dkpSystem,
                                       const std::string& name) {
    long long event = 0, uploadedMs = 0, present = 0;
    std::string eventName, start;
    soci::statement query =
        (sql.prepare << "SELECT e.id, e.name, COALESCE(e.start_time, ''), e.created_ms, "
                        "CASE WHEN EXISTS(SELECT 1 FROM event_members m WHERE m.event = e.id "
                        "AND m.name = :name) THEN 1 ELSE 0 END "
                        "FROM events e WHERE e.dkp_system = :system ORDER BY e.id",
         use(name, "name"), use(dkpSystem, "system"), into(event), into(eventName), into(start),
         into(uploadedMs), into(present));
    query.execute();
    std::vector<RaidPresence> raids;
    while (query.fetch())
        raids.push_back({event, eventName, start, uploadedMs, present != 0});
    return raids;
}

} // namespace dkpsite
