#pragma once

#include "auth/login_gate.h"
#include "cli/site_options.h"
#include "http/route_table.h"
#include "store/site_store.h"
#include "web/page_routes.h"

namespace dkpsite {

// Every route of the site, with the access it needs: the client's protocol (api/), the pages
// (web/), and last the guild address `/<site name>`, which answers for any first path piece
// that no route before it took and that is not a reserved name (records/site_name.h).
void addSiteRoutes(RouteTable& table, SiteStore& store, LoginGate& logins, const WebSite& web,
                   const SiteOptions& options);

} // namespace dkpsite
