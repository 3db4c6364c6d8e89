#include "cli/site_options.h"

#include <charconv>

namespace dkpsite {

namespace {

std::optional<int> parsePort(const std::string& text) {
    int port = -1;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (status != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535)
        return std::nullopt;
    return port;
}

} // namespace

std::string boundSiteUrl(const std::string& address, int port) {
    const bool ipv6 = address.find(':') != std::string::npos;
    return "http://" + (ipv6 ? "[" + address + "]" : address) + ":" + std::to_string(port);
}

std::optional<SiteOptions> parseSiteOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
    SiteOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--demo") {
            options.demo = true;
            continue;
        }
        if (option != "--port" && option != "--db" && option != "--bind" && option != "--updates" &&
            option != "--public-url") {
            error = "unknown option " + option;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = "option " + option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (option == "--port") {
            const auto port = parsePort(value);
            if (!port) {
                error = "not a port number: " + value;
                return std::nullopt;
            }
            options.port = *port;
        } else if (option == "--db") {
            options.database = value;
        } else if (option == "--bind") {
            options.bindAddress = value;
        } else if (option == "--updates") {
            options.updatesFolder = value;
        } else {
            options.publicUrl = value;
        }
    }
    return options;
}

} // namespace dkpsite
