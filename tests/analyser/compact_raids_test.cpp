// The raids analysed from the compact tree (loadRaidsFromBytes without a clipper) against the
// raids analysed from the public tree of the fast clipper and of the literal reference: on the
// sample log, on generated logs of a few megabytes, and on raid tables in odd shapes. The
// compact tree's raids read their lists when first asked; the sizes and totals they knew
// before must agree with the lists.
#include "dkp/load_raids.h"
#include "dkp/raids.h"
#include "grammar/wowluaclipper.h"
#include "raid_dump.h"
#include "testsupport/files.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string compactRaids(const std::string& bytes) {
    dkp::Raids raids;
    dkp::loadRaidsFromBytes(std::string(bytes), raids);
    std::string dump = raid_dump::of(raids);
    EXPECT_EQ(dump.find("figures=differ"), std::string::npos) << dump;
    return dump;
}

std::string publicRaids(const std::string& bytes, grammar::WOWLUAClipper&& clipper) {
    clipper.loadUtf8String(bytes);
    dkp::Raids raids;
    raids.loadFromDocument(clipper.getDocument());
    return raid_dump::of(raids);
}

std::string fastRaids(const std::string& bytes) {
    return publicRaids(bytes, grammar::WOWLUAClipper());
}

std::string referenceRaids(const std::string& bytes) {
    return publicRaids(bytes, grammar::ReferenceWOWLUAClipper());
}

std::size_t raidCount(const std::string& dump) {
    std::size_t count = 0;
    for (std::size_t at = dump.find("raid="); at != std::string::npos;
         at = dump.find("\nraid=", at + 1))
        ++count;
    return count;
}

// A raid log in the game's layout: `raids` raids of `players` players with stays, kills and
// loot, names partly Chinese, the line ends given.
std::string generatedLog(int raids, int players, const std::string& lineEnd) {
    std::string log = "CT_RaidTracker_Options = {" + lineEnd + "\t[\"MinQuality\"] = 4," + lineEnd +
                      "}" + lineEnd + "CT_RaidTracker_RaidLog = {" + lineEnd;
    auto line = [&](int tabs, const std::string& text) {
        log += std::string(static_cast<std::size_t>(tabs), '\t') + text + lineEnd;
    };
    auto player = [](int i) { return (i % 3 == 0 ? "暗影" : "Player") + std::to_string(i); };
    for (int raid = 0; raid < raids; ++raid) {
        const std::string day = std::to_string(10 + raid % 18);
        line(1, "{");
        line(2, "[\"Join\"] = {");
        for (int i = 0; i < players; ++i) {
            line(3, "{");
            line(4, "[\"player\"] = \"" + player(i) + "\",");
            line(4, "[\"time\"] = \"01/" + day + "/08 20:0" + std::to_string(i % 10) + ":00\",");
            line(3, "}, -- [" + std::to_string(i + 1) + "]");
        }
        line(2, "},");
        line(2, "[\"key\"] = \"01/" + day + "/08 20:00:00\",");
        line(2, "[\"PlayerInfos\"] = {");
        for (int i = 0; i < players; ++i) {
            line(3, "[\"" + player(i) + "\"] = {");
            line(4, "[\"class\"] = \"PRIEST\", [\"race\"] = \"Human\", [\"sex\"] = 3,");
            line(4, "[\"level\"] = " + std::to_string(60 + i % 11) + ", [\"guild\"] = \"永恒\",");
            line(3, "},");
        }
        line(2, "},");
        line(2, "[\"zone\"] = \"纳克萨玛斯\", -- the raid's zone");
        line(2, "[\"BossKills\"] = {");
        line(3, "{");
        line(4, "[\"boss\"] = \"Patchwerk\", [\"dkp\"] = " + std::to_string(raid % 7) + ",");
        line(4, "[\"time\"] = \"01/" + day + "/08 21:30:00\",");
        line(4, "[\"attendees\"] = {");
        for (int i = 0; i < players; i += 2)
            line(5, "\"" + player(i) + "\", -- [" + std::to_string(i + 1) + "]");
        line(4, "},");
        line(3, "}, -- [1]");
        line(2, "},");
        line(2, "[\"Loot\"] = {");
        for (int i = 0; i < 4; ++i) {
            line(3, "{");
            line(4, "[\"player\"] = \"" + player(i) + "\",");
            line(4, "[\"item\"] = {");
            line(5, "[\"c\"] = \"ffa335ee\", [\"id\"] = \"1" + std::to_string(i) + ":0:0:0\",");
            line(5, "[\"tooltip\"] = \"Blade\\nBinds when picked up\\n+" + std::to_string(i) +
                        " Stamina\",");
            line(5, "[\"name\"] = \"Blade\", [\"count\"] = 1, [\"icon\"] = \"Interface\\\\x\",");
            line(4, "},");
            line(4, "[\"costs\"] = " + std::to_string(10 * i) + ", [\"boss\"] = \"小怪掉落\",");
            line(4, "[\"time\"] = \"01/" + day + "/08 22:00:00\",");
            line(3, "}, -- [" + std::to_string(i + 1) + "]");
        }
        line(2, "},");
        line(2, "[\"Leave\"] = {");
        for (int i = 0; i < players; i += 3) {
            line(3, "{ [\"player\"] = \"" + player(i) + "\", [\"time\"] = \"01/" + day +
                        "/08 23:00:00\", },");
        }
        line(2, "},");
        line(1, "}, -- [" + std::to_string(raid + 1) + "]");
    }
    line(0, "}");
    return log;
}

} // namespace

TEST(CompactRaids, SampleLogGivesTheRaidsOfBothPublicTrees) {
    const std::string sample = testsupport::readFile(RL_SOURCE_DIR "/tests/data/TALLYRA.lua");
    const std::string compact = compactRaids(sample);
    EXPECT_EQ(raidCount(compact), 4u);
    EXPECT_EQ(compact, fastRaids(sample));
    EXPECT_EQ(compact, referenceRaids(sample));
}

TEST(CompactRaids, GeneratedLogsGiveTheRaidsOfThePublicTree) {
    // Small enough for the literal reference, then a few megabytes.
    const std::string small = generatedLog(3, 6, "\n");
    EXPECT_EQ(compactRaids(small), referenceRaids(small));
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        const std::string log = generatedLog(600, 25, lineEnd);
        ASSERT_GT(log.size(), 3u * 1024 * 1024);
        const std::string compact = compactRaids(log);
        EXPECT_EQ(raidCount(compact), 600u);
        EXPECT_EQ(compact, fastRaids(log));
    }
}

TEST(CompactRaids, OddTablesGiveTheRaidsOfTheReference) {
    const std::string header = "CT_RaidTracker_RaidLog = {\n";
    const std::vector<std::string> logs = {
        // Attributes after and between tables, keys on the line of a closing brace.
        header + "{ [\"zone\"] = \"A\", [\"Join\"] = { { [\"player\"] = \"x\", }, }, "
                 "[\"key\"] = \"01/02/08 20:00:00\", [\"note\"] = \"n\", },\n}\n",
        // A bare item cut inside a character beyond the 16-bit range, and one after it.
        header + "{\n[\"BossKills\"] = {\n{\n[\"attendees\"] = {\n\"𝄞\", \"a𝄞\", \"𝄞b𝄞\", "
                 "\"暗影\",\n},\n},\n},\n},\n}\n",
        // Leaves without an end time, a player who never joined, a repeated player.
        header + "{\n[\"Leave\"] = {\n{ [\"player\"] = \"y\", [\"time\"] = \"01/02/08 "
                 "21:00:00\", },\n},\n[\"Join\"] = {\n{ [\"player\"] = \"x\", [\"time\"] = "
                 "\"01/02/08 20:00:00\", },\n{ [\"player\"] = \"x\", },\n},\n},\n}\n",
        // Byte-order mark, Windows line ends, comments in values, ill-formed bytes.
        "\xEF\xBB\xBF" + header +
            "{\r\n[\"zone\"] = \"a--b\",\r\n[\"note\"] = \"\xFF\xC3\",\r\n"
            "[\"Loot\"] = {\r\n{ [\"item\"] = { [\"name\"] = \"I\", }, "
            "[\"costs\"] = 4, },\r\n},\r\n},\r\n}\r\n",
        // Members counted before they are read: a name listed twice, joins of listed and of
        // new names, one without a name, a leave of a name never listed; kills with and
        // without attendees, negative DKP, loot without costs.
        header + "{\n[\"PlayerInfos\"] = {\n[\"a\"] = {},\n[\"a\"] = {},\n[\"暗\"] = {},\n},\n"
                 "[\"Join\"] = {\n{ [\"player\"] = \"a\", },\n{ [\"player\"] = \"b\", },\n"
                 "{ [\"time\"] = \"01/02/08 20:00:00\", },\n{ [\"player\"] = \"b\", },\n},\n"
                 "[\"Leave\"] = {\n{ [\"player\"] = \"c\", },\n{ [\"player\"] = \"暗\", },\n},\n"
                 "[\"BossKills\"] = {\n{ [\"dkp\"] = 5, },\n{ [\"dkp\"] = -3, [\"attendees\"] = "
                 "{ \"a\", }, },\n{ [\"dkp\"] = 2, [\"attendees\"] = { \"a\", \"b\", }, },\n},\n"
                 "[\"Loot\"] = {\n{ [\"costs\"] = 7, [\"item\"] = { [\"count\"] = 3, }, },\n"
                 "{ [\"item\"] = { [\"count\"] = 2, }, },\n},\n},\n}\n",
        // Quotes and separators inside names, empty tables, an unbalanced last raid.
        header + "{\n[\"PlayerInfos\"] = {\n[\"a, \\\"b\\\"\"] = { [\"level\"] = 7, },\n"
                 "[\"\"] = {},\n},\n},\n{\n[\"zone\"] = \"open\",\n",
    };
    for (const std::string& log : logs) {
        SCOPED_TRACE(log);
        const std::string compact = compactRaids(log);
        EXPECT_EQ(compact, referenceRaids(log));
        EXPECT_EQ(compact, fastRaids(log));
    }
    EXPECT_EQ(compactRaids("Version = 3\n"), "");
}
