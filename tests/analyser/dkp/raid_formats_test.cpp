#include "crafted_raid.h"
#include "dkp/attendance.h"
#include "dkp/raid_formats.h"
#include "time_zone.h"
#include "utilkit/ustring.h"

#include "testsupport/child_process.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

using dkp::ExportFormat;
using tinyxml2::XMLElement;

namespace {

std::string utf8(const std::u16string& text) {
    return ustring::toUtf8(text);
}

std::string exportOf(const std::vector<const dkp::Raid*>& raids, ExportFormat format,
                     const dkp::ExportOptions& options = {}) {
    return dkp::exportRaids(raids, format, options);
}

// The text of the child element `name`; "(missing)" when there is none.
std::string textOf(const XMLElement* parent, const char* name) {
    const XMLElement* child = parent == nullptr ? nullptr : parent->FirstChildElement(name);
    if (child == nullptr)
        return "(missing)";
    return child->GetText() == nullptr ? "" : child->GetText();
}

std::vector<const XMLElement*> childrenOf(const XMLElement* parent, const char* name) {
    std::vector<const XMLElement*> children;
    for (const XMLElement* child = parent->FirstChildElement(name); child != nullptr;
         child = child->NextSiblingElement(name))
        children.push_back(child);
    return children;
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

class RaidLogXml {
public:
    explicit RaidLogXml(const std::string& text) {
        EXPECT_EQ(document_.Parse(text.c_str(), text.size()), tinyxml2::XML_SUCCESS)
            << document_.ErrorStr();
    }
    const XMLElement* root() const { return document_.RootElement(); }
    const XMLElement* data(const char* list) const {
        return root()->FirstChildElement("raiddata")->FirstChildElement(list);
    }

private:
    tinyxml2::XMLDocument document_;
};

// The XML of one raid against the raid itself: every member with every stay, every kill and
// every item, in order.
void expectXmlHoldsRaid(const dkp::Raid& raid) {
    const RaidLogXml xml(exportOf({&raid}, ExportFormat::EqdkpXml));
    ASSERT_NE(xml.root(), nullptr);
    const dkp::RaidPeriod period = dkp::raidPeriod(raid);
    const auto zones = childrenOf(xml.data("zones"), "zone");
    ASSERT_EQ(zones.size(), 1u);
    EXPECT_EQ(textOf(zones[0], "enter"), number(period.start));
    EXPECT_EQ(textOf(zones[0], "leave"), number(period.end));
    const std::string zone = utf8(raid.getRaidLog().getZone());
    EXPECT_EQ(textOf(zones[0], "name"), zone.empty() ? "未知区域" : zone);

    const auto& kills = raid.getBossKills().getBossKills();
    const auto bosskills = childrenOf(xml.data("bosskills"), "bosskill");
    ASSERT_EQ(bosskills.size(), kills.size());
    for (std::size_t i = 0; i < kills.size(); ++i) {
        EXPECT_EQ(textOf(bosskills[i], "name"), utf8(kills[i].name));
        EXPECT_EQ(textOf(bosskills[i], "time"), number(kills[i].time));
    }

    const auto& members = raid.getMembers();
    const auto memberElements = childrenOf(xml.data("members"), "member");
    ASSERT_EQ(memberElements.size(), members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(textOf(memberElements[i], "name"), utf8(members[i].name));
        EXPECT_EQ(textOf(memberElements[i], "guild"), utf8(members[i].guild));
        const auto times = childrenOf(memberElements[i]->FirstChildElement("times"), "time");
        const auto present = dkp::timePresent(members[i], period);
        ASSERT_EQ(times.size(), 2 * present.size());
        for (std::size_t s = 0; s < present.size(); ++s) {
            EXPECT_STREQ(times[2 * s]->Attribute("type"), "join");
            EXPECT_STREQ(times[2 * s + 1]->Attribute("type"), "leave");
            EXPECT_EQ(times[2 * s]->GetText(), number(present[s].joinTime));
            EXPECT_EQ(times[2 * s + 1]->GetText(), number(present[s].leaveTime));
        }
    }

    const auto& loots = raid.getLoots();
    const auto items = childrenOf(xml.data("items"), "item");
    ASSERT_EQ(items.size(), loots.size());
    for (std::size_t i = 0; i < loots.size(); ++i) {
        EXPECT_EQ(textOf(items[i], "name"), utf8(loots[i].name));
        EXPECT_EQ(textOf(items[i], "time"), number(loots[i].time));
        EXPECT_EQ(textOf(items[i], "member"), utf8(loots[i].player));
        EXPECT_EQ(textOf(items[i], "itemid"), utf8(loots[i].id));
        EXPECT_EQ(textOf(items[i], "cost"), number(loots[i].costs));
        EXPECT_EQ(textOf(items[i], "boss"), utf8(loots[i].boss));
        EXPECT_EQ(textOf(items[i], "count"), number(loots[i].count));
    }
}

struct ZoneTimes {
    const char* zone;
    std::int64_t raidOneStart;     // 01/25/08 20:03:13
    std::int64_t raidOneEnd;       // 01/25/08 23:10:00
    std::int64_t illidanKill;      // 02/09/08 00:20:00
    std::int64_t illidanWarglaive; // 02/09/08 00:21:00
};

} // namespace

// The Unix times are worked out for each zone independently of the analyser.
TEST(EqdkpXml, SampleRaidsReadBackWithTheirUnixTimesInTwoZones) {
    for (const ZoneTimes& zone :
         {ZoneTimes{"Asia/Shanghai", 1201262593, 1201273800, 1202487600, 1202487660},
          ZoneTimes{"America/New_York", 1201309393, 1201320600, 1202534400, 1202534460}}) {
        SCOPED_TRACE(zone.zone);
        ScopedTimeZone scoped(zone.zone);
        RaidShelf shelf;
        const auto sample = shelf.sample();
        for (const dkp::Raid* raid : sample)
            expectXmlHoldsRaid(*raid);

        const RaidLogXml first(exportOf({sample[0]}, ExportFormat::EqdkpXml));
        const XMLElement* zoneOne = first.data("zones")->FirstChildElement("zone");
        EXPECT_EQ(textOf(zoneOne, "enter"), number(zone.raidOneStart));
        EXPECT_EQ(textOf(zoneOne, "leave"), number(zone.raidOneEnd));
        const auto aldric = childrenOf(first.data("members"), "member")[2];
        EXPECT_EQ(textOf(aldric, "name"), "Aldric");
        EXPECT_EQ(textOf(aldric, "class"), "MAGE");
        EXPECT_EQ(textOf(aldric, "race"), "Gnome");
        const RaidLogXml fourth(exportOf({sample[3]}, ExportFormat::EqdkpXml));
        EXPECT_EQ(textOf(childrenOf(fourth.data("bosskills"), "bosskill")[2], "time"),
                  number(zone.illidanKill));
        const auto warglaive = childrenOf(fourth.data("items"), "item")[3];
        EXPECT_EQ(textOf(warglaive, "name"), "Warglaive of Azzinoth");
        EXPECT_EQ(textOf(warglaive, "time"), number(zone.illidanWarglaive));
    }
}

TEST(EqdkpXml, HeadNamesProgramTrackerGameAndRecorder) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    dkp::ExportOptions options;
    options.programVersion = "1.2.3";
    const RaidLogXml xml(exportOf({sample[0]}, ExportFormat::EqdkpXml, options));
    const XMLElement* head = xml.root()->FirstChildElement("head");
    EXPECT_STREQ(xml.root()->Name(), "raidlog");
    EXPECT_EQ(textOf(head->FirstChildElement("export"), "name"), "Raidledger");
    EXPECT_EQ(textOf(head->FirstChildElement("export"), "version"), "1.2.3");
    EXPECT_EQ(textOf(head->FirstChildElement("tracker"), "name"), "TALLYRA");
    const XMLElement* game = head->FirstChildElement("gameinfo");
    EXPECT_EQ(textOf(game, "game"), "World of Warcraft");
    EXPECT_EQ(textOf(game, "language"), "zhCN");
    // the first to join, at the raid's start
    EXPECT_EQ(textOf(game, "charactername"), "暗影之刃");

    options.language = "zhTW";
    options.characterName = u"Aldric";
    const RaidLogXml told(exportOf({sample[0]}, ExportFormat::EqdkpXml, options));
    const XMLElement* toldGame =
        told.root()->FirstChildElement("head")->FirstChildElement("gameinfo");
    EXPECT_EQ(textOf(toldGame, "language"), "zhTW");
    EXPECT_EQ(textOf(toldGame, "charactername"), "Aldric");
}

TEST(EqdkpXml, TraditionalNamesMakeTheLanguageZhTw) {
    CraftedRaid crafted;
    crafted.zone = u"納克薩瑪斯";
    crafted.kills = {{u"黑女巫法琳娜", u"03/01/08 21:00:00", u"10", {}}};
    RaidShelf shelf;
    const RaidLogXml xml(exportOf({&shelf.add(crafted)}, ExportFormat::EqdkpXml));
    EXPECT_EQ(
        textOf(xml.root()->FirstChildElement("head")->FirstChildElement("gameinfo"), "language"),
        "zhTW");
}

// Markup characters survive; control characters XML cannot carry come back as U+FFFD.
TEST(EqdkpXml, HostileNamesSurviveTheRoundTrip) {
    const std::u16string hostile = u"<a href=\"x\">&amp; 'q' ]]> \u0001\u001f\r\n\tend";
    const std::string expected = "<a href=\"x\">&amp; 'q' ]]> \xEF\xBF\xBD\xEF\xBF\xBD\r\n\tend";
    CraftedRaid crafted;
    crafted.zone = hostile;
    crafted.players = {hostile};
    crafted.joins = {{hostile, u"03/01/08 20:00:00"}};
    crafted.kills = {{hostile, u"03/01/08 21:00:00", u"10", {hostile}}};
    crafted.loot = {{hostile, hostile, u"03/01/08 21:01:00", u"5", hostile, hostile}};
    RaidShelf shelf;
    const RaidLogXml xml(exportOf({&shelf.add(crafted)}, ExportFormat::EqdkpXml));
    ASSERT_NE(xml.root(), nullptr);
    EXPECT_EQ(textOf(xml.data("zones")->FirstChildElement("zone"), "name"), expected);
    EXPECT_EQ(textOf(xml.data("bosskills")->FirstChildElement("bosskill"), "name"), expected);
    const XMLElement* member = xml.data("members")->FirstChildElement("member");
    EXPECT_EQ(textOf(member, "name"), expected);
    EXPECT_EQ(textOf(member->FirstChildElement("times"), "time"),
              textOf(xml.data("zones")->FirstChildElement("zone"), "enter"));
    const XMLElement* item = xml.data("items")->FirstChildElement("item");
    for (const char* field : {"name", "member", "itemid", "boss", "zone"})
        EXPECT_EQ(textOf(item, field), expected) << field;
}

// What is written where the log knows nothing: empty times, no stays, and names an importer
// accepts for a raid without a zone and loot without an item name.
TEST(EqdkpXml, MissingTimesAndStaysAreLeftEmptyMissingNamesSaySo) {
    CraftedRaid crafted;
    crafted.zone.clear();
    crafted.players = {u"Lurker"};
    crafted.joins = {{u"Open", u"03/01/08 22:00:00"}};
    crafted.kills = {{u"Boss", u"", u"10", {u"Lurker"}}};
    crafted.loot = {{u"Open", u"Ring", u"", u"5", u"Boss", u"7"},
                    {u"Open", u"", u"03/01/08 22:10:00", u"5", u"Boss", u"32837:0:0:0"},
                    {u"Open", u" ", u"03/01/08 22:11:00", u"5", u"Boss", u""}};
    RaidShelf shelf;
    const dkp::Raid& raid = shelf.add(crafted);
    const RaidLogXml xml(exportOf({&raid}, ExportFormat::EqdkpXml));
    EXPECT_EQ(textOf(xml.data("zones")->FirstChildElement("zone"), "name"), "未知区域");
    EXPECT_EQ(textOf(xml.data("bosskills")->FirstChildElement("bosskill"), "time"), "");
    const auto items = childrenOf(xml.data("items"), "item");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(textOf(items[0], "time"), "");
    EXPECT_EQ(textOf(items[0], "zone"), "未知区域");
    EXPECT_EQ(textOf(items[1], "name"), "未知物品 32837");
    EXPECT_EQ(textOf(items[1], "itemid"), "32837:0:0:0");
    EXPECT_EQ(textOf(items[2], "name"), "未知物品");
    const auto members = childrenOf(xml.data("members"), "member");
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0]->FirstChildElement("times")->FirstChildElement(), nullptr);
    // the open stay leaves at the raid's end
    const auto times = childrenOf(members[1]->FirstChildElement("times"), "time");
    ASSERT_EQ(times.size(), 2u);
    EXPECT_EQ(times[1]->GetText(), number(raid.getRaidLog().getRaidEndTime()));
}

TEST(EqdkpXml, AllRaidsMakeOneLogWithAZonePerRaidAndEachMemberOnce) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    const RaidLogXml xml(exportOf(sample, ExportFormat::EqdkpXml));
    EXPECT_EQ(childrenOf(xml.data("zones"), "zone").size(), 4u);
    EXPECT_EQ(childrenOf(xml.data("bosskills"), "bosskill").size(), 10u);
    EXPECT_EQ(childrenOf(xml.data("items"), "item").size(), 17u);
    int aldrics = 0;
    for (const XMLElement* member : childrenOf(xml.data("members"), "member"))
        if (textOf(member, "name") == "Aldric") {
            ++aldrics;
            // one stay in each of raids 1, 2 and 4
            EXPECT_EQ(childrenOf(member->FirstChildElement("times"), "time").size(), 6u);
        }
    EXPECT_EQ(aldrics, 1);
}

namespace {

// The rows as Python's csv module reads the file.
nlohmann::json readWithPython(const std::string& bytes) {
    const testsupport::TemporaryFolder folder("raid-formats");
    folder.write("export.csv", bytes);
    const testsupport::ProgramRun python =
        testsupport::runProgram({"/usr/bin/python3", "-c",
                                 "import csv,json,sys\n"
                                 "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))",
                                 folder.path("export.csv").string()});
    return nlohmann::json::parse(python.out, nullptr, false);
}

} // namespace

TEST(CsvExport, QuotesCommasAndLineBreaksReadBackWithPython) {
    const std::u16string awkward = u"Say \"hi\", then\r\nleave";
    CraftedRaid crafted;
    crafted.players = {awkward};
    crafted.joins = {{awkward, u"03/01/08 20:00:00"}};
    crafted.leaves = {{awkward, u"03/01/08 21:30:00"}};
    crafted.kills = {{u"Boss", u"03/01/08 21:00:00", u"10", {awkward}},
                     {u"Other", u"03/01/08 22:00:00", u"5", {u"Someone"}}};
    crafted.loot = {{awkward, u"Blade, \"sharp\"", u"03/01/08 21:01:00", u"40", u"Boss", u"9"},
                    {awkward, u"Rune", u"03/01/08 21:10:00", u"2", u"小怪掉落", u"10"}};
    RaidShelf shelf;
    const dkp::Raid& raid = shelf.add(crafted);
    const std::string name = utf8(raid.getRaidName());

    const std::string attendance = exportOf({&raid}, ExportFormat::CsvAttendance);
    EXPECT_EQ(attendance.rfind("\xEF\xBB\xBFraid,member,", 0), 0u);
    EXPECT_NE(attendance.find("\r\n"), std::string::npos);
    EXPECT_EQ(readWithPython(attendance),
              nlohmann::json::parse(R"([["raid","member","class","minutes present",
                  "percent of raid","kills attended","kills in raid","percent of kills",
                  "points earned"],[")" +
                                    name + R"(","Say \"hi\", then\r\nleave","Warrior","90","50.0",
                  "1","2","50.0","10"]])"));

    EXPECT_EQ(readWithPython(exportOf({&raid}, ExportFormat::CsvLoot)),
              nlohmann::json::parse(R"([["raid","time","member","item","item id","count","cost",
                  "boss or trash","zone"],[")" +
                                    name + R"(","2008-03-01 21:01:00",
                  "Say \"hi\", then\r\nleave","Blade, \"sharp\"","9","1","40","Boss",
                  "Sample Keep"],[")" +
                                    name +
                                    R"(","2008-03-01 21:10:00","Say \"hi\", then\r\nleave","Rune",
                  "10","1","2","trash","Sample Keep"]])"));
}

TEST(CsvExport, AllRaidsMakeOneTableWithTheRaidInEachRow) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    const nlohmann::json rows = readWithPython(exportOf(sample, ExportFormat::CsvAttendance));
    ASSERT_TRUE(rows.is_array());
    EXPECT_EQ(rows.size(), 1u + 7 + 5 + 1 + 11);
    EXPECT_EQ(rows[13],
              nlohmann::json::parse(R"(["08/02/03 21:00:00","月影","Priest","45","100.0","0",
        "0","0.0","0"])"));
    EXPECT_EQ(readWithPython(exportOf(sample, ExportFormat::CsvLoot)).size(), 1u + 17);
}

namespace {

enum class Cell { Text, Number, Formula };

// How a spreadsheet takes a cell of a file it opens: a leading "'" makes it text; what reads
// whole as a decimal number is a number; what starts, after blanks, tabs or line breaks, with
// "=", "+", "-" or "@", or their full-width forms, is run as a formula; the rest is text.
Cell spreadsheetReads(const std::string& cell) {
    if (cell.starts_with('\''))
        return Cell::Text;
    std::size_t parsed = 0;
    try {
        (void)std::stod(cell, &parsed);
    } catch (const std::logic_error&) {
        parsed = 0;
    }
    if (parsed == cell.size() && cell.find_first_not_of("+-.0123456789") == std::string::npos)
        return Cell::Number;
    const std::string start = cell.substr(std::min(cell.find_first_not_of(" \t\r\n"), cell.size()));
    for (const char* formula : {"=", "+", "-", "@", "＝", "＋", "－", "＠"})
        if (start.starts_with(formula))
            return Cell::Formula;
    return Cell::Text;
}

} // namespace

// Player-chosen texts that a spreadsheet would run reach it as text, shown after a "'"; the
// other texts are unchanged and the numbers, a negative cost too, stay numbers.
TEST(CsvExport, HostileTextsOpenAsTextAndNumbersAsNumbers) {
    const std::vector<std::string> hostile = {"=HYPERLINK(\"http://x\",\"y\")",
                                              "+1+cmd|' /C calc'!A0",
                                              "-2+3",
                                              "@SUM(A1)",
                                              "\t=1",
                                              "\r\n=1",
                                              "  =1",
                                              "＝1+1",
                                              "-5",
                                              "+5"};
    const std::vector<std::string> harmless = {"a=b", "Rune-2", "'quoted", "5"};
    RaidShelf shelf;
    std::vector<const dkp::Raid*> raids;
    for (const auto* texts : {&hostile, &harmless})
        for (const std::string& text : *texts) {
            const std::u16string wide = ustring::fromUtf8(text);
            const std::u16string player = u"P" + wide;
            CraftedRaid crafted;
            crafted.zone = wide;
            crafted.players = {wide, player};
            crafted.joins = {{wide, u"03/01/08 20:00:00"}, {player, u"03/01/08 20:00:00"}};
            crafted.kills = {{u"Boss", u"03/01/08 21:00:00", u"10", {}}};
            crafted.loot = {{wide, wide, u"03/01/08 21:01:00", u"-40", wide, wide},
                            {player, u"Ring", u"03/01/08 21:02:00", u"15", u"Boss", u"7"}};
            raids.push_back(&shelf.add(crafted));
        }
    const nlohmann::json loot = readWithPython(exportOf(raids, ExportFormat::CsvLoot));
    const nlohmann::json attendance = readWithPython(exportOf(raids, ExportFormat::CsvAttendance));
    ASSERT_EQ(loot.size(), 1 + 2 * raids.size());
    ASSERT_EQ(attendance.size(), 1 + 2 * raids.size());

    const auto expectTextCell = [](const nlohmann::json& cell, const std::string& text,
                                   bool guarded) {
        const std::string written = cell.get<std::string>();
        EXPECT_EQ(written, guarded ? "'" + text : text);
        EXPECT_NE(spreadsheetReads(written), Cell::Formula) << written;
    };
    const auto expectNumber = [](const nlohmann::json& cell, const std::string& value) {
        EXPECT_EQ(cell.get<std::string>(), value);
        EXPECT_EQ(spreadsheetReads(value), Cell::Number);
    };
    for (std::size_t r = 0; r < raids.size(); ++r) {
        const bool guarded = r < hostile.size();
        const std::string& text = guarded ? hostile[r] : harmless[r - hostile.size()];
        SCOPED_TRACE(text);
        const nlohmann::json& item = loot[1 + 2 * r];
        for (const int column : {2, 3, 4, 7, 8}) // member, item, item id, boss, zone
            expectTextCell(item[column], text, guarded);
        expectNumber(item[5], "1");
        expectNumber(item[6], "-40");
        expectNumber(loot[2 + 2 * r][6], "15");
        expectTextCell(attendance[1 + 2 * r][1], text, guarded);
        for (const int column : {3, 4, 5, 6, 7, 8})
            EXPECT_EQ(spreadsheetReads(attendance[1 + 2 * r][column].get<std::string>()),
                      Cell::Number)
                << column;
    }
}

TEST(RaidFormats, UploadIsTheUploadDocumentAndJsonAddsAttendance) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    const nlohmann::json list = nlohmann::json::parse(dkp::raidListJson(sample));
    for (std::size_t i = 0; i < sample.size(); ++i) {
        EXPECT_EQ(exportOf({sample[i]}, ExportFormat::Upload), utf8(sample[i]->exportDocument()));
        nlohmann::json single = nlohmann::json::parse(exportOf({sample[i]}, ExportFormat::Json));
        ASSERT_TRUE(single.contains("attendance"));
        EXPECT_EQ(single["attendance"].size(), sample[i]->getMembers().size());
        single.erase("attendance");
        EXPECT_EQ(single, list[i]);
    }
    const nlohmann::json first = nlohmann::json::parse(exportOf({sample[0]}, ExportFormat::Json));
    const nlohmann::json& brannoc = first["attendance"][4];
    EXPECT_EQ(brannoc["name"], "Brannoc");
    EXPECT_EQ(brannoc["class"], 3);
    EXPECT_EQ(brannoc["secondsPresent"], 9000);
    EXPECT_NEAR(brannoc["percentOfRaid"].get<double>(), 80.31, 0.01);
    EXPECT_EQ(brannoc["killsAttended"], 2);
    EXPECT_EQ(brannoc["killsInRaid"], 3);
    EXPECT_NEAR(brannoc["percentOfKills"].get<double>(), 66.67, 0.01);
    EXPECT_EQ(brannoc["pointsEarned"], 30);
}

TEST(RaidFormats, NamesSuffixesAndTheNumberOfRaids) {
    for (const ExportFormat format :
         {ExportFormat::Upload, ExportFormat::EqdkpXml, ExportFormat::CsvAttendance,
          ExportFormat::CsvLoot, ExportFormat::Json}) {
        ExportFormat parsed = ExportFormat::Upload;
        EXPECT_TRUE(dkp::parseExportFormat(dkp::exportFormatName(format), parsed));
        EXPECT_EQ(parsed, format);
    }
    ExportFormat parsed = ExportFormat::Json;
    EXPECT_FALSE(dkp::parseExportFormat("xml", parsed));
    EXPECT_EQ(parsed, ExportFormat::Json);
    EXPECT_STREQ(dkp::exportFileSuffix(ExportFormat::EqdkpXml), ".xml");
    EXPECT_STREQ(dkp::exportFileSuffix(ExportFormat::CsvLoot), ".csv");

    RaidShelf shelf;
    const auto sample = shelf.sample();
    EXPECT_THROW(exportOf(sample, ExportFormat::Upload), std::invalid_argument);
    EXPECT_THROW(exportOf({}, ExportFormat::Json), std::invalid_argument);
    EXPECT_NO_THROW(exportOf({}, ExportFormat::CsvLoot));
}
