#include "api/api_routes.h"
#include "api/api_answers.h"
#include "api/dkp_list_text.h"

#include <chrono>
#include <httplib.h>

namespace dkpsite {

namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void send(httplib::Response& res, const ApiAnswer& answer) {
    res.status = answer.status;
    res.set_content(answer.body, "application/json; charset=utf-8");
}

std::string bearerToken(const httplib::Request& req) {
    const std::string header = req.get_header_value("Authorization");
    const std::string prefix = "Bearer ";
    return header.rfind(prefix, 0) == 0 ? header.substr(prefix.size()) : std::string();
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
        send(res, answerLogin(store, req.body, nowMs()));
    });
    server.Post("/api/logout", [&store](const httplib::Request& req, httplib::Response& res) {
        send(res, answerLogout(store, bearerToken(req)));
    });
    server.Get("/api/account",
               [&store, &options](const httplib::Request& req, httplib::Response& res) {
                   send(res, answerAccount(store, bearerToken(req), options.publicUrl, nowMs()));
               });
    server.Post("/api/events", [&store](const httplib::Request& req, httplib::Response& res) {
        send(res, answerUpload(store, bearerToken(req), req.body, nowMs(), req.remote_addr));
    });
    server.Get(R"(/api/events/(\d{1,15}))",
               [&store](const httplib::Request& req, httplib::Response& res) {
                   send(res, answerEvent(store, std::stoll(req.matches[1].str())));
               });
    server.Get("/api/guild-dkp-list",
               [&store](const httplib::Request& req, httplib::Response& res) {
                   handleGuildDkpList(store, req, res);
               });
}

} // namespace dkpsite
