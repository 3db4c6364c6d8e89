#pragma once

#include <cstdint>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// A member's history in a DKP system: the ledger entries of the character of that name and of
// its alts, oldest first, and the member's points after each. The pages read it a page at a
// time; only the sums over the whole history are made in the database.

// One entry of a member's history.
struct HistoryEntry {
    std::int64_t id = 0;
    std::string kind;         // kill, loot, adjustment, decay, correction
    std::int64_t points = 0;  // earned − spent
    std::int64_t balance = 0; // the member's points after it
    std::string reason, character, eventName;
    std::int64_t atMs = 0;
    std::int64_t event = 0;
};

// One page of a member's history, newest first, and where it lies among the pages.
struct HistoryPage {
    std::vector<HistoryEntry> entries;
    std::int64_t page = 1; // 1: the newest entries
    std::int64_t pages = 1;
};

// How many entries the member's history holds.
std::int64_t historyLength(soci::session& sql, long long dkpSystem, const std::string& name);
// Up to `count` entries, newest first, after the `newer` newest.
std::vector<HistoryEntry> historyPage(soci::session& sql, long long dkpSystem,
                                      const std::string& name, long long newer, long long count);
// The page `page` of `pageRows` entries (1: the newest); a page beyond the last is the last.
HistoryPage numberedHistoryPage(soci::session& sql, long long dkpSystem, const std::string& name,
                                long long page, long long pageRows);
// The balance after each run of entries of one event (an entry of no event is a run of its
// own), oldest first.
std::vector<std::int64_t> historyRunBalances(soci::session& sql, long long dkpSystem,
                                             const std::string& name);

} // namespace dkpsite
