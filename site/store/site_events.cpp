// The uploaded events of SiteStore and the changes of points made after them.
#include "store/site_store.h"

#include "store/event_repository.h"
#include "store/guild_repository.h"
#include "store/ledger_repository.h"
#include "utilkit/encrypt.h"

#include <algorithm>

namespace dkpsite {

namespace {

std::string describe(const LedgerEntry& entry) {
    return std::string(entryKindName(entry.kind)) + " " + entry.character + ": earned " +
           std::to_string(entry.earned) + ", spent " + std::to_string(entry.spent);
}

} // namespace

UploadResult SiteStore::storeEvent(const std::string& token, const NewEvent& event,
                                   std::int64_t nowMs, const std::string& address) {
    std::optional<std::int64_t> userId;
    std::optional<SiteGuild> guild;
    std::string user;
    {
        Database::Connection connection(db_);
        userId = sessionUser(connection.sql(), token, nowMs);
        if (!userId)
            return {UploadOutcome::NotLoggedIn, 0};
        guild = memberGuild(connection.sql(), *userId, event.guildId);
        if (!guild)
            return {UploadOutcome::UnknownGuild, 0};
        user = accountGuilds(connection.sql(), *userId).user;
    }
    const bool ownSystem = std::any_of(guild->systems.begin(), guild->systems.end(),
                                       [&](const SiteDkpSystem& s) { return s.id == event.dkpId; });
    if (!ownSystem)
        return {UploadOutcome::UnknownDkpSystem, 0};

    const std::string digest = encrypt::SHA(event.document);
    const Origin origin{user, EntrySource::Upload, address, nowMs};
    return inWriteTransaction(db_, guild->rowId, [&](soci::session& sql) -> UploadResult {
        if (const auto existing = eventWithDocument(sql, event.dkpId, digest))
            return {UploadOutcome::AlreadyStored, *existing};
        if (event.sameRaidIsRepeat)
            if (const auto existing = eventOfRaid(sql, event.dkpId, event.raid))
                return {UploadOutcome::AlreadyStored, *existing};
        if (isSystemArchived(sql, event.dkpId))
            return {UploadOutcome::ArchivedDkpSystem, 0};
        const long long eventId = insertEvent(sql, guild->rowId, *userId, event, digest, nowMs);
        recordRaidCharacters(sql, guild->rowId, event.raid);
        enterRaid(sql, guild->rowId, event.dkpId, eventId, event.raid, origin);
        recordAudit(sql, {origin, guild->rowId, "upload event", "event " + std::to_string(eventId),
                          "", event.name});
        return {UploadOutcome::Created, eventId};
    });
}

std::optional<StoredEvent> SiteStore::event(std::int64_t eventId) {
    Database::Connection connection(db_);
    return loadEvent(connection.sql(), eventId);
}

std::int64_t SiteStore::adjust(std::int64_t dkpSystemId, const std::string& character,
                               std::int64_t points, const std::string& reason,
                               const Origin& origin) {
    const LedgerEntry entry = adjustmentEntry(dkpSystemId, character, points, reason, origin);
    const long long guild = guildOfSystem(db_, dkpSystemId);
    return inWriteTransaction(db_, guild, [&](soci::session& sql) {
        refuseArchivedSystem(sql, dkpSystemId);
        const long long id = appendEntry(sql, guild, entry);
        recordAudit(sql, {origin, guild, "adjust points", "entry " + std::to_string(id), "",
                          describe(entry) + " (" + reason + ")"});
        return id;
    });
}

std::int64_t SiteStore::correct(std::int64_t entryId, const std::string& reason,
                                const Origin& origin) {
    std::optional<LedgerEntry> entry;
    {
        Database::Connection connection(db_);
        entry = ledgerEntry(connection.sql(), entryId);
    }
    if (!entry)
        throw LedgerError({RefusalKind::NoLedgerEntry, {std::to_string(entryId)}});
    const long long guild = guildOfSystem(db_, entry->dkpSystem);
    return inWriteTransaction(db_, guild, [&](soci::session& sql) {
        refuseArchivedSystem(sql, entry->dkpSystem);
        const LedgerEntry correction =
            correctionEntry(*entry, isReversed(sql, entryId), reason, origin);
        const long long id = appendEntry(sql, guild, correction);
        recordAudit(sql, {origin, guild, "correct entry", "entry " + std::to_string(entryId),
                          describe(*entry), describe(correction) + " (" + reason + ")"});
        return id;
    });
}

std::vector<LedgerEntry> SiteStore::previewDecay(std::int64_t dkpSystemId, const DecayRule& rule) {
    Database::Connection connection(db_);
    guildOfSystem(connection.sql(), dkpSystemId);
    return decayEntries(listedStandings(connection.sql(), dkpSystemId), dkpSystemId, rule, {});
}

std::vector<LedgerEntry> SiteStore::decay(std::int64_t dkpSystemId, const DecayRule& rule,
                                          const Origin& origin) {
    checkDecayRule(rule);
    const long long guild = guildOfSystem(db_, dkpSystemId);
    return inWriteTransaction(db_, guild, [&](soci::session& sql) {
        refuseArchivedSystem(sql, dkpSystemId);
        // Read inside the transaction, under the guild's lock: what is decayed is what is there.
        std::vector<LedgerEntry> entries =
            decayEntries(listedStandings(sql, dkpSystemId), dkpSystemId, rule, origin);
        for (LedgerEntry& entry : entries)
            entry.id = appendEntry(sql, guild, entry);
        recordAudit(sql, {origin, guild, "decay", "DKP system " + std::to_string(dkpSystemId), "",
                          std::to_string(rule.percent) + "%, floor " + std::to_string(rule.floor) +
                              ", " + std::to_string(entries.size()) + " entries"});
        return entries;
    });
}

void SiteStore::rewriteEventEntries(
    std::int64_t eventId, const std::string& reason, const Origin& origin, const std::string& what,
    const std::function<void(soci::session&, StoredEvent&)>& change) {
    std::optional<StoredEvent> stored = event(eventId);
    if (!stored)
        throw LedgerError({RefusalKind::NoEvent, {std::to_string(eventId)}});
    if (stored->removedMs != 0)
        throw LedgerError({RefusalKind::EventRemoved, {std::to_string(eventId)}});
    const long long guild = stored->guildRowId;
    inWriteTransaction(db_, guild, [&](soci::session& sql) {
        refuseArchivedSystem(sql, stored->dkpId);
        for (const LedgerEntry& entry : eventEntries(sql, eventId))
            if (entry.kind != EntryKind::Correction && !isReversed(sql, entry.id))
                appendEntry(sql, guild, correctionEntry(entry, false, reason, origin));
        const std::string before = stored->name;
        change(sql, *stored);
        if (stored->removedMs == 0)
            enterRaid(sql, guild, stored->dkpId, eventId, stored->raid, origin);
        recordAudit(sql, {origin, guild, what, "event " + std::to_string(eventId), before, reason});
    });
}

void SiteStore::removeEvent(std::int64_t eventId, const std::string& reason, const Origin& origin) {
    rewriteEventEntries(eventId, reason, origin, "remove event",
                        [&](soci::session& sql, StoredEvent& stored) {
                            stored.removedMs = std::max<std::int64_t>(origin.atMs, 1);
                            markEventRemoved(sql, eventId, stored.removedMs);
                        });
}

void SiteStore::editKillPoints(std::int64_t eventId, std::size_t kill, std::int64_t points,
                               const std::string& reason, const Origin& origin) {
    if (points < 0 || points > kMaxDocumentNumber)
        throw LedgerError({RefusalKind::KillPointsRange, {std::to_string(kMaxDocumentNumber)}});
    rewriteEventEntries(
        eventId, reason, origin, "edit kill points", [&](soci::session& sql, StoredEvent& stored) {
            if (kill >= stored.raid.kills.size())
                throw LedgerError(
                    {RefusalKind::NoKill, {std::to_string(eventId), std::to_string(kill)}});
            stored.raid.kills[kill].dkp = points;
            setKillPoints(sql, eventId, static_cast<long long>(kill), points);
        });
}

void SiteStore::editLootCost(std::int64_t eventId, std::size_t loot, std::int64_t costs,
                             const std::string& reason, const Origin& origin) {
    if (costs < 0 || costs > kMaxDocumentNumber)
        throw LedgerError({RefusalKind::LootCostRange, {std::to_string(kMaxDocumentNumber)}});
    rewriteEventEntries(
        eventId, reason, origin, "edit loot cost", [&](soci::session& sql, StoredEvent& stored) {
            if (loot >= stored.raid.loot.size())
                throw LedgerError(
                    {RefusalKind::NoLoot, {std::to_string(eventId), std::to_string(loot)}});
            stored.raid.loot[loot].costs = costs;
            setLootCost(sql, eventId, static_cast<long long>(loot), costs);
        });
}

void SiteStore::linkAlt(std::int64_t guildRowId, const std::string& alt, const std::string& main,
                        const Origin& origin) {
    inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        if (const auto refusal = dkpsite::linkAlt(sql, guildRowId, alt, main))
            throw LedgerError(*refusal);
        recordAudit(sql, {origin, guildRowId, "link alt", alt, "", main});
    });
}

} // namespace dkpsite
