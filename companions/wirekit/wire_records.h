#pragma once

#include "failure.h"
#include "protocol/guild_entry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The JSON records exchanged with the DKP web site (docs/protocol.md). Texts travel as UTF-8.
namespace wirekit {

struct AccountData {
    std::u16string user;
    std::u16string defaultGuildId;
    std::u16string defaultGuildUrl;
    std::vector<protocol::GuildEntry> guilds;
};

struct UploadAnswer {
    std::int32_t status = 0;
    std::int32_t eventId = 0;
};

std::string loginRequest(const std::u16string& userName, const std::string& passwordDigest);
// A login answer: the session token, or why there is none (Refused when the site said no,
// Malformed when the answer cannot be read).
struct LoginAnswer {
    std::string token;
    Failure failure = Failure::None;
};
LoginAnswer parseLoginAnswer(const std::string& body);

std::optional<AccountData> parseAccountAnswer(const std::string& body);

std::string uploadRequest(const std::u16string& guildId, std::uint32_t dkpSystemId,
                          const std::u16string& eventName, const std::u16string& eventNote,
                          const std::u16string& raidDocument);
// Status 200 only with an event number that fits the listener's signed 32-bit value.
std::optional<UploadAnswer> parseUploadAnswer(const std::string& body);

// A guild DKP list text is one that names both of the addon's variables.
bool isGuildDkpList(const std::string& text);

} // namespace wirekit
