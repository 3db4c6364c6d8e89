// Every route of the site against every kind of caller, in the caller's own guild and in another:
// admitted or refused as the route declares, and never into another guild's members-only data
// by naming it.
#include "auth/csrf.h"
#include "cli/site_options.h"
#include "http/route_table.h"
#include "http/site_routes.h"
#include "store/site_store.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace dkpsite {
namespace {

// Two guilds: the callers' own ("GuildA", site "guild-a", event 1) and another ("GuildB",
// "guild-b", event 2). Each role's caller sends its role's name as its session token.
class TwoGuilds : public AccessDirectory {
public:
    bool standingsPublic = false;

    Caller caller(const std::string& token, std::int64_t) override {
        Caller caller;
        static const std::map<std::string, Role> roles = {
            {"member", Role::Member}, {"officer", Role::Officer}, {"admin", Role::GuildAdmin}};
        if (token == "owner") {
            caller.user = token;
            caller.siteOwner = true;
        } else if (roles.count(token)) {
            caller.user = token;
            caller.roles["GuildA"] = roles.at(token);
        }
        return caller;
    }

    std::optional<GuildFacts> guild(const GuildRef& ref) override {
        const bool a = ref.kind == GuildRef::Event ? ref.eventId == 1
                                                   : ref.text == "guild-a" || ref.text == "GuildA";
        const bool b = ref.kind == GuildRef::Event ? ref.eventId == 2
                                                   : ref.text == "guild-b" || ref.text == "GuildB";
        if (!a && !b)
            return std::nullopt;
        return GuildFacts{a ? "GuildA" : "GuildB", standingsPublic};
    }
};

struct Target {
    std::string site, guildId, eventId;
};
const Target kOwn{"guild-a", "GuildA", "1"};
const Target kOther{"guild-b", "GuildB", "2"};

// A request of a route as a client would send it about a guild.
struct RequestCase {
    Access declared;
    std::function<void(httplib::Request&, const Target&)> fill;
};

// A request of a page that is about no guild.
std::function<void(httplib::Request&, const Target&)> at(const std::string& path) {
    return [path](httplib::Request& req, const Target&) { req.path = path; };
}

// A request of one of a guild's own pages, `/<site name>/<page>`.
std::function<void(httplib::Request&, const Target&)> atGuild(const std::string& page) {
    return [page](httplib::Request& req, const Target& guild) {
        req.path = "/" + guild.site + "/" + page;
    };
}

// One case per route of the site. A route added without one fails the matrix below, and a
// route whose access changes must change here too.
const std::map<std::string, RequestCase>& requestCases() {
    static const std::map<std::string, RequestCase> cases = {
        {"POST /api/login",
         {Access::Anyone,
          [](httplib::Request& req, const Target&) {
              req.path = "/api/login";
              req.body = R"({"user": "x", "digest": "y"})";
          }}},
        {"POST /api/logout",
         {Access::SignedIn,
          [](httplib::Request& req, const Target&) { req.path = "/api/logout"; }}},
        {"GET /api/account",
         {Access::SignedIn,
          [](httplib::Request& req, const Target&) { req.path = "/api/account"; }}},
        {"POST /api/events",
         {Access::GuildOfficer,
          [](httplib::Request& req, const Target& guild) {
              req.path = "/api/events";
              req.body = R"({"guildId": ")" + guild.guildId +
                         R"(", "dkpId": 1, "name": "n", "note": "", "document": ""})";
          }}},
        {R"(GET /api/events/(\d{1,15}))",
         {Access::GuildReader,
          [](httplib::Request& req, const Target& guild) {
              req.path = "/api/events/" + guild.eventId;
          }}},
        {"GET /api/guild-dkp-list",
         {Access::GuildReader,
          [](httplib::Request& req, const Target& guild) {
              req.path = "/api/guild-dkp-list";
              req.params.emplace("site", guild.site);
          }}},
        {"GET /", {Access::Anyone, at("/")}},
        {"GET /site.css", {Access::Anyone, at("/site.css")}},
        {"GET /language", {Access::Anyone, at("/language")}},
        {"GET /forumdisplay.php", {Access::Anyone, at("/forumdisplay.php")}},
        {R"(GET /forum-\d{1,9}-\d{1,9}\.html)", {Access::Anyone, at("/forum-1-2.html")}},
        {"GET /GetPasswordPage.do", {Access::Anyone, at("/GetPasswordPage.do")}},
        {"GET /account", {Access::Anyone, at("/account")}},
        {"POST /account/password", {Access::SignedIn, at("/account/password")}},
        {"GET /register", {Access::Anyone, at("/register")}},
        {"POST /register", {Access::Anyone, at("/register")}},
        {"POST /GetPasswordPage.do", {Access::Anyone, at("/GetPasswordPage.do")}},
        {"GET /login", {Access::Anyone, at("/login")}},
        {"POST /login", {Access::Anyone, at("/login")}},
        {"POST /logout", {Access::SignedIn, at("/logout")}},
        {"POST /event.do",
         {Access::GuildOfficer,
          [](httplib::Request& req, const Target& guild) {
              req.path = "/event.do";
              req.params.emplace("eventid", guild.eventId);
          }}},
        {"GET /wow/s.php", {Access::Anyone, at("/wow/s.php")}},
        {"GET /update/(.+)", {Access::Anyone, at("/update/list.xml")}},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/member)",
         {Access::GuildReader,
          [](httplib::Request& req, const Target& guild) {
              req.path = "/" + guild.site + "/member";
              req.params.emplace("name", "PlayerOne");
          }}},
        {"GET /event.do",
         {Access::GuildReader,
          [](httplib::Request& req, const Target& guild) {
              req.path = "/event.do";
              req.params.emplace("method", "event_info");
              req.params.emplace("eventid", guild.eventId);
          }}},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/officer)", {Access::GuildOfficer, atGuild("officer")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/adjust)", {Access::GuildOfficer, atGuild("adjust")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/decay)", {Access::GuildOfficer, atGuild("decay")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/alt)", {Access::GuildOfficer, atGuild("alt")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/systems)", {Access::GuildAdmin, atGuild("systems")}},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/audit)", {Access::GuildAdmin, atGuild("audit")}},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/characters)",
         {Access::GuildOfficer, atGuild("characters")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/characters)",
         {Access::GuildOfficer, atGuild("characters")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/import)", {Access::GuildAdmin, atGuild("import")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/raid-import)",
         {Access::GuildOfficer, atGuild("raid-import")}},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/members)", {Access::GuildAdmin, atGuild("members")}},
        {R"(POST /([A-Za-z0-9_\-]{1,64})/members)", {Access::GuildAdmin, atGuild("members")}},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/export)", {Access::GuildAdmin, atGuild("export")}},
        {R"(GET /([A-Za-z0-9_\-]{1,64}))",
         {Access::GuildReader,
          [](httplib::Request& req, const Target& guild) { req.path = "/" + guild.site; }}},
    };
    return cases;
}

std::string keyOf(const Route& route) {
    return std::string(methodName(route.method)) + " " + route.pattern;
}

// The request of `route`, sent by the caller of session `token`.
void prepare(httplib::Request& req, const Route& route, const std::string& token) {
    req.method = methodName(route.method);
    const bool browserForm = route.method == Method::Post && !isProtocolPath(route.pattern);
    // A browser's form carries the token of its session, or of its form cookie before a login.
    if (browserForm)
        req.params.emplace(kCsrfField, csrfToken(token.empty() ? "form" : token));
    if (token.empty()) {
        if (browserForm)
            req.headers.emplace("Cookie", "dkp_form=form");
        return;
    }
    // The client's protocol names its session with a bearer token, a browser with its cookie.
    if (isProtocolPath(route.pattern))
        req.headers.emplace("Authorization", "Bearer " + token);
    else
        req.headers.emplace("Cookie", "dkp_session=" + token);
}

// What the roles mean, said apart from the route table's code.
bool shouldAdmit(Access access, Role role, bool ownGuild, bool standingsPublic) {
    const bool inGuild = role == Role::SiteOwner || ownGuild;
    switch (access) {
    case Access::Anyone:
        return true;
    case Access::SignedIn:
        return role != Role::Anonymous;
    case Access::GuildReader:
        return standingsPublic || (inGuild && role >= Role::Member);
    case Access::GuildMember:
        return inGuild && role >= Role::Member;
    case Access::GuildOfficer:
        return inGuild && role >= Role::Officer;
    case Access::GuildAdmin:
        return inGuild && role >= Role::GuildAdmin;
    case Access::SiteOwner:
        return role == Role::SiteOwner;
    case Access::Undeclared:
        return false;
    }
    return false;
}

class RouteMatrix : public ::testing::Test {
protected:
    RouteMatrix() { addSiteRoutes(table_, store_, logins_, web_, options_); }

    TwoGuilds directory_;
    SiteStore store_{":memory:", 1000};
    LoginThrottle throttle_{store_};
    PasswordWork work_{1, 1};
    LoginGate logins_{store_, throttle_, work_, 1000};
    WebSite web_{store_, [] { return std::int64_t(0); }};
    SiteOptions options_;
    RouteTable table_{directory_, CookiePolicy(""), [] { return std::int64_t(0); }};
};

TEST_F(RouteMatrix, EveryRouteAdmitsEachRoleInItsOwnAndAnotherGuildAsDeclared) {
    const std::pair<Role, std::string> callers[] = {{Role::Anonymous, ""},
                                                    {Role::Member, "member"},
                                                    {Role::Officer, "officer"},
                                                    {Role::GuildAdmin, "admin"},
                                                    {Role::SiteOwner, "owner"}};
    std::size_t covered = 0;
    for (const Route& route : table_.routes()) {
        const auto found = requestCases().find(keyOf(route));
        ASSERT_NE(found, requestCases().end()) << keyOf(route) << " has no case in the matrix";
        ++covered;
        EXPECT_EQ(route.access, found->second.declared) << keyOf(route);
        for (const bool standingsPublic : {false, true}) {
            directory_.standingsPublic = standingsPublic;
            for (const auto& [role, token] : callers) {
                for (const bool own : {true, false}) {
                    httplib::Request req;
                    found->second.fill(req, own ? kOwn : kOther);
                    prepare(req, route, token);
                    RequestContext context;
                    const auto refusal = table_.admit(route, req, context);
                    const bool expected = shouldAdmit(route.access, role, own, standingsPublic);
                    EXPECT_EQ(!refusal, expected)
                        << keyOf(route) << " as " << (token.empty() ? "anonymous" : token)
                        << (own ? " in its own guild" : " in another guild")
                        << (standingsPublic ? ", public standings" : ", members-only");
                    if (refusal) {
                        EXPECT_EQ(refusal->status, role == Role::Anonymous ? 401 : 403)
                            << keyOf(route) << " as " << token;
                    } else if (isGuildAccess(route.access)) {
                        EXPECT_EQ(context.guild->guildId, own ? "GuildA" : "GuildB");
                    }
                }
            }
        }
    }
    EXPECT_EQ(covered, requestCases().size()) << "a case names a route the site no longer has";
}

TEST_F(RouteMatrix, RequestsThatNameNoGuildAreRefusedNotServed) {
    const auto routeOf = [this](const std::string& key) -> const Route& {
        for (const Route& route : table_.routes())
            if (keyOf(route) == key)
                return route;
        throw std::logic_error("no route " + key);
    };
    struct Unnamed {
        std::string route, path, body;
        int status;
    };
    const Unnamed cases[] = {
        {"POST /api/events", "/api/events", R"({"dkpId": 1})", 400},
        {"POST /api/events", "/api/events", std::string(100, '[') + std::string(100, ']'), 400},
        {R"(GET /([A-Za-z0-9_\-]{1,64}))", "/api", "", 404},
        {R"(GET /([A-Za-z0-9_\-]{1,64}))", "/LOGIN", "", 404},
        {R"(GET /([A-Za-z0-9_\-]{1,64}))", "/no-such-guild", "", 404},
        {R"(GET /([A-Za-z0-9_\-]{1,64})/member)", "/api/member", "", 404},
        {"GET /event.do", "/event.do", "", 404},
        {"POST /event.do", "/event.do", "", 400},
    };
    for (const Unnamed& c : cases) {
        const Route& route = routeOf(c.route);
        httplib::Request req;
        req.path = c.path;
        req.body = c.body;
        prepare(req, route, "owner");
        RequestContext context;
        const auto refusal = table_.admit(route, req, context);
        ASSERT_TRUE(refusal) << c.path << " " << c.body;
        EXPECT_EQ(refusal->status, c.status) << c.path << " " << c.body;
    }
}

TEST_F(RouteMatrix, ARouteWithoutDeclaredAccessIsNeverInstalled) {
    const RouteHandler handler = [](const httplib::Request&, httplib::Response&,
                                    const RequestContext&) {};
    EXPECT_THROW(table_.add({Method::Get, "/undeclared", Access::Undeclared, handler, {}}),
                 std::logic_error);
    EXPECT_THROW(table_.add({Method::Get, "/unlocated", Access::GuildMember, handler, {}}),
                 std::logic_error);
}

} // namespace
} // namespace dkpsite
