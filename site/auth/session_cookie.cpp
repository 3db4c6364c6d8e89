#include "auth/session_cookie.h"

namespace dkpsite {

namespace {

std::string prefixFor(bool secure) {
    return secure ? "__Host-" : "";
}

} // namespace

CookiePolicy::CookiePolicy(const std::string& publicUrl)
    : secure_(publicUrl.rfind("https://", 0) == 0),
      sessionName_(prefixFor(secure_) + "dkp_session"),
      formBindingName_(prefixFor(secure_) + "dkp_form") {}

std::string CookiePolicy::attributes() const {
    return std::string("; Path=/; HttpOnly; SameSite=Lax") + (secure_ ? "; Secure" : "");
}

std::string CookiePolicy::set(const std::string& name, const std::string& value) const {
    return name + "=" + value + attributes();
}

std::string CookiePolicy::clear(const std::string& name) const {
    return name + "=" + attributes() + "; Max-Age=0";
}

std::string cookieValue(const std::string& cookieHeader, const std::string& name) {
    std::size_t start = 0;
    while (start < cookieHeader.size()) {
        std::size_t end = cookieHeader.find(';', start);
        if (end == std::string::npos)
            end = cookieHeader.size();
        const std::size_t first = cookieHeader.find_first_not_of(' ', start);
        if (first < end && cookieHeader.compare(first, name.size() + 1, name + "=") == 0)
            return cookieHeader.substr(first + name.size() + 1, end - first - name.size() - 1);
        start = end + 1;
    }
    return {};
}

} // namespace dkpsite
