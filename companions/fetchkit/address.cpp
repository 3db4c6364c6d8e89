#include "address.h"

#include "utilkit/encrypt.h"

namespace fetchkit {

std::string packageAddress(const std::string& manifestUrl, const std::string& packageUrl,
                           const std::string& packageName) {
    if (packageUrl.find("://") != std::string::npos)
        return packageUrl;
    const std::size_t scheme = manifestUrl.find("://");
    const std::size_t hostEnd = manifestUrl.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    const std::string origin = manifestUrl.substr(0, hostEnd);
    if (!packageUrl.empty() && packageUrl.front() == '/')
        return origin + packageUrl;
    const std::size_t query = manifestUrl.find_first_of("?#");
    const std::string path = manifestUrl.substr(0, query);
    const std::size_t lastSlash = path.rfind('/');
    const std::string folder = hostEnd == std::string::npos || lastSlash < hostEnd
                                   ? origin + "/"
                                   : path.substr(0, lastSlash + 1);
    return folder + (packageUrl.empty() ? encrypt::urlEncode(packageName) + ".cab" : packageUrl);
}

} // namespace fetchkit
