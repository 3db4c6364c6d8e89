#pragma once

#include "http/access.h"
#include "store/site_store.h"

namespace dkpsite {

// Who may do what, as the site's store says: each user's role in each of their guilds, whether
// the user owns the site, and whether a guild's standings are public.
class StoreDirectory : public AccessDirectory {
public:
    explicit StoreDirectory(SiteStore& store) : store_(store) {}

    Caller caller(const std::string& sessionToken, std::int64_t nowMs) override;
    std::optional<GuildFacts> guild(const GuildRef& ref) override;

private:
    SiteStore& store_;
};

} // namespace dkpsite
