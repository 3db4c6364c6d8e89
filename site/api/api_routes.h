#pragma once

#include "cli/site_options.h"
#include "store/site_store.h"

namespace httplib {
class Server;
}

namespace dkpsite {

// The protocol the client library speaks (login, account, event upload, guild DKP list).
// `options.publicUrl` must be set: it is the base of the addresses the site gives out.
void installApiRoutes(httplib::Server& server, SiteStore& store, const SiteOptions& options);

// The guild DKP list text of a guild, or nothing for an unknown site name.
std::optional<std::string> guildDkpListText(SiteStore& store, const std::string& site);

} // namespace dkpsite
