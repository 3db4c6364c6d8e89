#pragma once

#include <string>

namespace dkpsite {

// Whether `site` may name a guild's site, the path of its address (`/<site>`): 1 to 64 letters,
// digits, '_' or '-', and none of the words the site's own addresses use.
bool isAllowedSiteName(const std::string& site);

// The reason a name is refused, as a sentence; "" when it is allowed.
std::string siteNameRefusal(const std::string& site);

} // namespace dkpsite
