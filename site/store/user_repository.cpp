#include "store/user_repository.h"

namespace dkpsite {

using soci::into;
using soci::use;

long long insertUser(soci::session& sql, const std::string& name, const std::string& verifier,
                     bool owner) {
    long long id = 0;
    const long long isOwner = owner ? 1 : 0;
    // The salt column only serves hashes of the first form (a verifier holds its own salt).
    sql << "INSERT INTO users(name, salt, password_hash, is_owner) "
           "VALUES(:name, '', :hash, :owner) RETURNING id",
        use(name, "name"), use(verifier, "hash"), use(isOwner, "owner"), into(id);
    return id;
}

std::optional<StoredUser> userNamed(soci::session& sql, const std::string& name) {
    StoredUser user;
    long long owner = 0;
    sql << "SELECT id, name, salt, password_hash, is_owner FROM users WHERE name = :name",
        use(name, "name"), into(user.id), into(user.name), into(user.salt), into(user.passwordHash),
        into(owner);
    if (!sql.got_data())
        return std::nullopt;
    user.owner = owner != 0;
    return user;
}

void setPasswordHash(soci::session& sql, long long userId, const std::string& verifier,
                     const std::optional<std::string>& expected) {
    if (expected)
        sql << "UPDATE users SET salt = '', password_hash = :hash WHERE id = :id AND "
               "password_hash = :expected",
            use(verifier, "hash"), use(userId, "id"), use(*expected, "expected");
    else
        sql << "UPDATE users SET salt = '', password_hash = :hash WHERE id = :id",
            use(verifier, "hash"), use(userId, "id");
}

void insertSession(soci::session& sql, const std::string& token, long long userId,
                   long long nowMs) {
    sql << "INSERT INTO sessions(token, user_id, last_used_ms, created_ms) "
           "VALUES(:token, :user, :used, :created)",
        use(token, "token"), use(userId, "user"), use(nowMs, "used"), use(nowMs, "created");
}

std::optional<std::pair<long long, long long>> sessionOf(soci::session& sql,
                                                         const std::string& token) {
    long long user = 0, lastUsed = 0;
    sql << "SELECT user_id, last_used_ms FROM sessions WHERE token = :token", use(token, "token"),
        into(user), into(lastUsed);
    if (!sql.got_data())
        return std::nullopt;
    return std::make_pair(user, lastUsed);
}

void touchSession(soci::session& sql, const std::string& token, long long nowMs) {
    sql << "UPDATE sessions SET last_used_ms = :now WHERE token = :token", use(nowMs, "now"),
        use(token, "token");
}

bool deleteSession(soci::session& sql, const std::string& token) {
    soci::statement statement =
        (sql.prepare << "DELETE FROM sessions WHERE token = :token", use(token, "token"));
    statement.execute(true);
    return statement.get_affected_rows() > 0;
}

void deleteSessionsUsedBefore(soci::session& sql, long long limitMs) {
    sql << "DELETE FROM sessions WHERE last_used_ms <= :limit", use(limitMs, "limit");
}

void deleteUserSessions(soci::session& sql, long long userId) {
    sql << "DELETE FROM sessions WHERE user_id = :user", use(userId, "user");
}

} // namespace dkpsite
