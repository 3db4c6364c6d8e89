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

// One account's sessions through their life: each login a new token, kept alive by use until
// it idles or reaches its absolute limit, and ended by logout and by a password change.
TEST(SiteSessions, SessionsEndByIdlingAgeLogoutAndPasswordChange) {
    const testsupport::TemporaryFolder folder;
    const std::string path = folder.path("site.db").string();
    SiteStore store(path, kQuickIterations);
    store.addUser("leader", "digest");
    const std::string token = store.login("leader", "digest", 0).value();
    EXPECT_GE(token.size(), 32u); // at least 128 bits, as hex

    // Kept alive by every use, here and by an upload, until it idles.
    EXPECT_TRUE(store.account(token, kSessionIdleLimitMs - 1));
    EXPECT_TRUE(store.account(token, 2 * kSessionIdleLimitMs - 2));
    NewEvent event{"no guild", 1, "e", "", "", {}};
    EXPECT_EQ(store.storeEvent(token, event, 3 * kSessionIdleLimitMs - 3).outcome,
              UploadOutcome::UnknownGuild);
    EXPECT_FALSE(store.account(token, 4 * kSessionIdleLimitMs - 3));
    EXPECT_FALSE(store.account(token, 0)); // an ended session stays ended

    // Used without pause, a session still ends at its absolute limit.
    const std::string busy = store.login("leader", "digest", 0).value();
    for (std::int64_t at = 0; at < kSessionAbsoluteLimitMs; at += kSessionIdleLimitMs / 2)
        ASSERT_TRUE(store.account(busy, at)) << at;
    EXPECT_FALSE(store.account(busy, kSessionAbsoluteLimitMs));

    // Each login a token of its own, both alive (the client and a browser); logout ends one.
    const std::int64_t now = 10 * kSessionAbsoluteLimitMs;
    const std::string client = store.login("leader", "digest", now).value();
    const std::string browser = store.login("leader", "digest", now).value();
    EXPECT_NE(client, browser);
    EXPECT_TRUE(store.logout(client));
    EXPECT_FALSE(store.account(client, now));
    EXPECT_FALSE(store.logout(client));
    EXPECT_FALSE(store.logout(""));
    EXPECT_TRUE(store.account(browser, now));

    // A password change needs the current password and ends every session but the new one.
    const std::string other = store.login("leader", "digest", now).value();
    EXPECT_EQ(store.changePassword(browser, "wrong", "new digest", now, "").outcome,
              PasswordChange::WrongPassword);
    EXPECT_TRUE(store.account(other, now));
    EXPECT_EQ(store.changePassword(client, "digest", "new digest", now, "").outcome,
              PasswordChange::NotLoggedIn);
    const PasswordChange changed = store.changePassword(browser, "digest", "new digest", now, "");
    ASSERT_EQ(changed.outcome, PasswordChange::Changed);
    EXPECT_FALSE(store.account(browser, now));
    EXPECT_FALSE(store.account(other, now));
    EXPECT_TRUE(store.account(changed.token, now));
    EXPECT_FALSE(store.login("leader", "digest", now));
    EXPECT_TRUE(store.login("leader", "new digest", now));

    // The command line's new password ends them too.
    EXPECT_TRUE(store.setPassword("leader", "third digest"));
    EXPECT_FALSE(store.account(changed.token, now));

    // The database holds no token, only their digests.
    const std::string kept = store.login("leader", "third digest", now).value();
    Database db(path);
    Database::Connection connection(db);
    const std::string digest = encrypt::SHA(kept);
    long long plain = 0, hashed = 0;
    connection.sql() << "SELECT COUNT(*) FROM sessions WHERE token_hash = :token",
        soci::use(kept, "token"), soci::into(plain);
    connection.sql() << "SELECT COUNT(*) FROM sessions WHERE token_hash = :hash",
        soci::use(digest, "hash"), soci::into(hashed);
    EXPECT_EQ(plain, 0);
    EXPECT_EQ(hashed, 1);
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

    // A site that makes verifiers of more rounds remakes each one at its user's next login.
    SiteStore stronger(folder.path("site.db").string(), 2 * kQuickIterations);
    EXPECT_FALSE(stronger.login("leader", "wrong", 0));
    EXPECT_EQ(storedVerifier(folder.path("site.db"), "leader"), stored);
    EXPECT_TRUE(stronger.login("leader", "digest", 0));
    const std::string remade = storedVerifier(folder.path("site.db"), "leader");
    EXPECT_EQ(remade.rfind("pbkdf2-sha256$2000$", 0), 0u) << remade;
    EXPECT_TRUE(matchesPasswordVerifier(remade, "digest"));
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
