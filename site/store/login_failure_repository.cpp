#include "store/login_failure_repository.h"

namespace dkpsite {

using soci::into;
using soci::use;

void insertLoginFailure(soci::session& sql, const std::string& key, long long atMs) {
    sql << "INSERT INTO login_failures(failure_key, at_ms) VALUES(:key, :at)", use(key, "key"),
        use(atMs, "at");
}

std::vector<std::int64_t> loginFailuresSince(soci::session& sql, const std::string& key,
                                             long long sinceMs) {
    std::vector<std::int64_t> times;
    long long at = 0;
    soci::statement query =
        (sql.prepare << "SELECT at_ms FROM login_failures WHERE failure_key = :key AND at_ms >= "
                        ":since ORDER BY at_ms",
         use(key, "key"), use(sinceMs, "since"), into(at));
    query.execute();
    while (query.fetch())
        times.push_back(at);
    return times;
}

void deleteLoginFailures(soci::session& sql, const std::string& key) {
    sql << "DELETE FROM login_failures WHERE failure_key = :key", use(key, "key");
}

void deleteLoginFailuresBefore(soci::session& sql, long long beforeMs) {
    sql << "DELETE FROM login_failures WHERE at_ms < :before", use(beforeMs, "before");
}

} // namespace dkpsite
