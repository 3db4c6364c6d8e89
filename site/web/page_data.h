#pragma once

#include "ledger/standing.h"
#include "store/raid_listing.h"
#include "store/site_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

// A player's line in a DKP system's standings, with the raids attended.
struct StandingRow {
    Standing standing;
    std::int64_t raidsAttended = 0;
    bool active = true; // an officer has not marked the player inactive
};

// One entry of the points ledger about a player (or one of the player's alts): what it added,
// the player's points after it, why, when, and the event it came from.
using TimelineEntry = HistoryEntry;

// One page of a player's ledger entries, newest first, and where it lies among them.
using TimelinePage = HistoryPage;

// What the pages read of the site's data. Pages only read through this; writes go through the
// store's own operations.
class PageData {
public:
    virtual ~PageData() = default;
    // The guilds whose standings anyone may read, by site name.
    virtual std::vector<SiteGuild> publicGuilds() = 0;
    virtual std::optional<SiteGuild> guildBySite(const std::string& site) = 0;
    virtual std::optional<SiteGuild> guildById(const std::string& guildId) = 0;
    // Every player of the DKP system with points, and the system's raids each was in.
    virtual std::vector<StandingRow> standings(std::int64_t dkpSystem) = 0;
    // One player's points in the DKP system (with the alts' points for a main), or nothing.
    virtual std::optional<Standing> standing(std::int64_t dkpSystem, const std::string& name) = 0;
    virtual std::int64_t raidCount(std::int64_t dkpSystem) = 0;
    // The guild's newest events and loot, newest first.
    virtual std::vector<EventSummary> latestEvents(std::int64_t guildRowId, int limit) = 0;
    virtual std::vector<LootRecord> latestLoot(std::int64_t guildRowId, int limit) = 0;
    virtual std::optional<StoredEvent> event(std::int64_t eventId) = 0;
    // Loot of public guilds whose item name holds `text`, newest first.
    virtual std::vector<LootRecord> findLoot(const std::string& text, int limit) = 0;
    // The ledger entries of a player and the player's alts in the DKP system, `pageRows` a page,
    // newest first; a page beyond the last is the last.
    virtual TimelinePage timeline(std::int64_t dkpSystem, const std::string& name,
                                  std::int64_t page, std::int64_t pageRows) = 0;
    // The player's points after each raid (store/member_history.h), oldest first.
    virtual std::vector<std::int64_t> raidBalances(std::int64_t dkpSystem,
                                                   const std::string& name) = 0;
    // The items a player received in the DKP system's raids, newest first.
    virtual std::vector<LootRecord> lootOf(std::int64_t dkpSystem, const std::string& name) = 0;
    // Every raid of the DKP system, oldest first, and whether the player was in it.
    virtual std::vector<RaidPresence> raidPresence(std::int64_t dkpSystem,
                                                   const std::string& name) = 0;
    // The guild's characters, by name, with class and whether they are active.
    virtual std::vector<GuildCharacter> characters(std::int64_t guildRowId) = 0;
};

} // namespace dkpsite
