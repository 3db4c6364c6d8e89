#pragma once

#include <string>

namespace dkpsite {

// How the site's cookies are named and marked, from the site's public address. Over https
// they are `Secure` and carry the `__Host-` prefix (the browser then keeps them to this host and
// path "/", never set by a sub-domain or over plain http); every cookie is `HttpOnly` and
// `SameSite=Lax`.
class CookiePolicy {
public:
    explicit CookiePolicy(const std::string& publicUrl);

    // The session cookie and the cookie that binds an anonymous form to its browser.
    const std::string& sessionName() const { return sessionName_; }
    const std::string& formBindingName() const { return formBindingName_; }

    // A Set-Cookie value that sets cookie `name` for the browser's session.
    std::string set(const std::string& name, const std::string& value) const;
    // A Set-Cookie value that removes cookie `name`.
    std::string clear(const std::string& name) const;

private:
    std::string attributes() const;

    bool secure_;
    std::string sessionName_, formBindingName_;
};

// The value of cookie `name` in a Cookie header ("a=1; b=2"), or empty.
std::string cookieValue(const std::string& cookieHeader, const std::string& name);

} // namespace dkpsite
