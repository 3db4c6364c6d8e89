#pragma once

#include "store/database.h"
#include "store/site_records.h"

#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// The guilds, their DKP systems and who belongs to them.
long long insertGuild(soci::session& sql, const std::string& guildId, const std::string& site,
                      long long createdMs, bool standingsPublic);
long long insertDkpSystem(soci::session& sql, long long guildRowId, const std::string& name);
// Adds the user to the guild with a role (admin, officer or member), last in the user's order
// of guilds; as the default guild, the user's only one.
void insertMembership(soci::session& sql, long long userId, long long guildRowId, bool isDefault,
                      const std::string& role);
// The membership's role, or nothing when the user is not in the guild.
std::optional<std::string> membershipRole(soci::session& sql, long long userId,
                                          long long guildRowId);
void updateMembershipRole(soci::session& sql, long long userId, long long guildRowId,
                          const std::string& role);
// False when the user was not in the guild.
bool deleteMembership(soci::session& sql, long long userId, long long guildRowId);
// The guild's accounts and their roles, by name.
std::vector<GuildMembership> guildMemberships(soci::session& sql, long long guildRowId);
void updateRegistration(soci::session& sql, long long guildRowId, const std::string& policy);
SiteGuild loadGuild(soci::session& sql, long long guildRowId);
std::optional<SiteGuild> guildWithSite(soci::session& sql, const std::string& site);
// The guild of that identifier, when the user belongs to it.
std::optional<SiteGuild> memberGuild(soci::session& sql, long long userId,
                                     const std::string& guildId);
// The user's guilds in the order joined, and the default one.
SiteAccount accountGuilds(soci::session& sql, long long userId);
// The guild a DKP system belongs to.
std::optional<long long> systemGuild(soci::session& sql, long long dkpSystem);
// The same, throwing LedgerError when there is no such system; the second reads on a connection
// of its own.
long long guildOfSystem(soci::session& sql, long long dkpSystem);
long long guildOfSystem(Database& db, long long dkpSystem);
bool isSystemArchived(soci::session& sql, long long dkpSystem);
// Throws LedgerError, naming the system, when the DKP system is archived.
void refuseArchivedSystem(soci::session& sql, long long dkpSystem);
// archivedMs 0 opens the system again.
void updateSystemArchived(soci::session& sql, long long dkpSystem, long long archivedMs);

// The guild's characters, in byte order of the names.
std::vector<GuildCharacter> guildCharacters(soci::session& sql, long long guildRowId);
// Whether the guild's character of that name is active, or nothing when there is none.
std::optional<bool> characterActive(soci::session& sql, long long guildRowId,
                                    const std::string& name);
void updateCharacterActive(soci::session& sql, long long guildRowId, const std::string& name,
                           bool active);

} // namespace dkpsite
