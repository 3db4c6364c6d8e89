// The changes of an event's parts after its upload: its name and note, a loot's winner, and a
// kill's attendees.
#include "store/site_store.h"

#include "store/event_repository.h"
#include "store/guild_repository.h"

#include <algorithm>

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

bool isMember(const RaidDocument& raid, const std::string& player) {
    return std::any_of(raid.members.begin(), raid.members.end(),
                       [&](const RaidMember& member) { return member.name == player; });
}

void checkMember(const StoredEvent& event, const std::string& player) {
    if (player.empty() || !isMember(event.raid, player))
        throw LedgerError({RefusalKind::NotEventMember, {player, std::to_string(event.id)}});
}

RaidKill& killOf(StoredEvent& event, std::size_t kill) {
    if (kill >= event.raid.kills.size())
        throw LedgerError({RefusalKind::NoKill, {std::to_string(event.id), std::to_string(kill)}});
    return event.raid.kills[kill];
}

long long killRowId(soci::session& sql, long long eventId, long long position) {
    long long id = 0;
    sql << "SELECT id FROM event_kills WHERE event = :event AND position = :position",
        use(eventId, "event"), use(position, "position"), into(id);
    return id;
}

} // namespace

void SiteStore::describeEvent(std::int64_t eventId, const std::string& name,
                              const std::string& note, const std::string& reason,
                              const Origin& origin) {
    if (reason.empty())
        throw LedgerError(RefusalKind::ReasonRequired);
    if (name.empty() || name.size() > document_limits::kTitle)
        throw LedgerError(
            {RefusalKind::EventNameLength, {std::to_string(document_limits::kTitle)}});
    if (note.size() > document_limits::kNote)
        throw LedgerError({RefusalKind::EventNoteLength, {std::to_string(document_limits::kNote)}});
    const std::optional<StoredEvent> stored = event(eventId);
    if (!stored)
        throw LedgerError({RefusalKind::NoEvent, {std::to_string(eventId)}});
    inWriteTransaction(db_, stored->guildRowId, [&](soci::session& sql) {
        refuseArchivedSystem(sql, stored->dkpId);
        const long long id = eventId;
        sql << "UPDATE events SET name = :name, note = :note WHERE id = :id", use(name, "name"),
            use(note, "note"), use(id, "id");
        recordAudit(sql, {origin, stored->guildRowId, "describe event",
                          "event " + std::to_string(eventId), stored->name + " / " + stored->note,
                          name + " / " + note + " (" + reason + ")"});
    });
}

void SiteStore::editLooter(std::int64_t eventId, std::size_t loot, const std::string& player,
                           const std::string& reason, const Origin& origin) {
    rewriteEventEntries(
        eventId, reason, origin, "edit looter", [&](soci::session& sql, StoredEvent& stored) {
            if (loot >= stored.raid.loot.size())
                throw LedgerError(
                    {RefusalKind::NoLoot, {std::to_string(eventId), std::to_string(loot)}});
            checkMember(stored, player);
            stored.raid.loot[loot].player = player;
            const long long id = eventId, position = static_cast<long long>(loot);
            sql << "UPDATE event_loot SET player = :player WHERE event = :event "
                   "AND position = :position",
                use(player, "player"), use(id, "event"), use(position, "position");
        });
}

void SiteStore::addKillAttendee(std::int64_t eventId, std::size_t kill, const std::string& player,
                                const std::string& reason, const Origin& origin) {
    rewriteEventEntries(
        eventId, reason, origin, "add kill attendee", [&](soci::session& sql, StoredEvent& stored) {
            RaidKill& changed = killOf(stored, kill);
            checkMember(stored, player);
            if (std::find(changed.attendees.begin(), changed.attendees.end(), player) !=
                changed.attendees.end())
                throw LedgerError({RefusalKind::AlreadyAtKill, {player}});
            changed.attendees.push_back(player);
            const long long killId = killRowId(sql, eventId, static_cast<long long>(kill));
            long long last = -1;
            soci::indicator present = soci::i_null;
            sql << "SELECT MAX(position) FROM kill_attendees WHERE kill = :kill",
                use(killId, "kill"), into(last, present);
            const long long position = present == soci::i_ok ? last + 1 : 0;
            sql << "INSERT INTO kill_attendees(kill, position, name) "
                   "VALUES(:kill, :position, :name)",
                use(killId, "kill"), use(position, "position"), use(player, "name");
        });
}

void SiteStore::removeKillAttendee(std::int64_t eventId, std::size_t kill,
                                   const std::string& player, const std::string& reason,
                                   const Origin& origin) {
    rewriteEventEntries(
        eventId, reason, origin, "remove kill attendee",
        [&](soci::session& sql, StoredEvent& stored) {
            RaidKill& changed = killOf(stored, kill);
            const auto listed =
                std::find(changed.attendees.begin(), changed.attendees.end(), player);
            if (listed == changed.attendees.end())
                throw LedgerError({RefusalKind::NotAtKill, {player}});
            changed.attendees.erase(listed);
            const long long killId = killRowId(sql, eventId, static_cast<long long>(kill));
            long long position = 0;
            sql << "SELECT MIN(position) FROM kill_attendees WHERE kill = :kill AND name = :name",
                use(killId, "kill"), use(player, "name"), into(position);
            sql << "DELETE FROM kill_attendees WHERE kill = :kill AND position = :position",
                use(killId, "kill"), use(position, "position");
        });
}

} // namespace dkpsite
