// A database written by the first dkpsite (its demo, then the sample raid uploaded once to the
// first guild's second system and twice to the second guild) opens with the same DKP lists.
#include "api/api_routes.h"
#include "store/site_store.h"
#include "testsupport/temporary_folder.h"
#include "utilkit/encrypt.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>

namespace dkpsite {
namespace {

std::string fixture(const std::string& name) {
    std::ifstream file(RL_SOURCE_DIR "/tests/site/store/first_site/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The database as the first site left it, from its dump.
void restoreDump(const std::string& path) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int status =
        sqlite3_exec(db, fixture("demo_with_uploads.sql").c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(status, SQLITE_OK) << error;
}

TEST(FirstSiteDatabase, OpensWithTheSameDkpListsAndKeepsItsAccounts) {
    const testsupport::TemporaryFolder folder;
    const std::string path = folder.path("site.db").string();
    restoreDump(path);
    for (int opening = 0; opening < 2; ++opening) {
        SiteStore store(path, 1000);
        EXPECT_EQ(guildDkpListText(store, "adpt_dkp"), fixture("adpt_dkp_list.lua"));
        EXPECT_EQ(guildDkpListText(store, "dusk_dkp"), fixture("dusk_dkp_list.lua"));
        EXPECT_EQ(store.check(), std::vector<std::string>());
    }
    SiteStore store(path, 1000);
    const auto token = store.login("demo", encrypt::SHA("demo"), 1);
    ASSERT_TRUE(token);
    const auto account = store.account(*token, 2);
    ASSERT_TRUE(account && account->defaultGuild);
    EXPECT_EQ(account->defaultGuild->site, "adpt_dkp");
    ASSERT_EQ(account->guilds.size(), 2u);
    EXPECT_EQ(account->guilds[1].site, "dusk_dkp");
    // The raid the first site counted twice answers a third upload with its first event.
    const auto first = store.event(5);
    ASSERT_TRUE(first);
    NewEvent again{first->guildId, first->dkpId, "again", "", first->document, first->raid};
    const UploadResult result = store.storeEvent(*token, again, 3);
    EXPECT_EQ(result.outcome, UploadOutcome::AlreadyStored);
    EXPECT_EQ(result.eventId, 5);
}

} // namespace
} // namespace dkpsite
