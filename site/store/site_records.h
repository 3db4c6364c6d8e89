#pragma once

#include "records/raid_document.h"
#include "store/registration.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

struct SiteDkpSystem {
    std::int64_t id = 0;
    std::string name;
    // When it was archived (kept, read-only: no uploads or changes of points), or 0.
    std::int64_t archivedMs = 0;

    bool archived() const { return archivedMs != 0; }
};

// A character of a guild as its officers keep it: class and level from the raids it was in,
// and whether it is active (inactive characters keep their points but are left out of the
// standings unless asked for).
struct GuildCharacter {
    std::string name;
    std::string playerClass;
    std::int64_t level = 0;
    std::string main; // the main it is an alt of, or ""
    bool active = true;
};

struct SiteGuild {
    std::int64_t rowId = 0;
    std::string guildId;         // the identifier text users see and send with an upload
    std::string site;            // the guild site's name, the path of its address
    bool standingsPublic = true; // anyone may read its standings, not only its members
    RegistrationPolicy registration = RegistrationPolicy::Closed;
    std::vector<SiteDkpSystem> systems;
};

struct GuildMembership {
    std::string user;
    std::string role; // admin, officer or member
};

struct SiteAccount {
    std::string user;
    bool siteOwner = false;
    std::map<std::string, std::string> roles; // admin, officer or member, by guild identifier
    std::optional<SiteGuild> defaultGuild;
    std::vector<SiteGuild> guilds; // in the order the user joined them
};

struct StoredEvent {
    std::int64_t id = 0;
    std::int64_t guildRowId = 0;
    std::string guildId;
    std::int64_t dkpId = 0;
    std::string name, note, uploader, document;
    std::int64_t createdMs = 0;
    std::int64_t removedMs = 0; // when its points were corrected away, or 0
    RaidDocument raid;
};

struct NewEvent {
    std::string guildId;
    std::int64_t dkpId = 0;
    std::string name, note, document;
    RaidDocument raid;
    // A raid log imported from a file differs from the client's upload of the same raid in its
    // bytes only: when set, an event of the same raid already in the DKP system is this one.
    bool sameRaidIsRepeat = false;
};

// `text` with its ASCII letters in lower case, as user names are kept.
std::string lowerCase(std::string text);

} // namespace dkpsite
