#pragma once

#include "listener_set.h"
#include "protocol/account_service.h"
#include "request_worker.h"
#include "wire_context.h"
#include "wire_records.h"

#include <cstdint>
#include <map>

namespace wirekit {

// Keeps the logged-in user's account data. Everything but the transfer of refreshAccount runs
// on the user-interface thread.
class AccountServiceImpl final : public protocol::AccountService {
public:
    AccountServiceImpl(WireContext& context, RequestWorker& worker);

    void addListener(protocol::AccountListener* listener) override;
    void removeListener(protocol::AccountListener* listener) override;
    protocol::GuildEntry getDefaultGuild() override;
    std::vector<protocol::GuildEntry> getGuilds() override;
    std::u16string getUserName() override;
    std::u16string getDefaultGuildUrl() override;
    void refreshAccount() override;
    const std::vector<protocol::DkpSystem>& getDkpSystems(const std::u16string& guildId) override;

    // Replaces the account data (after a login or a refresh).
    void setAccount(AccountData account);
    // Calls onAccountReady on every registered listener not yet told of the current data.
    void announce();

private:
    WireContext& context_;
    RequestWorker& worker_;
    AccountData account_;
    std::uint64_t version_ = 0; // 0: no account data yet
    ListenerSet<protocol::AccountListener> listeners_;
    std::map<protocol::AccountListener*, std::uint64_t> toldVersion_;
    // Each guild's systems, kept for the service's life so that handed-out references stay
    // valid; a guild that is no longer the user's keeps an empty list.
    std::map<std::u16string, std::vector<protocol::DkpSystem>> systemsByGuild_;
    const std::vector<protocol::DkpSystem> noSystems_;
};

} // namespace wirekit
