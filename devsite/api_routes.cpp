#include "dkp_list_text.h"
#include "site_routes.h"

#include <chrono>
#include <httplib.h>
#include <nlohmann/json.hpp>

namespace devsite {

namespace {

using nlohmann::json;

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void sendJson(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace),
                    "application/json; charset=utf-8");
}

std::string bearerToken(const httplib::Request& req) {
    const std::string header = req.get_header_value("Authorization");
    const std::string prefix = "Bearer ";
    return header.rfind(prefix, 0) == 0 ? header.substr(prefix.size()) : std::string();
}

// The JSON object of a request body, or a discarded value when it is not one.
json requestObject(const httplib::Request& req) {
    json body = json::parse(req.body, nullptr, false);
    return body.is_object() ? body : json(json::value_t::discarded);
}

bool hasString(const json& body, const char* key) {
    return body.contains(key) && body[key].is_string();
}

json guildJson(const SiteGuild& guild) {
    json systems = json::array();
    for (const SiteDkpSystem& system : guild.systems)
        systems.push_back({{"id", system.id}, {"name", system.name}});
    return {{"guildId", guild.guildId}, {"site", guild.site}, {"dkpSystems", systems}};
}

std::string publicBase(const httplib::Request& req, const SiteOptions& options) {
    if (!options.publicUrl.empty())
        return options.publicUrl;
    return "http://" + req.get_header_value("Host");
}

void handleLogin(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    const json body = requestObject(req);
    if (body.is_discarded() || !hasString(body, "user") || !hasString(body, "digest"))
        return sendJson(res, 400, {{"result", 0}, {"message", "malformed login request"}});
    const auto token = store.login(body["user"], body["digest"]);
    if (!token)
        return sendJson(res, 401, {{"result", 0}, {"message", "wrong user name or password"}});
    sendJson(res, 200, {{"result", 1}, {"token", *token}});
}

void handleAccount(SiteStore& store, const SiteOptions& options, const httplib::Request& req,
                   httplib::Response& res) {
    const auto account = store.account(bearerToken(req));
    if (!account)
        return sendJson(res, 401, {{"message", "not logged in"}});
    json guilds = json::array();
    for (const SiteGuild& guild : account->guilds)
        guilds.push_back(guildJson(guild));
    const SiteGuild* defaultGuild = account->defaultGuild ? &*account->defaultGuild : nullptr;
    sendJson(res, 200,
             {{"user", account->user},
              {"defaultGuild", defaultGuild ? defaultGuild->guildId : ""},
              {"defaultGuildUrl",
               defaultGuild ? publicBase(req, options) + "/" + defaultGuild->site : ""},
              {"guilds", guilds}});
}

void handleUpload(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    const json body = requestObject(req);
    if (body.is_discarded() || !hasString(body, "guildId") || !body.contains("dkpId") ||
        !body["dkpId"].is_number_unsigned() || !hasString(body, "name") ||
        !hasString(body, "note") || !hasString(body, "document"))
        return sendJson(res, 400, {{"status", 400}, {"message", "malformed upload request"}});
    NewEvent event;
    event.guildId = body["guildId"];
    event.dkpId = body["dkpId"].get<std::int64_t>();
    event.name = body["name"];
    event.note = body["note"];
    event.document = body["document"];
    std::string error;
    auto raid = parseRaidDocument(event.document, error);
    if (!raid)
        return sendJson(res, 400,
                        {{"status", 400}, {"message", "malformed raid document: " + error}});
    event.raid = std::move(*raid);
    const UploadResult result = store.storeEvent(bearerToken(req), event, nowMs());
    switch (result.outcome) {
    case UploadOutcome::Created:
        return sendJson(res, 200, {{"status", 200}, {"eventId", result.eventId}});
    case UploadOutcome::NotLoggedIn:
        return sendJson(res, 401, {{"status", 401}, {"message", "not logged in"}});
    case UploadOutcome::UnknownGuild:
        return sendJson(res, 403, {{"status", 403}, {"message", "not a guild of this user"}});
    case UploadOutcome::UnknownDkpSystem:
        return sendJson(res, 404, {{"status", 404}, {"message", "no such DKP system"}});
    }
}

json raidJson(const RaidDocument& raid) {
    json members = json::array(), kills = json::array(), loot = json::array();
    for (const RaidMember& m : raid.members)
        members.push_back({{"name", m.name},
                           {"race", m.race},
                           {"guild", m.guild},
                           {"sex", m.sex},
                           {"class", m.playerClass},
                           {"level", m.level}});
    for (const RaidKill& k : raid.kills)
        kills.push_back(
            {{"boss", k.boss}, {"dkp", k.dkp}, {"time", k.time}, {"attendees", k.attendees}});
    for (const RaidLoot& l : raid.loot)
        loot.push_back({{"itemName", l.itemName},
                        {"itemId", l.itemId},
                        {"icon", l.icon},
                        {"class", l.itemClass},
                        {"subClass", l.subClass},
                        {"color", l.color},
                        {"count", l.count},
                        {"player", l.player},
                        {"costs", l.costs},
                        {"time", l.time},
                        {"zone", l.zone},
                        {"boss", l.boss},
                        {"tooltip", l.tooltip}});
    return {{"key", raid.key},    {"realm", raid.realm}, {"start", raid.start},
            {"end", raid.end},    {"zone", raid.zone},   {"note", raid.note},
            {"members", members}, {"kills", kills},      {"loot", loot}};
}

void handleEvent(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    const auto event = store.event(std::stoll(req.matches[1].str()));
    if (!event)
        return sendJson(res, 404, {{"message", "no such event"}});
    sendJson(res, 200,
             {{"eventId", event->id},
              {"guildId", event->guildId},
              {"dkpId", event->dkpId},
              {"name", event->name},
              {"note", event->note},
              {"uploader", event->uploader},
              {"raid", raidJson(event->raid)}});
}

void handleGuildDkpList(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    const auto text = guildDkpListText(store, req.get_param_value("site"));
    if (!text) {
        res.status = 404;
        res.set_content("no such guild site", "text/plain; charset=utf-8");
        return;
    }
    res.set_content(*text, "text/plain; charset=utf-8");
}

} // namespace

std::optional<std::string> guildDkpListText(SiteStore& store, const std::string& site) {
    const auto guild = store.guildBySite(site);
    if (!guild)
        return std::nullopt;
    std::vector<DkpListSystem> systems;
    for (const SiteDkpSystem& system : guild->systems)
        systems.push_back({system, store.standings(system.id)});
    return formatDkpList(store.guildUpdateTimeMs(guild->rowId), systems);
}

void installApiRoutes(httplib::Server& server, SiteStore& store, const SiteOptions& options) {
    server.Post("/api/login", [&store](const httplib::Request& req, httplib::Response& res) {
        handleLogin(store, req, res);
    });
    server.Get("/api/account",
               [&store, &options](const httplib::Request& req, httplib::Response& res) {
                   handleAccount(store, options, req, res);
               });
    server.Post("/api/events", [&store](const httplib::Request& req, httplib::Response& res) {
        handleUpload(store, req, res);
    });
    server.Get(R"(/api/events/(\d{1,15}))",
               [&store](const httplib::Request& req, httplib::Response& res) {
                   handleEvent(store, req, res);
               });
    server.Get("/api/guild-dkp-list",
               [&store](const httplib::Request& req, httplib::Response& res) {
                   handleGuildDkpList(store, req, res);
               });
}

} // namespace devsite
