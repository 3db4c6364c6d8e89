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
