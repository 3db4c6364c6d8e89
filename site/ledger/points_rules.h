#pragma once

#include "ledger/ledger_entry.h"
#include "ledger/standing.h"
#include "records/raid_document.h"
#include "records/refusal.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace dkpsite {

// A change the ledger refuses, with the reason (records/refusal.h).
struct LedgerError : Refused {
    using Refused::Refused;
};

// The largest magnitude of one adjustment: as large as any number of an uploaded document.
inline constexpr std::int64_t kMaxAdjustmentPoints = kMaxDocumentNumber;
// The largest magnitude of a standing's earned or spent points. A guild raiding every night for
// a century stays far below it, and sums of such standings stay exact in 64 bits.
inline constexpr std::int64_t kMaxStandingPoints = 1'000'000'000'000'000;
// An adjustment's reason and a correction's, long enough for a sentence.
inline constexpr std::size_t kMaxReasonBytes = 500;

// The entries an uploaded raid writes: for each kill, its points for each attendee; for each
// item given to a player, its cost. Names that are empty write nothing. Each entry's reason is
// the kill's boss or the item's name, which a member's history shows.
std::vector<LedgerEntry> raidEntries(const RaidDocument& raid, std::int64_t dkpSystem,
                                     std::int64_t event, const Origin& origin);

// An adjustment of `points` for `character`; refused without a reason or beyond the limits.
LedgerEntry adjustmentEntry(std::int64_t dkpSystem, const std::string& character,
                            std::int64_t points, const std::string& reason, const Origin& origin);

// The entry that undoes `entry`. A correction is never itself corrected, and no entry twice
// (`alreadyReversed`).
LedgerEntry correctionEntry(const LedgerEntry& entry, bool alreadyReversed,
                            const std::string& reason, const Origin& origin);

// A decay run: `percent` (1..100) of each positive standing above `floor` (0 or more), rounded
// down, never taking a standing below the floor.
struct DecayRule {
    int percent = 0;
    std::int64_t floor = 0;
};
void checkDecayRule(const DecayRule& rule);
std::int64_t decayPoints(std::int64_t dkp, const DecayRule& rule);
// The decay entries for the given standings (only those a decay changes).
std::vector<LedgerEntry> decayEntries(const std::vector<Standing>& standings,
                                      std::int64_t dkpSystem, const DecayRule& rule,
                                      const Origin& origin);

// Standings summed from nothing: each character's earned and spent over the given entries.
// Throws LedgerError when a sum leaves ±kMaxStandingPoints.
std::map<std::string, Standing> sumEntries(const std::vector<LedgerEntry>& entries);

// `standing` with `entry` added; throws LedgerError when a sum leaves ±kMaxStandingPoints.
Standing addEntry(Standing standing, const LedgerEntry& entry);

} // namespace dkpsite
