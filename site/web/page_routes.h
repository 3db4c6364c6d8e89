#pragma once

#include "store/site_store.h"

namespace httplib {
class Server;
}

namespace dkpsite {

// The pages a browser opens: an event's page and a guild's standings.
void installPageRoutes(httplib::Server& server, SiteStore& store);

} // namespace dkpsite
