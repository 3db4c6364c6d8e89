#include "http/store_directory.h"

namespace dkpsite {
namespace {

// A membership's role as the store keeps it; a text it does not know grants the least.
Role roleNamed(const std::string& name) {
    if (name == "admin")
        return Role::GuildAdmin;
    if (name == "officer")
        return Role::Officer;
    return Role::Member;
}

GuildFacts factsOf(const SiteGuild& guild) {
    return GuildFacts{guild.guildId, guild.standingsPublic};
}

} // namespace

Caller StoreDirectory::caller(const std::string& sessionToken, std::int64_t nowMs) {
    Caller caller;
    if (sessionToken.empty())
        return caller;
    const auto account = store_.account(sessionToken, nowMs);
    if (!account)
        return caller;
    caller.user = account->user;
    caller.siteOwner = account->siteOwner;
    for (const auto& [guildId, role] : account->roles)
        caller.roles[guildId] = roleNamed(role);
    return caller;
}

std::optional<GuildFacts> StoreDirectory::guild(const GuildRef& ref) {
    switch (ref.kind) {
    case GuildRef::Site:
        if (const auto guild = store_.guildBySite(ref.text))
            return factsOf(*guild);
        return std::nullopt;
    case GuildRef::Event:
        if (const auto event = store_.event(ref.eventId))
            if (const auto guild = store_.guildByRowId(event->guildRowId))
                return factsOf(*guild);
        return std::nullopt;
    case GuildRef::GuildId:
        // Only its members may use a route about it: a name no one belongs to admits no one.
        return GuildFacts{ref.text, false};
    }
    return std::nullopt;
}

} // namespace dkpsite
