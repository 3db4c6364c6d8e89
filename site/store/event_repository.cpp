#include "store/event_repository.h"

#include "store/row_batch.h"

#include <algorithm>
#include <map>

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

// The ids of the event's kills in the order of their positions.
std::vector<long long> eventKillIds(soci::session& sql, long long eventId) {
    long long id = 0;
    soci::statement query =
        (sql.prepare << "SELECT id FROM event_kills WHERE event = :event ORDER BY position",
         use(eventId, "event"), into(id));
    query.execute();
    std::vector<long long> ids;
    while (query.fetch())
        ids.push_back(id);
    return ids;
}

void insertRaidParts(soci::session& sql, long long eventId, const RaidDocument& raid) {
    RowBatch members("event_members", "event, position, name, race, guild, sex, class, level", 8);
    for (std::size_t i = 0; i < raid.members.size(); ++i) {
        const RaidMember& m = raid.members[i];
        members << eventId << static_cast<long long>(i) << m.name << m.race << m.guild << m.sex
                << m.playerClass << static_cast<long long>(m.level);
    }
    members.insert(sql);
    RowBatch kills("event_kills", "event, position, boss, dkp, time", 5);
    for (std::size_t i = 0; i < raid.kills.size(); ++i) {
        const RaidKill& k = raid.kills[i];
        kills << eventId << static_cast<long long>(i) << k.boss << static_cast<long long>(k.dkp)
              << k.time;
    }
    kills.insert(sql);
    std::vector<long long> killIds = eventKillIds(sql, eventId);
    RowBatch attendees("kill_attendees", "kill, position, name", 3);
    for (std::size_t i = 0; i < raid.kills.size() && i < killIds.size(); ++i)
        for (std::size_t a = 0; a < raid.kills[i].attendees.size(); ++a)
            attendees << killIds[i] << static_cast<long long>(a) << raid.kills[i].attendees[a];
    attendees.insert(sql);
    RowBatch loot("event_loot",
                  "event, position, item_name, item_id, icon, item_class, sub_class, color, "
                  "count, player, costs, time, zone, boss, tooltip",
                  15);
    for (std::size_t i = 0; i < raid.loot.size(); ++i) {
        const RaidLoot& l = raid.loot[i];
        loot << eventId << static_cast<long long>(i) << l.itemName << l.itemId << l.icon
             << l.itemClass << l.subClass << l.color << static_cast<long long>(l.count) << l.player
             << static_cast<long long>(l.costs) << l.time << l.zone << l.boss << l.tooltip;
    }
    loot.insert(sql);
}

RaidDocument loadRaidParts(soci::session& sql, long long eventId) {
    RaidDocument raid;
    {
        RaidMember m;
        long long level = 0;
        soci::statement query =
            (sql.prepare << "SELECT COALESCE(name, ''), COALESCE(race, ''), COALESCE(guild, ''), "
                            "COALESCE(sex, ''), COALESCE(class, ''), COALESCE(level, 0) "
                            "FROM event_members WHERE event = :event ORDER BY position",
             use(eventId, "event"), into(m.name), into(m.race), into(m.guild), into(m.sex),
             into(m.playerClass), into(level));
        query.execute();
        while (query.fetch()) {
            m.level = level;
            raid.members.push_back(m);
        }
    }
    std::vector<long long> killIds;
    {
        long long id = 0, dkp = 0;
        RaidKill k;
        soci::statement query =
            (sql.prepare << "SELECT id, COALESCE(boss, ''), COALESCE(dkp, 0), COALESCE(time, '') "
                            "FROM event_kills WHERE event = :event ORDER BY position",
             use(eventId, "event"), into(id), into(k.boss), into(dkp), into(k.time));
        query.execute();
        while (query.fetch()) {
            k.dkp = dkp;
            raid.kills.push_back(k);
            killIds.push_back(id);
        }
    }
    {
        // Every kill's attendees in one statement.
        std::map<long long, std::size_t> killOf;
        for (std::size_t i = 0; i < killIds.size(); ++i)
            killOf[killIds[i]] = i;
        long long kill = 0;
        std::string name;
        soci::statement query =
            (sql.prepare << "SELECT a.kill, COALESCE(a.name, '') FROM kill_attendees a "
                            "JOIN event_kills k ON k.id = a.kill WHERE k.event = :event "
                            "ORDER BY a.kill, a.position",
             use(eventId, "event"), into(kill), into(name));
        query.execute();
        while (query.fetch())
            raid.kills[killOf.at(kill)].attendees.push_back(name);
    }
    {
        RaidLoot l;
        long long count = 0, costs = 0;
        soci::statement query =
            (sql.prepare << "SELECT COALESCE(item_name, ''), COALESCE(item_id, ''), "
                            "COALESCE(icon, ''), COALESCE(item_class, ''), "
                            "COALESCE(sub_class, ''), COALESCE(color, ''), COALESCE(count, 0), "
                            "COALESCE(player, ''), COALESCE(costs, 0), COALESCE(time, ''), "
                            "COALESCE(zone, ''), COALESCE(boss, ''), COALESCE(tooltip, '') "
                            "FROM event_loot WHERE event = :event ORDER BY position",
             use(eventId, "event"), into(l.itemName), into(l.itemId), into(l.icon),
             into(l.itemClass), into(l.subClass), into(l.color), into(count), into(l.player),
             into(costs), into(l.time), into(l.zone), into(l.boss), into(l.tooltip));
        query.execute();
        while (query.fetch()) {
            l.count = count;
            l.costs = costs;
            raid.loot.push_back(l);
        }
    }
    return raid;
}

} // namespace

std::optional<StoredEvent> loadEvent(soci::session& sql, long long eventId) {
    StoredEvent stored;
    long long guildRowId = 0, dkpId = 0, createdMs = 0, removedMs = 0;
    soci::indicator found = soci::i_null;
    std::string key, realm, start, end, zone, raidNote;
    sql << "SELECT e.guild, g.guild_id, e.dkp_system, e.name, e.note, u.name, e.document, "
           "e.created_ms, e.removed_ms, COALESCE(e.raid_key, ''), COALESCE(e.realm, ''), "
           "COALESCE(e.start_time, ''), COALESCE(e.end_time, ''), COALESCE(e.zone, ''), "
           "COALESCE(e.raid_note, '') FROM events e JOIN guilds g ON g.id = e.guild "
           "JOIN users u ON u.id = e.uploader WHERE e.id = :id",
        use(eventId, "id"), into(guildRowId, found), into(stored.guildId), into(dkpId),
        into(stored.name), into(stored.note), into(stored.uploader), into(stored.document),
        into(createdMs), into(removedMs), into(key), into(realm), into(start), into(end),
        into(zone), into(raidNote);
    if (!sql.got_data() || found != soci::i_ok)
        return std::nullopt;
    stored.id = eventId;
    stored.guildRowId = guildRowId;
    stored.dkpId = dkpId;
    stored.createdMs = createdMs;
    stored.removedMs = removedMs;
    stored.raid = loadRaidParts(sql, eventId);
    stored.raid.key = key;
    stored.raid.realm = realm;
    stored.raid.start = start;
    stored.raid.end = end;
    stored.raid.zone = zone;
    stored.raid.note = raidNote;
    return stored;
}

std::optional<long long> eventWithDocument(soci::session& sql, long long dkpSystem,
                                           const std::string& digest) {
    long long id = 0;
    sql << "SELECT id FROM events WHERE dkp_system = :system AND document_digest = :digest",
        use(dkpSystem, "system"), use(digest, "digest"), into(id);
    if (!sql.got_data())
        return std::nullopt;
    return id;
}

std::optional<long long> eventOfRaid(soci::session& sql, long long dkpSystem,
                                     const RaidDocument& raid) {
    long long id = 0;
    if (!raid.key.empty())
        sql << "SELECT id FROM events WHERE dkp_system = :system AND raid_key = :key "
               "ORDER BY id LIMIT 1",
            use(dkpSystem, "system"), use(raid.key, "key"), into(id);
    else
        sql << "SELECT id FROM events WHERE dkp_system = :system AND zone = :zone AND "
               "start_time = :start ORDER BY id LIMIT 1",
            use(dkpSystem, "system"), use(raid.zone, "zone"), use(raid.start, "start"), into(id);
    if (!sql.got_data())
        return std::nullopt;
    return id;
}

long long insertEvent(soci::session& sql, long long guildRowId, long long uploader,
                      const NewEvent& event, const std::string& digest, long long createdMs) {
    const RaidDocument& raid = event.raid;
    const long long dkpSystem = event.dkpId;
    long long eventId = 0;
    sql << "INSERT INTO events(guild, dkp_system, uploader, name, note, document, raid_key, "
           "realm, start_time, end_time, zone, raid_note, created_ms, document_digest) "
           "VALUES(:guild, :system, :uploader, :name, :note, :document, :key, :realm, :start, "
           ":end, :zone, :raid_note, :created, :digest) RETURNING id",
        use(guildRowId, "guild"), use(dkpSystem, "system"), use(uploader, "uploader"),
        use(event.name, "name"), use(event.note, "note"), use(event.document, "document"),
        use(raid.key, "key"), use(raid.realm, "realm"), use(raid.start, "start"),
        use(raid.end, "end"), use(raid.zone, "zone"), use(raid.note, "raid_note"),
        use(createdMs, "created"), use(digest, "digest"), into(eventId);
    insertRaidParts(sql, eventId, raid);
    return eventId;
}

void markEventRemoved(soci::session& sql, long long eventId, long long removedMs) {
    sql << "UPDATE events SET removed_ms = :removed WHERE id = :id", use(removedMs, "removed"),
        use(eventId, "id");
}

void setKillPoints(soci::session& sql, long long eventId, long long killPosition, long long dkp) {
    sql << "UPDATE event_kills SET dkp = :dkp WHERE event = :event AND position = :position",
        use(dkp, "dkp"), use(eventId, "event"), use(killPosition, "position");
}

void setLootCost(soci::session& sql, long long eventId, long long lootPosition, long long costs) {
    sql << "UPDATE event_loot SET costs = :costs WHERE event = :event AND position = :position",
        use(costs, "costs"), use(eventId, "event"), use(lootPosition, "position");
}

long long guildUpdateTimeMs(soci::session& sql, long long guildRowId) {
    long long created = 0, newest = 0;
    soci::indicator present = soci::i_null;
    sql << "SELECT created_ms FROM guilds WHERE id = :guild", use(guildRowId, "guild"),
        into(created);
    // One indexed look per DKP system rather than a walk through the guild's whole ledger.
    sql << "SELECT MAX(newest) FROM (SELECT (SELECT MAX(at_ms) FROM ledger_entries "
           "WHERE dkp_system = s.id) AS newest FROM dkp_systems s WHERE s.guild = :guild) t",
        use(guildRowId, "guild"), into(newest, present);
    const long long lastEntry = present == soci::i_ok ? newest : 0;
    sql << "SELECT MAX(created_ms) FROM events WHERE guild = :guild", use(guildRowId, "guild"),
        into(newest, present);
    return std::max({created, lastEntry, present == soci::i_ok ? newest : 0});
}

} // namespace dkpsite
