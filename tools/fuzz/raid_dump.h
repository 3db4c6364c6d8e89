#pragma once

#include "dkp/raids.h"
#include "utilkit/ustring.h"

#include <string>

// Writes out everything that the analysis of a raid log gives, so that the raids of two
// loading paths can be compared as one text: every raid's times, realm, zone, note and name,
// its members and stays, boss kills, loot, totals and upload document, and whether the sizes
// and totals it knew before reading its lists agree with them ("figures=differ" never should).
namespace raid_dump {

inline void field(std::string& out, const char* name, const std::u16string& value) {
    out += name;
    out += '=';
    out += ustring::toUtf8(value);
    out += '\n';
}

inline void field(std::string& out, const char* name, long long value) {
    out += name;
    out += '=';
    out += std::to_string(value);
    out += '\n';
}

inline void members(std::string& out, const dkp::Raid& raid) {
    for (const dkp::Member& member : raid.getMembers()) {
        field(out, "member", member.name);
        field(out, "sex", member.sex);
        field(out, "class", member.playerClass);
        field(out, "race", member.race);
        field(out, "guild", member.guild);
        field(out, "level", member.level);
        for (const dkp::PresenceSpan& span : member.presence) {
            field(out, "join", span.joinTime);
            field(out, "leave", span.leaveTime);
        }
    }
}

inline void bossKills(std::string& out, const dkp::Raid& raid) {
    for (const dkp::BossKill& kill : raid.getBossKills().getBossKills()) {
        field(out, "kill", kill.name);
        field(out, "time", kill.time);
        field(out, "dkp", kill.dkp);
        for (const std::u16string& attendee : kill.attendees)
            field(out, "attendee", attendee);
    }
}

inline void loots(std::string& out, const dkp::Raid& raid) {
    for (const dkp::Loot& loot : raid.getLoots()) {
        field(out, "loot", loot.name);
        field(out, "rarity", loot.rarity);
        field(out, "id", loot.id);
        field(out, "subclass", loot.subclass);
        field(out, "itemClass", loot.itemClass);
        field(out, "count", loot.count);
        field(out, "player", loot.player);
        field(out, "zone", loot.zone);
        field(out, "boss", loot.boss);
        field(out, "time", loot.time);
        field(out, "tooltip", loot.tooltip);
        field(out, "costs", loot.costs);
        field(out, "icon", loot.icon);
    }
}

// A raid's sizes and totals, which it knows before its lists are read, against those of the
// lists: "agree", or "differ" and what differs. Called before anything reads the lists.
inline std::string figuresAgainstLists(const dkp::Raid& raid) {
    const std::size_t memberCount = raid.getMemberCount();
    const std::size_t killCount = raid.getBossKillCount();
    const std::size_t lootCount = raid.getLootCount();
    const std::uint32_t obtain = raid.getTotalObtain();
    const std::uint32_t consume = raid.getTotalConsume();
    const auto members = static_cast<std::uint32_t>(raid.getMembers().size());
    std::uint32_t listObtain = 0;
    for (const dkp::BossKill& kill : raid.getBossKills().getBossKills())
        if (kill.dkp > 0)
            listObtain +=
                static_cast<std::uint32_t>(kill.dkp) *
                (kill.attendees.empty() ? members
                                        : static_cast<std::uint32_t>(kill.attendees.size()));
    std::uint32_t listConsume = 0;
    for (const dkp::Loot& loot : raid.getLoots())
        if (loot.costs != 0)
            listConsume +=
                static_cast<std::uint32_t>(loot.costs) * static_cast<std::uint32_t>(loot.count);
    std::string differ;
    if (memberCount != members)
        differ += " members";
    if (killCount != raid.getBossKills().getBossKills().size())
        differ += " kills";
    if (lootCount != raid.getLoots().size())
        differ += " loots";
    if (obtain != listObtain)
        differ += " obtain";
    if (consume != listConsume)
        differ += " consume";
    return differ.empty() ? "agree" : "differ:" + differ;
}

inline std::string of(const dkp::Raids& raids) {
    std::string out;
    for (const dkp::Raid* raid : raids.getRaids()) {
        const dkp::RaidLog& log = raid->getRaidLog();
        out += "figures=" + figuresAgainstLists(*raid) + '\n';
        field(out, "raid", raid->getRaidName());
        field(out, "start", log.getRaidStartTime());
        field(out, "end", log.getRaidEndTime());
        field(out, "realm", log.getRealm());
        field(out, "zone", log.getZone());
        field(out, "note", log.getNote());
        members(out, *raid);
        bossKills(out, *raid);
        loots(out, *raid);
        field(out, "obtain", raid->getTotalObtain());
        field(out, "consume", raid->getTotalConsume());
        field(out, "export", raid->exportDocument());
    }
    return out;
}

} // namespace raid_dump
