// The logins and sessions of SiteStore.
#include "store/site_store.h"

#include "store/guild_repository.h"
#include "store/user_repository.h"
#include "utilkit/encrypt.h"

#include <openssl/rand.h>
#include <stdexcept>

namespace dkpsite {

namespace {

std::string randomHex(size_t bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::vector<unsigned char> random(bytes);
    if (RAND_bytes(random.data(), static_cast<int>(random.size())) != 1)
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
bool passwordMatches(const std::string& salt, const std::string& stored,
                     const std::string& digest) {
    if (isWrappedLegacyHash(stored))
        return matchesPasswordVerifier(std::string_view(stored).substr(kWrappedLegacyHash.size()),
                                       encrypt::SHA(salt + ":" + digest));
    return matchesPasswordVerifier(stored, digest);
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
    if (!user || !passwordMatches(user->salt, user->passwordHash, passwordDigest))
        return std::nullopt;
    const std::string upgraded = isWrappedLegacyHash(user->passwordHash)
                                     ? makePasswordVerifier(passwordDigest, passwordIterations_)
                                     : std::string();
    const std::string token = randomHex(24);
    inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        if (!upgraded.empty())
            setPasswordHash(sql, user->id, upgraded, user->passwordHash);
        deleteSessionsUsedBefore(sql, nowMs - kSessionIdleLimitMs);
        insertSession(sql, token, user->id, nowMs);
    });
    return token;
}

bool SiteStore::logout(const std::string& token) {
    return inWriteTransaction(db_, std::nullopt,
                              [&](soci::session& sql) { return deleteSession(sql, token); });
}

std::optional<std::int64_t> SiteStore::sessionUser(soci::session& sql, const std::string& token,
                                                   std::int64_t nowMs) {
    if (token.empty())
        return std::nullopt;
    const auto session = sessionOf(sql, token);
    if (!session)
        return std::nullopt;
    if (nowMs - session->second >= kSessionIdleLimitMs) {
        deleteSession(sql, token);
        return std::nullopt;
    }
    touchSession(sql, token, nowMs);
    return session->first;
}

std::optional<SiteAccount> SiteStore::account(const std::string& token, std::int64_t nowMs) {
    Database::Connection connection(db_);
    const auto userId = sessionUser(connection.sql(), token, nowMs);
    if (!userId)
        return std::nullopt;
    return accountGuilds(connection.sql(), *userId);
}

} // namespace dkpsite
