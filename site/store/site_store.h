#pragma once

#include "ledger/standing.h"
#include "records/raid_document.h"
#include "store/database.h"
#include "store/password_verifier.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

struct SiteDkpSystem {
    std::int64_t id = 0;
    std::string name;
};

struct SiteGuild {
    std::int64_t rowId = 0;
    std::string guildId; // the identifier text users see and send with an upload
    std::string site;    // the guild site's name, the path of its address
    std::vector<SiteDkpSystem> systems;
};

struct SiteAccount {
    std::string user;
    std::optional<SiteGuild> defaultGuild;
    std::vector<SiteGuild> guilds; // in the order the user joined them
};

struct StoredEvent {
    std::int64_t id = 0;
    std::string guildId;
    std::int64_t dkpId = 0;
    std::string name, note, uploader;
    RaidDocument raid;
};

enum class UploadOutcome { Created, NotLoggedIn, UnknownGuild, UnknownDkpSystem };

struct UploadResult {
    UploadOutcome outcome = UploadOutcome::NotLoggedIn;
    std::int64_t eventId = 0;
};

struct NewEvent {
    std::string guildId;
    std::int64_t dkpId = 0;
    std::string name, note, document;
    RaidDocument raid;
};

// `text` with its ASCII letters in lower case, as user names are kept.
std::string lowerCase(std::string text);

// A session ends when it has not been used for this long.
inline constexpr std::int64_t kSessionIdleLimitMs = 12LL * 60 * 60 * 1000;

// The site's data in one SQLite file: users, guilds and their DKP systems, login sessions and
// uploaded events. Safe to use from several request threads at once.
class SiteStore {
public:
    // Opens (or creates) the database and brings a database of an earlier form up to date,
    // passwords included. New password verifiers take `passwordIterations` rounds.
    explicit SiteStore(const std::string& databasePath,
                       int passwordIterations = kPasswordIterations);

    // Administration (used to seed data). User names are kept lower-cased.
    std::int64_t addUser(const std::string& name, const std::string& passwordDigest);
    std::optional<std::int64_t> findUser(const std::string& name);
    std::int64_t addGuild(const std::string& guildId, const std::string& site,
                          std::int64_t createdMs);
    std::int64_t addDkpSystem(std::int64_t guildRowId, const std::string& name);
    void addMembership(std::int64_t userId, std::int64_t guildRowId, bool isDefault);

    // A new session token, or nothing when the name or the password digest is wrong.
    std::optional<std::string> login(const std::string& name, const std::string& passwordDigest,
                                     std::int64_t nowMs);
    // Every use of a session (here and in storeEvent) keeps it alive for kSessionIdleLimitMs.
    std::optional<SiteAccount> account(const std::string& token, std::int64_t nowMs);
    // Ends the session; false when the token names none.
    bool logout(const std::string& token);

    UploadResult storeEvent(const std::string& token, const NewEvent& event, std::int64_t nowMs);
    std::optional<StoredEvent> event(std::int64_t eventId);

    std::optional<SiteGuild> guildBySite(const std::string& site);
    std::vector<Standing> standings(std::int64_t dkpSystemId);
    // The time of the guild's last change: its newest event, or its creation.
    std::int64_t guildUpdateTimeMs(std::int64_t guildRowId);

private:
    void createSchema();
    void migrate();
    std::optional<std::int64_t> sessionUser(const std::string& token, std::int64_t nowMs);
    SiteGuild loadGuild(std::int64_t rowId);
    std::optional<SiteGuild> userGuild(std::int64_t userId, const std::string& guildId);
    void storeRaid(std::int64_t eventId, const RaidDocument& raid);
    RaidDocument loadRaid(std::int64_t eventId);

    std::mutex mutex_;
    Database db_;
    const int passwordIterations_;
};

} // namespace dkpsite
