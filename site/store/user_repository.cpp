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

namespace {

constexpr const char* kUserColumns = "SELECT id, name, salt, password_hash, is_owner FROM users ";

template <typename Key>
std::optional<StoredUser> userWhere(soci::session& sql, const char* condition, const Key& key) {
    StoredUser user;
    long long owner = 0;
    sql << std::string(kUserColumns) + condition, use(key, "key"), into(user.id), into(user.name),
        into(user.salt), into(user.passwordHash), into(owner);
    if (!sql.got_data())
        return std::nullopt;
    user.owner = owner != 0;
    return user;
}

} // namespace

std::optional<StoredUser> userNamed(soci::session& sql, const std::string& name) {
    return userWhere(sql, "WHERE name = :key", name);
}

std::optional<StoredUser> userWithId(soci::session& sql, long long userId) {
    return userWhere(sql, "WHERE id = :key", userId);
}

bool setPasswordHash(soci::session& sql, long long userId, const std::string& verifier,
                     const std::optional<std::string>& expected) {
    soci::statement statement =
        expected
            ? (sql.prepare << "UPDATE users SET salt = '', password_hash = :hash WHERE id = "
                              ":id AND password_hash = :expected",
               use(verifier, "hash"), use(userId, "id"), use(*expected, "expected"))
            : (sql.prepare << "UPDATE users SET salt = '', password_hash = :hash WHERE id = :id",
               use(verifier, "hash"), use(userId, "id"));
    statement.execute(true);
    return statement.get_affected_rows() > 0;
}

} // namespace dkpsite
