#include "store/session_repository.h"

#include "utilkit/encrypt.h"

namespace dkpsite {

using soci::into;
using soci::use;

std::string sessionKey(const std::string& token) {
    return encrypt::SHA(token);
}

void insertSession(soci::session& sql, const std::string& key, long long userId, long long nowMs) {
    sql << "INSERT INTO sessions(token_hash, user_id, created_ms, last_used_ms) "
           "VALUES(:key, :user, :created, :used)",
        use(key, "key"), use(userId, "user"), use(nowMs, "created"), use(nowMs, "used");
}

std::optional<StoredSession> sessionOf(soci::session& sql, const std::string& key) {
    StoredSession session;
    sql << "SELECT user_id, created_ms, last_used_ms FROM sessions WHERE token_hash = :key",
        use(key, "key"), into(session.userId), into(session.createdMs), into(session.lastUsedMs);
    if (!sql.got_data())
        return std::nullopt;
    return session;
}

void touchSession(soci::session& sql, const std::string& key, long long nowMs) {
    sql << "UPDATE sessions SET last_used_ms = :now WHERE token_hash = :key", use(nowMs, "now"),
        use(key, "key");
}

bool deleteSession(soci::session& sql, const std::string& key) {
    soci::statement statement =
        (sql.prepare << "DELETE FROM sessions WHERE token_hash = :key", use(key, "key"));
    statement.execute(true);
    return statement.get_affected_rows() > 0;
}

void deleteExpiredSessions(soci::session& sql, long long idleBeforeMs, long long begunBeforeMs) {
    sql << "DELETE FROM sessions WHERE last_used_ms <= :idle OR created_ms <= :begun",
        use(idleBeforeMs, "idle"), use(begunBeforeMs, "begun");
}

void deleteUserSessions(soci::session& sql, long long userId) {
    sql << "DELETE FROM sessions WHERE user_id = :user", use(userId, "user");
}

} // namespace dkpsite
