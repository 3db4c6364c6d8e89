#pragma once

#include "protocol/account_listener.h"
#include "protocol/dkp_system.h"
#include "protocol/guild_entry.h"

#include <string>
#include <vector>

namespace protocol {

// The data of the logged-in user. Slot order is a contract with the protocol library; slots 4
// and 6 are not used by the client.
class AccountService {
public:
    virtual void addListener(AccountListener* listener) = 0;    // slot 0
    virtual void removeListener(AccountListener* listener) = 0; // slot 1
    virtual GuildEntry getDefaultGuild() = 0;                   // slot 2
    virtual std::vector<GuildEntry> getGuilds() = 0;            // slot 3, in the order to show
    // Slot 4: the name of the logged-in user, empty before a login.
    virtual std::u16string getUserName() = 0;
    // Slot 5: the address of the user's default guild site.
    virtual std::u16string getDefaultGuildUrl() = 0;
    // Slot 6: fetches the account data again; onAccountReady follows when it has arrived.
    virtual void refreshAccount() = 0;
    // Slot 7: the DKP systems of the guild; an unknown guild gives an empty list. The list is
    // owned by the service and stays valid until the account data next changes.
    virtual const std::vector<DkpSystem>& getDkpSystems(const std::u16string& guildId) = 0;

protected:
    ~AccountService() = default;
};

} // namespace protocol
