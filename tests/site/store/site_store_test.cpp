#include "sample_raid.h"
#include "store/site_store.h"

#include <gtest/gtest.h>
#include <limits>

namespace dkpsite {
namespace {

// Password verifiers quick to make, for tests that are not about them.
constexpr int kQuickIterations = 1000;

class SiteStoreTest : public ::testing::Test {
protected:
    SiteStoreTest() {
        user_ = store_.addUser("Leader", "digest");
        guild_ = store_.addGuild("Guild", "guild_dkp", 1000);
        system_ = store_.addDkpSystem(guild_, "Main");
        other_ = store_.addDkpSystem(guild_, "Other");
        store_.addMembership(user_, guild_, true);
        token_ = store_.login("LEADER", "digest", 0).value_or("");
    }

    std::int64_t upload(std::int64_t dkpId, const std::string& document, std::int64_t nowMs) {
        std::string error;
        NewEvent event{"Guild", dkpId, "event", "", document, {}};
        event.raid = parseRaidDocument(document, error).value();
        const UploadResult result = store_.storeEvent(token_, event, nowMs);
        EXPECT_EQ(result.outcome, UploadOutcome::Created);
        return result.eventId;
    }

    SiteStore store_{":memory:", kQuickIterations};
    std::int64_t user_ = 0, guild_ = 0, system_ = 0, other_ = 0;
    std::string token_;
};

TEST_F(SiteStoreTest, LoginChecksTheDigestAndIgnoresTheNamesCase) {
    EXPECT_FALSE(token_.empty());
    EXPECT_FALSE(store_.login("leader", "other digest", 0));
    EXPECT_FALSE(store_.login("nobody", "digest", 0));
    EXPECT_NE(store_.login("leader", "digest", 0), token_); // every login gets its own session
    EXPECT_FALSE(store_.account("unknown token", 0));
    const auto account = store_.account(token_, 0);
    ASSERT_TRUE(account);
    EXPECT_EQ(account->user, "leader");
    ASSERT_TRUE(account->defaultGuild);
    EXPECT_EQ(account->defaultGuild->site, "guild_dkp");
    ASSERT_EQ(account->guilds.size(), 1u);
    EXPECT_EQ(account->guilds[0].systems.size(), 2u);
}

TEST_F(SiteStoreTest, StandingsAddKillPointsAndSubtractLootCostsPerSystem) {
    const std::string raid = dkpsite_testing::sampleRaidDocument();
    std::string nextNight = raid;
    nextNight.replace(nextNight.find("01/25/08"), 8, "02/01/08");
    upload(system_, raid, 5000);
    upload(system_, nextNight, 6000);
    upload(other_, raid, 7000);
    const auto standings = store_.standings(system_);
    ASSERT_EQ(standings.size(), 2u);
    EXPECT_EQ(standings[0].name, "PlayerOne");
    EXPECT_EQ(standings[0].earned, 20);
    EXPECT_EQ(standings[0].spent, 100);
    EXPECT_EQ(standings[0].playerClass, "Warrior");
    EXPECT_EQ(standings[1].name, "PlayerTwo");
    EXPECT_EQ(standings[1].earned, 20);
    EXPECT_EQ(standings[1].spent, 0);
    EXPECT_EQ(store_.standings(other_)[0].earned, 10);
    EXPECT_EQ(store_.guildUpdateTimeMs(guild_), 7000);
}

TEST(Standing, PointsAreHeldAtTheEndsOfTheRangeRatherThanWrapping) {
    constexpr auto top = std::numeric_limits<std::int64_t>::max();
    constexpr auto bottom = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ((Standing{"", "", top, top}.dkp()), 0);
    EXPECT_EQ((Standing{"", "", top, bottom}.dkp()), top);
    EXPECT_EQ((Standing{"", "", bottom, 1}.dkp()), bottom);
    EXPECT_EQ((Standing{"", "", -5, 7}.dkp()), -12);
}

TEST_F(SiteStoreTest, UpdateTimeIsTheGuildsCreationUntilAnEventArrives) {
    EXPECT_EQ(store_.guildUpdateTimeMs(guild_), 1000);
    EXPECT_TRUE(store_.standings(system_).empty());
}

TEST_F(SiteStoreTest, RefusesUploadsOutsideTheUsersGuildsAndSystems) {
    const std::int64_t foreign = store_.addGuild("Foreign", "foreign_dkp", 0);
    const std::int64_t foreignSystem = store_.addDkpSystem(foreign, "F");
    NewEvent event{"Guild", foreignSystem, "e", "", "", {}};
    EXPECT_EQ(store_.storeEvent(token_, event, 0).outcome, UploadOutcome::UnknownDkpSystem);
    event.guildId = "Foreign";
    EXPECT_EQ(store_.storeEvent(token_, event, 0).outcome, UploadOutcome::UnknownGuild);
    event.guildId = "Guild";
    event.dkpId = system_;
    EXPECT_EQ(store_.storeEvent("", event, 0).outcome, UploadOutcome::NotLoggedIn);
}

TEST_F(SiteStoreTest, KeepsTheUploadedRaidAsSent) {
    const std::int64_t id = upload(system_, dkpsite_testing::sampleRaidDocument(), 1);
    const auto stored = store_.event(id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->guildId, "Guild");
    EXPECT_EQ(stored->uploader, "leader");
    EXPECT_EQ(stored->raid.note, "bring <flasks> & food");
    ASSERT_EQ(stored->raid.kills.size(), 1u);
    EXPECT_EQ(stored->raid.kills[0].attendees.size(), 2u);
    ASSERT_EQ(stored->raid.loot.size(), 1u);
    EXPECT_EQ(stored->raid.loot[0].tooltip, "<Right Click to Read>");
    EXPECT_FALSE(store_.event(id + 1));
}

} // namespace
} // namespace dkpsite
