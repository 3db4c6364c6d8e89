#include "store/member_history.h"

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
// The member's entries, each with the member's points after it, from the index that holds what
// the sums need.
constexpr const char* kEntries =
    ", entries AS (SELECT le.id, COALESCE(le.event, 0) AS event, "
    "CAST(SUM(le.earned - le.spent) OVER (ORDER BY le.id) AS BIGINT) AS balance "
    "FROM ledger_entries le WHERE le.dkp_system = :system "
    "AND le.character_id IN (SELECT id FROM member)) ";

// The statement of `query` (after kMember) with the member's parameters bound.
soci::details::prepare_temp_type memberQuery(soci::session& sql, const std::string& query,
                                             const long long& system, const std::string& name) {
    return (sql.prepare << std::string(kMember) + query, use(system, "alt_system"),
            use(name, "name"), use(system, "main_system"), use(name, "main_name"),
            use(system, "system"));
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
    HistoryEntry row;
    long long id = 0, points = 0, balance = 0, atMs = 0, event = 0;
    // The page is cut from the sums; only its own entries are read whole.
    soci::statement query =
        (memberQuery(sql,
                     std::string(kEntries) +
                         ", page AS (SELECT id, balance FROM entries ORDER BY id DESC "
                         "LIMIT :count OFFSET :newer) "
                         "SELECT p.id, le.kind, le.earned - le.spent, p.balance, le.reason, "
                         "c.name, COALESCE(e.name, ''), le.at_ms, COALESCE(le.event, 0) "
                         "FROM page p JOIN ledger_entries le ON le.id = p.id "
                         "JOIN characters c ON c.id = le.character_id "
                         "LEFT JOIN events e ON e.id = le.event ORDER BY p.id DESC",
                     dkpSystem, name),
         use(count, "count"), use(newer, "newer"), into(id), into(row.kind), into(points),
         into(balance), into(row.reason), into(row.character), into(row.eventName), into(atMs),
         into(event));
    query.execute();
    std::vector<HistoryEntry> entries;
    while (query.fetch()) {
        row.id = id;
        row.points = points;
        row.balance = balance;
        row.atMs = atMs;
        row.event = event;
        entries.push_back(row);
    }
    return entries;
}

std::vector<std::int64_t> historyRunBalances(soci::session& sql, long long dkpSystem,
                                             const std::string& name) {
    long long balance = 0;
    // A run ends where the next entry is of another event or of none, or where none follows.
    soci::statement query =
        (memberQuery(sql,
                     std::string(kEntries) +
                         ", runs AS (SELECT id, event, balance, "
                         "LEAD(event, 1, CAST(-1 AS BIGINT)) OVER (ORDER BY id) AS next_event FROM "
                         "entries) "
                         "SELECT balance FROM runs WHERE event = 0 OR next_event <> event "
                         "ORDER BY id",
                     dkpSystem, name),
         into(balance));
    query.execute();
    std::vector<std::int64_t> balances;
    while (query.fetch())
        balances.push_back(balance);
    return balances;
}

} // namespace dkpsite
