#pragma once

#include "site_store.h"

namespace devsite {

// Adds the demo user "demo" (password "demo") with two guilds and their DKP systems, unless the
// store already holds that user.
void seedDemoData(SiteStore& store, std::int64_t nowMs);

} // namespace devsite
