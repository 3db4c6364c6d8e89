#include "connection_settings.h"

#include "utilkit/usettings.h"

#include <cstdlib>

namespace wirekit {

namespace {

std::string withoutTrailingSlashes(std::string url) {
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

} // namespace

void ConnectionSettings::setSiteUrl(std::string url) {
    std::lock_guard lock(mutex_);
    explicitUrl_ = std::move(url);
}

void ConnectionSettings::setTimeouts(long connectMs, long transferMs) {
    std::lock_guard lock(mutex_);
    timeouts_.connectMs = connectMs > 0 ? connectMs : kDefaultTimeouts.connectMs;
    timeouts_.transferMs = transferMs > 0 ? transferMs : kDefaultTimeouts.transferMs;
}

std::string ConnectionSettings::siteUrl() {
    std::lock_guard lock(mutex_);
    if (!explicitUrl_.empty())
        return withoutTrailingSlashes(explicitUrl_);
    if (const char* fromEnvironment = std::getenv(kSiteUrlVariable);
        fromEnvironment && *fromEnvironment)
        return withoutTrailingSlashes(fromEnvironment);
    if (!deploymentUrl_)
        deploymentUrl_ = usettings::loadDeployment().siteUrl;
    return withoutTrailingSlashes(*deploymentUrl_);
}

Timeouts ConnectionSettings::timeouts() {
    std::lock_guard lock(mutex_);
    return timeouts_;
}

} // namespace wirekit
