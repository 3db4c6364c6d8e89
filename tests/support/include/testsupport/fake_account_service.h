#pragma once

#include "protocol/account_service.h"
#include "testsupport/one_listener_service.h"

#include <map>
#include <string>
#include <vector>

namespace testsupport {

// An account service holding the answers a test sets.
class FakeAccountService final
    : public OneListenerService<protocol::AccountService, protocol::AccountListener> {
public:
    protocol::GuildEntry getDefaultGuild() override { return defaultGuild; }
    std::vector<protocol::GuildEntry> getGuilds() override { return guilds; }
    std::u16string getUserName() override { return userName; }
    std::u16string getDefaultGuildUrl() override { return defaultGuildUrl; }
    void refreshAccount() override {}
    // The service's own list for the guild: `dkpLists` when it has one, else the guild's entry.
    const std::vector<protocol::DkpSystem>& getDkpSystems(const std::u16string& guildId) override {
        if (auto found = dkpLists.find(guildId); found != dkpLists.end())
            return found->second;
        for (const protocol::GuildEntry& guild : guilds)
            if (guild.guildId == guildId)
                return guild.dkpSystems;
        return none_;
    }

    std::u16string userName = u"demo";
    protocol::GuildEntry defaultGuild;
    std::vector<protocol::GuildEntry> guilds;
    std::u16string defaultGuildUrl;
    std::map<std::u16string, std::vector<protocol::DkpSystem>> dkpLists;

private:
    std::vector<protocol::DkpSystem> none_;
};

} // namespace testsupport
