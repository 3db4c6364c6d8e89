// What a guild's officers keep in order besides points, on both engines: archived DKP systems,
// inactive characters, and a guild filled from an archive.
#include "ledger/points_rules.h"
#include "seeded_guild.h"
#include "store/guild_archive.h"
#include "store/site_store.h"

#include <functional>
#include <gtest/gtest.h>

namespace dkpsite {
namespace {

using dkpsite_testing::kQuickIterations;
using dkpsite_testing::TestDatabase;

class GuildUpkeep : public dkpsite_testing::SeededGuildTest {
protected:
    std::size_t auditCount(const std::string& action) {
        std::size_t count = 0;
        for (const AuditRecord& record : store_->audit(guild_))
            count += record.action == action;
        return count;
    }

    const Origin officer_{"leader", EntrySource::Web, "192.0.2.1", 3000};
};

TEST_P(GuildUpkeep, ArchivedSystemKeepsItsLedgerAndRefusesEveryChange) {
    const UploadResult stored = store_->storeEvent(token_, sampleEvent(system_), 2500);
    ASSERT_EQ(stored.outcome, UploadOutcome::Created);
    store_->adjust(system_, "PlayerTwo", 5, "on time", officer_);

    // The guild's only open system cannot be archived: raids need somewhere to go.
    EXPECT_THROW(store_->setDkpSystemArchived(system_, true, officer_), LedgerError);
    const std::int64_t next = store_->addDkpSystem(guild_, "Next", officer_);
    store_->setDkpSystemArchived(system_, true, officer_);
    EXPECT_TRUE(store_->guildByRowId(guild_)->systems[0].archived());

    const auto ledger = store_->ledger(system_);
    const auto standings = store_->standings(system_);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"adjust", [&] { store_->adjust(system_, "PlayerOne", 1, "why", officer_); }},
        {"decay",
         [&] {
             store_->decay(system_, {10, 0}, officer_);
         }},
        {"correct", [&] { store_->correct(ledger.front().id, "why", officer_); }},
        {"loot cost", [&] { store_->editLootCost(stored.eventId, 0, 1, "why", officer_); }},
        {"kill points", [&] { store_->editKillPoints(stored.eventId, 0, 1, "why", officer_); }},
        {"attendee",
         [&] { store_->removeKillAttendee(stored.eventId, 0, "PlayerTwo", "why", officer_); }},
        {"describe", [&] { store_->describeEvent(stored.eventId, "n", "", "why", officer_); }},
        {"remove", [&] { store_->removeEvent(stored.eventId, "why", officer_); }},
    };
    for (const auto& [what, change] : changes) {
        try {
            change();
            ADD_FAILURE() << what << " changed an archived system";
        } catch (const LedgerError& e) {
            EXPECT_NE(std::string(e.what()).find("\"Main\" is archived"), std::string::npos)
                << what << ": " << e.what();
        }
    }
    // A new document is refused; the stored one still answers with its event, as before.
    EXPECT_EQ(store_->storeEvent(token_, sampleEvent(system_, "<!-- 2 -->"), 4000).outcome,
              UploadOutcome::ArchivedDkpSystem);
    EXPECT_EQ(store_->storeEvent(token_, sampleEvent(system_), 4000).eventId, stored.eventId);
    EXPECT_EQ(store_->ledger(system_).size(), ledger.size());
    EXPECT_EQ(store_->standings(system_)[0].dkp(), standings[0].dkp());
    EXPECT_EQ(store_->event(stored.eventId)->name, "event");
    // The other system takes the raid.
    EXPECT_EQ(store_->storeEvent(token_, sampleEvent(next, "<!-- 2 -->"), 4000).outcome,
              UploadOutcome::Created);

    // Opened again, it takes changes again; both steps are in the audit log.
    store_->setDkpSystemArchived(system_, false, officer_);
    store_->adjust(system_, "PlayerOne", 1, "why", officer_);
    EXPECT_EQ(auditCount("archive DKP system"), 1u);
    EXPECT_EQ(auditCount("reopen DKP system"), 1u);
    EXPECT_EQ(store_->check(), std::vector<std::string>());
}

TEST_P(GuildUpkeep, InactiveCharacterKeepsItsPoints) {
    ASSERT_EQ(store_->storeEvent(token_, sampleEvent(system_), 2500).outcome,
              UploadOutcome::Created);
    store_->setCharacterActive(guild_, "PlayerOne", false, officer_);
    store_->setCharacterActive(guild_, "PlayerOne", false, officer_); // no change, no record
    EXPECT_THROW(store_->setCharacterActive(guild_, "Nobody", false, officer_), LedgerError);

    const auto characters = store_->characters(guild_);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[0].name, "PlayerOne");
    EXPECT_EQ(characters[0].playerClass, "Warrior");
    EXPECT_FALSE(characters[0].active);
    EXPECT_TRUE(characters[1].active);
    EXPECT_EQ(store_->standings(system_)[0].dkp(), -40);
    EXPECT_EQ(auditCount("mark character inactive"), 1u);

    // A later raid neither forgets the mark nor loses the points.
    store_->storeEvent(token_, sampleEvent(system_, "<!-- 2 -->"), 2600);
    EXPECT_FALSE(store_->characters(guild_)[0].active);
    EXPECT_EQ(store_->standings(system_)[0].dkp(), -80);
    store_->setCharacterActive(guild_, "PlayerOne", true, officer_);
    EXPECT_TRUE(store_->characters(guild_)[0].active);
}

TEST_P(GuildUpkeep, EmptyGuildTakesAnArchiveAndAFullOneRefusesIt) {
    // The guild to move: a raid, an alt, an inactive character, an archived system, and a
    // member whose account the target site has too.
    const std::int64_t old = store_->addDkpSystem(guild_, "Old", officer_);
    store_->storeEvent(token_, sampleEvent(system_), 2500);
    store_->storeEvent(token_, sampleEvent(old), 2500);
    store_->linkAlt(guild_, "PlayerTwo", "PlayerOne", officer_);
    store_->setCharacterActive(guild_, "PlayerOne", false, officer_);
    store_->setDkpSystemArchived(old, true, officer_);
    store_->addMembership(store_->addUser("raider", "raider digest"), guild_, true, "officer");
    const std::string archive = exportGuild(store_->database(), "guild_dkp");

    TestDatabase other(GetParam());
    SiteStore target(other.target(), kQuickIterations);
    const std::int64_t admin = target.addUser("boss", "boss digest");
    target.addUser("raider", "someone else's digest");
    const std::int64_t home = target.addGuild("Home", "home_dkp", 10);
    const std::int64_t first = target.addDkpSystem(home, "DKP");
    target.addMembership(admin, home, true);

    importIntoGuild(target.database(), home, archive, officer_);
    const SiteGuild guild = target.guildByRowId(home).value();
    EXPECT_EQ(guild.site, "home_dkp");
    ASSERT_EQ(guild.systems.size(), 2u);
    EXPECT_EQ(guild.systems[0].id, first); // the guild's own system took the first one's place
    EXPECT_EQ(guild.systems[0].name, "Main");
    EXPECT_TRUE(guild.systems[1].archived());
    for (std::size_t i = 0; i < 2; ++i) {
        const auto was = store_->standings(i == 0 ? system_ : old);
        const auto now = target.standings(guild.systems[i].id);
        ASSERT_EQ(now.size(), was.size());
        for (std::size_t j = 0; j < was.size(); ++j)
            EXPECT_EQ(now[j].name + std::to_string(now[j].dkp()),
                      was[j].name + std::to_string(was[j].dkp()));
    }
    EXPECT_FALSE(target.characters(home)[0].active);
    // "leader" is new here and joins; "raider" is someone else's account and does not.
    const auto members = target.members(home);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].user, "boss");
    EXPECT_EQ(members[1].user, "leader");
    EXPECT_TRUE(target.login("leader", "digest", 5000));
    EXPECT_TRUE(target.login("raider", "someone else's digest", 5000));
    EXPECT_EQ(target.check(), std::vector<std::string>());

    // Now the guild has raids: a second import is refused and writes nothing.
    const auto audit = target.audit(home).size();
    try {
        importIntoGuild(target.database(), home, archive, officer_);
        ADD_FAILURE() << "a guild with raids took an archive";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("not empty"), std::string::npos) << e.what();
    }
    EXPECT_THROW(importIntoGuild(target.database(), home, "{\"format\": 1", officer_),
                 ArchiveError);
    EXPECT_EQ(target.audit(home).size(), audit);
    EXPECT_EQ(target.guildByRowId(home)->systems.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Engines, GuildUpkeep,
                         ::testing::Values(Engine::Sqlite, Engine::Postgresql),
                         dkpsite_testing::engineName);

} // namespace
} // namespace dkpsite
