#pragma once

#include "protocol/guild_dkp_listener.h"

#include <string>

namespace protocol {

// Fetches a guild's DKP list. Slot order is a contract with the protocol library.
class GuildDkpService {
public:
    virtual void addListener(GuildDkpListener* listener) = 0;    // slot 0
    virtual void removeListener(GuildDkpListener* listener) = 0; // slot 1
    // Returns at once. `siteName` is in the system ANSI code page; `mainlandClient` is false
    // for the Taiwan edition of the game. The list arrives through onGuildDkpList; a failed
    // request is not answered.
    virtual void requestGuildDkpList(const std::string& siteName, bool mainlandClient) = 0;

protected:
    ~GuildDkpService() = default;
};

} // namespace protocol
