#pragma once

#include "protocol/account_service.h"
#include "protocol/event_upload_service.h"
#include "protocol/guild_dkp_service.h"
#include "protocol/login_service.h"

namespace protocol {

// Hands out the protocol library's services. It and its services belong to the library and are
// never released by the client. Slot order is a contract with the library.
class ProtocolManager {
public:
    virtual AccountService* getAccountService() = 0;         // slot 0
    virtual LoginService* getLoginService() = 0;             // slot 1
    virtual EventUploadService* getEventUploadService() = 0; // slot 2
    virtual GuildDkpService* getGuildDkpService() = 0;       // slot 3

protected:
    ~ProtocolManager() = default;
};

} // namespace protocol
