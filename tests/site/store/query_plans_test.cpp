// The reads of the requests a hosted site answers most (a guild's DKP list, its guild page, a
// member's page and history, an event page) find their rows through the indexes made for them.
// A database this small answers quickly whatever the plan; at 200 guilds of 450 raids a lost
// index is a full scan of millions of rows, so the plans themselves are checked here (SQLite,
// without statistics, as a site's database is until someone runs ANALYZE).
#include "api/api_routes.h"
#include "sample_raid.h"
#include "web/store_page_data.h"

#include <cctype>
#include <set>

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

bool isNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The name that follows `from` in `text`.
std::string nameAt(const std::string& text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isNameCharacter(text[end]))
        ++end;
    return text.substr(from, end - from);
}

// The tables a statement makes for itself: its WITH tables ("name AS (").
std::set<std::string> ownTables(const std::string& statement) {
    std::set<std::string> names;
    for (std::size_t at = statement.find(" AS ("); at != std::string::npos;
         at = statement.find(" AS (", at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && isNameCharacter(statement[begin - 1]))
            --begin;
        names.insert(statement.substr(begin, at - begin));
    }
    return names;
}

TEST(QueryPlans, HotReadsSearchIndexesAndScanNoTable) {
    SiteStore store(":memory:", 1000);
    const std::int64_t user = store.addUser("leader", "digest");
    const std::int64_t guild = store.addGuild("Guild", "guild", 0, true);
    const std::int64_t system = store.addDkpSystem(guild, "DKP");
    store.addMembership(user, guild, true);
    const std::string token = store.login("leader", "digest", 0).value();
    std::string error;
    NewEvent upload{"Guild", system, "raid", "", dkpsite_testing::sampleRaidDocument(), {}};
    upload.raid = parseRaidDocument(upload.document, error).value();
    const std::int64_t event = store.storeEvent(token, upload, 0).eventId;

    // ":memory:" is one connection: every read below runs on this session.
    std::vector<std::string> statements;
    bool recording = true;
    {
        Database::Connection connection(store.database());
        connection.sql().set_query_transformation([&](const std::string& query) {
            if (recording)
                statements.push_back(query);
            return query;
        });
    }
    StorePageData pages(store);
    ASSERT_TRUE(guildDkpListText(store, "guild"));
    ASSERT_EQ(pages.standings(system).size(), 2u);
    ASSERT_EQ(pages.latestEvents(guild, 10).size(), 1u);
    ASSERT_EQ(pages.latestLoot(guild, 15).size(), 1u);
    ASSERT_EQ(pages.timeline(system, "PlayerOne", 1, 100).entries.size(), 2u);
    ASSERT_EQ(pages.raidBalances(system, "PlayerOne").size(), 1u);
    ASSERT_EQ(pages.raidPresence(system, "PlayerOne").size(), 1u);
    ASSERT_EQ(pages.lootOf(system, "PlayerOne").size(), 1u);
    ASSERT_TRUE(pages.event(event));

    Database::Connection connection(store.database());
    soci::session& sql = connection.sql();
    recording = false;
    // A scan of a table, or of all of an index, fails; the scans of a query's own parts (its
    // WITH tables, its subqueries) read what the query made.
    std::set<std::string> indexes;
    for (const std::string& statement : statements) {
        const std::set<std::string> ownParts = ownTables(statement);
        const soci::rowset<soci::row> plan = (sql.prepare << "EXPLAIN QUERY PLAN " + statement);
        for (const soci::row& row : plan) {
            const std::string step = row.get<std::string>(3);
            if (step.rfind("SCAN ", 0) == 0) {
                const std::string scanned = nameAt(step, 5);
                EXPECT_TRUE(scanned.empty() || ownParts.count(scanned))
                    << step << "\n  in " << statement;
            }
            if (const std::size_t index = step.find("INDEX "); index != std::string::npos)
                indexes.insert(nameAt(step, index + 6));
        }
    }
    for (const char* index :
         {"ledger_entries_history", "ledger_entries_time", "events_listing", "events_guild_newest",
          "event_members_names", "event_loot_player", "event_loot_event", "kill_attendees_kill"})
        EXPECT_TRUE(indexes.count(index)) << index << " is used by none of the reads";
}

} // namespace
} // namespace dkpsite
