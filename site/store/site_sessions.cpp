// The logins and sessions of SiteStore.
#include "store/site_store.h"

#include "store/guild_repository.h"
#include "store/login_failure_repository.h"
#include "store/session_repository.h"
#include "store/user_repository.h"
#include "utilkit/encrypt.h"

#include <openssl/rand.h>
#include <stdexcept>

namespace dkpsite {

namespace {

// 192 random bits, as hex.
std::string newSessionToken() {
    static constexpr char kDigits[] = "0123456789abcdef";
    unsigned char random[24];
    if (RAND_bytes(random, sizeof random) != 1)
        throw std::runtime_error("no random bytes for a session token");
    std::string text;
    for (const unsigned char value : random) {
        text += kDigits[value >> 4];
        text += kDigits[value & 0xfu];
    }
    return text;
}

bool isWrappedLegacyHash(const std::string& stored) {
    return stored.rfind(kWrappedLegacyHash, 0) == 0;
}

// Whether the password digest matches the user's stored verifier, of either form.
bool passwordMatches(const StoredUser& user, const std::string& digest) {
    const std::string& stored = user.passwordHash;
    if (isWrappedLegacyHash(stored))
        return matchesPasswordVerifier(std::string_view(stored).substr(kWrappedLegacyHash.size()),
                                       encrypt::SHA(user.salt + ":" + digest));
    return matchesPasswordVerifier(stored, digest);
}

// Begins a session of the user; its token.
std::string beginSession(soci::session& sql, long long userId, std::int64_t nowMs) {
    const std::string token = newSessionToken();
    deleteExpiredSessions(sql, nowMs - kSessionIdleLimitMs, nowMs - kSessionAbsoluteLimitMs);
    insertSession(sql, sessionKey(token), userId, nowMs);
    return token;
}

} // namespace

std::optional<std::string> SiteStore::login(const std::string& name,
                                            const std::string& passwordDigest, std::int64_t nowMs) {
    std::optional<StoredUser> user;
    {
        Database::Connection connection(db_);
        user = userNamed(connection.sql(), lowerCase(name));
    }
    // The slow check runs without holding a connection.
    if (!user || !passwordMatches(*user, passwordDigest))
        return std::nullopt;
    const std::string renewed = isCurrentPasswordVerifier(user->passwordHash, passwordIterations_)
                                    ? std::string()
                                    : makePasswordVerifier(passwordDigest, passwordIterations_);
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        if (!renewed.empty())
            setPasswordHash(sql, user->id, renewed, user->passwordHash);
        return beginSession(sql, user->id, nowMs);
    });
}

bool SiteStore::logout(const std::string& token) {
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        return deleteSession(sql, sessionKey(token));
    });
}

std::optional<std::int64_t> SiteStore::sessionUser(soci::session& sql, const std::string& token,
                                                   std::int64_t nowMs) {
    if (token.empty())
        return std::nullopt;
    const std::string key = sessionKey(token);
    const auto session = sessionOf(sql, key);
    if (!session)
        return std::nullopt;
    if (nowMs - session->lastUsedMs >= kSessionIdleLimitMs ||
        nowMs - session->createdMs >= kSessionAbsoluteLimitMs) {
        deleteSession(sql, key);
        return std::nullopt;
    }
    touchSession(sql, key, nowMs);
    return session->userId;
}

std::optional<SiteAccount> SiteStore::account(const std::string& token, std::int64_t nowMs) {
    Database::Connection connection(db_);
    const auto userId = sessionUser(connection.sql(), token, nowMs);
    if (!userId)
        return std::nullopt;
    return accountGuilds(connection.sql(), *userId);
}

PasswordChange SiteStore::changePassword(const std::string& token, const std::string& oldDigest,
                                         const std::string& newDigest, std::int64_t nowMs,
                                         const std::string& address) {
    std::optional<StoredUser> user;
    {
        Database::Connection connection(db_);
        const auto userId = sessionUser(connection.sql(), token, nowMs);
        if (!userId)
            return {PasswordChange::NotLoggedIn, {}};
        user = userWithId(connection.sql(), *userId);
    }
    if (!user || !passwordMatches(*user, oldDigest))
        return {PasswordChange::WrongPassword, {}};
    const std::string verifier = makePasswordVerifier(newDigest, passwordIterations_);
    const Origin origin{user->name, EntrySource::Web, address, nowMs};
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) -> PasswordChange {
        // Unless another change came first.
        if (!setPasswordHash(sql, user->id, verifier, user->passwordHash))
            return {PasswordChange::WrongPassword, {}};
        deleteUserSessions(sql, user->id);
        recordAudit(sql, {origin, std::nullopt, "change password", user->name, "", ""});
        return {PasswordChange::Changed, beginSession(sql, user->id, nowMs)};
    });
}

void SiteStore::recordLoginFailure(const std::string& key, std::int64_t nowMs,
                                   std::int64_t keepSinceMs) {
    inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        deleteLoginFailuresBefore(sql, keepSinceMs);
        insertLoginFailure(sql, key, nowMs);
    });
}

std::vector<std::int64_t> SiteStore::loginFailuresSince(const std::string& key,
                                                        std::int64_t sinceMs) {
    Database::Connection connection(db_);
    return dkpsite::loginFailuresSince(connection.sql(), key, sinceMs);
}

void SiteStore::forgetLoginFailures(const std::string& key) {
    inWriteTransaction(db_, std::nullopt,
                       [&](soci::session& sql) { deleteLoginFailures(sql, key); });
}

} // namespace dkpsite
