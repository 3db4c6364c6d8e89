#include "records/site_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace dkpsite {

namespace {

// Compared without regard to case: a guild "API" would look like the site's own address.
constexpr std::string_view kReservedNames[] = {
    "about",    "account", "accounts", "admin",    "api",         "assets", "auth",       "bbs",
    "check",    "css",     "event",    "events",   "favicon.ico", "forum",  "forums",     "guild",
    "guilds",   "help",    "home",     "images",   "img",         "index",  "invite",     "js",
    "login",    "logout",  "owner",    "password", "register",    "reset",  "robots.txt", "search",
    "settings", "site",    "static",   "update",   "wow",
};

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSiteNameCharacter(unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '-';
}

} // namespace

bool isReservedSiteName(const std::string& name) {
    const std::string key = lowered(name);
    return std::find(std::begin(kReservedNames), std::end(kReservedNames), key) !=
           std::end(kReservedNames);
}

std::string siteNameProblem(const std::string& name) {
    if (name.empty())
        return "a site name cannot be empty";
    if (name.size() > kMaxSiteNameLength)
        return "a site name has at most " + std::to_string(kMaxSiteNameLength) + " characters";
    if (!std::all_of(name.begin(), name.end(),
                     [](unsigned char c) { return c < 0x80 && isSiteNameCharacter(c); }))
        return "a site name has only ASCII letters, digits, \"_\" and \"-\"";
    if (isReservedSiteName(name))
        return "\"" + name + "\" is kept for the site's own addresses";
    return {};
}

} // namespace dkpsite
