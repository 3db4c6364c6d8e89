#include "auth/login_gate.h"

#include "store/password_verifier.h"

namespace dkpsite {

LoginGate::LoginGate(SiteStore& store, LoginThrottle& throttle, PasswordWork& work,
                     int passwordIterations)
    : store_(store), throttle_(throttle), work_(work),
      standInVerifier_(makePasswordVerifier("no such account", passwordIterations)) {}

LoginResult LoginGate::attempt(const std::string& name, const std::string& digest,
                               const std::string& address, std::int64_t nowMs) {
    const std::string account = lowerCase(name);
    if (const auto wait = throttle_.retryAfterSeconds(account, address, nowMs))
        return {LoginResult::Throttled, {}, *wait};
    std::optional<std::string> token;
    const bool worked = work_.run([&] {
        if (store_.findUser(account))
            token = store_.login(account, digest, nowMs);
        else
            matchesPasswordVerifier(standInVerifier_, digest);
    });
    if (!worked)
        return {LoginResult::Busy, {}, 1};
    if (!token) {
        throttle_.failed(account, address, nowMs);
        return {LoginResult::Refused, {}, 0};
    }
    throttle_.succeeded(account);
    return {LoginResult::LoggedIn, *token, 0};
}

} // namespace dkpsite
