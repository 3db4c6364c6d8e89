#include "store/member_history.h"

#include <algorithm>
#include <map>

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

// The member's characters: the character named and, when it is a main, its alts. They are found
// first, so that only their entries are read.
constexpr const char* kMember =
    "WITH member AS (SELECT a.id FROM characters a JOIN dkp_systems s ON s.guild = a.guild "
    "WHERE s.id = :alt_system AND (a.name = :name OR a.main = (SELECT m.id FROM characters m "
    "JOIN dkp_systems t ON t.guild = m.guild WHERE t.id = :main_system AND m.name = :main_name))) ";

// The statement of `query` (after kMember) with the member's parameters bound.
soci::details::prepare_temp_type memberQuery(soci::session& sql, const std::string& query,
                                             const long long& system, const std::string& name) {
    return (sql.prepare << std::string(kMember) + query, use(system, "alt_system"),
            use(name, "name"), use(system, "main_system"), use(name, "main_name"),
            use(system, "system"));
}

// One entry of the member's history as the sums need it.
struct Step {
    long long id = 0;
    long long event = 0; // 0: of no event
    long long points = 0;
};

// Rows fetched at a time by memberSteps.
constexpr std::size_t kStepBatch = 512;

// Every entry of the member, oldest first, read from the index that holds these columns
// (ledger_entries_history). The balances are summed here rather than by a window in SQL, and the
// entries put in order here rather than by the engine: a member of three years has a few
// thousand entries, which the engines sort and sum several times slower than these loops do.
std::vector<Step> memberSteps(soci::session& sql, long long dkpSystem, const std::string& name) {
    std::vector<long long> ids(kStepBatch), events(kStepBatch), points(kStepBatch);
    soci::statement query = (memberQuery(sql,
                                         "SELECT le.id, COALESCE(le.event, 0), "
                                         "le.earned - le.spent FROM ledger_entries le "
                                         "WHERE le.dkp_system = :system "
                                         "AND le.character_id IN (SELECT id FROM member)",
                                         dkpSystem, name),
                             into(ids), into(events), into(points));
    std::vector<Step> steps;
    query.execute();
    while (query.fetch()) {
        for (std::size_t i = 0; i < ids.size(); ++i)
            steps.push_back({ids[i], events[i], points[i]});
        ids.resize(kStepBatch);
        events.resize(kStepBatch);
        points.resize(kStepBatch);
    }
    std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.id < b.id; });
    return steps;
}

// Up to `count` of the member's entries, newest first, after the `newer` newest, each read whole
// by its id, with the balance after it summed from `steps`.
std::vector<HistoryEntry> newestEntries(soci::session& sql, const std::vector<Step>& steps,
                                        long long newer, long long count) {
    const long long length = static_cast<long long>(steps.size());
    if (newer < 0 || count <= 0 || newer >= length)
        return {};
    // The page is steps [first, last) of the oldest-first list.
    const long long last = length - newer;
    const long long first = std::max(0LL, last - count);
    std::map<long long, long long> balances; // by entry id
    std::string ids;
    long long balance = 0;
    for (long long i = 0; i < last; ++i) {
        balance += steps[i].points;
        if (i < first)
            continue;
        balances[steps[i].id] = balance;
        ids += (ids.empty() ? "" : ", ") + std::to_string(steps[i].id);
    }
    HistoryEntry row;
    long long id = 0, points = 0, atMs = 0, event = 0;
    // The ids are the database's own numbers; listed, they are found by the primary key on both
    // engines, where a range of ids with the member's condition let PostgreSQL read every entry
    // of the range. The names are looked up for each entry, where a join let PostgreSQL read
    // every character of the site.
    soci::statement query =
        (sql.prepare << "SELECT le.id, le.kind, le.earned - le.spent, le.reason, "
                        "(SELECT c.name FROM characters c WHERE c.id = le.character_id), "
                        "COALESCE((SELECT e.name FROM events e WHERE e.id = le.event), ''), "
                        "le.at_ms, COALESCE(le.event, 0) FROM ledger_entries le WHERE le.id IN (" +
                            ids + ") ORDER BY le.id DESC",
         into(id), into(row.kind), into(points), into(row.reason), into(row.character),
         into(row.eventName), into(atMs), into(event));
    query.execute();
    std::vector<HistoryEntry> entries;
    while (query.fetch()) {
        row.id = id;
        row.points = points;
        row.balance = balances[id];
        row.atMs = atMs;
        row.event = event;
        entries.push_back(row);
    }
    return entries;
}

} // namespace

std::int64_t historyLength(soci::session& sql, long long dkpSystem, const std::string& name) {
    long long count = 0;
    soci::statement query = (memberQuery(sql,
                                         "SELECT COUNT(*) FROM ledger_entries le "
                                         "WHERE le.dkp_system = :system "
                                         "AND le.character_id IN (SELECT id FROM member)",
                                         dkpSystem, name),
                             into(count));
    query.execute(true);
    return count;
}

std::vector<HistoryEntry> historyPage(soci::session& sql, long long dkpSystem,
                                      const std::string& name, long long newer, long long count) {
    return newestEntries(sql, memberSteps(sql, dkpSystem, name), newer, count);
}

HistoryPage numberedHistoryPage(soci::session& sql, long long dkpSystem, const std::string& name,
                                long long page, long long pageRows) {
    const std::vector<Step> steps = memberSteps(sql, dkpSystem, name);
    const long long length = static_cast<long long>(steps.size());
    const long long rows = std::max(1LL, pageRows);
    HistoryPage shown;
    shown.pages = std::max(1LL, (length + rows - 1) / rows);
    shown.page = std::clamp(page, 1LL, static_cast<long long>(shown.pages));
    shown.entries = newestEntries(sql, steps, (shown.page - 1) * rows, rows);
    return shown;
}

std::vector<std::int64_t> historyRunBalances(soci::session& sql, long long dkpSystem,
                                             const std::string& name) {
    const std::vector<Step> steps = memberSteps(sql, dkpSystem, name);
    // A run ends where the next entry is of another event or of none, or where none follows.
    std::vector<std::int64_t> balances;
    long long balance = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        balance += steps[i].points;
        const bool runEnds =
            steps[i].event == 0 || i + 1 == steps.size() || steps[i + 1].event != steps[i].event;
        if (runEnds)
            balances.push_back(balance);
    }
    return balances;
}

} // namespace dkpsite
