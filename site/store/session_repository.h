#pragma once

#include <optional>
#include <soci/soci.h>
#include <string>

namespace dkpsite {

// The login sessions. A session is found by the SHA-256 of its token (sessionKey): the table
// never holds a token a copy of the database could use.
struct StoredSession {
    long long userId = 0;
    long long createdMs = 0;
    long long lastUsedMs = 0;
};

std::string sessionKey(const std::string& token);

void insertSession(soci::session& sql, const std::string& key, long long userId, long long nowMs);
std::optional<StoredSession> sessionOf(soci::session& sql, const std::string& key);
void touchSession(soci::session& sql, const std::string& key, long long nowMs);
// Ends the session; false when there was none.
bool deleteSession(soci::session& sql, const std::string& key);
// Ends the sessions last used at or before `idleBeforeMs` or begun at or before
// `begunBeforeMs`.
void deleteExpiredSessions(soci::session& sql, long long idleBeforeMs, long long begunBeforeMs);
void deleteUserSessions(soci::session& sql, long long userId);

} // namespace dkpsite
