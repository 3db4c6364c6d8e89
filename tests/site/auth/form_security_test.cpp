// What guards a browser's requests: cookies marked for the site's address, and the CSRF token
// every form that changes something must carry.
#include "auth/csrf.h"
#include "auth/session_cookie.h"
#include "http/route_table.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

TEST(CookiePolicy, HttpsCookiesAreSecureHostCookiesAndAllAreHttpOnlyAndLax) {
    const CookiePolicy https("https://dkp.example");
    EXPECT_EQ(https.sessionName(), "__Host-dkp_session");
    EXPECT_EQ(https.set(https.sessionName(), "t"),
              "__Host-dkp_session=t; Path=/; HttpOnly; SameSite=Lax; Secure");
    const CookiePolicy http("http://127.0.0.1:8080");
    EXPECT_EQ(http.set(http.sessionName(), "t"), "dkp_session=t; Path=/; HttpOnly; SameSite=Lax");
    EXPECT_EQ(http.clear(http.sessionName()),
              "dkp_session=; Path=/; HttpOnly; SameSite=Lax; Max-Age=0");
    EXPECT_EQ(cookieValue("a=1; dkp_session=abc; b=2", "dkp_session"), "abc");
    EXPECT_EQ(cookieValue("xdkp_session=abc", "dkp_session"), "");
}

// Callers named by their session token; nobody has a role.
class Nobody : public AccessDirectory {
public:
    Caller caller(const std::string& token, std::int64_t) override {
        Caller caller;
        if (!token.empty())
            caller.user = token;
        return caller;
    }
    std::optional<GuildFacts> guild(const GuildRef&) override { return std::nullopt; }
};

class FormRoutes : public ::testing::Test {
protected:
    FormRoutes() {
        const RouteHandler handler = [](const httplib::Request&, httplib::Response&,
                                        const RequestContext&) {};
        table_.add({Method::Post, "/settings", Access::SignedIn, handler, {}});
        table_.add({Method::Post, "/register", Access::Anyone, handler, {}});
        table_.add({Method::Get, "/api/account", Access::SignedIn, handler, {}});
    }

    std::optional<AccessRefusal> admit(std::size_t route, httplib::Request req) {
        req.path = table_.routes()[route].pattern;
        RequestContext context;
        return table_.admit(table_.routes()[route], req, context);
    }

    Nobody directory_;
    RouteTable table_{directory_, CookiePolicy("https://dkp.example"),
                      [] { return std::int64_t(0); }};
};

TEST_F(FormRoutes, APostFromABrowserNeedsTheTokenOfItsSession) {
    const std::string session = randomToken();
    httplib::Request req;
    req.headers.emplace("Cookie", "__Host-dkp_session=" + session);
    EXPECT_EQ(admit(0, req)->status, 403) << "no token";
    req.params.emplace(kCsrfField, csrfToken(randomToken()));
    EXPECT_EQ(admit(0, req)->status, 403) << "another session's token";
    req.params.clear();
    req.params.emplace(kCsrfField, csrfToken(session));
    EXPECT_FALSE(admit(0, req));
    httplib::Request byHeader;
    byHeader.headers.emplace("Cookie", "__Host-dkp_session=" + session);
    byHeader.headers.emplace("X-CSRF-Token", csrfToken(session));
    EXPECT_FALSE(admit(0, byHeader));
}

TEST_F(FormRoutes, AnAnonymousFormIsBoundToItsFormCookie) {
    RequestContext shown;
    httplib::Response page;
    const std::string token = formToken(shown, page, table_.cookies());
    const std::string setCookie = page.get_header_value("Set-Cookie");
    ASSERT_EQ(setCookie.rfind("__Host-dkp_form=", 0), 0u) << setCookie;
    const std::string cookie = setCookie.substr(0, setCookie.find(';'));

    httplib::Request sent;
    sent.params.emplace(kCsrfField, token);
    EXPECT_EQ(admit(1, sent)->status, 403) << "the token without its cookie";
    sent.headers.emplace("Cookie", cookie);
    EXPECT_FALSE(admit(1, sent));
}

TEST_F(FormRoutes, TheProtocolTakesItsSessionFromTheBearerTokenOnly) {
    httplib::Request byCookie;
    byCookie.headers.emplace("Cookie", "__Host-dkp_session=" + randomToken());
    EXPECT_EQ(admit(2, byCookie)->status, 401);
    httplib::Request byBearer;
    byBearer.headers.emplace("Authorization", "Bearer " + randomToken());
    EXPECT_FALSE(admit(2, byBearer));
}

} // namespace
} // namespace dkpsite
