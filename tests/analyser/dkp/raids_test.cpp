#include "dkp/raids.h"
#include "time_zone.h"
#include "tree_builder.h"

#include <gtest/gtest.h>

using namespace treebuilder;
using dkp::Loots;
using dkp::Raid;
using dkp::Raids;

namespace {

grammar::Document documentWith(std::vector<grammar::Node> raids,
                               std::vector<grammar::Attrib> scalars = {}) {
    grammar::Document document;
    document.getNodes().push_back(table(u"Other", {}, {entry({{u"key", u"x"}})}));
    document.getNodes().push_back(
        table(u"CT_RaidTracker_RaidLog", std::move(scalars), std::move(raids)));
    return document;
}

grammar::Node lootEntry(const std::u16string& boss, const std::u16string& costs,
                        const std::u16string& count, const std::u16string& colour) {
    return entry({{u"boss", boss}, {u"costs", costs}},
                 {table(u"item", {{u"count", count}, {u"c", colour}, {u"name", boss + costs}})});
}

grammar::Node killEntry(const std::u16string& dkp, const std::vector<std::u16string>& names) {
    return entry({{u"boss", u"B"}, {u"dkp", dkp}}, {nameList(u"attendees", names)});
}

grammar::Node playerInfos(int count) {
    grammar::Node infos = table(u"PlayerInfos");
    for (int i = 0; i < count; ++i)
        infos.nodes.push_back(table(u"P" + std::u16string(1, char16_t(u'A' + i))));
    return infos;
}

std::vector<std::u16string> lootNames(const Loots& loots) {
    std::vector<std::u16string> names;
    for (const auto& loot : loots)
        names.push_back(loot.name);
    return names;
}

class RaidList : public ::testing::Test {
protected:
    void SetUp() override {
        if (!zone.active())
            GTEST_SKIP() << "runs in Asia/Shanghai";
    }

    ScopedTimeZone zone{"Asia/Shanghai"};
};

} // namespace

TEST_F(RaidList, EveryNestedTableIsARaidInTextOrder) {
    Raids raids;
    EXPECT_TRUE(raids.loadFromDocument(
        documentWith({entry({{u"zone", u"A"}}), table(u"[2]", {{u"zone", u"B"}})})));
    ASSERT_EQ(raids.getRaids().size(), 2u);
    EXPECT_EQ(raids.getRaids()[0]->getRaidLog().getZone(), u"A");
    EXPECT_EQ(raids.getRaids()[1]->getRaidLog().getZone(), u"B");

    const auto before = raids.getRaids();
    EXPECT_TRUE(raids.loadFromDocument(documentWith({entry({}), entry({})})));
    EXPECT_EQ(raids.getRaids().size(), 4u);
    EXPECT_EQ(raids.getRaids()[0], before[0]);
}

TEST_F(RaidList, RaidLogWithoutTablesOrMissing) {
    Raids raids;
    EXPECT_TRUE(raids.loadFromDocument(documentWith({}, {{u"version", u"3"}})));
    EXPECT_TRUE(raids.getRaids().empty());

    grammar::Document noLog;
    noLog.getNodes().push_back(table(u"CT_RaidTracker_RaidLogX", {}, {entry({})}));
    EXPECT_FALSE(raids.loadFromDocument(noLog));
    EXPECT_TRUE(raids.getRaids().empty());
}

TEST_F(RaidList, TakingTheDocumentGivesTheSameRaidsAndEmptiesIt) {
    grammar::Document document =
        documentWith({entry({{u"zone", u"A"}},
                            {table(u"Loot", {}, {lootEntry(u"Boss", u"7", u"2", u"ffa335ee")})}),
                      entry({{u"zone", u"B"}})});
    Raids read;
    ASSERT_TRUE(read.loadFromDocument(document));
    Raids taken;
    ASSERT_TRUE(taken.takeFromDocument(std::move(document)));
    EXPECT_TRUE(document.getNodes().empty());
    ASSERT_EQ(taken.getRaids().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(taken.getRaids()[i]->exportDocument(), read.getRaids()[i]->exportDocument());
    EXPECT_EQ(taken.getRaids()[0]->getTotalConsume(), 14u);

    grammar::Document noLog;
    noLog.getNodes().push_back(table(u"Other", {}, {entry({})}));
    EXPECT_FALSE(taken.takeFromDocument(std::move(noLog)));
    EXPECT_EQ(taken.getRaids().size(), 2u);
}

TEST_F(RaidList, RaidNameIsTheStartTimeAndTheZone) {
    Raids raids;
    raids.loadFromDocument(
        documentWith({entry({{u"key", u"06/01/07 20:00:00"}, {u"zone", u"Hall"}}),
                      entry({{u"key", u"06/01/07 20:00:00"}}), entry({{u"zone", u"Hall"}})}));
    const auto list = raids.getRaids();
    EXPECT_EQ(list[0]->getRaidName(), u"07/06/01 20:00:00(Hall)");
    EXPECT_EQ(list[1]->getRaidName(), u"07/06/01 20:00:00");
    // No start time: 0 is 1970 here, a negative two-digit year.
    EXPECT_EQ(list[2]->getRaidName(), u"-30/01/01 08:00:00(Hall)");
}

TEST_F(RaidList, LootFiltersAppendCopiesInLootOrder) {
    Raids raids;
    raids.loadFromDocument(documentWith({entry(
        {}, {table(u"Loot", {},
                   {lootEntry(u"Boss", u"1", u"1", u"ff0070dd"),
                    lootEntry(u"小怪掉落", u"2", u"1", u"ffffffff"),
                    lootEntry(u"", u"3", u"1", u"ffa335ee"), lootEntry(u"Boss", u"4", u"1", u"x"),
                    lootEntry(u"boss", u"5", u"1", u"ffff8000")})})}));
    const Raid& raid = *raids.getRaids()[0];

    Loots out{dkp::Loot{}};
    raid.getBossLoot(u"Boss", out);
    EXPECT_EQ(lootNames(out), (std::vector<std::u16string>{u"", u"Boss1", u"Boss4"}));
    raid.getBossLoot(u"Nobody", out);
    EXPECT_EQ(out.size(), 3u);

    Loots mobs;
    raid.getMobsLoot(mobs);
    EXPECT_EQ(lootNames(mobs), (std::vector<std::u16string>{u"小怪掉落2"}));

    Loots rare;
    raid.getLoots(RARITY_BLUE, rare);
    EXPECT_EQ(lootNames(rare), (std::vector<std::u16string>{u"Boss1", u"3", u"boss5"}));
    Loots all;
    raid.getLoots(RARITY_GREY, all);
    EXPECT_EQ(all.size(), 5u);
}

TEST_F(RaidList, MobsLootOfARaidWithoutTrashLootAddsNothing) {
    Raids raids;
    raids.loadFromDocument(
        documentWith({entry({}, {table(u"Loot", {}, {lootEntry(u"", u"1", u"1", u"")})})}));
    Loots out;
    raids.getRaids()[0]->getMobsLoot(out);
    EXPECT_TRUE(out.empty());
}

TEST_F(RaidList, DkpEarnedCountsAttendeesOrAllMembers) {
    Raids raids;
    const std::vector<std::u16string> eighteen(18, u"x");
    raids.loadFromDocument(documentWith({entry(
        {}, {playerInfos(25), table(u"BossKills", {},
                                    {killEntry(u"10", {}), killEntry(u"10", eighteen),
                                     killEntry(u"0", {u"a"}), killEntry(u"-5", {u"a"})})})}));
    EXPECT_EQ(raids.getRaids()[0]->getTotalObtain(), 250u + 180u);
}

TEST_F(RaidList, DkpSpentIsCostTimesCountAndMayGoDown) {
    Raids raids;
    raids.loadFromDocument(documentWith({entry(
        {}, {table(u"Loot", {},
                   {lootEntry(u"B", u"30", u"2", u""), lootEntry(u"B", u"0", u"5", u""),
                    lootEntry(u"B", u"40", u"0", u""), lootEntry(u"B", u"-10", u"1", u"")})})}));
    EXPECT_EQ(raids.getRaids()[0]->getTotalConsume(), 50u);
}

TEST_F(RaidList, TotalsWrapAt32Bits) {
    Raids raids;
    raids.loadFromDocument(documentWith({entry(
        {}, {table(u"Loot", {},
                   {lootEntry(u"B", u"2147483647", u"2", u""), lootEntry(u"B", u"-1", u"1", u"")}),
             table(u"BossKills", {}, {killEntry(u"2147483647", {u"a", u"b", u"c"})})})}));
    EXPECT_EQ(raids.getRaids()[0]->getTotalConsume(), 4294967293u);
    EXPECT_EQ(raids.getRaids()[0]->getTotalObtain(), 2147483645u);
}

TEST_F(RaidList, AnUnloadedRaidAnswersAsEmpty) {
    Raid raid;
    EXPECT_EQ(raid.getMembers().size(), 0u);
    EXPECT_EQ(raid.getTotalObtain(), 0u);
    EXPECT_EQ(raid.getRaidName(), u"-30/01/01 08:00:00");
}
