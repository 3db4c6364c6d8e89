#include "store/site_names.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dkpsite {

namespace {

constexpr std::size_t kMaxSiteNameBytes = 64;

// The first path segments of the site's own addresses, now and for the pages to come: a guild
// named like one of them would hide the page or be hidden by it.
constexpr std::array<std::string_view, 22> kReservedSiteNames = {
    "api",   "update",  "event.do", "static",   "assets", "login", "logout", "register",
    "admin", "account", "accounts", "guilds",   "guild",  "users", "user",   "reset",
    "forum", "wow",     "search",   "settings", "invite", "health"};

bool isNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

} // namespace

std::string siteNameRefusal(const std::string& site) {
    if (site.empty() || site.size() > kMaxSiteNameBytes ||
        !std::all_of(site.begin(), site.end(), isNameByte))
        return "a site name is 1 to " + std::to_string(kMaxSiteNameBytes) +
               " letters, digits, '_' or '-'";
    std::string lower = site;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (std::find(kReservedSiteNames.begin(), kReservedSiteNames.end(), lower) !=
        kReservedSiteNames.end())
        return "\"" + site + "\" is one of the site's own addresses";
    return "";
}

bool isAllowedSiteName(const std::string& site) {
    return siteNameRefusal(site).empty();
}

} // namespace dkpsite
