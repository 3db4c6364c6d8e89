#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace dkpsite {

// Failed logins allowed for one account, or from one address, within the window; the next
// attempt is refused until the oldest of them has left the window.
inline constexpr int kMaxFailedLogins = 10;
inline constexpr std::int64_t kFailedLoginWindowMs = 15LL * 60 * 1000;

// Where failed logins are counted, by key ("account:<name>", "address:<ip>"). The site's
// processes share it when it lives in their database.
class FailedLoginLog {
public:
    virtual ~FailedLoginLog() = default;
    virtual void record(const std::string& key, std::int64_t nowMs) = 0;
    // The times of the key's failures at or after `sinceMs`, oldest first.
    virtual std::deque<std::int64_t> since(const std::string& key, std::int64_t sinceMs) = 0;
    virtual void forget(const std::string& key) = 0;
};

// A FailedLoginLog in this process's memory. It holds at most `maxKeys` keys: beyond that the
// keys whose failures have all left the window go first, then the oldest.
class MemoryFailedLoginLog : public FailedLoginLog {
public:
    explicit MemoryFailedLoginLog(std::size_t maxKeys = 100'000) : maxKeys_(maxKeys) {}
    void record(const std::string& key, std::int64_t nowMs) override;
    std::deque<std::int64_t> since(const std::string& key, std::int64_t sinceMs) override;
    void forget(const std::string& key) override;

private:
    void makeRoom(std::int64_t nowMs);

    std::mutex mutex_;
    const std::size_t maxKeys_;
    std::map<std::string, std::deque<std::int64_t>> failures_;
};

// Decides whether a login may be tried: more than kMaxFailedLogins failures for its account or
// from its address within kFailedLoginWindowMs refuse it until the window has passed.
class LoginThrottle {
public:
    explicit LoginThrottle(FailedLoginLog& log) : log_(log) {}

    // Seconds until a login of `account` from `address` may be tried again; nothing when it may
    // be tried now.
    std::optional<std::int64_t> retryAfterSeconds(const std::string& account,
                                                  const std::string& address, std::int64_t nowMs);
    void failed(const std::string& account, const std::string& address, std::int64_t nowMs);
    // A login succeeded: the account's failures are forgotten (the address's are not).
    void succeeded(const std::string& account);

private:
    std::optional<std::int64_t> waitFor(const std::string& key, std::int64_t nowMs);

    FailedLoginLog& log_;
};

} // namespace dkpsite
