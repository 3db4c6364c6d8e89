#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

struct SiteOptions {
    int port = 8080;                     // 0: any free port
    std::string database = "dkpsite.db"; // an SQLite file (made when missing) or postgresql://…
    std::string bindAddress = "127.0.0.1";
    bool demo = false;         // seed the demo user, guilds and DKP systems
    std::string updatesFolder; // served under /update/ when set
    std::string publicUrl;     // scheme and host of guild addresses; default: the bound address
};

inline constexpr const char* kSiteUsage =
    "usage: dkpsite [--port N] [--db DB] [--bind ADDRESS] [--demo] [--updates DIR] "
    "[--public-url URL]";

// "http://ADDRESS:PORT", with an IPv6 address in brackets.
std::string boundSiteUrl(const std::string& address, int port);

// Reads the command line (without the program name). Gives nothing, with `error` set, for an
// unknown option, a missing value or a port outside 0..65535.
std::optional<SiteOptions> parseSiteOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

} // namespace dkpsite
