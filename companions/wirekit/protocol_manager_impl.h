#pragma once

#include "account_service_impl.h"
#include "event_upload_service_impl.h"
#include "guild_dkp_service_impl.h"
#include "login_service_impl.h"
#include "protocol/protocol_manager.h"
#include "request_worker.h"
#include "wire_context.h"

#include <mutex>

namespace wirekit {

// The library's one manager. Login and account data share a transfer thread, uploads and guild
// lists have their own, so that a slow upload never holds up the other requests.
class ProtocolManagerImpl final : public protocol::ProtocolManager {
public:
    ProtocolManagerImpl();
    ~ProtocolManagerImpl();

    protocol::AccountService* getAccountService() override { return &accounts_; }
    protocol::LoginService* getLoginService() override { return &login_; }
    protocol::EventUploadService* getEventUploadService() override { return &uploads_; }
    protocol::GuildDkpService* getGuildDkpService() override { return &guildDkp_; }

    WireContext& context() { return context_; }

    // Each holder that takes the manager gives it back with release(). The last release stops
    // the transfer threads, abandoning the transfers under way, and drops every answer not yet
    // delivered; the next acquire() starts them again.
    void acquire();
    void release();

private:
    void stopTransfers();

    std::mutex holdersMutex_;
    int holders_ = 0;
    WireContext context_;
    RequestWorker accountWorker_;
    RequestWorker uploadWorker_;
    RequestWorker guildWorker_;
    AccountServiceImpl accounts_;
    LoginServiceImpl login_;
    EventUploadServiceImpl uploads_;
    GuildDkpServiceImpl guildDkp_;
};

} // namespace wirekit
