// What the pages read of the store: a guild whose standings are for its members only is neither
// listed on the home page nor found by the item search.
#include "sample_raid.h"
#include "web/site_pages.h"
#include "web/store_page_data.h"

#include <cstdio>

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

TEST(MemberPage, TheTimelineIsPagedNewestFirstWithTheBalancesOfTheWholeLedger) {
    SiteStore store(":memory:", 1000);
    const std::int64_t guild = store.addGuild("Guild", "guild", 0, true);
    const std::int64_t system = store.addDkpSystem(guild, "DKP");
    const auto reason = [](int i) {
        char text[16];
        std::snprintf(text, sizeof text, "entry-%03d", i);
        return std::string(text);
    };
    for (int i = 1; i <= 150; ++i)
        store.adjust(system, "Aldric", i, reason(i), Origin{"officer", EntrySource::Web, "", i});
    StorePageData data(store);
    const SitePages pages(data, [] { return std::int64_t(0); });
    const auto page = [&](const char* number) {
        httplib::Request req;
        req.params.emplace("name", "Aldric");
        req.params.emplace("dkp", std::to_string(system));
        if (number)
            req.params.emplace("page", number);
        httplib::Response res;
        pages.member("guild", req, res, PageVisit{});
        return res.body;
    };
    const auto has = [](const std::string& body, const std::string& text) {
        return body.find(text) != std::string::npos;
    };
    const std::string first = page(nullptr);
    EXPECT_TRUE(has(first, reason(150)) && has(first, reason(51)));
    EXPECT_FALSE(has(first, reason(50)));
    EXPECT_LT(first.find(reason(150)), first.find(reason(51))) << "newest first";
    EXPECT_TRUE(has(first, ">11325<")) << "the standing and the newest balance: 1 + … + 150";
    EXPECT_TRUE(has(first, "page=2")) << "a link to the older entries";

    for (const char* older : {"2", "99"}) {
        const std::string second = page(older);
        EXPECT_TRUE(has(second, reason(50)) && has(second, reason(1))) << older;
        EXPECT_FALSE(has(second, reason(51))) << older;
        EXPECT_TRUE(has(second, ">1275<")) << "the balance after entry 50: 1 + … + 50";
        EXPECT_TRUE(has(second, ">11325<")) << "the standing stays the whole ledger's";
        EXPECT_FALSE(has(second, "page=3"));
        EXPECT_TRUE(has(second, "page=1"));
    }
}

} // namespace
} // namespace dkpsite
