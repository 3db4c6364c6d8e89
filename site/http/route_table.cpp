#include "http/route_table.h"

#include "auth/csrf.h"
#include "http/error_pages.h"

#include <stdexcept>

namespace dkpsite {

namespace {

std::string bearerToken(const httplib::Request& req) {
    const std::string authorization = req.get_header_value("Authorization");
    const std::string bearer = "Bearer ";
    return authorization.rfind(bearer, 0) == 0 ? authorization.substr(bearer.size()) : "";
}

std::string submittedCsrfToken(const httplib::Request& req) {
    if (req.has_header("X-CSRF-Token"))
        return req.get_header_value("X-CSRF-Token");
    // A form that sends files (multipart) carries its fields as parts.
    if (req.is_multipart_form_data())
        return req.has_file(kCsrfField) ? req.get_file_value(kCsrfField).content : "";
    return req.get_param_value(kCsrfField);
}

bool isLoopback(const std::string& address) {
    return address == "127.0.0.1" || address == "::1" || address == "::ffff:127.0.0.1";
}

AccessRefusal refusalFor(const Caller& caller) {
    if (!caller.signedIn())
        return {401, "not logged in"};
    return {403, "not allowed for this account"};
}

} // namespace

const char* methodName(Method method) {
    return method == Method::Get ? "GET" : "POST";
}

bool isProtocolPath(const std::string& path) {
    return path.rfind("/api/", 0) == 0;
}

std::string requestAddress(const httplib::Request& req) {
    const std::string forwarded = req.get_header_value("X-Forwarded-For");
    if (!isLoopback(req.remote_addr) || forwarded.empty())
        return req.remote_addr;
    const std::size_t comma = forwarded.rfind(',');
    const std::string last = forwarded.substr(comma == std::string::npos ? 0 : comma + 1);
    const std::size_t first = last.find_first_not_of(' ');
    return first == std::string::npos ? req.remote_addr : last.substr(first);
}

std::string formToken(RequestContext& context, httplib::Response& res,
                      const CookiePolicy& cookies) {
    if (context.formBinding.empty()) {
        context.formBinding = randomToken();
        res.set_header("Set-Cookie", cookies.set(cookies.formBindingName(), context.formBinding));
    }
    return csrfToken(context.formBinding);
}

RouteTable::RouteTable(AccessDirectory& directory, CookiePolicy cookies,
                       std::function<std::int64_t()> clock)
    : directory_(directory), cookies_(std::move(cookies)), clock_(std::move(clock)) {}

void RouteTable::add(Route route) {
    const std::string name = std::string(methodName(route.method)) + " " + route.pattern;
    if (route.access == Access::Undeclared)
        throw std::logic_error(name + " declares no access");
    if (isGuildAccess(route.access) && !route.guild)
        throw std::logic_error(name + " is a guild route that names no guild");
    if (!route.handler)
        throw std::logic_error(name + " has no handler");
    routes_.push_back(std::move(route));
}

std::optional<AccessRefusal> RouteTable::admit(const Route& route, const httplib::Request& req,
                                               RequestContext& context) const {
    context.nowMs = clock_();
    context.address = requestAddress(req);
    if (isProtocolPath(route.pattern)) {
        context.sessionToken = bearerToken(req);
    } else {
        const std::string cookies = req.get_header_value("Cookie");
        context.sessionToken = cookieValue(cookies, cookies_.sessionName());
        context.formBinding = context.sessionToken.empty()
                                  ? cookieValue(cookies, cookies_.formBindingName())
                                  : context.sessionToken;
        // Another site's page can make a browser post here with its cookies, but cannot know
        // this token.
        if (route.method == Method::Post &&
            !csrfTokenMatches(context.formBinding, submittedCsrfToken(req)))
            return AccessRefusal{403, "this form has expired or did not come from this site; "
                                      "reload the page and send it again"};
    }
    // A page anyone may open still names who is signed in.
    if (route.access != Access::Anyone || !context.sessionToken.empty())
        context.caller = directory_.caller(context.sessionToken, context.nowMs);
    if (isGuildAccess(route.access)) {
        const std::optional<GuildRef> ref = route.guild(req);
        if (!ref)
            return route.method == Method::Get ? AccessRefusal{404, "no such page"}
                                               : AccessRefusal{400, "malformed request"};
        context.guild = directory_.guild(*ref);
        if (!context.guild && route.access == Access::GuildReader)
            return AccessRefusal{404, "no such guild or event"};
    }
    if (admits(route.access, context.caller, context.guild))
        return std::nullopt;
    return refusalFor(context.caller);
}

void RouteTable::install(httplib::Server& server) const {
    for (const Route& route : routes_) {
        auto serve = [this, &route](const httplib::Request& req, httplib::Response& res) {
            RequestContext context;
            if (const auto refusal = admit(route, req, context)) {
                answerError(req, res, refusal->status, refusal->message);
                return;
            }
            route.handler(req, res, context);
        };
        if (route.method == Method::Get)
            server.Get(route.pattern, serve);
        else
            server.Post(route.pattern, serve);
    }
}

} // namespace dkpsite
