#pragma once

#include "store/site_store.h"
#include "web/page_data.h"

namespace dkpsite {

// PageData read from the site's store and its repositories (store/raid_listing.h).
class StorePageData : public PageData {
public:
    explicit StorePageData(SiteStore& store);

    std::vector<SiteGuild> publicGuilds() override;
    std::optional<SiteGuild> guildBySite(const std::string& site) override;
    std::optional<SiteGuild> guildById(const std::string& guildId) override;
    std::vector<StandingRow> standings(std::int64_t dkpSystem) override;
    std::optional<Standing> standing(std::int64_t dkpSystem, const std::string& name) override;
    std::int64_t raidCount(std::int64_t dkpSystem) override;
    std::vector<EventSummary> latestEvents(std::int64_t guildRowId, int limit) override;
    std::vector<LootRecord> latestLoot(std::int64_t guildRowId, int limit) override;
    std::optional<StoredEvent> event(std::int64_t eventId) override;
    std::vector<LootRecord> findLoot(const std::string& text, int limit) override;
    TimelinePage timeline(std::int64_t dkpSystem, const std::string& name, std::int64_t page,
                          std::int64_t pageRows) override;
    std::vector<std::int64_t> raidBalances(std::int64_t dkpSystem,
                                           const std::string& name) override;
    std::vector<LootRecord> lootOf(std::int64_t dkpSystem, const std::string& name) override;
    std::vector<RaidPresence> raidPresence(std::int64_t dkpSystem,
                                           const std::string& name) override;
    std::vector<GuildCharacter> characters(std::int64_t guildRowId) override;

private:
    SiteStore& store_;
};

} // namespace dkpsite
