#pragma once

#include "store/site_store.h"

namespace dkpsite {

// Adds the demo user "demo" (password "demo") with two guilds and their DKP systems, and uploads
// the demo raids to the first guild ("adpt_dkp"), unless the store already holds that user.
void seedDemoData(SiteStore& store, std::int64_t nowMs);

} // namespace dkpsite
