#include "account_service_impl.h"

#include "http_transfer.h"

#include <algorithm>

namespace wirekit {

AccountServiceImpl::AccountServiceImpl(WireContext& context, RequestWorker& worker)
    : context_(context), worker_(worker) {}

void AccountServiceImpl::addListener(protocol::AccountListener* listener) {
    if (!listener || listeners_.contains(listener))
        return;
    listeners_.add(listener);
    // A listener that arrives after the data did is told too, once, from the event loop.
    if (version_ > 0)
        context_.hub.post([this] { announce(); });
}

void AccountServiceImpl::removeListener(protocol::AccountListener* listener) {
    listeners_.remove(listener);
    toldVersion_.erase(listener);
}

protocol::GuildEntry AccountServiceImpl::getDefaultGuild() {
    if (account_.defaultGuildId.empty())
        return {};
    const auto found = std::find_if(
        account_.guilds.begin(), account_.guilds.end(),
        [&](const protocol::GuildEntry& g) { return g.guildId == account_.defaultGuildId; });
    return found != account_.guilds.end() ? *found
                                          : protocol::GuildEntry{{}, account_.defaultGuildId};
}

std::vector<protocol::GuildEntry> AccountServiceImpl::getGuilds() {
    return account_.guilds;
}

std::u16string AccountServiceImpl::getUserName() {
    return account_.user;
}

std::u16string AccountServiceImpl::getDefaultGuildUrl() {
    return account_.defaultGuildUrl;
}

void AccountServiceImpl::refreshAccount() {
    const std::string token = context_.session.token();
    if (token.empty())
        return;
    worker_.submit([this, token](const std::atomic<bool>& stopping) {
        const std::string site = context_.settings.siteUrl();
        if (site.empty())
            return;
        const HttpResponse response = performRequest({false, site + "/api/account", {}, token},
                                                     context_.settings.timeouts(), stopping);
        if (response.failure != Failure::None || response.status != 200)
            return;
        auto account = parseAccountAnswer(response.body);
        if (!account)
            return;
        context_.hub.post([this, account = std::move(*account)]() mutable {
            setAccount(std::move(account));
            announce();
        });
    });
}

const std::vector<protocol::DkpSystem>&
AccountServiceImpl::getDkpSystems(const std::u16string& guildId) {
    const auto found = systemsByGuild_.find(guildId);
    return found != systemsByGuild_.end() ? found->second : noSystems_;
}

void AccountServiceImpl::setAccount(AccountData account) {
    account_ = std::move(account);
    ++version_;
    for (auto& [guildId, systems] : systemsByGuild_)
        systems.clear();
    for (const protocol::GuildEntry& guild : account_.guilds)
        systemsByGuild_[guild.guildId] = guild.dkpSystems;
}

void AccountServiceImpl::announce() {
    if (version_ == 0)
        return;
    listeners_.forEach([this](protocol::AccountListener* listener) {
        std::uint64_t& told = toldVersion_[listener];
        if (told >= version_)
            return;
        told = version_;
        listener->onAccountReady();
    });
}

} // namespace wirekit
