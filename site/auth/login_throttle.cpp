#include "auth/login_throttle.h"

#include <algorithm>

namespace dkpsite {

namespace {

std::string accountKey(const std::string& account) {
    return "account:" + account;
}

std::string addressKey(const std::string& address) {
    return "address:" + address;
}

} // namespace

std::optional<std::int64_t> LoginThrottle::waitFor(const std::string& key, std::int64_t nowMs) {
    const std::vector<std::int64_t> recent =
        store_.loginFailuresSince(key, nowMs - kFailedLoginWindowMs + 1);
    if (recent.size() < static_cast<std::size_t>(kMaxFailedLogins))
        return std::nullopt;
    // Tried again once the failure that makes the count too high has left the window.
    const std::int64_t freeAtMs = recent[recent.size() - kMaxFailedLogins] + kFailedLoginWindowMs;
    return std::max<std::int64_t>(1, (freeAtMs - nowMs + 999) / 1000);
}

std::optional<std::int64_t> LoginThrottle::retryAfterSeconds(const std::string& account,
                                                             const std::string& address,
                                                             std::int64_t nowMs) {
    const auto forAccount = waitFor(accountKey(account), nowMs);
    const auto forAddress = waitFor(addressKey(address), nowMs);
    if (!forAccount && !forAddress)
        return std::nullopt;
    return std::max(forAccount.value_or(0), forAddress.value_or(0));
}

void LoginThrottle::failed(const std::string& account, const std::string& address,
                           std::int64_t nowMs) {
    const std::int64_t windowStart = nowMs - kFailedLoginWindowMs;
    store_.recordLoginFailure(accountKey(account), nowMs, windowStart);
    store_.recordLoginFailure(addressKey(address), nowMs, windowStart);
}

std::optional<std::int64_t> LoginThrottle::retryAfterSecondsFrom(const std::string& address,
                                                                 std::int64_t nowMs) {
    return waitFor(addressKey(address), nowMs);
}

void LoginThrottle::failedFrom(const std::string& address, std::int64_t nowMs) {
    store_.recordLoginFailure(addressKey(address), nowMs, nowMs - kFailedLoginWindowMs);
}

void LoginThrottle::succeeded(const std::string& account) {
    store_.forgetLoginFailures(accountKey(account));
}

} // namespace dkpsite
