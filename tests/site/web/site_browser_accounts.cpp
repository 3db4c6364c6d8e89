// Adds the accounts the browser tests sign in with to a site's database, as a guild's admin
// would: each a user with its password and its role in the guild at SITE, that guild its
// default.
//
//     site_browser_accounts DATABASE SITE NAME:PASSWORD:ROLE...
#include "store/site_store.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: site_browser_accounts DATABASE SITE NAME:PASSWORD:ROLE..."
                  << std::endl;
        return 2;
    }
    try {
        dkpsite::SiteStore store(argv[1]);
        const auto guild = store.guildBySite(argv[2]);
        if (!guild) {
            std::cerr << "site_browser_accounts: no guild at /" << argv[2] << std::endl;
            return 1;
        }
        for (int i = 3; i < argc; ++i) {
            const std::string account = argv[i];
            const std::size_t first = account.find(':');
            const std::size_t second = account.find(':', first + 1);
            if (first == std::string::npos || second == std::string::npos) {
                std::cerr << "site_browser_accounts: not NAME:PASSWORD:ROLE: " << account
                          << std::endl;
                return 2;
            }
            const std::int64_t user = store.addUser(
                account.substr(0, first),
                dkpsite::clientPasswordDigest(account.substr(first + 1, second - first - 1)));
            store.addMembership(user, guild->rowId, true, account.substr(second + 1));
        }
    } catch (const std::exception& error) {
        std::cerr << "site_browser_accounts: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
