#include "api/api_answers.h"

#include "api/json_depth.h"

#include <nlohmann/json.hpp>

namespace dkpsite {

namespace {

using nlohmann::json;

ApiAnswer jsonAnswer(int status, const json& body) {
    return {status, body.dump(-1, ' ', false, json::error_handler_t::replace)};
}

// The JSON object of a request body, or a discarded value when it is not one.
json requestObject(std::string_view body) {
    if (jsonNestsDeeperThan(body, kMaxJsonDepth))
        return json(json::value_t::discarded);
    json parsed = json::parse(body, nullptr, false);
    return parsed.is_object() ? parsed : json(json::value_t::discarded);
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

bool isUploadRequest(const json& body) {
    return !body.is_discarded() && hasString(body, "guildId") && body.contains("dkpId") &&
           body["dkpId"].is_number_unsigned() && hasString(body, "name") &&
           hasString(body, "note") && hasString(body, "document");
}

} // namespace

ApiAnswer answerLogin(LoginGate& logins, std::string_view body, const std::string& address,
                      std::int64_t nowMs) {
    const json request = requestObject(body);
    if (request.is_discarded() || !hasString(request, "user") || !hasString(request, "digest"))
        return jsonAnswer(400, {{"result", 0}, {"message", "malformed login request"}});
    const LoginResult login = logins.attempt(request["user"], request["digest"], address, nowMs);
    switch (login.kind) {
    case LoginResult::LoggedIn:
        return jsonAnswer(200, {{"result", 1}, {"token", login.token}});
    case LoginResult::Refused:
        break;
    case LoginResult::Throttled: {
        ApiAnswer answer = jsonAnswer(
            429, {{"result", 0}, {"message", "too many failed logins; try again later"}});
        answer.retryAfterSeconds = login.retryAfterSeconds;
        return answer;
    }
    case LoginResult::Busy: {
        ApiAnswer answer =
            jsonAnswer(503, {{"result", 0}, {"message", "too many logins at once; try again"}});
        answer.retryAfterSeconds = login.retryAfterSeconds;
        return answer;
    }
    }
    return jsonAnswer(401, {{"result", 0}, {"message", "wrong user name or password"}});
}

ApiAnswer answerLogout(SiteStore& store, const std::string& token) {
    if (!store.logout(token))
        return jsonAnswer(401, {{"result", 0}, {"message", "not logged in"}});
    return jsonAnswer(200, {{"result", 1}});
}

ApiAnswer answerAccount(SiteStore& store, const std::string& token, const std::string& publicUrl,
                        std::int64_t nowMs) {
    const auto account = store.account(token, nowMs);
    if (!account)
        return jsonAnswer(401, {{"message", "not logged in"}});
    json guilds = json::array();
    for (const SiteGuild& guild : account->guilds)
        guilds.push_back(guildJson(guild));
    const SiteGuild* defaultGuild = account->defaultGuild ? &*account->defaultGuild : nullptr;
    return jsonAnswer(
        200, {{"user", account->user},
              {"defaultGuild", defaultGuild ? defaultGuild->guildId : ""},
              {"defaultGuildUrl", defaultGuild ? publicUrl + "/" + defaultGuild->site : ""},
              {"guilds", guilds}});
}

ApiAnswer answerUpload(SiteStore& store, const std::string& token, std::string_view body,
                       std::int64_t nowMs, const std::string& address) {
    const json request = requestObject(body);
    if (!isUploadRequest(request))
        return jsonAnswer(400, {{"status", 400}, {"message", "malformed upload request"}});
    NewEvent event;
    event.guildId = request["guildId"];
    event.dkpId = request["dkpId"].get<std::int64_t>();
    event.name = request["name"];
    event.note = request["note"];
    event.document = request["document"];
    std::string error;
    auto raid = parseRaidDocument(event.document, error);
    if (!raid)
        return jsonAnswer(400, {{"status", 400}, {"message", "malformed raid document: " + error}});
    event.raid = std::move(*raid);
    UploadResult result;
    try {
        result = store.storeEvent(token, event, nowMs, address);
    } catch (const LedgerError& e) {
        return jsonAnswer(400, {{"status", 400}, {"message", std::string("refused: ") + e.what()}});
    }
    switch (result.outcome) {
    case UploadOutcome::Created:
    case UploadOutcome::AlreadyStored:
        return jsonAnswer(200, {{"status", 200}, {"eventId", result.eventId}});
    case UploadOutcome::NotLoggedIn:
        return jsonAnswer(401, {{"status", 401}, {"message", "not logged in"}});
    case UploadOutcome::UnknownGuild:
        return jsonAnswer(403, {{"status", 403}, {"message", "not a guild of this user"}});
    case UploadOutcome::UnknownDkpSystem:
        return jsonAnswer(404, {{"status", 404}, {"message", "no such DKP system"}});
    case UploadOutcome::ArchivedDkpSystem:
        return jsonAnswer(409, {{"status", 409},
                                {"message", "the DKP system is archived: it takes no uploads; "
                                            "choose another DKP system"}});
    }
    return jsonAnswer(500, {{"status", 500}, {"message", "unknown upload outcome"}});
}

ApiAnswer answerEvent(SiteStore& store, std::int64_t eventId) {
    const auto event = store.event(eventId);
    if (!event)
        return jsonAnswer(404, {{"message", "no such event"}});
    return jsonAnswer(200, {{"eventId", event->id},
                            {"guildId", event->guildId},
                            {"dkpId", event->dkpId},
                            {"name", event->name},
                            {"note", event->note},
                            {"uploader", event->uploader},
                            {"raid", raidJson(event->raid)}});
}

} // namespace dkpsite
