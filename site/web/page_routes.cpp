#include "web/page_routes.h"

namespace dkpsite {

WebSite::WebSite(SiteStore& store, std::function<std::int64_t()> clock)
    : data_(store), pages_(data_, std::move(clock)) {}

} // namespace dkpsite
