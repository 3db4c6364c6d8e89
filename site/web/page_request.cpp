#include "web/page_request.h"

#include <algorithm>
#include <cctype>

namespace dkpsite {

std::string cookieValue(const httplib::Request& req, const std::string& name) {
    const std::string header = req.get_header_value("Cookie");
    size_t position = 0;
    while (position < header.size()) {
        const size_t end = std::min(header.find(';', position), header.size());
        size_t start = position;
        while (start < end && header[start] == ' ')
            ++start;
        const size_t equals = header.find('=', start);
        if (equals < end && header.compare(start, equals - start, name) == 0 &&
            equals - start == name.size())
            return header.substr(equals + 1, end - equals - 1);
        position = end + 1;
    }
    return "";
}

PageLanguage requestLanguage(const httplib::Request& req) {
    return choosePageLanguage(cookieValue(req, kLanguageCookie),
                              req.get_header_value("Accept-Language"));
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string localTarget(const std::string& target) {
    if (target.empty() || target[0] != '/' ||
        (target.size() > 1 && (target[1] == '/' || target[1] == '\\')))
        return "/";
    for (const char c : target)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return "/";
    return target;
}

std::optional<std::int64_t> numberParameter(const httplib::Request& req, const char* name) {
    const std::string text = req.get_param_value(name);
    if (text.empty() || text.size() > 15 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return std::stoll(text);
}

std::string percentEncoded(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 15];
        }
    }
    return encoded;
}

std::string eventPageAddress(std::int64_t event, std::int64_t dkpSystem,
                             const std::string& guildId) {
    return "/event.do?method=event_info&eventid=" + std::to_string(event) +
           "&dkpid=" + std::to_string(dkpSystem) + "&guildid=" + percentEncoded(guildId);
}

std::string formValue(const httplib::Request& req, const char* name) {
    if (req.has_param(name))
        return req.get_param_value(name);
    return req.has_file(name) ? req.get_file_value(name).content : "";
}

} // namespace dkpsite
