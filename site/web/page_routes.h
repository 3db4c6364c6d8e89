#pragma once

#include "web/site_pages.h"
#include "web/store_page_data.h"

#include <httplib.h>

namespace dkpsite {

// The pages of the site, read from its store.
class WebSite {
public:
    WebSite(SiteStore& store, std::function<std::int64_t()> clock);
    const SitePages& pages() const { return pages_; }

private:
    StorePageData data_;
    SitePages pages_;
};

// The addresses of the pages: the home page, help (the client's forum addresses), password
// recovery, the account, item search, events, the stylesheet, the language switch, and last
// each guild at `/<site name>`.
void installPageRoutes(httplib::Server& server, const WebSite& site);

} // namespace dkpsite
