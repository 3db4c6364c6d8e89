#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// What the pages list of a guild's raids: its events, their loot, and who was in them.

// One event as a list of a guild's raids shows it.
struct EventSummary {
    std::int64_t id = 0;
    std::int64_t dkpSystem = 0;
    std::string name, zone, start;
    std::int64_t members = 0;
};

// One item given out in a raid: what, to whom, for how much, when and where.
struct LootRecord {
    std::int64_t event = 0;
    std::int64_t dkpSystem = 0;
    std::string guildId, eventName, itemName, player, time;
    std::int64_t costs = 0;
};

// One raid of a DKP system and whether a player was one of its members.
struct RaidPresence {
    std::int64_t event = 0;
    std::string eventName, start;
    std::int64_t uploadedMs = 0;
    bool present = false;
};

// The sites of the guilds whose standings anyone may read, in byte order.
std::vector<std::string> publicGuildSites(soci::session& sql);
// The site of the guild of that identifier (its name in the game).
std::optional<std::string> siteOfGuild(soci::session& sql, const std::string& guildId);
// How many of the DKP system's raids each player (by name) was a member of.
std::map<std::string, std::int64_t> raidsAttended(soci::session& sql, long long dkpSystem);
std::int64_t raidCount(soci::session& sql, long long dkpSystem);
// The guild's newest events, newest first.
std::vector<EventSummary> latestEvents(soci::session& sql, long long guildRowId, int limit);
// The guild's newest loot, newest first.
std::vector<LootRecord> latestLoot(soci::session& sql, long long guildRowId, int limit);
// Loot of public guilds' events still standing whose item name holds `text` (in any case),
// newest first.
std::vector<LootRecord> findLoot(soci::session& sql, const std::string& text, int limit);
// The items the player received in the DKP system's events still standing, newest first.
std::vector<LootRecord> playerLoot(soci::session& sql, long long dkpSystem,
                                   const std::string& name);
// Every raid of the DKP system, oldest first, and whether the player was a member of it.
std::vector<RaidPresence> raidPresence(soci::session& sql, long long dkpSystem,
                                       const std::string& name);

} // namespace dkpsite
