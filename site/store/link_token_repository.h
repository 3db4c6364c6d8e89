#pragma once

#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// The tokens of the links the site hands out: invites to register in a guild, and one-time
// links that set a password. Each is found by the SHA-256 of its token (sessionKey), never by
// the token.
struct StoredInvite {
    long long guild = 0;
    long long expiresMs = 0;
};

// An invite as the guild's admins see it; `key` (its token's SHA-256) names it.
struct ListedInvite {
    std::string key, createdBy;
    long long createdMs = 0;
    long long expiresMs = 0;
};

struct StoredPasswordReset {
    long long userId = 0;
    long long expiresMs = 0;
    bool used = false;
};

void insertInvite(soci::session& sql, const std::string& key, long long guildRowId,
                  const std::string& createdBy, long long createdMs, long long expiresMs);
std::optional<StoredInvite> inviteOf(soci::session& sql, const std::string& key);
// The guild's invites that have not expired at nowMs, newest first.
std::vector<ListedInvite> guildInvites(soci::session& sql, long long guildRowId, long long nowMs);
// False when the guild has no invite of that key.
bool deleteInvite(soci::session& sql, const std::string& key, long long guildRowId);

// Replaces the user's earlier reset links: only the newest one serves.
void insertPasswordReset(soci::session& sql, const std::string& key, long long userId,
                         const std::string& createdBy, long long createdMs, long long expiresMs);
std::optional<StoredPasswordReset> passwordResetOf(soci::session& sql, const std::string& key);
// Marks it used; false when it was used already (by a request that came first).
bool usePasswordReset(soci::session& sql, const std::string& key);

} // namespace dkpsite
