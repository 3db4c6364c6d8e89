#include "dkp/load_raids.h"
#include "dkp/saved_file.h"
#include "grammar/wowluaclipper.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <thread>

using dkp::Raids;

TEST(LoadRaids, SampleFileGivesItsRaidsWithChineseNamesIntact) {
    ScopedTimeZone zone("Asia/Shanghai");
    if (!zone.active())
        GTEST_SKIP() << "the run in Asia/Shanghai covers this";
    grammar::WOWLUAClipper clipper;
    Raids raids;
    ASSERT_TRUE(dkp::loadRaidsFromFile(RL_SOURCE_DIR u"/tests/data/TALLYRA.lua", clipper, raids));
    const auto list = raids.getRaids();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]->getRaidName(), u"08/01/25 20:03:13(纳克萨玛斯)");
    EXPECT_EQ(list[0]->getMembers().front().name, u"暗影之刃");
    grammar::Node raidLog;
    EXPECT_TRUE(clipper.getDocument().getNode(u"CT_RaidTracker_RaidLog", raidLog));
}

TEST(LoadRaids, MissingFileIsReportedAndLeavesTheListAlone) {
    grammar::WOWLUAClipper clipper;
    Raids raids;
    dkp::loadRaidsFromBytes(
        "CT_RaidTracker_RaidLog = {\n\t{\n\t\t[\"zone\"] = \"Hall\",\n\t},\n}\n", clipper, raids);
    ASSERT_EQ(raids.getRaids().size(), 1u);
    EXPECT_FALSE(dkp::loadRaidsFromFile(u"/nonexistent/TALLYRA.lua", clipper, raids));
    EXPECT_EQ(raids.getRaids().size(), 1u);
    EXPECT_TRUE(clipper.getDocument().getNodes().empty());
}

TEST(LoadRaids, ByteOrderMarkDoesNotHideTheRaidLog) {
    grammar::WOWLUAClipper clipper;
    Raids raids;
    dkp::loadRaidsFromBytes("\xEF\xBB\xBF"
                            "CT_RaidTracker_RaidLog = {\n\t{\n\t}, -- [1]\n}\n",
                            clipper, raids);
    EXPECT_EQ(raids.getRaids().size(), 1u);
}

TEST(LoadRaids, RaidsAloneMatchTheRaidsLoadedBesideTheTree) {
    ScopedTimeZone zone("Asia/Shanghai");
    const std::u16string sample = RL_SOURCE_DIR u"/tests/data/TALLYRA.lua";
    grammar::WOWLUAClipper clipper;
    Raids beside;
    ASSERT_TRUE(dkp::loadRaidsFromFile(sample, clipper, beside));
    Raids alone;
    ASSERT_TRUE(dkp::loadRaidsFromFile(sample, alone));
    const auto expected = beside.getRaids();
    const auto actual = alone.getRaids();
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i]->getRaidName(), expected[i]->getRaidName());
        EXPECT_EQ(actual[i]->exportDocument(), expected[i]->exportDocument());
    }

    EXPECT_FALSE(dkp::loadRaidsFromFile(u"/nonexistent/TALLYRA.lua", alone));
    EXPECT_EQ(alone.getRaids().size(), expected.size());
    dkp::loadRaidsFromBytes("CT_RaidTracker_RaidLog = {\n\t{\n\t}, -- [1]\n}\n", alone);
    EXPECT_EQ(alone.getRaids().size(), expected.size() + 1);
}

// Raids loaded alone read their loot's texts when first asked for: the figures a list shows
// come without them, the loot read later, from several threads at once, copied or not, is the
// loot read beside the tree, and its times are those of the zone in force at loading.
TEST(LoadRaids, LootReadLaterIsTheLootReadAtOnce) {
    const std::u16string sample = RL_SOURCE_DIR u"/tests/data/TALLYRA.lua";
    std::optional<ScopedTimeZone> zone;
    zone.emplace("Asia/Shanghai");
    grammar::WOWLUAClipper clipper;
    Raids beside;
    ASSERT_TRUE(dkp::loadRaidsFromFile(sample, clipper, beside));
    Raids alone;
    ASSERT_TRUE(dkp::loadRaidsFromFile(sample, alone));
    zone.emplace("America/New_York");

    const auto expected = beside.getRaids();
    const auto actual = alone.getRaids();
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i]->getLootCount(), expected[i]->getLoots().size());
        EXPECT_EQ(actual[i]->getTotalConsume(), expected[i]->getTotalConsume());
    }
    EXPECT_GT(actual[0]->getLootCount(), 0u);
    EXPECT_GT(actual[0]->getTotalConsume(), 0u);

    const dkp::RaidLog copy = actual[1]->getRaidLog();
    std::vector<const dkp::Loots*> read(actual.size());
    std::vector<std::thread> readers;
    for (std::size_t i = 0; i < actual.size(); ++i)
        readers.emplace_back([&, i] { read[i] = &actual[i]->getLoots(); });
    for (std::thread& reader : readers)
        reader.join();
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(read[i], &actual[i]->getLoots());
        const dkp::Loots& loots = expected[i]->getLoots();
        ASSERT_EQ(read[i]->size(), loots.size());
        for (std::size_t k = 0; k < loots.size(); ++k) {
            EXPECT_EQ((*read[i])[k].time, loots[k].time);
            EXPECT_EQ((*read[i])[k].tooltip, loots[k].tooltip);
        }
        EXPECT_EQ(actual[i]->exportDocument(), expected[i]->exportDocument());
    }
    ASSERT_EQ(copy.getLoots().size(), expected[1]->getLoots().size());
    EXPECT_EQ(copy.getLoots().back().name, expected[1]->getLoots().back().name);
    EXPECT_EQ(copy.getLoots().back().time, expected[1]->getLoots().back().time);
}

// The sizes and totals a list of raids shows come before the lists are read, and are theirs.
TEST(LoadRaids, FiguresOfAListAreThoseOfTheLists) {
    Raids raids;
    // In the game's layout: one entry or attribute to a line.
    dkp::loadRaidsFromBytes("CT_RaidTracker_RaidLog = {\n"
                            "{\n"
                            "[\"PlayerInfos\"] = {\n"
                            "[\"a\"] = {\n},\n"
                            "[\"a\"] = {\n},\n"
                            "[\"暗\"] = {\n},\n"
                            "},\n"
                            "[\"Join\"] = {\n"
                            "{\n[\"player\"] = \"a\",\n},\n"
                            "{\n[\"player\"] = \"b\",\n},\n"
                            "{\n},\n"
                            "{\n[\"player\"] = \"b\",\n},\n"
                            "},\n"
                            "[\"Leave\"] = {\n"
                            "{\n[\"player\"] = \"c\",\n},\n"
                            "{\n[\"player\"] = \"暗\",\n},\n"
                            "},\n"
                            "[\"BossKills\"] = {\n"
                            "{\n[\"dkp\"] = 5,\n},\n"
                            "{\n[\"dkp\"] = -3,\n[\"attendees\"] = {\n\"a\",\n},\n},\n"
                            "{\n[\"dkp\"] = 2,\n[\"attendees\"] = {\n\"a\",\n\"b\",\n},\n},\n"
                            "},\n"
                            "[\"Loot\"] = {\n"
                            "{\n[\"costs\"] = 7,\n[\"item\"] = {\n[\"count\"] = 3,\n},\n},\n"
                            "{\n[\"item\"] = {\n[\"count\"] = 2,\n},\n},\n"
                            "},\n"
                            "},\n"
                            "}\n",
                            raids);
    ASSERT_EQ(raids.getRaids().size(), 1u);
    const dkp::Raid& raid = *raids.getRaids()[0];
    EXPECT_EQ(raid.getMemberCount(), 6u);
    EXPECT_EQ(raid.getBossKillCount(), 3u);
    EXPECT_EQ(raid.getLootCount(), 2u);
    EXPECT_EQ(raid.getTotalObtain(), 5u * 6 + 2 * 2);
    EXPECT_EQ(raid.getTotalConsume(), 7u * 3);

    std::vector<std::u16string> names;
    for (const dkp::Member& member : raid.getMembers())
        names.push_back(member.name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"a", u"a", u"暗", u"b", u"", u"c"}));
    EXPECT_EQ(raid.getBossKills().getBossKills().size(), 3u);
    EXPECT_EQ(raid.getLoots().size(), 2u);
}

// Files past the parser's limit are refused by their size before anything is read: the files
// here are sparse, so the test writes only their first line.
TEST(LoadRaids, AFileOverTheParsersLimitIsRefusedUnread) {
    const std::string path =
        ::testing::TempDir() + "too-large-" + std::to_string(std::random_device{}());
    const std::string text = "CT_RaidTracker_RaidLog = {\n\t{\n\t}, -- [1]\n}\n";
    std::ofstream(path, std::ios::binary) << text;
    const std::u16string widePath(path.begin(), path.end());
    std::string bytes = "left over";
    EXPECT_EQ(dkp::readSavedFile(widePath, bytes), dkp::SavedFileRead::Read);
    EXPECT_EQ(bytes, text);

    std::error_code grown;
    std::filesystem::resize_file(path, grammar::WOWLUAClipper::kMaxTextSize + 1, grown);
    ASSERT_FALSE(grown) << grown.message();
    EXPECT_EQ(dkp::readSavedFile(widePath, bytes), dkp::SavedFileRead::TooLarge);
    EXPECT_TRUE(bytes.empty());
    grammar::WOWLUAClipper clipper;
    Raids raids;
    EXPECT_FALSE(dkp::loadRaidsFromFile(widePath, clipper, raids));
    EXPECT_FALSE(dkp::loadRaidsFromFile(widePath, raids));
    EXPECT_TRUE(raids.getRaids().empty());

    EXPECT_EQ(dkp::readSavedFile(u"/nonexistent/TALLYRA.lua", bytes),
              dkp::SavedFileRead::Unreadable);
    std::remove(path.c_str());
}
