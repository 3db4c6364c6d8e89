#include "http/access.h"

namespace dkpsite {

namespace {

bool hasRole(const Caller& caller, const std::optional<GuildFacts>& guild, Role least) {
    if (!guild)
        return false;
    return caller.roleIn(guild->guildId) >= least;
}

} // namespace

const char* accessName(Access access) {
    switch (access) {
    case Access::Undeclared:
        return "undeclared";
    case Access::Anyone:
        return "anyone";
    case Access::SignedIn:
        return "signed in";
    case Access::GuildReader:
        return "guild reader";
    case Access::GuildMember:
        return "guild member";
    case Access::GuildOfficer:
        return "guild officer";
    case Access::GuildAdmin:
        return "guild admin";
    case Access::SiteOwner:
        return "site owner";
    }
    return "unknown";
}

Role Caller::roleIn(const std::string& guildId) const {
    if (siteOwner)
        return Role::SiteOwner;
    const auto found = roles.find(guildId);
    if (found != roles.end())
        return found->second;
    return Role::Anonymous;
}

bool isGuildAccess(Access access) {
    return access == Access::GuildReader || access == Access::GuildMember ||
           access == Access::GuildOfficer || access == Access::GuildAdmin;
}

bool admits(Access access, const Caller& caller, const std::optional<GuildFacts>& guild) {
    switch (access) {
    case Access::Undeclared:
        return false;
    case Access::Anyone:
        return true;
    case Access::SignedIn:
        return caller.signedIn();
    case Access::GuildReader:
        return guild && (guild->standingsPublic || hasRole(caller, guild, Role::Member));
    case Access::GuildMember:
        return caller.signedIn() && hasRole(caller, guild, Role::Member);
    case Access::GuildOfficer:
        return caller.signedIn() && hasRole(caller, guild, Role::Officer);
    case Access::GuildAdmin:
        return caller.signedIn() && hasRole(caller, guild, Role::GuildAdmin);
    case Access::SiteOwner:
        return caller.signedIn() && caller.siteOwner;
    }
    return false;
}

} // namespace dkpsite
