#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dkpsite {

// What an entry of the points ledger records. Every change of points is one of these; nothing
// is ever changed or removed, a mistake is undone by a correction.
enum class EntryKind {
    Kill,       // a boss kill's points for one attendee
    Loot,       // what one item cost its winner
    Adjustment, // points given or taken by hand, with a reason
    Decay,      // a share of a member's points taken by a decay run
    Correction, // the exact reverse of one earlier entry
};

// Where a change came from.
enum class EntrySource { Upload, Web, CommandLine };

std::string_view entryKindName(EntryKind kind);
std::optional<EntryKind> entryKindFromName(std::string_view name);
std::string_view entrySourceName(EntrySource source);
std::optional<EntrySource> entrySourceFromName(std::string_view name);

// Who made a change, when and from where: the uploading or web user (or the command line's
// operator), the time, and the address the request came from ("" for the command line).
struct Origin {
    std::string who;
    EntrySource source = EntrySource::CommandLine;
    std::string address;
    std::int64_t atMs = 0;
};

// One appended entry. `earned` and `spent` are what it adds to its character's standing in its
// DKP system; a player's points are earned − spent.
struct LedgerEntry {
    std::int64_t id = 0;
    std::int64_t dkpSystem = 0;
    std::string character;
    EntryKind kind = EntryKind::Adjustment;
    std::int64_t earned = 0;
    std::int64_t spent = 0;
    std::int64_t event = 0;    // the uploaded event it came from, or 0
    std::int64_t reverses = 0; // the entry a correction undoes, or 0
    std::string reason;
    Origin origin;
};

} // namespace dkpsite
