#pragma once

#include "auth/login_throttle.h"
#include "auth/password_work.h"
#include "store/site_store.h"

#include <cstdint>
#include <string>

namespace dkpsite {

// Logins wait for the password work beyond this many at once: with request threads to spare
// (http/server_limits.h), the other requests are served meanwhile.
inline constexpr std::size_t kMaxWaitingLogins = 64;

struct LoginResult {
    enum Kind { LoggedIn, Refused, Throttled, Busy };
    Kind kind = Refused;
    std::string token;                  // LoggedIn: the new session
    std::int64_t retryAfterSeconds = 0; // Throttled, Busy
};

// What an account operation that works out a verifier came to: turned away at the gate, or let
// through with the store's outcome.
template <typename Outcome> struct GatedResult {
    enum Kind { Done, Throttled, Busy };
    Kind kind = Done;
    Outcome outcome{};                  // Done
    std::int64_t retryAfterSeconds = 0; // Throttled, Busy
};

// Every login, by the client's protocol or on a web page, goes through here: throttled per
// account and per address, worked out in the password pool, and as slow for an unknown name as
// for a known one, so that its time does not tell which names exist.
//
// So does every other request that works out a password verifier (a password change, a
// registration, a reset): each waits for the same pool, and each wrong guess counts as a failed
// login, so that none of them lets a guesser past the login's limit.
class LoginGate {
public:
    // `passwordIterations`: the rounds of the store's verifiers, which an unknown name costs too.
    LoginGate(SiteStore& store, LoginThrottle& throttle, PasswordWork& work,
              int passwordIterations = kPasswordIterations);

    // `digest` is the SHA-256 hex digest of the password (docs/protocol.md).
    LoginResult attempt(const std::string& name, const std::string& digest,
                        const std::string& address, std::int64_t nowMs);

    // SiteStore::changePassword. A wrong old password is a failed login of the session's
    // account from `address`.
    GatedResult<PasswordChange> changePassword(const std::string& token,
                                               const std::string& oldDigest,
                                               const std::string& newDigest,
                                               const std::string& address, std::int64_t nowMs);
    // SiteStore::registerAccount. A wrong invite, or a name that is taken, is a failed login
    // from the address (not of the name: that would let anyone lock an account out).
    GatedResult<Registration> registerAccount(const std::string& site, const std::string& name,
                                              const std::string& passwordDigest,
                                              const std::string& invite, const Origin& origin);
    // SiteStore::resetPassword. A token that serves no reset is a failed login from the
    // address; a reset forgets the account's failed logins, as a login does.
    GatedResult<bool> resetPassword(const std::string& token, const std::string& passwordDigest,
                                    const Origin& origin);

private:
    SiteStore& store_;
    LoginThrottle& throttle_;
    PasswordWork& work_;
    // A verifier of no one's password, to spend on a name that has no account the work its
    // verifier would have cost.
    const std::string standInVerifier_;
};

} // namespace dkpsite
