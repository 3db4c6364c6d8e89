// The uploaded events of SiteStore and the standings derived from them.
#include "store/site_store.h"

#include <algorithm>
#include <limits>
#include <map>

namespace dkpsite {

UploadResult SiteStore::storeEvent(const std::string& token, const NewEvent& event,
                                   std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    const auto userId = sessionUser(token, nowMs);
    if (!userId)
        return {UploadOutcome::NotLoggedIn, 0};
    const auto guild = userGuild(*userId, event.guildId);
    if (!guild)
        return {UploadOutcome::UnknownGuild, 0};
    const bool ownSystem = std::any_of(guild->systems.begin(), guild->systems.end(),
                                       [&](const SiteDkpSystem& s) { return s.id == event.dkpId; });
    if (!ownSystem)
        return {UploadOutcome::UnknownDkpSystem, 0};

    Transaction transaction(db_);
    const RaidDocument& raid = event.raid;
    db_.prepare("INSERT INTO events(guild, dkp_system, uploader, name, note, document, raid_key, "
                "realm, start_time, end_time, zone, raid_note, created_ms) "
                "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .bind(1, guild->rowId)
        .bind(2, event.dkpId)
        .bind(3, *userId)
        .bind(4, event.name)
        .bind(5, event.note)
        .bind(6, event.document)
        .bind(7, raid.key)
        .bind(8, raid.realm)
        .bind(9, raid.start)
        .bind(10, raid.end)
        .bind(11, raid.zone)
        .bind(12, raid.note)
        .bind(13, nowMs)
        .step();
    const std::int64_t eventId = db_.lastInsertId();
    storeRaid(eventId, raid);
    transaction.commit();
    return {UploadOutcome::Created, eventId};
}

void SiteStore::storeRaid(std::int64_t eventId, const RaidDocument& raid) {
    for (size_t i = 0; i < raid.members.size(); ++i) {
        const RaidMember& m = raid.members[i];
        db_.prepare("INSERT INTO event_members VALUES(?, ?, ?, ?, ?, ?, ?, ?)")
            .bind(1, eventId)
            .bind(2, static_cast<std::int64_t>(i))
            .bind(3, m.name)
            .bind(4, m.race)
            .bind(5, m.guild)
            .bind(6, m.sex)
            .bind(7, m.playerClass)
            .bind(8, m.level)
            .step();
    }
    for (size_t i = 0; i < raid.kills.size(); ++i) {
        const RaidKill& k = raid.kills[i];
        db_.prepare("INSERT INTO event_kills(event, position, boss, dkp, time) "
                    "VALUES(?, ?, ?, ?, ?)")
            .bind(1, eventId)
            .bind(2, static_cast<std::int64_t>(i))
            .bind(3, k.boss)
            .bind(4, k.dkp)
            .bind(5, k.time)
            .step();
        const std::int64_t killId = db_.lastInsertId();
        for (size_t a = 0; a < k.attendees.size(); ++a)
            db_.prepare("INSERT INTO kill_attendees VALUES(?, ?, ?)")
                .bind(1, killId)
                .bind(2, static_cast<std::int64_t>(a))
                .bind(3, k.attendees[a])
                .step();
    }
    for (size_t i = 0; i < raid.loot.size(); ++i) {
        const RaidLoot& l = raid.loot[i];
        db_.prepare("INSERT INTO event_loot VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .bind(1, eventId)
            .bind(2, static_cast<std::int64_t>(i))
            .bind(3, l.itemName)
            .bind(4, l.itemId)
            .bind(5, l.icon)
            .bind(6, l.itemClass)
            .bind(7, l.subClass)
            .bind(8, l.color)
            .bind(9, l.count)
            .bind(10, l.player)
            .bind(11, l.costs)
            .bind(12, l.time)
            .bind(13, l.zone)
            .bind(14, l.boss)
            .bind(15, l.tooltip)
            .step();
    }
}

std::optional<StoredEvent> SiteStore::event(std::int64_t eventId) {
    std::lock_guard lock(mutex_);
    auto query = db_.prepare(
        "SELECT g.guild_id, e.dkp_system, e.name, e.note, u.name, e.raid_key, e.realm, "
        "e.start_time, e.end_time, e.zone, e.raid_note FROM events e "
        "JOIN guilds g ON g.id = e.guild JOIN users u ON u.id = e.uploader WHERE e.id = ?");
    query.bind(1, eventId);
    if (!query.step())
        return std::nullopt;
    StoredEvent stored;
    stored.id = eventId;
    stored.guildId = query.text(0);
    stored.dkpId = query.integer(1);
    stored.name = query.text(2);
    stored.note = query.text(3);
    stored.uploader = query.text(4);
    stored.raid = loadRaid(eventId);
    stored.raid.key = query.text(5);
    stored.raid.realm = query.text(6);
    stored.raid.start = query.text(7);
    stored.raid.end = query.text(8);
    stored.raid.zone = query.text(9);
    stored.raid.note = query.text(10);
    return stored;
}

RaidDocument SiteStore::loadRaid(std::int64_t eventId) {
    RaidDocument raid;
    auto members = db_.prepare("SELECT name, race, guild, sex, class, level FROM event_members "
                               "WHERE event = ? ORDER BY position");
    members.bind(1, eventId);
    while (members.step())
        raid.members.push_back({members.text(0), members.text(1), members.text(2), members.text(3),
                                members.text(4), members.integer(5)});
    auto kills = db_.prepare(
        "SELECT id, boss, dkp, time FROM event_kills WHERE event = ? ORDER BY position");
    kills.bind(1, eventId);
    while (kills.step()) {
        RaidKill kill{kills.text(1), kills.integer(2), kills.text(3), {}};
        auto attendees =
            db_.prepare("SELECT name FROM kill_attendees WHERE kill = ? ORDER BY position");
        attendees.bind(1, kills.integer(0));
        while (attendees.step())
            kill.attendees.push_back(attendees.text(0));
        raid.kills.push_back(std::move(kill));
    }
    auto loot = db_.prepare("SELECT item_name, item_id, icon, item_class, sub_class, color, "
                            "count, player, costs, time, zone, boss, tooltip FROM event_loot "
                            "WHERE event = ? ORDER BY position");
    loot.bind(1, eventId);
    while (loot.step())
        raid.loot.push_back({loot.text(0), loot.text(1), loot.text(2), loot.text(3), loot.text(4),
                             loot.text(5), loot.integer(6), loot.text(7), loot.integer(8),
                             loot.text(9), loot.text(10), loot.text(11), loot.text(12)});
    return raid;
}

std::vector<Standing> SiteStore::standings(std::int64_t dkpSystemId) {
    std::lock_guard lock(mutex_);
    std::map<std::string, Standing> byName;
    auto entry = [&](const std::string& name) -> Standing& {
        Standing& standing = byName[name];
        standing.name = name;
        return standing;
    };
    // Later events overwrite the class, so the newest known class wins.
    auto members = db_.prepare("SELECT m.name, m.class FROM event_members m "
                               "JOIN events e ON e.id = m.event WHERE e.dkp_system = ? "
                               "ORDER BY e.id, m.position");
    members.bind(1, dkpSystemId);
    while (members.step())
        entry(members.text(0)).playerClass = members.text(1);
    // TOTAL() sums in floating point, where SUM() fails on an overflow; reading the sum as an
    // integer holds it at the ends of the 64-bit range. Points bounded at upload keep every sum
    // exact.
    auto earned = db_.prepare("SELECT a.name, TOTAL(k.dkp) FROM kill_attendees a "
                              "JOIN event_kills k ON k.id = a.kill JOIN events e ON e.id = k.event "
                              "WHERE e.dkp_system = ? GROUP BY a.name");
    earned.bind(1, dkpSystemId);
    while (earned.step())
        entry(earned.text(0)).earned = earned.integer(1);
    auto spent = db_.prepare("SELECT l.player, TOTAL(l.costs) FROM event_loot l "
                             "JOIN events e ON e.id = l.event "
                             "WHERE e.dkp_system = ? AND l.player <> '' GROUP BY l.player");
    spent.bind(1, dkpSystemId);
    while (spent.step())
        entry(spent.text(0)).spent = spent.integer(1);

    std::vector<Standing> result;
    for (auto& [name, standing] : byName)
        if (!name.empty())
            result.push_back(std::move(standing));
    return result;
}

std::int64_t SiteStore::guildUpdateTimeMs(std::int64_t guildRowId) {
    std::lock_guard lock(mutex_);
    auto query = db_.prepare("SELECT MAX(COALESCE((SELECT MAX(created_ms) FROM events "
                             "WHERE guild = g.id), 0), g.created_ms) FROM guilds g WHERE g.id = ?");
    query.bind(1, guildRowId);
    return query.step() ? query.integer(0) : 0;
}

} // namespace dkpsite
