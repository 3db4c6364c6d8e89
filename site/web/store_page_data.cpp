#include "web/store_page_data.h"

#include <map>

namespace dkpsite {

namespace {

constexpr const char* kLootColumns =
    "SELECT e.id, e.dkp_system, g.guild_id, e.name, l.item_name, l.player, l.time, l.costs "
    "FROM event_loot l JOIN events e ON e.id = l.event JOIN guilds g ON g.id = e.guild ";

} // namespace

StorePageData::StorePageData(SiteStore& store, const std::string& databasePath)
    : store_(store), db_(databasePath) {}

std::vector<SiteGuild> StorePageData::publicGuilds() {
    std::vector<std::string> sites;
    {
        std::lock_guard lock(mutex_);
        Statement query = db_.prepare("SELECT site FROM guilds ORDER BY site");
        while (query.step())
            sites.push_back(query.text(0));
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
        std::lock_guard lock(mutex_);
        Statement query = db_.prepare("SELECT site FROM guilds WHERE guild_id = ?");
        query.bind(1, guildId);
        if (!query.step())
            return std::nullopt;
        site = query.text(0);
    }
    return store_.guildBySite(site);
}

std::vector<StandingRow> StorePageData::standings(std::int64_t dkpSystem) {
    std::map<std::string, std::int64_t> attended;
    {
        std::lock_guard lock(mutex_);
        Statement query =
            db_.prepare("SELECT m.name, COUNT(DISTINCT m.event) FROM event_members m "
                        "JOIN events e ON e.id = m.event WHERE e.dkp_system = ? GROUP BY m.name");
        query.bind(1, dkpSystem);
        while (query.step())
            attended[query.text(0)] = query.integer(1);
    }
    std::vector<StandingRow> rows;
    for (Standing& standing : store_.standings(dkpSystem)) {
        const auto found = attended.find(standing.name);
        rows.push_back({std::move(standing), found == attended.end() ? 0 : found->second});
    }
    return rows;
}

std::int64_t StorePageData::raidCount(std::int64_t dkpSystem) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare("SELECT COUNT(*) FROM events WHERE dkp_system = ?");
    query.bind(1, dkpSystem);
    return query.step() ? query.integer(0) : 0;
}

std::vector<EventSummary> StorePageData::latestEvents(std::int64_t guildRowId, int limit) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare("SELECT e.id, e.dkp_system, e.name, e.zone, e.start_time, "
                                  "(SELECT COUNT(*) FROM event_members m WHERE m.event = e.id) "
                                  "FROM events e WHERE e.guild = ? ORDER BY e.id DESC LIMIT ?");
    query.bind(1, guildRowId).bind(2, static_cast<std::int64_t>(limit));
    std::vector<EventSummary> events;
    while (query.step())
        events.push_back({query.integer(0), query.integer(1), query.text(2), query.text(3),
                          query.text(4), query.integer(5)});
    return events;
}

std::vector<LootRecord> StorePageData::loot(Statement& query) {
    std::vector<LootRecord> records;
    while (query.step())
        records.push_back({query.integer(0), query.integer(1), query.text(2), query.text(3),
                           query.text(4), query.text(5), query.text(6), query.integer(7)});
    return records;
}

std::vector<LootRecord> StorePageData::latestLoot(std::int64_t guildRowId, int limit) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare(std::string(kLootColumns) +
                                  "WHERE e.guild = ? ORDER BY e.id DESC, l.position LIMIT ?");
    query.bind(1, guildRowId).bind(2, static_cast<std::int64_t>(limit));
    return loot(query);
}

std::optional<StoredEvent> StorePageData::event(std::int64_t eventId) {
    return store_.event(eventId);
}

std::vector<LootRecord> StorePageData::findLoot(const std::string& text, int limit) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare(
        std::string(kLootColumns) +
        "WHERE instr(lower(l.item_name), lower(?)) > 0 ORDER BY e.id DESC, l.position LIMIT ?");
    query.bind(1, text).bind(2, static_cast<std::int64_t>(limit));
    return loot(query);
}

std::vector<PointsChange> StorePageData::pointsChanges(std::int64_t dkpSystem,
                                                       const std::string& name) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare(
        "SELECT e.id, e.name, k.time, k.boss, k.dkp, 0 FROM event_kills k "
        "JOIN kill_attendees a ON a.kill = k.id JOIN events e ON e.id = k.event "
        "WHERE e.dkp_system = ?1 AND a.name = ?2 "
        "UNION ALL SELECT e.id, e.name, l.time, l.item_name, -l.costs, 1 FROM event_loot l "
        "JOIN events e ON e.id = l.event WHERE e.dkp_system = ?1 AND l.player = ?2 "
        "ORDER BY 1, 3, 6");
    query.bind(1, dkpSystem).bind(2, name);
    std::vector<PointsChange> changes;
    while (query.step())
        changes.push_back({query.integer(0), query.text(1), query.text(2), query.text(3),
                           query.integer(4), query.integer(5) != 0});
    return changes;
}

std::vector<RaidPresence> StorePageData::raidPresence(std::int64_t dkpSystem,
                                                      const std::string& name) {
    std::lock_guard lock(mutex_);
    Statement query =
        db_.prepare("SELECT e.id, e.name, e.start_time, e.created_ms, "
                    "EXISTS(SELECT 1 FROM event_members m WHERE m.event = e.id AND m.name = ?2) "
                    "FROM events e WHERE e.dkp_system = ?1 ORDER BY e.id");
    query.bind(1, dkpSystem).bind(2, name);
    std::vector<RaidPresence> raids;
    while (query.step())
        raids.push_back({query.integer(0), query.text(1), query.text(2), query.integer(3),
                         query.integer(4) != 0});
    return raids;
}

std::optional<SiteAccount> StorePageData::account(const std::string& sessionToken,
                                                  std::int64_t nowMs) {
    if (sessionToken.empty())
        return std::nullopt;
    return store_.account(sessionToken, nowMs);
}

} // namespace dkpsite
