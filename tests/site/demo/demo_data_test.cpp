// The demo site starts as a guild that has raided: its events are the sample raids, exported by
// the analyser exactly as the client uploads them.
#include "demo/demo_data.h"
#include "demo/demo_raids.h"
#include "store/site_store.h"

#include "raidsift.h"
#include "utilkit/ustring.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

TEST(DemoData, TheDemoRaidsAreTheSampleRaidsAsTheAnalyserExportsThem) {
    dkp::Raids raids;
    ASSERT_TRUE(
        dkp::loadRaidsFromFile(ustring::fromUtf8(RL_SOURCE_DIR "/tests/data/TALLYRA.lua"), raids));
    const std::vector<dkp::Raid*> sample = raids.getRaids();
    ASSERT_EQ(sample.size(), 4u);
    const std::span<const DemoRaid> demo = demoRaids();
    ASSERT_EQ(demo.size(), 3u);
    const std::size_t samplePositions[] = {0, 1, 3};
    for (std::size_t i = 0; i < demo.size(); ++i)
        EXPECT_EQ(demo[i].document, ustring::toUtf8(sample[samplePositions[i]]->exportDocument()))
            << "demo raid " << i << " is stale: write it anew from raidsift export";
}

// What the looted items of the demo raids cost, as the analyser reads the sample log.
std::int64_t lootCostsOfTheDemoRaids() {
    dkp::Raids raids;
    dkp::loadRaidsFromFile(ustring::fromUtf8(RL_SOURCE_DIR "/tests/data/TALLYRA.lua"), raids);
    std::int64_t costs = 0;
    for (const std::size_t position : {0, 1, 3})
        for (const dkp::Loot& loot : raids.getRaids().at(position)->getLoots())
            costs += loot.player.empty() ? 0 : loot.costs;
    return costs;
}

TEST(DemoData, TheDemoGuildHasStandingsInBothSystemsOnceOnly) {
    SiteStore store(":memory:", 1000); // few password rounds: the test needs no slow login
    seedDemoData(store, 1000);
    seedDemoData(store, 2000); // a second start with the same database adds nothing
    const auto guild = store.guildBySite("adpt_dkp");
    ASSERT_TRUE(guild);
    ASSERT_EQ(guild->systems.size(), 2u);
    std::int64_t spentEverywhere = 0;
    for (const SiteDkpSystem& system : guild->systems) {
        const std::vector<Standing> standings = store.standings(system.id);
        EXPECT_FALSE(standings.empty()) << system.name;
        for (const Standing& standing : standings)
            spentEverywhere += standing.spent;
    }
    EXPECT_EQ(spentEverywhere, lootCostsOfTheDemoRaids());
    EXPECT_GT(spentEverywhere, 0);
    EXPECT_EQ(store.guildUpdateTimeMs(guild->rowId), 1000);
    EXPECT_TRUE(store.standings(store.guildBySite("dusk_dkp")->systems.at(0).id).empty());
}

} // namespace
} // namespace dkpsite
