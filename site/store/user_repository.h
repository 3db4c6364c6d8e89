#pragma once

#include <optional>
#include <soci/soci.h>
#include <string>

namespace dkpsite {

// The accounts and their login sessions.
struct StoredUser {
    long long id = 0;
    std::string name, salt, passwordHash;
    bool owner = false;
};

long long insertUser(soci::session& sql, const std::string& name, const std::string& verifier,
                     bool owner);
std::optional<StoredUser> userNamed(soci::session& sql, const std::string& name);
// Replaces the verifier; with `expected`, only while the stored one is still that.
void setPasswordHash(soci::session& sql, long long userId, const std::string& verifier,
                     const std::optional<std::string>& expected = std::nullopt);

void insertSession(soci::session& sql, const std::string& token, long long userId, long long nowMs);
// The session's user and when it was last used.
std::optional<std::pair<long long, long long>> sessionOf(soci::session& sql,
                                                         const std::string& token);
void touchSession(soci::session& sql, const std::string& token, long long nowMs);
// Ends the session; false when there was none.
bool deleteSession(soci::session& sql, const std::string& token);
void deleteSessionsUsedBefore(soci::session& sql, long long limitMs);
void deleteUserSessions(soci::session& sql, long long userId);

} // namespace dkpsite
