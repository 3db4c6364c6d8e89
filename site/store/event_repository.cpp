#include "store/event_repository.h"

#include <algorithm>

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

void insertRaidParts(soci::session& sql, long long eventId, const RaidDocument& raid) {
    for (std::size_t i = 0; i < raid.members.size(); ++i) {
        const RaidMember& m = raid.members[i];
        const long long position = static_cast<long long>(i);
        const long long level = m.level;
        sql << "INSERT INTO event_members(event, position, name, race, guild, sex, class, level) "
               "VALUES(:event, :position, :name, :race, :guild, :sex, :class, :level)",
            use(eventId, "event"), use(position, "position"), use(m.name, "name"),
            use(m.race, "race"), use(m.guild, "guild"), use(m.sex, "sex"),
            use(m.playerClass, "class"), use(level, "level");
    }
    for (std::size_t i = 0; i < raid.kills.size(); ++i) {
        const RaidKill& k = raid.kills[i];
        const long long position = static_cast<long long>(i);
        const long long dkp = k.dkp;
        long long killId = 0;
        sql << "INSERT INTO event_kills(event, position, boss, dkp, time) "
               "VALUES(:event, :position, :boss, :dkp, :time) RETURNING id",
            use(eventId, "event"), use(position, "position"), use(k.boss, "boss"), use(dkp, "dkp"),
            use(k.time, "time"), into(killId);
        for (std::size_t a = 0; a < k.attendees.size(); ++a) {
            const long long at = static_cast<long long>(a);
            sql << "INSERT INTO kill_attendees(kill, position, name) "
                   "VALUES(:kill, :position, :name)",
                use(killId, "kill"), use(at, "position"), use(k.attendees[a], "name");
        }
    }
    for (std::size_t i = 0; i < raid.loot.size(); ++i) {
        const RaidLoot& l = raid.loot[i];
        const long long position = static_cast<long long>(i);
        const long long count = l.count, costs = l.costs;
        sql << "INSERT INTO event_loot(event, position, item_name, item_id, icon, item_class, "
               "sub_class, color, count, player, costs, time, zone, boss, tooltip) "
               "VALUES(:event, :position, :item_name, :item_id, :icon, :item_class, :sub_class, "
               ":color, :count, :player, :costs, :time, :zone, :boss, :tooltip)",
            use(eventId, "event"), use(position, "position"), use(l.itemName, "item_name"),
            use(l.itemId, "item_id"), use(l.icon, "icon"), use(l.itemClass, "item_class"),
            use(l.subClass, "sub_class"), use(l.color, "color"), use(count, "count"),
            use(l.player, "player"), use(costs, "costs"), use(l.time, "time"), use(l.zone, "zone"),
            use(l.boss, "boss"), use(l.tooltip, "tooltip");
    }
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
    for (std::size_t i = 0; i < killIds.size(); ++i) {
        std::string name;
        soci::statement query =
            (sql.prepare << "SELECT COALESCE(name, '') FROM kill_attendees WHERE kill = :kill "
                            "ORDER BY position",
             use(killIds[i], "kill"), into(name));
        query.execute();
        while (query.fetch())
            raid.kills[i].attendees.push_back(name);
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
