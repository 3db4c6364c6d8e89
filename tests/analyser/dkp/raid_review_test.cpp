#include "crafted_raid.h"
#include "dkp/raid_review.h"

#include <gtest/gtest.h>

#include <algorithm>

using dkp::FindingLevel;

namespace {

std::vector<std::string> codesOf(const dkp::Raid& raid) {
    std::vector<std::string> codes;
    for (const dkp::ReviewFinding& finding : dkp::reviewRaid(raid))
        codes.push_back(finding.code);
    return codes;
}

// A raid that has nothing to find: everyone joins and leaves within it, one kill with
// attendees, loot to members at distinct times.
CraftedRaid cleanRaid() {
    CraftedRaid raid;
    raid.players = {u"Alpha", u"Beta"};
    raid.joins = {{u"Alpha", u"03/01/08 20:00:00"}, {u"Beta", u"03/01/08 20:05:00"}};
    raid.leaves = {{u"Alpha", u"03/01/08 23:00:00"}, {u"Beta", u"03/01/08 22:00:00"}};
    raid.kills = {{u"Boss", u"03/01/08 21:00:00", u"10", {u"Alpha", u"Beta"}}};
    raid.loot = {{u"Alpha", u"Sword", u"03/01/08 21:01:00", u"30", u"Boss", u"100"},
                 {u"Alpha", u"Sword", u"03/01/08 21:02:01", u"30", u"Boss", u"100"},
                 {u"Beta", u"Sword", u"03/01/08 21:01:30", u"30", u"Boss", u"100"}};
    return raid;
}

struct Case {
    const char* code;
    FindingLevel level;
    void (*spoil)(CraftedRaid&);
    std::vector<std::string> alsoFound = {};
};

const Case kCases[] = {
    {"loot-to-stranger", FindingLevel::Error,
     [](CraftedRaid& raid) { raid.loot[0].player = u"Stranger"; }},
    {"kill-without-attendees", FindingLevel::Warning,
     [](CraftedRaid& raid) { raid.kills[0].attendees.clear(); }},
    {"kill-outside-raid", FindingLevel::Error,
     [](CraftedRaid& raid) { raid.kills[0].time = u"03/01/08 23:30:00"; }},
    {"loot-outside-raid", FindingLevel::Error,
     [](CraftedRaid& raid) { raid.loot[2].time = u"03/01/08 19:59:59"; }},
    {"still-present", FindingLevel::Info, [](CraftedRaid& raid) { raid.leaves.pop_back(); }},
    {"cost-without-looter", FindingLevel::Error,
     [](CraftedRaid& raid) { raid.loot[2].player = u" "; }},
    {"double-entry", FindingLevel::Warning,
     [](CraftedRaid& raid) { raid.loot[1].time = u"03/01/08 21:02:00"; }},
    // Without an end time the raid ends with its last leave, so the leaves go too.
    {"no-end-time",
     FindingLevel::Warning,
     [](CraftedRaid& raid) {
         raid.end.clear();
         raid.leaves.clear();
     },
     {"still-present", "still-present"}},
    {"no-boss-kills", FindingLevel::Warning, [](CraftedRaid& raid) { raid.kills.clear(); }},
    {"no-start-time", FindingLevel::Error, [](CraftedRaid& raid) { raid.start.clear(); }},
    {"no-zone", FindingLevel::Warning, [](CraftedRaid& raid) { raid.zone = u" "; }},
    {"kill-without-time", FindingLevel::Warning,
     [](CraftedRaid& raid) { raid.kills[0].time = u"soon"; }},
    {"loot-without-time", FindingLevel::Warning,
     [](CraftedRaid& raid) { raid.loot[2].time.clear(); }},
    {"loot-without-name", FindingLevel::Warning,
     [](CraftedRaid& raid) { raid.loot[2].item = u" "; }},
};

} // namespace

TEST(RaidReview, EachFindingFiresOnItsFaultAlone) {
    RaidShelf shelf;
    EXPECT_EQ(codesOf(shelf.add(cleanRaid())), std::vector<std::string>{});
    for (const Case& fault : kCases) {
        CraftedRaid crafted = cleanRaid();
        fault.spoil(crafted);
        const auto findings = dkp::reviewRaid(shelf.add(crafted));
        const auto hit = std::find_if(findings.begin(), findings.end(), [&](const auto& finding) {
            return finding.code == fault.code;
        });
        ASSERT_NE(hit, findings.end()) << fault.code;
        EXPECT_EQ(hit->level, fault.level) << fault.code;
        EXPECT_FALSE(hit->chinese.empty()) << fault.code;
        EXPECT_FALSE(hit->english.empty()) << fault.code;
        std::vector<std::string> others;
        for (const auto& finding : findings)
            if (finding.code != fault.code)
                others.push_back(finding.code);
        EXPECT_EQ(others, fault.alsoFound) << fault.code;
        EXPECT_EQ(findings.size(), 1 + fault.alsoFound.size()) << fault.code;
    }
}

TEST(RaidReview, TextsNameWhatWasFound) {
    CraftedRaid crafted = cleanRaid();
    crafted.loot[0].player = u"陌生人";
    RaidShelf shelf;
    const auto findings = dkp::reviewRaid(shelf.add(crafted));
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].english, "item \"Sword\" went to \"陌生人\", who was never in the raid");
    EXPECT_NE(findings[0].chinese.find(u"“陌生人”"), std::u16string::npos);

    CraftedRaid nameless = cleanRaid();
    nameless.loot[0].item.clear();
    nameless.loot[2].item = u" ";
    nameless.loot[2].id.clear();
    const auto namelessFindings = dkp::reviewRaid(shelf.add(nameless));
    ASSERT_EQ(namelessFindings.size(), 2u);
    EXPECT_EQ(namelessFindings[0].english, "the item with id \"100\" has no name");
    EXPECT_EQ(namelessFindings[1].english, "an item has neither a name nor an id");
}

// A kill's attendee who has no stay of their own was still in the raid; loot without a cost
// and without a looter (left unassigned) is no fault.
TEST(RaidReview, AttendeesCountAsInTheRaidAndFreeUnassignedLootIsFine) {
    CraftedRaid crafted = cleanRaid();
    crafted.kills[0].attendees.push_back(u"Guest");
    crafted.loot.push_back({u"Guest", u"Ring", u"03/01/08 21:05:00", u"10", u"Boss", u"7"});
    crafted.loot.push_back({u"", u"Shard", u"03/01/08 21:06:00", u"0", u"Boss", u"8"});
    RaidShelf shelf;
    EXPECT_EQ(codesOf(shelf.add(crafted)), std::vector<std::string>{});
}

TEST(RaidReview, ErrorsComeFirstAndAreCounted) {
    CraftedRaid crafted = cleanRaid();
    crafted.end.clear();
    crafted.leaves.clear();
    crafted.loot[0].player = u"Stranger";
    crafted.loot[1].player.clear();
    RaidShelf shelf;
    const auto findings = dkp::reviewRaid(shelf.add(crafted));
    EXPECT_EQ(codesOf(shelf.add(crafted)),
              (std::vector<std::string>{"loot-to-stranger", "cost-without-looter", "no-end-time",
                                        "still-present", "still-present"}));
    const dkp::ReviewCounts counts = dkp::countFindings(findings);
    EXPECT_EQ(counts.errors, 2);
    EXPECT_EQ(counts.warnings, 1);
    EXPECT_EQ(counts.infos, 2);
}

// The sample's raid 4 is clean; the others have only what their logs really hold.
TEST(RaidReview, SampleRaids) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    EXPECT_EQ(codesOf(*sample[0]), std::vector<std::string>{"kill-without-attendees"});
    EXPECT_EQ(codesOf(*sample[1]), std::vector<std::string>{});
    EXPECT_EQ(codesOf(*sample[2]), (std::vector<std::string>{"no-zone", "no-boss-kills"}));
    EXPECT_EQ(codesOf(*sample[3]), std::vector<std::string>{});
}
