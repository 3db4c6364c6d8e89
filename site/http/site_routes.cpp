#include "http/site_routes.h"

#include "api/api_routes.h"
#include "records/site_name.h"

namespace dkpsite {

namespace {

using Req = const httplib::Request&;
using Res = httplib::Response&;
using Ctx = const RequestContext&;

GuildLocator siteParameter(const char* name) {
    return [name](Req req) -> std::optional<GuildRef> {
        if (!req.has_param(name))
            return std::nullopt;
        return GuildRef{GuildRef::Site, req.get_param_value(name), 0};
    };
}

GuildLocator eventNumber(std::optional<std::int64_t> (*find)(Req)) {
    return [find](Req req) -> std::optional<GuildRef> {
        const auto id = find(req);
        if (!id)
            return std::nullopt;
        return GuildRef{GuildRef::Event, {}, *id};
    };
}

// The event an event page asks for (`?method=event_info&eventid=N`).
std::optional<std::int64_t> eventPageId(Req req) {
    if (req.get_param_value("method") != "event_info")
        return std::nullopt;
    const std::string id = req.get_param_value("eventid");
    if (id.empty() || id.size() > 15 || id.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(id);
}

// The guild of a guild address (`/<site name>`, `/<site name>/member`), unless its first path
// piece cannot be a site name or is one the site keeps for itself.
std::optional<GuildRef> guildOfPath(Req req) {
    const std::size_t end = req.path.find('/', 1);
    const std::string site = req.path.substr(1, end == std::string::npos ? end : end - 1);
    if (!siteNameProblem(site).empty())
        return std::nullopt;
    return GuildRef{GuildRef::Site, site, 0};
}

} // namespace

void addSiteRoutes(RouteTable& table, SiteStore& store, LoginGate& logins, const WebSite& web,
                   const SiteOptions& options) {
    SiteStore* db = &store;
    LoginGate* gate = &logins;
    const std::string publicUrl = options.publicUrl;

    // The client's protocol (docs/protocol.md).
    table.add({Method::Post,
               "/api/login",
               Access::Anyone,
               [gate](Req req, Res res, Ctx ctx) { serveLogin(*gate, req, ctx.address, res); },
               {}});
    table.add({Method::Post,
               "/api/logout",
               Access::SignedIn,
               [db](Req, Res res, Ctx ctx) { serveLogout(*db, ctx.sessionToken, res); },
               {}});
    table.add({Method::Get,
               "/api/account",
               Access::SignedIn,
               [db, publicUrl](Req, Res res, Ctx ctx) {
                   serveAccount(*db, ctx.sessionToken, publicUrl, res);
               },
               {}});
    table.add({Method::Post, "/api/events", Access::GuildOfficer,
               [db](Req req, Res res, Ctx ctx) {
                   serveUpload(*db, ctx.sessionToken, req, ctx.address, res);
               },
               [](Req req) -> std::optional<GuildRef> {
                   const auto guildId = uploadGuildId(req);
                   if (!guildId)
                       return std::nullopt;
                   return GuildRef{GuildRef::GuildId, *guildId, 0};
               }});
    table.add({Method::Get, R"(/api/events/(\d{1,15}))", Access::GuildReader,
               [db](Req req, Res res, Ctx) { serveEvent(*db, req, res); },
               eventNumber(requestedEventId)});
    table.add({Method::Get, "/api/guild-dkp-list", Access::GuildReader,
               [db](Req req, Res res, Ctx) { serveGuildDkpList(*db, req, res); },
               siteParameter("site")});

    // Pages.
    const SitePages* pages = &web.pages();
    const auto page = [pages](void (SitePages::*handler)(Req, Res) const) {
        return [pages, handler](Req req, Res res, Ctx) { (pages->*handler)(req, res); };
    };
    table.add({Method::Get, "/", Access::Anyone, page(&SitePages::home), {}});
    table.add({Method::Get, "/site.css", Access::Anyone, page(&SitePages::stylesheet), {}});
    table.add({Method::Get, "/language", Access::Anyone, page(&SitePages::chooseLanguage), {}});
    table.add({Method::Get, "/forumdisplay.php", Access::Anyone, page(&SitePages::help), {}});
    table.add({Method::Get,
               R"(/forum-\d{1,9}-\d{1,9}\.html)",
               Access::Anyone,
               page(&SitePages::help),
               {}});
    table.add({Method::Get,
               "/GetPasswordPage.do",
               Access::Anyone,
               page(&SitePages::passwordRecovery),
               {}});
    // Without a session it asks the reader to log in.
    table.add({Method::Get, "/account", Access::Anyone, page(&SitePages::account), {}});
    table.add({Method::Get, "/wow/s.php", Access::Anyone, page(&SitePages::itemSearch), {}});
    table.add({Method::Get, "/event.do", Access::GuildReader, page(&SitePages::event),
               eventNumber(eventPageId)});
    table.add({Method::Get, R"(/([A-Za-z0-9_\-]{1,64})/member)", Access::GuildReader,
               [pages](Req req, Res res, Ctx) { pages->member(req.matches[1].str(), req, res); },
               guildOfPath});

    // The guild address: last.
    table.add({Method::Get, R"(/([A-Za-z0-9_\-]{1,64}))", Access::GuildReader,
               [pages](Req req, Res res, Ctx) { pages->guild(req.matches[1].str(), req, res); },
               guildOfPath});
}

} // namespace dkpsite
