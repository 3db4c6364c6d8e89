#include "raid_text.h"

#include "dkp/attendance.h"
#include "dkp/raid.h"
#include "dkp/raid_log.h"
#include "dkp/value_tables.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace raidsift {
namespace {

std::string utf8(const std::u16string& text) {
    return ustring::toUtf8(text);
}

std::string timeText(std::int64_t time) {
    if (time == 0)
        return "(unknown)"; // 0 is how the log says it has no time
    const std::u16string text = dkp::RaidLog::time2String(time);
    return text.empty() ? "(unknown)" : utf8(text);
}

std::string orDash(const std::u16string& text) {
    return text.empty() ? "-" : utf8(text);
}

std::string duration(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60));
    return text;
}

std::string percent(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", value);
    return text;
}

void writeStays(std::ostream& out, const dkp::Member& member) {
    for (const auto& span : member.presence) {
        out << "      " << timeText(span.joinTime) << " - "
            << (span.leaveTime == 0 ? std::string("(still in the raid)") : timeText(span.leaveTime))
            << '\n';
    }
}

// Each member with the attendance figures, which count within the raid's period.
void writeMembers(std::ostream& out, const dkp::Raid& raid) {
    const std::vector<dkp::MemberAttendance> attendance = dkp::computeAttendance(raid);
    out << "Members (" << raid.getMembers().size() << "):\n";
    for (std::size_t i = 0; i < raid.getMembers().size(); ++i) {
        const dkp::Member& member = raid.getMembers()[i];
        const dkp::MemberAttendance& figures = attendance[i];
        out << "  " << orDash(member.name) << "  " << orDash(dkp::classToText(member.playerClass))
            << ", " << orDash(dkp::raceToText(member.race)) << ", level " << member.level
            << ", guild " << orDash(member.guild) << ", present "
            << duration(figures.secondsPresent) << " (" << percent(figures.percentOfRaid)
            << "), kills " << figures.killsAttended << "/" << figures.killsInRaid << " ("
            << percent(figures.percentOfKills) << "), earned " << figures.pointsEarned << " DKP\n";
        writeStays(out, member);
    }
}

void writeLoot(std::ostream& out, const dkp::Loots& loots) {
    for (const auto& loot : loots) {
        out << "    " << orDash(loot.name);
        if (loot.count != 1)
            out << " x" << loot.count;
        out << " [" << utf8(dkp::rarityToColour(loot.rarity)) << "] -> " << orDash(loot.player)
            << " for " << loot.costs << " DKP at " << timeText(loot.time) << '\n';
    }
}

// A boss's loot is listed once, under the first kill of its name; trash-mob loot has its own
// section, so a kill under the trash-mob name lists none.
void writeBossKills(std::ostream& out, const dkp::Raid& raid) {
    const auto& kills = raid.getBossKills().getBossKills();
    out << "Boss kills (" << kills.size() << "):\n";
    std::set<std::u16string> listed{dkp::kTrashMobBoss};
    for (const auto& kill : kills) {
        out << "  " << orDash(kill.name) << " at " << timeText(kill.time) << ", " << kill.dkp
            << " DKP, " << kill.attendees.size() << " attendees\n";
        if (!kill.attendees.empty()) {
            out << "    attendees:";
            for (const auto& name : kill.attendees)
                out << ' ' << orDash(name);
            out << '\n';
        }
        if (!listed.insert(kill.name).second)
            continue;
        dkp::Loots loots;
        raid.getBossLoot(kill.name, loots);
        writeLoot(out, loots);
    }
}

// Loot of bosses that the log holds no kill of, under each boss name in order of first loot.
void writeLootWithoutKill(std::ostream& out, const dkp::Raid& raid) {
    std::set<std::u16string> known{dkp::kTrashMobBoss};
    for (const auto& kill : raid.getBossKills().getBossKills())
        known.insert(kill.name);
    std::vector<std::u16string> bosses;
    std::size_t count = 0;
    for (const auto& loot : raid.getLoots()) {
        if (known.contains(loot.boss))
            continue;
        ++count;
        if (std::find(bosses.begin(), bosses.end(), loot.boss) == bosses.end())
            bosses.push_back(loot.boss);
    }
    if (count == 0)
        return;
    out << "\nLoot of bosses without a kill (" << count << "):\n";
    for (const auto& boss : bosses) {
        out << "  " << orDash(boss) << '\n';
        dkp::Loots loots;
        raid.getBossLoot(boss, loots);
        writeLoot(out, loots);
    }
}

} // namespace

std::string raidLine(std::size_t index, const dkp::Raid& raid) {
    std::ostringstream out;
    out << index << '\t' << utf8(raid.getRaidName()) << "\tmembers " << raid.getMemberCount()
        << "\tkills " << raid.getBossKillCount() << "\tloots " << raid.getLootCount() << "\tearned "
        << raid.getTotalObtain() << "\tspent " << raid.getTotalConsume();
    return out.str();
}

void writeRaidSummary(std::ostream& out, std::size_t index, const dkp::Raid& raid) {
    const dkp::RaidLog& log = raid.getRaidLog();
    out << "Raid " << index << ": " << utf8(raid.getRaidName()) << '\n'
        << "Realm: " << orDash(log.getRealm()) << '\n'
        << "Zone:  " << orDash(log.getZone()) << '\n'
        << "Note:  " << orDash(log.getNote()) << '\n'
        << "Start: " << timeText(log.getRaidStartTime()) << '\n'
        << "End:   " << timeText(log.getRaidEndTime()) << "\n\n";
    writeMembers(out, raid);
    out << '\n';
    writeBossKills(out, raid);
    dkp::Loots trash;
    raid.getMobsLoot(trash);
    out << "\nTrash-mob loot (" << trash.size() << "):\n";
    writeLoot(out, trash);
    writeLootWithoutKill(out, raid);
    out << "\nDKP earned " << raid.getTotalObtain() << ", spent " << raid.getTotalConsume() << '\n';
}

} // namespace raidsift
