#pragma once

#include "store/site_records.h"

#include <optional>
#include <soci/soci.h>
#include <string>

namespace dkpsite {

// The uploaded events: the document as it came and its parts, element by element.
std::optional<StoredEvent> loadEvent(soci::session& sql, long long eventId);
// The event that already holds this document (by its SHA-256) in the DKP system.
std::optional<long long> eventWithDocument(soci::session& sql, long long dkpSystem,
                                           const std::string& digest);
// The event of the same raid in the DKP system: the same raid key, or without one the same
// zone and start.
std::optional<long long> eventOfRaid(soci::session& sql, long long dkpSystem,
                                     const RaidDocument& raid);
long long insertEvent(soci::session& sql, long long guildRowId, long long uploader,
                      const NewEvent& event, const std::string& digest, long long createdMs);
void markEventRemoved(soci::session& sql, long long eventId, long long removedMs);
void setKillPoints(soci::session& sql, long long eventId, long long killPosition, long long dkp);
void setLootCost(soci::session& sql, long long eventId, long long lootPosition, long long costs);
// The time of the guild's last change: its newest event or ledger entry, or its creation.
long long guildUpdateTimeMs(soci::session& sql, long long guildRowId);

} // namespace dkpsite
