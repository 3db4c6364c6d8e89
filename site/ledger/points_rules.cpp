#include "ledger/points_rules.h"

namespace dkpsite {

namespace {

LedgerEntry entryFor(EntryKind kind, std::int64_t dkpSystem, const std::string& character,
                     const Origin& origin) {
    LedgerEntry entry;
    entry.kind = kind;
    entry.dkpSystem = dkpSystem;
    entry.character = character;
    entry.origin = origin;
    return entry;
}

std::int64_t boundedSum(std::int64_t a, std::int64_t b, const std::string& character) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum) || sum > kMaxStandingPoints || sum < -kMaxStandingPoints)
        throw LedgerError(
            {RefusalKind::PointsRange, {character, std::to_string(kMaxStandingPoints)}});
    return sum;
}

void checkReason(const std::string& reason) {
    if (reason.empty())
        throw LedgerError(RefusalKind::ReasonRequired);
    if (reason.size() > kMaxReasonBytes)
        throw LedgerError({RefusalKind::ReasonTooLong, {std::to_string(kMaxReasonBytes)}});
}

} // namespace

std::vector<LedgerEntry> raidEntries(const RaidDocument& raid, std::int64_t dkpSystem,
                                     std::int64_t event, const Origin& origin) {
    std::vector<LedgerEntry> entries;
    for (const RaidKill& kill : raid.kills)
        for (const std::string& attendee : kill.attendees) {
            if (attendee.empty())
                continue;
            LedgerEntry entry = entryFor(EntryKind::Kill, dkpSystem, attendee, origin);
            entry.earned = kill.dkp;
            entry.event = event;
            entry.reason = kill.boss;
            entries.push_back(std::move(entry));
        }
    for (const RaidLoot& loot : raid.loot) {
        if (loot.player.empty())
            continue;
        LedgerEntry entry = entryFor(EntryKind::Loot, dkpSystem, loot.player, origin);
        entry.spent = loot.costs;
        entry.event = event;
        entry.reason = loot.itemName;
        entries.push_back(std::move(entry));
    }
    return entries;
}

LedgerEntry adjustmentEntry(std::int64_t dkpSystem, const std::string& character,
                            std::int64_t points, const std::string& reason, const Origin& origin) {
    checkReason(reason);
    if (character.empty())
        throw LedgerError(RefusalKind::AdjustmentNeedsCharacter);
    if (points == 0 || points > kMaxAdjustmentPoints || points < -kMaxAdjustmentPoints)
        throw LedgerError({RefusalKind::AdjustmentRange, {std::to_string(kMaxAdjustmentPoints)}});
    LedgerEntry entry = entryFor(EntryKind::Adjustment, dkpSystem, character, origin);
    entry.earned = points;
    entry.reason = reason;
    return entry;
}

LedgerEntry correctionEntry(const LedgerEntry& entry, bool alreadyReversed,
                            const std::string& reason, const Origin& origin) {
    checkReason(reason);
    if (entry.kind == EntryKind::Correction)
        throw LedgerError({RefusalKind::EntryIsCorrection, {std::to_string(entry.id)}});
    if (alreadyReversed)
        throw LedgerError({RefusalKind::EntryCorrected, {std::to_string(entry.id)}});
    LedgerEntry correction =
        entryFor(EntryKind::Correction, entry.dkpSystem, entry.character, origin);
    correction.earned = -entry.earned;
    correction.spent = -entry.spent;
    correction.event = entry.event;
    correction.reverses = entry.id;
    correction.reason = reason;
    return correction;
}

void checkDecayRule(const DecayRule& rule) {
    if (rule.percent < 1 || rule.percent > 100)
        throw LedgerError(RefusalKind::DecayPercent);
    if (rule.floor < 0 || rule.floor > kMaxStandingPoints)
        throw LedgerError({RefusalKind::DecayFloor, {std::to_string(kMaxStandingPoints)}});
}

std::int64_t decayPoints(std::int64_t dkp, const DecayRule& rule) {
    if (dkp <= rule.floor)
        return 0;
    // dkp ≤ 2·kMaxStandingPoints, so dkp · 100 stays far inside 64 bits.
    const std::int64_t share = dkp * rule.percent / 100;
    return std::min(share, dkp - rule.floor);
}

std::vector<LedgerEntry> decayEntries(const std::vector<Standing>& standings,
                                      std::int64_t dkpSystem, const DecayRule& rule,
                                      const Origin& origin) {
    checkDecayRule(rule);
    std::vector<LedgerEntry> entries;
    for (const Standing& standing : standings) {
        const std::int64_t points = decayPoints(standing.dkp(), rule);
        if (points == 0)
            continue;
        LedgerEntry entry = entryFor(EntryKind::Decay, dkpSystem, standing.name, origin);
        entry.earned = -points;
        entry.reason =
            std::to_string(rule.percent) + "% decay, floor " + std::to_string(rule.floor);
        entries.push_back(std::move(entry));
    }
    return entries;
}

Standing addEntry(Standing standing, const LedgerEntry& entry) {
    standing.earned = boundedSum(standing.earned, entry.earned, entry.character);
    standing.spent = boundedSum(standing.spent, entry.spent, entry.character);
    return standing;
}

std::map<std::string, Standing> sumEntries(const std::vector<LedgerEntry>& entries) {
    std::map<std::string, Standing> standings;
    for (const LedgerEntry& entry : entries) {
        Standing& standing = standings[entry.character];
        standing.name = entry.character;
        standing = addEntry(standing, entry);
    }
    return standings;
}

} // namespace dkpsite
