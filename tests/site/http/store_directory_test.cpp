#include "http/access.h"
#include "http/store_directory.h"
#include "sample_raid.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

constexpr int kQuickIterations = 1000;

// The route table decides from what the store says of a caller and a guild: each member's own
// role, the site owner, and a guild whose standings only its members may read.
TEST(StoreDirectory, CallersAndGuildsAreWhatTheStoreHolds) {
    SiteStore store(":memory:", kQuickIterations);
    store.addGuild("Open", "open_dkp", 0, true);
    const std::int64_t closed = store.addGuild("Closed", "closed_dkp", 0, false);
    const std::int64_t closedSystem = store.addDkpSystem(closed, "DKP");
    const struct {
        const char* name;
        const char* role;
        bool owner;
        Role inClosed;
    } users[] = {
        {"member", "member", false, Role::Member},
        {"officer", "officer", false, Role::Officer},
        {"admin", "admin", false, Role::GuildAdmin},
        {"owner", nullptr, true, Role::SiteOwner},
    };
    StoreDirectory directory(store);
    for (const auto& user : users) {
        SCOPED_TRACE(user.name);
        const std::int64_t id = store.addUser(user.name, "digest", user.owner);
        if (user.role)
            store.addMembership(id, closed, true, user.role);
        const Caller caller = directory.caller(store.login(user.name, "digest", 0).value(), 0);
        EXPECT_EQ(caller.user.value_or(""), user.name);
        EXPECT_EQ(caller.roleIn("Closed"), user.inClosed);
        EXPECT_EQ(caller.roleIn("Open"), user.owner ? Role::SiteOwner : Role::Anonymous);
    }
    EXPECT_FALSE(directory.caller("no such session", 0).signedIn());

    EXPECT_TRUE(directory.guild({GuildRef::Site, "open_dkp", 0})->standingsPublic);
    EXPECT_FALSE(directory.guild({GuildRef::Site, "closed_dkp", 0})->standingsPublic);
    EXPECT_FALSE(directory.guild({GuildRef::Site, "none_dkp", 0}));

    std::string error;
    NewEvent upload{"Closed", closedSystem, "raid", "", dkpsite_testing::sampleRaidDocument(), {}};
    upload.raid = parseRaidDocument(upload.document, error).value();
    const std::string officer = store.login("officer", "digest", 0).value();
    const UploadResult stored = store.storeEvent(officer, upload, 0);
    ASSERT_EQ(stored.outcome, UploadOutcome::Created);
    const auto eventGuild = directory.guild({GuildRef::Event, {}, stored.eventId});
    ASSERT_TRUE(eventGuild);
    EXPECT_EQ(eventGuild->guildId, "Closed");
    EXPECT_FALSE(eventGuild->standingsPublic);
    EXPECT_FALSE(directory.guild({GuildRef::Event, {}, stored.eventId + 1}));
}

} // namespace
} // namespace dkpsite
