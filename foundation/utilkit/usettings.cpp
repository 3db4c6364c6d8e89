#include "utilkit/usettings.h"

#include "utilkit/ufile.h"

#include <map>

namespace usettings {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::map<std::string, std::string, std::less<>> parsePairs(std::string_view text) {
    std::map<std::string, std::string, std::less<>> pairs;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        pairs[std::string(trimmed(line.substr(0, equals)))] =
            std::string(trimmed(line.substr(equals + 1)));
    }
    return pairs;
}

} // namespace

Deployment parseDeployment(std::string_view text) {
    const auto pairs = parsePairs(text);
    const auto value = [&](std::string_view key) {
        const auto found = pairs.find(key);
        return found == pairs.end() ? std::string() : found->second;
    };
    Deployment settings;
    settings.siteUrl = value("site_url");
    settings.siteHost = value("site_host");
    settings.oldSiteHost = value("old_site_host");
    settings.forumUrl = value("forum_url");
    settings.serviceHomeUrl = value("service_home_url");
    settings.accountUrl = value("account_url");
    settings.itemSearchUrl = value("item_search_url");
    settings.updateUrl = value("update_url");
    return settings;
}

Deployment loadDeployment(std::u16string_view file) {
    std::string text;
    if (!ufile::ReadFileData(file, text))
        return {};
    return parseDeployment(text);
}

Deployment loadDeployment() {
    return loadDeployment(ufile::GetModulePathDir() + kDeploymentFileName);
}

} // namespace usettings
