#pragma once

#include "web/site_pages.h"
#include "web/store_page_data.h"

namespace dkpsite {

// The pages of the site, read from its store. Their addresses, and who may open each, are in
// the site's route table (http/site_routes.cpp): the home page, help (the client's forum
// addresses), item search, events, the stylesheet, the language switch, and last each guild at
// `/<site name>`. The account's own pages are web/account_pages.h.
class WebSite {
public:
    WebSite(SiteStore& store, std::function<std::int64_t()> clock);
    const SitePages& pages() const { return pages_; }

private:
    StorePageData data_;
    SitePages pages_;
};

} // namespace dkpsite
