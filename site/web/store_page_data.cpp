#include "web/store_page_data.h"

#include <algorithm>
#include <map>

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

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

} // namespace

StorePageData::StorePageData(SiteStore& store) : store_(store) {}

std::vector<SiteGuild> StorePageData::publicGuilds() {
    std::vector<std::string> sites;
    {
        Database::Connection connection(store_.database());
        std::string site;
        soci::statement query =
            (connection.sql().prepare
                 << "SELECT site FROM guilds WHERE standings_public = 1 ORDER BY site",
             into(site));
        query.execute();
        while (query.fetch())
            sites.push_back(site);
    }
    std::vector<SiteGuild> guilds;
    for (const std::string& site : sites)
        if (auto guild = store_.guildBySite(site))
            guilds.push_back(std::move(*guild));
    return guilds;
}

std::optional<SiteGuild> StorePageData::guildBySite(const std::string& site) {
    return store_.guildBySite(site);
}

std::optional<SiteGuild> StorePageData::guildById(const std::string& guildId) {
    std::string site;
    {
        Database::Connection connection(store_.database());
        connection.sql() << "SELECT site FROM guilds WHERE guild_id = :guild_id",
            use(guildId, "guild_id"), into(site);
        if (!connection.sql().got_data())
            return std::nullopt;
    }
    return store_.guildBySite(site);
}

std::vector<StandingRow> StorePageData::standings(std::int64_t dkpSystem) {
    std::map<std::string, std::int64_t> attended;
    {
        Database::Connection connection(store_.database());
        std::string name;
        long long count = 0, system = dkpSystem;
        soci::statement query =
            (connection.sql().prepare
                 << "SELECT m.name, COUNT(DISTINCT m.event) FROM event_members m "
                    "JOIN events e ON e.id = m.event WHERE e.dkp_system = :system "
                    "AND m.name IS NOT NULL GROUP BY m.name",
             use(system, "system"), into(name), into(count));
        query.execute();
        while (query.fetch())
            attended[name] = count;
    }
    std::vector<StandingRow> rows;
    for (Standing& standing : store_.standings(dkpSystem)) {
        const auto found = attended.find(standing.name);
        rows.push_back({std::move(standing), found == attended.end() ? 0 : found->second});
    }
    return rows;
}

std::optional<Standing> StorePageData::standing(std::int64_t dkpSystem, const std::string& name) {
    for (Standing& standing : store_.standings(dkpSystem))
        if (standing.name == name)
            return std::move(standing);
    return std::nullopt;
}

std::int64_t StorePageData::raidCount(std::int64_t dkpSystem) {
    Database::Connection connection(store_.database());
    long long count = 0, system = dkpSystem;
    connection.sql() << "SELECT COUNT(*) FROM events WHERE dkp_system = :system",
        use(system, "system"), into(count);
    return count;
}

std::vector<EventSummary> StorePageData::latestEvents(std::int64_t guildRowId, int limit) {
    Database::Connection connection(store_.database());
    long long guild = guildRowId, most = limit, id = 0, system = 0, members = 0;
    std::string name, zone, start;
    soci::statement query =
        (connection.sql().prepare
             << "SELECT e.id, e.dkp_system, e.name, COALESCE(e.zone, ''), "
                "COALESCE(e.start_time, ''), "
                "(SELECT COUNT(*) FROM event_members m WHERE m.event = e.id) "
                "FROM events e WHERE e.guild = :guild ORDER BY e.id DESC LIMIT :most",
         use(guild, "guild"), use(most, "most"), into(id), into(system), into(name), into(zone),
         into(start), into(members));
    query.execute();
    std::vector<EventSummary> events;
    while (query.fetch())
        events.push_back({id, system, name, zone, start, members});
    return events;
}

std::vector<LootRecord> StorePageData::loot(const std::string& where, long long key,
                                            const std::string& text, int limit) {
    Database::Connection connection(store_.database());
    long long most = limit, event = 0, system = 0, costs = 0;
    std::string guildId, eventName, itemName, player, time;
    soci::statement query =
        (connection.sql().prepare << std::string(kLootColumns) + where +
                                         " ORDER BY e.id DESC, l.position LIMIT :most",
         use(key, "key"), use(text, "text"), use(most, "most"), into(event), into(system),
         into(guildId), into(eventName), into(itemName), into(player), into(time), into(costs));
    query.execute();
    std::vector<LootRecord> records;
    while (query.fetch())
        records.push_back({event, system, guildId, eventName, itemName, player, time, costs});
    return records;
}

// The two lists of loot bind the same two values, a guild and a search text; each condition uses
// one of them and holds whatever the other is.
std::vector<LootRecord> StorePageData::latestLoot(std::int64_t guildRowId, int limit) {
    return loot("WHERE e.guild = :key AND :text = ''", guildRowId, "", limit);
}

std::optional<StoredEvent> StorePageData::event(std::int64_t eventId) {
    return store_.event(eventId);
}

std::vector<LootRecord> StorePageData::findLoot(const std::string& text, int limit) {
    return loot("WHERE :key = 0 AND g.standings_public = 1 AND e.removed_ms = 0 "
                "AND LOWER(l.item_name) LIKE LOWER(:text) ESCAPE '\\'",
                0, containing(text), limit);
}

TimelinePage StorePageData::timeline(std::int64_t dkpSystem, const std::string& name,
                                     std::int64_t page, std::int64_t pageRows) {
    TimelinePage timeline;
    const std::int64_t length = store_.historyLength(dkpSystem, name);
    timeline.pages = std::max<std::int64_t>(1, (length + pageRows - 1) / pageRows);
    timeline.page = std::clamp<std::int64_t>(page, 1, timeline.pages);
    timeline.entries = store_.history(dkpSystem, name, (timeline.page - 1) * pageRows, pageRows);
    return timeline;
}

std::vector<std::int64_t> StorePageData::raidBalances(std::int64_t dkpSystem,
                                                      const std::string& name) {
    return store_.historyRunBalances(dkpSystem, name);
}

std::vector<LootRecord> StorePageData::lootOf(std::int64_t dkpSystem, const std::string& name) {
    Database::Connection connection(store_.database());
    long long system = dkpSystem, rowSystem = 0, event = 0, costs = 0;
    std::string guildId, eventName, itemName, player, time;
    soci::statement query =
        (connection.sql().prepare << std::string(kLootColumns) +
                                         "WHERE e.dkp_system = :system AND l.player = :name "
                                         "AND e.removed_ms = 0 ORDER BY e.id DESC, l.position",
         use(system, "system"), use(name, "name"), into(event), into(rowSystem), into(guildId),
         into(eventName), into(itemName), into(player), into(time), into(costs));
    query.execute();
    std::vector<LootRecord> records;
    while (query.fetch())
        records.push_back({event, rowSystem, guildId, eventName, itemName, player, time, costs});
    return records;
}

std::vector<RaidPresence> StorePageData::raidPresence(std::int64_t dkpSystem,
                                                      const std::string& name) {
    Database::Connection connection(store_.database());
    long long system = dkpSystem, event = 0, uploadedMs = 0, present = 0;
    std::string eventName, start;
    soci::statement query =
        (connection.sql().prepare
             << "SELECT e.id, e.name, COALESCE(e.start_time, ''), e.created_ms, "
                "CASE WHEN EXISTS(SELECT 1 FROM event_members m WHERE m.event = e.id "
                "AND m.name = :name) THEN 1 ELSE 0 END "
                "FROM events e WHERE e.dkp_system = :system ORDER BY e.id",
         use(name, "name"), use(system, "system"), into(event), into(eventName), into(start),
         into(uploadedMs), into(present));
    query.execute();
    std::vector<RaidPresence> raids;
    while (query.fetch())
        raids.push_back({event, eventName, start, uploadedMs, present != 0});
    return raids;
}

std::vector<GuildCharacter> StorePageData::characters(std::int64_t guildRowId) {
    return store_.characters(guildRowId);
}

} // namespace dkpsite
