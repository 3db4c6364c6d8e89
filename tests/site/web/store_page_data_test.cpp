// What the pages read of the store: a guild whose standings are for its members only is neither
// listed on the home page nor found by the item search.
#include "sample_raid.h"
#include "web/store_page_data.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

TEST(StorePageData, MembersOnlyGuildsStayOffTheHomePageAndOutOfTheItemSearch) {
    SiteStore store(":memory:", 1000);
    const std::int64_t user = store.addUser("leader", "digest");
    for (const bool open : {true, false}) {
        const std::string name = open ? "Open" : "Closed";
        const std::int64_t guild = store.addGuild(name, open ? "open_dkp" : "closed_dkp", 0, open);
        const std::int64_t system = store.addDkpSystem(guild, "DKP");
        store.addMembership(user, guild, open);
        const std::string token = store.login("leader", "digest", 0).value();
        std::string error;
        NewEvent event{name, system, "raid", "", dkpsite_testing::sampleRaidDocument(), {}};
        event.raid = parseRaidDocument(event.document, error).value();
        ASSERT_EQ(store.storeEvent(token, event, 0).outcome, UploadOutcome::Created);
    }
    StorePageData data(store);
    const std::vector<SiteGuild> listed = data.publicGuilds();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].site, "open_dkp");
    const std::vector<LootRecord> found = data.findLoot("blade", 10);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].guildId, "Open");
    EXPECT_EQ(found[0].itemName, "Sample Blade");
    EXPECT_TRUE(data.findLoot("100%_", 10).empty()); // wildcards are taken as text
}

} // namespace
} // namespace dkpsite
