#include "web/page_language.h"

#include <cstdlib>

namespace dkpsite {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool startsWithTag(std::string_view range, std::string_view primary) {
    if (range.size() < primary.size())
        return false;
    for (size_t i = 0; i < primary.size(); ++i)
        if ((range[i] | 0x20) != primary[i])
            return false;
    return range.size() == primary.size() || range[primary.size()] == '-';
}

// The weight of one `Accept-Language` item ("en-GB;q=0.8"): 1 without a q, 0 when unreadable.
double weightOf(std::string_view parameters) {
    const size_t q = parameters.find("q=");
    if (q == std::string_view::npos)
        return 1.0;
    const std::string value(trimmed(parameters.substr(q + 2)));
    char* end = nullptr;
    const double weight = std::strtod(value.c_str(), &end);
    return end == value.c_str() || weight < 0 || weight > 1 ? 0.0 : weight;
}

} // namespace

std::optional<PageLanguage> languageNamed(std::string_view code) {
    if (code == "zh")
        return PageLanguage::Chinese;
    if (code == "en")
        return PageLanguage::English;
    return std::nullopt;
}

const char* languageCode(PageLanguage language) {
    return language == PageLanguage::English ? "en" : "zh";
}

const char* languageTag(PageLanguage language) {
    return language == PageLanguage::English ? "en" : "zh-CN";
}

PageLanguage choosePageLanguage(std::string_view cookieValue, std::string_view acceptLanguage) {
    if (const auto chosen = languageNamed(cookieValue))
        return *chosen;
    double chinese = 0, english = 0;
    while (!acceptLanguage.empty()) {
        const size_t comma = acceptLanguage.find(',');
        const std::string_view item = trimmed(acceptLanguage.substr(0, comma));
        acceptLanguage.remove_prefix(comma == std::string_view::npos ? acceptLanguage.size()
                                                                     : comma + 1);
        const size_t semicolon = item.find(';');
        const std::string_view range = trimmed(item.substr(0, semicolon));
        const double weight =
            semicolon == std::string_view::npos ? 1.0 : weightOf(item.substr(semicolon + 1));
        if (startsWithTag(range, "zh") && weight > chinese)
            chinese = weight;
        else if (startsWithTag(range, "en") && weight > english)
            english = weight;
    }
    return english > chinese ? PageLanguage::English : PageLanguage::Chinese;
}

} // namespace dkpsite
