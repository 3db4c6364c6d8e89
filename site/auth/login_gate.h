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

// Every login, by the client's protocol or on a web page, goes through here: throttled per
// account and per address, worked out in the password pool, and as slow for an unknown name as
// for a known one, so that its time does not tell which names exist.
class LoginGate {
public:
    // `passwordIterations`: the rounds of the store's verifiers, which an unknown name costs too.
    LoginGate(SiteStore& store, LoginThrottle& throttle, PasswordWork& work,
              int passwordIterations = kPasswordIterations);

    // `digest` is the SHA-256 hex digest of the password (docs/protocol.md).
    LoginResult attempt(const std::string& name, const std::string& digest,
                        const std::string& address, std::int64_t nowMs);

private:
    SiteStore& store_;
    LoginThrottle& throttle_;
    PasswordWork& work_;
    // A verifier of no one's password, to spend on a name that has no account the work its
    // verifier would have cost.
    const std::string standInVerifier_;
};

} // namespace dkpsite
