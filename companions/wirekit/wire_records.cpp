#include "wire_records.h"

#include "utilkit/ustring.h"

#include <limits>
#include <nlohmann/json.hpp>

namespace wirekit {

namespace {

using nlohmann::json;

std::string dump(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

json parseObject(const std::string& body) {
    json value = json::parse(body, nullptr, false);
    return value.is_object() ? value : json(json::value_t::discarded);
}

std::optional<std::u16string> text(const json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string())
        return std::nullopt;
    return ustring::fromUtf8(found->get_ref<const std::string&>());
}

template <typename Int> std::optional<Int> integer(const json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number_integer())
        return std::nullopt;
    const auto value = found->get<std::int64_t>();
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(value);
}

std::optional<protocol::GuildEntry> parseGuild(const json& object) {
    const auto guildId = object.is_object() ? text(object, "guildId") : std::nullopt;
    const auto systems = guildId ? object.find("dkpSystems") : object.end();
    if (!guildId || systems == object.end() || !systems->is_array())
        return std::nullopt;
    protocol::GuildEntry guild;
    guild.guildId = *guildId;
    for (const json& system : *systems) {
        if (!system.is_object())
            return std::nullopt;
        const auto id = integer<std::uint32_t>(system, "id");
        const auto name = text(system, "name");
        if (!id || !name)
            return std::nullopt;
        guild.dkpSystems.push_back({*id, *name});
    }
    return guild;
}

} // namespace

std::string loginRequest(const std::u16string& userName, const std::string& passwordDigest) {
    return dump({{"user", ustring::toUtf8(userName)}, {"digest", passwordDigest}});
}

LoginAnswer parseLoginAnswer(const std::string& body) {
    const json answer = parseObject(body);
    const auto result =
        answer.is_discarded() ? std::nullopt : integer<std::int32_t>(answer, "result");
    if (!result)
        return {{}, Failure::Malformed};
    if (*result != 1)
        return {{}, Failure::Refused};
    const auto token = answer.find("token");
    if (token == answer.end() || !token->is_string() ||
        token->get_ref<const std::string&>().empty())
        return {{}, Failure::Malformed};
    return {token->get<std::string>(), Failure::None};
}

std::optional<AccountData> parseAccountAnswer(const std::string& body) {
    const json answer = parseObject(body);
    if (answer.is_discarded())
        return std::nullopt;
    const auto user = text(answer, "user");
    const auto defaultGuild = text(answer, "defaultGuild");
    const auto defaultGuildUrl = text(answer, "defaultGuildUrl");
    const auto guilds = answer.find("guilds");
    if (!user || !defaultGuild || !defaultGuildUrl || guilds == answer.end() || !guilds->is_array())
        return std::nullopt;
    AccountData account{*user, *defaultGuild, *defaultGuildUrl, {}};
    for (const json& entry : *guilds) {
        auto guild = parseGuild(entry);
        if (!guild)
            return std::nullopt;
        account.guilds.push_back(std::move(*guild));
    }
    return account;
}

std::string uploadRequest(const std::u16string& guildId, std::uint32_t dkpSystemId,
                          const std::u16string& eventName, const std::u16string& eventNote,
                          const std::u16string& raidDocument) {
    return dump({{"guildId", ustring::toUtf8(guildId)},
                 {"dkpId", dkpSystemId},
                 {"name", ustring::toUtf8(eventName)},
                 {"note", ustring::toUtf8(eventNote)},
                 {"document", ustring::toUtf8(raidDocument)}});
}

std::optional<UploadAnswer> parseUploadAnswer(const std::string& body) {
    const json answer = parseObject(body);
    if (answer.is_discarded())
        return std::nullopt;
    const auto status = integer<std::int32_t>(answer, "status");
    if (!status)
        return std::nullopt;
    if (*status != 200)
        return UploadAnswer{*status, 0};
    const auto eventId = integer<std::int32_t>(answer, "eventId");
    if (!eventId || *eventId <= 0)
        return std::nullopt;
    return UploadAnswer{200, *eventId};
}

bool isGuildDkpList(const std::string& text) {
    return text.find("Mer_DKP_UPDATETIME") != std::string::npos &&
           text.find("MerDKP_Table") != std::string::npos;
}

} // namespace wirekit
