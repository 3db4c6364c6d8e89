#include "web/store_page_data.h"

#include "store/raid_listing.h"

#include <map>

namespace dkpsite {

StorePageData::StorePageData(SiteStore& store) : store_(store) {}

std::vector<SiteGuild> StorePageData::publicGuilds() {
    std::vector<std::string> sites;
    {
        Database::Connection connection(store_.database());
        sites = publicGuildSites(connection.sql());
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
    std::optional<std::string> site;
    {
        Database::Connection connection(store_.database());
        site = siteOfGuild(connection.sql(), guildId);
    }
    if (!site)
        return std::nullopt;
    return store_.guildBySite(*site);
}

std::vector<StandingRow> StorePageData::standings(std::int64_t dkpSystem) {
    std::map<std::string, std::int64_t> attended;
    {
        Database::Connection connection(store_.database());
        attended = raidsAttended(connection.sql(), dkpSystem);
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
    return dkpsite::raidCount(connection.sql(), dkpSystem);
}

std::vector<EventSummary> StorePageData::latestEvents(std::int64_t guildRowId, int limit) {
    Database::Connection connection(store_.database());
    return dkpsite::latestEvents(connection.sql(), guildRowId, limit);
}

std::vector<LootRecord> StorePageData::latestLoot(std::int64_t guildRowId, int limit) {
    Database::Connection connection(store_.database());
    return dkpsite::latestLoot(connection.sql(), guildRowId, limit);
}

std::optional<StoredEvent> StorePageData::event(std::int64_t eventId) {
    return store_.event(eventId);
}

std::vector<LootRecord> StorePageData::findLoot(const std::string& text, int limit) {
    Database::Connection connection(store_.database());
    return dkpsite::findLoot(connection.sql(), text, limit);
}

TimelinePage StorePageData::timeline(std::int64_t dkpSystem, const std::string& name,
                                     std::int64_t page, std::int64_t pageRows) {
    return store_.historyPageNumbered(dkpSystem, name, page, pageRows);
}

std::vector<std::int64_t> StorePageData::raidBalances(std::int64_t dkpSystem,
                                                      const std::string& name) {
    return store_.historyRunBalances(dkpSystem, name);
}

std::vector<LootRecord> StorePageData::lootOf(std::int64_t dkpSystem, const std::string& name) {
    Database::Connection connection(store_.database());
    return playerLoot(connection.sql(), dkpSystem, name);
}

std::vector<RaidPresence> StorePageData::raidPresence(std::int64_t dkpSystem,
                                                      const std::string& name) {
    Database::Connection connection(store_.database());
    return dkpsite::raidPresence(connection.sql(), dkpSystem, name);
}

std::vector<GuildCharacter> StorePageData::characters(std::int64_t guildRowId) {
    return store_.characters(guildRowId);
}

} // namespace dkpsite
