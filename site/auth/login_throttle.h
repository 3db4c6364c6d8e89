#pragma once

#include "store/site_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dkpsite {

// Failed logins allowed for one account, or from one address, within the window; the next
// attempt is refused until the oldest of them has left the window.
inline constexpr int kMaxFailedLogins = 10;
inline constexpr std::int64_t kFailedLoginWindowMs = 15LL * 60 * 1000;

// Decides whether a login may be tried: more than kMaxFailedLogins failures for its account or
// from its address within kFailedLoginWindowMs refuse it until the window has passed. The
// failures are kept in the store, so every process of the site counts them together.
class LoginThrottle {
public:
    explicit LoginThrottle(SiteStore& store) : store_(store) {}

    // Seconds until a login of `account` from `address` may be tried again; nothing when it may
    // be tried now.
    std::optional<std::int64_t> retryAfterSeconds(const std::string& account,
                                                  const std::string& address, std::int64_t nowMs);
    void failed(const std::string& account, const std::string& address, std::int64_t nowMs);
    // The same for a request that names no account (a registration, a reset link): only its
    // address counts.
    std::optional<std::int64_t> retryAfterSecondsFrom(const std::string& address,
                                                      std::int64_t nowMs);
    void failedFrom(const std::string& address, std::int64_t nowMs);
    // A login succeeded: the account's failures are forgotten (the address's are not).
    void succeeded(const std::string& account);

private:
    std::optional<std::int64_t> waitFor(const std::string& key, std::int64_t nowMs);

    SiteStore& store_;
};

} // namespace dkpsite
