#pragma once

#include "auth/session_cookie.h"
#include "http/access.h"

#include <functional>
#include <httplib.h>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

// What a route's handler learns from the route table besides the request.
struct RequestContext {
    Caller caller;
    std::string sessionToken;        // as the request carried it, or empty
    std::string formBinding;         // web pages: what the forms' CSRF token is bound to
    std::optional<GuildFacts> guild; // the guild the route is about, for a guild route
    std::string address;             // the address the request came from
    std::int64_t nowMs = 0;
};

using RouteHandler =
    std::function<void(const httplib::Request&, httplib::Response&, const RequestContext&)>;
// The guild a request names, or nothing when it names none (a malformed request).
using GuildLocator = std::function<std::optional<GuildRef>(const httplib::Request&)>;

enum class Method { Get, Post };

const char* methodName(Method method);

struct Route {
    Method method = Method::Get;
    // A cpp-httplib pattern: an exact path, or a regular expression with groups.
    std::string pattern;
    Access access = Access::Undeclared;
    RouteHandler handler;
    // For a guild route: where the request names its guild.
    GuildLocator guild;
};

// Whether `path` is an address of the client's protocol (/api/…). Its requests name their
// session with `Authorization: Bearer <token>` only; all other requests (a browser's) with the
// session cookie only, and a browser's POST must carry the CSRF token of its forms.
bool isProtocolPath(const std::string& path);

// The address a request came from: the peer's, or, when the peer is this host (a reverse proxy
// in front of the site), the last address the proxy added to X-Forwarded-For.
std::string requestAddress(const httplib::Request& req);

// The CSRF token a page puts in its forms (auth/csrf.h, field kCsrfField). A visitor without a
// session gets a random form cookie, set on `res`, to bind the token to.
std::string formToken(RequestContext& context, httplib::Response& res, const CookiePolicy& cookies);

// Why a request is refused before its handler runs, or nothing when it is admitted.
struct AccessRefusal {
    int status = 403;
    std::string message;
};

// The site's routes, each with the access it needs. Every request goes through `admit` before
// its handler: the caller is found from the session, the guild from the request, and the
// route's access decides.
class RouteTable {
public:
    RouteTable(AccessDirectory& directory, CookiePolicy cookies,
               std::function<std::int64_t()> clock);

    // Throws std::logic_error for a route without a declared access or a guild route without a
    // locator: such a route would be served to no one, or to anyone.
    void add(Route route);
    const std::vector<Route>& routes() const { return routes_; }

    const CookiePolicy& cookies() const { return cookies_; }

    // Decides one request of `route`, and fills `context` for its handler.
    std::optional<AccessRefusal> admit(const Route& route, const httplib::Request& req,
                                       RequestContext& context) const;

    // Installs every route on `server`, in the order added (the first that matches serves).
    void install(httplib::Server& server) const;

private:
    AccessDirectory& directory_;
    CookiePolicy cookies_;
    std::function<std::int64_t()> clock_;
    std::vector<Route> routes_;
};

} // namespace dkpsite
