#pragma once

#include <mutex>
#include <optional>
#include <string>

namespace wirekit {

struct Timeouts {
    long connectMs;
    long transferMs; // the whole exchange, connection included
};

inline constexpr Timeouts kDefaultTimeouts{10'000, 60'000};
inline constexpr const char* kSiteUrlVariable = "WIREKIT_SITE_URL";

// Where the DKP web site is and how long a request may take. The address is, in this order:
// the one the host set, the environment variable WIREKIT_SITE_URL, the deployment setting
// site_url beside the program (read once). Safe to use from any thread.
class ConnectionSettings {
public:
    void setSiteUrl(std::string url);
    void setTimeouts(long connectMs, long transferMs);

    // The site's address without a trailing "/"; empty when none is configured.
    std::string siteUrl();
    Timeouts timeouts();

private:
    std::mutex mutex_;
    std::string explicitUrl_;
    std::optional<std::string> deploymentUrl_;
    Timeouts timeouts_ = kDefaultTimeouts;
};

} // namespace wirekit
