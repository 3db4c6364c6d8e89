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

void MemoryFailedLoginLog::record(const std::string& key, std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    if (!failures_.count(key))
        makeRoom(nowMs);
    std::deque<std::int64_t>& times = failures_[key];
    times.push_back(nowMs);
    // Only the failures inside the window ever count.
    while (times.size() > static_cast<std::size_t>(kMaxFailedLogins) + 1)
        times.pop_front();
}

std::deque<std::int64_t> MemoryFailedLoginLog::since(const std::string& key, std::int64_t sinceMs) {
    std::lock_guard lock(mutex_);
    const auto found = failures_.find(key);
    if (found == failures_.end())
        return {};
    std::deque<std::int64_t> recent;
    std::copy_if(found->second.begin(), found->second.end(), std::back_inserter(recent),
                 [sinceMs](std::int64_t time) { return time >= sinceMs; });
    return recent;
}

void MemoryFailedLoginLog::forget(const std::string& key) {
    std::lock_guard lock(mutex_);
    failures_.erase(key);
}

void MemoryFailedLoginLog::makeRoom(std::int64_t nowMs) {
    if (failures_.size() < maxKeys_)
        return;
    for (auto it = failures_.begin(); it != failures_.end();)
        it = it->second.back() < nowMs - kFailedLoginWindowMs ? failures_.erase(it) : std::next(it);
    while (failures_.size() >= maxKeys_) {
        const auto oldest =
            std::min_element(failures_.begin(), failures_.end(), [](const auto& a, const auto& b) {
                return a.second.back() < b.second.back();
            });
        failures_.erase(oldest);
    }
}

std::optional<std::int64_t> LoginThrottle::waitFor(const std::string& key, std::int64_t nowMs) {
    const std::deque<std::int64_t> recent = log_.since(key, nowMs - kFailedLoginWindowMs + 1);
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
    log_.record(accountKey(account), nowMs);
    log_.record(addressKey(address), nowMs);
}

void LoginThrottle::succeeded(const std::string& account) {
    log_.forget(accountKey(account));
}

} // namespace dkpsite
