#include "api/api_routes.h"
#include "api/api_answers.h"
#include "api/dkp_list_text.h"
#include "api/json_depth.h"

#include <chrono>
#include <nlohmann/json.hpp>

namespace dkpsite {

namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void send(httplib::Response& res, const ApiAnswer& answer) {
    res.status = answer.status;
    if (answer.retryAfterSeconds > 0)
        res.set_header("Retry-After", std::to_string(answer.retryAfterSeconds));
    res.set_content(answer.body, "application/json; charset=utf-8");
}

} // namespace

void serveLogin(LoginGate& logins, const httplib::Request& req, const std::string& address,
                httplib::Response& res) {
    send(res, answerLogin(logins, req.body, address, nowMs()));
}

void serveLogout(SiteStore& store, const std::string& token, httplib::Response& res) {
    send(res, answerLogout(store, token));
}

void serveAccount(SiteStore& store, const std::string& token, const std::string& publicUrl,
                  httplib::Response& res) {
    send(res, answerAccount(store, token, publicUrl, nowMs()));
}

void serveUpload(SiteStore& store, const std::string& token, const httplib::Request& req,
                 const std::string& address, httplib::Response& res) {
    send(res, answerUpload(store, token, req.body, nowMs(), address));
}

void serveEvent(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    send(res, answerEvent(store, requestedEventId(req).value_or(0)));
}

void serveGuildDkpList(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    const auto text = guildDkpListText(store, req.get_param_value("site"));
    if (!text) {
        res.status = 404;
        res.set_content("no such guild site", "text/plain; charset=utf-8");
        return;
    }
    res.set_content(*text, "text/plain; charset=utf-8");
}

std::optional<std::int64_t> requestedEventId(const httplib::Request& req) {
    const std::string prefix = "/api/events/";
    if (req.path.rfind(prefix, 0) != 0)
        return std::nullopt;
    const std::string digits = req.path.substr(prefix.size());
    if (digits.empty() || digits.size() > 15 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(digits);
}

std::optional<std::string> uploadGuildId(const httplib::Request& req) {
    if (jsonNestsDeeperThan(req.body, kMaxJsonDepth))
        return std::nullopt;
    const nlohmann::json body = nlohmann::json::parse(req.body, nullptr, false);
    if (!body.is_object() || !body.contains("guildId") || !body["guildId"].is_string())
        return std::nullopt;
    return body["guildId"].get<std::string>();
}

std::optional<std::string> guildDkpListText(SiteStore& store, const std::string& site) {
    const auto guild = store.guildBySite(site);
    if (!guild)
        return std::nullopt;
    std::vector<DkpListSystem> systems;
    for (const SiteDkpSystem& system : guild->systems)
        systems.push_back({system, store.standings(system.id)});
    return formatDkpList(store.guildUpdateTimeMs(guild->rowId), systems);
}

} // namespace dkpsite
