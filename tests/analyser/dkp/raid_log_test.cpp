#include "dkp/raid_log.h"
#include "time_zone.h"
#include "tree_builder.h"

#include <gtest/gtest.h>

using namespace treebuilder;
using dkp::RaidLog;

namespace {

RaidLog analysed(const grammar::Node& raid) {
    RaidLog log(&raid);
    log.analyse();
    return log;
}

std::vector<std::u16string> memberNames(const RaidLog& log) {
    std::vector<std::u16string> names;
    for (const auto& member : log.getMembers())
        names.push_back(member.name);
    return names;
}

class RaidLogAnalysis : public ::testing::Test {
protected:
    void SetUp() override {
        if (!zone.active())
            GTEST_SKIP() << "runs in Asia/Shanghai";
    }

    ScopedTimeZone zone{"Asia/Shanghai"};
};

} // namespace

TEST_F(RaidLogAnalysis, OnlyAStartTime) {
    const RaidLog log = analysed(entry({{u"key", u" 01/25/08 20:03:13\t"}}));
    EXPECT_EQ(log.getRaidStartTime(), 1201262593);
    EXPECT_EQ(log.getRaidEndTime(), 0);
    EXPECT_EQ(log.getNote(), u"");
    EXPECT_EQ(log.getZone(), u"");
    EXPECT_EQ(log.getRealm(), u"");
    EXPECT_TRUE(log.getMembers().empty());
    EXPECT_TRUE(log.getBossKills().getBossKills().empty());
    EXPECT_TRUE(log.getLoots().empty());
}

TEST_F(RaidLogAnalysis, EndTimeFallsBackToTheLatestLeave) {
    const auto leaves = table(u"Leave", {},
                              {event(u"A", u"01/25/08 21:00:00"), event(u"B", u"01/25/08 22:30:00"),
                               event(u"C", u"garbage")});
    EXPECT_EQ(analysed(entry({{u"End", u""}}, {leaves})).getRaidEndTime(), 1201271400);
    EXPECT_EQ(analysed(entry({{u"End", u"  \t "}}, {leaves})).getRaidEndTime(), 1201271400);
    EXPECT_EQ(analysed(entry({{u"End", u"01/25/08 23:10:00"}}, {leaves})).getRaidEndTime(),
              1201273800);
    EXPECT_EQ(analysed(entry({}, {table(u"Leave")})).getRaidEndTime(), 0);
    EXPECT_EQ(analysed(entry({{u"End", u"soon"}})).getRaidEndTime(), 0);
}

TEST_F(RaidLogAnalysis, InfoIsTakenUntrimmedWithExactKeys) {
    const RaidLog log = analysed(entry({{u"note", u" a note "},
                                        {u"zone", u"纳克萨玛斯"},
                                        {u"realm", u"wrong case"},
                                        {u"Realm", u"Sample Realm"}}));
    EXPECT_EQ(log.getNote(), u" a note ");
    EXPECT_EQ(log.getZone(), u"纳克萨玛斯");
    EXPECT_EQ(log.getRealm(), u"Sample Realm");
}

TEST_F(RaidLogAnalysis, MembersComeFromPlayerInfosThenFromJoinsAndLeaves) {
    const auto infos = table(u"PlayerInfos", {},
                             {table(u"暗影", {{u"class", u"PRIEST"},
                                              {u"guild", u"Sample Guild"},
                                              {u"level", u"70"},
                                              {u"race", u"BloodElf"},
                                              {u"sex", u"3"}}),
                              table(u"Alpha", {{u"class", u"warrior"}})});
    const auto joins =
        table(u"Join", {},
              {event(u"Alpha", u"01/25/08 20:00:00"), event(u"Stranger", u"01/25/08 20:05:00"),
               event(u"Alpha", u"01/25/08 21:30:00"), entry({{u"time", u"x"}})});
    const auto leaves =
        table(u"Leave", {},
              {event(u"Alpha", u"01/25/08 21:00:00"), event(u"Ghost", u"01/25/08 21:10:00")});
    const RaidLog log = analysed(entry({}, {infos, joins, leaves}));

    EXPECT_EQ(memberNames(log),
              (std::vector<std::u16string>{u"暗影", u"Alpha", u"Stranger", u"", u"Ghost"}));
    const auto& shadow = log.getMembers()[0];
    EXPECT_EQ(shadow.playerClass, CLASS_PRIEST);
    EXPECT_EQ(shadow.guild, u"Sample Guild");
    EXPECT_EQ(shadow.level, 70);
    EXPECT_EQ(shadow.race, RACE_BLOODELF);
    EXPECT_EQ(shadow.sex, SEX_FEMALE);
    EXPECT_TRUE(shadow.presence.empty());

    const auto& alpha = log.getMembers()[1];
    EXPECT_EQ(alpha.playerClass, CLASS_WARRIOR);
    ASSERT_EQ(alpha.presence.size(), 2u);
    EXPECT_EQ(alpha.presence[0].leaveTime - alpha.presence[0].joinTime, 3600);
    EXPECT_EQ(alpha.presence[1].leaveTime, 0);

    const auto& stranger = log.getMembers()[2];
    EXPECT_EQ(stranger.level, 0);
    EXPECT_EQ(stranger.playerClass, CLASS_UNKNOWN);
    EXPECT_EQ(stranger.presence.size(), 1u);
    EXPECT_TRUE(log.getMembers()[4].presence.empty()); // left without joining
}

TEST_F(RaidLogAnalysis, BossKillsWithAndWithoutAttendeesAndPoints) {
    const auto kills =
        table(u"BossKills", {},
              {entry({{u"boss", u"Sample Boss"}, {u"time", u"01/25/08 21:00:00"}, {u"dkp", u"10"}},
                     {nameList(u"attendees", {u"Alpha", u"Beta"})}),
               entry({{u"boss", u"Other"}})});
    const RaidLog log = analysed(entry({}, {kills}));
    const auto& list = log.getBossKills().getBossKills();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].time, 1201266000);
    EXPECT_EQ(list[0].dkp, 10);
    EXPECT_EQ(list[0].attendees, (std::vector<std::u16string>{u"Alpha", u"Beta"}));
    EXPECT_EQ(list[1].dkp, 0);
    EXPECT_TRUE(list[1].attendees.empty());
    EXPECT_EQ(log.getBossKill(u"Other").name, u"Other");
}

TEST_F(RaidLogAnalysis, LootReadsItsEntryAndItsItemTable) {
    const auto item = table(u"item", {{u"c", u"FFA335EE"},
                                      {u"id", u"12345"},
                                      {u"tooltip", u"tip"},
                                      {u"name", u"Sample Blade"},
                                      {u"subclass", u"SampleSub"},
                                      {u"class", u"SampleClass"},
                                      {u"count", u"2"},
                                      {u"icon", u"SampleIcon"}});
    const auto common = std::vector<grammar::Attrib>{{u"player", u"Alpha"},
                                                     {u"costs", u"-15"},
                                                     {u"zone", u"Sample Keep"},
                                                     {u"time", u"01/25/08 21:05:00"},
                                                     {u"boss", u"小怪掉落"}};
    const RaidLog log =
        analysed(entry({}, {table(u"Loot", {}, {entry(common, {item}), entry(common)})}));
    ASSERT_EQ(log.getLoots().size(), 2u);
    const auto& full = log.getLoots()[0];
    EXPECT_EQ(full.name, u"Sample Blade");
    EXPECT_EQ(full.rarity, RARITY_PURPLE);
    EXPECT_EQ(full.id, u"12345");
    EXPECT_EQ(full.subclass, u"SampleSub");
    EXPECT_EQ(full.itemClass, u"SampleClass");
    EXPECT_EQ(full.count, 2);
    EXPECT_EQ(full.tooltip, u"tip");
    EXPECT_EQ(full.icon, u"SampleIcon");
    EXPECT_EQ(full.costs, -15);

    const auto& bare = log.getLoots()[1];
    EXPECT_EQ(bare.name, u"");
    EXPECT_EQ(bare.rarity, RARITY_GREY);
    EXPECT_EQ(bare.count, 0);
    EXPECT_EQ(bare.player, u"Alpha");
    EXPECT_EQ(bare.costs, -15);
    EXPECT_EQ(bare.zone, u"Sample Keep");
    EXPECT_EQ(bare.time, 1201266300);
    EXPECT_EQ(bare.boss, u"小怪掉落");
}

TEST_F(RaidLogAnalysis, CopyKeepsEverythingAndNeedsNoNode) {
    RaidLog copy(nullptr);
    {
        const grammar::Node raid = entry({{u"zone", u"Hall"}}, {nameList(u"PlayerInfos", {})});
        RaidLog log(&raid);
        log.analyse();
        copy = log;
    }
    EXPECT_EQ(copy.getZone(), u"Hall");
    copy.setZone(u"Other");
    EXPECT_EQ(copy.getZone(), u"Other");
}

TEST_F(RaidLogAnalysis, ManyPlayersWithRejoinsKeepTheirFirstAppearanceOrder) {
    constexpr int kPlayers = 5000;
    const auto player = [](int at) {
        const std::string name = "P" + std::to_string(at);
        return std::u16string(name.begin(), name.end());
    };
    std::vector<grammar::Node> joins{event(u"Twin", u"01/25/08 20:00:00")};
    std::vector<grammar::Node> leaves;
    for (int at = 0; at < kPlayers; ++at) {
        joins.push_back(event(player(at), u"01/25/08 20:00:00"));
        leaves.push_back(event(player(at), u"01/25/08 21:00:00"));
    }
    for (int at = kPlayers - 1; at >= 0; at -= 2)
        joins.push_back(event(player(at), u"01/25/08 21:30:00"));
    leaves.push_back(event(u"p7", u"01/25/08 22:00:00")); // names are case-sensitive
    const auto infos = table(
        u"PlayerInfos", {},
        {table(u"Twin", {{u"level", u"1"}}), table(u"P3"), table(u"Twin", {{u"level", u"2"}})});
    const RaidLog log = analysed(entry(
        {}, {infos, table(u"Join", {}, std::move(joins)), table(u"Leave", {}, std::move(leaves))}));

    std::vector<std::u16string> expected{u"Twin", u"P3", u"Twin"};
    for (int at = 0; at < kPlayers; ++at)
        if (at != 3)
            expected.push_back(player(at));
    expected.push_back(u"p7");
    ASSERT_EQ(memberNames(log), expected);

    const auto& members = log.getMembers();
    EXPECT_EQ(members[0].presence.size(), 1u); // the first of equal names takes the stays
    EXPECT_EQ(members[2].level, 2);
    EXPECT_TRUE(members[2].presence.empty());
    EXPECT_TRUE(members.back().presence.empty());
    for (std::size_t at = 1; at + 1 < members.size(); ++at) {
        if (at == 2)
            continue;
        const int number =
            std::stoi(std::string(members[at].name.begin() + 1, members[at].name.end()));
        const auto& stays = members[at].presence;
        ASSERT_EQ(stays.size(), number % 2 == (kPlayers - 1) % 2 ? 2u : 1u) << number;
        EXPECT_EQ(stays[0].leaveTime - stays[0].joinTime, 3600) << number;
        if (stays.size() == 2) {
            EXPECT_EQ(stays[1].leaveTime, 0) << number;
        }
    }
}
