#include "http/site_routes.h"

#include "api/api_routes.h"
#include "http/update_files.h"
#include "records/site_name.h"
#include "web/account_pages.h"
#include "web/guild_admin_pages.h"
#include "web/import_pages.h"
#include "web/officer_pages.h"
#include "web/site_forms.h"

#include <memory>

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

// The event a form about an event names (`eventid=N`).
std::optional<std::int64_t> postedEventId(Req req) {
    const std::string id = req.get_param_value("eventid");
    if (id.empty() || id.size() > 15 || id.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(id);
}

// What a page learns of its visitor from the route table.
PageVisit visitOf(Ctx ctx, Res res, const CookiePolicy& cookies) {
    PageVisit visit;
    visit.user = ctx.caller.user.value_or("");
    visit.officer = admits(Access::GuildOfficer, ctx.caller, ctx.guild);
    visit.guildAdmin = admits(Access::GuildAdmin, ctx.caller, ctx.guild);
    visit.sessionToken = ctx.sessionToken;
    visit.address = ctx.address;
    visit.nowMs = ctx.nowMs;
    auto context = std::make_shared<RequestContext>(ctx);
    visit.formToken = [context, &res, &cookies] { return formToken(*context, res, cookies); };
    return visit;
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
    const CookiePolicy* cookies = &table.cookies();
    using PageHandler = void (SitePages::*)(Req, Res, const PageVisit&) const;
    const auto page = [pages, cookies](PageHandler handler) {
        return [pages, cookies, handler](Req req, Res res, Ctx ctx) {
            (pages->*handler)(req, res, visitOf(ctx, res, *cookies));
        };
    };
    auto forms = std::make_shared<const SiteForms>(store, logins, web.pages(), table.cookies());
    using FormHandler = void (SiteForms::*)(Req, Res, const PageVisit&) const;
    const auto form = [forms, cookies](FormHandler handler) {
        return [forms, cookies, handler](Req req, Res res, Ctx ctx) {
            (forms.get()->*handler)(req, res, visitOf(ctx, res, *cookies));
        };
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
    table.add({Method::Get, "/login", Access::Anyone, form(&SiteForms::loginPage), {}});
    table.add({Method::Post, "/login", Access::Anyone, form(&SiteForms::login), {}});
    table.add({Method::Post, "/logout", Access::SignedIn, form(&SiteForms::logout), {}});

    // One's own account.
    auto accounts =
        std::make_shared<const AccountPages>(store, logins, web.pages(), table.cookies());
    using AccountHandler = void (AccountPages::*)(Req, Res, const PageVisit&) const;
    const auto accountForm = [accounts, cookies](AccountHandler handler) {
        return [accounts, cookies, handler](Req req, Res res, Ctx ctx) {
            (accounts.get()->*handler)(req, res, visitOf(ctx, res, *cookies));
        };
    };
    // Without a session it asks the reader to log in.
    table.add({Method::Get, "/account", Access::Anyone, accountForm(&AccountPages::account), {}});
    table.add({Method::Post,
               "/account/password",
               Access::SignedIn,
               accountForm(&AccountPages::changePassword),
               {}});
    table.add(
        {Method::Get, "/register", Access::Anyone, accountForm(&AccountPages::registerPage), {}});
    table.add({Method::Post,
               "/register",
               Access::Anyone,
               accountForm(&AccountPages::registerAccount),
               {}});
    // The client's password-recovery link; with a reset link's token it sets the password.
    table.add({Method::Get,
               "/GetPasswordPage.do",
               Access::Anyone,
               accountForm(&AccountPages::passwordRecovery),
               {}});
    table.add({Method::Post,
               "/GetPasswordPage.do",
               Access::Anyone,
               accountForm(&AccountPages::resetPassword),
               {}});

    table.add({Method::Get, "/wow/s.php", Access::Anyone, page(&SitePages::itemSearch), {}});
    // The updater's files (--updates DIR); 404 for every path when no folder is set.
    const std::string updates = options.updatesFolder;
    table.add({Method::Get,
               "/update/(.+)",
               Access::Anyone,
               [updates](Req req, Res res, Ctx) {
                   serveUpdateFile(updates, req.matches[1].str(), req, res);
               },
               {}});
    table.add({Method::Get, "/event.do", Access::GuildReader, page(&SitePages::event),
               eventNumber(eventPageId)});
    table.add({Method::Post, "/event.do", Access::GuildOfficer, form(&SiteForms::editEvent),
               eventNumber(postedEventId)});
    table.add({Method::Get, R"(/([A-Za-z0-9_\-]{1,64})/member)", Access::GuildReader,
               [pages, cookies](Req req, Res res, Ctx ctx) {
                   pages->member(req.matches[1].str(), req, res, visitOf(ctx, res, *cookies));
               },
               guildOfPath});

    // A guild's officer pages.
    auto officer = std::make_shared<const OfficerPages>(store, web.pages());
    using GuildHandler =
        void (OfficerPages::*)(const std::string&, Req, Res, const PageVisit&) const;
    const auto guildPage = [officer, cookies](GuildHandler handler) {
        return [officer, cookies, handler](Req req, Res res, Ctx ctx) {
            (officer.get()->*handler)(req.matches[1].str(), req, res, visitOf(ctx, res, *cookies));
        };
    };
    const std::string guildPath = R"(/([A-Za-z0-9_\-]{1,64}))";
    table.add({Method::Get, guildPath + "/officer", Access::GuildOfficer,
               guildPage(&OfficerPages::page), guildOfPath});
    table.add({Method::Post, guildPath + "/adjust", Access::GuildOfficer,
               guildPage(&OfficerPages::adjust), guildOfPath});
    table.add({Method::Post, guildPath + "/decay", Access::GuildOfficer,
               guildPage(&OfficerPages::decay), guildOfPath});
    table.add({Method::Post, guildPath + "/alt", Access::GuildOfficer,
               guildPage(&OfficerPages::linkAlt), guildOfPath});
    table.add({Method::Get, guildPath + "/characters", Access::GuildOfficer,
               guildPage(&OfficerPages::characters), guildOfPath});
    table.add({Method::Post, guildPath + "/characters", Access::GuildOfficer,
               guildPage(&OfficerPages::setCharacterActive), guildOfPath});
    table.add({Method::Post, guildPath + "/systems", Access::GuildAdmin,
               guildPage(&OfficerPages::editSystems), guildOfPath});
    auto admin = std::make_shared<const GuildAdminPages>(store, web.pages(), publicUrl);
    table.add({Method::Get, guildPath + "/members", Access::GuildAdmin,
               [admin, cookies](Req req, Res res, Ctx ctx) {
                   admin->page(req.matches[1].str(), req, res, visitOf(ctx, res, *cookies));
               },
               guildOfPath});
    table.add({Method::Post, guildPath + "/members", Access::GuildAdmin,
               [admin, cookies](Req req, Res res, Ctx ctx) {
                   admin->change(req.matches[1].str(), req, res, visitOf(ctx, res, *cookies));
               },
               guildOfPath});
    auto imports = std::make_shared<const ImportPages>(store, web.pages());
    using ImportHandler =
        void (ImportPages::*)(const std::string&, Req, Res, const PageVisit&) const;
    const auto importPage = [imports, cookies](ImportHandler handler) {
        return [imports, cookies, handler](Req req, Res res, Ctx ctx) {
            (imports.get()->*handler)(req.matches[1].str(), req, res, visitOf(ctx, res, *cookies));
        };
    };
    table.add({Method::Post, guildPath + "/raid-import", Access::GuildOfficer,
               importPage(&ImportPages::importRaidLog), guildOfPath});
    table.add({Method::Post, guildPath + "/import", Access::GuildAdmin,
               importPage(&ImportPages::importGuild), guildOfPath});
    table.add({Method::Get, guildPath + "/audit", Access::GuildAdmin,
               guildPage(&OfficerPages::audit), guildOfPath});
    table.add({Method::Get, guildPath + "/export", Access::GuildAdmin,
               guildPage(&OfficerPages::exportGuild), guildOfPath});

    // The guild address: last.
    table.add({Method::Get, R"(/([A-Za-z0-9_\-]{1,64}))", Access::GuildReader,
               [pages, cookies](Req req, Res res, Ctx ctx) {
                   pages->guild(req.matches[1].str(), req, res, visitOf(ctx, res, *cookies));
               },
               guildOfPath});
}

} // namespace dkpsite
