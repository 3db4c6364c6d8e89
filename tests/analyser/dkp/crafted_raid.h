#pragma once

// Raids made up for a test, and the sample log, loaded as the analyser loads a file.
#include "dkp/load_raids.h"
#include "dkp/raids.h"
#include "tree_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct CraftedKill {
    std::u16string boss;
    std::u16string time;
    std::u16string dkp;
    std::vector<std::u16string> attendees;
};

struct CraftedLoot {
    std::u16string player;
    std::u16string item;
    std::u16string time;
    std::u16string costs;
    std::u16string boss;
    std::u16string id;
};

// One raid table; empty texts leave their key out.
struct CraftedRaid {
    std::u16string start = u"03/01/08 20:00:00";
    std::u16string end = u"03/01/08 23:00:00";
    std::u16string zone = u"Sample Keep";
    std::vector<std::u16string> players;                          // PlayerInfos, as warriors
    std::vector<std::pair<std::u16string, std::u16string>> joins; // player, time
    std::vector<std::pair<std::u16string, std::u16string>> leaves;
    std::vector<CraftedKill> kills;
    std::vector<CraftedLoot> loot;

    grammar::Node node() const {
        using namespace treebuilder;
        std::vector<grammar::Attrib> attribs;
        const auto put = [&](const char16_t* key, const std::u16string& value) {
            if (!value.empty())
                attribs.push_back({key, value});
        };
        put(u"key", start);
        put(u"End", end);
        put(u"zone", zone);
        std::vector<grammar::Node> infos;
        for (const auto& player : players)
            infos.push_back(table(player, {{u"class", u"WARRIOR"}, {u"race", u"Human"}}));
        std::vector<grammar::Node> joinEntries, leaveEntries, killEntries, lootEntries;
        for (const auto& [player, time] : joins)
            joinEntries.push_back(event(player, time));
        for (const auto& [player, time] : leaves)
            leaveEntries.push_back(event(player, time));
        for (const CraftedKill& kill : kills)
            killEntries.push_back(
                entry({{u"boss", kill.boss}, {u"time", kill.time}, {u"dkp", kill.dkp}},
                      {nameList(u"attendees", kill.attendees)}));
        for (const CraftedLoot& item : loot)
            lootEntries.push_back(entry(
                {{u"player", item.player},
                 {u"time", item.time},
                 {u"costs", item.costs},
                 {u"boss", item.boss},
                 {u"zone", zone}},
                {table(u"item", {{u"name", item.item}, {u"id", item.id}, {u"count", u"1"}})}));
        return entry(attribs,
                     {table(u"PlayerInfos", {}, infos), table(u"Join", {}, joinEntries),
                      table(u"Leave", {}, leaveEntries), table(u"BossKills", {}, killEntries),
                      table(u"Loot", {}, lootEntries)});
    }
};

// Keeps the raids it loads alive for the test.
class RaidShelf {
public:
    const dkp::Raid& add(const CraftedRaid& raid) {
        grammar::Document document;
        document.getNodes().push_back(treebuilder::table(dkp::kRaidLogVariable, {}, {raid.node()}));
        raids_.emplace_back(std::make_unique<dkp::Raids>());
        raids_.back()->loadFromDocument(document);
        return *raids_.back()->getRaids().back();
    }

    // The four raids of the sample log.
    std::vector<const dkp::Raid*> sample() {
        raids_.emplace_back(std::make_unique<dkp::Raids>());
        EXPECT_TRUE(
            dkp::loadRaidsFromFile(RL_SOURCE_DIR u"/tests/data/TALLYRA.lua", *raids_.back()));
        const std::vector<dkp::Raid*> raids = raids_.back()->getRaids();
        return {raids.begin(), raids.end()};
    }

private:
    std::vector<std::unique_ptr<dkp::Raids>> raids_;
};
