#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace dkpsite {

// What a caller is in one guild. Each role may do what the ones before it may; the site owner
// may do in every guild what its admins may.
enum class Role { Anonymous, Member, Officer, GuildAdmin, SiteOwner };

// Who may use a route. Undeclared is what a route has until its author says: it admits no one,
// and the route table refuses to install it.
enum class Access {
    Undeclared,
    Anyone,
    SignedIn,
    // Anyone when the guild's standings are public, otherwise its members.
    GuildReader,
    GuildMember,
    GuildOfficer,
    GuildAdmin,
    SiteOwner,
};

const char* accessName(Access access);

// The guild a request is about, as the request names it.
struct GuildRef {
    enum Kind { Site, GuildId, Event };
    Kind kind = Site;
    std::string text; // the site name or the guild identifier
    std::int64_t eventId = 0;
};

struct GuildFacts {
    std::string guildId;
    bool standingsPublic = true;
};

// Who sent a request: nobody signed in, or a user with a role in each of their guilds.
struct Caller {
    std::optional<std::string> user;
    bool siteOwner = false;
    std::map<std::string, Role> roles; // by guild identifier

    bool signedIn() const { return user.has_value(); }
    Role roleIn(const std::string& guildId) const;
};

// What the route table asks of the site's data to decide who may do what.
class AccessDirectory {
public:
    virtual ~AccessDirectory() = default;
    // The caller a session token names; anonymous for an empty, unknown or expired token.
    virtual Caller caller(const std::string& sessionToken, std::int64_t nowMs) = 0;
    // The guild a reference names, or nothing when there is none.
    virtual std::optional<GuildFacts> guild(const GuildRef& ref) = 0;
};

// Whether `caller` may use a route of `access` about `guild` (nothing: the route is about no
// guild, or the guild it names does not exist).
bool admits(Access access, const Caller& caller, const std::optional<GuildFacts>& guild);

// Whether `access` is about one guild, whose reference the route must find in the request.
bool isGuildAccess(Access access);

} // namespace dkpsite
