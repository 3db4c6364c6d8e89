#pragma once

#include "listener_set.h"
#include "protocol/guild_dkp_service.h"
#include "request_worker.h"
#include "wire_context.h"

namespace wirekit {

// Fetches a guild site's DKP list text. Failed requests are not answered.
class GuildDkpServiceImpl final : public protocol::GuildDkpService {
public:
    GuildDkpServiceImpl(WireContext& context, RequestWorker& worker);

    void addListener(protocol::GuildDkpListener* listener) override { listeners_.add(listener); }
    void removeListener(protocol::GuildDkpListener* listener) override {
        listeners_.remove(listener);
    }
    void requestGuildDkpList(const std::string& siteName, bool mainlandClient) override;

private:
    WireContext& context_;
    RequestWorker& worker_;
    ListenerSet<protocol::GuildDkpListener> listeners_;
};

// The request path and query for a site name given in UTF-8.
std::string guildDkpListPath(const std::string& siteNameUtf8, bool mainlandClient);

} // namespace wirekit
