#pragma once

#include <cstdint>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// Failed logins by key (an account or an address, auth/login_throttle.h), in the database so
// that every process of the site counts them together.
void insertLoginFailure(soci::session& sql, const std::string& key, long long atMs);
// The times of the key's failures at or after `sinceMs`, oldest first.
std::vector<std::int64_t> loginFailuresSince(soci::session& sql, const std::string& key,
                                             long long sinceMs);
void deleteLoginFailures(soci::session& sql, const std::string& key);
// Forgets every failure older than `beforeMs`, of any key.
void deleteLoginFailuresBefore(soci::session& sql, long long beforeMs);

} // namespace dkpsite
