// The store on both engines: what an upload writes, what it refuses, what a newer schema gets,
// and two stores (or two processes) on one database.
#include "api/api_routes.h"
#include "auth/login_throttle.h"
#include "ledger/points_rules.h"
#include "sample_raid.h"
#include "seeded_guild.h"
#include "store/migrations.h"
#include "store/site_store.h"
#include "testsupport/site_process.h"
#include "utilkit/encrypt.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <limits>
#include <nlohmann/json.hpp>

namespace dkpsite {
namespace {

using dkpsite_testing::kQuickIterations;
using dkpsite_testing::TestDatabase;

using StoreEngines = dkpsite_testing::SeededGuildTest;

TEST_P(StoreEngines, UploadWritesEventEntriesCharactersAndAuditTogether) {
    const UploadResult first =
        store_->storeEvent(token_, sampleEvent(system_), 5000, "198.51.100.7");
    ASSERT_EQ(first.outcome, UploadOutcome::Created);
    const auto entries = store_->ledger(system_);
    ASSERT_EQ(entries.size(), 3u); // two attendees of one kill, one loot
    EXPECT_EQ(entries[0].origin.who, "leader");
    EXPECT_EQ(entries[0].origin.source, EntrySource::Upload);
    EXPECT_EQ(entries[0].origin.address, "198.51.100.7");
    EXPECT_EQ(entries[0].event, first.eventId);

    // The same document again: the same event, and not one point more.
    const UploadResult again = store_->storeEvent(token_, sampleEvent(system_), 6000);
    EXPECT_EQ(again.outcome, UploadOutcome::AlreadyStored);
    EXPECT_EQ(again.eventId, first.eventId);
    EXPECT_EQ(store_->ledger(system_).size(), 3u);
    const auto standings = store_->standings(system_);
    ASSERT_EQ(standings.size(), 2u);
    EXPECT_EQ(standings[0].name, "PlayerOne");
    EXPECT_EQ(standings[0].playerClass, "Warrior");
    EXPECT_EQ(standings[0].dkp(), -40);
    EXPECT_EQ(store_->guildUpdateTimeMs(guild_), 5000);

    bool audited = false;
    for (const AuditRecord& record : store_->audit(guild_))
        audited = audited || (record.action == "upload event" && record.origin.atMs == 5000);
    EXPECT_TRUE(audited);
}

TEST_P(StoreEngines, RefusedUploadLeavesNothing) {
    // Sums beyond the ledger's range: the upload fails as a whole, after its event row and
    // some entries were already written inside the transaction.
    NewEvent event = sampleEvent(system_);
    event.document += "<!-- other -->";
    event.raid.kills = {{"Boss", 1, "", {"PlayerTwo"}},
                        {"Boss", kMaxStandingPoints, "", {"PlayerOne", "PlayerOne"}}};
    EXPECT_THROW(store_->storeEvent(token_, event, 5000), LedgerError);
    EXPECT_TRUE(store_->ledger(system_).empty());
    EXPECT_TRUE(store_->standings(system_).empty());
    EXPECT_FALSE(store_->event(1));
    EXPECT_EQ(store_->check(), std::vector<std::string>());
    // The store still takes the next upload.
    EXPECT_EQ(store_->storeEvent(token_, sampleEvent(system_), 6000).outcome,
              UploadOutcome::Created);
}

TEST_P(StoreEngines, CheckNamesAStandingThatDisagreesWithItsLedger) {
    store_->storeEvent(token_, sampleEvent(system_), 5000);
    EXPECT_EQ(store_->check(), std::vector<std::string>());
    {
        Database::Connection connection(store_->database());
        connection.sql() << "UPDATE standings SET earned = earned + 7 WHERE character_id = "
                            "(SELECT id FROM characters WHERE name = 'PlayerTwo')";
    }
    const auto differences = store_->check();
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_NE(differences[0].find("PlayerTwo: stored earned 17, spent 0, ledger earned 10"),
              std::string::npos)
        << differences[0];
}

TEST_P(StoreEngines, DatabaseOfANewerSchemaIsRefused) {
    store_.reset();
    {
        Database db(database_.target());
        Database::Connection connection(db);
        const int newer = currentSchemaVersion() + 1;
        if (GetParam() == Engine::Sqlite)
            connection.sql() << "PRAGMA user_version = " + std::to_string(newer);
        else
            connection.sql() << "UPDATE schema_version SET version = " + std::to_string(newer);
    }
    try {
        SiteStore store(database_.target(), kQuickIterations);
        FAIL() << "a newer schema was opened";
    } catch (const DatabaseError& e) {
        EXPECT_NE(
            std::string(e.what()).find("newer than the " + std::to_string(currentSchemaVersion())),
            std::string::npos)
            << e.what();
    }
}

TEST_P(StoreEngines, TwoStoresOnOneDatabaseShareSessionsAndStandings) {
    SiteStore other(database_.target(), kQuickIterations);
    // A session made by one is known to the other, and ended by it.
    ASSERT_TRUE(other.account(token_, 3000));
    EXPECT_EQ(other.storeEvent(token_, sampleEvent(system_), 4000).outcome, UploadOutcome::Created);
    EXPECT_EQ(store_->standings(system_).size(), 2u);
    EXPECT_EQ(store_->storeEvent(token_, sampleEvent(system_), 5000).outcome,
              UploadOutcome::AlreadyStored);
    EXPECT_TRUE(other.logout(token_));
    EXPECT_FALSE(store_->account(token_, 6000));
}

INSTANTIATE_TEST_SUITE_P(Engines, StoreEngines,
                         ::testing::Values(Engine::Sqlite, Engine::Postgresql),
                         dkpsite_testing::engineName);

// Two dkpsite processes on one PostgreSQL database, as a host serving many guilds runs them.
TEST(SiteProcesses, TwoSitesOnOnePostgresqlServeTheSameGuilds) {
    TestDatabase database(Engine::Postgresql);
    testsupport::SiteProcess first(database.target(), {"--demo"});
    testsupport::SiteProcess second(database.target(), {});
    httplib::Client one(first.url()), two(second.url());

    const nlohmann::json login = {{"user", "demo"}, {"digest", encrypt::SHA("demo")}};
    const auto loggedIn = one.Post("/api/login", login.dump(), "application/json");
    ASSERT_TRUE(loggedIn);
    ASSERT_EQ(loggedIn->status, 200) << loggedIn->body;
    const std::string token = nlohmann::json::parse(loggedIn->body)["token"];
    const httplib::Headers bearer = {{"Authorization", "Bearer " + token}};

    // The session made on the first is known to the second.
    const auto account = two.Get("/api/account", bearer);
    ASSERT_TRUE(account);
    ASSERT_EQ(account->status, 200) << account->body;
    const auto guild = nlohmann::json::parse(account->body)["guilds"][1];

    const nlohmann::json upload = {{"guildId", guild["guildId"]},
                                   {"dkpId", guild["dkpSystems"][0]["id"]},
                                   {"name", "Dusk night"},
                                   {"note", ""},
                                   {"document", dkpsite_testing::sampleRaidDocument()}};
    const auto uploaded = two.Post("/api/events", bearer, upload.dump(), "application/json");
    ASSERT_TRUE(uploaded);
    ASSERT_EQ(uploaded->status, 200) << uploaded->body;

    // The upload made on the second is in the first's list.
    const auto list = one.Get("/api/guild-dkp-list?site=" + guild["site"].get<std::string>());
    ASSERT_TRUE(list);
    EXPECT_NE(list->body.find("[\"PlayerOne\"]"), std::string::npos) << list->body;

    // Failed logins counted by the first hold on the second: the right password waits too.
    const nlohmann::json wrong = {{"user", "demo"}, {"digest", encrypt::SHA("wrong")}};
    for (int i = 0; i < kMaxFailedLogins; ++i) {
        const auto refused = one.Post("/api/login", wrong.dump(), "application/json");
        ASSERT_TRUE(refused);
        ASSERT_EQ(refused->status, 401) << refused->body;
    }
    const auto throttled = two.Post("/api/login", login.dump(), "application/json");
    ASSERT_TRUE(throttled);
    EXPECT_EQ(throttled->status, 429) << throttled->body;
    const int retryAfter = std::stoi("0" + throttled->get_header_value("Retry-After"));
    EXPECT_GT(retryAfter, 0);
    EXPECT_LE(retryAfter, kFailedLoginWindowMs / 1000);
    // The session made before still serves on both.
    EXPECT_EQ(two.Get("/api/account", bearer)->status, 200);
}

} // namespace
} // namespace dkpsite
