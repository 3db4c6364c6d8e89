#include "store/link_token_repository.h"

namespace dkpsite {

using soci::into;
using soci::use;

void insertInvite(soci::session& sql, const std::string& key, long long guildRowId,
                  const std::string& createdBy, long long createdMs, long long expiresMs) {
    sql << "DELETE FROM invites WHERE expires_ms <= :now", use(createdMs, "now");
    sql << "INSERT INTO invites(token_hash, guild, created_by, created_ms, expires_ms) "
           "VALUES(:key, :guild, :by, :created, :expires)",
        use(key, "key"), use(guildRowId, "guild"), use(createdBy, "by"), use(createdMs, "created"),
        use(expiresMs, "expires");
}

std::optional<StoredInvite> inviteOf(soci::session& sql, const std::string& key) {
    StoredInvite invite;
    sql << "SELECT guild, expires_ms FROM invites WHERE token_hash = :key", use(key, "key"),
        into(invite.guild), into(invite.expiresMs);
    if (!sql.got_data())
        return std::nullopt;
    return invite;
}

std::vector<ListedInvite> guildInvites(soci::session& sql, long long guildRowId, long long nowMs) {
    std::vector<ListedInvite> invites;
    ListedInvite invite;
    soci::statement query =
        (sql.prepare << "SELECT token_hash, created_by, created_ms, expires_ms FROM invites "
                        "WHERE guild = :guild AND expires_ms > :now "
                        "ORDER BY created_ms DESC, token_hash",
         use(guildRowId, "guild"), use(nowMs, "now"), into(invite.key), into(invite.createdBy),
         into(invite.createdMs), into(invite.expiresMs));
    query.execute();
    while (query.fetch())
        invites.push_back(invite);
    return invites;
}

bool deleteInvite(soci::session& sql, const std::string& key, long long guildRowId) {
    soci::statement statement =
        (sql.prepare << "DELETE FROM invites WHERE token_hash = :key AND guild = :guild",
         use(key, "key"), use(guildRowId, "guild"));
    statement.execute(true);
    return statement.get_affected_rows() > 0;
}

void insertPasswordReset(soci::session& sql, const std::string& key, long long userId,
                         const std::string& createdBy, long long createdMs, long long expiresMs) {
    sql << "DELETE FROM password_resets WHERE user_id = :user OR expires_ms <= :now",
        use(userId, "user"), use(createdMs, "now");
    sql << "INSERT INTO password_resets(token_hash, user_id, created_by, created_ms, expires_ms) "
           "VALUES(:key, :user, :by, :created, :expires)",
        use(key, "key"), use(userId, "user"), use(createdBy, "by"), use(createdMs, "created"),
        use(expiresMs, "expires");
}

std::optional<StoredPasswordReset> passwordResetOf(soci::session& sql, const std::string& key) {
    StoredPasswordReset reset;
    long long used = 0;
    sql << "SELECT user_id, expires_ms, used FROM password_resets WHERE token_hash = :key",
        use(key, "key"), into(reset.userId), into(reset.expiresMs), into(used);
    if (!sql.got_data())
        return std::nullopt;
    reset.used = used != 0;
    return reset;
}

bool usePasswordReset(soci::session& sql, const std::string& key) {
    soci::statement statement =
        (sql.prepare << "UPDATE password_resets SET used = 1 WHERE token_hash = :key AND used = 0",
         use(key, "key"));
    statement.execute(true);
    return statement.get_affected_rows() > 0;
}

} // namespace dkpsite
