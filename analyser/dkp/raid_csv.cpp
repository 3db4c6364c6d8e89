#include "dkp/raid_csv.h"

#include "dkp/attendance.h"
#include "dkp/csv_writer.h"
#include "dkp/log_time.h"
#include "dkp/value_tables.h"
#include "utilkit/ustring.h"

// Each row starts with the raid's name, so that the tables of several raids stay one table.
namespace dkp {
namespace {

constexpr const char* kTrashWord = "trash";

std::string utf8(const std::u16string& text) {
    return ustring::toUtf8(text);
}

std::string timeText(std::int64_t time) {
    return isKnownTime(time) ? utf8(formatFullDate(time)) : std::string();
}

} // namespace

std::string attendanceCsv(const std::vector<const Raid*>& raids) {
    CsvWriter csv;
    csv.row({"raid", "member", "class", "minutes present", "percent of raid", "kills attended",
             "kills in raid", "percent of kills", "points earned"});
    for (const Raid* raid : raids) {
        const std::string raidName = utf8(raid->getRaidName());
        for (const MemberAttendance& row : computeAttendance(*raid))
            csv.row({raidName, utf8(row.name), utf8(classToText(row.memberClass)),
                     row.secondsPresent / 60, CsvCell::oneDecimal(row.percentOfRaid),
                     row.killsAttended, row.killsInRaid, CsvCell::oneDecimal(row.percentOfKills),
                     row.pointsEarned});
    }
    return csv.text();
}

std::string lootCsv(const std::vector<const Raid*>& raids) {
    CsvWriter csv;
    csv.row(
        {"raid", "time", "member", "item", "item id", "count", "cost", "boss or trash", "zone"});
    for (const Raid* raid : raids) {
        const std::string raidName = utf8(raid->getRaidName());
        for (const Loot& loot : raid->getLoots())
            csv.row({raidName, timeText(loot.time), utf8(loot.player), utf8(loot.name),
                     utf8(loot.id), loot.count, loot.costs,
                     loot.boss == kTrashMobBoss ? kTrashWord : utf8(loot.boss),
                     utf8(loot.zone.empty() ? raid->getRaidLog().getZone() : loot.zone)});
    }
    return csv.text();
}

} // namespace dkp
