// Logins as the site's protocol and pages make them: throttled per account and per address,
// and recovering once the window has passed. The clock is the test's.
#include "auth/login_gate.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

constexpr std::int64_t kStart = 1'700'000'000'000;

class LoginGateTest : public ::testing::Test {
protected:
    LoginGateTest() {
        store_.addUser("leader", "right");
        store_.addUser("healer", "right");
    }

    LoginResult::Kind attempt(const std::string& name, const std::string& digest,
                              const std::string& address, std::int64_t nowMs) {
        last_ = logins_.attempt(name, digest, address, nowMs);
        return last_.kind;
    }

    SiteStore store_{":memory:", 1000};
    LoginThrottle throttle_{store_};
    PasswordWork work_{1, 4};
    LoginGate logins_{store_, throttle_, work_, 1000};
    LoginResult last_;
};

TEST_F(LoginGateTest, TenFailuresForAnAccountRefuseItUntilTheWindowHasPassed) {
    for (int i = 0; i < kMaxFailedLogins; ++i)
        EXPECT_EQ(attempt("Leader", "wrong", "10.0.0." + std::to_string(i), kStart + i * 1000),
                  LoginResult::Refused);
    // Even the right password waits, from any address; the account's first failure leaves the
    // window 15 minutes after it came.
    const std::int64_t later = kStart + 60'000;
    EXPECT_EQ(attempt("leader", "right", "10.9.9.9", later), LoginResult::Throttled);
    EXPECT_EQ(last_.retryAfterSeconds, (kFailedLoginWindowMs - 60'000) / 1000);
    // Other accounts are not held up.
    EXPECT_EQ(attempt("healer", "right", "10.9.9.9", later), LoginResult::LoggedIn);
    // Once the first failure has left the window, one more try is allowed.
    EXPECT_EQ(attempt("leader", "right", "10.9.9.9", kStart + kFailedLoginWindowMs - 1),
              LoginResult::Throttled);
    EXPECT_EQ(last_.retryAfterSeconds, 1);
    EXPECT_EQ(attempt("leader", "right", "10.9.9.9", kStart + kFailedLoginWindowMs),
              LoginResult::LoggedIn);
    EXPECT_FALSE(last_.token.empty());
    // The success wiped the account's failures.
    EXPECT_EQ(attempt("leader", "wrong", "10.9.9.8", kStart + kFailedLoginWindowMs + 1),
              LoginResult::Refused);
}

TEST_F(LoginGateTest, TenFailuresFromAnAddressRefuseItWhateverTheName) {
    // Names with and without accounts count alike.
    for (int i = 0; i < kMaxFailedLogins; ++i)
        EXPECT_EQ(
            attempt(i % 2 ? "leader" : "nobody" + std::to_string(i), "wrong", "10.0.0.1", kStart),
            LoginResult::Refused);
    EXPECT_EQ(attempt("healer", "right", "10.0.0.1", kStart), LoginResult::Throttled);
    EXPECT_EQ(last_.retryAfterSeconds, kFailedLoginWindowMs / 1000);
    EXPECT_EQ(attempt("healer", "right", "10.0.0.2", kStart), LoginResult::LoggedIn);
    EXPECT_EQ(attempt("healer", "right", "10.0.0.1", kStart + kFailedLoginWindowMs),
              LoginResult::LoggedIn);
}

// A password change, a registration and a reset work out verifiers too: each waits its turn in
// the same pool, and each wrong guess counts against the login limit of its account or address.
TEST_F(LoginGateTest, AccountChangesShareThePasswordPoolAndTheLimitOfLogins) {
    const auto from = [](const std::string& address, std::int64_t atMs) {
        return Origin{"visitor", EntrySource::Web, address, atMs};
    };
    const auto is = [](const auto& result, auto kind) { return result.kind == kind; };
    using Change = GatedResult<PasswordChange>;
    using Joining = GatedResult<Registration>;
    using Reset = GatedResult<bool>;
    const std::int64_t guild = store_.addGuild("Guild", "guild", kStart);
    store_.setRegistration(guild, RegistrationPolicy::Invite);
    const std::string invite = store_.createInvite(guild, from("10.0.0.1", kStart));
    const std::string session = store_.login("leader", "right", kStart).value();
    const std::string reset = store_.issuePasswordReset("healer", from("", kStart)).value();

    // While the pool is full, each is turned away and nothing changes.
    PasswordWork full{1, 0};
    LoginGate crowded{store_, throttle_, full, 1000};
    full.run([&] {
        EXPECT_TRUE(
            is(crowded.changePassword(session, "right", "new", "10.0.0.1", kStart), Change::Busy));
        EXPECT_TRUE(
            is(crowded.registerAccount("guild", "newcomer", "d", invite, from("10.0.0.1", kStart)),
               Joining::Busy));
        EXPECT_TRUE(is(crowded.resetPassword(reset, "new", from("10.0.0.1", kStart)), Reset::Busy));
    });
    EXPECT_TRUE(store_.account(session, kStart));
    EXPECT_FALSE(store_.findUser("newcomer"));
    EXPECT_EQ(store_.passwordResetUser(reset, kStart), "healer");

    // Wrong old passwords, from anywhere, hold the account's changes and logins alike.
    for (int i = 0; i < kMaxFailedLogins; ++i) {
        const auto wrong = logins_.changePassword(session, "guess", "new",
                                                  "10.1.0." + std::to_string(i), kStart + i);
        ASSERT_TRUE(is(wrong, Change::Done));
        EXPECT_EQ(wrong.outcome.outcome, PasswordChange::WrongPassword);
    }
    const auto held = logins_.changePassword(session, "right", "new", "10.1.9.9", kStart + 60'000);
    EXPECT_TRUE(is(held, Change::Throttled));
    EXPECT_EQ(held.retryAfterSeconds, (kFailedLoginWindowMs - 60'000) / 1000);
    EXPECT_EQ(attempt("leader", "right", "10.1.9.9", kStart + 60'000), LoginResult::Throttled);
    const std::int64_t later = kStart + kFailedLoginWindowMs + kMaxFailedLogins;
    const auto changed = logins_.changePassword(session, "right", "new", "10.1.9.9", later);
    ASSERT_TRUE(is(changed, Change::Done));
    EXPECT_EQ(changed.outcome.outcome, PasswordChange::Changed);
    EXPECT_EQ(attempt("leader", "new", "10.1.9.9", later), LoginResult::LoggedIn);

    // Wrong invites, taken names and unknown reset links count against the address, never
    // against the name taken: otherwise anyone could lock an account out by registering its name.
    for (int i = 0; i < kMaxFailedLogins; ++i) {
        const Origin guesser = from("10.2.0.9", later);
        if (i % 3 == 0) {
            EXPECT_EQ(logins_.registerAccount("guild", "Leader", "d", invite, guesser).outcome,
                      Registration::NameTaken);
        } else if (i % 3 == 1) {
            EXPECT_EQ(logins_.registerAccount("guild", "newcomer", "d", "forged", guesser).outcome,
                      Registration::BadInvite);
        } else {
            const auto guessed = logins_.resetPassword("forged", "d", guesser);
            EXPECT_TRUE(is(guessed, Reset::Done) && !guessed.outcome);
        }
    }
    EXPECT_TRUE(is(logins_.resetPassword(reset, "new", from("10.2.0.9", later)), Reset::Throttled));
    EXPECT_EQ(attempt("healer", "right", "10.2.0.9", later), LoginResult::Throttled);
    EXPECT_EQ(attempt("leader", "new", "10.2.0.8", later), LoginResult::LoggedIn);
    EXPECT_EQ(
        logins_.registerAccount("guild", "newcomer", "d", invite, from("10.2.0.8", later)).outcome,
        Registration::Registered);

    // A reset frees an account that guessers hold, as a login would; its link serves once.
    for (int i = 0; i < kMaxFailedLogins; ++i)
        attempt("healer", "guess", "10.3.0." + std::to_string(i), later);
    EXPECT_EQ(attempt("healer", "right", "10.3.1.1", later), LoginResult::Throttled);
    EXPECT_TRUE(logins_.resetPassword(reset, "new", from("10.3.1.1", later)).outcome);
    EXPECT_EQ(attempt("healer", "new", "10.3.1.1", later), LoginResult::LoggedIn);
    EXPECT_FALSE(logins_.resetPassword(reset, "newer", from("10.3.1.1", later)).outcome);
}

TEST(PasswordWorkTest, CallersBeyondTheWaitingBoundAreTurnedAway) {
    PasswordWork work(1, 0);
    bool nestedRan = true;
    // While the only slot is busy, a caller that may not wait is refused at once.
    EXPECT_TRUE(work.run([&] { nestedRan = work.run([] {}); }));
    EXPECT_FALSE(nestedRan);
    EXPECT_TRUE(work.run([] {}));
}

} // namespace
} // namespace dkpsite
