#include "web/page_routes.h"

namespace dkpsite {

WebSite::WebSite(SiteStore& store, std::function<std::int64_t()> clock)
    : data_(store), pages_(data_, std::move(clock)) {}

void installPageRoutes(httplib::Server& server, const WebSite& site) {
    using Req = const httplib::Request&;
    using Res = httplib::Response&;
    const SitePages& pages = site.pages();
    const auto page = [&pages](void (SitePages::*handler)(Req, Res) const) {
        return [&pages, handler](Req req, Res res) { (pages.*handler)(req, res); };
    };
    server.Get("/", page(&SitePages::home));
    server.Get("/site.css", page(&SitePages::stylesheet));
    server.Get("/language", page(&SitePages::chooseLanguage));
    server.Get("/forumdisplay.php", page(&SitePages::help));
    server.Get(R"(/forum-\d{1,9}-\d{1,9}\.html)", page(&SitePages::help));
    server.Get("/GetPasswordPage.do", page(&SitePages::passwordRecovery));
    server.Get("/account", page(&SitePages::account));
    server.Get("/wow/s.php", page(&SitePages::itemSearch));
    server.Get("/event.do", page(&SitePages::event));
    server.Get(R"(/([A-Za-z0-9_\-]{1,64})/member)",
               [&pages](Req req, Res res) { pages.member(req.matches[1].str(), req, res); });
    server.Get(R"(/([A-Za-z0-9_\-]{1,64}))",
               [&pages](Req req, Res res) { pages.guild(req.matches[1].str(), req, res); });
}

} // namespace dkpsite
