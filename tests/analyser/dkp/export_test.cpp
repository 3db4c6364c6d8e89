#include "dkp/raids.h"
#include "time_zone.h"
#include "tree_builder.h"

#include <gtest/gtest.h>

using namespace treebuilder;

namespace {

class Export : public ::testing::Test {
protected:
    std::u16string exportOf(grammar::Node raid) {
        grammar::Document document;
        document.getNodes().push_back(table(u"CT_RaidTracker_RaidLog", {}, {std::move(raid)}));
        raids_.loadFromDocument(document);
        return raids_.getRaids().back()->exportDocument();
    }

    // The text between <name> and </name>, searched from `from`.
    static std::u16string contentOf(const std::u16string& document, const std::u16string& name,
                                    std::size_t from = 0) {
        const std::u16string open = u"<" + name + u">";
        const std::size_t start = document.find(open, from);
        const std::size_t end = document.find(u"</" + name + u">", start);
        if (start == std::u16string::npos || end == std::u16string::npos)
            return u"(missing)";
        return document.substr(start + open.size(), end - start - open.size());
    }

    void SetUp() override {
        if (!zone.active())
            GTEST_SKIP() << "runs in Asia/Shanghai";
    }

    ScopedTimeZone zone{"Asia/Shanghai"};
    dkp::Raids raids_;
};

grammar::Node loot(const std::u16string& name) {
    return entry({{u"player", u"P"}, {u"costs", u"1"}},
                 {table(u"item", {{u"name", name}, {u"count", u"1"}})});
}

} // namespace

TEST_F(Export, WorkedExampleByteForByte) {
    const auto raid = entry(
        {{u"key", u"01/25/08 20:03:13"},
         {u"End", u"01/25/08 23:10:00"},
         {u"Realm", u"Sample Realm"},
         {u"zone", u"Sample Keep"},
         {u"note", u""}},
        {table(u"PlayerInfos", {},
               {table(u"PlayerOne", {{u"race", u"Human"},
                                     {u"guild", u"Sample Guild"},
                                     {u"sex", u"2"},
                                     {u"class", u"WARRIOR"},
                                     {u"level", u"70"}}),
                table(u"PlayerTwo", {{u"race", u"NightElf"},
                                     {u"sex", u"3"},
                                     {u"class", u"PRIEST"},
                                     {u"level", u"70"}})}),
         table(u"BossKills", {},
               {entry({{u"boss", u"Sample Boss"}, {u"time", u"01/25/08 21:00:00"}, {u"dkp", u"10"}},
                      {nameList(u"attendees", {u"PlayerOne", u"PlayerTwo"})})}),
         table(u"Loot", {},
               {entry({{u"player", u"PlayerOne"},
                       {u"costs", u"50"},
                       {u"zone", u"Sample Keep"},
                       {u"time", u"01/25/08 21:05:00"},
                       {u"boss", u"Sample Boss"}},
                      {table(u"item", {{u"c", u"ffa335ee"},
                                       {u"id", u"12345"},
                                       {u"tooltip", u""},
                                       {u"name", u"Sample Blade"},
                                       {u"subclass", u"SampleSub"},
                                       {u"class", u"SampleClass"},
                                       {u"count", u"1"},
                                       {u"icon", u"SampleIcon"}})})})});

    const std::u16string expected =
        u"<RaidInfo><key>01/25/08 20:03:13</key><realm>Sample Realm</realm>"
        u"<start>01/25/08 20:03:13</start><end>01/25/08 23:10:00</end><zone>Sample Keep</zone>"
        u"<PlayerInfos><key1><name>PlayerOne</name><race>Human</race><guild>Sample Guild</guild>"
        u"<sex>2</sex><class>Warrior</class><level>70</level></key1>"
        u"<key2><name>PlayerTwo</name><race>NightElf</race><guild></guild><sex>3</sex>"
        u"<class>Priest</class><level>70</level></key2></PlayerInfos>"
        u"<BossKills><key1><name>Sample Boss</name><dkp>10</dkp><time>01/25/08 21:00:00</time>"
        u"<attendees><key1><name>PlayerOne</name></key1><key2><name>PlayerTwo</name></key2>"
        u"</attendees></key1></BossKills>"
        u"<note></note>"
        u"<Loot><key1><ItemName>Sample "
        u"Blade</ItemName><ItemID>12345</ItemID><Icon>SampleIcon</Icon>"
        u"<Class>SampleClass</Class><SubClass>SampleSub</SubClass><Color>ffa335ee</Color>"
        u"<Count>1</Count><Player>PlayerOne</Player><Costs>50</Costs><Time>01/25/08 21:05:00</Time>"
        u"<Zone>Sample Keep</Zone><Boss>Sample "
        u"Boss</Boss><Tooltip></Tooltip></key1></Loot></RaidInfo>";
    EXPECT_EQ(exportOf(raid), expected);
}

TEST_F(Export, EmptyRaidKeepsEveryElementInPlace) {
    EXPECT_EQ(exportOf(entry({{u"note", u"a<b & c"}})),
              u"<RaidInfo><key>01/01/-30 08:00:00</key><realm></realm><start>01/01/-30 08:00:00"
              u"</start><end>01/01/-30 08:00:00</end><zone></zone><PlayerInfos></PlayerInfos>"
              u"<BossKills></BossKills><note>a<b & c</note><Loot></Loot></RaidInfo>");
}

TEST_F(Export, NumberingRunsPastTenAndRestartsInEveryList) {
    grammar::Node infos = table(u"PlayerInfos");
    for (int i = 1; i <= 11; ++i)
        infos.nodes.push_back(
            table(u"M" + std::u16string(1, char16_t(u'a' + i)), {{u"sex", u"1"}}));
    const auto kills =
        table(u"BossKills", {},
              {entry({{u"boss", u"First"}}, {nameList(u"attendees", {u"x"})}),
               entry({{u"boss", u"Second"}}, {nameList(u"attendees", {u"y", u"z"})})});
    const auto loots = table(u"Loot", {}, {loot(u"one"), loot(u"two"), loot(u"three")});
    const std::u16string document = exportOf(entry({}, {infos, kills, loots}));

    const std::u16string players = contentOf(document, u"PlayerInfos");
    EXPECT_EQ(contentOf(players, u"key11"),
              u"<name>Ml</name><race></race><guild></guild><sex></sex><class></class><level>0"
              u"</level>");
    EXPECT_EQ(players.find(u"<key011>"), std::u16string::npos);

    EXPECT_NE(document.find(u"<key2><name>Second</name><dkp>0</dkp><time>01/01/-30 08:00:00"
                            u"</time><attendees><key1><name>y</name></key1><key2><name>z</name>"
                            u"</key2></attendees></key2></BossKills>"),
              std::u16string::npos);

    const std::u16string third = contentOf(contentOf(document, u"Loot"), u"key3");
    EXPECT_EQ(third, u"<ItemName>three</ItemName><ItemID></ItemID><Icon></Icon><Class></Class>"
                     u"<SubClass></SubClass><Color>ff9d9d9d</Color><Count>1</Count><Player>P"
                     u"</Player><Costs>1</Costs><Time>01/01/-30 "
                     u"08:00:00</Time><Zone></Zone><Boss></Boss><Tooltip>"
                     u"</Tooltip>");
}
