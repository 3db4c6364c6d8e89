// The raid-log XML read back as a guild site's importer reads it.
#include "crafted_raid.h"
#include "dkp/attendance.h"
#include "dkp/raid_formats.h"
#include "utilkit/ustring.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

using tinyxml2::XMLElement;

namespace {

struct Stay {
    std::int64_t join;
    std::int64_t leave;
};

std::int64_t timeOf(const XMLElement* element) {
    return element->GetText() == nullptr ? 0 : std::stoll(element->GetText());
}

// A member's <times> as the importer reads them, in document order: a join opens a stay and a
// leave closes it, but a join no later than the leave of the stay before continues that stay,
// whose leave is dropped.
std::vector<Stay> importedStays(const XMLElement* times) {
    std::vector<Stay> stays;
    bool open = false;
    for (const XMLElement* time = times->FirstChildElement("time"); time != nullptr;
         time = time->NextSiblingElement("time")) {
        const std::string type = time->Attribute("type");
        const std::int64_t at = timeOf(time);
        if (type == "join" && !open) {
            if (stays.empty() || at > stays.back().leave)
                stays.push_back({at, 0});
            open = true;
        } else if (type == "leave" && open) {
            stays.back().leave = at;
            open = false;
        }
    }
    return stays;
}

struct Zone {
    std::int64_t enter;
    std::int64_t leave;
};

// Seconds present per member and zone, as the importer books them: each stay counts for the
// zones it falls into.
std::map<std::pair<std::string, std::size_t>, std::int64_t>
importedSeconds(const std::string& text) {
    tinyxml2::XMLDocument document;
    EXPECT_EQ(document.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS);
    const XMLElement* data = document.RootElement()->FirstChildElement("raiddata");
    std::vector<Zone> zones;
    for (const XMLElement* zone = data->FirstChildElement("zones")->FirstChildElement("zone");
         zone != nullptr; zone = zone->NextSiblingElement("zone")) {
        EXPECT_STRNE(zone->FirstChildElement("name")->GetText(), nullptr);
        zones.push_back(
            {timeOf(zone->FirstChildElement("enter")), timeOf(zone->FirstChildElement("leave"))});
    }
    std::map<std::pair<std::string, std::size_t>, std::int64_t> seconds;
    for (const XMLElement* member = data->FirstChildElement("members")->FirstChildElement();
         member != nullptr; member = member->NextSiblingElement()) {
        const std::string name = member->FirstChildElement("name")->GetText();
        for (const Stay& stay : importedStays(member->FirstChildElement("times")))
            for (std::size_t z = 0; z < zones.size(); ++z) {
                const std::int64_t from = std::max(stay.join, zones[z].enter);
                const std::int64_t to = std::min(stay.leave, zones[z].leave);
                if (to > from)
                    seconds[{name, z}] += to - from;
            }
    }
    return seconds;
}

// Seconds of the raid's period a member is inside one of the stays, counted one by one.
std::int64_t secondsInsideAStay(const dkp::Member& member, const dkp::RaidPeriod& period) {
    std::int64_t count = 0;
    for (std::int64_t second = period.start; second < period.end; ++second)
        count += std::any_of(member.presence.begin(), member.presence.end(), [&](const auto& span) {
            const std::int64_t leave = span.leaveTime != 0 ? span.leaveTime : period.end;
            return span.joinTime != 0 && span.joinTime <= second && second < leave;
        });
    return count;
}

// Each member of each raid reads back with the seconds the raid's attendance figures give,
// and those are the seconds the member's stays cover.
void expectImportReadsTimePresent(const std::vector<const dkp::Raid*>& raids) {
    const auto imported = importedSeconds(dkp::exportRaids(raids, dkp::ExportFormat::EqdkpXml, {}));
    for (std::size_t z = 0; z < raids.size(); ++z) {
        const auto rows = dkp::computeAttendance(*raids[z]);
        const auto& members = raids[z]->getMembers();
        for (std::size_t m = 0; m < members.size(); ++m) {
            const std::string name = ustring::toUtf8(members[m].name);
            SCOPED_TRACE("raid " + std::to_string(z + 1) + ", " + name);
            const auto found = imported.find({name, z});
            const std::int64_t read = found == imported.end() ? 0 : found->second;
            EXPECT_EQ(read, rows[m].secondsPresent);
            EXPECT_EQ(read, secondsInsideAStay(members[m], dkp::raidPeriod(*raids[z])));
        }
    }
}

std::u16string logTime(int day, int secondOfDay) {
    char text[64];
    std::snprintf(text, sizeof text, "03/%02d/08 %02d:%02d:%02d", day, secondOfDay / 3600,
                  secondOfDay / 60 % 60, secondOfDay % 60);
    return ustring::fromUtf8(text);
}

// A raid of 20:00 to 23:00 on the given day whose members join and leave at random, also
// before the start and after the end, so that their stays overlap, nest and stay open.
CraftedRaid randomRaid(std::mt19937& random, int day) {
    const auto anyTime = [&] {
        return std::uniform_int_distribution<int>(19 * 3600 + 1800, 23 * 3600 + 1800)(random);
    };
    const auto upTo = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
    CraftedRaid raid;
    raid.start = logTime(day, 20 * 3600);
    raid.end = upTo(3) == 0 ? std::u16string() : logTime(day, 23 * 3600);
    for (int m = upTo(3); m >= 0; --m) {
        const std::u16string name = u"Member" + ustring::ToString(m);
        raid.players.push_back(name);
        for (int j = upTo(3); j >= 0; --j)
            raid.joins.push_back({name, logTime(day, anyTime())});
        for (int l = upTo(4); l > 0; --l)
            raid.leaves.push_back({name, logTime(day, anyTime())});
    }
    std::shuffle(raid.joins.begin(), raid.joins.end(), random);
    std::shuffle(raid.leaves.begin(), raid.leaves.end(), random);
    return raid;
}

} // namespace

TEST(EqdkpImport, SampleRaidsReadBackWithEachMembersTimePresent) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    expectImportReadsTimePresent(sample);
    for (const dkp::Raid* raid : sample)
        expectImportReadsTimePresent({raid});
}

// A stay of 20:00 to 23:30 with a reconnect at 20:10 that leaves at 22:00 inside it: written
// as they are, the importer would read 20:00 to 22:00.
TEST(EqdkpImport, NestedStayIsReadAsTheWholeStay) {
    CraftedRaid crafted;
    crafted.end = u"03/01/08 23:30:00";
    crafted.players = {u"Rejoiner"};
    crafted.joins = {{u"Rejoiner", u"03/01/08 20:00:00"}, {u"Rejoiner", u"03/01/08 20:10:00"}};
    crafted.leaves = {{u"Rejoiner", u"03/01/08 23:30:00"}, {u"Rejoiner", u"03/01/08 22:00:00"}};
    RaidShelf shelf;
    const dkp::Raid& raid = shelf.add(crafted);
    ASSERT_EQ(raid.getMembers()[0].presence.size(), 2u);
    const auto imported =
        importedSeconds(dkp::exportRaids({&raid}, dkp::ExportFormat::EqdkpXml, {}));
    EXPECT_EQ(imported.at({"Rejoiner", 0}), 3 * 3600 + 1800);
}

// Groups of three raids on consecutive days, exported alone and together.
TEST(EqdkpImport, GeneratedOverlappingNestedAndOpenStaysReadBackExactly) {
    std::mt19937 random(28);
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        RaidShelf shelf;
        std::vector<const dkp::Raid*> raids;
        for (int day = 1; day <= 3; ++day)
            raids.push_back(&shelf.add(randomRaid(random, day)));
        expectImportReadsTimePresent(raids);
        for (const dkp::Raid* raid : raids)
            expectImportReadsTimePresent({raid});
        if (HasFailure())
            return;
    }
}
