// The logins and sessions of SiteStore, and how it keeps passwords.
#include "store/site_store.h"

#include "utilkit/encrypt.h"

#include <random>

namespace dkpsite {

namespace {

// Sites before password verifiers kept SHA-256(salt ":" digest). Such a hash is wrapped, when
// the database is opened, in a verifier marked with this prefix, and replaced by a verifier of
// the digest itself at the user's next login.
constexpr std::string_view kWrappedLegacyHash = "sha256+";

std::string legacyHash(const std::string& salt, const std::string& digest) {
    return encrypt::SHA(salt + ":" + digest);
}

bool isWrappedLegacyHash(const std::string& stored) {
    return stored.rfind(kWrappedLegacyHash, 0) == 0;
}

std::string randomHex(size_t bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device source;
    std::string text;
    for (size_t i = 0; i < bytes; ++i) {
        const unsigned value = source() & 0xffu;
        text += kDigits[value >> 4];
        text += kDigits[value & 0xfu];
    }
    return text;
}

// Whether the password digest matches the user's stored verifier, of either form.
bool passwordMatches(const std::string& salt, const std::string& stored,
                     const std::string& digest) {
    if (isWrappedLegacyHash(stored))
        return matchesPasswordVerifier(std::string_view(stored).substr(kWrappedLegacyHash.size()),
                                       legacyHash(salt, digest));
    return matchesPasswordVerifier(stored, digest);
}

} // namespace

void SiteStore::migrate() {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    auto sessionTime = db_.prepare(
        "SELECT COUNT(*) FROM pragma_table_info('sessions') WHERE name = 'last_used_ms'");
    if (sessionTime.step() && sessionTime.integer(0) == 0)
        db_.exec("ALTER TABLE sessions ADD COLUMN last_used_ms INTEGER NOT NULL DEFAULT 0");
    // Verifiers are made outside the query that finds the legacy hashes.
    std::vector<std::pair<std::int64_t, std::string>> legacy;
    auto users = db_.prepare("SELECT id, password_hash FROM users");
    while (users.step()) {
        const std::string stored = users.text(1);
        if (!isWrappedLegacyHash(stored) && stored.rfind("pbkdf2-", 0) != 0)
            legacy.emplace_back(users.integer(0), stored);
    }
    for (const auto& [id, hash] : legacy)
        db_.prepare("UPDATE users SET password_hash = ? WHERE id = ?")
            .bind(1,
                  std::string(kWrappedLegacyHash) + makePasswordVerifier(hash, passwordIterations_))
            .bind(2, id)
            .step();
    transaction.commit();
}

std::optional<std::string> SiteStore::login(const std::string& name,
                                            const std::string& passwordDigest, std::int64_t nowMs) {
    std::int64_t userId = 0;
    std::string salt, stored;
    {
        std::lock_guard lock(mutex_);
        auto query = db_.prepare("SELECT id, salt, password_hash FROM users WHERE name = ?");
        query.bind(1, lowerCase(name));
        if (!query.step())
            return std::nullopt;
        userId = query.integer(0);
        salt = query.text(1);
        stored = query.text(2);
    }
    // The slow check runs without holding the store.
    if (!passwordMatches(salt, stored, passwordDigest))
        return std::nullopt;
    const std::string upgraded = isWrappedLegacyHash(stored)
                                     ? makePasswordVerifier(passwordDigest, passwordIterations_)
                                     : std::string();

    std::lock_guard lock(mutex_);
    if (!upgraded.empty())
        db_.prepare("UPDATE users SET salt = '', password_hash = ? WHERE id = ? AND "
                    "password_hash = ?")
            .bind(1, upgraded)
            .bind(2, userId)
            .bind(3, stored)
            .step();
    db_.prepare("DELETE FROM sessions WHERE last_used_ms <= ?")
        .bind(1, nowMs - kSessionIdleLimitMs)
        .step();
    const std::string token = randomHex(24);
    db_.prepare("INSERT INTO sessions(token, user, last_used_ms) VALUES(?, ?, ?)")
        .bind(1, token)
        .bind(2, userId)
        .bind(3, nowMs)
        .step();
    return token;
}

bool SiteStore::logout(const std::string& token) {
    std::lock_guard lock(mutex_);
    auto query = db_.prepare("SELECT 1 FROM sessions WHERE token = ?");
    query.bind(1, token);
    if (!query.step())
        return false;
    db_.prepare("DELETE FROM sessions WHERE token = ?").bind(1, token).step();
    return true;
}

std::optional<std::int64_t> SiteStore::sessionUser(const std::string& token, std::int64_t nowMs) {
    auto query = db_.prepare("SELECT user, last_used_ms FROM sessions WHERE token = ?");
    query.bind(1, token);
    if (token.empty() || !query.step())
        return std::nullopt;
    const std::int64_t userId = query.integer(0);
    if (nowMs - query.integer(1) >= kSessionIdleLimitMs) {
        db_.prepare("DELETE FROM sessions WHERE token = ?").bind(1, token).step();
        return std::nullopt;
    }
    db_.prepare("UPDATE sessions SET last_used_ms = ? WHERE token = ?")
        .bind(1, nowMs)
        .bind(2, token)
        .step();
    return userId;
}

} // namespace dkpsite
