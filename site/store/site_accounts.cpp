// The accounts of SiteStore: registration, invites, password resets and memberships.
#include "store/site_store.h"

#include "store/guild_repository.h"
#include "store/link_token_repository.h"
#include "store/session_repository.h"
#include "store/user_repository.h"

#include <openssl/rand.h>
#include <stdexcept>

namespace dkpsite {

namespace {

// 192 random bits, as hex: the token of a link.
std::string newLinkToken() {
    static constexpr char kDigits[] = "0123456789abcdef";
    unsigned char random[24];
    if (RAND_bytes(random, sizeof random) != 1)
        throw std::runtime_error("no random bytes for a link");
    std::string text;
    for (const unsigned char value : random) {
        text += kDigits[value >> 4];
        text += kDigits[value & 0xfu];
    }
    return text;
}

// How the audit log names an invite: the start of its token's SHA-256, as the admin page lists it.
std::string inviteLabel(const std::string& key) {
    return "invite " + key.substr(0, kInviteLabelLength);
}

void requireGuildRole(const std::string& role) {
    if (role != "admin" && role != "officer" && role != "member")
        throw std::invalid_argument("a guild role is admin, officer or member, not " + role);
}

std::string userSubject(long long userId, soci::session& sql) {
    const auto user = userWithId(sql, userId);
    return user ? user->name : "user " + std::to_string(userId);
}

} // namespace

std::optional<Refusal> userNameRefusal(const std::string& name) {
    if (name.empty())
        return Refusal(RefusalKind::UserNameEmpty);
    if (name.size() > kUserNameMaxBytes)
        return Refusal(RefusalKind::UserNameLong, {std::to_string(kUserNameMaxBytes)});
    for (const unsigned char c : name)
        if (c < 0x20 || c == 0x7f)
            return Refusal(RefusalKind::UserNameControl);
    if (name.front() == ' ' || name.back() == ' ')
        return Refusal(RefusalKind::UserNameSpace);
    return std::nullopt;
}

std::string userNameProblem(const std::string& name) {
    const auto refusal = userNameRefusal(name);
    return refusal ? refusalSentence(*refusal) : "";
}

void SiteStore::setRegistration(std::int64_t guildRowId, RegistrationPolicy policy,
                                const Origin& origin) {
    inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const SiteGuild guild = loadGuild(sql, guildRowId);
        updateRegistration(sql, guildRowId, registrationPolicyName(policy));
        recordAudit(sql,
                    {origin, guildRowId, "set registration", guild.site,
                     registrationPolicyName(guild.registration), registrationPolicyName(policy)});
    });
}

std::string SiteStore::createInvite(std::int64_t guildRowId, const Origin& origin) {
    const std::string token = newLinkToken();
    inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const std::int64_t expiresMs = origin.atMs + kInviteLifetimeMs;
        insertInvite(sql, sessionKey(token), guildRowId, origin.who, origin.atMs, expiresMs);
        recordAudit(sql, {origin, guildRowId, "create invite", loadGuild(sql, guildRowId).site, "",
                          inviteLabel(sessionKey(token)) + " until " + std::to_string(expiresMs)});
    });
    return token;
}

std::optional<SiteGuild> SiteStore::inviteGuild(const std::string& invite, std::int64_t nowMs) {
    Database::Connection connection(db_);
    const auto stored = inviteOf(connection.sql(), sessionKey(invite));
    if (!stored || nowMs >= stored->expiresMs)
        return std::nullopt;
    return loadGuild(connection.sql(), stored->guild);
}

std::vector<ListedInvite> SiteStore::invites(std::int64_t guildRowId, std::int64_t nowMs) {
    Database::Connection connection(db_);
    return guildInvites(connection.sql(), guildRowId, nowMs);
}

bool SiteStore::revokeInvite(std::int64_t guildRowId, const std::string& key,
                             const Origin& origin) {
    return inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        if (!deleteInvite(sql, key, guildRowId))
            return false;
        recordAudit(sql, {origin, guildRowId, "revoke invite", loadGuild(sql, guildRowId).site,
                          inviteLabel(key), ""});
        return true;
    });
}

Registration SiteStore::registerAccount(const std::string& site, const std::string& name,
                                        const std::string& passwordDigest,
                                        const std::string& invite, const Origin& origin) {
    const std::string user = lowerCase(name);
    if (!userNameProblem(user).empty())
        return Registration::BadName;
    const auto guild = guildBySite(site);
    if (!guild)
        return Registration::UnknownGuild;
    switch (guild->registration) {
    case RegistrationPolicy::Closed:
        return Registration::Closed;
    case RegistrationPolicy::Invite: {
        const auto invited = inviteGuild(invite, origin.atMs);
        if (!invited || invited->rowId != guild->rowId)
            return Registration::BadInvite;
        break;
    }
    case RegistrationPolicy::Open:
        break;
    }
    const std::string verifier = makePasswordVerifier(passwordDigest, passwordIterations_);
    return inWriteTransaction(db_, guild->rowId, [&](soci::session& sql) {
        if (userNamed(sql, user))
            return Registration::NameTaken;
        const long long userId = insertUser(sql, user, verifier, false);
        insertMembership(sql, userId, guild->rowId, true, "member");
        recordAudit(sql, {origin, guild->rowId, "register", user, "",
                          std::string("member, registration ") +
                              registrationPolicyName(guild->registration)});
        return Registration::Registered;
    });
}

bool SiteStore::mayIssuePasswordReset(const SiteAccount& issuer, const std::string& user) {
    if (issuer.siteOwner)
        return true;
    Database::Connection connection(db_);
    const auto stored = userNamed(connection.sql(), lowerCase(user));
    if (!stored || stored->owner)
        return false;
    // Only a user whose every guild the issuer administers: otherwise an admin of one guild
    // could take over an admin of another.
    const SiteAccount target = accountGuilds(connection.sql(), stored->id);
    if (target.guilds.empty())
        return false;
    for (const SiteGuild& guild : target.guilds) {
        const auto role = issuer.roles.find(guild.guildId);
        if (role == issuer.roles.end() || role->second != "admin")
            return false;
    }
    return true;
}

std::optional<std::string> SiteStore::issuePasswordReset(const std::string& user,
                                                         const Origin& origin,
                                                         std::optional<std::int64_t> guildRowId) {
    const std::string token = newLinkToken();
    const bool issued = inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const auto stored = userNamed(sql, lowerCase(user));
        if (!stored)
            return false;
        const std::int64_t expiresMs = origin.atMs + kPasswordResetLifetimeMs;
        insertPasswordReset(sql, sessionKey(token), stored->id, origin.who, origin.atMs, expiresMs);
        recordAudit(sql, {origin, guildRowId, "issue password reset", stored->name, "",
                          "until " + std::to_string(expiresMs)});
        return true;
    });
    if (!issued)
        return std::nullopt;
    return token;
}

std::optional<std::string> SiteStore::passwordResetUser(const std::string& token,
                                                        std::int64_t nowMs) {
    Database::Connection connection(db_);
    const auto reset = passwordResetOf(connection.sql(), sessionKey(token));
    if (!reset || reset->used || nowMs >= reset->expiresMs)
        return std::nullopt;
    const auto user = userWithId(connection.sql(), reset->userId);
    if (!user)
        return std::nullopt;
    return user->name;
}

bool SiteStore::resetPassword(const std::string& token, const std::string& passwordDigest,
                              const Origin& origin) {
    const auto user = passwordResetUser(token, origin.atMs);
    if (!user)
        return false;
    const std::string verifier = makePasswordVerifier(passwordDigest, passwordIterations_);
    return inWriteTransaction(db_, std::nullopt, [&](soci::session& sql) {
        const std::string key = sessionKey(token);
        const auto reset = passwordResetOf(sql, key);
        // Used up by a request that came first.
        if (!reset || !usePasswordReset(sql, key))
            return false;
        setPasswordHash(sql, reset->userId, verifier);
        deleteUserSessions(sql, reset->userId);
        recordAudit(sql, {origin, std::nullopt, "reset password", *user, "", ""});
        return true;
    });
}

void SiteStore::setMemberRole(std::int64_t userId, std::int64_t guildRowId, const std::string& role,
                              const Origin& origin) {
    requireGuildRole(role);
    inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const auto before = membershipRole(sql, userId, guildRowId);
        if (!before)
            throw std::invalid_argument(userSubject(userId, sql) + " is not in the guild");
        updateMembershipRole(sql, userId, guildRowId, role);
        recordAudit(sql,
                    {origin, guildRowId, "change role", userSubject(userId, sql), *before, role});
    });
}

bool SiteStore::removeMember(std::int64_t userId, std::int64_t guildRowId, const Origin& origin) {
    return inWriteTransaction(db_, guildRowId, [&](soci::session& sql) {
        const auto before = membershipRole(sql, userId, guildRowId);
        if (!before || !deleteMembership(sql, userId, guildRowId))
            return false;
        recordAudit(sql,
                    {origin, guildRowId, "remove member", userSubject(userId, sql), *before, ""});
        return true;
    });
}

std::optional<std::string> SiteStore::memberRole(std::int64_t userId, std::int64_t guildRowId) {
    Database::Connection connection(db_);
    return membershipRole(connection.sql(), userId, guildRowId);
}

std::vector<GuildMembership> SiteStore::members(std::int64_t guildRowId) {
    Database::Connection connection(db_);
    return guildMemberships(connection.sql(), guildRowId);
}

} // namespace dkpsite
