#include "auth/login_gate.h"

#include "store/password_verifier.h"

namespace dkpsite {

namespace {

// Runs the store's operation in the password pool unless the gate is closed to the caller.
template <typename Outcome, typename Work>
GatedResult<Outcome> throughPool(PasswordWork& pool, std::optional<std::int64_t> throttledFor,
                                 Work&& work) {
    GatedResult<Outcome> result;
    if (throttledFor)
        return {GatedResult<Outcome>::Throttled, {}, *throttledFor};
    if (!pool.run([&] { result.outcome = work(); }))
        return {GatedResult<Outcome>::Busy, {}, 1};
    return result;
}

} // namespace

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

GatedResult<PasswordChange> LoginGate::changePassword(const std::string& token,
                                                      const std::string& oldDigest,
                                                      const std::string& newDigest,
                                                      const std::string& address,
                                                      std::int64_t nowMs) {
    const auto account = store_.account(token, nowMs);
    if (!account)
        return {};
    auto result = throughPool<PasswordChange>(
        work_, throttle_.retryAfterSeconds(account->user, address, nowMs),
        [&] { return store_.changePassword(token, oldDigest, newDigest, nowMs, address); });
    if (result.kind != result.Done)
        return result;
    if (result.outcome.outcome == PasswordChange::WrongPassword)
        throttle_.failed(account->user, address, nowMs);
    else if (result.outcome.outcome == PasswordChange::Changed)
        throttle_.succeeded(account->user);
    return result;
}

GatedResult<Registration> LoginGate::registerAccount(const std::string& site,
                                                     const std::string& name,
                                                     const std::string& passwordDigest,
                                                     const std::string& invite,
                                                     const Origin& origin) {
    auto result = throughPool<Registration>(
        work_, throttle_.retryAfterSecondsFrom(origin.address, origin.atMs),
        [&] { return store_.registerAccount(site, name, passwordDigest, invite, origin); });
    if (result.kind == result.Done &&
        (result.outcome == Registration::BadInvite || result.outcome == Registration::NameTaken))
        throttle_.failedFrom(origin.address, origin.atMs);
    return result;
}

GatedResult<bool> LoginGate::resetPassword(const std::string& token,
                                           const std::string& passwordDigest,
                                           const Origin& origin) {
    const auto user = store_.passwordResetUser(token, origin.atMs);
    auto result =
        throughPool<bool>(work_, throttle_.retryAfterSecondsFrom(origin.address, origin.atMs), [&] {
            return user && store_.resetPassword(token, passwordDigest, origin);
        });
    if (result.kind != result.Done)
        return result;
    if (result.outcome)
        throttle_.succeeded(*user);
    else
        throttle_.failedFrom(origin.address, origin.atMs);
    return result;
}

} // namespace dkpsite
