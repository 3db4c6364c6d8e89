// An event's parts changed after its upload: each change of who received a loot or who was at
// a kill moves exactly those points, through corrections the ledger keeps, and leaves every
// standing equal to its ledger; refused changes leave nothing. On both engines.
#include "sample_raid.h"
#include "store/site_store.h"
#include "test_databases.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace dkpsite {
namespace {

class EventEdits : public ::testing::TestWithParam<Engine> {
protected:
    EventEdits() {
        const std::int64_t user = store_.addUser("leader", "digest");
        const std::int64_t guild = store_.addGuild("Guild", "guild_dkp", 1000);
        system_ = store_.addDkpSystem(guild, "Main");
        store_.addMembership(user, guild, true);
        std::string error;
        NewEvent event{"Guild", system_, "event", "", dkpsite_testing::sampleRaidDocument(), {}};
        event.raid = parseRaidDocument(event.document, error).value();
        event_ = store_.storeEvent(store_.login("leader", "digest", 0).value(), event, 0).eventId;
    }

    std::map<std::string, std::int64_t> points() {
        std::map<std::string, std::int64_t> result;
        for (const Standing& standing : store_.standings(system_))
            result[standing.name] = standing.dkp();
        return result;
    }

    dkpsite_testing::TestDatabase database_{GetParam()};
    SiteStore store_{database_.target(), 1000};
    std::int64_t system_ = 0, event_ = 0;
    const Origin officer_{"officer", EntrySource::Web, "192.0.2.1", 5000};
};

TEST_P(EventEdits, LooterAndAttendeeChangesMovePointsThroughCorrections) {
    using Points = std::map<std::string, std::int64_t>;
    struct Step {
        const char* what;
        std::function<void()> edit;
        bool refused;
        Points expected;
    };
    const Step steps[] = {
        {"the loot goes to PlayerTwo",
         [&] { store_.editLooter(event_, 0, "PlayerTwo", "r", officer_); },
         false,
         {{"PlayerOne", 10}, {"PlayerTwo", -40}}},
        {"PlayerOne was not at the kill",
         [&] { store_.removeKillAttendee(event_, 0, "PlayerOne", "r", officer_); },
         false,
         {{"PlayerOne", 0}, {"PlayerTwo", -40}}},
        {"PlayerOne was at the kill after all",
         [&] { store_.addKillAttendee(event_, 0, "PlayerOne", "r", officer_); },
         false,
         {{"PlayerOne", 10}, {"PlayerTwo", -40}}},
        {"a looter who was not in the raid",
         [&] { store_.editLooter(event_, 0, "Stranger", "r", officer_); },
         true,
         {{"PlayerOne", 10}, {"PlayerTwo", -40}}},
        {"an attendee listed already",
         [&] { store_.addKillAttendee(event_, 0, "PlayerTwo", "r", officer_); },
         true,
         {{"PlayerOne", 10}, {"PlayerTwo", -40}}},
        {"an attendee who is not listed",
         [&] { store_.removeKillAttendee(event_, 0, "Stranger", "r", officer_); },
         true,
         {{"PlayerOne", 10}, {"PlayerTwo", -40}}},
        {"a kill the raid does not have",
         [&] { store_.addKillAttendee(event_, 3, "PlayerOne", "r", officer_); },
         true,
         {{"PlayerOne", 10}, {"PlayerTwo", -40}}},
    };
    for (const Step& step : steps) {
        const std::size_t entriesBefore = store_.ledger(system_).size();
        if (step.refused)
            EXPECT_THROW(step.edit(), LedgerError) << step.what;
        else
            step.edit();
        EXPECT_EQ(points(), step.expected) << step.what;
        EXPECT_TRUE(store_.check().empty()) << step.what;
        if (step.refused)
            EXPECT_EQ(store_.ledger(system_).size(), entriesBefore) << step.what;
        else
            EXPECT_GT(store_.ledger(system_).size(), entriesBefore) << step.what;
    }
    const auto stored = store_.event(event_).value();
    EXPECT_EQ(stored.raid.loot[0].player, "PlayerTwo");
    EXPECT_EQ(stored.raid.kills[0].attendees, (std::vector<std::string>{"PlayerTwo", "PlayerOne"}));
}

TEST_P(EventEdits, ANewNameAndNoteChangeNoPointsAndAreAudited) {
    const std::size_t entries = store_.ledger(system_).size();
    store_.describeEvent(event_, "Naxx week 1", "first clear", "typo in the name", officer_);
    EXPECT_THROW(store_.describeEvent(event_, "", "", "r", officer_), LedgerError);
    EXPECT_THROW(store_.describeEvent(event_, "x", "", "", officer_), LedgerError);
    const auto stored = store_.event(event_).value();
    EXPECT_EQ(stored.name, "Naxx week 1");
    EXPECT_EQ(stored.note, "first clear");
    EXPECT_EQ(store_.ledger(system_).size(), entries);
    const auto audit = store_.audit(stored.guildRowId);
    ASSERT_FALSE(audit.empty());
    EXPECT_EQ(audit.back().action, "describe event");
    EXPECT_EQ(audit.back().origin.who, "officer");
    EXPECT_NE(audit.back().after.find("typo in the name"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Engines, EventEdits, ::testing::Values(Engine::Sqlite, Engine::Postgresql),
                         dkpsite_testing::engineName);

} // namespace
} // namespace dkpsite
