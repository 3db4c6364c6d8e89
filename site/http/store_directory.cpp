#include "http/store_directory.h"

namespace dkpsite {

Caller StoreDirectory::caller(const std::string& sessionToken, std::int64_t nowMs) {
    Caller caller;
    if (sessionToken.empty())
        return caller;
    const auto account = store_.account(sessionToken, nowMs);
    if (!account)
        return caller;
    caller.user = account->user;
    for (const SiteGuild& guild : account->guilds)
        caller.roles[guild.guildId] = Role::GuildAdmin;
    return caller;
}

std::optional<GuildFacts> StoreDirectory::guild(const GuildRef& ref) {
    switch (ref.kind) {
    case GuildRef::Site:
        if (const auto guild = store_.guildBySite(ref.text))
            return GuildFacts{guild->guildId, true};
        return std::nullopt;
    case GuildRef::Event:
        if (const auto event = store_.event(ref.eventId))
            return GuildFacts{event->guildId, true};
        return std::nullopt;
    case GuildRef::GuildId:
        // Only its members may use a route about it: a name no one belongs to admits no one.
        return GuildFacts{ref.text, true};
    }
    return std::nullopt;
}

} // namespace dkpsite
