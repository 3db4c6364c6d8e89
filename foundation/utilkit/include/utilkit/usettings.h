#pragma once

#include <string>
#include <string_view>

// The deployment settings: the addresses of the services this installation talks to. They are
// read from "deployment.ini" beside the program, a text of `key = value` lines ("#" starts a
// comment line). A missing file or key gives the empty text.
namespace usettings {

struct Deployment {
    std::string siteUrl;        // the DKP web site, scheme and host[:port]: "http://127.0.0.1:8080"
    std::string siteHost;       // its current host name as it appears in guild addresses
    std::string oldSiteHost;    // the host name it had before, rewritten to siteHost
    std::string forumUrl;       // the customer forum, scheme and host
    std::string serviceHomeUrl; // the guild service's home page, a whole address
    std::string accountUrl;     // the user-account site, scheme and host
    std::string itemSearchUrl;  // the item database, scheme and host
    std::string updateUrl;      // the update manifest's whole address; empty: no updates
};

inline constexpr const char16_t* kDeploymentFileName = u"deployment.ini";

Deployment parseDeployment(std::string_view text);
Deployment loadDeployment(std::u16string_view file);
// The settings beside the running program.
Deployment loadDeployment();

} // namespace usettings
