#include "guild_dkp_service_impl.h"

#include "http_transfer.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"
#include "wire_records.h"

namespace wirekit {

std::string guildDkpListPath(const std::string& siteNameUtf8, bool mainlandClient) {
    return "/api/guild-dkp-list?site=" + encrypt::urlEncode(siteNameUtf8) +
           "&client=" + (mainlandClient ? "mainland" : "taiwan");
}

GuildDkpServiceImpl::GuildDkpServiceImpl(WireContext& context, RequestWorker& worker)
    : context_(context), worker_(worker) {}

void GuildDkpServiceImpl::requestGuildDkpList(const std::string& siteName, bool mainlandClient) {
    const std::string siteNameUtf8 =
        ustring::toUtf8(ustring::toWideString(siteName, ustring::kAnsiCodePage));
    worker_.submit([this, path = guildDkpListPath(siteNameUtf8, mainlandClient)](
                       const std::atomic<bool>& stopping) {
        const std::string site = context_.settings.siteUrl();
        if (site.empty())
            return;
        HttpResponse response = performRequest({false, site + path, {}, context_.session.token()},
                                               context_.settings.timeouts(), stopping);
        if (response.failure != Failure::None || response.status != 200 ||
            !isGuildDkpList(response.body))
            return;
        context_.hub.post([this, text = std::move(response.body)] {
            listeners_.forEach(
                [&](protocol::GuildDkpListener* listener) { listener->onGuildDkpList(text); });
        });
    });
}

} // namespace wirekit
