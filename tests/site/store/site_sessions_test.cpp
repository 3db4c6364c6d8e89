// How SiteStore keeps passwords and sessions, and how it takes over a database of the earlier
// form.
#include "store/database.h"
#include "store/password_verifier.h"
#include "store/site_store.h"
#include "testsupport/temporary_folder.h"
#include "utilkit/encrypt.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace dkpsite {
namespace {

constexpr int kQuickIterations = 1000;

std::string storedVerifier(const std::filesystem::path& database, const std::string& user) {
    Database db(database.string());
    Database::Connection connection(db);
    std::string verifier;
    connection.sql() << "SELECT password_hash FROM users WHERE name = :name",
        soci::use(user, "name"), soci::into(verifier);
    return verifier;
}

TEST(SiteSessions, SessionsEndAfterTheirIdleLimitOrOnLogout) {
    SiteStore store(":memory:", kQuickIterations);
    store.addUser("leader", "digest");
    const std::string token = store.login("leader", "digest", 0).value();
    // Every use keeps the session alive for another full idle limit.
    EXPECT_TRUE(store.account(token, kSessionIdleLimitMs - 1));
    EXPECT_TRUE(store.account(token, 2 * kSessionIdleLimitMs - 2));
    NewEvent event{"no guild", 1, "e", "", "", {}};
    EXPECT_EQ(store.storeEvent(token, event, 3 * kSessionIdleLimitMs - 3).outcome,
              UploadOutcome::UnknownGuild);
    EXPECT_FALSE(store.account(token, 4 * kSessionIdleLimitMs - 3));
    EXPECT_FALSE(store.account(token, 0)); // an ended session stays ended

    const std::string other = store.login("leader", "digest", 0).value();
    EXPECT_TRUE(store.logout(other));
    EXPECT_FALSE(store.account(other, 0));
    EXPECT_FALSE(store.logout(other));
    EXPECT_FALSE(store.logout(""));
}

TEST(SiteSessions, PasswordVerifiersAreSaltedAndSlow) {
    const std::string first = makePasswordVerifier("digest", 2000);
    const std::string second = makePasswordVerifier("digest", 2000);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind("pbkdf2-sha256$2000$", 0), 0u) << first;
    EXPECT_TRUE(matchesPasswordVerifier(first, "digest"));
    EXPECT_TRUE(matchesPasswordVerifier(second, "digest"));
    EXPECT_FALSE(matchesPasswordVerifier(first, "digesT"));
    std::string altered = first;
    altered.back() = altered.back() == '0' ? '1' : '0';
    EXPECT_FALSE(matchesPasswordVerifier(altered, "digest"));
    for (const std::string& broken :
         {std::string(), std::string("digest"), encrypt::SHA("digest"),
          std::string("pbkdf2-sha256$0$00$00"), std::string("pbkdf2-sha256$999999999999$00$00"),
          first.substr(0, first.size() - 2), std::string("pbkdf2-sha256$10$zz$") + "00"})
        EXPECT_FALSE(matchesPasswordVerifier(broken, "digest")) << broken;
}

TEST(SiteSessions, StoreKeepsOnlyVerifiersOfTheDigest) {
    const testsupport::TemporaryFolder folder;
    {
        SiteStore store(folder.path("site.db").string(), kQuickIterations);
        store.addUser("leader", "digest");
    }
    const std::string stored = storedVerifier(folder.path("site.db"), "leader");
    EXPECT_EQ(stored.rfind("pbkdf2-sha256$1000$", 0), 0u) << stored;
    EXPECT_TRUE(matchesPasswordVerifier(stored, "digest"));
}

TEST(SiteSessions, DatabaseOfTheEarlierFormIsTakenOverWhenOpened) {
    const testsupport::TemporaryFolder folder;
    const std::string path = folder.path("old.db").string();
    const std::string oldHash = encrypt::SHA("5eed:digest");
    {
        // Users with one unsalted-iteration SHA-256 of salt ":" digest, sessions without times.
        Database old(path);
        Database::Connection connection(old);
        soci::session& sql = connection.sql();
        sql << "CREATE TABLE users(id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL, "
               "salt TEXT NOT NULL, password_hash TEXT NOT NULL)";
        sql << "CREATE TABLE sessions(token TEXT PRIMARY KEY, "
               "user INTEGER NOT NULL REFERENCES users(id))";
        sql << "INSERT INTO users(name, salt, password_hash) VALUES('leader', '5eed', :hash)",
            soci::use(oldHash, "hash");
        sql << "INSERT INTO sessions VALUES('old-token', 1)";
    }
    {
        SiteStore store(path, kQuickIterations);
        // Taken over on opening, before anyone logs in: the fast hash is gone.
        const std::string wrapped = storedVerifier(path, "leader");
        EXPECT_EQ(wrapped.find(oldHash), std::string::npos);
        EXPECT_NE(wrapped.find("pbkdf2-sha256$1000$"), std::string::npos) << wrapped;
        const std::int64_t now = 1'700'000'000'000;
        EXPECT_FALSE(store.account("old-token", now)); // a session of unknown age is over

        EXPECT_FALSE(store.login("leader", "wrong", now));
        const auto token = store.login("leader", "digest", now);
        ASSERT_TRUE(token);
        EXPECT_TRUE(store.account(*token, now + 1));
        store.addUser("newcomer", "other digest"); // into the table of the earlier form
        EXPECT_TRUE(store.login("newcomer", "other digest", now));
    }
    // The first login replaces the wrapped hash by a verifier of the digest itself.
    const std::string stored = storedVerifier(path, "leader");
    EXPECT_EQ(stored.rfind("pbkdf2-sha256$1000$", 0), 0u) << stored;
    EXPECT_TRUE(matchesPasswordVerifier(stored, "digest"));
    SiteStore reopened(path, kQuickIterations);
    EXPECT_TRUE(reopened.login("leader", "digest", 0));
}

} // namespace
} // namespace dkpsite
