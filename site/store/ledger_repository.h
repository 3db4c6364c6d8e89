#pragma once

#include "ledger/ledger_entry.h"
#include "ledger/standing.h"
#include "records/raid_document.h"
#include "records/refusal.h"

#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// The guild's characters, the points ledger and the standings kept beside it. Every entry is
// appended together with its standing's new sums, in the caller's transaction.

// The character of that name in the guild, made when the guild does not know it yet.
long long characterId(soci::session& sql, long long guildRowId, const std::string& name);
// Makes every name of the raid a character of the guild; its members' class and level are
// taken from the document.
void recordRaidCharacters(soci::session& sql, long long guildRowId, const RaidDocument& raid);
// Links `alt` to `main` (both characters of the guild, made when missing); a main is never an
// alt itself, and an alt has no alts. Gives the refusal, or nothing once linked.
std::optional<Refusal> linkAlt(soci::session& sql, long long guildRowId, const std::string& alt,
                               const std::string& main);

// Adds to the character's standing in the DKP system (made, at zero, when missing).
void addToStanding(soci::session& sql, long long dkpSystem, long long character, long long earned,
                   long long spent);
// Appends the entry (its character made when missing) and adds it to the standing.
long long appendEntry(soci::session& sql, long long guildRowId, const LedgerEntry& entry);
// The raid's entries (points_rules.h), and a standing for each of its members.
void enterRaid(soci::session& sql, long long guildRowId, long long dkpSystem, long long event,
               const RaidDocument& raid, const Origin& origin);

std::vector<LedgerEntry> ledgerEntries(soci::session& sql, long long dkpSystem);
std::vector<LedgerEntry> eventEntries(soci::session& sql, long long event);
std::optional<LedgerEntry> ledgerEntry(soci::session& sql, long long entryId);
bool isReversed(soci::session& sql, long long entryId);

// Each character's stored sums in the DKP system, in byte order of the names.
std::vector<Standing> characterStandings(soci::session& sql, long long dkpSystem);
// The list the guild sees: each main with its alts' points added, in byte order of the names.
std::vector<Standing> listedStandings(soci::session& sql, long long dkpSystem);

} // namespace dkpsite
