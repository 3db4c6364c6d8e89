#pragma once

#include "ledger/ledger_entry.h"
#include "ledger/points_rules.h"
#include "ledger/standing.h"
#include "records/refusal.h"
#include "store/audit_log.h"
#include "store/database.h"
#include "store/link_token_repository.h"
#include "store/member_history.h"
#include "store/password_verifier.h"
#include "store/site_records.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

enum class UploadOutcome {
    Created,
    AlreadyStored, // the same document is already an event of the DKP system
    NotLoggedIn,
    UnknownGuild,
    UnknownDkpSystem,
    ArchivedDkpSystem, // the DKP system is archived and takes no uploads
};

struct UploadResult {
    UploadOutcome outcome = UploadOutcome::NotLoggedIn;
    std::int64_t eventId = 0;
};

// A session ends when it has not been used for this long.
inline constexpr std::int64_t kSessionIdleLimitMs = 12LL * 60 * 60 * 1000;
// A session ends this long after its login however often it is used, so that a stolen token
// serves a thief a week at most. No raid night or week of uploads outlasts it; the client logs
// in at each start anyway.
inline constexpr std::int64_t kSessionAbsoluteLimitMs = 7LL * 24 * 60 * 60 * 1000;

struct PasswordChange {
    enum Outcome { Changed, WrongPassword, NotLoggedIn };
    Outcome outcome = NotLoggedIn;
    std::string token; // Changed: the caller's new session, the only one the account has
};

// An invite link serves any number of registrations until it is this old (or until the guild's
// registration is no longer by invite): a week, time enough to post it in guild chat and for
// the guild to see it.
inline constexpr std::int64_t kInviteLifetimeMs = 7LL * 24 * 60 * 60 * 1000;
// A password reset link serves once, within a day of being issued: it travels by hand (a
// whisper in game, a message), and an unused one should not lie around.
inline constexpr std::int64_t kPasswordResetLifetimeMs = 24LL * 60 * 60 * 1000;
// An invite is shown by this many hex digits of its token's SHA-256: enough to tell a guild's few
// invites apart, in its admin page and its audit log.
inline constexpr std::size_t kInviteLabelLength = 12;
// User names are kept lower-cased, at most this long.
inline constexpr std::size_t kUserNameMaxBytes = 64;

enum class Registration { Registered, NameTaken, BadName, UnknownGuild, Closed, BadInvite };

// Why `name` (lower-cased) cannot be a user name, or nothing; userNameProblem gives its English
// sentence, or "".
std::optional<Refusal> userNameRefusal(const std::string& name);
std::string userNameProblem(const std::string& name);

// The operator of the command line, at the current time.
Origin commandLineOrigin();

// The site's data in one SQLite file or one PostgreSQL database: users, guilds and their DKP
// systems, login sessions, uploaded events and the points ledger. Every write is one transaction
// that also writes its audit record. Safe to use from several request threads, and from several
// processes on one database.
class SiteStore {
public:
    // Opens (or creates) the database (store/database.h: a file or "postgresql://…") and brings
    // it up to date. New password verifiers take `passwordIterations` rounds.
    explicit SiteStore(const std::string& database, int passwordIterations = kPasswordIterations);

    Database& database() { return db_; }

    // Administration. User names are kept lower-cased; addUser throws std::invalid_argument,
    // with the reason, for a name registration would refuse (userNameProblem).
    std::int64_t addUser(const std::string& name, const std::string& passwordDigest,
                         bool owner = false, const Origin& origin = commandLineOrigin());
    std::optional<std::int64_t> findUser(const std::string& name);
    // Replaces the user's password and ends the user's sessions; false for an unknown name.
    bool setPassword(const std::string& name, const std::string& passwordDigest,
                     const Origin& origin = commandLineOrigin());
    std::int64_t addGuild(const std::string& guildId, const std::string& site,
                          std::int64_t createdMs, bool standingsPublic = true,
                          const Origin& origin = commandLineOrigin());
    std::int64_t addDkpSystem(std::int64_t guildRowId, const std::string& name,
                              const Origin& origin = commandLineOrigin());

    // Memberships. `role`: admin, officer or member; another text throws std::invalid_argument.
    void addMembership(std::int64_t userId, std::int64_t guildRowId, bool isDefault,
                       const std::string& role = "admin",
                       const Origin& origin = commandLineOrigin());
    // Throws std::invalid_argument when the user is not in the guild.
    void setMemberRole(std::int64_t userId, std::int64_t guildRowId, const std::string& role,
                       const Origin& origin = commandLineOrigin());
    // False when the user was not in the guild.
    bool removeMember(std::int64_t userId, std::int64_t guildRowId,
                      const Origin& origin = commandLineOrigin());
    // The user's role in the guild, or nothing.
    std::optional<std::string> memberRole(std::int64_t userId, std::int64_t guildRowId);
    // The guild's accounts, by name.
    std::vector<GuildMembership> members(std::int64_t guildRowId);

    // Registration (SiteGuild::registration says the guild's policy).
    void setRegistration(std::int64_t guildRowId, RegistrationPolicy policy,
                         const Origin& origin = commandLineOrigin());
    // A new invite link's token for the guild, valid from origin.atMs for kInviteLifetimeMs.
    std::string createInvite(std::int64_t guildRowId, const Origin& origin = commandLineOrigin());
    // The guild an invite token is for, while it is valid.
    std::optional<SiteGuild> inviteGuild(const std::string& invite, std::int64_t nowMs);
    // The guild's invites still valid at nowMs, newest first. Each is named by its token's
    // SHA-256 (the token itself is not kept).
    std::vector<ListedInvite> invites(std::int64_t guildRowId, std::int64_t nowMs);
    // Ends the guild's invite named `key` at once, with its audit record; false when the guild
    // has no such invite.
    bool revokeInvite(std::int64_t guildRowId, const std::string& key, const Origin& origin);
    // Makes an account that joins the guild at `site` as a member, when the guild's policy
    // allows (`invite` only matters for a guild that registers by invite), in one transaction
    // with its audit record. Slow (a verifier): requests call it through LoginGate.
    Registration registerAccount(const std::string& site, const std::string& name,
                                 const std::string& passwordDigest, const std::string& invite,
                                 const Origin& origin);

    // Password resets: a one-time link (its token) a guild admin or the site owner hands a user
    // who forgot the password; using it sets a new password and ends the user's sessions.
    //
    // The site owner may reset anyone's password; a guild admin only that of a user who is not
    // the site owner and all of whose guilds the admin administers.
    bool mayIssuePasswordReset(const SiteAccount& issuer, const std::string& user);
    // A new link's token, valid from origin.atMs for kPasswordResetLifetimeMs, replacing the
    // user's earlier ones; nothing for an unknown user. The audit record is the guild's when a
    // guild's admin issues it there.
    std::optional<std::string>
    issuePasswordReset(const std::string& user, const Origin& origin = commandLineOrigin(),
                       std::optional<std::int64_t> guildRowId = std::nullopt);
    // The user a reset token is for, while it is unused and unexpired.
    std::optional<std::string> passwordResetUser(const std::string& token, std::int64_t nowMs);
    // False for a token that is used, expired or unknown. Slow (a verifier): requests call it
    // through LoginGate.
    bool resetPassword(const std::string& token, const std::string& passwordDigest,
                       const Origin& origin);

    // Sessions. A token holds 192 random bits; the database keeps only its SHA-256.
    //
    // A new session token, or nothing when the name or the password digest is wrong. A verifier
    // made with other parameters than the store's (password_verifier.h) is made anew.
    std::optional<std::string> login(const std::string& name, const std::string& passwordDigest,
                                     std::int64_t nowMs);
    // The session's account. Every use of a session (here and in storeEvent) keeps it alive for
    // kSessionIdleLimitMs, never beyond kSessionAbsoluteLimitMs after its login.
    std::optional<SiteAccount> account(const std::string& token, std::int64_t nowMs);
    // Ends the session; false when the token names none.
    bool logout(const std::string& token);
    // The password of the session's account, when `oldDigest` is its current one: every session
    // of the account ends, and the caller gets a new one. Slow (two verifiers): requests call it
    // through LoginGate.
    PasswordChange changePassword(const std::string& token, const std::string& oldDigest,
                                  const std::string& newDigest, std::int64_t nowMs,
                                  const std::string& address);

    // Failed logins by key (auth/login_throttle.h), seen alike by every process on the database.
    // Recording one forgets every failure, of any key, older than `keepSinceMs`.
    void recordLoginFailure(const std::string& key, std::int64_t nowMs, std::int64_t keepSinceMs);
    // The times of the key's failures at or after `sinceMs`, oldest first.
    std::vector<std::int64_t> loginFailuresSince(const std::string& key, std::int64_t sinceMs);
    void forgetLoginFailures(const std::string& key);

    // Stores the event and writes its points, in one transaction. The same document uploaded
    // again to the same DKP system is not stored again: the answer names the event it is.
    UploadResult storeEvent(const std::string& token, const NewEvent& event, std::int64_t nowMs,
                            const std::string& address = "");
    std::optional<StoredEvent> event(std::int64_t eventId);

    std::optional<SiteGuild> guildBySite(const std::string& site);
    std::optional<SiteGuild> guildByRowId(std::int64_t guildRowId);
    // The list the guild sees: each main with its alts' points.
    std::vector<Standing> standings(std::int64_t dkpSystemId);
    // Each character's own stored sums.
    std::vector<Standing> characterStandings(std::int64_t dkpSystemId);
    // A member's history (store/member_history.h): its length, a page of it newest first after
    // the `newer` newest entries, and the balance after each run of one event's entries.
    std::int64_t historyLength(std::int64_t dkpSystemId, const std::string& name);
    std::vector<HistoryEntry> history(std::int64_t dkpSystemId, const std::string& name,
                                      std::int64_t newer, std::int64_t count);
    std::vector<std::int64_t> historyRunBalances(std::int64_t dkpSystemId, const std::string& name);
    // Its page `page` of `pageRows` entries (1: the newest); a page beyond the last is the last.
    HistoryPage historyPageNumbered(std::int64_t dkpSystemId, const std::string& name,
                                    std::int64_t page, std::int64_t pageRows);
    // The time of the guild's last change: its newest event or entry, or its creation.
    std::int64_t guildUpdateTimeMs(std::int64_t guildRowId);

    // The points ledger. Each throws LedgerError, with its reason, for a change it refuses.
    std::vector<LedgerEntry> ledger(std::int64_t dkpSystemId);
    std::int64_t adjust(std::int64_t dkpSystemId, const std::string& character, std::int64_t points,
                        const std::string& reason, const Origin& origin);
    std::int64_t correct(std::int64_t entryId, const std::string& reason, const Origin& origin);
    // What a decay would write, and writing it.
    std::vector<LedgerEntry> previewDecay(std::int64_t dkpSystemId, const DecayRule& rule);
    std::vector<LedgerEntry> decay(std::int64_t dkpSystemId, const DecayRule& rule,
                                   const Origin& origin);
    // Corrects every entry of the event that is not corrected yet; the event stays, marked.
    void removeEvent(std::int64_t eventId, const std::string& reason, const Origin& origin);
    // A kill's points or a loot's cost changed after the upload: the entries it wrote are
    // corrected and written anew.
    void editKillPoints(std::int64_t eventId, std::size_t kill, std::int64_t points,
                        const std::string& reason, const Origin& origin);
    void editLootCost(std::int64_t eventId, std::size_t loot, std::int64_t costs,
                      const std::string& reason, const Origin& origin);
    void linkAlt(std::int64_t guildRowId, const std::string& alt, const std::string& main,
                 const Origin& origin);

    // Changes of an event's parts after the upload (store/event_edits.cpp). A new name or note
    // changes no points and is only recorded in the audit log; a loot's new winner, or a player
    // added to or taken from a kill's attendees, corrects the event's entries and writes them
    // anew. The player must be one of the event's members; each throws LedgerError otherwise.
    void describeEvent(std::int64_t eventId, const std::string& name, const std::string& note,
                       const std::string& reason, const Origin& origin);
    void editLooter(std::int64_t eventId, std::size_t loot, const std::string& player,
                    const std::string& reason, const Origin& origin);
    void addKillAttendee(std::int64_t eventId, std::size_t kill, const std::string& player,
                         const std::string& reason, const Origin& origin);
    // Takes one listing of the player from the kill's attendees.
    void removeKillAttendee(std::int64_t eventId, std::size_t kill, const std::string& player,
                            const std::string& reason, const Origin& origin);
    // A DKP system's new name (store/guild_edits.cpp); throws LedgerError for no such system.
    void renameDkpSystem(std::int64_t dkpSystemId, const std::string& name, const Origin& origin);
    // Archives a DKP system (at origin.atMs) or opens it again. An archived system keeps its
    // events and ledger, and refuses uploads and every change of points (LedgerError). Throws
    // LedgerError for no such system, or for archiving the guild's last open one: a guild
    // always has a system its raids can be uploaded to.
    void setDkpSystemArchived(std::int64_t dkpSystemId, bool archived, const Origin& origin);

    // The guild's characters with class, level, main and whether they are active.
    std::vector<GuildCharacter> characters(std::int64_t guildRowId);
    // Marks the guild's character active or inactive; its points stay. Throws LedgerError when
    // the guild has no character of that name.
    void setCharacterActive(std::int64_t guildRowId, const std::string& name, bool active,
                            const Origin& origin);

    // Every stored standing against the sums of its ledger: one sentence per difference.
    std::vector<std::string> check();
    std::vector<AuditRecord> audit(std::int64_t guildRowId);

private:
    std::optional<std::int64_t> sessionUser(soci::session& sql, const std::string& token,
                                            std::int64_t nowMs);
    void rewriteEventEntries(std::int64_t eventId, const std::string& reason, const Origin& origin,
                             const std::string& what,
                             const std::function<void(soci::session&, StoredEvent&)>& change);

    Database db_;
    const int passwordIterations_;
};

} // namespace dkpsite
